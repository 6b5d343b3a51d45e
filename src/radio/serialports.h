#pragma once

#include <QList>
#include <QString>

// One serial port of the system, as the port list shows it.
struct SerialPortDescription
{
    // What to give as the port: "/dev/ttyUSB0" on Unix, "COM3" on Windows.
    QString device;
    QString description;  // "USB-Serial Controller"; may be empty
    QString manufacturer; // may be empty
    QString serialNumber; // may be empty
    // USB vendor and product identifiers, when the port has them.
    bool hasUsbIds = false;
    quint16 vendorId = 0;
    quint16 productId = 0;

    // "067B:2303" (four lower-case hex digits each), or empty without USB
    // identifiers.
    QString usbId() const;

    bool operator==(const SerialPortDescription &) const = default;
};

// The serial ports the system offers now, ordered by device. Pseudo-terminals
// (the virtual radio's) are not listed.
QList<SerialPortDescription> availableSerialPorts();
