#pragma once

#include <QMessageBox>
#include <QString>

#include <optional>

class QFileDialog;
class QWidget;

// Every modal question the window asks goes through here: message boxes, the
// open-file dialogs, the folder picker and the password dialog. In use the
// real dialogs are shown; tests put a scripted answerer in its place.
class Prompter {
public:
    virtual ~Prompter() = default;

    // A modal box captioned "Veldra" with the icon and one OK button.
    virtual void message(QWidget *parent, QMessageBox::Icon icon, const QString &text);
    // The chosen file's full path, or nothing when the user cancelled.
    virtual std::optional<QString> openFile(QFileDialog *dialog);
    // A folder ending in "/", or an empty text when the user cancelled.
    virtual QString folder(QWidget *owner);
    // Shows the password dialog; OK stores the typed text in Password, a
    // dismissal leaves it unchanged.
    virtual void password(QWidget *parent, QString &Password);

    // The prompter the program uses unless told otherwise.
    static Prompter &standard();
};
