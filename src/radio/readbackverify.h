#pragma once

#include "radio/programmingrun.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

class SerialLink;
struct RadioData;

// Read-back verification: after a write, the radio is read again into
// scratch data (never the user's) and every block the read returns is
// compared with what the write sent.
//
// Compared are the blocks the read run reads: the 199 channel records, the
// settings block and the identification block. The band edge blocks are
// not: the radio's read sequence never reads them, and the radio is not
// known to answer reads outside it; the write run's acknowledgement of each
// is their only check.
//
// Only the bits the radio is read for count: all of a channel's first block
// and the two sub-audio fields, but only the low nibble of the flags byte
// and none of the three spare bytes; in the settings block all of byte 0,
// bits 0-5 of byte 4 and the low nibble of the others; all of the
// identification block.

// What a verification came to.
struct VerifyReport
{
    enum class Outcome {
        // The radio holds what was written.
        Verified,
        // The radio answered the read, but holds something else, or did not
        // return the settings or identification block (differences).
        Differs,
        // The read did not go through (readResult says why); nothing was
        // compared.
        ReadFailed,
    };

    Outcome outcome = Outcome::ReadFailed;
    bool ok() const { return outcome == Outcome::Verified; }
    // One English summary line.
    QString message;
    // One line per difference, channel by channel, then the settings, then
    // the identification block, e.g.
    //   "Channel 012 receive frequency: stored 438.12500, radio holds 438.12600"
    //   "Setting Squelch: stored 5, radio holds 4"
    //   "Channel 002 byte 0 (0x0020): stored FF, radio holds FE"
    // (the last form where the difference does not show in the decoded
    // values, or the radio's bytes cannot be decoded).
    QStringList differences;
    // The read run's result and the memory it returned.
    ProgrammingResult readResult;
    QByteArray readBack;
};

// The differences between what a complete write of `written` stores
// (MemoryImage::encodeImage) and the read-back image `readBack`, in the
// forms above; empty when they agree. Value texts in the lines are those of
// `written` (its language). `settingsRead` and `identRead` say whether the
// read returned those blocks; a block that was not returned is one
// difference line of its own and is not compared byte by byte.
QStringList readBackDifferences(const RadioData &written, const QByteArray &readBack,
                                bool settingsRead = true, bool identRead = true);

// Performs the read-back on an open SerialLink, on the thread of the link
// (the read run's waits pump events, like any run).
class ReadBackVerify : public QObject
{
    Q_OBJECT

public:
    explicit ReadBackVerify(SerialLink &link, QObject *parent = nullptr);
    ~ReadBackVerify() override;

    // Reads the radio into scratch data and compares it with `written`,
    // which is not changed. Call it after a write run of `written` that was
    // complete().
    VerifyReport run(const RadioData &written);

    bool isRunning() const { return m_running; }

signals:
    // The read run's gauge value (0 to ProgrammingRun::ReadGaugeMaximum).
    void progress(int value);
    void finished(const VerifyReport &report);

private:
    SerialLink &m_link;
    bool m_running = false;
};

Q_DECLARE_METATYPE(VerifyReport)
