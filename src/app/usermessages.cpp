#include "app/usermessages.h"

#include <QGuiApplication>
#include <QMessageBox>

void showMessageBox(QWidget *parent, MessageKind kind, const QString &text)
{
    QMessageBox box(kind == MessageKind::Error ? QMessageBox::Critical : QMessageBox::Warning,
                    QGuiApplication::applicationDisplayName(), text, QMessageBox::Ok, parent);
    box.exec();
}
