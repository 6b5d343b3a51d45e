#include "cli/verbs.h"

#include "cli/clisupport.h"
#include "model/channel.h"
#include "model/radiodata.h"
#include "radio/memorycodec.h"
#include "radio/memoryimage.h"
#include "radio/programmingrun.h"
#include "radio/protocoltrace.h"
#include "radio/radiotransfer.h"
#include "radio/seriallink.h"
#include "radio/serialports.h"
#include "sim/demoimage.h"
#include "sim/virtualradio.h"
#include "storage/backups.h"
#include "storage/channelcsv.h"
#include "storage/channelfile.h"
#include "storage/radioimage.h"
#include "storage/settingsfile.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSocketNotifier>

#include <cstdio>
#include <memory>
#include <optional>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace {

QCommandLineOption portOption()
{
    return QCommandLineOption(
        {QStringLiteral("p"), QStringLiteral("port")},
        QStringLiteral("Serial port: COM1-COM4 (the devices myini.ini [ports] maps them to, "
                       "by default /dev/ttyUSB0-3) or a device path."),
        QStringLiteral("PORT"));
}

int usage(const QStringList &args, const QString &text)
{
    printError(text);
    printLine(QStringLiteral("Try '%1 --help'.").arg(args.value(0)));
    return ExitUsage;
}

// A file can be created at path: its folder exists and it is no folder.
bool canCreate(const QString &path, QString *why)
{
    const QFileInfo info(path);
    if (info.isDir()) {
        *why = QStringLiteral("%1 is a folder").arg(path);
        return false;
    }
    if (!info.absoluteDir().exists()) {
        *why = QStringLiteral("%1: the folder %2 does not exist").arg(path, info.absolutePath());
        return false;
    }
    return true;
}

// Writes every file or, as far as the system allows, none: each goes to a
// temporary file first, and the temporaries are renamed over their targets
// only once all of them are written.
bool saveFiles(const QList<std::pair<QString, QByteArray>> &files)
{
    std::vector<std::unique_ptr<QSaveFile>> saves;
    for (const auto &[path, bytes] : files) {
        auto file = std::make_unique<QSaveFile>(path);
        if (!file->open(QIODevice::WriteOnly) || file->write(bytes) != bytes.size()) {
            printError(QStringLiteral("%1: %2").arg(path, file->errorString()));
            return false;
        }
        saves.push_back(std::move(file));
    }
    for (const auto &file : saves) {
        if (!file->commit()) {
            printError(QStringLiteral("%1: %2").arg(file->fileName(), file->errorString()));
            return false;
        }
    }
    return true;
}

// The serial link of one command, with its protocol trace when asked for.
class Session
{
public:
    // Opens the trace file (when tracePath is set) and the port; returns -1,
    // or the exit status after reporting what failed.
    int open(const QString &device, const QString &tracePath)
    {
        if (!tracePath.isEmpty()) {
            m_traceFile = std::make_unique<QFile>(tracePath);
            // LF line ends on every system, as the format says.
            if (!m_traceFile->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
                printError(QStringLiteral("%1: %2").arg(tracePath, m_traceFile->errorString()));
                return ExitFile;
            }
            m_trace = std::make_unique<ProtocolTrace>(m_traceFile.get());
            m_trace->attach(link);
        }
        link.setPortName(device);
        if (!link.setPortOpen(true)) {
            printError(link.errorString());
            return ExitPort;
        }
        return -1;
    }

    ~Session()
    {
        link.setPortOpen(false);
        if (m_trace && !m_trace->ok())
            printError(QStringLiteral("warning: the trace %1 is incomplete: %2")
                           .arg(m_traceFile->fileName(), m_trace->errorString()));
    }

    SerialLink link;

private:
    std::unique_ptr<QFile> m_traceFile;
    std::unique_ptr<ProtocolTrace> m_trace;
};

