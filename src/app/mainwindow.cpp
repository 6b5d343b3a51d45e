#include "app/mainwindow.h"

#include "app/aboutbox.h"
#include "app/buttonsbar.h"
#include "app/channelfilecommands.h"
#include "app/dialoglock.h"
#include "app/extrafilecommands.h"
#include "app/glowbutton.h"
#include "app/linklabel.h"
#include "app/optionspage.h"
#include "app/programmingdialog.h"
#include "app/skins.h"
#include "app/splashwindow.h"
#include "app/windowtexts.h"
#include "editor/channelgrid.h"
#include "editor/channeltablemodel.h"
#include "editor/confirmationdialog.h"
#include "i18n/languageswitch.h"
#include "model/programfolder.h"
#include "radio/programmingrun.h"
#include "radio/seriallink.h"
#include "storage/appsettings.h"
#include "storage/settingsfile.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>

namespace {

QIcon icon(const char *name, int size)
{
    return QIcon(QStringLiteral(":/icons/%1-%2.png").arg(QLatin1String(name)).arg(size));
}

QFrame *makePanel(QWidget *parent, const char *name, const QRect &rect)
{
    auto *panel = new QFrame(parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setGeometry(rect);
    return panel;
}

// A menu item's text as the title of the file dialog it opens: without its
// mnemonic and the dots that say a dialog follows.
QString dialogTitle(QString text)
{
    static const QRegularExpression mnemonicInBrackets(QStringLiteral("\\(&[^&]\\)"));
    static const QRegularExpression mnemonic(QStringLiteral("&(?!&)"));
    static const QRegularExpression dots(QStringLiteral("(\\.\\.\\.|…)\\s*$"));
    text.remove(mnemonicInBrackets);
    text.remove(mnemonic);
    text.remove(dots);
    return text.trimmed();
}

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QStringLiteral("RPX-4100"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/radio-64.png")));
    setFixedSize(ClientWidth, ClientHeight);

    m_channelModel = new ChannelTableModel(&m_data.table, this);
    m_link = std::make_unique<SerialLink>();
    m_run = std::make_unique<ProgrammingRun>(*m_link, m_data);

    buildMenu();
    // The client area below the menu bar; the places of its parts are
    // client coordinates of the window, so they are moved up by the bar.
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    buildLeftColumn(client);
    buildCentre(client);
    buildEditor();
    buildRightColumn(client);
    buildStatusBar();

    connect(&m_data.bands, &BandRanges::chosenTextChanged, this,
            [this] { setWindowTitle(QStringLiteral("QB-380")); });

    m_messageFunction = [this](MessageKind kind, const QString &text) {
        showMessageBox(this, kind, text);
    };
    ChannelFileCommands::Window fileWindow;
    fileWindow.parent = this;
    fileWindow.commitEdit = [this] { return commitEdit(false); };
    fileWindow.setCaption = [this](const QString &caption) { setWindowTitle(caption); };
    fileWindow.message = [this](MessageKind kind, const QString &text) {
        showUserMessage(kind, text);
    };
    m_fileCommands = std::make_unique<ChannelFileCommands>(&m_data, fileWindow);

    ExtraFileCommands::Window extraWindow;
    extraWindow.parent = this;
    extraWindow.commitEdit = [this](bool hideEditors) { return commitEdit(hideEditors); };
    extraWindow.setCaption = fileWindow.setCaption;
    extraWindow.message = fileWindow.message;
    extraWindow.note = [this](const QString &text) { showStatusNote(text); };
    extraWindow.title = [this](ExtraFileCommands::Command command) {
        const QAction *item =
            command == ExtraFileCommands::Command::OpenImage   ? m_ui.openImageAction
            : command == ExtraFileCommands::Command::ImportCsv ? m_ui.importCsvAction
                                                               : m_ui.exportCsvAction;
        return dialogTitle(item->text());
    };
    extraWindow.texts = &m_messages;
    m_extraCommands = std::make_unique<ExtraFileCommands>(&m_data, extraWindow);

    restoreSettings();
}

MainWindow::~MainWindow()
{
    storeSettings();
    // The pages show the radio data, a member that dies before QWidget's
    // destructor deletes the children (and hides them, which makes the grid
    // read its cells again): take the pages down while the data lives.
    delete takeCentralWidget();
}

void MainWindow::buildMenu()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("mainMenuBar"));
    bar->setNativeMenuBar(false);
    bar->setFixedHeight(MenuBarHeight);
    m_ui.mainMenuBar = bar;

