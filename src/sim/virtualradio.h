#pragma once

#include "sim/linetimer.h"
#include "sim/radiofault.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QRandomGenerator>
#include <QString>

#include <deque>
#include <utility>

class QSocketNotifier;

// A radio on a pseudo-terminal, for testing without hardware. The program
// opens portName() (a /dev/pts/N device) like any serial port; the radio
// serves the other side from the event loop of the thread it lives in.
//
// It is a plain memory of 64 KiB that speaks the programming protocol; it
// knows nothing of what the bytes mean. Messages from the program:
//
//   0x02 "DRAvik"             handshake: starts a session, answered with the
//                             8 bytes 0x06 0x20 "torven"
//   0x06                      acknowledgement: answered 0x06
//   0x52 hi lo 0x08           block read of the 8 bytes at address hi*256+lo:
//                             answered with 12 bytes, 0x57 hi lo 0x08 and then
//                             the 8 bytes (the leading four repeat the request
//                             in the form of a block write)
//   0x57 hi lo 0x08 d0..d7    block write: stores d0..d7 at the address,
//                             answered 0x06
//   0x64 0x6F                 end: ends the session, no answer
//
// Outside a session only the handshake is answered; acknowledgements, block
// requests and end commands are read as whole messages and ignored. A new
// handshake within a session is answered again and starts a new session.
// Addresses wrap at the end of the memory (a block at 0xFFFC ends at 0x0003).
//
// The byte stream is parsed however it is chunked. When the bytes at the
// front of the input cannot begin a message (an unknown first byte, an
// identification character that does not match, a length byte other than
// 0x08, a 0x64 not followed by 0x6F), the first byte is dropped and the rest
// is read again from the next byte, so a message that follows junk is still
// recognised. A message that stays incomplete waits for its remaining bytes.
class VirtualRadio : public QObject
{
    Q_OBJECT

public:
    static constexpr int MemorySize = 0x10000;
    static constexpr int BlockSize = 8;

    // One run of bytes in one direction. Consecutive bytes in the same
    // direction are merged and each request is recorded before its reply, so
    // the transcript does not depend on how the bytes were chunked.
    struct Transfer
    {
        enum Direction { ToRadio, FromRadio };
        Direction direction;
        QByteArray bytes;
        friend bool operator==(const Transfer &, const Transfer &) = default;
    };

    explicit VirtualRadio(QObject *parent = nullptr);
    ~VirtualRadio() override;

    // Creates the pseudo-terminal (raw, no byte translated) and starts
    // serving it. The radio keeps a descriptor of the terminal side open
    // itself, so the program may close and reopen the port at will.
    bool open(QString *error = nullptr);
    void close();
    bool isOpen() const { return m_master >= 0; }
    // The device the program opens, e.g. "/dev/pts/4"; empty while closed.
    QString portName() const { return m_portName; }

    // Memory image, initially all 0xFF.
    QByteArray memory() const { return m_memory; }
    // length bytes from address on, wrapping at the end of the memory.
    QByteArray readMemory(quint16 address, int length) const;
    // Stores bytes from address on, wrapping at the end of the memory.
    void writeMemory(quint16 address, const QByteArray &bytes);
    void fillMemory(quint8 value = 0xFF);
    // Replaces the image with a raw file: a file shorter than 64 KiB fills
    // the start and the rest is 0xFF; a longer one is refused.
    bool loadImage(const QString &path, QString *error = nullptr);
    // Writes the whole image as a raw 64 KiB file.
    bool saveImage(const QString &path, QString *error = nullptr) const;

    // Line emulation, off by default. With a line rate (baud, 8N1: ten bits
    // a byte) a request counts as received only once its bytes have taken
    // their line time, and a reply goes out a byte at a time at that rate.
    // The latency delays each reply after its request (milliseconds).
    void setLineRate(int baud) { m_baud = baud > 0 ? baud : 0; }
    int lineRate() const { return m_baud; }
    void setLatency(int ms) { m_latencyMs = ms > 0 ? ms : 0; }
    int latency() const { return m_latencyMs; }

    // Faults (see radiofault.h). Setting faults also revives a radio that
    // stopped answering and restarts the garbage generator.
    void setFaults(const QList<RadioFault> &faults);
    bool setFaults(const QString &text, QString *error = nullptr);
    void clearFaults() { setFaults(QList<RadioFault>()); }
    QList<RadioFault> faults() const { return m_faults; }

    // Hands bytes to the request parser as if they had just arrived on the
    // line, without a pseudo-terminal: for tests and fuzzing of the parser.
    // Replies enter the transcript as usual; they reach the terminal only
    // while it is open. Line emulation, when set, still times them.
    void feed(const QByteArray &bytes) { receive(bytes); }

    bool inSession() const { return m_inSession; }
    // Bytes dropped by resynchronisation since the radio was created or
    // the transcript was cleared.
    int droppedBytes() const { return m_dropped; }

    // Bytes of an incomplete message come last; they take their place
    // before a reply once the message is complete.
    QList<Transfer> transcript() const;
    // Every byte the program sent, in order.
    QByteArray receivedBytes() const;
    // Every byte the radio sent, in order.
    QByteArray sentBytes() const;
    void clearTranscript();

signals:
    void sessionStarted();
    // A block read was answered (also with a short or garbage reply).
    void blockRead(quint16 address);
    // A block write was stored.
    void blockWritten(quint16 address);
    void sessionEnded();

private:
    void onReadable();
    void onWritable();
    void onRxTimer();
    void onTxTimer();
    void receive(const QByteArray &bytes);
    void parse();
    void consume(int count);
    void handshake();
    void acknowledge();
    void readBlock(quint16 address);
    void writeBlock(quint16 address, const QByteArray &data);
    void endSession();
    // The fault of that kind for a request at address; without an address
    // only a fault that concerns every request counts.
    const RadioFault *fault(RadioFault::Kind kind, int address = -1) const;
    bool stopsAt(quint16 address);
    QByteArray garble(const QByteArray &reply);
    void send(const QByteArray &reply);
    void transmit(const QByteArray &bytes);
    void flushOut();
    void record(Transfer::Direction direction, const QByteArray &bytes);
    qint64 byteTimeNs() const;
    static void armTimer(LineTimer &timer, qint64 dueNs, qint64 nowNs);

    int m_master = -1;
    int m_slave = -1;
    QString m_portName;
    QSocketNotifier *m_readNotifier = nullptr;
    QSocketNotifier *m_writeNotifier = nullptr;

    QByteArray m_memory;
    QByteArray m_pending;
    // How many bytes at the start of m_pending are already in the transcript
    // (or were cleared from it); the rest is shown after it until parsed.
    int m_recorded = 0;
    bool m_inSession = false;
    bool m_stopped = false;
    int m_dropped = 0;
    QList<RadioFault> m_faults;
    QRandomGenerator m_random;

    int m_baud = 0;
    int m_latencyMs = 0;
    QElapsedTimer m_clock;
    std::deque<std::pair<qint64, char>> m_rxQueue;
    std::deque<std::pair<qint64, char>> m_txQueue;
    qint64 m_rxLineFreeAt = 0;
    // While line-emulated bytes are handed on: when the byte ended on the
    // line; -1 otherwise.
    qint64 m_rxEndedAt = -1;
    qint64 m_txLineFreeAt = 0;
    LineTimer m_rxTimer;
    LineTimer m_txTimer;
    QByteArray m_out;

    QList<Transfer> m_transcript;
};
