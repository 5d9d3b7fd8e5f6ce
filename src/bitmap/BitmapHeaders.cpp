// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "BitmapHeaders.h"

#include <QtEndian>

namespace {

// The field of type T at offset in the raw header, or zero when the header
// ends before it.
template <typename T>
T field(const QByteArray &raw, qsizetype offset)
{
    if (raw.size() < offset + qsizetype(sizeof(T)))
        return 0;
    return qFromLittleEndian<T>(raw.constData() + offset);
}

} // namespace

BitmapFileHeader BitmapFileHeader::fromBytes(const char *bytes)
{
    BitmapFileHeader header;
    header.bfType = QByteArray(bytes, 2);
    header.bfSize = qFromLittleEndian<quint32>(bytes + 2);
    header.bfReserved1 = qFromLittleEndian<quint16>(bytes + 6);
    header.bfReserved2 = qFromLittleEndian<quint16>(bytes + 8);
    header.bfOffBits = qFromLittleEndian<quint32>(bytes + 10);
    return header;
}

QByteArray BitmapFileHeader::toBytes() const
{
    QByteArray bytes(Size, '\0');
    char *p = bytes.data();
    const QByteArray type = bfType.leftJustified(2, '\0', true);
    p[0] = type.at(0);
    p[1] = type.at(1);
    qToLittleEndian(bfSize, p + 2);
    qToLittleEndian(bfReserved1, p + 6);
    qToLittleEndian(bfReserved2, p + 8);
    qToLittleEndian(bfOffBits, p + 10);
    return bytes;
}

quint32 BitmapInfoHeader::biSize() const
{
    return field<quint32>(raw, 0);
}
qint32 BitmapInfoHeader::biWidth() const
{
    return isCore() ? field<quint16>(raw, 4) : field<qint32>(raw, 4);
}
qint32 BitmapInfoHeader::biHeight() const
{
    // The core header's height is unsigned: its rows are always bottom-up.
    return isCore() ? field<quint16>(raw, 6) : field<qint32>(raw, 8);
}
quint16 BitmapInfoHeader::biPlanes() const
{
    return field<quint16>(raw, isCore() ? 8 : 12);
}
quint16 BitmapInfoHeader::biBitCount() const
{
    return field<quint16>(raw, isCore() ? 10 : 14);
}
quint32 BitmapInfoHeader::biCompression() const
{
    return isCore() ? 0 : field<quint32>(raw, 16);
}
quint32 BitmapInfoHeader::bV5ProfileData() const
{
    return biSize() == V5Size ? field<quint32>(raw, 112) : 0;
}
quint32 BitmapInfoHeader::bV5ProfileSize() const
{
    return biSize() == V5Size ? field<quint32>(raw, 116) : 0;
}
