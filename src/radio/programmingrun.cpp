#include "radio/programmingrun.h"

#include "model/radiodata.h"
#include "radio/memorycodec.h"
#include "radio/seriallink.h"

namespace {

// Requests as hex text.
const QString StartRequest = QStringLiteral("02");
const QString IdentRequest = QStringLiteral("44524176696B");   // "DRAvik"
const QString IdentReply = QStringLiteral("0620746F7276656E"); // 0x06 0x20 "torven"
const QString EndCommand = QStringLiteral("646F");

constexpr int IdentReplyLength = 8;
constexpr int BlockReplyLength = 12;
constexpr int BlockSize = 8;
// The data bytes of a block reply follow four leading bytes.
constexpr int ReplyDataOffset = 4;

QString addressDigits(int address)
{
    return QStringLiteral("%1").arg(address, 4, 16, QLatin1Char('0')).toUpper();
}

// "52 hi lo 08": read the 8 bytes at address.
QString readRequest(int address)
{
    return QStringLiteral("52") + addressDigits(address) + QStringLiteral("08");
}

// "57 hi lo 08" and the 8 data bytes: write them at address.
QString writeRequest(int address, const QString &data)
{
    return QStringLiteral("57") + addressDigits(address) + QStringLiteral("08") + data;
}

} // namespace

bool ProgrammingResult::complete() const
{
    if (!linkOk || outcome != Outcome::Done || !settingsDone || !endSent)
        return false;
    return mode != TransferMode::Write || (bandOneDone && bandTwoDone && identDone);
}

ProgrammingRun::ProgrammingRun(SerialLink &link, RadioData &data, QObject *parent)
    : QObject(parent), m_link(link), m_data(data), m_image(ImageSize, char(0xFF))
{
    connect(&m_link, &SerialLink::linkLost, this, [this](const QString &message) {
        if (!m_running)
            return;
        m_linkLost = true;
        m_linkLostMessage = message;
    });
}

ProgrammingRun::~ProgrammingRun() = default;

ProgrammingResult ProgrammingRun::run(TransferMode mode)
{
    if (m_running) {
        // Called from an event handled inside one of the waits of the run in
        // progress: starting another exchange now would interleave with it.
        ProgrammingResult busy;
        busy.mode = mode;
        busy.outcome = ProgrammingResult::Outcome::Busy;
        busy.message = QStringLiteral("A programming run is already in progress");
        return busy;
    }
    m_running = true;
    m_linkLost = false;
    m_linkLostMessage.clear();
    m_result = ProgrammingResult();
    m_result.mode = mode;
    m_image.fill(char(0xFF));

    try {
        perform(mode);
        m_result.outcome = ProgrammingResult::Outcome::Done;
    } catch (const Abort &abort) {
        m_linkOk = false;
        m_result.outcome = abort.outcome;
        m_result.message = abort.message;
    }
    m_result.linkOk = m_linkOk;
    m_result.step = m_step;

    if (m_result.outcome == ProgrammingResult::Outcome::Done && !m_result.complete()) {
        QStringList skipped;
        if (!m_result.settingsDone)
            skipped << (mode == TransferMode::Read ? QStringLiteral("reading the function settings")
                                                   : QStringLiteral("the function settings"));
        if (mode == TransferMode::Write) {
            if (!m_result.bandOneDone)
                skipped << QStringLiteral("the band one edges");
            if (!m_result.bandTwoDone)
                skipped << QStringLiteral("the band two edges");
            if (!m_result.identDone)
                skipped << QStringLiteral("the identification block");
        }
        if (!m_result.endSent)
            skipped << QStringLiteral("the end command");
        m_result.message = (mode == TransferMode::Read
                                ? QStringLiteral("The channels were read; not done: ")
                                : QStringLiteral("The channels were written; not confirmed: ")) +
                           skipped.join(QStringLiteral(", "));
    }

    m_running = false;
    emit finished(m_result);
    return m_result;
}

