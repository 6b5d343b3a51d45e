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
    QString verifyingText;      // 205: the programming dialog while it reads back a write
    QString verifiedText;       // 206: a write read back as written
    QString verifyDiffersText;  // 207: first line of the differences a read-back found
    QString verifyFailedText;   // 208: first line when the read-back did not go through
    QString backupText;         // 209: "%1" the backup a read kept
    QString noBackupText;       // 210: first part of the warning when no backup was kept
    QString imageFilterText;    // 211: file dialog filter name of radio images
    QString csvFilterText;      // 212: file dialog filter name of CSV channel lists
    QString allFilesFilterText; // 213: file dialog filter name of all files
    QString importedText;       // 214: "%1" channels a CSV import placed
    QString exportedText;       // 215: "%1" channels a CSV export wrote
    QString warningTitle;       // 216: confirmation dialog caption for a warning
    QString undoText;           // 240: Edit menu item, "%1" the step it undoes
    QString redoText;           // 241: Edit menu item, "%1" the step it redoes
    QString saveChangesTitle;   // 246: caption of the question about unsaved changes
    QString saveChangesText;    // 247: the question about unsaved changes
    QString cellStepText;       // 248: undo step: a typed cell, a tone, a switched value
    QString moveStepText;       // 249: undo step: move up or down
    QString settingStepText;    // 250: undo step: a function setting chosen
    QString openStepText;       // 251: undo step: a channel file opened
    QString openImageStepText;  // 252: undo step: a radio image opened
    QString importStepText;     // 253: undo step: a CSV list imported
    QString readStepText;       // 254: undo step: the radio read
    QString pasteStepText;      // 255: undo step: rows pasted
    QString cutStepText;        // 256: undo step: rows cut
    QString pastedText;         // 257: "%1" channels a paste placed

    bool operator==(const MessageSlots &) const = default;
};
