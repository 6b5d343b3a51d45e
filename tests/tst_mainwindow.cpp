// The program's windows: start-up, the main window's commands, the options
// page's binding to the model, and the dialogs' show and close rules. One
// program is started for the whole test, as the real start does.
#include "app/aboutbox.h"
#include "app/buttonsbar.h"
#include "app/commandline.h"
#include "app/glowbutton.h"
#include "app/linklabel.h"
#include "app/mainwindow.h"
#include "app/optionspage.h"
#include "app/programmingdialog.h"
#include "app/serialportdialog.h"
#include "app/skins.h"
#include "app/splashwindow.h"
#include "app/startup.h"
#include "editor/confirmationdialog.h"
#include "model/programfolder.h"
#include "radio/seriallink.h"
#include "sim/virtualradio.h"
#include "testsupport.h"
#include "ui_mainwindow.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QImageReader>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

namespace {

// The shown text of a named part, whatever kind of part it is.
QString textOf(QObject *object)
{
    if (auto *a = qobject_cast<QAction *>(object))
        return a->text();
    if (auto *m = qobject_cast<QMenu *>(object))
        return m->title();
    if (auto *b = qobject_cast<QAbstractButton *>(object))
        return b->text();
    if (auto *l = qobject_cast<QLabel *>(object))
        return l->text();
    if (auto *g = qobject_cast<QGroupBox *>(object))
        return g->title();
    if (auto *l = qobject_cast<LinkLabel *>(object))
        return l->text();
    return {};
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

    // The program's folder: no language libraries, a settings file of its own.
    ProgramFolder m_folder;
    std::unique_ptr<Program> m_program;
    MainWindow *form() const { return m_program->mainWindow.get(); }

    QWidget *window(const QString &name) const
    {
        for (QWidget *w : {static_cast<QWidget *>(m_program->mainWindow.get()),
                           static_cast<QWidget *>(m_program->splashWindow.get()),
                           static_cast<QWidget *>(m_program->aboutBox.get()),
                           static_cast<QWidget *>(m_program->programmingDialog.get()),
                           static_cast<QWidget *>(m_program->confirmationDialog.get())})
            if (w->objectName() == name)
                return w;
        return nullptr;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_folder.isValid());
        m_program = createProgram();
    }
    void cleanupTestCase() { m_program.reset(); }

