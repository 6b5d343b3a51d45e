// qb380-cli: reads and writes the radio from the command line, and serves a
// virtual radio for trying both without hardware.
#include "cli/clisupport.h"
#include "cli/verbs.h"
#include "storage/backups.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

const char Help[] = R"(Usage: qb380-cli <verb> [options]

Reads and writes the QB-380 radio through its programming cable.

Verbs:
  read --port PORT --out FILE.r07 [--image FILE.img] [--trace FILE]
       [--no-backup]
                 read the radio into a channel file (and a raw memory image);
                 keeps a backup image of what was read
  write --port PORT (FILE.r07 | --image FILE.img) [--verify] [--trace FILE]
                 write a channel file or a radio image into the radio, and
                 with --verify read it back and compare
  export-csv FILE.r07 OUT.csv
                 export a channel file's channels as CSV
  import-csv IN.csv OUT.r07
                 make a channel file from a CSV channel list
  ports          list the serial ports (device, description, USB VID:PID)
  simulate [--image FILE | --demo] [--save-image FILE] [--line-rate BAUD]
           [--latency MS] [--fault FAULTS]
                 serve a virtual radio; prints "PORT <device>" first

PORT is COM1-COM4 (mapped through [ports] in myini.ini beside the program,
by default /dev/ttyUSB0-3 on Linux and macOS) or any device path. The
English texts come from eng.dll and the band lists from myini.ini beside the
program; the settings file is never written. Progress is drawn on stderr
when it is a terminal. '<verb> --help' describes each verb.

Exit status:
  0  success
  1  the run failed (no radio, wrong identification, the radio stopped
     answering, a short reply, the line was lost)
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

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // The GUI's name: both programs keep their data (the backups) in one
    // folder.
    QCoreApplication::setApplicationName(Backups::ApplicationName);

    const QStringList arguments = QCoreApplication::arguments();
    const QString verb = arguments.value(1);
    if (verb == QLatin1String("--help") || verb == QLatin1String("-h") ||
        verb == QLatin1String("help")) {
        std::fputs(Help, stdout);
        return ExitOk;
    }
    // The verb's parser sees "qb380-cli <verb>" as its program name.
    QStringList verbArguments = arguments.mid(1);
    if (!verbArguments.isEmpty())
        verbArguments[0] = QStringLiteral("qb380-cli ") + verb;
    if (verb == QLatin1String("read"))
        return readVerb(verbArguments);
    if (verb == QLatin1String("write"))
        return writeVerb(verbArguments);
    if (verb == QLatin1String("simulate"))
        return simulateVerb(verbArguments);
    if (verb == QLatin1String("export-csv"))
        return exportCsvVerb(verbArguments);
    if (verb == QLatin1String("import-csv"))
        return importCsvVerb(verbArguments);
    if (verb == QLatin1String("ports"))
        return portsVerb(verbArguments);

    printError(verb.isEmpty() ? QStringLiteral("no verb given")
                              : QStringLiteral("unknown verb '%1'").arg(verb));
    std::fputs(Help, stderr);
    return ExitUsage;
}
