#pragma once

#include "app/channelprintout.h"
#include "app/usermessages.h"
#include "editor/channeleditor.h"
#include "i18n/messageslots.h"
#include "model/radiodata.h"
#include "radio/programmingrun.h"
#include "storage/appsettings.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <memory>

class AboutBox;
class EditHistory;
class RecentFiles;
class ChannelFileCommands;
class ChannelFileDialog;
class ChannelTableModel;
class ConfirmationDialog;
class ExtraFileCommands;
class PrintCommands;
class ProgrammingDialog;
class RadioTransfer;
class QAction;
class QLabel;
class QMenu;
class QRadioButton;
class RememberingFileDialog;
class SerialLink;
class SerialPortDialog;
class SettingsFile;
class SplashWindow;

namespace Ui {
class MainWindow;
}

// The main window (mainwindow.ui; one object, objectName "mainWindow"): menu
// bar, sectioned button bar and port group on the left, the channel and
// options pages in the centre, read / write / exit buttons on the right, and
// a status bar.
// It owns the radio data the pages show and carries out every command; each
// command has one handler, whichever menu item, bar item, button or label
// offers it.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // The named parts of the window (mainwindow.ui).
    const Ui::MainWindow &ui() const { return *m_ui; }
    // The menu item and the radio button of port entry 1-4.
    QAction *portAction(int port) const { return m_portActions[port - 1]; }
    QRadioButton *portRadio(int port) const { return m_portRadios[port - 1]; }
    RadioData &radioData() { return m_data; }
    ChannelTableModel *channelModel() const { return m_channelModel; }
    // Grid editing and the channel list operations.
    ChannelEditor *editor() const { return m_editor; }

    // The other windows of the program, created after this one.
    void setWindows(SplashWindow *splash, AboutBox *about, ProgrammingDialog *programming,
                    ConfirmationDialog *message);
    SplashWindow *splashWindow() const;
    AboutBox *aboutBox() const;
    ProgrammingDialog *programmingDialog() const;
    ConfirmationDialog *confirmationDialog() const;

    // What the settings file will be given at the end of the run: the
    // settings read at the start with the user's choices since, and the band
    // range lists as they are now.
    AppSettings settings() const;

    // The port entry 1-4 chosen now, whose device the serial link opens: the
    // stored or the user's choice, or 1 while demo mode has put its radio
    // there and the user has chosen none.
    int selectedPort() const { return m_demoChoice ? 1 : m_settings.port; }
    // The device behind port entry `port` (1-4): what setPortDevice() put
    // there for this run, else the device assigned to it (the settings
    // file's [ports], or the serial port dialog), else the system's default.
    QString portDevice(int port) const;
    // Puts `device` behind port entry `port` for this run only; the
    // assignment the settings file keeps is left as it is. A port already
    // chosen takes it at the next port command.
    void setPortDevice(int port, const QString &device);

    // The serial port dialog (Options -> "Serial port...", and the button
    // in the port group), created with this window.
    SerialPortDialog *serialPortDialog() const;

    // The serial link to the radio (the port of selectedPort(), open exactly
    // while the programming dialog is shown) and the run on it with this
    // window's data; the programming dialog performs the transfer around
    // that run.
    SerialLink &serialLink() const { return *m_link; }
    ProgrammingRun &programmingRun() const { return *m_run; }

    // Demo mode: puts the device of an in-process virtual radio behind port
    // entry 1 for this run (the settings file's [ports] map is left as it
    // is), chooses port 1 and marks the status bar "(demo)". The port saved
    // at exit stays the one the program started with unless the user picks
    // one.
    void useDemoRadio(const QString &device);
    Skin skin() const { return m_settings.skin; }

    // Applies the texts of language library `name` ("chn" or "eng") to every
    // window: the one place texts are put in. Without the library nothing
    // changes.
    void loadLanguage(const QString &name);
    // The message texts of the last language load that found its library.
    const MessageSlots &messages() const { return m_messages; }

    // The settings file "myini.ini" (beside the program, or in the user's
    // configuration folder: SettingsLocation), from the window's creation to
    // its destruction: read while the window is created, written when it is
    // destroyed.
    SettingsFile *settingsFile() const { return m_settingsFile.get(); }

    // The dialogs of the open and save commands, with their memory of the
    // last file; tests replace the dialog shown (setRunner).
    ChannelFileDialog &openDialog();
    ChannelFileDialog &saveDialog();
    // The same for the radio image and CSV commands.
    RememberingFileDialog &imageDialog();
    RememberingFileDialog &importCsvDialog();
    RememberingFileDialog &exportCsvDialog();
    // Print and Export PDF, with their dialogs.
    PrintCommands &printCommands();

    // Options -> "Verify after writing": a write in the programming dialog
    // that went through is read back and compared. Kept in the settings
    // file ([options] verify), read when the window is created and written
    // when it is destroyed.
    bool verifyAfterWriting() const { return m_settings.verifyAfterWriting; }
    // Options -> "Back up the radio before writing": a write in the
    // programming dialog first reads the radio into a backup and writes only
    // once that is kept. Kept in the settings file ([options] backupfirst)
    // like the verify option.
    bool backupBeforeWriting() const { return m_settings.backupBeforeWriting; }

    // A passing note in the status bar (what an import or export did); it
    // goes after StatusNoteMs, and the status bar's own text comes back.
    void showStatusNote(const QString &text);
    static constexpr int StatusNoteMs = 10000;

    // Shows a message of a command (a file that cannot be read or written,
    // the settings file at exit). Replaceable, so tests can take the
    // messages instead of a modal box.
    void showUserMessage(MessageKind kind, const QString &text);
    void setMessageFunction(MessageFunction function) { m_messageFunction = std::move(function); }

    // Commits a frequency being typed in the grid before the table is used
    // (read, write, save) and hides the frequency edit box, and the tone list
    // too when hideToneList. Returns false, having shown the conversion
    // message, when the typed text is not a number: the command then stops.
    bool commitEdit(bool hideToneList);

    void setVisible(bool visible) override;

    // The undo history of the channels and settings; its clean state is the
    // window's modified mark.
    EditHistory *history() const { return m_history; }
    // The Edit menu's undo and redo items and the row commands.
    QAction *undoAction() const { return m_undoAction; }
    QAction *redoAction() const { return m_redoAction; }
    QAction *cutRowsAction() const { return m_cutAction; }
    QAction *copyRowsAction() const { return m_copyAction; }
    QAction *pasteRowsAction() const { return m_pasteAction; }
    // File -> Recent files and the list behind it.
    QMenu *recentMenu() const { return m_recentMenu; }
    RecentFiles *recentFiles() const { return m_recent.get(); }

    // The answer to "Save changes?" before a command discards unsaved
    // changes. Replaceable, so tests can answer instead of a modal box.
    enum class SaveAnswer { Save, Discard, Cancel };
    using SaveQuestion = std::function<SaveAnswer()>;
    void setSaveQuestion(SaveQuestion question) { m_saveQuestion = std::move(question); }
    // Before a command that replaces the data: true when nothing is unsaved,
    // or the user chose Discard, or chose Save and the save went through.
    bool askToSaveChanges();

    // Opens a channel file (.r07), a CSV list (.csv) or a radio image (any
    // other name) as the matching command does once the user has picked the
    // file, after asking about unsaved changes: what File -> Recent and a
    // drop onto the window do.
    bool openAnyFile(const QString &path);

