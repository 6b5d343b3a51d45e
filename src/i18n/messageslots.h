#pragma once

#include <QString>

// The texts a language load leaves for later use: captions and messages
// that are shown long after the load (the value texts 55-60 live with the
// channel table). Empty until a load finds its library; every such load
// overwrites all of them.
struct MessageSlots
{
    QString readCaption;      // 95: programming dialog and its start button, reading
    QString writeCaption;     // 96: the same, writing
    QString errorTitle;       // 103: confirmation dialog caption for port and link failures
    QString linkFailedText;   // 104: the radio gave no valid identification reply
    QString portFailedText;   // 106: the serial port cannot be opened
    QString unusedText;       // 107: read and kept, shown nowhere
    QString confirmTitle;     // 108: confirmation dialog caption for new and clear
    QString newConfirmText;   // 109: confirm starting a new channel table
    QString clearConfirmText; // 110: confirm clearing all channels

    // Our own numbers. Texts with "%1" take a file name or a count there.
    QString verifyingText;         // 205: the programming dialog while it reads back a write
    QString verifiedText;          // 206: a write read back as written
    QString verifyDiffersText;     // 207: first line of the differences a read-back found
    QString verifyFailedText;      // 208: first line when the read-back did not go through
    QString backupText;            // 209: "%1" the backup a read kept
    QString noBackupText;          // 210: first part of the warning when no backup was kept
    QString imageFilterText;       // 211: file dialog filter name of radio images
    QString csvFilterText;         // 212: file dialog filter name of CSV channel lists
    QString allFilesFilterText;    // 213: file dialog filter name of all files
    QString importedText;          // 214: "%1" channels a CSV import placed
    QString exportedText;          // 215: "%1" channels a CSV export wrote
    QString warningTitle;          // 216: confirmation dialog caption for a warning
    QString demoText;              // 264: status bar mark of demo mode (virtual radio on COM1)
    QString outOfBandToolTip;      // 265: "%1" the band ranges an out-of-band cell lies outside
    QString outOfBandTitle;        // 266: caption of the question before an out-of-band write
    QString outOfBandText;         // 267: its first line
    QString outOfBandReceiveLine;  // 268: "%1" channel, "%2" MHz, "%3" ranges: a receive frequency
    QString outOfBandTransmitLine; // 269: the same for a transmit frequency
    QString moreLinesText;         // 270: "%1" lines a long list leaves out
    QString writeAnywayText;       // 271: the question's last line
    QString pdfFilterText;         // 272: file dialog filter name of PDF files
    QString pdfWrittenText;        // 273: "%1" the PDF file written
    QString printChannelsHeading;  // 274: heading of the channel list in a printout
    QString printSettingsHeading;  // 275: heading of the function settings in a printout
    QString backingUpText;         // 276: the programming dialog while it backs up before a write
    QString nothingWrittenText;    // 277: last line when a write stopped for want of a backup
    QString printFailedText;       // 278: the printer could not print

    // The serial port dialog and why a port cannot be opened; "%1" is the
    // device unless said otherwise.
    QString notPluggedInText;     // 227: mark of a port entry whose device is not there
    QString lookingText;          // 229: looking for the radio on %1
    QString radioAnsweredText;    // 230: the radio answered on %1
    QString noRadioText;          // 231: no radio answered
    QString notInGroupText;       // 232: %2 the device's group, which the user is not in
    QString loginAgainText;       // 233: %2 the group the user joined after logging in
    QString noPermissionText;     // 234: the device's permissions forbid it
    QString portBusyText;         // 235: another program holds the port
    QString portBusyByText;       // 236: %2 the program, %3 its process number
    QString portMissingText;      // 237: the device does not exist
    QString pluggedInText;        // 238: %1 the serial ports there are
    QString nothingPluggedInText; // 239: there are none

    // Undo and redo, the question about unsaved changes, the row clipboard.
    QString undoText;              // 240: Edit menu item, "%1" the step it undoes
    QString redoText;              // 241: Edit menu item, "%1" the step it redoes
    QString saveChangesTitle;      // 246: caption of the question about unsaved changes
    QString saveChangesText;       // 247: the question about unsaved changes
    QString cellStepText;          // 248: undo step: a typed cell, a tone, a switched value
    QString moveStepText;          // 249: undo step: move up or down
    QString settingStepText;       // 250: undo step: a function setting chosen
    QString openStepText;          // 251: undo step: a channel file opened
    QString openImageStepText;     // 252: undo step: a radio image opened
    QString importStepText;        // 253: undo step: a CSV list imported
    QString readStepText;          // 254: undo step: the radio read
    QString pasteStepText;         // 255: undo step: rows pasted
    QString cutStepText;           // 256: undo step: rows cut
    QString pastedText;            // 257: "%1" channels a paste placed
    QString discardButtonText;     // 258: the question's button that drops the changes
    QString keepEditingButtonText; // 259: its button that cancels the command

    bool operator==(const MessageSlots &) const = default;
};
