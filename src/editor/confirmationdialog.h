#pragma once

#include <QDialog>
#include <QPointer>

#include <memory>

class QLabel;
class QPushButton;

namespace Ui {
class ConfirmationDialog;
}

// The confirmation dialog (confirmationdialog.ui; one instance for the whole
// run, shown and hidden). It asks before a command throws data away and
// shows plain messages. It is not modal: the main window is kept disabled
// while it is shown (DialogLock). While it is shown the programming dialog
// gives up its stay-on-top style, so the message is never hidden behind it.
// The text is centred and wrapped in the form's width; one longer than the
// form's label makes the dialog taller, never wider. A confirmation (any
// action but ActionNone) has Cancel as its default button.
class ConfirmationDialog : public QDialog
{
    Q_OBJECT

public:
    // What OK does after the dialog has closed.
    enum Action : int {
        ActionNone = 1,  // a message: OK only closes
        ActionNew = 2,   // empty the channel table and restore the options
        ActionClear = 3, // empty the channel table
        ActionWrite = 4, // go on with a write to the radio
    };

    explicit ConfirmationDialog(QWidget *parent = nullptr);
    ~ConfirmationDialog() override;

    // The window the dialog takes the stay-on-top style from while shown.
    void setProgrammingDialog(QWidget *dialog) { m_programmingDialog = dialog; }

    // Sets the caption, the text and the pending action, and shows the
    // dialog without a modal loop.
    void showMessage(const QString &caption, const QString &text, int action);

    // 0 until the dialog is first used, then one of Action.
    int pendingAction() const { return m_pendingAction; }
    void setPendingAction(int action) { m_pendingAction = action; }

    // The text last given to showMessage(); the label shows it with break
    // opportunities added.
    QString messageText() const { return m_text; }
    QLabel *messageLabel() const;
    QPushButton *okButton() const;
    QPushButton *cancelButton() const;

signals:
    // OK was pressed on a confirmation; emitted after the dialog closed.
    void actionNew();
    void actionClear();
    void actionWrite();

public slots:
    // OK: closes the dialog, then carries out the pending action.
    void confirm();
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void fitText();

    std::unique_ptr<Ui::ConfirmationDialog> m_ui;
    // The dialog as the form has it, for the texts that fit it.
    QSize m_formSize;
    QRect m_formText;
    QPoint m_formOk;
    QPoint m_formCancel;
    QString m_text;
    QPointer<QWidget> m_programmingDialog;
    int m_pendingAction = 0;
};

// Gives a top-level window the stay-on-top style or takes it away. Qt
// re-creates the native window to change its style; a shown window is shown
// again at once.
void setStaysOnTop(QWidget *window, bool onTop);
