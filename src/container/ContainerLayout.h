// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "bitmap/HiddenRun.h"

#include <QByteArray>

#include <list>
#include <memory>

class FileSource;
class Scrambler;

// The hidden bytes one write of a container stores: the header, every
// record, and the data of every entry that is not already in its place in
// the image. It owns what the runs are made from, apart from the data that
// the file table holds, and must outlive its runs; it is neither copied nor
// moved. LayoutBuilder fills it.
class ContainerLayout {
public:
    ContainerLayout();
    ~ContainerLayout();
    ContainerLayout(const ContainerLayout &) = delete;
    ContainerLayout &operator=(const ContainerLayout &) = delete;

    const HiddenRuns &runs() const { return m_runs; }
    // Random bytes from start on, after every other run: they overwrite
    // what an earlier, larger container left there.
    void addRandom(qint64 start, qint64 length);
    // True when some data are left in their place in the image rather than
    // written: the write then needs the image's hidden bits as they were.
    bool keepsStoredBits() const { return m_keepsStoredBits; }

private:
    friend class LayoutBuilder;

    // Bytes stored as they are (header and records), kept alive here.
    void addFixed(qint64 start, QByteArray bytes);
    // data stored from start, scrambled from key position keyStart on.
    void addData(qint64 start, const QByteArray *data, qint64 keyStart);
    // The same for data read back from the image, which this layout keeps.
    void addOwnedData(qint64 start, QByteArray data, qint64 keyStart);
    // The same for data read from a file as they are stored.
    void addFile(qint64 start, std::shared_ptr<const FileSource> file, qint64 keyStart);

    std::list<QByteArray> m_kept; // stable addresses for the runs
    std::shared_ptr<Scrambler> m_scrambler;
    HiddenRuns m_runs;
    bool m_keepsStoredBits = false;
};
