#pragma once

#include <QString>

#include <functional>

class QWidget;

// Messages the main window shows the user outside the confirmation dialog:
// the file commands' failures and warnings, and a settings file that cannot
// be written at exit.
enum class MessageKind {
    Error,   // a command stopped
    Warning, // a command finished but something did not go as asked
};

// Shows one message. The main window's is replaceable, so tests can take
// the messages instead of a modal box.
using MessageFunction = std::function<void(MessageKind kind, const QString &text)>;

// A modal message box over parent with the application's title as caption.
void showMessageBox(QWidget *parent, MessageKind kind, const QString &text);
