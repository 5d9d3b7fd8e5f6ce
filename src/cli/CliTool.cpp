#include "CliTool.h"

#include "PasswordInput.h"
#include "TerminalText.h"
#include "carrier/FileProbe.h"
#include "carrier/ImageLock.h"
#include "container/ContainerSession.h"
#include "container/EntryRecord.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

enum Protection { Keep, Protect, Unprotect };

QString tr(const char *text)
{
    return QCoreApplication::translate("CliTool", text);
}

const QStringList Commands = {"info", "list", "add", "remove", "extract"};

} // namespace

int CliTool::usage(const QString &problem)
{
    m_err << escapeControls(problem) << '\n'
          << tr("Run \"%1 --help\" for the commands and options.")
                 .arg(QCoreApplication::applicationName())
          << '\n';
    m_err.flush();
    return UsageError;
}

int CliTool::run(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(tr(
        "Hides files in 24-bit BMP images and takes them out again.\n\n"
        "Commands:\n"
        "  info BITMAP                          capacity, used and free space, files, protection\n"
        "  list BITMAP                          size and name of every hidden file\n"
        "  add BITMAP FILE... [--protect | --no-protect]\n"
        "                                       hide files and write the image back\n"
        "  remove BITMAP NAME...                remove hidden files and write the image back\n"
        "  extract BITMAP [NAME...] [-o DIR]    write hidden files (all when none is named)"));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption protect(
        "protect", tr("Scramble the hidden data with a new password."));
    const QCommandLineOption noProtect("no-protect", tr("Store the hidden data without password."));
    const QCommandLineOption output(
        {"o", "output"}, tr("Extract into DIR (default: here)."), "DIR");
    const QCommandLineOption passwordFile("password-file",
        tr("Read the password from the first line of FILE (- for standard input)."), "FILE");
    parser.addOptions({protect, noProtect, output, passwordFile});
    parser.addPositionalArgument("command", tr("info, list, add, remove or extract"));
    parser.addPositionalArgument("bitmap", tr("the 24-bit BMP image"));
    parser.addPositionalArgument(
        "arguments", tr("files to add, names to remove or extract"), "[ARGUMENTS...]");
    m_help = parser.helpText();

    if (!parser.parse(arguments))
        return usage(parser.errorText());
    if (parser.isSet(helpOption)) {
        m_out << m_help;
        return Success;
    }
    if (parser.isSet(versionOption)) {
        m_out << QCoreApplication::applicationName() << ' '
              << QCoreApplication::applicationVersion() << '\n';
        return Success;
    }

    QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return usage(tr("No command given."));
    const QString command = positional.takeFirst();
    if (!Commands.contains(command))
        return usage(tr("Unknown command \"%1\".").arg(command));
    if (positional.isEmpty())
        return usage(tr("No bitmap given."));
    const QString bitmap = positional.takeFirst();

    if ((parser.isSet(protect) || parser.isSet(noProtect)) && command != QLatin1String("add"))
        return usage(tr("--protect and --no-protect go with add only."));
    if (parser.isSet(protect) && parser.isSet(noProtect))
        return usage(tr("--protect and --no-protect exclude each other."));
    if (parser.isSet(output) && command != QLatin1String("extract"))
        return usage(tr("-o goes with extract only."));
    if ((command == QLatin1String("info") || command == QLatin1String("list"))
        && !positional.isEmpty())
        return usage(tr("%1 takes only the bitmap.").arg(command));
    if (command == QLatin1String("add") && positional.isEmpty())
        return usage(tr("add needs at least one file."));
    if (command == QLatin1String("remove") && positional.isEmpty())
        return usage(tr("remove needs at least one name."));

    // Commands that write the image hold its lock from before the read to
    // after the write, so that concurrent writers take turns and every
    // change lands.
    const bool writes = command == QLatin1String("add") || command == QLatin1String("remove");
    ImageLock lock;
    if (writes) {
        if (Outcome probed = probeRegularFile(bitmap); !probed)
            return fail(Outcome::failure(tr("Bitmap file not found!"), probed.message()));
        if (Outcome locked = lock.acquire(bitmap); !locked)
            return fail(locked);
    }

    PasswordInput passwords(parser.value(passwordFile));
    ContainerSession session;
    const Outcome opened
        = session.open(bitmap, [&passwords](QString *why) { return passwords.existing(why); });
    if (!opened)
        return fail(opened);
    if (!session.report().isComplete())
        say(tr("Warning: %1").arg(session.report().message()));

    if (command == QLatin1String("info"))
        return info(session);
    if (command == QLatin1String("list"))
        return list(session);
    if (command == QLatin1String("extract"))
        return extract(session, positional, parser.isSet(output) ? parser.value(output) : ".");

    // The commands that write the image back refuse a container that could
    // not be read whole: writing it would drop what could not be read.
    if (!session.report().damage.isEmpty()) {
        say(tr("The image was not changed: its hidden data are damaged, and writing them back "
               "would lose the %1 files that could not be read.")
                .arg(session.report().unread()));
        return Failure;
    }
    if (command == QLatin1String("add")) {
        const int protection = parser.isSet(protect) ? Protect
            : parser.isSet(noProtect)                ? Unprotect
                                                     : Keep;
        return add(session, bitmap, positional, protection, passwords);
    }
    return remove(session, bitmap, positional);
}

