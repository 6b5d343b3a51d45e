#include "app/mainwindow.h"

#include "ui_mainwindow.h"

#include "app/aboutbox.h"
#include "app/buttonsbar.h"
#include "app/channelfilecommands.h"
#include "app/dialoglock.h"
#include "app/edithistory.h"
#include "app/extrafilecommands.h"
#include "app/glowbutton.h"
#include "app/linklabel.h"
#include "app/optionspage.h"
#include "app/porttexts.h"
#include "app/printcommands.h"
#include "app/programmingdialog.h"
#include "app/recentfiles.h"
#include "app/rowclipboard.h"
#include "app/serialportdialog.h"
#include "app/skins.h"
#include "app/splashwindow.h"
#include "app/windowtexts.h"
#include "editor/channelgrid.h"
#include "editor/channeltablemodel.h"
#include "editor/confirmationdialog.h"
#include "i18n/languageswitch.h"
#include "model/bandcheck.h"
#include "model/channel.h"
#include "model/frequency.h"
#include "model/productnames.h"
#include "radio/programmingrun.h"
#include "radio/radiotransfer.h"
#include "radio/seriallink.h"
#include "storage/appsettings.h"
#include "storage/channelcsv.h"
#include "storage/settingsfile.h"
#include "storage/settingslocation.h"

#include <QActionGroup>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QRegularExpression>
#include <QScreen>
#include <QStatusBar>
#include <QUndoStack>
#include <QUrl>

#include <algorithm>

