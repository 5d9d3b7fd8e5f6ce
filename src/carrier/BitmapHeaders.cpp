// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "BitmapHeaders.h"

#include <QtEndian>

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
    return qFromLittleEndian<quint32>(raw.constData() + 0);
}
qint32 BitmapInfoHeader::biWidth() const
{
    return qFromLittleEndian<qint32>(raw.constData() + 4);
}
qint32 BitmapInfoHeader::biHeight() const
{
    return qFromLittleEndian<qint32>(raw.constData() + 8);
}
quint16 BitmapInfoHeader::biBitCount() const
{
    return qFromLittleEndian<quint16>(raw.constData() + 14);
}
quint32 BitmapInfoHeader::biCompression() const
{
    return qFromLittleEndian<quint32>(raw.constData() + 16);
}
