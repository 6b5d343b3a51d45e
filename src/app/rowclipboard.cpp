#include "app/rowclipboard.h"

#include "model/radiodata.h"
#include "storage/channelcsv.h"

#include <QMimeData>

namespace {

const QString CsvMimeType = QStringLiteral("text/csv");

} // namespace

QMimeData *channelRowsMimeData(const RadioData &data, const QList<int> &rows)
{
    CsvExportResult result;
    const QByteArray csv = channelCsvBytes(data, rows, QLatin1Char(','), &result);
    if (result.exported == 0)
        return nullptr;
    auto *mime = new QMimeData;
    mime->setData(CsvMimeType, csv);
    mime->setText(QString::fromUtf8(channelCsvBytes(data, rows, QLatin1Char('\t'))));
    return mime;
}

QByteArray pastedChannelText(const QMimeData *mime)
{
    if (!mime)
        return {};
    if (mime->hasFormat(CsvMimeType))
        return mime->data(CsvMimeType);
    return mime->text().toUtf8();
}
