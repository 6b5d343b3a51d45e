#pragma once

#include "app/channelfilecommands.h"
#include "app/usermessages.h"

#include <QString>

#include <functional>

class QWidget;
struct CsvImportReport;
struct MessageSlots;
struct RadioData;

// A file dialog of the radio image and CSV commands, with the memory of the
// channel file dialogs: it starts in the folder of the file it returned
// last and proposes that file's name; the first time in firstFolder() with
// no name. A save dialog adds "." + suffix to a name typed without an
// extension and asks before replacing a file.
class RememberingFileDialog
{
public:
    RememberingFileDialog(bool save, const QString &suffix, std::function<QString()> firstFolder);

    FileDialogSetup setup(const QString &title, const QString &filter) const;
    // Shows the dialog (through the runner) and returns the chosen file, or
    // an empty text when cancelled.
    QString exec(QWidget *parent, const QString &title, const QString &filter);

    QString lastFile() const { return m_lastFile; }

    // Replaces the dialog that is shown; tests put in their own.
    void setRunner(FileDialogRunner runner) { m_runner = std::move(runner); }

private:
    bool m_save;
    QString m_suffix;
    std::function<QString()> m_firstFolder;
    QString m_lastFile;
    FileDialogRunner m_runner = runFileDialog;
};

// The File menu's commands beyond the channel files, on the main window's
// data:
// - open radio image: a backup or a read's image decoded into the channels
//   and function settings exactly as a read decodes the radio's replies
//   (the band range lists stay as they are);
// - import CSV: a channel list replaces the channel table;
// - export CSV: the channel table as a channel list.
// The window supplies the steps that belong to it.
class ExtraFileCommands
{
public:
    enum class Command { OpenImage, ImportCsv, ExportCsv };

    struct Window
    {
        QWidget *parent = nullptr;
        // Commits a pending grid entry, and hides the editors when
        // hideEditors; false stops the command.
        std::function<bool(bool hideEditors)> commitEdit;
        std::function<void(const QString &caption)> setCaption;
        MessageFunction message;
        // A passing note that needs no answer (the status bar).
        std::function<void(const QString &text)> note;
        // The title of a command's file dialog (its menu item's text).
        std::function<QString(Command command)> title;
        // The texts of the last language load.
        const MessageSlots *texts = nullptr;
    };

    // How many skipped rows and warnings an import or export report lists;
    // the rest is counted in one line.
    static constexpr int ShownReportLines = 25;

    ExtraFileCommands(RadioData *data, Window window);

    // Hides the editors, asks for an image file and decodes it into the
    // data. The caption names the file; channels that cannot be decoded
    // are left empty and named in a warning, as is an erased settings block
    // (the settings then stay as they were).
    QString chooseImage();
    // True when the image was read (channels it could not decode are left
    // empty and named in a warning).
    bool openImageFile(const QString &path);
    // Hides the editors, asks for a CSV file and replaces the channel table
    // with its rows. Rows that were skipped (line and reason) and rows
    // placed otherwise than written are shown in one warning; a clean import
    // only notes how many channels came in. A file that is not a channel
    // list leaves the table as it was.
    QString chooseCsvToImport();
    // True when the table was replaced.
    bool importCsvFile(const QString &path);
    // Commits the pending entry, asks for a file (".csv" added to a name
    // without an extension) and writes the channel table to it; the file is
    // replaced only once it is completely written. True when it was.
    bool exportCsv();

    RememberingFileDialog &imageDialog() { return m_imageDialog; }
    RememberingFileDialog &importDialog() { return m_importDialog; }
    RememberingFileDialog &exportDialog() { return m_exportDialog; }

    // The note or warning of an import (or a paste): how many channels came
    // in (countText, "%1" the count; the import's text when empty), the rows
    // skipped and placed otherwise.
    void showImportReport(const CsvImportReport &report, const QString &countText = {}) const;

private:
    QString text(int number) const;
    QString filter(int nameNumber, const QString &pattern, bool allFiles) const;
    void message(MessageKind kind, const QString &text) const;
    void note(const QString &text) const;
    // Commits the pending entry (hiding the editors when hideEditors), then
    // asks for a file in the command's dialog; empty when the commit or the
    // user stops the command.
    QString pickFile(Command command, bool hideEditors, RememberingFileDialog &dialog,
                     const QString &filter);

    RadioData *m_data;
    Window m_window;
    RememberingFileDialog m_imageDialog;
    RememberingFileDialog m_importDialog;
    RememberingFileDialog m_exportDialog;
};

// text with its "%1" replaced by argument, or argument appended after a
// blank when the text has no "%1" (a library's text may lack it).
QString withArgument(const QString &text, const QString &argument);
