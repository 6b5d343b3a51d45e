// The start of every fuzz target, under libFuzzer and under the replay
// driver alike.
#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

// An application object for the whole run (timers and socket notifiers
// need one), and quiet Qt warnings: a target reports through crashes only.
// The fuzzer's own options are not the application's business.
extern "C" int LLVMFuzzerInitialize(int *, char ***argv)
{
    static int appArgc = 1;
    static char *appArgv[] = {(*argv)[0], nullptr};
    static QCoreApplication app(appArgc, appArgv);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type == QtFatalMsg) {
            std::fprintf(stderr, "%s\n", qPrintable(message));
            std::abort();
        }
    });
    return 0;
}
