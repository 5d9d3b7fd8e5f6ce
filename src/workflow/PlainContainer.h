// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "OpenContainer.h"

#include "container/ContainerSession.h"

#include <QCoreApplication>

#include <memory>

// A plain container open in the window: a ContainerSession, written back
// with or without the password as the box says.
class PlainContainer : public OpenContainer {
    Q_DECLARE_TR_FUNCTIONS(PlainContainer)

public:
    explicit PlainContainer(std::unique_ptr<ContainerSession> session);

    bool isSealed() const override { return false; }
    QList<Entry> entries() const override;
    Space space() const override;
    QString overheadNote() const override;
    Condition condition() const override;
    Outcome add(const QString &path) override;
    Outcome remove(const QString &name) override;
    Outcome extract(const QString &name, const QString &folder) const override;
    QString extractionName(const QString &name) const override;
    Outcome writeBack(const QString &path, const WriteSettings &settings) override;
    bool stillIntact() const override;
    QStringList notes() const override { return m_session->notes(); }
    const ContainerSession *plainSession() const override { return m_session.get(); }

private:
    std::unique_ptr<ContainerSession> m_session;
};