namespace {

// The question before a write lists at most this many frequencies.
constexpr int ShownOutOfBand = 10;

// The question before a write of frequencies outside the radio's bands:
// what lies outside, one line each, and whether to write all the same.
QString outOfBandQuestion(const QList<OutOfBandChannel> &outside, const MessageSlots &texts)
{
    QStringList lines{textOr(texts.outOfBandText, 267)};
    for (const OutOfBandChannel &found : outside.mid(0, ShownOutOfBand)) {
        const bool receive = found.finding.direction == BandDirection::Receive;
        const QString line = receive ? textOr(texts.outOfBandReceiveLine, 268)
                                     : textOr(texts.outOfBandTransmitLine, 269);
        lines << line.arg(channelLabel(found.channel), frequencyCellText(found.finding.frequency),
                          found.finding.ranges.join(QStringLiteral(", ")));
    }
    if (outside.size() > ShownOutOfBand)
        lines << withArgument(textOr(texts.moreLinesText, 270),
                              QString::number(outside.size() - ShownOutOfBand));
    lines << textOr(texts.writeAnywayText, 271);
    return lines.join(QLatin1Char('\n'));
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
                              Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_ui(std::make_unique<Ui::MainWindow>())
{
    m_ui->setupUi(this);
    // Every caption the window is given carries the modified mark's place,
    // in front: a caption that ends with the program's name is shown
    // without the name added again ("*QB-380", not "QB-380* - QB-380").
    connect(this, &QWidget::windowTitleChanged, this, [this](const QString &title) {
        if (!title.contains(QLatin1String("[*]")))
            setWindowTitle(QStringLiteral("[*]") + title);
    });
    setWindowTitle(ProductNames::StartCaption);
    m_portActions = {m_ui->port1Action, m_ui->port2Action, m_ui->port3Action, m_ui->port4Action};
    m_portRadios = {m_ui->port1Radio, m_ui->port2Radio, m_ui->port3Radio, m_ui->port4Radio};
    // A form places widgets in a status bar but cannot add them to it.
    m_ui->statusBar->addWidget(m_ui->statusPanel, 1);
    // A temporary note takes the panel's place while it shows; the status
    // bar alone would paint it over the panel's text.
    connect(m_ui->statusBar, &QStatusBar::messageChanged, this,
            [this](const QString &note) { m_ui->statusPanel->setVisible(note.isEmpty()); });
    // A link label grows about its centre to fit a longer text; the form
    // gives its place.
    for (LinkLabel *label : {m_ui->readLabel, m_ui->writeLabel, m_ui->exitLabel})
        label->place(label->geometry());
    groupMenuItems();

    m_channelModel = new ChannelTableModel(&m_data.table, this);
    m_channelModel->setBandRanges(&m_data.bands);
    m_ui->channelGrid->setChannelModel(m_channelModel);
    m_ui->optionsPanel->bind(&m_data.settings, &m_data.bands);
    m_link = std::make_unique<SerialLink>();
    m_run = std::make_unique<ProgrammingRun>(*m_link, m_data);
    m_transfer = std::make_unique<RadioTransfer>(*m_run);

    m_editor =
        new ChannelEditor(&m_data, m_ui->channelGrid, m_ui->frequencyEdit, m_ui->toneList, this);
    m_editor->setButtons(m_ui->autoAddButton, m_ui->clearChannelsButton, m_ui->moveUpButton,
                         m_ui->moveDownButton, m_ui->deleteChannelButton);
    m_editor->setConfirmTexts([this] { return confirmTexts(); });
    m_portDialog = new SerialPortDialog(this);
    m_portDialog->setMessages(&m_messages);
    m_ui->portDialogButton->setDefaultAction(m_ui->serialPortAction);
    for (int list = 0; list < 4; ++list)
        m_editor->watchBandRangeList(m_ui->optionsPanel->bandRangeCombo(list));
    connectCommands();

    connect(&m_data.bands, &BandRanges::chosenTextChanged, this,
            [this] { setWindowTitle(ProductNames::Program); });

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
            command == ExtraFileCommands::Command::OpenImage   ? m_ui->openImageAction
            : command == ExtraFileCommands::Command::ImportCsv ? m_ui->importCsvAction
                                                               : m_ui->exportCsvAction;
        return dialogTitle(item->text());
    };
    extraWindow.texts = &m_messages;
    m_extraCommands = std::make_unique<ExtraFileCommands>(&m_data, extraWindow);

    PrintCommands::Window printWindow;
    printWindow.parent = this;
    printWindow.commitEdit = [this] { return commitEdit(false); };
    printWindow.message = fileWindow.message;
    printWindow.note = extraWindow.note;
    printWindow.title = [this](PrintCommands::Command command) {
        return dialogTitle(command == PrintCommands::Command::Print
                               ? m_ui->printAction->text()
                               : m_ui->exportPdfAction->text());
    };
    printWindow.printoutTexts = [this] { return printoutTexts(); };
    printWindow.texts = &m_messages;
    m_printCommands = std::make_unique<PrintCommands>(&m_data, printWindow);
    applyLanguageTexts();
    m_history = new EditHistory(&m_data, this);
    m_history->setNamer([this](int kind) { return stepText(kind); });
    m_recent = std::make_unique<RecentFiles>(RecentFiles::defaultPath());
    createEditCommands();

    restoreSettings();
    // The stored settings are the starting point, not an edit.
    m_history->resync();
}

MainWindow::~MainWindow()
{
    storeSettings();
    // The pages show the radio data, a member that dies before QWidget's
    // destructor deletes the children (and hides them, which makes the grid
    // read its cells again): take the pages down while the data lives.
    delete takeCentralWidget();
}

void MainWindow::groupMenuItems()
{
    auto *ports = new QActionGroup(this);
    for (QAction *a : m_portActions)
        ports->addAction(a);
    auto *skins = new QActionGroup(this);
    for (QAction *a : {m_ui->blueSkinAction, m_ui->steelSkinAction, m_ui->coffeeSkinAction})
        skins->addAction(a);
    auto *languages = new QActionGroup(this);
    for (QAction *a : {m_ui->chineseAction, m_ui->englishAction})
        languages->addAction(a);
}

void MainWindow::connectCommands()
{
    const Ui::MainWindow &u = *m_ui;
    // Every place that offers a command calls the same handler.
    const std::pair<QList<QObject *>, void (MainWindow::*)()> commands[] = {
        {{u.newAction, u.barNew}, &MainWindow::newChannelList},
        {{u.openAction, u.barOpen}, &MainWindow::openChannelFile},
        {{u.saveAction, u.barSave}, &MainWindow::saveChannelFile},
        {{u.openImageAction}, &MainWindow::openRadioImage},
        {{u.importCsvAction}, &MainWindow::importCsv},
        {{u.exportCsvAction}, &MainWindow::exportCsv},
        {{u.printAction}, &MainWindow::printChannelList},
        {{u.exportPdfAction}, &MainWindow::exportPdf},
        {{u.exitAction, u.barExit, u.exitButton, u.exitLabel}, &MainWindow::exitProgram},
        {{u.readAction, u.barRead, u.readButton, u.readLabel}, &MainWindow::readRadio},
        {{u.writeAction, u.barWrite, u.writeButton, u.writeLabel}, &MainWindow::writeRadio},
        {{u.channelPageAction, u.barChannels}, &MainWindow::showChannelPage},
        {{u.optionsPageAction, u.barOptions}, &MainWindow::showOptionsPage},
        {{u.chineseAction}, &MainWindow::switchToChinese},
        {{u.englishAction}, &MainWindow::switchToEnglish},
        {{u.aboutAction}, &MainWindow::showAboutBox},
        {{u.serialPortAction}, &MainWindow::chooseSerialPorts},
    };
    for (const auto &[sources, handler] : commands) {
        for (QObject *source : sources) {
            if (auto *action = qobject_cast<QAction *>(source))
                connect(action, &QAction::triggered, this, handler);
            else if (auto *button = qobject_cast<QAbstractButton *>(source))
                connect(button, &QAbstractButton::clicked, this, handler);
            else if (auto *label = qobject_cast<LinkLabel *>(source))
                connect(label, &LinkLabel::clicked, this, handler);
        }
    }
    for (int port = 1; port <= PortCount; ++port) {
        connect(m_portActions[port - 1], &QAction::triggered, this,
                [this, port] { selectPort(port); });
        connect(m_portRadios[port - 1], &QRadioButton::clicked, this,
                [this, port] { selectPort(port); });
    }
    const std::pair<QAction *, Skin> skins[] = {{u.blueSkinAction, Skin::Blue},
                                                {u.steelSkinAction, Skin::Steel},
                                                {u.coffeeSkinAction, Skin::Coffee}};
    for (const auto &[action, skin] : skins)
        connect(action, &QAction::triggered, this, [this, skin = skin] { selectSkin(skin); });
    // On every change, also the stored option's at start.
    connect(u.verifyAction, &QAction::toggled, this, &MainWindow::applyVerifyOption);
    connect(u.backupFirstAction, &QAction::toggled, this, &MainWindow::applyBackupOption);
}

ChannelEditor::ConfirmTexts MainWindow::confirmTexts() const
{
    return {m_messages.confirmTitle, m_messages.newConfirmText, m_messages.clearConfirmText};
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
        m_programming->setTransfer(m_transfer.get());
        applyVerifyOption();
        applyBackupOption();
        m_programming->setMessageDialog(m_message);
        m_programming->setMessages(&m_messages);
    }
    if (m_message) {
        m_message->setProgrammingDialog(m_programming);
        connect(m_message, &ConfirmationDialog::actionWrite, this,
                &MainWindow::writeWithoutBandCheck);
    }
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
    // Beside the program, or in the user's configuration folder for an
    // installed program, where a first run creates it.
    QString error;
    const SettingsLocation::Location location = SettingsLocation::prepare(&error);
    m_settingsFile = std::make_unique<SettingsFile>(location.path);
    if (!error.isEmpty()) {
        qWarning("%s", qUtf8Printable(error));
        m_startNote = error;
    }
    QStringList warnings;
    m_settings = loadAppSettings(*m_settingsFile, &warnings);
    // Nowhere to keep them: the run's choices are not written at its end.
    if (location.place == SettingsLocation::Place::Nowhere)
        m_settingsFile.reset();
    for (const QString &warning : warnings)
        qWarning("%s", qUtf8Printable(warning));
    selectPort(m_settings.port);
    selectSkin(m_settings.skin);
    fillBandRanges(m_data.bands, m_settings.bandLists);
    m_ui->verifyAction->setChecked(m_settings.verifyAfterWriting);
    m_ui->backupFirstAction->setChecked(m_settings.backupBeforeWriting);
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
    if (!m_startNote.isEmpty())
        showStatusNote(m_startNote);
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
    const LanguageWindows windows{this, m_about.data(), m_programming.data(), m_message.data(),
                                  m_portDialog.data()};
    ::loadLanguage(
        name, m_data, m_messages, [&windows](const TextTarget &target, const QString &text) {
            // A library made before the program's own numbers
            // existed leaves their items with the built-in texts.
            setTargetText(windows, target,
                          LanguageTable::isOwnNumber(target.number) ? textOr(text, target.number)
                                                                    : text);
        });
    // The undo items name their step in the language now in force.
    if (m_history) {
        m_history->renameSteps();
        updateUndoActions();
    }
    applyLanguageTexts();
}

