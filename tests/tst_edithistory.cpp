// The main window's guard of unsaved changes, its undo history and the row
// clipboard, on the real widgets offscreen.

#include "app/edithistory.h"
#include "app/extrafilecommands.h"
#include "app/mainwindow.h"
#include "app/programmingdialog.h"
#include "app/recentfiles.h"
#include "editor/channelgrid.h"
#include "editor/confirmationdialog.h"
#include "editor/frequencyedit.h"
#include "editor/tonelistbox.h"
#include "model/radiodata.h"
#include "storage/channelcsv.h"
#include "storage/channelfile.h"
#include "testsupport.h"
#include "ui_mainwindow.h"

#include <QClipboard>
#include <QComboBox>
#include <QMimeData>
#include <QTimer>
#include <QUndoStack>
#include <QtTest>

#include <memory>

namespace {

using Answer = MainWindow::SaveAnswer;

// A channel list to start from: three channels and a changed setting.
void fillStart(RadioData &data)
{
    setRow(data.table, 1, {"438.50000", "67.0", "438.50000", "D023N", "High", "Wide", "ON", "OFF"});
    setRow(data.table, 2, {"439.00000", "OFF", "439.00000", "OFF", "Low", "Narrow", "ON", "ON"});
    setRow(data.table, 3, {"440.12500", "OFF", "445.12500", "88.5", "High", "Wide", "OFF", "OFF"});
    data.settings.setIndex(Setting::Squelch, 4);
}

// The columns of csvColumns() for a receive frequency, the others empty,
// joined with tabs: a row as a spreadsheet copies it without a header.
QByteArray spreadsheetRow(const QString &frequency)
{
    QStringList fields(csvColumns().size());
    fields[csvColumns().indexOf(QStringLiteral("Frequency"))] = frequency;
    return fields.join(QLatin1Char('\t')).toUtf8();
}

} // namespace

class TestEditHistory : public QObject
{
    Q_OBJECT

private:
    ProgramFolder m_folder;
    std::unique_ptr<MainWindow> m_form;
    std::unique_ptr<ConfirmationDialog> m_message;
    std::unique_ptr<ProgrammingDialog> m_programming;
    QList<Answer> m_answers; // the answers to give, in turn
    int m_asked = 0;
    QList<std::pair<MessageKind, QString>> m_shown;
    QStringList m_fileAnswers; // what the file dialogs return, in turn
    int m_fileDialogs = 0;

    MainWindow &form() { return *m_form; }
    RadioData &data() { return m_form->radioData(); }
    ChannelEditor *editor() { return m_form->editor(); }
    QByteArray fileBytes() { return channelFileBytes(data()); }

private slots:
    void initTestCase() { QVERIFY(m_folder.addLanguageLibraries()); }

    void init()
    {
        m_form = std::make_unique<MainWindow>();
        m_message = std::make_unique<ConfirmationDialog>();
        m_programming = std::make_unique<ProgrammingDialog>();
        m_form->setWindows(nullptr, nullptr, m_programming.get(), m_message.get());
        // No radio: a read that goes on ends at the port's message.
        m_form->setPortDevice(1, m_folder.path(QStringLiteral("no-such-port")));
        m_form->selectPort(1);
        m_form->loadLanguage(QStringLiteral("eng"));
        useValueTexts(data().table, EnglishValueTexts);
        m_asked = 0;
        m_answers.clear();
        m_shown.clear();
        m_fileAnswers.clear();
        m_fileDialogs = 0;
        m_form->setSaveQuestion([this] {
            ++m_asked;
            return m_answers.isEmpty() ? Answer::Cancel : m_answers.takeFirst();
        });
        m_form->setMessageFunction([this](MessageKind kind, const QString &text) {
            m_shown.append({kind, text});
        });
        const FileDialogRunner runner = [this](QWidget *, const FileDialogSetup &) {
            ++m_fileDialogs;
            return m_fileAnswers.isEmpty() ? QString() : m_fileAnswers.takeFirst();
        };
        m_form->openDialog().setRunner(runner);
        m_form->saveDialog().setRunner(runner);
        m_form->imageDialog().setRunner(runner);
        m_form->importCsvDialog().setRunner(runner);
        m_form->exportCsvDialog().setRunner(runner);
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    }

