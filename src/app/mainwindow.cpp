#include "app/mainwindow.h"

#include "app/aboutbox.h"
#include "app/buttonsbar.h"
#include "app/channelfilecommands.h"
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
        const QAction *item = command == ExtraFileCommands::Command::OpenImage   ? m_ui.openimage1
                              : command == ExtraFileCommands::Command::ImportCsv ? m_ui.importcsv1
                                                                                 : m_ui.exportcsv1;
        return dialogTitle(item->text());
    };
    extraWindow.texts = &m_messages;
    m_extraCommands = std::make_unique<ExtraFileCommands>(&m_data, extraWindow);

    FormCreate();
}

MainWindow::~MainWindow()
{
    FormDestroy();
    // The pages show the radio data, a member that dies before QWidget's
    // destructor deletes the children (and hides them, which makes the grid
    // read its cells again): take the pages down while the data lives.
    delete takeCentralWidget();
}

void MainWindow::buildMenu()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("bsSkinMainMenuBar1"));
    bar->setNativeMenuBar(false);
    bar->setFixedHeight(MenuBarHeight);
    m_ui.bsSkinMainMenuBar1 = bar;

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
    u.file1 = menu(bar, "file1", QStringLiteral("文件(&F)"));
    u.new1 = item(u.file1, "new1", QStringLiteral("新建(&N)"), "new", &MainWindow::new1Click);
    u.open1 = item(u.file1, "open1", QStringLiteral("打开(&O)"), "open", &MainWindow::open1Click);
    u.save1 = item(u.file1, "save1", QStringLiteral("保存(&S)"), "save", &MainWindow::save1Click);
    u.openimage1 =
        item(u.file1, "openimage1", builtInText(201), "openimage", &MainWindow::openimage1Click);
    u.importcsv1 =
        item(u.file1, "importcsv1", builtInText(202), "importcsv", &MainWindow::importcsv1Click);
    u.exportcsv1 =
        item(u.file1, "exportcsv1", builtInText(203), "exportcsv", &MainWindow::exportcsv1Click);
    u.N1 = separator(u.file1, "N1");
    u.exit1 = item(u.file1, "exit1", QStringLiteral("退出(&E)"), "exit",
                   &MainWindow::AdvGlowButton3Click);
    bar->addMenu(u.file1);

    u.edit1 = menu(bar, "edit1", QStringLiteral("编辑(&P)"));
    u.read1 =
        item(u.edit1, "read1", QStringLiteral("频率读出(&R)"), "read", &MainWindow::read1Click);
    u.write2 =
        item(u.edit1, "write2", QStringLiteral("频率写入(&W)"), "write", &MainWindow::write2Click);
    u.N3 = separator(u.edit1, "N3");
    u.chaedit4 = item(u.edit1, "chaedit4", QStringLiteral("信道编辑(&E)"), "channels",
                      &MainWindow::chaedit4Click);
    u.function1 = item(u.edit1, "function1", QStringLiteral("功能选项(&Y)"), "options",
                       &MainWindow::function1Click);
    u.N6 = separator(u.edit1, "N6");
    u.otherfunc = item(u.edit1, "otherfunc", QStringLiteral("其它功能(&T)"), nullptr, nullptr);
    bar->addMenu(u.edit1);

    u.option1 = menu(bar, "option1", QStringLiteral("选项"));
    u.port1 = menu(u.option1, "port1", QStringLiteral("通信端口(&C)"));
    m_portGroup = new QActionGroup(this);
    void (MainWindow::*const portHandlers[4])() = {&MainWindow::COM11Click, &MainWindow::COM21Click,
                                                   &MainWindow::COM31Click,
                                                   &MainWindow::COM41Click};
    for (int i = 0; i < 4; ++i) {
        const QByteArray name = "COM" + QByteArray::number(i + 1) + "1";
        QAction *a = item(u.port1, name.constData(), QStringLiteral("COM(&%1)").arg(i + 1), "port",
                          portHandlers[i]);
        a->setCheckable(true);
        m_portGroup->addAction(a);
        u.COM[i] = a;
    }
    u.COM[0]->setChecked(true);
    u.option1->addMenu(u.port1);

    u.skin1 = menu(u.option1, "skin1", QStringLiteral("皮肤(&S)"));
    m_skinGroup = new QActionGroup(this);
    u.sk1 = item(u.skin1, "sk1", QStringLiteral("蓝色一族"), nullptr, &MainWindow::sk1Click);
    u.sk2 = item(u.skin1, "sk2", QStringLiteral("钢板"), nullptr, &MainWindow::sk2Click);
    u.sk3 = item(u.skin1, "sk3", QStringLiteral("咖啡"), nullptr, &MainWindow::sk3Click);
    for (QAction *a : {u.sk1, u.sk2, u.sk3}) {
        a->setCheckable(true);
        m_skinGroup->addAction(a);
    }
    u.option1->addMenu(u.skin1);

    u.language = menu(u.option1, "language", QStringLiteral("语言"));
    auto *languageGroup = new QActionGroup(this);
    u.chinese =
        item(u.language, "chinese", QStringLiteral("中文"), nullptr, &MainWindow::chineseClick);
    u.english =
        item(u.language, "english", QStringLiteral("英文"), nullptr, &MainWindow::englishClick);
    for (QAction *a : {u.chinese, u.english}) {
        a->setCheckable(true);
        languageGroup->addAction(a);
    }
    u.option1->addMenu(u.language);
    separator(u.option1, "verifySeparator");
    u.verify1 = item(u.option1, "verify1", builtInText(204), nullptr, nullptr);
    u.verify1->setCheckable(true);
    // On every change, also the stored option's at start.
    connect(u.verify1, &QAction::toggled, this, &MainWindow::verify1Click);
    bar->addMenu(u.option1);

    u.Help1 = menu(bar, "Help1", QStringLiteral("帮助(&H)"));
    u.Help2 = item(u.Help1, "Help2", QStringLiteral("帮助(&H)..."), "help", nullptr);
    u.About1 =
        item(u.Help1, "About1", QStringLiteral("关于(&A)..."), "about", &MainWindow::About1Click);
    bar->addMenu(u.Help1);
}

