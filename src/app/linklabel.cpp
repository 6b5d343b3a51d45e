#include "app/linklabel.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

LinkLabel::LinkLabel(QWidget *parent) : QWidget(parent)
{
    QFont f = font();
    f.setPixelSize(16);
    setFont(f);
    setCursor(Qt::PointingHandCursor);
}

void LinkLabel::setText(const QString &text)
{
    m_text = text;
    relayout();
    update();
}

void LinkLabel::setNormalColor(const QColor &color)
{
    m_normal = color;
    update();
}

void LinkLabel::place(const QRect &rect)
{
    m_place = rect;
    relayout();
}

void LinkLabel::relayout()
{
    if (m_place.isNull())
        return;
    const int needed = QFontMetrics(font()).horizontalAdvance(m_text) + 4;
    QRect r = m_place;
    if (needed > r.width()) {
        r.setWidth(needed);
        r.moveLeft(m_place.center().x() - needed / 2);
    }
    setGeometry(r);
}

void LinkLabel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF fm(font());
    const qreal x = (width() - fm.horizontalAdvance(m_text)) / 2;
    const qreal baseline = (height() - fm.height()) / 2 + fm.ascent();
    QPainterPath path;
    path.addText(QPointF(x, baseline), font(), m_text);

    if (!m_hot) {
        p.fillPath(path,
                   isEnabled() ? m_normal : palette().color(QPalette::Disabled, QPalette::Text));
        return;
    }
    p.fillPath(path.translated(1.5, 1.5), QColor(0, 0, 0, 110));
    const QRectF bounds = path.boundingRect();
    QLinearGradient rise(bounds.bottomLeft(), bounds.topLeft());
    rise.setColorAt(0, QColor(0, 0, 255));
    rise.setColorAt(1, QColor(255, 0, 255));
    p.fillPath(path, rise);
}

void LinkLabel::enterEvent(QEnterEvent *event)
{
    m_hot = true;
    update();
    QWidget::enterEvent(event);
}

void LinkLabel::leaveEvent(QEvent *event)
{
    m_hot = false;
    m_pressed = false;
    update();
    QWidget::leaveEvent(event);
}

void LinkLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        emit clicked();
}
