// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

// The file list: the rows and figures that follow every change, and the
// buttons that add, remove and extract hidden files through the controller.

#include "CaselessListItem.h"
#include "frmVeldra.h"

#include "base/ByteCount.h"

#include <QLabel>
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
    // The open container's figures and files, plain or sealed alike.
    const OpenContainer &container = *m_controller->container();
    const OpenContainer::Space space = container.space();
    const auto show = [](QLabel *label, const QString &caption, qint64 count) {
        label->setText(FormatBytes(count));
        label->setAccessibleName(caption + QStringLiteral(": ") + label->text());
    };
    show(lblCapacity, tr("Capacity"), space.capacity);
    show(lblUsed, tr("Used space"), space.used);
    show(lblFree, tr("Free space"), space.free);
    // The label keeps the plain figure; every file also needs room for its
    // name and size.
    lblFree->setToolTip(plainTooltip(
        {tr("The largest file that can still be added: %1.").arg(bytesText(space.room)),
            container.overheadNote()}));

    lstFiles->clear();
    for (const OpenContainer::Entry &entry : container.entries()) {
        auto *row = new CaselessListItem(entry.name);
        QStringList tip = {bytesText(entry.size)};
        if (!entry.whyStoredAs.isEmpty())
            tip << tr("Stored as \"%1\": %2.").arg(entry.storedAs, entry.whyStoredAs);
        row->setToolTip(plainTooltip(tip));
        row->setData(Qt::AccessibleDescriptionRole, tip.join(QLatin1Char(' ')));
        lstFiles->addItem(row);
    }
    lstFiles->clearSelection();
    lstFiles->setCurrentRow(-1);
}

void frmVeldra::cmdAdd_Click()
{
    m_controller->add();
}

void frmVeldra::cmdRem_Click()
{
    const QList<QListWidgetItem *> selected = lstFiles->selectedItems();
    if (!selected.isEmpty())
        m_controller->remove(selected.constFirst()->text());
}

void frmVeldra::lstFiles_Activated(QListWidgetItem *item)
{
    lstFiles->setCurrentItem(item);
    cmdExtract_Click();
}

void frmVeldra::cmdExtract_Click()
{
    const QList<QListWidgetItem *> selected = lstFiles->selectedItems();
    m_controller->extract(
        selected.isEmpty() ? QStringList() : QStringList {selected.constFirst()->text()});
}

void frmVeldra::cmdExtractAll_Click()
{
    m_controller->extractAll();
}
