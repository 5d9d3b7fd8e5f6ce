// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include <QString>

#include <utility>

// The result of an operation that can fail: success, or failure with the
// text the user is to be shown and, apart from it, the reason behind it
// ("Bitmap file not found!" / "Permission denied."). Callers must look at it.
// Failures that a caller answers in a way of its own carry a kind.
class [[nodiscard]] Outcome {
public:
    enum class Kind {
        Ok,
        Failed, // any failure without an answer of its own
        // The image on disk is not, or is no longer, the file that was read:
        // a caller may ask whether to overwrite it.
        ChangedOnDisk,
        // The image file ends inside its pixels: a write would make the
        // missing part black for good.
        CutShort,
    };

    static Outcome success() { return Outcome(Kind::Ok, {}, {}); }
    static Outcome failure(QString message, QString detail = {})
    {
        return Outcome(Kind::Failed, std::move(message), std::move(detail));
    }
    static Outcome failure(Kind kind, QString message, QString detail = {})
    {
        return Outcome(
            kind == Kind::Ok ? Kind::Failed : kind, std::move(message), std::move(detail));
    }

    bool ok() const { return m_kind == Kind::Ok; }
    explicit operator bool() const { return ok(); }
    Kind kind() const { return m_kind; }
    const QString &message() const { return m_message; }
    const QString &detail() const { return m_detail; }
    // The message followed by its reason, on one line.
    QString fullText() const
    {
        return m_detail.isEmpty() ? m_message : m_message + QLatin1Char(' ') + m_detail;
    }

private:
    Outcome(Kind kind, QString message, QString detail)
        : m_kind(kind),
          m_message(std::move(message)),
          m_detail(std::move(detail))
    {
    }

    Kind m_kind;
    QString m_message;
    QString m_detail;
};
