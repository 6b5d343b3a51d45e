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

    bool operator==(const MessageSlots &) const = default;
};
