#include "editor/frequencyedit.h"

#include "model/frequency.h"

#include <QKeyEvent>
#include <QMouseEvent>

FrequencyEdit::FrequencyEdit(QWidget *parent) : QLineEdit(parent)
{
    setMaxLength(MaxCharacters);
    setAlignment(Qt::AlignCenter);
    QFont arial(QStringLiteral("Arial"));
    arial.setPixelSize(12);
    setFont(arial);
    setStyleSheet(QStringLiteral("QLineEdit { color: black; background-color: white;"
                                 " border: 1px solid rgb(128, 128, 128); padding: 0px; }"));
    setFixedSize(Width, Height);
    // No Cut/Copy/Paste menu, no drops, no composed input: only typed keys.
    setContextMenuPolicy(Qt::PreventContextMenu);
    setAcceptDrops(false);
    setDragEnabled(false);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    hide();
}

bool FrequencyEdit::acceptsCharacter(const QString &text, int selectionStart, int selectionLength,
                                     QChar character, QChar separator)
{
    if (character.isDigit() && character.unicode() < 128)
        return true;
    if (character != QLatin1Char('.') && character != QLatin1Char(','))
        return false;
    // The typed character replaces the selection, so what stays is what
    // counts: a frequency has at least three characters before its one
    // separator.
    const QString kept = QString(text).remove(selectionStart, selectionLength);
    return character == separator && kept.size() >= 3 && !kept.contains(separator);
}

void FrequencyEdit::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        event->accept();
        emit enterPressed();
        return;
    }
    if (key == Qt::Key_Backspace) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    // Shortcuts that bring in or restore text are dropped with the rest.
    if (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut) ||
        event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo)) {
        event->accept();
        return;
    }
    const QString text = event->text();
    switch (key) {
    case Qt::Key_Delete:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
        // Moving the caret, selecting, deleting: no character is typed (some
        // platforms still give Delete a control character as its text).
        QLineEdit::keyPressEvent(event);
        return;
    default:
        break;
    }
    if (text.isEmpty()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    const int length = hasSelectedText() ? selectedText().size() : 0;
    const bool plainKey =
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (text.size() == 1 && plainKey &&
        acceptsCharacter(this->text(), start, length, text.at(0), frequencySeparator()))
        QLineEdit::keyPressEvent(event);
    else
        event->accept();
}

void FrequencyEdit::keyReleaseEvent(QKeyEvent *event)
{
    QLineEdit::keyReleaseEvent(event);
    emit keyReleased();
}

void FrequencyEdit::mouseReleaseEvent(QMouseEvent *event)
{
    // The middle button pastes the X11 selection; it pastes nothing here.
    if (event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void FrequencyEdit::inputMethodEvent(QInputMethodEvent *event)
{
    event->accept();
}
