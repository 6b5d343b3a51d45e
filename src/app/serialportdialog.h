#pragma once

#include "radio/serialports.h"
#include "storage/appsettings.h"

#include <QDialog>

#include <array>
#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QTimer;
struct MessageSlots;
struct PortProbe;

namespace Ui {
class SerialPortDialog;
}

// What the serial port dialog edits: the device behind each port entry
// COM1-COM4 and the entry chosen. An empty device is the entry's default
// (portDeviceName).
struct SerialPortChoice
{
    std::array<QString, PortCount> devices;
    int port = 1;

    bool operator==(const SerialPortChoice &) const = default;
};

// The serial port dialog (serialportdialog.ui; Options -> "Serial port...",
// and the button in the port group): the system's serial ports with their
// description, manufacturer, USB identifiers and serial number, re-read
// every RefreshMs while the dialog is shown so that a cable plugged in
// appears by itself; one row per port entry with the device behind it
// (chosen from the list or typed, for a device the list cannot show such
// as a pseudo-terminal) and a mark when that device is not there; and
// "Find radio", which looks for the radio on every listed port and on the
// entries' devices and chooses the port it answered on.
//
// It edits a plain value (setChoice, choice); the main window applies it
// when the dialog is accepted.
class SerialPortDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int RefreshMs = 1000;

    using PortLister = std::function<QList<SerialPortDescription>()>;

    explicit SerialPortDialog(QWidget *parent = nullptr);
    ~SerialPortDialog() override;

    void setChoice(const SerialPortChoice &choice);
    SerialPortChoice choice() const;

    // Where the list comes from: availableSerialPorts() unless a test gives
    // its own.
    void setPortLister(PortLister lister);
    // The texts of the last language load (marks and find messages).
    void setMessages(const MessageSlots *messages) { m_messages = messages; }

    // Reads the list of ports again and marks the entries whose device is
    // not there; the timer does it while the dialog is shown.
    void refresh();
    // The device an entry opens: its text, or its default device.
    QString effectiveDevice(int port) const;
    // Whether the entry is marked as not there: its device is not in the
    // list and (on Unix) no such device file exists.
    bool isMarkedMissing(int port) const;

    // "Find radio": looks on every listed port, then on the entries'
    // devices not listed, one port after the other until the radio answers
    // (probePort: about two seconds at most for each port; the dialog is
    // drawn meanwhile but takes no input). The port the radio answered on
    // is chosen: the entry that holds it, or else the chosen entry gets it.
    // The status line says where the radio answered, or that it did not and
    // why each port was passed over. Returns what each port came to.
    QList<PortProbe> findRadio();
    bool isFinding() const { return m_finding; }

    QTableWidget *portList() const;
    QRadioButton *portRadio(int port) const { return m_radios[port - 1]; }
    QComboBox *deviceBox(int port) const { return m_devices[port - 1]; }
    QLabel *marker(int port) const { return m_markers[port - 1]; }
    QPushButton *findButton() const;
    QLabel *findStatus() const;
    QTimer *refreshTimer() const { return m_refreshTimer; }

public slots:
    // Refused while the radio is being looked for.
    void reject() override;
    void accept() override;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    // Puts the device of the list's row into the chosen entry.
    void useListedPort(int row);
    void updateMarkers();
    void showFinding(bool finding);

    std::unique_ptr<Ui::SerialPortDialog> m_ui;
    std::array<QRadioButton *, PortCount> m_radios{};
    std::array<QComboBox *, PortCount> m_devices{};
    std::array<QLabel *, PortCount> m_markers{};
    QTimer *m_refreshTimer = nullptr;
    PortLister m_lister;
    QList<SerialPortDescription> m_listed;
    const MessageSlots *m_messages = nullptr;
    bool m_finding = false;
};
