#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// What the qb380 command line asks for.
struct GuiCommandLine
{
    // A virtual radio behind COM1 (--demo, or --demo-fault); --no-demo,
    // given after it, takes it back.
    bool demo = false;
    // The demo radio's faults in the virtual radio's text form.
    QString demoFaults;
    // --screenshot FILE [--screenshot-view VIEW]: a picture of a window
    // instead of a session.
    QString screenshotFile;
    QString screenshotView = QStringLiteral("main");
    // Files to open: a channel file, a CSV list or a radio image. The
    // program holds one document, so the first is opened.
    QStringList files;
};

// Reads qb380's arguments (the program's name first). Needs only a
// QCoreApplication, so --help and --version work without a display: it
// answers them on standard output, and a mistake on standard error, and
// then returns nothing with the exit status in *exitStatus.
std::optional<GuiCommandLine> parseGuiCommandLine(const QStringList &arguments, int *exitStatus);
