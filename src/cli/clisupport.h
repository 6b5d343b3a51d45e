#pragma once

#include <QString>
#include <QStringList>

class QCommandLineParser;
class SettingsFile;
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

// One line on stderr, prefixed with the program's name.
void printError(const QString &text);
// One line on stderr as it is.
void printLine(const QString &text);

// Parses a verb's arguments (args[0] is "qb380-cli <verb>"). On --help
// prints the help and returns ExitOk; on a parse error prints it and
// returns ExitUsage; returns -1 when the verb should go on.
int parseVerbArguments(QCommandLineParser &parser, const QStringList &args);

// The device of a PORT argument: "COM1".."COM4" (any case) through the
// settings file's [ports] map and the defaults, anything else as a device
// path.
QString resolvePort(const QString &port, const SettingsFile &settings);

// The data as the GUI has it at start: the English texts of eng.dll from
// the program's folder and the band range lists of myini.ini (read, never
// written). A missing library is reported and the built-in texts stay.
void prepareData(RadioData &data, const SettingsFile &settings);

// A progress bar on stderr, drawn only when stderr is a terminal.
class ProgressBar
{
public:
    ProgressBar(const QString &label, int maximum);
    ~ProgressBar();
    void show(int value);
    // Ends the bar's line, if one was drawn.
    void finish();

private:
    QString m_label;
    int m_maximum;
    bool m_enabled;
    bool m_drawn = false;
};
