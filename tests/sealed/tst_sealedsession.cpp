// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "TestBitmaps.h"
#include "base/FailureText.h"
#include "sealed/CellStream.h"
#include "sealed/SealedSession.h"

#include <QBuffer>
#include <QDir>
#include <QtTest>

// A sealed container written into an image and read back, through the
// session the window and veldra-cli use. The key derivation is made cheap
// here; its real cost is the format's, tested through veldra-cli.
class TestSealedSession : public QObject, private ScratchFolder {
    Q_OBJECT

private:
    static SealedKeys::Cost cheap() { return {1, std::size_t(8) << 20}; }

    static QByteArray dataOf(const SealedSession &session, const QString &name)
    {
        QByteArray all;
        if (!session.streamData(name, [&all](const char *data, qint64 size) {
                all.append(data, size);
                return Outcome::success();
            }))
            return QByteArray("failed");
        return all;
    }

private slots:
    void sealedFilesComeBack()
    {
        const QString bmp = put("sealed.bmp", makeBitmap(600, 400, 1));
        SealedSession seal;
        seal.setCost(cheap());
        QVERIFY(seal.startNew(bmp).ok());
        const QByteArray big = randomBytes(5000, 2);
        QVERIFY(seal.add(put("big.bin", big)).ok());
        QBuffer empty;
        QVERIFY(empty.open(QIODevice::ReadOnly));
        QVERIFY(seal.addFrom(empty, QStringLiteral("empty")).ok());
        QVERIFY(seal.add(put(QStringLiteral("caf\u00e9 \u2603.txt"), "snow")).ok());
        const Outcome written = seal.writeBack(bmp, "secret", {});
        QVERIFY2(written.ok(), qPrintable(fullText(written)));

        SealedSession open;
        open.setCost(cheap());
        const Outcome opened = open.open(bmp, "secret");
        QVERIFY2(opened.ok(), qPrintable(fullText(opened)));
        QCOMPARE(open.entries().size(), 3);
        QCOMPARE(dataOf(open, "big.bin"), big);
        QCOMPARE(dataOf(open, "empty"), QByteArray());
        QCOMPARE(dataOf(open, QStringLiteral("caf\u00e9 \u2603.txt")), QByteArray("snow"));

        // Extracted as a plain container's files are: never over the image,
        // nor, when asked, over a file already there.
        QVERIFY(QDir(root()).mkpath("extracted"));
        QVERIFY(open.extract("big.bin", path("extracted")).ok());
        QCOMPARE(readFile(path("extracted/big.bin")), big);
        const Outcome kept = open.extract("big.bin", path("extracted"), true);
        QCOMPARE(kept.kind(), Outcome::Kind::Exists);
        QCOMPARE(fullText(kept), QStringLiteral("\"big.bin\" already exists and was kept."));
        QVERIFY(QFile::link(bmp, path("extracted/empty")));
        QVERIFY(!open.extract("empty", path("extracted")));
        QCOMPARE(readFile(bmp).size(), 54 + 600 * 400 * 3);

        SealedSession wrong;
        wrong.setCost(cheap());
        QCOMPARE(wrong.open(bmp, "Secret").kind(), Outcome::Kind::NoSealedContainer);
        SealedSession clean;
        clean.setCost(cheap());
        QCOMPARE(clean.open(put("clean.bmp", makeBitmap(600, 400, 3)), "secret").kind(),
            Outcome::Kind::NoSealedContainer);
    }

    // A change to the hidden bits is found, and nothing is given out.
    void damageIsFoundNeverExtracted()
    {
        const QString bmp = put("damaged.bmp", makeBitmap(600, 400, 4));
        SealedSession seal;
        seal.setCost(cheap());
        QVERIFY(seal.startNew(bmp).ok());
        QVERIFY(seal.add(put("whole.bin", randomBytes(6000, 5))).ok());
        QVERIFY(seal.writeBack(bmp, "pw", {}).ok());
        // Chunk 1 (pixel bytes 65536 on) carries some of the data.
        QByteArray bytes = readFile(bmp);
        for (qsizetype at = 54 + 70000; at < 54 + 70200; ++at)
            bytes[at] = char(bytes[at] ^ 1);
        QVERIFY(writeFile(bmp, bytes));
        SealedSession open;
        open.setCost(cheap());
        QVERIFY(open.open(bmp, "pw").ok());
        QVERIFY(QDir(root()).mkpath("out"));
        const Outcome extracted = open.extract("whole.bin", path("out"));
        QCOMPARE(extracted.kind(), Outcome::Kind::Damaged);
        QVERIFY(QDir(path("out")).isEmpty());
    }

    // Every write makes a new container: a new salt, so that the keys the
    // old one was read with read nothing of the new one, nor of what it
    // removed.
    void everyWriteStartsAfresh()
    {
        const QString bmp = put("afresh.bmp", makeBitmap(600, 400, 6));
        SealedSession seal;
        seal.setCost(cheap());
        QVERIFY(seal.startNew(bmp).ok());
        QVERIFY(seal.add(put("gone.bin", randomBytes(3000, 7))).ok());
        QVERIFY(seal.add(put("kept.bin", randomBytes(300, 8))).ok());
        QVERIFY(seal.writeBack(bmp, "pw", {}).ok());
        Carrier before;
        QVERIFY(before.LoadCarrier(bmp).ok());
        SealedKeys::Salt oldSalt {};
        QVERIFY(CellReader::readSalt(before, &oldSalt).ok());

        SealedSession change;
        change.setCost(cheap());
        QVERIFY(change.open(bmp, "pw").ok());
        QVERIFY(change.remove("gone.bin").ok());
        QVERIFY(change.writeBack(bmp, "pw", {}).ok());

        Carrier after;
        QVERIFY(after.LoadCarrier(bmp).ok());
        SealedKeys::Salt newSalt {};
        QVERIFY(CellReader::readSalt(after, &newSalt).ok());
        QVERIFY(newSalt != oldSalt);
        // The old keys, known to whoever had the passphrase: nothing opens.
        const auto oldKeys = SealedKeys::derive("pw", oldSalt, cheap());
        QVERIFY(oldKeys);
        CellReader cells(after, oldKeys->positions);
        StreamParser parser(oldKeys->encryption,
            [&cells](char *out, qint64 count) { return cells.read(out, count); });
        QCOMPARE(parser.openHead(1 << 20).kind(), Outcome::Kind::NoSealedContainer);
        SealedSession reopened;
        reopened.setCost(cheap());
        QVERIFY(reopened.open(bmp, "pw").ok());
        QCOMPARE(reopened.entries().size(), 1);
        QCOMPARE(dataOf(reopened, "kept.bin"), randomBytes(300, 8));
    }
};

QTEST_GUILESS_MAIN(TestSealedSession)
#include "tst_sealedsession.moc"
