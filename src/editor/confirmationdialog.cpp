#include "editor/confirmationdialog.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

namespace {

// The dialog as designed, for the texts that fit it.
constexpr QSize DesignSize(334, 161);
constexpr QRect DesignText(88, 32, 225, 49);
constexpr int OkX = 72;
constexpr int CancelX = 188;
constexpr int ButtonY = 112;
// How far a longer text may widen the dialog, and how many pixels of text
// it may take in height.
constexpr int WidestText = 425;
constexpr int TallestText = 480;

} // namespace

void setStaysOnTop(QWidget *window, bool onTop)
{
    if (!window || window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop)
        return;
    const bool shown = window->isVisible();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (shown)
        window->show();
}

ConfirmationDialog::ConfirmationDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("confirmationDialog"));
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("警告"));
    setFixedSize(334, 161);

    m_icon = new QLabel(this);
    m_icon->setObjectName(QStringLiteral("iconLabel"));
    m_icon->setGeometry(24, 32, 48, 48);
    m_icon->setAlignment(Qt::AlignCenter);
    m_icon->setPixmap(QPixmap(QStringLiteral(":/editor/warning-48.png")));

    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("messageLabel"));
    m_message->setGeometry(DesignText);
    m_message->setAlignment(Qt::AlignCenter);
    m_message->setWordWrap(true);

    m_ok = new QPushButton(QStringLiteral("确定"), this);
    m_ok->setObjectName(QStringLiteral("okButton"));
    m_ok->setGeometry(OkX, ButtonY, 75, 25);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &ConfirmationDialog::confirm);

    m_cancel = new QPushButton(QStringLiteral("取消"), this);
    m_cancel->setObjectName(QStringLiteral("cancelButton"));
    m_cancel->setGeometry(CancelX, ButtonY, 75, 25);
    connect(m_cancel, &QPushButton::clicked, this, &ConfirmationDialog::close);
}

void ConfirmationDialog::showMessage(const QString &caption, const QString &text, int action)
{
    if (m_mainWindow)
        m_mainWindow->setEnabled(false);
    setWindowTitle(caption);
    m_message->setText(text);
    fitText();
    m_pendingAction = action;
    show();
    // Showing took the programming dialog's stay-on-top style and showed it
    // again, which may have put it above this one.
    raise();
    activateWindow();
}

void ConfirmationDialog::fitText()
{
    // A text that fits the design keeps it; a longer one (a message with
    // the system's reason, a list of problems) widens the dialog, then makes
    // it taller, so that no line is cut off.
    int width = DesignText.width();
    m_message->setAlignment(Qt::AlignCenter);
    int height = m_message->heightForWidth(width);
    if (height > DesignText.height()) {
        // Several lines (a message and its reason, a list) read best from a
        // common left edge.
        width = WidestText;
        m_message->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        height = qMin(m_message->heightForWidth(width), TallestText);
    }
    height = qMax(height, DesignText.height());
    const int grow = width - DesignText.width();
    const int drop = height - DesignText.height();
    const QSize size(DesignSize.width() + grow, DesignSize.height() + drop);
    m_message->setGeometry(DesignText.x(), DesignText.y(), width, height);
    m_ok->move(OkX + grow / 2, ButtonY + drop);
    m_cancel->move(CancelX + grow / 2, ButtonY + drop);
    if (size == this->size())
        return;
    setFixedSize(size);
    if (QScreen *s = screen())
        move(s->availableGeometry().center() - rect().center());
}

void ConfirmationDialog::confirm()
{
    close();
    // The action runs with the dialog already gone and the main window
    // enabled, like any other command.
    switch (m_pendingAction) {
    case ActionNew:
        emit actionNew();
        m_pendingAction = ActionNone;
        break;
    case ActionClear:
        emit actionClear();
        m_pendingAction = ActionNone;
        break;
    default:
        break;
    }
}

void ConfirmationDialog::reject()
{
    // Escape is the same as Cancel and goes through the close rules.
    close();
}

void ConfirmationDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        setStaysOnTop(m_programmingDialog, false);
}

void ConfirmationDialog::closeEvent(QCloseEvent *event)
{
    event->accept();
    // The programming dialog, while it stays open over a failed run, keeps
    // the main window disabled until it closes itself: the table is not to
    // be edited while the port is open and a run may start again.
    const bool programmingOpen = m_programmingDialog && m_programmingDialog->isVisible();
    if (m_mainWindow && !programmingOpen)
        m_mainWindow->setEnabled(true);
    setStaysOnTop(m_programmingDialog, true);
}
