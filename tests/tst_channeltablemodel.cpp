// The channel table's item model and the grid that shows it.
#include "editor/channelgrid.h"
#include "editor/channeltablemodel.h"
#include "model/bandranges.h"
#include "model/channeltable.h"

#include <QAbstractItemModelTester>
#include <QBrush>
#include <QHeaderView>
#include <QSignalSpy>
#include <QtTest>

class TestChannelTableModel : public QObject
{
    Q_OBJECT

private slots:
    void shapeAndHeaders()
    {
        ChannelTable table;
        ChannelTableModel model(&table);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);

        QCOMPARE(model.rowCount(), 199);
        QCOMPARE(model.columnCount(), 8);
        QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("接收频率"));
        QCOMPARE(model.headerData(7, Qt::Horizontal).toString(), QStringLiteral("繁忙锁定"));
        QCOMPARE(model.headerData(0, Qt::Vertical).toString(), QStringLiteral("001"));
        QCOMPARE(model.headerData(198, Qt::Vertical).toString(), QStringLiteral("199"));
        QCOMPARE(model.cornerHeading(), QStringLiteral("信道"));
        QVERIFY(!model.headerData(8, Qt::Horizontal).isValid());
        QVERIFY(!model.headerData(199, Qt::Vertical).isValid());

        // Cells are read-only to views: the grid's own editors write the table.
        QVERIFY(!(model.flags(model.index(0, 0)) & Qt::ItemIsEditable));
    }

    void cellsMapToTheTable()
    {
        ChannelTable table;
        ChannelTableModel model(&table);
        table.setCell(ChannelTable::ColTxTone, 7, QStringLiteral("D023N"));
        const QModelIndex index = model.cellIndex(ChannelTable::ColTxTone, 7);
        QCOMPARE(index, model.index(6, 3));
        QCOMPARE(model.data(index).toString(), QStringLiteral("D023N"));
        QCOMPARE(ChannelTableModel::tableColumn(index), 4);
        QCOMPARE(ChannelTableModel::tableRow(index), 7);
        QCOMPARE(model.data(index, Qt::TextAlignmentRole).value<Qt::Alignment>(),
                 Qt::Alignment(Qt::AlignCenter));
        QVERIFY(!model.cellIndex(0, 7).isValid());
        QVERIFY(!model.cellIndex(1, 0).isValid());
    }

    void shadedRows_data()
    {
        QTest::addColumn<int>("channel");
        QTest::addColumn<bool>("shaded");
        for (int channel : {1, 4, 5, 6, 10, 11, 100, 195, 196, 199})
            QTest::addRow("%d", channel) << channel << (channel % 5 == 0);
    }

    void shadedRows()
    {
        QFETCH(int, channel);
        QFETCH(bool, shaded);
        ChannelTable table;
        ChannelTableModel model(&table);
        const QVariant background = model.data(model.cellIndex(3, channel), Qt::BackgroundRole);
        if (shaded)
            QCOMPARE(background.value<QBrush>().color(), QColor(227, 227, 227));
        else
            QVERIFY(!background.isValid());
    }

    // Every change of the table reaches the view as the narrowest fitting
    // signal, and the model stays consistent under the tester.
    void changesAreSignalled()
    {
        ChannelTable table;
        ChannelTableModel model(&table);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy data(&model, &QAbstractItemModel::dataChanged);
        QSignalSpy headers(&model, &QAbstractItemModel::headerDataChanged);
        QSignalSpy corner(&model, &ChannelTableModel::cornerHeadingChanged);
        QSignalSpy resets(&model, &QAbstractItemModel::modelReset);

        table.setCell(ChannelTable::ColRxFreq, 12, QStringLiteral("438.10000"));
        QCOMPARE(data.size(), 1);
        QCOMPARE(data.at(0).at(0).value<QModelIndex>(), model.index(11, 0));
        QCOMPARE(data.at(0).at(1).value<QModelIndex>(), model.index(11, 0));

        table.applyNewChannelDefaults(12);
        table.setRowData(13, table.rowData(12));
        table.clearRow(12);
        QVERIFY(data.size() > 1);
        QCOMPARE(model.data(model.index(12, 0)).toString(), QStringLiteral("438.10000"));
        QCOMPARE(model.data(model.index(11, 0)).toString(), QString());

        data.clear();
        table.clearAll();
        QCOMPARE(data.size(), 1);
        QCOMPARE(data.at(0).at(0).value<QModelIndex>(), model.index(0, 0));
        QCOMPARE(data.at(0).at(1).value<QModelIndex>(), model.index(198, 7));

        table.setHeading(3, QStringLiteral("TX Freq"));
        QCOMPARE(headers.size(), 1);
        QCOMPARE(headers.at(0).at(0).value<Qt::Orientation>(), Qt::Horizontal);
        QCOMPARE(headers.at(0).at(1).toInt(), 2);
        QCOMPARE(headers.at(0).at(2).toInt(), 2);
        QCOMPARE(model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("TX Freq"));

        table.setHeading(0, QStringLiteral("CH"));
        QCOMPARE(corner.size(), 1);
        QCOMPARE(headers.size(), 1);
        QCOMPARE(model.cornerHeading(), QStringLiteral("CH"));
        QCOMPARE(resets.size(), 0);
    }

    void gridGeometry_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("width");
        const int widths[] = {66, 73, 66, 72, 60, 48, 35, 61};
        for (int col = 0; col < 8; ++col)
            QTest::addRow("column %d", col + 1) << col << widths[col];
    }

    void gridGeometry()
    {
        QFETCH(int, column);
        QFETCH(int, width);
        ChannelTable table;
        ChannelTableModel model(&table);
        ChannelGrid grid;
        grid.setChannelModel(&model);
        grid.resize(547, 403);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));

        QCOMPARE(grid.columnWidth(column), width);
        QCOMPARE(grid.verticalHeader()->width(), 35);
        QCOMPARE(grid.horizontalHeader()->height(), 20);
        QCOMPARE(grid.rowHeight(0), 20);
        QCOMPARE(grid.rowHeight(198), 20);
        QCOMPARE(grid.editTriggers(), QAbstractItemView::NoEditTriggers);
        QCOMPARE(grid.selectionMode(), QAbstractItemView::NoSelection);
        QCOMPARE(grid.font().family(), QStringLiteral("Arial"));

        // The current cell moves but is not highlighted, and the view gives
        // an editor the cell's place.
        grid.setCurrentIndex(model.index(4, column));
        QCOMPARE(grid.currentIndex(), model.index(4, column));
        QVERIFY(grid.selectionModel()->selectedIndexes().isEmpty());
        // Each cell's last pixel row and column is its grid line.
        const QRect cell = grid.visualRect(grid.currentIndex());
        QCOMPARE(cell.top(), 4 * 20);
        QCOMPARE(cell.height(), 20 - 1);
        QCOMPARE(cell.width(), width - 1);
    }

    // A frequency outside the chosen ranges of its direction is coloured
    // and named in a tool tip and the model's own role; a change of the
    // chosen ranges is signalled for the frequency columns.
    void outOfBandMarks()
    {
        ChannelTable table;
        BandRanges bands;
        for (BandRangeList *list : bands.all())
            list->choose(list->append(QStringLiteral("400-470MHz")));
        ChannelTableModel model(&table);
        QAbstractItemModelTester tester(&model);
        model.setBandRanges(&bands);
        model.setOutOfBandToolTip(QStringLiteral("Outside the band %1"));
        table.setCell(ChannelTable::ColRxFreq, 3, QStringLiteral("146.52000"));
        table.setCell(ChannelTable::ColTxFreq, 3, QStringLiteral("446.00625"));

        const QModelIndex rx = model.cellIndex(ChannelTable::ColRxFreq, 3);
        const QModelIndex tx = model.cellIndex(ChannelTable::ColTxFreq, 3);
        QCOMPARE(rx.data(ChannelTableModel::OutOfBandRole).toStringList(),
                 QStringList{"400-470MHz"});
        QCOMPARE(rx.data(Qt::ToolTipRole).toString(),
                 QStringLiteral("Outside the band 400-470MHz"));
        QCOMPARE(rx.data(Qt::BackgroundRole).value<QBrush>().color(),
                 ChannelTableModel::OutOfBandBackground);
        QCOMPARE(rx.data(Qt::ForegroundRole).value<QBrush>().color(),
                 ChannelTableModel::OutOfBandForeground);
        for (const QModelIndex &inBand : {tx, model.cellIndex(ChannelTable::ColRxTone, 3),
                                          model.cellIndex(ChannelTable::ColRxFreq, 4)}) {
            QVERIFY(inBand.data(ChannelTableModel::OutOfBandRole).toStringList().isEmpty());
            QVERIFY(!inBand.data(Qt::ToolTipRole).isValid());
        }

        // Band two's receive range takes it in.
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        bands.list2_rx.choose(bands.list2_rx.append(QStringLiteral("136-174MHz")));
        QVERIFY(changed.count() >= 1);
        QVERIFY(rx.data(ChannelTableModel::OutOfBandRole).toStringList().isEmpty());
        QVERIFY(!rx.data(Qt::ToolTipRole).isValid());
        // A transmit frequency typed outside is marked with its own ranges.
        table.setCell(ChannelTable::ColTxFreq, 3, QStringLiteral("146.52000"));
        QCOMPARE(tx.data(ChannelTableModel::OutOfBandRole).toStringList(),
                 QStringList{"400-470MHz"});
        // Without band ranges nothing is marked.
        model.setBandRanges(nullptr);
        QVERIFY(tx.data(ChannelTableModel::OutOfBandRole).toStringList().isEmpty());
    }
};

QTEST_MAIN(TestChannelTableModel)
#include "tst_channeltablemodel.moc"