void MainWindow::applyLanguageTexts()
{
    m_channelModel->setOutOfBandToolTip(textOr(m_messages.outOfBandToolTip, 265));
    if (m_demoMarker)
        showDemoMarker();
}

PrintoutTexts MainWindow::printoutTexts() const
{
    PrintoutTexts texts;
    texts.title = ProductNames::Program;
    texts.channelsHeading = textOr(m_messages.printChannelsHeading, 274);
    texts.settingsHeading = textOr(m_messages.printSettingsHeading, 275);
    // The settings the options page shows, in their order there: the left
    // column, then the right.
    const OptionsPage *page = m_ui->optionsPanel;
    QList<std::pair<QPoint, Setting>> shown;
    for (Setting s : allSettings()) {
        const QLabel *label = page->label(s);
        if (label && page->combo(s)->isVisibleTo(page))
            shown.append({label->mapTo(page, QPoint(0, 0)), s});
    }
    std::stable_sort(shown.begin(), shown.end(), [](const auto &a, const auto &b) {
        return a.first.x() != b.first.x() ? a.first.x() < b.first.x() : a.first.y() < b.first.y();
    });
    for (const auto &[place, s] : shown)
        texts.settings.append({s, page->label(s)->text()});
    return texts;
}

void MainWindow::selectLanguage(bool english)
{
    QAction *chosen = english ? m_ui->englishAction : m_ui->chineseAction;
    QAction *other = english ? m_ui->chineseAction : m_ui->englishAction;
    chosen->setChecked(true);
    other->setChecked(false);
    // The library's own name for Chinese replaces this when it is found.
    m_ui->chineseAction->setText(english ? QStringLiteral("chinese") : QStringLiteral("中文"));
    loadLanguage(english ? QStringLiteral("eng") : QStringLiteral("chn"));
    if (!english)
        noteMissingChineseFont();
}

