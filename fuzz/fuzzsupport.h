#pragma once

#include <QByteArray>
#include <QCoreApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Shared by the fuzz targets: each one defines LLVMFuzzerInitialize with
// initialiseFuzzing() and LLVMFuzzerTestOneInput.

// The input as a byte array that does not own the fuzzer's buffer.
inline QByteArray inputBytes(const uint8_t *data, size_t size)
{
    return QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
}

// An application object for the whole run (timers and socket notifiers
// need one), and quiet Qt warnings: a target reports through crashes only.
// The fuzzer's own options are not the application's business.
inline void initialiseFuzzing(int *, char ***argv)
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
}

// A property every input must keep; a broken one counts as a crash, so the
// fuzzer keeps the input that broke it.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition);  \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
