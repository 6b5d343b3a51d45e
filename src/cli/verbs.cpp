#include "cli/verbs.h"

#include "cli/clisupport.h"
#include "model/bandcheck.h"
#include "model/channel.h"
#include "model/radiodata.h"
#include "radio/memorycodec.h"
#include "radio/memoryimage.h"
#include "radio/programmingrun.h"
#include "radio/radiofinder.h"
#include "radio/radiotransfer.h"
#include "radio/serialports.h"
#include "sim/demoimage.h"
#include "sim/virtualradio.h"
#include "storage/atomicwrite.h"
#include "storage/backups.h"
#include "storage/channelcsv.h"
#include "storage/channelfile.h"
#include "storage/radioimage.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <optional>

namespace {

QCommandLineOption portOption()
{
    return QCommandLineOption(
        {QStringLiteral("p"), QStringLiteral("port")},
        QStringLiteral("Serial port: COM1-COM4 (the devices myini.ini [ports] maps them to, "
                       "by default /dev/ttyUSB0-3) or a device path."),
        QStringLiteral("PORT"));
}

QCommandLineOption traceOption()
{
    return QCommandLineOption(
        QStringLiteral("trace"),
        QStringLiteral("Write every byte sent and received to this file, one line per transfer "
                       "with the time in seconds since the start (see docs/file-formats.md)."),
        QStringLiteral("FILE"));
}

// A file can be created at path: its folder exists and it is no folder.
// Otherwise says why.
bool canCreate(const CliOutput &output, const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir()) {
        output.error(QStringLiteral("%1 is a folder").arg(path));
        return false;
    }
    if (!info.absoluteDir().exists()) {
        output.error(
            QStringLiteral("%1: the folder %2 does not exist").arg(path, info.absolutePath()));
        return false;
    }
    return true;
}

// The file a path names once links are resolved: the canonical path of a
// file that exists; for one that does not exist yet, its folder's canonical
// path and its name.
QString resolvedPath(const QString &path)
{
    const QFileInfo info(path);
    QString resolved = info.canonicalFilePath();
    if (resolved.isEmpty()) {
        const QString folder = info.absoluteDir().canonicalPath();
        resolved =
            folder.isEmpty() ? info.absoluteFilePath() : QDir(folder).filePath(info.fileName());
    }
    return QDir::cleanPath(resolved);
}

// A file a command reads or writes, by the name its help gives it.
struct FileRole
{
    QString name; // "--out", "IN.csv"
    QString path; // empty when not given
    bool output = true;
};

// One file, one role: refuses (exit status 2, before the radio is touched)
// a file named by two of `roles` (an option or argument name and its path)
// of which at least one is an output, since writing it would destroy the
// other. Returns -1 when every file has one role.
int refuseSharedFiles(const CliOutput &output, const QList<FileRole> &roles)
{
#ifdef Q_OS_WIN
    constexpr Qt::CaseSensitivity Case = Qt::CaseInsensitive;
#else
    constexpr Qt::CaseSensitivity Case = Qt::CaseSensitive;
#endif
    for (qsizetype i = 0; i < roles.size(); ++i) {
        for (qsizetype j = i + 1; j < roles.size(); ++j) {
            const FileRole &a = roles.at(i);
            const FileRole &b = roles.at(j);
            if (a.path.isEmpty() || b.path.isEmpty() || !(a.output || b.output))
                continue;
            if (resolvedPath(a.path).compare(resolvedPath(b.path), Case) == 0) {
                output.error(QStringLiteral("%1 and %2 name the same file (%3); give each its own")
                                 .arg(a.name, b.name, QDir::toNativeSeparators(b.path)));
                return ExitUsage;
            }
        }
    }
    return -1;
}

// Writes every file or, as far as the system allows, none (see
// writeFilesAtomically()); a failure names the file and the system's reason.
bool saveFiles(const CliOutput &output, const QList<FileToWrite> &files)
{
    QString failed;
    QString error;
    if (writeFilesAtomically(files, &failed, &error))
        return true;
    output.fileError(failed, error);
    return false;
}

