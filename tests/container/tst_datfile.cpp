// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "InMemoryContainer.h"
#include "StoredEntries.h"
#include "TestBitmaps.h"
#include "container/ContainerHeader.h"
#include "container/DatFile.h"
#include "container/EntryExtraction.h"

#include <QDir>
#include <QtTest>

class TestDatFile : public QObject, private ScratchFolder {
    Q_OBJECT

private slots:
    void injectRemoveAndSizes()
    {
        DatFile table;
        QCOMPARE(table.TotalSize(), qint64(0));
        QVERIFY(table.Inject("ten.bin", put("ten.bin", QByteArray(10, 't'))));
        QVERIFY(table.Inject("twenty.bin", put("twenty.bin", QByteArray(20, 'w'))));
        QVERIFY(table.Inject("empty.bin", put("empty.bin", QByteArray())));
        QCOMPARE(table.TotalSize(), qint64(30));
        QCOMPARE(table.ContainerSize(), qint64(14 + 3 * 32 + 30));
        QCOMPARE(table.ContainerSizeWith(5), qint64(14 + 4 * 32 + 35));
        QCOMPARE(descriptions(table), (QStringList {"ten.bin", "twenty.bin", "empty.bin"}));

        const InjectResult again = table.Inject("TEN.BIN", put("other.bin", "x"));
        QCOMPARE(again.status, InjectStatus::Duplicate);
        const InjectResult missing = table.Inject("missing.bin", path("missing.bin"));
        QCOMPARE(missing.status, InjectStatus::Unreadable);
        QCOMPARE(table.colFiles().count(), 3);

        QVERIFY(table.Remove("TWENTY.bin").ok());
        QVERIFY(!table.Remove("twenty.bin").ok());
        QCOMPARE(descriptions(table), (QStringList {"ten.bin", "empty.bin"}));
        QCOMPARE(table.colFiles().count(), 2);
        QCOMPARE(table.TotalSize(), qint64(10));
    }

    void injectRefusesNamesThatCannotBeStoredApart()
    {
        DatFile table;
        const QString data = put("data.bin", "abc");
        const QString longName = QString(28, 'n') + "-one.txt";
        QVERIFY(table.Inject(longName, data));
        const InjectResult twin = table.Inject(QString(28, 'N') + "-two.txt", data);
        QCOMPARE(twin.status, InjectStatus::StoredNameTaken);
        QVERIFY(twin.message.contains("28"));
        QCOMPARE(table.Inject(QString(28, 'n'), data).status, InjectStatus::StoredNameTaken);

        const InjectResult foreign
            = table.Inject(QStringLiteral("zaż\u00f3\u0142\u0107.txt"), data);
        QCOMPARE(foreign.status, InjectStatus::Unrepresentable);
        QVERIFY(foreign.message.contains("U+017C"));
        QCOMPARE(table.colFiles().count(), 1);
    }

    void extract()
    {
        DatFile table;
        QVERIFY(table.Inject("doc.txt", put("src.txt", "short")));
        QVERIFY(table.Inject("none.txt", put("none.txt", QByteArray())));
        QDir out(path("out"));
        QVERIFY(out.mkpath("."));

        // An existing longer file is replaced by exactly the entry's bytes.
        writeFile(out.filePath("doc.txt"), QByteArray(100, 'o'));
        QVERIFY(table.Extract("DOC.TXT", out.path()).ok());
        QCOMPARE(readFile(out.filePath("doc.txt")), QByteArray("short"));
        QVERIFY(table.Extract("none.txt", out.path()).ok());
        QVERIFY(QFileInfo(out.filePath("none.txt")).isFile());
        QCOMPARE(QFileInfo(out.filePath("none.txt")).size(), 0);

        // Unknown entries touch nothing.
        QVERIFY(!table.Extract("ghost.txt", out.path()).ok());
        QCOMPARE(readFile(out.filePath("doc.txt")), QByteArray("short"));
        QVERIFY(!QFileInfo::exists(out.filePath("ghost.txt")));
    }

