#pragma once

#include "radio/radiotransfer.h"

#include <QDialog>
#include <QPointer>

#include <memory>
#include <optional>

class ConfirmationDialog;
class QLabel;
class QProgressBar;
class QPushButton;
class QStatusBar;
class SerialLink;
struct MessageSlots;

namespace Ui {
class ProgrammingDialog;
}

// The programming dialog (programmingdialog.ui): a gauge, a start and a
// close button. A read or a write command opens it in its mode
// (TransferMode) with the serial port open; the start button runs one
// transfer with the radio, and the gauge follows it. It stays on top of the
// other windows.
//
// It cannot be closed while a run is in progress, which is exactly while the
// start button is disabled: the close button, Escape and every close request
// from the window system (the frame's menu, Alt+F4) are refused. Qt offers
// no portable way to ignore a press on the window frame itself, so the frame
// still lets the window be moved during a run; a move does not disturb the
// run, whose waits keep serving the window. Closing the dialog closes the
// port. The main window is kept disabled while the dialog is shown
// (DialogLock).
//
// The transfer (RadioTransfer) does the work; the dialog shows it:
// - the backup every read whose channels all came through keeps: the status
//   bar names the file (its tool tip the whole path). A backup that cannot
//   be written is a warning and does not fail the read.
// - with "Verify after writing", a write that went through (linkOk) is read
//   back and compared with what was written. Meanwhile the caption and the
//   status bar say so and the gauge follows the read from 0 to
//   ProgrammingRun::ReadGaugeMaximum; afterwards the caption is the
//   write's again. Differences (or a read-back that did not go through) are
//   shown through the confirmation dialog, and the run counts as failed; a
//   verified write only says so in the status bar.
// - with "Back up the radio before writing", a write first reads the radio
//   into a backup; meanwhile the caption and the status bar say so and the
//   gauge follows the read. The write goes on only once the backup is kept;
//   otherwise the confirmation dialog says why nothing was written.
// The status bar's own text (the language's) stays underneath: these are
// temporary messages, cleared when the dialog opens or a run starts.
class ProgrammingDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ProgrammingDialog(QWidget *parent = nullptr);
    ~ProgrammingDialog() override;

    // The transfer the start button performs; the dialog holds the port of
    // its run's link open while shown.
    void setTransfer(RadioTransfer *transfer);
    void setVerifyAfterWriting(bool verify) { m_verifyAfterWriting = verify; }
    bool verifyAfterWriting() const { return m_verifyAfterWriting; }
    void setBackupBeforeWriting(bool backup) { m_backupBeforeWriting = backup; }
    bool backupBeforeWriting() const { return m_backupBeforeWriting; }
    // Where failures are shown, and the texts of the last language load.
    void setMessageDialog(ConfirmationDialog *message);
    void setMessages(const MessageSlots *messages) { m_messages = messages; }

    // Opens the port and then shows the dialog in `mode` with `caption` on
    // the window and the start button, the gauge at 0 of the mode's maximum.
    // Returns false, showing nothing, when the port cannot be opened; the
    // link's errorString() says why.
    bool openFor(TransferMode mode, const QString &caption);

    // The mode of the last openFor(); none before.
    std::optional<TransferMode> mode() const { return m_mode; }

    QProgressBar *gauge() const;
    QPushButton *startButton() const;
    QPushButton *closeButton() const;
    QLabel *statusPanel() const;
    QStatusBar *statusBar() const;

    // The last run was complete and, when it was read back, verified.
    bool lastRunSucceeded() const { return m_lastRunSucceeded; }

public slots:
    // The start button: one run in the dialog's mode.
    void startRun();
    void reject() override;

signals:
    // A run started by the start button has ended; emitted after the
    // failure message, if any, is shown. A write that was read back emits
    // verifyFinished() first.
    void verifyFinished(const VerifyReport &report);
    void runFinished(const ProgrammingResult &result);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void showPhase(RadioTransfer::Phase phase, int gaugeMaximum);
    // Names the backup in the status bar; returns the warning to show when
    // none could be kept.
    QString showBackup(const Backups::BackupResult &backup);
    // The caption of the write again, and what the read-back found.
    void endVerifying(const VerifyReport &verify);
    // Shows what the user has to know about a run that ended: its failure,
    // the problems of a refused write, the channels a read could not show,
    // a backup that could not be kept, what a read-back found.
    void report(const ProgrammingResult &result, const QString &backupWarning,
                const std::optional<VerifyReport> &verify);
    // Why a write that was to be backed up first was not begun.
    void reportBackupFailed(const TransferResult &result, const QString &backupWarning);
    void showFailure(const QStringList &lines, const QString &caption = {});

    std::unique_ptr<Ui::ProgrammingDialog> m_ui;
    QPointer<ConfirmationDialog> m_message;
    RadioTransfer *m_transfer = nullptr;
    SerialLink *m_link = nullptr;
    // The caption a read-back covers.
    QString m_caption;
    const MessageSlots *m_messages = nullptr;
    std::optional<TransferMode> m_mode;
    bool m_verifyAfterWriting = false;
    bool m_backupBeforeWriting = false;
    // The backup before a write is being read: the write's phase puts the
    // caption and the gauge back.
    bool m_backingUp = false;
    bool m_lastRunSucceeded = false;
};
