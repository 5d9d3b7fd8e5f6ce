// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "base/Outcome.h"

#include <QString>

// Why Inject turned a file away.
enum class InjectStatus {
    Injected,
    Unreadable, // missing, not a regular file, unreadable, or not read whole
    Duplicate, // the description is already in the table
    Unrepresentable, // a character of the description cannot be stored
    Unusable, // stored, the name could not be written back as a file
    StoredNameTaken, // stored, it would read back as an existing entry's name
    TooLarge, // the file holds more bytes than the limit allows
};

struct [[nodiscard]] InjectResult {
    InjectStatus status = InjectStatus::Injected;
    QString message;

    explicit operator bool() const { return status == InjectStatus::Injected; }

    // As an outcome: a file too large for the room is Kind::NoRoom, any
    // other refusal Kind::Refused, with the message as its reason.
    Outcome toOutcome() const
    {
        if (status == InjectStatus::Injected)
            return Outcome::success();
        return Outcome::failure(
            status == InjectStatus::TooLarge ? Outcome::Kind::NoRoom : Outcome::Kind::Refused,
            message);
    }
};