    void cleanup()
    {
        m_form->setSaveQuestion([] { return Answer::Discard; });
        m_form.reset();
        m_programming.reset();
        m_message.reset();
    }

    // Each command that replaces the data, or ends the program, asks first
    // when something changed; Save saves through the save dialog and goes
    // on only when the file was written.
    void guard_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("saveFails");
        const QStringList commands{"close", "exit", "new", "open", "image", "import", "read"};
        for (const QString &c : commands) {
            const QByteArray name = c.toLatin1();
            QTest::newRow(name + ", unchanged: nothing asked") << c << false << -1 << false;
            QTest::newRow(name + ", changed, Save") << c << true << int(Answer::Save) << false;
            QTest::newRow(name + ", changed, Discard")
                << c << true << int(Answer::Discard) << false;
            QTest::newRow(name + ", changed, Cancel") << c << true << int(Answer::Cancel) << false;
            QTest::newRow(name + ", changed, Save fails: stops")
                << c << true << int(Answer::Save) << true;
        }
    }

    void guard()
    {
        QFETCH(QString, command);
        QFETCH(bool, changed);
        QFETCH(int, answer);
        QFETCH(bool, saveFails);
        if (changed)
            data().table.setCell(ChannelTable::ColRxFreq, 5, QStringLiteral("441.00000"));
        if (answer >= 0)
            m_answers << Answer(answer);
        const QString saved = m_folder.path(QStringLiteral("guarded.r07"));
        QFile::remove(saved);
        m_fileAnswers << (saveFails ? m_folder.path(QStringLiteral("no/such/folder/x.r07"))
                                    : saved);

        if (command == QLatin1String("close"))
            form().close();
        else if (command == QLatin1String("exit"))
            form().ui().exitAction->trigger();
        else if (command == QLatin1String("new"))
            form().ui().newAction->trigger();
        else if (command == QLatin1String("open"))
            form().ui().openAction->trigger();
        else if (command == QLatin1String("image"))
            form().ui().openImageAction->trigger();
        else if (command == QLatin1String("import"))
            form().ui().importCsvAction->trigger();
        else
            form().ui().readAction->trigger();

        const bool save = answer == int(Answer::Save);
        const bool goesOn = !changed || answer == int(Answer::Discard) || (save && !saveFails);
        QCOMPARE(m_asked, changed ? 1 : 0);
        QCOMPARE(QFile::exists(saved), save && !saveFails);
        if (save && saveFails)
            QCOMPARE(m_shown.size(), 1);
        // What the command does next: the window closes, the confirmation of
        // the new command or the port's message shows, or the file dialog.
        const bool closes = command == QLatin1String("close") || command == QLatin1String("exit");
        const bool confirms = command == QLatin1String("new") || command == QLatin1String("read");
        if (closes)
            QCOMPARE(form().isVisible(), !goesOn);
        else if (confirms)
            QCOMPARE(m_message->isVisible(), goesOn);
        else
            QCOMPARE(m_fileDialogs, int(save) + int(goesOn));
        // Unsaved changes stay marked until they are saved.
        QCOMPARE(form().isWindowModified(), changed && !(save && !saveFails));
        m_message->hide();
    }

    // Every kind of edit is one step: undo gives back the channel file's
    // bytes of before, redo those of after; the caption's mark follows.
    void undoRedo_data()
    {
        QTest::addColumn<QString>("edit");
        for (const char *edit :
             {"typed frequency", "tone chosen", "switch clicked", "auto add held", "move down",
              "move chosen rows up", "delete chosen rows", "clear all", "new list",
              "setting chosen", "import CSV", "open file", "paste", "cut"})
            QTest::newRow(edit) << QString::fromLatin1(edit);
    }

    void undoRedo()
    {
        QFETCH(QString, edit);
        fillStart(data());
        form().history()->markClean(0);
        const QByteArray before = fileBytes();
        QVERIFY(!form().isWindowModified());
        const QString csvPath = m_folder.path(QStringLiteral("list.csv"));
        const QString r07Path = m_folder.path(QStringLiteral("list.r07"));
        writeFile(csvPath, "Location,Frequency\r\n1,145.5\r\n7,146.52\r\n");
        {
            RadioData other;
            useValueTexts(other.table, EnglishValueTexts);
            setRow(other.table, 9,
                   {"430.00000", "OFF", "430.00000", "OFF", "High", "Wide", "ON", "OFF"});
            QVERIFY(saveChannelFile(r07Path, other).ok);
        }

        ChannelGrid *grid = form().ui().channelGrid;
        QVERIFY(editor()->makeCurrent(ChannelTable::ColRxFreq, 1));
        QUndoStack *stack = form().history()->stack();
        const int steps = stack->count();
        if (edit == "typed frequency") {
            QVERIFY(editor()->makeCurrent(ChannelTable::ColRxFreq, 2));
            FrequencyEdit *box = editor()->frequencyEdit();
            box->setFocus();
            box->selectAll();
            QTest::keyClicks(box, QStringLiteral("450.5"));
            QTest::keyClick(box, Qt::Key_Return);
        } else if (edit == "tone chosen") {
            QVERIFY(editor()->makeCurrent(ChannelTable::ColRxTone, 2));
            editor()->toneList()->setCurrentIndex(7);
            editor()->toneList()->setCurrentIndex(9);
        } else if (edit == "switch clicked") {
            QVERIFY(grid->setRow(2));
            QVERIFY(grid->setCol(ChannelTable::ColPower));
        } else if (edit == "auto add held") {
            QVERIFY(editor()->makeCurrent(ChannelTable::ColRxFreq, 3));
            editor()->autoAddPressed();
            editor()->autoAddRepeat();
            editor()->autoAddRepeat();
            editor()->autoAddReleased();
            QCOMPARE(data().table.cell(ChannelTable::ColRxFreq, 6).isEmpty(), false);
        } else if (edit == "move down") {
            editor()->moveDown();
        } else if (edit == "move chosen rows up") {
            grid->selectRows(2, 3);
            editor()->moveUp();
            QCOMPARE(grid->selectedRows(), QList<int>({1, 2}));
        } else if (edit == "delete chosen rows") {
            grid->selectRows(1, 2);
            editor()->deleteChannel();
            QVERIFY(data().table.isRowEmpty(1) && data().table.isRowEmpty(2));
            QVERIFY(!data().table.isRowEmpty(3));
        } else if (edit == "clear all") {
            editor()->clearChannels();
        } else if (edit == "new list") {
            editor()->newTable();
        } else if (edit == "setting chosen") {
            QComboBox *combo = form().ui().optionsPanel->combo(Setting::Squelch);
            combo->setCurrentIndex(2);
            emit combo->activated(2);
        } else if (edit == "import CSV") {
            m_answers << Answer::Discard;
            m_fileAnswers << csvPath;
            form().importCsv();
        } else if (edit == "open file") {
            m_answers << Answer::Discard;
            m_fileAnswers << r07Path;
            form().openChannelFile();
        } else if (edit == "paste") {
            QGuiApplication::clipboard()->setText(QString::fromUtf8(spreadsheetRow("146.52")));
            QVERIFY(editor()->makeCurrent(ChannelTable::ColRxFreq, 2));
            form().pasteRowsAction()->trigger();
        } else if (edit == "cut") {
            grid->selectRows(3, 3);
            form().cutRowsAction()->trigger();
        }
        const QByteArray after = fileBytes();
        QVERIFY(after != before);
        QCOMPARE(stack->count(), steps + 1);
        QVERIFY(form().undoAction()->isEnabled());
        QVERIFY(form().undoAction()->text().startsWith(QLatin1String("&Undo ")));
        // Opened and imported lists are a saved state; edits are not.
        const bool loaded = edit == "import CSV" || edit == "open file" || edit == "new list";
        QCOMPARE(form().isWindowModified(), !loaded);

        form().undoAction()->trigger();
        QCOMPARE(fileBytes(), before);
        QCOMPARE(form().isWindowModified(), loaded);
        QVERIFY(form().redoAction()->isEnabled());
        form().redoAction()->trigger();
        QCOMPARE(fileBytes(), after);
        QCOMPARE(form().isWindowModified(), !loaded);
    }

    // A language switch is no step; a step undone after it shows the texts
    // of the language now in force.
    void undoAfterLanguageSwitch()
    {
        fillStart(data());
        form().history()->markClean(0);
        QVERIFY(editor()->makeCurrent(ChannelTable::ColRxFreq, 3));
        const int steps = form().history()->stack()->count();
        editor()->deleteChannel();
        QCOMPARE(form().history()->stack()->count(), steps + 1);
        form().switchToChinese();
        QCOMPARE(form().history()->stack()->count(), steps + 1);
        // Named anew in Chinese: the delete button's text.
        QCOMPARE(form().undoAction()->text(),
                 QStringLiteral("撤销(&U) ") + form().ui().deleteChannelButton->text());
        QVERIFY(form().ui().deleteChannelButton->text().contains(QStringLiteral("删除")));
        form().undoAction()->trigger();
        QCOMPARE(data().table.cell(ChannelTable::ColPower, 3), QStringLiteral("高功率"));
        QCOMPARE(data().table.cell(ChannelTable::ColScan, 3), QStringLiteral("禁用"));
        QCOMPARE(data().table.cell(ChannelTable::ColPower, 1), QStringLiteral("高功率"));
        QVERIFY(!form().isWindowModified());
    }

    // Chosen rows go to the clipboard as our CSV and as tab-separated text;
    // either pastes back from the current row down as one step.
    void copyPasteRoundTrip_data()
    {
        QTest::addColumn<bool>("plainTextOnly");
        QTest::newRow("text/csv") << false;
        QTest::newRow("tab-separated text, as from a spreadsheet") << true;
    }

    void copyPasteRoundTrip()
    {
        QFETCH(bool, plainTextOnly);
        fillStart(data());
        form().history()->markClean(0);
        const QList<ChannelCells> rows{data().table.rowData(1), data().table.rowData(2),
                                       data().table.rowData(3)};
        const int steps = form().history()->stack()->count();
        form().ui().channelGrid->selectRows(1, 3);
        form().copyRowsAction()->trigger();
        const QMimeData *mime = QGuiApplication::clipboard()->mimeData();
        QVERIFY(mime->hasFormat(QStringLiteral("text/csv")));
        QVERIFY(mime->data(QStringLiteral("text/csv")).startsWith("Location,Name,Frequency"));
        QVERIFY(mime->text().startsWith(QLatin1String("Location\tName\tFrequency")));
        QCOMPARE(mime->text().count(QLatin1Char('\n')), 4);
        if (plainTextOnly)
            QGuiApplication::clipboard()->setText(mime->text());

        QVERIFY(editor()->makeCurrent(ChannelTable::ColRxFreq, 10));
        form().ui().channelGrid->clearRowSelection();
        form().pasteRowsAction()->trigger();
        for (int i = 0; i < 3; ++i)
            QCOMPARE(data().table.rowData(10 + i), rows[i]);
        QCOMPARE(form().history()->stack()->count(), steps + 1);
        QVERIFY(m_shown.isEmpty());
    }

    // A spreadsheet's fragment: tab-separated, with our header's names or
    // without a header; rows that cannot be placed are reported.
    void pasteSpreadsheetFragment_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("frequencies");
        QTest::addColumn<QString>("skipped");
        QTest::newRow("header of some columns")
            << QByteArray("Frequency\tMode\tPower\n145.5\tNFM\t1W\nnot a number\tFM\t5W\n"
                          "146.52\tFM\t5W\n")
            << QStringList{"145.50000", "146.52000"} << QStringLiteral("line 3 skipped");
        QTest::newRow("no header: our column order")
            << spreadsheetRow("438.0") + "\r\n" + spreadsheetRow("439.0") + "\r\n"
            << QStringList{"438.00000", "439.00000"} << QString();
        QTest::newRow("beyond channel 199: skipped")
            << spreadsheetRow("438.0") + "\n" + spreadsheetRow("439.0") + "\n"
            << QStringList{"438.00000"} << QStringLiteral("line 2 skipped: no channel left");
    }

    void pasteSpreadsheetFragment()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, frequencies);
        QFETCH(QString, skipped);
        const int first = QTest::currentDataTag() == QByteArray("beyond channel 199: skipped")
                              ? ChannelTable::ChannelCount
                              : 20;
        QGuiApplication::clipboard()->setText(QString::fromUtf8(text));
        QVERIFY(editor()->makeCurrent(ChannelTable::ColRxFreq, first));
        form().pasteRowsAction()->trigger();
        for (int i = 0; i < frequencies.size(); ++i)
            QCOMPARE(data().table.cell(ChannelTable::ColRxFreq, first + i), local(frequencies[i]));
        QCOMPARE(form().history()->stack()->count(), 1);
        if (skipped.isEmpty()) {
            QVERIFY(m_shown.isEmpty());
        } else {
            QCOMPARE(m_shown.size(), 1);
            QVERIFY2(m_shown[0].second.contains(skipped), qPrintable(m_shown[0].second));
        }
    }

    // The recent files come back at the next start as they were kept,
    // whatever their names hold; the file is written through the safe
    // writer, in the INI form QSettings reads.
    void recentFilesKept_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::newRow("plain names") << QStringList{"/home/you/a.r07", "/home/you/b.csv"};
        QTest::newRow("INI's own characters")
            << QStringList{"/x, y/\"q\".r07", "/back\\slash;=#.img", " lead/trail "};
        QTest::newRow("Chinese folder and a blank") << QStringList{"/频道/第 1 组.r07"};
        QTest::newRow("none") << QStringList{};
    }

    void recentFilesKept()
    {
        QFETCH(QStringList, files);
        const QString path = m_folder.path(QStringLiteral("config/qb380/recent.ini"));
        QFile::remove(path);
        {
            RecentFiles recent(path);
            for (const QString &file : files)
                recent.add(file);
            recent.add(QStringLiteral("/gone.r07"));
            recent.remove(QStringLiteral("/gone.r07"));
        }
        QStringList newestFirst = files;
        std::reverse(newestFirst.begin(), newestFirst.end());
        for (QString &file : newestFirst)
            file = QFileInfo(file).absoluteFilePath();
        QCOMPARE(RecentFiles(path).files(), newestFirst);
    }

    // Opened and saved files come first in File -> Recent; its items and a
    // dropped file open as the commands do, after the guard.
    void recentFilesAndDrop()
    {
        const QString path = m_folder.path(QStringLiteral("recent.r07"));
        fillStart(data());
        m_fileAnswers << path;
        form().saveChannelFile();
        QCOMPARE(form().recentFiles()->files().value(0), path);
        QVERIFY(form().recentMenu()->isEnabled());
        QVERIFY(form().recentMenu()->actions().value(0)->text().endsWith(path));

        const QByteArray saved = fileBytes();
        data().table.clearAll();
        m_answers << Answer::Cancel;
        form().recentMenu()->actions().value(0)->trigger();
        QCOMPARE(m_asked, 1);
        QVERIFY(data().table.isRowEmpty(1));
        m_answers << Answer::Discard;
        form().recentMenu()->actions().value(0)->trigger();
        QCOMPARE(fileBytes(), saved);
        QVERIFY(!form().isWindowModified());

        // A drop: the same, once the drag is over.
        data().table.clearAll();
        m_answers << Answer::Discard;
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(&form(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&form(), &drop);
        QTRY_COMPARE(fileBytes(), saved);
        QCOMPARE(m_asked, 3);
    }
};

QTEST_MAIN(TestEditHistory)
#include "tst_edithistory.moc"