void MainWindow::buildLeftColumn(QWidget *client)
{
    Widgets &u = m_ui;
    u.bsSkinPanel1 = makePanel(client, "bsSkinPanel1", QRect(0, 32 - MenuBarHeight, 121, 489));

    ButtonsBar *bar = new ButtonsBar(u.bsSkinPanel1);
    bar->setGeometry(1, 1, 119, 352);
    u.bsSkinButtonsBar1 = bar;

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
         {{"barNew", "新建", "new", &MainWindow::new1Click},
          {"barOpen", "打开", "open", &MainWindow::open1Click},
          {"barSave", "保存", "save", &MainWindow::save1Click}}},
        {"barSectionEdit",
         "编辑",
         {{"barRead", "频率读出", "read", &MainWindow::read1Click},
          {"barWrite", "频率写入", "write", &MainWindow::write2Click},
          {"barChannels", "信道编辑", "channels", &MainWindow::chaedit4Click},
          {"barOptions", "功能选项", "options", &MainWindow::function1Click}}},
        {"barSectionExit", "退出", {{"barExit", "退出", "exit", &MainWindow::AdvGlowButton3Click}}},
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

    auto *group = new QGroupBox(QStringLiteral("通信端口"), u.bsSkinPanel1);
    group->setObjectName(QStringLiteral("bsSkinNotebook2"));
    group->setGeometry(1, 356, 119, 131);
    u.bsSkinNotebook2 = group;
    // The radio buttons sit in the group's area under its caption.
    auto *inner = new QWidget(group);
    inner->setObjectName(QStringLiteral("bsSkinNotebook2Client"));
    inner->setGeometry(0, 18, 119, 113);
    void (MainWindow::*const handlers[4])() = {&MainWindow::COM11Click, &MainWindow::COM21Click,
                                               &MainWindow::COM31Click, &MainWindow::COM41Click};
    for (int i = 0; i < 4; ++i) {
        auto *radio = new QRadioButton(QStringLiteral("   COM%1").arg(i + 1), inner);
        radio->setObjectName(QStringLiteral("bsSkinCheckRadioBox%1").arg(i + 5));
        radio->setGeometry(32, 8 + 24 * i, 73, 25);
        connect(radio, &QRadioButton::clicked, this, handlers[i]);
        u.portRadio[i] = radio;
    }
    u.portRadio[0]->setChecked(true);
}

