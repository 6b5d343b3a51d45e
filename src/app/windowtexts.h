#pragma once

#include "i18n/texttargets.h"

#include <QPointer>
#include <QWidget>

class QString;

// The four windows a language load writes into.
struct LanguageWindows
{
    QPointer<QWidget> main;         // MainWindow
    QPointer<QWidget> about;        // AboutBox
    QPointer<QWidget> programming;  // ProgrammingDialog
    QPointer<QWidget> confirmation; // ConfirmationDialog

    QWidget *window(LanguageWindow which) const;
};

// The object that shows a target's text: the window itself for its caption,
// a QMenu for a menu title, a menu item's QAction, the page widget of a tab,
// a QGroupBox, a QLabel or link label, a push button, the button bar for a
// section, a bar item's button. Null for a grid heading (the channel table
// holds those) and for a target whose window is missing.
QObject *findTextTarget(const LanguageWindows &windows, const TextTarget &target);

// Puts text into its target unchanged. A label that sizes itself to its
// text (property "sizesToText") is resized. Returns false when the target
// is not there.
bool setTargetText(const LanguageWindows &windows, const TextTarget &target, const QString &text);

// The built-in text of one of the program's own language string numbers
// (201-216, 240-257): Chinese, like every built-in text of the windows. The windows
// show it until a library gives a text of its own, and wherever a library
// lacks the number; empty for any other number.
QString builtInText(int number);
// text, or the built-in text of number when text is empty.
QString textOr(const QString &text, int number);
