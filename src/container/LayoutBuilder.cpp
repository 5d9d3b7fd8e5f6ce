// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "LayoutBuilder.h"

#include "Charset.h"
#include "EntryRecord.h"
#include "Scrambler.h"
#include "base/ByteCount.h"

qint64 LayoutBuilder::containerSize(qint64 entries, qint64 dataBytes)
{
    return ContainerHeader::Size + EntryRecord::Size * entries + dataBytes;
}

Outcome LayoutBuilder::checkFits(qint64 needed, qint64 capacity)
{
    if (needed <= capacity)
        return Outcome::success();
    return Outcome::failure(tr("The hidden files need %1 with their names and sizes, but the "
                               "image can hold only %2. Remove some files.")
                                .arg(bytesText(needed), bytesText(capacity)));
}

Outcome LayoutBuilder::build(const EntryTable &table, const DataReader &reader,
    const ContainerHeader &header, const QByteArray &password, bool inPlace,
    ContainerLayout *layout)
{
    const bool scrambles = header.UsePassword && !password.isEmpty();
    const bool sourceScrambles = reader.scrambles();
    // Data read from the image keep their stored bytes when they stay where
    // they are and the key over them is the same.
    const auto sameBytes = [&](const EntryData &entry, qint64 offset, qint64 key) {
        if (!inPlace || !entry.inImage() || entry.storedAt != offset)
            return false;
        if (!scrambles && !sourceScrambles)
            return true;
        return scrambles && sourceScrambles && password == reader.password()
            && entry.keyStart % password.size() == key % password.size();
    };

    layout->m_scrambler = std::make_shared<Scrambler>(header.UsePassword, password);
    layout->addFixed(ContainerHeader::Offset, header.toBytes());
    qint64 offset = ContainerHeader::Size;
    qint64 key = 0;
    for (qsizetype i = 1; i <= table.count(); ++i) {
        const TableEntry &row = table.item(i);
        const EntryData &entry = row.data;
        // Every description in the table passed Inject or came from a record,
        // so it has a one-byte form.
        const QByteArray name = Charset::encode(row.description).value_or(QByteArray());
        layout->addFixed(
            offset, EntryRecord::make(name, static_cast<qint32>(entry.size)).toBytes());
        offset += EntryRecord::Size;
        if (entry.size > 0 && sameBytes(entry, offset, key)) {
            layout->m_keepsStoredBits = true;
        } else if (entry.size > 0) {
            if (entry.inMemory()) {
                layout->addData(offset, &entry.bytes, key);
            } else if (entry.file) {
                layout->addFile(offset, entry.file, key);
            } else {
                QByteArray data;
                if (Outcome read = reader.read(row.description, entry, &data); !read)
                    return read;
                layout->addOwnedData(offset, std::move(data), key);
            }
        }
        offset += entry.size;
        key += entry.size;
    }
    return Outcome::success();
}
