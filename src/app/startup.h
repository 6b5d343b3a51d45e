#pragma once

#include "app/commandline.h"

#include <QStringList>

#include <memory>

class AboutBox;
class ConfirmationDialog;
class MainWindow;
class ProgrammingDialog;
class QApplication;
class SplashWindow;
class VirtualRadio;

// The windows of one run, each created once and only shown and hidden.
struct Program
{
    // The virtual radio of demo mode; it outlives the windows, whose serial
    // link may still hold its port.
    std::unique_ptr<VirtualRadio> demoRadio;
    std::unique_ptr<MainWindow> mainWindow;
    std::unique_ptr<SplashWindow> splashWindow;
    std::unique_ptr<AboutBox> aboutBox;
    std::unique_ptr<ProgrammingDialog> programmingDialog;
    std::unique_ptr<ConfirmationDialog> confirmationDialog;

    Program();
    ~Program();
};

// The start of the program up to the event loop: sets the application title
// "QB-380" and the application name Backups::ApplicationName (the data
// folder of the backups), creates the main window (which restores the
// stored settings), then, hidden and in this order, the splash, the about
// box, the programming dialog and the confirmation dialog. Showing mainWindow
// afterwards runs its first-show sequence (splash, language).
std::unique_ptr<Program> createProgram();

// How the demo mode's virtual radio behaves.
struct DemoOptions
{
    // Line rate it emulates (8N1), so a run takes as long as with a real
    // radio; 0 answers at once.
    int lineRate = 9600;
    // Faults in the virtual radio's text form ("silent", "nak:0C80" ...).
    QString faults;
};

// Demo mode: starts an in-process virtual radio holding the sample memory
// (twelve channels, function settings) and puts it behind port entry 1 of
// the main window for this run. False, with *error set, when the radio's
// port cannot be created or the faults are not understood.
bool attachDemoRadio(Program &program, const DemoOptions &options, QString *error = nullptr);

// The whole run: createProgram, a demo radio when the command line asks for
// one (attachDemoRadio), show the main window, then either take the
// screenshot asked for (a picture of a window, which the documentation is
// made with) or open the file named, and run the event loop until the
// window closes.
int runProgram(QApplication &app, const GuiCommandLine &line);
