#pragma once

#include <QString>

// The texts a language load leaves for later use: captions and messages
// that are shown long after the load (the value texts 55-60 live with the
// channel table). Empty until a load finds its library; every such load
// overwrites all of them.
struct MessageSlots
{
    QString ReadCaption;      // 95: programming dialog and its start button, reading
    QString WriteCaption;     // 96: the same, writing
    QString ErrorTitle;       // 103: confirmation dialog caption for port and link failures
    QString LinkFailedText;   // 104: the radio gave no valid identification reply
    QString PortFailedText;   // 106: the serial port cannot be opened
    QString UnusedText;       // 107: read and kept, shown nowhere
    QString ConfirmTitle;     // 108: confirmation dialog caption for new and clear
    QString NewConfirmText;   // 109: confirm starting a new channel table
    QString ClearConfirmText; // 110: confirm clearing all channels

    // Our own numbers. Texts with "%1" take a file name or a count there.
    QString VerifyingText;      // 205: the programming dialog while it reads back a write
    QString VerifiedText;       // 206: a write read back as written
    QString VerifyDiffersText;  // 207: first line of the differences a read-back found
    QString VerifyFailedText;   // 208: first line when the read-back did not go through
    QString BackupText;         // 209: "%1" the backup a read kept
    QString NoBackupText;       // 210: first part of the warning when no backup was kept
    QString ImageFilterText;    // 211: file dialog filter name of radio images
    QString CsvFilterText;      // 212: file dialog filter name of CSV channel lists
    QString AllFilesFilterText; // 213: file dialog filter name of all files
    QString ImportedText;       // 214: "%1" channels a CSV import placed
    QString ExportedText;       // 215: "%1" channels a CSV export wrote
    QString WarningTitle;       // 216: confirmation dialog caption for a warning

    bool operator==(const MessageSlots &) const = default;
};