ProgrammingResult ProgrammingRun::identify()
{
    ProgrammingResult result;
    result.mode = TransferMode::Read;
    if (m_running) {
        result.outcome = ProgrammingResult::Outcome::Busy;
        result.message = QStringLiteral("A programming run is already in progress");
        return result;
    }
    m_running = true;
    m_linkLost = false;
    m_linkLostMessage.clear();
    const ProgrammingResult lastRun = m_result;
    const bool lastLinkOk = m_linkOk;
    m_result = result;
    try {
        if (!m_link.isPortOpen())
            fail(ProgrammingResult::Outcome::PortClosed,
                 QStringLiteral("The serial port is not open; nothing was sent"));
        clear();
        m_linkOk = false;
        handshake();
        clear();
        send(EndCommand);
        m_result.endSent = true;
        wait(EndCommandWait);
        m_result.outcome = ProgrammingResult::Outcome::Done;
    } catch (const Abort &abort) {
        m_linkOk = false;
        m_result.outcome = abort.outcome;
        m_result.message = abort.message;
    }
    m_result.linkOk = m_linkOk;
    result = m_result;
    m_result = lastRun;
    m_linkOk = lastLinkOk;
    m_running = false;
    return result;
}

void ProgrammingRun::perform(TransferMode mode)
{
    if (mode == TransferMode::Write) {
        const QStringList problems = MemoryCodec::preflightCheck(m_data);
        if (!problems.isEmpty()) {
            m_result.problems = problems;
            fail(ProgrammingResult::Outcome::Refused,
                 QStringLiteral("Nothing was sent: %1 value(s) cannot be stored in the radio")
                     .arg(problems.size()));
        }
    }
    if (!m_link.isPortOpen())
        fail(ProgrammingResult::Outcome::PortClosed,
             QStringLiteral("The serial port is not open; nothing was sent"));

    clear();
    m_linkOk = false;
    m_step = 0;

    handshake();
    openLink();
    if (mode == TransferMode::Read)
        readRun();
    else
        writeRun();
}

void ProgrammingRun::handshake()
{
    bool answered = false;
    QByteArray wrongReply;
    for (int attempt = 1; attempt <= HandshakeAttempts; ++attempt) {
        m_result.attempts = attempt;
        send(StartRequest);
        wait(StartByteWait);
        expect(IdentReplyLength);
        send(IdentRequest);
        wait(ReplyWait);
        if (m_link.hasReceived()) {
            clear();
            answered = true;
            if (SerialLink::bytesToHex(m_link.receivedBytes()) == IdentReply) {
                m_linkOk = true;
                return;
            }
            // Any other content, or extra bytes, is no identification; the
            // threshold stays at 8 for the next attempt.
            wrongReply = m_link.receivedBytes();
        } else {
            m_linkOk = false;
            expect(0);
        }
    }
    fail(ProgrammingResult::Outcome::NoIdentification,
         answered ? QStringLiteral("The radio's identification reply was not recognised "
                                   "(last reply %1) after %2 attempts")
                        .arg(SerialLink::bytesToHex(wrongReply))
                        .arg(HandshakeAttempts)
                  : QStringLiteral("No radio answered the identification in %1 attempts")
                        .arg(HandshakeAttempts));
}

void ProgrammingRun::openLink()
{
    expect(1);
    sendAck();
    wait(ReplyWait);
    if (!byteCheck())
        return;
    // The radio is told to read its identification block; nothing depends
    // on the reply, but it is kept with the image.
    clear();
    send(readRequest(MemoryCodec::IdentBlockAddress));
    expect(BlockReplyLength);
    wait(ReplyWait);
    if (m_link.hasReceived() && m_link.receivedBytes().size() >= BlockReplyLength) {
        keep(MemoryCodec::IdentBlockAddress, m_link.receivedBytes());
        m_result.identRead = true;
    }
    clear();
}