    auto menu = [](QWidget *parent, const char *name, const QString &title) {
        auto *m = new QMenu(title, parent);
        m->setObjectName(QString::fromLatin1(name));
        m->menuAction()->setObjectName(QString::fromLatin1(name));
        return m;
    };
    auto item = [this](QMenu *m, const char *name, const QString &text, const char *iconName,
                       void (MainWindow::*handler)()) {
        QAction *a = m->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        if (iconName)
            a->setIcon(icon(iconName, 16));
        if (handler)
            connect(a, &QAction::triggered, this, handler);
        return a;
    };
    auto separator = [](QMenu *m, const char *name) {
        QAction *a = m->addSeparator();
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };

    Widgets &u = m_ui;
    u.fileMenu = menu(bar, "fileMenu", QStringLiteral("文件(&F)"));
    u.newAction = item(u.fileMenu, "newAction", QStringLiteral("新建(&N)"), "new",
                       &MainWindow::newChannelList);
    u.openAction = item(u.fileMenu, "openAction", QStringLiteral("打开(&O)"), "open",
                        &MainWindow::openChannelFile);
    u.saveAction = item(u.fileMenu, "saveAction", QStringLiteral("保存(&S)"), "save",
                        &MainWindow::saveChannelFile);
    u.openImageAction = item(u.fileMenu, "openImageAction", builtInText(201), "openimage",
                             &MainWindow::openRadioImage);
    u.importCsvAction =
        item(u.fileMenu, "importCsvAction", builtInText(202), "importcsv", &MainWindow::importCsv);
    u.exportCsvAction =
        item(u.fileMenu, "exportCsvAction", builtInText(203), "exportcsv", &MainWindow::exportCsv);
    u.exitSeparator = separator(u.fileMenu, "exitSeparator");
    u.exitAction = item(u.fileMenu, "exitAction", QStringLiteral("退出(&E)"), "exit",
                        &MainWindow::exitProgram);
    bar->addMenu(u.fileMenu);

    u.editMenu = menu(bar, "editMenu", QStringLiteral("编辑(&P)"));
    u.readAction = item(u.editMenu, "readAction", QStringLiteral("频率读出(&R)"), "read",
                        &MainWindow::readRadio);
    u.writeAction = item(u.editMenu, "writeAction", QStringLiteral("频率写入(&W)"), "write",
                         &MainWindow::writeRadio);
    u.pageSeparator = separator(u.editMenu, "pageSeparator");
    u.channelPageAction = item(u.editMenu, "channelPageAction", QStringLiteral("信道编辑(&E)"),
                               "channels", &MainWindow::showChannelPage);
    u.optionsPageAction = item(u.editMenu, "optionsPageAction", QStringLiteral("功能选项(&Y)"),
                               "options", &MainWindow::showOptionsPage);
    u.otherSeparator = separator(u.editMenu, "otherSeparator");
    u.otherFunctionsAction =
        item(u.editMenu, "otherFunctionsAction", QStringLiteral("其它功能(&T)"), nullptr, nullptr);
    bar->addMenu(u.editMenu);

    u.optionsMenu = menu(bar, "optionsMenu", QStringLiteral("选项"));
    u.portMenu = menu(u.optionsMenu, "portMenu", QStringLiteral("通信端口(&C)"));
    m_portGroup = new QActionGroup(this);
    for (int i = 0; i < 4; ++i) {
        const QByteArray name = "port" + QByteArray::number(i + 1) + "Action";
        QAction *a = item(u.portMenu, name.constData(), QStringLiteral("COM(&%1)").arg(i + 1),
                          "port", nullptr);
        connect(a, &QAction::triggered, this, [this, i] { selectPort(i + 1); });
        a->setCheckable(true);
        m_portGroup->addAction(a);
        u.portActions[i] = a;
    }
    u.portActions[0]->setChecked(true);
    u.optionsMenu->addMenu(u.portMenu);

