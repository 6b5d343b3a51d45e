#pragma once

#include "model/channel.h"

#include <QString>
#include <QStringList>

#include <optional>

class BandRangeList;
class FunctionSettings;
struct RadioData;

// The radio's memory image and how channels, the function settings and the
// band range lists turn into it and back.
//
// Everything here works on hex text: upper-case hexadecimal digit pairs, two
// digits a byte, in memory order ("00258143" is the bytes 0x00 0x25 0x81 0x43).
// Decoders take the hex text of a 12-byte block read reply: 4 leading bytes
// that are not interpreted, then data bytes 0-7 at digit positions 9-24
// (1-based, as the positions below). Encoders return the 8 data bytes of a
// block, 16 digits, or a field of it.
//
// The functions keep no state and know no language: channels are values
// (model/channel.h). Decoders never trust their input: short or malformed
// text gives nothing they cannot read and never reads out of range. Encoders
// always return well-formed hex text of their size, but only values that
// pass preflightCheck() are stored faithfully: a write run calls it first
// and sends nothing when it reports a problem.
namespace MemoryCodec {

// Memory map: channel n (1-199) occupies 16 bytes at 0x10 * n, read and
// written as two 8-byte blocks at 0x10 * n and 0x10 * n + 8.
constexpr int channelAddress(int n)
{
    return 0x10 * n;
}
constexpr int SettingsBlockAddress = 0x0C80;
constexpr int IdentBlockAddress = 0x0C90;
constexpr int BandOneEdgesAddress = 0x0CA0;
constexpr int BandTwoEdgesAddress = 0x0CA8;

// Hex digits of one block read reply: 4 leading bytes and 8 data bytes.
constexpr int ReplyDigits = 24;

// The identification block the write run stores at 0x0C90: 0x00 0x00 0xF3
// and the model code "5174Q" in ASCII.
inline const QString IdentBlockData = QStringLiteral("0000F33531373451");

// The value 0-15 of a one-character text "0"-"9" or "A"-"F" (upper case);
// 0 for anything else, the empty text included.
int hexDigitValue(const QString &digit);

// ---- Channels ----------------------------------------------------------
//
// A channel record is 16 bytes:
//   0-3   receive frequency   8 BCD digits in units of 10 Hz, least
//   4-7   transmit frequency  significant byte first; FF FF FF FF = none
//   8-9   receive sub-audio   16-bit value, low byte first (below)
//   10-11 transmit sub-audio
//   12    flags               0xF0 + nibble: bit 3 high power, bit 2 wide,
//                             bit 1 scanned, bit 0 busy lock OFF
//   13-15 spare               written FF FF FF, ignored when read
// A sub-audio value's top nibble tells its kind: 0-2 a CTCSS tone as four
// BCD digits in 0.1 Hz (88.5 -> 0x0885), 8 a normal DCS code 0x8000 + three
// octal digits (D023N -> 0x8023), C an inverted one (D754I -> 0xC754), F off.

// What a frequency field holds.
struct DecodedFrequency
{
    // False when the field cannot be read: its digits are neither all F
    // nor all decimal (A-E, a mixture with F, a non-hex character), or the
    // reply does not reach it.
    bool readable = false;
    // In units of 10 Hz; none when all F.
    std::optional<qint64> frequency;
};

// The frequency whose most significant byte starts at digit position
// `position` of a reply (15 for the receive frequency, data bytes 0-3; 23
// for the transmit frequency, data bytes 4-7): the digit pairs at position,
// position - 2, position - 4 and position - 6, most significant first, as a
// decimal number of 10 Hz units (43812500 is 438.125 MHz).
DecodedFrequency decodeFrequency(const QString &reply, int position);

// The sub-audio of a field given as its four stored digits, low byte first
// ("8508" -> tone 88.5 Hz, "2380" -> code D023N). Top nibble F is off; a top
// nibble other than 0, 1, 2, 8, C or F reads like a tone below 100 Hz from
// the other three digits ("2331", the value 0x3123, -> tone 12.3 Hz). A
// tone whose digits are not decimal, or a code whose digits are not octal,
// is SubAudio::Kind::Undefined. A text that is not four hex digits is off.
SubAudio decodeSubAudio(const QString &stored);

// Sets the power, band width, scan and busy lock of `channel` from the
// flags nibble given as one hex digit (hexDigitValue, so anything else
// counts as 0): bit 3 high power, bit 2 wide, bit 1 scanned, bit 0 busy
// lock OFF.
void decodeFlags(const QString &digit, Channel &channel);

// The channel in the hex texts of the replies to the reads of its first
// block (replyA) and second block (replyB). An empty receive frequency is an
// empty channel whatever the rest holds. Nullopt when the channel cannot be
// read: a frequency whose digits are neither all F nor all decimal, or a
// reply that is shorter than ReplyDigits or holds non-hex digits where its
// data is needed.
std::optional<Channel> decodeChannel(const QString &replyA, const QString &replyB);

// Eight digits for a frequency, least significant pair first: 43812500 ->
// "00258143". None, or a frequency of more than eight digits, gives
// "FFFFFFFF".
QString encodeFrequency(const std::optional<qint64> &frequency);

// Four stored digits (low byte first) for a sub-audio value: tone 88.5 Hz ->
// "8508", 254.1 Hz -> "4125", D023N -> "2380", D754I -> "54C7". Off, and
// anything that would not read back as itself (canEncode()), gives "FFFF".
QString encodeSubAudio(const SubAudio &subAudio);

// Whether a sub-audio value can be stored: off, a tone below 300 Hz (the
// top digit of a tone is its kind nibble, 0-2), or a code.
bool canEncode(const SubAudio &subAudio);

// Two digits for the flags byte: "F" and the nibble 8 x high power +
// 4 x wide + 2 x scanned + 1 x busy lock off.
QString encodeFlags(const Channel &channel);

// The data of a channel's two blocks, 16 digits each.
struct ChannelBlocks
{
    QString first;  // receive frequency + transmit frequency
    QString second; // receive sub-audio + transmit sub-audio + flags + "FFFFFF"
};
// The fields are encoded as they are, also for a channel without a receive
// frequency; the cells of an empty row give 32 F.
ChannelBlocks encodeChannel(const Channel &channel);

// ---- Settings block (0x0C80) -------------------------------------------
//
//   byte 0  option bits A, bit 0 first: APO, BEEP, BatSave, scankind, Ring,
//           Scramble, VFO/MR, MR freq./MR CH (each bit the setting's index)
//   byte 1  Squelch index          byte 5  Freq.Step index + 1
//   byte 2  VoxControl index       byte 6  Txlight index + 1
//   byte 3  TxT.O.T index          byte 7  Rxlight index + 1
//   byte 4  option bits B, bit 0 first: keyswitch, Switch.U.P, DownFreq,
//           BroadBand, SpreadFreq, band; bits 6 and 7 written 1
// Bytes 1-3 and 5-7 are written 0x00-0x09; only their low nibble is read.

// Option byte 0 as two digits: high 8 MR freq./MR CH + 4 VFO/MR +
// 2 Scramble + Ring, low 8 scankind + 4 BatSave + 2 BEEP + APO.
QString encodeOptionByte0(const FunctionSettings &settings);

// Option byte 4 as two digits: high 12 + 2 band + SpreadFreq, low
// 8 BroadBand + 4 DownFreq + 2 Switch.U.P + keyswitch.
QString encodeOptionByte4(const FunctionSettings &settings);

// Sets the fourteen option-bit settings from the two digits of byte 0 and of
// byte 4, in the order APO ... MR freq./MR CH, keyswitch ... band (band
// after SpreadFreq, so SpreadFreq's rule runs first). Digits are read with
// hexDigitValue.
void decodeOptionBits(FunctionSettings &settings, const QString &byte0, const QString &byte4);

// The settings block's 8 data bytes as 16 digits. The defaults give
// "FF020004CF060204".
QString encodeSettingsBlock(const FunctionSettings &settings);

// Sets the settings from the reply to the read of 0x0C80, in the order
// Squelch, VoxControl, TxT.O.T, Freq.Step, Txlight, Rxlight, then the option
// bits. A low nibble that is not a decimal digit leaves its setting
// unchanged, except that F in bytes 6 and 7 (an erased block) gives Txlight
// 2 and Rxlight 4; a value outside a setting's choices is refused by the
// setting. Returns false, changing nothing, when the reply is shorter than
// ReplyDigits or its data digits are not all hex digits.
bool decodeSettingsBlock(FunctionSettings &settings, const QString &reply);

// ---- Band edges blocks (0x0CA0 band one, 0x0CA8 band two) ---------------
//
// Receive lower, receive upper, transmit lower, transmit upper edge: each
// 16 bits, low byte first, four BCD digits in 0.1 MHz (400 MHz -> 00 40).

// The 16 digits of a band from the chosen range texts ("400-470MHz") of its
// receive and transmit lists: "400-470MHz" in both gives
// "0040004700400047". A list whose chosen text is not of that form (or has
// none chosen) gives "FFFFFFFF" for its half.
QString encodeBandEdges(const BandRangeList &rx, const BandRangeList &tx);

// ---- Before a write -----------------------------------------------------

// Everything a write run would encode, checked before its first byte is
// sent. Each channel row is read as values (ChannelTable::channel()); a
// problem is a cell that is no value of its column, a frequency outside
// 100-550 MHz, or a sub-audio value that cannot be stored (canEncode()).
// Every setting index must lie within its choices, and each band range list
// needs a chosen "ddd-dddMHz" entry. Returns one readable line per problem,
// e.g. 'Channel 012: receive frequency "43.81250" cannot be stored (100–550
// MHz, five decimals)'; empty when the data can be written.
QStringList preflightCheck(const RadioData &data);

} // namespace MemoryCodec
