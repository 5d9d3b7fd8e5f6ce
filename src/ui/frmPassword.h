// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include <QDialog>

class Prompter;
class QLineEdit;
class QPushButton;

// The small modal window in which the user types a container's password,
// or a sealed container's passphrase.
// OK (or Enter) stores the typed text in the Password it was given; Escape
// and the close box leave Password unchanged. Each showing starts empty.
class frmPassword : public QDialog {
    Q_OBJECT

public:
    explicit frmPassword(
        QString &Password, QWidget *parent = nullptr, Prompter *prompter = nullptr);

    // Asks for a sealed container's passphrase under title instead: any
    // text of at most 4096 bytes in UTF-8.
    void askForPassphrase(const QString &title);

    QLineEdit *txtPassword = nullptr;
    QPushButton *cmdOK = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private slots:
    void cmdOK_Click();

private:
    void Form_KeyDown(int &KeyCode, Qt::KeyboardModifiers Shift);

    QString &m_Password;
    Prompter *m_prompter;
    bool m_passphrase = false;
};
