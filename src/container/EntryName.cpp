// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "EntryName.h"

#include <QCoreApplication>

namespace {

// This file's texts, translated under the context "EntryName".
class Texts {
    Q_DECLARE_TR_FUNCTIONS(EntryName)
};

bool isControl(QChar c)
{
    const char16_t u = c.unicode();
    return u < 0x20 || u == 0x7F || (u >= 0x80 && u < 0xA0);
}

bool isDotName(const QString &name)
{
    return name == QLatin1String(".") || name == QLatin1String("..");
}

} // namespace

namespace EntryName {

QString whyUnusable(const QString &name)
{
    if (name.isEmpty())
        return Texts::tr("The name is empty.");
    if (isDotName(name))
        return Texts::tr("\"%1\" names a folder, not a file.").arg(name);
    for (QChar c : name) {
        if (c == QLatin1Char('/'))
            return Texts::tr("The name holds '/', which separates folders.");
        if (isControl(c)) {
            return Texts::tr("The name holds a control character (U+%1).")
                .arg(
                    QString::number(c.unicode(), 16).toUpper().rightJustified(4, QLatin1Char('0')));
        }
    }
    return {};
}

QString cleaned(const QString &name)
{
    if (name.isEmpty() || isDotName(name))
        return QStringLiteral("unnamed");
    QString clean = name;
    for (QChar &c : clean) {
        if (c == QLatin1Char('/') || isControl(c))
            c = QLatin1Char('_');
    }
    return clean;
}

QString numbered(const QString &name, int n, qsizetype limit)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString base = dot > 0 ? name.left(dot) : name;
    const QString extension = dot > 0 ? name.mid(dot) : QString();
    const QString suffix = QStringLiteral(" (%1)").arg(n) + extension;
    if (limit < 0)
        return base + suffix;
    const qsizetype room = qMax<qsizetype>(0, limit - suffix.size());
    return (base.left(room) + suffix).left(limit);
}

} // namespace EntryName