QString phaseLabel(RadioTransfer::Phase phase)
{
    switch (phase) {
    case RadioTransfer::Phase::Reading:
        return QStringLiteral("Reading");
    case RadioTransfer::Phase::Writing:
        return QStringLiteral("Writing");
    case RadioTransfer::Phase::Verifying:
        return QStringLiteral("Verifying");
    case RadioTransfer::Phase::BackingUp:
        return QStringLiteral("Backing up");
    case RadioTransfer::Phase::KeepingBackup:
        break;
    }
    return {};
}

// Performs a transfer with a progress bar for each of its phases that has
// a gauge.
TransferResult performTransfer(SerialLink &link, RadioData &data, TransferMode mode,
                               const TransferOptions &options, QByteArray *image = nullptr)
{
    ProgrammingRun run(link, data);
    RadioTransfer transfer(run);
    std::optional<ProgressBar> bar;
    QObject::connect(&transfer, &RadioTransfer::phaseChanged,
                     [&bar](RadioTransfer::Phase phase, int gaugeMaximum) {
                         bar.reset();
                         if (gaugeMaximum > 0)
                             bar.emplace(phaseLabel(phase), gaugeMaximum);
                     });
    QObject::connect(&transfer, &RadioTransfer::progress, [&bar](int value) {
        if (bar)
            bar->show(value);
    });
    const TransferResult result = transfer.perform(mode, options);
    bar.reset();
    if (image)
        *image = run.image();
    return result;
}

// Reports how a run ended; returns the exit status.
int runStatus(const CliOutput &output, const ProgrammingResult &result)
{
    switch (result.outcome) {
    case ProgrammingResult::Outcome::Done:
        if (result.complete())
            return ExitOk;
        output.error(result.message);
        return ExitIncomplete;
    case ProgrammingResult::Outcome::Refused:
        for (const QString &problem : result.problems)
            output.line(problem);
        output.error(result.message);
        return ExitRefused;
    case ProgrammingResult::Outcome::PortClosed:
        output.error(result.message);
        return ExitPort;
    default:
        output.error(result.message);
        return ExitRunFailed;
    }
}

QString channelList(const QList<int> &channels)
{
    QStringList texts;
    for (int n : channels)
        texts << channelLabel(n);
    return texts.join(QStringLiteral(", "));
}

