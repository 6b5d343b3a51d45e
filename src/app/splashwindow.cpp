#include "app/splashwindow.h"

#include "ui_splashwindow.h"

#include <QImageReader>
#include <QLabel>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>

#include <utility>

SplashWindow::SplashWindow(QWidget *parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_ui(std::make_unique<Ui::SplashWindow>())
{
    // The form's style sheet keeps the skins off: they dress the working
    // windows only, and the logo keeps its own look.
    m_ui->setupUi(this);
    setAttribute(Qt::WA_QuitOnClose, false);

    // The logo, 1559 x 969, scaled down to fit, keeping its proportions.
    QImageReader reader(QStringLiteral(":/splash/logo.jpg"), "jpeg");
    const QImage logo = reader.read();
    if (!logo.isNull())
        m_ui->logoLabel->setPixmap(
            QPixmap::fromImage(logo.scaled(size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("closeTimer"));
    m_timer->setInterval(TimerPeriod);
    connect(m_timer, &QTimer::timeout, this, &SplashWindow::closeOnTick);
    m_timer->start();
}

SplashWindow::~SplashWindow() = default;

QLabel *SplashWindow::logoLabel() const
{
    return m_ui->logoLabel;
}

void SplashWindow::setVisible(bool visible)
{
    // Showing a splash window processes events before a modal showing starts
    // its wait. A tick then (due already after a slow start) would close the
    // window before the wait begins, and the wait would never end; it takes
    // effect once the showing is complete, in the loop of the wait.
    m_showing = visible;
    // Centred on the screen. Left to itself, a dialog without a parent
    // allows for a window frame it takes from another window, which this
    // borderless one does not have, and lands above and left of the centre.
    if (visible) {
        if (QScreen *s = screen())
            move(s->availableGeometry().center() - rect().center());
    }
    QDialog::setVisible(visible);
    m_showing = false;
    if (visible && std::exchange(m_tickWhileShowing, false))
        QTimer::singleShot(0, this, &SplashWindow::closeOnTick);
}

void SplashWindow::closeOnTick()
{
    if (m_showing) {
        m_tickWhileShowing = true;
        return;
    }
    // Hiding also ends a modal showing.
    if (isVisible())
        close();
}

void SplashWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        emit shown(isModal());
}
