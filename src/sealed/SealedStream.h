// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "SealedKeys.h"
#include "base/Outcome.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <memory>

// What a sealed container stores, and its encryption: one secretstream of
// XChaCha20-Poly1305 messages (libsodium) – the head, the table of names and
// sizes, the files' data – followed by random padding.

struct SealedEntry {
    QString name;
    qint64 size = 0;
};

namespace SealedTable {
// The table's stored form, and back; parse fails on anything malformed.
QByteArray encode(const QList<SealedEntry> &entries);
Outcome parse(const QByteArray &bytes, qint64 dataBytes, QList<SealedEntry> *entries);
// Why name cannot be stored in a table, or an empty text.
QString whyUnusable(const QString &name);
} // namespace SealedTable

// Makes the stream's bytes, in order, from the table and the files' data,
// which source gives one piece after another.
class StreamComposer {
public:
    using Source = std::function<Outcome(char *out, qint64 count)>;

    StreamComposer(
        const SealedKeys::Key &encryption, const QList<SealedEntry> &entries, Source data);
    ~StreamComposer();

    // The next count bytes of the stream; after the container, padding.
    Outcome fill(char *out, qint64 count);

private:
    Outcome refill();
    struct State;
    std::unique_ptr<State> m_state;
};

// Reads a stream back: the head, the table, then the files' data, each
// authenticated before it is given out.
class StreamParser {
public:
    using Source = std::function<Outcome(char *out, qint64 count)>;

    StreamParser(const SealedKeys::Key &encryption, Source stream);
    ~StreamParser();

    // Reads the header and the head; Kind::NoSealedContainer when they do
    // not decrypt, Kind::Damaged when they say what cannot be.
    Outcome openHead(qint64 capacity);
    // Reads and checks the table.
    Outcome readTable(QList<SealedEntry> *entries);
    // The next count bytes of the files' data, in table order.
    Outcome readData(char *out, qint64 count);

private:
    // The next message: a failed read of the image as it failed, a message
    // that does not decrypt as Kind::NoSealedContainer.
    Outcome pull(qint64 plainBytes, QByteArray *plain, unsigned char *tag);
    static bool undecryptable(const Outcome &pulled)
    {
        return pulled.kind() == Outcome::Kind::NoSealedContainer;
    }
    struct State;
    std::unique_ptr<State> m_state;
};
