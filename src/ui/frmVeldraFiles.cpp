// The file list: adding, removing and extracting hidden files, and the space
// display that follows every change.

#include "CaselessListItem.h"
#include "Prompter.h"
#include "frmVeldra.h"

#include "carrier/FileProbe.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>

QString frmVeldra::FormatBytes(qint64 count)
{
    // Digits without separators, one blank before the last three.
    QString digits = QString::number(qAbs(count));
    if (digits.size() > 3)
        digits.insert(digits.size() - 3, QLatin1Char(' '));
    return (count < 0 ? QStringLiteral("-") : QString()) + digits + QStringLiteral(" bytes");
}

void frmVeldra::RefreshInfo()
{
    const qint64 capacity = m_carrier.Capacity();
    lblCapacity->setText(FormatBytes(capacity));
    lblUsed->setText(FormatBytes(m_file->TotalSize()));
    lblFree->setText(FormatBytes(capacity - m_file->TotalSize()));

    lstFiles->clear();
    const auto &descriptions = m_file->colDescriptions();
    for (qsizetype i = 1, n = descriptions.count(); i <= n; ++i)
        lstFiles->addItem(new CaselessListItem(descriptions.item(i)));
    lstFiles->clearSelection();
    lstFiles->setCurrentRow(-1);
}

void frmVeldra::cmdAdd_Click()
{
    const std::optional<QString> chosen = m_prompter->openFile(cdl2);
    if (!chosen)
        return;
    const QString path = *chosen;
    const qint64 size = FileSize(path);

    const qint64 capacity = m_carrier.Capacity();
    if (size > capacity - m_file->TotalSize()) {
        showError(QStringLiteral("Not enough free space!"));
        return;
    }
    if (size == -1) {
        showError(QStringLiteral("Error!"));
        return;
    }
    // Besides its data every file takes a record, and the container a header:
    // the whole must still fit into the image.
    if (m_file->ContainerSizeWith(size) > capacity) {
        showError(tr("Not enough free space for this file: with its name and size it needs %1 "
                     "bytes (%2 of data and %3 of record), but only %4 more bytes can be "
                     "stored in this image.")
                      .arg(size + DatFile::RecordSize)
                      .arg(size)
                      .arg(DatFile::RecordSize)
                      .arg(qMax<qint64>(0, capacity - m_file->ContainerSize())));
        return;
    }
    const InjectResult injected = m_file->Inject(QFileInfo(path).fileName(), path);
    switch (injected.status) {
    case InjectStatus::Injected:
        break;
    case InjectStatus::Unreadable:
    case InjectStatus::Duplicate:
        showError(QStringLiteral("Error!"));
        return;
    case InjectStatus::Unrepresentable:
    case InjectStatus::StoredNameTaken:
        showError(injected.message);
        return;
    }
    RefreshInfo();
}

void frmVeldra::cmdRem_Click()
{
    const QList<QListWidgetItem *> selected = lstFiles->selectedItems();
    if (selected.isEmpty())
        return;
    // The list is rebuilt from the table after every change, so the row
    // always names an entry.
    (void)m_file->Remove(selected.constFirst()->text());
    RefreshInfo();
}

void frmVeldra::cmdExtract_Click()
{
    const QList<QListWidgetItem *> selected = lstFiles->selectedItems();
    if (!selected.isEmpty()) {
        const QString folder = m_prompter->folder(this);
        if (!folder.isEmpty()) {
            const QString description = selected.constFirst()->text();
            if (Outcome written = m_file->Extract(description, folder + description); !written) {
                showError(tr("\"%1\" could not be written to %2:\n%3")
                              .arg(description, folder, written.message()));
                return;
            }
        }
    }
    m_prompter->message(this, QMessageBox::Information, QStringLiteral("Done."));
}

void frmVeldra::cmdExtractAll_Click()
{
    const QString folder = m_prompter->folder(this);
    QStringList failures;
    if (!folder.isEmpty()) {
        for (int row = 0; row < lstFiles->count(); ++row) {
            const QString description = lstFiles->item(row)->text();
            if (Outcome written = m_file->Extract(description, folder + description); !written)
                failures << tr("%1: %2").arg(description, written.message());
        }
    }
    if (!failures.isEmpty()) {
        showError(tr("These files could not be written to %1:\n\n%2")
                      .arg(folder, failures.join(QLatin1Char('\n'))));
        return;
    }
    m_prompter->message(this, QMessageBox::Information, QStringLiteral("Done."));
}
