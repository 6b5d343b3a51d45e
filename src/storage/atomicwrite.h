#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <memory>

class QIODevice;
class QSaveFile;

// Every file the programs write is written here, so that a full disk, a
// quota or a file size limit never leaves a cut file where a good one was:
// the bytes go to a temporary file in the same folder, every write is
// checked, and the temporary is renamed over the file only once all of them
// are written. On failure the old file stays as it was, byte for byte, and
// the error names the operating system's reason.

// Writes all of `bytes` to `device`, or returns false with the device's
// reason in *error. A short write is no error by itself (a full disk or a
// file size limit first cuts a write short); writing on brings out the
// system's reason.
bool writeAll(QIODevice *device, QByteArrayView bytes, QString *error);

// A file written in pieces while something goes on (a protocol trace), put
// in place by commit(). Until then the file at the path is untouched; a
// writer that is destroyed without a commit, or whose write failed, removes
// its temporary and leaves the file as it was.
class AtomicFile
{
public:
    explicit AtomicFile(const QString &path);
    ~AtomicFile();
    AtomicFile(const AtomicFile &) = delete;
    AtomicFile &operator=(const AtomicFile &) = delete;

    // Creates the temporary file; false (errorString() says why) when it
    // cannot be created.
    bool open();
    // Appends bytes to the temporary. After the first failure every write
    // and the commit fail.
    bool write(QByteArrayView bytes);
    // Renames the temporary over the file; false when a write failed or the
    // rename did not happen.
    bool commit();
    // Removes the temporary; the file stays as it was.
    void cancel();

    bool isOpen() const;
    bool failed() const { return m_failed; }
    QString path() const { return m_path; }
    // The operating system's text for the first failure.
    QString errorString() const { return m_error; }

private:
    QString m_path;
    std::unique_ptr<QSaveFile> m_file;
    bool m_failed = false;
    QString m_error;
};

// Replaces the file at path with bytes, or leaves it as it was. On failure
// returns false and puts the operating system's text into *error.
bool writeFileAtomically(const QString &path, QByteArrayView bytes, QString *error);

// One file of a set written together.
struct FileToWrite
{
    QString path;
    QByteArray bytes;
};

// Writes every file of `files` or, as far as the system allows, none: each
// is written and checked in full to its temporary first, and the
// temporaries are renamed over their files only once all of them are
// written. On failure returns false with the path of the file that failed in
// *failedPath and the system's text in *error. Only a rename that fails
// after others succeeded (the folder went away, its permissions changed)
// leaves the files before it replaced.
bool writeFilesAtomically(const QList<FileToWrite> &files, QString *failedPath, QString *error);