    u.skinMenu = menu(u.optionsMenu, "skinMenu", QStringLiteral("皮肤(&S)"));
    m_skinGroup = new QActionGroup(this);
    u.blueSkinAction =
        item(u.skinMenu, "blueSkinAction", QStringLiteral("蓝色一族"), nullptr, nullptr);
    u.steelSkinAction =
        item(u.skinMenu, "steelSkinAction", QStringLiteral("钢板"), nullptr, nullptr);
    u.coffeeSkinAction =
        item(u.skinMenu, "coffeeSkinAction", QStringLiteral("咖啡"), nullptr, nullptr);
    const std::pair<QAction *, Skin> skins[] = {{u.blueSkinAction, Skin::Blue},
                                                {u.steelSkinAction, Skin::Steel},
                                                {u.coffeeSkinAction, Skin::Coffee}};
    for (const auto &entry : skins) {
        QAction *a = entry.first;
        connect(a, &QAction::triggered, this, [this, skin = entry.second] { selectSkin(skin); });
        a->setCheckable(true);
        m_skinGroup->addAction(a);
    }
    u.optionsMenu->addMenu(u.skinMenu);

    u.languageMenu = menu(u.optionsMenu, "languageMenu", QStringLiteral("语言"));
    auto *languageGroup = new QActionGroup(this);
    u.chineseAction = item(u.languageMenu, "chineseAction", QStringLiteral("中文"), nullptr,
                           &MainWindow::switchToChinese);
    u.englishAction = item(u.languageMenu, "englishAction", QStringLiteral("英文"), nullptr,
                           &MainWindow::switchToEnglish);
    for (QAction *a : {u.chineseAction, u.englishAction}) {
        a->setCheckable(true);
        languageGroup->addAction(a);
    }
    u.optionsMenu->addMenu(u.languageMenu);
    separator(u.optionsMenu, "verifySeparator");
    u.verifyAction = item(u.optionsMenu, "verifyAction", builtInText(204), nullptr, nullptr);
    u.verifyAction->setCheckable(true);
    // On every change, also the stored option's at start.
    connect(u.verifyAction, &QAction::toggled, this, &MainWindow::applyVerifyOption);
    bar->addMenu(u.optionsMenu);

    u.helpMenu = menu(bar, "helpMenu", QStringLiteral("帮助(&H)"));
    u.helpAction = item(u.helpMenu, "helpAction", QStringLiteral("帮助(&H)..."), "help", nullptr);
    u.aboutAction = item(u.helpMenu, "aboutAction", QStringLiteral("关于(&A)..."), "about",
                         &MainWindow::showAboutBox);
    bar->addMenu(u.helpMenu);
}

void MainWindow::buildLeftColumn(QWidget *client)
{
    Widgets &u = m_ui;
    u.leftPanel = makePanel(client, "leftPanel", QRect(0, 32 - MenuBarHeight, 121, 489));

    ButtonsBar *bar = new ButtonsBar(u.leftPanel);
    bar->setGeometry(1, 1, 119, 352);
    u.buttonsBar = bar;

    struct BarItem
    {
        const char *name;
        const char *text;
        const char *icon;
        void (MainWindow::*handler)();
    };
    struct Section
    {
        const char *name;
        const char *title;
        std::initializer_list<BarItem> items;
    };
    const Section sections[] = {
        {"barSectionFile",
         "文件",
         {{"barNew", "新建", "new", &MainWindow::newChannelList},
          {"barOpen", "打开", "open", &MainWindow::openChannelFile},
          {"barSave", "保存", "save", &MainWindow::saveChannelFile}}},
        {"barSectionEdit",
         "编辑",
         {{"barRead", "频率读出", "read", &MainWindow::readRadio},
          {"barWrite", "频率写入", "write", &MainWindow::writeRadio},
          {"barChannels", "信道编辑", "channels", &MainWindow::showChannelPage},
          {"barOptions", "功能选项", "options", &MainWindow::showOptionsPage}}},
        {"barSectionExit", "退出", {{"barExit", "退出", "exit", &MainWindow::exitProgram}}},
    };
    for (const Section &section : sections) {
        const int index =
            bar->addSection(QString::fromLatin1(section.name), QString::fromUtf8(section.title));
        for (const BarItem &entry : section.items) {
            QToolButton *button =
                bar->addBarItem(index, QString::fromLatin1(entry.name), icon(entry.icon, 32),
                                QString::fromUtf8(entry.text));
            connect(button, &QToolButton::clicked, this, entry.handler);
        }
    }
    bar->setCurrentIndex(0);

    auto *group = new QGroupBox(QStringLiteral("通信端口"), u.leftPanel);
    group->setObjectName(QStringLiteral("portGroup"));
    group->setGeometry(1, 356, 119, 131);
    u.portGroup = group;
    // The radio buttons sit in the group's area under its caption.
    auto *inner = new QWidget(group);
    inner->setObjectName(QStringLiteral("portGroupClient"));
    inner->setGeometry(0, 18, 119, 113);
    for (int i = 0; i < 4; ++i) {
        auto *radio = new QRadioButton(QStringLiteral("   COM%1").arg(i + 1), inner);
        radio->setObjectName(QStringLiteral("port%1Radio").arg(i + 1));
        radio->setGeometry(32, 8 + 24 * i, 73, 25);
        connect(radio, &QRadioButton::clicked, this, [this, i] { selectPort(i + 1); });
        u.portRadios[i] = radio;
    }
    u.portRadios[0]->setChecked(true);
}