int readVerb(VerbContext &cli)
{
    QCommandLineParser &parser = cli.parser();
    const QCommandLineOption port = portOption();
    const QCommandLineOption out({QStringLiteral("o"), QStringLiteral("out")},
                                 QStringLiteral("The channel file to write (.r07)."),
                                 QStringLiteral("FILE"));
    const QCommandLineOption imageOption(
        QStringLiteral("image"),
        QStringLiteral("Also write the radio memory as read: a raw 64 KiB image, 0xFF where "
                       "nothing was read."),
        QStringLiteral("FILE"));
    const QCommandLineOption trace = traceOption();
    const QCommandLineOption noBackup(QStringLiteral("no-backup"),
                                      QStringLiteral("Keep no backup image of this read."));
    parser.addOptions({port, out, imageOption, trace, noBackup});
    if (const int status = cli.parse(); status >= 0)
        return status;
    if (!parser.isSet(port) || !parser.isSet(out))
        return cli.usage(QStringLiteral("read needs --port and --out"));
    if (const int status = cli.refuseArguments(); status >= 0)
        return status;
    const QString outPath = parser.value(out);
    const QString imagePath = parser.value(imageOption);
    if (const int status =
            refuseSharedFiles(cli, {{QStringLiteral("--out"), outPath},
                                    {QStringLiteral("--image"), imagePath},
                                    {QStringLiteral("--trace"), parser.value(trace)}});
        status >= 0)
        return status;
    for (const QString &path : {outPath, imagePath, parser.value(trace)}) {
        if (!path.isEmpty() && !canCreate(cli, path))
            return ExitFile;
    }

    RadioData data;
    cli.prepareData(data);
    TransferOptions options;
    options.keepBackup = !parser.isSet(noBackup);
    TransferResult transfer;
    QByteArray image;
    bool traceWritten = true;
    {
        RadioSession session(cli);
        if (const int status =
                session.open(cli.portDevice(parser.value(port)), parser.value(trace));
            status >= 0)
            return status;
        transfer = performTransfer(session.link(), data, TransferMode::Read, options, &image);
        traceWritten = session.finish();
    }
    if (const std::optional<Backups::BackupResult> &backup = transfer.backup) {
        if (backup->ok)
            cli.error(QStringLiteral("backup: %1").arg(QDir::toNativeSeparators(backup->path)));
        else
            cli.warning(QStringLiteral("no backup was kept: %1").arg(backup->message));
    }
    const ProgrammingResult &result = transfer.run;
    if (const int status = runStatus(cli, result); status != ExitOk)
        return status;
    if (!traceWritten)
        return ExitFile;
    // Channels holding values the table cannot show stay empty in the file;
    // the image keeps their bytes.
    if (!result.unreadableChannels.isEmpty())
        cli.warning(QStringLiteral("channel(s) %1 hold values that cannot be shown; they are "
                                   "empty in %2")
                        .arg(channelList(result.unreadableChannels), outPath));

    QList<FileToWrite> files;
    QStringList warnings;
    files.append({outPath, channelFileBytes(data, &warnings)});
    cli.warnings(warnings);
    if (!imagePath.isEmpty())
        files.append({imagePath, image});
    return saveFiles(cli, files) ? ExitOk : ExitFile;
}

