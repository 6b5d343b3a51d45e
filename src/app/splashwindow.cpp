#include "app/splashwindow.h"

#include <QImageReader>
#include <QLabel>
#include <QShowEvent>
#include <QTimer>

#include <utility>

SplashWindow::SplashWindow(QWidget *parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("splashWindow"));
    setAttribute(Qt::WA_QuitOnClose, false);
    setFixedSize(510, 316);
    // The skins dress the working windows only; the logo keeps its own look.
    setStyleSheet(QStringLiteral("SplashWindow { background: #061430; }"));

    m_image = new QLabel(this);
    m_image->setObjectName(QStringLiteral("logoLabel"));
    m_image->setGeometry(rect());
    m_image->setAlignment(Qt::AlignCenter);
    QImageReader reader(QStringLiteral(":/splash/logo.jpg"), "jpeg");
    const QImage logo = reader.read();
    if (!logo.isNull())
        m_image->setPixmap(
            QPixmap::fromImage(logo.scaled(size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("closeTimer"));
    m_timer->setInterval(TimerPeriod);
    connect(m_timer, &QTimer::timeout, this, &SplashWindow::closeOnTick);
    m_timer->start();
}

void SplashWindow::setVisible(bool visible)
{
    // Showing a splash window processes events before a modal showing starts
    // its wait. A tick then (due already after a slow start) would close the
    // window before the wait begins, and the wait would never end; it takes
    // effect once the showing is complete, in the loop of the wait.
    m_showing = visible;
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
