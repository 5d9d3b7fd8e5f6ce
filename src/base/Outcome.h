// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include <QString>

#include <utility>

// The result of an operation that can fail: success, or a failure of some
// kind with the reason behind it ("Permission denied."). Callers must look
// at it, and tell failures apart by their kind.
//
// The kinds the programs answer with a fixed text of their own ("Bitmap file
// not found!", see FailureText.h) carry only the reason; other failures also
// say what failed ("The bitmap could not be written.").
class [[nodiscard]] Outcome {
public:
    enum class Kind {
        Ok,
        BitmapNotFound, // no readable regular file at the bitmap's path
        NotABitmap, // not a BMP file at all
        NotTwentyFourBit, // a BMP of another depth
        // A 24-bit BMP whose layout cannot carry hidden files (compressed, an
        // unknown header, pixels that are not where they can be written).
        Unsupported,
        NoRoom, // the file does not fit into the image
        WrongPassword, // the password does not open the container
        Refused, // a file or name the container cannot take
        Damaged, // hidden data that cannot be read whole
        SystemError, // the system refused: errorNumber() says why
        // The image on disk is not, or is no longer, the file that was read:
        // a caller may ask whether to overwrite it.
        ChangedOnDisk,
        // The image file ends inside its pixels: a write would make the
        // missing part black for good.
        CutShort,
        Exists, // a file already at the path was kept
        // No sealed container opens with the passphrase given: there is
        // none, or the passphrase is another.
        NoSealedContainer,
        Failed, // anything else
    };

    static Outcome success() { return Outcome(Kind::Ok, 0, {}, {}); }
    // (A failure is never Ok: a kind passed on that says Ok becomes Failed.)
    // A failure of a kind with a fixed text, for the reason given.
    static Outcome failure(Kind kind, QString detail = {})
    {
        return Outcome(failed(kind), 0, {}, std::move(detail));
    }
    // A failure that says what failed, and why.
    static Outcome failure(Kind kind, QString what, QString detail)
    {
        return Outcome(failed(kind), 0, std::move(what), std::move(detail));
    }
    static Outcome failure(QString what, QString detail = {})
    {
        return Outcome(Kind::Failed, 0, std::move(what), std::move(detail));
    }
    // The system refused with errno errorNumber; the reason is its words for
    // it, after what failed when that is given.
    static Outcome systemError(int errorNumber, QString what = {});

    bool ok() const { return m_kind == Kind::Ok; }
    explicit operator bool() const { return ok(); }
    Kind kind() const { return m_kind; }
    int errorNumber() const { return m_errorNumber; }
    // What failed, in a sentence; empty for the kinds with a fixed text.
    const QString &what() const { return m_what; }
    // Why, in a sentence or more; may be empty.
    const QString &detail() const { return m_detail; }

private:
    static Kind failed(Kind kind) { return kind == Kind::Ok ? Kind::Failed : kind; }

    Outcome(Kind kind, int errorNumber, QString what, QString detail)
        : m_kind(kind),
          m_errorNumber(errorNumber),
          m_what(std::move(what)),
          m_detail(std::move(detail))
    {
    }

    Kind m_kind;
    int m_errorNumber;
    QString m_what;
    QString m_detail;
};
