#include "editor/confirmationdialog.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

void setStaysOnTop(QWidget *window, bool onTop)
{
    if (!window || window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop)
        return;
    const bool shown = window->isVisible();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (shown)
        window->show();
}

Tmessage1::Tmessage1(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("message1"));
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("警告"));
    setFixedSize(334, 161);

    m_icon = new QLabel(this);
    m_icon->setObjectName(QStringLiteral("Image1"));
    m_icon->setGeometry(24, 32, 48, 48);
    m_icon->setAlignment(Qt::AlignCenter);
    m_icon->setPixmap(QPixmap(QStringLiteral(":/editor/warning-48.png")));

    m_cap1 = new QLabel(this);
    m_cap1->setObjectName(QStringLiteral("cap1"));
    m_cap1->setGeometry(88, 32, 225, 49);
    m_cap1->setAlignment(Qt::AlignCenter);
    m_cap1->setWordWrap(true);

    m_ok = new QPushButton(QStringLiteral("确定"), this);
    m_ok->setObjectName(QStringLiteral("bsSkinButton1"));
    m_ok->setGeometry(72, 112, 75, 25);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &Tmessage1::bsSkinButton1Click);

    m_cancel = new QPushButton(QStringLiteral("取消"), this);
    m_cancel->setObjectName(QStringLiteral("bsSkinButton2"));
    m_cancel->setGeometry(188, 112, 75, 25);
    connect(m_cancel, &QPushButton::clicked, this, &Tmessage1::bsSkinButton2Click);
}

void Tmessage1::showMessage(const QString &caption, const QString &text, int action)
{
    if (m_mainWindow)
        m_mainWindow->setEnabled(false);
    setWindowTitle(caption);
    m_cap1->setText(text);
    m_pendingAction = action;
    show();
    activateWindow();
}

void Tmessage1::bsSkinButton1Click()
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

void Tmessage1::bsSkinButton2Click()
{
    close();
}

void Tmessage1::reject()
{
    // Escape is the same as Cancel and goes through the close rules.
    close();
}

void Tmessage1::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void Tmessage1::closeEvent(QCloseEvent *event)
{
    event->accept();
    FormClose();
}

void Tmessage1::FormShow()
{
    setStaysOnTop(m_programmingDialog, false);
}

void Tmessage1::FormClose()
{
    if (m_mainWindow)
        m_mainWindow->setEnabled(true);
    setStaysOnTop(m_programmingDialog, true);
}
