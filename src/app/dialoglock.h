#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QWidget;

// The programming dialog, the confirmation dialog and the about box are not
// modal in the windowing sense: the window they belong to is disabled while
// one of them is shown, so it takes no input, and enabled again when the
// last of them is hidden. This object keeps that rule for all of them by
// watching the dialogs' showing and hiding; a dialog that is minimised or
// restored still counts as shown.
class DialogLock : public QObject
{
    Q_OBJECT

public:
    explicit DialogLock(QWidget *window, QObject *parent = nullptr);

    void addDialog(QWidget *dialog);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool anyDialogShown() const;

    QPointer<QWidget> m_window;
    QList<QPointer<QWidget>> m_dialogs;
};
