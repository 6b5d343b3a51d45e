// The main window's file commands and its settings file: saving and opening
// channel files through the dialogs (replaced by scripted ones, and the real
// dialogs' set-up), opening radio images, importing and exporting CSV
// channel lists, the messages the commands show, and the port, skin, band
// range lists and "Verify after writing" kept in "myini.ini" across runs.
// Every test runs the window from a program folder of its own.
#include "app/buttonsbar.h"
#include "app/channelfilecommands.h"
#include "app/channelprintout.h"
#include "app/extrafilecommands.h"
#include "app/mainwindow.h"
#include "app/printcommands.h"
#include "app/skins.h"
#include "model/programfolder.h"
#include "model/radiodata.h"
#include "radio/seriallink.h"
#include "storage/appsettings.h"
#include "storage/backups.h"
#include "storage/channelfile.h"
#include "storage/settingsfile.h"
#include "testbytes.h"
#include "testsupport.h"
#include "ui_mainwindow.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

namespace {

// The tests change the table and go on without saving.
MainWindow::SaveAnswer discardChanges()
{
    return MainWindow::SaveAnswer::Discard;
}

// A file dialog that shows nothing: it notes how it was set up and returns
// the user's answers in turn (an empty answer is a cancel).
struct ScriptedDialog
{
    QList<FileDialogSetup> shown;
    QStringList answers;

    FileDialogRunner runner()
    {
        return [this](QWidget *, const FileDialogSetup &setup) {
            shown << setup;
            return answers.isEmpty() ? QString() : answers.takeFirst();
        };
    }
};

// The messages a window showed.
struct Messages
{
    QList<std::pair<MessageKind, QString>> got;

    MessageFunction function()
    {
        return [this](MessageKind kind, const QString &text) { got.append({kind, text}); };
    }
};

const QString Filter = QStringLiteral("RPX-207  文件 (*.r07)");

// The lines of a channel file up to the setting lines, for hand-made files.
QByteArray fileStart(const QByteArray &band)
{
    return "TR-207 MEMORY CHANNEL\r\n\r\n\r\nBAND " + band + "\r\n";
}

// Sets a few channels and settings that differ from a new window's.
void fillSample(RadioData &data)
{
    setRow(data.table, 1,
           {"438.50000", "67.0", "438.50000", "D023N", "高功率", "宽带", "启用", "禁用"});
    setRow(data.table, 199, {"446.00625", "OFF", "446.00625", "OFF", "Low", "Narrow", "OFF", "ON"});
    data.settings.setIndex(Setting::Squelch, 7);
    data.settings.setIndex(Setting::TxT_O_T, 2);
    data.settings.setIndex(Setting::SpreadFreq, 1);
    data.settings.setIndex(Setting::band, 1);
    data.settings.setIndex(Setting::Rxlight, 0);
    data.bands.list1_rx.choose(data.bands.list1_rx.append(QStringLiteral("350-390MHz")));
}

QStringList cellsOf(const ChannelTable &t)
{
    QStringList cells;
    for (int row = 1; row <= ChannelTable::ChannelCount; ++row)
        for (int col = 1; col < ChannelTable::ColumnCount; ++col)
            cells << t.cell(col, row);
    return cells;
}

// Runs handle on the modal file dialog once it shows; the caller is then
// inside the dialog's exec().
void whenFileDialogShown(QObject *context, std::function<void(QFileDialog *)> handle)
{
    auto *timer = new QTimer(context);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, context, [timer, handle] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        handle(dialog);
    });
    timer->start();
}

void runCommand(MainWindow &form, const QString &source, bool save)
{
    if (source == QLatin1String("menu"))
        (save ? form.ui().saveAction : form.ui().openAction)->trigger();
    else
        form.findChild<QToolButton *>(save ? QStringLiteral("barSave") : QStringLiteral("barOpen"))
            ->click();
}

// The radio image and CSV commands by name.
QAction *extraItem(MainWindow &form, const QString &command)
{
    if (command == QLatin1String("image"))
        return form.ui().openImageAction;
    return command == QLatin1String("import") ? form.ui().importCsvAction
                                              : form.ui().exportCsvAction;
}

RememberingFileDialog &extraDialog(MainWindow &form, const QString &command)
{
    if (command == QLatin1String("image"))
        return form.imageDialog();
    return command == QLatin1String("import") ? form.importCsvDialog() : form.exportCsvDialog();
}

} // namespace

class TestFileCommands : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dataHome;

