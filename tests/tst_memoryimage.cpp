// Radio memory images: what a write leaves in the radio, and the table and
// settings an image decodes to. Image bytes are built here from the memory
// layouts.
#include "model/frequency.h"
#include "model/radiodata.h"
#include "radio/memoryimage.h"
#include "testbytes.h"
#include "testsupport.h"

#include <QtTest>

namespace {

// 438.125 / 88.5 receive, 462.5625 / D023N transmit, flags 0xF6: low, wide,
// scanned, busy lock on.
const QByteArray Channel1 = bytes({0x00, 0x25, 0x81, 0x43, 0x50, 0x62, 0x25, 0x46, 0x85, 0x08, 0x23,
                                   0x80, 0xF6, 0xFF, 0xFF, 0xFF});
// 400.000 / D754I receive, 470.000 / 100.0 transmit, flags 0xFF.
const QByteArray Channel199 = bytes({0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x00, 0x47, 0x54, 0xC7,
                                     0x00, 0x10, 0xFF, 0xFF, 0xFF, 0xFF});
const QByteArray DefaultSettings = bytes({0xFF, 0x02, 0x00, 0x04, 0xCF, 0x06, 0x02, 0x04});
const QByteArray BandEdges = bytes({0x00, 0x40, 0x00, 0x47, 0x00, 0x40, 0x00, 0x47});
const QByteArray IdentBlock = bytes({0x00, 0x00, 0xF3}) + QByteArrayLiteral("5174Q");

} // namespace

class TestMemoryImage : public QObject
{
    Q_OBJECT

private slots:
    // Every block a complete write stores, in place; 0xFF elsewhere.
    void encode()
    {
        RadioData data;
        useValueTexts(data.table, EnglishValueTexts);
        const QStringList cells{
            local("438.12500"), "88.5", local("462.56250"), "D023N", "Low", "Wide", "ON", "ON"};
        for (int col = 1; col <= 8; ++col)
            data.table.setCell(col, 1, cells.at(col - 1));
        for (BandRangeList *list : data.bands.all())
            list->choose(list->append(QStringLiteral("400-470MHz")));

        QByteArray expected(0x10000, char(0xFF));
        expected.replace(0x0010, 16, Channel1);
        expected.replace(0x0C80, 8, DefaultSettings);
        expected.replace(0x0C90, 8, IdentBlock);
        expected.replace(0x0CA0, 8, BandEdges);
        expected.replace(0x0CA8, 8, BandEdges);
        QCOMPARE(MemoryImage::encodeImage(data), expected);
    }

    // An image fills all rows and the settings as a read fills them;
    // unreadable channels are named and left empty; the band lists stay.
    void decode()
    {
        QByteArray image(0x10000, char(0xFF));
        image.replace(0x0010, 16, Channel1);
        // No receive frequency: empty whatever else the record holds.
        image.replace(0x0020, 16, QByteArray(4, char(0xFF)) + Channel1.mid(4));
        // A receive frequency with a digit A.
        image.replace(0x0030, 4, bytes({0x00, 0x0A, 0x00, 0x44}));
        image.replace(0x0C70, 16, Channel199);
        image.replace(0x0C80, 8, bytes({0xFF, 0x05, 0x00, 0x04, 0xCF, 0x06, 0x02, 0x04}));
        image.replace(0x0CA0, 8, bytes({0x00, 0x42, 0x00, 0x45, 0x00, 0x42, 0x00, 0x45}));

        RadioData data;
        useValueTexts(data.table, EnglishValueTexts);
        for (int n = 2; n <= 199; ++n)
            data.table.setCell(1, n, local("450.00000"));
        const MemoryImage::ImageDecodeResult result = MemoryImage::decodeImage(image, data);

        QCOMPARE(rowCells(data.table, 1),
                 QStringList({local("438.12500"), "88.5", local("462.56250"), "D023N", "Low",
                              "Wide", "ON", "ON"}));
        QVERIFY(data.table.isRowEmpty(2));
        QVERIFY(data.table.isRowEmpty(3));
        for (int n = 4; n <= 198; ++n)
            QVERIFY(data.table.isRowEmpty(n));
        QCOMPARE(rowCells(data.table, 199),
                 QStringList({local("400.00000"), "D754I", local("470.00000"), "100.0", "High",
                              "Wide", "ON", "OFF"}));
        QCOMPARE(result.unreadableChannels, QList<int>{3});
        QVERIFY(result.settingsRead);
        QCOMPARE(result.warnings,
                 QStringList{"Channel 003 holds values that cannot be shown; it is left empty"});
        for (Setting s : allSettings())
            QCOMPARE(data.settings.index(s),
                     s == Setting::Squelch ? 5 : settingInfo(s).defaultIndex);
        QCOMPARE(data.bands.list1_rx.count(), 0);
    }

    // An erased settings block (a read that stopped before it, or an image
    // of another tool that holds none) leaves the settings alone; a short
    // image counts as 0xFF after its end.
    void decodeWithoutSettings()
    {
        QByteArray image(0x0C88, char(0xFF));
        image.replace(0x0010, 16, Channel1);
        RadioData data;
        useValueTexts(data.table, EnglishValueTexts);
        data.settings.setIndex(Setting::Squelch, 7);
        data.settings.setIndex(Setting::Txlight, 5);

        const MemoryImage::ImageDecodeResult result = MemoryImage::decodeImage(image, data);

        QVERIFY(!result.settingsRead);
        QCOMPARE(result.warnings, QStringList{"The image holds no function settings (its settings "
                                              "block is erased); the settings keep their values"});
        QCOMPARE(data.settings.index(Setting::Squelch), 7);
        QCOMPARE(data.settings.index(Setting::Txlight), 5);
        QCOMPARE(data.table.cell(1, 1), local("438.12500"));
    }
};

QTEST_GUILESS_MAIN(TestMemoryImage)
#include "tst_memoryimage.moc"
