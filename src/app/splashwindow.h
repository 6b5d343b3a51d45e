#pragma once

#include <QDialog>

#include <memory>

class QLabel;
class QTimer;

namespace Ui {
class SplashWindow;
}

// The splash window (splashwindow.ui): the maker's logo, borderless. Its timer runs from
// creation for the whole run and closes (hides) the window on every tick, so
// each showing lasts at most about a second; a modal showing ends with it.
class SplashWindow : public QDialog
{
    Q_OBJECT

public:
    static constexpr int TimerPeriod = 1000;

    explicit SplashWindow(QWidget *parent = nullptr);
    ~SplashWindow() override;

    QLabel *logoLabel() const;
    QTimer *closeTimer() const { return m_timer; }

    void setVisible(bool visible) override;

signals:
    // Every showing, with whether it was modal.
    void shown(bool modal);

public slots:
    // Closes (hides) the window; every tick of the timer.
    void closeOnTick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::unique_ptr<Ui::SplashWindow> m_ui;
    QTimer *m_timer;
    bool m_showing = false;
    bool m_tickWhileShowing = false;
};