protected:
    // Refused while the programming dialog is open: the disabled window
    // still gets close requests from its frame, and a close during a run
    // would end the program half-way through writing the radio.
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

signals:
    // Every port command, with the port number the serial link is to use.
    void portSelected(int port);

public slots:
    void newChannelList();
    void openChannelFile();
    void saveChannelFile();
    void openRadioImage();
    void importCsv();
    void exportCsv();
    void printChannelList();
    void exportPdf();
    void exitProgram();
    void readRadio();
    // Asks first when a frequency lies outside the radio's bands; OK on that
    // question goes on as writeWithoutBandCheck().
    void writeRadio();
    void writeWithoutBandCheck();
    void showChannelPage();
    void showOptionsPage();
    // The port command for port entry 1-4: checks its menu item and radio
    // button and puts its device behind the serial link for the next
    // opening. It neither opens nor tests the port.
    void selectPort(int port);
    // Opens the serial port dialog on the devices behind the port entries
    // and the chosen entry. When it is accepted, each entry whose device
    // was changed keeps the new one (the settings file gets it at exit),
    // and the entry chosen there becomes the chosen port.
    void chooseSerialPorts();
    // The skin command: dresses the main window and its dialogs.
    void selectSkin(Skin skin);
    void switchToChinese();
    void switchToEnglish();
    void applyVerifyOption(); // the check mark changed
    void applyBackupOption(); // the check mark changed
    void showAboutBox();
    void undo();
    void redo();
    void copyRows();
    void cutRows();
    void pasteRows();