void MainWindow::buildCentre(QWidget *client)
{
    Widgets &u = m_ui;
    u.centrePanel = new QWidget(client);
    u.centrePanel->setObjectName(QStringLiteral("centrePanel"));
    u.centrePanel->setGeometry(120, 32 - MenuBarHeight, 553, 489);

    u.pages = new QTabWidget(u.centrePanel);
    u.pages->setObjectName(QStringLiteral("pages"));
    u.pages->setGeometry(0, 0, 553, 489);
    u.pages->setDocumentMode(false);

    u.channelPage = new QWidget;
    u.channelPage->setObjectName(QStringLiteral("channelPage"));
    u.channelGrid = new ChannelGrid(u.channelPage);
    u.channelGrid->setChannelModel(m_channelModel);
    u.channelGrid->setGeometry(0, 0, 547, 403);

    u.channelButtonsPanel = makePanel(u.channelPage, "channelButtonsPanel", QRect(6, 411, 531, 49));
    const struct
    {
        QPushButton **button;
        const char *name;
        const char *text;
        int x;
    } buttons[] = {
        {&u.autoAddButton, "autoAddButton", "自动添加", 24},
        {&u.clearChannelsButton, "clearChannelsButton", "清除信道", 120},
        {&u.moveUpButton, "moveUpButton", "信道上移", 248},
        {&u.moveDownButton, "moveDownButton", "信道下移", 344},
        {&u.deleteChannelButton, "deleteChannelButton", "删除信道", 432},
    };
    for (const auto &b : buttons) {
        *b.button = new QPushButton(QString::fromUtf8(b.text), u.channelButtonsPanel);
        (*b.button)->setObjectName(QString::fromLatin1(b.name));
        (*b.button)->setGeometry(b.x, 16, 75, 25);
    }

    u.optionsPage = new QWidget;
    u.optionsPage->setObjectName(QStringLiteral("optionsPage"));
    u.optionsPanel = new OptionsPage(&m_data.settings, &m_data.bands, u.optionsPage);
    u.optionsPanel->setGeometry(0, 0, 553, 489);

    u.pages->addTab(u.channelPage, QStringLiteral("信道编辑"));
    u.pages->addTab(u.optionsPage, QStringLiteral("功能选项"));
    u.pages->setCurrentWidget(u.channelPage);
}

void MainWindow::buildEditor()
{
    Widgets &u = m_ui;
    m_editor = new ChannelEditor(&m_data, u.channelGrid, u.channelPage, this);
    m_editor->setButtons(u.autoAddButton, u.clearChannelsButton, u.moveUpButton, u.moveDownButton,
                         u.deleteChannelButton);
    m_editor->setConfirmTexts([this] { return confirmTexts(); });
    for (int list = 0; list < 4; ++list)
        m_editor->watchBandRangeList(u.optionsPanel->bandRangeCombo(list));
}