int writeVerb(VerbContext &cli)
{
    QCommandLineParser &parser = cli.parser();
    const QCommandLineOption port = portOption();
    const QCommandLineOption imageOption(
        QStringLiteral("image"),
        QStringLiteral("Write this radio image (a backup, or a read's --image) instead of a "
                       "channel file: its channels and settings, decoded as a read decodes "
                       "them. The band edges come from myini.ini as for any write."),
        QStringLiteral("FILE"));
    const QCommandLineOption verify(
        QStringLiteral("verify"),
        QStringLiteral("After the write, read the radio back and compare every block read with "
                       "what was written; a difference fails the command (status 7)."));
    const QCommandLineOption backupFirst(
        QStringLiteral("backup-first"),
        QStringLiteral("Before writing, read the radio and keep what it holds as a backup image "
                       "(as a read does); write only once the backup is kept. Undo a wrong "
                       "write with write --image and that backup."));
    const QCommandLineOption trace = traceOption();
    parser.addOptions({port, imageOption, verify, backupFirst, trace});
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("The channel file to write (.r07)."));
    if (const int status = cli.parse(); status >= 0)
        return status;
    if (!parser.isSet(port))
        return cli.usage(QStringLiteral("write needs --port"));
    const bool fromImage = parser.isSet(imageOption);
    if (parser.positionalArguments().size() != (fromImage ? 0 : 1))
        return cli.usage(fromImage ? QStringLiteral("write takes either a channel file or --image")
                                   : QStringLiteral("write needs exactly one channel file"));
    const QString input =
        fromImage ? parser.value(imageOption) : parser.positionalArguments().constFirst();
    if (const int status = refuseSharedFiles(
            cli, {{fromImage ? QStringLiteral("--image") : QStringLiteral("FILE"), input, false},
                  {QStringLiteral("--trace"), parser.value(trace)}});
        status >= 0)
        return status;
    if (parser.isSet(trace) && !canCreate(cli, parser.value(trace)))
        return ExitFile;

    RadioData data;
    cli.prepareData(data);
    QString path;
    if (fromImage) {
        path = parser.value(imageOption);
        const RadioImageFile file = readRadioImageFile(path);
        if (!file.ok)
            return cli.fileError(path, file.message);
        const MemoryImage::ImageDecodeResult decoded = MemoryImage::decodeImage(file.image, data);
        // A channel that cannot be decoded would be written empty: refuse
        // rather than erase it in the radio.
        if (!decoded.unreadableChannels.isEmpty()) {
            cli.error(QStringLiteral("%1: channel(s) %2 hold values that cannot be decoded; "
                                     "nothing was sent")
                          .arg(path, channelList(decoded.unreadableChannels)));
            return ExitRefused;
        }
        cli.warnings(decoded.warnings, path);
    } else {
        path = parser.positionalArguments().constFirst();
        const ChannelFileResult opened = openChannelFile(path, data);
        cli.warnings(opened.warnings, path);
        if (!opened.ok)
            return cli.fileError(path, opened.message);
    }
    const QStringList problems = MemoryCodec::preflightCheck(data);
    if (!problems.isEmpty()) {
        for (const QString &problem : problems)
            cli.line(problem);
        cli.error(QStringLiteral("%1: %2 value(s) cannot be stored in the radio; nothing was sent")
                      .arg(path)
                      .arg(problems.size()));
        return ExitRefused;
    }
    // Frequencies outside the radio's bands are written all the same (the
    // radio may take them); the user is told which.
    for (const OutOfBandChannel &finding : outOfBandChannels(data.table, data.bands))
        cli.line(outOfBandMessage(finding));

    RadioSession session(cli);
    if (const int status = session.open(cli.portDevice(parser.value(port)), parser.value(trace));
        status >= 0)
        return status;
    TransferOptions options;
    if (parser.isSet(verify))
        options.readBack = TransferOptions::ReadBack::AfterCompleteWrite;
    options.backupFirst = parser.isSet(backupFirst);
    const TransferResult transfer =
        performTransfer(session.link(), data, TransferMode::Write, options);
    // A trace that could not be written fails a command that went well.
    const int traceStatus = session.finish() ? ExitOk : ExitFile;
    if (transfer.backup && transfer.backup->ok)
        cli.error(
            QStringLiteral("backup: %1").arg(QDir::toNativeSeparators(transfer.backup->path)));
    if (transfer.run.outcome == ProgrammingResult::Outcome::BackupFailed) {
        cli.error(transfer.run.message);
        const ProgrammingResult &read = *transfer.backupRead;
        if (read.outcome == ProgrammingResult::Outcome::Done)
            return ExitFile;
        return read.outcome == ProgrammingResult::Outcome::PortClosed ? ExitPort : ExitRunFailed;
    }
    if (const int status = runStatus(cli, transfer.run); status != ExitOk)
        return status;
    if (!transfer.verify)
        return traceStatus;

    const VerifyReport &report = *transfer.verify;
    for (const QString &difference : report.differences)
        cli.line(difference);
    cli.error(report.message);
    return report.ok() ? traceStatus : ExitVerifyFailed;
}

int exportCsvVerb(VerbContext &cli)
{
    QCommandLineParser &parser = cli.parser();
    parser.addPositionalArgument(QStringLiteral("FILE.r07"),
                                 QStringLiteral("The channel file to read."));
    parser.addPositionalArgument(QStringLiteral("OUT.csv"),
                                 QStringLiteral("The CSV file to write."));
    if (const int status = cli.parse(); status >= 0)
        return status;
    if (parser.positionalArguments().size() != 2)
        return cli.usage(QStringLiteral("export-csv needs a channel file and a CSV file"));
    const QString in = parser.positionalArguments().at(0);
    const QString out = parser.positionalArguments().at(1);
    if (const int status = refuseSharedFiles(
            cli, {{QStringLiteral("FILE.r07"), in, false}, {QStringLiteral("OUT.csv"), out}});
        status >= 0)
        return status;

    RadioData data;
    cli.prepareData(data);
    const ChannelFileResult opened = openChannelFile(in, data);
    cli.warnings(opened.warnings, in);
    if (!opened.ok)
        return cli.fileError(in, opened.message);
    const CsvExportResult result = exportChannelCsv(out, data);
    cli.warnings(result.warnings);
    if (!result.ok)
        return cli.fileError(out, result.message);
    return ExitOk;
}

