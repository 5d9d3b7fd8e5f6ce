// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

// Feeds arbitrary bytes, written as a bitmap file, through what users do
// with an image: the analysis of its pixels (held to a plain count of the
// same pairs and fill bytes); opening it as the window does (load checks,
// container header, password check with the password "fuzz", the walk over
// the entries); extracting the entries into a temporary folder; removing
// some and writing the container back into the image. Nothing may crash,
// read outside the file, or write outside that folder and the image; what
// is written back must open again with the entries kept, byte for byte.

#include "FuzzSupport.h"
#include "analysis/ImageAnalysis.h"
#include "analysis/SamplePairs.h"
#include "container/ContainerSession.h"
#include "container/EntryName.h"

#include <QSet>

using namespace Fuzz;

namespace {

// Opening, extracting and analysing read only the bytes the file holds,
// whatever its headers claim. Writing back a file cut short writes it whole,
// to the end of its pixels, which headers of a few bytes may put gigabytes
// away (the pixel area or the offset of the pixels): the missing part is
// filled only where that adds little to the file, so a run stays fast.
constexpr qint64 LargestFill = 1 << 20;

struct Scratch {
    QTemporaryDir &dir = scratch("fuzz_open");
    QString bitmap = dir.filePath("input.bmp");
    QString out = dir.filePath("out");
};

const QByteArray Password = "fuzz";

std::optional<QByteArray> fixedPassword(QString *)
{
    return Password;
}

// The analysis against the pixel bytes the file holds, row by row.
void checkAnalysis(const QString &path, const QByteArray &bytes)
{
    Carrier carrier;
    const bool loads = carrier.LoadCarrier(path).ok();
    ImageAnalysis analysis;
    require(analyseImage(path, &analysis).ok() == loads);
    if (!loads)
        return;
    const qint64 area = carrier.pixelAreaSize();
    const qint64 held = qMax<qint64>(0, bytes.size() - carrier.pixelOffset());
    require(analysis.pixelBytes == qMin(area, held)
        && analysis.missingBytes == area - analysis.pixelBytes);
    require(analysis.runEnd() >= 0 && analysis.runEnd() <= analysis.pixelBytes);
    require(analysis.statisticalRunEnd >= 0 && analysis.statisticalRunEnd <= analysis.pixelBytes);
    require(analysis.runFound == (analysis.statisticalRunEnd > 0) && !analysis.verdict.isEmpty());

    const qint64 rowPixels = 3 * qint64(carrier.infoHeader().biWidth());
    const qint64 stride = (rowPixels + 3) / 4 * 4;
    const qint64 rows = qAbs(qint64(carrier.infoHeader().biHeight()));
    const auto *pixels = reinterpret_cast<const std::uint8_t *>(bytes.constData())
        + qMin<qint64>(bytes.size(), carrier.pixelOffset());
    const qint64 total = qMin(stride * rows, held);
    SamplePairCounts counts;
    qint64 fill = 0;
    qint64 nonzeroFill = 0;
    for (qint64 row = 0; row * stride < total; ++row) {
        const qint64 start = row * stride;
        const qint64 paired = qMin(rowPixels, analysis.pixelBytes - start);
        if (paired > 0)
            counts.addRow(pixels + start, std::size_t(paired));
        for (qint64 f = start + rowPixels; f < qMin(start + stride, total); ++f) {
            ++fill;
            nonzeroFill += pixels[f] != 0;
        }
    }
    require(analysis.fillBytes == fill && analysis.nonzeroFillBytes == nonzeroFill);
    require(analysis.wholeImageRate == counts.rate());
}

// Every entry gets a file name of its own; the first few are extracted, and
// nothing may land anywhere but directly inside the folder.
void checkExtraction(const DatFile &table, const Scratch &s)
{
    QDir(s.out).removeRecursively();
    QDir().mkpath(s.out);
    QSet<QString> names;
    for (qsizetype i = 1; i <= table.colDescriptions().count(); ++i) {
        const QString name = table.extractionName(table.colDescriptions().item(i));
        require(EntryName::whyUnusable(name).isEmpty() && !names.contains(name));
        names.insert(name);
    }
    // Each extracted file is synced: a container of thousands of entries
    // would make a slow run.
    qsizetype extracted = 0;
    for (qsizetype i = 1; i <= qMin<qsizetype>(table.colDescriptions().count(), 8); ++i) {
        if (table.Extract(table.colDescriptions().item(i), s.out))
            ++extracted;
    }
    const QStringList written = QDir(s.out).entryList(
        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    require(written.size() == extracted);
    for (const QString &name : written)
        require(QFileInfo(QDir(s.out).filePath(name)).isFile());
}

struct Entry {
    QString name;
    QByteArray data;
};

// Removes the entries whose bit in choice is set; gives those kept.
QList<Entry> removeSome(DatFile &table, quint32 choice)
{
    QList<Entry> kept;
    QStringList removed;
    qint64 keptSize = 0;
    for (qsizetype i = 1; i <= table.colDescriptions().count(); ++i) {
        const QString name = table.colDescriptions().item(i);
        if ((choice >> (i % 32)) & 1) {
            removed << name;
            continue;
        }
        QByteArray data;
        require(table.readData(name, &data).ok());
        keptSize += data.size();
        kept.append({name, data});
    }
    for (const QString &name : std::as_const(removed)) {
        require(table.Remove(name).ok());
        require(!table.Remove(name).ok());
    }
    require(table.colFiles().count() == kept.size() && table.TotalSize() == keptSize);
    return kept;
}

void removeAndWriteBack(ContainerSession &session, const Scratch &s, const QByteArray &bytes)
{
    const quint32 choice = qChecksum(bytes) * 2654435761u;
    const QList<Entry> kept = removeSome(session.file(), choice);
    ContainerSession::WriteOptions options;
    options.mayLoseUnreadable = choice & 1;
    const Carrier &carrier = session.carrier();
    const qint64 grows = carrier.pixelOffset() + carrier.pixelAreaSize() - bytes.size();
    options.mayFillMissing = grows <= LargestFill && (choice & 2);
    const Outcome written
        = session.writeBack(s.bitmap, session.header().UsePassword, session.password(), options);
    if (session.report().unread() > 0 && !options.mayLoseUnreadable) {
        require(written.kind() == Outcome::Kind::Damaged && readFile(s.bitmap) == bytes);
        return;
    }
    if (session.missingBytes() > 0 && !options.mayFillMissing) {
        require(written.kind() == Outcome::Kind::CutShort && readFile(s.bitmap) == bytes);
        return;
    }
    require(written.ok());
    requireOnlyHiddenBitsChanged(
        bytes, readFile(s.bitmap), carrier.pixelOffset(), carrier.pixelAreaSize());

    ContainerSession back;
    require(back.open(s.bitmap, fixedPassword).ok());
    require(back.foundContainer() && back.report().isComplete() && back.missingBytes() == 0);
    require(back.header().UsePassword == session.header().UsePassword);
    const DatFile &table = back.file();
    require(table.colFiles().count() == kept.size());
    for (qsizetype i = 1; i <= table.colFiles().count(); ++i) {
        QByteArray data;
        require(table.colDescriptions().item(i) == kept[i - 1].name);
        require(table.readData(kept[i - 1].name, &data).ok() && data == kept[i - 1].data);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    static Scratch s;
    writeFile(s.bitmap, bytes);
    checkAnalysis(s.bitmap, bytes);

    ContainerSession session;
    if (!session.open(s.bitmap, fixedPassword))
        return 0;
    const DatFile &table = session.file();
    require(table.TotalSize() <= session.space().capacity); // entries come from inside the carrier
    checkExtraction(table, s);
    removeAndWriteBack(session, s, bytes);
    // Nothing may be left beside the folder and the image.
    require(QDir(s.dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)
        == QStringList({"input.bmp", "out"}));
    return 0;
}
