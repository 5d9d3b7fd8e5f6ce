// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

// Naming, opening, closing and writing back the one container the window
// holds open at a time.

#include "BusyCaption.h"
#include "Prompter.h"
#include "base/FailureText.h"
#include "frmVeldra.h"

#include "container/Charset.h"
#include "io/FileProbe.h"
#include "picture/PictureCarrier.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
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
    // Why a typed path cannot be opened shows where the user looks: the
    // box's tooltip, and its description for screen readers.
    const QString typed = txtBitmap->text();
    const Outcome probed = probeRegularFile(typed);
    cmdOpen->setEnabled(probed.ok());
    const QString why = probed || typed.isEmpty() ? QString() : fullText(probed);
    txtBitmap->setToolTip(why);
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
    if (const QString folder = bitmapFolder(); !folder.isEmpty()) {
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

    // A protected container asks for the password; a dismissed dialog leaves
    // the remembered one in force.
    auto session = std::make_unique<ContainerSession>();
    const Outcome opened = session->open(txtBitmap->text(), [this](QString *) {
        m_prompter->password(this, m_Password);
        return std::optional<QByteArray>(passwordBytes());
    });
    if (!opened) {
        // A password the container refused is forgotten, so that it never
        // protects the next image by mistake.
        if (opened.kind() == Outcome::Kind::WrongPassword) {
            m_Loading = true;
            chkUsePass->setChecked(false);
            m_Loading = false;
            m_Password.clear();
        }
        showError(opened);
        // A picture of another format or kind: a copy may carry files.
        if (opened.kind() == Outcome::Kind::NotABitmap
            || opened.kind() == Outcome::Kind::NotTwentyFourBit
            || opened.kind() == Outcome::Kind::Unsupported)
            offerCarrierCopy(txtBitmap->text());
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
    (lstFiles->count() > 0 ? static_cast<QWidget *>(lstFiles) : cmdAdd)->setFocus();

    QStringList warnings;
    if (const QString cut = m_session->cutShortWarning(); !cut.isEmpty())
        warnings << cut;
    if (!m_session->report().isComplete())
        warnings << m_session->report().message();
    if (!warnings.isEmpty())
        m_prompter->message(this, QMessageBox::Warning, warnings.join(QLatin1Char(' ')));
}

void frmVeldra::offerCarrierCopy(const QString &picture)
{
    if (!PictureCarrier::readable(picture))
        return;
    const QString copy = PictureCarrier::freeNameBeside(picture);
    const bool lossy = PictureCarrier::isLossyFormat(picture);
    QString detail = tr("The copy is written beside the picture, which stays as it is.");
    if (lossy) {
        detail += QLatin1Char(' ')
            + tr("The picture was stored with losses: keep the hidden files in the BMP, since "
                 "saving it in the picture's format again would destroy them.");
    }
    if (!m_prompter->question(this,
            tr("This picture cannot carry hidden files as it is. Make a 24-bit BMP copy of it, "
               "\"%1\", and open that?")
                .arg(QFileInfo(copy).fileName()),
            detail))
        return;
    if (Outcome made = PictureCarrier::make(picture, copy, false, nullptr); !made) {
        showError(made);
        return;
    }
    txtBitmap->setText(copy);
    cmdOpen_Click();
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
    const QString path = txtBitmap->text();

    // Entries that could not be read when the image was opened would be lost.
    if (const qint64 lost = m_session->report().unread(); lost > 0) {
        const QString text = lost == 1
            ? tr("1 hidden file could not be read and would be lost if the image is written "
                 "back. Write it anyway?")
            : tr("%1 hidden files could not be read and would be lost if the image is written "
                 "back. Write it anyway?")
                  .arg(lost);
        if (!m_prompter->question(this, text, m_session->report().damage))
            return;
    }
    ContainerSession::WriteOptions options;
    options.mayLoseUnreadable = true;
    if (m_session->missingBytes() > 0) {
        if (!m_prompter->question(this,
                tr("The image file is cut short. Write it anyway, with the missing part black?"),
                m_session->cutShortWarning()))
            return;
        options.mayFillMissing = true;
    }
    // The window is repainted while a large image is written; the user's
    // clicks wait until it is done.
    options.progress = [](qint64, qint64) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };

    // Another program writing a large image may take a while: the window
    // waits, showing Wait..., and asks from time to time whether to go on.
    options.keepWaiting = [this](std::chrono::milliseconds, bool timeUp) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return !timeUp
            || m_prompter->question(this,
                tr("Another program is still writing this image. Keep waiting for it?"),
                tr("The image is written back once the other program has finished with it."));
    };

    // Any failure keeps the container open with everything in it; the image
    // on disk is replaced only by a complete new copy. An image another
    // program changed, before or during the write, is overwritten only when
    // the user says so; the lock is not held while the user is asked.
    Outcome written = Outcome::success();
    for (;;) {
        written = m_session->writeBack(path, chkUsePass->isChecked(), passwordBytes(), options);
        if (written.kind() != Outcome::Kind::ChangedOnDisk)
            break;
        // Told to overwrite, but the image read from was itself written
        // into: its hidden files are gone, and asking again cannot help.
        if (options.overwriteChanged && !m_session->carrier().checkIntact())
            break;
        if (!m_prompter->question(this,
                tr("The image was changed on disk since it was opened. Overwrite it with the "
                   "hidden files shown here?"),
                written.detail() + QLatin1Char(' ')
                    + tr("Overwriting it loses what the other program wrote.")))
            return;
        options.overwriteChanged = true;
    }
    if (!written) {
        showError(written);
        return;
    }
    const QStringList notes = m_session->notes();
    cmdClose_Click();
    if (!notes.isEmpty()) {
        m_prompter->message(
            this, QMessageBox::Information, QStringLiteral("Done."), notes.join(QLatin1Char('\n')));
    }
}

void frmVeldra::chkUsePass_Click()
{
    if (m_Loading)
        return;
    if (!chkUsePass->isChecked()) {
        m_Password.clear();
        return;
    }
    // A new password is typed twice. Dismissing either dialog keeps the
    // password in force, as it was before the box was ticked.
    QString typed = m_Password;
    const bool accepted = m_prompter->password(this, typed);
    if (accepted && !typed.isEmpty()) {
        QString again;
        if (m_prompter->password(this, again, Prompter::PasswordKind::Confirm)) {
            if (again != typed) {
                m_prompter->message(this, QMessageBox::Critical, tr("The two passwords differ."),
                    tr("No password was set. Tick the box to try again."));
                chkUsePass->setChecked(false);
                return;
            }
            m_Password = typed;
        }
    } else if (accepted) {
        m_Password.clear();
    }
    if (m_Password.isEmpty())
        chkUsePass->setChecked(false);
}
