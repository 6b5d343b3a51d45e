#pragma once

#include "radio/portproblem.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringView>

class QSerialPort;

// The radio acknowledges each block with this byte, and the programming run
// sends it back as its own acknowledgement.
inline constexpr char Acknowledgement = 0x06;

// Device name of serial port number `port` (1-4): `configuredPath` when it is
// not empty (what the settings file maps the entry to), else the default,
// "COM1"..."COM4" on Windows and /dev/ttyUSB0 ... /dev/ttyUSB3 elsewhere. A
// number outside 1-4 gives an empty name, which no port test passes. Reads no
// file: the caller hands in what its settings say (AppSettings::portDevices).
QString portDeviceName(int port, const QString &configuredPath = {});

// The one serial line between the program and the radio, 9600 baud 8N1
// without flow control; the modem-control lines are left as the driver has
// them.
//
// Replies come in through a receive threshold: once the input holds at least
// receiveThreshold() bytes, a receive event takes every waiting byte into
// receivedBytes() (replacing what was there) and sets hasReceived(). Fewer
// bytes stay waiting and come with the next event; nothing is ever flushed; a threshold of 0 raises
// no event. The threshold is judged when bytes arrive, not when it is changed:
// bytes that arrived earlier were judged by the threshold in force then, and
// a re-check on change would hand the run stale bytes as the answer to a
// request it has not sent yet, between two of its statements instead of
// inside a wait. On Unix the terminal driver is told the threshold (VMIN),
// so a reply wakes the program once instead of once per byte; this changes
// no delivery.
//
// Everything runs on the thread of the object; receive events are handled
// only while an event loop runs (a waitForReceive() or the main loop).
class SerialLink : public QObject
{
    Q_OBJECT

public:
    // The two directions of the line, for traffic().
    enum class Direction {
        ToRadio,   // bytes the program sent
        FromRadio, // bytes that came in
    };
    Q_ENUM(Direction)

    explicit SerialLink(QObject *parent = nullptr);
    ~SerialLink() override;

    // The device to open ("COM3", "/dev/ttyUSB0", "/dev/pts/4"). A change
    // while the port is open takes effect at the next opening.
    void setPortName(const QString &name) { m_portName = name; }
    QString portName() const { return m_portName; }

    // Opens (true) or closes (false) the port. Returns false when the open
    // fails; errorString() and openProblem() then say why. Opening an open
    // port or closing a closed one does nothing and succeeds.
    bool setPortOpen(bool open);
    bool isPortOpen() const;
    // Why the last open failed ("device: " and PortProblem::text()), or why
    // the link was lost.
    QString errorString() const { return m_errorString; }
    // Why the last open failed; Kind::None after an open that succeeded.
    PortProblem openProblem() const { return m_openProblem; }

    // Port test: opens the device for reading and writing and closes it at
    // once. Fails when the device does not exist, is no serial port, may not
    // be opened by this user, or is held by another program or by an open
    // SerialLink (a lock file on Unix, exclusive access on Windows). On
    // failure *error receives the reason as errorString() gives it, or
    // *problem the reason itself.
    static bool testPort(const QString &name, QString *error = nullptr);
    static bool testPort(const QString &name, PortProblem *problem);

    // Builds the request the next sendRequest() sends from hex text: digit
    // pair k gives byte k ("520C9008" gives 0x52 0x0C 0x90 0x08); a last
    // single digit is dropped; upper and lower case are accepted. A text with
    // any other character builds nothing: the request is left empty and false
    // is returned, so that no garbled request reaches the radio.
    bool setRequestHex(QStringView hex);
    // The bytes as upper-case digit pairs in their order ("0620746F...").
    static QString bytesToHex(const QByteArray &bytes);
    QByteArray requestBytes() const { return m_request; }

    // Sends requestBytes(); sendAcknowledgement() sends the single byte
    // Acknowledgement. The bytes are handed to the driver at once. False when
    // nothing was sent: the port is not open, the request is empty, or the
    // write failed.
    bool sendRequest();
    bool sendAcknowledgement();

    // Receive threshold in bytes; 0 raises no receive event.
    int receiveThreshold() const { return m_threshold; }
    void setReceiveThreshold(int bytes);

    // Set by a receive event; only the caller clears it.
    bool hasReceived() const { return m_received; }
    void clearReceived() { m_received = false; }
    // The bytes of the most recent receive event.
    QByteArray receivedBytes() const { return m_receivedBytes; }
    // Bytes received but not yet delivered (below the threshold), those the
    // terminal driver still holds included.
    qint64 bytesWaiting() const;

    // Waits up to `milliseconds` while events are processed, and ends as
    // soon as a receive event has set hasReceived(). With it already set, or
    // with the port closed (nothing can arrive), it ends after one pass of
    // event processing. The thread sleeps while it waits.
    void waitForReceive(int milliseconds);

signals:
    // A receive event delivered `bytes` (now receivedBytes()).
    void received(const QByteArray &bytes);
    // The line failed while open (device gone, other end closed): the port
    // has been closed and a running wait ends. Emitted once per opening.
    void linkLost(const QString &message);
    // Every byte on the line, for a protocol trace: ToRadio once per request
    // or acknowledgement, when it has been handed to the driver; FromRadio
    // once per batch of bytes as the driver hands them in, whether or not
    // they reach the receive threshold (they are reported when they arrive,
    // not when a receive event delivers them).
    void traffic(SerialLink::Direction direction, const QByteArray &bytes);

private:
    void receive();
    void loseLink();
    void armKernelThreshold();
    void noteEventsProcessed();
    qint64 kernelBytes() const;
    bool write(const QByteArray &bytes);

    QSerialPort *m_port;
    QString m_portName;
    QString m_openName; // the device of the port now open
    QString m_errorString;
    PortProblem m_openProblem;
    int m_threshold = 0;
    // The VMIN now set on the open port; -1 when unknown.
    int m_kernelMinimum = -1;
    // Bytes the terminal driver held the last time events were processed.
    qint64 m_kernelJudged = 0;
    // Bytes waiting in the port's buffer that traffic() has reported.
    qint64 m_reportedWaiting = 0;
    bool m_received = false;
    QByteArray m_receivedBytes;
    QByteArray m_request;
};
