// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

// The file list: adding, removing and extracting hidden files, and the space
// display that follows every change.

#include "CaselessListItem.h"
#include "Prompter.h"
#include "base/FailureText.h"
#include "frmVeldra.h"

#include "base/ByteCount.h"
#include "container/EntryRecord.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

QString frmVeldra::FormatBytes(qint64 count)
{
    return formatBytes(count);
}

namespace {

// A tooltip in markup whose lines are plain text: names come from files and
// images and are escaped, never taken for markup.
QString plainTooltip(const QStringList &lines)
{
    QStringList escaped;
    for (const QString &line : lines)
        escaped << line.toHtmlEscaped();
    return QStringLiteral("<p style='white-space:pre'>%1</p>")
        .arg(escaped.join(QStringLiteral("<br>")));
}

} // namespace

void frmVeldra::RefreshInfo()
{
    const ContainerSession::Space space = m_session->space();
    const DatFile &table = m_session->file();
    const auto show = [](QLabel *label, const QString &caption, qint64 count) {
        label->setText(FormatBytes(count));
        label->setAccessibleName(caption + QStringLiteral(": ") + label->text());
    };
    show(lblCapacity, tr("Capacity"), space.capacity);
    show(lblUsed, tr("Used space"), space.used);
    show(lblFree, tr("Free space"), space.free);
    // The label keeps the plain figure; every file also needs its record,
    // and the container its header.
    lblFree->setToolTip(plainTooltip(
        {tr("The largest file that can still be added: %1.").arg(bytesText(space.room)),
            tr("Every file also needs %1 for its name and size, and the container %2 of its own.")
                .arg(bytesText(DatFile::RecordSize), bytesText(ContainerHeader::Size))}));

    lstFiles->clear();
    const auto &descriptions = table.colDescriptions();
    for (qsizetype i = 1, n = descriptions.count(); i <= n; ++i) {
        auto *row = new CaselessListItem(descriptions.item(i));
        QStringList tip = {bytesText(table.colFiles().item(i).size)};
        if (const QString why = EntryRecord::whyStoredDifferently(row->text()); !why.isEmpty()) {
            tip << tr("Stored as \"%1\": %2.").arg(EntryRecord::storedForm(row->text()), why);
        }
        row->setToolTip(plainTooltip(tip));
        row->setData(Qt::AccessibleDescriptionRole, tip.join(QLatin1Char(' ')));
        lstFiles->addItem(row);
    }
    lstFiles->clearSelection();
    lstFiles->setCurrentRow(-1);
}

QString frmVeldra::bitmapFolder() const
{
    const QFileInfo bitmap(txtBitmap->text());
    return txtBitmap->text().isEmpty() || !bitmap.absoluteDir().exists() ? QString()
                                                                         : bitmap.absolutePath();
}

void frmVeldra::cmdAdd_Click()
{
    const QString start = m_lastAddFolder.isEmpty() ? bitmapFolder() : m_lastAddFolder;
    if (!start.isEmpty())
        cdl2->setDirectory(start);
    const QStringList chosen = m_prompter->openFiles(cdl2);
    if (chosen.isEmpty())
        return;
    m_lastAddFolder = QFileInfo(chosen.constFirst()).absolutePath();
    addFiles(chosen);
}

void frmVeldra::addFiles(const QStringList &paths)
{
    QStringList refused;
    Outcome last = Outcome::success();
    for (const QString &path : paths) {
        if (Outcome added = m_session->add(path); !added) {
            refused << tr("%1: %2").arg(QFileInfo(path).fileName(), fullText(added));
            last = added;
        }
    }
    if (refused.size() < paths.size())
        RefreshInfo();
    if (paths.size() == 1 && !last)
        showError(last);
    else if (!refused.isEmpty())
        m_prompter->message(this, QMessageBox::Critical,
            tr("%1 of the %2 files could not be added.").arg(refused.size()).arg(paths.size()),
            refused.join(QLatin1Char('\n')));
}

void frmVeldra::cmdRem_Click()
{
    const QList<QListWidgetItem *> selected = lstFiles->selectedItems();
    if (selected.isEmpty())
        return;
    // The list is rebuilt from the table after every change, so the row
    // always names an entry.
    (void)m_session->file().Remove(selected.constFirst()->text());
    RefreshInfo();
}

void frmVeldra::extractOne(const QString &description, const QString &folder, Extraction *done)
{
    const DatFile &table = m_session->file();
    if (Outcome written = m_session->extract(description, folder); !written)
        done->failures << tr("%1: %2").arg(description, fullText(written));
    else if (const QString used = table.extractionName(description); used != description)
        done->renamed << tr("\"%1\" cannot be a file name as it stands and was written as "
                            "\"%2\".")
                             .arg(description, used);
}

void frmVeldra::reportExtraction(const QString &folder, const Extraction &done)
{
    if (!done.failures.isEmpty()) {
        m_prompter->message(this, QMessageBox::Critical,
            tr("These files could not be written to %1:").arg(folder),
            (done.failures + done.renamed).join(QLatin1Char('\n')));
        return;
    }
    m_prompter->message(this, QMessageBox::Information, QStringLiteral("Done."),
        done.renamed.join(QLatin1Char('\n')));
}

QString frmVeldra::pickFolder()
{
    const QString folder = m_prompter->folder(
        this, m_lastPickedFolder.isEmpty() ? bitmapFolder() : m_lastPickedFolder);
    if (!folder.isEmpty())
        m_lastPickedFolder = folder;
    return folder;
}

void frmVeldra::lstFiles_Activated(QListWidgetItem *item)
{
    lstFiles->setCurrentItem(item);
    cmdExtract_Click();
}

void frmVeldra::cmdExtract_Click()
{
    const QList<QListWidgetItem *> selected = lstFiles->selectedItems();
    QString folder;
    Extraction done;
    if (!selected.isEmpty()) {
        folder = pickFolder();
        if (!folder.isEmpty())
            extractOne(selected.constFirst()->text(), folder, &done);
    }
    reportExtraction(folder, done);
}

void frmVeldra::cmdExtractAll_Click()
{
    const QString folder = pickFolder();
    Extraction done;
    if (!folder.isEmpty()) {
        for (int row = 0; row < lstFiles->count(); ++row)
            extractOne(lstFiles->item(row)->text(), folder, &done);
        if (const qint64 unread = m_session->report().unread(); unread > 0) {
            done.failures << tr("%1 hidden files could not be read: %2")
                                 .arg(unread)
                                 .arg(m_session->report().damage);
        }
    }
    reportExtraction(folder, done);
}
