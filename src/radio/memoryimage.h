#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

struct RadioData;

// A radio memory image: the radio's 64 KiB memory as a plain byte array,
// byte k at address k, 0xFF wherever nothing is known. A read run's image
// (ProgrammingRun::image()) holds the identification block (0x0C90), the 199
// channel records (0x0010-0x0C7F) and the settings block (0x0C80); the band
// edge blocks (0x0CA0, 0x0CA8) are only ever written, so they are 0xFF in it.
// Image files hold exactly these bytes (storage/radioimage.h).
namespace MemoryImage {

constexpr int ImageSize = 0x10000;

// The memory a complete write run of `data` leaves in the radio: every
// channel record, the settings block, both band edge blocks and the
// identification block, encoded as the write run encodes them; 0xFF
// elsewhere. Only meaningful for data that passes
// MemoryCodec::preflightCheck().
QByteArray encodeImage(const RadioData &data);

// What decodeImage() came to.
struct ImageDecodeResult
{
    // Channels whose records hold values the table cannot show (a frequency
    // with hex digits A-E, say); their rows are left empty.
    QList<int> unreadableChannels;
    // The settings block held settings and they were set. False when it is
    // erased (all 0xFF: a read that did not get that far, or a radio never
    // programmed); the settings then keep their values.
    bool settingsRead = false;
    // One English line for each of the above, for the caller to show.
    QStringList warnings;
};

// Fills the channel table (all 199 rows) and the function settings from an
// image exactly as a read run fills them from the radio's replies: each
// 8-byte block goes through the codec as the data of a block read reply.
// Bytes beyond the end of a shorter image count as 0xFF. The band range
// lists are not touched: like any write, a write of the decoded data takes
// the band edges from the chosen band ranges.
ImageDecodeResult decodeImage(const QByteArray &image, RadioData &data);

// The 8 bytes of the block at `address` as the hex text of a 12-byte block
// read reply: "57", the address (4 digits), "08", then the 16 data digits.
// The codec ignores the leading four bytes; these are the form the virtual
// radio answers with.
QString blockReply(const QByteArray &image, int address);

} // namespace MemoryImage
