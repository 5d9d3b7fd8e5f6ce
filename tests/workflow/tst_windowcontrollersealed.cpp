// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "ScriptedUser.h"
#include "TestBitmaps.h"
#include "sealed/SealedSession.h"
#include "workflow/WindowController.h"

#include <QDateTime>
#include <QFile>
#include <QTest>

// Sealed containers in the window's flow, without a widget. The key
// derivation is made cheap through setSealedCost: the flow is tested here,
// not the format.
class TestWindowControllerSealed : public QObject, private ScratchFolder {
    Q_OBJECT

private:
    ScriptedUser m_user;
    std::unique_ptr<WindowController> m_c;

    static SealedKeys::Cost cheap() { return {1, std::size_t(8) << 20}; }
    QString sealed(const QString &name, const QByteArray &passphrase)
    {
        const QString bmp = put(name, makeBitmap(160, 160, 5));
        SealedSession session;
        session.setCost(cheap());
        if (!session.startNew(bmp) || !session.add(put("a.txt", "alpha"))
            || !session.writeBack(bmp, passphrase, {}))
            qFatal("cannot seal the fixture");
        return bmp;
    }

private slots:
    void init()
    {
        m_user = ScriptedUser();
        m_c = std::make_unique<WindowController>(m_user);
        m_c->setSealedCost(cheap());
    }

    void aPassphraseOpensItsSealedContainerOnly()
    {
        const QString bmp = sealed("s.bmp", "right");
        const QByteArray before = readFile(bmp);
        m_user.passwords << QStringLiteral("wrong");
        QVERIFY(!m_c->openSealed(bmp));
        QVERIFY(!m_c->openSealed(bmp)); // dismissed: not even a message
        QCOMPARE(m_user.log,
            (QStringList {"password: passphrase",
                "told: no sealed container opens with this passphrase", "password: passphrase"}));
        QVERIFY(!m_c->isOpen());
        QCOMPARE(readFile(bmp), before);

        m_user.passwords << QStringLiteral("right");
        QVERIFY(m_c->openSealed(bmp));
        QVERIFY(m_c->isSealed() && !m_c->session());
        QCOMPARE(m_c->container()->entries().constFirst().name, QStringLiteral("a.txt"));
    }

    // No, a dismissed dialog, passphrases that differ or an empty one make
    // nothing.
    void sealMakesNothingUnasked()
    {
        const QString bmp = put("ask.bmp", makeBitmap(160, 160, 5));
        QVERIFY(!m_c->seal(bmp));
        m_user.answers << true << true << true;
        m_user.passwords << std::nullopt << QStringLiteral("one") << QStringLiteral("two")
                         << QString();
        QVERIFY(!m_c->seal(bmp) && !m_c->seal(bmp) && !m_c->seal(bmp));
        QCOMPARE(m_user.log.size(), 10);
        QVERIFY(m_user.log[0].startsWith("asked: Make a new sealed container in this image?"));
        QCOMPARE(m_user.log.mid(4),
            (QStringList {"password: new passphrase", "password: confirm passphrase",
                "told: The two passphrases differ.", "asked: " + m_user.asked[0].text,
                "password: new passphrase", "told: A sealed container needs a passphrase."}));
        QVERIFY(!m_c->isOpen());
        QCOMPARE(readFile(bmp), makeBitmap(160, 160, 5));
    }

    // Another program's write into the pixels read at Open is asked about.
    void aSealedImageChangedOnDiskIsAskedAbout()
    {
        const QString bmp = sealed("changed.bmp", "pp");
        m_user.passwords << QStringLiteral("pp");
        QVERIFY(m_c->openSealed(bmp));
        QByteArray theirs = readFile(bmp);
        theirs[60] = char(theirs[60] ^ 1);
        QVERIFY(writeInPlace(bmp, theirs));
        QVERIFY(!m_c->writeAndClose());
        QCOMPARE(m_user.asked.size(), 1);
        QVERIFY(m_user.asked[0].text.startsWith("The image was changed on disk"));
        QVERIFY(m_c->isOpen());
        QCOMPARE(readFile(bmp), theirs);
    }
};

QTEST_GUILESS_MAIN(TestWindowControllerSealed)
#include "tst_windowcontrollersealed.moc"
