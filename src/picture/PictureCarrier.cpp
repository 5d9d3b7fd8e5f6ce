// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "PictureCarrier.h"

#include "carrier/FileProbe.h"
#include "carrier/PlainBitmap.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

#include <sys/stat.h>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("PictureCarrier", text);
}

// Formats that store pictures with losses (or may: WebP has both kinds).
const QStringList LossyFormats = {"jpeg", "jpg", "webp", "heic", "heif", "avif", "jp2"};

// Large pictures are fine: a carrier may hold up to 2 GiB of pixels.
constexpr int AllocationLimitMiB = 3 * 1024;

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
    if (!replace && exists(target)) {
        return Outcome::failure(tr("%1 already exists.").arg(target),
            tr("It was left as it is; give --force to replace it."));
    }
    QFile file;
    if (Outcome opened = openRegularFile(source, file); !opened)
        return Outcome::failure(tr("%1 cannot be read.").arg(source), opened.message());
    QImageReader reader(&file);
    reader.setAutoTransform(true);
    reader.setAllocationLimit(AllocationLimitMiB);
    const QString format = QString::fromLatin1(reader.format()).toLower();
    QImage image = reader.read();
    if (image.isNull()) {
        return Outcome::failure(
            tr("%1 is not a picture that can be read.").arg(source), reader.errorString());
    }
    image = image.convertToFormat(QImage::Format_ARGB32);

    PlainBitmap bitmap;
    bitmap.width = image.width();
    bitmap.height = image.height();
    if (image.dotsPerMeterX() > 0)
        bitmap.pixelsPerMetre = image.dotsPerMeterX();
    const Outcome written = bitmap.write(target, [&image](qint32 y, char *bgr) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (qint32 x = 0; x < image.width(); ++x) {
            const int alpha = qAlpha(line[x]);
            bgr[3 * x] = overWhite(qBlue(line[x]), alpha);
            bgr[3 * x + 1] = overWhite(qGreen(line[x]), alpha);
            bgr[3 * x + 2] = overWhite(qRed(line[x]), alpha);
        }
    });
    if (!written)
        return Outcome::failure(tr("%1 could not be written.").arg(target), written.fullText());
    if (made) {
        made->format = format;
        made->lossy = LossyFormats.contains(format);
        made->size = image.size();
        made->capacity = bitmap.capacity();
    }
    return Outcome::success();
}

QString freeNameBeside(const QString &source)
{
    const QFileInfo info(source);
    const QDir folder = info.absoluteDir();
    QString name = info.completeBaseName() + QStringLiteral(".bmp");
    for (int n = 2; exists(folder.filePath(name)); ++n)
        name = QStringLiteral("%1 (%2).bmp").arg(info.completeBaseName()).arg(n);
    return folder.filePath(name);
}

} // namespace PictureCarrier
