// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "ContainerHeader.h"

#include <QtEndian>

#include <cstring>

namespace {

constexpr char SignatureText[] = "VLD2";

} // namespace

ContainerHeader ContainerHeader::fromBytes(const char *bytes)
{
    ContainerHeader header;
    header.Signature = QByteArray(bytes, 4);
    header.FileCount = qFromLittleEndian<qint32>(bytes + 4);
    header.PasswordHash = qFromLittleEndian<qint32>(bytes + 8);
    header.UsePassword = qFromLittleEndian<qint16>(bytes + 12) != 0;
    return header;
}

QByteArray ContainerHeader::toBytes() const
{
    QByteArray bytes(Size, '\0');
    char *p = bytes.data();
    std::memcpy(p, Signature.leftJustified(4, '\0', true).constData(), 4);
    qToLittleEndian(FileCount, p + 4);
    qToLittleEndian(PasswordHash, p + 8);
    qToLittleEndian<qint16>(UsePassword ? -1 : 0, p + 12);
    return bytes;
}

Outcome ContainerHeader::ReadHeader(const HiddenSource &stream)
{
    QByteArray bytes(Size, '\0');
    if (Outcome read = stream.ReadHidden(bytes, Size, Offset); !read)
        return read;
    *this = fromBytes(bytes.constData());
    return Outcome::success();
}

bool ContainerHeader::HasSignature() const
{
    return Signature == SignatureText;
}

void ContainerHeader::startFresh()
{
    Signature = SignatureText;
    FileCount = 0;
    UsePassword = false;
    PasswordHash = 0;
}
