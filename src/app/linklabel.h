#pragma once

#include <QColor>
#include <QRect>
#include <QWidget>

// A clickable text drawn anti-aliased: in the inactive-caption colour at
// rest; under the mouse with a shadow and a colour gradient rising from blue
// at the bottom to fuchsia at the top.
class LinkLabel : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText)
    Q_PROPERTY(QColor normalColor READ normalColor WRITE setNormalColor)

public:
    explicit LinkLabel(QWidget *parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString &text);

    QColor normalColor() const { return m_normal; }
    void setNormalColor(const QColor &color);

    // Places the label. A text wider than the place widens the label about
    // the same centre, so longer translations stay whole and centred.
    void place(const QRect &rect);

    bool isHot() const { return m_hot; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void relayout();

    QString m_text;
    QRect m_place;
    // The inactive-caption colour of the classic desktop palette.
    QColor m_normal{122, 150, 223};
    bool m_hot = false;
    bool m_pressed = false;
};
