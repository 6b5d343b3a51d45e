#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class ChannelTable;
struct RadioData;

// The channel table as CSV in the generic layout that open radio
// programming tools exchange, plus a BusyLock column of ours:
//
//   Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,
//   DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,
//   RPT1CALL,RPT2CALL,DVCODE,BusyLock
//
// One row per channel with a receive frequency, UTF-8 without a BOM, CR LF
// after every line, a field quoted only when it holds a comma, a quote or a
// line break. The mapping (both ways):
//
//   Location      the channel number 1-199
//   Name, Comment empty (the radio keeps no names); ignored when read
//   Frequency     receive frequency, MHz with 6 decimals ("438.125000")
//   Duplex        "" transmit = receive; "+"/"-" transmit = receive +/-
//                 Offset when they differ by at most 10 MHz; "split" beyond
//                 that, Offset then holds the transmit frequency; "off" for
//                 a receive-only channel (no transmit frequency)
//   Offset        MHz with 6 decimals; "0.000000" for "" and "off"
//   Tone ...      from the transmit (encode) and receive (decode) sub-audio:
//                   none / none            Tone ""
//                   tone T / none          "Tone", rToneFreq T
//                   tone T / tone T        "TSQL", cToneFreq T
//                   code C / code C        "DTCS", DtcsCode C, DtcsPolarity
//                                          transmit then receive polarity,
//                                          N normal, R inverted ("NR")
//                   anything else          "Cross" with CrossMode
//                                          "Tone->Tone" (rToneFreq transmit,
//                                          cToneFreq receive), "Tone->DTCS",
//                                          "DTCS->Tone", "->Tone", "->DTCS",
//                                          "DTCS->", "DTCS->DTCS" (DtcsCode
//                                          transmit, RxDtcsCode receive)
//                 Fields a mode does not use hold the conventional defaults:
//                 rToneFreq and cToneFreq "88.5", DtcsCode and RxDtcsCode
//                 "023", DtcsPolarity "NN", CrossMode "Tone->Tone".
//   Mode          "FM" wide, "NFM" narrow
//   TStep         the Freq.Step setting in kHz ("25.00"); ignored when read
//   Skip          "" scanned, "S" not scanned ("P", priority, reads as scanned)
//   Power         "5.0W" high, "1.0W" low; read: 2.5 W and more (or "High")
//                 is high, less (or "Low") low
//   URCALL, RPT1CALL, RPT2CALL, DVCODE   empty; ignored when read
//   BusyLock      "ON" busy-channel lockout on, "OFF" off
//
// Channel rows are exported as a write would store them
// (ChannelTable::channel()): a frequency needs three digits, a separator and
// five decimals; flag cells are the value texts of either language, and a
// row whose four flag cells are all empty counts as high, wide, scanned,
// busy lock off.

// The header line's column names in order.
const QStringList &csvColumns();

// What an export came to.
struct CsvExportResult
{
    bool ok = false;
    QString message; // the operating system's text when the file was not written
    int exported = 0;
    // Channels left out, or exported differently than the table holds them
    // ("Channel 012 is not exported: ..."), one line each.
    QStringList warnings;
};

// The CSV text of the channel table (and the Freq.Step setting for TStep).
QByteArray channelCsvBytes(const RadioData &data, CsvExportResult *result = nullptr);
// The same for the channels of `rows` (those with a receive frequency), with
// `separator` between the fields (',' or a tab for a spreadsheet's
// clipboard; a field is quoted when it holds the separator).
QByteArray channelCsvBytes(const RadioData &data, const QList<int> &rows, QChar separator,
                           CsvExportResult *result = nullptr);
// Writes it to path; the file is replaced only once it is completely written.
CsvExportResult exportChannelCsv(const QString &path, const RadioData &data);

// A data row an import left out.
struct CsvSkippedRow
{
    int line = 0; // where the row starts in the file, counted from 1
    QString reason;
    friend bool operator==(const CsvSkippedRow &, const CsvSkippedRow &) = default;
};

// What an import came to.
struct CsvImportReport
{
    // The text had a header with a Frequency column and the table was
    // replaced; otherwise message says why and the table is untouched.
    bool ok = false;
    QString message;
    int imported = 0;
    // Rows that could not be placed, in line order: a frequency that is
    // missing, not a number or outside 100-550 MHz, a tone or code the tone
    // list does not hold, a value of Duplex, Mode, Skip, Power, BusyLock or
    // DtcsPolarity that is not understood, an unterminated quoted field, or
    // no free channel left.
    QList<CsvSkippedRow> skipped;
    // Rows imported otherwise than written, "line 7: ...": placed in another
    // channel than their Location, or a frequency moved onto the raster.
    QStringList warnings;
};

// Replaces the channel table (columns 1-8 of all 199 rows) with the rows of
// a CSV text in the layout above.
//
// - The text is UTF-8, with or without a BOM; lines end with CR LF or LF;
//   fields may be quoted ("" inside quotes is one quote, and quotes may hold
//   line breaks). Empty lines and lines starting with '#' are ignored.
// - The first other line is the header: columns are found by name (case and
//   blanks around ignored), in any order; unknown columns are ignored and
//   missing ones read as empty, so older headers without RxDtcsCode and
//   CrossMode (17 columns) are read too (CrossMode then "Tone->Tone",
//   RxDtcsCode then DtcsCode).
// - Frequencies are normalised as the editor normalises a typed one (moved
//   up onto the 5 kHz / 6.25 kHz raster). Rows are filled as a read fills
//   them (ChannelTable::setChannel): "%.5f" frequencies with the locale
//   separator, the value texts of the table's language and tone-list texts
//   ("88.5", "D023N", "D023I").
// - Rows go to the channel of their Location (1-199). Rows without a usable
//   Location (missing, 0, above 199, or one an earlier row has taken) go to
//   the lowest free channels afterwards, in file order; at most 199 rows are
//   placed.
CsvImportReport importChannelCsv(const QByteArray &text, ChannelTable &table);
// Puts the rows of a CSV or tab-separated text (a spreadsheet's clipboard)
// into consecutive channels from firstRow down, in text order, by the rules
// of importChannelCsv(); Location is ignored and the other channels stay
// as they are. The header line may be missing: the fields are then in the
// order of csvColumns(). The separator is a tab when the first line holds
// one. Rows beyond channel 199 are skipped; imported counts the rows
// placed.
CsvImportReport pasteChannelCsv(const QByteArray &text, ChannelTable &table, int firstRow);
// Reads path and imports it; an unreadable file leaves the table untouched.
CsvImportReport importChannelCsvFile(const QString &path, ChannelTable &table);
