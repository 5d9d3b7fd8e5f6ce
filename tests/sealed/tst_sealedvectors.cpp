// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "sealed/CellOrder.h"
#include "sealed/SealedKeys.h"
#include "sealed/Syndrome.h"

#include <QtTest>

#include <numeric>

// The test vectors of docs/sealed-format.md, recomputed by the program's
// own code: what an independent reader checks itself against.
class TestSealedVectors : public QObject {
    Q_OBJECT

private:
    static QByteArray hex(const SealedKeys::Key &key)
    {
        return QByteArray(reinterpret_cast<const char *>(key.data()), qsizetype(key.size()))
            .toHex();
    }
    static QList<quint32> shuffled(quint32 first, quint32 count, quint64 chunk)
    {
        std::vector<std::uint32_t> cells(count);
        std::iota(cells.begin(), cells.end(), first);
        CellOrder::shuffle(cells, SealedKeys::saltPositions(), chunk);
        return QList<quint32>(cells.begin(), cells.end());
    }

private slots:
    void keys()
    {
        QCOMPARE(hex(SealedKeys::saltPositions()),
            QByteArray("fc362b43ad188659927a936a84e686bf7b139d07433bc04193321e593b9ab5d8"));
        SealedKeys::Salt salt {};
        std::iota(salt.begin(), salt.end(), std::uint8_t(0));
        const std::optional<SealedKeys::Keys> keys
            = SealedKeys::derive("correct horse battery staple", salt);
        QVERIFY(keys);
        QCOMPARE(hex(keys->positions),
            QByteArray("bca8c226a48824fde04dbd7336857301f69da5ffbb45a6bb2708c55f7d2bb272"));
        QCOMPARE(hex(keys->encryption),
            QByteArray("8133836d693292d76f83d593a78513070d1da484887554be765a99698f10e26a"));
    }

    void shuffles()
    {
        QCOMPARE(shuffled(0, 10, 0), (QList<quint32> {6, 3, 4, 8, 7, 9, 0, 1, 2, 5}));
        QCOMPARE(shuffled(65536, 10, 1),
            (QList<quint32> {
                65539, 65543, 65537, 65540, 65542, 65538, 65536, 65541, 65545, 65544}));
        const std::vector<std::uint32_t> salt = CellOrder::saltCells(65536);
        QCOMPARE(QList<quint32>(salt.begin(), salt.end()),
            (QList<quint32> {1740, 2034, 1876, 288, 870, 0, 616, 201, 2001, 1212, 422, 195, 1737,
                1960, 1309, 706, 499, 893, 1278, 128, 684, 1549, 509, 803, 1303, 1751}));
    }

    void theBlockExample()
    {
        std::uint8_t cell[31] = {};
        cell[2] = 1; // byte 3
        cell[4] = 1; // byte 5
        QCOMPARE(Syndrome::of(cell), 6);
        QVERIFY(Syndrome::store(cell, 9, true));
        QCOMPARE(int(cell[14]), 1); // byte 15, 0 made 1
        QCOMPARE(Syndrome::of(cell), 9);
        // Every value of every byte: the syndrome is the odd bytes' numbers.
        for (int t = 0; t < 31; ++t) {
            std::uint8_t one[31] = {};
            one[t] = 255;
            QCOMPARE(Syndrome::of(one), t + 1);
            QVERIFY(Syndrome::store(one, 0, true));
            QCOMPARE(int(one[t]), 254); // never past 255
        }
    }
};

QTEST_GUILESS_MAIN(TestSealedVectors)
#include "tst_sealedvectors.moc"
