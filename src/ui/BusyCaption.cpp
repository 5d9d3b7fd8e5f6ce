// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "BusyCaption.h"

#include <QApplication>
#include <QPushButton>

BusyCaption::BusyCaption(QPushButton *button) : m_button(button), m_caption(button->text())
{
    m_button->setText(tr("Wait..."));
    m_button->repaint();
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

BusyCaption::~BusyCaption()
{
    QApplication::restoreOverrideCursor();
    m_button->setText(m_caption);
}
