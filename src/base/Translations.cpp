// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "Translations.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

// The translations built into the programs, as veldra_<language>.qm.
constexpr char Folder[] = ":/i18n";

// The first of the user's languages that Veldra speaks, English among them;
// empty when none is.
QString chosenLanguage()
{
    for (const QString &wanted : QLocale::system().uiLanguages()) {
        const QString language = QLocale(wanted).name().section(QLatin1Char('_'), 0, 0);
        if (language == QLatin1String("en") || language == QLatin1String("C"))
            return QStringLiteral("en");
        if (QFile::exists(QStringLiteral("%1/veldra_%2.qm").arg(QLatin1String(Folder), language)))
            return language;
    }
    return {};
}

} // namespace

bool Translations::wanted()
{
    const QString language = chosenLanguage();
    return !language.isEmpty() && language != QLatin1String("en");
}

void Translations::install()
{
    const QString language = chosenLanguage();
    if (language.isEmpty() || language == QLatin1String("en"))
        return;
    auto *own = new QTranslator(QCoreApplication::instance());
    if (own->load(QStringLiteral("veldra_") + language, QLatin1String(Folder)))
        QCoreApplication::installTranslator(own);
    auto *qt = new QTranslator(QCoreApplication::instance());
    if (qt->load(QStringLiteral("qtbase_") + language,
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
}
