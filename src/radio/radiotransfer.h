#pragma once

#include "radio/programmingrun.h"
#include "radio/readbackverify.h"
#include "storage/backups.h"

#include <QObject>

#include <optional>

// What a transfer does beyond its programming run.
struct TransferOptions
{
    // When a write is read back and compared with what was written.
    enum class ReadBack {
        Never,
        // After a write that went through (linkOk), also one that left a
        // step after the channels undone: what the radio holds is worth
        // showing either way.
        AfterWriteWentThrough,
        // Only after a complete() write: an incomplete write has failed
        // already, and nothing is read back.
        AfterCompleteWrite,
    };

    ReadBack readBack = ReadBack::Never;
    // Keep a backup of a read whose channels all came through.
    bool keepBackup = true;
    // Write only: read the radio into a backup first, and write only once
    // that backup is kept.
    bool backupFirst = false;
};

// What a transfer came to.
struct TransferResult
{
    // The run in the transfer's direction. A write that a failed backup
    // stopped has Outcome::BackupFailed and sent nothing after the backup's
    // read.
    ProgrammingResult run;
    // The read of a write's backup (backupFirst); none without one.
    std::optional<ProgrammingResult> backupRead;
    // The backup of a read, or the one made before a write; none when no
    // backup was attempted.
    std::optional<Backups::BackupResult> backup;
    // The read-back of a write; none when the write was not read back.
    std::optional<VerifyReport> verify;

    // The run was complete and, when it was read back, verified.
    bool succeeded() const { return run.complete() && (!verify || verify->ok()); }
};

// One transfer with the radio as both programs perform it, on the link and
// the data of a ProgrammingRun:
//
//   0. before a write, when the options ask for it (backupFirst), a read of
//      the radio into scratch data (never the data to be written), kept as a
//      backup like a read's. Unless every channel came through and the
//      backup was written, the write is not begun: the result's run has
//      Outcome::BackupFailed;
//   1. the programming run in the given direction;
//   2. after a read whose channels all came through (Outcome::Done), the
//      memory it read kept as a backup (Backups::save, the default folder)
//      unless the options say otherwise; a backup that cannot be written
//      does not fail the read;
//   3. after a write, when the options ask for it, a read-back of the radio
//      into scratch data, compared with the data written (ReadBackVerify),
//      on the same open port.
//
// It knows no window and prints nothing: it reports the phase it enters,
// the gauge value within it and the result by signals, and returns the
// result; the caller shows what it likes. Like the run, it is synchronous
// and its waits pump events.
class RadioTransfer : public QObject
{
    Q_OBJECT

public:
    enum class Phase {
        // The programming run; the gauge runs to ProgrammingRun::gaugeMaximum.
        Reading,
        Writing,
        // Keeping the backup of a read; no gauge.
        KeepingBackup,
        // The read for the backup before a write; the gauge runs to
        // ProgrammingRun::ReadGaugeMaximum. KeepingBackup follows it.
        BackingUp,
        // The read-back; the gauge runs to ProgrammingRun::ReadGaugeMaximum.
        Verifying,
    };
    Q_ENUM(Phase)

    explicit RadioTransfer(ProgrammingRun &run, QObject *parent = nullptr);
    ~RadioTransfer() override;

    ProgrammingRun &programmingRun() const { return m_run; }

    // Performs one transfer on the run's open port and returns when it has
    // ended. A call while one is in progress returns Outcome::Busy at once,
    // as the run does.
    TransferResult perform(TransferMode mode, const TransferOptions &options = {});

    bool isRunning() const { return m_running; }

signals:
    // A phase begins; gaugeMaximum is the top of its gauge, 0 for none.
    void phaseChanged(RadioTransfer::Phase phase, int gaugeMaximum);
    // The gauge value within the current phase: the backup read's, the
    // run's, then the read-back's. The run's are passed on whoever starts
    // it.
    void progress(int value);
    // The transfer has ended (not sent for a Busy refusal).
    void finished(const TransferResult &result);

private:
    // Reads the radio into scratch data and keeps what it read as a backup;
    // false, with result.run saying why, when the write must not go on.
    bool backUpBeforeWriting(TransferResult &result);

    ProgrammingRun &m_run;
    bool m_running = false;
};

Q_DECLARE_METATYPE(TransferResult)