int importCsvVerb(VerbContext &cli)
{
    QCommandLineParser &parser = cli.parser();
    parser.addPositionalArgument(QStringLiteral("IN.csv"), QStringLiteral("The CSV file to read."));
    parser.addPositionalArgument(QStringLiteral("OUT.r07"),
                                 QStringLiteral("The channel file to write."));
    if (const int status = cli.parse(); status >= 0)
        return status;
    if (parser.positionalArguments().size() != 2)
        return cli.usage(QStringLiteral("import-csv needs a CSV file and a channel file"));
    const QString in = parser.positionalArguments().at(0);
    const QString out = parser.positionalArguments().at(1);
    if (const int status = refuseSharedFiles(
            cli, {{QStringLiteral("IN.csv"), in, false}, {QStringLiteral("OUT.r07"), out}});
        status >= 0)
        return status;

    RadioData data;
    cli.prepareData(data);
    const CsvImportReport report = importChannelCsvFile(in, data.table);
    if (!report.ok)
        return cli.fileError(in, report.message);
    for (const CsvSkippedRow &row : report.skipped)
        cli.error(QStringLiteral("%1: line %2 skipped: %3").arg(in).arg(row.line).arg(row.reason));
    cli.warnings(report.warnings, in);
    if (!report.skipped.isEmpty())
        cli.error(QStringLiteral("%1 channel(s) imported, %2 row(s) skipped")
                      .arg(report.imported)
                      .arg(report.skipped.size()));
    const ChannelFileResult saved = saveChannelFile(out, data);
    cli.warnings(saved.warnings, out);
    if (!saved.ok)
        return cli.fileError(out, saved.message);
    return ExitOk;
}

int portsVerb(VerbContext &cli)
{
    if (const int status = cli.parse(); status >= 0)
        return status;
    if (const int status = cli.refuseArguments(); status >= 0)
        return status;
    const QList<SerialPortDescription> ports = availableSerialPorts();
    if (ports.isEmpty())
        cli.error(QStringLiteral("no serial ports found"));
    QString lines;
    for (const SerialPortDescription &port : ports) {
        lines += QStringList{port.device,
                             port.description.isEmpty() ? QStringLiteral("-") : port.description,
                             port.hasUsbIds ? port.usbId() : QStringLiteral("-")}
                     .join(QLatin1Char('\t')) +
                 QLatin1Char('\n');
    }
    cli.printOut(lines);
    return ExitOk;
}

int findVerb(VerbContext &cli)
{
    QCommandLineParser &parser = cli.parser();
    const QCommandLineOption port(
        {QStringLiteral("p"), QStringLiteral("port")},
        QStringLiteral("Also look on this port: COM1-COM4 (through myini.ini [ports]) or a "
                       "device path, such as a virtual radio's. May be repeated."),
        QStringLiteral("PORT"));
    parser.addOption(port);
    if (const int status = cli.parse(); status >= 0)
        return status;
    if (const int status = cli.refuseArguments(); status >= 0)
        return status;

    QStringList extra;
    for (const QString &value : parser.values(port))
        extra << cli.portDevice(value);
    const QStringList candidates = findCandidates(extra);
    if (candidates.isEmpty()) {
        cli.error(QStringLiteral("no serial ports found; give one with --port"));
        return ExitRunFailed;
    }
    bool found = false;
    for (const QString &device : candidates) {
        const PortProbe probe = probePort(device);
        if (probe.found()) {
            cli.printOut(QStringLiteral("FOUND %1\n").arg(device));
            found = true;
        } else {
            cli.error(probe.text());
        }
    }
    return found ? ExitOk : ExitRunFailed;
}

