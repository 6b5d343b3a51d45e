#pragma once

#include "model/functionsettings.h"

#include <QList>
#include <QPageSize>
#include <QString>

#include <memory>
#include <utility>

class QLocale;
class QPagedPaintDevice;
class QTextDocument;
struct RadioData;

// The texts of a printout that do not come with the data: they are the
// windows' (the language's).
struct PrintoutTexts
{
    // The first line, the program's name.
    QString title;
    QString channelsHeading;
    QString settingsHeading;
    // The settings to list, in this order, each with its label as the
    // options page shows it.
    QList<std::pair<Setting, QString>> settings;
};

// The channel list and the function settings as a document for paper or
// PDF: a title, the channels that have a receive frequency as a table (the
// grid's headings, the channel number and the eight cells as the grid shows
// them), then the settings as label and shown choice. Every text is taken as
// the data and the texts hold it, so a printout is in the language the
// program shows; Chinese needs a font with its glyphs, which the PDF embeds.
class ChannelPrintout
{
public:
    ChannelPrintout(const RadioData &data, PrintoutTexts texts);
    ~ChannelPrintout();

    // The document as HTML, and as a text document laid out for pages of
    // the device it is printed on.
    QString html() const;
    std::unique_ptr<QTextDocument> document() const;

    // Lays the document out on the device's pages and paints it there.
    void print(QPagedPaintDevice *device) const;

    // Writes a PDF of `pageSize` to path, replacing the file only once it
    // is completely written. False with the system's reason in *error when
    // the file cannot be written.
    bool writePdf(const QString &path, const QPageSize &pageSize, QString *error) const;

    // The paper of a locale: Letter where US customary units are used,
    // otherwise A4.
    static QPageSize defaultPageSize(const QLocale &locale);

private:
    const RadioData &m_data;
    PrintoutTexts m_texts;
};