    // Names from a container made elsewhere: each entry lands, under a cleaned
    // name where its own cannot be a file name, directly inside the folder,
    // and no two entries share a file.
    void extractCleansNamesButNeverLeavesTheFolder()
    {
        const QList<QByteArray> stored = {"../escape.txt", "a/b.txt", "a_b.txt", ".", "..",
            "tab\there", "", "nul\x7f", "12:30 notes.txt", "a\\b.txt", "x\x81y", "unnamed"};
        QByteArray hidden;
        for (int i = 0; i < stored.size(); ++i)
            hidden += record(stored[i], 1) + char('A' + i);
        QByteArray pixels = pixelArea(14 + hidden.size());
        HiddenStream stream(pixels);
        QVERIFY(stream.WriteHidden(hidden, hidden.size(), 14).ok());
        DatFile table;
        QCOMPARE(
            table.Load(stream, headerFor(stored.size(), false), {}).loaded, qint32(stored.size()));

        QDir out(path("unsafe"));
        QVERIFY(out.mkpath("."));
        for (qsizetype i = 1; i <= table.colDescriptions().count(); ++i)
            QVERIFY(table.Extract(table.colDescriptions().item(i), out.path()).ok());
        QVERIFY(!QFileInfo::exists(path("escape.txt")));
        const QStringList written
            = out.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        QCOMPARE(written.size(), stored.size());
        QCOMPARE(table.extractionName("a/b.txt"), QStringLiteral("a_b (2).txt"));
        QCOMPARE(table.extractionName(".."), QStringLiteral("unnamed (3)"));
        QCOMPARE(table.extractionName("tab\there"), QStringLiteral("tab_here"));

        // Names told apart by the container's own folding (a sealed
        // container's is Unicode case folding) that clean to the same file
        // name are numbered apart, so none replaces another.
        const QHash<QString, QString> plan = EntryExtraction::namePlan(
            {"a\tb", "a\nb", "A\tB", "a_b"}, [](const QString &t) { return t.toCaseFolded(); });
        QCOMPARE(QSet<QString>(plan.cbegin(), plan.cend()).size(), 3);
        QCOMPARE(plan.value("a_b"), QStringLiteral("a_b"));
        QCOMPARE(readFile(out.filePath("a_b.txt")), QByteArray("C"));
        QCOMPARE(readFile(out.filePath("12:30 notes.txt")), QByteArray("I"));
        QCOMPARE(readFile(out.filePath("a\\b.txt")), QByteArray("J"));
        QCOMPARE(readFile(out.filePath("unnamed")), QByteArray("L"));
    }

    void extractReplacesALinkInsteadOfWritingThroughIt()
    {
        DatFile table;
        QVERIFY(table.Inject("linked.txt", put("linked-src.txt", "hidden data")));
        const QString outside = put("outside.txt", "not to be touched");
        QDir out(path("links"));
        QVERIFY(out.mkpath("."));
        QVERIFY(QFile::link(outside, out.filePath("linked.txt")));
        QVERIFY(table.Extract("linked.txt", out.path()).ok());
        QCOMPARE(readFile(outside), QByteArray("not to be touched"));
        QVERIFY(!QFileInfo(out.filePath("linked.txt")).isSymLink());
        QCOMPARE(readFile(out.filePath("linked.txt")), QByteArray("hidden data"));
    }

    void failedExtractKeepsTheExistingFile()
    {
        DatFile table;
        QVERIFY(table.Inject("big.bin", put("big-src.bin", QByteArray(64 * 1024, 'b'))));
        const QString target = put("big.bin", "precious");
        {
            FileSizeLimit limit(1024);
            QVERIFY(!table.Extract("big.bin", root()).ok());
        }
        QCOMPARE(readFile(target), QByteArray("precious"));
        QVERIFY(!table.Extract("big.bin", target).ok()); // a file is no folder
    }

    void storedLayoutAndKeyAcrossEntries()
    {
        DatFile table;
        QVERIFY(table.Inject("four", put("four", "\x10\x20\x30\x40")));
        QVERIFY(table.Inject("five", put("five", "\x50\x60\x70\x80\x90")));
        const QByteArray password = "\x01\x02\x04";
        QByteArray pixels = pixelArea(100);
        HiddenStream stream(pixels);
        QVERIFY(saveEntries(table, stream, headerFor(2, true, password), password).ok());

        // The records are plain; the data combine with the key running on
        // across the record in between: 1,2,3,1 then 2,3,1,2,3.
        QCOMPARE(hiddenRun(pixels, 32, 14), record("four", 4));
        QCOMPARE(hiddenRun(pixels, 4, 46), QByteArray("\x11\x22\x34\x41"));
        QCOMPARE(hiddenRun(pixels, 32, 50), record("five", 5));
        QCOMPARE(hiddenRun(pixels, 5, 82), QByteArray("\x52\x64\x71\x82\x94"));

        DatFile back;
        const LoadReport report = back.Load(stream, headerFor(2, true, password), password);
        QVERIFY(report.isComplete());
        QCOMPARE(dataOf(back, 1), QByteArray("\x10\x20\x30\x40"));
        QCOMPARE(dataOf(back, 2), QByteArray("\x50\x60\x70\x80\x90"));
    }

    void emptyEntryIsFollowedDirectlyByTheNextRecord()
    {
        DatFile table;
        QVERIFY(table.Inject("zero", put("zero", QByteArray())));
        QVERIFY(table.Inject("one", put("one", "1")));
        QByteArray pixels = pixelArea(100);
        HiddenStream stream(pixels);
        QVERIFY(saveEntries(table, stream, headerFor(2, false), {}).ok());
        QCOMPARE(hiddenRun(pixels, 32, 14), record("zero", 0));
        QCOMPARE(hiddenRun(pixels, 32, 46), record("one", 1));
    }

