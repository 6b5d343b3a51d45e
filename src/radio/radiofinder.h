#pragma once

#include "radio/portproblem.h"
#include "radio/serialports.h"

#include <QList>
#include <QString>
#include <QStringList>

// What looking for the radio on one port came to.
struct PortProbe
{
    enum class Outcome {
        // The radio answered the identification.
        Found,
        // The port opened, but no radio answered (nothing, or not as the
        // radio does: detail says which).
        NoRadio,
        // The port could not be opened (a port in use, a missing device, no
        // permission): problem says why, and nothing was sent.
        Skipped,
    };

    QString device;
    Outcome outcome = Outcome::NoRadio;
    PortProblem problem;
    // NoRadio: the handshake's own words ("No radio answered the
    // identification in 6 attempts").
    QString detail;
    // How long the port took, from opening to closing.
    qint64 milliseconds = 0;

    bool found() const { return outcome == Outcome::Found; }
    // One English line: "/dev/ttyUSB0: the radio answered", "/dev/ttyS0:
    // No radio answered the identification in 6 attempts", "/dev/ttyUSB1:
    // skipped: the port is in use by another program".
    QString text() const;
};

// Looks for the radio on one port: opens it as a run does (9600 baud 8N1),
// makes the handshake of a read and, when the radio identifies itself,
// sends the end command at once (ProgrammingRun::identify), then closes
// the port. Nothing is read from or written into the radio's memory, and
// the radio is left ready for a read or write. Where nothing answers, this
// takes the handshake's six attempts, about 1.6 s with the closing; a port
// that cannot be opened is skipped at once. The waits pump events, like a
// run's.
PortProbe probePort(const QString &device);

// The ports to look on: the devices of `listed`, then those of `extra` that
// are not among them (pseudo-terminals, such as the virtual radio's, are
// never listed), each once, in that order; empty names are left out.
QStringList findCandidates(const QStringList &extra,
                           const QList<SerialPortDescription> &listed = availableSerialPorts());
