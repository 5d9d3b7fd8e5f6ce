// The file list: adding, removing and extracting hidden files, and the space
// display that follows every change.

#include "CaselessListItem.h"
#include "Prompter.h"
#include "frmVeldra.h"

#include <QFileDialog>
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
    const qint64 capacity = m_session->capacity();
    const DatFile &table = m_session->file();
    lblCapacity->setText(FormatBytes(capacity));
    lblUsed->setText(FormatBytes(table.TotalSize()));
    lblFree->setText(FormatBytes(capacity - table.TotalSize()));

    lstFiles->clear();
    const auto &descriptions = table.colDescriptions();
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
    if (Outcome added = m_session->add(*chosen); !added) {
        showError(added.message());
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
    (void)m_session->file().Remove(selected.constFirst()->text());
    RefreshInfo();
}

void frmVeldra::cmdExtract_Click()
{
    const QList<QListWidgetItem *> selected = lstFiles->selectedItems();
    if (!selected.isEmpty()) {
        const QString folder = m_prompter->folder(this);
        if (!folder.isEmpty()) {
            const QString description = selected.constFirst()->text();
            if (Outcome written = m_session->file().Extract(description, folder + description);
                !written) {
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
            if (Outcome written = m_session->file().Extract(description, folder + description);
                !written)
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