void MainWindow::buildCentre(QWidget *client)
{
    Widgets &u = m_ui;
    u.bsSkinPanel3 = new QWidget(client);
    u.bsSkinPanel3->setObjectName(QStringLiteral("bsSkinPanel3"));
    u.bsSkinPanel3->setGeometry(120, 32 - MenuBarHeight, 553, 489);

    u.bsSkinPageControl1 = new QTabWidget(u.bsSkinPanel3);
    u.bsSkinPageControl1->setObjectName(QStringLiteral("bsSkinPageControl1"));
    u.bsSkinPageControl1->setGeometry(0, 0, 553, 489);
    u.bsSkinPageControl1->setDocumentMode(false);

    u.bsSkinTabSheet1 = new QWidget;
    u.bsSkinTabSheet1->setObjectName(QStringLiteral("bsSkinTabSheet1"));
    u.StringAlignGrid1 = new ChannelGrid(u.bsSkinTabSheet1);
    u.StringAlignGrid1->setChannelModel(m_channelModel);
    u.StringAlignGrid1->setGeometry(0, 0, 547, 403);

    u.bsSkinPanel8 = makePanel(u.bsSkinTabSheet1, "bsSkinPanel8", QRect(6, 411, 531, 49));
    const struct
    {
        QPushButton **button;
        const char *name;
        const char *text;
        int x;
    } buttons[] = {
        {&u.bsSkinButton6, "bsSkinButton6", "自动添加", 24},
        {&u.bsSkinButton9, "bsSkinButton9", "清除信道", 120},
        {&u.bsSkinButton3, "bsSkinButton3", "信道上移", 248},
        {&u.bsSkinButton4, "bsSkinButton4", "信道下移", 344},
        {&u.bsSkinButton5, "bsSkinButton5", "删除信道", 432},
    };
    for (const auto &b : buttons) {
        *b.button = new QPushButton(QString::fromUtf8(b.text), u.bsSkinPanel8);
        (*b.button)->setObjectName(QString::fromLatin1(b.name));
        (*b.button)->setGeometry(b.x, 16, 75, 25);
    }

    u.bsSkinTabSheet2 = new QWidget;
    u.bsSkinTabSheet2->setObjectName(QStringLiteral("bsSkinTabSheet2"));
    u.options = new OptionsPage(&m_data.settings, &m_data.bands, u.bsSkinTabSheet2);
    u.options->setGeometry(0, 0, 553, 489);

    u.bsSkinPageControl1->addTab(u.bsSkinTabSheet1, QStringLiteral("信道编辑"));
    u.bsSkinPageControl1->addTab(u.bsSkinTabSheet2, QStringLiteral("功能选项"));
    u.bsSkinPageControl1->setCurrentWidget(u.bsSkinTabSheet1);
}

void MainWindow::buildEditor()
{
    Widgets &u = m_ui;
    m_editor = new ChannelEditor(&m_data, u.StringAlignGrid1, u.bsSkinTabSheet1, this);
    m_editor->setButtons(u.bsSkinButton6, u.bsSkinButton9, u.bsSkinButton3, u.bsSkinButton4,
                         u.bsSkinButton5);
    m_editor->setConfirmTexts([this] { return confirmTexts(); });
    for (int list = 0; list < 4; ++list)
        m_editor->watchBandRangeList(u.options->bandCombo(list));
}

ChannelEditor::ConfirmTexts MainWindow::confirmTexts() const
{
    return {m_messages.ConfirmTitle, m_messages.NewConfirmText, m_messages.ClearConfirmText};
}

void MainWindow::buildRightColumn(QWidget *client)
{
    Widgets &u = m_ui;
    u.bsSkinPanel2 = makePanel(client, "bsSkinPanel2", QRect(672, 32 - MenuBarHeight, 113, 489));

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
        {&u.AdvGlowButton1, &u.AALinkLabel1, "AdvGlowButton1", "AALinkLabel1", "read", "读频", 40,
         QRect(45, 116, 31, 20), &MainWindow::read1Click},
        {&u.AdvGlowButton2, &u.AALinkLabel2, "AdvGlowButton2", "AALinkLabel2", "write", "写频", 176,
         QRect(45, 252, 31, 20), &MainWindow::write2Click},
        {&u.AdvGlowButton3, &u.AALinkLabel3, "AdvGlowButton3", "AALinkLabel3", "exit", "退出", 304,
         QRect(48, 380, 31, 20), &MainWindow::AdvGlowButton3Click},
    };
    for (const auto &e : entries) {
        auto *button = new GlowButton(u.bsSkinPanel2);
        button->setObjectName(QString::fromLatin1(e.buttonName));
        button->setIcon(icon(e.icon, 48));
        button->setGeometry(24, e.y, 73, 73);
        connect(button, &GlowButton::clicked, this, e.handler);
        *e.button = button;

        auto *label = new LinkLabel(QString::fromUtf8(e.text), u.bsSkinPanel2);
        label->setObjectName(QString::fromLatin1(e.labelName));
        label->place(e.labelPlace);
        connect(label, &LinkLabel::clicked, this, e.handler);
        *e.label = label;
    }
}