ChannelEditor::ConfirmTexts MainWindow::confirmTexts() const
{
    return {m_messages.confirmTitle, m_messages.newConfirmText, m_messages.clearConfirmText};
}

void MainWindow::buildRightColumn(QWidget *client)
{
    Widgets &u = m_ui;
    u.rightPanel = makePanel(client, "rightPanel", QRect(672, 32 - MenuBarHeight, 113, 489));

    const struct
    {
        GlowButton **button;
        LinkLabel **label;
        const char *buttonName;
        const char *labelName;
        const char *icon;
        const char *text;
        int y;
        QRect labelPlace;
        void (MainWindow::*handler)();
    } entries[] = {
        {&u.readButton, &u.readLabel, "readButton", "readLabel", "read", "读频", 40,
         QRect(45, 116, 31, 20), &MainWindow::readRadio},
        {&u.writeButton, &u.writeLabel, "writeButton", "writeLabel", "write", "写频", 176,
         QRect(45, 252, 31, 20), &MainWindow::writeRadio},
        {&u.exitButton, &u.exitLabel, "exitButton", "exitLabel", "exit", "退出", 304,
         QRect(48, 380, 31, 20), &MainWindow::exitProgram},
    };
    for (const auto &e : entries) {
        auto *button = new GlowButton(u.rightPanel);
        button->setObjectName(QString::fromLatin1(e.buttonName));
        button->setIcon(icon(e.icon, 48));
        button->setGeometry(24, e.y, 73, 73);
        connect(button, &GlowButton::clicked, this, e.handler);
        *e.button = button;

        auto *label = new LinkLabel(QString::fromUtf8(e.text), u.rightPanel);
        label->setObjectName(QString::fromLatin1(e.labelName));
        label->place(e.labelPlace);
        connect(label, &LinkLabel::clicked, this, e.handler);
        *e.label = label;
    }
}

void MainWindow::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("statusBar"));
    bar->setSizeGripEnabled(false);
    bar->setFixedHeight(StatusBarHeight);
    auto *panel = new QLabel(QStringLiteral("     Dravik Torven 对讲机编程软件"), bar);
    panel->setObjectName(QStringLiteral("statusPanel"));
    bar->addWidget(panel, 1);
    m_ui.statusBar = bar;
    m_ui.statusPanel = panel;
}

void MainWindow::setWindows(SplashWindow *splash, AboutBox *about, ProgrammingDialog *programming,
                            ConfirmationDialog *message)
{
    m_splash = splash;
    m_about = about;
    m_programming = programming;
    m_message = message;
    // This window takes no input while one of the three is shown.
    auto *lock = new DialogLock(this, this);
    for (QWidget *dialog : {static_cast<QWidget *>(m_about), static_cast<QWidget *>(m_programming),
                            static_cast<QWidget *>(m_message)})
        lock->addDialog(dialog);
    if (m_programming) {
        m_programming->setRadio(m_link.get(), m_run.get(), &m_data);
        applyVerifyOption();
        m_programming->setMessageDialog(m_message);
        m_programming->setMessages(&m_messages);
    }
    if (m_message)
        m_message->setProgrammingDialog(m_programming);
    m_editor->setConfirmationDialog(m_message);
    // The skin chosen while this window was created dresses them too.
    applySkin();
}

SplashWindow *MainWindow::splashWindow() const
{
    return m_splash;
}

AboutBox *MainWindow::aboutBox() const
{
    return m_about;
}

ProgrammingDialog *MainWindow::programmingDialog() const
{
    return m_programming;
}

ConfirmationDialog *MainWindow::confirmationDialog() const
{
    return m_message;
}

void MainWindow::setVisible(bool visible)
{
    if (visible && !m_shown) {
        m_shown = true;
        if (QScreen *s = screen())
            move(s->availableGeometry().center() - rect().center());
        firstShow();
    }
    QMainWindow::setVisible(visible);
}

void MainWindow::restoreSettings()
{
    // The stored port and skin are activated exactly as if the user had
    // picked them, then the band range lists are filled; restoring a chosen
    // entry sets the caption "QB-380". A missing file gives port 1, skin 1.
    m_settingsFile = std::make_unique<SettingsFile>(SettingsFile::defaultPath());
    QStringList warnings;
    m_settings = loadAppSettings(*m_settingsFile, &warnings);
    for (const QString &warning : warnings)
        qWarning("%s", qUtf8Printable(warning));
    selectPort(m_settings.port);
    selectSkin(m_settings.skin);
    fillBandRanges(m_data.bands, m_settings.bandLists);
    m_ui.verifyAction->setChecked(m_settings.verifyAfterWriting);
}