private slots:
    void initTestCase()
    {
        // The user's data folder, where the image dialog starts once a
        // backup was made.
        QVERIFY(m_dataHome.isValid());
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dataHome.path()));
    }

    // The dialogs' fixed texts, where they start and what they propose, and
    // the extension the save dialog adds.
    void dialogMemory_data()
    {
        QTest::addColumn<bool>("save");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("returned");
        QTest::newRow("save, no extension") << true << "a/b/chan"
                                            << "a/b/chan.r07";
        QTest::newRow("save, .r07") << true << "a/b/chan.r07"
                                    << "a/b/chan.r07";
        QTest::newRow("save, other extension") << true << "a/b/chan.txt"
                                               << "a/b/chan.txt";
        QTest::newRow("save, dot in folder") << true << "a/v1.2/chan"
                                             << "a/v1.2/chan.r07";
        QTest::newRow("open") << false << "a/b/chan"
                              << "a/b/chan";
    }

    void dialogMemory()
    {
        QFETCH(bool, save);
        QFETCH(QString, answer);
        QFETCH(QString, returned);
        ProgramFolder folder;
        answer = folder.path(answer);
        returned = folder.path(returned);

        ChannelFileDialog dialog(save);
        ScriptedDialog script;
        script.answers = {answer, QString()};
        dialog.setRunner(script.runner());

        QCOMPARE(dialog.exec(nullptr), returned);
        QCOMPARE(dialog.exec(nullptr), QString());
        QCOMPARE(script.shown.size(), 2);
        const FileDialogSetup first = script.shown.at(0);
        QCOMPARE(first.save, save);
        QCOMPARE(first.title, save ? QStringLiteral("保存") : QStringLiteral("打开"));
        QCOMPARE(first.filter, Filter);
        QCOMPARE(first.folder, programFolder());
        QCOMPARE(first.name, QString());
        // A cancel does not forget the last file.
        const FileDialogSetup second = script.shown.at(1);
        QCOMPARE(QDir(second.folder), QFileInfo(returned).dir());
        QCOMPARE(second.name, QFileInfo(returned).fileName());
        QCOMPARE(dialog.setup().name, QFileInfo(returned).fileName());
    }

    // The save commits a pending grid entry before anything else, and an
    // entry that cannot be committed stops it.
    void saveCommitsFirst_data()
    {
        QTest::addColumn<bool>("committed");
        QTest::newRow("entry committed") << true;
        QTest::newRow("entry not a number") << false;
    }

    void saveCommitsFirst()
    {
        QFETCH(bool, committed);
        ProgramFolder folder;
        RadioData data;
        QStringList steps;
        ChannelFileCommands::Window window;
        window.commitEdit = [&] {
            steps << QStringLiteral("commit");
            return committed;
        };
        window.message = [&](MessageKind, const QString &) { steps << QStringLiteral("message"); };
        ChannelFileCommands commands(&data, window);
        commands.saveDialog().setRunner([&](QWidget *, const FileDialogSetup &) {
            steps << QStringLiteral("dialog");
            return folder.path(QStringLiteral("saved"));
        });

        commands.save();
        const QStringList expected =
            committed ? QStringList{"commit", "dialog"} : QStringList{"commit"};
        QCOMPARE(steps, expected);
        QCOMPARE(QFile::exists(folder.path(QStringLiteral("saved.r07"))), committed);
    }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("source");
        QTest::newRow("menu") << "menu";
        QTest::newRow("button bar") << "bar";
    }

    // What one window saves, another opens: cells, settings, band and
    // caption, with no message on the way.
    void roundTrip()
    {
        QFETCH(QString, source);
        ProgramFolder folder;
        Messages messages;
        MainWindow writer;
        writer.setMessageFunction(messages.function());
        writer.setSaveQuestion(discardChanges);
        fillSample(writer.radioData());
        ScriptedDialog saveScript;
        saveScript.answers = {folder.path(QStringLiteral("mine"))};
        writer.saveDialog().setRunner(saveScript.runner());
        runCommand(writer, source, true);
        QCOMPARE(saveScript.shown.size(), 1);
        QVERIFY(QFile::exists(folder.path(QStringLiteral("mine.r07"))));

        MainWindow reader;
        reader.setMessageFunction(messages.function());
        reader.setSaveQuestion(discardChanges);
        ScriptedDialog openScript;
        openScript.answers = {folder.path(QStringLiteral("mine.r07"))};
        reader.openDialog().setRunner(openScript.runner());
        runCommand(reader, source, false);

        QCOMPARE(messages.got.size(), 0);
        QCOMPARE(shownCaption(reader), QStringLiteral("RPX-207    [350-390MHz]"));
        QCOMPARE(cellsOf(reader.radioData().table), cellsOf(writer.radioData().table));
        QCOMPARE(indexesOf(reader.radioData().settings), indexesOf(writer.radioData().settings));
        QCOMPARE(reader.radioData().bands.list1_rx.chosenText(), QStringLiteral("350-390MHz"));
        // The dialogs remember their own files.
        QCOMPARE(reader.openDialog().lastFile(), folder.path(QStringLiteral("mine.r07")));
        QCOMPARE(reader.saveDialog().lastFile(), QString());
    }

    // Cancelling either dialog changes nothing.
    void cancel()
    {
        ProgramFolder folder;
        Messages messages;
        MainWindow form;
        form.setMessageFunction(messages.function());
        form.setSaveQuestion(discardChanges);
        fillSample(form.radioData());
        const QString title = form.windowTitle();
        const QStringList cells = cellsOf(form.radioData().table);
        ScriptedDialog script;
        form.openDialog().setRunner(script.runner());
        form.saveDialog().setRunner(script.runner());
        form.openChannelFile();
        form.saveChannelFile();
        QCOMPARE(script.shown.size(), 2);
        QCOMPARE(form.windowTitle(), title);
        QCOMPARE(cellsOf(form.radioData().table), cells);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList());
        QCOMPARE(messages.got.size(), 0);
    }

    void badSettingLine_data()
    {
        QTest::addColumn<QByteArray>("batSaveLine");
        QTest::addColumn<QString>("message");
        QTest::newRow("letter") << QByteArray("BatSave x") << "'x' is not a valid integer value";
        QTest::newRow("short line") << QByteArray("BatSave") << "'' is not a valid integer value";
        QTest::newRow("empty line") << QByteArray() << "'' is not a valid integer value";
    }

    // A setting line without its digit stops the open with the conversion
    // message; the band, the caption and the earlier settings are in, the
    // channels untouched.
    void badSettingLine()
    {
        QFETCH(QByteArray, batSaveLine);
        QFETCH(QString, message);
        ProgramFolder folder;
        QVERIFY(folder.write(QStringLiteral("bad.r07"), fileStart("350-390MHz") +
                                                            "APO 0 x\r\nBEEP 0 x\r\n" +
                                                            batSaveLine + "\r\n"));
        Messages messages;
        MainWindow form;
        form.setMessageFunction(messages.function());
        form.setSaveQuestion(discardChanges);
        ChannelTable &table = form.radioData().table;
        table.setCell(ChannelTable::ColRxFreq, 1, QStringLiteral("438.50000"));
        ScriptedDialog script;
        script.answers = {folder.path(QStringLiteral("bad.r07"))};
        form.openDialog().setRunner(script.runner());
        form.openChannelFile();

        QCOMPARE(messages.got.size(), 1);
        QCOMPARE(messages.got.first().first, MessageKind::Error);
        QCOMPARE(messages.got.first().second, message);
        QCOMPARE(shownCaption(form), QStringLiteral("*RPX-207    [350-390MHz]"));
        const FunctionSettings &settings = form.radioData().settings;
        QCOMPARE(settings.index(Setting::APO), 0);
        QCOMPARE(settings.index(Setting::BEEP), 0);
        QCOMPARE(settings.index(Setting::BatSave), settingInfo(Setting::BatSave).defaultIndex);
        QCOMPARE(table.cell(ChannelTable::ColRxFreq, 1), QStringLiteral("438.50000"));
    }

    // A file that cannot be read or written stops the command with the
    // system's message.
    void ioErrors()
    {
        ProgramFolder folder;
        Messages messages;
        MainWindow form;
        form.setMessageFunction(messages.function());
        form.setSaveQuestion(discardChanges);
        fillSample(form.radioData());
        const QString title = form.windowTitle();
        const QStringList cells = cellsOf(form.radioData().table);
        ScriptedDialog script;
        script.answers = {folder.path(QStringLiteral("gone.r07")),
                          folder.path(QStringLiteral("no/such/folder/x.r07"))};
        form.openDialog().setRunner(script.runner());
        form.saveDialog().setRunner(script.runner());

        form.openChannelFile();
        QCOMPARE(messages.got.size(), 1);
        QCOMPARE(messages.got.at(0).first, MessageKind::Error);
        QVERIFY(!messages.got.at(0).second.isEmpty());
        QCOMPARE(form.windowTitle(), title);
        QCOMPARE(cellsOf(form.radioData().table), cells);

        form.saveChannelFile();
        QCOMPARE(messages.got.size(), 2);
        QCOMPARE(messages.got.at(1).first, MessageKind::Error);
        QVERIFY(!messages.got.at(1).second.isEmpty());
        QVERIFY(!QFile::exists(folder.path(QStringLiteral("no/such/folder/x.r07"))));
    }

    // What a command did differently from what was asked is shown once it
    // is done.
    void warnings()
    {
        ProgramFolder folder;
        QByteArray file = fixture(QStringLiteral("example.r07"));
        QVERIFY(file.contains("\r\nBatSave 1 "));
        file.replace("\r\nBatSave 1 ", "\r\nBatSave 7 ");
        QVERIFY(folder.write(QStringLiteral("seven.r07"), file));
        Messages messages;
        MainWindow form;
        form.setMessageFunction(messages.function());
        form.setSaveQuestion(discardChanges);
        ScriptedDialog script;
        script.answers = {folder.path(QStringLiteral("seven.r07")),
                          folder.path(QStringLiteral("blank"))};
        form.openDialog().setRunner(script.runner());
        form.saveDialog().setRunner(script.runner());

        // BatSave has no eighth choice and keeps its value; the rest opens.
        form.openChannelFile();
        QCOMPARE(messages.got.size(), 1);
        QCOMPARE(messages.got.at(0).first, MessageKind::Warning);
        QVERIFY(messages.got.at(0).second.contains(QLatin1String("BatSave")));
        QCOMPARE(form.radioData().settings.index(Setting::BatSave), 1);
        QCOMPARE(form.radioData().table.cell(ChannelTable::ColRxFreq, 1),
                 QStringLiteral("435.02500"));
        messages.got.clear();

        // A blank in a cell cuts it when the file is opened again.
        form.radioData().table.setCell(ChannelTable::ColRxTone, 1, QStringLiteral("67 0"));
        form.saveChannelFile();
        QVERIFY(QFile::exists(folder.path(QStringLiteral("blank.r07"))));
        QCOMPARE(messages.got.size(), 1);
        QCOMPARE(messages.got.at(0).first, MessageKind::Warning);
    }

    // The window's dialogs start in the program's folder, then in the
    // folder of the file each returned last.
    void startFolders()
    {
        ProgramFolder folder;
        QVERIFY(QDir(folder.path()).mkpath(QStringLiteral("sub")));
        Messages messages;
        MainWindow form;
        form.setMessageFunction(messages.function());
        form.setSaveQuestion(discardChanges);
        ScriptedDialog openScript;
        ScriptedDialog saveScript;
        openScript.answers = {folder.path(QStringLiteral("sub/a.r07")), QString()};
        saveScript.answers = {folder.path(QStringLiteral("b")), QString()};
        form.openDialog().setRunner(openScript.runner());
        form.saveDialog().setRunner(saveScript.runner());

        form.openChannelFile();
        form.saveChannelFile();
        form.openChannelFile();
        form.saveChannelFile();
        QCOMPARE(openScript.shown.at(0).folder, programFolder());
        QCOMPARE(openScript.shown.at(0).name, QString());
        QCOMPARE(saveScript.shown.at(0).folder, programFolder());
        QCOMPARE(saveScript.shown.at(0).name, QString());
        QCOMPARE(QDir(openScript.shown.at(1).folder), QDir(folder.path(QStringLiteral("sub"))));
        QCOMPARE(openScript.shown.at(1).name, QStringLiteral("a.r07"));
        QCOMPARE(QDir(saveScript.shown.at(1).folder), QDir(folder.path()));
        QCOMPARE(saveScript.shown.at(1).name, QStringLiteral("b.r07"));
    }

    void realDialog_data()
    {
        QTest::addColumn<bool>("save");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("returned");
        QTest::newRow("save, new name") << true << "typed"
                                        << "typed.r07";
        QTest::newRow("save over a file") << true << "old.r07"
                                          << "old.r07";
        QTest::newRow("open") << false << "old.r07"
                              << "old.r07";
    }

    // The toolkit's dialog as the commands set it up: title, one filter,
    // start folder and name, no question before replacing a file.
    void realDialog()
    {
        QFETCH(bool, save);
        QFETCH(QString, typed);
        QFETCH(QString, returned);
        ProgramFolder folder;
        QVERIFY(folder.write(QStringLiteral("old.r07"), "old"));
        ChannelFileDialog dialog(save);

        QString problem;
        whenFileDialogShown(this, [&](QFileDialog *shown) {
            auto expect = [&](bool ok, const char *what) {
                if (!ok && problem.isEmpty())
                    problem = QString::fromLatin1(what);
            };
            expect(shown->windowTitle() == (save ? QStringLiteral("保存") : QStringLiteral("打开")),
                   "title");
            const auto *types = shown->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
            expect(types && types->count() == 1 && types->itemText(0) == Filter, "filter shown");
            expect(shown->nameFilters().size() == 1 &&
                       shown->nameFilters().first().endsWith(QLatin1String("(*.r07)")),
                   "filter pattern");
            expect(QDir(shown->directory()) == QDir(folder.path()), "folder");
            expect(shown->acceptMode() ==
                       (save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen),
                   "accept mode");
            expect(shown->fileMode() == (save ? QFileDialog::AnyFile : QFileDialog::ExistingFile),
                   "file mode");
            expect(shown->testOption(QFileDialog::DontConfirmOverwrite) == save, "overwrite");
            if (!problem.isEmpty()) {
                shown->reject();
                return;
            }
            // The user types the name into the dialog's name field.
            auto *name = shown->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            if (!name) {
                problem = QStringLiteral("no name field");
                shown->reject();
                return;
            }
            name->setText(typed);
            // A question or a refusal would keep the dialog open.
            QTimer::singleShot(5000, shown, [&problem, shown] {
                problem = QStringLiteral("the dialog did not accept the name");
                while (QWidget *modal = QApplication::activeModalWidget()) {
                    if (auto *box = qobject_cast<QDialog *>(modal))
                        box->reject();
                    if (modal == shown)
                        break;
                }
            });
            // QFileDialog's accept() checks the typed name as a click on
            // its button does.
            static_cast<QDialog *>(shown)->accept();
        });
        QCOMPARE(dialog.exec(nullptr), folder.path(returned));
        QVERIFY2(problem.isEmpty(), qPrintable(problem));

        // The next showing proposes that file.
        whenFileDialogShown(this, [&](QFileDialog *shown) {
            if (shown->selectedFiles() != QStringList{folder.path(returned)})
                problem = QStringLiteral("not proposed");
            shown->reject();
        });
        QCOMPARE(dialog.exec(nullptr), QString());
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }

    void extraDialogs_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("backupsKept"); // the backup folder exists
        QTest::addColumn<bool>("save");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("returned");
        const auto s = [](const char *text) { return QString::fromUtf8(text); };
        QTest::newRow("open radio image, no backups yet")
            << "image" << false << false << s("打开电台映像") << s("电台映像 (*.img);;所有文件 (*)")
            << "x/a"
            << "x/a";
        QTest::newRow("open radio image, backups kept")
            << "image" << true << false << s("打开电台映像") << s("电台映像 (*.img);;所有文件 (*)")
            << "x/a.img"
            << "x/a.img";
        QTest::newRow("import CSV") << "import" << false << false << s("导入 CSV")
                                    << s("CSV 信道表 (*.csv);;所有文件 (*)") << "x/a"
                                    << "x/a";
        QTest::newRow("export CSV, no extension")
            << "export" << false << true << s("导出 CSV") << s("CSV 信道表 (*.csv)") << "x/list"
            << "x/list.csv";
        QTest::newRow("export CSV, other extension")
            << "export" << false << true << s("导出 CSV") << s("CSV 信道表 (*.csv)") << "x/list.txt"
            << "x/list.txt";
    }

    // The dialogs of the radio image and CSV commands: titled after their
    // menu items, their filters, where they start and what they propose,
    // the extension an export adds.
    void extraDialogs()
    {
        QFETCH(QString, command);
        QFETCH(bool, backupsKept);
        QFETCH(bool, save);
        QFETCH(QString, title);
        QFETCH(QString, filter);
        QFETCH(QString, answer);
        QFETCH(QString, returned);
        ProgramFolder folder;
        QVERIFY(QDir(folder.path()).mkpath(QStringLiteral("x")));
        const QString backups = Backups::defaultFolder();
        QVERIFY(backups.startsWith(m_dataHome.path()));
        if (backupsKept)
            QVERIFY(QDir().mkpath(backups));
        Messages messages;
        MainWindow form;
        form.setMessageFunction(messages.function());
        form.setSaveQuestion(discardChanges);
        ScriptedDialog script;
        script.answers = {folder.path(answer), QString()};
        RememberingFileDialog &dialog = extraDialog(form, command);
        dialog.setRunner(script.runner());

        extraItem(form, command)->trigger();
        extraItem(form, command)->trigger();
        QDir(backups).removeRecursively();

        QCOMPARE(script.shown.size(), 2);
        const FileDialogSetup first = script.shown.at(0);
        QCOMPARE(first.save, save);
        QCOMPARE(first.title, title);
        QCOMPARE(first.filter, filter);
        QCOMPARE(first.folder, backupsKept ? backups : programFolder());
        QCOMPARE(first.name, QString());
        QCOMPARE(first.confirmOverwrite, save);
        QCOMPARE(first.defaultSuffix, save ? QStringLiteral("csv") : QString());
        QCOMPARE(dialog.lastFile(), folder.path(returned));
        const FileDialogSetup second = script.shown.at(1);
        QCOMPARE(QDir(second.folder), QFileInfo(folder.path(returned)).dir());
        QCOMPARE(second.name, QFileInfo(returned).fileName());
    }

    // What one window exports, another imports: the channel table, placed
    // at the same channels, with a note in the status bar and no message.
    void csvRoundTrip()
    {
        ProgramFolder folder;
        Messages messages;
        MainWindow writer;
        writer.setMessageFunction(messages.function());
        writer.setSaveQuestion(discardChanges);
        ChannelTable &t = writer.radioData().table;
        const std::pair<int, QStringList> rows[] = {
            {1, {"438.50000", "67.0", "438.50000", "D023N", "高功率", "宽带", "启用", "禁用"}},
            {7, {"446.00625", "禁用", "446.00625", "禁用", "低功率", "窄带", "禁用", "启用"}},
            {8, {"430.00000", "D754I", "460.00000", "88.5", "高功率", "宽带", "启用", "禁用"}},
            {199, {"439.10000", "禁用", "", "禁用", "高功率", "宽带", "禁用", "禁用"}},
        };
        for (const auto &[row, cells] : rows)
            for (int col = 1; col <= 8; ++col)
                t.setCell(col, row, cells.at(col - 1));
        ScriptedDialog exportScript;
        exportScript.answers = {folder.path(QStringLiteral("list"))};
        writer.exportCsvDialog().setRunner(exportScript.runner());
        writer.ui().exportCsvAction->trigger();
        QVERIFY(QFile::exists(folder.path(QStringLiteral("list.csv"))));
        QCOMPARE(writer.statusBar()->currentMessage(), QStringLiteral("已导出 4 个信道。"));

        MainWindow reader;
        reader.setMessageFunction(messages.function());
        reader.setSaveQuestion(discardChanges);
        reader.radioData().table.setCell(ChannelTable::ColRxFreq, 50, QStringLiteral("440.00000"));
        ScriptedDialog importScript;
        importScript.answers = {folder.path(QStringLiteral("list.csv"))};
        reader.importCsvDialog().setRunner(importScript.runner());
        reader.ui().importCsvAction->trigger();

        QCOMPARE(messages.got.size(), 0);
        QCOMPARE(cellsOf(reader.radioData().table), cellsOf(t));
        QCOMPARE(reader.statusBar()->currentMessage(), QStringLiteral("已导入 4 个信道。"));
        QCOMPARE(shownCaption(reader), QStringLiteral("QB-380"));
    }

    void reports_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("kind"); // MessageKind, or -1 for no message
        // What the message's lines start with, %1 the file's path.
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<bool>("replaced"); // the channel table was replaced

        const int error = int(MessageKind::Error);
        const int warning = int(MessageKind::Warning);
        const QString imported = QStringLiteral("已导入 1 个信道。");
        QTest::newRow("CSV with a bad row")
            << "import"
            << "bad.csv" << QByteArray("Location,Frequency\r\n1,438.125\r\n2,600\r\n") << warning
            << QStringList{imported, "line 3 skipped: "} << true;
        QTest::newRow("CSV row placed elsewhere")
            << "import"
            << "moved.csv" << QByteArray("Location,Frequency\n0,438.125\n") << warning
            << QStringList{imported, "line 2: "} << true;
        QTest::newRow("not a channel list") << "import"
                                            << "hello.csv" << QByteArray("hello,world\r\n") << error
                                            << QStringList{"%1: "} << false;
        QTest::newRow("CSV file missing")
            << "import"
            << "" << QByteArray() << error << QStringList{"%1: "} << false;

        QByteArray image(0x10000, char(0xFF));
        // No sub-audio, flags 0xFF; channel 2's receive frequency has a digit A.
        image.replace(
            0x10, 16,
            channelRecord(frequency("43812500"), frequency("43812500"), 0xFFFF, 0xFFFF, 0xFF));
        image.replace(
            0x20, 16,
            channelRecord(frequency("4381A500"), frequency("43812500"), 0xFFFF, 0xFFFF, 0xFF));
        QTest::newRow("image with a channel the grid cannot show")
            << "image"
            << "odd.img" << image << warning
            << QStringList{"Channel 002 holds values that cannot be shown",
                           "The image holds no function settings"}
            << true;
        QTest::newRow("image too short")
            << "image"
            << "short.img" << QByteArray(16, '\0') << error << QStringList{"%1: "} << false;
        QTest::newRow("export into a missing folder")
            << "export"
            << "no/such/list.csv" << QByteArray() << error << QStringList{"%1: "} << false;
    }

    // What the commands show about a file that did not come through as
    // written, and whether the table was replaced.
    void reports()
    {
        QFETCH(QString, command);
        QFETCH(QString, file);
        QFETCH(QByteArray, bytes);
        QFETCH(int, kind);
        QFETCH(QStringList, lines);
        QFETCH(bool, replaced);
        ProgramFolder folder;
        const QString path = folder.path(file.isEmpty() ? QStringLiteral("gone.csv") : file);
        if (!bytes.isEmpty())
            QVERIFY(folder.write(file, bytes));
        Messages messages;
        MainWindow form;
        form.setMessageFunction(messages.function());
        form.setSaveQuestion(discardChanges);
        ChannelTable &table = form.radioData().table;
        table.setCell(ChannelTable::ColRxFreq, 50, QStringLiteral("440.00000"));
        const QString title = form.windowTitle();
        ScriptedDialog script;
        script.answers = {path};
        extraDialog(form, command).setRunner(script.runner());
        extraItem(form, command)->trigger();

        QCOMPARE(messages.got.size(), kind < 0 ? 0 : 1);
        if (kind >= 0) {
            QCOMPARE(int(messages.got.at(0).first), kind);
            const QStringList shown = messages.got.at(0).second.split(QLatin1Char('\n'));
            QCOMPARE(shown.size(), lines.size());
            for (int i = 0; i < lines.size(); ++i) {
                const QString start =
                    lines[i].replace(QLatin1String("%1"), QDir::toNativeSeparators(path));
                // A line that ends in ": " goes on with the reason.
                QVERIFY2(shown[i].startsWith(start) && (!start.endsWith(QLatin1String(": ")) ||
                                                        shown[i].size() > start.size()),
                         qPrintable(shown[i]));
            }
        }
        QCOMPARE(table.cell(ChannelTable::ColRxFreq, 50),
                 replaced ? QString() : QStringLiteral("440.00000"));
        if (replaced)
            QCOMPARE(table.cell(ChannelTable::ColRxFreq, 1), QStringLiteral("438.12500"));
        if (command == QLatin1String("image") && replaced)
            QCOMPARE(shownCaption(form), QStringLiteral("QB-380    [odd.img]"));
        else
            QCOMPARE(form.windowTitle(), title);
        if (command == QLatin1String("export"))
            QVERIFY(!QFile::exists(path));
    }

    // "Verify after writing" is off at the first start, and a change made
    // during a run is there at the next.
    // The Options items "Verify after writing" and "Back up the radio
    // before writing": off at first, kept in [options] across runs.
    void optionKeptAcrossRuns_data()
    {
        QTest::addColumn<bool>("backup");
        QTest::newRow("verify") << false;
        QTest::newRow("back up first") << true;
    }

    void optionKeptAcrossRuns()
    {
        QFETCH(bool, backup);
        const auto item = [backup](MainWindow &w) {
            return backup ? w.ui().backupFirstAction : w.ui().verifyAction;
        };
        const auto option = [backup](MainWindow &w) {
            return backup ? w.backupBeforeWriting() : w.verifyAfterWriting();
        };
        const QString key = backup ? BackupFirstKey : VerifyKey;
        ProgramFolder folder;
        const QString path = programFile(QStringLiteral("myini.ini"));
        {
            MainWindow form;
            QVERIFY(!option(form));
            QVERIFY(!item(form)->isChecked());
            item(form)->trigger();
            QVERIFY(option(form));
        }
        QCOMPARE(SettingsFile(path).readString(OptionsSection, key), QStringLiteral("1"));
        {
            MainWindow next;
            QVERIFY(option(next));
            QVERIFY(item(next)->isChecked());
            QVERIFY(backup ? !next.verifyAfterWriting() : !next.backupBeforeWriting());
            item(next)->trigger();
        }
        QCOMPARE(SettingsFile(path).readString(OptionsSection, key), QStringLiteral("0"));
        MainWindow last;
        QVERIFY(!option(last));
    }

    // Export PDF: the channels with a receive frequency and the function
    // settings, in the language shown (the built-in Chinese here, whose
    // glyphs the PDF must embed for its text to be extracted), on the paper
    // of the user's locale; a note in the status bar names the file.
    void pdfExport()
    {
        ProgramFolder folder;
        Messages messages;
        MainWindow form;
        form.setMessageFunction(messages.function());
        fillSample(form.radioData());
        setRow(form.radioData().table, 7,
               {"", "OFF", "439.12500", "OFF", "Low", "Narrow", "OFF", "ON"});
        ScriptedDialog script;
        script.answers = {folder.path(QStringLiteral("list"))};
        form.printCommands().pdfDialog().setRunner(script.runner());

        form.ui().exportPdfAction->trigger();
        QCOMPARE(script.shown.size(), 1);
        QCOMPARE(script.shown[0].title, QStringLiteral("导出 PDF"));
        QCOMPARE(script.shown[0].filter, QStringLiteral("PDF 文件 (*.pdf);;所有文件 (*)"));
        QVERIFY(messages.got.isEmpty());
        const QString pdf = folder.path(QStringLiteral("list.pdf"));
        QVERIFY(QFile::exists(pdf));
        QCOMPARE(form.statusBar()->currentMessage(), QStringLiteral("已导出 PDF：list.pdf"));

        QProcess text;
        text.start(QStringLiteral("pdftotext"),
                   {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QVERIFY2(text.waitForFinished(30000), "pdftotext (poppler-utils) is needed");
        QCOMPARE(text.exitCode(), 0);
        const QString out = QString::fromUtf8(text.readAllStandardOutput());
        for (const QString &expected :
             {QStringLiteral("QB-380"), QStringLiteral("信道列表"), QStringLiteral("功能设置"),
              QStringLiteral("438.50000"), QStringLiteral("D023N"), QStringLiteral("高功率"),
              QStringLiteral("446.00625"), QStringLiteral("199"), form.radioData().table.cell(0, 0),
              form.radioData().settings.shownText(Setting::Squelch)})
            QVERIFY2(out.contains(expected), qPrintable(expected + QLatin1String(" in\n") + out));
        // Channel 7 has no receive frequency: not listed.
        QVERIFY2(!out.contains(QLatin1String("439.12500")), qPrintable(out));

        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {pdf});
        QVERIFY(info.waitForFinished(30000));
        const bool letter =
            ChannelPrintout::defaultPageSize(QLocale::system()).id() == QPageSize::Letter;
        QVERIFY(info.readAllStandardOutput().contains(letter ? "(letter)" : "(A4)"));
    }

    void pageSize_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("page");
        QTest::newRow("United States") << "en_US" << int(QPageSize::Letter);
        QTest::newRow("Germany") << "de_DE" << int(QPageSize::A4);
        QTest::newRow("China") << "zh_CN" << int(QPageSize::A4);
    }

    void pageSize()
    {
        QFETCH(QString, locale);
        QFETCH(int, page);
        QCOMPARE(int(ChannelPrintout::defaultPageSize(QLocale(locale)).id()), page);
    }

    // No settings file yet: port 1, skin 1 and the radio's band in every
    // list; the exit writes them.
    void firstStart()
    {
        ProgramFolder folder;
        const QString path = programFile(QStringLiteral("myini.ini"));
        {
            MainWindow form;
            QVERIFY(form.settingsFile());
            QCOMPARE(form.settingsFile()->path(), path);
            QCOMPARE(form.selectedPort(), 1);
            QCOMPARE(form.serialLink().portName(), form.portDevice(1));
            QVERIFY(form.portAction(1)->isChecked());
            QVERIFY(form.portRadio(1)->isChecked());
            QCOMPARE(form.skin(), Skin::Blue);
            QVERIFY(form.ui().blueSkinAction->isChecked());
            QCOMPARE(form.styleSheet(), skinStyleSheet(Skin::Blue));
            for (const BandRangeList *list : form.radioData().bands.all()) {
                QCOMPARE(list->entries(), QStringList{"400-470MHz"});
                QCOMPARE(list->chosenIndex(), 0);
            }
            QCOMPARE(shownCaption(form), QStringLiteral("QB-380"));
            // The file is only written at the end.
            QVERIFY(!QFile::exists(path));
        }
        SettingsFile file(path);
        QCOMPARE(file.readInteger("open", "com", 0), 1);
        QCOMPARE(file.readInteger("open", "skin", 0), 1);
        for (const char *section : {"list1_rx", "list2_rx"}) {
            QCOMPARE(file.readInteger(section, "listnow", -5), 0);
            QCOMPARE(file.readInteger(section, "listcount", -5), 1);
            QCOMPARE(file.readString(section, "combo0"), QStringLiteral("400-470MHz"));
        }
        for (const char *section : {"list1_tx", "list2_tx"}) {
            QCOMPARE(file.readInteger(section, "list2now", -5), 0);
            QCOMPARE(file.readInteger(section, "list2count", -5), 1);
            QCOMPARE(file.readString(section, "com2bo0"), QStringLiteral("400-470MHz"));
        }
    }

    void storedChoices_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<int>("port");
        QTest::addColumn<int>("skin");
        QTest::newRow("com 3, skin 2") << QByteArray("[open]\r\ncom=3\r\nskin=2\r\n") << 3 << 2;
        QTest::newRow("names in capitals") << QByteArray("[OPEN]\r\nCom=4\r\nSKIN=3\r\n") << 4 << 3;
        QTest::newRow("port without entry")
            << QByteArray("[open]\r\ncom=9\r\nskin=2\r\n") << 1 << 2;
    }

    // A stored port and skin are activated at start as the menu would.
    void storedChoices()
    {
        QFETCH(QByteArray, ini);
        QFETCH(int, port);
        QFETCH(int, skin);
        ProgramFolder folder;
        QVERIFY(folder.write(QStringLiteral("myini.ini"), ini));
        if (port == 1)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("port 9")));
        MainWindow form;
        QCOMPARE(form.selectedPort(), port);
        QCOMPARE(form.serialLink().portName(), form.portDevice(port));
        QAction *skins[] = {form.ui().blueSkinAction, form.ui().steelSkinAction,
                            form.ui().coffeeSkinAction};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(form.portAction(i + 1)->isChecked(), i == port - 1);
            QCOMPARE(form.portRadio(i + 1)->isChecked(), i == port - 1);
        }
        QCOMPARE(int(form.skin()), skin);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(skins[i]->isChecked(), i == skin - 1);
        QCOMPARE(form.styleSheet(), skinStyleSheet(Skin(skin)));
    }

    // Choices made during a run, and a band a channel file brought in, are
    // in the file after the exit and back at the next start.
    void choicesKeptAcrossRuns()
    {
        ProgramFolder folder;
        RadioData other;
        other.bands.list1_rx.choose(other.bands.list1_rx.append(QStringLiteral("350-390MHz")));
        QVERIFY(saveChannelFile(folder.path(QStringLiteral("band.r07")), other).ok);
        {
            MainWindow form;
            form.portAction(3)->trigger();
            QTest::mouseClick(form.portRadio(2), Qt::LeftButton);
            form.ui().coffeeSkinAction->trigger();
            form.ui().steelSkinAction->trigger();
            ScriptedDialog script;
            script.answers = {folder.path(QStringLiteral("band.r07"))};
            form.openDialog().setRunner(script.runner());
            form.openChannelFile();
            QCOMPARE(form.radioData().bands.list1_rx.count(), 2);
        }
        SettingsFile file(programFile(QStringLiteral("myini.ini")));
        QCOMPARE(file.readInteger("open", "com", 0), 2);
        QCOMPARE(file.readInteger("open", "skin", 0), 2);
        QCOMPARE(file.readInteger("list1_rx", "listcount", 0), 2);
        QCOMPARE(file.readInteger("list1_rx", "listnow", 0), 1);
        QCOMPARE(file.readString("list1_rx", "combo1"), QStringLiteral("350-390MHz"));
        QCOMPARE(file.readInteger("list1_tx", "list2count", 0), 1);

        MainWindow next;
        QCOMPARE(next.selectedPort(), 2);
        QCOMPARE(next.skin(), Skin::Steel);
        QCOMPARE(next.radioData().bands.list1_rx.entries(),
                 (QStringList{"400-470MHz", "350-390MHz"}));
        QCOMPARE(next.radioData().bands.list1_rx.chosenText(), QStringLiteral("350-390MHz"));
        QCOMPARE(shownCaption(next), QStringLiteral("QB-380"));
    }

    void demoPort_data()
    {
        QTest::addColumn<int>("picked"); // 0: none
        QTest::addColumn<int>("saved");
        QTest::newRow("no port picked") << 0 << 3;
        QTest::newRow("port 2 picked") << 2 << 2;
        QTest::newRow("port 1 picked, the demo's own") << 1 << 1;
    }

    // Demo mode shows port 1 chosen while the port the program started with
    // is the one kept for the next start, until the user picks a port.
    void demoPort()
    {
        QFETCH(int, picked);
        QFETCH(int, saved);
        ProgramFolder folder;
        QVERIFY(folder.write(QStringLiteral("myini.ini"), "[open]\r\ncom=3\r\n"));
        const QString device = folder.path(QStringLiteral("demo-device"));
        {
            MainWindow form;
            form.useDemoRadio(device);
            QCOMPARE(form.selectedPort(), 1);
            QVERIFY(form.portAction(1)->isChecked());
            QVERIFY(form.portRadio(1)->isChecked());
            QCOMPARE(form.serialLink().portName(), device);
            QCOMPARE(form.settings().port, 3);
            if (picked) {
                form.portAction(picked)->trigger();
                QCOMPARE(form.selectedPort(), picked);
            }
            QCOMPARE(form.settings().port, saved);
        }
        SettingsFile file(programFile(QStringLiteral("myini.ini")));
        QCOMPARE(file.readInteger("open", "com", 0), saved);
        QFile written(file.path());
        QVERIFY(written.open(QIODevice::ReadOnly));
        QVERIFY(!written.readAll().contains("demo-device"));
    }

    // A settings file that cannot be written is reported at the exit.
    void settingsNotWritable()
    {
        ProgramFolder folder;
        // A folder in the file's place: reading finds nothing, writing fails.
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("myini.ini")));
        Messages messages;
        {
            MainWindow form;
            QCOMPARE(form.selectedPort(), 1);
            form.setMessageFunction(messages.function());
            form.setSaveQuestion(discardChanges);
        }
        QCOMPARE(messages.got.size(), 1);
        QCOMPARE(messages.got.at(0).first, MessageKind::Error);
        const QString prefix = QStringLiteral("Unable to write to ") +
                               QDir::toNativeSeparators(programFile(QStringLiteral("myini.ini"))) +
                               QStringLiteral(": ");
        QVERIFY2(messages.got.at(0).second.startsWith(prefix) &&
                     messages.got.at(0).second.size() > prefix.size(),
                 qPrintable(messages.got.at(0).second));
    }
};

QTEST_MAIN(TestFileCommands)
#include "tst_filecommands.moc"
