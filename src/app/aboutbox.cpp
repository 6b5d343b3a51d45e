#include "app/aboutbox.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

AboutBox::AboutBox(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint |
                          Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("aboutBox"));
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("关于..."));
    setFixedSize(402, 242);

    m_image = new QLabel(this);
    m_image->setObjectName(QStringLiteral("iconLabel"));
    m_image->setGeometry(32, 40, 57, 65);
    m_image->setAlignment(Qt::AlignCenter);
    m_image->setPixmap(QPixmap(QStringLiteral(":/icons/radio-about.png")));

    m_title = new QLabel(QStringLiteral("RPX4100对讲机编程软件 "), this);
    m_title->setObjectName(QStringLiteral("titleLabel"));
    m_title->setGeometry(144, 32, 225, 33);
    m_title->setWordWrap(true);
    m_title->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont titleFont = m_title->font();
    titleFont.setBold(true);
    m_title->setFont(titleFont);

    // The labels size themselves to their texts (a language load may make
    // them longer); the places are where they start.
    m_version = new QLabel(QStringLiteral("版本：4100-1.001 "), this);
    m_version->setObjectName(QStringLiteral("versionLabel"));
    m_version->move(144, 80);

    m_rights = new QLabel(QStringLiteral("版权所有 (C) 2026 Dravik Torven"), this);
    m_rights->setObjectName(QStringLiteral("rightsLabel"));
    m_rights->move(144, 104);

    m_maker = new QLabel(QStringLiteral("Dravik"), this);
    m_maker->setObjectName(QStringLiteral("makerLabel"));
    m_maker->move(144, 128);
    QFont makerFont = m_maker->font();
    makerFont.setPixelSize(16);
    m_maker->setFont(makerFont);

    for (QLabel *label : {m_version, m_rights, m_maker}) {
        label->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        label->setProperty("sizesToText", true);
        label->adjustSize();
    }

    m_ok = new QPushButton(QIcon(QStringLiteral(":/icons/ok-16.png")), QStringLiteral("Ok"), this);
    m_ok->setObjectName(QStringLiteral("okButton"));
    m_ok->setGeometry(152, 168, 97, 25);
    QFont okFont(QStringLiteral("Arial"));
    okFont.setPixelSize(12);
    okFont.setBold(true);
    okFont.setItalic(true);
    m_ok->setFont(okFont);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &AboutBox::close);
}

void AboutBox::reject()
{
    close();
}

void AboutBox::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (m_mainWindow)
        m_mainWindow->setEnabled(true);
}