QString phaseLabel(RadioTransfer::Phase phase)
{
    switch (phase) {
    case RadioTransfer::Phase::Reading:
        return QStringLiteral("Reading");
    case RadioTransfer::Phase::Writing:
        return QStringLiteral("Writing");
    case RadioTransfer::Phase::Verifying:
        return QStringLiteral("Verifying");
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
int runStatus(const ProgrammingResult &result)
{
    switch (result.outcome) {
    case ProgrammingResult::Outcome::Done:
        if (result.complete())
            return ExitOk;
        printError(result.message);
        return ExitIncomplete;
    case ProgrammingResult::Outcome::Refused:
        for (const QString &problem : result.problems)
            printLine(problem);
        printError(result.message);
        return ExitRefused;
    case ProgrammingResult::Outcome::PortClosed:
        printError(result.message);
        return ExitPort;
    default:
        printError(result.message);
        return ExitRunFailed;
    }
}

QCommandLineOption traceOption()
{
    return QCommandLineOption(
        QStringLiteral("trace"),
        QStringLiteral("Write every byte sent and received to this file, one line per transfer "
                       "with the time in seconds since the start (see the README)."),
        QStringLiteral("FILE"));
}

QString channelList(const QList<int> &channels)
{
    QStringList texts;
    for (int n : channels)
        texts << channelLabel(n);
    return texts.join(QStringLiteral(", "));
}

#ifdef Q_OS_UNIX
// The write end of the pair the signal handler wakes the event loop with.
int signalWriteFd = -1;

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalWriteFd, &byte, 1);
}
#endif

} // namespace

int readVerb(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Reads the radio's 199 channels and function settings into a channel "
                       "file. The files are written only when the whole read succeeded. Every "
                       "read whose channels all came through also keeps the memory it read as "
                       "a backup image in %1 (the newest %2 are kept).")
            .arg(QDir::toNativeSeparators(Backups::defaultFolder()))
            .arg(Backups::Kept));
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
    if (const int status = parseVerbArguments(parser, args); status >= 0)
        return status;
    if (!parser.isSet(port) || !parser.isSet(out))
        return usage(args, QStringLiteral("read needs --port and --out"));
    if (!parser.positionalArguments().isEmpty())
        return usage(args, QStringLiteral("unexpected argument '%1'")
                               .arg(parser.positionalArguments().constFirst()));
    const QString outPath = parser.value(out);
    const QString imagePath = parser.value(imageOption);
    for (const QString &path : {outPath, imagePath, parser.value(trace)}) {
        QString why;
        if (!path.isEmpty() && !canCreate(path, &why)) {
            printError(why);
            return ExitFile;
        }
    }

    const SettingsFile settings;
    RadioData data;
    prepareData(data, settings);
    TransferOptions options;
    options.keepBackup = !parser.isSet(noBackup);
    TransferResult transfer;
    QByteArray image;
    {
        Session session;
        if (const int status =
                session.open(resolvePort(parser.value(port), settings), parser.value(trace));
            status >= 0)
            return status;
        transfer = performTransfer(session.link, data, TransferMode::Read, options, &image);
    }
    if (const std::optional<Backups::BackupResult> &backup = transfer.backup) {
        if (backup->ok)
            printError(QStringLiteral("backup: %1").arg(QDir::toNativeSeparators(backup->path)));
        else
            printError(QStringLiteral("warning: no backup was kept: %1").arg(backup->message));
    }
    const ProgrammingResult &result = transfer.run;
    if (const int status = runStatus(result); status != ExitOk)
        return status;
    // Channels holding values the table cannot show stay empty in the file;
    // the image keeps their bytes.
    if (!result.unreadableChannels.isEmpty())
        printError(QStringLiteral("warning: channel(s) %1 hold values that cannot be shown; "
                                  "they are empty in %2")
                       .arg(channelList(result.unreadableChannels), outPath));

    QList<std::pair<QString, QByteArray>> files;
    QStringList warnings;
    files.append({outPath, channelFileBytes(data, &warnings)});
    for (const QString &warning : std::as_const(warnings))
        printError(QStringLiteral("warning: ") + warning);
    if (!imagePath.isEmpty())
        files.append({imagePath, image});
    return saveFiles(files) ? ExitOk : ExitFile;
}

