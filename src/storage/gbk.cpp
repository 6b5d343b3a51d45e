#include "storage/gbk.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {
const char GbkName[] = "GBK";
} // namespace

bool gbkAvailable()
{
    // Qt reaches GBK only through ICU (QStringConverter's built-in encodings
    // do not include it), so a build without ICU cannot read or write the
    // files.
    static const bool available = QStringEncoder(GbkName).isValid();
    return available;
}

QByteArray toGbk(const QString &text, bool *lossless)
{
    QStringEncoder encoder(GbkName, QStringConverter::Flag::Stateless);
    QByteArray bytes = encoder(text);
    if (lossless)
        *lossless = !encoder.hasError();
    return bytes;
}

QString fromGbk(QByteArrayView bytes)
{
    // A stateful decoder keeps a trailing lead byte back waiting for its
    // second byte, and a stateless one drops it. A line feed after the text
    // ends any such sequence, so the cut character shows as U+FFFD; the line
    // feed is taken off again.
    QStringDecoder decoder(GbkName);
    QString text = decoder.decode(bytes);
    text += decoder.decode(QByteArrayView("\n", 1));
    text.chop(1);
    return text;
}