void ProgrammingRun::readRun()
{
    expect(1);
    sendAck();
    wait(ReplyWait);

    ChannelTable &table = m_data.table;
    for (int n = 1; n <= ChannelTable::ChannelCount; ++n) {
        const int address = MemoryCodec::channelAddress(n);
        m_result.channel = n;
        if (!freshCheck())
            fail(ProgrammingResult::Outcome::CheckFailed,
                 QStringLiteral("The radio stopped answering at channel %1").arg(channelLabel(n)));
        clear();
        expect(BlockReplyLength);
        send(readRequest(address));
        table.clearRow(n);
        wait(ReplyWait);

        const QByteArray replyA = blockReply(n, QStringLiteral("first"));
        clear();
        expect(1);
        keep(address, replyA);
        sendAck();
        wait(ReplyWait);

        if (!freshCheck())
            fail(ProgrammingResult::Outcome::CheckFailed,
                 QStringLiteral("The radio stopped answering at channel %1").arg(channelLabel(n)));
        clear();
        expect(BlockReplyLength);
        send(readRequest(address + BlockSize));
        wait(ReplyWait);

        const QByteArray replyB = blockReply(n, QStringLiteral("second"));
        clear();
        keep(address + BlockSize, replyB);
        expect(1);
        // The row was emptied when its first block was asked for; an
        // unreadable channel leaves it so.
        const std::optional<Channel> channel = MemoryCodec::decodeChannel(
            SerialLink::bytesToHex(replyA), SerialLink::bytesToHex(replyB));
        if (channel)
            table.setChannel(n, *channel);
        else
            m_result.unreadableChannels.append(n);
        sendAck();
        wait(ReplyWait);
        advance();
    }
    m_result.channel = 0;

    if (byteCheck()) {
        clear();
        expect(BlockReplyLength);
        send(readRequest(MemoryCodec::SettingsBlockAddress));
        wait(ReplyWait);
        const bool fresh = m_link.hasReceived();
        const QByteArray reply = m_link.receivedBytes();
        clear();
        // A reply too short to hold the block (or none) skips the settings,
        // as a failed check does: the settings keep their values.
        if (fresh && reply.size() >= BlockReplyLength &&
            MemoryCodec::decodeSettingsBlock(m_data.settings, SerialLink::bytesToHex(reply))) {
            keep(MemoryCodec::SettingsBlockAddress, reply);
            m_result.settingsDone = true;
            advance();
        }
    }

    expect(1);
    sendAck();
    wait(ReplyWait);
    if (byteCheck()) {
        setGaugeToMaximum(TransferMode::Read);
        clear();
        send(EndCommand);
        m_result.endSent = true;
        wait(EndCommandWait);
    }
}

void ProgrammingRun::writeRun()
{
    expect(1);
    sendAck();
    wait(ReplyWait);

    for (int n = 1; n <= ChannelTable::ChannelCount; ++n) {
        const int address = MemoryCodec::channelAddress(n);
        m_result.channel = n;
        // Only the byte check here: the acknowledgement it looks at may be
        // the one of the previous channel's first block.
        if (!byteCheck())
            fail(ProgrammingResult::Outcome::CheckFailed,
                 QStringLiteral("The radio did not acknowledge before channel %1")
                     .arg(channelLabel(n)));
        const MemoryCodec::ChannelBlocks blocks =
            MemoryCodec::encodeChannel(m_data.table.channel(n).channel);
        clear();
        expect(1);
        send(writeRequest(address, blocks.first));
        wait(ReplyWait);

        if (!freshCheck())
            fail(ProgrammingResult::Outcome::CheckFailed,
                 QStringLiteral("The radio did not acknowledge channel %1").arg(channelLabel(n)));
        keepWritten(address, blocks.first);
        clear();
        expect(1);
        send(writeRequest(address + BlockSize, blocks.second));
        wait(ReplyWait);
        if (freshCheck())
            keepWritten(address + BlockSize, blocks.second);
        advance();
    }
    m_result.channel = 0;

    if (!freshCheck()) {
        m_result.channel = ChannelTable::ChannelCount;
        fail(ProgrammingResult::Outcome::CheckFailed,
             QStringLiteral("The radio did not acknowledge channel %1")
                 .arg(channelLabel(ChannelTable::ChannelCount)));
    }
    const QString settings = MemoryCodec::encodeSettingsBlock(m_data.settings);
    clear();
    send(writeRequest(MemoryCodec::SettingsBlockAddress, settings));
    expect(1);
    wait(ReplyWait);
    if (freshCheck()) {
        keepWritten(MemoryCodec::SettingsBlockAddress, settings);
        m_result.settingsDone = true;
    }
    advance();

    // Each of the next three steps is skipped, without failing the run,
    // when the reply before it was no acknowledgement.
    const auto writeBlock = [this](int address, const QString &data, bool *done) {
        if (byteCheck()) {
            clear();
            send(writeRequest(address, data));
            expect(1);
            wait(ReplyWait);
            if (freshCheck()) {
                keepWritten(address, data);
                *done = true;
            }
        }
        advance();
    };
    const BandRanges &bands = m_data.bands;
    writeBlock(MemoryCodec::BandOneEdgesAddress,
               MemoryCodec::encodeBandEdges(bands.list1_rx, bands.list1_tx), &m_result.bandOneDone);
    writeBlock(MemoryCodec::BandTwoEdgesAddress,
               MemoryCodec::encodeBandEdges(bands.list2_rx, bands.list2_tx), &m_result.bandTwoDone);
    writeBlock(MemoryCodec::IdentBlockAddress, MemoryCodec::IdentBlockData, &m_result.identDone);

    if (byteCheck()) {
        setGaugeToMaximum(TransferMode::Write);
        clear();
        send(EndCommand);
        m_result.endSent = true;
        wait(EndCommandWait);
    }
}

