#include "app/channelprintout.h"

#include "model/radiodata.h"
#include "storage/atomicwrite.h"

#include <QBuffer>
#include <QFont>
#include <QLocale>
#include <QMarginsF>
#include <QPageLayout>
#include <QPdfWriter>
#include <QTextDocument>

namespace {

// The page margins, in millimetres.
constexpr double MarginMm = 15.0;

QString cell(const QString &tag, const QString &text)
{
    return QStringLiteral("<%1>%2</%1>").arg(tag, text.toHtmlEscaped());
}

// A heading in points: the document's own heading sizes derive from the
// window font, which is set in pixels and would print tiny on a printer's
// resolution.
QString heading(const QString &text, int points)
{
    return QStringLiteral("<p style=\"font-size: %1pt; font-weight: bold\">%2</p>")
        .arg(points)
        .arg(text.toHtmlEscaped());
}

} // namespace

ChannelPrintout::ChannelPrintout(const RadioData &data, PrintoutTexts texts)
    : m_data(data), m_texts(std::move(texts))
{}

ChannelPrintout::~ChannelPrintout() = default;

QString ChannelPrintout::html() const
{
    const ChannelTable &table = m_data.table;
    QString html = QStringLiteral("<html><body style=\"font-size: 9pt\">");
    html += heading(m_texts.title, 14);

    html += heading(m_texts.channelsHeading, 11);
    html += QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" "
                           "width=\"100%\" style=\"border-collapse: collapse\"><thead><tr>");
    for (int col = 0; col < ChannelTable::ColumnCount; ++col)
        html += cell(QStringLiteral("th"), table.cell(col, 0));
    html += QStringLiteral("</tr></thead>");
    for (int row = 1; row <= ChannelTable::ChannelCount; ++row) {
        if (table.cell(ChannelTable::ColRxFreq, row).isEmpty())
            continue;
        html += QStringLiteral("<tr>");
        for (int col = 0; col < ChannelTable::ColumnCount; ++col)
            html += QStringLiteral("<td align=\"center\">%1</td>")
                        .arg(table.cell(col, row).toHtmlEscaped());
        html += QStringLiteral("</tr>");
    }
    html += QStringLiteral("</table>");

    html += heading(m_texts.settingsHeading, 11);
    html += QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" "
                           "style=\"border-collapse: collapse\">");
    for (const auto &[setting, label] : m_texts.settings)
        html += QStringLiteral("<tr>") + cell(QStringLiteral("td"), label) +
                cell(QStringLiteral("td"), m_data.settings.shownText(setting)) +
                QStringLiteral("</tr>");
    html += QStringLiteral("</table></body></html>");
    return html;
}

std::unique_ptr<QTextDocument> ChannelPrintout::document() const
{
    auto document = std::make_unique<QTextDocument>();
    // Points, not the window font's pixels, whatever the device.
    QFont font = document->defaultFont();
    font.setPointSize(9);
    document->setDefaultFont(font);
    document->setHtml(html());
    return document;
}

void ChannelPrintout::print(QPagedPaintDevice *device) const
{
    device->setPageMargins(QMarginsF(MarginMm, MarginMm, MarginMm, MarginMm),
                           QPageLayout::Millimeter);
    document()->print(device);
}

bool ChannelPrintout::writePdf(const QString &path, const QPageSize &pageSize, QString *error) const
{
    // Rendered into memory first: the file is written, and checked, through
    // the one safe writer, so a full disk never leaves a cut PDF in place.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(m_texts.title);
        writer.setCreator(m_texts.title);
        writer.setPageSize(pageSize);
        print(&writer);
    }
    QString reason;
    if (!writeFileAtomically(path, buffer.data(), &reason)) {
        if (error)
            *error = reason;
        return false;
    }
    return true;
}

QPageSize ChannelPrintout::defaultPageSize(const QLocale &locale)
{
    return QPageSize(locale.measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                             : QPageSize::A4);
}
