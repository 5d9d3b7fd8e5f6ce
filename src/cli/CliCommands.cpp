// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

// What each command of veldra-cli does, on the same core as the window.

#include "CliTool.h"
#include "base/FailureText.h"

#include "PasswordInput.h"
#include "TerminalText.h"
#include "analysis/ImageAnalysis.h"
#include "container/ContainerSession.h"
#include "container/EntryRecord.h"
#include "io/FileProbe.h"
#include "io/ImageLock.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>
#include <vector>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("CliTool", text);
}

const QStringList Writers = {"add", "remove", "protect", "unprotect"};

} // namespace

int CliTool::carrier(const Request &request)
{
    // The helper sits beside this program in a build, in the library folder
    // once installed.
    char self[4096];
    const ssize_t length = ::readlink("/proc/self/exe", self, sizeof self - 1);
    const QString folder = length > 0
        ? QFileInfo(QFile::decodeName(QByteArray(self, length))).absolutePath()
        : QString();
    QString helper;
    for (const QString &candidate : {folder + QStringLiteral("/veldra-carrier"),
             folder + QStringLiteral("/" VELDRA_HELPER_FROM_BIN "/veldra-carrier")}) {
        if (QFileInfo(candidate).isExecutable()) {
            helper = candidate;
            break;
        }
    }
    if (helper.isEmpty()) {
        return fail(
            Outcome::failure(tr("Pictures cannot be read: the helper veldra-carrier is missing."),
                tr("Install Veldra again.")));
    }
    QList<QByteArray> arguments = {QFile::encodeName(helper), QFile::encodeName(request.bitmap),
        QFile::encodeName(request.arguments.constFirst())};
    if (request.force)
        arguments << "--force";
    std::vector<char *> argv;
    for (QByteArray &argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    m_out.flush();
    m_err.flush();
    std::fflush(nullptr);
    ::execv(argv[0], argv.data());
    return fail(Outcome::failure(tr("The helper veldra-carrier could not be started."),
        QString::fromLocal8Bit(std::strerror(errno))));
}

int CliTool::analyse(const Request &request)
{
    ImageAnalysis result;
    if (Outcome done = analyseImage(request.bitmap, &result); !done)
        return fail(done);
    if (request.json) {
        const QJsonObject object {{"pixel_bytes", result.pixelBytes},
            {"missing_bytes", result.missingBytes}, {"detected", result.detected},
            {"run_end", result.runEnd}, {"margin", result.margin},
            {"nonzero_fill_bytes", result.nonzeroFillBytes},
            {"whole_image_rate", result.wholeImageRate}, {"verdict", result.verdict}};
        m_out << QJsonDocument(object).toJson(QJsonDocument::Indented);
        return Success;
    }
    const double share = result.pixelBytes > 0 ? double(result.runEnd) / result.pixelBytes : 0;
    m_out << "pixel bytes: " << result.pixelBytes << '\n';
    // Only a file cut short has this line, so that the lines of a whole one
    // stay where scripts expect them.
    if (result.missingBytes > 0)
        m_out << "missing bytes: " << result.missingBytes << '\n';
    m_out << "hidden run: " << (result.detected ? "detected" : "not detected") << '\n'
          << "run end: " << result.runEnd << " (" << QString::number(100.0 * share, 'f', 1)
          << " % of the pixel bytes)\n"
          << "margin: " << QString::number(result.margin, 'f', 2) << " (1.0 counts as present)\n"
          << "row fill bytes not zero: " << result.nonzeroFillBytes << '\n'
          << "whole-image rate: " << QString::number(result.wholeImageRate, 'f', 3)
          << " (for data scattered over the image; it says nothing about a run's length)\n"
          << "verdict: " << result.verdict << '\n';
    return Success;
}

void CliTool::say(const QString &text)
{
    m_err << escapeControls(text) << '\n';
    m_err.flush();
}

int CliTool::fail(const Outcome &outcome)
{
    say(fullText(outcome));
    return Failure;
}

int CliTool::execute(const Request &request)
{
    // These two do not open a container.
    if (request.command == QLatin1String("carrier"))
        return carrier(request);
    if (request.command == QLatin1String("analyse"))
        return analyse(request);

    // Commands that write the image hold its lock from before the read to
    // after the write, so that concurrent writers take turns and every
    // change lands.
    ContainerSession session;
    if (Writers.contains(request.command)) {
        if (Outcome probed = probeRegularFile(request.bitmap); !probed)
            return fail(Outcome::failure(Outcome::Kind::BitmapNotFound, fullText(probed)));
        if (Outcome locked = session.lockImage(request.bitmap, request.wait); !locked)
            return fail(locked);
    }

    PasswordInput passwords(request.passwordFile, request.newPasswordFile, request.prompts);
    const Outcome opened = session.open(
        request.bitmap, [&passwords](QString *why) { return passwords.existing(why); });
    if (!opened)
        return fail(opened);
    if (const QString cut = session.cutShortWarning(); !cut.isEmpty())
        say(tr("Warning: %1").arg(cut));
    if (!session.report().isComplete())
        say(tr("Warning: %1").arg(session.report().message()));

    if (request.command == QLatin1String("info"))
        return info(session, request.json);
    if (request.command == QLatin1String("list"))
        return list(session, request.json);
    if (request.command == QLatin1String("extract"))
        return extract(session, request);

    // The commands that write refuse, before they change anything, a
    // container that could not be read whole: writing it back would drop
    // what could not be read.
    if (Outcome writable = session.checkWritable(); !writable)
        return fail(writable);
    if (request.command == QLatin1String("add"))
        return add(session, request, passwords);
    if (request.command == QLatin1String("remove"))
        return remove(session, request);
    return protect(session, request, passwords);
}

int CliTool::info(const ContainerSession &session, bool json)
{
    const ContainerSession::Space space = session.space();
    const qint64 files = session.file().colFiles().count();
    const bool isProtected = session.header().UsePassword;
    if (json) {
        const QJsonObject object {{"capacity", space.capacity}, {"used", space.used},
            {"free", space.free}, {"files", files}, {"protected", isProtected},
            {"room", space.room}, {"damaged", !session.report().damage.isEmpty()},
            {"unreadable", session.report().unread()}, {"missing_bytes", session.missingBytes()}};
        m_out << QJsonDocument(object).toJson(QJsonDocument::Indented);
        return Success;
    }
    m_out << "capacity: " << space.capacity << '\n'
          << "used: " << space.used << '\n'
          << "free: " << space.free << '\n'
          << "files: " << files << '\n'
          << "protected: " << (isProtected ? "yes" : "no") << '\n';
    return Success;
}

int CliTool::list(const ContainerSession &session, bool json)
{
    const DatFile &table = session.file();
    if (json) {
        // JSON escapes what cannot be printed: the names stay exact.
        QJsonArray entries;
        for (qsizetype i = 1; i <= table.colFiles().count(); ++i) {
            entries.append(QJsonObject {{"name", table.colDescriptions().item(i)},
                {"size", table.colFiles().item(i).size}});
        }
        // Entries that could not be read have no name to list: one last
        // object, without a name, says how many there are.
        if (const LoadReport &report = session.report(); !report.damage.isEmpty()) {
            entries.append(QJsonObject {
                {"damaged", true}, {"unreadable", report.unread()}, {"reason", report.damage}});
        }
        m_out << QJsonDocument(entries).toJson(QJsonDocument::Indented);
        return Success;
    }
    for (qsizetype i = 1; i <= table.colFiles().count(); ++i)
        m_out << table.colFiles().item(i).size << '\t'
              << escapeControls(table.colDescriptions().item(i)) << '\n';
    return Success;
}

int CliTool::add(ContainerSession &session, const Request &request, PasswordInput &passwords)
{
    // All or nothing: one refused file and the image is not written.
    QStringList notes;
    for (const QString &path : request.arguments) {
        const bool fromInput = path == QLatin1String("-");
        Outcome added = Outcome::success();
        if (fromInput) {
            QFile input;
            added = input.open(stdin, QIODevice::ReadOnly)
                ? session.addFrom(input, request.name)
                : Outcome::failure(Outcome::Kind::Refused, input.errorString());
        } else {
            // Read as the image is written, milliseconds from now, so that
            // no copy of the file need be held in memory.
            added = session.add(path, Holding::FromFile);
        }
        if (!added) {
            say((fromInput ? tr("standard input") : path) + QStringLiteral(": ") + fullText(added));
            say(tr("The image was not changed."));
            return Failure;
        }
        const QString name = fromInput ? request.name : QFileInfo(path).fileName();
        if (const QString why = EntryRecord::whyStoredDifferently(name); !why.isEmpty())
            notes << tr("%1: stored as \"%2\" (%3).")
                         .arg(fromInput ? tr("standard input") : path,
                             EntryRecord::storedForm(name), why);
    }
    bool usePassword = session.header().UsePassword;
    QByteArray password = session.password();
    if (request.protection == Request::Protect) {
        const std::optional<QByteArray> fresh = freshPassword(passwords);
        if (!fresh)
            return Failure;
        usePassword = true;
        password = *fresh;
    } else if (request.protection == Request::Unprotect) {
        usePassword = false;
        password.clear();
    }
    const int status = writeBack(session, request, usePassword, password);
    if (status == Success) {
        for (const QString &note : std::as_const(notes))
            say(note);
    }
    return status;
}

int CliTool::remove(ContainerSession &session, const Request &request)
{
    for (const QString &name : request.arguments) {
        if (Outcome removed = session.file().Remove(name); !removed) {
            say(fullText(removed));
            say(tr("The image was not changed."));
            return Failure;
        }
    }
    return writeBack(session, request, session.header().UsePassword, session.password());
}

int CliTool::protect(ContainerSession &session, const Request &request, PasswordInput &passwords)
{
    if (request.command == QLatin1String("unprotect")) {
        // An image without hidden files stays as it is.
        if (!session.foundContainer())
            return Success;
        return writeBack(session, request, false, QByteArray());
    }
    const std::optional<QByteArray> fresh = freshPassword(passwords);
    return fresh ? writeBack(session, request, true, *fresh) : int(Failure);
}

std::optional<QByteArray> CliTool::freshPassword(PasswordInput &passwords)
{
    QString why;
    const std::optional<QByteArray> fresh = passwords.fresh(&why);
    if (!fresh) {
        say(why);
        say(tr("The image was not changed."));
    }
    return fresh;
}

int CliTool::writeBack(
    ContainerSession &session, const Request &request, bool usePassword, const QByteArray &password)
{
    ContainerSession::WriteOptions options;
    options.mayFillMissing = request.force;
    if (Outcome written = session.writeBack(request.bitmap, usePassword, password, options);
        !written) {
        if (written.kind() == Outcome::Kind::CutShort)
            say(tr("Give --force to write it all the same."));
        return fail(written);
    }
    for (const QString &note : session.notes())
        say(note);
    return Success;
}

int CliTool::extract(const ContainerSession &session, const Request &request)
{
    const DatFile &table = session.file();
    QStringList wanted;
    int failures = 0;
    if (request.arguments.isEmpty()) {
        for (qsizetype i = 1; i <= table.colDescriptions().count(); ++i)
            wanted << table.colDescriptions().item(i);
    } else {
        for (const QString &name : request.arguments) {
            // Written under the name it is stored with, whatever case was asked for.
            if (const QString *description = table.colDescriptions().find(name)) {
                wanted << *description;
            } else {
                say(tr("\"%1\" is not hidden in this image.").arg(name));
                ++failures;
            }
        }
    }
    if (request.output == QLatin1String("-")) {
        if (wanted.isEmpty())
            return Failure;
        m_out.flush();
        QIODevice *raw = m_out.device();
        const Outcome written
            = table.streamData(wanted.constFirst(), [raw](const char *data, qint64 size) {
                  if (raw && raw->write(data, size) == size)
                      return Outcome::success();
                  return Outcome::failure(
                      tr("The output could not be written."), raw ? raw->errorString() : QString());
              });
        if (!written)
            return fail(written);
        // What the device still buffers is written now, so that a full disk
        // or a closed pipe is reported here rather than lost at exit.
        auto *file = qobject_cast<QFileDevice *>(raw);
        if (file && !file->flush())
            return fail(Outcome::failure(tr("The output could not be written."),
                QString::fromLocal8Bit(std::strerror(errno))));
        return Success;
    }
    // A missing folder is made, as unpackers do; one that cannot take the
    // files is named once rather than once per file.
    if (Outcome ready = prepareFolder(request.output); !ready)
        return fail(ready);
    for (const QString &description : std::as_const(wanted)) {
        if (Outcome written = session.extract(description, request.output, request.noClobber);
            !written) {
            say(description + QStringLiteral(": ") + fullText(written));
            ++failures;
        } else if (const QString used = table.extractionName(description); used != description) {
            say(tr("\"%1\" cannot be a file name as it stands and was written as \"%2\".")
                    .arg(description, used));
        }
    }
    // All were asked for, and some could not even be listed.
    if (const qint64 unread = session.report().unread();
        request.arguments.isEmpty() && unread > 0) {
        say(tr("%1 hidden files could not be read and were not extracted.").arg(unread));
        ++failures;
    }
    return failures == 0 ? Success : Failure;
}
