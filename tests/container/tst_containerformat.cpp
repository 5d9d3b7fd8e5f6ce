// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "InMemoryContainer.h"
#include "container/Charset.h"
#include "container/ContainerHeader.h"
#include "container/EntryRecord.h"
#include "container/PasswordHash.h"
#include "container/Scrambler.h"

#include <QRandomGenerator>
#include <QtTest>

class TestContainerFormat : public QObject {
    Q_OBJECT

private slots:
    void headerStoredForm()
    {
        ContainerHeader header;
        header.startFresh();
        header.FileCount = 3;
        QCOMPARE(header.toBytes(), QByteArray("VLD2\x03\0\0\0\0\0\0\0\0\0", 14));

        header.UsePassword = true;
        header.PasswordHash = HashPassword("ab"); // 91 * 97 + 98 = 8925 = 0x22DD
        QCOMPARE(header.toBytes(), QByteArray("VLD2\x03\0\0\0\xDD\x22\0\0\xFF\xFF", 14));

        const ContainerHeader back = ContainerHeader::fromBytes(
            QByteArray("VLD2\xFF\xFF\xFF\xFF\x01\0\0\0\x01\0", 14).constData());
        QVERIFY(back.HasSignature());
        QCOMPARE(back.FileCount, -1);
        QCOMPARE(back.PasswordHash, 1);
        QVERIFY(back.UsePassword); // 01 00 counts as true
    }

    void headerThroughTheHiddenStream()
    {
        QByteArray pixels(8 * 14, '\x40');
        HiddenStream stream(pixels);
        ContainerHeader header;
        QVERIFY(header.ReadHeader(stream).ok());
        QVERIFY(!header.HasSignature()); // an ordinary image holds no container
        header.startFresh();
        header.FileCount = 2;
        QVERIFY(writeHeader(stream, header).ok());
        ContainerHeader read;
        QVERIFY(read.ReadHeader(stream).ok());
        QCOMPARE(read.toBytes(), header.toBytes());

        QByteArray small(8 * 13, '\0');
        HiddenStream tooSmall(small);
        QVERIFY(!read.ReadHeader(tooSmall).ok());
        QVERIFY(read.HasSignature()); // unchanged by the refused read
        QVERIFY(!writeHeader(tooSmall, header).ok());
        QCOMPARE(small, QByteArray(8 * 13, '\0'));
    }

    void signatureIsCaseSensitive()
    {
        for (const char *text : {"vld2", "VLD3", "VLD", "Vld2"}) {
            ContainerHeader header;
            header.Signature = QByteArray(text).leftJustified(4, '\0');
            QVERIFY2(!header.HasSignature(), text);
        }
    }

    void entryRecord()
    {
        const QByteArray exact = "abcdefghijklmnopqrstuvwxyz01";
        QCOMPARE(EntryRecord::make(exact, 7).toBytes(), exact + QByteArray("\x07\0\0\0", 4));
        QCOMPARE(EntryRecord::make("a.txt", 0x01020304).toBytes(),
            QByteArray("a.txt") + QByteArray(23, ' ') + QByteArray("\x04\x03\x02\x01"));
        QCOMPARE(EntryRecord::make(exact + "XYZ", 1).Description, exact);

        const QByteArray stored
            = QByteArray("  padded.txt") + QByteArray(16, ' ') + QByteArray("\xFF\xFF\xFF\xFF");
        const EntryRecord record = EntryRecord::fromBytes(stored.constData());
        QCOMPARE(record.description(), QStringLiteral("padded.txt"));
        QCOMPARE(record.Length, -1);
        QCOMPARE(EntryRecord::storedForm(QStringLiteral(" x ")), QStringLiteral("x"));
        QCOMPARE(EntryRecord::storedForm(QString(27, 'a') + "  tail"), QString(27, 'a'));
    }

    void passwordHash()
    {
        QCOMPARE(HashPassword(""), 0);
        QCOMPARE(HashPassword("A"), 65);
        QCOMPARE(HashPassword("\xFF"), 255);
        QCOMPARE(HashPassword("ab"), 91 * 97 + 98);
        QRandomGenerator rng(42);
        for (int i = 0; i < 200; ++i) {
            QByteArray password(rng.bounded(1, 64), '\0');
            for (char &c : password)
                c = char(rng.bounded(256));
            qint64 h = 0;
            for (char c : password)
                h = (h * 91 + quint8(c)) % 16777213;
            QCOMPARE(HashPassword(password), qint32(h));
            QVERIFY(HashPassword(password) < 16777213);
        }
    }

