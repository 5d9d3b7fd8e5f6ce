// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "Outcome.h"

#include "SystemError.h"

Outcome Outcome::systemError(int errorNumber, QString what)
{
    return Outcome(Kind::SystemError, errorNumber, std::move(what), ::systemError(errorNumber));
}
