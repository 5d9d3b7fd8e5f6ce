// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

// Opening and closing the one container the window holds at a time, and the
// password that goes with it.

#include "WindowController.h"

#include "PlainContainer.h"
#include "base/FailureText.h"
#include "container/Charset.h"
#include "picture/PictureCarrier.h"

#include <QDir>
#include <QFileInfo>

WindowController::WindowController(WindowUser &user, QObject *parent)
    : QObject(parent),
      m_user(user)
{
}

WindowController::~WindowController() = default;

QString WindowController::folderOf(const QString &path)
{
    const QFileInfo file(path);
    return path.isEmpty() || !file.absoluteDir().exists() ? QString() : file.absolutePath();
}

QByteArray WindowController::passwordBytes() const
{
    // The password dialog lets through only text the container can store.
    return Charset::encode(m_password).value_or(QByteArray());
}

void WindowController::showError(const Outcome &outcome)
{
    m_user.tell(WindowUser::Tone::Critical, headline(outcome), outcome.detail());
}

bool WindowController::open(const QString &path)
{
    // An open container keeps its unwritten changes until it is closed.
    if (m_open)
        return false;
    // A protected container asks for the password; a dismissed dialog leaves
    // the remembered one in force.
    auto session = std::make_unique<ContainerSession>();
    const Outcome outcome = session->open(path, [this](QString *) {
        if (const std::optional<QString> typed = m_user.password(WindowUser::PasswordKind::Enter))
            m_password = *typed;
        return std::optional<QByteArray>(passwordBytes());
    });
    if (!outcome) {
        // A password the container refused is forgotten, so that it never
        // protects the next image by mistake.
        if (outcome.kind() == Outcome::Kind::WrongPassword) {
            turnPasswordOff();
            m_password.clear();
        }
        showError(outcome);
        // A picture of another format or kind: a copy may carry files.
        if (outcome.kind() == Outcome::Kind::NotABitmap
            || outcome.kind() == Outcome::Kind::NotTwentyFourBit
            || outcome.kind() == Outcome::Kind::Unsupported)
            return offerCarrierCopy(path);
        return false;
    }
    // The box shows whether the container was protected; setting it keeps
    // the password in force.
    if (session->foundContainer() && m_usePassword != session->header().UsePassword) {
        m_usePassword = session->header().UsePassword;
        emit usePasswordChanged(m_usePassword);
    }
    adopt(std::make_unique<PlainContainer>(std::move(session)), path);
    return true;
}

void WindowController::adopt(std::unique_ptr<OpenContainer> container, const QString &path)
{
    m_open = std::move(container);
    m_path = path;
    emit opened();
    warnAboutOpened();
}

void WindowController::warnAboutOpened()
{
    const OpenContainer::Condition condition = m_open->condition();
    QStringList warnings;
    if (!condition.cutShortWarning.isEmpty())
        warnings << condition.cutShortWarning;
    if (!condition.damageWarning.isEmpty())
        warnings << condition.damageWarning;
    if (!warnings.isEmpty())
        m_user.tell(WindowUser::Tone::Warning, warnings.join(QLatin1Char(' ')));
}

bool WindowController::offerCarrierCopy(const QString &picture)
{
    if (!PictureCarrier::readable(picture))
        return false;
    const QString copy = PictureCarrier::freeNameBeside(picture);
    QString detail = tr("The copy is written beside the picture, which stays as it is.");
    if (PictureCarrier::isLossyFormat(picture)) {
        detail += QLatin1Char(' ')
            + tr("The picture was stored with losses: keep the hidden files in the BMP, since "
                 "saving it in the picture's format again would destroy them.");
    }
    if (!m_user.ask(tr("This picture cannot carry hidden files as it is. Make a 24-bit BMP copy "
                       "of it, \"%1\", and open that?")
                        .arg(QFileInfo(copy).fileName()),
            detail))
        return false;
    if (Outcome made = PictureCarrier::make(picture, copy, false, nullptr); !made) {
        showError(made);
        return false;
    }
    emit pathChanged(copy);
    return open(copy);
}

void WindowController::close()
{
    if (!m_open)
        return;
    m_open.reset();
    m_path.clear();
    emit closed();
}

void WindowController::turnPasswordOff()
{
    if (!m_usePassword)
        return;
    m_usePassword = false;
    emit usePasswordChanged(false);
}

void WindowController::setUsePassword(bool wanted)
{
    m_usePassword = wanted;
    if (!wanted) {
        m_password.clear();
        return;
    }
    // A new password is typed twice. Dismissing either dialog keeps the
    // password in force, as it was before the box was ticked.
    const std::optional<QString> typed = m_user.password(WindowUser::PasswordKind::Enter);
    if (typed && !typed->isEmpty()) {
        if (const std::optional<QString> again
            = m_user.password(WindowUser::PasswordKind::Confirm)) {
            // The dialog lets through only text the container can store;
            // any other source of passwords is held to the same.
            const QString unstorable = Charset::unrepresentable(*typed);
            if (*again != *typed || !unstorable.isEmpty()) {
                m_user.tell(WindowUser::Tone::Critical,
                    unstorable.isEmpty() ? tr("The two passwords differ.") : unstorable,
                    tr("No password was set. Tick the box to try again."));
                turnPasswordOff();
                m_password.clear();
                return;
            }
            m_password = *typed;
        }
    } else if (typed) {
        m_password.clear();
    }
    if (m_password.isEmpty())
        turnPasswordOff();
}
