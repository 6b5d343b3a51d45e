#include "editor/tonelistbox.h"

#include <QKeyEvent>

ToneListBox::ToneListBox(QWidget *parent) : QComboBox(parent)
{
    // The drop-down lists the choices below the box with a scroll bar,
    // VisibleItems at a time, whatever the style prefers. (A combo box is
    // not editable from the start; setting it so again would take the
    // style's scroll bar choice before this sheet applies.)
    setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    setMaxVisibleItems(VisibleItems);
    setFixedSize(Width, Height);
    setFocusPolicy(Qt::StrongFocus);
    QFont arial(QStringLiteral("Arial"));
    arial.setPixelSize(12);
    setFont(arial);
    hide();
}

void ToneListBox::keyPressEvent(QKeyEvent *event)
{
    const QString text = event->text();
    const bool character = !text.isEmpty() || event->key() == Qt::Key_Return ||
                           event->key() == Qt::Key_Enter || event->key() == Qt::Key_Escape;
    if (character) {
        event->accept();
        emit characterKey();
        return;
    }
    QComboBox::keyPressEvent(event);
}

void ToneListBox::focusOutEvent(QFocusEvent *event)
{
    QComboBox::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason)
        emit exited();
}
