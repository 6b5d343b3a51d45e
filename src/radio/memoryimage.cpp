#include "radio/memoryimage.h"

#include "model/radiodata.h"
#include "radio/memorycodec.h"
#include "radio/programmingrun.h"

static_assert(MemoryImage::ImageSize == ProgrammingRun::ImageSize);

namespace MemoryImage {

namespace {

constexpr int BlockSize = 8;

void put(QByteArray &image, int address, const QString &dataHex)
{
    const QByteArray bytes = QByteArray::fromHex(dataHex.toLatin1());
    if (bytes.size() == BlockSize)
        image.replace(address, BlockSize, bytes);
}

QByteArray block(const QByteArray &image, int address)
{
    QByteArray bytes = image.mid(address, BlockSize);
    if (bytes.size() < BlockSize)
        bytes.append(QByteArray(BlockSize - bytes.size(), char(0xFF)));
    return bytes;
}

} // namespace

QByteArray encodeImage(const RadioData &data)
{
    QByteArray image(ImageSize, char(0xFF));
    for (int n = 1; n <= ChannelTable::ChannelCount; ++n) {
        const MemoryCodec::ChannelBlocks blocks =
            MemoryCodec::encodeChannel(data.table.channel(n).channel);
        put(image, MemoryCodec::channelAddress(n), blocks.first);
        put(image, MemoryCodec::channelAddress(n) + BlockSize, blocks.second);
    }
    put(image, MemoryCodec::SettingsBlockAddress, MemoryCodec::encodeSettingsBlock(data.settings));
    put(image, MemoryCodec::BandOneEdgesAddress,
        MemoryCodec::encodeBandEdges(data.bands.list1_rx, data.bands.list1_tx));
    put(image, MemoryCodec::BandTwoEdgesAddress,
        MemoryCodec::encodeBandEdges(data.bands.list2_rx, data.bands.list2_tx));
    put(image, MemoryCodec::IdentBlockAddress, MemoryCodec::IdentBlockData);
    return image;
}

QString blockReply(const QByteArray &image, int address)
{
    return QStringLiteral("57") +
           QStringLiteral("%1").arg(address, 4, 16, QLatin1Char('0')).toUpper() +
           QStringLiteral("08") + QString::fromLatin1(block(image, address).toHex().toUpper());
}

ImageDecodeResult decodeImage(const QByteArray &image, RadioData &data)
{
    ImageDecodeResult result;
    for (int n = 1; n <= ChannelTable::ChannelCount; ++n) {
        const int address = MemoryCodec::channelAddress(n);
        const std::optional<Channel> channel = MemoryCodec::decodeChannel(
            blockReply(image, address), blockReply(image, address + BlockSize));
        if (channel) {
            data.table.setChannel(n, *channel);
        } else {
            data.table.clearRow(n);
            result.unreadableChannels.append(n);
            result.warnings << QStringLiteral("Channel %1 holds values that cannot be shown; "
                                              "it is left empty")
                                   .arg(channelLabel(n));
        }
    }
    if (block(image, MemoryCodec::SettingsBlockAddress) == QByteArray(BlockSize, char(0xFF))) {
        result.warnings << QStringLiteral("The image holds no function settings (its settings "
                                          "block is erased); the settings keep their values");
    } else {
        result.settingsRead = MemoryCodec::decodeSettingsBlock(
            data.settings, blockReply(image, MemoryCodec::SettingsBlockAddress));
    }
    return result;
}

} // namespace MemoryImage
