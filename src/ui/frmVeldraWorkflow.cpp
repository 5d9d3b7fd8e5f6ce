// Naming, opening, closing and writing back the one container the window
// holds open at a time.

#include "BusyCaption.h"
#include "Prompter.h"
#include "frmVeldra.h"

#include "carrier/FileProbe.h"
#include "container/Charset.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLineEdit>
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

    // A protected container asks for the password; a dismissed dialog leaves
    // the remembered one in force.
    auto session = std::make_unique<ContainerSession>();
    const Outcome opened = session->open(txtBitmap->text(), [this](QString *) {
        m_prompter->password(this, m_Password);
        return std::optional<QByteArray>(passwordBytes());
    });
    if (!opened) {
        showError(opened.message());
        return;
    }
    m_session = std::move(session);

    txtBitmap->setEnabled(false);
    cmdBrowse->setEnabled(false);
    cmdOpen->setEnabled(false);
    cmdClose->setEnabled(true);
    cmdWrClose->setEnabled(true);

    // The box shows whether the container was protected; setting it here
    // must not ask for a password or forget the one in force.
    if (m_session->foundContainer()) {
        m_Loading = true;
        chkUsePass->setChecked(m_session->header().UsePassword);
        m_Loading = false;
    }
    fraFiles->setVisible(true);
    RefreshInfo();

    if (!m_session->report().isComplete())
        m_prompter->message(this, QMessageBox::Warning, m_session->report().message());
}

void frmVeldra::cmdClose_Click()
{
    txtBitmap->setEnabled(true);
    cmdBrowse->setEnabled(true);
    cmdOpen->setEnabled(true);
    cmdClose->setEnabled(false);
    cmdWrClose->setEnabled(false);
    fraFiles->setVisible(false);
    m_session.reset();
}

void frmVeldra::cmdWrClose_Click()
{
    BusyCaption busy(cmdWrClose);

    // Any failure keeps the container open with everything in it; the image
    // on disk is replaced only by a complete new copy.
    const Outcome written
        = m_session->write(txtBitmap->text(), chkUsePass->isChecked(), passwordBytes());
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
