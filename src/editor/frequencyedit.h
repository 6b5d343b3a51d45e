#pragma once

#include <QLineEdit>

// The in-place frequency edit box (frequencyEdit): one line of at most nine
// characters, centred, no context menu, nothing pasted or dropped. It takes
// only digits, Backspace and the locale's decimal separator, the separator
// once and only after at least three characters; every other character is
// dropped without a word. Keys that type nothing (arrows, Home, End, Delete)
// work as usual.
class FrequencyEdit : public QLineEdit
{
    Q_OBJECT

public:
    static constexpr int MaxCharacters = 9;
    static constexpr int Width = 66;
    static constexpr int Height = 18;

    explicit FrequencyEdit(QWidget *parent = nullptr);

    // Whether `character` typed over the selection [selectionStart,
    // selectionStart + selectionLength) of `text` is taken, with `separator`
    // the locale's decimal separator. Enter is not a typed character here.
    static bool acceptsCharacter(const QString &text, int selectionStart, int selectionLength,
                                 QChar character, QChar separator);

signals:
    // Enter ends the entry.
    void enterPressed();
    // A key was released in the box: the cell follows the text.
    void keyReleased();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
};
