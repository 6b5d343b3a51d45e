// Read-back verification against the virtual radio: a write that the radio
// keeps, one block it stores wrongly (each kind of block, and what the
// report says about it), a read-back that does not go through, the bits
// that do not count, and the user's data left alone.
#include "model/frequency.h"
#include "model/radiodata.h"
#include "radio/memoryimage.h"
#include "radio/programmingrun.h"
#include "radio/readbackverify.h"
#include "radio/seriallink.h"
#include "sim/virtualradio.h"
#include "testsupport.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

void fill(RadioData &data)
{
    useValueTexts(data.table, EnglishValueTexts);
    setRow(data.table, 1,
           localised({"438.12500", "88.5", "462.56250", "D023N", "Low", "Wide", "ON", "ON"}));
    setRow(data.table, 199,
           localised({"400.00000", "D754I", "470.00000", "100.0", "High", "Wide", "ON", "OFF"}));
    data.settings.setIndex(Setting::Squelch, 5);
    for (BandRangeList *list : data.bands.all())
        list->choose(list->append(QStringLiteral("400-470MHz")));
}

} // namespace

class TestReadBack : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<VirtualRadio> radio;
    std::unique_ptr<SerialLink> link;
    std::unique_ptr<RadioData> data;

    void write()
    {
        ProgrammingRun run(*link, *data);
        const ProgrammingResult result = run.run(TransferMode::Write);
        QVERIFY2(result.complete(), qPrintable(result.message));
    }

private slots:
    void init()
    {
        radio = std::make_unique<VirtualRadio>();
        QVERIFY(radio->open());
        link = std::make_unique<SerialLink>();
        link->setPortName(radio->portName());
        QVERIFY(link->setPortOpen(true));
        data = std::make_unique<RadioData>();
        fill(*data);
    }

    void cleanup()
    {
        data.reset();
        link.reset();
        radio.reset();
    }

    // The radio stores one block with the lowest bit of its first byte
    // inverted; the report names what differs in the terms of the table,
    // byte by byte where the values do not show it. The band edges are not
    // read back.
    void storeWrong_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QStringList>("differences");
        QTest::newRow("none") << "" << QStringList();
        QTest::newRow("channel 1, first block")
            << "store-wrong:0x0010"
            << QStringList{"Channel 001 receive frequency: stored " + local("438.12500") +
                           ", radio holds " + local("438.12501")};
        QTest::newRow("channel 1, second block")
            << "store-wrong:0x0018"
            << QStringList{"Channel 001 receive sub-audio: stored 88.5, radio holds 88.4"};
        QTest::newRow("channel 199, second block")
            << "store-wrong:0x0C78"
            << QStringList{"Channel 199 receive sub-audio: stored D754I, radio holds D755I"};
        QTest::newRow("an empty channel")
            << "store-wrong:0x0020"
            << QStringList{"Channel 002 byte 0 (0x0020): stored FF, radio holds FE"};
        QTest::newRow("an empty channel's second block")
            << "store-wrong:0x0028"
            << QStringList{"Channel 002 byte 8 (0x0028): stored FF, radio holds FE"};
        QTest::newRow("settings block")
            << "store-wrong:0x0C80" << QStringList{"Setting APO: stored 禁用, radio holds 启用"};
        QTest::newRow("identification block")
            << "store-wrong:0x0C90"
            << QStringList{"Identification block byte 0 (0x0C90): stored 00, radio holds 01"};
        QTest::newRow("band edges are not read back") << "store-wrong:0x0CA0" << QStringList();
    }

    void storeWrong()
    {
        QFETCH(QString, fault);
        QFETCH(QStringList, differences);
        QVERIFY(radio->setFaults(fault));
        write();

        ReadBackVerify verify(*link);
        QSignalSpy progress(&verify, &ReadBackVerify::progress);
        const VerifyReport report = verify.run(*data);

        QCOMPARE(report.differences, differences);
        QCOMPARE(report.outcome, differences.isEmpty() ? VerifyReport::Outcome::Verified
                                                       : VerifyReport::Outcome::Differs);
        QCOMPARE(report.readResult.mode, TransferMode::Read);
        QCOMPARE(progress.last().at(0).toInt(), ProgrammingRun::ReadGaugeMaximum);
        QCOMPARE(report.readBack.mid(0x0010, 16), radio->readMemory(0x0010, 16));
    }

    // A read-back that does not go through compares nothing; a settings
    // block the radio does not return is a difference of its own.
    void readBackFails_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QStringList>("differences");
        QTest::addColumn<QString>("message");
        QTest::newRow("no radio") << "silent" << int(VerifyReport::Outcome::ReadFailed)
                                  << QStringList()
                                  << "The radio could not be read back: No radio answered";
        QTest::newRow("stops at channel 80")
            << "stop-after:0x0500" << int(VerifyReport::Outcome::ReadFailed) << QStringList()
            << "stopped answering at channel 080";
        QTest::newRow("short settings reply")
            << "short:0x0C80" << int(VerifyReport::Outcome::Differs)
            << QStringList{"Settings block: the radio did not return it"}
            << "Read back: 1 difference(s) between what was written and what the radio holds";
    }

    void readBackFails()
    {
        QFETCH(QString, fault);
        QFETCH(int, outcome);
        QFETCH(QStringList, differences);
        QFETCH(QString, message);
        write();
        QVERIFY(radio->setFaults(fault));

        const VerifyReport report = ReadBackVerify(*link).run(*data);

        QCOMPARE(int(report.outcome), outcome);
        QCOMPARE(report.differences, differences);
        QVERIFY2(report.message.contains(message), qPrintable(report.message));
        QVERIFY(!report.ok());
    }

    // The read-back goes into scratch data: the user's table and settings
    // see no change, not even a signal.
    void userDataUntouched()
    {
        write();
        radio->writeMemory(0x0010, QByteArray(16, char(0xFF))); // differs now
        QSignalSpy cells(&data->table, &ChannelTable::cellChanged);
        QSignalSpy rows(&data->table, &ChannelTable::rowsChanged);
        QSignalSpy settings(&data->settings, &FunctionSettings::indexChanged);

        const VerifyReport report = ReadBackVerify(*link).run(*data);

        QCOMPARE(report.outcome, VerifyReport::Outcome::Differs);
        QCOMPARE(report.differences.size(), 8); // every cell of channel 1
        QCOMPARE(cells.count() + rows.count() + settings.count(), 0);
        QCOMPARE(data->table.cell(1, 1), local("438.12500"));
    }

    // Bits the radio is not read for do not count: the flags byte's high
    // nibble, the spare bytes, the settings bytes' high nibbles and bits 6
    // and 7 of option byte 4. A settings nibble that is no value is named
    // by its byte.
    void ignoredBits()
    {
        QByteArray image = MemoryImage::encodeImage(*data);
        image[0x001C] = char(0x06);                            // flags F6 -> 06
        image.replace(0x001D, 3, QByteArray(3, char(0x00)));   // spare
        image[0x0C81] = char(0x15);                            // Squelch 05 -> 15
        image[0x0C84] = char(quint8(image.at(0x0C84)) & 0x3F); // option bits B
        QCOMPARE(readBackDifferences(*data, image), QStringList());

        image[0x0C82] = char(0x0A); // VoxControl: A is no value
        QCOMPARE(readBackDifferences(*data, image),
                 QStringList{"Settings block byte 2 (0x0C82): stored 00, radio holds 0A"});
    }
};

QTEST_GUILESS_MAIN(TestReadBack)
#include "tst_readback.moc"