void ProgrammingRun::send(const QString &hex)
{
    if (!m_link.setRequestHex(hex) || !m_link.sendRequest())
        fail(ProgrammingResult::Outcome::LinkLost,
             QStringLiteral("The serial line was lost: %1")
                 .arg(m_linkLost ? m_linkLostMessage
                                 : QStringLiteral("the request could not be sent")));
}

void ProgrammingRun::sendAck()
{
    if (!m_link.sendAcknowledgement())
        fail(ProgrammingResult::Outcome::LinkLost,
             QStringLiteral("The serial line was lost: %1")
                 .arg(m_linkLost ? m_linkLostMessage
                                 : QStringLiteral("the acknowledgement could not be sent")));
}

void ProgrammingRun::expect(int bytes)
{
    m_link.setReceiveThreshold(bytes);
}

void ProgrammingRun::wait(int milliseconds)
{
    m_link.waitForReceive(milliseconds);
    // The link closes the port when the line fails, and the wait ends on it.
    if (m_linkLost || !m_link.isPortOpen())
        fail(ProgrammingResult::Outcome::LinkLost,
             QStringLiteral("The serial line was lost: %1")
                 .arg(m_linkLost ? m_linkLostMessage
                                 : QStringLiteral("the port was closed during the run")));
}

void ProgrammingRun::clear()
{
    m_link.clearReceived();
}

bool ProgrammingRun::byteCheck() const
{
    const QByteArray bytes = m_link.receivedBytes();
    return !bytes.isEmpty() && bytes.at(0) == Acknowledgement;
}

bool ProgrammingRun::freshCheck() const
{
    return m_link.hasReceived() && byteCheck();
}

void ProgrammingRun::advance()
{
    ++m_step;
    m_result.gauge = m_step;
    emit progress(m_step);
}

void ProgrammingRun::setGaugeToMaximum(TransferMode mode)
{
    m_result.gauge = gaugeMaximum(mode);
    emit progress(m_result.gauge);
}

QByteArray ProgrammingRun::blockReply(int channel, const QString &what)
{
    const QByteArray reply = m_link.receivedBytes();
    if (m_link.hasReceived() && reply.size() >= BlockReplyLength)
        return reply;
    // Below the threshold a reply raises no receive event; what did come
    // still waits in the input.
    const qint64 got = m_link.hasReceived() ? reply.size() : m_link.bytesWaiting();
    if (got > 0)
        fail(ProgrammingResult::Outcome::ShortReply,
             QStringLiteral("The radio's reply to the %1 block of channel %2 was too short "
                            "(%3 of %4 bytes)")
                 .arg(what, channelLabel(channel))
                 .arg(got)
                 .arg(BlockReplyLength));
    fail(ProgrammingResult::Outcome::CheckFailed,
         QStringLiteral("The radio stopped answering at channel %1").arg(channelLabel(channel)));
}

void ProgrammingRun::keep(int address, const QByteArray &reply)
{
    if (reply.size() < BlockReplyLength)
        return;
    m_image.replace(address, BlockSize, reply.mid(ReplyDataOffset, BlockSize));
}

void ProgrammingRun::keepWritten(int address, const QString &dataHex)
{
    const QByteArray bytes = QByteArray::fromHex(dataHex.toLatin1());
    if (bytes.size() == BlockSize)
        m_image.replace(address, BlockSize, bytes);
}

void ProgrammingRun::fail(ProgrammingResult::Outcome outcome, const QString &message)
{
    throw Abort{outcome, message};
}
