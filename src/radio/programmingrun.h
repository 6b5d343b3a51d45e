#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class SerialLink;
struct RadioData;

// Which way a programming run moves the data: from the radio into the
// editor's data, or from the editor's data into the radio.
enum class TransferMode { Read, Write };

// What one programming run came to.
struct ProgrammingResult
{
    enum class Outcome {
        // The run went through (linkOk); complete() tells whether every step
        // after the channels was done as well.
        Done,
        // A write whose data cannot be stored: nothing was sent (problems).
        Refused,
        // Another run was in progress; this one did not start.
        Busy,
        // The port was not open when the run was started; nothing was sent.
        PortClosed,
        // No valid identification reply in any of the six attempts.
        NoIdentification,
        // The radio stopped answering or answered something other than an
        // acknowledgement inside the channel loop (or before the settings
        // block of a write).
        CheckFailed,
        // A block read was answered with fewer than 12 bytes.
        ShortReply,
        // The serial line failed or the port was closed during the run.
        LinkLost,
        // Not a run's own outcome: a write that was to be backed up first
        // (RadioTransfer) was not begun, because the radio could not be read
        // or its backup not written.
        BackupFailed,
    };

    TransferMode mode = TransferMode::Read;
    Outcome outcome = Outcome::Busy;
    // The handshake succeeded and no check failed afterwards.
    bool linkOk = false;
    // One English line saying what went wrong; empty when the run was
    // complete.
    QString message;
    // Pre-flight problems of a refused write, one line each.
    QStringList problems;
    // Handshake attempts made (1-6).
    int attempts = 0;
    // The channel (1-199) whose exchange ended the run; 0 otherwise.
    int channel = 0;
    // Channels whose blocks held values that cannot be shown (a frequency
    // with hex digits A-E, say): read, but left empty in the table.
    QList<int> unreadableChannels;
    // The identification block read right after the handshake came back
    // (12 bytes or more) and is in the image.
    bool identRead = false;
    // Read: the settings block was read and decoded. Write: the radio
    // acknowledged the settings block.
    bool settingsDone = false;
    // Write only: the radio acknowledged band one's edges, band two's edges,
    // the identification block.
    bool bandOneDone = false;
    bool bandTwoDone = false;
    bool identDone = false;
    // The end command went out.
    bool endSent = false;
    // The step counter at the end, and the last gauge value reported.
    int step = 0;
    int gauge = 0;

    // linkOk and nothing skipped after the channels: every block read or
    // acknowledged and the end command sent.
    bool complete() const;
};

// One read or write run with the radio over an open SerialLink, on the data
// of the editor (RadioData).
//
// The run is synchronous and runs on the thread of the link: its waits pump
// events (SerialLink::waitForReceive), so windows stay responsive and receive
// events arrive inside them. It knows no dialog: it reports the gauge value
// through progress() and its outcome through finished() and its return
// value; the caller shows what it likes.
//
// The exchange, every request sent with setRequestHex() + sendRequest() and every wait
// ending at the reply or its time:
//
//   handshake, up to 6 attempts: 0x02, wait 5 ms, threshold 8, "DRAvik",
//     wait 250 ms for 0x06 0x20 "torven" (any other reply is no reply)
//   acknowledgement 0x06, wait 250 ms; if the radio answered 0x06: read the
//     identification block 0x0C90 (kept in the image, otherwise unused)
//   acknowledgement 0x06, wait 250 ms
//   read:  per channel n 1-199, at 0x10 n and 0x10 n + 8:
//            "52 hi lo 08", 12-byte reply; 0x06 answered 0x06
//          then the settings block 0x0C80, an acknowledgement and the end
//   write: per channel n, two "57 hi lo 08 d0..d7", each answered 0x06;
//          then the settings block 0x0C80, the band edges 0x0CA0 and 0x0CA8,
//          the identification block 0x0C90, the end "64 6F"
//
// The byte check looks at the first byte of the most recent reply, however
// old; the fresh check also needs a reply since the last clear. A failed
// check in the channel loop ends the run (linkOk false): the rows before
// channel n hold the radio's data, row n is empty once its first block was
// requested, later rows and the settings are untouched. After the loop a
// failed check only skips its step, except before the settings write.
//
// A read fills each row with the channel's values as the table shows them
// (ChannelTable::setChannel: the texts of its language, the built-in ones
// where none is loaded); a write stores each row as ChannelTable::channel()
// reads it.
//
// Beyond that, the run
// - refuses a write whose data preflightCheck() rejects, before any byte;
// - ends as failed on a block reply shorter than 12 bytes, or none, before
//   decoding anything from it (a short settings reply only skips the
//   settings);
// - ends as failed as soon as the line is lost or the port closed;
// - refuses to start while it is running.
class ProgrammingRun : public QObject
{
    Q_OBJECT

public:
    // The gauge runs from 0 to these; the last step of a successful run
    // sets it to its maximum.
    static constexpr int ReadGaugeMaximum = 203;
    static constexpr int WriteGaugeMaximum = 206;
    static constexpr int gaugeMaximum(TransferMode mode)
    {
        return mode == TransferMode::Write ? WriteGaugeMaximum : ReadGaugeMaximum;
    }

