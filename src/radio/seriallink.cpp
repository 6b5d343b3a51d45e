#include "radio/seriallink.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QSerialPort>
#include <QTimer>

#ifdef Q_OS_UNIX
#include <sys/ioctl.h>
#include <termios.h>
#endif

namespace {

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

QString failure(const QString &name, const QString &reason)
{
    return QStringLiteral("%1: %2").arg(name, reason);
}

// Why the line stopped working. QSerialPort's own text is sometimes a stale
// system message (a peer that went away), so the common cases get words of
// their own.
QString lossReason(const QSerialPort &port)
{
    switch (port.error()) {
    case QSerialPort::ReadError:
        return QStringLiteral("the line was lost while reading");
    case QSerialPort::WriteError:
        return QStringLiteral("the line was lost while writing");
    case QSerialPort::ResourceError:
        return QStringLiteral("the port is no longer available");
    default:
        return port.errorString();
    }
}

// Why an open failed: QSerialPort's word, then the device itself asked
// (a refusal may be a permission or another program).
PortProblem diagnoseOpenFailure(const QString &name, const QSerialPort &port)
{
    PortOpenError error = PortOpenError::Other;
    switch (port.error()) {
    case QSerialPort::DeviceNotFoundError:
        error = PortOpenError::DeviceNotFound;
        break;
    case QSerialPort::PermissionError:
        error = PortOpenError::Refused;
        break;
    case QSerialPort::OpenError:
        error = PortOpenError::AlreadyOpen;
        break;
    case QSerialPort::UnsupportedOperationError:
        error = PortOpenError::Unsupported;
        break;
    default:
        break;
    }
    return diagnosePortProblem(name, error, port.errorString());
}

} // namespace

QString portDeviceName(int port, const QString &configuredPath)
{
    if (port < 1 || port > 4)
        return {};
    if (!configuredPath.isEmpty())
        return configuredPath;
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(port);
#else
    return QStringLiteral("/dev/ttyUSB%1").arg(port - 1);
#endif
}

SerialLink::SerialLink(QObject *parent) : QObject(parent), m_port(new QSerialPort(this))
{
    // Applied at every opening. DTR and RTS are not set: the radio's cable
    // needs neither, and the driver's state is left alone.
    m_port->setBaudRate(QSerialPort::Baud9600);
    m_port->setDataBits(QSerialPort::Data8);
    m_port->setParity(QSerialPort::NoParity);
    m_port->setStopBits(QSerialPort::OneStop);
    m_port->setFlowControl(QSerialPort::NoFlowControl);

    connect(m_port, &QSerialPort::readyRead, this, &SerialLink::receive);
    connect(m_port, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError error) {
        // A pulled cable or a vanished peer reports its error again on every
        // pass of the event loop until the port is closed.
        if (m_port->isOpen() &&
            (error == QSerialPort::ReadError || error == QSerialPort::WriteError ||
             error == QSerialPort::ResourceError))
            loseLink();
    });
}

SerialLink::~SerialLink() = default;

bool SerialLink::setPortOpen(bool open)
{
    if (open == m_port->isOpen())
        return true;
    if (!open) {
        m_port->close();
        m_reportedWaiting = 0;
        return true;
    }
    if (m_portName.isEmpty()) {
        m_openProblem = diagnosePortProblem(m_portName, PortOpenError::Other);
        m_errorString = m_openProblem.message();
        return false;
    }
    m_port->setPortName(m_portName);
    if (!m_port->open(QIODevice::ReadWrite)) {
        m_openProblem = diagnoseOpenFailure(m_portName, *m_port);
        m_errorString = m_openProblem.message();
        return false;
    }
    m_port->clearError();
    m_openName = m_portName;
    m_openProblem = {};
    m_errorString.clear();
    m_kernelMinimum = -1;
    m_kernelJudged = 0;
    m_reportedWaiting = 0;
    armKernelThreshold();
    return true;
}

bool SerialLink::isPortOpen() const
{
    return m_port->isOpen();
}

bool SerialLink::testPort(const QString &name, QString *error)
{
    PortProblem problem;
    if (testPort(name, &problem))
        return true;
    if (error)
        *error = problem.message();
    return false;
}

bool SerialLink::testPort(const QString &name, PortProblem *problem)
{
    PortProblem found;
    if (name.isEmpty()) {
        found = diagnosePortProblem(name, PortOpenError::Other);
    } else {
        QSerialPort port;
        port.setPortName(name);
        if (port.open(QIODevice::ReadWrite)) {
            port.close();
            if (problem)
                *problem = {};
            return true;
        }
        found = diagnoseOpenFailure(name, port);
    }
    if (problem)
        *problem = found;
    return false;
}

