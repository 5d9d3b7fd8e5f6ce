#include "Prompter.h"

#include "FolderPicker.h"
#include "frmPassword.h"

#include <QApplication>
#include <QFileDialog>

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

} // namespace

void Prompter::message(QWidget *parent, QMessageBox::Icon icon, const QString &text)
{
    NormalCursor cursor;
    QMessageBox box(icon, QStringLiteral("Veldra"), text, QMessageBox::Ok, parent);
    box.exec();
}

std::optional<QString> Prompter::openFile(QFileDialog *dialog)
{
    NormalCursor cursor;
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return std::nullopt;
    return dialog->selectedFiles().constFirst();
}

QString Prompter::folder(QWidget *owner)
{
    NormalCursor cursor;
    return BrowseForFolder(owner);
}

void Prompter::password(QWidget *parent, QString &Password)
{
    NormalCursor cursor;
    frmPassword dialog(Password, parent);
    dialog.exec();
}

Prompter &Prompter::standard()
{
    static Prompter prompter;
    return prompter;
}