    void saveAndLoadRoundTrip_data()
    {
        QTest::addColumn<bool>("usePassword");
        QTest::addColumn<QByteArray>("password");
        QTest::newRow("plain") << false << QByteArray();
        QTest::newRow("plain, a password remembered") << false << QByteArray("kept");
        QTest::newRow("password") << true << QByteArray("s\xE9same");
        QTest::newRow("flag without password") << true << QByteArray();
    }
    void saveAndLoadRoundTrip()
    {
        QFETCH(bool, usePassword);
        QFETCH(QByteArray, password);
        DatFile table;
        const QList<QByteArray> contents
            = {randomBytes(70000, 1), QByteArray(), randomBytes(13, 2), randomBytes(65537, 3)};
        const QStringList names
            = {"  spaced.bin  ", "empty", QString(30, 'L'), QStringLiteral("caf\u00e9.txt")};
        for (int i = 0; i < names.size(); ++i)
            QVERIFY(table.Inject(names[i], put(QString("rt%1").arg(i), contents[i])));

        QByteArray pixels = pixelArea(table.ContainerSize());
        HiddenStream stream(pixels);
        const ContainerHeader header = headerFor(4, usePassword, password);
        QVERIFY(saveEntries(table, stream, header, password).ok());
        if (usePassword && !password.isEmpty())
            QVERIFY(hiddenRun(pixels, 13, 14 + 64 + 70000 + 32) != contents[2]);
        else
            QCOMPARE(hiddenRun(pixels, 13, 14 + 64 + 70000 + 32), contents[2]);

        DatFile back;
        const LoadReport report = back.Load(stream, header, password);
        QVERIFY2(report.isComplete(), qPrintable(report.message()));
        QCOMPARE(report.loaded, 4);
        QCOMPARE(descriptions(back),
            (QStringList {
                "spaced.bin", "empty", QString(28, 'L'), QStringLiteral("caf\u00e9.txt")}));
        for (int i = 0; i < contents.size(); ++i)
            QCOMPARE(dataOf(back, i + 1), contents[i]);
    }

    void saveRefusesAContainerThatDoesNotFit()
    {
        DatFile table;
        QVERIFY(table.Inject("a", put("fit-a", QByteArray(50, 'a'))));
        QByteArray pixels = pixelArea(14 + 32 + 49);
        const QByteArray before = pixels;
        HiddenStream stream(pixels);
        const Outcome saved = saveEntries(table, stream, headerFor(1, false), {});
        QVERIFY(!saved.ok());
        QVERIFY(saved.what().contains("95"));
        QCOMPARE(pixels, before);
        QVERIFY(!table.CheckFits(95).ok());
        QVERIFY(table.CheckFits(96).ok());
    }

    void loadStopsAtDamageAndKeepsWhatItRead_data()
    {
        QTest::addColumn<qint32>("fileCount");
        QTest::addColumn<qint32>("secondLength");
        QTest::addColumn<int>("loaded");
        QTest::addColumn<bool>("damaged");
        QTest::newRow("count runs past the end") << qint32(INT32_MAX) << qint32(2) << 2 << true;
        QTest::newRow("negative length") << qint32(2) << qint32(-5) << 1 << true;
        QTest::newRow("length past the end") << qint32(2) << qint32(1000) << 1 << true;
        QTest::newRow("length to the last byte")
            << qint32(2) << qint32(200 - 14 - 64 - 3) << 2 << false;
        QTest::newRow("count zero") << qint32(0) << qint32(2) << 0 << false;
        QTest::newRow("count negative") << qint32(-3) << qint32(2) << 0 << false;
    }
    void loadStopsAtDamageAndKeepsWhatItRead()
    {
        QFETCH(qint32, fileCount);
        QFETCH(qint32, secondLength);
        QFETCH(int, loaded);
        QFETCH(bool, damaged);
        QByteArray pixels = pixelArea(200);
        HiddenStream stream(pixels);
        const QByteArray stored
            = record("first", 3) + "abc" + record("second", secondLength) + "de";
        QVERIFY(stream.WriteHidden(stored, stored.size(), 14).ok());
        DatFile table;
        const LoadReport report = table.Load(stream, headerFor(fileCount, false), {});
        QCOMPARE(report.loaded, loaded);
        QCOMPARE(table.colFiles().count(), loaded);
        QCOMPARE(!report.damage.isEmpty(), damaged);
        if (damaged)
            QVERIFY2(report.message().contains(QString("only %1 could be read").arg(loaded)),
                qPrintable(report.message()));
        if (loaded > 0)
            QCOMPARE(dataOf(table, 1), QByteArray("abc"));
    }

