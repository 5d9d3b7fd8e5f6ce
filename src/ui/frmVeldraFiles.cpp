// The file list: adding, removing and extracting hidden files, and the space
// display that follows every change.

#include "CaselessListItem.h"
#include "Prompter.h"
#include "frmVeldra.h"

#include "container/EntryRecord.h"

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
    for (qsizetype i = 1, n = descriptions.count(); i <= n; ++i) {
        auto *row = new CaselessListItem(descriptions.item(i));
        const QString stored = EntryRecord::storedForm(row->text());
        if (stored != row->text()) {
            // Names come from files and images: escaped, never taken for markup.
            row->setToolTip(QStringLiteral("<p style='white-space:pre'>%1</p>")
                                .arg(tr("Stored as \"%1\": names keep at most %2 characters.")
                                         .arg(stored)
                                         .arg(EntryRecord::DescriptionSize)
                                         .toHtmlEscaped()));
        }
        lstFiles->addItem(row);
    }
    lstFiles->clearSelection();
    lstFiles->setCurrentRow(-1);
}

void frmVeldra::cmdAdd_Click()
{
    const std::optional<QString> chosen = m_prompter->openFile(cdl2);
    if (!chosen)
        return;
    if (Outcome added = m_session->add(*chosen); !added) {
        showError(added);
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

QString frmVeldra::extractOne(const QString &description, const QString &folder)
{
    const DatFile &table = m_session->file();
    if (Outcome written = table.Extract(description, folder); !written)
        return tr("%1: %2").arg(description, written.fullText());
    if (const QString used = table.extractionName(description); used != description)
        m_renamedOnExtract << tr("\"%1\" cannot be a file name as it stands and was written as "
                                 "\"%2\".")
                                  .arg(description, used);
    return {};
}

void frmVeldra::reportExtraction(const QString &folder, const QStringList &failures)
{
    const QString renamed = m_renamedOnExtract.join(QLatin1Char('\n'));
    m_renamedOnExtract.clear();
    if (!failures.isEmpty()) {
        m_prompter->message(this, QMessageBox::Critical,
            tr("These files could not be written to %1:").arg(folder),
            (failures + QStringList(renamed)).join(QLatin1Char('\n')).trimmed());
        return;
    }
    m_prompter->message(this, QMessageBox::Information, QStringLiteral("Done."), renamed);
}

void frmVeldra::cmdExtract_Click()
{
    const QList<QListWidgetItem *> selected = lstFiles->selectedItems();
    QString folder;
    QStringList failures;
    if (!selected.isEmpty()) {
        folder = m_prompter->folder(this);
        if (!folder.isEmpty()) {
            if (const QString failed = extractOne(selected.constFirst()->text(), folder);
                !failed.isEmpty())
                failures << failed;
        }
    }
    reportExtraction(folder, failures);
}

void frmVeldra::cmdExtractAll_Click()
{
    const QString folder = m_prompter->folder(this);
    QStringList failures;
    if (!folder.isEmpty()) {
        for (int row = 0; row < lstFiles->count(); ++row) {
            if (const QString failed = extractOne(lstFiles->item(row)->text(), folder);
                !failed.isEmpty())
                failures << failed;
        }
    }
    reportExtraction(folder, failures);
}
