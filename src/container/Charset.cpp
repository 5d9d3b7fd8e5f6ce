// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "Charset.h"

#include <QCoreApplication>
#include <QHash>

#include <array>

namespace {

// Unicode of the codes 0x80..0x9F; 0 marks a code the code page leaves
// undefined, which maps to U+0080 + its offset.
// clang-format off
constexpr std::array<char16_t, 32> HighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};
// clang-format on

char16_t toUnicode(unsigned char code)
{
    if (code >= 0x80 && code < 0xA0) {
        const char16_t mapped = HighControls[code - 0x80];
        return mapped ? mapped : char16_t(code);
    }
    return char16_t(code);
}

const QHash<char16_t, unsigned char> &fromUnicode()
{
    static const QHash<char16_t, unsigned char> table = [] {
        QHash<char16_t, unsigned char> t;
        for (int code = 0; code < 256; ++code)
            t.insert(toUnicode(static_cast<unsigned char>(code)), static_cast<unsigned char>(code));
        return t;
    }();
    return table;
}

std::optional<unsigned char> codeOf(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u < 0x100))
        return static_cast<unsigned char>(u);
    const auto &table = fromUnicode();
    const auto it = table.constFind(u);
    if (it == table.constEnd())
        return std::nullopt;
    return *it;
}

} // namespace

namespace Charset {

std::optional<QByteArray> encode(const QString &text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto code = codeOf(text.at(i));
        if (!code)
            return std::nullopt;
        bytes[i] = static_cast<char>(*code);
    }
    return bytes;
}

QString decode(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        text[i] = QChar(toUnicode(static_cast<unsigned char>(bytes.at(i))));
    return text;
}

QString fold(const QString &text)
{
    QString folded = text;
    for (QChar &c : folded) {
        const QChar lower = c.toLower();
        // Keep a character whose lower case the set cannot hold.
        if (codeOf(lower))
            c = lower;
    }
    return folded;
}

bool sameIgnoringCase(const QString &a, const QString &b)
{
    return a.size() == b.size() && fold(a) == fold(b);
}

QString unrepresentable(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (codeOf(text.at(i)))
            continue;
        const bool pair = text.at(i).isHighSurrogate() && i + 1 < text.size();
        const char32_t code
            = pair ? QChar::surrogateToUcs4(text.at(i), text.at(i + 1)) : text.at(i).unicode();
        return QCoreApplication::translate("Charset",
            "The character \"%1\" (U+%2) cannot be stored: only "
            "characters of the Western European character set "
            "(Windows-1252) can.")
            .arg(text.mid(i, pair ? 2 : 1),
                QString::number(code, 16).toUpper().rightJustified(4, QLatin1Char('0')));
    }
    return {};
}

} // namespace Charset
