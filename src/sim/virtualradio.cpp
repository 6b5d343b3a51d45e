#include "sim/virtualradio.h"

#include "storage/atomicwrite.h"

#include <QFile>
#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace {

constexpr char StartByte = 0x02;
constexpr char Acknowledgement = 0x06;
constexpr char NakByte = 0x15;
constexpr char ReadCommand = 0x52;
constexpr char WriteCommand = 0x57;
constexpr char LengthByte = 0x08;
constexpr char EndFirst = 0x64;
constexpr char EndSecond = 0x6F;
constexpr char Identification[] = "DRAvik";
constexpr int IdentificationLength = 6;
constexpr char IdentReply[] = "\x06\x20torven";
constexpr char WrongIdentReply[] = "\x06\x20TORVEN";
constexpr int IdentReplyLength = 8;
constexpr char IdentExtraByte = 0x00;
// Garbage repeats from run to run.
constexpr quint32 GarbageSeed = 380;
// 8N1: a start bit, eight data bits and a stop bit.
constexpr int BitsPerByte = 10;

enum class Match { Invalid, Incomplete, Complete };

// Whether the input starts with a whole message, and how long it is.
Match matchMessage(const QByteArray &in, int *length)
{
    const auto fixedByteAt = [&](int pos, char expected) {
        return in.size() <= pos || in.at(pos) == expected;
    };
    switch (in.at(0)) {
    case StartByte:
        *length = 1 + IdentificationLength;
        for (int i = 1; i < *length; ++i) {
            if (!fixedByteAt(i, Identification[i - 1]))
                return Match::Invalid;
        }
        break;
    case Acknowledgement:
        *length = 1;
        break;
    case ReadCommand:
        *length = 4;
        if (!fixedByteAt(3, LengthByte))
            return Match::Invalid;
        break;
    case WriteCommand:
        *length = 4 + VirtualRadio::BlockSize;
        if (!fixedByteAt(3, LengthByte))
            return Match::Invalid;
        break;
    case EndFirst:
        *length = 2;
        if (!fixedByteAt(1, EndSecond))
            return Match::Invalid;
        break;
    default:
        return Match::Invalid;
    }
    return in.size() >= *length ? Match::Complete : Match::Incomplete;
}

quint16 addressAt(const QByteArray &in)
{
    return quint16((quint8(in.at(1)) << 8) | quint8(in.at(2)));
}

bool fail(QString *error, const QString &message)
{
    if (error)
        *error = message;
    return false;
}

} // namespace

VirtualRadio::VirtualRadio(QObject *parent)
    : QObject(parent), m_memory(MemorySize, char(0xFF)), m_random(GarbageSeed)
{
    m_clock.start();
    connect(&m_rxTimer, &LineTimer::timeout, this, &VirtualRadio::onRxTimer);
    connect(&m_txTimer, &LineTimer::timeout, this, &VirtualRadio::onTxTimer);
}

VirtualRadio::~VirtualRadio()
{
    close();
}

bool VirtualRadio::open(QString *error)
{
#ifdef Q_OS_UNIX
    if (isOpen())
        return true;
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0)
        return fail(error, QString::fromLocal8Bit(std::strerror(errno)));
    const char *name = nullptr;
    if (::grantpt(master) != 0 || ::unlockpt(master) != 0 || !(name = ::ptsname(master))) {
        const int err = errno;
        ::close(master);
        return fail(error, QString::fromLocal8Bit(std::strerror(err)));
    }
    const QString portName = QString::fromLocal8Bit(name);
    // Holding the terminal side open means the master never sees the hang-up
    // (EIO) that follows the program's last close of the port.
    const int slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave < 0) {
        const int err = errno;
        ::close(master);
        return fail(error, QStringLiteral("%1: %2").arg(
                               portName, QString::fromLocal8Bit(std::strerror(err))));
    }
    // Raw: no echo, no line editing, no CR/LF translation, no signals.
    termios tio{};
    ::tcgetattr(slave, &tio);
    ::cfmakeraw(&tio);
    ::cfsetispeed(&tio, B9600);
    ::cfsetospeed(&tio, B9600);
    tio.c_cflag |= CLOCAL | CREAD;
    ::tcsetattr(slave, TCSANOW, &tio);
    ::fcntl(master, F_SETFD, FD_CLOEXEC);
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);

    m_master = master;
    m_slave = slave;
    m_portName = portName;
    m_readNotifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_readNotifier, &QSocketNotifier::activated, this, &VirtualRadio::onReadable);
    m_writeNotifier = new QSocketNotifier(m_master, QSocketNotifier::Write, this);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &VirtualRadio::onWritable);
    return true;