void MainWindow::noteMissingChineseFont()
{
    if (m_chineseFontNoted || !QFontDatabase::families(QFontDatabase::SimplifiedChinese).isEmpty())
        return;
    m_chineseFontNoted = true;
    // In English: without the font a Chinese note would be boxes too.
    showStatusNote(QStringLiteral("No font with Chinese characters is installed, so Chinese texts "
                                  "show as boxes: install fonts-wqy-microhei or fonts-noto-cjk."));
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

PrintCommands &MainWindow::printCommands()
{
    return *m_printCommands;
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
    if (!askToSaveChanges())
        return;
    const QString path = m_fileCommands->chooseFileToOpen();
    if (!path.isEmpty())
        loaded(Step::Open, m_fileCommands->openFile(path), path);
}

void MainWindow::saveChannelFile()
{
    saveChannels();
}

bool MainWindow::saveChannels()
{
    // The file commands run commitEdit(false) first: a frequency being typed
    // goes into its row, and a text that is no number stops the save.
    if (!m_fileCommands->save())
        return false;
    m_history->markClean(int(ChannelEditor::Edit::Cell));
    m_recent->add(m_fileCommands->saveDialog().lastFile());
    return true;
}

void MainWindow::openRadioImage()
{
    // The image replaces every channel: the editors are committed and
    // hidden first.
    if (!askToSaveChanges())
        return;
    const QString path = m_extraCommands->chooseImage();
    if (!path.isEmpty())
        loaded(Step::OpenImage, m_extraCommands->openImageFile(path), path);
}

void MainWindow::importCsv()
{
    if (!askToSaveChanges())
        return;
    const QString path = m_extraCommands->chooseCsvToImport();
    if (!path.isEmpty())
        loaded(Step::Import, m_extraCommands->importCsvFile(path), path);
}

void MainWindow::exportCsv()
{
    if (m_extraCommands->exportCsv())
        m_recent->add(m_extraCommands->exportDialog().lastFile());
}

void MainWindow::loaded(Step step, bool complete, const QString &path)
{
    // A file that stopped half-way has still changed the data: that is a
    // step too, but not a saved state.
    if (complete) {
        m_history->markClean(StepKinds + int(step));
        if (!path.isEmpty())
            m_recent->add(path);
    } else {
        m_history->record(StepKinds + int(step));
    }
}

bool MainWindow::openAnyFile(const QString &path)
{
    if (!commitEdit(true) || !askToSaveChanges())
        return false;
    const QString suffix = QFileInfo(path).suffix().toLower();
    bool complete = false;
    Step step = Step::OpenImage;
    if (suffix == QLatin1String("r07")) {
        step = Step::Open;
        complete = m_fileCommands->openFile(path);
    } else if (suffix == QLatin1String("csv")) {
        step = Step::Import;
        complete = m_extraCommands->importCsvFile(path);
    } else {
        complete = m_extraCommands->openImageFile(path);
    }
    loaded(step, complete, path);
    if (!complete && !QFileInfo::exists(path))
        m_recent->remove(path);
    return complete;
}

bool MainWindow::askToSaveChanges()
{
    // A frequency being typed counts as an edit.
    if (!commitEdit(false))
        return false;
    m_history->record(int(ChannelEditor::Edit::Cell));
    if (!m_history->isModified())
        return true;
    SaveAnswer answer = SaveAnswer::Cancel;
    if (m_saveQuestion) {
        answer = m_saveQuestion();
    } else {
        // The buttons speak the language in force: Save as the File menu's
        // item says it.
        QMessageBox question(QMessageBox::Question, textOr(m_messages.saveChangesTitle, 246),
                             textOr(m_messages.saveChangesText, 247),
                             QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
        question.setDefaultButton(QMessageBox::Save);
        QString save = m_ui->saveAction->text();
        save.remove(QRegularExpression(QStringLiteral("(\\.\\.\\.|…)\\s*$")));
        question.button(QMessageBox::Save)->setText(save);
        question.button(QMessageBox::Discard)->setText(textOr(m_messages.discardButtonText, 258));
        question.button(QMessageBox::Cancel)
            ->setText(textOr(m_messages.keepEditingButtonText, 259));
        const auto chosen = question.exec();
        answer = chosen == QMessageBox::Save      ? SaveAnswer::Save
                 : chosen == QMessageBox::Discard ? SaveAnswer::Discard
                                                  : SaveAnswer::Cancel;
    }
    switch (answer) {
    case SaveAnswer::Save:
        return saveChannels();
    case SaveAnswer::Discard:
        return true;
    case SaveAnswer::Cancel:
        break;
    }
    return false;
}

void MainWindow::createEditCommands()
{
    const auto newAction = [this](const char *name, const QKeySequence &keys) {
        auto *action = new QAction(this);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(keys);
        return action;
    };
    m_undoAction = newAction("undoAction", QKeySequence::Undo);
    m_redoAction = newAction("redoAction", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    m_redoAction->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    m_cutAction = newAction("cutRowsAction", QKeySequence::Cut);
    m_copyAction = newAction("copyRowsAction", QKeySequence::Copy);
    m_pasteAction = newAction("pasteRowsAction", QKeySequence::Paste);
    // Their texts come with the language (the built-in ones until then).
    m_cutAction->setText(builtInText(242));
    m_copyAction->setText(builtInText(243));
    m_pasteAction->setText(builtInText(244));
    QAction *first = m_ui->editMenu->actions().value(0);
    m_ui->editMenu->insertActions(first, {m_undoAction, m_redoAction});
    m_ui->editMenu->insertSeparator(first);
    m_ui->editMenu->insertActions(first, {m_cutAction, m_copyAction, m_pasteAction});
    m_ui->editMenu->insertSeparator(first);
    connect(m_undoAction, &QAction::triggered, this, &MainWindow::undo);
    connect(m_redoAction, &QAction::triggered, this, &MainWindow::redo);
    connect(m_cutAction, &QAction::triggered, this, &MainWindow::cutRows);
    connect(m_copyAction, &QAction::triggered, this, &MainWindow::copyRows);
    connect(m_pasteAction, &QAction::triggered, this, &MainWindow::pasteRows);

    QUndoStack *stack = m_history->stack();
    connect(stack, &QUndoStack::indexChanged, this, &MainWindow::updateUndoActions);
    connect(stack, &QUndoStack::cleanChanged, this, &MainWindow::updateUndoActions);
    connect(m_history, &EditHistory::modifiedChanged, this, &QWidget::setWindowModified);
    connect(m_transfer.get(), &RadioTransfer::phaseChanged, this, &MainWindow::updateUndoActions);
    connect(m_transfer.get(), &RadioTransfer::finished, this, [this](const TransferResult &result) {
        // A read replaces the table (a failed one part of it).
        if (m_transferMode == TransferMode::Read)
            loaded(Step::Read, result.run.complete(), QString());
        updateUndoActions();
    });
    connect(m_editor, &ChannelEditor::edited, this, [this](ChannelEditor::Edit edit, int key) {
        m_history->record(int(edit), key);
        // A new table is a starting point, as an opened file is.
        if (edit == ChannelEditor::Edit::New)
            m_history->markClean(int(ChannelEditor::Edit::New));
    });
    m_editor->setDiscardGuard([this] { return askToSaveChanges(); });
    for (Setting setting : allSettings())
        connect(m_ui->optionsPanel->combo(setting), &QComboBox::activated, this,
                [this] { m_history->record(StepKinds + int(Step::Setting)); });

    m_recentMenu = new QMenu(m_ui->fileMenu);
    m_recentMenu->setObjectName(QStringLiteral("recentMenu"));
    m_recentMenu->setTitle(builtInText(245));
    const QList<QAction *> fileItems = m_ui->fileMenu->actions();
    m_ui->fileMenu->insertMenu(fileItems.value(fileItems.indexOf(m_ui->exportCsvAction) + 1),
                               m_recentMenu);
    connect(m_recent.get(), &RecentFiles::changed, this, &MainWindow::fillRecentMenu);
    fillRecentMenu();
    setAcceptDrops(true);
    updateUndoActions();
}

QString MainWindow::stepText(int kind) const
{
    return kind >= StepKinds ? stepName(Step(kind - StepKinds))
                             : editStepName(ChannelEditor::Edit(kind));
}

QString MainWindow::stepName(Step step) const
{
    switch (step) {
    case Step::Open:
        return textOr(m_messages.openStepText, 251);
    case Step::OpenImage:
        return textOr(m_messages.openImageStepText, 252);
    case Step::Import:
        return textOr(m_messages.importStepText, 253);
    case Step::Read:
        return textOr(m_messages.readStepText, 254);
    case Step::Paste:
        return textOr(m_messages.pasteStepText, 255);
    case Step::Cut:
        return textOr(m_messages.cutStepText, 256);
    case Step::Setting:
        return textOr(m_messages.settingStepText, 250);
    }
    return {};
}

QString MainWindow::editStepName(ChannelEditor::Edit edit) const
{
    // Typed cells, chosen tones and switched values are all cell edits.
    switch (edit) {
    case ChannelEditor::Edit::Cell:
    case ChannelEditor::Edit::Tone:
    case ChannelEditor::Edit::Switch:
        return textOr(m_messages.cellStepText, 248);
    case ChannelEditor::Edit::AutoAdd:
        return m_ui->autoAddButton->text();
    case ChannelEditor::Edit::Move:
        return textOr(m_messages.moveStepText, 249);
    case ChannelEditor::Edit::Delete:
        return m_ui->deleteChannelButton->text();
    case ChannelEditor::Edit::Clear:
        return m_ui->clearChannelsButton->text();
    case ChannelEditor::Edit::New:
        return dialogTitle(m_ui->newAction->text());
    }
    return {};
}

void MainWindow::updateUndoActions()
{
    const QUndoStack *stack = m_history->stack();
    const bool running = m_transfer->isRunning();
    m_undoAction->setEnabled(stack->canUndo() && !running);
    m_redoAction->setEnabled(stack->canRedo() && !running);
    m_undoAction->setText(
        withArgument(textOr(m_messages.undoText, 240), stack->undoText()).trimmed());
    m_redoAction->setText(
        withArgument(textOr(m_messages.redoText, 241), stack->redoText()).trimmed());
    for (QAction *a : {m_cutAction, m_copyAction, m_pasteAction})
        a->setEnabled(!running);
}

void MainWindow::undo()
{
    if (m_transfer->isRunning() || !commitEdit(true))
        return;
    // A frequency typed but not yet committed is the first thing undone.
    m_history->record(int(ChannelEditor::Edit::Cell));
    m_history->stack()->undo();
}

void MainWindow::redo()
{
    if (m_transfer->isRunning() || !commitEdit(true))
        return;
    m_history->record(int(ChannelEditor::Edit::Cell));
    m_history->stack()->redo();
}

void MainWindow::copyRows()
{
    if (!commitEdit(false))
        return;
    if (QMimeData *mime = channelRowsMimeData(m_data, m_editor->chosenRows()))
        QGuiApplication::clipboard()->setMimeData(mime);
}

void MainWindow::cutRows()
{
    if (!commitEdit(true))
        return;
    QMimeData *mime = channelRowsMimeData(m_data, m_editor->chosenRows());
    if (!mime)
        return;
    QGuiApplication::clipboard()->setMimeData(mime);
    for (int row : m_editor->chosenRows())
        m_data.table.clearRow(row);
    m_history->record(StepKinds + int(Step::Cut));
}

void MainWindow::pasteRows()
{
    if (!commitEdit(true))
        return;
    const QByteArray text = pastedChannelText(QGuiApplication::clipboard()->mimeData());
    if (text.trimmed().isEmpty())
        return;
    const QList<int> chosen = m_ui->channelGrid->selectedRows();
    const int first = chosen.isEmpty() ? m_editor->currentRow() : chosen.first();
    m_history->record(int(ChannelEditor::Edit::Cell));
    const CsvImportReport report = pasteChannelCsv(text, m_data.table, first);
    m_history->record(StepKinds + int(Step::Paste));
    m_extraCommands->showImportReport(report, textOr(m_messages.pastedText, 257));
}

void MainWindow::fillRecentMenu()
{
    m_recentMenu->clear();
    const QStringList files = m_recent->files();
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files.at(i);
        QAction *item = m_recentMenu->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(path)));
        connect(item, &QAction::triggered, this, [this, path] { openAnyFile(path); });
    }
    m_recentMenu->setEnabled(!files.isEmpty());
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.first().isLocalFile())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return;
    event->acceptProposedAction();
    // The question about unsaved changes must not run inside the drag.
    const QString path = urls.first().toLocalFile();
    QMetaObject::invokeMethod(
        this, [this, path] { openAnyFile(path); }, Qt::QueuedConnection);
}

