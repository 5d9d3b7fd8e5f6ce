// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

// The program's start-up: reads the command line, shows the main window and
// runs until it is closed. Gives the exit status. The current folder stays
// the one the program was started in: paths typed in the window are found
// from there, as in every other program.
int Main(int argc, char **argv);

// False when no graphical desktop can be reached (on X11 or Wayland systems:
// neither DISPLAY nor WAYLAND_DISPLAY is set and no platform was chosen).
bool displayAvailable();
