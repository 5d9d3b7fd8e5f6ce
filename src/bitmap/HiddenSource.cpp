// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "HiddenSource.h"

#include <QCoreApplication>

Outcome HiddenSource::checkRun(qint64 count, qint64 start) const
{
    if (start < 0 || count < 0 || count > Capacity() - start) {
        return Outcome::failure(QCoreApplication::translate("HiddenStream",
            "The hidden data would reach past the end of the image "
            "(%1 bytes at offset %2, but the image holds %3).")
                                    .arg(count)
                                    .arg(start)
                                    .arg(Capacity()));
    }
    return Outcome::success();
}

Outcome HiddenSource::ReadHidden(QByteArray &buffer, qint64 count, qint64 start) const
{
    if (count > buffer.size()) {
        return Outcome::failure(
            QCoreApplication::translate("HiddenStream", "The buffer is shorter than the run."));
    }
    return ReadHidden(buffer.data(), count, start);
}
