// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

// The program's start-up: makes the program's folder the current directory,
// shows the main window and runs until it is closed. Gives the exit status.
int Main(int argc, char **argv);

// False when no graphical desktop can be reached (on X11 or Wayland systems:
// neither DISPLAY nor WAYLAND_DISPLAY is set and no platform was chosen).
bool displayAvailable();
