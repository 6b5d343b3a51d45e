#pragma once

#include <QByteArray>
#include <QString>

// Radio image files: the radio's memory as a raw binary file, byte k of the
// file at memory address k, 64 KiB, 0xFF wherever nothing is known. A read
// leaves the identification block (0x0C90-0x0C97), the channel records
// (0x0010-0x0C7F) and the settings block (0x0C80-0x0C87) in it. No header,
// no checksum: any hex viewer or tool that takes raw memory dumps reads it.

constexpr qint64 RadioImageFileSize = 0x10000;
// The shortest file taken as an image: it reaches to the end of the settings
// block. Shorter images of other tools are read as their start, the rest
// 0xFF.
constexpr qint64 RadioImageMinimumSize = 0x0C88;

// What reading an image file came to.
struct RadioImageFile
{
    bool ok = false;
    // Why the file was not read: the operating system's text, or a size
    // outside RadioImageMinimumSize..RadioImageFileSize.
    QString message;
    // RadioImageFileSize bytes when ok.
    QByteArray image;
};

RadioImageFile readRadioImageFile(const QString &path);

// Writes the image (padded with 0xFF or cut to RadioImageFileSize) to path;
// the file is replaced only once it is completely written. On failure
// returns false and puts the operating system's text into *error.
bool writeRadioImageFile(const QString &path, const QByteArray &image, QString *error);
