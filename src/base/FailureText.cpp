// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "FailureText.h"

#include <QCoreApplication>

QString fixedText(Outcome::Kind kind)
{
    switch (kind) {
    case Outcome::Kind::BitmapNotFound:
        return QCoreApplication::translate("FailureText", "Bitmap file not found!");
    case Outcome::Kind::NotABitmap:
        return QCoreApplication::translate("FailureText", "File isn't a bitmap!");
    case Outcome::Kind::NotTwentyFourBit:
        return QCoreApplication::translate("FailureText", "File must be a 24-bit bitmap!");
    case Outcome::Kind::NoRoom:
        return QCoreApplication::translate("FailureText", "Not enough free space!");
    case Outcome::Kind::WrongPassword:
        return QCoreApplication::translate("FailureText", "Invalid password!");
    case Outcome::Kind::Refused:
        return QCoreApplication::translate("FailureText", "Error!");
    case Outcome::Kind::NoSealedContainer:
        return QCoreApplication::translate(
            "FailureText", "no sealed container opens with this passphrase");
    default:
        return {};
    }
}

QString headline(const Outcome &outcome)
{
    const QString fixed = fixedText(outcome.kind());
    return fixed.isEmpty() ? outcome.what() : fixed;
}

QString fullText(const Outcome &outcome)
{
    const QString first = headline(outcome);
    if (first.isEmpty())
        return outcome.detail();
    return outcome.detail().isEmpty() ? first : first + QLatin1Char(' ') + outcome.detail();
}