int writeVerb(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes a channel file's (or a radio image's) channels and function "
                       "settings, and the band of myini.ini, into the radio. Data the radio "
                       "cannot store is reported and nothing is sent."));
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
    const QCommandLineOption trace = traceOption();
    parser.addOptions({port, imageOption, verify, trace});
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("The channel file to write (.r07)."));
    if (const int status = parseVerbArguments(parser, args); status >= 0)
        return status;
    if (!parser.isSet(port))
        return usage(args, QStringLiteral("write needs --port"));
    const bool fromImage = parser.isSet(imageOption);
    if (parser.positionalArguments().size() != (fromImage ? 0 : 1))
        return usage(args, fromImage
                               ? QStringLiteral("write takes either a channel file or --image")
                               : QStringLiteral("write needs exactly one channel file"));
    if (QString why; parser.isSet(trace) && !canCreate(parser.value(trace), &why)) {
        printError(why);
        return ExitFile;
    }

    const SettingsFile settings;
    RadioData data;
    prepareData(data, settings);
    QString path;
    if (fromImage) {
        path = parser.value(imageOption);
        const RadioImageFile file = readRadioImageFile(path);
        if (!file.ok) {
            printError(QStringLiteral("%1: %2").arg(path, file.message));
            return ExitFile;
        }
        const MemoryImage::ImageDecodeResult decoded = MemoryImage::decodeImage(file.image, data);
        // A channel that cannot be decoded would be written empty: refuse
        // rather than erase it in the radio.
        if (!decoded.unreadableChannels.isEmpty()) {
            printError(QStringLiteral("%1: channel(s) %2 hold values that cannot be decoded; "
                                      "nothing was sent")
                           .arg(path, channelList(decoded.unreadableChannels)));
            return ExitRefused;
        }
        for (const QString &warning : decoded.warnings)
            printError(QStringLiteral("warning: %1: %2").arg(path, warning));
    } else {
        path = parser.positionalArguments().constFirst();
        const ChannelFileResult opened = openChannelFile(path, data);
        for (const QString &warning : opened.warnings)
            printError(QStringLiteral("warning: %1: %2").arg(path, warning));
        if (!opened.ok) {
            printError(QStringLiteral("%1: %2").arg(path, opened.message));
            return ExitFile;
        }
    }
    const QStringList problems = MemoryCodec::preflightCheck(data);
    if (!problems.isEmpty()) {
        for (const QString &problem : problems)
            printLine(problem);
        printError(QStringLiteral("%1: %2 value(s) cannot be stored in the radio; nothing was sent")
                       .arg(path)
                       .arg(problems.size()));
        return ExitRefused;
    }

    Session session;
    if (const int status =
            session.open(resolvePort(parser.value(port), settings), parser.value(trace));
        status >= 0)
        return status;
    TransferOptions options;
    if (parser.isSet(verify))
        options.readBack = TransferOptions::ReadBack::AfterCompleteWrite;
    const TransferResult transfer =
        performTransfer(session.link, data, TransferMode::Write, options);
    if (const int status = runStatus(transfer.run); status != ExitOk || !transfer.verify)
        return status;

    const VerifyReport &report = *transfer.verify;
    for (const QString &difference : report.differences)
        printLine(difference);
    printError(report.message);
    return report.ok() ? ExitOk : ExitVerifyFailed;
}

int exportCsvVerb(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Exports the channels of a channel file as CSV in the generic layout of "
                       "radio programming tools (plus a BusyLock column); see the README for the "
                       "mapping."));
    parser.addPositionalArgument(QStringLiteral("FILE.r07"),
                                 QStringLiteral("The channel file to read."));
    parser.addPositionalArgument(QStringLiteral("OUT.csv"),
                                 QStringLiteral("The CSV file to write."));
    if (const int status = parseVerbArguments(parser, args); status >= 0)
        return status;
    if (parser.positionalArguments().size() != 2)
        return usage(args, QStringLiteral("export-csv needs a channel file and a CSV file"));
    const QString in = parser.positionalArguments().at(0);
    const QString out = parser.positionalArguments().at(1);

    const SettingsFile settings;
    RadioData data;
    prepareData(data, settings);
    const ChannelFileResult opened = openChannelFile(in, data);
    for (const QString &warning : opened.warnings)
        printError(QStringLiteral("warning: %1: %2").arg(in, warning));
    if (!opened.ok) {
        printError(QStringLiteral("%1: %2").arg(in, opened.message));
        return ExitFile;
    }
    const CsvExportResult result = exportChannelCsv(out, data);
    for (const QString &warning : result.warnings)
        printError(QStringLiteral("warning: ") + warning);
    if (!result.ok) {
        printError(QStringLiteral("%1: %2").arg(out, result.message));
        return ExitFile;
    }
    return ExitOk;
}

