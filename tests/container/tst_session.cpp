// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "TestBitmaps.h"
#include "bitmap/Carrier.h"
#include "container/ContainerHeader.h"
#include "container/ContainerSession.h"
#include "container/DatFile.h"
#include "container/PasswordHash.h"

#include <QDir>
#include <QtTest>

// One container opened, changed and written back through the bitmap on disk:
// what is read, what is kept in place, what is moved.
class TestSession : public QObject, private ScratchFolder {
    Q_OBJECT

private:
    static ContainerSession::PasswordSource giving(const QByteArray &password)
    {
        return [password](QString *) {
            return std::optional<QByteArray>(password);
        };
    }
    static QByteArray dataOf(const ContainerSession &session, const QString &name)
    {
        QByteArray data;
        if (!session.file().readData(name, &data))
            qFatal("cannot read %s", qPrintable(name));
        return data;
    }

private slots:
    void openingReadsTheRecordsOnly()
    {
        const QString bmp = put("large.bmp", makeBitmap(2000, 1500, 1));
        ContainerSession writer;
        QVERIFY(writer.open(bmp, giving({})).ok());
        QVERIFY(writer.add(put("one.bin", randomBytes(200000, 1))).ok());
        QVERIFY(writer.add(put("two.bin", randomBytes(300000, 2))).ok());
        QVERIFY(writer.writeBack(bmp, false, {}).ok());

        ContainerSession reader;
        QVERIFY(reader.open(bmp, giving({})).ok());
        QCOMPARE(reader.file().colFiles().count(), 2);
        qint64 read = 0;
        for (const auto &[offset, length] : reader.carrier().identity().hashed)
            read += length;
        QCOMPARE(read, 54 + 8 * (14 + 32 + 32)); // headers, container header, two records
        QCOMPARE(dataOf(reader, "two.bin"), randomBytes(300000, 2));
    }

    // Removing the first entry moves the others; a new password scrambles
    // them anew; an addition leaves them where they are.
    void storedDataMoveAndChangeTheirKey()
    {
        const QString bmp = put("moves.bmp", makeBitmap(300, 200, 2));
        {
            ContainerSession session;
            QVERIFY(session.open(bmp, giving({})).ok());
            for (const char *name : {"a.bin", "b.bin", "c.bin"})
                QVERIFY(session.add(put(name, randomBytes(1001, name[0]))).ok());
            QVERIFY(session.writeBack(bmp, true, "one").ok());
        }
        {
            ContainerSession session;
            QVERIFY(session.open(bmp, giving("one")).ok());
            QVERIFY(session.file().Remove("a.bin").ok());
            QVERIFY(session.writeBack(bmp, true, "second").ok());
        }
        {
            ContainerSession session;
            QVERIFY(session.open(bmp, giving("second")).ok());
            QVERIFY(session.add(put("d.bin", randomBytes(10, 'd'))).ok());
            QVERIFY(session.writeBack(bmp, true, "second").ok());
        }
        ContainerSession session;
        QVERIFY(session.open(bmp, giving("second")).ok());
        QCOMPARE(session.file().colFiles().count(), 3);
        for (const char *name : {"b.bin", "c.bin"})
            QCOMPARE(dataOf(session, name), randomBytes(1001, name[0]));
        QCOMPARE(dataOf(session, "d.bin"), randomBytes(10, 'd'));
    }

