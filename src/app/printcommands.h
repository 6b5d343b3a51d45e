#pragma once

#include "app/channelprintout.h"
#include "app/extrafilecommands.h"
#include "app/usermessages.h"

#include <QString>

#include <functional>

class QPrinter;
class QWidget;
struct MessageSlots;
struct RadioData;

// Shows a print dialog for `printer` over parent; true when the user chose
// to print. Tests put in their own.
using PrintDialogRunner = std::function<bool(QWidget *parent, QPrinter *printer)>;
bool runPrintDialog(QWidget *parent, QPrinter *printer);

// The File menu's Print and Export PDF, on the main window's data: the
// channel list and the function settings as a ChannelPrintout, on a printer
// the user chooses or in a PDF file (the paper of the user's locale,
// ChannelPrintout::defaultPageSize). The window supplies the steps that
// belong to it.
class PrintCommands
{
public:
    enum class Command { Print, ExportPdf };

    struct Window
    {
        QWidget *parent = nullptr;
        // Commits a pending grid entry; false stops the command.
        std::function<bool()> commitEdit;
        MessageFunction message;
        // A passing note that needs no answer (the status bar).
        std::function<void(const QString &text)> note;
        // The title of a command's dialog (its menu item's text).
        std::function<QString(Command command)> title;
        // The printout's own texts, in the language shown.
        std::function<PrintoutTexts()> printoutTexts;
        // The texts of the last language load.
        const MessageSlots *texts = nullptr;
    };

    PrintCommands(const RadioData *data, Window window);

    // Commits the pending entry, shows the print dialog and prints on the
    // printer chosen there.
    void print();
    // Commits the pending entry, asks for a file (".pdf" added to a name
    // without an extension) and writes the PDF; the file is replaced only
    // once it is completely written.
    void exportPdf();

    RememberingFileDialog &pdfDialog() { return m_pdfDialog; }
    void setPrintDialogRunner(PrintDialogRunner runner) { m_printDialog = std::move(runner); }

private:
    QString text(int number) const;
    QString title(Command command) const;
    void message(MessageKind kind, const QString &text) const;

    const RadioData *m_data;
    Window m_window;
    RememberingFileDialog m_pdfDialog;
    PrintDialogRunner m_printDialog = runPrintDialog;
};
