#include "cli/clisupport.h"

#include "i18n/languageswitch.h"
#include "model/programfolder.h"
#include "model/radiodata.h"
#include "radio/protocoltrace.h"
#include "radio/seriallink.h"
#include "storage/atomicwrite.h"
#include "storage/settingsfile.h"
#include "storage/settingslocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>
#endif
#ifdef Q_OS_WIN
#include <io.h>
#define isatty _isatty
#endif

// ---- CliOutput -------------------------------------------------------------

void CliOutput::printOut(const QString &text) const
{
    std::fputs(text.toLocal8Bit().constData(), m_out);
    std::fflush(m_out);
}

void CliOutput::printErr(const QString &text) const
{
    std::fputs(text.toLocal8Bit().constData(), m_err);
}

void CliOutput::line(const QString &text) const
{
    printErr(text + QLatin1Char('\n'));
}

void CliOutput::error(const QString &text) const
{
    line(QStringLiteral("qb380-cli: ") + text);
}

void CliOutput::warning(const QString &text) const
{
    error(QStringLiteral("warning: ") + text);
}

void CliOutput::warnings(const QStringList &warnings, const QString &file) const
{
    for (const QString &text : warnings)
        warning(file.isEmpty() ? text : file + QStringLiteral(": ") + text);
}

int CliOutput::fileError(const QString &file, const QString &message) const
{
    error(file + QStringLiteral(": ") + message);
    return ExitFile;
}

// ---- VerbContext -----------------------------------------------------------

VerbContext::VerbContext(const QStringList &arguments, const QString &description)
    : m_arguments(arguments)
{
    m_parser.setApplicationDescription(description);
}

int VerbContext::parse()
{
    const QCommandLineOption help = m_parser.addHelpOption();
    if (!m_parser.parse(m_arguments)) {
        error(m_parser.errorText());
        line(QStringLiteral("Try '%1 --help'.").arg(m_arguments.value(0)));
        return ExitUsage;
    }
    if (m_parser.isSet(help)) {
        // The parser names the program by its path; the verb belongs there.
        QString text = m_parser.helpText();
        const QString program = QCoreApplication::arguments().value(0);
        const qsizetype at = text.indexOf(program);
        if (at >= 0)
            text.replace(at, program.size(), m_arguments.value(0));
        printOut(text);
        return ExitOk;
    }
    return -1;
}

int VerbContext::usage(const QString &text) const
{
    error(text);
    line(QStringLiteral("Try '%1 --help'.").arg(m_arguments.value(0)));
    return ExitUsage;
}

int VerbContext::refuseArguments() const
{
    const QStringList arguments = m_parser.positionalArguments();
    if (arguments.isEmpty())
        return -1;
    return usage(QStringLiteral("unexpected argument '%1'").arg(arguments.constFirst()));
}

const AppSettings &VerbContext::settings()
{
    if (!m_settings) {
        QString error;
        const SettingsLocation::Location location = SettingsLocation::prepare(&error);
        if (!error.isEmpty())
            warning(error);
        m_settings = loadAppSettings(SettingsFile(location.path));
    }
    return *m_settings;
}

QString VerbContext::portDevice(const QString &port)
{
    static const QRegularExpression entry(QStringLiteral("^COM([1-4])$"),
                                          QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = entry.match(port.trimmed());
    if (!match.hasMatch())
        return port;
    const int n = match.captured(1).toInt();
    return portDeviceName(n, settings().portDevices[n - 1]);
}

void VerbContext::prepareData(RadioData &data)
{
    const AppSettings &stored = settings();
    MessageSlots messages;
    if (!loadLanguage(QStringLiteral("eng"), data, messages))
        error(QStringLiteral("no English language library in %1; the built-in texts are used")
                  .arg(programFolder()));
    fillBandRanges(data.bands, stored.bandLists);
}

// ---- RadioSession ----------------------------------------------------------

RadioSession::RadioSession(const CliOutput &output)
    : m_output(output), m_link(std::make_unique<SerialLink>())
{}

RadioSession::~RadioSession()
{
    finish();
}

bool RadioSession::finish()
{
    m_link->setPortOpen(false);
    if (!m_traceFile)
        return true;
    const std::unique_ptr<AtomicFile> file = std::move(m_traceFile);
    const std::unique_ptr<ProtocolTrace> trace = std::move(m_trace);
    if (file->commit())
        return true;
    m_output.error(QStringLiteral("%1: the trace could not be written (%2); the file was left as "
                                  "it was")
                       .arg(QDir::toNativeSeparators(file->path()), file->errorString()));
    return false;
}

int RadioSession::open(const QString &device, const QString &tracePath)
{
    if (!tracePath.isEmpty()) {
        m_traceFile = std::make_unique<AtomicFile>(tracePath);
        // LF line ends on every system, as the format says.
        if (!m_traceFile->open())
            return m_output.fileError(tracePath, m_traceFile->errorString());
        m_trace = std::make_unique<ProtocolTrace>(m_traceFile.get());
        m_trace->attach(*m_link);
    }
    m_link->setPortName(device);
    if (!m_link->setPortOpen(true)) {
        m_output.error(m_link->errorString());
        return ExitPort;
    }
    return -1;
}

// ---- QuitOnSignals ---------------------------------------------------------

#ifdef Q_OS_UNIX
namespace {

// The write end of the pair the signal handler wakes the event loop with.
int signalWriteFd = -1;

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalWriteFd, &byte, 1);
}

} // namespace

struct QuitOnSignals::Private
{
    int pair[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> notifier;
};

QuitOnSignals::QuitOnSignals() : d(std::make_unique<Private>())
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, d->pair) != 0)
        return;
    signalWriteFd = d->pair[0];
    d->notifier = std::make_unique<QSocketNotifier>(d->pair[1], QSocketNotifier::Read);
    const int readFd = d->pair[1];
    QObject::connect(d->notifier.get(), &QSocketNotifier::activated, [readFd] {
        char byte;
        [[maybe_unused]] const ssize_t n = ::read(readFd, &byte, 1);
        QCoreApplication::quit();
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
    m_active = true;
}

QuitOnSignals::~QuitOnSignals()
{
    if (!m_active)
        return;
    ::signal(SIGINT, SIG_DFL);
    ::signal(SIGTERM, SIG_DFL);
    d->notifier.reset();
    ::close(d->pair[0]);
    ::close(d->pair[1]);
    signalWriteFd = -1;
}
#else
struct QuitOnSignals::Private
{
};

QuitOnSignals::QuitOnSignals() : d(std::make_unique<Private>()), m_active(true) {}

QuitOnSignals::~QuitOnSignals() = default;
#endif

// ---- ProgressBar -----------------------------------------------------------

ProgressBar::ProgressBar(const QString &label, int maximum)
    : m_label(label), m_maximum(qMax(1, maximum)), m_enabled(isatty(fileno(stderr)))
{}

ProgressBar::~ProgressBar()
{
    finish();
}

void ProgressBar::show(int value)
{
    if (!m_enabled)
        return;
    constexpr int Width = 40;
    const int done = qBound(0, value, m_maximum) * Width / m_maximum;
    const QString bar = QString(done, QLatin1Char('#')) + QString(Width - done, QLatin1Char('.'));
    const QString line =
        QStringLiteral("\r%1 [%2] %3/%4").arg(m_label, bar).arg(value, 3).arg(m_maximum);
    std::fputs(line.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
    m_drawn = true;
}

void ProgressBar::finish()
{
    if (m_drawn)
        std::fputc('\n', stderr);
    m_drawn = false;
}