int simulateVerb(VerbContext &cli)
{
    QCommandLineParser &parser = cli.parser();
    const QCommandLineOption imageOption(
        QStringLiteral("image"),
        QStringLiteral("Start with this raw memory image (up to 64 KiB; the rest is 0xFF)."),
        QStringLiteral("FILE"));
    const QCommandLineOption demoOption(
        QStringLiteral("demo"),
        QStringLiteral("Start with a sample of twelve channels and function settings instead "
                       "of an empty (all 0xFF) memory."));
    const QCommandLineOption saveOption(QStringLiteral("save-image"),
                                        QStringLiteral("Save the memory image here on exit."),
                                        QStringLiteral("FILE"));
    const QCommandLineOption rateOption(
        QStringLiteral("line-rate"),
        QStringLiteral("Emulate the line time of each byte at this rate (8N1)."),
        QStringLiteral("BAUD"));
    const QCommandLineOption latencyOption(
        QStringLiteral("latency"), QStringLiteral("Delay each reply by this many milliseconds."),
        QStringLiteral("MS"));
    const QCommandLineOption faultOption(
        QStringLiteral("fault"),
        QStringLiteral("Misbehave: silent, wrong-ident, ident-extra, stop-after:ADDR, nak:ADDR, "
                       "short:ADDR[:N], garbage[:ADDR], store-wrong:ADDR; several separated "
                       "by commas or given as repeated options."),
        QStringLiteral("FAULTS"));
    parser.addOptions(
        {imageOption, demoOption, saveOption, rateOption, latencyOption, faultOption});
    if (const int status = cli.parse(); status >= 0)
        return status;
    if (const int status = cli.refuseArguments(); status >= 0)
        return status;

    VirtualRadio radio;
    const auto number = [&](const QCommandLineOption &option, int *value) {
        if (!parser.isSet(option))
            return true;
        bool ok = false;
        *value = parser.value(option).toInt(&ok);
        return ok && *value >= 0;
    };
    int rate = 0;
    int latency = 0;
    if (!number(rateOption, &rate))
        return cli.usage(QStringLiteral("--line-rate needs a number of baud"));
    if (!number(latencyOption, &latency))
        return cli.usage(QStringLiteral("--latency needs a number of milliseconds"));
    radio.setLineRate(rate);
    radio.setLatency(latency);
    QString error;
    if (!radio.setFaults(parser.values(faultOption).join(QLatin1Char(',')), &error))
        return cli.usage(error);
    if (parser.isSet(imageOption) && parser.isSet(demoOption))
        return cli.usage(QStringLiteral("--image and --demo cannot be given together"));
    if (parser.isSet(imageOption) && !radio.loadImage(parser.value(imageOption), &error)) {
        cli.error(error);
        return ExitFile;
    }
    if (parser.isSet(demoOption))
        radio.writeMemory(0, demoMemoryImage());
    const QString savePath = parser.value(saveOption);
    if (!savePath.isEmpty() && !canCreate(cli, savePath))
        return ExitFile;

    {
        const QuitOnSignals quit;
        if (!quit.isActive()) {
            cli.error(QStringLiteral("cannot set up signal handling"));
            return ExitPort;
        }
        if (!radio.open(&error)) {
            cli.error(QStringLiteral("cannot create the virtual radio's port: ") + error);
            return ExitPort;
        }
        cli.printOut(QStringLiteral("PORT %1\n").arg(radio.portName()));
        QCoreApplication::exec();
        radio.close();
    }

    if (!savePath.isEmpty() && !radio.saveImage(savePath, &error)) {
        cli.error(error);
        return ExitFile;
    }
    return ExitOk;
}

} // namespace

