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
