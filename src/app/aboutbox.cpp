#include "app/aboutbox.h"

#include "ui_aboutbox.h"

AboutBox::AboutBox(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint |
                          Qt::WindowStaysOnTopHint),
      m_ui(std::make_unique<Ui::AboutBox>())
{
    m_ui->setupUi(this);
    setAttribute(Qt::WA_QuitOnClose, false);

    // The maker's name is 16 pixels high; a form gives sizes in points only.
    QFont makerFont = m_ui->makerLabel->font();
    makerFont.setPixelSize(16);
    m_ui->makerLabel->setFont(makerFont);
    // These labels size themselves to their texts (a language load may make
    // them longer); the form places where they start.
    for (QLabel *label : {m_ui->versionLabel, m_ui->rightsLabel, m_ui->makerLabel})
        label->adjustSize();

    connect(m_ui->okButton, &QPushButton::clicked, this, &AboutBox::close);
}

AboutBox::~AboutBox() = default;

QPushButton *AboutBox::okButton() const
{
    return m_ui->okButton;
}
