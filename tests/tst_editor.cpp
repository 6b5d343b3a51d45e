// Editing the channel grid through its real widgets: the grid's select and
// click events, the frequency edit box and its key filter, the tone list,
// the switch cells, and the channel list operations with their
// confirmations. Every test gets a fresh main window. Frequencies are
// written with the locale's separator, so the program also runs under a
// comma locale.
#include "app/mainwindow.h"
#include "app/optionspage.h"
#include "editor/channeleditor.h"
#include "editor/channelgrid.h"
#include "editor/channeltablemodel.h"
#include "editor/confirmationdialog.h"
#include "editor/frequencyedit.h"
#include "editor/tonelistbox.h"
#include "model/frequency.h"
#include "model/programfolder.h"
#include "testbytes.h"
#include "testsupport.h"
#include "ui_mainwindow.h"

#include <QAbstractItemView>
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>

namespace {

// The separator the locale does not use.
QChar otherSeparator()
{
    return frequencySeparator() == QLatin1Char('.') ? QLatin1Char(',') : QLatin1Char('.');
}

// Answers every conversion message box while it lives, noting what it said.
class MessageCatcher : public QObject
{
public:
    MessageCatcher()
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            texts << box->text();
            titles << box->windowTitle();
            box->accept();
        });
        m_timer.start(5);
    }

    QStringList texts;
    QStringList titles;

private:
    QTimer m_timer;
};

// The grid's events in the order they come, for the event-order test.
class GridLog : public QObject
{
public:
    explicit GridLog(ChannelGrid *grid)
    {
        connect(grid, &ChannelGrid::selectCell, this, [this, grid](int col, int row, bool *can) {
            events << QStringLiteral("select %1 %2 from %3 %4")
                          .arg(col)
                          .arg(row)
                          .arg(grid->col())
                          .arg(grid->row());
            *can = !refuse;
        });
        connect(grid, &ChannelGrid::cellClick, this, [this, grid] {
            events << QStringLiteral("click %1 %2").arg(grid->col()).arg(grid->row());
        });
        connect(grid, &ChannelGrid::mouseWheel, this,
                [this] { events << QStringLiteral("wheel"); });
    }

    QStringList events;
    bool refuse = false;
};

} // namespace

class TestEditor : public QObject
{
    Q_OBJECT

    ProgramFolder m_folder;
    std::unique_ptr<MainWindow> m_form;
    std::unique_ptr<ConfirmationDialog> m_message;

    ChannelEditor *editor() const { return m_form->editor(); }
    ChannelTable &table() const { return m_form->radioData().table; }
    ChannelGrid *grid() const { return m_form->ui().channelGrid; }
    FrequencyEdit *edit() const { return editor()->frequencyEdit(); }
    ToneListBox *toneList() const { return editor()->toneList(); }
    const ValueTexts &texts() const { return table().valueTexts(); }

    // A complete channel as a new channel gets it, with its frequency.
    void channel(int row, const char *rx)
    {
        table().setCell(ChannelTable::ColRxFreq, row, local(rx));
        table().normaliseFrequencyCell(ChannelTable::ColRxFreq, row);
        table().applyNewChannelDefaults(row);
    }

