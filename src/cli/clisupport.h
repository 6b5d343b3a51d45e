#pragma once

#include "storage/appsettings.h"

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <memory>
#include <optional>

class AtomicFile;
class ProtocolTrace;
class SerialLink;
struct RadioData;

// Exit statuses of qb380-cli, listed in its --help.
enum ExitCode {
    ExitOk = 0,
    // The run failed: no radio, no valid identification, the radio stopped
    // answering or answered wrongly, a short reply, the line was lost.
    ExitRunFailed = 1,
    ExitUsage = 2,
    // The radio answered every channel, but a step after the channels was
    // not done (settings block, band edges, identification block, end
    // command). A read writes no file.
    ExitIncomplete = 3,
    // The serial port (or the virtual radio's pseudo-terminal) could not be
    // opened.
    ExitPort = 4,
    // The data cannot be stored in the radio; nothing was sent.
    ExitRefused = 5,
    // A file could not be read or written.
    ExitFile = 6,
    // write --verify: the write went through, but the radio read back holds
    // something else, or could not be read back.
    ExitVerifyFailed = 7,
};

// The program's messages: texts on stderr (the program's own prefixed with
// its name), results on stdout.
class CliOutput
{
public:
    // "qb380-cli: text" on stderr.
    void error(const QString &text) const;
    // "qb380-cli: warning: text" on stderr.
    void warning(const QString &text) const;
    // One warning per line of `warnings`, each "warning: file: text" (or
    // "warning: text" without a file).
    void warnings(const QStringList &warnings, const QString &file = {}) const;
    // "file: message" as an error; returns ExitFile.
    int fileError(const QString &file, const QString &message) const;
    // One line on stderr as it is.
    void line(const QString &text) const;
    // Text as it is on stdout (flushed at once: a program reading it may
    // be waiting for it) or stderr.
    void printOut(const QString &text) const;
    void printErr(const QString &text) const;

private:
    std::FILE *m_out = stdout;
    std::FILE *m_err = stderr;
};

// What a verb works with: its arguments and their parser, the program's
// messages, and the settings file (SettingsLocation: beside the program or
// in the user's configuration folder, where a first use creates it with the
// first-run defaults; read once, at its first use, never written beyond
// that).
class VerbContext : public CliOutput
{
public:
    // `arguments` as the verb sees them: arguments[0] is "qb380-cli <verb>";
    // `description` opens the verb's --help.
    VerbContext(const QStringList &arguments, const QString &description);

    // The verb's options and positional arguments go here before parse().
    QCommandLineParser &parser() { return m_parser; }

    // Parses the arguments. On --help prints the verb's help and returns
    // ExitOk; on a parse error prints it and returns ExitUsage; returns -1
    // when the verb should go on.
    int parse();

    // A usage error: the text, and where to find the verb's help; returns
    // ExitUsage.
    int usage(const QString &text) const;
    // A usage error when any positional argument was given, otherwise -1.
    int refuseArguments() const;

    // The settings file's contents.
    const AppSettings &settings();
    // The device of a PORT argument: "COM1".."COM4" (any case) through the
    // settings file's [ports] map and the defaults, anything else as a
    // device path.
    QString portDevice(const QString &port);
    // The data as the program has it at start: the English texts of eng.dll
    // from the program's folder and the band range lists of the settings
    // file. A missing library is reported and the built-in texts stay.
    void prepareData(RadioData &data);

private:
    QStringList m_arguments;
    QCommandLineParser m_parser;
    std::optional<AppSettings> m_settings;
};

// The serial link of one command, with its protocol trace when asked for.
// The trace is written, line by line, to a temporary file beside it and put
// in place when the session finishes (whatever the run came to), so that a
// trace cut short by a full disk never replaces the file that was there.
class RadioSession
{
public:
    explicit RadioSession(const CliOutput &output);
    ~RadioSession();

    // Opens the trace file (when tracePath is set) and the port; returns -1,
    // or the exit status after reporting what failed.
    int open(const QString &device, const QString &tracePath);

    SerialLink &link() { return *m_link; }

    // Closes the port and puts the trace in place. False, after reporting
    // the trace file and the system's reason, when the trace could not be
    // written in full; the file at its path then stays as it was. The
    // destructor finishes a session that was not finished.
    bool finish();

private:
    const CliOutput &m_output;
    std::unique_ptr<SerialLink> m_link;
    std::unique_ptr<AtomicFile> m_traceFile;
    std::unique_ptr<ProtocolTrace> m_trace;
};

// While it lives, SIGINT and SIGTERM quit the application's event loop
// (on Unix; elsewhere it does nothing). The handlers go back to the
// defaults when it ends.
class QuitOnSignals
{
public:
    QuitOnSignals();
    ~QuitOnSignals();
    QuitOnSignals(const QuitOnSignals &) = delete;
    QuitOnSignals &operator=(const QuitOnSignals &) = delete;

    // False when the signals could not be caught.
    bool isActive() const { return m_active; }

private:
    struct Private;
    std::unique_ptr<Private> d;
    bool m_active = false;
};

// A progress bar on stderr, drawn only when stderr is a terminal.
class ProgressBar
{
public:
    ProgressBar(const QString &label, int maximum);
    ~ProgressBar();
    ProgressBar(const ProgressBar &) = delete;
    ProgressBar &operator=(const ProgressBar &) = delete;
    void show(int value);
    // Ends the bar's line, if one was drawn.
    void finish();

private:
    QString m_label;
    int m_maximum;
    bool m_enabled;
    bool m_drawn = false;
};
