#include "app/extrafilecommands.h"

#include "app/windowtexts.h"
#include "i18n/messageslots.h"
#include "i18n/texttargets.h"
#include "model/productnames.h"
#include "model/programfolder.h"
#include "model/radiodata.h"
#include "radio/memoryimage.h"
#include "storage/backups.h"
#include "storage/channelcsv.h"
#include "storage/radioimage.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString atFile(const QString &path, const QString &message)
{
    return QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), message);
}

// At most `shown` lines, the rest counted in one more.
QStringList capped(QStringList lines, int shown)
{
    const qsizetype all = lines.size();
    if (all > shown) {
        lines = lines.mid(0, shown);
        lines << QStringLiteral("… and %1 more.").arg(all - shown);
    }
    return lines;
}

} // namespace

QString withArgument(const QString &text, const QString &argument)
{
    if (text.contains(QLatin1String("%1")))
        return text.arg(argument);
    return text.isEmpty() ? argument : text + QLatin1Char(' ') + argument;
}

RememberingFileDialog::RememberingFileDialog(bool save, const QString &suffix,
                                             std::function<QString()> firstFolder)
    : m_save(save), m_suffix(suffix), m_firstFolder(std::move(firstFolder))
{}

FileDialogSetup RememberingFileDialog::setup(const QString &title, const QString &filter) const
{
    FileDialogSetup setup;
    setup.save = m_save;
    setup.title = title;
    setup.filter = filter;
    if (m_save) {
        setup.defaultSuffix = m_suffix;
        setup.confirmOverwrite = true;
    }
    if (m_lastFile.isEmpty()) {
        setup.folder = m_firstFolder ? m_firstFolder() : QString();
    } else {
        const QFileInfo last(m_lastFile);
        setup.folder = last.absolutePath();
        setup.name = last.fileName();
    }
    return setup;
}

QString RememberingFileDialog::exec(QWidget *parent, const QString &title, const QString &filter)
{
    QString file = m_runner ? m_runner(parent, setup(title, filter)) : QString();
    if (file.isEmpty())
        return {};
    // The same rule as for channel files: "name." counts as an extension.
    if (m_save && !m_suffix.isEmpty() && QFileInfo(file).suffix().isEmpty() &&
        !file.endsWith(QLatin1Char('.')))
        file += QLatin1Char('.') + m_suffix;
    m_lastFile = file;
    return file;
}

ExtraFileCommands::ExtraFileCommands(RadioData *data, Window window)
    : m_data(data), m_window(std::move(window)),
      m_imageDialog(false, QString(),
                    [] {
                        // Where the backups are, once a read has made one.
                        const QString backups = Backups::defaultFolder();
                        return QFileInfo(backups).isDir() ? backups : programFolder();
                    }),
      m_importDialog(false, QString(), programFolder),
      m_exportDialog(true, QStringLiteral("csv"), programFolder)
{}

QString ExtraFileCommands::text(int number) const
{
    // Each program's own number has its message slot; a text the language
    // left empty falls back to the built-in one.
    return textOr(m_window.texts ? messageText(*m_window.texts, number) : QString(), number);
}

QString ExtraFileCommands::filter(int nameNumber, const QString &pattern, bool allFiles) const
{
    QString filter = QStringLiteral("%1 (%2)").arg(text(nameNumber), pattern);
    if (allFiles)
        filter += QStringLiteral(";;%1 (*)").arg(text(213));
    return filter;
}

void ExtraFileCommands::message(MessageKind kind, const QString &text) const
{
    if (m_window.message)
        m_window.message(kind, text);
}

void ExtraFileCommands::note(const QString &text) const
{
    if (m_window.note)
        m_window.note(text);
}

QString ExtraFileCommands::pickFile(Command command, bool hideEditors,
                                    RememberingFileDialog &dialog, const QString &filter)
{
    if (m_window.commitEdit && !m_window.commitEdit(hideEditors))
        return {};
    const QString title = m_window.title ? m_window.title(command) : QString();
    return dialog.exec(m_window.parent, title, filter);
}

QString ExtraFileCommands::chooseImage()
{
    return pickFile(Command::OpenImage, true, m_imageDialog,
                    filter(211, QStringLiteral("*.img"), true));
}

bool ExtraFileCommands::openImageFile(const QString &path)
{
    const RadioImageFile file = readRadioImageFile(path);
    if (!file.ok) {
        message(MessageKind::Error, atFile(path, file.message));
        return false;
    }
    const MemoryImage::ImageDecodeResult decoded = MemoryImage::decodeImage(file.image, *m_data);
    if (m_window.setCaption)
        m_window.setCaption(
            QStringLiteral("%1    [%2]").arg(ProductNames::Program, QFileInfo(path).fileName()));
    if (!decoded.warnings.isEmpty())
        message(MessageKind::Warning, decoded.warnings.join(QLatin1Char('\n')));
    return true;
}

QString ExtraFileCommands::chooseCsvToImport()
{
    return pickFile(Command::ImportCsv, true, m_importDialog,
                    filter(212, QStringLiteral("*.csv"), true));
}

bool ExtraFileCommands::importCsvFile(const QString &path)
{
    const CsvImportReport report = importChannelCsvFile(path, m_data->table);
    if (!report.ok) {
        message(MessageKind::Error, atFile(path, report.message));
        return false;
    }
    showImportReport(report);
    return true;
}

void ExtraFileCommands::showImportReport(const CsvImportReport &report,
                                         const QString &countText) const
{
    const QString imported =
        withArgument(countText.isEmpty() ? text(214) : countText, QString::number(report.imported));
    if (report.skipped.isEmpty() && report.warnings.isEmpty()) {
        note(imported);
        return;
    }
    QStringList lines;
    for (const CsvSkippedRow &row : report.skipped)
        lines << QStringLiteral("line %1 skipped: %2").arg(row.line).arg(row.reason);
    lines += report.warnings;
    lines = capped(lines, ShownReportLines);
    lines.prepend(imported);
    message(MessageKind::Warning, lines.join(QLatin1Char('\n')));
}

bool ExtraFileCommands::exportCsv()
{
    const QString path = pickFile(Command::ExportCsv, false, m_exportDialog,
                                  filter(212, QStringLiteral("*.csv"), false));
    if (path.isEmpty())
        return false;
    const CsvExportResult result = exportChannelCsv(path, *m_data);
    if (!result.ok) {
        message(MessageKind::Error, atFile(path, result.message));
        return false;
    }
    const QString exported = withArgument(text(215), QString::number(result.exported));
    if (result.warnings.isEmpty())
        note(exported);
    else
        message(MessageKind::Warning,
                (QStringList{exported} + capped(result.warnings, ShownReportLines))
                    .join(QLatin1Char('\n')));
    return true;
}
