#include "app/printcommands.h"

#include "app/windowtexts.h"
#include "i18n/messageslots.h"
#include "i18n/texttargets.h"
#include "model/programfolder.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QPrintDialog>
#include <QPrinter>

bool runPrintDialog(QWidget *parent, QPrinter *printer)
{
    QPrintDialog dialog(printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

PrintCommands::PrintCommands(const RadioData *data, Window window)
    : m_data(data), m_window(std::move(window)),
      m_pdfDialog(true, QStringLiteral("pdf"), programFolder)
{}

QString PrintCommands::text(int number) const
{
    // Each program's own number has its message slot; a text the language
    // left empty falls back to the built-in one.
    return textOr(m_window.texts ? messageText(*m_window.texts, number) : QString(), number);
}

QString PrintCommands::title(Command command) const
{
    return m_window.title ? m_window.title(command) : QString();
}

void PrintCommands::message(MessageKind kind, const QString &text) const
{
    if (m_window.message)
        m_window.message(kind, text);
}

void PrintCommands::print()
{
    if (m_window.commitEdit && !m_window.commitEdit())
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(ChannelPrintout::defaultPageSize(QLocale::system()));
    printer.setDocName(title(Command::Print));
    if (!m_printDialog || !m_printDialog(m_window.parent, &printer))
        return;
    const ChannelPrintout printout(*m_data, m_window.printoutTexts ? m_window.printoutTexts()
                                                                   : PrintoutTexts{});
    printout.print(&printer);
    if (printer.printerState() == QPrinter::Error)
        message(MessageKind::Error, text(278));
}

void PrintCommands::exportPdf()
{
    if (m_window.commitEdit && !m_window.commitEdit())
        return;
    const QString filter = QStringLiteral("%1 (*.pdf);;%2 (*)").arg(text(272), text(213));
    const QString path = m_pdfDialog.exec(m_window.parent, title(Command::ExportPdf), filter);
    if (path.isEmpty())
        return;
    const ChannelPrintout printout(*m_data, m_window.printoutTexts ? m_window.printoutTexts()
                                                                   : PrintoutTexts{});
    QString error;
    if (!printout.writePdf(path, ChannelPrintout::defaultPageSize(QLocale::system()), &error)) {
        message(MessageKind::Error,
                QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), error));
        return;
    }
    if (m_window.note)
        m_window.note(withArgument(text(273), QFileInfo(path).fileName()));
}
