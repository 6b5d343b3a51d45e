#pragma once

#include <QDialog>

#include <memory>

class QPushButton;

namespace Ui {
class AboutBox;
}

// The about box (aboutbox.ui): program name, version, rights notice and
// maker, and an OK button that closes it.
class AboutBox : public QDialog
{
    Q_OBJECT

public:
    explicit AboutBox(QWidget *parent = nullptr);
    ~AboutBox() override;

    QPushButton *okButton() const;

private:
    std::unique_ptr<Ui::AboutBox> m_ui;
};