    void keyRunsOnAcrossCalls()
    {
        // Entries of 4 and 5 bytes under a three-character password: the
        // first takes characters 1,2,3,1 and the second 2,3,1,2,3.
        const QByteArray password = "\x01\x02\x04";
        Scrambler scrambler(true, password);
        QByteArray first(4, '\0');
        QByteArray second(5, '\0');
        scrambler.apply(first.data(), first.size());
        scrambler.apply(second.data(), second.size());
        QCOMPARE(first, QByteArray("\x01\x02\x04\x01"));
        QCOMPARE(second, QByteArray("\x02\x04\x01\x02\x04"));
    }

    void scramblingInPiecesEqualsScramblingWhole()
    {
        QRandomGenerator rng(3);
        for (const qsizetype length : {1, 3, 7, 8, 61, 4096, 5000}) {
            QByteArray password(length, '\0');
            for (char &c : password)
                c = char(rng.bounded(256));
            QByteArray data(20000, '\0');
            for (char &c : data)
                c = char(rng.bounded(256));

            QByteArray whole = data;
            Scrambler(true, password).apply(whole.data(), whole.size());
            for (qsizetype i = 0; i < data.size(); ++i)
                QCOMPARE(whole.at(i), char(data.at(i) ^ password.at(i % length)));

            Scrambler pieces(true, password);
            QByteArray inPieces = data;
            for (qsizetype done = 0; done < inPieces.size();) {
                const qsizetype run = qMin<qsizetype>(rng.bounded(1, 9000), inPieces.size() - done);
                pieces.apply(inPieces.data() + done, run);
                done += run;
            }
            QCOMPARE(inPieces, whole);
        }
    }

    void noScramblingWithoutPassword()
    {
        QByteArray data = "unchanged";
        Scrambler(true, QByteArray()).apply(data.data(), data.size());
        Scrambler(false, "secret").apply(data.data(), data.size());
        QCOMPARE(data, QByteArray("unchanged"));
    }

    void charsetMapsAll256CodesBothWays()
    {
        QByteArray all(256, '\0');
        for (int i = 0; i < 256; ++i)
            all[i] = char(i);
        const QString text = Charset::decode(all);
        QCOMPARE(text.at(0x80), QChar(0x20AC));
        QCOMPARE(text.at(0x9F), QChar(0x0178));
        QCOMPARE(text.at(0x81), QChar(0x0081)); // undefined: the C1 control of that value
        QCOMPARE(text.at(0xE9), QChar(0x00E9));
        QCOMPARE(Charset::encode(text).value_or(QByteArray()), all);
    }

    void charsetRefusesWhatItCannotHold()
    {
        QVERIFY(!Charset::encode(QStringLiteral("zażółć")).has_value());
        QVERIFY(Charset::unrepresentable(QStringLiteral("plan.txt")).isEmpty());
        const QString message = Charset::unrepresentable(QStringLiteral("a\u0142b"));
        QVERIFY2(message.contains("U+0142"), qPrintable(message));
        QVERIFY(
            Charset::unrepresentable(QString::fromUtf8("\xF0\x9F\x98\x80")).contains("U+1F600"));
    }

    void caseFoldingFollowsTheCharacterSet()
    {
        QVERIFY(Charset::sameIgnoringCase("PLAN.TXT", "plan.txt"));
        QVERIFY(Charset::sameIgnoringCase(QStringLiteral("ÉTÉ"), QStringLiteral("été")));
        QVERIFY(Charset::sameIgnoringCase(QStringLiteral("ŠŒŽŸ"), QStringLiteral("šœžÿ")));
        QVERIFY(!Charset::sameIgnoringCase("a.txt", "b.txt"));
        QVERIFY(!Charset::sameIgnoringCase("ss", QStringLiteral("ß")));
    }
};

QTEST_GUILESS_MAIN(TestContainerFormat)
#include "tst_containerformat.moc"
