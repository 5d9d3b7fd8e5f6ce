// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "ContainerLayout.h"

#include "Scrambler.h"
#include "io/FileSource.h"

#include <QRandomGenerator>

#include <cstring>

ContainerLayout::ContainerLayout() = default;
ContainerLayout::~ContainerLayout() = default;

void ContainerLayout::addFixed(qint64 start, QByteArray bytes)
{
    const QByteArray &kept = m_kept.emplace_back(std::move(bytes));
    m_runs.append({start, kept.size(), [&kept](char *out, qint64 from, qint64 count) {
                       std::memcpy(out, kept.constData() + from, static_cast<std::size_t>(count));
                       return Outcome::success();
                   }});
}

void ContainerLayout::addData(qint64 start, const QByteArray *data, qint64 keyStart)
{
    // The key runs on over all data; a piece is scrambled from where its
    // first byte falls in that run.
    Scrambler *scrambler = m_scrambler.get();
    m_runs.append(
        {start, data->size(), [data, scrambler, keyStart](char *out, qint64 from, qint64 count) {
             std::memcpy(out, data->constData() + from, static_cast<std::size_t>(count));
             if (scrambler && scrambler->isActive()) {
                 scrambler->seek(keyStart + from);
                 scrambler->apply(out, count);
             }
             return Outcome::success();
         }});
}

void ContainerLayout::addFile(qint64 start, std::shared_ptr<const FileSource> file, qint64 keyStart)
{
    Scrambler *scrambler = m_scrambler.get();
    const qint64 size = file->size();
    m_runs.append({start, size,
        [file = std::move(file), scrambler, keyStart](char *out, qint64 from, qint64 count) {
            if (Outcome read = file->read(out, from, count); !read)
                return read;
            if (scrambler && scrambler->isActive()) {
                scrambler->seek(keyStart + from);
                scrambler->apply(out, count);
            }
            return Outcome::success();
        }});
}

void ContainerLayout::addOwnedData(qint64 start, QByteArray data, qint64 keyStart)
{
    addData(start, &m_kept.emplace_back(std::move(data)), keyStart);
}

void ContainerLayout::addRandom(qint64 start, qint64 length)
{
    auto generator = std::make_shared<QRandomGenerator>(QRandomGenerator::securelySeeded());
    m_runs.append({start, length, [generator](char *out, qint64, qint64 count) {
                       while (count > 0) {
                           const quint64 word = generator->generate64();
                           const qint64 n = qMin<qint64>(count, sizeof word);
                           std::memcpy(out, &word, static_cast<std::size_t>(n));
                           out += n;
                           count -= n;
                       }
                       return Outcome::success();
                   }});
}
