#pragma once

#include <QDialog>
#include <QPointer>

class QLabel;
class QPushButton;

// The about box: program name, version, rights notice and maker. Shown
// without a modal loop; every close gives the main window back its input.
class AboutBox : public QDialog
{
    Q_OBJECT

public:
    explicit AboutBox(QWidget *parent = nullptr);

    void setMainWindow(QWidget *mainWindow) { m_mainWindow = mainWindow; }

    QLabel *iconLabel() const { return m_image; }
    QLabel *makerLabel() const { return m_maker; }
    QLabel *rightsLabel() const { return m_rights; }
    QLabel *versionLabel() const { return m_version; }
    QLabel *titleLabel() const { return m_title; }
    QPushButton *okButton() const { return m_ok; }

public slots:
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QLabel *m_image;
    QLabel *m_title;
    QLabel *m_version;
    QLabel *m_rights;
    QLabel *m_maker;
    QPushButton *m_ok;
    QPointer<QWidget> m_mainWindow;
};
