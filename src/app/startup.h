#pragma once

#include <QStringList>

#include <memory>

class QApplication;
class TForm5;
class TR_and_W;
class TaboutForm;
class Tform1;
class Tmessage1;

// The windows of one run, each created once and only shown and hidden.
struct Program
{
    std::unique_ptr<Tform1> form1;
    std::unique_ptr<TForm5> Form5;
    std::unique_ptr<TaboutForm> aboutForm;
    std::unique_ptr<TR_and_W> R_and_W;
    std::unique_ptr<Tmessage1> message1;

    Program();
    ~Program();
};

// The start of the program up to the event loop: sets the application title
// "QB-380", creates the main window (which restores the stored settings),
// then, hidden and in this order, the splash, the about box, the
// programming dialog and the confirmation dialog. Showing form1 afterwards
// runs its first-show sequence (splash, language).
std::unique_ptr<Program> createProgram();

// The whole run: createProgram, show the main window, run the event loop
// until it closes. `arguments` may ask for a picture of a window instead
// (--screenshot FILE [--screenshot-view main|options|about|edit|tone]), which the
// documentation is made with.
int runProgram(QApplication &app, const QStringList &arguments);
