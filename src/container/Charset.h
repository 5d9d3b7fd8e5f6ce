// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Descriptions and passwords are stored one byte per character in
// Windows-1252. All 256 codes map both ways: the five codes the code page
// leaves undefined map to the C1 control characters of the same value.
namespace Charset {

// The one-byte form of text, or nothing when a character has no code.
std::optional<QByteArray> encode(const QString &text);
QString decode(const QByteArray &bytes);

// The text with every letter in lower case, for comparing descriptions
// without regard to letter case. All letters of the set have their other case
// inside it, so the fold never leaves the set.
QString fold(const QString &text);
bool sameIgnoringCase(const QString &a, const QString &b);

// A message for the user naming the first character of text that cannot be
// stored, or an empty text when every character can.
QString unrepresentable(const QString &text);

} // namespace Charset
