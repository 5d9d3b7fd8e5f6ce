// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

// The way to sealed containers: a menu on the Open button and on the path
// box, by mouse or keyboard, with Open sealed... and Seal...; and the
// password box, which does not apply while a sealed container is open.

#include "BusyCaption.h"
#include "frmVeldra.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

QString frmVeldra::menuHint()
{
    return tr("Its menu (right click, the Menu key or Shift+F10) opens a sealed container, or "
              "seals the image.");
}

void frmVeldra::buildSealedActions()
{
    actOpenSealed = new QAction(tr("&Open sealed..."), this);
    actOpenSealed->setObjectName(QStringLiteral("actOpenSealed"));
    actSeal = new QAction(tr("&Seal..."), this);
    actSeal->setObjectName(QStringLiteral("actSeal"));
    connect(actOpenSealed, &QAction::triggered, this, &frmVeldra::actOpenSealed_Click);
    connect(actSeal, &QAction::triggered, this, &frmVeldra::actSeal_Click);

    for (QWidget *control : {static_cast<QWidget *>(cmdOpen), static_cast<QWidget *>(txtBitmap)}) {
        control->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(control, &QWidget::customContextMenuRequested, this,
            [this, control](const QPoint &pos) { showSealedMenu(control, pos); });
    }
    cmdOpen->setToolTip(menuHint());
    txtBitmap->setToolTip(menuHint());
}

bool frmVeldra::isMenuKey(int key, Qt::KeyboardModifiers modifiers)
{
    return key == Qt::Key_Menu || (key == Qt::Key_F10 && modifiers == Qt::ShiftModifier);
}

void frmVeldra::showSealedMenu(QWidget *control, const QPoint &pos)
{
    // The actions take the path as Open does: while Open can, and no image
    // is open.
    actOpenSealed->setEnabled(cmdOpen->isEnabled());
    actSeal->setEnabled(cmdOpen->isEnabled());
    QMenu *menu = nullptr;
    if (control == txtBitmap) {
        menu = txtBitmap->createStandardContextMenu();
        menu->addSeparator();
    } else {
        menu = new QMenu(this);
    }
    menu->setObjectName(QStringLiteral("mnuOpen"));
    menu->setAccessibleName(tr("More ways to open"));
    menu->setAccessibleDescription(
        tr("Opens a sealed container with its passphrase, or makes a new one in the image."));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(actOpenSealed);
    menu->addAction(actSeal);
    menu->popup(control->mapToGlobal(pos));
}

void frmVeldra::actOpenSealed_Click()
{
    BusyCaption busy(cmdOpen);
    m_controller->openSealed(txtBitmap->text());
}

void frmVeldra::actSeal_Click()
{
    BusyCaption busy(cmdOpen);
    m_controller->seal(txtBitmap->text());
}

void frmVeldra::showPasswordBoxFor(bool sealed)
{
    const QString why = tr("A sealed container is always encrypted with its passphrase: the box "
                           "is for plain containers.");
    chkUsePass->setEnabled(!sealed);
    chkUsePass->setToolTip(sealed ? why : QString());
    chkUsePass->setAccessibleDescription(sealed ? why : m_boxDescription);
}
