// CSV channel lists come from other programs and from hand edits. Whatever
// a text holds, importing it must neither crash nor read out of bounds; a
// refused import leaves the table untouched; every channel it places is one
// a write accepts; and exporting what it placed imports again to the same
// channels.
#include "fuzzsupport.h"
#include "model/radiodata.h"
#include "radio/memorycodec.h"
#include "storage/channelcsv.h"

#include <array>

namespace {

// Row 5 before each import, to tell an untouched table from a cleared one.
const std::array<QString, 8> Marker{"438.12500", "88.5", "438.12500", "OFF",
                                    "High",      "Wide", "ON",        "OFF"};

RadioData *newData()
{
    auto *data = new RadioData;
    data->table.setValueTexts(EnglishValueTexts);
    data->table.setToneOffText(EnglishValueTexts.offText);
    for (BandRangeList *list : {&data->bands.list1_rx, &data->bands.list1_tx, &data->bands.list2_rx,
                                &data->bands.list2_tx})
        list->choose(list->append(QStringLiteral("400-470MHz")));
    return data;
}

QList<std::array<QString, 8>> rows(const ChannelTable &table)
{
    QList<std::array<QString, 8>> list;
    for (int row = 1; row <= ChannelTable::ChannelCount; ++row)
        list << table.rowData(row);
    return list;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Built once (a table per input would take most of the time); every
    // input starts from the same table.
    static RadioData &radio = *newData();
    static RadioData &again = *newData();
    radio.table.clearAll();
    radio.table.setRowData(5, Marker);

    const CsvImportReport report = importChannelCsv(inputBytes(data, size), radio.table);
    if (!report.ok) {
        for (int row = 1; row <= ChannelTable::ChannelCount; ++row)
            FUZZ_CHECK(row == 5 ? radio.table.rowData(row) == Marker : radio.table.isRowEmpty(row));
        return 0;
    }
    int placed = 0;
    for (int row = 1; row <= ChannelTable::ChannelCount; ++row)
        placed += !radio.table.isRowEmpty(row);
    FUZZ_CHECK(placed == report.imported);
    FUZZ_CHECK(MemoryCodec::preflightCheck(radio).isEmpty());

    CsvExportResult exported;
    const QByteArray text = channelCsvBytes(radio, &exported);
    if (!exported.warnings.isEmpty())
        return 0;
    const CsvImportReport back = importChannelCsv(text, again.table);
    FUZZ_CHECK(back.ok && back.skipped.isEmpty() && back.warnings.isEmpty());
    FUZZ_CHECK(rows(again.table) == rows(radio.table));
    return 0;
}
