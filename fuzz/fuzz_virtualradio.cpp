// The virtual radio's request parser, fed whatever a program might send.
// It must neither crash nor read out of range, and it must come to the same
// result however the bytes are chunked on their way in: the same replies,
// transcript, memory and session state.
//
// Input: a byte choosing the radio's faults from the table below, a byte
// giving the chunk size (0: all at once), then the bytes the program sends.
#include "fuzzsupport.h"
#include "sim/virtualradio.h"

#include <array>

namespace {

// Every kind of fault, on addresses the seeds use (a channel, the settings
// and identification blocks, one that wraps at the end of the memory).
const std::array<const char *, 16> FaultSets{
    "",
    "silent",
    "wrong-ident",
    "ident-extra",
    "stop-after:0x0010",
    "stop-after:0x0C80",
    "nak:0x0010",
    "nak:0x0C80",
    "short:0x0010",
    "short:0x0C90:0",
    "short:0xFFFC:11",
    "garbage",
    "garbage:0x0C90",
    "store-wrong:0x0010",
    "store-wrong:0xFFFC",
    "nak:0x0018,short:0x0010:4,garbage:0x0C80,store-wrong:0x0020",
};

struct Outcome
{
    QList<VirtualRadio::Transfer> transcript;
    QByteArray memory;
    bool inSession;
    int dropped;

    friend bool operator==(const Outcome &, const Outcome &) = default;
};

Outcome serve(const QString &faults, const QByteArray &input, qsizetype chunk)
{
    VirtualRadio radio;
    if (!radio.setFaults(faults))
        std::abort();
    if (chunk <= 0)
        chunk = input.size();
    for (qsizetype at = 0; at < input.size(); at += chunk)
        radio.feed(input.mid(at, chunk));
    return {radio.transcript(), radio.memory(), radio.inSession(), radio.droppedBytes()};
}

void print(const char *title, const Outcome &o)
{
    std::fprintf(stderr, "%s: in session %d, dropped %d\n", title, o.inSession, o.dropped);
    for (const VirtualRadio::Transfer &t : o.transcript)
        std::fprintf(stderr, "  %s %s\n",
                     t.direction == VirtualRadio::Transfer::ToRadio ? ">" : "<",
                     t.bytes.toHex(' ').constData());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const QString faults = QString::fromLatin1(FaultSets[data[0] % FaultSets.size()]);
    const qsizetype chunk = data[1] % 17;
    const QByteArray input = inputBytes(data + 2, size - 2);

    const Outcome whole = serve(faults, input, 0);
    QByteArray received;
    for (const VirtualRadio::Transfer &t : whole.transcript) {
        FUZZ_CHECK(!t.bytes.isEmpty());
        if (t.direction == VirtualRadio::Transfer::ToRadio)
            received += t.bytes;
    }
    // Every byte sent is in the transcript once, in order.
    FUZZ_CHECK(received == input);
    if (chunk > 0) {
        const Outcome chunked = serve(faults, input, chunk);
        if (!(chunked == whole)) {
            print("all at once", whole);
            print("in chunks", chunked);
        }
        FUZZ_CHECK(chunked == whole);
    }
    return 0;
}