    // A program that writes the image in place while it is open: the stored
    // files can no longer be read, so they are not written either; a
    // container of added files alone still can be written over the new picture.
    void anImageWrittenInPlaceWhileOpen()
    {
        const QString bmp = put("inplace.bmp", makeBitmap(100, 100, 3));
        {
            ContainerSession session;
            QVERIFY(session.open(bmp, giving({})).ok());
            QVERIFY(session.add(put("kept.txt", "kept")).ok());
            QVERIFY(session.writeBack(bmp, false, {}).ok());
        }
        ContainerSession stored;
        QVERIFY(stored.open(bmp, giving({})).ok());
        ContainerSession fresh;
        QVERIFY(fresh.open(put("fresh.bmp", makeBitmap(100, 100, 4)), giving({})).ok());
        QVERIFY(fresh.add(put("new.txt", "new")).ok());

        const QByteArray picture = makeBitmap(100, 100, 5);
        QVERIFY(writeInPlace(bmp, picture)); // truncates and writes: the same file
        QVERIFY(writeFile(path("fresh.bmp"), picture));
        QByteArray data;
        const Outcome read = stored.file().readData("kept.txt", &data);
        QCOMPARE(read.kind(), Outcome::Kind::ChangedOnDisk);
        QVERIFY(!stored.writeBack(bmp, false, {}).ok());
        QCOMPARE(readFile(bmp), picture);

        ContainerSession::WriteOptions overwrite; // the user said to overwrite it
        overwrite.overwriteChanged = true;
        QVERIFY(!stored.writeBack(bmp, false, {}, overwrite).ok());
        QVERIFY(fresh.writeBack(path("fresh.bmp"), false, {}, overwrite).ok());
        ContainerSession again;
        QVERIFY(again.open(path("fresh.bmp"), giving({})).ok());
        QCOMPARE(dataOf(again, "new.txt"), QByteArray("new"));
    }

    // The whole cycle through real files: hide in a bitmap, write it, open it
    // again and recover every file byte for byte.
    void hideAndRecoverThroughTheBitmapFile_data()
    {
        QTest::addColumn<bool>("usePassword");
        QTest::newRow("plain") << false;
        QTest::newRow("password") << true;
    }
    void hideAndRecoverThroughTheBitmapFile()
    {
        QFETCH(bool, usePassword);
        const QByteArray password = "correct horse";
        const QByteArray original = makeBitmap(101, 67, 4) + QByteArray("tail");
        const QString bitmap = put("cycle.bmp", original);

        Carrier carrier;
        QVERIFY(carrier.LoadCarrier(bitmap).ok());
        ContainerHeader header;
        QVERIFY(header.ReadHeader(carrier).ok());
        QVERIFY(!header.HasSignature());
        header.startFresh();
        DatFile table;
        const QByteArray a = randomBytes(1500, 9);
        const QByteArray b = randomBytes(777, 10);
        QVERIFY(table.Inject("a.bin", put("a.bin", a)));
        QVERIFY(table.Inject("b.bin", put("b.bin", b)));

        header.FileCount = 2;
        header.UsePassword = usePassword;
        header.PasswordHash = HashPassword(password);
        ContainerLayout layout;
        QVERIFY(table.makeLayout(header, password, true, &layout).ok());
        QVERIFY(carrier.SaveCarrier(bitmap, layout.runs()).ok());
        carrier.release();

        const QByteArray written = readFile(bitmap);
        QCOMPARE(written.size(), original.size());
        QCOMPARE(written.right(4), QByteArray("tail"));

        Carrier again;
        QVERIFY(again.LoadCarrier(bitmap).ok());
        ContainerHeader read;
        QVERIFY(read.ReadHeader(again).ok());
        QVERIFY(read.HasSignature());
        QCOMPARE(read.FileCount, 2);
        QCOMPARE(read.UsePassword, usePassword);
        QCOMPARE(read.PasswordHash, HashPassword(password));
        DatFile loaded;
        QVERIFY(loaded.Load(again, read, password).isComplete());

        QDir out(path(usePassword ? "out-pw" : "out-plain"));
        QVERIFY(out.mkpath("."));
        for (qsizetype i = 1; i <= loaded.colDescriptions().count(); ++i) {
            const QString name = loaded.colDescriptions().item(i);
            QVERIFY(loaded.Extract(name, out.path()).ok());
        }
        QCOMPARE(readFile(out.filePath("a.bin")), a);
        QCOMPARE(readFile(out.filePath("b.bin")), b);
    }
};

QTEST_GUILESS_MAIN(TestSession)
#include "tst_session.moc"
