// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

// The main window under test: a scripted prompter, a temporary folder for
// bitmaps and files, and the gestures a user makes.

#include "ScriptedPrompter.h"
#include "TestBitmaps.h"
#include "ui/frmVeldra.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

class WindowFixture : public QObject {
protected:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedPrompter> m_prompter;
    std::unique_ptr<frmVeldra> m_window;

    frmVeldra &w() { return *m_window; }
    ScriptedPrompter &prompter() { return *m_prompter; }
    // Any name, one beginning with ':' too.
    QString path(const QString &name) const { return m_dir->path() + QLatin1Char('/') + name; }

    QString file(const QString &name, const QByteArray &bytes)
    {
        const QString p = path(name);
        if (!writeFile(p, bytes))
            qFatal("cannot write fixture");
        return p;
    }
    QString bitmap(const QString &name, int width = 100, int height = 100)
    {
        return file(name, makeBitmap(width, height, 5));
    }

    static void click(QAbstractButton *button) { QTest::mouseClick(button, Qt::LeftButton); }

    void open(const QString &bitmapPath)
    {
        w().txtBitmap->setText(bitmapPath);
        click(w().cmdOpen);
    }
    void add(const QString &filePath)
    {
        prompter().files.enqueue(filePath);
        click(w().cmdAdd);
    }
    void select(const QString &row)
    {
        const auto found = w().lstFiles->findItems(row, Qt::MatchExactly);
        QVERIFY(found.size() == 1);
        w().lstFiles->setCurrentItem(found.first());
    }
    QStringList rows() const
    {
        QStringList out;
        for (int i = 0; i < m_window->lstFiles->count(); ++i)
            out << m_window->lstFiles->item(i)->text();
        return out;
    }
    // The container header stored in the bitmap at path.
    static ContainerHeader storedHeader(const QString &bitmapPath)
    {
        Carrier carrier;
        ContainerHeader header;
        if (!carrier.LoadCarrier(bitmapPath) || !header.ReadHeader(carrier))
            qFatal("cannot read the stored header");
        return header;
    }

    bool containerOpen() const
    {
        return m_window->fraFiles->isVisible() && !m_window->cmdOpen->isEnabled();
    }

    // Opens a bitmap, hides the given files in it and writes it back.
    void hide(const QString &bitmapPath, const QStringList &files, const QString &password = {})
    {
        open(bitmapPath);
        QVERIFY(containerOpen());
        if (!password.isEmpty()) {
            prompter().passwords.enqueue(password);
            prompter().passwords.enqueue(password); // typed again to confirm
            click(w().chkUsePass);
        }
        for (const QString &f : files)
            add(f);
        click(w().cmdWrClose);
        QVERIFY(!containerOpen());
    }

    void setUp()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_prompter = std::make_unique<ScriptedPrompter>();
        m_window = std::make_unique<frmVeldra>(m_prompter.get());
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }
    void tearDown()
    {
        m_window.reset();
        m_prompter.reset();
        m_dir.reset();
    }
};
