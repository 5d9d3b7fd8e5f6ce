// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "OpenContainer.h"
#include "WindowUser.h"

#include "container/ContainerSession.h"
#include "sealed/SealedKeys.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <chrono>
#include <memory>
#include <optional>

class SealedSession;

// What the main window does, without its widgets: opens the one container
// it holds at a time, plain or sealed, or makes a new sealed one, adds,
// removes and extracts hidden files, keeps the password and whether to use
// it, and writes the image back, asking the user through a WindowUser what
// to do where the way on is not clear. The signals tell the window what to
// show.
class WindowController : public QObject {
    Q_OBJECT

public:
    explicit WindowController(WindowUser &user, QObject *parent = nullptr);
    ~WindowController() override;

    // The open container, of either kind, or none.
    const OpenContainer *container() const { return m_open.get(); }
    // The open plain container's session, or none.
    const ContainerSession *session() const { return m_open ? m_open->plainSession() : nullptr; }
    bool isOpen() const { return m_open != nullptr; }
    // Whether the open container is a sealed one: the box does not apply.
    bool isSealed() const { return m_open && m_open->isSealed(); }
    // The path of the open image.
    const QString &path() const { return m_path; }
    // The password in force: typed for the last container opened, or set
    // with the box. Empty when there is none.
    const QString &password() const { return m_password; }
    // Whether the image is written protected with the password: the box.
    bool usePassword() const { return m_usePassword; }

    // Opens the image at path; a protected container asks for the password.
    // A refused picture that Qt can read is offered as a 24-bit BMP copy,
    // which is then opened instead. True when a container is open after it.
    bool open(const QString &path);
    // Asks for the passphrase and opens the sealed container it opens in the
    // image at path; where none opens, says so and changes nothing.
    bool openSealed(const QString &path);
    // Asks whether to make a new sealed container in the image at path, then
    // the passphrase for it, twice; the new container holds the files of the
    // plain container the image holds, and is written by Write & Close.
    bool seal(const QString &path);
    // Lets the open container go, unwritten.
    void close();
    // Writes the open container back into its image and closes it; asks
    // first where that would lose hidden files, fill a cut image with black,
    // overwrite what another program wrote, or wait longer for a program
    // writing the image. False when the container stays open.
    bool writeAndClose();
    // The box was ticked (a new password is asked for, twice) or cleared
    // (the password is forgotten).
    void setUsePassword(bool wanted);

    // Asks for files and hides them in the open container.
    void add();
    // Hides each file through Add's tests; every refusal is reported, and
    // the other files still go in.
    void addFiles(const QStringList &paths);
    void remove(const QString &description);
    // Extracts the entries named into a folder the user picks, and says how
    // it went; with none named, no folder is asked for.
    void extract(const QStringList &descriptions);
    // Extracts every entry into a folder the user picks, in reading order.
    void extractAll();

    // How long Write & Close waits for another program writing the image
    // before it asks whether to keep waiting.
    void setWriterWait(std::chrono::milliseconds wait) { m_writerWait = wait; }
    // For tests that are not about the sealed format: what deriving a
    // sealed container's keys costs (the format's own cost by default).
    void setSealedCost(const SealedKeys::Cost &cost) { m_sealedCost = cost; }

    // The folder of the file at path when that folder exists, else nothing.
    static QString folderOf(const QString &path);

signals:
    // A container was opened: show its files and figures.
    void opened();
    // The container was closed, written or not.
    void closed();
    // Files were added to or removed from the open container.
    void entriesChanged();
    // The controller set whether to use the password on its own: at Open,
    // after a refused password, or when no password was set.
    void usePasswordChanged(bool on);
    // The image opened now is at path, not where the user named it: a copy
    // made of a picture.
    void pathChanged(const QString &path);

private:
    // What extracting gave: the entries that failed, with the reason, and
    // those written under another name than their own.
    struct Extraction {
        QStringList failures;
        QStringList renamed;
    };

    QByteArray passwordBytes() const;
    void turnPasswordOff();
    void showError(const Outcome &outcome);
    // Holds container as the open one, read from the image at path.
    void adopt(std::unique_ptr<OpenContainer> container, const QString &path);
    // After a successful open: warns of a cut image and of damage.
    void warnAboutOpened();
    // After a picture was refused: offers to make a 24-bit BMP copy of it and
    // open that.
    bool offerCarrierCopy(const QString &picture);
    // Asks before a write that would lose unreadable files or fill a cut
    // image; false when the user said No.
    bool confirmLosses(OpenContainer::WriteSettings *options);
    // Writes, asking whether to overwrite an image changed on disk; nothing
    // when the user said No.
    std::optional<Outcome> writeAsking(OpenContainer::WriteSettings options);
    // Seal's steps: the plain container now in the image, read whole (its
    // password asked for when it has one); the new passphrase, typed twice;
    // a new sealed session holding the plain container's files. Each says
    // why it failed, unless the user dismissed a dialog; nothing then.
    std::unique_ptr<ContainerSession> plainToSeal(const QString &path);
    std::optional<QByteArray> newPassphrase();
    std::unique_ptr<SealedSession> sealedHolding(
        const QString &path, const ContainerSession &plain);
    QString pickFolder();
    void extractOne(const QString &description, const QString &folder, Extraction *done);
    void reportExtraction(const QString &folder, const Extraction &done);

    WindowUser &m_user;
    std::unique_ptr<OpenContainer> m_open;
    QString m_path;
    QString m_password;
    bool m_usePassword = false;
    std::chrono::milliseconds m_writerWait = ImageLock::DefaultWait;
    SealedKeys::Cost m_sealedCost;
    // Where the Add dialog and the folder picker were last left, this run.
    QString m_lastAddFolder;
    QString m_lastPickedFolder;
};
