// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "BitmapHeaders.h"
#include "HiddenRun.h"
#include "HiddenSource.h"
#include "base/Outcome.h"
#include "io/FileIdentity.h"

#include <QFile>
#include <QString>

#include <functional>
#include <memory>

// The one bitmap the open container lives in. Loading reads its two headers
// and keeps the file open; hidden bytes are then read from the pixel bytes
// that carry them and nothing else. Writing streams a new copy of the file
// through a fixed buffer, storing hidden runs on the way.
//
// The pixel area is biWidth x |biHeight| x 3 bytes from the first pixel byte,
// row fill bytes included: from file offset 54 in the usual bitmap, from
// bfOffBits in the others (see BitmapLayout). Hidden data stored in existing
// bitmaps depends on exactly that placement. Pixel bytes a short file lacks
// read as zero.
class Carrier : public HiddenSource {
public:
    static constexpr qint64 DefaultChunk = 256 * 1024;

    // What a write takes from the loaded file besides its picture: hidden
    // bits it leaves where they are, or nothing (the runs hold all).
    enum class Reliance { KeepsHiddenBits, PictureOnly };

    Carrier();
    ~Carrier() override;
    Carrier(const Carrier &) = delete;
    Carrier &operator=(const Carrier &) = delete;

    // Opens the bitmap at path and reads its headers. On failure the message
    // says why, for the user, and the carrier keeps what it held before.
    Outcome LoadCarrier(const QString &path);

    struct SaveOptions {
        Reliance reliance = Reliance::KeepsHiddenBits;
        qint64 chunkSize = DefaultChunk;
        // Called after each piece with the bytes written so far and in all.
        std::function<void(qint64 done, qint64 total)> progress;
        // Changes each piece further, once the runs are stored in it.
        std::function<Outcome(qint64 pos, char *bytes, qint64 size)> alsoChange;
    };

    // Writes a copy of the loaded file to path: every byte as it is, but the
    // lowest bits under the runs, which must lie inside the capacity. A file
    // cut short is written whole, its missing pixel bytes zero. The file at
    // path is replaced only once every byte is written and synced; on
    // failure it stays as it was and the message names the reason. The copy
    // streams through a buffer of chunkSize bytes.
    //
    // Should another program have written into the loaded file meanwhile, a
    // write that keeps hidden bits of it is refused; one that takes only the
    // picture takes the picture as it is now, if its layout is the same.
    // Should the loaded file be written to, or the file at path be replaced
    // or written to, while the copy is made, nothing is replaced and the
    // failure is Kind::ChangedOnDisk.
    Outcome SaveCarrier(
        const QString &path, const HiddenRuns &runs, const SaveOptions &options) const;
    Outcome SaveCarrier(const QString &path, const HiddenRuns &runs) const
    {
        return SaveCarrier(path, runs, SaveOptions());
    }

    // Writes a copy of the loaded file to path as ImageCopy does, cut into
    // pieces by pieceEnd, each changed by change before it is written; a
    // file cut short is written whole. Refused when another program wrote
    // into the loaded file since it was loaded.
    Outcome writeCopy(const QString &path, const std::function<qint64(qint64 pos)> &pieceEnd,
        const std::function<Outcome(qint64 pos, char *bytes, qint64 size)> &change,
        const std::function<void(qint64 done, qint64 total)> &progress = {}) const;

    // Closes the file (the container was closed); the headers stay.
    void release();
    bool isLoaded() const;

    const BitmapFileHeader &fileHeader() const { return m_fileHeader; }
    const BitmapInfoHeader &infoHeader() const { return m_infoHeader; }
    // The file offset of the first pixel byte, where the pixel area begins.
    qint64 pixelOffset() const { return m_pixelOffset; }
    qint64 pixelAreaSize() const { return m_pixelAreaSize; }

    qint32 Capacity() const override;

    // A file may end inside its pixel area. The pixel bytes it really holds,
    // those it lacks, and the hidden bytes whose eight pixel bytes it holds.
    qint64 presentPixelBytes() const;
    qint64 missingPixelBytes() const { return m_pixelAreaSize - presentPixelBytes(); }
    qint64 presentCapacity() const override;
    using HiddenSource::ReadHidden;
    Outcome ReadHidden(char *buffer, qint64 count, qint64 start) const override;

    // Reads pixel bytes offset .. offset + count of the loaded file, in file
    // order (row fill bytes too, and beyond the pixel area); those past the
    // end of the file read as zero.
    Outcome readPixels(char *out, qint64 offset, qint64 count) const;

    // Ends the fingerprint of the file: the bytes read since loading are what
    // checkUnchanged() compares.
    void finishFingerprint();
    const FileIdentity &identity() const { return m_identity; }
    // Succeeds when the file at path is still the one loaded, unchanged.
    Outcome checkUnchanged(const QString &path) const;
    // Succeeds when the loaded file, wherever it now is, has not been written
    // to since: its hidden bytes can still be read and copied.
    Outcome checkIntact() const;

private:
    int handle() const;

    std::unique_ptr<QFile> m_file;
    BitmapFileHeader m_fileHeader;
    BitmapInfoHeader m_infoHeader;
    qint64 m_pixelOffset = 0;
    qint64 m_pixelAreaSize = 0;
    FileIdentity m_identity;
    // The stamp at which the bytes read were last found unchanged.
    mutable FileIdentity m_verifiedStamp;
    // While the fingerprint is open, every byte read goes into it.
    struct Fingerprint;
    mutable std::unique_ptr<Fingerprint> m_fingerprint;
};