void MainWindow::firstShow()
{
    if (m_splash)
        m_splash->exec();
    // Every start is in English; the grid holds no channels yet, so there
    // is nothing to convert.
    selectLanguage(true);
    if (m_splash)
        m_splash->show();
}

void MainWindow::storeSettings()
{
    if (!m_settingsFile)
        return;
    const SettingsSaveResult saved = saveAppSettings(*m_settingsFile, settings());
    if (!saved.ok)
        showUserMessage(MessageKind::Error, saved.message);
    m_settingsFile.reset();
}

AppSettings MainWindow::settings() const
{
    AppSettings current = m_settings;
    current.bandLists = storedBandLists(m_data.bands);
    return current;
}

void MainWindow::loadLanguage(const QString &name)
{
    const LanguageWindows windows{this, m_about.data(), m_programming.data(), m_message.data()};
    ::loadLanguage(
        name, m_data, m_messages, [&windows](const TextTarget &target, const QString &text) {
            // A library made before the program's own numbers
            // existed leaves their items with the built-in texts.
            setTargetText(windows, target,
                          LanguageTable::isOwnNumber(target.number) ? textOr(text, target.number)
                                                                    : text);
        });
}

void MainWindow::selectLanguage(bool english)
{
    QAction *chosen = english ? m_ui.englishAction : m_ui.chineseAction;
    QAction *other = english ? m_ui.chineseAction : m_ui.englishAction;
    chosen->setChecked(true);
    other->setChecked(false);
    // The library's own name for Chinese replaces this when it is found.
    m_ui.chineseAction->setText(english ? QStringLiteral("chinese") : QStringLiteral("中文"));
    loadLanguage(english ? QStringLiteral("eng") : QStringLiteral("chn"));
}

ChannelFileDialog &MainWindow::openDialog()
{
    return m_fileCommands->openDialog();
}

ChannelFileDialog &MainWindow::saveDialog()
{
    return m_fileCommands->saveDialog();
}

RememberingFileDialog &MainWindow::imageDialog()
{
    return m_extraCommands->imageDialog();
}

RememberingFileDialog &MainWindow::importCsvDialog()
{
    return m_extraCommands->importDialog();
}

RememberingFileDialog &MainWindow::exportCsvDialog()
{
    return m_extraCommands->exportDialog();
}

void MainWindow::showStatusNote(const QString &text)
{
    // A temporary message: the panel with the language's text is only
    // covered while it shows.
    statusBar()->showMessage(text, StatusNoteMs);
}

void MainWindow::showUserMessage(MessageKind kind, const QString &text)
{
    if (m_messageFunction)
        m_messageFunction(kind, text);
}

bool MainWindow::commitEdit(bool hideToneList)
{
    return m_editor->commitEdit(hideToneList);
}

void MainWindow::newChannelList()
{
    m_editor->askNewTable();
}

void MainWindow::openChannelFile()
{
    // A cell editor that is open stays as it is.
    m_fileCommands->open();
}

void MainWindow::saveChannelFile()
{
    // The file commands run commitEdit(false) first: a frequency being typed
    // goes into its row, and a text that is no number stops the save.
    m_fileCommands->save();
}

void MainWindow::openRadioImage()
{
    // The image replaces every channel: the editors are committed and
    // hidden first.
    m_extraCommands->openImage();
}

void MainWindow::importCsv()
{
    m_extraCommands->importCsv();
}

void MainWindow::exportCsv()
{
    m_extraCommands->exportCsv();
}

void MainWindow::applyVerifyOption()
{
    // The item's check mark is the option; the settings file gets it at
    // exit.
    m_settings.verifyAfterWriting = m_ui.verifyAction->isChecked();
    if (m_programming)
        m_programming->setVerifyAfterWriting(m_settings.verifyAfterWriting);
}

void MainWindow::readRadio()
{
    openProgrammingDialog(ProgrammingRun::Read);
}

