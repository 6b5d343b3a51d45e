#include "app/programmingdialog.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

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

void TR_and_W::bsSkinButton1Click()
{
    // The transfer run hooks in here: it disables the start button for its
    // whole length and enables it again at its end.
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
    // The serial port is closed here once the link exists.
    if (m_mainWindow)
        m_mainWindow->setEnabled(true);
}
