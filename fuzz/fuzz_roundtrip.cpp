// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

// Builds a random file table the way users do, through ContainerSession:
// files added from disk (read at once or as the image is written) and from
// a stream, some removed; writes it back into a random carrier file with or
// without a password, as the window and veldra-cli do; opens the image
// again and checks that every entry comes back with its stored name, size
// and bytes, in order. Twice: the second time over the container the first
// wrote, whose entries that stay in place are not rewritten.

#include "FuzzSupport.h"
#include "container/ContainerSession.h"
#include "container/EntryName.h"
#include "container/EntryRecord.h"
#include "container/PasswordHash.h"

#include <QBuffer>

using namespace Fuzz;

namespace {

struct Entry {
    QString name;
    QByteArray data;
};

struct Round {
    QTemporaryDir &dir = scratch("fuzz_roundtrip");
    QString bitmap = dir.filePath("carrier.bmp");
    int files = 0; // files made so far for adding
};

// A name of any of the 256 one-byte codes, up to 34 characters long (the
// record keeps 28).
QString arbitraryName(Input &in)
{
    return Charset::decode(in.bytes(in.byte() % 35));
}

// A file of the given name and bytes in a folder of its own, or nothing
// when no such file can be made.
QString makeFile(Round &round, const QString &name, const QByteArray &data)
{
    if (!EntryName::whyUnusable(name).isEmpty())
        return {};
    const QString folder = round.dir.filePath(QStringLiteral("in/%1").arg(round.files++));
    QDir().mkpath(folder);
    QFile file(QDir(folder).filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size())
        return {};
    return file.fileName();
}

// Adds one file, from disk or from a stream: it must be taken exactly when
// its name passes Add's test and the container still fits with it.
void addOne(Input &in, ContainerSession &session, Round &round, QList<Entry> &model)
{
    const QString name = arbitraryName(in);
    const qint64 room = session.space().room;
    const QByteArray data = in.payload(in.flag() ? in.byte() : in.below(room + 64));
    const bool nameAccepted = bool(session.file().checkDescription(name));
    const bool fits = session.file().ContainerSizeWith(data.size()) <= session.space().capacity;
    const int how = in.byte() % 3;
    const QString path = how < 2 ? makeFile(round, name, data) : QString();
    Outcome added = Outcome::success();
    if (!path.isEmpty()) {
        added = session.add(path, how == 0 ? Holding::InMemory : Holding::FromFile);
    } else {
        QBuffer buffer;
        buffer.setData(data);
        require(buffer.open(QIODevice::ReadOnly));
        added = session.addFrom(buffer, name);
    }
    require(added.ok() == (nameAccepted && fits));
    if (!fits && nameAccepted)
        require(added.kind() == Outcome::Kind::NoRoom);
    if (fits && !nameAccepted)
        require(added.kind() == Outcome::Kind::Refused);
    if (added.ok()) {
        require(session.file().colDescriptions().item(session.file().colFiles().count()) == name);
        model.append({name, data});
    }
}

void removeSome(Input &in, ContainerSession &session, QList<Entry> &model)
{
    for (int n = in.byte() % 4; n > 0 && !model.isEmpty(); --n) {
        const qsizetype at = in.byte() % model.size();
        require(session.file().Remove(model[at].name).ok());
        model.removeAt(at);
    }
    require(!session.file().Remove(QStringLiteral("never added")).ok());
}

// Opens the image as written and compares it with the model; gives the
// session, ready for the next round.
std::unique_ptr<ContainerSession> reopen(
    const Round &round, const QList<Entry> &model, bool usePassword, const QByteArray &password)
{
    if (usePassword && HashPassword(password) != HashPassword(password + 'x')) {
        ContainerSession wrong;
        const Outcome refused = wrong.open(
            round.bitmap, [&](QString *) { return std::optional<QByteArray>(password + 'x'); });
        require(refused.kind() == Outcome::Kind::WrongPassword);
    }
    auto session = std::make_unique<ContainerSession>();
    require(
        session->open(round.bitmap, [&](QString *) { return std::optional<QByteArray>(password); })
            .ok());
    require(session->foundContainer() && session->report().isComplete());
    require(session->header().UsePassword == usePassword);
    const DatFile &table = session->file();
    require(table.colFiles().count() == model.size());
    for (qsizetype i = 1; i <= model.size(); ++i) {
        const Entry &entry = model[i - 1];
        require(table.colDescriptions().item(i) == EntryRecord::storedForm(entry.name));
        require(table.colFiles().item(i).size == entry.data.size());
        QByteArray data;
        require(table.readData(table.colDescriptions().item(i), &data).ok() && data == entry.data);
    }
    return session;
}

// One round: removes and adds, writes back, reads back.
std::unique_ptr<ContainerSession> writeAndReadBack(
    Input &in, ContainerSession &session, Round &round, QList<Entry> &model)
{
    removeSome(in, session, model);
    for (int n = in.byte() % 6; n > 0; --n)
        addOne(in, session, round, model);
    const bool usePassword = in.flag();
    const QByteArray password = in.bytes(in.byte() % 12);
    ContainerSession::WriteOptions options;
    options.mayFillMissing = true; // the carrier may be cut short
    const QByteArray before = readFile(round.bitmap);
    require(session.writeBack(round.bitmap, usePassword, password, options).ok());
    const Carrier &carrier = session.carrier();
    requireOnlyHiddenBitsChanged(
        before, readFile(round.bitmap), carrier.pixelOffset(), carrier.pixelAreaSize());
    // Names are read back in their stored form.
    for (Entry &entry : model)
        entry.name = EntryRecord::storedForm(entry.name);
    return reopen(round, model, usePassword, password);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Input in(data, size);
    static Round round;
    QDir(round.dir.filePath("in")).removeRecursively();
    writeFile(round.bitmap, arbitraryBitmap(in, 160, 64).bytes);
    auto session = std::make_unique<ContainerSession>();
    if (!session->open(round.bitmap, [](QString *) { return std::optional<QByteArray>(); }))
        return 0; // too small to hold a container, or random bits that look like a protected one
    // Random pixels may look like a container: what it holds is kept.
    QList<Entry> model;
    for (qsizetype i = 1; i <= session->file().colFiles().count(); ++i) {
        const QString name = session->file().colDescriptions().item(i);
        QByteArray bytes;
        require(session->file().readData(name, &bytes).ok());
        model.append({name, bytes});
    }
    if (!session->report().isComplete())
        return 0;
    session = writeAndReadBack(in, *session, round, model);
    writeAndReadBack(in, *session, round, model);
    return 0;
}