void MainWindow::writeRadio()
{
    openProgrammingDialog(ProgrammingRun::Write);
}

void MainWindow::openProgrammingDialog(int mode)
{
    if (!m_programming || m_programming->isVisible())
        return;
    // A frequency being typed goes into its row first; one that is no
    // number stops the command with the conversion message.
    if (!commitEdit(true))
        return;
    auto portFailed = [this](const QString &reason) {
        // String 106 first, then which device and why, so the user can tell
        // a missing cable from a port another program holds.
        QStringList lines{m_messages.portFailedText, reason};
        lines.removeAll(QString());
        if (m_message)
            m_message->showMessage(m_messages.errorTitle, lines.join(QLatin1Char('\n')),
                                   ConfirmationDialog::ActionNone);
    };
    QString reason;
    if (!SerialLink::testPort(m_link->portName(), &reason)) {
        portFailed(reason);
        return;
    }
    // The port may still refuse the open that follows its test (another
    // program took it in between): the same message, and no dialog.
    const QString caption =
        mode == ProgrammingRun::Write ? m_messages.writeCaption : m_messages.readCaption;
    if (!m_programming->openFor(mode, caption))
        portFailed(m_link->errorString());
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_programming && m_programming->isVisible()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void MainWindow::switchToChinese()
{
    selectLanguage(false);
    convertFixedTexts(m_data.table);
}

void MainWindow::switchToEnglish()
{
    selectLanguage(true);
    convertFixedTexts(m_data.table);
}

void MainWindow::exitProgram()
{
    // Closing the main window ends the program; nothing is asked.
    close();
}

void MainWindow::showChannelPage()
{
    m_ui.pages->setCurrentWidget(m_ui.channelPage);
}

void MainWindow::showOptionsPage()
{
    m_ui.pages->setCurrentWidget(m_ui.optionsPage);
}

void MainWindow::selectPort(int port)
{
    m_settings.port = port;
    m_demoChoice = false;
    showPort(port);
}

void MainWindow::showPort(int port)
{
    for (int i = 0; i < PortCount; ++i)
        m_ui.portActions[i]->setChecked(i == port - 1);
    // Takes effect at the next opening of the port; the programming dialog,
    // which holds it open, keeps this window disabled.
    m_link->setPortName(portDevice(port));
    emit portSelected(port);
    // Checking the radio button programmatically raises no click, so the
    // command runs once whichever place gave it.
    QRadioButton *radio = m_ui.portRadios[port - 1];
    if (!radio->isChecked())
        radio->setChecked(true);
}

QString MainWindow::portDevice(int port) const
{
    return portDeviceName(port, m_settings.portDevices[port - 1]);
}

void MainWindow::setPortDevice(int port, const QString &device)
{
    m_settings.portDevices[port - 1] = device;
}

void MainWindow::useDemoRadio(const QString &device)
{
    setPortDevice(1, device);
    m_demoChoice = true;
    showPort(1);
    if (!m_demoMarker) {
        m_demoMarker = new QLabel(m_ui.statusBar);
        m_demoMarker->setObjectName(QStringLiteral("demoMarker"));
        m_ui.statusBar->addPermanentWidget(m_demoMarker);
    }
    m_demoMarker->setText(QStringLiteral("(demo) virtual radio on COM1  "));
}

void MainWindow::selectSkin(Skin skin)
{
    m_ui.blueSkinAction->setChecked(skin == Skin::Blue);
    m_ui.steelSkinAction->setChecked(skin == Skin::Steel);
    m_ui.coffeeSkinAction->setChecked(skin == Skin::Coffee);
    m_settings.skin = skin;
    applySkin();
}

void MainWindow::applySkin()
{
    // One skin dresses the main window and its three dialogs; the splash
    // keeps its own look.
    const QString sheet = skinStyleSheet(m_settings.skin);
    setStyleSheet(sheet);
    for (QWidget *dialog : {static_cast<QWidget *>(m_about), static_cast<QWidget *>(m_programming),
                            static_cast<QWidget *>(m_message)})
        if (dialog)
            dialog->setStyleSheet(sheet);
}

void MainWindow::showAboutBox()
{
    if (!m_about)
        return;
    m_about->show();
}
