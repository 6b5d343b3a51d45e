#include "app/dialoglock.h"

#include <QEvent>
#include <QWidget>

DialogLock::DialogLock(QWidget *window, QObject *parent) : QObject(parent), m_window(window) {}

void DialogLock::addDialog(QWidget *dialog)
{
    if (!dialog)
        return;
    m_dialogs.append(dialog);
    dialog->installEventFilter(this);
}

bool DialogLock::eventFilter(QObject *watched, QEvent *event)
{
    // A minimised dialog is hidden from the screen but still visible to Qt,
    // so it keeps the window disabled.
    if (m_window) {
        if (event->type() == QEvent::Show)
            m_window->setEnabled(false);
        else if (event->type() == QEvent::Hide && !anyDialogShown())
            m_window->setEnabled(true);
    }
    return QObject::eventFilter(watched, event);
}

bool DialogLock::anyDialogShown() const
{
    for (const QPointer<QWidget> &dialog : m_dialogs)
        if (dialog && dialog->isVisible())
            return true;
    return false;
}
