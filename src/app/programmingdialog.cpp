#include "app/programmingdialog.h"

#include "app/extrafilecommands.h"
#include "app/windowtexts.h"
#include "editor/confirmationdialog.h"
#include "i18n/messageslots.h"
#include "radio/programmingrun.h"
#include "radio/readbackverify.h"
#include "radio/seriallink.h"
#include "storage/backups.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

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
        texts << QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0'));
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
                          Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("programmingDialog"));
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("QB-380"));
    setFixedSize(356, 194);

    m_gauge = new QProgressBar(this);
    m_gauge->setObjectName(QStringLiteral("gauge"));
    m_gauge->setGeometry(16, 29, 297, 20);
    m_gauge->setTextVisible(false);
    m_gauge->setRange(0, 100);
    m_gauge->setValue(0);

    m_buttonPanel = new QFrame(this);
    m_buttonPanel->setObjectName(QStringLiteral("buttonPanel"));
    m_buttonPanel->setFrameShape(QFrame::StyledPanel);
    m_buttonPanel->setFrameShadow(QFrame::Raised);
    m_buttonPanel->setGeometry(16, 64, 297, 57);

    m_start = new QPushButton(QStringLiteral("开始"), m_buttonPanel);
    m_start->setObjectName(QStringLiteral("startButton"));
    m_start->setGeometry(48, 16, 57, 25);
    m_start->setDefault(true);
    connect(m_start, &QPushButton::clicked, this, &ProgrammingDialog::startRun);

    m_close = new QPushButton(QStringLiteral("关闭"), m_buttonPanel);
    m_close->setObjectName(QStringLiteral("closeButton"));
    m_close->setGeometry(192, 16, 57, 25);
    m_close->setAutoDefault(false);
    connect(m_close, &QPushButton::clicked, this, &ProgrammingDialog::close);

    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName(QStringLiteral("statusBar"));
    m_statusBar->setSizeGripEnabled(false);
    m_statusBar->setGeometry(0, height() - 21, width(), 21);
    m_statusPanel = new QLabel(QStringLiteral("Dravik"), m_statusBar);
    m_statusPanel->setObjectName(QStringLiteral("statusPanel"));
    m_statusBar->addWidget(m_statusPanel, 1);
}

void ProgrammingDialog::setRadio(SerialLink *link, ProgrammingRun *run, const RadioData *data)
{
    m_link = link;
    m_data = data;
    if (m_run)
        disconnect(m_run, nullptr, m_gauge, nullptr);
    m_run = run;
    if (m_run)
        connect(m_run, &ProgrammingRun::progress, m_gauge, &QProgressBar::setValue);
}

void ProgrammingDialog::setMessageDialog(ConfirmationDialog *message)
{
    m_message = message;
}

bool ProgrammingDialog::openFor(int mode, const QString &caption)
{
    if (!m_link || (mode != ModeRead && mode != ModeWrite))
        return false;
    if (!m_link->setPortOpen(true))
        return false;
    // Without a language library there is no caption: the built-in texts
    // stay rather than a blank button.
    if (!caption.isEmpty()) {
        setWindowTitle(caption);
        m_start->setText(caption);
    }
    m_mode = mode;
    // The gauge starts from 0 only here: a second run in the same dialog
    // starts from the last value shown.
    m_gauge->setRange(0, ProgrammingRun::gaugeMaximum(ProgrammingRun::Mode(mode)));
    m_gauge->setValue(0);
    m_statusBar->clearMessage();
    m_statusBar->setToolTip(QString());
    show();
    activateWindow();
    return true;
}

void ProgrammingDialog::startRun()
{
    if (!m_run || !m_start->isEnabled() || (m_mode != ModeRead && m_mode != ModeWrite))
        return;
    // The disabled start button marks the run: no close, no second start.
    m_start->setEnabled(false);
    m_statusBar->clearMessage();
    m_statusBar->setToolTip(QString());
    // A read-back leaves the gauge on the read's scale; the value shown
    // stays where it is.
    const int maximum = ProgrammingRun::gaugeMaximum(ProgrammingRun::Mode(m_mode));
    if (m_gauge->maximum() != maximum)
        m_gauge->setMaximum(maximum);
    const ProgrammingResult result = m_run->run(ProgrammingRun::Mode(m_mode));

    QString backupWarning;
    // Every channel came through: the memory is worth keeping, even when a
    // later step did not.
    if (m_mode == ModeRead && result.outcome == ProgrammingResult::Outcome::Done)
        backupWarning = keepBackup();
    std::optional<VerifyReport> verify;
    if (m_mode == ModeWrite && result.LinkOk && m_verifyAfterWriting && m_data && m_link)
        verify = verifyWrite();

    m_start->setEnabled(true);
    m_lastRunSucceeded = result.complete() && (!verify || verify->ok());
    report(result, backupWarning, verify);
    if (verify)
        emit verifyFinished(*verify);
    emit runFinished(result);
}

QString ProgrammingDialog::keepBackup()
{
    const Backups::BackupResult backup = Backups::save(m_run->image());
    if (!backup.ok) {
        const QString warning =
            withArgument(ownText(m_messages, &MessageSlots::noBackupText, 210), backup.message);
        m_statusBar->showMessage(warning);
        return warning;
    }
    m_statusBar->showMessage(withArgument(ownText(m_messages, &MessageSlots::backupText, 209),
                                          QFileInfo(backup.path).fileName()));
    m_statusBar->setToolTip(QDir::toNativeSeparators(backup.path));
    return {};
}

VerifyReport ProgrammingDialog::verifyWrite()
{
    const QString caption = windowTitle();
    const QString verifying = ownText(m_messages, &MessageSlots::verifyingText, 205);
    setWindowTitle(verifying);
    m_statusBar->showMessage(verifying);
    m_gauge->setRange(0, ProgrammingRun::ReadGaugeMaximum);
    m_gauge->setValue(0);
    ReadBackVerify readBack(*m_link);
    connect(&readBack, &ReadBackVerify::progress, m_gauge, &QProgressBar::setValue);
    const VerifyReport verify = readBack.run(*m_data);
    setWindowTitle(caption);
    if (verify.ok())
        m_statusBar->showMessage(ownText(m_messages, &MessageSlots::verifiedText, 206));
    else
        m_statusBar->clearMessage();
    return verify;
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
    if (!result.LinkOk) {
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

void ProgrammingDialog::showFailure(const QStringList &lines, const QString &caption)
{
    if (!m_message)
        return;
    QStringList shown = lines;
    shown.removeAll(QString());
    if (m_mainWindow)
        m_mainWindow->setEnabled(false);
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
        m_start->setFocus();
}

void ProgrammingDialog::closeEvent(QCloseEvent *event)
{
    if (!m_start->isEnabled()) {
        event->ignore();
        return;
    }
    event->accept();
    if (m_link)
        m_link->setPortOpen(false);
    // A failure message still shown keeps the main window disabled; it
    // enables it when it closes.
    const bool messageOpen = m_message && m_message->isVisible();
    if (m_mainWindow && !messageOpen)
        m_mainWindow->setEnabled(true);
}
