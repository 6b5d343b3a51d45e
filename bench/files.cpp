// Channel file figures, run on demand by bench/run-all.sh.
//
//   qb380-bench-files [ITERATIONS]      (default 500)
//
// Saves and opens a channel file with all 199 channels in use, ITERATIONS
// times each, in a temporary folder, and prints the median and the fastest
// time of one save and of one open, and open ÷ save.
#include "model/radiodata.h"
#include "storage/channelfile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

void fillTable(RadioData &data)
{
    ChannelTable &table = data.table;
    table.setValueTexts(EnglishValueTexts);
    table.setToneOffText(EnglishValueTexts.offText);
    const QStringList &tones = table.toneList();
    for (int row = 1; row <= ChannelTable::ChannelCount; ++row) {
        const QString freq = QStringLiteral("%1").arg(400.0 + row * 0.0125, 0, 'f', 5);
        table.setRowData(row,
                         {freq, tones.at(row % tones.size()), freq,
                          tones.at((row * 7) % tones.size()), QStringLiteral("High"),
                          QStringLiteral("Wide"), QStringLiteral("ON"), QStringLiteral("OFF")});
    }
    data.bands.list1_rx.choose(data.bands.list1_rx.append(QStringLiteral("400-470MHz")));
}

struct Figures
{
    double medianMs;
    double fastestMs;
};

Figures figures(QList<qint64> ns)
{
    std::sort(ns.begin(), ns.end());
    return {ns.at(ns.size() / 2) / 1e6, ns.first() / 1e6};
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int iterations = argc > 1 ? qMax(1, QByteArray(argv[1]).toInt()) : 500;
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("bench.r07"));
    RadioData data;
    fillTable(data);

    QList<qint64> saves, opens;
    QElapsedTimer clock;
    for (int i = 0; i < iterations; ++i) {
        clock.start();
        const ChannelFileResult saved = saveChannelFile(path, data);
        saves << clock.nsecsElapsed();
        RadioData opened;
        opened.table.setValueTexts(EnglishValueTexts);
        clock.start();
        const ChannelFileResult result = openChannelFile(path, opened);
        opens << clock.nsecsElapsed();
        if (!saved.ok || !result.ok || opened.table.rowData(199) != data.table.rowData(199)) {
            std::fprintf(stderr, "save or open failed: %s %s\n", qPrintable(saved.message),
                         qPrintable(result.message));
            return 1;
        }
    }
    const Figures save = figures(saves);
    const Figures open = figures(opens);
    std::printf("save_ms %.3f (fastest %.3f)\nopen_ms %.3f (fastest %.3f)\n"
                "open_over_save %.2f\niterations %d\n",
                save.medianMs, save.fastestMs, open.medianMs, open.fastestMs,
                open.medianMs / save.medianMs, iterations);
    return 0;
}
