// qb380-cli: reads and writes the radio from the command line, and serves a
// virtual radio for trying both without hardware.
#include "cli/clisupport.h"
#include "cli/verbs.h"
#include "storage/backups.h"
#include "storage/settingslocation.h"

#include <QCoreApplication>
#include <QDir>

namespace {

// The line of the help that names the settings file of this run; the
// manual page, made from the help, leaves it out.
const char SettingsFileLabel[] = "Settings file of this run:";

const char Opening[] = R"(Usage: qb380-cli <verb> [options]

Reads and writes the QB-380 radio through its programming cable.
'--version' prints the program's version.

Verbs:
)";

// Between the verbs and the exit statuses: where the settings come from,
// then the file this run uses (the only line that depends on the machine).
const char Settings[] = R"(
PORT is COM1-COM4 (mapped through [ports] of the settings file, by default
/dev/ttyUSB0-3 on Linux and macOS) or any device path. The English texts
come from eng.dll beside the program. The band lists and the port map come
from the settings file, myini.ini: beside the program when the program's
folder is writable (a build or an unpacked folder), otherwise in the user's
configuration folder (~/.config/qb380/myini.ini on Linux), where the first
use creates it with the defaults; nothing else writes it. Progress is drawn
on stderr when it is a terminal. '<verb> --help' describes each verb.
)";

const char Closing[] = R"(
Exit status:
  0  success; find: a radio answered
  1  the run failed (no radio, wrong identification, the radio stopped
     answering, a short reply, the line was lost); find: no radio answered
  2  usage error
  3  incomplete: the channels went through but a later step did not
     (function settings, band edges, identification block, end command);
     a read writes no file
  4  the serial port could not be opened
  5  refused: the data cannot be stored in the radio, nothing was sent
  6  a file could not be read or written
  7  write --verify: the radio read back holds something else than was
     written, or could not be read back
)";

// A verb's entry in the help: the name, its summary from column
// SummaryColumn, then the synopsis below the summary. help2man reads the
// entry as one item of a list, so the manual page lists the verbs as the
// help does.
QString verbEntry(const Verb &verb)
{
    constexpr int SummaryColumn = 17;
    const QString column(SummaryColumn, QLatin1Char(' '));
    // A full stop, so that in the manual page, where the lines run on, the
    // synopsis starts a sentence of its own.
    QStringList summary = verb.summary.split(QLatin1Char('\n'));
    if (!summary.last().endsWith(QLatin1Char('.')))
        summary.last() += QLatin1Char('.');
    QStringList lines;
    lines << (QStringLiteral("  ") + verb.name).leftJustified(SummaryColumn) + summary.first();
    for (const QString &line : summary.mid(1))
        lines << column + line;
    const QStringList synopsis = verb.synopsis.split(QLatin1Char('\n'));
    if (!synopsis.constFirst().isEmpty()) {
        lines << column + QStringLiteral("Usage: ") + verb.name + QLatin1Char(' ') +
                     synopsis.first();
        for (const QString &line : synopsis.mid(1))
            lines << column + line;
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString programHelp()
{
    QString help = QString::fromUtf8(Opening);
    for (const Verb &verb : verbs())
        help += verbEntry(verb);
    help += QString::fromUtf8(Settings);
    help += QStringLiteral("\n%1 %2\n")
                .arg(QLatin1String(SettingsFileLabel),
                     SettingsLocation::current().place == SettingsLocation::Place::Nowhere
                         ? QStringLiteral("none (the defaults are used)")
                         : QDir::toNativeSeparators(SettingsLocation::current().path));
    return help + QString::fromUtf8(Closing);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // The GUI's name: both programs keep their data (the backups) in one
    // folder.
    QCoreApplication::setApplicationName(Backups::ApplicationName);

    const CliOutput output;
    const QStringList arguments = QCoreApplication::arguments();
    const QString name = arguments.value(1);
    if (name == QLatin1String("--help") || name == QLatin1String("-h") ||
        name == QLatin1String("help")) {
        output.printOut(programHelp());
        return ExitOk;
    }
    if (name == QLatin1String("--version")) {
        output.printOut(QStringLiteral("qb380-cli " QB_VERSION "\n"));
        return ExitOk;
    }
    for (const Verb &verb : verbs()) {
        if (verb.name != name)
            continue;
        // The verb's parser sees "qb380-cli <verb>" as its program name.
        QStringList verbArguments = arguments.mid(1);
        verbArguments[0] = QStringLiteral("qb380-cli ") + name;
        VerbContext context(verbArguments, verb.description);
        return verb.run(context);
    }

    if (name.isEmpty()) {
        output.error(QStringLiteral("no verb given"));
        output.printErr(programHelp());
        return ExitUsage;
    }
    // One line: fifty lines of help would push the mistake off the screen.
    output.error(QStringLiteral("unknown verb '%1'; 'qb380-cli --help' lists the verbs").arg(name));
    return ExitUsage;
}
