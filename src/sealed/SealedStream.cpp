// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "SealedStream.h"

#include "SealedFormat.h"

#include <QCoreApplication>
#include <QSet>
#include <QStringDecoder>
#include <QtEndian>

#include <sodium.h>

#include <algorithm>
#include <cstring>

using namespace SealedFormat;

namespace {

class Texts {
    Q_DECLARE_TR_FUNCTIONS(SealedContainer)
public:
    static Outcome damaged(const QString &why)
    {
        return Outcome::failure(
            Outcome::Kind::Damaged, tr("The sealed container is damaged."), why);
    }
};

using Tag = unsigned char;
constexpr Tag TagMessage = crypto_secretstream_xchacha20poly1305_TAG_MESSAGE;
constexpr Tag TagFinal = crypto_secretstream_xchacha20poly1305_TAG_FINAL;

} // namespace

QString SealedTable::whyUnusable(const QString &name)
{
    const QByteArray utf8 = name.toUtf8();
    if (utf8.isEmpty())
        return Texts::tr("A name cannot be empty.");
    if (utf8.size() > LongestName)
        return Texts::tr("Names keep at most %1 bytes of UTF-8.").arg(LongestName);
    if (QString::fromUtf8(utf8) != name)
        return Texts::tr("The name is not valid text.");
    return {};
}

QByteArray SealedTable::encode(const QList<SealedEntry> &entries)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian<quint32>(quint32(entries.size()), bytes.data());
    for (const SealedEntry &entry : entries) {
        const QByteArray name = entry.name.toUtf8();
        bytes.append(char(quint8(name.size())));
        bytes.append(name);
        char size[8];
        qToLittleEndian<quint64>(quint64(entry.size), size);
        bytes.append(size, 8);
    }
    return bytes;
}

Outcome SealedTable::parse(const QByteArray &bytes, qint64 dataBytes, QList<SealedEntry> *entries)
{
    const auto *p = reinterpret_cast<const uchar *>(bytes.constData());
    const qint64 end = bytes.size();
    if (end < 4)
        return Texts::damaged(Texts::tr("Its table is cut short."));
    const quint32 count = qFromLittleEndian<quint32>(p);
    qint64 at = 4;
    qint64 total = 0;
    QSet<QString> seen;
    QList<SealedEntry> read;
    for (quint32 i = 0; i < count; ++i) {
        if (at + 1 > end || at + 1 + p[at] + 8 > end)
            return Texts::damaged(Texts::tr("Its table is cut short."));
        const int length = p[at];
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString name = utf8.decode(QByteArrayView(bytes.constData() + at + 1, length));
        const quint64 size = qFromLittleEndian<quint64>(p + at + 1 + length);
        at += 1 + length + 8;
        if (length == 0 || utf8.hasError())
            return Texts::damaged(Texts::tr("A name in its table is empty or not valid UTF-8."));
        if (size > quint64(dataBytes - total))
            return Texts::damaged(Texts::tr("The sizes in its table do not add up."));
        if (seen.contains(name.toCaseFolded()))
            return Texts::damaged(Texts::tr("Two names in its table are the same."));
        seen.insert(name.toCaseFolded());
        total += qint64(size);
        read.append({name, qint64(size)});
    }
    if (at != end || total != dataBytes)
        return Texts::damaged(Texts::tr("Its table does not match its length."));
    *entries = std::move(read);
    return Outcome::success();
}

struct StreamComposer::State {
    crypto_secretstream_xchacha20poly1305_state stream;
    QByteArray table; // encoded once, for the head and the table message
    Source data;
    qint64 dataLeft = 0;
    enum class Next { Head, Table, Data, Padding } next = Next::Head;
    QByteArray out; // made, not yet given out
    qsizetype used = 0;
};

StreamComposer::StreamComposer(
    const SealedKeys::Key &encryption, const QList<SealedEntry> &entries, Source data)
    : m_state(std::make_unique<State>())
{
    m_state->table = SealedTable::encode(entries);
    m_state->data = std::move(data);
    for (const SealedEntry &entry : entries)
        m_state->dataLeft += entry.size;
    m_state->out.resize(StreamHeaderBytes);
    crypto_secretstream_xchacha20poly1305_init_push(&m_state->stream,
        reinterpret_cast<unsigned char *>(m_state->out.data()), encryption.data());
}

StreamComposer::~StreamComposer()
{
    sodium_memzero(&m_state->stream, sizeof m_state->stream);
}

Outcome StreamComposer::refill()
{
    State &s = *m_state;
    s.out.clear();
    s.used = 0;
    QByteArray plain;
    Tag tag = TagMessage;
    switch (s.next) {
    case State::Next::Head: {
        plain = QByteArray(HeadBytes, '\0');
        plain[0] = char(Version);
        qToLittleEndian<quint32>(quint32(s.table.size()), plain.data() + 4);
        qToLittleEndian<quint64>(quint64(s.dataLeft), plain.data() + 8);
        s.next = State::Next::Table;
        break;
    }
    case State::Next::Table:
        plain = s.table;
        s.next = s.dataLeft > 0 ? State::Next::Data : State::Next::Padding;
        tag = s.dataLeft > 0 ? TagMessage : TagFinal;
        break;
    case State::Next::Data: {
        plain.resize(static_cast<qsizetype>(std::min(s.dataLeft, DataMessageBytes)));
        if (Outcome read = s.data(plain.data(), plain.size()); !read)
            return read;
        s.dataLeft -= plain.size();
        if (s.dataLeft == 0) {
            s.next = State::Next::Padding;
            tag = TagFinal;
        }
        break;
    }
    case State::Next::Padding:
        s.out.resize(DataMessageBytes);
        randombytes_buf(s.out.data(), std::size_t(s.out.size()));
        return Outcome::success();
    }
    s.out.resize(plain.size() + MessageOverhead);
    crypto_secretstream_xchacha20poly1305_push(&s.stream,
        reinterpret_cast<unsigned char *>(s.out.data()), nullptr,
        reinterpret_cast<const unsigned char *>(plain.constData()),
        static_cast<unsigned long long>(plain.size()), nullptr, 0, tag);
    sodium_memzero(plain.data(), std::size_t(plain.size()));
    return Outcome::success();
}