void MainWindow::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("bsSkinStatusBar1"));
    bar->setSizeGripEnabled(false);
    bar->setFixedHeight(StatusBarHeight);
    auto *panel = new QLabel(QStringLiteral("     Dravik Torven 对讲机编程软件"), bar);
    panel->setObjectName(QStringLiteral("bsSkinStatusPanel1"));
    bar->addWidget(panel, 1);
    m_ui.bsSkinStatusBar1 = bar;
    m_ui.bsSkinStatusPanel1 = panel;
}

void MainWindow::setWindows(SplashWindow *splash, AboutBox *about, ProgrammingDialog *programming,
                            ConfirmationDialog *message)
{
    m_splash = splash;
    m_about = about;
    m_programming = programming;
    m_message = message;
    if (m_about)
        m_about->setMainWindow(this);
    if (m_programming) {
        m_programming->setMainWindow(this);
        m_programming->setRadio(m_link.get(), m_run.get(), &m_data);
        verify1Click();
        m_programming->setMessageDialog(m_message);
        m_programming->setMessages(&m_messages);
    }
    if (m_message) {
        m_message->setMainWindow(this);
        m_message->setProgrammingDialog(m_programming);
    }
    m_editor->setConfirmationDialog(m_message);
    // A skin chosen while this window was created dresses them too.
    if (m_selectedSkin)
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
        FormShow();
    }
    QMainWindow::setVisible(visible);
}

void MainWindow::FormCreate()
{
    // The stored port and skin are activated exactly as if the user had
    // picked them, then the band range lists are filled; restoring a chosen
    // entry sets the caption "QB-380". A missing file gives port 1, skin 1.
    m_settingsFile = std::make_unique<SettingsFile>(programFile(QStringLiteral("myini.ini")));
    const StartupChoices choices = readStartupChoices(*m_settingsFile);
    for (const QString &warning : choices.warnings)
        qWarning("%s", qUtf8Printable(warning));
    portCommand(choices.com);
    skinCommand(choices.skin);
    loadBandRanges(*m_settingsFile, m_data.bands);
    m_ui.verify1->setChecked(readVerifyOption(*m_settingsFile));
}

void MainWindow::FormShow()
{
    if (m_splash)
        m_splash->exec();
    // Every start is in English; the grid holds no channels yet, so there
    // is nothing to convert.
    selectLanguage(true);
    if (m_splash)
        m_splash->show();
}

void MainWindow::FormDestroy()
{
    if (!m_settingsFile)
        return;
    const SettingsSaveResult saved =
        saveSettings(*m_settingsFile, m_portToSave, m_selectedSkin, m_data.bands);
    if (!saved.ok)
        showUserMessage(MessageKind::Error, saved.message);
    else if (!saveVerifyOption(*m_settingsFile, m_ui.verify1->isChecked()))
        showUserMessage(MessageKind::Error, m_settingsFile->errorString());
    m_settingsFile.reset();
}

