#pragma once

#include "app/usermessages.h"

#include <QString>

#include <functional>

class QWidget;
struct RadioData;

// What a file dialog is asked to show.
struct FileDialogSetup
{
    bool save = false;
    QString title;  // "保存" or "打开" in every language
    QString filter; // "RPX-207  文件 (*.r07)": its pattern is "*.r07"; several
                    // filters are separated by ";;"
    QString folder; // where it starts
    QString name;   // the file name it proposes, empty for none
    // Save only: the extension the dialog adds to a name typed without one
    // ("csv"), and whether it asks before replacing a file.
    QString defaultSuffix;
    bool confirmOverwrite = false;
};

// Shows a file dialog and returns the file the user chose as typed (save)
// or picked (open), or an empty text when the user cancelled.
using FileDialogRunner = std::function<QString(QWidget *parent, const FileDialogSetup &setup)>;

// The toolkit's own file dialog: save replaces an existing file without a
// question unless confirmOverwrite; open accepts only an existing file.
QString runFileDialog(QWidget *parent, const FileDialogSetup &setup);

// One of the two channel file dialogs with its memory: it starts in the
// folder of the file it returned last and proposes that file's name; the
// first time in the program's folder with no name. The save dialog adds
// ".r07" to a name typed without an extension.
class ChannelFileDialog
{
public:
    explicit ChannelFileDialog(bool save);

    FileDialogSetup setup() const;
    // Shows the dialog (through the runner) and returns the chosen file, or
    // an empty text when cancelled.
    QString exec(QWidget *parent);

    QString lastFile() const { return m_lastFile; }

    // Replaces the dialog that is shown; tests put in their own.
    void setRunner(FileDialogRunner runner) { m_runner = std::move(runner); }

private:
    bool m_save;
    QString m_lastFile;
    FileDialogRunner m_runner = runFileDialog;
};

// The open and save commands of the channel files, on the main window's
// data. The window supplies the steps that belong to it.
class ChannelFileCommands
{
public:
    struct Window
    {
        QWidget *parent = nullptr;
        // Commits a pending grid entry; false stops the save.
        std::function<bool()> commitEdit;
        std::function<void(const QString &caption)> setCaption;
        MessageFunction message;
    };

    ChannelFileCommands(RadioData *data, Window window);

    // Commits the pending entry, asks for a file and writes it. A failure
    // shows the system's message; texts that will not open unchanged are
    // shown as a warning. True when the file was written.
    bool save();
    // Asks for a file to open; empty when the user cancelled.
    QString chooseFileToOpen();
    // Reads a channel file into the data. The caption names the band once
    // line 4 was read, also when a later line stops the open. True when the
    // whole file was read.
    bool openFile(const QString &path);

    ChannelFileDialog &openDialog() { return m_openDialog; }
    ChannelFileDialog &saveDialog() { return m_saveDialog; }

private:
    void report(bool ok, const QString &message, const QStringList &warnings);

    RadioData *m_data;
    Window m_window;
    ChannelFileDialog m_openDialog{false};
    ChannelFileDialog m_saveDialog{true};
};
