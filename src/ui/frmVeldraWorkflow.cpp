// Naming, opening, closing and writing back the one container the window
// holds open at a time.

#include "BusyCaption.h"
#include "Prompter.h"
#include "frmVeldra.h"

#include "carrier/FileProbe.h"
#include "container/Charset.h"
#include "container/PasswordHash.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

QByteArray frmVeldra::passwordBytes() const
{
    // The password dialog lets through only text the container can store.
    return Charset::encode(m_Password).value_or(QByteArray());
}

void frmVeldra::txtBitmap_Change()
{
    cmdOpen->setEnabled(FileExists(txtBitmap->text()));
}

void frmVeldra::cmdBrowse_Click()
{
    const std::optional<QString> chosen = m_prompter->openFile(cdl);
    if (!chosen)
        return;
    txtBitmap->setText(*chosen);
}

void frmVeldra::cmdOpen_Click()
{
    BusyCaption busy(cmdOpen);

    if (Outcome loaded = m_carrier.LoadCarrier(txtBitmap->text()); !loaded) {
        showError(loaded.message());
        return;
    }
    if (m_carrier.Capacity() < ContainerHeader::Size) {
        m_carrier.release();
        showError(tr("This image is too small to hide files in: it must have at least %1 "
                     "bytes of pixels.")
                      .arg(ContainerHeader::Size * 8));
        return;
    }

    txtBitmap->setEnabled(false);
    cmdBrowse->setEnabled(false);
    cmdOpen->setEnabled(false);
    cmdClose->setEnabled(true);
    cmdWrClose->setEnabled(true);

    // The capacity was checked above, so the header can be read.
    (void)m_header.ReadHeader(m_carrier.stream());
    m_file = std::make_unique<DatFile>();

    LoadReport report;
    if (!m_header.HasSignature()) {
        m_header.startFresh();
    } else {
        m_Loading = true;
        if (m_header.UsePassword) {
            m_prompter->password(this, m_Password);
            if (HashPassword(passwordBytes()) != m_header.PasswordHash) {
                showError(QStringLiteral("Invalid password!"));
                cmdClose_Click();
                m_Loading = false;
                return;
            }
            chkUsePass->setChecked(true);
        } else {
            chkUsePass->setChecked(false);
        }
        report = m_file->Load(m_carrier.stream(), m_header, passwordBytes());
    }
    m_Loading = false;
    fraFiles->setVisible(true);
    RefreshInfo();

    if (!report.isComplete())
        m_prompter->message(this, QMessageBox::Warning, report.message());
}

void frmVeldra::cmdClose_Click()
{
    m_carrier.release();
    txtBitmap->setEnabled(true);
    cmdBrowse->setEnabled(true);
    cmdOpen->setEnabled(true);
    cmdClose->setEnabled(false);
    cmdWrClose->setEnabled(false);
    fraFiles->setVisible(false);
    m_file.reset();
}

void frmVeldra::cmdWrClose_Click()
{
    BusyCaption busy(cmdWrClose);

    m_header.FileCount = static_cast<qint32>(lstFiles->count());
    m_header.UsePassword = chkUsePass->isChecked();
    m_header.PasswordHash = HashPassword(passwordBytes());

    // Any failure keeps the container open with everything in it; the image
    // on disk is replaced only by a complete new copy.
    HiddenStream stream = m_carrier.stream();
    Outcome written = m_file->CheckFits(stream.Capacity());
    if (written)
        written = m_header.WriteHeader(stream);
    if (written)
        written = m_file->Save(stream, m_header, passwordBytes());
    if (written)
        written = m_carrier.SaveCarrier(txtBitmap->text());
    if (!written) {
        showError(written.message());
        return;
    }
    cmdClose_Click();
}

void frmVeldra::chkUsePass_Click()
{
    if (m_Loading)
        return;
    if (!chkUsePass->isChecked()) {
        m_Password.clear();
        return;
    }
    m_prompter->password(this, m_Password);
    if (m_Password.isEmpty())
        chkUsePass->setChecked(false);
}
