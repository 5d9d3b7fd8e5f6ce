// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "TerminalText.h"

#include <QJsonDocument>

namespace {

// Characters that change the direction of the text around them.
bool isDirectionMark(char16_t u)
{
    return u == 0x200E || u == 0x200F || (u >= 0x202A && u <= 0x202E)
        || (u >= 0x2066 && u <= 0x2069);
}

// Controls JSON leaves as they are: DEL and the C1 controls.
bool isLateControl(char16_t u)
{
    return u == 0x7F || (u >= 0x80 && u < 0xA0);
}

} // namespace

QString escapeControls(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        const char16_t u = c.unicode();
        switch (u) {
        case '\\':
            out += QLatin1String("\\\\");
            break;
        case '\t':
            out += QLatin1String("\\t");
            break;
        case '\n':
            out += QLatin1String("\\n");
            break;
        case '\r':
            out += QLatin1String("\\r");
            break;
        default:
            if (u < 0x20 || isLateControl(u))
                out += QStringLiteral("\\x%1").arg(int(u), 2, 16, QLatin1Char('0'));
            else if (isDirectionMark(u))
                out += QStringLiteral("\\u%1").arg(int(u), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    return out;
}

QByteArray printableJson(const QJsonDocument &document)
{
    // Outside its strings a JSON document is plain ASCII.
    const QString text = QString::fromUtf8(document.toJson(QJsonDocument::Indented));
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (isLateControl(u) || isDirectionMark(u))
            out += QStringLiteral("\\u%1").arg(int(u), 4, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out.toUtf8();
}