void MainWindow::printChannelList()
{
    // A frequency being typed goes into its row first.
    m_printCommands->print();
}

void MainWindow::exportPdf()
{
    m_printCommands->exportPdf();
}

void MainWindow::applyBackupOption()
{
    m_settings.backupBeforeWriting = m_ui->backupFirstAction->isChecked();
    if (m_programming)
        m_programming->setBackupBeforeWriting(m_settings.backupBeforeWriting);
}

void MainWindow::applyVerifyOption()
{
    // The item's check mark is the option; the settings file gets it at
    // exit.
    m_settings.verifyAfterWriting = m_ui->verifyAction->isChecked();
    if (m_programming)
        m_programming->setVerifyAfterWriting(m_settings.verifyAfterWriting);
}

void MainWindow::readRadio()
{
    openProgrammingDialog(TransferMode::Read);
}

void MainWindow::writeRadio()
{
    if (!m_programming || m_programming->isVisible())
        return;
    if (!commitEdit(true))
        return;
    // Frequencies outside the radio's bands may still be what the user
    // wants (the radio may take them): the user decides, Cancel first.
    const QList<OutOfBandChannel> outside = outOfBandChannels(m_data.table, m_data.bands);
    if (!outside.isEmpty() && m_message) {
        m_message->showMessage(textOr(m_messages.outOfBandTitle, 266),
                               outOfBandQuestion(outside, m_messages),
                               ConfirmationDialog::ActionWrite);
        return;
    }
    openProgrammingDialog(TransferMode::Write);
}

