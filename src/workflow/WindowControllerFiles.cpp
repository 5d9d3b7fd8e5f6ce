// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

// The open container's files: adding, removing and extracting them.

#include "ReadingOrder.h"
#include "WindowController.h"

#include "base/FailureText.h"

#include <QFileInfo>

#include <algorithm>

void WindowController::add()
{
    if (!m_open)
        return;
    const QStringList chosen
        = m_user.filesToAdd(m_lastAddFolder.isEmpty() ? folderOf(m_path) : m_lastAddFolder);
    if (chosen.isEmpty())
        return;
    m_lastAddFolder = QFileInfo(chosen.constFirst()).absolutePath();
    addFiles(chosen);
}

void WindowController::addFiles(const QStringList &paths)
{
    if (!m_open)
        return;
    QStringList refused;
    Outcome last = Outcome::success();
    for (const QString &path : paths) {
        if (Outcome added = m_open->add(path); !added) {
            refused << tr("%1: %2").arg(QFileInfo(path).fileName(), fullText(added));
            last = added;
        }
    }
    if (refused.size() < paths.size())
        emit entriesChanged();
    if (paths.size() == 1 && !last)
        showError(last);
    else if (!refused.isEmpty())
        m_user.tell(WindowUser::Tone::Critical,
            tr("%1 of the %2 files could not be added.").arg(refused.size()).arg(paths.size()),
            refused.join(QLatin1Char('\n')));
}

void WindowController::remove(const QString &description)
{
    if (!m_open)
        return;
    // The window lists the table's entries only, so the row names one.
    (void)m_open->remove(description);
    emit entriesChanged();
}

QString WindowController::pickFolder()
{
    const QString folder
        = m_user.folder(m_lastPickedFolder.isEmpty() ? folderOf(m_path) : m_lastPickedFolder);
    if (!folder.isEmpty())
        m_lastPickedFolder = folder;
    return folder;
}

void WindowController::extractOne(
    const QString &description, const QString &folder, Extraction *done)
{
    if (Outcome written = m_open->extract(description, folder); !written) {
        done->failures << tr("%1: %2").arg(description, fullText(written));
    } else if (const QString used = m_open->extractionName(description); used != description) {
        done->renamed << tr("\"%1\" cannot be a file name as it stands and was written as "
                            "\"%2\".")
                             .arg(description, used);
    }
}

void WindowController::reportExtraction(const QString &folder, const Extraction &done)
{
    if (!done.failures.isEmpty()) {
        m_user.tell(WindowUser::Tone::Critical,
            tr("These files could not be written to %1:").arg(folder),
            (done.failures + done.renamed).join(QLatin1Char('\n')));
        return;
    }
    m_user.tell(WindowUser::Tone::Information, tr("Done."), done.renamed.join(QLatin1Char('\n')));
}

void WindowController::extract(const QStringList &descriptions)
{
    if (!m_open)
        return;
    QString folder;
    Extraction done;
    if (!descriptions.isEmpty()) {
        folder = pickFolder();
        if (!folder.isEmpty()) {
            for (const QString &description : descriptions)
                extractOne(description, folder, &done);
        }
    }
    reportExtraction(folder, done);
}

void WindowController::extractAll()
{
    if (!m_open)
        return;
    const QString folder = pickFolder();
    Extraction done;
    if (!folder.isEmpty()) {
        // In the order the list shows them, so that failures read the same.
        QStringList descriptions;
        for (const OpenContainer::Entry &entry : m_open->entries())
            descriptions << entry.name;
        std::sort(descriptions.begin(), descriptions.end(), ReadingOrder::before);
        for (const QString &description : descriptions)
            extractOne(description, folder, &done);
        const OpenContainer::Condition condition = m_open->condition();
        if (condition.unread > 0) {
            done.failures << tr("Hidden files that could not be read: %1. %2")
                                 .arg(condition.unread)
                                 .arg(condition.damage);
        }
    }
    reportExtraction(folder, done);
}
