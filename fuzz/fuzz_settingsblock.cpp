// The reply to the read of the settings block, whatever the line delivered.
// Decoding must neither crash nor read out of range; a reply it refuses
// changes nothing; settings it sets encode to a block that decodes to the
// same settings.
//
// Input: one mode byte, then the reply. Mode bit 0 clear: the bytes as they
// came off the line (hex text is made of them); set: the hex text itself.
#include "fuzzsupport.h"
#include "model/functionsettings.h"
#include "radio/memorycodec.h"

namespace {

QList<int> indexes(const FunctionSettings &settings)
{
    QList<int> list;
    for (Setting s : allSettings())
        list << settings.index(s);
    return list;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const QByteArray bytes = inputBytes(data + 1, size - 1);
    const QString reply =
        data[0] & 1 ? QString::fromLatin1(bytes) : QString::fromLatin1(bytes.toHex().toUpper());

    FunctionSettings read;
    const QList<int> defaults = indexes(read);
    if (!MemoryCodec::decodeSettingsBlock(read, reply)) {
        FUZZ_CHECK(indexes(read) == defaults);
        return 0;
    }
    for (Setting s : allSettings()) {
        const int index = read.index(s);
        FUZZ_CHECK(index >= 0 && index < read.choices(s).size());
    }

    const QString block = MemoryCodec::encodeSettingsBlock(read);
    FUZZ_CHECK(block.size() == 16);
    FunctionSettings again;
    FUZZ_CHECK(MemoryCodec::decodeSettingsBlock(again, QStringLiteral("570C8008") + block));
    FUZZ_CHECK(indexes(again) == indexes(read));
    return 0;
}