private:
    // The undo steps besides the editor's own.
    enum class Step { Open, OpenImage, Import, Read, Paste, Cut, Setting };
    // The kinds of undo step: the editor's edits, then StepKinds + a Step.
    static constexpr int StepKinds = 100;
    QString stepText(int kind) const;
    QString stepName(Step step) const;
    QString editStepName(ChannelEditor::Edit edit) const;
    void createEditCommands();
    void updateUndoActions();
    void fillRecentMenu();
    bool saveChannels();
    // After a file was opened, imported or read: one undo step, and the data
    // counts as unmodified when it all came in.
    void loaded(Step step, bool complete, const QString &path);
    // What the form cannot say: the exclusive groups of the menu items, and
    // which command each menu item, bar item, button, label and radio button
    // gives.
    void groupMenuItems();
    void connectCommands();
    void applySkin();
    // The captions and texts of the new and clear confirmations.
    ChannelEditor::ConfirmTexts confirmTexts() const;

    // Reads the settings file while the window is created, activating the
    // stored port and skin as the user would; writes it when the window is
    // destroyed.
    void restoreSettings();
    void storeSettings();
    // The first showing: the splash modally, the English texts, the splash
    // again without waiting.
    void firstShow();
    // The read and write commands: commit the edit, test the port, open the
    // programming dialog in `mode`.
    void openProgrammingDialog(TransferMode mode);
    // Shows port entry `port` as chosen and gives its device to the serial
    // link.
    void showPort(int port);
    void selectLanguage(bool english);
    // Says once per run, in the status bar, that Chinese texts cannot be
    // drawn when no installed font has Chinese glyphs.
    void noteMissingChineseFont();
    // The texts a language load leaves beyond the targets: the grid's
    // out-of-band tool tip, the demo mark.
    void applyLanguageTexts();
    // The status bar's demo mark in the language shown.
    void showDemoMarker();
    // The print-out's own texts: the options page's labels.
    PrintoutTexts printoutTexts() const;

    RadioData m_data;
    MessageSlots m_messages;
    std::unique_ptr<SerialLink> m_link;
    std::unique_ptr<ProgrammingRun> m_run;
    std::unique_ptr<RadioTransfer> m_transfer;
    QLabel *m_demoMarker = nullptr;
    std::unique_ptr<SettingsFile> m_settingsFile;
    std::unique_ptr<ChannelFileCommands> m_fileCommands;
    std::unique_ptr<ExtraFileCommands> m_extraCommands;
    std::unique_ptr<PrintCommands> m_printCommands;
    MessageFunction m_messageFunction;
    ChannelTableModel *m_channelModel = nullptr;
    ChannelEditor *m_editor = nullptr;
    std::unique_ptr<Ui::MainWindow> m_ui;
    std::array<QAction *, PortCount> m_portActions{};
    std::array<QRadioButton *, PortCount> m_portRadios{};

    QPointer<SplashWindow> m_splash;
    QPointer<AboutBox> m_about;
    QPointer<ProgrammingDialog> m_programming;
    QPointer<ConfirmationDialog> m_message;
    QPointer<SerialPortDialog> m_portDialog;

    // Read while the window is created; port, skin and verify option follow
    // the user's choices.
    AppSettings m_settings;
    // Devices put behind port entries for this run only (setPortDevice,
    // demo mode); empty where the assignment in m_settings counts.
    std::array<QString, PortCount> m_runDevices;
    // Demo mode chose port 1; the stored port is still the one to save.
    bool m_demoChoice = false;
    bool m_shown = false;
    bool m_chineseFontNoted = false;

    EditHistory *m_history = nullptr;
    QAction *m_undoAction = nullptr;
    QAction *m_redoAction = nullptr;
    QAction *m_cutAction = nullptr;
    QAction *m_copyAction = nullptr;
    QAction *m_pasteAction = nullptr;
    QMenu *m_recentMenu = nullptr;
    std::unique_ptr<RecentFiles> m_recent;
    // Said in the status bar once the window shows: where the settings are
    // not kept.
    QString m_startNote;
    SaveQuestion m_saveQuestion;
    TransferMode m_transferMode = TransferMode::Read;
};
