// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

// Writing the open container, plain or sealed, back into its image as one
// of its kind, with the questions asked on the way: files that would be lost, a cut image, another
// program writing the image, and an image changed on disk.

#include "WindowController.h"

#include <QCoreApplication>

bool WindowController::confirmLosses(OpenContainer::WriteSettings *options)
{
    const OpenContainer::Condition condition = m_open->condition();
    // Entries that could not be read when the image was opened would be lost.
    if (const qint64 lost = condition.unread; lost > 0) {
        const QString text = lost == 1
            ? tr("1 hidden file could not be read and would be lost if the image is written "
                 "back. Write it anyway?")
            : tr("%1 hidden files could not be read and would be lost if the image is written "
                 "back. Write it anyway?")
                  .arg(lost);
        if (!m_user.ask(text, condition.damage))
            return false;
    }
    options->mayLoseUnreadable = true;
    if (condition.missingBytes > 0) {
        if (!m_user.ask(
                tr("The image file is cut short. Write it anyway, with the missing part black?"),
                condition.cutShortWarning))
            return false;
        options->mayFillMissing = true;
    }
    return true;
}

std::optional<Outcome> WindowController::writeAsking(OpenContainer::WriteSettings options)
{
    // Any failure keeps the container open with everything in it; the image
    // on disk is replaced only by a complete new copy. An image another
    // program changed, before or during the write, is overwritten only when
    // the user says so; the lock is not held while the user is asked.
    for (;;) {
        Outcome written = m_open->writeBack(m_path, options);
        if (written.kind() != Outcome::Kind::ChangedOnDisk)
            return written;
        // Told to overwrite, but the image read from was itself written
        // into: its hidden files are gone, and asking again cannot help.
        if (options.overwriteChanged && !m_open->stillIntact())
            return written;
        if (!m_user.ask(tr("The image was changed on disk since it was opened. Overwrite it with "
                           "the hidden files shown here?"),
                written.detail() + QLatin1Char(' ')
                    + tr("Overwriting it loses what the other program wrote.")))
            return std::nullopt;
        options.overwriteChanged = true;
    }
}

bool WindowController::writeAndClose()
{
    if (!m_open)
        return false;
    OpenContainer::WriteSettings options;
    if (!confirmLosses(&options))
        return false;
    // A plain container is written with the password as the box says; a
    // sealed one under its own passphrase.
    options.usePassword = m_usePassword;
    options.password = passwordBytes();
    // The window is repainted while a large image is written; the user's
    // clicks wait until it is done.
    options.progress = [](qint64, qint64) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    // Another program writing a large image may take a while: the window
    // waits, and asks from time to time whether to go on.
    options.wait = m_writerWait;
    options.keepWaiting = [this](std::chrono::milliseconds, bool timeUp) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return !timeUp
            || m_user.ask(tr("Another program is still writing this image. Keep waiting for it?"),
                tr("The image is written back once the other program has finished with it."));
    };
    const std::optional<Outcome> written = writeAsking(options);
    if (!written)
        return false;
    if (!*written) {
        showError(*written);
        return false;
    }
    const QStringList notes = m_open->notes();
    close();
    if (!notes.isEmpty())
        m_user.tell(WindowUser::Tone::Information, tr("Done."), notes.join(QLatin1Char('\n')));
    return true;
}
