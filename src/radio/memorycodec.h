#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class BandRangeList;
class ChannelTable;
class FunctionSettings;
struct RadioData;

// The radio's memory image and how the channel table, the function settings
// and the band range lists turn into it and back.
//
// Everything here works on hex text: upper-case hexadecimal digit pairs, two
// digits a byte, in memory order ("00258143" is the bytes 0x00 0x25 0x81 0x43).
// Decoders take the hex text of a 12-byte block read reply: 4 leading bytes
// that are not interpreted, then data bytes 0-7 at digit positions 9-24
// (1-based, as the positions below). Encoders return the 8 data bytes of a
// block, 16 digits, or a field of it.
//
// The functions keep no state. Decoders write the value texts of the table's
// current language; encoders recognise the fixed texts of both languages as
// well, so cells left in the other language still mean what they say.
// Decoders never trust their input: short or malformed text changes nothing
// it cannot read and never reads out of range. Encoders always return
// well-formed hex text of their size, but only texts that pass
// preflightCheck() are encoded faithfully: a write run calls it first and
// sends nothing when it reports a problem.
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

// The frequency whose most significant byte starts at digit position
// `position` of a reply (15 for the receive frequency, data bytes 0-3; 23
// for the transmit frequency, data bytes 4-7): the digit pairs at position,
// position - 2, position - 4 and position - 6, most significant first.
// All F gives the empty text; decimal digits give "%.5f" MHz with the
// locale separator (43812500 -> "438.12500"). Any other digit (A-E, a
// mixture with F, a non-hex character) or a position the reply does not
// reach gives nullopt: the frequency cannot be read.
std::optional<QString> decodeFrequency(const QString &reply, int position);

// The cell text of a sub-audio field given as its four stored digits, low
// byte first ("8508" -> "88.5", "2380" -> "D023N"). Top nibble F gives
// offText; a top nibble other than 0, 1, 2, 8, C or F reads like a tone below
// 100 Hz ("2331", the value 0x3123, -> "12.3"). A text that is not four
// characters long gives offText.
QString decodeSubAudio(const QString &stored, const QString &offText);

// Sets columns 5-8 of `row` from the flags nibble given as one hex digit
// (hexDigitValue, so anything else counts as 0).
void decodeFlags(const QString &digit, ChannelTable &table, int row);

// Fills columns 1-8 of `row` from the hex texts of the replies to the reads
// of the channel's first block (replyA) and second block (replyB). An empty
// receive frequency empties the row whatever the rest holds. Returns false,
// leaving the row empty, when the channel cannot be read: a frequency whose
// digits are neither all F nor all decimal, or a reply that is shorter than
// ReplyDigits or holds non-hex digits where its data is needed.
bool decodeChannel(ChannelTable &table, int row, const QString &replyA, const QString &replyB);

// Eight digits for the frequency in column `col` (1 or 3) of `row`: the
// text's digits 1-3 and 5-9 taken by position (the fourth character is the
// separator, '.' or ','), least significant pair first: "438.12500" ->
// "00258143". An empty cell, or one that is not three digits, a separator
// and five decimals, gives "FFFFFFFF".
QString encodeFrequency(const ChannelTable &table, int col, int row);

// Four stored digits (low byte first) for the sub-audio text in column `col`
// (2 or 4) of `row`, blanks around it ignored: "88.5" -> "8508", "254.1" ->
// "4125", "D023N" -> "2380", "D754I" -> "54C7". Empty, the off text of
// either language, or a text in none of the forms dd.d, 1dd.d, 2dd.d,
// Dooo N/I (o an octal digit) gives "FFFF".
QString encodeSubAudio(const ChannelTable &table, int col, int row);

// Two digits for the flags byte of `row`: "FF" when columns 5-8 are all
// empty, otherwise "F" and the nibble 8 x high power + 4 x wide + 2 x scan
// on + 1 x busy lock off. A cell that is not that column's text for the set
// bit, in either language, adds nothing.
QString encodeFlags(const ChannelTable &table, int row);

// The data of a channel's two blocks, 16 digits each.
struct ChannelBlocks
{
    QString first;  // encodeFrequency(1) + encodeFrequency(3)
    QString second; // encodeSubAudio(2) + encodeSubAudio(4) + encodeFlags + "FFFFFF"
};
// An empty row gives 32 F.
ChannelBlocks encodeChannel(const ChannelTable &table, int row);

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
// sent: every non-empty frequency three digits, a separator and five
// decimals within 100-550 MHz; every sub-audio text empty, off, a tone-list
// entry or another encodable tone or code; every flag cell empty or one of
// its column's texts (either language); every setting index within its
// choices; each band range list with a chosen "ddd-dddMHz" entry. Returns
// one readable line per problem, e.g. 'Channel 012: receive frequency
// "43.81250" cannot be stored (100–550 MHz, five decimals)'; empty when the
// data can be written.
QStringList preflightCheck(const RadioData &data);

} // namespace MemoryCodec