    void repeatedStoredNamesAreRenamedNotDropped()
    {
        QByteArray pixels = pixelArea(300);
        HiddenStream stream(pixels);
        const QByteArray longName = QByteArray(24, 'x') + ".txt";
        const QByteArray stored = record("a.txt", 1) + "1" + record(" A.TXT ", 1) + "2"
            + record("a.txt", 1) + "3" + record(longName, 1) + "4" + record(longName, 1) + "5";
        QVERIFY(stream.WriteHidden(stored, stored.size(), 14).ok());
        DatFile table;
        const LoadReport report = table.Load(stream, headerFor(5, false), {});
        QCOMPARE(report.loaded, 5);
        QVERIFY(report.damage.isEmpty());
        QCOMPARE(report.renamed.size(), 3);
        const QString cut = QString(20, 'x') + " (2).txt";
        QCOMPARE(descriptions(table),
            (QStringList {"a.txt", "A (2).TXT", "a (3).txt", QString::fromLatin1(longName), cut}));
        QCOMPARE(dataOf(table, 5), QByteArray("5"));
        QVERIFY(report.message().contains("renamed"));
    }

    // A repeated name is renamed to one that no entry holds, also a later one.
    void renamedNamesAvoidEveryStoredName()
    {
        QByteArray pixels = pixelArea(200);
        HiddenStream stream(pixels);
        const QByteArray stored
            = record("a.txt", 1) + "1" + record("A.TXT", 1) + "2" + record("a (2).txt", 1) + "3";
        QVERIFY(stream.WriteHidden(stored, stored.size(), 14).ok());
        DatFile table;
        QCOMPARE(table.Load(stream, headerFor(3, false), {}).renamedCount, 1);
        QCOMPARE(descriptions(table), (QStringList {"a.txt", "A (3).TXT", "a (2).txt"}));
        QDir out(path("renamed"));
        QVERIFY(out.mkpath("."));
        QVERIFY(table.Extract("a (2).txt", out.path()).ok());
        QCOMPARE(readFile(out.filePath("a (2).txt")), QByteArray("3"));
    }

    // Adding thousands of files at once: each name is checked against the
    // table in constant time.
    void manyInjectedNamesAreCheckedInLinearTime()
    {
        const QString data = put("many.bin", "m");
        DatFile table;
        for (int i = 0; i < 40000; ++i)
            QVERIFY(table.Inject(QString("file %1.bin").arg(i), data));
        QCOMPARE(table.TotalSize(), qint64(40000));
        QCOMPARE(table.Inject("FILE 7.BIN", data).status, InjectStatus::Duplicate);
    }

    // Found by fuzzing: a zeroed pixel area under a header that announces
    // billions of entries holds one 32-byte record of the same empty name
    // after another. Renaming them must not take quadratic time.
    void manyRepeatedNamesLoadInLinearTime()
    {
        const qint64 records = 20000;
        QByteArray pixels(8 * (14 + 32 * records + 5), '\0');
        HiddenStream stream(pixels);
        DatFile table;
        const LoadReport report = table.Load(stream, headerFor(INT32_MAX, false), {});
        QCOMPARE(report.loaded, qint32(records));
        QCOMPARE(report.renamedCount, records - 1);
        QCOMPARE(report.renamed.size(), LoadReport::RenamedListed);
        QVERIFY(report.message().contains(
            QString("and %1 more").arg(records - 1 - LoadReport::RenamedListed)));
        QVERIFY(report.message().contains("only 20000 could be read"));
        QCOMPARE(table.colDescriptions().count(), records);
        QCOMPARE(
            table.colDescriptions().item(records), QString(QChar(0)).repeated(20) + " (20000)");
    }

    void shorterRewriteHidesTheOlderTail()
    {
        QByteArray pixels = pixelArea(1000);
        HiddenStream stream(pixels);
        DatFile five;
        for (int i = 0; i < 5; ++i)
            QVERIFY(five.Inject(QString("f%1").arg(i),
                put(QString("five%1").arg(i), QByteArray(20, char('a' + i)))));
        QVERIFY(saveEntries(five, stream, headerFor(5, false), {}).ok());
        DatFile two;
        QVERIFY(two.Inject("g0", put("g0", "zz")));
        QVERIFY(two.Inject("g1", put("g1", "yy")));
        QVERIFY(saveEntries(two, stream, headerFor(2, false), {}).ok());
        DatFile back;
        QCOMPARE(back.Load(stream, headerFor(2, false), {}).loaded, 2);
        QCOMPARE(descriptions(back), (QStringList {"g0", "g1"}));
    }
};

QTEST_GUILESS_MAIN(TestDatFile)
#include "tst_datfile.moc"
