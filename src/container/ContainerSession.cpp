#include "ContainerSession.h"

#include "PasswordHash.h"
#include "carrier/FileProbe.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("ContainerSession", text);
}

} // namespace

Outcome ContainerSession::open(const QString &path, const PasswordSource &askPassword)
{
    if (Outcome loaded = m_carrier.LoadCarrier(path); !loaded)
        return loaded;
    if (m_carrier.Capacity() < ContainerHeader::Size) {
        return Outcome::failure(tr("This image is too small to hide files in: it must have at "
                                   "least %1 bytes of pixels.")
                                    .arg(ContainerHeader::Size * 8));
    }
    if (Outcome read = m_header.ReadHeader(m_carrier.stream()); !read)
        return read;
    m_file = DatFile();
    m_report = LoadReport();
    m_found = m_header.HasSignature();
    if (!m_found) {
        m_header.startFresh();
        return Outcome::success();
    }
    if (m_header.UsePassword) {
        QString why;
        const std::optional<QByteArray> typed = askPassword(&why);
        if (!typed)
            return Outcome::failure(why);
        if (HashPassword(*typed) != m_header.PasswordHash)
            return Outcome::failure(QStringLiteral("Invalid password!"));
        m_password = *typed;
    }
    m_report = m_file.Load(m_carrier.stream(), m_header, m_password);
    return Outcome::success();
}

Outcome ContainerSession::add(const QString &path)
{
    const qint64 size = FileSize(path);
    const qint64 capacity = m_carrier.Capacity();
    if (size > capacity - m_file.TotalSize())
        return Outcome::failure(QStringLiteral("Not enough free space!"));
    if (size == -1)
        return Outcome::failure(QStringLiteral("Error!"));
    if (m_file.ContainerSizeWith(size) > capacity) {
        return Outcome::failure(tr("Not enough free space for this file: with its name and size "
                                   "it needs %1 bytes, but only %2 more bytes can be stored in "
                                   "this image.")
                                    .arg(size + DatFile::RecordSize)
                                    .arg(qMax<qint64>(0, capacity - m_file.ContainerSize())));
    }
    const InjectResult injected = m_file.Inject(QFileInfo(path).fileName(), path);
    if (injected)
        return Outcome::success();
    return Outcome::failure(
        injected.status == InjectStatus::Unreadable || injected.status == InjectStatus::Duplicate
            ? QStringLiteral("Error!")
            : injected.message);
}

Outcome ContainerSession::write(const QString &path, bool usePassword, const QByteArray &password)
{
    ContainerHeader header = m_header;
    header.FileCount = static_cast<qint32>(m_file.colFiles().count());
    header.UsePassword = usePassword;
    header.PasswordHash = HashPassword(password);

    HiddenStream stream = m_carrier.stream();
    if (Outcome fits = m_file.CheckFits(stream.Capacity()); !fits)
        return fits;
    if (Outcome written = header.WriteHeader(stream); !written)
        return written;
    if (Outcome saved = m_file.Save(stream, header, password); !saved)
        return saved;
    if (Outcome replaced = m_carrier.SaveCarrier(path); !replaced)
        return replaced;
    m_header = header;
    m_password = password;
    return Outcome::success();
}
