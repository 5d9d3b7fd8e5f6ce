// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "workflow/WindowController.h"

#include <QWidget>

#include <memory>

class Prompter;
class PrompterUser;
class QAction;
class QCheckBox;
class QFileDialog;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QMimeData;
class QPushButton;

// The main window: name a bitmap, open the container hidden in it (or, from
// the menu of the Open button and the path box, a sealed one, or make a new
// sealed one), work on its files and write it back or close it.
class frmVeldra : public QWidget {
    Q_OBJECT

public:
    explicit frmVeldra(Prompter *prompter = nullptr, QWidget *parent = nullptr);
    ~frmVeldra() override;

    // A byte count as the size labels show it: "1 234 bytes".
    static QString FormatBytes(qint64 count);

    // Puts path into the path box and opens it as Open does; for a bitmap
    // named when the program starts.
    void openPath(const QString &path);

    // True when the control's caption shows whole inside its box.
    static bool captionFits(const QWidget *control);
    QList<QWidget *> captionedControls() const;

    // The program state the window drives, readable for inspection.
    const QString &Password() const { return m_controller->password(); }
    // The open plain container's file table, or none.
    const DatFile *openFile() const
    {
        return m_controller->session() ? &m_controller->session()->file() : nullptr;
    }
    // The controller, for tests: setSealedCost and setWriterWait.
    WindowController &controller() { return *m_controller; }
    bool isLoading() const { return m_Loading; }

    // Controls, also reachable by their object names.
    QLabel *Label1 = nullptr;
    QLineEdit *txtBitmap = nullptr;
    QPushButton *cmdBrowse = nullptr;
    QPushButton *cmdOpen = nullptr;
    QPushButton *cmdClose = nullptr;
    QPushButton *cmdWrClose = nullptr;
    QFrame *shpFiles = nullptr;
    QGroupBox *fraFiles = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *lblCapacity = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *lblUsed = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *lblFree = nullptr;
    QListWidget *lstFiles = nullptr;
    QPushButton *cmdAdd = nullptr;
    QPushButton *cmdRem = nullptr;
    QPushButton *cmdExtract = nullptr;
    QPushButton *cmdExtractAll = nullptr;
    QCheckBox *chkUsePass = nullptr;
    QLabel *lblCopy = nullptr;
    QFileDialog *cdl = nullptr;
    QFileDialog *cdl2 = nullptr;
    // In the menu of the Open button and of the path box.
    QAction *actOpenSealed = nullptr;
    QAction *actSeal = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private slots:
    void txtBitmap_Change();
    void cmdBrowse_Click();
    void cmdOpen_Click();
    void cmdClose_Click();
    void cmdWrClose_Click();
    void chkUsePass_Click();
    void cmdAdd_Click();
    void cmdRem_Click();
    void cmdExtract_Click();
    void cmdExtractAll_Click();
    void txtBitmap_Enter();
    void lstFiles_Activated(QListWidgetItem *item);
    void actOpenSealed_Click();
    void actSeal_Click();

private:
    enum class DropTarget { None, FileList, BitmapPath };

    void buildControls();
    void buildFileFrame();
    // Drops, tab order, default buttons and the state at start.
    void arrangeControls();
    void connectControls();
    void describeControls();
    // The menu of the Open button and of the path box: Open sealed... and
    // Seal..., after the path box's own editing actions.
    void buildSealedActions();
    void showSealedMenu(QWidget *control, const QPoint &pos);
    // True when key opens a control's menu from the keyboard: the Menu key
    // or Shift+F10.
    static bool isMenuKey(int key, Qt::KeyboardModifiers modifiers);
    // The tooltip that says the menu is there.
    static QString menuHint();
    // The box does not apply to a sealed container: disabled, saying why.
    void showPasswordBoxFor(bool sealed);
    // What a drop on watched would do, given what the window shows now.
    DropTarget dropTargetOf(const QObject *watched, const QMimeData *data) const;
    // Handles a drag or drop event over watched; false when it is not ours.
    bool handleDrag(const QObject *watched, QEvent *event);
    // What the controller opened, closed or changed, shown.
    void showOpened();
    void showClosed();
    void showUsePassword(bool on);
    void fitFont();
    void Form_Load();
    void Form_KeyDown(int &KeyCode, Qt::KeyboardModifiers Shift);
    void Form_Unload();
    void RefreshInfo();

    Prompter *m_prompter;
    // The controller asks its questions through the prompter.
    std::unique_ptr<PrompterUser> m_user;
    // The open container, the password and the flow of every button.
    std::unique_ptr<WindowController> m_controller;
    // Set while the window ticks or clears the box itself, so that it asks
    // nothing.
    bool m_Loading = false;
    // What the path box is, for screen readers, when nothing is wrong with it.
    QString m_pathDescription;
    // What the box is, for screen readers, while it applies.
    QString m_boxDescription;
};
