// Start-up and memory figures of the GUI, run on demand by bench/run-all.sh.
//
//   qb380-bench-startup [--launched NS] [--bin FOLDER]
//
// Starts the program as qb380 does (createProgram, then the main window
// shown), but closes the splash at once each time it shows modally, so the
// figure excludes the splash's own timer. Prints:
//   startup_ms   from NS (CLOCK_REALTIME in nanoseconds, taken by the caller
//                just before it started this process; without it, from the
//                start of main()) to the end of the main window's first paint
//   rss_start_kib  resident memory then
//   rss_read_kib   resident memory after a full read of a virtual radio with
//                  199 channels into the main window's table (the run in this
//                  process, the radio too: 64 KiB of radio memory included)
//   read_ms        how long that read took (no line emulation)
//
// The program folder is a temporary copy of the language libraries from
// FOLDER (default: the folder of this program's parent, build/bin), so the
// settings file it writes at exit goes nowhere that matters.
#include "app/startup.h"
#include "app/mainwindow.h"
#include "app/splashwindow.h"
#include "model/programfolder.h"
#include "radio/programmingrun.h"
#include "radio/seriallink.h"
#include "residentmemory.h"
#include "sim/virtualradio.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace {

qint64 realtimeNs()
{
    timespec ts{};
    ::clock_gettime(CLOCK_REALTIME, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

// Eight BCD digits of a frequency in 10 Hz units, least significant byte
// first, as the radio stores it.
QByteArray frequencyBytes(qint64 tensOfHz)
{
    QByteArray bytes;
    for (int pair = 0; pair < 4; ++pair) {
        const int two = int(tensOfHz % 100);
        tensOfHz /= 100;
        bytes.append(char((two / 10) << 4 | (two % 10)));
    }
    return bytes;
}

// A radio with all 199 channels in use.
void fillRadio(VirtualRadio &radio)
{
    for (int n = 1; n <= 199; ++n) {
        const qint64 rx = 40000000 + qint64(n) * 1250;
        QByteArray record = frequencyBytes(rx) + frequencyBytes(rx + 500000);
        record += QByteArray::fromHex("8508FFFF");
        record += char(0xF0 | (n & 0x0F));
        record += QByteArray(3, char(0xFF));
        radio.writeMemory(quint16(0x10 * n), record);
    }
    radio.writeMemory(0x0C80, QByteArray::fromHex("FF020004CF060204"));
}

// Watches the main window for the end of its first paint.
class FirstPaint : public QObject
{
public:
    using QObject::QObject;
    qint64 paintedAt = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && paintedAt == 0) {
            // The paint runs after this filter; the zero timer after it.
            QTimer::singleShot(0, this, [this] {
                if (paintedAt == 0)
                    paintedAt = realtimeNs();
            });
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    const qint64 mainAt = realtimeNs();
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    qint64 launchedAt = mainAt;
    QString bin =
        QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/..")).absolutePath();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--launched"))
            launchedAt = args.at(i + 1).toLongLong();
        else if (args.at(i) == QLatin1String("--bin"))
            bin = args.at(i + 1);
    }

    QTemporaryDir folder;
    for (const char *name : {"eng.dll", "chn.dll"})
        QFile::copy(bin + QLatin1Char('/') + QLatin1String(name), folder.filePath(name));
    setProgramFolder(folder.path());

    std::unique_ptr<Program> program = createProgram();
    SplashWindow *splash = program->splashWindow.get();
    QObject::connect(splash, &SplashWindow::shown, splash, [splash](bool modal) {
        if (modal)
            QTimer::singleShot(0, splash, &SplashWindow::closeOnTick);
    });
    FirstPaint watch;
    program->mainWindow->installEventFilter(&watch);
    program->mainWindow->show();
    while (watch.paintedAt == 0)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const double startupMs = (watch.paintedAt - launchedAt) / 1e6;
    const long rssStart = residentKiB();

    VirtualRadio radio;
    QString error;
    if (!radio.open(&error)) {
        std::fprintf(stderr, "virtual radio: %s\n", qPrintable(error));
        return 1;
    }
    fillRadio(radio);
    SerialLink link;
    link.setPortName(radio.portName());
    if (!link.setPortOpen(true)) {
        std::fprintf(stderr, "%s\n", qPrintable(link.errorString()));
        return 1;
    }
    ProgrammingRun run(link, program->mainWindow->radioData());
    QElapsedTimer clock;
    clock.start();
    const ProgrammingResult result = run.run(TransferMode::Read);
    const qint64 readMs = clock.elapsed();
    if (!result.complete()) {
        std::fprintf(stderr, "the read did not go through: %s\n", qPrintable(result.message));
        return 1;
    }
    // Let the grid take in the new rows before memory is counted.
    QCoreApplication::processEvents();
    const long rssRead = residentKiB();

    std::printf("startup_ms %.1f\nrss_start_kib %ld\nrss_read_kib %ld\nread_ms %lld\n", startupMs,
                rssStart, rssRead, readMs);
    link.setPortOpen(false);
    return 0;
}
