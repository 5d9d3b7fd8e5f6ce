// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "frmPassword.h"

#include "Prompter.h"
#include "container/Charset.h"
#include "sealed/SealedFormat.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

frmPassword::frmPassword(QString &Password, QWidget *parent, Prompter *prompter)
    : QDialog(parent,
        Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
            | Qt::MSWindowsFixedSizeDialogHint),
      m_Password(Password),
      m_prompter(prompter ? prompter : &Prompter::standard())
{
    setObjectName(QStringLiteral("frmPassword"));
    setWindowTitle(tr("Enter password..."));
    setFixedSize(169, 64);

    txtPassword = new QLineEdit(this);
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    txtPassword->setGeometry(8, 8, 153, 19);
    txtPassword->setEchoMode(QLineEdit::Password);
    txtPassword->setStyleSheet(QStringLiteral("lineedit-password-character: 42; "
                                              "lineedit-password-mask-delay: 0;"));
    txtPassword->setAttribute(Qt::WA_InputMethodEnabled, false);
    txtPassword->setInputMethodHints(
        Qt::ImhHiddenText | Qt::ImhSensitiveData | Qt::ImhNoPredictiveText);

    cmdOK = new QPushButton(tr("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(60, 32, 49, 25);
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmPassword::cmdOK_Click);

    txtPassword->setAccessibleName(tr("Password"));
    txtPassword->setAccessibleDescription(tr("The container's password; it is not shown."));
    cmdOK->setAccessibleName(tr("OK"));
    cmdOK->setAccessibleDescription(tr("Takes the typed password."));

    setTabOrder(txtPassword, cmdOK);
    txtPassword->setFocus();
    // Key preview: the dialog sees every key before the focused control.
    txtPassword->installEventFilter(this);
    cmdOK->installEventFilter(this);
}

void frmPassword::askForPassphrase(const QString &title)
{
    m_passphrase = true;
    setWindowTitle(title);
    txtPassword->setAccessibleName(tr("Passphrase"));
    txtPassword->setAccessibleDescription(
        tr("The sealed container's passphrase, any text; it is not shown."));
    cmdOK->setAccessibleDescription(tr("Takes the typed passphrase."));
}

void frmPassword::cmdOK_Click()
{
    const QString typed = txtPassword->text();
    const QString bad = !m_passphrase ? Charset::unrepresentable(typed)
        : typed.toUtf8().size() > SealedFormat::LongestPassphrase
        ? tr("A passphrase has at most %1 bytes.").arg(SealedFormat::LongestPassphrase)
        : QString();
    if (!bad.isEmpty()) {
        m_prompter->message(this, QMessageBox::Critical, bad);
        txtPassword->setFocus();
        return;
    }
    m_Password = typed;
    accept();
}

void frmPassword::Form_KeyDown(int &KeyCode, Qt::KeyboardModifiers)
{
    if (KeyCode == Qt::Key_Escape) {
        KeyCode = 0;
        reject();
    }
}

bool frmPassword::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        int code = key->key();
        Form_KeyDown(code, key->modifiers());
        if (code == 0)
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmPassword::keyPressEvent(QKeyEvent *event)
{
    int code = event->key();
    Form_KeyDown(code, event->modifiers());
    if (code != 0)
        QDialog::keyPressEvent(event);
}
