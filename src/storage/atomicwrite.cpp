#include "storage/atomicwrite.h"

#include <QSaveFile>

bool writeFileAtomically(const QString &path, QByteArrayView bytes, QString *error)
{
    QSaveFile file(path);
    // Unbuffered: with Qt's write buffer, a flush that the system cuts short
    // goes unnoticed and commit() puts a truncated file in place.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        *error = file.errorString();
        return false;
    }
    // A short write is no error by itself (a full disk or a file size limit
    // first cuts a write short); writing on brings out the system's reason.
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 written = file.write(bytes.data() + done, bytes.size() - done);
        if (written <= 0) {
            *error = file.errorString();
            file.cancelWriting();
            return false;
        }
        done += written;
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}
