#include "radio/serialports.h"

#include <QSerialPortInfo>

#include <algorithm>
#include <utility>

QString SerialPortDescription::usbId() const
{
    if (!hasUsbIds)
        return {};
    return QStringLiteral("%1:%2")
        .arg(vendorId, 4, 16, QLatin1Char('0'))
        .arg(productId, 4, 16, QLatin1Char('0'));
}

QList<SerialPortDescription> availableSerialPorts()
{
    QList<SerialPortDescription> ports;
    const QList<QSerialPortInfo> infos = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : infos) {
        SerialPortDescription port;
#ifdef Q_OS_WIN
        // The system location there is "\\.\COM3"; the port entry takes "COM3".
        port.device = info.portName();
#else
        port.device = info.systemLocation();
#endif
        port.description = info.description();
        port.manufacturer = info.manufacturer();
        port.serialNumber = info.serialNumber();
        port.hasUsbIds = info.hasVendorIdentifier() && info.hasProductIdentifier();
        if (port.hasUsbIds) {
            port.vendorId = info.vendorIdentifier();
            port.productId = info.productIdentifier();
        }
        ports.append(port);
    }
    // ttyS2 before ttyS10, COM3 before COM12: the trailing number counts as
    // a number.
    const auto key = [](const QString &device) {
        qsizetype digits = device.size();
        while (digits > 0 && device.at(digits - 1).isDigit())
            --digits;
        return std::make_pair(device.left(digits), device.mid(digits).toLongLong());
    };
    std::sort(ports.begin(), ports.end(),
              [&key](const SerialPortDescription &a, const SerialPortDescription &b) {
                  return key(a.device) < key(b.device);
              });
    return ports;
}
