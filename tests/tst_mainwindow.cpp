// The program's windows: start-up, the main window's commands, the options
// page's binding to the model, and the dialogs' show and close rules. One
// program is started for the whole test, as the real start does.
#include "app/aboutbox.h"
#include "app/buttonsbar.h"
#include "app/glowbutton.h"
#include "app/linklabel.h"
#include "app/mainwindow.h"
#include "app/optionspage.h"
#include "app/programmingdialog.h"
#include "app/skins.h"
#include "app/splashwindow.h"
#include "app/startup.h"
#include "editor/confirmationdialog.h"
#include "model/programfolder.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QImageReader>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
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
    QTemporaryDir m_folder;
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
        setProgramFolder(m_folder.path());
        m_program = createProgram();
    }
    void cleanupTestCase()
    {
        m_program.reset();
        setProgramFolder(QString());
    }

    // Runs first: the start shows the splash modally before the main window
    // becomes visible, puts the language marks, and shows the splash again
    // without waiting.
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
        QCOMPARE(m_program->confirmationDialog->PendingAction(), 0);
        QVERIFY(m_program->splashWindow->Timer1()->isActive());
        QCOMPARE(m_program->splashWindow->Timer1()->interval(), 1000);

        struct Showing
        {
            bool modal;
            bool mainVisible;
            bool englishChecked;
        };
        QList<Showing> showings;
        connect(m_program->splashWindow.get(), &SplashWindow::shown, this, [&](bool modal) {
            showings.append({modal, form()->isVisible(), form()->ui().english->isChecked()});
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
        QVERIFY(!form()->ui().chinese->isChecked());
        QCOMPARE(form()->ui().chinese->text(), QStringLiteral("chinese"));

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
        QCOMPARE(w->windowTitle(), title);
        QCOMPARE(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint), onTop);
        QVERIFY(!w->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        if (name != QLatin1String("mainWindow"))
            QVERIFY(!w->testAttribute(Qt::WA_QuitOnClose));
    }

    void splashPicture()
    {
        QVERIFY(QImageReader::supportedImageFormats().contains("jpeg"));
        const QLabel *image = m_program->splashWindow->Image1();
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

        add("mainWindow", "bsSkinMainMenuBar1", "QMenuBar", QRect(0, 0, 793, 22), {}, true);
        add("mainWindow", "file1", "QMenu", {}, s("文件(&F)"));
        add("mainWindow", "new1", "QAction", {}, s("新建(&N)"));
        add("mainWindow", "open1", "QAction", {}, s("打开(&O)"));
        add("mainWindow", "save1", "QAction", {}, s("保存(&S)"));
        add("mainWindow", "openimage1", "QAction", {}, s("打开电台映像(&I)..."));
        add("mainWindow", "importcsv1", "QAction", {}, s("导入 CSV(&M)..."));
        add("mainWindow", "exportcsv1", "QAction", {}, s("导出 CSV(&X)..."));
        add("mainWindow", "N1", "QAction");
        add("mainWindow", "exit1", "QAction", {}, s("退出(&E)"));
        add("mainWindow", "edit1", "QMenu", {}, s("编辑(&P)"));
        add("mainWindow", "read1", "QAction", {}, s("频率读出(&R)"));
        add("mainWindow", "write2", "QAction", {}, s("频率写入(&W)"));
        add("mainWindow", "N3", "QAction");
        add("mainWindow", "chaedit4", "QAction", {}, s("信道编辑(&E)"));
        add("mainWindow", "function1", "QAction", {}, s("功能选项(&Y)"));
        add("mainWindow", "N6", "QAction");
        add("mainWindow", "otherfunc", "QAction", {}, s("其它功能(&T)"));
        add("mainWindow", "option1", "QMenu", {}, s("选项"));
        add("mainWindow", "port1", "QMenu", {}, s("通信端口(&C)"));
        add("mainWindow", "COM11", "QAction", {}, s("COM(&1)"));
        add("mainWindow", "COM21", "QAction", {}, s("COM(&2)"));
        add("mainWindow", "COM31", "QAction", {}, s("COM(&3)"));
        add("mainWindow", "COM41", "QAction", {}, s("COM(&4)"));
        add("mainWindow", "skin1", "QMenu", {}, s("皮肤(&S)"));
        add("mainWindow", "sk1", "QAction", {}, s("蓝色一族"));
        add("mainWindow", "sk2", "QAction", {}, s("钢板"));
        add("mainWindow", "sk3", "QAction", {}, s("咖啡"));
        add("mainWindow", "language", "QMenu", {}, s("语言"));
        add("mainWindow", "chinese", "QAction", {}, s("chinese"));
        add("mainWindow", "english", "QAction", {}, s("英文"));
        add("mainWindow", "verify1", "QAction", {}, s("写入后校验(&V)"));
        add("mainWindow", "Help1", "QMenu", {}, s("帮助(&H)"));
        add("mainWindow", "Help2", "QAction", {}, s("帮助(&H)..."));
        add("mainWindow", "About1", "QAction", {}, s("关于(&A)..."));

        add("mainWindow", "bsSkinPanel1", "QWidget", QRect(0, 32, 121, 489), {}, true);
        add("mainWindow", "bsSkinButtonsBar1", "QToolBox", QRect(1, 1, 119, 352));
        add("mainWindow", "bsSkinNotebook2", "QGroupBox", QRect(1, 356, 119, 131), s("通信端口"));
        add("mainWindow", "bsSkinCheckRadioBox5", "QRadioButton", QRect(32, 8, 73, 25),
            s("   COM1"));
        add("mainWindow", "bsSkinCheckRadioBox6", "QRadioButton", QRect(32, 32, 73, 25),
            s("   COM2"));
        add("mainWindow", "bsSkinCheckRadioBox7", "QRadioButton", QRect(32, 56, 73, 25),
            s("   COM3"));
        add("mainWindow", "bsSkinCheckRadioBox8", "QRadioButton", QRect(32, 80, 73, 25),
            s("   COM4"));

        add("mainWindow", "bsSkinPanel3", "QWidget", QRect(120, 32, 553, 489), {}, true);
        add("mainWindow", "bsSkinPageControl1", "QTabWidget", QRect(0, 0, 553, 489));
        add("mainWindow", "bsSkinTabSheet1", "QWidget");
        add("mainWindow", "bsSkinTabSheet2", "QWidget");
        add("mainWindow", "StringAlignGrid1", "QTableView", QRect(0, 0, 547, 403));
        add("mainWindow", "bsSkinPanel8", "QWidget", QRect(6, 411, 531, 49));
        add("mainWindow", "bsSkinButton6", "QPushButton", QRect(24, 16, 75, 25), s("自动添加"));
        add("mainWindow", "bsSkinButton9", "QPushButton", QRect(120, 16, 75, 25), s("清除信道"));
        add("mainWindow", "bsSkinButton3", "QPushButton", QRect(248, 16, 75, 25), s("信道上移"));
        add("mainWindow", "bsSkinButton4", "QPushButton", QRect(344, 16, 75, 25), s("信道下移"));
        add("mainWindow", "bsSkinButton5", "QPushButton", QRect(432, 16, 75, 25), s("删除信道"));

        add("mainWindow", "bsSkinPanel2", "QWidget", QRect(672, 32, 113, 489), {}, true);
        add("mainWindow", "AdvGlowButton1", "QAbstractButton", QRect(24, 40, 73, 73));
        add("mainWindow", "AdvGlowButton2", "QAbstractButton", QRect(24, 176, 73, 73));
        add("mainWindow", "AdvGlowButton3", "QAbstractButton", QRect(24, 304, 73, 73));
        add("mainWindow", "AALinkLabel1", "LinkLabel", QRect(45, 116, 31, 20), s("读频"));
        add("mainWindow", "AALinkLabel2", "LinkLabel", QRect(45, 252, 31, 20), s("写频"));
        add("mainWindow", "AALinkLabel3", "LinkLabel", QRect(48, 380, 31, 20), s("退出"));
        add("mainWindow", "bsSkinStatusBar1", "QStatusBar", QRect(0, 525, 793, 21), {}, true);
        add("mainWindow", "bsSkinStatusPanel1", "QLabel", {},
            s("     Dravik Torven 对讲机编程软件"));

        // The options page: each setting's list and label.
        for (Setting setting : allSettings()) {
            const SettingInfo &info = settingInfo(setting);
            add("mainWindow", info.comboName.toLatin1().constData(), "QComboBox");
            if (!info.labelName.isEmpty())
                add("mainWindow", info.labelName.toLatin1().constData(), "QLabel", {}, info.label);
        }
        add("mainWindow", "bsSkinNotebook4", "QGroupBox", {}, s("频段一"));
        add("mainWindow", "bsSkinNotebook5", "QGroupBox", {}, s("频段二"));
        add("mainWindow", "bsSkinStdLabel20", "QLabel", {}, s("接收"));
        add("mainWindow", "bsSkinStdLabel21", "QLabel", {}, s("发射"));
        add("mainWindow", "bsSkinStdLabel22", "QLabel", {}, s("接收"));
        add("mainWindow", "bsSkinStdLabel23", "QLabel", {}, s("发射"));
        for (const char *name :
             {"bsSkinComboBox20", "bsSkinComboBox21", "bsSkinComboBox23", "bsSkinComboBox24"})
            add("mainWindow", name, "QComboBox");

        add("splashWindow", "Image1", "QLabel", QRect(0, 0, 510, 316));
        add("splashWindow", "Timer1", "QTimer");

        add("aboutBox", "Image1", "QLabel", QRect(32, 40, 57, 65));
        add("aboutBox", "bsSkinStdLabel4", "QLabel", QRect(144, 32, 225, 33),
            s("RPX4100对讲机编程软件 "));
        add("aboutBox", "bsSkinStdLabel3", "QLabel", {}, s("版本：4100-1.001 "));
        add("aboutBox", "bsSkinStdLabel2", "QLabel");
        add("aboutBox", "bsSkinStdLabel1", "QLabel", {}, s("Dravik"));
        add("aboutBox", "bsSkinButton2", "QPushButton", QRect(152, 168, 97, 25), s("Ok"));

        add("programmingDialog", "bsSkinGauge1", "QProgressBar", QRect(16, 29, 297, 20));
        add("programmingDialog", "buttonPanel", "QFrame", QRect(16, 64, 297, 57));
        add("programmingDialog", "bsSkinButton1", "QPushButton", QRect(48, 16, 57, 25));
        add("programmingDialog", "bsSkinButton2", "QPushButton", QRect(192, 16, 57, 25), s("关闭"));
        add("programmingDialog", "bsSkinStatusPanel1", "QLabel", {}, s("Dravik"));

        add("confirmationDialog", "cap1", "QLabel", QRect(88, 32, 225, 49));
        add("confirmationDialog", "Image1", "QLabel");
        add("confirmationDialog", "bsSkinButton1", "QPushButton", {}, s("确定"));
        add("confirmationDialog", "bsSkinButton2", "QPushButton", {}, s("取消"));
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
             {form()->ui().new1, form()->ui().open1, form()->ui().save1, form()->ui().openimage1,
              form()->ui().importcsv1, form()->ui().exportcsv1, form()->ui().exit1,
              form()->ui().read1, form()->ui().write2, form()->ui().chaedit4,
              form()->ui().function1, form()->ui().COM[0], form()->ui().COM[1], form()->ui().COM[2],
              form()->ui().COM[3], form()->ui().Help2, form()->ui().About1}) {
            QVERIFY2(!a->icon().isNull(), qPrintable(a->objectName()));
            QVERIFY(a->icon().availableSizes().contains(QSize(16, 16)));
        }
    }

    // The radio image and CSV items follow Save; "Verify after writing"
    // closes the Options menu, a check item of its own.
    void menuOrder()
    {
        auto names = [](const QMenu *menu) {
            QStringList list;
            for (const QAction *a : menu->actions())
                list << (a->menu() ? a->menu()->objectName() : a->objectName());
            return list;
        };
        QCOMPARE(names(form()->ui().file1),
                 QStringList({"new1", "open1", "save1", "openimage1", "importcsv1", "exportcsv1",
                              "N1", "exit1"}));
        QCOMPARE(names(form()->ui().option1),
                 QStringList({"port1", "skin1", "language", "verifySeparator", "verify1"}));
        QVERIFY(form()->ui().N1->isSeparator());
        QVERIFY(form()->ui().verify1->isCheckable());
        QVERIFY(form()->ui().verify1->actionGroup() == nullptr);
    }

    void buttonsBar()
    {
        ButtonsBar *bar = form()->ui().bsSkinButtonsBar1;
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
        QCOMPARE(form()->ui().AdvGlowButton1->iconSize(), QSize(48, 48));
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
        const MainWindow::Widgets &ui = form()->ui();
        ui.COM[before - 1]->trigger();
        QCOMPARE(form()->SelectedPort(), before);

        QSignalSpy commands(form(), &MainWindow::portSelected);
        if (source == QLatin1String("menu"))
            ui.COM[port - 1]->trigger();
        else
            QTest::mouseClick(ui.portRadio[port - 1], Qt::LeftButton);

        QCOMPARE(commands.size(), 1);
        QCOMPARE(commands.at(0).at(0).toInt(), port);
        QCOMPARE(form()->SelectedPort(), port);
        QCOMPARE(form()->CommPort(), port);
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(ui.COM[i]->isChecked(), i == port - 1);
            QCOMPARE(ui.portRadio[i]->isChecked(), i == port - 1);
        }
    }

    void pageCommands_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<int>("page");
        QTest::newRow("menu options") << "function1" << 1;
        QTest::newRow("menu channels") << "chaedit4" << 0;
        QTest::newRow("bar options") << "barOptions" << 1;
        QTest::newRow("bar channels") << "barChannels" << 0;
    }

    void pageCommands()
    {
        QFETCH(QString, source);
        QFETCH(int, page);
        QTabWidget *pages = form()->ui().bsSkinPageControl1;
        pages->setCurrentIndex(1 - page);
        if (auto *action = form()->findChild<QAction *>(source))
            action->trigger();
        else
            form()->findChild<QToolButton *>(source)->click();
        QCOMPARE(pages->currentIndex(), page);
        QCOMPARE(pages->currentWidget()->objectName(),
                 page ? QStringLiteral("bsSkinTabSheet2") : QStringLiteral("bsSkinTabSheet1"));
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
        const MainWindow::Widgets &ui = form()->ui();
        QAction *items[] = {ui.sk1, ui.sk2, ui.sk3};
        items[skin - 1]->trigger();

        QCOMPARE(form()->SelectedSkin(), skin);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(items[i]->isChecked(), i == skin - 1);
        const QString sheet = skinStyleSheet(skin);
        QVERIFY(sheet.size() > 1000);
        for (int other = 1; other <= SkinCount; ++other)
            if (other != skin)
                QVERIFY(skinStyleSheet(other) != sheet);
        for (const char *name :
             {"mainWindow", "aboutBox", "programmingDialog", "confirmationDialog"})
            QCOMPARE(window(QString::fromLatin1(name))->styleSheet(), sheet);
        QVERIFY(m_program->splashWindow->styleSheet() != sheet);
    }

    void exitCommand_data()
    {
        QTest::addColumn<QString>("source");
        QTest::newRow("menu") << "exit1";
        QTest::newRow("bar") << "barExit";
        QTest::newRow("glow button") << "AdvGlowButton3";
        QTest::newRow("link label") << "AALinkLabel3";
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
        form()->ui().About1->trigger();
        QVERIFY(about->isVisible());
        QVERIFY(!form()->isEnabled());

        if (how == QLatin1String("ok"))
            QTest::mouseClick(about->bsSkinButton2(), Qt::LeftButton);
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
        QCOMPARE(message->cap1()->text(), QStringLiteral("Text"));
        QCOMPARE(message->PendingAction(), action);
        QVERIFY(!form()->isEnabled());
        // The message is not to be hidden behind the programming dialog.
        QVERIFY(!programming->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(programming->isVisible(), overProgramming);

        QTest::mouseClick(ok ? message->bsSkinButton1() : message->bsSkinButton2(), Qt::LeftButton);

        QVERIFY(!message->isVisible());
        QCOMPARE(form()->isEnabled(), !overProgramming);
        QVERIFY(programming->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(programming->isVisible(), overProgramming);
        QCOMPARE(newCount, news);
        QCOMPARE(clearCount, clears);
        QVERIFY(actedAfterClose);
        QCOMPARE(message->PendingAction(), pendingAfter);

        disconnect(c1);
        disconnect(c2);
        if (overProgramming) {
            QVERIFY(programming->close());
            QVERIFY(form()->isEnabled());
        }
    }

    // A run keeps its start button disabled; until it ends the dialog
    // cannot be closed by any means.
    void programmingDialogClose()
    {
        ProgrammingDialog *programming = m_program->programmingDialog.get();
        programming->show();
        form()->setEnabled(false);
        QCOMPARE(programming->focusWidget(), programming->bsSkinButton1());
        QVERIFY(!programming->bsSkinGauge1()->isTextVisible());

        programming->bsSkinButton1()->setEnabled(false);
        QVERIFY(!programming->close());
        QTest::keyClick(programming, Qt::Key_Escape);
        programming->bsSkinButton2()->click();
        QVERIFY(programming->isVisible());
        QVERIFY(!form()->isEnabled());

        programming->bsSkinButton1()->setEnabled(true);
        QTest::mouseClick(programming->bsSkinButton2(), Qt::LeftButton);
        QVERIFY(!programming->isVisible());
        QVERIFY(form()->isEnabled());
    }

    // The lists show the model, and the user's choice goes into it; the
    // SpreadFreq rule of the model then enables the band list.
    void optionsFromTheUser()
    {
        FunctionSettings &settings = form()->radioData().settings;
        OptionsPage *page = form()->ui().options;
        QComboBox *spread = page->combo(Setting::SpreadFreq);
        QComboBox *band = page->combo(Setting::band);
        QCOMPARE(spread->objectName(), QStringLiteral("bsSkinComboBox16"));
        QCOMPARE(band->objectName(), QStringLiteral("bsSkinComboBox22"));
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
        QComboBox *combo = form()->ui().options->combo(s);
        QCOMPARE(combo->count(), settings.choices(s).size());
        QCOMPARE(combo->isVisibleTo(form()->ui().options), settingInfo(s).visible);

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
        OptionsPage *page = form()->ui().options;
        QVERIFY(page->bandPanel()->isHidden());
        QVERIFY(!page->bandPanel()->isEnabled());
        QCOMPARE(page->bandPanel()->geometry(), QRect(136, 424, 225, 265));
        QComboBox *list1rx = page->bandCombo(0);
        QCOMPARE(list1rx->objectName(), QStringLiteral("bsSkinComboBox20"));
        QCOMPARE(page->bandCombo(3)->objectName(), QStringLiteral("bsSkinComboBox24"));

        bands.list1_rx.clear();
        form()->setWindowTitle(QStringLiteral("RPX-4100"));
        bands.list1_rx.append(QStringLiteral("400-470MHz"));
        bands.list1_rx.append(QStringLiteral("350-390MHz"));
        QCOMPARE(list1rx->count(), 2);
        QCOMPARE(list1rx->currentIndex(), -1);
        QCOMPARE(form()->windowTitle(), QStringLiteral("RPX-4100"));

        bands.list1_rx.choose(1);
        QCOMPARE(list1rx->currentIndex(), 1);
        QCOMPARE(form()->windowTitle(), QStringLiteral("QB-380"));

        form()->setWindowTitle(QStringLiteral("RPX-4100"));
        list1rx->setCurrentIndex(0);
        QCOMPARE(bands.list1_rx.chosenIndex(), 0);
        QCOMPARE(form()->windowTitle(), QStringLiteral("QB-380"));
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
