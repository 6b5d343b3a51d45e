#include "app/glowbutton.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

GlowButton::GlowButton(QWidget *parent) : QAbstractButton(parent)
{
    setAttribute(Qt::WA_Hover);
    setCursor(Qt::PointingHandCursor);
    setIconSize(QSize(48, 48));
    setFocusPolicy(Qt::TabFocus);
}

void GlowButton::setGlowColor(const QColor &color)
{
    m_glow = color;
    update();
}

bool GlowButton::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::HoverEnter:
    case QEvent::HoverLeave:
        update();
        break;
    default:
        break;
    }
    return QAbstractButton::event(event);
}

void GlowButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    const bool hot = isEnabled() && (underMouse() || hasFocus());

    if (hot || isDown()) {
        QRadialGradient glow(box.center(), box.width() / 2);
        QColor inner = m_glow;
        inner.setAlpha(isDown() ? 240 : 205);
        QColor outer = m_glow;
        outer.setAlpha(0);
        glow.setColorAt(0.0, inner);
        glow.setColorAt(0.55, QColor(inner.red(), inner.green(), inner.blue(), inner.alpha() / 2));
        glow.setColorAt(1.0, outer);
        QPainterPath shape;
        shape.addRoundedRect(box, 12, 12);
        p.fillPath(shape, glow);
        QColor rim = m_glow.lighter(130);
        rim.setAlpha(160);
        p.setPen(QPen(rim, 1.2));
        p.drawPath(shape);
    }

    const QSize size = iconSize();
    QRect target(QPoint(), size);
    target.moveCenter(rect().center());
    if (isDown())
        target.translate(1, 1);
    const QIcon::Mode mode = !isEnabled() ? QIcon::Disabled : hot ? QIcon::Active : QIcon::Normal;
    icon().paint(&p, target, Qt::AlignCenter, mode);
}
