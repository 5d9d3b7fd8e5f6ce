// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "Startup.h"

int main(int argc, char **argv)
{
    return Main(argc, argv);
}
