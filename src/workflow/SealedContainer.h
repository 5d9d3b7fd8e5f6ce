// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "OpenContainer.h"

#include "container/ContainerSession.h"
#include "sealed/SealedSession.h"

#include <QCoreApplication>

#include <memory>

// A sealed container open in the window: opened with its passphrase, or
// made anew with a new one, and written back as a new sealed container
// under that passphrase, whatever the password box says.
class SealedContainer : public OpenContainer {
    Q_DECLARE_TR_FUNCTIONS(SealedContainer)

public:
    // replaced: the plain container a new sealed one takes the place of,
    // and whose files it holds. Its hidden bytes are re-randomised when the
    // sealed one is written, and an image changed since it was read is
    // asked about.
    SealedContainer(std::unique_ptr<SealedSession> session, QByteArray passphrase,
        std::unique_ptr<ContainerSession> replaced = nullptr);
    ~SealedContainer() override;

    bool isSealed() const override { return true; }
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

private:
    std::unique_ptr<SealedSession> m_session;
    QByteArray m_passphrase; // wiped when the container is closed
    std::unique_ptr<ContainerSession> m_replaced;
};
