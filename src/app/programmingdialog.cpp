#include "app/programmingdialog.h"

#include "ui_programmingdialog.h"

#include "app/extrafilecommands.h"
#include "app/windowtexts.h"
#include "editor/confirmationdialog.h"
#include "i18n/messageslots.h"
#include "model/channel.h"
#include "radio/seriallink.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

#include <utility>

namespace {

// A refused write lists at most this many problems; a table full of them
// would not fit on the screen.
constexpr int ShownProblems = 10;
// The same for the channels a read could not show.
constexpr int ShownChannels = 20;
// And for the differences a read-back found.
constexpr int ShownDifferences = 12;

QString channelNumbers(const QList<int> &channels)
{
    QStringList texts;
    for (int n : channels.mid(0, ShownChannels))
        texts << channelLabel(n);
    if (channels.size() > ShownChannels)
        texts << QStringLiteral("…");
    return texts.join(QStringLiteral(", "));
}

QString unreadableLine(const QList<int> &channels)
{
    return (channels.size() == 1
                ? QStringLiteral(
                      "1 channel holds values that cannot be shown and was left empty: %1.")
                : QStringLiteral("%1 channels hold values that cannot be shown and were left "
                                 "empty: %2.")
                      .arg(channels.size()))
        .arg(channelNumbers(channels));
}

QString ownText(const MessageSlots *messages, QString MessageSlots::*slot, int number)
{
    return textOr(messages ? messages->*slot : QString(), number);
}

} // namespace

ProgrammingDialog::ProgrammingDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint),
      m_ui(std::make_unique<Ui::ProgrammingDialog>())
{
    m_ui->setupUi(this);
    setAttribute(Qt::WA_QuitOnClose, false);
    // A form places widgets in a status bar but cannot add them to it.
    m_ui->statusBar->addWidget(m_ui->statusPanel, 1);
    connect(m_ui->startButton, &QPushButton::clicked, this, &ProgrammingDialog::startRun);
    connect(m_ui->closeButton, &QPushButton::clicked, this, &ProgrammingDialog::close);
}

ProgrammingDialog::~ProgrammingDialog() = default;

QProgressBar *ProgrammingDialog::gauge() const
{
    return m_ui->gauge;
}

QPushButton *ProgrammingDialog::startButton() const
{
    return m_ui->startButton;
}

QPushButton *ProgrammingDialog::closeButton() const
{
    return m_ui->closeButton;
}

QLabel *ProgrammingDialog::statusPanel() const
{
    return m_ui->statusPanel;
}

QStatusBar *ProgrammingDialog::statusBar() const
{
    return m_ui->statusBar;
}

void ProgrammingDialog::setTransfer(RadioTransfer *transfer)
{
    if (m_transfer)
        disconnect(m_transfer, nullptr, this, nullptr);
    m_transfer = transfer;
    m_link = m_transfer ? &m_transfer->programmingRun().link() : nullptr;
    if (m_transfer) {
        connect(m_transfer, &RadioTransfer::phaseChanged, this, &ProgrammingDialog::showPhase);
        connect(m_transfer, &RadioTransfer::progress, m_ui->gauge, &QProgressBar::setValue);
    }
}

void ProgrammingDialog::setMessageDialog(ConfirmationDialog *message)
{
    m_message = message;
}

bool ProgrammingDialog::openFor(TransferMode mode, const QString &caption)
{
    if (!m_link)
        return false;
    if (!m_link->setPortOpen(true))
        return false;
    // Without a language library there is no caption: the built-in texts
    // stay rather than a blank button.
    if (!caption.isEmpty()) {
        setWindowTitle(caption);
        m_ui->startButton->setText(caption);
    }
    m_mode = mode;
    // The gauge starts from 0 only here: a second run in the same dialog
    // starts from the last value shown.
    m_ui->gauge->setRange(0, ProgrammingRun::gaugeMaximum(mode));
    m_ui->gauge->setValue(0);
    m_ui->statusBar->clearMessage();
    m_ui->statusBar->setToolTip(QString());
    show();
    activateWindow();
    return true;
}

void ProgrammingDialog::startRun()
{
    if (!m_transfer || !m_ui->startButton->isEnabled() || !m_mode)
        return;
    // The disabled start button marks the run: no close, no second start.
    m_ui->startButton->setEnabled(false);
    m_ui->statusBar->clearMessage();
    m_ui->statusBar->setToolTip(QString());
    TransferOptions options;
    if (m_verifyAfterWriting)
        options.readBack = TransferOptions::ReadBack::AfterWriteWentThrough;
    options.backupFirst = m_backupBeforeWriting && *m_mode == TransferMode::Write;
    const TransferResult result = m_transfer->perform(*m_mode, options);
    if (std::exchange(m_backingUp, false))
        setWindowTitle(m_caption);

    const QString backupWarning = result.backup ? showBackup(*result.backup) : QString();
    if (result.verify)
        endVerifying(*result.verify);

    m_ui->startButton->setEnabled(true);
    m_lastRunSucceeded = result.succeeded();
    if (result.run.outcome == ProgrammingResult::Outcome::BackupFailed)
        reportBackupFailed(result, backupWarning);
    else
        report(result.run, backupWarning, result.verify);
    if (result.verify)
        emit verifyFinished(*result.verify);
    emit runFinished(result.run);
}