#else
    return fail(error, QStringLiteral("the virtual radio needs pseudo-terminals"));
#endif
}

void VirtualRadio::close()
{
    delete m_readNotifier;
    m_readNotifier = nullptr;
    delete m_writeNotifier;
    m_writeNotifier = nullptr;
#ifdef Q_OS_UNIX
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
#endif
    m_slave = m_master = -1;
    m_portName.clear();
    m_rxTimer.stop();
    m_txTimer.stop();
    m_rxQueue.clear();
    m_txQueue.clear();
    m_out.clear();
    m_pending.clear();
    m_recorded = 0;
    m_inSession = false;
}

QByteArray VirtualRadio::readMemory(quint16 address, int length) const
{
    QByteArray bytes(qMax(length, 0), Qt::Uninitialized);
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = m_memory.at((address + i) % MemorySize);
    return bytes;
}

void VirtualRadio::writeMemory(quint16 address, const QByteArray &bytes)
{
    for (int i = 0; i < bytes.size(); ++i)
        m_memory[(address + i) % MemorySize] = bytes.at(i);
}

void VirtualRadio::fillMemory(quint8 value)
{
    m_memory.fill(char(value));
}

bool VirtualRadio::loadImage(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(error, QStringLiteral("%1: %2").arg(path, file.errorString()));
    // One byte more than fits tells an oversized file from an exact one.
    const QByteArray data = file.read(MemorySize + 1);
    if (file.error() != QFileDevice::NoError)
        return fail(error, QStringLiteral("%1: %2").arg(path, file.errorString()));
    if (data.size() > MemorySize)
        return fail(error, QStringLiteral("%1: larger than the radio's %2 bytes of memory")
                               .arg(path)
                               .arg(MemorySize));
    fillMemory(0xFF);
    writeMemory(0, data);
    return true;
}

bool VirtualRadio::saveImage(const QString &path, QString *error) const
{
    QString reason;
    if (!writeFileAtomically(path, m_memory, &reason))
        return fail(error, QStringLiteral("%1: %2").arg(path, reason));
    return true;
}

void VirtualRadio::setFaults(const QList<RadioFault> &faults)
{
    m_faults = faults;
    m_stopped = false;
    m_random.seed(GarbageSeed);
}

bool VirtualRadio::setFaults(const QString &text, QString *error)
{
    const std::optional<QList<RadioFault>> faults = RadioFault::parseList(text, error);
    if (!faults)
        return false;
    setFaults(*faults);
    return true;
}

QList<VirtualRadio::Transfer> VirtualRadio::transcript() const
{
    QList<Transfer> transfers = m_transcript;
    const QByteArray waiting = m_pending.mid(m_recorded);
    if (waiting.isEmpty())
        return transfers;
    if (!transfers.isEmpty() && transfers.last().direction == Transfer::ToRadio)
        transfers.last().bytes += waiting;
    else
        transfers.append({Transfer::ToRadio, waiting});
    return transfers;
}

QByteArray VirtualRadio::receivedBytes() const
{
    QByteArray bytes;
    for (const Transfer &t : transcript()) {
        if (t.direction == Transfer::ToRadio)
            bytes += t.bytes;
    }
    return bytes;
}

QByteArray VirtualRadio::sentBytes() const
{
    QByteArray bytes;
    for (const Transfer &t : m_transcript) {
        if (t.direction == Transfer::FromRadio)
            bytes += t.bytes;
    }
    return bytes;
}

void VirtualRadio::clearTranscript()
{
    m_transcript.clear();
    m_recorded = int(m_pending.size());
    m_dropped = 0;
}

void VirtualRadio::record(Transfer::Direction direction, const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return;
    if (!m_transcript.isEmpty() && m_transcript.last().direction == direction)
        m_transcript.last().bytes += bytes;
    else
        m_transcript.append({direction, bytes});
}

qint64 VirtualRadio::byteTimeNs() const
{
    return m_baud > 0 ? qint64(BitsPerByte) * 1000000000 / m_baud : 0;
}

