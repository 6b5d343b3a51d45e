#include "editor/confirmationdialog.h"

#include "ui_confirmationdialog.h"

#include <QCloseEvent>
#include <QScreen>

namespace {

// How many pixels of text the dialog may take in height.
constexpr int TallestText = 480;

// The text as the label shows it: a long path has no blank to wrap at, so a
// zero-width space after each separator lets it wrap there.
QString wrappableText(QString text)
{
    const QChar zeroWidthSpace(0x200B);
    text.replace(QLatin1Char('/'), QString(QLatin1Char('/')) + zeroWidthSpace);
    text.replace(QLatin1Char('\\'), QString(QLatin1Char('\\')) + zeroWidthSpace);
    return text;
}

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
    m_text = text;
    m_ui->messageLabel->setText(wrappableText(text));
    fitText();
    m_pendingAction = action;
    // A confirmation throws data away (or sends it to the radio) on OK: Enter
    // and Space choose Cancel unless the user moves to OK. A message only
    // closes, whichever button.
    const bool confirmation = action != ActionNone;
    QPushButton *chosen = confirmation ? m_ui->cancelButton : m_ui->okButton;
    // Showing gives the window's focus widget a focus-in, which makes that
    // button the default (an auto-default button's focus does): the chosen
    // button takes the focus before, and the default is set again after.
    chosen->setFocus(Qt::OtherFocusReason);
    show();
    // Showing took the programming dialog's stay-on-top style and showed it
    // again, which may have put it above this one.
    raise();
    activateWindow();
    chosen->setFocus(Qt::OtherFocusReason);
    chosen->setDefault(true);
}

void ConfirmationDialog::fitText()
{
    // The dialog keeps the form's width with the text centred and wrapped;
    // a text that needs more lines than the form has room for makes it
    // taller, so that no line is cut off.
    QLabel *message = m_ui->messageLabel;
    const int width = m_formText.width();
    const int height = qBound(m_formText.height(), message->heightForWidth(width), TallestText);
    const int drop = height - m_formText.height();
    const QSize size(m_formSize.width(), m_formSize.height() + drop);
    message->setGeometry(m_formText.x(), m_formText.y(), width, height);
    m_ui->okButton->move(m_formOk + QPoint(0, drop));
    m_ui->cancelButton->move(m_formCancel + QPoint(0, drop));
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
    case ActionWrite:
        emit actionWrite();
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
