// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include <QCoreApplication>
#include <QString>

class QPushButton;

// While alive, the button reads "Wait..." (painted at once, before the work
// starts) and the application shows the busy cursor; both are put back when
// it goes.
class BusyCaption {
    Q_DECLARE_TR_FUNCTIONS(BusyCaption)

public:
    explicit BusyCaption(QPushButton *button);
    ~BusyCaption();
    BusyCaption(const BusyCaption &) = delete;
    BusyCaption &operator=(const BusyCaption &) = delete;

private:
    QPushButton *m_button;
    QString m_caption;
};