    void clickCell(int col, int row)
    {
        const QModelIndex index = grid()->channelModel()->cellIndex(col, row);
        grid()->scrollTo(index);
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {},
                          grid()->visualRect(index).center());
    }

    // Types each character into whatever has the focus: "\r" is Enter, "\b"
    // Backspace.
    void type(const QString &keys)
    {
        for (QChar c : keys) {
            QWidget *target = QApplication::focusWidget();
            QVERIFY(target);
            QTest::keyClick(target, c.toLatin1());
        }
    }

    static Qt::Key keyNamed(const QString &name)
    {
        static const QMap<QString, Qt::Key> keys{
            {"Down", Qt::Key_Down}, {"Up", Qt::Key_Up},     {"Right", Qt::Key_Right},
            {"End", Qt::Key_End},   {"Home", Qt::Key_Home}, {"PageDown", Qt::Key_PageDown}};
        return keys.value(name, Qt::Key_unknown);
    }

    void wheel(int delta)
    {
        QWidget *viewport = grid()->viewport();
        const QPointF at = viewport->rect().center();
        QWheelEvent event(at, viewport->mapToGlobal(at), {}, {0, delta}, Qt::NoButton, {},
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport, &event);
    }

    // The rectangle of cell (col, row) in the editors' parent.
    QRect cellPlace(int col, int row) const
    {
        return grid()->cellRect(col, row, edit()->parentWidget());
    }

    // The editors lie over the cell's content: its text is hidden under them.
    void verifyCovers(const QWidget *editor, int col, int row)
    {
        const QRect cell = cellPlace(col, row).adjusted(0, 0, -1, -1);
        const QRect place = editor->geometry();
        QVERIFY2(place.left() <= cell.left() + 1 && place.right() >= cell.right() - 1 &&
                     place.top() <= cell.top() + 1 && place.bottom() >= cell.bottom() - 1,
                 qPrintable(QStringLiteral("editor %1,%2 %3x%4 on cell %5,%6 %7x%8")
                                .arg(place.x())
                                .arg(place.y())
                                .arg(place.width())
                                .arg(place.height())
                                .arg(cell.x())
                                .arg(cell.y())
                                .arg(cell.width())
                                .arg(cell.height())));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_folder.isValid());
        verifyLocaleOfRun();
    }

    void init()
    {
        m_form = std::make_unique<MainWindow>();
        // The tests change the table and go on without saving.
        m_form->setSaveQuestion([] { return MainWindow::SaveAnswer::Discard; });
        m_message = std::make_unique<ConfirmationDialog>();
        m_form->setWindows(nullptr, nullptr, nullptr, m_message.get());
        useValueTexts(table(), EnglishValueTexts);
        BandRangeList &band = m_form->radioData().bands.list1_rx;
        band.clear();
        band.append(QStringLiteral("400-470MHz"));
        band.choose(0);
        m_form->show();
        m_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        grid()->setFocus();
    }

    void cleanup()
    {
        m_form.reset();
        m_message.reset();
    }

    // The grid raises select before the current cell moves and click after
    // it; the mouse clicks on release; a refused select keeps the grid.
    void gridEvents_data()
    {
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<QStringList>("events");
        QTest::addColumn<QPoint>("current");

        const auto l = [](std::initializer_list<const char *> items) {
            QStringList list;
            for (const char *item : items)
                list << QString::fromLatin1(item);
            return list;
        };
        QTest::newRow("press elsewhere")
            << l({"press 3 5"}) << l({"select 3 5 from 1 1"}) << QPoint(3, 5);
        QTest::newRow("click elsewhere") << l({"press 3 5", "release 3 5"})
                                         << l({"select 3 5 from 1 1", "click 3 5"}) << QPoint(3, 5);
        QTest::newRow("click on the current cell")
            << l({"press 1 1", "release 1 1"}) << l({"select 1 1 from 1 1", "click 1 1"})
            << QPoint(1, 1);
        QTest::newRow("right button") << l({"right 3 5"}) << QStringList() << QPoint(1, 1);
        QTest::newRow("double click")
            << l({"double 6 2"}) << l({"select 6 2 from 1 1", "click 6 2"}) << QPoint(6, 2);
        QTest::newRow("arrow down")
            << l({"key Down"}) << l({"select 1 2 from 1 1", "click 1 2"}) << QPoint(1, 2);
        QTest::newRow("arrow up at the top") << l({"key Up"}) << QStringList() << QPoint(1, 1);
        QTest::newRow("end, home")
            << l({"key End", "key Home"})
            << l({"select 8 1 from 1 1", "click 8 1", "select 1 1 from 8 1", "click 1 1"})
            << QPoint(1, 1);
        QTest::newRow("page down") << l({"key PageDown"}) << QStringList() << QPoint(1, 0);
        QTest::newRow("wheel down")
            << l({"wheel -120"}) << l({"wheel", "select 1 2 from 1 1", "click 1 2"})
            << QPoint(1, 2);
        QTest::newRow("wheel up at the top") << l({"wheel 120"}) << l({"wheel"}) << QPoint(1, 1);
        QTest::newRow("half notches add up")
            << l({"wheel -60", "wheel -60"}) << l({"wheel", "select 1 2 from 1 1", "click 1 2"})
            << QPoint(1, 2);
        QTest::newRow("program sets row and column")
            << l({"row 4", "col 4", "row 4"})
            << l({"select 1 4 from 1 1", "click 1 4", "select 4 4 from 1 4", "click 4 4"})
            << QPoint(4, 4);
        QTest::newRow("refused") << l({"refuse", "press 3 5", "release 3 5", "key Down", "row 9"})
                                 << l({"select 3 5 from 1 1", "select 1 2 from 1 1",
                                       "select 1 9 from 1 1"})
                                 << QPoint(1, 1);
    }

    void gridEvents()
    {
        QFETCH(QStringList, actions);
        QFETCH(QStringList, events);
        QFETCH(QPoint, current);

        // The grid alone, without the editor's handlers.
        disconnect(grid(), nullptr, editor(), nullptr);
        GridLog log(grid());
        QWidget *viewport = grid()->viewport();
        auto centre = [this](const QStringList &words) {
            return grid()
                ->visualRect(grid()->channelModel()->cellIndex(words[1].toInt(), words[2].toInt()))
                .center();
        };
        for (const QString &action : actions) {
            const QStringList w = action.split(QLatin1Char(' '));
            if (w[0] == QLatin1String("press"))
                QTest::mousePress(viewport, Qt::LeftButton, {}, centre(w));
            else if (w[0] == QLatin1String("release"))
                QTest::mouseRelease(viewport, Qt::LeftButton, {}, centre(w));
            else if (w[0] == QLatin1String("right"))
                QTest::mouseClick(viewport, Qt::RightButton, {}, centre(w));
            else if (w[0] == QLatin1String("double"))
                QTest::mouseDClick(grid()->window()->windowHandle(), Qt::LeftButton, {},
                                   viewport->mapTo(grid()->window(), centre(w)));
            else if (w[0] == QLatin1String("key"))
                QTest::keyClick(grid(), keyNamed(w[1]));
            else if (w[0] == QLatin1String("wheel"))
                wheel(w[1].toInt());
            else if (w[0] == QLatin1String("row"))
                grid()->setRow(w[1].toInt());
            else if (w[0] == QLatin1String("col"))
                grid()->setCol(w[1].toInt());
            else if (w[0] == QLatin1String("refuse"))
                log.refuse = true;
        }
        // Page Down goes as far as the page reaches: compare the row loosely.
        if (current.y() == 0) {
            QCOMPARE(log.events.size(), 2);
            QVERIFY(grid()->row() > 10);
            QCOMPARE(log.events[1], QStringLiteral("click 1 %1").arg(grid()->row()));
            return;
        }
        QCOMPARE(log.events, events);
        QCOMPARE(QPoint(grid()->col(), grid()->row()), current);
    }

    void editorsLook()
    {
        QWidget *page = m_form->ui().channelPage;
        QCOMPARE(edit()->objectName(), QStringLiteral("frequencyEdit"));
        QCOMPARE(toneList()->objectName(), QStringLiteral("toneList"));
        QCOMPARE(edit()->parentWidget(), page);
        QCOMPARE(toneList()->parentWidget(), page);
        QVERIFY(edit()->isHidden());
        QVERIFY(toneList()->isHidden());
        QCOMPARE(edit()->maxLength(), 9);
        QCOMPARE(edit()->size(), QSize(66, 18));
        QCOMPARE(edit()->alignment(), Qt::AlignCenter);
        QCOMPARE(edit()->font().family(), QStringLiteral("Arial"));
        QCOMPARE(edit()->contextMenuPolicy(), Qt::PreventContextMenu);
        QVERIFY(!edit()->acceptDrops());
        QVERIFY(!toneList()->isEditable());
        QCOMPARE(toneList()->width(), 73);
        QCOMPARE(toneList()->maxVisibleItems(), 15);
        QCOMPARE(toneList()->count(), 265);
        QCOMPARE(editor()->currentCol(), 1);
        QCOMPARE(editor()->currentRow(), 1);
        QVERIFY(!editor()->skipsNextToggle());
        QCOMPARE(editor()->autoAddTimer()->objectName(), QStringLiteral("autoAddTimer"));
        QVERIFY(!editor()->autoAddTimer()->isActive());

        // Each editor over its cell, also far down the grid; neither takes
        // the focus.
        channel(150, "438.5");
        clickCell(1, 150);
        QVERIFY(!edit()->isHidden());
        verifyCovers(edit(), 1, 150);
        clickCell(2, 150);
        QVERIFY(edit()->isHidden());
        QVERIFY(!toneList()->isHidden());
        verifyCovers(toneList(), 2, 150);
        clickCell(4, 150);
        verifyCovers(toneList(), 4, 150);
        clickCell(3, 150);
        verifyCovers(edit(), 3, 150);
        QVERIFY(grid()->hasFocus());

        // The wheel over an editor without the focus moves the grid.
        const QPointF at = edit()->rect().center();
        QWheelEvent notch(at, edit()->mapToGlobal(at), {}, {0, -120}, Qt::NoButton, {},
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(edit(), &notch);
        QCOMPARE(grid()->row(), 151);
    }

    // What a typed key leaves in the edit box (and in the cell under it).
    // "s" stands for the locale's separator, "o" for the other one, "\b"
    // for Backspace, "V" for the paste shortcut, "A" for select all by
    // Shift+Home.
    void keyFilter_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("expected");

        QTest::newRow("digits") << "4381"
                                << "4381";
        QTest::newRow("separator after three") << "438s125"
                                               << "438s125";
        QTest::newRow("separator as 1st, 2nd, 3rd character") << "s4s3s8s1"
                                                              << "438s1";
        QTest::newRow("second separator") << "438s1s2"
                                          << "438s12";
        QTest::newRow("other separator") << "438o1"
                                         << "4381";
        QTest::newRow("letters, signs, spaces") << "4a3-8 +e"
                                                << "438";
        QTest::newRow("backspace") << "4389\b"
                                   << "438";
        QTest::newRow("separator after backspace") << "4389s\b\bs1"
                                                   << "438s1";
        QTest::newRow("nine characters") << "4381250001"
                                         << "438125000";
        QTest::newRow("paste") << "43V8"
                               << "438";
        QTest::newRow("separator over the selection") << "438As"
                                                      << "438";
        QTest::newRow("digit over the selection") << "438A5"
                                                  << "5";
    }

    void keyFilter()
    {
        QFETCH(QString, keys);
        QFETCH(QString, expected);
        const QString sep(frequencySeparator());
        expected.replace(QLatin1Char('s'), sep);
        QGuiApplication::clipboard()->setText(QStringLiteral("999"));

        clickCell(1, 1);
        QVERIFY(!edit()->isHidden());
        QTest::mouseClick(edit(), Qt::LeftButton);
        QVERIFY(edit()->hasFocus());
        for (QChar c : keys) {
            if (c == QLatin1Char('s'))
                QTest::keyClick(edit(), frequencySeparator().toLatin1());
            else if (c == QLatin1Char('o'))
                QTest::keyClick(edit(), otherSeparator().toLatin1());
            else if (c == QLatin1Char('V'))
                QTest::keyClick(edit(), Qt::Key_V, Qt::ControlModifier);
            else if (c == QLatin1Char('A'))
                QTest::keyClick(edit(), Qt::Key_Home, Qt::ShiftModifier);
            else
                QTest::keyClick(edit(), c.toLatin1());
        }
        QCOMPARE(edit()->text(), expected);
        // Every key release copies the text into the cell, as typed.
        QCOMPARE(table().cell(1, 1), expected);
        QCOMPARE(table().cell(2, 1), QString());
    }

    // Typing into the grid: Enter focuses the edit box, a digit starts a new
    // frequency; Enter in the box commits the row and shows the box again,
    // without the focus, over the committed text.
    void typing_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QStringList>("after");

        const QStringList fresh =
            localised({"438.12500", "OFF", "438.12500", "OFF", "High", "Wide", "ON", "OFF"});
        QTest::newRow("new channel") << "" << 1 << "\r438s125\r" << fresh;
        QTest::newRow("digit replaces the frequency")
            << "438.125" << 1 << "446\r"
            << localised({"446.00000", "OFF", "438.12500", "OFF", "High", "Wide", "ON", "OFF"});
        QTest::newRow("receive frequency of a channel")
            << "438.125" << 1 << "462s0063\r"
            << localised({"462.01000", "OFF", "438.12500", "OFF", "High", "Wide", "ON", "OFF"});
        QTest::newRow("transmit frequency")
            << "438.125" << 3 << "\r\b\b\b\b\b\b\b\b\b99\r"
            << localised({"438.12500", "OFF", "100.00000", "OFF", "High", "Wide", "ON", "OFF"});
        QTest::newRow("receive only")
            << "438.125" << 3 << "\r\b\b\b\b\b\b\b\b\b\r"
            << localised({"438.12500", "OFF", "", "OFF", "High", "Wide", "ON", "OFF"});
        QTest::newRow("emptied channel") << "438.125" << 1 << "\r\b\b\b\b\b\b\b\b\b\r" << EmptyRow;
        QTest::newRow("other keys in the grid") << "438.125" << 1 << "xs-" << fresh;
    }

    void typing()
    {
        QFETCH(QString, before);
        QFETCH(int, col);
        QFETCH(QString, keys);
        QFETCH(QStringList, after);
        keys.replace(QLatin1Char('s'), frequencySeparator());
        if (!before.isEmpty())
            channel(1, before.toLatin1().constData());

        clickCell(col, 1);
        QVERIFY(grid()->hasFocus());
        QVERIFY(!edit()->isHidden());
        // The first key goes to the grid, the rest to whatever took the focus.
        QTest::keyClick(grid(), keys.at(0).toLatin1());
        if (keys.at(0).isDigit()) {
            QVERIFY(edit()->hasFocus());
            QCOMPARE(edit()->text(), QString(keys.at(0)));
            QCOMPARE(edit()->cursorPosition(), 1);
        }
        type(keys.mid(1));
        QCOMPARE(rowCells(table(), 1), after);
        if (keys.endsWith(QLatin1Char('\r'))) {
            QVERIFY(grid()->hasFocus());
            QVERIFY(!edit()->isHidden());
            QCOMPARE(edit()->text(), after.at(col - 1));
        }
    }

    // Clicking a cell of an empty channel: only the receive frequency opens
    // an editor; nothing switches.
    void emptyChannelClicks_data()
    {
        QTest::addColumn<int>("col");
        for (int col = 1; col <= 8; ++col)
            QTest::addRow("column %d", col) << col;
    }

    void emptyChannelClicks()
    {
        QFETCH(int, col);
        clickCell(col, 7);
        QCOMPARE(editor()->currentCol(), col);
        QCOMPARE(editor()->currentRow(), 7);
        QCOMPARE(!edit()->isHidden(), col == 1);
        QVERIFY(toneList()->isHidden());
        QVERIFY(table().isRowEmpty(7));
        QCOMPARE(edit()->text(), QString());
    }

    void switchCells_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("power high") << 5 << "High"
                                    << "Low"
                                    << "High";
        QTest::newRow("power other") << 5 << "低功率"
                                     << "High"
                                     << "Low";
        QTest::newRow("power empty") << 5 << ""
                                     << "High"
                                     << "Low";
        QTest::newRow("band width wide") << 6 << "Wide"
                                         << "Narrow"
                                         << "Wide";
        QTest::newRow("band width other") << 6 << "x"
                                          << "Wide"
                                          << "Narrow";
        QTest::newRow("scan on") << 7 << "ON"
                                 << "OFF"
                                 << "ON";
        QTest::newRow("scan other") << 7 << "禁用"
                                    << "OFF"
                                    << "ON";
        QTest::newRow("busy lock off") << 8 << "OFF"
                                       << "ON"
                                       << "OFF";
    }

    void switchCells()
    {
        QFETCH(int, col);
        QFETCH(QString, before);
        QFETCH(QString, first);
        QFETCH(QString, second);
        channel(2, "438.125");
        table().setCell(col, 2, before);
        clickCell(col, 2);
        QCOMPARE(table().cell(col, 2), first);
        QVERIFY(edit()->isHidden());
        QVERIFY(toneList()->isHidden());
        // A click on the current cell switches again.
        clickCell(col, 2);
        QCOMPARE(table().cell(col, 2), second);
        // A double click switches once.
        const QPoint at = grid()->visualRect(grid()->channelModel()->cellIndex(col, 2)).center();
        QTest::mouseDClick(m_form->windowHandle(), Qt::LeftButton, {},
                           grid()->viewport()->mapTo(m_form.get(), at));
        QCOMPARE(table().cell(col, 2), first);
    }

    // Arrow keys and the wheel over switch cells set skipsNextToggle(), so moving
    // onto a switch cell never switches it; the flag is spent by the next
    // click on a switch cell of a channel.
    void skipToggle_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("scan");
        QTest::addColumn<bool>("skip");
        QTest::addColumn<QPoint>("current");

        QTest::newRow("arrow sets the flag")
            << QStringList{"click 2 1", "key Down"} << QStringList{"ON", "ON", "ON"} << true
            << QPoint(2, 2);
        QTest::newRow("down in column 7")
            << QStringList{"click 6 1", "key Right", "key Down", "key Down"}
            << QStringList{"ON", "ON", "ON"} << false << QPoint(7, 3);
        QTest::newRow("down in column 2, click scan twice")
            << QStringList{"click 2 1", "key Down", "click 7 2"} << QStringList{"ON", "ON", "ON"}
            << false << QPoint(7, 2);
        QTest::newRow("second click switches")
            << QStringList{"click 2 1", "key Down", "click 7 2", "click 7 2"}
            << QStringList{"ON", "OFF", "ON"} << false << QPoint(7, 2);
        QTest::newRow("flag kept in columns 1-4")
            << QStringList{"key Down", "click 1 3", "click 3 1", "click 7 3", "click 7 1"}
            << QStringList{"OFF", "ON", "ON"} << false << QPoint(7, 1);
        QTest::newRow("wheel in column 7")
            << QStringList{"key Right", "click 7 1", "wheel -120", "wheel -120"}
            << QStringList{"ON", "ON", "ON"} << false << QPoint(7, 3);
        QTest::newRow("wheel in column 1 opens editors")
            << QStringList{"click 1 1", "wheel -120", "click 7 2"} << QStringList{"ON", "OFF", "ON"}
            << false << QPoint(7, 2);
        QTest::newRow("switch cell of an empty channel keeps the flag")
            << QStringList{"key Down", "click 7 9", "click 7 1"} << QStringList{"ON", "ON", "ON"}
            << false << QPoint(7, 1);
    }

    void skipToggle()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, scan);
        QFETCH(bool, skip);
        QFETCH(QPoint, current);
        for (int row = 1; row <= 3; ++row)
            channel(row, "438.125");

        for (const QString &step : steps) {
            const QStringList w = step.split(QLatin1Char(' '));
            if (w[0] == QLatin1String("click")) {
                clickCell(w[1].toInt(), w[2].toInt());
            } else if (w[0] == QLatin1String("key")) {
                QTest::keyClick(grid(), keyNamed(w[1]));
            } else {
                wheel(w[1].toInt());
            }
        }
        QStringList scanNow;
        for (int row = 1; row <= 3; ++row)
            scanNow << table().cell(ChannelTable::ColScan, row);
        QCOMPARE(scanNow, scan);
        QCOMPARE(editor()->skipsNextToggle(), skip);
        QCOMPARE(QPoint(editor()->currentCol(), editor()->currentRow()), current);
    }

    // The tone list opens on the cell's tone, writes every choice into the
    // cell at once and, when it is left, writes what it shows.
    void toneChoice_data()
    {
        QTest::addColumn<QString>("previous"); // a tone chosen on another channel first
        QTest::addColumn<QString>("cell");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("keys"); // D down, U up
        QTest::addColumn<QStringList>("written");
        QTest::addColumn<QString>("leave"); // enter, escape, letter, click
        QTest::addColumn<QString>("left");

        QTest::newRow("arrows write each tone")
            << ""
            << "OFF" << 0 << "DDU" << QStringList{"67.0", "69.3", "67.0"} << "enter"
            << "67.0";
        QTest::newRow("first DCS code") << ""
                                        << "254.1" << 50 << "D" << QStringList{"D017N"} << "escape"
                                        << "D017N";
        QTest::newRow("letter ends the choice") << ""
                                                << "D754N" << 157 << "" << QStringList() << "letter"
                                                << "D754N";
        QTest::newRow("text not in the list, no choice before")
            << ""
            << "123.4" << -1 << "" << QStringList() << "click"
            << "";
        QTest::newRow("text not in the list keeps the previous choice")
            << "88.5"
            << "123.4" << 9 << "" << QStringList() << "click"
            << "88.5";
        QTest::newRow("empty cell") << "88.5"
                                    << "" << -1 << "" << QStringList() << "click"
                                    << "";
    }

    void toneChoice()
    {
        QFETCH(QString, previous);
        QFETCH(QString, cell);
        QFETCH(int, selected);
        QFETCH(QString, keys);
        QFETCH(QStringList, written);
        QFETCH(QString, leave);
        QFETCH(QString, left);
        channel(1, "438.125");
        channel(2, "438.15");
        if (!previous.isEmpty()) {
            table().setCell(ChannelTable::ColTxTone, 1, previous);
            clickCell(ChannelTable::ColTxTone, 1);
            QCOMPARE(toneList()->currentText(), previous);
        }
        table().setCell(ChannelTable::ColTxTone, 2, cell);

        clickCell(ChannelTable::ColTxTone, 2);
        QVERIFY(!toneList()->isHidden());
        QVERIFY(grid()->hasFocus());
        QCOMPARE(editor()->toneRow(), 2);
        QCOMPARE(toneList()->currentIndex(), selected);
        // Opening writes nothing.
        QCOMPARE(table().cell(ChannelTable::ColTxTone, 2), cell);

        toneList()->setFocus();
        QVERIFY(toneList()->hasFocus());
        for (int i = 0; i < keys.size(); ++i) {
            QTest::keyClick(toneList(), keys[i] == QLatin1Char('D') ? Qt::Key_Down : Qt::Key_Up);
            QCOMPARE(table().cell(ChannelTable::ColTxTone, 2), written[i]);
        }
        if (leave == QLatin1String("enter"))
            QTest::keyClick(toneList(), Qt::Key_Return);
        else if (leave == QLatin1String("escape"))
            QTest::keyClick(toneList(), Qt::Key_Escape);
        else if (leave == QLatin1String("letter"))
            QTest::keyClick(toneList(), Qt::Key_D);
        else
            clickCell(ChannelTable::ColBandWidth, 1);
        QVERIFY(toneList()->isHidden());
        QVERIFY(grid()->hasFocus());
        QCOMPARE(table().cell(ChannelTable::ColTxTone, 2), left);
        QCOMPARE(table().cell(ChannelTable::ColRxTone, 2), QStringLiteral("OFF"));
    }

    // With the tone list dropped down: the focus passing into the drop-down
    // (as the first drop-down after a start takes it under a window
    // manager) keeps the list open and the edit going; movement keys write
    // each tone they reach, a mouse passing over a tone only highlights it.
    void droppedDownToneList()
    {
        channel(1, "438.125");
        clickCell(ChannelTable::ColTxTone, 1);
        toneList()->setFocus();
        toneList()->showPopup();
        QAbstractItemView *view = toneList()->view();
        QTRY_VERIFY(view->isVisible());
        view->setFocus(Qt::OtherFocusReason);
        QVERIFY(view->hasFocus());
        QVERIFY(!toneList()->isHidden());
        QVERIFY(view->isVisible());
        QCOMPARE(table().cell(ChannelTable::ColTxTone, 1), QStringLiteral("OFF"));

        const QStringList tones = table().toneList();
        for (const auto &[key, index] : {std::pair{Qt::Key_Down, 1},
                                         {Qt::Key_Down, 2},
                                         {Qt::Key_Up, 1},
                                         {Qt::Key_End, int(tones.size()) - 1},
                                         {Qt::Key_Home, 0},
                                         {Qt::Key_PageDown, -1}}) {
            QTest::keyClick(view, key);
            QVERIFY(view->isVisible());
            const int reached = index >= 0 ? index : view->currentIndex().row();
            QVERIFY(reached >= 0);
            QCOMPARE(table().cell(ChannelTable::ColTxTone, 1), tones.at(reached));
        }
        const QString chosen = table().cell(ChannelTable::ColTxTone, 1);
        const QModelIndex passed = view->model()->index(3, 0);
        QTest::mouseMove(view->viewport(), view->visualRect(passed).center());
        QCOMPARE(table().cell(ChannelTable::ColTxTone, 1), chosen);

        QTest::keyClick(view, Qt::Key_Escape);
        QTRY_VERIFY(!view->isVisible());
        QCOMPARE(table().cell(ChannelTable::ColTxTone, 1), chosen);
        clickCell(ChannelTable::ColBandWidth, 1);
        QVERIFY(toneList()->isHidden());
        QCOMPARE(table().cell(ChannelTable::ColTxTone, 1), chosen);
    }

    // The off text of the list follows the language: a new one is read each
    // time the list opens.
    void toneListOffText()
    {
        channel(1, "438.125");
        clickCell(ChannelTable::ColRxTone, 1);
        QCOMPARE(toneList()->itemText(0), QStringLiteral("OFF"));
        useValueTexts(table(), ChineseValueTexts);
        table().setCell(ChannelTable::ColRxTone, 1, ChineseValueTexts.offText);
        clickCell(ChannelTable::ColTxTone, 1);
        clickCell(ChannelTable::ColRxTone, 1);
        QCOMPARE(toneList()->itemText(0), QStringLiteral("禁用"));
        QCOMPARE(toneList()->currentIndex(), 0);
        QCOMPARE(toneList()->count(), 265);
    }

    // Scrolling the grid puts away the editor whose cell moved; nothing is
    // committed.
    void scrollHidesEditors()
    {
        channel(2, "438.125");
        clickCell(1, 2);
        QTest::keyClick(grid(), '4');
        type(QStringLiteral("4"));
        QCOMPARE(table().cell(1, 2), QStringLiteral("44"));
        grid()->verticalScrollBar()->setValue(5);
        QVERIFY(edit()->isHidden());
        QCOMPARE(table().cell(1, 2), QStringLiteral("44"));
        // The row is committed when the grid moves on.
        clickCell(1, 30);
        QCOMPARE(table().cell(1, 2), local("100.00000"));

        clickCell(2, 2);
        QVERIFY(!toneList()->isHidden());
        grid()->verticalScrollBar()->setValue(3);
        QVERIFY(toneList()->isHidden());
        QCOMPARE(table().cell(2, 2), QStringLiteral("OFF"));
    }

    // Holding auto add: one channel at once, one per timer tick; each new
    // channel is the previous one plus the step, moved up onto the raster.
    void autoAdd_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<QPoint>("start");       // the current cell when pressed
        QTest::addColumn<QStringList>("before"); // rows from start.y(): "" empty, "438.1" complete
        QTest::addColumn<int>("ticks");
        QTest::addColumn<QStringList>("expected"); // receive frequencies from start.y()
        QTest::addColumn<int>("row");              // currentRow() afterwards

        QTest::newRow("25 kHz from an empty channel")
            << 5 << QPoint(1, 1) << QStringList() << 3
            << QStringList{"400.00000", "400.02500", "400.05000", "400.07500", ""} << 4;
        QTest::newRow("6.25 kHz from an empty channel")
            << 1 << QPoint(1, 1) << QStringList() << 3
            << QStringList{"400.00000", "400.00625", "400.01250", "400.01875", ""} << 4;
        QTest::newRow("5 kHz from 400.00625")
            << 0 << QPoint(1, 1) << QStringList{"400.00625"} << 4
            << QStringList{"400.00625", "400.01250", "400.01875", "400.02500",
                           "400.03000", "400.03500", ""}
            << 6;
        QTest::newRow("12.5 kHz overwrites the next channel")
            << 3 << QPoint(1, 10) << QStringList{"438", "455.5"} << 0
            << QStringList{"438.00000", "438.01250", ""} << 11;
        QTest::newRow("current column 5")
            << 5 << QPoint(5, 1) << QStringList() << 2
            << QStringList{"400.00000", "400.02500", "400.05000", ""} << 3;
        QTest::newRow("complete channel 199")
            << 5 << QPoint(1, 199) << QStringList{"438"} << 2 << QStringList{"438.00000"} << 199;
        QTest::newRow("empty channel 199")
            << 5 << QPoint(1, 199) << QStringList() << 2 << QStringList{"400.00000"} << 199;
        QTest::newRow("up to channel 199")
            << 5 << QPoint(1, 197) << QStringList{"469.95"} << 4
            << QStringList{"469.95000", "469.97500", "470.00000"} << 199;
    }

    void autoAdd()
    {
        QFETCH(int, step);
        QFETCH(QPoint, start);
        QFETCH(QStringList, before);
        QFETCH(int, ticks);
        QFETCH(QStringList, expected);
        QFETCH(int, row);
        QVERIFY(m_form->radioData().settings.setIndex(Setting::Freq_Step, step));
        for (int i = 0; i < before.size(); ++i) {
            channel(start.y() + i, before[i].toLatin1().constData());
            table().setCell(ChannelTable::ColRxTone, start.y() + i, QStringLiteral("67.0"));
        }
        clickCell(start.x(), start.y());

        QPushButton *button = m_form->ui().autoAddButton;
        QTest::mousePress(button, Qt::LeftButton);
        QVERIFY(editor()->autoAddTimer()->isActive());
        QCOMPARE(editor()->autoAddTimer()->interval(), 1000);
        for (int i = 0; i < ticks; ++i) {
            editor()->autoAddRepeat();
            QCOMPARE(editor()->autoAddTimer()->interval(), 200);
        }
        QTest::mouseRelease(button, Qt::LeftButton);
        QVERIFY(!editor()->autoAddTimer()->isActive());

        for (int i = 0; i < expected.size(); ++i) {
            const int r = start.y() + i;
            const QString rx = local(expected[i]);
            QCOMPARE(table().cell(ChannelTable::ColRxFreq, r), rx);
            if (rx.isEmpty())
                QVERIFY(table().isRowEmpty(r));
            else if (i == 0 && !before.isEmpty())
                QCOMPARE(table().cell(ChannelTable::ColRxTone, r), QStringLiteral("67.0"));
            else // an added channel gets the defaults over whatever it held
                QCOMPARE(rowCells(table(), r),
                         (QStringList{rx, "OFF", rx, "OFF", "High", "Wide", "ON", "OFF"}));
        }
        QCOMPARE(editor()->currentRow(), row);
        QCOMPARE(editor()->currentCol(), start.x());
        QCOMPARE(QPoint(grid()->col(), grid()->row()), QPoint(start.x(), row));
        if (start.x() == 1) {
            QVERIFY(!edit()->isHidden());
            QCOMPARE(edit()->text(), table().cell(1, row));
            verifyCovers(edit(), 1, row);
        }
    }

    // A receive frequency typed but not committed: the press only completes
    // that channel; an edited frequency of a complete channel is committed
    // before the next one is added.
    void autoAddPendingEntry_data()
    {
        QTest::addColumn<bool>("complete");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("new channel") << false << QStringList{"438.10000", ""};
        QTest::newRow("edited channel") << true << QStringList{"438.10000", "438.12500"};
    }

    void autoAddPendingEntry()
    {
        QFETCH(bool, complete);
        QFETCH(QStringList, expected);
        if (complete)
            channel(1, "450");
        clickCell(1, 1);
        QTest::keyClick(grid(), '4');
        type(QStringLiteral("38") + frequencySeparator() + QStringLiteral("1"));
        QCOMPARE(table().cell(1, 1), local("438.1"));

        QTest::mouseClick(m_form->ui().autoAddButton, Qt::LeftButton);
        QCOMPARE(table().cell(1, 1), local(expected[0]));
        QCOMPARE(table().cell(5, 1), QStringLiteral("High"));
        QCOMPARE(table().cell(1, 2), local(expected[1]));
    }

    // Any mouse button holds auto add; the keyboard cannot start it.
    void autoAddButton()
    {
        QPushButton *button = m_form->ui().autoAddButton;
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Space);
        QTest::keyClick(button, Qt::Key_Return);
        QVERIFY(!editor()->autoAddTimer()->isActive());
        QVERIFY(table().isRowEmpty(1));

        QTest::mousePress(button, Qt::RightButton);
        QVERIFY(editor()->autoAddTimer()->isActive());
        QCOMPARE(table().cell(1, 1), local("400.00000"));
        QTest::mouseRelease(button, Qt::RightButton);
        QVERIFY(!editor()->autoAddTimer()->isActive());
    }

    // Move up and down swap a channel with its neighbour when the current
    // cell holds a text; the current cell travels with the channel.
    void moves_data()
    {
        QTest::addColumn<QString>("button"); // up or down
        QTest::addColumn<QPoint>("start");
        QTest::addColumn<QStringList>("rows");  // channels of rows 1-4 ("-" empty)
        QTest::addColumn<QStringList>("after"); // the same rows afterwards
        QTest::addColumn<int>("row");           // currentRow() afterwards
        QTest::addColumn<int>("gridRow");       // the grid's row afterwards

        const QStringList abcd{"A", "B", "C", "D"};
        QTest::newRow("down") << "down" << QPoint(1, 2) << abcd << QStringList{"A", "C", "B", "D"}
                              << 3 << 3;
        QTest::newRow("up") << "up" << QPoint(1, 2) << abcd << QStringList{"B", "A", "C", "D"} << 1
                            << 1;
        QTest::newRow("up on channel 1") << "up" << QPoint(1, 1) << abcd << abcd << 1 << 1;
        QTest::newRow("down from column 5, nothing switched")
            << "down" << QPoint(5, 1) << abcd << QStringList{"B", "A", "C", "D"} << 2 << 2;
        QTest::newRow("down from a tone")
            << "down" << QPoint(4, 3) << abcd << QStringList{"A", "B", "D", "C"} << 4 << 4;
        QTest::newRow("empty current cell: receive only")
            << "down" << QPoint(3, 2) << QStringList{"A", "R", "C", "D"}
            << QStringList{"A", "R", "C", "D"} << 2 << 3;
        QTest::newRow("empty current cell: empty channel")
            << "up" << QPoint(1, 3) << QStringList{"A", "B", "-", "D"}
            << QStringList{"A", "B", "-", "D"} << 3 << 2;
        QTest::newRow("neighbour comes back as it was")
            << "down" << QPoint(1, 1) << QStringList{"A", "U", "C", "D"}
            << QStringList{"U", "A", "C", "D"} << 2 << 2;
    }

    void moves()
    {
        QFETCH(QString, button);
        QFETCH(QPoint, start);
        QFETCH(QStringList, rows);
        QFETCH(QStringList, after);
        QFETCH(int, row);
        QFETCH(int, gridRow);

        // Channels told apart by frequency, tone and power.
        const QMap<QString, QStringList> channels{
            {"A",
             localised({"431.00000", "67.0", "431.50000", "OFF", "High", "Wide", "ON", "OFF"})},
            {"B",
             localised({"432.00000", "D023N", "432.00000", "D023N", "Low", "Wide", "ON", "ON"})},
            {"C",
             localised({"433.00000", "OFF", "433.00000", "88.5", "High", "Narrow", "OFF", "OFF"})},
            {"D", localised({"434.00000", "OFF", "434.00000", "OFF", "Low", "Wide", "ON", "OFF"})},
            {"R", localised({"435.00000", "OFF", "", "OFF", "High", "Wide", "ON", "OFF"})},
            // A channel as a file may leave it: not yet committed.
            {"U", localised({"436.1", "", "", "", "", "", "", ""})},
            {"-", EmptyRow},
        };
        auto load = [&](int r, const QString &name) {
            const QStringList &texts = channels[name];
            std::array<QString, 8> data;
            std::copy(texts.begin(), texts.end(), data.begin());
            table().setRowData(r, data);
        };
        // The first click lands elsewhere, so channels are loaded afterwards
        // as a file would leave them; the second click takes the cell.
        clickCell(start.x() == 5 ? 6 : 5, 150);
        for (int r = 0; r < rows.size(); ++r)
            load(r + 1, rows[r]);
        clickCell(start.x(), start.y());
        if (start.x() == 5)
            load(start.y(), rows[start.y() - 1]); // the click switched the power

        QPushButton *b =
            button == QLatin1String("up") ? m_form->ui().moveUpButton : m_form->ui().moveDownButton;
        QTest::mouseClick(b, Qt::LeftButton);
        for (int r = 0; r < after.size(); ++r)
            QVERIFY2(rowCells(table(), r + 1) == channels[after[r]],
                     qPrintable(QStringLiteral("row %1: %2")
                                    .arg(r + 1)
                                    .arg(rowCells(table(), r + 1).join(QLatin1Char('|')))));
        QCOMPARE(editor()->currentRow(), row);
        QCOMPARE(grid()->row(), gridRow);
        QCOMPARE(editor()->currentCol(), start.x());

        // The open editor shows the moved channel's cell.
        if (row == gridRow) {
            if (start.x() == 1 || start.x() == 3) {
                QVERIFY(!edit()->isHidden());
                QCOMPARE(edit()->text(), table().cell(start.x(), row));
                verifyCovers(edit(), start.x(), row);
            } else if (start.x() == 2 || start.x() == 4) {
                QVERIFY(!toneList()->isHidden());
                QCOMPARE(toneList()->currentText(), table().cell(start.x(), row));
                // Leaving the list writes the moved channel's own tone.
                toneList()->setFocus();
                clickCell(6, 150);
                QCOMPARE(rowCells(table(), row), channels[after[row - 1]]);
            }
        } else {
            // The editor opened on the row the grid went to is put away at
            // the next paint; a second press changes nothing.
            QTRY_VERIFY(edit()->isHidden() && toneList()->isHidden());
            QTest::mouseClick(b, Qt::LeftButton);
            QCOMPARE(editor()->currentRow(), row);
            QCOMPARE(grid()->row(), gridRow);
            for (int r = 0; r < after.size(); ++r)
                QCOMPARE(rowCells(table(), r + 1), channels[after[r]]);
        }
    }

    void moveAtChannel199()
    {
        channel(198, "438");
        channel(199, "439");
        clickCell(1, 199);
        QTest::mouseClick(m_form->ui().moveDownButton, Qt::LeftButton);
        QCOMPARE(table().cell(1, 199), local("439.00000"));
        QCOMPARE(table().cell(1, 198), local("438.00000"));
        QCOMPARE(editor()->currentRow(), 199);
        QCOMPARE(grid()->row(), 199);
    }

    void deleteChannel()
    {
        for (int row = 4; row <= 7; ++row)
            channel(row, "438.125");
        clickCell(1, 5);
        QVERIFY(!edit()->isHidden());
        QTest::mouseClick(m_form->ui().deleteChannelButton, Qt::LeftButton);
        QVERIFY(table().isRowEmpty(5));
        for (int row : {4, 6, 7})
            QCOMPARE(table().cell(1, row), local("438.12500"));
        QVERIFY(edit()->isHidden());
        QCOMPARE(edit()->text(), QString());
        QCOMPARE(editor()->currentRow(), 5);
        QCOMPARE(grid()->row(), 5);

        // An open tone list goes too, without writing into the emptied row.
        clickCell(2, 6);
        toneList()->setFocus();
        QTest::keyClick(toneList(), Qt::Key_Down);
        QTest::mouseClick(m_form->ui().deleteChannelButton, Qt::LeftButton);
        QVERIFY(table().isRowEmpty(6));
        QVERIFY(toneList()->isHidden());
    }

    // New and clear ask first; Cancel changes nothing, OK empties the table
    // (new also restores the options) and makes channel 1 current.
    void confirmations_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<bool>("enter"); // Enter instead of a click: Cancel is the default
        for (const char *command : {"clear", "new menu", "new bar", "band range list"}) {
            QTest::addRow("%s, OK", command) << QString::fromLatin1(command) << true << false;
            QTest::addRow("%s, cancel", command) << QString::fromLatin1(command) << false << false;
            QTest::addRow("%s, Enter", command) << QString::fromLatin1(command) << false << true;
        }
    }

    void confirmations()
    {
        QFETCH(QString, command);
        QFETCH(bool, ok);
        QFETCH(bool, enter);
        FunctionSettings &settings = m_form->radioData().settings;
        channel(1, "438.125");
        channel(30, "439.125");
        QVERIFY(settings.setIndex(Setting::Squelch, 7));
        clickCell(2, 30);
        const bool isNew = command != QLatin1String("clear");

        if (command == QLatin1String("clear")) {
            QTest::mouseClick(m_form->ui().clearChannelsButton, Qt::LeftButton);
        } else if (command == QLatin1String("new menu")) {
            m_form->ui().newAction->trigger();
        } else if (command == QLatin1String("new bar")) {
            auto *item = m_form->findChild<QAbstractButton *>(QStringLiteral("barNew"));
            QVERIFY(item);
            item->click();
        } else {
            QComboBox *list = m_form->ui().optionsPanel->bandRangeCombo(0);
            list->showPopup();
            list->hidePopup();
        }
        QVERIFY(m_message->isVisible());
        QVERIFY(!m_form->isEnabled());
        QCOMPARE(m_message->pendingAction(),
                 int(isNew ? ConfirmationDialog::ActionNew : ConfirmationDialog::ActionClear));

        if (enter)
            QTest::keyClick(m_message.get(), Qt::Key_Return);
        else
            QTest::mouseClick(ok ? m_message->okButton() : m_message->cancelButton(),
                              Qt::LeftButton);
        QVERIFY(!m_message->isVisible());
        QVERIFY(m_form->isEnabled());
        if (!ok) {
            QCOMPARE(table().cell(1, 30), local("439.12500"));
            QCOMPARE(table().cell(1, 1), local("438.12500"));
            QCOMPARE(settings.index(Setting::Squelch), 7);
            QCOMPARE(QPoint(grid()->col(), grid()->row()), QPoint(2, 30));
            QVERIFY(!toneList()->isHidden());
            return;
        }
        for (int row = 1; row <= ChannelTable::ChannelCount; ++row)
            QVERIFY(table().isRowEmpty(row));
        QCOMPARE(settings.index(Setting::Squelch), isNew ? 2 : 7);
        QCOMPARE(QPoint(grid()->col(), grid()->row()), QPoint(1, 1));
        QCOMPARE(QPoint(editor()->currentCol(), editor()->currentRow()), QPoint(1, 1));
        QVERIFY(toneList()->isHidden());
        // New leaves the empty edit box open on channel 1; clear hides it.
        QCOMPARE(edit()->isHidden(), !isNew);
        if (isNew) {
            QCOMPARE(edit()->text(), QString());
            verifyCovers(edit(), 1, 1);
        }
    }

    // A text that is not a number (a file written under the other decimal
    // separator) stops the operation with the runtime's message; the grid
    // stays where it was.
    void conversionMessage_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<int>("badRow");
        QTest::addColumn<int>("gridRow");
        QTest::addColumn<QString>("message");

        const QString bad = QStringLiteral("438") + otherSeparator() + QStringLiteral("1");
        const QString message = QStringLiteral("'%1' is not a valid floating point value");
        QTest::newRow("click elsewhere") << "click" << 2 << 2 << message.arg(bad);
        QTest::newRow("arrow key") << "down" << 2 << 2 << message.arg(bad);
        QTest::newRow("move down from the row") << "move down" << 2 << 2 << message.arg(bad);
        QTest::newRow("move down onto the row") << "move down" << 3 << 2 << message.arg(bad);
        QTest::newRow("move up onto the row") << "move up" << 1 << 2 << message.arg(bad);
        QTest::newRow("enter") << "enter" << 2 << 2 << message.arg(bad);
        QTest::newRow("commit before use") << "commit" << 2 << 2 << message.arg(bad);
        QTest::newRow("auto add from the row") << "auto add" << 2 << 2 << message.arg(bad);
        QTest::newRow("auto add without a band") << "auto add" << 0 << 5 << message.arg("");
    }

    void conversionMessage()
    {
        QFETCH(QString, operation);
        QFETCH(int, badRow);
        QFETCH(int, gridRow);
        QFETCH(QString, message);
        for (int row = 1; row <= 3; ++row)
            channel(row, "438.125");
        clickCell(1, gridRow);
        QVERIFY(!edit()->isHidden());
        if (badRow > 0) {
            table().setCell(1, badRow, message.section(QLatin1Char('\''), 1, 1));
        } else {
            m_form->radioData().bands.list1_rx.clear();
        }
        QStringList before;
        for (int row = 1; row <= 5; ++row)
            before << rowCells(table(), row);

        MessageCatcher catcher;
        if (operation == QLatin1String("click")) {
            clickCell(1, 7);
        } else if (operation == QLatin1String("down")) {
            QTest::keyClick(grid(), Qt::Key_Down);
        } else if (operation == QLatin1String("move down")) {
            QTest::mouseClick(m_form->ui().moveDownButton, Qt::LeftButton);
        } else if (operation == QLatin1String("move up")) {
            QTest::mouseClick(m_form->ui().moveUpButton, Qt::LeftButton);
        } else if (operation == QLatin1String("enter")) {
            QTest::keyClick(grid(), Qt::Key_Return);
            QVERIFY(edit()->hasFocus());
            QTest::keyClick(edit(), Qt::Key_Return);
        } else if (operation == QLatin1String("commit")) {
            QVERIFY(!m_form->commitEdit(true));
            QVERIFY(!edit()->isHidden());
        } else {
            QPushButton *button = m_form->ui().autoAddButton;
            QTest::mousePress(button, Qt::LeftButton);
            // One message per press: the repeat has stopped.
            QVERIFY(!editor()->autoAddTimer()->isActive());
            QVERIFY(!button->isDown());
            QTest::mouseRelease(button, Qt::LeftButton);
        }
        QCOMPARE(catcher.texts, QStringList{message});
        QCOMPARE(catcher.titles, QStringList{QStringLiteral("QB-380")});
        QStringList after;
        for (int row = 1; row <= 5; ++row)
            after << rowCells(table(), row);
        QCOMPARE(after, before);
        QCOMPARE(QPoint(grid()->col(), grid()->row()), QPoint(1, gridRow));
        QCOMPARE(editor()->currentRow(), gridRow);
    }

    // The commit before read, write and save: a pending entry is committed
    // and the edit box hidden; the tone list only when asked.
    void commitBeforeUse()
    {
        channel(1, "438.125");
        clickCell(1, 1);
        QTest::keyClick(grid(), '4');
        type(QStringLiteral("4"));
        QVERIFY(m_form->commitEdit(false));
        QCOMPARE(table().cell(1, 1), local("100.00000"));
        QVERIFY(edit()->isHidden());

        clickCell(2, 1);
        QVERIFY(m_form->commitEdit(false));
        QVERIFY(!toneList()->isHidden());
        QVERIFY(m_form->commitEdit(true));
        QVERIFY(toneList()->isHidden());
        QCOMPARE(table().cell(2, 1), QStringLiteral("OFF"));
    }
};

QTEST_MAIN(TestEditor)
#include "tst_editor.moc"
