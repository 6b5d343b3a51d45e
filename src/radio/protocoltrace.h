#pragma once

#include "radio/seriallink.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <functional>

class AtomicFile;
class QIODevice;

// A protocol trace: every byte a SerialLink sends and receives, written as
// text to a device, one line per transfer (SerialLink::traffic):
//
//      0.000 > 02
//      0.006 > 44 52 41 76 69 6B
//      0.007 < 06 20 74 6F 72 76 65 6E
//
// Each line is the time since the trace started in seconds with three
// decimals (milliseconds), right-aligned in nine characters; a blank; ">"
// for bytes the program sent or "<" for bytes that came in; a blank; the
// bytes as upper-case hex pairs separated by blanks; LF. Bytes that come in
// are written as the driver hands them in, so a reply may take several
// lines. Each line is checked as it is written: a trace that a full disk
// cut short is known as such (ok() false) and says why.
class ProtocolTrace : public QObject
{
    Q_OBJECT

public:
    // Writes to `out`, which must be open for writing and outlive the trace.
    // The clock starts now.
    explicit ProtocolTrace(QIODevice *out, QObject *parent = nullptr);
    // Writes to `file`, which must be open and outlive the trace; the owner
    // commits it.
    explicit ProtocolTrace(AtomicFile *file, QObject *parent = nullptr);

    // Traces the link's traffic from now on (several links may be attached).
    void attach(SerialLink &link);

    // False once a line could not be written; errorString() says why.
    bool ok() const { return m_ok; }
    QString errorString() const { return m_error; }

    // One line without its LF: milliseconds since the start, direction and
    // bytes, e.g. formatLine(12345, ToRadio, {0x52, 0x00, 0x10, 0x08}) gives
    // "   12.345 > 52 00 10 08".
    static QString formatLine(qint64 milliseconds, SerialLink::Direction direction,
                              const QByteArray &bytes);

private:
    void write(SerialLink::Direction direction, const QByteArray &bytes);

    // Writes one line; false with the reason in *error when it could not.
    std::function<bool(const QByteArray &line, QString *error)> m_out;
    QElapsedTimer m_clock;
    bool m_ok = true;
    QString m_error;
};
