// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

// Sealed containers in the window: opening one with its passphrase, and
// making a new one, on purpose only, that takes the place of whatever the
// image holds and carries a plain container's files over.

#include "SealedContainer.h"
#include "WindowController.h"

#include "base/FailureText.h"
#include "container/Charset.h"
#include "sealed/PlainCarryOver.h"

bool WindowController::openSealed(const QString &path)
{
    if (m_open)
        return false;
    // A dismissed dialog changes nothing; a passphrase that opens nothing is
    // said to, and nothing else happens: no other kind is tried, and nothing
    // new is made.
    const std::optional<QString> typed = m_user.password(WindowUser::PasswordKind::Passphrase);
    if (!typed)
        return false;
    auto session = std::make_unique<SealedSession>();
    session->setCost(m_sealedCost);
    const QByteArray passphrase = typed->toUtf8();
    if (Outcome opened = session->open(path, passphrase); !opened) {
        showError(opened);
        return false;
    }
    adopt(std::make_unique<SealedContainer>(std::move(session), passphrase), path);
    return true;
}

bool WindowController::seal(const QString &path)
{
    if (m_open)
        return false;
    if (!m_user.ask(tr("Make a new sealed container in this image? It takes the place of what "
                       "the image holds: a plain container's files are carried over into it, "
                       "but a sealed container under another passphrase is lost for good."),
            tr("Nothing is written before Write & Close.")))
        return false;
    std::unique_ptr<ContainerSession> plain = plainToSeal(path);
    if (!plain)
        return false;
    std::unique_ptr<SealedSession> sealed = sealedHolding(path, *plain);
    if (!sealed)
        return false;
    const std::optional<QByteArray> passphrase = newPassphrase();
    if (!passphrase)
        return false;
    adopt(
        std::make_unique<SealedContainer>(std::move(sealed), *passphrase, std::move(plain)), path);
    return true;
}

std::unique_ptr<ContainerSession> WindowController::plainToSeal(const QString &path)
{
    // A protected container's password is asked for; dismissing the dialog
    // gives up. The password in force stays as it is.
    bool dismissed = false;
    auto plain = std::make_unique<ContainerSession>();
    const Outcome opened = plain->open(path, [this, &dismissed](QString *) {
        const std::optional<QString> typed = m_user.password(WindowUser::PasswordKind::Enter);
        dismissed = !typed;
        // The password dialog lets through only text the container can store.
        if (!typed)
            return std::optional<QByteArray>();
        return std::optional<QByteArray>(Charset::encode(*typed).value_or(QByteArray()));
    });
    if (dismissed)
        return nullptr;
    Outcome whole = opened ? plain->checkWritable() : opened;
    if (!whole) {
        showError(whole);
        return nullptr;
    }
    return plain;
}

std::unique_ptr<SealedSession> WindowController::sealedHolding(
    const QString &path, const ContainerSession &plain)
{
    auto sealed = std::make_unique<SealedSession>();
    sealed->setCost(m_sealedCost);
    if (Outcome started = sealed->startNew(path); !started) {
        showError(started);
        return nullptr;
    }
    QString name;
    if (Outcome carried = carryOverPlainFiles(plain, *sealed, &name); !carried) {
        m_user.tell(WindowUser::Tone::Critical,
            tr("The plain container's files cannot all be sealed into this image."),
            tr("%1: %2").arg(name, fullText(carried)));
        return nullptr;
    }
    return sealed;
}

std::optional<QByteArray> WindowController::newPassphrase()
{
    const std::optional<QString> typed = m_user.password(WindowUser::PasswordKind::NewPassphrase);
    if (!typed)
        return std::nullopt;
    if (typed->isEmpty()) {
        m_user.tell(WindowUser::Tone::Critical, tr("A sealed container needs a passphrase."),
            tr("No sealed container was made. Choose Seal... to try again."));
        return std::nullopt;
    }
    const std::optional<QString> again
        = m_user.password(WindowUser::PasswordKind::ConfirmPassphrase);
    if (!again)
        return std::nullopt;
    if (*again != *typed) {
        m_user.tell(WindowUser::Tone::Critical, tr("The two passphrases differ."),
            tr("No sealed container was made. Choose Seal... to try again."));
        return std::nullopt;
    }
    return typed->toUtf8();
}
