#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QIODevice;
struct RadioData;

// Channel files (".r07"): the band, the twenty function settings and the 199
// channel rows as a 225-line GBK text with CR LF after every line.
//
//   line 1       "TR-207 MEMORY CHANNEL"
//   lines 2-3    empty
//   line 4       "BAND " + chosen text of list1_rx ("BAND " alone when none)
//   lines 5-24   "<name> <index> <shown text>", one per setting, canonical order
//   lines 25-26  empty
//   lines 27-225 "CH001 | c1 | c2 | ... | c8 | ", one per channel row
//
// The reader finds everything by line number and byte position, not by the
// names in the file.

// What a save or an open came to. Nothing is ever thrown out of these
// functions.
struct ChannelFileResult
{
    // False when the command stopped; message then says why: the operating
    // system's text for an input/output failure, or "'%s' is not a valid
    // integer value" for a setting line without a digit.
    bool ok = false;
    QString message;
    // Things the command did differently from what the file or the table
    // held, for the caller to show if it likes: a setting index the setting
    // does not have (it keeps its value), texts a save could not write as
    // they are.
    QStringList warnings;
    // Open only: line 4 was read and a band of list1_rx is chosen. Also true
    // when a later line stopped the open, so the caller can set the window
    // caption (channelFileCaption) in either case.
    bool bandChosen = false;
};

// The main window caption after opening a file:
// "RPX-207    [" + band text + "]".
QString channelFileCaption(const QString &bandText);

// The save dialog's rule for a typed name: a name without an extension gets
// ".r07"; a name with an extension of its own is kept as typed.
QString withChannelFileExtension(const QString &fileName);

// The 225 lines of a channel file for the current data, CR LF after each.
// The setting lines carry the text each setting shows now. Texts that would
// not come back unchanged when opened (a character GBK cannot hold, written
// as '?'; a line break, written as a blank; a blank inside a cell, which cuts
// the cell when opened) are written all the same and reported in *warnings.
QByteArray channelFileBytes(const RadioData &data, QStringList *warnings = nullptr);

// Writes channelFileBytes() to path. The file is replaced only once every
// line is written (a temporary file in the same folder is renamed over it),
// so a failed save leaves the file that was there untouched.
ChannelFileResult saveChannelFile(const QString &path, const RadioData &data);

// Reads a channel file into data, line by line as laid out above. Lines end
// with CR LF or a bare LF; positions are bytes of the GBK text.
//
// - Line 4: the band text is the (up to) 10 bytes from position 6; the first
//   list1_rx entry equal to it is chosen, else it is appended and chosen.
// - Lines 5-24: the byte at the setting's digit position is set at once as
//   its index, in file order (so SpreadFreq's rule runs before band is set).
//   A byte that is not a decimal digit (or a line too short to have one)
//   stops the open with "'%s' is not a valid integer value"; what was set
//   before stays, the channel table is untouched. An index the setting does
//   not have is refused by the model and reported as a warning.
// - Lines 27 on: columns 1-8 of every row are emptied, then the lines fill
//   rows 1, 2, 3 ... until 199 rows or the end of the file. A line whose 9th
//   byte is a blank, or that is shorter than 9 bytes, leaves its row empty.
//   Otherwise the bytes from the 9th to the last-but-one are split for
//   columns 1-8: each cell takes the text before the first blank, and that
//   blank and the two bytes after it are removed; when no blank is left the
//   cell takes the rest and the later cells stay empty. Each cell is then
//   decoded from GBK and set as it is, unchecked.
ChannelFileResult readChannelFile(QIODevice &device, RadioData &data);

// Opens path and reads it with readChannelFile().
ChannelFileResult openChannelFile(const QString &path, RadioData &data);
