#include "app/programmingdialog.h"

#include "editor/confirmationdialog.h"
#include "i18n/messageslots.h"
#include "radio/programmingrun.h"
#include "radio/seriallink.h"

#include <QCloseEvent>
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

} // namespace

TR_and_W::TR_and_W(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("R_and_W"));
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("QB-380"));
    setFixedSize(356, 194);

    m_gauge = new QProgressBar(this);
    m_gauge->setObjectName(QStringLiteral("bsSkinGauge1"));
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
    m_start->setObjectName(QStringLiteral("bsSkinButton1"));
    m_start->setGeometry(48, 16, 57, 25);
    m_start->setDefault(true);
    connect(m_start, &QPushButton::clicked, this, &TR_and_W::bsSkinButton1Click);

    m_close = new QPushButton(QStringLiteral("关闭"), m_buttonPanel);
    m_close->setObjectName(QStringLiteral("bsSkinButton2"));
    m_close->setGeometry(192, 16, 57, 25);
    m_close->setAutoDefault(false);
    connect(m_close, &QPushButton::clicked, this, &TR_and_W::bsSkinButton2Click);

    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName(QStringLiteral("bsSkinStatusBar1"));
    m_statusBar->setSizeGripEnabled(false);
    m_statusBar->setGeometry(0, height() - 21, width(), 21);
    m_statusPanel = new QLabel(QStringLiteral("Dravik"), m_statusBar);
    m_statusPanel->setObjectName(QStringLiteral("bsSkinStatusPanel1"));
    m_statusBar->addWidget(m_statusPanel, 1);
}

void TR_and_W::setRadio(SerialLink *link, ProgrammingRun *run)
{
    m_link = link;
    if (m_run)
        disconnect(m_run, nullptr, m_gauge, nullptr);
    m_run = run;
    if (m_run)
        connect(m_run, &ProgrammingRun::progress, m_gauge, &QProgressBar::setValue);
}

void TR_and_W::setMessageDialog(Tmessage1 *message)
{
    m_message = message;
}

bool TR_and_W::openFor(int mode, const QString &caption)
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
    m_tag = mode;
    // The gauge starts from 0 only here: a second run in the same dialog
    // starts from the last value shown.
    m_gauge->setRange(0, ProgrammingRun::gaugeMaximum(ProgrammingRun::Mode(mode)));
    m_gauge->setValue(0);
    show();
    activateWindow();
    return true;
}

void TR_and_W::bsSkinButton1Click()
{
    if (!m_run || !m_start->isEnabled() || (m_tag != ModeRead && m_tag != ModeWrite))
        return;
    // The disabled start button marks the run: no close, no second start.
    m_start->setEnabled(false);
    const ProgrammingResult result = m_run->run(ProgrammingRun::Mode(m_tag));
    m_start->setEnabled(true);
    report(result);
    emit runFinished(result);
}

void TR_and_W::report(const ProgrammingResult &result)
{
    const QStringList unreadable = result.unreadableChannels.isEmpty()
                                       ? QStringList()
                                       : QStringList{unreadableLine(result.unreadableChannels)};
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
    // A run that went through but skipped a step after the channels shows
    // nothing: the gauge stops short of its end.
    if (!result.LinkOk)
        showFailure(
            QStringList{m_messages ? m_messages->LinkFailedText : QString(), result.message} +
            unreadable);
    else if (!unreadable.isEmpty())
        showFailure(unreadable);
}

void TR_and_W::showFailure(const QStringList &lines)
{
    if (!m_message)
        return;
    QStringList shown = lines;
    shown.removeAll(QString());
    if (m_mainWindow)
        m_mainWindow->setEnabled(false);
    m_message->showMessage(m_messages ? m_messages->ErrorTitle : QString(),
                           shown.join(QLatin1Char('\n')), Tmessage1::ActionNone);
}

void TR_and_W::bsSkinButton2Click()
{
    close();
}

void TR_and_W::reject()
{
    // Escape asks to close like the close button, under the same rule.
    close();
}

void TR_and_W::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TR_and_W::closeEvent(QCloseEvent *event)
{
    if (!m_start->isEnabled()) {
        event->ignore();
        return;
    }
    event->accept();
    FormClose();
}

void TR_and_W::FormShow()
{
    m_start->setFocus();
}

void TR_and_W::FormClose()
{
    if (m_link)
        m_link->setPortOpen(false);
    // A failure message still shown keeps the main window disabled; it
    // enables it when it closes.
    const bool messageOpen = m_message && m_message->isVisible();
    if (m_mainWindow && !messageOpen)
        m_mainWindow->setEnabled(true);
}