void MainWindow::writeWithoutBandCheck()
{
    openProgrammingDialog(TransferMode::Write);
}

void MainWindow::openProgrammingDialog(TransferMode mode)
{
    if (!m_programming || m_programming->isVisible())
        return;
    // A frequency being typed goes into its row first; one that is no
    // number stops the command with the conversion message.
    if (!commitEdit(true))
        return;
    // A read replaces the table: unsaved changes are asked about first.
    if (mode == TransferMode::Read && !askToSaveChanges())
        return;
    auto portFailed = [this](const PortProblem &problem) {
        // String 106 first, then which device and why, so the user can tell
        // a missing cable (and which ports there are) from a port another
        // program holds or one the user may not open (and what to do).
        QStringList lines{m_messages.portFailedText, portProblemText(problem, m_messages)};
        lines.removeAll(QString());
        if (m_message)
            m_message->showMessage(m_messages.errorTitle, lines.join(QLatin1Char('\n')),
                                   ConfirmationDialog::ActionNone);
    };
    PortProblem problem;
    if (!SerialLink::testPort(m_link->portName(), &problem)) {
        portFailed(problem);
        return;
    }
    // The port may still refuse the open that follows its test (another
    // program took it in between): the same message, and no dialog.
    m_transferMode = mode;
    const QString caption =
        mode == TransferMode::Write ? m_messages.writeCaption : m_messages.readCaption;
    if (!m_programming->openFor(mode, caption))
        portFailed(m_link->openProblem());
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_programming && m_programming->isVisible()) {
        event->ignore();
        return;
    }
    // Unsaved changes are never lost without a question.
    if (!askToSaveChanges()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void MainWindow::switchToChinese()
{
    selectLanguage(false);
    convertFixedTexts(m_data.table);
    // A view change, not an edit.
    m_history->resync();
    updateUndoActions();
}

void MainWindow::switchToEnglish()
{
    selectLanguage(true);
    convertFixedTexts(m_data.table);
    m_history->resync();
    updateUndoActions();
}

void MainWindow::exitProgram()
{
    // Closing the main window ends the program, after the question about
    // unsaved changes (closeEvent).
    close();
}

void MainWindow::showChannelPage()
{
    m_ui->pages->setCurrentWidget(m_ui->channelPage);
}

void MainWindow::showOptionsPage()
{
    m_ui->pages->setCurrentWidget(m_ui->optionsPage);
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
        m_portActions[i]->setChecked(i == port - 1);
    // Takes effect at the next opening of the port; the programming dialog,
    // which holds it open, keeps this window disabled.
    m_link->setPortName(portDevice(port));
    emit portSelected(port);
    // Checking the radio button programmatically raises no click, so the
    // command runs once whichever place gave it.
    QRadioButton *radio = m_portRadios[port - 1];
    if (!radio->isChecked())
        radio->setChecked(true);
}

QString MainWindow::portDevice(int port) const
{
    const QString &forThisRun = m_runDevices[port - 1];
    return forThisRun.isEmpty() ? portDeviceName(port, m_settings.portDevices[port - 1])
                                : forThisRun;
}

void MainWindow::setPortDevice(int port, const QString &device)
{
    m_runDevices[port - 1] = device;
}

SerialPortDialog *MainWindow::serialPortDialog() const
{
    return m_portDialog;
}

void MainWindow::chooseSerialPorts()
{
    if (!m_portDialog || m_portDialog->isVisible())
        return;
    // What each entry shows: its device for this run, else its assignment
    // (empty for the default device).
    SerialPortChoice shown;
    for (int port = 1; port <= PortCount; ++port) {
        const QString &forThisRun = m_runDevices[port - 1];
        shown.devices[port - 1] =
            forThisRun.isEmpty() ? m_settings.portDevices[port - 1] : forThisRun;
    }
    shown.port = selectedPort();
    m_portDialog->setChoice(shown);
    disconnect(m_portDialog, &QDialog::accepted, this, nullptr);
    connect(m_portDialog, &QDialog::accepted, this, [this, shown] {
        const SerialPortChoice chosen = m_portDialog->choice();
        // Only what the user changed is assigned, so a device demo mode put
        // behind an entry for this run never reaches the settings file.
        for (int port = 1; port <= PortCount; ++port) {
            if (chosen.devices[port - 1] == shown.devices[port - 1])
                continue;
            m_settings.portDevices[port - 1] = chosen.devices[port - 1];
            m_runDevices[port - 1].clear();
        }
        if (chosen.port != shown.port)
            selectPort(chosen.port);
        else
            showPort(selectedPort());
    });
    m_portDialog->open();
}

void MainWindow::useDemoRadio(const QString &device)
{
    setPortDevice(1, device);
    m_demoChoice = true;
    showPort(1);
    if (!m_demoMarker) {
        m_demoMarker = new QLabel(m_ui->statusBar);
        m_demoMarker->setObjectName(QStringLiteral("demoMarker"));
        m_ui->statusBar->addPermanentWidget(m_demoMarker);
    }
    showDemoMarker();
}

void MainWindow::showDemoMarker()
{
    m_demoMarker->setText(textOr(m_messages.demoText, 264) + QStringLiteral("  "));
}

void MainWindow::selectSkin(Skin skin)
{
    m_ui->blueSkinAction->setChecked(skin == Skin::Blue);
    m_ui->steelSkinAction->setChecked(skin == Skin::Steel);
    m_ui->coffeeSkinAction->setChecked(skin == Skin::Coffee);
    m_settings.skin = skin;
    applySkin();
}

void MainWindow::applySkin()
{
    // One skin dresses the main window and its dialogs; the splash keeps
    // its own look.
    const QString sheet = skinStyleSheet(m_settings.skin);
    setStyleSheet(sheet);
    for (QWidget *dialog :
         {static_cast<QWidget *>(m_about), static_cast<QWidget *>(m_programming),
          static_cast<QWidget *>(m_message), static_cast<QWidget *>(m_portDialog)})
        if (dialog)
            dialog->setStyleSheet(sheet);
}

void MainWindow::showAboutBox()
{
    if (!m_about)
        return;
    m_about->show();
}
