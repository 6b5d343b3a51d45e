// Runs a fuzz target over files instead of under libFuzzer: every file named
// on the command line, and every file in every folder named, once each. A
// folder that does not exist holds nothing to run (no input of that target
// has ever broken it); at least one input must run.
// Builds without libFuzzer use it, so the seed corpus and the inputs that
// once crashed run in the normal test suite, sanitizers included.
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);
extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv);

namespace {

bool runFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(file.errorString()));
        return false;
    }
    const QByteArray bytes = file.readAll();
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.constData()),
                           size_t(bytes.size()));
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    LLVMFuzzerInitialize(&argc, &argv);
    int inputs = 0;
    bool ok = true;
    for (int i = 1; i < argc; ++i) {
        const QString path = QString::fromLocal8Bit(argv[i]);
        const QFileInfo info(path);
        if (!info.exists())
            continue;
        if (info.isDir()) {
            const QDir dir(path);
            for (const QString &name : dir.entryList(QDir::Files, QDir::Name)) {
                ok = runFile(dir.filePath(name)) && ok;
                ++inputs;
            }
        } else {
            ok = runFile(path) && ok;
            ++inputs;
        }
    }
    std::printf("%d inputs ran\n", inputs);
    return ok && inputs > 0 ? 0 : 1;
}
