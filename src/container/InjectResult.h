// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

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
};
