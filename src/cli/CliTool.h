#pragma once

#include <QStringList>
#include <QTextStream>

class ContainerSession;
class Outcome;
class PasswordInput;

// veldra-cli: the window's actions on a bitmap's container for scripts.
//   info BITMAP | list BITMAP | add BITMAP FILE... [--protect|--no-protect]
//   remove BITMAP NAME... | extract BITMAP [NAME...] [-o DIR]
// Results go to out, messages to err. The exit status is 0 on success, 1 on
// any failure and 2 on a usage error.
class CliTool {
public:
    enum Status { Success = 0, Failure = 1, UsageError = 2 };

    CliTool(QTextStream &out, QTextStream &err) : m_out(out), m_err(err) { }

    // arguments[0] is the program's name, as in argv.
    int run(const QStringList &arguments);

private:
    int info(ContainerSession &session);
    int list(ContainerSession &session);
    int add(ContainerSession &session, const QString &bitmap, const QStringList &files,
        int protection, PasswordInput &passwords);
    int remove(ContainerSession &session, const QString &bitmap, const QStringList &names);
    int extract(ContainerSession &session, const QStringList &names, const QString &folder);
    int writeBack(ContainerSession &session, const QString &bitmap, bool usePassword,
        const QByteArray &password);
    int usage(const QString &problem);
    // A message on the error stream, names in it escaped.
    void say(const QString &text);
    int fail(const Outcome &outcome);

    QTextStream &m_out;
    QTextStream &m_err;
    QString m_help;
};
