// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "frmVeldra.h"

#include "Prompter.h"
#include "PrompterUser.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>

frmVeldra::frmVeldra(Prompter *prompter, QWidget *parent)
    : QWidget(parent,
        Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
            | Qt::MSWindowsFixedSizeDialogHint),
      m_prompter(prompter ? prompter : &Prompter::standard())
{
    setObjectName(QStringLiteral("frmVeldra"));
    setWindowTitle(tr("Steganographic encoder/decoder 2.0"));
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/veldra/%1.png").arg(size), QSize(size, size));
    setWindowIcon(icon);
    setFixedSize(256, 330);
    buildControls();
    m_user = std::make_unique<PrompterUser>(*m_prompter, this, cdl2);
    m_controller = std::make_unique<WindowController>(*m_user);
    connect(m_controller.get(), &WindowController::opened, this, &frmVeldra::showOpened);
    connect(m_controller.get(), &WindowController::closed, this, &frmVeldra::showClosed);
    connect(m_controller.get(), &WindowController::entriesChanged, this, &frmVeldra::RefreshInfo);
    connect(m_controller.get(), &WindowController::usePasswordChanged, this,
        &frmVeldra::showUsePassword);
    connect(m_controller.get(), &WindowController::pathChanged, txtBitmap, &QLineEdit::setText);
    fitFont();
    Form_Load();
    // Key preview: the window sees every key before the focused control.
    qApp->installEventFilter(this);

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

frmVeldra::~frmVeldra()
{
    qApp->removeEventFilter(this);
}

void frmVeldra::Form_KeyDown(int &KeyCode, Qt::KeyboardModifiers)
{
    if (KeyCode == Qt::Key_Escape) {
        KeyCode = 0;
        close();
    }
}

bool frmVeldra::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()
        && static_cast<QWidget *>(watched)->window() == this) {
        auto *key = static_cast<QKeyEvent *>(event);
        int code = key->key();
        Form_KeyDown(code, key->modifiers());
        if (code == 0)
            return true;
        // The Open button's and the path box's menu, from the keyboard.
        if ((watched == cmdOpen || watched == txtBitmap) && isMenuKey(code, key->modifiers())) {
            auto *control = static_cast<QWidget *>(watched);
            showSealedMenu(control, control->rect().center());
            return true;
        }
        // Delete on a selected row removes it, as Remove does.
        if (code == Qt::Key_Delete && watched == lstFiles && m_controller->isOpen()
            && !lstFiles->selectedItems().isEmpty()) {
            cmdRem_Click();
            return true;
        }
    }
    if ((watched == lstFiles->viewport() || watched == txtBitmap) && handleDrag(watched, event))
        return true;
    return QWidget::eventFilter(watched, event);
}

frmVeldra::DropTarget frmVeldra::dropTargetOf(const QObject *watched, const QMimeData *data) const
{
    if (!data->hasUrls())
        return DropTarget::None;
    if (watched == lstFiles->viewport())
        return m_controller->isOpen() ? DropTarget::FileList : DropTarget::BitmapPath;
    // Only one file can be the path.
    if (!m_controller->isOpen() && data->urls().size() == 1)
        return DropTarget::BitmapPath;
    return DropTarget::None;
}

bool frmVeldra::handleDrag(const QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    auto *drop = static_cast<QDropEvent *>(event);
    const DropTarget target = dropTargetOf(watched, drop->mimeData());
    if (target == DropTarget::None) {
        drop->ignore();
        return true;
    }
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type != QEvent::Drop)
        return true;

    // Dropped links are turned into local paths, never typed in as text.
    QStringList paths;
    QStringList elsewhere;
    for (const QUrl &url : drop->mimeData()->urls()) {
        if (url.isLocalFile())
            paths << url.toLocalFile();
        else
            elsewhere << url.toDisplayString();
    }
    if (!elsewhere.isEmpty()) {
        m_prompter->message(this, QMessageBox::Critical,
            tr("Only files on this computer can be used."), elsewhere.join(QLatin1Char('\n')));
    }
    if (target == DropTarget::FileList)
        m_controller->addFiles(paths);
    else if (!paths.isEmpty())
        txtBitmap->setText(paths.constFirst());
    return true;
}

void frmVeldra::dragEnterEvent(QDragEnterEvent *event)
{
    handleDrag(this, event);
}

void frmVeldra::dragMoveEvent(QDragMoveEvent *event)
{
    handleDrag(this, event);
}

void frmVeldra::dropEvent(QDropEvent *event)
{
    handleDrag(this, event);
}

void frmVeldra::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

void frmVeldra::Form_Unload()
{
    // An open container is discarded unwritten.
    if (m_controller->isOpen())
        cmdClose_Click();
}
