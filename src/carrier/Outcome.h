#pragma once

#include <QString>

#include <utility>

// The result of an operation that can fail: success, or failure with the
// text the user is to be shown. Callers must look at it.
class [[nodiscard]] Outcome {
public:
    static Outcome success() { return Outcome(true, {}); }
    static Outcome failure(QString message) { return Outcome(false, std::move(message)); }

    bool ok() const { return m_ok; }
    explicit operator bool() const { return m_ok; }
    const QString &message() const { return m_message; }

private:
    Outcome(bool ok, QString message) : m_ok(ok), m_message(std::move(message)) { }

    bool m_ok;
    QString m_message;
};