const QList<Verb> &verbs()
{
    static const QList<Verb> table{
        {QStringLiteral("read"),
         QStringLiteral("--port PORT --out FILE.r07 [--image FILE.img] [--trace FILE]\n"
                        "[--no-backup]"),
         QStringLiteral("read the radio into a channel file (and a raw memory image);\n"
                        "keeps a backup image of what was read"),
         QStringLiteral("Reads the radio's 199 channels and function settings into a channel "
                        "file. The files are written only when the whole read succeeded. Every "
                        "read whose channels all came through also keeps the memory it read as "
                        "a backup image in %1 (the newest %2 are kept).")
             .arg(Backups::defaultFolder().isEmpty()
                      ? QStringLiteral("no folder now (%1)").arg(Backups::folderProblem())
                      : QDir::toNativeSeparators(Backups::defaultFolder()))
             .arg(Backups::Kept),
         readVerb},
        {QStringLiteral("write"),
         QStringLiteral("--port PORT (FILE.r07 | --image FILE.img) [--verify] [--backup-first] "
                        "[--trace FILE]"),
         QStringLiteral("write a channel file or a radio image into the radio, and\n"
                        "with --verify read it back and compare"),
         QStringLiteral("Writes a channel file's (or a radio image's) channels and function "
                        "settings, and the band of myini.ini, into the radio. Data the radio "
                        "cannot store is reported and nothing is sent. A frequency outside the "
                        "chosen band ranges of myini.ini is named on stderr and written all the "
                        "same."),
         writeVerb},
        {QStringLiteral("export-csv"), QStringLiteral("FILE.r07 OUT.csv"),
         QStringLiteral("export a channel file's channels as CSV"),
         QStringLiteral("Exports the channels of a channel file as CSV in the generic layout of "
                        "radio programming tools (plus a BusyLock column); see "
                        "docs/file-formats.md for the mapping."),
         exportCsvVerb},
        {QStringLiteral("import-csv"), QStringLiteral("IN.csv OUT.r07"),
         QStringLiteral("make a channel file from a CSV channel list"),
         QStringLiteral("Makes a channel file from a CSV file in the generic layout of radio "
                        "programming tools; the function settings are the defaults and the band "
                        "the one chosen in myini.ini. Rows that cannot be placed are reported "
                        "and left out."),
         importCsvVerb},
        {QStringLiteral("ports"), QString(),
         QStringLiteral("list the serial ports (device, description, USB VID:PID)"),
         QStringLiteral("Lists the serial ports of the system: device, description and USB "
                        "vendor:product identifiers, one port a line, separated by tabs."),
         portsVerb},
        {QStringLiteral("find"), QStringLiteral("[--port PORT]..."),
         QStringLiteral("look for the radio on every serial port (and the ports given);\n"
                        "prints \"FOUND <device>\" for each port it answers on"),
         QStringLiteral("Looks for the radio on every serial port of the system and on each "
                        "port given with --port: opens the port, makes the start and "
                        "identification exchange a read begins with and, when the radio "
                        "answers, sends the end command; nothing is read or written. A port "
                        "takes at most about two seconds; one that cannot be opened (in use, "
                        "missing, no permission) is skipped with the reason on stderr. Prints "
                        "\"FOUND <device>\" on stdout for each port the radio answered on; the "
                        "exit status is 0 when it answered on one, 1 when on none."),
         findVerb},
        {QStringLiteral("simulate"),
         QStringLiteral("[--image FILE | --demo] [--save-image FILE] [--line-rate BAUD]\n"
                        "[--latency MS] [--fault FAULTS]"),
         QStringLiteral("serve a virtual radio; prints \"PORT <device>\" first"),
         QStringLiteral("Serves a virtual radio on a pseudo-terminal until interrupted (SIGINT "
                        "or SIGTERM). The first line on stdout is \"PORT <device>\"; give that "
                        "device to read or write as --port."),
         simulateVerb},
    };
    return table;
}
