#include "storage/atomicwrite.h"

#include <QSaveFile>

#include <vector>

bool writeAll(QIODevice *device, QByteArrayView bytes, QString *error)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 written = device->write(bytes.data() + done, bytes.size() - done);
        if (written <= 0) {
            *error = device->errorString();
            return false;
        }
        done += written;
    }
    return true;
}

AtomicFile::AtomicFile(const QString &path) : m_path(path) {}

AtomicFile::~AtomicFile()
{
    cancel();
}

bool AtomicFile::open()
{
    m_file = std::make_unique<QSaveFile>(m_path);
    m_failed = false;
    m_error.clear();
    // Unbuffered: with Qt's write buffer, a flush that the system cuts short
    // goes unnoticed and commit() puts a truncated file in place; and each
    // write reaches the system at once.
    if (!m_file->open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        m_error = m_file->errorString();
        m_failed = true;
        m_file.reset();
        return false;
    }
    return true;
}

bool AtomicFile::isOpen() const
{
    return m_file && m_file->isOpen();
}

bool AtomicFile::write(QByteArrayView bytes)
{
    if (m_failed || !isOpen())
        return false;
    if (writeAll(m_file.get(), bytes, &m_error))
        return true;
    m_failed = true;
    m_file->cancelWriting();
    return false;
}

bool AtomicFile::commit()
{
    if (m_failed || !isOpen()) {
        cancel();
        return false;
    }
    const bool committed = m_file->commit();
    if (!committed) {
        m_error = m_file->errorString();
        m_failed = true;
    }
    m_file.reset();
    return committed;
}

void AtomicFile::cancel()
{
    if (!m_file)
        return;
    m_file->cancelWriting();
    // QSaveFile removes its temporary when it is closed without a commit.
    m_file.reset();
}

bool writeFileAtomically(const QString &path, QByteArrayView bytes, QString *error)
{
    AtomicFile file(path);
    if (file.open() && file.write(bytes) && file.commit())
        return true;
    *error = file.errorString();
    return false;
}

bool writeFilesAtomically(const QList<FileToWrite> &files, QString *failedPath, QString *error)
{
    std::vector<std::unique_ptr<AtomicFile>> written;
    for (const FileToWrite &file : files) {
        auto atomic = std::make_unique<AtomicFile>(file.path);
        if (!atomic->open() || !atomic->write(file.bytes)) {
            *failedPath = file.path;
            *error = atomic->errorString();
            return false; // the temporaries written so far go with `written`
        }
        written.push_back(std::move(atomic));
    }
    for (const auto &atomic : written) {
        if (!atomic->commit()) {
            *failedPath = atomic->path();
            *error = atomic->errorString();
            return false;
        }
    }
    return true;
}
