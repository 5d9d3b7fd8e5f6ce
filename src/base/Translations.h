// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

// The languages the programs speak besides English, the default. The user's
// languages come from the environment as usual (LANGUAGE, LC_ALL,
// LC_MESSAGES, LANG). What scripts read stays English: the lines of info and
// list, JSON documents.
namespace Translations {

// True when the user reads a language Veldra has a translation for.
bool wanted();

// Installs that translation, and Qt's own for the same language where it is
// installed (the buttons of standard dialogs). Needs an application object.
void install();

} // namespace Translations