Outcome StreamComposer::fill(char *out, qint64 count)
{
    State &s = *m_state;
    while (count > 0) {
        if (s.used == s.out.size()) {
            if (Outcome made = refill(); !made)
                return made;
            continue;
        }
        const qint64 n = std::min<qint64>(count, s.out.size() - s.used);
        std::memcpy(out, s.out.constData() + s.used, std::size_t(n));
        s.used += n;
        out += n;
        count -= n;
    }
    return Outcome::success();
}

struct StreamParser::State {
    crypto_secretstream_xchacha20poly1305_state stream;
    SealedKeys::Key key;
    Source source;
    qint64 tableBytes = 0;
    qint64 dataLeft = 0;
    QByteArray data; // decrypted, not yet given out
    qsizetype used = 0;
};

StreamParser::StreamParser(const SealedKeys::Key &encryption, Source stream)
    : m_state(std::make_unique<State>())
{
    m_state->key = encryption;
    m_state->source = std::move(stream);
}

StreamParser::~StreamParser()
{
    sodium_memzero(&m_state->stream, sizeof m_state->stream);
    sodium_memzero(m_state->key.data(), m_state->key.size());
}

Outcome StreamParser::pull(qint64 plainBytes, QByteArray *plain, unsigned char *tag)
{
    QByteArray cipher(static_cast<qsizetype>(plainBytes + MessageOverhead), Qt::Uninitialized);
    if (Outcome read = m_state->source(cipher.data(), cipher.size()); !read)
        return read;
    plain->resize(static_cast<qsizetype>(plainBytes));
    if (crypto_secretstream_xchacha20poly1305_pull(&m_state->stream,
            reinterpret_cast<unsigned char *>(plain->data()), nullptr, tag,
            reinterpret_cast<const unsigned char *>(cipher.constData()),
            static_cast<unsigned long long>(cipher.size()), nullptr, 0)
        != 0)
        return Outcome::failure(Outcome::Kind::NoSealedContainer);
    return Outcome::success();
}

Outcome StreamParser::openHead(qint64 capacity)
{
    State &s = *m_state;
    unsigned char header[StreamHeaderBytes];
    QByteArray head;
    unsigned char tag = 0;
    if (capacity < containerBytes(4, 0))
        return Outcome::failure(Outcome::Kind::NoSealedContainer);
    // A failing read of the image is said as it is, not taken for a wrong
    // passphrase.
    if (Outcome read = s.source(reinterpret_cast<char *>(header), StreamHeaderBytes); !read)
        return read;
    if (crypto_secretstream_xchacha20poly1305_init_pull(&s.stream, header, s.key.data()) != 0)
        return Outcome::failure(Outcome::Kind::NoSealedContainer);
    if (Outcome pulled = pull(HeadBytes, &head, &tag); !pulled)
        return pulled;
    if (tag != TagMessage)
        return Outcome::failure(Outcome::Kind::NoSealedContainer);
    const auto *p = reinterpret_cast<const uchar *>(head.constData());
    s.tableBytes = qFromLittleEndian<quint32>(p + 4);
    const quint64 data = qFromLittleEndian<quint64>(p + 8);
    if (p[0] != Version || p[1] || p[2] || p[3])
        return Texts::damaged(Texts::tr("It was written by a later version of Veldra."));
    if (data > quint64(capacity) || containerBytes(s.tableBytes, qint64(data)) > capacity)
        return Texts::damaged(Texts::tr("It says it holds more than the image can."));
    s.dataLeft = qint64(data);
    return Outcome::success();
}

Outcome StreamParser::readTable(QList<SealedEntry> *entries)
{
    QByteArray table;
    unsigned char tag = 0;
    const Outcome pulled = pull(m_state->tableBytes, &table, &tag);
    if (!pulled && !undecryptable(pulled))
        return pulled;
    if (!pulled || tag != (m_state->dataLeft > 0 ? TagMessage : TagFinal))
        return Texts::damaged(Texts::tr("Its table cannot be read."));
    return SealedTable::parse(table, m_state->dataLeft, entries);
}

Outcome StreamParser::readData(char *out, qint64 count)
{
    State &s = *m_state;
    while (count > 0) {
        if (s.used == s.data.size()) {
            if (s.dataLeft == 0)
                return Texts::damaged(Texts::tr("Its data end early."));
            const qint64 size = std::min(s.dataLeft, DataMessageBytes);
            unsigned char tag = 0;
            const Outcome pulled = pull(size, &s.data, &tag);
            if (!pulled && !undecryptable(pulled))
                return pulled;
            if (!pulled || tag != (s.dataLeft == size ? TagFinal : TagMessage))
                return Texts::damaged(Texts::tr("Some of its data cannot be read."));
            s.dataLeft -= size;
            s.used = 0;
        }
        const qint64 n = std::min<qint64>(count, s.data.size() - s.used);
        std::memcpy(out, s.data.constData() + s.used, std::size_t(n));
        s.used += n;
        out += n;
        count -= n;
    }
    return Outcome::success();
}
