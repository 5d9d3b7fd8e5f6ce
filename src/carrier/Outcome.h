// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include <QString>

#include <utility>

// The result of an operation that can fail: success, or failure with the
// text the user is to be shown and, apart from it, the reason behind it
// ("Bitmap file not found!" / "Permission denied."). Callers must look at it.
class [[nodiscard]] Outcome {
public:
    static Outcome success() { return Outcome(true, {}, {}); }
    static Outcome failure(QString message, QString detail = {})
    {
        return Outcome(false, std::move(message), std::move(detail));
    }

    bool ok() const { return m_ok; }
    explicit operator bool() const { return m_ok; }
    const QString &message() const { return m_message; }
    const QString &detail() const { return m_detail; }
    // The message followed by its reason, on one line.
    QString fullText() const
    {
        return m_detail.isEmpty() ? m_message : m_message + QLatin1Char(' ') + m_detail;
    }

private:
    Outcome(bool ok, QString message, QString detail)
        : m_ok(ok),
          m_message(std::move(message)),
          m_detail(std::move(detail))
    {
    }

    bool m_ok;
    QString m_message;
    QString m_detail;
};
