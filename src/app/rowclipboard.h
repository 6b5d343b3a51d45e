#pragma once

#include <QByteArray>
#include <QList>

class QMimeData;
struct RadioData;

// Channel rows on the clipboard: our CSV layout as "text/csv" and the same
// fields tab-separated as plain text, so that a spreadsheet takes them as
// cells. Null when none of the rows holds a channel.
QMimeData *channelRowsMimeData(const RadioData &data, const QList<int> &rows);
// The text a paste reads: our CSV when the clipboard holds it, else the plain
// text (a spreadsheet's tab-separated cells).
QByteArray pastedChannelText(const QMimeData *mime);