void MainWindow::LoadLanguage(const QString &name)
{
    const LanguageWindows windows{this, m_about.data(), m_programming.data(), m_message.data()};
    loadLanguage(
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
    QAction *chosen = english ? m_ui.english : m_ui.chinese;
    QAction *other = english ? m_ui.chinese : m_ui.english;
    chosen->setChecked(true);
    other->setChecked(false);
    // The library's own name for Chinese replaces this when it is found.
    m_ui.chinese->setText(english ? QStringLiteral("chinese") : QStringLiteral("中文"));
    LoadLanguage(english ? QStringLiteral("eng") : QStringLiteral("chn"));
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

bool MainWindow::verifyAfterWriting() const
{
    return m_ui.verify1->isChecked();
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

void MainWindow::new1Click()
{
    m_editor->new1Click();
}

void MainWindow::open1Click()
{
    // A cell editor that is open stays as it is.
    m_fileCommands->open();
}

void MainWindow::save1Click()
{
    // The file commands run commitEdit(false) first: a frequency being typed
    // goes into its row, and a text that is no number stops the save.
    m_fileCommands->save();
}

void MainWindow::openimage1Click()
{
    // The image replaces every channel: the editors are committed and
    // hidden first.
    m_extraCommands->openImage();
}

void MainWindow::importcsv1Click()
{
    m_extraCommands->importCsv();
}

void MainWindow::exportcsv1Click()
{
    m_extraCommands->exportCsv();
}

void MainWindow::verify1Click()
{
    // The item's check mark is the option; the settings file gets it at
    // exit.
    if (m_programming)
        m_programming->setVerifyAfterWriting(m_ui.verify1->isChecked());
}

void MainWindow::read1Click()
{
    openProgrammingDialog(ProgrammingRun::Read);
}

void MainWindow::write2Click()
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
        QStringList lines{m_messages.PortFailedText, reason};
        lines.removeAll(QString());
        if (m_message)
            m_message->showMessage(m_messages.ErrorTitle, lines.join(QLatin1Char('\n')),
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
        mode == ProgrammingRun::Write ? m_messages.WriteCaption : m_messages.ReadCaption;
    if (!m_programming->openFor(mode, caption)) {
        portFailed(m_link->errorString());
        return;
    }
    setEnabled(false);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_programming && m_programming->isVisible()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void MainWindow::chineseClick()
{
    selectLanguage(false);
    convertFixedTexts(m_data.table);
}

void MainWindow::englishClick()
{
    selectLanguage(true);
    convertFixedTexts(m_data.table);
}

void MainWindow::AdvGlowButton3Click()
{
    // Closing the main window ends the program; nothing is asked.
    close();
}

void MainWindow::chaedit4Click()
{
    m_ui.bsSkinPageControl1->setCurrentWidget(m_ui.bsSkinTabSheet1);
}

void MainWindow::function1Click()
{
    m_ui.bsSkinPageControl1->setCurrentWidget(m_ui.bsSkinTabSheet2);
}

void MainWindow::COM11Click()
{
    portCommand(1);
}
void MainWindow::COM21Click()
{
    portCommand(2);
}
void MainWindow::COM31Click()
{
    portCommand(3);
}
void MainWindow::COM41Click()
{
    portCommand(4);
}

void MainWindow::portCommand(int port)
{
    for (int i = 0; i < 4; ++i)
        m_ui.COM[i]->setChecked(i == port - 1);
    m_selectedPort = port;
    m_commPort = port;
    m_portToSave = port;
    // Takes effect at the next opening of the port; the programming dialog,
    // which holds it open, keeps this window disabled.
    m_link->setPortName(portDevice(port));
    emit portSelected(port);
    // Checking the radio button programmatically raises no click, so the
    // command runs once whichever place gave it.
    QRadioButton *radio = m_ui.portRadio[port - 1];
    if (!radio->isChecked())
        radio->setChecked(true);
}

QString MainWindow::portDevice(int port) const
{
    if (port == 1 && !m_demoDevice.isEmpty())
        return m_demoDevice;
    return portDeviceName(port,
                          m_settingsFile ? configuredPortPath(*m_settingsFile, port) : QString());
}

void MainWindow::useDemoRadio(const QString &device)
{
    m_demoDevice = device;
    const int stored = m_portToSave;
    portCommand(1);
    m_portToSave = stored;
    if (!m_demoMarker) {
        m_demoMarker = new QLabel(m_ui.bsSkinStatusBar1);
        m_demoMarker->setObjectName(QStringLiteral("demoMarker"));
        m_ui.bsSkinStatusBar1->addPermanentWidget(m_demoMarker);
    }
    m_demoMarker->setText(QStringLiteral("(demo) virtual radio on COM1  "));
}

void MainWindow::sk1Click()
{
    skinCommand(1);
}
void MainWindow::sk2Click()
{
    skinCommand(2);
}
void MainWindow::sk3Click()
{
    skinCommand(3);
}

void MainWindow::skinCommand(int skin)
{
    QAction *items[] = {m_ui.sk1, m_ui.sk2, m_ui.sk3};
    for (int i = 0; i < SkinCount; ++i)
        items[i]->setChecked(i == skin - 1);
    m_selectedSkin = skin;
    applySkin();
}

void MainWindow::applySkin()
{
    // One skin dresses the main window and its three dialogs; the splash
    // keeps its own look.
    const QString sheet = skinStyleSheet(m_selectedSkin);
    setStyleSheet(sheet);
    for (QWidget *dialog : {static_cast<QWidget *>(m_about), static_cast<QWidget *>(m_programming),
                            static_cast<QWidget *>(m_message)})
        if (dialog)
            dialog->setStyleSheet(sheet);
}

void MainWindow::About1Click()
{
    if (!m_about)
        return;
    m_about->show();
    setEnabled(false);
}
