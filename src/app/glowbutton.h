#pragma once

#include <QAbstractButton>
#include <QColor>

// A large icon-only button that glows while the mouse is over it.
class GlowButton : public QAbstractButton
{
    Q_OBJECT
    // Skins set the glow to match their colours.
    Q_PROPERTY(QColor glowColor READ glowColor WRITE setGlowColor)

public:
    explicit GlowButton(QWidget *parent = nullptr);

    QColor glowColor() const { return m_glow; }
    void setGlowColor(const QColor &color);

    QSize sizeHint() const override { return {73, 73}; }

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;

private:
    QColor m_glow{80, 170, 255};
};