bool SerialLink::setRequestHex(QStringView hex)
{
    QByteArray bytes;
    bytes.reserve(hex.size() / 2);
    for (qsizetype i = 0; i + 1 < hex.size(); i += 2) {
        const int high = hexDigit(hex[i]);
        const int low = hexDigit(hex[i + 1]);
        if (high < 0 || low < 0) {
            m_request.clear();
            return false;
        }
        bytes.append(char(high << 4 | low));
    }
    m_request = bytes;
    return true;
}

QString SerialLink::bytesToHex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex().toUpper());
}

bool SerialLink::sendRequest()
{
    return write(m_request);
}

bool SerialLink::sendAcknowledgement()
{
    return write(QByteArray(1, Acknowledgement));
}

bool SerialLink::write(const QByteArray &bytes)
{
    if (!m_port->isOpen() || bytes.isEmpty())
        return false;
    if (m_port->write(bytes) != bytes.size())
        return false;
    // Hand the bytes to the driver now instead of at the next pass of the
    // event loop, so the wait that follows a request starts with the request
    // on its way.
    m_port->flush();
    if (!m_port->isOpen())
        return false;
    emit traffic(Direction::ToRadio, bytes);
    return true;
}

void SerialLink::setReceiveThreshold(int bytes)
{
    m_threshold = qMax(0, bytes);
    armKernelThreshold();
}

qint64 SerialLink::kernelBytes() const
{
#ifdef Q_OS_UNIX
    int count = 0;
    if (m_port->isOpen() && ::ioctl(int(m_port->handle()), FIONREAD, &count) == 0)
        return count;
#endif
    return 0;
}

qint64 SerialLink::bytesWaiting() const
{
    return m_port->isOpen() ? m_port->bytesAvailable() + kernelBytes() : 0;
}

void SerialLink::armKernelThreshold()
{
#ifdef Q_OS_UNIX
    // The terminal driver reports input only once VMIN bytes are there, so
    // the process is not woken for every byte of a reply at 9600 baud. This
    // only saves wake-ups and must not change a delivery, which receive()
    // still judges:
    // - bytes the driver held while events were processed (m_kernelJudged)
    //   were judged then and kept, so they come with the next arrival at
    //   the earliest; bytes that came while the run was between two
    //   statements are judged at the next wait by the threshold then;
    // - at threshold 0 every byte is taken in as it comes, as the link
    //   always did, so that stray bytes are judged on arrival.
    if (!m_port->isOpen())
        return;
    constexpr qint64 MaxMinimum = 255; // VMIN is one byte
    const qint64 minimum =
        m_threshold == 0
            ? 1
            : qBound<qint64>(1, qMax(m_threshold - m_port->bytesAvailable(), m_kernelJudged + 1),
                             MaxMinimum);
    if (minimum == m_kernelMinimum)
        return;
    const int fd = int(m_port->handle());
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0)
        return;
    tio.c_cc[VMIN] = cc_t(minimum);
    tio.c_cc[VTIME] = 0;
    if (::tcsetattr(fd, TCSANOW, &tio) == 0)
        m_kernelMinimum = int(minimum);
#endif
}

void SerialLink::noteEventsProcessed()
{
    m_kernelJudged = kernelBytes();
    armKernelThreshold();
}

void SerialLink::receive()
{
    const qint64 waiting = m_port->bytesAvailable();
    if (waiting > m_reportedWaiting) {
        const QByteArray arrived = m_port->peek(waiting).mid(m_reportedWaiting);
        m_reportedWaiting = waiting;
        emit traffic(Direction::FromRadio, arrived);
    }
    if (m_threshold > 0 && m_port->bytesAvailable() >= m_threshold) {
        m_receivedBytes = m_port->readAll();
        m_reportedWaiting = 0;
        m_received = true;
        noteEventsProcessed();
        emit received(m_receivedBytes);
        return;
    }
    noteEventsProcessed();
}

void SerialLink::loseLink()
{
    m_errorString = failure(m_openName, lossReason(*m_port));
    m_port->close();
    m_reportedWaiting = 0;
    emit linkLost(m_errorString);
}

void SerialLink::waitForReceive(int milliseconds)
{
    if (milliseconds <= 0)
        return;
    const QDeadlineTimer deadline(milliseconds, Qt::PreciseTimer);

    QCoreApplication::processEvents();
    if (m_received || !m_port->isOpen()) {
        noteEventsProcessed();
        return;
    }

    // The loop sleeps in the event dispatcher until a receive event, a lost
    // link or the timer wakes it.
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    connect(this, &SerialLink::received, &loop, &QEventLoop::quit);
    connect(this, &SerialLink::linkLost, &loop, &QEventLoop::quit);
    timer.start(qMax<qint64>(0, deadline.remainingTime()));
    loop.exec();
    noteEventsProcessed();
}