void VirtualRadio::armTimer(LineTimer &timer, qint64 dueNs, qint64 nowNs)
{
    timer.start(dueNs - nowNs);
}

void VirtualRadio::onReadable()
{
#ifdef Q_OS_UNIX
    QByteArray bytes;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n > 0) {
            bytes.append(buffer, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK)) {
            // Cannot happen while the terminal side is held open; stop
            // listening rather than spin on an endless error.
            m_readNotifier->setEnabled(false);
        }
        break;
    }
    if (bytes.isEmpty())
        return;
    const qint64 byteNs = byteTimeNs();
    if (byteNs == 0 && m_rxQueue.empty()) {
        receive(bytes);
        return;
    }
    const qint64 now = m_clock.nsecsElapsed();
    for (const char c : std::as_const(bytes)) {
        m_rxLineFreeAt = qMax(now, m_rxLineFreeAt) + byteNs;
        m_rxQueue.emplace_back(m_rxLineFreeAt, c);
    }
    if (!m_rxTimer.isActive())
        armTimer(m_rxTimer, m_rxQueue.front().first, now);
#endif
}

void VirtualRadio::onRxTimer()
{
    const qint64 now = m_clock.nsecsElapsed();
    std::deque<std::pair<qint64, char>> due;
    while (!m_rxQueue.empty() && m_rxQueue.front().first <= now) {
        due.push_back(m_rxQueue.front());
        m_rxQueue.pop_front();
    }
    if (!m_rxQueue.empty())
        armTimer(m_rxTimer, m_rxQueue.front().first, now);
    // Byte by byte, each at the moment it ended on the line, so that a reply
    // is timed from the end of its request however late the timer fired.
    for (const auto &[endedAt, byte] : due) {
        m_rxEndedAt = endedAt;
        receive(QByteArray(1, byte));
    }
    m_rxEndedAt = -1;
}

void VirtualRadio::receive(const QByteArray &bytes)
{
    if (fault(RadioFault::Silent) || m_stopped) {
        record(Transfer::ToRadio, m_pending.mid(m_recorded));
        m_recorded = int(m_pending.size());
        record(Transfer::ToRadio, bytes);
        return;
    }
    m_pending += bytes;
    parse();
}

void VirtualRadio::consume(int count)
{
    // Each request enters the transcript before its reply, however the
    // bytes were chunked on their way in.
    if (count > m_recorded)
        record(Transfer::ToRadio, m_pending.mid(m_recorded, count - m_recorded));
    m_recorded = qMax(0, m_recorded - count);
    m_pending.remove(0, count);
}

void VirtualRadio::parse()
{
    while (!m_pending.isEmpty() && !m_stopped) {
        int length = 0;
        const Match match = matchMessage(m_pending, &length);
        if (match == Match::Incomplete)
            break;
        if (match == Match::Invalid) {
            consume(1);
            ++m_dropped;
            continue;
        }
        const QByteArray message = m_pending.left(length);
        consume(length);
        switch (message.at(0)) {
        case StartByte:
            handshake();
            break;
        case Acknowledgement:
            acknowledge();
            break;
        case ReadCommand:
            readBlock(addressAt(message));
            break;
        case WriteCommand:
            writeBlock(addressAt(message), message.mid(4));
            break;
        case EndFirst:
            endSession();
            break;
        }
    }
    // An incomplete message stays out of the transcript until it is
    // parsed: bytes that turn out to be junk must come before the reply to
    // a message behind them, however the input was chunked.
    if (m_stopped) {
        record(Transfer::ToRadio, m_pending.mid(m_recorded));
        m_pending.clear();
        m_recorded = 0;
    }
}

void VirtualRadio::handshake()
{
    QByteArray reply(IdentReply, IdentReplyLength);
    if (fault(RadioFault::WrongIdent))
        reply = QByteArray(WrongIdentReply, IdentReplyLength);
    if (fault(RadioFault::IdentExtra))
        reply += IdentExtraByte;
    if (fault(RadioFault::Garbage))
        reply = garble(reply);
    m_inSession = true;
    send(reply);
    emit sessionStarted();
}

void VirtualRadio::acknowledge()
{
    if (!m_inSession)
        return;
    QByteArray reply(1, Acknowledgement);
    if (fault(RadioFault::Garbage))
        reply = garble(reply);
    send(reply);
}

