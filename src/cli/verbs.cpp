#include "cli/verbs.h"

#include "cli/clisupport.h"
#include "model/radiodata.h"
#include "radio/memorycodec.h"
#include "radio/programmingrun.h"
#include "radio/seriallink.h"
#include "sim/demoimage.h"
#include "sim/virtualradio.h"
#include "storage/channelfile.h"
#include "storage/settingsfile.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QSocketNotifier>

#include <cstdio>
#include <memory>

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

// Opens the port, performs the run with a progress bar and reports how it
// ended; returns the exit status.
int performRun(const QString &device, RadioData &data, ProgrammingRun::Mode mode,
               ProgrammingResult *done = nullptr, QByteArray *image = nullptr)
{
    SerialLink link;
    link.setPortName(device);
    if (!link.setPortOpen(true)) {
        printError(link.errorString());
        return ExitPort;
    }
    ProgrammingRun run(link, data);
    const ProgrammingResult result = [&] {
        ProgressBar bar(mode == ProgrammingRun::Read ? QStringLiteral("Reading")
                                                     : QStringLiteral("Writing"),
                        ProgrammingRun::gaugeMaximum(mode));
        QObject::connect(&run, &ProgrammingRun::progress, [&bar](int value) { bar.show(value); });
        return run.run(mode);
    }();
    link.setPortOpen(false);
    if (done)
        *done = result;
    if (image)
        *image = run.image();

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

QString channelList(const QList<int> &channels)
{
    QStringList texts;
    for (int n : channels)
        texts << QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0'));
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
                       "file. The files are written only when the whole read succeeded."));
    const QCommandLineOption port = portOption();
    const QCommandLineOption out({QStringLiteral("o"), QStringLiteral("out")},
                                 QStringLiteral("The channel file to write (.r07)."),
                                 QStringLiteral("FILE"));
    const QCommandLineOption imageOption(
        QStringLiteral("image"),
        QStringLiteral("Also write the radio memory as read: a raw 64 KiB image, 0xFF where "
                       "nothing was read."),
        QStringLiteral("FILE"));
    parser.addOptions({port, out, imageOption});
    if (const int status = parseVerbArguments(parser, args); status >= 0)
        return status;
    if (!parser.isSet(port) || !parser.isSet(out))
        return usage(args, QStringLiteral("read needs --port and --out"));
    if (!parser.positionalArguments().isEmpty())
        return usage(args, QStringLiteral("unexpected argument '%1'")
                               .arg(parser.positionalArguments().constFirst()));
    const QString outPath = parser.value(out);
    const QString imagePath = parser.value(imageOption);
    for (const QString &path : {outPath, imagePath}) {
        QString why;
        if (!path.isEmpty() && !canCreate(path, &why)) {
            printError(why);
            return ExitFile;
        }
    }

    const SettingsFile settings;
    RadioData data;
    prepareData(data, settings);
    ProgrammingResult result;
    QByteArray image;
    if (const int status = performRun(resolvePort(parser.value(port), settings), data,
                                      ProgrammingRun::Read, &result, &image);
        status != ExitOk)
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
        QStringLiteral("Writes a channel file's channels, function settings and band into the "
                       "radio. Data the radio cannot store is reported and nothing is sent."));
    const QCommandLineOption port = portOption();
    parser.addOption(port);
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("The channel file to write (.r07)."));
    if (const int status = parseVerbArguments(parser, args); status >= 0)
        return status;
    if (!parser.isSet(port))
        return usage(args, QStringLiteral("write needs --port"));
    if (parser.positionalArguments().size() != 1)
        return usage(args, QStringLiteral("write needs exactly one channel file"));
    const QString path = parser.positionalArguments().constFirst();

    const SettingsFile settings;
    RadioData data;
    prepareData(data, settings);
    const ChannelFileResult opened = openChannelFile(path, data);
    for (const QString &warning : opened.warnings)
        printError(QStringLiteral("warning: %1: %2").arg(path, warning));
    if (!opened.ok) {
        printError(QStringLiteral("%1: %2").arg(path, opened.message));
        return ExitFile;
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
    return performRun(resolvePort(parser.value(port), settings), data, ProgrammingRun::Write);
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
