// Channel files come from anywhere. Whatever a file holds, opening it must
// neither crash nor read out of bounds, saving what it gave must work, and a
// save the program made without warnings must open again to the same data.
#include "fuzzsupport.h"
#include "model/radiodata.h"
#include "storage/channelfile.h"

#include <QBuffer>

namespace {

ChannelFileResult open(const QByteArray &bytes, RadioData &data)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return readChannelFile(buffer, data);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    RadioData first;
    first.table.setValueTexts(EnglishValueTexts);
    open(inputBytes(data, size), first);

    QStringList warnings;
    const QByteArray saved = channelFileBytes(first, &warnings);
    if (!warnings.isEmpty())
        return 0;

    RadioData second;
    second.table.setValueTexts(EnglishValueTexts);
    const ChannelFileResult reopened = open(saved, second);
    FUZZ_CHECK(reopened.ok);
    FUZZ_CHECK(reopened.warnings.isEmpty());
    FUZZ_CHECK(channelFileBytes(second) == saved);
    return 0;
}