    static constexpr int HandshakeAttempts = 6;
    // Waits in milliseconds: after the start byte (no reply expected), for a
    // reply, and after the end command (no reply expected).
    static constexpr int StartByteWait = 5;
    static constexpr int ReplyWait = 250;
    static constexpr int EndCommandWait = 50;

    static constexpr int ImageSize = 0x10000;

    ProgrammingRun(SerialLink &link, RadioData &data, QObject *parent = nullptr);
    ~ProgrammingRun() override;

    // Performs one run on the open port and returns when it has ended. A
    // call while a run is in progress (from an event handled inside one of
    // its waits) returns Outcome::Busy at once and changes nothing.
    ProgrammingResult run(TransferMode mode);

    // Asks whether the radio is there, without reading or writing anything:
    // the handshake of a run (up to six attempts, about 1.5 s without an
    // answer) and, when the radio identified itself, the end command right
    // after it, which leaves the radio ready for the next run. The result is
    // a read's, Outcome::Done with linkOk and endSent when the radio
    // answered, NoIdentification (or PortClosed, LinkLost, Busy) when not.
    // The data, the gauge, the step counter, linkOk() and result() are left
    // as the last run left them, and finished() is not sent.
    ProgrammingResult identify();

    // The link the run talks over and the data it reads into or writes.
    SerialLink &link() const { return m_link; }
    RadioData &data() const { return m_data; }

    bool isRunning() const { return m_running; }
    // True from a successful handshake until a check ends the run.
    bool linkOk() const { return m_linkOk; }
    // The step counter of the current or last run (0-203).
    int step() const { return m_step; }
    // The result of the last run that started.
    ProgrammingResult result() const { return m_result; }

    // The radio memory seen by the last run, 64 KiB, 0xFF wherever nothing
    // was read or written: the identification block read at the start of
    // either run, the 8 data bytes of every block reply a read run used
    // (channels, settings block), and every block a write run sent that the
    // radio acknowledged with 0x06 right away.
    QByteArray image() const { return m_image; }

signals:
    // The gauge value: the step counter after each step, the maximum at the
    // end of a successful run. Not sent when a run starts (the gauge keeps
    // the last value shown).
    void progress(int value);
    // The run has ended (not sent for a Busy refusal).
    void finished(const ProgrammingResult &result);

private:
    struct Abort
    {
        ProgrammingResult::Outcome outcome;
        QString message;
    };

    void perform(TransferMode mode);
    void handshake();
    void openLink();
    void readRun();
    void writeRun();

    void send(const QString &hex);
    void sendAck();
    void expect(int bytes);
    void wait(int milliseconds);
    void clear();
    bool byteCheck() const;
    bool freshCheck() const;
    void advance();
    void setGaugeToMaximum(TransferMode mode);

    // The current reply as a block reply (12 bytes or more) if one arrived
    // since the last clear; throws ShortReply or CheckFailed otherwise.
    QByteArray blockReply(int channel, const QString &what);
    void keep(int address, const QByteArray &reply);
    void keepWritten(int address, const QString &dataHex);
    [[noreturn]] void fail(ProgrammingResult::Outcome outcome, const QString &message);

    SerialLink &m_link;
    RadioData &m_data;
    bool m_running = false;
    bool m_linkOk = false;
    bool m_linkLost = false;
    QString m_linkLostMessage;
    int m_step = 0;
    QByteArray m_image;
    ProgrammingResult m_result;
};

Q_DECLARE_METATYPE(TransferMode)
Q_DECLARE_METATYPE(ProgrammingResult)
