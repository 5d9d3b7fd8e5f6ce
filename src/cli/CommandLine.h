// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "CliOption.h"
#include "io/ImageLock.h"

#include <QStringList>

#include <chrono>
#include <map>
#include <optional>

class QCommandLineParser;

// What a command line gives the command it names: the bitmap, the arguments
// after it and the options.
class CommandLine {
public:
    // The options the parser found, with their values.
    explicit CommandLine(const QCommandLineParser &parser);

    bool isSet(CliOption option) const { return m_given.count(option) > 0; }
    // The option's value; empty when it has none or is not set.
    QString value(CliOption option) const;

    // The 24-bit BMP image (for carrier: the picture).
    QString bitmap;
    // Files to add, names to remove or extract, the BMP to make.
    QStringList arguments;
    // How long a writer waits for another program writing the image.
    std::chrono::milliseconds wait = ImageLock::DefaultWait;

private:
    std::map<CliOption, QString> m_given;
};

// Seconds as a number of milliseconds: digits, with a fraction or without.
// Nothing for anything else, a sign included.
std::optional<std::chrono::milliseconds> parseSeconds(const QString &text);