int CliTool::info(ContainerSession &session)
{
    const qint64 used = session.file().TotalSize();
    m_out << "capacity: " << session.capacity() << '\n'
          << "used: " << used << '\n'
          << "free: " << session.capacity() - used << '\n'
          << "files: " << session.file().colFiles().count() << '\n'
          << "protected: " << (session.header().UsePassword ? "yes" : "no") << '\n';
    return Success;
}

int CliTool::list(ContainerSession &session)
{
    const DatFile &table = session.file();
    for (qsizetype i = 1; i <= table.colFiles().count(); ++i)
        m_out << table.colFiles().item(i).size() << '\t'
              << escapeControls(table.colDescriptions().item(i)) << '\n';
    return Success;
}

int CliTool::add(ContainerSession &session, const QString &bitmap, const QStringList &files,
    int protection, PasswordInput &passwords)
{
    // All or nothing: one refused file and the image is not written.
    QStringList notes;
    for (const QString &path : files) {
        if (Outcome added = session.add(path); !added) {
            say(path + QStringLiteral(": ") + added.fullText());
            say(tr("The image was not changed."));
            return Failure;
        }
        const QString name = QFileInfo(path).fileName();
        if (const QString stored = EntryRecord::storedForm(name); stored != name)
            notes << tr("%1: stored as \"%2\" (names keep at most %3 characters).")
                         .arg(path, stored)
                         .arg(EntryRecord::DescriptionSize);
    }
    bool usePassword = session.header().UsePassword;
    QByteArray password = session.password();
    if (protection == Protect) {
        QString why;
        const std::optional<QByteArray> fresh = passwords.fresh(&why);
        if (!fresh) {
            say(why);
            say(tr("The image was not changed."));
            return Failure;
        }
        usePassword = true;
        password = *fresh;
    } else if (protection == Unprotect) {
        usePassword = false;
        password.clear();
    }
    const int status = writeBack(session, bitmap, usePassword, password);
    if (status == Success) {
        for (const QString &note : std::as_const(notes))
            say(note);
    }
    return status;
}

int CliTool::remove(ContainerSession &session, const QString &bitmap, const QStringList &names)
{
    for (const QString &name : names) {
        if (Outcome removed = session.file().Remove(name); !removed) {
            say(removed.fullText());
            say(tr("The image was not changed."));
            return Failure;
        }
    }
    return writeBack(session, bitmap, session.header().UsePassword, session.password());
}

int CliTool::writeBack(
    ContainerSession &session, const QString &bitmap, bool usePassword, const QByteArray &password)
{
    if (Outcome written = session.write(bitmap, usePassword, password); !written)
        return fail(written);
    return Success;
}

int CliTool::extract(ContainerSession &session, const QStringList &names, const QString &folder)
{
    const DatFile &table = session.file();
    QStringList wanted;
    int failures = 0;
    if (names.isEmpty()) {
        for (qsizetype i = 1; i <= table.colDescriptions().count(); ++i)
            wanted << table.colDescriptions().item(i);
    } else {
        for (const QString &name : names) {
            // Written under the name it is stored with, whatever case was asked for.
            if (const QString *description = table.colDescriptions().find(name)) {
                wanted << *description;
            } else {
                say(tr("\"%1\" is not hidden in this image.").arg(name));
                ++failures;
            }
        }
    }
    for (const QString &description : std::as_const(wanted)) {
        if (Outcome written = table.Extract(description, folder); !written) {
            say(description + QStringLiteral(": ") + written.fullText());
            ++failures;
        } else if (const QString used = table.extractionName(description); used != description) {
            say(tr("\"%1\" cannot be a file name as it stands and was written as \"%2\".")
                    .arg(description, used));
        }
    }
    return failures == 0 ? Success : Failure;
}

void CliTool::say(const QString &text)
{
    m_err << escapeControls(text) << '\n';
    m_err.flush();
}

int CliTool::fail(const Outcome &outcome)
{
    say(outcome.fullText());
    return Failure;
}
