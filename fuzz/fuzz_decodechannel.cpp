// The replies to the two block reads of a channel, whatever the line
// delivered. Decoding must neither crash nor read out of range, and a
// channel it shows that a write would accept must encode to blocks that
// decode to the same row.
//
// Input: one mode byte, then the replies. Mode bit 0 clear: the bytes are
// the replies as they came off the line (hex text is made of them); set:
// the bytes are the hex text itself, so malformed text is tried too. The
// second byte splits the rest into reply A and reply B.
#include "fuzzsupport.h"
#include "model/radiodata.h"
#include "radio/memorycodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const bool rawText = data[0] & 1;
    const QByteArray rest = inputBytes(data + 2, size - 2);
    const qsizetype split = qMin<qsizetype>(data[1], rest.size());
    const auto reply = [rawText](const QByteArray &bytes) {
        return rawText ? QString::fromLatin1(bytes) : QString::fromLatin1(bytes.toHex().toUpper());
    };
    const QString replyA = reply(rest.left(split));
    const QString replyB = reply(rest.mid(split));

    // One table for the whole run (building one per input would take most
    // of the time): decoding sets a whole row, and row 2 is emptied before
    // the write check looks at the table.
    static RadioData &radio = *[] {
        auto *data = new RadioData;
        data->table.setValueTexts(EnglishValueTexts);
        data->table.setToneOffText(EnglishValueTexts.offText);
        for (BandRangeList *list : {&data->bands.list1_rx, &data->bands.list1_tx,
                                    &data->bands.list2_rx, &data->bands.list2_tx})
            list->choose(list->append(QStringLiteral("400-470MHz")));
        return data;
    }();
    radio.table.clearRow(2);

    // The row as a read fills it.
    const std::optional<Channel> decoded = MemoryCodec::decodeChannel(replyA, replyB);
    if (!decoded)
        return 0;
    radio.table.setChannel(1, *decoded);
    if (radio.table.isRowEmpty(1) || !MemoryCodec::preflightCheck(radio).isEmpty())
        return 0;

    // Written as a write encodes the row, and read back.
    const MemoryCodec::ChannelBlocks blocks =
        MemoryCodec::encodeChannel(radio.table.channel(1).channel);
    FUZZ_CHECK(blocks.first.size() == 16 && blocks.second.size() == 16);
    const std::optional<Channel> again = MemoryCodec::decodeChannel(
        QStringLiteral("57001008") + blocks.first, QStringLiteral("57001808") + blocks.second);
    FUZZ_CHECK(again && *again == *decoded);
    radio.table.setChannel(2, *again);
    FUZZ_CHECK(radio.table.rowData(2) == radio.table.rowData(1));
    return 0;
}
