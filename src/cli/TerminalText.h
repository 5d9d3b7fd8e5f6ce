// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include <QByteArray>
#include <QString>

class QJsonDocument;

// Text from a bitmap (hidden names above all) made safe to print: control
// characters, which could move the cursor or recolour a terminal, appear as
// escapes ("\t", "\n", "\x1b"), and a backslash as "\\", so that every
// printed name stands for exactly one stored name.
// Marks that change the direction of the text around them, which can make
// one name look like another, appear as "\u202e" and the like.
QString escapeControls(const QString &text);

// A JSON document as printed, indented: beyond the escapes JSON requires,
// the characters escapeControls escapes appear as \uXXXX in its strings,
// the same value to a JSON reader.
QByteArray printableJson(const QJsonDocument &document);
