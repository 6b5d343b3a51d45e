#pragma once

#include <QDialog>
#include <QPointer>

class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class QStatusBar;

// The programming dialog: a gauge, a start and a close button. A read or a
// write command opens it in its mode (Tag 1 read, 2 write); the start button
// runs one transfer. It stays on top of the other windows, and it cannot be
// closed while a run is in progress, which is exactly while the start button
// is disabled.
class TR_and_W : public QDialog
{
    Q_OBJECT

public:
    enum Mode : int { ModeRead = 1, ModeWrite = 2 };

    explicit TR_and_W(QWidget *parent = nullptr);

    void setMainWindow(QWidget *mainWindow) { m_mainWindow = mainWindow; }

    int Tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

    QProgressBar *bsSkinGauge1() const { return m_gauge; }
    QPushButton *bsSkinButton1() const { return m_start; }
    QPushButton *bsSkinButton2() const { return m_close; }
    QLabel *bsSkinStatusPanel1() const { return m_statusPanel; }

public slots:
    void bsSkinButton1Click();
    void bsSkinButton2Click();
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormShow();
    void FormClose();

    QProgressBar *m_gauge;
    QFrame *m_buttonPanel;
    QPushButton *m_start;
    QPushButton *m_close;
    QStatusBar *m_statusBar;
    QLabel *m_statusPanel;
    QPointer<QWidget> m_mainWindow;
    int m_tag = 0;
};
