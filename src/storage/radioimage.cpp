#include "storage/radioimage.h"

#include "storage/atomicwrite.h"

#include <QFile>

namespace {

QByteArray fullSize(QByteArray image)
{
    image.truncate(RadioImageFileSize);
    if (image.size() < RadioImageFileSize)
        image.append(QByteArray(RadioImageFileSize - image.size(), char(0xFF)));
    return image;
}

} // namespace

RadioImageFile readRadioImageFile(const QString &path)
{
    RadioImageFile result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.message = file.errorString();
        return result;
    }
    // One byte more than an image may hold tells a larger file without
    // reading all of it.
    const QByteArray bytes = file.read(RadioImageFileSize + 1);
    if (file.error() != QFileDevice::NoError) {
        result.message = file.errorString();
        return result;
    }
    if (bytes.size() > RadioImageFileSize) {
        result.message = QStringLiteral("The file is larger than a radio image (64 KiB)");
        return result;
    }
    if (bytes.size() < RadioImageMinimumSize) {
        result.message =
            QStringLiteral("The file is too short for a radio image (%1 bytes; at least %2)")
                .arg(bytes.size())
                .arg(RadioImageMinimumSize);
        return result;
    }
    result.ok = true;
    result.image = fullSize(bytes);
    return result;
}

bool writeRadioImageFile(const QString &path, const QByteArray &image, QString *error)
{
    return writeFileAtomically(path, fullSize(image), error);
}