    // Runs first: the start shows the splash modally before the main window
    // becomes visible, puts the language marks, and shows the splash again
    // without waiting.
    // The command line: what is asked for, and what is answered without a
    // window at all (help, version and mistakes: no GuiCommandLine).
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("starts");
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("demo");
        QTest::addColumn<QStringList>("files");
        QTest::newRow("nothing: no demo, no file") << QStringList{} << true << 0 << false
                                                   << QStringList{};
        QTest::newRow("a file to open") << QStringList{"radio.r07"} << true << 0 << false
                                        << QStringList{"radio.r07"};
        QTest::newRow("demo and a file") << QStringList{"--demo", "x.csv"} << true << 0 << true
                                         << QStringList{"x.csv"};
        QTest::newRow("a fault implies the demo")
            << QStringList{"--demo-fault", "silent"} << true << 0 << true << QStringList{};
        QTest::newRow("--no-demo after --demo wins")
            << QStringList{"--demo", "--no-demo"} << true << 0 << false << QStringList{};
        QTest::newRow("--demo after --no-demo wins")
            << QStringList{"--no-demo", "--demo"} << true << 0 << true << QStringList{};
        QTest::newRow("help") << QStringList{"--help"} << false << 0 << false << QStringList{};
        QTest::newRow("version") << QStringList{"-v"} << false << 0 << false << QStringList{};
        QTest::newRow("unknown option is a usage error")
            << QStringList{"--erase"} << false << 2 << false << QStringList{};
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, starts);
        QFETCH(int, status);
        int exitStatus = -1;
        const std::optional<GuiCommandLine> line =
            parseGuiCommandLine(QStringList{"qb380"} + arguments, &exitStatus);
        QCOMPARE(line.has_value(), starts);
        QCOMPARE(exitStatus, status);
        if (line) {
            QTEST(line->demo, "demo");
            QTEST(line->files, "files");
        }
    }

    void startUp()
    {
        QCOMPARE(QGuiApplication::applicationDisplayName(), QStringLiteral("QB-380"));
        for (const char *name : {"mainWindow", "splashWindow", "aboutBox", "programmingDialog",
                                 "confirmationDialog"}) {
            int found = 0;
            for (QWidget *w : QApplication::topLevelWidgets())
                found += w->objectName() == QLatin1String(name);
            QCOMPARE(found, 1);
            QVERIFY(!window(QString::fromLatin1(name))->isVisible());
        }
        QCOMPARE(m_program->confirmationDialog->pendingAction(), 0);
        QVERIFY(m_program->splashWindow->closeTimer()->isActive());
        QCOMPARE(m_program->splashWindow->closeTimer()->interval(), 1000);

        struct Showing
        {
            bool modal;
            bool mainVisible;
            bool englishChecked;
        };
        QList<Showing> showings;
        QList<QRect> places;
        connect(m_program->splashWindow.get(), &SplashWindow::shown, this, [&](bool modal) {
            showings.append({modal, form()->isVisible(), form()->ui().englishAction->isChecked()});
            places.append(m_program->splashWindow->geometry());
        });
        form()->show();

        QCOMPARE(showings.size(), 2);
        QVERIFY(showings[0].modal);
        QVERIFY(!showings[0].mainVisible);
        QVERIFY(!showings[0].englishChecked);
        QVERIFY(!showings[1].modal);
        QVERIFY(!showings[1].mainVisible);
        QVERIFY(showings[1].englishChecked);
        QVERIFY(form()->isVisible());
        QVERIFY(m_program->splashWindow->isVisible());
        QVERIFY(!form()->ui().chineseAction->isChecked());
        QCOMPARE(form()->ui().chineseAction->text(), QStringLiteral("chinese"));
        // Both times centred on the screen (it has no frame to allow for).
        const QPoint centre = m_program->splashWindow->screen()->availableGeometry().center();
        for (const QRect &place : places)
            QVERIFY2((place.center() - centre).manhattanLength() <= 1,
                     qPrintable(QStringLiteral("%1,%2").arg(place.x()).arg(place.y())));

        // The splash leaves at its next tick.
        QTRY_VERIFY_WITH_TIMEOUT(!m_program->splashWindow->isVisible(), 2000);
        QVERIFY(form()->isVisible());
    }

    void windows_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("onTop");
        // Restoring the chosen band range at creation has set "QB-380".
        QTest::newRow("main") << "mainWindow" << QSize(793, 546) << "QB-380" << false;
        QTest::newRow("splash") << "splashWindow" << QSize(510, 316) << "" << true;
        QTest::newRow("about") << "aboutBox" << QSize(402, 242) << "关于..." << true;
        QTest::newRow("programming") << "programmingDialog" << QSize(356, 194) << "QB-380" << true;
        QTest::newRow("message") << "confirmationDialog" << QSize(334, 161) << "警告" << true;
    }

    void windows()
    {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        QFETCH(QString, title);
        QFETCH(bool, onTop);
        QWidget *w = window(name);
        QVERIFY(w);
        QCOMPARE(w->size(), size);
        QCOMPARE(w->minimumSize(), size);
        QCOMPARE(w->maximumSize(), size);
        QCOMPARE(shownCaption(w), title);
        QCOMPARE(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint), onTop);
        QVERIFY(!w->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        if (name != QLatin1String("mainWindow"))
            QVERIFY(!w->testAttribute(Qt::WA_QuitOnClose));
    }

    void splashPicture()
    {
        QVERIFY(QImageReader::supportedImageFormats().contains("jpeg"));
        const QLabel *image = m_program->splashWindow->logoLabel();
        QCOMPARE(image->size(), QSize(510, 316));
        QVERIFY(m_program->splashWindow->windowFlags().testFlag(Qt::FramelessWindowHint));
        // 1559 x 969 scaled to fit, keeping its proportions.
        QCOMPARE(image->pixmap().size(), QSize(508, 316));
    }

    // Every named part, its kind, its place and its text. Places are in the
    // parent's coordinates, or in the window's client coordinates where the
    // column says so.
    void namedParts_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QRect>("place");
        QTest::addColumn<bool>("clientPlace");
        QTest::addColumn<QString>("text");

        auto add = [](const char *window, const char *name, const char *kind, QRect place = {},
                      const QString &text = {}, bool client = false) {
            QTest::addRow("%s/%s", window, name)
                << QString::fromLatin1(window) << QString::fromLatin1(name)
                << QString::fromLatin1(kind) << place << client << text;
        };
        const auto s = [](const char *text) { return QString::fromUtf8(text); };

        add("mainWindow", "mainMenuBar", "QMenuBar", QRect(0, 0, 793, 22), {}, true);
        add("mainWindow", "fileMenu", "QMenu", {}, s("文件(&F)"));
        add("mainWindow", "newAction", "QAction", {}, s("新建(&N)"));
        add("mainWindow", "openAction", "QAction", {}, s("打开(&O)"));
        add("mainWindow", "saveAction", "QAction", {}, s("保存(&S)"));
        add("mainWindow", "openImageAction", "QAction", {}, s("打开电台映像(&I)..."));
        add("mainWindow", "importCsvAction", "QAction", {}, s("导入 CSV(&M)..."));
        add("mainWindow", "exportCsvAction", "QAction", {}, s("导出 CSV(&X)..."));
        add("mainWindow", "exitAction", "QAction", {}, s("退出(&E)"));
        add("mainWindow", "editMenu", "QMenu", {}, s("编辑(&P)"));
        add("mainWindow", "readAction", "QAction", {}, s("频率读出(&R)"));
        add("mainWindow", "writeAction", "QAction", {}, s("频率写入(&W)"));
        add("mainWindow", "channelPageAction", "QAction", {}, s("信道编辑(&E)"));
        add("mainWindow", "optionsPageAction", "QAction", {}, s("功能选项(&Y)"));
        add("mainWindow", "otherFunctionsAction", "QAction", {}, s("其它功能(&T)"));
        add("mainWindow", "optionsMenu", "QMenu", {}, s("选项"));
        add("mainWindow", "portMenu", "QMenu", {}, s("通信端口(&C)"));
        add("mainWindow", "port1Action", "QAction", {}, s("COM(&1)"));
        add("mainWindow", "port2Action", "QAction", {}, s("COM(&2)"));
        add("mainWindow", "port3Action", "QAction", {}, s("COM(&3)"));
        add("mainWindow", "port4Action", "QAction", {}, s("COM(&4)"));
        add("mainWindow", "skinMenu", "QMenu", {}, s("皮肤(&S)"));
        add("mainWindow", "blueSkinAction", "QAction", {}, s("蓝色一族"));
        add("mainWindow", "steelSkinAction", "QAction", {}, s("钢板"));
        add("mainWindow", "coffeeSkinAction", "QAction", {}, s("咖啡"));
        add("mainWindow", "languageMenu", "QMenu", {}, s("语言"));
        add("mainWindow", "chineseAction", "QAction", {}, s("chinese"));
        add("mainWindow", "englishAction", "QAction", {}, s("英文"));
        add("mainWindow", "verifyAction", "QAction", {}, s("写入后校验(&V)"));
        add("mainWindow", "helpMenu", "QMenu", {}, s("帮助(&H)"));
        add("mainWindow", "helpAction", "QAction", {}, s("帮助(&H)..."));
        add("mainWindow", "aboutAction", "QAction", {}, s("关于(&A)..."));

        add("mainWindow", "leftPanel", "QWidget", QRect(0, 32, 121, 489), {}, true);
        add("mainWindow", "buttonsBar", "QToolBox", QRect(1, 1, 119, 352));
        add("mainWindow", "portGroup", "QGroupBox", QRect(1, 356, 119, 131), s("通信端口"));
        add("mainWindow", "port1Radio", "QRadioButton", QRect(32, 8, 73, 25), s("   COM1"));
        add("mainWindow", "port2Radio", "QRadioButton", QRect(32, 32, 73, 25), s("   COM2"));
        add("mainWindow", "port3Radio", "QRadioButton", QRect(32, 56, 73, 25), s("   COM3"));
        add("mainWindow", "port4Radio", "QRadioButton", QRect(32, 80, 73, 25), s("   COM4"));

        add("mainWindow", "centrePanel", "QWidget", QRect(120, 32, 553, 489), {}, true);
        add("mainWindow", "pages", "QTabWidget", QRect(0, 0, 553, 489));
        add("mainWindow", "channelPage", "QWidget");
        add("mainWindow", "optionsPage", "QWidget");
        add("mainWindow", "channelGrid", "QTableView", QRect(0, 0, 547, 403));
        add("mainWindow", "channelButtonsPanel", "QWidget", QRect(6, 411, 531, 49));
        add("mainWindow", "autoAddButton", "QPushButton", QRect(24, 16, 75, 25), s("自动添加"));
        add("mainWindow", "clearChannelsButton", "QPushButton", QRect(120, 16, 75, 25),
            s("清除信道"));
        add("mainWindow", "moveUpButton", "QPushButton", QRect(248, 16, 75, 25), s("信道上移"));
        add("mainWindow", "moveDownButton", "QPushButton", QRect(344, 16, 75, 25), s("信道下移"));
        add("mainWindow", "deleteChannelButton", "QPushButton", QRect(432, 16, 75, 25),
            s("删除信道"));

        add("mainWindow", "rightPanel", "QWidget", QRect(672, 32, 113, 489), {}, true);
        add("mainWindow", "readButton", "QAbstractButton", QRect(24, 40, 73, 73));
        add("mainWindow", "writeButton", "QAbstractButton", QRect(24, 176, 73, 73));
        add("mainWindow", "exitButton", "QAbstractButton", QRect(24, 304, 73, 73));
        add("mainWindow", "readLabel", "LinkLabel", QRect(45, 116, 31, 20), s("读频"));
        add("mainWindow", "writeLabel", "LinkLabel", QRect(45, 252, 31, 20), s("写频"));
        add("mainWindow", "exitLabel", "LinkLabel", QRect(48, 380, 31, 20), s("退出"));
        add("mainWindow", "statusBar", "QStatusBar", QRect(0, 525, 793, 21), {}, true);
        add("mainWindow", "statusPanel", "QLabel", {}, s("     Dravik Torven 对讲机编程软件"));

        add("mainWindow", "band1Group", "QGroupBox", {}, s("频段一"));
        add("mainWindow", "band2Group", "QGroupBox", {}, s("频段二"));
        add("mainWindow", "band1RxLabel", "QLabel", {}, s("接收"));
        add("mainWindow", "band1TxLabel", "QLabel", {}, s("发射"));
        add("mainWindow", "band2RxLabel", "QLabel", {}, s("接收"));
        add("mainWindow", "band2TxLabel", "QLabel", {}, s("发射"));
        for (const char *name : {"band1RxCombo", "band1TxCombo", "band2RxCombo", "band2TxCombo"})
            add("mainWindow", name, "QComboBox");

        add("splashWindow", "logoLabel", "QLabel", QRect(0, 0, 510, 316));
        add("splashWindow", "closeTimer", "QTimer");

        add("aboutBox", "iconLabel", "QLabel", QRect(32, 40, 57, 65));
        add("aboutBox", "titleLabel", "QLabel", QRect(144, 32, 225, 33),
            s("RPX4100对讲机编程软件 "));
        add("aboutBox", "versionLabel", "QLabel", {}, s("版本：4100-1.001 "));
        add("aboutBox", "rightsLabel", "QLabel");
        add("aboutBox", "makerLabel", "QLabel", {}, s("Dravik"));
        add("aboutBox", "okButton", "QPushButton", QRect(152, 168, 97, 25), s("Ok"));

        add("programmingDialog", "gauge", "QProgressBar", QRect(16, 29, 297, 20));
        add("programmingDialog", "buttonPanel", "QFrame", QRect(16, 64, 297, 57));
        add("programmingDialog", "startButton", "QPushButton", QRect(48, 16, 57, 25));
        add("programmingDialog", "closeButton", "QPushButton", QRect(192, 16, 57, 25), s("关闭"));
        add("programmingDialog", "statusPanel", "QLabel", {}, s("Dravik"));

        add("confirmationDialog", "messageLabel", "QLabel", QRect(88, 32, 225, 49));
        add("confirmationDialog", "iconLabel", "QLabel");
        add("confirmationDialog", "okButton", "QPushButton", {}, s("确定"));
        add("confirmationDialog", "cancelButton", "QPushButton", {}, s("取消"));
    }

    void namedParts()
    {
        QFETCH(QString, window);
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QRect, place);
        QFETCH(bool, clientPlace);
        QFETCH(QString, text);

        QWidget *top = this->window(window);
        QVERIFY(top);
        const QList<QObject *> found = top->findChildren<QObject *>(name);
        QVERIFY2(!found.isEmpty(), qPrintable(name));
        // A menu and its menu action share the name; everything else is unique.
        QObject *part = found.first();
        for (QObject *o : found)
            if (o->inherits(kind.toLatin1()))
                part = o;
        QVERIFY2(part->inherits(kind.toLatin1()), part->metaObject()->className());

        if (!text.isEmpty())
            QCOMPARE(textOf(part), text);
        if (place.isNull())
            return;
        auto *widget = qobject_cast<QWidget *>(part);
        QVERIFY(widget);
        const QRect actual =
            clientPlace ? QRect(widget->mapTo(top, QPoint()), widget->size()) : widget->geometry();
        if (qobject_cast<LinkLabel *>(widget)) {
            // A link label grows about its centre to fit its text.
            QVERIFY(actual.contains(place));
            QVERIFY(qAbs(actual.center().x() - place.center().x()) <= 1);
            QCOMPARE(actual.top(), place.top());
        } else {
            QCOMPARE(actual, place);
        }
    }

    void menuIcons()
    {
        for (QAction *a :
             {form()->ui().newAction, form()->ui().openAction, form()->ui().saveAction,
              form()->ui().openImageAction, form()->ui().importCsvAction,
              form()->ui().exportCsvAction, form()->ui().exitAction, form()->ui().readAction,
              form()->ui().writeAction, form()->ui().channelPageAction,
              form()->ui().optionsPageAction, form()->portAction(1), form()->portAction(2),
              form()->portAction(3), form()->portAction(4), form()->ui().helpAction,
              form()->ui().aboutAction}) {
            QVERIFY2(!a->icon().isNull(), qPrintable(a->objectName()));
            QVERIFY(a->icon().availableSizes().contains(QSize(16, 16)));
        }
    }

    // The radio image and CSV items follow Save, the recent files them; undo,
    // redo and the row clipboard open the Edit menu; "Verify after writing"
    // closes the Options menu, a check item of its own.
    void menuOrder()
    {
        // A separator is "-".
        auto names = [](const QWidget *menu) {
            QStringList list;
            for (const QAction *a : menu->actions())
                list << (a->menu()          ? a->menu()->objectName()
                         : a->isSeparator() ? QStringLiteral("-")
                                            : a->objectName());
            return list;
        };
        const Ui::MainWindow &ui = form()->ui();
        QCOMPARE(names(ui.mainMenuBar),
                 QStringList({"fileMenu", "editMenu", "optionsMenu", "helpMenu"}));
        QCOMPARE(names(ui.fileMenu),
                 QStringList({"newAction", "openAction", "saveAction", "openImageAction",
                              "importCsvAction", "exportCsvAction", "recentMenu", "-",
                              "printAction", "exportPdfAction", "-", "exitAction"}));
        QCOMPARE(
            names(ui.editMenu),
            QStringList({"undoAction", "redoAction", "-", "cutRowsAction", "copyRowsAction",
                         "pasteRowsAction", "-", "readAction", "writeAction", "-",
                         "channelPageAction", "optionsPageAction", "-", "otherFunctionsAction"}));
        QCOMPARE(names(ui.optionsMenu),
                 QStringList({"portMenu", "serialPortAction", "skinMenu", "languageMenu", "-",
                              "verifyAction", "backupFirstAction"}));
        QCOMPARE(names(ui.portMenu),
                 QStringList({"port1Action", "port2Action", "port3Action", "port4Action"}));
        QCOMPARE(names(ui.skinMenu),
                 QStringList({"blueSkinAction", "steelSkinAction", "coffeeSkinAction"}));
        QCOMPARE(names(ui.languageMenu), QStringList({"chineseAction", "englishAction"}));
        QCOMPARE(names(ui.helpMenu), QStringList({"helpAction", "aboutAction"}));
        QVERIFY(ui.verifyAction->isCheckable());
        QVERIFY(ui.verifyAction->actionGroup() == nullptr);
        // The port, skin and language items each form an exclusive group.
        for (QAction *a : {ui.port1Action, ui.blueSkinAction, ui.chineseAction})
            QVERIFY(a->actionGroup() && a->actionGroup()->isExclusive());
    }

    // Options -> "Serial port..." and the button in the port group open the
    // dialog on the chosen entry. It lists the system's ports with their
    // descriptions and USB identifiers, marks an entry whose device is not
    // there, shows a cable plugged in while it is open by itself, and puts a
    // listed device into the chosen entry at a double click. Accepting
    // assigns the devices (kept in [ports]) and chooses the entry; "Find
    // radio" finds a virtual radio given as an entry's device, past listed
    // and default devices that are not there, and chooses its entry.
    void serialPortDialog()
    {
        QVERIFY(form()->isEnabled());
        SerialPortDialog *dialog = form()->serialPortDialog();
        QList<SerialPortDescription> system{
            {"/dev/ttyQB380-acm0", "USB Serial", "Prolific", "A1B2", true, 0x067B, 0x2303}};
        dialog->setPortLister([&system] { return system; });
        form()->portAction(2)->trigger();

        QTest::mouseClick(form()->ui().portDialogButton, Qt::LeftButton);
        QVERIFY(dialog->isVisible());
        QVERIFY(dialog->portRadio(2)->isChecked());
        QTableWidget *list = dialog->portList();
        QCOMPARE(list->rowCount(), 1);
        const QStringList row{"/dev/ttyQB380-acm0", "USB Serial", "Prolific", "067b:2303", "A1B2"};
        for (int column = 0; column < row.size(); ++column)
            QCOMPARE(list->item(0, column)->text(), row.at(column));

        dialog->deviceBox(3)->setEditText(QStringLiteral("/dev/ttyQB380-usb7"));
        QVERIFY(dialog->isMarkedMissing(3));
        QVERIFY(!dialog->marker(3)->text().isEmpty());
        system.append({"/dev/ttyQB380-usb7", "FT232R USB UART", "FTDI", "", true, 0x0403, 0x6001});
        QTRY_COMPARE_WITH_TIMEOUT(list->rowCount(), 2, 3 * SerialPortDialog::RefreshMs);
        QVERIFY(!dialog->isMarkedMissing(3));
        QVERIFY(dialog->marker(3)->text().isEmpty());

        QTest::mouseClick(dialog->portRadio(4), Qt::LeftButton);
        const QRect cell = list->visualItemRect(list->item(0, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(dialog->deviceBox(4)->currentText(), QStringLiteral("/dev/ttyQB380-acm0"));
        QTest::mouseClick(dialog->findChild<QPushButton *>("okButton"), Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(form()->selectedPort(), 4);
        QCOMPARE(form()->serialLink().portName(), QStringLiteral("/dev/ttyQB380-acm0"));
        QCOMPARE(form()->portDevice(3), QStringLiteral("/dev/ttyQB380-usb7"));
        QCOMPARE(
            form()->settings().portDevices,
            (std::array<QString, PortCount>{"", "", "/dev/ttyQB380-usb7", "/dev/ttyQB380-acm0"}));

#ifdef Q_OS_UNIX
        VirtualRadio radio;
        QVERIFY(radio.open());
        QSignalSpy ended(&radio, &VirtualRadio::sessionEnded);
        form()->ui().serialPortAction->trigger();
        QVERIFY(dialog->isVisible());
        QVERIFY(dialog->portRadio(4)->isChecked());
        dialog->deviceBox(2)->setEditText(radio.portName());
        QTest::mouseClick(dialog->findButton(), Qt::LeftButton);
        QVERIFY(dialog->portRadio(2)->isChecked());
        QVERIFY2(dialog->findStatus()->text().contains(radio.portName()),
                 qPrintable(dialog->findStatus()->text()));
        QCOMPARE(ended.size(), 1);
        QTest::mouseClick(dialog->findChild<QPushButton *>("okButton"), Qt::LeftButton);
        QCOMPARE(form()->selectedPort(), 2);
        QCOMPARE(form()->serialLink().portName(), radio.portName());
#endif

        // Back to the default devices for the tests that follow.
        form()->ui().serialPortAction->trigger();
        for (int port = 1; port <= PortCount; ++port)
            dialog->deviceBox(port)->setEditText(QString());
        QTest::mouseClick(dialog->portRadio(1), Qt::LeftButton);
        dialog->accept();
        dialog->setPortLister([] { return QList<SerialPortDescription>(); });
        QCOMPARE(form()->settings().portDevices, (std::array<QString, PortCount>{}));
        QCOMPARE(form()->selectedPort(), 1);
    }

    void statusNote()
    {
        // A note takes the panel's place and gives it back when it goes:
        // the two texts never show on top of each other.
        QLabel *panel = form()->findChild<QLabel *>(QStringLiteral("statusPanel"));
        QVERIFY(panel);
        QVERIFY(!panel->isHidden());
        form()->showStatusNote(QStringLiteral("2 channels pasted."));
        QCOMPARE(form()->statusBar()->currentMessage(), QStringLiteral("2 channels pasted."));
        QVERIFY(panel->isHidden());
        form()->statusBar()->clearMessage();
        QVERIFY(!panel->isHidden());
    }

    void buttonsBar()
    {
        ButtonsBar *bar = form()->ui().buttonsBar;
        QCOMPARE(bar->count(), 3);
        QCOMPARE(bar->itemText(0), QStringLiteral("文件"));
        QCOMPARE(bar->itemText(1), QStringLiteral("编辑"));
        QCOMPARE(bar->itemText(2), QStringLiteral("退出"));
        QCOMPARE(bar->currentIndex(), 0);
        const QStringList texts[] = {
            {"新建", "打开", "保存"}, {"频率读出", "频率写入", "信道编辑", "功能选项"}, {"退出"}};
        for (int section = 0; section < 3; ++section) {
            QCOMPARE(bar->barItemCount(section), texts[section].size());
            for (int i = 0; i < texts[section].size(); ++i) {
                QToolButton *item = bar->barItem(section, i);
                QCOMPARE(item->text(), texts[section][i]);
                QCOMPARE(item->height(), 60);
                QCOMPARE(item->iconSize(), QSize(32, 32));
                QVERIFY(item->icon().availableSizes().contains(QSize(32, 32)));
            }
        }
        QCOMPARE(form()->ui().readButton->iconSize(), QSize(48, 48));
    }

    // The menu item and the radio button of a port stay in step; the
    // command runs once whichever of the two gives it.
    void portCommands_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<QString>("source");
        QTest::addColumn<int>("port");
        QTest::newRow("menu COM(&3)") << 1 << "menu" << 3;
        QTest::newRow("radio COM2") << 1 << "radio" << 2;
        QTest::newRow("menu COM(&4) from 2") << 2 << "menu" << 4;
        QTest::newRow("radio COM1 from 4") << 4 << "radio" << 1;
        QTest::newRow("menu same port") << 3 << "menu" << 3;
        QTest::newRow("radio same port") << 2 << "radio" << 2;
    }

    void portCommands()
    {
        QFETCH(int, before);
        QFETCH(QString, source);
        QFETCH(int, port);
        form()->portAction(before)->trigger();
        QCOMPARE(form()->selectedPort(), before);

        QSignalSpy commands(form(), &MainWindow::portSelected);
        if (source == QLatin1String("menu"))
            form()->portAction(port)->trigger();
        else
            QTest::mouseClick(form()->portRadio(port), Qt::LeftButton);

        QCOMPARE(commands.size(), 1);
        QCOMPARE(commands.at(0).at(0).toInt(), port);
        QCOMPARE(form()->selectedPort(), port);
        QCOMPARE(form()->serialLink().portName(), form()->portDevice(port));
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(form()->portAction(i + 1)->isChecked(), i == port - 1);
            QCOMPARE(form()->portRadio(i + 1)->isChecked(), i == port - 1);
        }
    }

    void pageCommands_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<int>("page");
        QTest::newRow("menu options") << "optionsPageAction" << 1;
        QTest::newRow("menu channels") << "channelPageAction" << 0;
        QTest::newRow("bar options") << "barOptions" << 1;
        QTest::newRow("bar channels") << "barChannels" << 0;
    }

    void pageCommands()
    {
        QFETCH(QString, source);
        QFETCH(int, page);
        QTabWidget *pages = form()->ui().pages;
        pages->setCurrentIndex(1 - page);
        if (auto *action = form()->findChild<QAction *>(source))
            action->trigger();
        else
            form()->findChild<QToolButton *>(source)->click();
        QCOMPARE(pages->currentIndex(), page);
        QCOMPARE(pages->currentWidget()->objectName(),
                 page ? QStringLiteral("optionsPage") : QStringLiteral("channelPage"));
    }

    // One skin dresses the main window and the three dialogs, never the
    // splash.
    void skinCommands_data()
    {
        QTest::addColumn<int>("skin");
        QTest::newRow("steel plate") << 2;
        QTest::newRow("coffee") << 3;
        QTest::newRow("blue family") << 1;
    }

    void skinCommands()
    {
        QFETCH(int, skin);
        const Ui::MainWindow &ui = form()->ui();
        QAction *items[] = {ui.blueSkinAction, ui.steelSkinAction, ui.coffeeSkinAction};
        items[skin - 1]->trigger();

        QCOMPARE(int(form()->skin()), skin);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(items[i]->isChecked(), i == skin - 1);
        const QString sheet = skinStyleSheet(Skin(skin));
        QVERIFY(sheet.size() > 1000);
        for (int other = 1; other <= SkinCount; ++other)
            if (other != skin)
                QVERIFY(skinStyleSheet(Skin(other)) != sheet);
        for (const char *name :
             {"mainWindow", "aboutBox", "programmingDialog", "confirmationDialog"})
            QCOMPARE(window(QString::fromLatin1(name))->styleSheet(), sheet);
        QVERIFY(m_program->splashWindow->styleSheet() != sheet);
    }

    void exitCommand_data()
    {
        QTest::addColumn<QString>("source");
        QTest::newRow("menu") << "exitAction";
        QTest::newRow("bar") << "barExit";
        QTest::newRow("glow button") << "exitButton";
        QTest::newRow("link label") << "exitLabel";
        QTest::newRow("caption bar") << "";
    }

    // Exit closes the main window, which ends the program (the dialogs do
    // not keep it alive: see windows()).
    void exitCommand()
    {
        QFETCH(QString, source);
        MainWindow other;
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other));

        QObject *part = source.isEmpty() ? nullptr : other.findChild<QObject *>(source);
        if (auto *action = qobject_cast<QAction *>(part))
            action->trigger();
        else if (auto *button = qobject_cast<QAbstractButton *>(part))
            button->click();
        else if (auto *label = qobject_cast<LinkLabel *>(part))
            QTest::mouseClick(label, Qt::LeftButton, {}, label->rect().center());
        else
            other.close();

        QVERIFY(!other.isVisible());
    }

    void aboutBox_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("ok button") << "ok";
        QTest::newRow("caption bar") << "close";
        QTest::newRow("escape") << "escape";
    }

    void aboutBox()
    {
        QFETCH(QString, how);
        AboutBox *about = m_program->aboutBox.get();
        form()->ui().aboutAction->trigger();
        QVERIFY(about->isVisible());
        QVERIFY(!form()->isEnabled());
        // Minimised and restored, it is still up.
        about->showMinimized();
        QVERIFY(about->isMinimized());
        QVERIFY(!form()->isEnabled());
        about->showNormal();
        QVERIFY(!about->isMinimized());
        QVERIFY(!form()->isEnabled());

        if (how == QLatin1String("ok"))
            QTest::mouseClick(about->okButton(), Qt::LeftButton);
        else if (how == QLatin1String("close"))
            about->close();
        else
            QTest::keyClick(about, Qt::Key_Escape);

        QVERIFY(!about->isVisible());
        QVERIFY(form()->isEnabled());
    }

    void confirmationDialog_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<bool>("overProgramming");
        QTest::addColumn<int>("news");
        QTest::addColumn<int>("clears");
        QTest::addColumn<int>("pendingAfter");
        QTest::newRow("message, OK")
            << int(ConfirmationDialog::ActionNone) << true << false << 0 << 0 << 1;
        QTest::newRow("message, cancel")
            << int(ConfirmationDialog::ActionNone) << false << false << 0 << 0 << 1;
        QTest::newRow("message over the programming dialog, OK")
            << int(ConfirmationDialog::ActionNone) << true << true << 0 << 0 << 1;
        QTest::newRow("message over the programming dialog, cancel")
            << int(ConfirmationDialog::ActionNone) << false << true << 0 << 0 << 1;
        QTest::newRow("new, OK") << int(ConfirmationDialog::ActionNew) << true << false << 1 << 0
                                 << 1;
        QTest::newRow("new, cancel")
            << int(ConfirmationDialog::ActionNew) << false << false << 0 << 0 << 2;
        QTest::newRow("clear, OK")
            << int(ConfirmationDialog::ActionClear) << true << false << 0 << 1 << 1;
        QTest::newRow("clear, cancel")
            << int(ConfirmationDialog::ActionClear) << false << false << 0 << 0 << 3;
    }

    // A message over the programming dialog (a failed run) takes its
    // stay-on-top style while shown and leaves the main window disabled
    // when it closes: the programming dialog, still open with the port,
    // enables it when it closes itself.
    void confirmationDialog()
    {
        QFETCH(int, action);
        QFETCH(bool, ok);
        QFETCH(bool, overProgramming);
        QFETCH(int, news);
        QFETCH(int, clears);
        QFETCH(int, pendingAfter);
        ConfirmationDialog *message = m_program->confirmationDialog.get();
        ProgrammingDialog *programming = m_program->programmingDialog.get();

        if (overProgramming) {
            programming->show();
            form()->setEnabled(false);
        }
        QVERIFY(programming->windowFlags().testFlag(Qt::WindowStaysOnTopHint));

        int newCount = 0;
        int clearCount = 0;
        bool actedAfterClose = true;
        auto acted = [&](int &count) {
            ++count;
            actedAfterClose = actedAfterClose && !message->isVisible() && form()->isEnabled();
        };
        QMetaObject::Connection c1 =
            connect(message, &ConfirmationDialog::actionNew, this, [&] { acted(newCount); });
        QMetaObject::Connection c2 =
            connect(message, &ConfirmationDialog::actionClear, this, [&] { acted(clearCount); });

        message->showMessage(QStringLiteral("Caption"), QStringLiteral("Text"), action);
        QVERIFY(message->isVisible());
        QCOMPARE(message->windowTitle(), QStringLiteral("Caption"));
        QCOMPARE(message->messageLabel()->text(), QStringLiteral("Text"));
        QCOMPARE(message->pendingAction(), action);
        // The form's size and centred text; a confirmation defaults to
        // Cancel, a message to OK.
        QCOMPARE(message->size(), QSize(334, 161));
        QVERIFY(message->messageLabel()->alignment().testFlag(Qt::AlignHCenter));
        QVERIFY(message->messageLabel()->wordWrap());
        QCOMPARE(message->cancelButton()->isDefault(), action != ConfirmationDialog::ActionNone);
        QCOMPARE(message->okButton()->isDefault(), action == ConfirmationDialog::ActionNone);
        QVERIFY(!form()->isEnabled());
        // The message is not to be hidden behind the programming dialog.
        QVERIFY(!programming->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(programming->isVisible(), overProgramming);

        QTest::mouseClick(ok ? message->okButton() : message->cancelButton(), Qt::LeftButton);

        QVERIFY(!message->isVisible());
        QCOMPARE(form()->isEnabled(), !overProgramming);
        QVERIFY(programming->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(programming->isVisible(), overProgramming);
        QCOMPARE(newCount, news);
        QCOMPARE(clearCount, clears);
        QVERIFY(actedAfterClose);
        QCOMPARE(message->pendingAction(), pendingAfter);

        disconnect(c1);
        disconnect(c2);
        if (overProgramming) {
            QVERIFY(programming->close());
            QVERIFY(form()->isEnabled());
        }
    }

    // A long text is wrapped in the form's width, centred; the dialog grows
    // taller, never wider, and a path without blanks breaks after its
    // separators instead of running out of the dialog.
    void confirmationDialogLongText()
    {
        ConfirmationDialog *message = m_program->confirmationDialog.get();
        const QString text =
            QStringLiteral("The file could not be written: /home/somebody/a-rather-long-folder-"
                           "name/another-folder/and-one-more/channels-for-the-club.r07\n"
                           "Permission denied\nThe channels stay as they are in the window.");
        message->showMessage(QStringLiteral("Caption"), text, ConfirmationDialog::ActionNone);
        QCOMPARE(message->messageText(), text);
        QCOMPARE(message->width(), 334);
        QVERIFY(message->height() > 161);
        QLabel *label = message->messageLabel();
        QVERIFY(label->alignment().testFlag(Qt::AlignHCenter));
        QVERIFY(label->height() >= label->heightForWidth(label->width()));
        QVERIFY(QRect(QPoint(0, 0), message->size()).contains(label->geometry()));
        QVERIFY(label->fontMetrics().horizontalAdvance(
                    QStringLiteral("channels-for-the-club.r07")) < label->width());
        QVERIFY(message->okButton()->geometry().top() > label->geometry().bottom());
        message->okButton()->click();
        // A short text afterwards gives the form's size back.
        message->showMessage(QStringLiteral("Caption"), QStringLiteral("Text"),
                             ConfirmationDialog::ActionNone);
        QCOMPARE(message->size(), QSize(334, 161));
        message->okButton()->click();
        QVERIFY(form()->isEnabled());
    }

    // A run keeps its start button disabled; until it ends the dialog
    // cannot be closed by any means.
    void programmingDialogClose()
    {
        ProgrammingDialog *programming = m_program->programmingDialog.get();
        programming->show();
        form()->setEnabled(false);
        QCOMPARE(programming->focusWidget(), programming->startButton());
        QVERIFY(!programming->gauge()->isTextVisible());

        programming->startButton()->setEnabled(false);
        QVERIFY(!programming->close());
        QTest::keyClick(programming, Qt::Key_Escape);
        programming->closeButton()->click();
        QVERIFY(programming->isVisible());
        QVERIFY(!form()->isEnabled());

        programming->startButton()->setEnabled(true);
        QTest::mouseClick(programming->closeButton(), Qt::LeftButton);
        QVERIFY(!programming->isVisible());
        QVERIFY(form()->isEnabled());
    }

    // Each setting's list and label on the options page: names, built-in
    // label texts, places in their frame (the list centred on its label's
    // line). Ring and the band width are kept but never shown.
    void optionsPage_data()
    {
        QTest::addColumn<int>("setting");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<QString>("frame");
        QTest::addColumn<QRect>("labelPlace");
        QTest::addColumn<QRect>("listPlace");
        auto add = [](Setting setting, const char *list, const char *label, const char *text,
                      bool visible, bool right, int y, int listX, int listWidth) {
            QTest::newRow(list) << int(setting) << QString::fromLatin1(list)
                                << QString::fromLatin1(label) << QString::fromUtf8(text) << visible
                                << (right ? QStringLiteral("optionsFrameRight")
                                          : QStringLiteral("optionsFrameLeft"))
                                << QRect(14, y, listX - 16, 17)
                                << QRect(listX, y - 1, listWidth, 20);
        };
        // clang-format off
        add(Setting::APO,         "apoCombo",          "apoLabel",          "APO功能",              true,  false,  16, 120, 105);
        add(Setting::BEEP,        "beepCombo",         "beepLabel",         "按键音开关",           true,  false,  48, 120, 105);
        add(Setting::BatSave,     "batterySaveCombo",  "batterySaveLabel",  "电池省电",             true,  false,  80, 120, 105);
        add(Setting::scankind,    "scanResumeCombo",   "scanResumeLabel",   "扫描恢复方法",         true,  false, 112, 120, 105);
        add(Setting::Scramble,    "scramblerCombo",    "scramblerLabel",    "扰频功能",             true,  false, 144, 120, 105);
        add(Setting::VFO_MR,      "vfoMrCombo",        "vfoMrLabel",        "VFO/ MR",              true,  false, 176, 120, 105);
        add(Setting::MRfreq_MRCH, "mrDisplayCombo",    "mrDisplayLabel",    "MR freq./ MR CH",      true,  false, 208, 120, 105);
        add(Setting::Squelch,     "squelchCombo",      "squelchLabel",      "静噪等级(SQL)",        true,  false, 240, 120, 105);
        add(Setting::VoxControl,  "voxCombo",          "voxLabel",          "声控等级(VOX)",        true,  false, 272, 120, 105);
        add(Setting::TxT_O_T,     "timeOutCombo",      "timeOutLabel",      "超时定时器(TOT)",      true,  false, 304, 120, 105);
        add(Setting::Ring,        "ringCombo",         "",                  "",                     false, false, 352, 120, 105);
        add(Setting::keyswitch,   "keyLockCombo",      "keyLockLabel",      "按键锁定",             true,  true,   24, 136,  97);
        add(Setting::Switch_U_P,  "upDownUnlockCombo", "upDownUnlockLabel", "解除[up][down]的锁定", true,  true,   56, 136,  97);
        add(Setting::DownFreq,    "reverseCombo",      "reverseLabel",      "倒频",                 true,  true,   88, 136,  97);
        add(Setting::SpreadFreq,  "expansionKeyCombo", "expansionKeyLabel", "按键扩频功能",         true,  true,  120, 136,  97);
        add(Setting::band,        "bandCombo",         "bandLabel",         "频段",                 true,  true,  152, 136,  97);
        add(Setting::Freq_Step,   "stepCombo",         "stepLabel",         "频率步进",             true,  true,  184, 136,  97);
        add(Setting::Txlight,     "txLedCombo",        "txLedLabel",        "发射LED的颜色",        true,  true,  216, 136,  97);
        add(Setting::Rxlight,     "rxLedCombo",        "rxLedLabel",        "接收LED的颜色",        true,  true,  248, 136,  97);
        add(Setting::BroadBand,   "bandWidthCombo",    "bandWidthLabel",    "宽/窄带",              false, true,  360, 120, 105);
        // clang-format on
    }

    void optionsPage()
    {
        QFETCH(int, setting);
        QFETCH(QString, list);
        QFETCH(QString, label);
        QFETCH(QString, text);
        QFETCH(bool, visible);
        QFETCH(QString, frame);
        QFETCH(QRect, labelPlace);
        QFETCH(QRect, listPlace);
        OptionsPage *page = form()->ui().optionsPanel;
        QComboBox *combo = page->combo(Setting(setting));
        QCOMPARE(combo->objectName(), list);
        QCOMPARE(combo->parentWidget()->objectName(), frame);
        QCOMPARE(combo->geometry(), listPlace);
        QCOMPARE(combo->isVisibleTo(page), visible);
        QVERIFY(!combo->isEditable());
        QCOMPARE(combo->maxVisibleItems(), 8);
        QLabel *shown = page->label(Setting(setting));
        if (label.isEmpty()) {
            QVERIFY(!shown);
            return;
        }
        QVERIFY(shown);
        QCOMPARE(shown->objectName(), label);
        QCOMPARE(shown->parentWidget(), combo->parentWidget());
        QCOMPARE(shown->text(), text);
        QCOMPARE(shown->geometry(), labelPlace);
        QCOMPARE(shown->isVisibleTo(page), visible);
    }

    // The lists show the model, and the user's choice goes into it; the
    // SpreadFreq rule of the model then enables the band list.
    void optionsFromTheUser()
    {
        FunctionSettings &settings = form()->radioData().settings;
        OptionsPage *page = form()->ui().optionsPanel;
        QComboBox *spread = page->combo(Setting::SpreadFreq);
        QComboBox *band = page->combo(Setting::band);
        QCOMPARE(spread->objectName(), QStringLiteral("expansionKeyCombo"));
        QCOMPARE(band->objectName(), QStringLiteral("bandCombo"));
        QVERIFY(!spread->isEditable());
        QCOMPARE(spread->maxVisibleItems(), 8);
        QVERIFY(!band->isEnabled());

        QSignalSpy changes(&settings, &FunctionSettings::indexChanged);
        spread->setCurrentIndex(spread->findText(QStringLiteral("启用")));
        QCOMPARE(settings.index(Setting::SpreadFreq), 1);
        QCOMPARE(changes.size(), 1);
        QVERIFY(band->isEnabled());
        QCOMPARE(band->currentIndex(), 0);

        band->setCurrentIndex(1);
        QCOMPARE(settings.index(Setting::band), 1);
        spread->setCurrentIndex(0);
        QVERIFY(!band->isEnabled());
        QCOMPARE(band->currentIndex(), 0);
        QCOMPARE(settings.index(Setting::band), 0);
    }

    void optionsFromTheModel_data()
    {
        QTest::addColumn<int>("setting");
        QTest::addColumn<int>("index");
        QTest::newRow("Squelch") << int(Setting::Squelch) << 7;
        QTest::newRow("TxT.O.T") << int(Setting::TxT_O_T) << 0;
        QTest::newRow("Ring (hidden)") << int(Setting::Ring) << 0;
        QTest::newRow("Rxlight") << int(Setting::Rxlight) << 6;
    }

    void optionsFromTheModel()
    {
        QFETCH(int, setting);
        QFETCH(int, index);
        const auto s = Setting(setting);
        FunctionSettings &settings = form()->radioData().settings;
        QComboBox *combo = form()->ui().optionsPanel->combo(s);
        QCOMPARE(combo->count(), settings.choices(s).size());

        QSignalSpy changes(&settings, &FunctionSettings::indexChanged);
        settings.setIndex(s, index);
        QCOMPARE(combo->currentIndex(), index);
        QCOMPARE(changes.size(), 1);

        // New texts keep the choice.
        QStringList texts = settings.choices(s);
        for (QString &text : texts)
            text += QStringLiteral("*");
        settings.setChoices(s, texts);
        QCOMPARE(combo->currentIndex(), index);
        QCOMPARE(combo->currentText(), texts.at(index));
        QCOMPARE(settings.index(s), index);

        settings.restoreDefaults();
        settings.setChoices(s, settingInfo(s).choices);
        QCOMPARE(combo->currentIndex(), settingInfo(s).defaultIndex);
        QCOMPARE(combo->currentText(), settings.shownText(s));
    }

    void bandRangeLists()
    {
        BandRanges &bands = form()->radioData().bands;
        OptionsPage *page = form()->ui().optionsPanel;
        QVERIFY(page->bandPanel()->isHidden());
        QVERIFY(!page->bandPanel()->isEnabled());
        QCOMPARE(page->bandPanel()->geometry(), QRect(136, 424, 225, 265));
        QComboBox *list1rx = page->bandRangeCombo(0);
        QCOMPARE(list1rx->objectName(), QStringLiteral("band1RxCombo"));
        QCOMPARE(page->bandRangeCombo(3)->objectName(), QStringLiteral("band2TxCombo"));

        bands.list1_rx.clear();
        form()->setWindowTitle(QStringLiteral("RPX-4100"));
        bands.list1_rx.append(QStringLiteral("400-470MHz"));
        bands.list1_rx.append(QStringLiteral("350-390MHz"));
        QCOMPARE(list1rx->count(), 2);
        QCOMPARE(list1rx->currentIndex(), -1);
        QCOMPARE(shownCaption(form()), QStringLiteral("RPX-4100"));

        bands.list1_rx.choose(1);
        QCOMPARE(list1rx->currentIndex(), 1);
        QCOMPARE(shownCaption(form()), QStringLiteral("QB-380"));

        form()->setWindowTitle(QStringLiteral("RPX-4100"));
        list1rx->setCurrentIndex(0);
        QCOMPARE(bands.list1_rx.chosenIndex(), 0);
        QCOMPARE(shownCaption(form()), QStringLiteral("QB-380"));
        bands.list1_rx.clear();
        QCOMPARE(list1rx->count(), 0);
    }

    // A start so slow that the splash's first tick falls due before the
    // main window is first shown (a loaded machine, a cold start): the
    // modal showing of the splash still ends at a tick, and the main window
    // appears. The tick must not close the splash while it is being shown,
    // before the modal showing waits for it.
    void slowStart()
    {
        std::unique_ptr<Program> program = createProgram();
        QThread::msleep(SplashWindow::TimerPeriod + 200);
        QTimer watchdog;
        watchdog.setSingleShot(true);
        connect(&watchdog, &QTimer::timeout, this,
                [] { qFatal("the splash's modal showing never ended"); });
        watchdog.start(5 * SplashWindow::TimerPeriod);

        program->mainWindow->show();

        watchdog.stop();
        QVERIFY(program->mainWindow->isVisible());
        program.reset();
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
