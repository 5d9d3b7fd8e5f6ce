// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

// Feeds arbitrary bytes through everything opening a bitmap does: the load
// checks, the container header, the password check (with a fixed password),
// the walk over the entries and the extraction of every entry into a
// temporary folder. Nothing may crash, read outside the pixel area or write
// outside that folder.

#include "container/ContainerSession.h"
#include "container/EntryName.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <QtEndian>

#include <cstdint>
#include <cstdlib>

namespace {

// Pixel areas are allocated as the header declares, up to 2 GiB, and a short
// file is padded with zeros: a tiny input may ask for a huge area. That is
// intended; the fuzzer skips such inputs to stay fast and inside its memory
// limit.
constexpr qint64 LargestArea = 16 * 1024 * 1024;

bool declaresHugeArea(const QByteArray &bytes)
{
    if (bytes.size() < 54)
        return false;
    const qint64 width = qAbs(qint64(qFromLittleEndian<qint32>(bytes.constData() + 18)));
    const qint64 height = qAbs(qint64(qFromLittleEndian<qint32>(bytes.constData() + 22)));
    return width > LargestArea || height > LargestArea || width * height * 3 > LargestArea;
}

// On a memory file system where there is one: every extracted file is
// synced, which on a disk would take most of the time.
QString scratchBase()
{
    return QFileInfo(QStringLiteral("/dev/shm")).isWritable()
        ? QStringLiteral("/dev/shm/fuzz_open-XXXXXX")
        : QDir::tempPath() + QStringLiteral("/fuzz_open-XXXXXX");
}

struct Scratch {
    QTemporaryDir dir {scratchBase()};
    QString bitmap = dir.filePath("input.bmp");
    QString out = dir.filePath("out");
};

Scratch &scratch()
{
    static int argc = 1;
    static char name[] = "fuzz_open";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static Scratch s;
    return s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    if (declaresHugeArea(bytes))
        return -1;
    Scratch &s = scratch();
    QFile file(s.bitmap);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        std::abort();
    file.close();

    ContainerSession session;
    const Outcome opened
        = session.open(s.bitmap, [](QString *) { return std::optional<QByteArray>("fuzz"); });
    if (!opened)
        return 0;
    const DatFile &table = session.file();
    if (table.TotalSize() > session.capacity())
        std::abort(); // entries can only come from inside the carrier

    QDir(s.out).removeRecursively();
    QDir().mkpath(s.out);
    // Every entry gets a file name of its own; writing them all would make
    // a container of thousands of entries slow (each is synced), so the first
    // few are.
    QSet<QString> names;
    for (qsizetype i = 1; i <= table.colDescriptions().count(); ++i) {
        const QString name = table.extractionName(table.colDescriptions().item(i));
        if (!EntryName::whyUnusable(name).isEmpty() || names.contains(name))
            std::abort();
        names.insert(name);
    }
    qsizetype extracted = 0;
    for (qsizetype i = 1; i <= qMin<qsizetype>(table.colDescriptions().count(), 8); ++i) {
        if (table.Extract(table.colDescriptions().item(i), s.out))
            ++extracted;
    }
    // Everything extracted must sit directly inside the folder, each entry
    // in a file of its own.
    const QStringList written = QDir(s.out).entryList(
        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    if (written.size() != extracted)
        std::abort();
    for (const QString &name : written) {
        if (!QFileInfo(QDir(s.out).filePath(name)).isFile())
            std::abort();
    }
    if (QDir(s.dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size()
        != 2)
        std::abort(); // nothing may land beside the folder
    return 0;
}
