// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "Prompter.h"

#include "FolderPicker.h"
#include "frmPassword.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace {

// A busy cursor set for a long action gives way to the normal one while the
// user is asked something.
class NormalCursor {
public:
    NormalCursor() : m_active(QApplication::overrideCursor() != nullptr)
    {
        if (m_active)
            QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~NormalCursor()
    {
        if (m_active)
            QApplication::restoreOverrideCursor();
    }
    NormalCursor(const NormalCursor &) = delete;
    NormalCursor &operator=(const NormalCursor &) = delete;

private:
    bool m_active;
};

// Texts may hold hidden files' names, which come from the image: they are
// shown as they are, never taken for markup.
void showPlain(QMessageBox &box, const QString &text, const QString &detail)
{
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    box.setInformativeText(detail);
    if (auto *informative = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_informativelabel")))
        informative->setTextFormat(Qt::PlainText);
}

} // namespace

bool runFileDialog(QFileDialog *dialog)
{
    // A name the dialog starts with is selected, so that typing replaces it.
    if (auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
        QTimer::singleShot(0, name, &QLineEdit::selectAll);
    const bool accepted = dialog->exec() == QDialog::Accepted;
    // The name box's completion list is a window of its own: one left open
    // would outlive the dialog and swallow the next key.
    for (QCompleter *completer : dialog->findChildren<QCompleter *>()) {
        if (completer->popup())
            completer->popup()->hide();
    }
    return accepted;
}

void Prompter::message(
    QWidget *parent, QMessageBox::Icon icon, const QString &text, const QString &detail)
{
    NormalCursor cursor;
    QMessageBox box(icon, QStringLiteral("Veldra"), QString(), QMessageBox::Ok, parent);
    showPlain(box, text, detail);
    box.exec();
}

bool Prompter::question(QWidget *parent, const QString &text, const QString &detail)
{
    NormalCursor cursor;
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Veldra"), QString(),
        QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    showPlain(box, text, detail);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> Prompter::openFile(QFileDialog *dialog)
{
    const QStringList chosen = openFiles(dialog);
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen.constFirst();
}

QStringList Prompter::openFiles(QFileDialog *dialog)
{
    NormalCursor cursor;
    const bool accepted = runFileDialog(dialog);
    return accepted ? dialog->selectedFiles() : QStringList();
}

QString Prompter::folder(QWidget *owner, const QString &start)
{
    NormalCursor cursor;
    return BrowseForFolder(owner, start);
}

bool Prompter::password(QWidget *parent, QString &Password, PasswordKind kind)
{
    NormalCursor cursor;
    frmPassword dialog(Password, parent);
    if (kind == PasswordKind::Confirm)
        dialog.setWindowTitle(QStringLiteral("Confirm password..."));
    return dialog.exec() == QDialog::Accepted;
}

Prompter &Prompter::standard()
{
    static Prompter prompter;
    return prompter;
}
