// The English texts, by language string number. 55-60 must stay exactly as
// they are, because the language switch recognises channel cells by them.

#include "stringtable.h"

namespace {

// clang-format off
const LanguageString strings[] = {
    // Main window: status panel, link labels, port group
    {1, "     Dravik Torven two-way radio programming software"},
    {2, "Read"},
    {3, "Write"},
    {4, "Exit"},
    {5, "Serial port"},

    // Main menu
    {6, "&File"},
    {7, "&New"},
    {8, "&Open..."},
    {9, "&Save..."},
    {10, "E&xit"},
    {11, "&Edit"},
    {12, "&Read from radio"},
    {13, "&Write to radio"},
    {14, "&Channels"},
    {15, "&Function settings"},
    {16, "O&ther functions"},
    {17, "&Options"},
    {18, "Serial &port"},
    {19, "&Skin"},
    {20, "Blue"},
    {21, "Steel"},
    {22, "Coffee"},
    {23, "&Language"},
    {24, "Chinese"},
    {25, "English"},
    {26, "&Help"},
    {27, "&Help..."},
    // The About menu item and the about box caption share this text, so it
    // carries no accelerator.
    {28, "About QB-380"},

    // Button bar: sections and their items
    {29, "File"},
    {30, "New"},
    {31, "Open"},
    {32, "Save"},
    {33, "Edit"},
    {34, "Read from radio"},
    {35, "Write to radio"},
    {36, "Channels"},
    {37, "Function settings"},
    {38, "Exit"},
    {39, "Exit"},

    // Channel page: tab, buttons under the grid, grid headings
    {40, "Channels"},
    {41, "Auto add"},
    {42, "Clear all"},
    {43, "Move up"},
    {44, "Move down"},
    {45, "Delete"},
    {46, "CH"},
    {47, "RX freq."},
    {48, "RX QT/DQT"},
    {49, "TX freq."},
    {50, "TX QT/DQT"},
    {51, "TX power"},
    {52, "W/N"},
    {53, "Scan"},
    {54, "Busy lock"},

    // Value texts of the channel cells and the on/off lists
    {55, "OFF"},
    {56, "ON"},
    {57, "High"},
    {58, "Low"},
    {59, "Wide"},
    {60, "Narrow"},

    // Function-options page: tab and labels
    {61, "Function settings"},
    {62, "Auto power off"},
    {63, "Key beep"},
    {64, "Battery save"},
    {65, "Scan resume"},
    {66, "Scrambler"},
    {67, "VFO/ MR"},
    {68, "MR freq./ MR CH"},
    {69, "Squelch (SQL)"},
    {70, "VOX level (VOX)"},
    {71, "Time-out (TOT)"},
    {72, "Key lock"},
    {73, "Unlock [up][down]"},
    {74, "Reverse"},
    {75, "Freq. expansion key"},
    // Also the stem of the band choices "Band 2", "Band 1": the trailing
    // blank is meant.
    {76, "Band "},
    {77, "Frequency step"},
    {78, "TX LED colour"},
    {79, "RX LED colour"},
    {80, "Wide/narrow"},
    // Minute unit of the time-out choices: "1 min" ... "7 min".
    {81, " min"},

    // Hidden band range panel
    {83, "Band 1"},
    {84, "Band 2"},
    {85, "Receive"},
    {86, "Transmit"},

    // Programming dialog, about box, confirmation dialog and messages
    {95, "Read"},
    {96, "Write"},
    // Close button of the programming dialog: after a finished read
    // "Cancel" would suggest the read is undone. The confirmation dialog's
    // Cancel is 260.
    {97, "Close"},
    {98, "Dravik"},
    {99, "QB-380 programming software"},
    {100, "Version " QB_VERSION},
    {101, "Copyright © 2026 Dravik"},
    {102, "Dravik"},
    {103, "Error"},
    {104, "The radio did not answer. Check the cable and the port, and that the radio is switched on."},
    // OK buttons of the confirmation dialog and of the about box.
    {105, "OK"},
    {106, "The serial port could not be opened. It does not exist or another program is using it."},
    {107, "Warning"},
    {108, "Confirm"},
    {109, "Start a new, empty channel table? All channels and function settings now in the program will be lost."},
    {110, "Clear all channels? Every channel in the table will be deleted."},

    // LED colours, numbered as on the radio
    {111, "1"},
    {112, "2"},
    {113, "3"},
    {114, "4"},
    {115, "5"},
    {116, "6"},
    {117, "7"},
    {118, "8"},

    // The program's own numbers, beyond those every library shares.
    // File and Options menu items
    {201, "Open radio &image..."},
    {202, "&Import CSV..."},
    {203, "&Export CSV..."},
    {204, "&Verify after writing"},
    // Programming dialog: read-back after a write, backups after a read
    {205, "Verifying…"},
    {206, "Verified: the radio holds what was written."},
    {207, "The radio holds something else than was written:"},
    {208, "The radio could not be read back after writing:"},
    {209, "Backup: %1"},
    {210, "No backup was kept:"},
    // File dialog filters, notes of the CSV commands, warning caption
    {211, "Radio images"},
    {212, "CSV channel lists"},
    {213, "All files"},
    {214, "%1 channels imported."},
    {215, "%1 channels exported."},
    {216, "Warning"},
    // Serial port dialog (Options menu item, caption, list headings, mark,
    // find button and messages) and why a port cannot be opened
    {220, "Serial p&ort..."},
    {221, "Serial port"},
    {222, "Device"},
    {223, "Description"},
    {224, "Manufacturer"},
    {225, "USB ID"},
    {226, "Serial number"},
    {227, "(not plugged in)"},
    {228, "&Find radio"},
    {229, "Looking for the radio on %1…"},
    {230, "The radio answered on %1."},
    {231, "No radio answered."},
    {232, "You may not use %1: it belongs to the group %2, which you are not in. To join it, run\n    sudo usermod -aG %2 $USER\nthen log out and back in."},
    {233, "You may not use %1 yet: you joined the group %2 after you logged in. Log out and back in."},
    {234, "You may not use %1: its permissions do not let you read and write it."},
    {235, "%1 is in use by another program."},
    {236, "%1 is in use by %2 (process %3)."},
    {237, "%1 does not exist."},
    {238, "Serial ports plugged in: %1"},
    {239, "No serial port is plugged in."},
    // Edit menu: undo and redo (%1 names the step), the row clipboard;
    // File menu: recent files
    {240, "&Undo %1"},
    {241, "R&edo %1"},
    {242, "Cu&t rows"},
    {243, "&Copy rows"},
    {244, "&Paste rows"},
    {245, "&Recent files"},
    // The question before unsaved changes are discarded
    {246, "Save changes?"},
    {247, "The channels or settings have changed since they were last opened or saved. Save the changes?"},
    // Undo step names, the note of a paste
    {248, "cell edit"},
    {249, "move"},
    {250, "setting"},
    {251, "open file"},
    {252, "open radio image"},
    {253, "import CSV"},
    {254, "read radio"},
    {255, "paste rows"},
    {256, "cut rows"},
    {257, "%1 channels pasted."},
    // The buttons of the question about unsaved changes besides Save
    {258, "&Discard"},
    {259, "Cancel"},
    // Cancel of the confirmation dialog (97 is the programming dialog's
    // Close); Print, Export PDF, Back up before writing
    {260, "Cancel"},
    {261, "&Print..."},
    {262, "Export P&DF..."},
    {263, "&Back up the radio before writing"},
    // Demo mode in the status bar; the band check of the grid and before a
    // write
    {264, "(demo) virtual radio on COM1"},
    {265, "Outside the band %1"},
    {266, "Out of band"},
    {267, "These frequencies lie outside the radio's bands:"},
    {268, "%1 RX %2 MHz (%3)"},
    {269, "%1 TX %2 MHz (%3)"},
    {270, "… and %1 more."},
    {271, "Write them to the radio all the same?"},
    // Printing and PDF
    {272, "PDF files"},
    {273, "PDF written: %1"},
    {274, "Channel list"},
    {275, "Function settings"},
    // Backing up before a write
    {276, "Backing up the radio…"},
    {277, "Nothing was written to the radio."},
    // The printer refused the printout
    {278, "The printout could not be printed."},
};
// clang-format on

} // namespace

extern "C" QB_LANG_EXPORT const char *qb380_string(int number)
{
    return findLanguageString(strings, number);
}
