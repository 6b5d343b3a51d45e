#include "radio/radiotransfer.h"

#include "model/radiodata.h"

namespace {

bool readsBack(TransferOptions::ReadBack when, const ProgrammingResult &write)
{
    switch (when) {
    case TransferOptions::ReadBack::AfterWriteWentThrough:
        return write.linkOk;
    case TransferOptions::ReadBack::AfterCompleteWrite:
        return write.complete();
    case TransferOptions::ReadBack::Never:
        break;
    }
    return false;
}

// The scratch data of a backup's read decodes in the language of the data
// to be written, like a read into it would.
void takeTexts(RadioData &scratch, const RadioData &data)
{
    scratch.table.setValueTexts(data.table.valueTexts());
    scratch.table.setToneOffText(data.table.toneList().value(0));
}

} // namespace

RadioTransfer::RadioTransfer(ProgrammingRun &run, QObject *parent) : QObject(parent), m_run(run)
{
    connect(&m_run, &ProgrammingRun::progress, this, &RadioTransfer::progress);
}

RadioTransfer::~RadioTransfer() = default;

TransferResult RadioTransfer::perform(TransferMode mode, const TransferOptions &options)
{
    TransferResult result;
    if (m_running) {
        result.run.mode = mode;
        result.run.outcome = ProgrammingResult::Outcome::Busy;
        return result;
    }
    m_running = true;

    if (mode == TransferMode::Write && options.backupFirst && !backUpBeforeWriting(result)) {
        m_running = false;
        emit finished(result);
        return result;
    }

    emit phaseChanged(mode == TransferMode::Write ? Phase::Writing : Phase::Reading,
                      ProgrammingRun::gaugeMaximum(mode));
    result.run = m_run.run(mode);

    // Every channel came through: the memory is worth keeping, even when a
    // later step did not.
    if (mode == TransferMode::Read && result.run.outcome == ProgrammingResult::Outcome::Done &&
        options.keepBackup) {
        emit phaseChanged(Phase::KeepingBackup, 0);
        result.backup = Backups::save(m_run.image());
    }

    if (mode == TransferMode::Write && readsBack(options.readBack, result.run)) {
        emit phaseChanged(Phase::Verifying, ProgrammingRun::ReadGaugeMaximum);
        ReadBackVerify readBack(m_run.link());
        connect(&readBack, &ReadBackVerify::progress, this, &RadioTransfer::progress);
        result.verify = readBack.run(m_run.data());
    }

    m_running = false;
    if (result.run.outcome != ProgrammingResult::Outcome::Busy)
        emit finished(result);
    return result;
}

bool RadioTransfer::backUpBeforeWriting(TransferResult &result)
{
    emit phaseChanged(Phase::BackingUp, ProgrammingRun::ReadGaugeMaximum);
    RadioData scratch;
    takeTexts(scratch, m_run.data());
    ProgrammingRun read(m_run.link(), scratch);
    connect(&read, &ProgrammingRun::progress, this, &RadioTransfer::progress);
    result.backupRead = read.run(TransferMode::Read);

    result.run.mode = TransferMode::Write;
    result.run.outcome = ProgrammingResult::Outcome::BackupFailed;
    // Only a read whose channels all came through is worth keeping, as
    // after any read.
    if (result.backupRead->outcome != ProgrammingResult::Outcome::Done) {
        result.run.message = QStringLiteral("The radio could not be read for a backup: %1; "
                                            "nothing was written")
                                 .arg(result.backupRead->message);
        return false;
    }
    emit phaseChanged(Phase::KeepingBackup, 0);
    result.backup = Backups::save(read.image());
    if (!result.backup->ok) {
        result.run.message = QStringLiteral("No backup was kept: %1; nothing was written")
                                 .arg(result.backup->message);
        return false;
    }
    result.run = ProgrammingResult{};
    return true;
}
