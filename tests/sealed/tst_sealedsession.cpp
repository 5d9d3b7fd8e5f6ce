// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "TestBitmaps.h"
#include "base/FailureText.h"
#include "sealed/SealedSession.h"

#include <QBuffer>
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

        SealedSession wrong;
        wrong.setCost(cheap());
        QCOMPARE(wrong.open(bmp, "Secret").kind(), Outcome::Kind::NoSealedContainer);
        SealedSession clean;
        clean.setCost(cheap());
        QCOMPARE(clean.open(put("clean.bmp", makeBitmap(600, 400, 3)), "secret").kind(),
            Outcome::Kind::NoSealedContainer);
    }
};

QTEST_GUILESS_MAIN(TestSealedSession)
#include "tst_sealedsession.moc"
