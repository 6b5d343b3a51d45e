#pragma once

#include "i18n/messageslots.h"

#include <QList>

#include <span>

// Where a language load puts each text: the one table of language string
// numbers and their places. Window targets are the windows' captions,
// menus, buttons, labels and pages. The GUI finds each
// target by its window and objectName and sets its text unchanged. The
// model's own targets (grid headings, value texts, choice lists, message
// slots) are applied by applyLanguage(); the grid headings are listed here
// as well so that the table names every place a text goes.

// The window a target belongs to; objectNames repeat across windows
// (okButton is a button in two of them).
enum class LanguageWindow {
    MainWindow,
    AboutBox,
    ProgrammingDialog,
    ConfirmationDialog,
    SerialPortDialog,
};

enum class TextTargetKind {
    WindowCaption,    // the window's own caption; objectName names the window
    StatusPanel,      // the panel of a status bar
    Menu,             // the title of a menu or sub-menu
    MenuItem,         // a menu item
    Page,             // the tab of a page of a page control
    Group,            // the caption of a group of controls
    Label,            // a label or link label
    Button,           // a push button
    ButtonBarSection, // a section button of the button bar; index: section from 0
    ButtonBarItem,    // an item of the button bar; index: section, item: item in it, from 0
    GridHeading,      // a heading of the channel grid; index: column (set in ChannelTable)
    ListHeading,      // a column heading of a table widget; index: column
};

struct TextTarget
{
    int number; // language string
    LanguageWindow window;
    TextTargetKind kind;
    const char *objectName;
    int index = -1;
    int item = -1;
};

// Every window target, ascending by number; a number with several targets
// (28, 85, 86, 105) has consecutive entries. The program's own numbers
// come last: 201-204 (the radio image and CSV items of the File menu and
// "Verify after writing" under Options), 220-228 ("Serial port..." under
// Options and the serial port dialog), 260 (the confirmation dialog's
// Cancel), 261-263 (Print and Export PDF in the File menu, "Back up the
// radio before writing" under Options).
std::span<const TextTarget> textTargets();

// The targets of one number; empty for a number with none.
QList<TextTarget> textTargetsOf(int number);

// A text kept for later use (messageslots.h).
struct MessageTarget
{
    int number; // language string
    QString MessageSlots::*slot;
};

// Every message slot with its number, ascending: 95-110 and the program's
// own 205-216, 227-239 (227 and 229-239: the serial port dialog's messages
// and why a port cannot be opened) and 264-278.
std::span<const MessageTarget> messageTargets();

// The slot of `messages` that number `number` fills; null for a number that
// fills none.
QString *messageSlot(MessageSlots &messages, int number);
// The text of the slot that number `number` fills; empty for a number that
// fills none.
QString messageText(const MessageSlots &messages, int number);
