// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "EntryExtraction.h"

#include "EntryName.h"
#include "io/AtomicFile.h"
#include "io/FileIdentity.h"
#include "io/LocalPath.h"

#include <QCoreApplication>
#include <QDir>
#include <QSet>

namespace EntryExtraction {

QHash<QString, QString> namePlan(const QStringList &names, Fold fold)
{
    QHash<QString, QString> plan;
    // Usable names stay as they are and are taken first; a cleaned name is
    // numbered until no other entry's file name is the same.
    QSet<QString> taken;
    for (const QString &name : names) {
        if (EntryName::whyUnusable(name).isEmpty()) {
            plan.insert(fold(name), name);
            taken.insert(fold(name));
        }
    }
    QHash<QString, int> nextNumber;
    for (const QString &stored : names) {
        if (EntryName::whyUnusable(stored).isEmpty())
            continue;
        QString name = EntryName::cleaned(stored);
        if (taken.contains(fold(name))) {
            int &n = nextNumber[fold(name)];
            for (n = qMax(n, 2); taken.contains(fold(EntryName::numbered(name, n))); ++n) { }
            name = EntryName::numbered(name, n);
        }
        taken.insert(fold(name));
        plan.insert(fold(stored), name);
    }
    return plan;
}

Outcome guardImage(const QString &name, const QString &folder, const FileIdentity &opened,
    const QString &imagePath)
{
    const std::optional<FileIdentity> there
        = FileIdentity::ofPath(LocalPath::inFolder(folder, name));
    const std::optional<FileIdentity> image = FileIdentity::ofPath(imagePath);
    if (there && (there->sameFile(opened) || (image && there->sameFile(*image)))) {
        return Outcome::failure(
            QCoreApplication::translate("EntryExtraction", "\"%1\" was not written.").arg(name),
            QCoreApplication::translate(
                "EntryExtraction", "It would replace the image the hidden files are read from."));
    }
    return Outcome::success();
}

Outcome write(const Stream &stream, const QString &name, const QString &folder, bool keepExisting)
{
    // Every name the plan gives is a plain file name; this guards the rule
    // that nothing is written outside the folder.
    if (const QString why = EntryName::whyUnusable(name); !why.isEmpty())
        return Outcome::failure(why);

    // A link at the output path is replaced, not followed: writing through it
    // would land outside the chosen folder.
    AtomicFile file(LocalPath::inFolder(folder, name),
        keepExisting ? AtomicFile::Mode::Create : AtomicFile::Mode::Replace);
    const auto kept = [&name]() {
        return Outcome::failure(Outcome::Kind::Exists,
            QCoreApplication::translate("EntryExtraction", "\"%1\" already exists and was kept.")
                .arg(name));
    };
    if (Outcome opened = file.open(); !opened)
        return file.alreadyExists() ? kept() : opened;
    const Outcome written
        = stream([&file](const char *data, qint64 size) { return file.write(data, size); });
    if (!written)
        return written;
    const Outcome committed = file.commit();
    return !committed && file.alreadyExists() ? kept() : committed;
}

} // namespace EntryExtraction
