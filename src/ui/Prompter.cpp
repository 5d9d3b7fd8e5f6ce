// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "Prompter.h"

#include "io/LocalPath.h"

#include "FolderPicker.h"
#include "frmPassword.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
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

// The dialog property that holds the names last typed into it.
constexpr char TypedNames[] = "veldraTypedNames";

} // namespace

bool runFileDialog(QFileDialog *dialog)
{
    // A name the dialog starts with is selected, so that typing replaces it.
    // What the user types is kept: the dialog rewrites the box with the
    // files it selects, dropping typed names that do not exist.
    dialog->setProperty(TypedNames, QString());
    QMetaObject::Connection typing;
    if (auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))) {
        QTimer::singleShot(0, name, &QLineEdit::selectAll);
        typing = QObject::connect(name, &QLineEdit::textEdited, dialog,
            [dialog](const QString &text) { dialog->setProperty(TypedNames, text); });
    }
    // Picking files in the list, or another folder, after typing makes the
    // typed names no longer the user's choice.
    const auto forgetTyped = [dialog] {
        dialog->setProperty(TypedNames, QString());
    };
    const QMetaObject::Connection picking
        = QObject::connect(dialog, &QFileDialog::currentChanged, dialog, forgetTyped);
    const QMetaObject::Connection moving
        = QObject::connect(dialog, &QFileDialog::directoryEntered, dialog, forgetTyped);
    const bool accepted = dialog->exec() == QDialog::Accepted;
    QObject::disconnect(typing);
    QObject::disconnect(picking);
    QObject::disconnect(moving);
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
    if (!runFileDialog(dialog))
        return {};
    QStringList chosen = dialog->selectedFiles();
    // Several names typed in quotes are taken as typed: the dialog's own
    // choice from them can leave out files that exist and drops those that
    // do not, which are handed on too, so that the caller can say so.
    if (dialog->fileMode() == QFileDialog::ExistingFiles) {
        static const QRegularExpression quoted(QStringLiteral("\"([^\"]+)\""));
        QStringList typed;
        for (auto names = quoted.globalMatch(dialog->property(TypedNames).toString());
             names.hasNext();) {
            // A name of its own may start with ':', which Qt would take for
            // a built-in resource; an absolute path stays as it is.
            const QString name = names.next().captured(1);
            typed << (name.startsWith(QLatin1Char('/'))
                    ? name
                    : LocalPath::inFolder(dialog->directory().absolutePath(), name));
        }
        if (typed.size() > 1)
            chosen = typed;
    }
    return chosen;
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
        dialog.setWindowTitle(tr("Confirm password..."));
    else if (kind == PasswordKind::Passphrase)
        dialog.askForPassphrase(tr("Enter passphrase..."));
    else if (kind == PasswordKind::NewPassphrase)
        dialog.askForPassphrase(tr("New passphrase..."));
    else if (kind == PasswordKind::ConfirmPassphrase)
        dialog.askForPassphrase(tr("Confirm passphrase..."));
    return dialog.exec() == QDialog::Accepted;
}

Prompter &Prompter::standard()
{
    static Prompter prompter;
    return prompter;
}