void VirtualRadio::readBlock(quint16 address)
{
    if (!m_inSession || stopsAt(address))
        return;
    QByteArray reply;
    reply += WriteCommand;
    reply += char(address >> 8);
    reply += char(address & 0xFF);
    reply += LengthByte;
    reply += readMemory(address, BlockSize);
    if (const RadioFault *f = fault(RadioFault::Short, address))
        reply.truncate(f->length);
    if (fault(RadioFault::Garbage, address))
        reply = garble(reply);
    send(reply);
    emit blockRead(address);
}

void VirtualRadio::writeBlock(quint16 address, const QByteArray &data)
{
    if (!m_inSession || stopsAt(address))
        return;
    if (fault(RadioFault::Nak, address)) {
        send(QByteArray(1, NakByte));
        return;
    }
    QByteArray stored = data;
    if (fault(RadioFault::StoreWrong, address))
        stored[0] = char(stored.at(0) ^ 0x01);
    writeMemory(address, stored);
    QByteArray reply(1, Acknowledgement);
    if (fault(RadioFault::Garbage, address))
        reply = garble(reply);
    send(reply);
    emit blockWritten(address);
}

void VirtualRadio::endSession()
{
    if (!m_inSession)
        return;
    m_inSession = false;
    emit sessionEnded();
}

const RadioFault *VirtualRadio::fault(RadioFault::Kind kind, int address) const
{
    for (const RadioFault &f : m_faults) {
        if (f.kind == kind && (address < 0 ? f.address < 0 : f.appliesTo(quint16(address))))
            return &f;
    }
    return nullptr;
}

bool VirtualRadio::stopsAt(quint16 address)
{
    if (fault(RadioFault::StopAfter, address)) {
        m_stopped = true;
        m_inSession = false;
    }
    return m_stopped;
}

QByteArray VirtualRadio::garble(const QByteArray &reply)
{
    QByteArray bytes(reply.size(), Qt::Uninitialized);
    for (char &c : bytes)
        c = char(m_random.bounded(256));
    // A garbled reply that happened to be right would hide the fault.
    if (!bytes.isEmpty() && bytes == reply)
        bytes[0] = char(bytes.at(0) ^ 0x80);
    return bytes;
}

void VirtualRadio::send(const QByteArray &reply)
{
    if (reply.isEmpty())
        return;
    const qint64 byteNs = byteTimeNs();
    const qint64 latencyNs = qint64(m_latencyMs) * 1000000;
    if (byteNs == 0 && latencyNs == 0 && m_txQueue.empty()) {
        transmit(reply);
        return;
    }
    const qint64 now = m_clock.nsecsElapsed();
    // The radio turns round after the end of the request on the line; the
    // moment this process got to it does not count. Bytes whose time has
    // passed go out at once.
    const qint64 requestEnd = m_rxEndedAt >= 0 ? m_rxEndedAt : now;
    qint64 due = qMax(requestEnd + latencyNs, m_txLineFreeAt);
    for (const char c : reply) {
        due += byteNs;
        m_txQueue.emplace_back(due, c);
    }
    m_txLineFreeAt = due;
    if (!m_txTimer.isActive())
        armTimer(m_txTimer, m_txQueue.front().first, now);
}

void VirtualRadio::onTxTimer()
{
    const qint64 now = m_clock.nsecsElapsed();
    QByteArray due;
    while (!m_txQueue.empty() && m_txQueue.front().first <= now) {
        due.append(m_txQueue.front().second);
        m_txQueue.pop_front();
    }
    if (!m_txQueue.empty())
        armTimer(m_txTimer, m_txQueue.front().first, now);
    transmit(due);
}

void VirtualRadio::transmit(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return;
    record(Transfer::FromRadio, bytes);
    if (!isOpen())
        return;
    m_out += bytes;
    flushOut();
}

void VirtualRadio::onWritable()
{
    flushOut();
}

void VirtualRadio::flushOut()
{
#ifdef Q_OS_UNIX
    while (!m_out.isEmpty()) {
        const ssize_t n = ::write(m_master, m_out.constData(), size_t(m_out.size()));
        if (n > 0) {
            m_out.remove(0, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        // Full because the program is not reading: go on when there is room
        // again. Any other error cannot be waited out, so drop the bytes.
        if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK))
            m_out.clear();
        break;
    }
    m_writeNotifier->setEnabled(!m_out.isEmpty());
#endif
}
