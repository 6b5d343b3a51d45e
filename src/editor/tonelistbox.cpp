#include "editor/tonelistbox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCoreApplication>
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
    view()->installEventFilter(this);
    connect(this, &QComboBox::highlighted, this, [this](int index) {
        if (m_keyMove && index != currentIndex())
            setCurrentIndex(index);
    });
    hide();
}

bool ToneListBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != view() || event->type() != QEvent::KeyPress || m_keyMove)
        return QComboBox::eventFilter(watched, event);
    switch (static_cast<QKeyEvent *>(event)->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        // Handled by the list (and the drop-down's own filter) as usual,
        // while this knows the highlight comes from a key.
        m_keyMove = true;
        QCoreApplication::sendEvent(view(), event);
        m_keyMove = false;
        return true;
    default:
        return QComboBox::eventFilter(watched, event);
    }
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
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason)
        return;
    // The focus may pass into the dropped-down list itself, for another
    // reason than a popup's: under a window manager the first drop-down
    // after a start takes it so once it is shown. The choice goes on there.
    const QWidget *popup = view()->window();
    const QWidget *to = QApplication::focusWidget();
    if (popup->isVisible() && to && (to == popup || popup->isAncestorOf(to)))
        return;
    emit exited();
}
