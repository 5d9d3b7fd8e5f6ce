// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "io/ImageLock.h"

#include <QStringList>
#include <QTextStream>

#include <chrono>
#include <optional>

class ContainerSession;
class Outcome;
class PasswordInput;

// veldra-cli: the window's actions on a bitmap's container for scripts.
//   info BITMAP [--json] | list BITMAP [--json]
//   add BITMAP FILE... [--protect|--no-protect] | add BITMAP - --name NAME
//   remove BITMAP NAME... | extract BITMAP [NAME...] [-o DIR|-]
//   protect BITMAP | unprotect BITMAP
// (the four that write take --wait SECONDS)
//   carrier PICTURE OUTPUT.bmp [--force] | analyse BITMAP [--json]
// Results go to out, messages to err. The exit status is 0 on success, 1 on
// any failure and 2 on a usage error.
class CliTool {
public:
    enum Status { Success = 0, Failure = 1, UsageError = 2 };

    CliTool(QTextStream &out, QTextStream &err) : m_out(out), m_err(err) { }

    // arguments[0] is the program's name, as in argv.
    int run(const QStringList &arguments);

    // What the command line asked for, checked.
    struct Request {
        QString command;
        QString bitmap;
        QStringList arguments; // files to add, names to remove or extract
        bool json = false;
        bool force = false; // carrier: replace an existing output; writers: fill a cut image
        bool noClobber = false; // extract: keep existing files
        QString name; // the name for standard input in add
        QString output; // the folder for extract, "-" for standard output
        enum { Keep, Protect, Unprotect } protection = Keep;
        QString passwordFile;
        QString newPasswordFile;
        bool prompts = true;
        // How long a writer waits for another program writing the image.
        std::chrono::milliseconds wait = ImageLock::DefaultWait;
    };

private:
    int execute(const Request &request);
    int info(const ContainerSession &session, bool json);
    int list(const ContainerSession &session, bool json);
    int add(ContainerSession &session, const Request &request, PasswordInput &passwords);
    int remove(ContainerSession &session, const Request &request);
    int extract(const ContainerSession &session, const Request &request);
    int protect(ContainerSession &session, const Request &request, PasswordInput &passwords);
    int carrier(const Request &request);
    int analyse(const Request &request);
    int writeBack(ContainerSession &session, const Request &request, bool usePassword,
        const QByteArray &password);
    // A new password, or nothing after saying why.
    std::optional<QByteArray> freshPassword(PasswordInput &passwords);
    int usage(const QString &problem);
    // A message on the error stream, names in it escaped.
    void say(const QString &text);
    int fail(const Outcome &outcome);

    QTextStream &m_out;
    QTextStream &m_err;
};
