#include "app/commandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

std::optional<GuiCommandLine> parseGuiCommandLine(const QStringList &arguments, int *exitStatus)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Reads the 199 channels and the function settings of the QB-380 UHF handheld\n"
        "radio through its programming cable, edits them in a channel grid, writes them\n"
        "back and keeps them in channel files (.r07). qb380-cli does the same from a shell."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and quit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and quit."));
    const QCommandLineOption demo(
        QStringLiteral("demo"),
        QStringLiteral("Put a virtual radio with twelve sample channels behind COM1, to try "
                       "everything without a radio."));
    const QCommandLineOption noDemo(QStringLiteral("no-demo"),
                                    QStringLiteral("No virtual radio (the default)."));
    const QCommandLineOption demoFault(
        QStringLiteral("demo-fault"),
        QStringLiteral("The virtual radio of --demo, misbehaving as FAULTS says (as qb380-cli "
                       "simulate --fault takes them), to see the failure messages."),
        QStringLiteral("FAULTS"));
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QStringLiteral("Save a picture of a window to FILE (PNG) and quit."),
        QStringLiteral("FILE"));
    const QCommandLineOption screenshotView(
        QStringLiteral("screenshot-view"),
        QStringLiteral("The window --screenshot shows: main, options, about, edit or tone."),
        QStringLiteral("VIEW"), QStringLiteral("main"));
    parser.addOptions({help, version, demo, noDemo, demoFault, screenshot, screenshotView});
    parser.addPositionalArgument(
        QStringLiteral("FILE"),
        QStringLiteral("A channel file (.r07), a CSV channel list (.csv) or a radio image to "
                       "open."),
        QStringLiteral("[FILE]"));

    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "qb380: %s\nqb380: 'qb380 --help' lists the options\n",
                     qUtf8Printable(parser.errorText()));
        *exitStatus = 2;
        return std::nullopt;
    }
    if (parser.isSet(help)) {
        std::fputs(qUtf8Printable(parser.helpText()), stdout);
        *exitStatus = 0;
        return std::nullopt;
    }
    if (parser.isSet(version)) {
        std::printf("qb380 %s\n", qUtf8Printable(QCoreApplication::applicationVersion()));
        *exitStatus = 0;
        return std::nullopt;
    }

    GuiCommandLine line;
    // The later of --demo and --no-demo counts, so a wrapper's --demo can be
    // overridden.
    for (const QString &name : parser.optionNames()) {
        if (name == QLatin1String("demo") || name == QLatin1String("demo-fault"))
            line.demo = true;
        else if (name == QLatin1String("no-demo"))
            line.demo = false;
    }
    line.demoFaults = parser.value(demoFault);
    line.screenshotFile = parser.value(screenshot);
    line.screenshotView = parser.value(screenshotView);
    line.files = parser.positionalArguments();
    if (line.files.size() > 1)
        std::fprintf(stderr, "qb380: one file at a time: opening %s only\n",
                     qUtf8Printable(line.files.first()));
    *exitStatus = 0;
    return line;
}
