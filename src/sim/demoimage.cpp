#include "sim/demoimage.h"

#include "sim/virtualradio.h"

namespace {

// One memory channel as the radio stores it: frequencies as eight decimal
// digits in units of 10 Hz (empty: no frequency), sub-audio codes as their
// 16-bit values (0x0885 the tone 88.5 Hz, 0x8023 DCS 023 normal, 0xC754 DCS
// 754 inverted, 0xFFFF off) and the flags nibble (bit 3 high power, bit 2
// wide, bit 1 scanned, bit 0 busy lock off).
struct DemoChannel
{
    const char *rx;
    const char *tx;
    quint16 rxCode;
    quint16 txCode;
    quint8 flags;
};

constexpr quint16 Off = 0xFFFF;

// clang-format off
constexpr DemoChannel Channels[] = {
    {"44600625", "44600625", Off,    Off,    0xF}, //  1  446.00625 simplex
    {"44601875", "44601875", 0x0670, 0x0670, 0xF}, //  2  tone 67.0
    {"44603125", "44603125", 0x0885, 0x0885, 0xF}, //  3  tone 88.5
    {"44604375", "44604375", 0x8023, 0x8023, 0xF}, //  4  DCS 023 normal
    {"44605625", "44605625", Off,    Off,    0x3}, //  5  low power, narrow
    {"44606875", "44606875", 0x1000, 0x1000, 0xF}, //  6  tone 100.0
    {"44608125", "44608125", 0xC754, 0xC754, 0xF}, //  7  DCS 754 inverted
    {"44609375", "44609375", 0x1230, Off,    0xF}, //  8  tone 123.0 on receive only
    {"43865000", "43105000", Off,    0x0885, 0xF}, //  9  repeater, -7.6 MHz, tone 88.5
    {"43872500", "43112500", 0x0719, 0x0719, 0xE}, // 10  repeater, busy lock on
    {"43910000", nullptr,    Off,    Off,    0xD}, // 11  receive only, not scanned
    {"43350000", "43350000", 0x8125, 0x8125, 0xF}, // 12  DCS 125 normal
};
// clang-format on

// Function settings, bytes 0-7 at 0x0C80: option bits (APO off, beep on,
// battery save on, scan resume CO, scrambler off, MR mode, MR freq.),
// squelch 3, VOX off, time-out 3 minutes, option bits (keys unlocked,
// wide), frequency step 12.5 kHz, transmit LED colour 2, receive LED 3.
constexpr quint8 SettingsBlock[8] = {0xB7, 0x03, 0x00, 0x03, 0xCF, 0x04, 0x02, 0x03};
// 400-470 MHz for receive and transmit, in tenths of a MHz as BCD, low byte
// first.
constexpr quint8 BandEdges[8] = {0x00, 0x40, 0x00, 0x47, 0x00, 0x40, 0x00, 0x47};
constexpr quint8 IdentBlock[8] = {0x00, 0x00, 0xF3, '5', '1', '7', '4', 'Q'};

constexpr int SettingsAddress = 0x0C80;
constexpr int IdentAddress = 0x0C90;
constexpr int BandOneAddress = 0x0CA0;
constexpr int BandTwoAddress = 0x0CA8;

// Eight decimal digits, two a byte, least significant byte first.
QByteArray frequencyField(const char *digits)
{
    if (!digits)
        return QByteArray(4, char(0xFF));
    QByteArray field;
    for (int pair = 3; pair >= 0; --pair) {
        const int high = digits[2 * pair] - '0';
        const int low = digits[2 * pair + 1] - '0';
        field.append(char(high << 4 | low));
    }
    return field;
}

QByteArray codeField(quint16 value)
{
    QByteArray field;
    field.append(char(value & 0xFF));
    field.append(char(value >> 8));
    return field;
}

QByteArray block(const quint8 (&bytes)[8])
{
    return QByteArray(reinterpret_cast<const char *>(bytes), 8);
}

} // namespace

QByteArray demoMemoryImage()
{
    QByteArray image(VirtualRadio::MemorySize, char(0xFF));
    int n = 1;
    for (const DemoChannel &ch : Channels) {
        // 16 bytes at 0x10 * n: receive and transmit frequency, receive and
        // transmit code, flags (0xF0 + nibble), three spare bytes.
        const QByteArray record = frequencyField(ch.rx) + frequencyField(ch.tx) +
                                  codeField(ch.rxCode) + codeField(ch.txCode) +
                                  char(0xF0 | ch.flags) + QByteArray(3, char(0xFF));
        image.replace(0x10 * n, record.size(), record);
        ++n;
    }
    image.replace(SettingsAddress, 8, block(SettingsBlock));
    image.replace(IdentAddress, 8, block(IdentBlock));
    image.replace(BandOneAddress, 8, block(BandEdges));
    image.replace(BandTwoAddress, 8, block(BandEdges));
    return image;
}
