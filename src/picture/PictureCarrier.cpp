// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "PictureCarrier.h"
#include "base/FailureText.h"

#include "bitmap/PlainBitmap.h"
#include "container/ContainerHeader.h"
#include "container/EntryRecord.h"
#include "io/FileProbe.h"
#include "io/LocalPath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

#include <sys/stat.h>

#include <limits>

namespace {

// This file's texts, translated under the context "PictureCarrier".
class Texts {
    Q_DECLARE_TR_FUNCTIONS(PictureCarrier)
};

// Formats that store pictures with losses (or may: WebP has both kinds).
const QStringList LossyFormats = {"jpeg", "jpg", "webp", "heic", "heif", "avif", "jp2"};

// The picture is decoded whole, at 4 bytes a pixel for most formats (once
// more when its orientation tag turns it), and its rows are then converted
// one at a time: what a picture takes to read is what making a carrier takes
// in memory. 512 MiB admits 134 million pixels (11585 x 11585, a BMP of
// 400 MB carrying 50 MB), more than cameras make, and keeps a file of a few
// hundred bytes that claims a vast size from taking gigabytes. The limit
// holds for all of Qt's image reading in the program; nothing else it reads
// comes near it.
constexpr int AllocationLimitMiB = 512;

// Refuses, before it is decoded, a picture of size that would take more
// memory to read than the limit, or make a BMP of 2 GiB of pixels or more.
// format is what the reader decodes it to, if it can tell.
Outcome checkSize(const QString &source, QSize size, QImage::Format format)
{
    if (!size.isValid())
        return Outcome::success(); // the reader cannot tell: the limit stands
    const qint64 bits
        = format == QImage::Format_Invalid ? 32 : QImage::toPixelFormat(format).bitsPerPixel();
    const qint64 bytes = (size.width() * bits + 31) / 32 * 4 * size.height();
    const qint64 area = qint64(size.width()) * size.height() * 3;
    const auto mib = [](qint64 count) {
        return QString::number((count + (1 << 20) - 1) >> 20);
    };
    QString reason;
    if (bytes > qint64(AllocationLimitMiB) << 20) {
        reason
            = Texts::tr("At %1 x %2 pixels it would take %3 MiB of memory to read; a picture may "
                        "take %4 MiB at most.")
                  .arg(size.width())
                  .arg(size.height())
                  .arg(mib(bytes))
                  .arg(AllocationLimitMiB);
    } else if (area > std::numeric_limits<qint32>::max()) {
        reason
            = Texts::tr("At %1 x %2 pixels its BMP would hold %3 MiB of pixels; a carrier's pixels "
                        "must take less than 2 GiB.")
                  .arg(size.width())
                  .arg(size.height())
                  .arg(mib(area));
    }
    if (reason.isEmpty())
        return Outcome::success();
    return Outcome::failure(Texts::tr("%1 is too large to make a carrier of.").arg(source), reason);
}

// Refuses a picture whose BMP could not hold even one empty file: the
// container's header and one record.
Outcome checkRoom(const QString &source, const PlainBitmap &bitmap)
{
    constexpr qint64 header = ContainerHeader::Size;
    constexpr qint64 record = EntryRecord::Size;
    if (bitmap.capacity() >= header + record)
        return Outcome::success();
    // Every pixel carries 3 hidden bits.
    const qint64 least = ((header + record) * 8 + 2) / 3;
    qint64 side = 1;
    while (side * side < least)
        ++side;
    return Outcome::failure(Texts::tr("%1 is too small to carry hidden files.").arg(source),
        Texts::tr(
            "At %1 x %2 pixels its BMP would have room for %3 of the %4 bytes that even an empty "
            "file takes (a %5-byte header and a %6-byte record). A picture needs at least %7 "
            "pixels, such as %8 x %8.")
            .arg(bitmap.width)
            .arg(bitmap.height)
            .arg(bitmap.capacity())
            .arg(header + record)
            .arg(header)
            .arg(record)
            .arg(least)
            .arg(side));
}

bool exists(const QString &path)
{
    struct stat st { };
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

// One colour component over white, by its opacity.
inline char overWhite(int component, int alpha)
{
    return static_cast<char>((component * alpha + 255 * (255 - alpha) + 127) / 255);
}

// Whether the picture states its resolution. Qt gives one that states none
// the resolution of any new image (the screen's, or 100 dpi without one),
// which says nothing about the picture: that counts as none, even for the
// rare picture that states exactly it.
bool statesResolution(const QImage &image)
{
    const QImage unstated(1, 1, QImage::Format_RGB32);
    return image.dotsPerMeterX() > 0 && image.dotsPerMeterY() > 0
        && (image.dotsPerMeterX() != unstated.dotsPerMeterX()
            || image.dotsPerMeterY() != unstated.dotsPerMeterY());
}

// A picture read, and the BMP it makes.
struct Picture {
    QImage image;
    QString format; // as Qt names it
    PlainBitmap bitmap;
};

// Reads the picture at source, refusing one too large to read or too small
// to carry a file.
Outcome load(const QString &source, Picture *picture)
{
    QFile file;
    if (Outcome opened = openRegularFile(source, file); !opened)
        return Outcome::failure(Texts::tr("%1 cannot be read.").arg(source), fullText(opened));
    QImageReader reader(&file);
    reader.setAutoTransform(true);
    QImageReader::setAllocationLimit(AllocationLimitMiB);
    picture->format = QString::fromLatin1(reader.format()).toLower();
    if (Outcome fits = checkSize(source, reader.size(), reader.imageFormat()); !fits)
        return fits;
    picture->image = reader.read();
    const QImage &image = picture->image;
    if (image.isNull()) {
        return Outcome::failure(
            Texts::tr("%1 is not a picture that can be read.").arg(source), reader.errorString());
    }
    PlainBitmap &bitmap = picture->bitmap;
    bitmap.width = image.width();
    bitmap.height = image.height();
    if (statesResolution(image)) {
        bitmap.pixelsPerMetreX = image.dotsPerMeterX();
        bitmap.pixelsPerMetreY = image.dotsPerMeterY();
    }
    return checkRoom(source, bitmap);
}

// The BMP's rows, converted one at a time so that memory holds the picture
// once.
PlainBitmap::RowSource rowsOf(const QImage &image)
{
    return [&image](qint32 y, char *bgr) {
        const QImage row
            = image.copy(0, y, image.width(), 1).convertToFormat(QImage::Format_ARGB32);
        const auto *line = reinterpret_cast<const QRgb *>(row.constScanLine(0));
        for (qint32 x = 0; x < image.width(); ++x) {
            const int alpha = qAlpha(line[x]);
            bgr[3 * x] = overWhite(qBlue(line[x]), alpha);
            bgr[3 * x + 1] = overWhite(qGreen(line[x]), alpha);
            bgr[3 * x + 2] = overWhite(qRed(line[x]), alpha);
        }
    };
}

void describe(const Picture &picture, PictureCarrier::Made *made)
{
    if (!made)
        return;
    made->format = picture.format;
    made->lossy = LossyFormats.contains(picture.format);
    made->size = picture.image.size();
    made->capacity = picture.bitmap.capacity();
}

} // namespace

namespace PictureCarrier {

bool readable(const QString &path)
{
    QFile file;
    if (!openRegularFile(path, file))
        return false;
    QImageReader reader(&file);
    return reader.canRead();
}

bool isLossyFormat(const QString &path)
{
    QFile file;
    if (!openRegularFile(path, file))
        return false;
    QImageReader reader(&file);
    return LossyFormats.contains(QString::fromLatin1(reader.format()).toLower());
}

Outcome make(const QString &source, const QString &target, bool replace, Made *made)
{
    const auto alreadyThere = [&target] {
        return Outcome::failure(Texts::tr("%1 already exists.").arg(target),
            Texts::tr("It was left as it is; give --force to replace it."));
    };
    // Said before the picture is read; and a file that turns up while it is
    // read is kept all the same.
    if (!replace && exists(target))
        return alreadyThere();
    Picture picture;
    if (Outcome read = load(source, &picture); !read)
        return read;
    if (Outcome written = picture.bitmap.write(target, rowsOf(picture.image), replace); !written) {
        if (written.kind() == Outcome::Kind::Exists)
            return alreadyThere();
        return Outcome::failure(
            Texts::tr("%1 could not be written.").arg(target), fullText(written));
    }
    describe(picture, made);
    return Outcome::success();
}

Outcome stream(const QString &source, const PlainBitmap::Sink &sink, Made *made)
{
    Picture picture;
    if (Outcome read = load(source, &picture); !read)
        return read;
    if (Outcome written = picture.bitmap.writeTo(sink, rowsOf(picture.image)); !written)
        return written;
    describe(picture, made);
    return Outcome::success();
}

QString freeNameBeside(const QString &source)
{
    const QFileInfo info(source);
    const QDir folder = info.absoluteDir();
    QString name = info.completeBaseName() + QStringLiteral(".bmp");
    for (int n = 2; exists(LocalPath::inFolder(folder.path(), name)); ++n)
        name = QStringLiteral("%1 (%2).bmp").arg(info.completeBaseName()).arg(n);
    return LocalPath::inFolder(folder.path(), name);
}

} // namespace PictureCarrier