void ProgrammingDialog::showPhase(RadioTransfer::Phase phase, int gaugeMaximum)
{
    switch (phase) {
    case RadioTransfer::Phase::Reading:
    case RadioTransfer::Phase::Writing:
        // The write after its backup starts from 0 under its own caption.
        if (std::exchange(m_backingUp, false)) {
            setWindowTitle(m_caption);
            m_ui->statusBar->clearMessage();
            m_ui->gauge->setRange(0, gaugeMaximum);
            m_ui->gauge->setValue(0);
            break;
        }
        // A read-back leaves the gauge on the read's scale; the value shown
        // stays where it is.
        if (m_ui->gauge->maximum() != gaugeMaximum)
            m_ui->gauge->setMaximum(gaugeMaximum);
        break;
    case RadioTransfer::Phase::BackingUp: {
        m_backingUp = true;
        m_caption = windowTitle();
        const QString backingUp = ownText(m_messages, &MessageSlots::backingUpText, 276);
        setWindowTitle(backingUp);
        m_ui->statusBar->showMessage(backingUp);
        m_ui->gauge->setRange(0, gaugeMaximum);
        m_ui->gauge->setValue(0);
        break;
    }
    case RadioTransfer::Phase::KeepingBackup:
        break;
    case RadioTransfer::Phase::Verifying: {
        m_caption = windowTitle();
        const QString verifying = ownText(m_messages, &MessageSlots::verifyingText, 205);
        setWindowTitle(verifying);
        m_ui->statusBar->showMessage(verifying);
        m_ui->gauge->setRange(0, gaugeMaximum);
        m_ui->gauge->setValue(0);
        break;
    }
    }
}

QString ProgrammingDialog::showBackup(const Backups::BackupResult &backup)
{
    if (!backup.ok) {
        const QString warning =
            withArgument(ownText(m_messages, &MessageSlots::noBackupText, 210), backup.message);
        m_ui->statusBar->showMessage(warning);
        return warning;
    }
    m_ui->statusBar->showMessage(withArgument(ownText(m_messages, &MessageSlots::backupText, 209),
                                              QFileInfo(backup.path).fileName()));
    m_ui->statusBar->setToolTip(QDir::toNativeSeparators(backup.path));
    return {};
}

void ProgrammingDialog::endVerifying(const VerifyReport &verify)
{
    setWindowTitle(m_caption);
    if (verify.ok())
        m_ui->statusBar->showMessage(ownText(m_messages, &MessageSlots::verifiedText, 206));
    else
        m_ui->statusBar->clearMessage();
}

void ProgrammingDialog::report(const ProgrammingResult &result, const QString &backupWarning,
                               const std::optional<VerifyReport> &verify)
{
    QStringList notes;
    if (!result.unreadableChannels.isEmpty())
        notes << unreadableLine(result.unreadableChannels);
    if (!backupWarning.isEmpty())
        notes << backupWarning;
    switch (result.outcome) {
    case ProgrammingResult::Outcome::Busy:
        return;
    case ProgrammingResult::Outcome::Refused: {
        QStringList lines{QStringLiteral("These values cannot be stored in the radio; nothing "
                                         "was sent:")};
        lines += result.problems.mid(0, ShownProblems);
        if (result.problems.size() > ShownProblems)
            lines << QStringLiteral("… and %1 more.").arg(result.problems.size() - ShownProblems);
        showFailure(lines);
        return;
    }
    default:
        break;
    }
    // A read-back shows what it found, whatever step was skipped.
    if (!result.linkOk) {
        showFailure(
            QStringList{m_messages ? m_messages->linkFailedText : QString(), result.message} +
            notes);
    } else if (verify && !verify->ok()) {
        QStringList lines;
        if (verify->outcome == VerifyReport::Outcome::ReadFailed) {
            lines << ownText(m_messages, &MessageSlots::verifyFailedText, 208)
                  << verify->readResult.message;
        } else {
            lines << ownText(m_messages, &MessageSlots::verifyDiffersText, 207);
            lines += verify->differences.mid(0, ShownDifferences);
            if (verify->differences.size() > ShownDifferences)
                lines << QStringLiteral("… and %1 more.")
                             .arg(verify->differences.size() - ShownDifferences);
        }
        showFailure(lines);
    } else if (!result.complete() || !notes.isEmpty()) {
        // The channels went through, but a step after them may not have: an
        // unanswered settings block can even leave the gauge full, so the
        // user is told what was left undone. Channels that could not be
        // shown are an error; a skipped step or a missing backup a warning.
        QStringList lines = notes;
        if (!result.complete())
            lines.prepend(result.message);
        showFailure(lines, result.unreadableChannels.isEmpty()
                               ? ownText(m_messages, &MessageSlots::warningTitle, 216)
                               : QString());
    }
}

void ProgrammingDialog::reportBackupFailed(const TransferResult &result,
                                           const QString &backupWarning)
{
    QStringList lines;
    if (result.backupRead && result.backupRead->outcome != ProgrammingResult::Outcome::Done)
        lines << (result.backupRead->linkOk ? QString()
                  : m_messages              ? m_messages->linkFailedText
                                            : QString())
              << result.backupRead->message;
    else
        lines << backupWarning;
    lines << ownText(m_messages, &MessageSlots::nothingWrittenText, 277);
    showFailure(lines);
}

void ProgrammingDialog::showFailure(const QStringList &lines, const QString &caption)
{
    if (!m_message)
        return;
    QStringList shown = lines;
    shown.removeAll(QString());
    const QString title = !caption.isEmpty() ? caption
                          : m_messages       ? m_messages->errorTitle
                                             : QString();
    m_message->showMessage(title, shown.join(QLatin1Char('\n')), ConfirmationDialog::ActionNone);
}

void ProgrammingDialog::reject()
{
    // Escape asks to close like the close button, under the same rule.
    close();
}

void ProgrammingDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        m_ui->startButton->setFocus();
}

void ProgrammingDialog::closeEvent(QCloseEvent *event)
{
    if (!m_ui->startButton->isEnabled()) {
        event->ignore();
        return;
    }
    event->accept();
    if (m_link)
        m_link->setPortOpen(false);
}
