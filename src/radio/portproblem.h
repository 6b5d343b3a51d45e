#pragma once

#include "radio/serialports.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Why a serial port could not be opened, in terms the user can act on.
//
// The serial port driver reports a device the user may not open and a
// device another program holds with the same error, and the usual remedy for
// the first (joining the group that owns the device) does nothing for the
// second. diagnosePortProblem() tells them apart by looking at the device
// itself.
struct PortProblem
{
    enum class Kind {
        None,
        // No device name at all.
        NoPortChosen,
        // Nothing at that path; pluggedIn names the serial ports there are.
        Missing,
        // The device exists but the user may not read and write it: group
        // names the group that may (when the device's group may read and
        // write it), memberAfterLogin says the user has joined that group
        // since logging in.
        PermissionDenied,
        // Another program holds the port; pid and processName say which,
        // when its lock file tells (0 and empty otherwise).
        Busy,
        // This program's own link holds it open already.
        AlreadyOpen,
        // The device is no serial port (/dev/null, a plain file).
        NotSerialPort,
        // Anything else: systemText is the system's word.
        Other,
    };

    Kind kind = Kind::None;
    QString device;
    QString group;
    bool memberAfterLogin = false;
    qint64 pid = 0;
    QString processName;
    QStringList pluggedIn;
    QString systemText;

    bool operator==(const PortProblem &) const = default;

    // One English text, without the device, for messages that put the device
    // in front: "the port does not exist; serial ports plugged in:
    // /dev/ttyACM0". Permission problems take three lines, the remedy on a
    // line of its own.
    QString text() const;
    // "device: text()"; "No serial port chosen" for NoPortChosen.
    QString message() const;
};

// What the serial port driver said when the open failed.
enum class PortOpenError {
    DeviceNotFound,
    // Refused: no permission, or locked or held exclusively by a program.
    Refused,
    // The same object already has it open.
    AlreadyOpen,
    // The device cannot act as a serial port.
    Unsupported,
    Other,
};

// Finds out why `device` could not be opened, from what the driver said and
// from the device itself (on Unix: its permissions and group, the user's
// groups, the lock files serial programs leave in /var/lock and the like).
// `systemText` is the driver's own text, kept for Kind::Other. A missing
// device's problem names the ports of `listed`, by default the system's
// list read at that moment.
PortProblem
diagnosePortProblem(const QString &device, PortOpenError error, const QString &systemText = {},
                    const std::optional<QList<SerialPortDescription>> &listed = std::nullopt);