int importCsvVerb(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Makes a channel file from a CSV file in the generic layout of radio "
                       "programming tools; the function settings are the defaults and the band "
                       "the one chosen in myini.ini. Rows that cannot be placed are reported "
                       "and left out."));
    parser.addPositionalArgument(QStringLiteral("IN.csv"), QStringLiteral("The CSV file to read."));
    parser.addPositionalArgument(QStringLiteral("OUT.r07"),
                                 QStringLiteral("The channel file to write."));
    if (const int status = parseVerbArguments(parser, args); status >= 0)
        return status;
    if (parser.positionalArguments().size() != 2)
        return usage(args, QStringLiteral("import-csv needs a CSV file and a channel file"));
    const QString in = parser.positionalArguments().at(0);
    const QString out = parser.positionalArguments().at(1);

    const SettingsFile settings;
    RadioData data;
    prepareData(data, settings);
    const CsvImportReport report = importChannelCsvFile(in, data.table);
    if (!report.ok) {
        printError(QStringLiteral("%1: %2").arg(in, report.message));
        return ExitFile;
    }
    for (const CsvSkippedRow &row : report.skipped)
        printError(QStringLiteral("%1: line %2 skipped: %3").arg(in).arg(row.line).arg(row.reason));
    for (const QString &warning : report.warnings)
        printError(QStringLiteral("warning: %1: %2").arg(in, warning));
    if (!report.skipped.isEmpty())
        printError(QStringLiteral("%1 channel(s) imported, %2 row(s) skipped")
                       .arg(report.imported)
                       .arg(report.skipped.size()));
    const ChannelFileResult saved = saveChannelFile(out, data);
    for (const QString &warning : saved.warnings)
        printError(QStringLiteral("warning: %1: %2").arg(out, warning));
    if (!saved.ok) {
        printError(QStringLiteral("%1: %2").arg(out, saved.message));
        return ExitFile;
    }
    return ExitOk;
}

int portsVerb(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Lists the serial ports of the system: device, description and USB "
                       "vendor:product identifiers, one port a line, separated by tabs."));
    if (const int status = parseVerbArguments(parser, args); status >= 0)
        return status;
    if (!parser.positionalArguments().isEmpty())
        return usage(args, QStringLiteral("unexpected argument '%1'")
                               .arg(parser.positionalArguments().constFirst()));
    const QList<SerialPortDescription> ports = availableSerialPorts();
    if (ports.isEmpty())
        printError(QStringLiteral("no serial ports found"));
    for (const SerialPortDescription &port : ports) {
        const QString line =
            QStringList{port.device,
                        port.description.isEmpty() ? QStringLiteral("-") : port.description,
                        port.hasUsbIds ? port.usbId() : QStringLiteral("-")}
                .join(QLatin1Char('\t'));
        std::fprintf(stdout, "%s\n", line.toLocal8Bit().constData());
    }
    std::fflush(stdout);
    return ExitOk;
}

int simulateVerb(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Serves a virtual radio on a pseudo-terminal until interrupted (SIGINT "
                       "or SIGTERM). The first line on stdout is \"PORT <device>\"; give that "
                       "device to read or write as --port."));
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
    if (const int status = parseVerbArguments(parser, args); status >= 0)
        return status;
    if (!parser.positionalArguments().isEmpty())
        return usage(args, QStringLiteral("unexpected argument '%1'")
                               .arg(parser.positionalArguments().constFirst()));

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
        return usage(args, QStringLiteral("--line-rate needs a number of baud"));
    if (!number(latencyOption, &latency))
        return usage(args, QStringLiteral("--latency needs a number of milliseconds"));
    radio.setLineRate(rate);
    radio.setLatency(latency);
    QString error;
    if (!radio.setFaults(parser.values(faultOption).join(QLatin1Char(',')), &error))
        return usage(args, error);
    if (parser.isSet(imageOption) && parser.isSet(demoOption))
        return usage(args, QStringLiteral("--image and --demo cannot be given together"));
    if (parser.isSet(imageOption) && !radio.loadImage(parser.value(imageOption), &error)) {
        printError(error);
        return ExitFile;
    }
    if (parser.isSet(demoOption))
        radio.writeMemory(0, demoMemoryImage());
    const QString savePath = parser.value(saveOption);
    if (QString why; !savePath.isEmpty() && !canCreate(savePath, &why)) {
        printError(why);
        return ExitFile;
    }

#ifdef Q_OS_UNIX
    int pair[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0) {
        printError(QStringLiteral("cannot set up signal handling"));
        return ExitPort;
    }
    signalWriteFd = pair[0];
    QSocketNotifier notifier(pair[1], QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, [&] {
        char byte;
        [[maybe_unused]] const ssize_t n = ::read(pair[1], &byte, 1);
        QCoreApplication::quit();
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
#endif

    if (!radio.open(&error)) {
        printError(QStringLiteral("cannot create the virtual radio's port: ") + error);
        return ExitPort;
    }
    std::fprintf(stdout, "PORT %s\n", radio.portName().toLocal8Bit().constData());
    std::fflush(stdout);

    QCoreApplication::exec();
    radio.close();

#ifdef Q_OS_UNIX
    ::signal(SIGINT, SIG_DFL);
    ::signal(SIGTERM, SIG_DFL);
    ::close(pair[0]);
    ::close(pair[1]);
#endif

    if (!savePath.isEmpty() && !radio.saveImage(savePath, &error)) {
        printError(error);
        return ExitFile;
    }
    return ExitOk;
}
