// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

// Sealed containers, as users and others meet them:
// - any bitmap, opened with any passphrase: nothing opens;
// - files sealed into a bitmap through SealedSession, as veldra-cli and the
//   window do: they come back exactly, and another passphrase opens nothing;
// - then pixel bytes changed by someone else: the container either opens and
//   gives back exactly what was sealed, or is found damaged or missing, and
//   no file is ever extracted from what was changed.
// The key derivation is made cheap; what follows it is what is tested.

#include "FuzzSupport.h"
#include "io/LocalPath.h"
#include "sealed/SealedSession.h"

#include <QBuffer>

using namespace Fuzz;

namespace {

const SealedKeys::Cost Cheap {1, 8192};

struct Entry {
    QString name;
    QByteArray data;
};

// A name of up to 20 UTF-8 bytes of any kind, so that names the table
// refuses are tried too.
QString arbitraryName(Input &in)
{
    return QString::fromUtf8(in.bytes(in.byte() % 21));
}

// Pixel bytes changed by one up or down at most, never wrapping round;
// nothing else changed: not row fill, not headers.
void requireOnlyPixelsNudged(const Bitmap &bitmap, const QByteArray &after)
{
    require(after.size() == bitmap.bytes.size());
    const qint64 rows = bitmap.areaSize / bitmap.rowBytes;
    for (qsizetype i = 0; i < after.size(); ++i) {
        const int step = std::uint8_t(after[i]) - std::uint8_t(bitmap.bytes[i]);
        if (step == 0)
            continue;
        const qint64 inArea = i - bitmap.pixelOffset;
        require(step == 1 || step == -1);
        require(inArea >= 0 && inArea < rows * bitmap.stride
            && inArea % bitmap.stride < bitmap.rowBytes);
    }
}

bool isOneOf(Outcome::Kind kind, std::initializer_list<Outcome::Kind> kinds)
{
    return std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
}

// Opens the image with passphrase and extracts every entry into a new
// folder: with intact true, everything must come back; otherwise each step
// may fail as damage, but what is extracted is exactly what was sealed.
void readBack(
    const QString &bitmap, const QByteArray &passphrase, const QList<Entry> &model, bool intact)
{
    QTemporaryDir &dir = scratch("fuzz_sealed");
    const QString folder = dir.filePath("out");
    QDir(folder).removeRecursively();
    require(QDir().mkpath(folder));
    SealedSession session;
    session.setCost(Cheap);
    const Outcome opened = session.open(bitmap, passphrase);
    if (!opened) {
        require(!intact);
        require(isOneOf(opened.kind(), {Outcome::Kind::NoSealedContainer, Outcome::Kind::Damaged}));
        return;
    }
    // The table is authenticated: when it opens, it is the one sealed.
    require(session.entries().size() == model.size());
    for (qsizetype i = 0; i < model.size(); ++i) {
        require(session.entries().at(i).name == model.at(i).name);
        require(session.entries().at(i).size == model.at(i).data.size());
    }
    for (const Entry &entry : model) {
        const Outcome extracted = session.extract(entry.name, folder);
        const QString target = LocalPath::inFolder(folder, session.extractionName(entry.name));
        if (!extracted) {
            require(!intact && extracted.kind() == Outcome::Kind::Damaged);
            require(!QFileInfo::exists(target));
            continue;
        }
        require(readFile(target) == entry.data);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Input in(data, size);
    QTemporaryDir &dir = scratch("fuzz_sealed");
    const QString bitmap = dir.filePath("carrier.bmp");
    // Large enough for a sealed container, most of the time.
    const Bitmap made = arbitraryBitmap(in, 300, 240, 128, 171);
    writeFile(bitmap, made.bytes);

    if (in.byte() % 4 == 0) {
        // Someone else's bitmap: nothing opens.
        SealedSession session;
        session.setCost(Cheap);
        require(!session.open(bitmap, in.bytes(in.byte() % 16)));
        return 0;
    }

    SealedSession seal;
    seal.setCost(Cheap);
    if (!seal.startNew(bitmap))
        return 0;
    QList<Entry> model;
    for (int n = in.byte() % 5; n > 0; --n) {
        Entry entry {arbitraryName(in), {}};
        const qint64 room = seal.space().room;
        entry.data = in.payload(in.flag() ? in.byte() : in.below(room + 64));
        QBuffer buffer(&entry.data);
        require(buffer.open(QIODevice::ReadOnly));
        const Outcome added = seal.addFrom(buffer, entry.name);
        if (added)
            model.append(entry);
        else
            require(isOneOf(added.kind(), {Outcome::Kind::Refused, Outcome::Kind::NoRoom}));
    }
    const QByteArray passphrase = in.bytes(in.byte() % 16);
    const Outcome written = seal.writeBack(bitmap, passphrase, {});
    if (!written) {
        // Only a file cut short keeps a sealed container out.
        require(written.kind() == Outcome::Kind::CutShort);
        require(readFile(bitmap) == made.bytes);
        return 0;
    }
    const QByteArray sealed = readFile(bitmap);
    requireOnlyPixelsNudged(made, sealed);
    readBack(bitmap, passphrase, model, true);
    {
        SealedSession wrong;
        wrong.setCost(Cheap);
        require(wrong.open(bitmap, passphrase + 'x').kind() == Outcome::Kind::NoSealedContainer);
    }

    // Someone changes pixel bytes: their lowest bits, or all of them.
    QByteArray changed = sealed;
    const qint64 rows = made.areaSize / made.rowBytes;
    for (int n = 1 + in.byte() % 8; n > 0; --n) {
        const qint64 at = made.pixelOffset + in.below(quint32(rows)) * made.stride
            + in.below(quint32(made.rowBytes));
        changed[at] = static_cast<char>(in.flag() ? changed[at] ^ 1 : in.byte());
    }
    writeFile(bitmap, changed);
    readBack(bitmap, passphrase, model, false);
    return 0;
}
