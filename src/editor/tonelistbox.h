#pragma once

#include <QComboBox>

// The in-place tone list (toneList): a drop-down list of the sub-audio
// choices, nothing can be typed. Arrow keys move through the choices, and
// choose each one they reach, with the list closed or dropped down; any
// character key (Enter, Esc, letters, digits) ends the choice instead of
// searching the list.
class ToneListBox : public QComboBox
{
    Q_OBJECT

public:
    static constexpr int Width = 73;
    static constexpr int Height = 20;
    static constexpr int VisibleItems = 15;

    explicit ToneListBox(QWidget *parent = nullptr);

signals:
    // A character key was pressed: the choice is over.
    void characterKey();
    // The keyboard focus went to another part of the window (not to the
    // list's own drop-down, not to another window).
    void exited();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    // The dropped-down list's movement keys.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // A movement key is being handled by the dropped-down list: the choice
    // it reaches is taken (a mouse passing over a choice only highlights).
    bool m_keyMove = false;
};
