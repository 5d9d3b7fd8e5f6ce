// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "base/Outcome.h"

#include <QString>

class ContainerSession;
class SealedSession;

// Adds the files of the plain container that plain opened to sealed, in
// their order, under their names: what sealing an image carries over. Each
// is read only once it is known to fit, so that memory stays within what
// the sealed container can hold. On failure, *name is the file that did
// not go in.
Outcome carryOverPlainFiles(const ContainerSession &plain, SealedSession &sealed, QString *name);
