#include "editor/confirmationdialog.h"

#include "ui_confirmationdialog.h"

#include <QCloseEvent>
#include <QScreen>

namespace {

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
                          Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint),
      m_ui(std::make_unique<Ui::ConfirmationDialog>())
{
    m_ui->setupUi(this);
    setAttribute(Qt::WA_QuitOnClose, false);
    m_formSize = size();
    m_formText = m_ui->messageLabel->geometry();
    m_formOk = m_ui->okButton->pos();
    m_formCancel = m_ui->cancelButton->pos();
    connect(m_ui->okButton, &QPushButton::clicked, this, &ConfirmationDialog::confirm);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &ConfirmationDialog::close);
}

ConfirmationDialog::~ConfirmationDialog() = default;

QLabel *ConfirmationDialog::messageLabel() const
{
    return m_ui->messageLabel;
}

QPushButton *ConfirmationDialog::okButton() const
{
    return m_ui->okButton;
}

QPushButton *ConfirmationDialog::cancelButton() const
{
    return m_ui->cancelButton;
}

void ConfirmationDialog::showMessage(const QString &caption, const QString &text, int action)
{
    setWindowTitle(caption);
    m_ui->messageLabel->setText(text);
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
    // A text that fits the form keeps it; a longer one (a message with the
    // system's reason, a list of problems) widens the dialog, then makes it
    // taller, so that no line is cut off.
    QLabel *message = m_ui->messageLabel;
    int width = m_formText.width();
    message->setAlignment(Qt::AlignCenter);
    int height = message->heightForWidth(width);
    if (height > m_formText.height()) {
        // Several lines (a message and its reason, a list) read best from a
        // common left edge.
        width = WidestText;
        message->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        height = qMin(message->heightForWidth(width), TallestText);
    }
    height = qMax(height, m_formText.height());
    const int grow = width - m_formText.width();
    const int drop = height - m_formText.height();
    const QSize size(m_formSize.width() + grow, m_formSize.height() + drop);
    message->setGeometry(m_formText.x(), m_formText.y(), width, height);
    m_ui->okButton->move(m_formOk + QPoint(grow / 2, drop));
    m_ui->cancelButton->move(m_formCancel + QPoint(grow / 2, drop));
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
    setStaysOnTop(m_programmingDialog, true);
}
