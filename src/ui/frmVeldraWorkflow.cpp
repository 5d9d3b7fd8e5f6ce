// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

// Naming, opening, closing and writing back the one container the window
// holds open at a time: the path box and the buttons, handing the work to
// the controller and showing what it did.

#include "BusyCaption.h"
#include "Prompter.h"
#include "base/FailureText.h"
#include "frmVeldra.h"

#include "io/FileProbe.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

void frmVeldra::txtBitmap_Change()
{
    // Why a typed path cannot be opened shows where the user looks: the
    // box's tooltip, and its description for screen readers.
    const QString typed = txtBitmap->text();
    const Outcome probed = probeRegularFile(typed);
    cmdOpen->setEnabled(probed.ok());
    const QString why = probed || typed.isEmpty() ? QString() : fullText(probed);
    txtBitmap->setToolTip(why.isEmpty() ? menuHint() : why);
    txtBitmap->setAccessibleDescription(why.isEmpty() ? m_pathDescription : why);
}

void frmVeldra::txtBitmap_Enter()
{
    if (cmdOpen->isEnabled())
        cmdOpen->click();
}

void frmVeldra::openPath(const QString &path)
{
    txtBitmap->setText(path);
    cmdOpen_Click();
}

void frmVeldra::cmdBrowse_Click()
{
    // The dialog starts at the path in the box, its name ready to be
    // replaced by typing.
    if (const QString folder = WindowController::folderOf(txtBitmap->text()); !folder.isEmpty()) {
        const QFileInfo typed(txtBitmap->text());
        cdl->setDirectory(folder);
        cdl->selectFile(typed.isFile() ? typed.fileName() : QString());
    }
    const std::optional<QString> chosen = m_prompter->openFile(cdl);
    if (!chosen)
        return;
    txtBitmap->setText(*chosen);
}

void frmVeldra::cmdOpen_Click()
{
    BusyCaption busy(cmdOpen);
    m_controller->open(txtBitmap->text());
}

void frmVeldra::showOpened()
{
    txtBitmap->setEnabled(false);
    cmdBrowse->setEnabled(false);
    cmdOpen->setEnabled(false);
    cmdClose->setEnabled(true);
    cmdWrClose->setEnabled(true);
    fraFiles->setVisible(true);
    showPasswordBoxFor(m_controller->isSealed());
    RefreshInfo();
    (lstFiles->count() > 0 ? static_cast<QWidget *>(lstFiles) : cmdAdd)->setFocus();
}

void frmVeldra::cmdClose_Click()
{
    m_controller->close();
}

void frmVeldra::showClosed()
{
    txtBitmap->setEnabled(true);
    cmdBrowse->setEnabled(true);
    cmdOpen->setEnabled(true);
    cmdClose->setEnabled(false);
    cmdWrClose->setEnabled(false);
    fraFiles->setVisible(false);
    showPasswordBoxFor(false);
}

void frmVeldra::cmdWrClose_Click()
{
    // A large image, or another program writing it, may keep the write a
    // while: the button says Wait... meanwhile.
    BusyCaption busy(cmdWrClose);
    m_controller->writeAndClose();
}

void frmVeldra::chkUsePass_Click()
{
    if (!m_Loading)
        m_controller->setUsePassword(chkUsePass->isChecked());
}

void frmVeldra::showUsePassword(bool on)
{
    // Setting the box here must not ask for a password or forget the one in
    // force.
    m_Loading = true;
    chkUsePass->setChecked(on);
    m_Loading = false;
}
