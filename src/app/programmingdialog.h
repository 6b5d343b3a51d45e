#pragma once

#include <QDialog>
#include <QPointer>

class ProgrammingRun;
class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class QStatusBar;
class SerialLink;
class Tmessage1;
struct MessageSlots;
struct ProgrammingResult;

// The programming dialog: a gauge, a start and a close button. A read or a
// write command opens it in its mode (Tag 1 read, 2 write) with the serial
// port open; the start button runs one transfer with the radio, and the
// gauge follows it. It stays on top of the other windows.
//
// It cannot be closed while a run is in progress, which is exactly while the
// start button is disabled: the close button, Escape and every close request
// from the window system (the frame's menu, Alt+F4) are refused. Qt offers
// no portable way to ignore a press on the window frame itself, so the frame
// still lets the window be moved during a run; a move does not disturb the
// run, whose waits keep serving the window. Closing the dialog closes the
// port and enables the main window again, unless a failure message is still
// shown over it (that enables the main window when it closes).
class TR_and_W : public QDialog
{
    Q_OBJECT

public:
    enum Mode : int { ModeRead = 1, ModeWrite = 2 };

    explicit TR_and_W(QWidget *parent = nullptr);

    void setMainWindow(QWidget *mainWindow) { m_mainWindow = mainWindow; }
    // The serial link whose port the dialog holds open while shown, and the
    // run its start button performs on it.
    void setRadio(SerialLink *link, ProgrammingRun *run);
    // Where failures are shown, and the texts of the last language load.
    void setMessageDialog(Tmessage1 *message);
    void setMessages(const MessageSlots *messages) { m_messages = messages; }

    // Opens the port and then shows the dialog in `mode` with `caption` on
    // the window and the start button, the gauge at 0 of the mode's maximum.
    // Returns false, showing nothing, when the port cannot be opened; the
    // link's errorString() says why.
    bool openFor(int mode, const QString &caption);

    int Tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

    QProgressBar *bsSkinGauge1() const { return m_gauge; }
    QPushButton *bsSkinButton1() const { return m_start; }
    QPushButton *bsSkinButton2() const { return m_close; }
    QLabel *bsSkinStatusPanel1() const { return m_statusPanel; }

public slots:
    void bsSkinButton1Click();
    void bsSkinButton2Click();
    void reject() override;

signals:
    // A run started by the start button has ended; emitted after the
    // failure message, if any, is shown.
    void runFinished(const ProgrammingResult &result);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormShow();
    void FormClose();
    // Shows what the user has to know about a run that ended: its failure,
    // the problems of a refused write, the channels a read could not show.
    void report(const ProgrammingResult &result);
    void showFailure(const QStringList &lines);

    QProgressBar *m_gauge;
    QFrame *m_buttonPanel;
    QPushButton *m_start;
    QPushButton *m_close;
    QStatusBar *m_statusBar;
    QLabel *m_statusPanel;
    QPointer<QWidget> m_mainWindow;
    QPointer<Tmessage1> m_message;
    SerialLink *m_link = nullptr;
    ProgrammingRun *m_run = nullptr;
    const MessageSlots *m_messages = nullptr;
    int m_tag = 0;
};
