#pragma once

#include <QByteArrayView>
#include <QString>

// Replaces the file at path with bytes, or leaves it as it was: the bytes go
// to a temporary file in the same folder, which is renamed over the file
// only once all of them are written. On failure returns false and puts the
// operating system's text into *error.
bool writeFileAtomically(const QString &path, QByteArrayView bytes, QString *error);
