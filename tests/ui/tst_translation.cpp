// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "CliRunner.h"
#include "WindowFixture.h"
#include "base/Translations.h"

#include <QLabel>

// The programs in German: this test runs with LANGUAGE=de. What scripts read
// stays English.
class TestTranslation : public WindowFixture {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(Translations::wanted());
        Translations::install();
    }
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void theWindowSpeaksGerman()
    {
        QCOMPARE(w().cmdOpen->text(), QStringLiteral("\u00d6&ffnen"));
        QCOMPARE(w().Label2->text(), QStringLiteral("Kapazit\u00e4t:"));
        open(file("short.bmp", "BM"));
        QCOMPARE(prompter().texts(), QStringList {"Die Datei ist keine Bitmap!"});
        open(bitmap("german.bmp"));
        QCOMPARE(w().lblCapacity->text(), QStringLiteral("3 750 Bytes"));
    }

    void theCommandLineSpeaksGermanButNotToScripts()
    {
        const QString bmp = bitmap("script.bmp");
        const Run missing = cli({"info", path("missing.bmp")});
        QVERIFY2(missing.err.startsWith("Bitmap-Datei nicht gefunden!"), qPrintable(missing.err));
        const Run info = cli({"info", bmp});
        QVERIFY2(info.out.startsWith("capacity: 3750\n"), qPrintable(info.out));
        QVERIFY(cli({"info", bmp, "--json"}).out.contains("\"capacity\": 3750"));
    }
};

QTEST_MAIN(TestTranslation)
#include "tst_translation.moc"
