#pragma once

#include <QDialog>
#include <QPointer>

class QLabel;
class QPushButton;

// The confirmation dialog (one instance for the whole run, shown and
// hidden). It asks before a command throws data away and shows plain
// messages. It is modal in effect only: showing it disables the main window,
// closing it enables the main window again, unless the programming dialog is
// still open (that one enables it when it closes). While it is shown the
// programming dialog gives up its stay-on-top style, so the message is never
// hidden behind it. A text longer than the design's label makes the dialog
// wider and taller.
class ConfirmationDialog : public QDialog
{
    Q_OBJECT

public:
    // What OK does after the dialog has closed.
    enum Action : int {
        ActionNone = 1,  // a message: OK only closes
        ActionNew = 2,   // empty the channel table and restore the options
        ActionClear = 3, // empty the channel table
    };

    explicit ConfirmationDialog(QWidget *parent = nullptr);

    // The windows the dialog works on: the one it disables while shown, and
    // the one it takes the stay-on-top style from.
    void setMainWindow(QWidget *mainWindow) { m_mainWindow = mainWindow; }
    void setProgrammingDialog(QWidget *dialog) { m_programmingDialog = dialog; }

    // Disables the main window, sets the caption, the text and the pending
    // action, and shows the dialog without a modal loop.
    void showMessage(const QString &caption, const QString &text, int action);

    // 0 until the dialog is first used, then one of Action.
    int pendingAction() const { return m_pendingAction; }
    void setPendingAction(int action) { m_pendingAction = action; }

    QLabel *messageLabel() const { return m_message; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }

signals:
    // OK was pressed on a confirmation; emitted after the dialog closed.
    void actionNew();
    void actionClear();

public slots:
    // OK: closes the dialog, then carries out the pending action.
    void confirm();
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void fitText();

    QLabel *m_icon;
    QLabel *m_message;
    QPushButton *m_ok;
    QPushButton *m_cancel;
    QPointer<QWidget> m_mainWindow;
    QPointer<QWidget> m_programmingDialog;
    int m_pendingAction = 0;
};

// Gives a top-level window the stay-on-top style or takes it away. Qt
// re-creates the native window to change its style; a shown window is shown
// again at once.
void setStaysOnTop(QWidget *window, bool onTop);
