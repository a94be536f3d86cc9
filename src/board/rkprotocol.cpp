#include "board/rkprotocol.h"

#include "board/boardlog.h"
#include "board/rkserialport.h"

namespace rkprotocol {

namespace {

const int MAX_DATA_LENGTH = 0xFFFF;

} // namespace

RkProtocol::RkProtocol() = default;

RkProtocol::~RkProtocol()
{
    close();
}

bool RkProtocol::open(const char* path, int baud)
{
    close();
    m_port = RkSerialPortOpen(path, baud, 8, 0, 1);
    return m_port != 0;
}

void RkProtocol::close()
{
    if (m_port != 0)
        RkSerialPortClose(m_port);
    m_port = 0;
}

bool RkProtocol::sendCommand(const quint8* request, int length, int timeout, int attempts,
                             void* reply, int* replyLength)
{
    m_answerLost = false;
    if (!isOpen()) {
        m_lastRequestRefused = true;
        return false;
    }
    // The capacity is taken once: each attempt reports the announced length
    // through replyLength, which must not become the capacity of the next one.
    const int capacity = (reply && replyLength) ? *replyLength : 0;
    for (int attempt = 0; attempt < attempts && !cancelled(); ++attempt) {
        m_nakReceived = false;
        if (reply && !replyLength)
            continue;
        if (exchange(request, length, timeout, static_cast<quint8*>(reply), capacity, replyLength)) {
            ++m_sequence;
            m_errors = 0;
            m_lastRequestRefused = false;
            return true;
        }
        m_answerLost = m_answerLost || !m_nakReceived;
    }
    ++m_sequence;
    ++m_errors;
    m_lastRequestRefused = !m_answerLost;
    qCDebug(boardLog, "Request '%c' failed after %d attempts (%s); %d failures in a row",
            length > 0 ? char(request[0]) : '?', attempts,
            m_answerLost ? "answer lost" : "refused", m_errors);
    return false;
}

bool RkProtocol::exchange(const quint8* request, int length, int timeout, quint8* reply,
                          int capacity, int* replyLength)
{
    const quint8 id = identifier(m_sequence);
    RkSerialPortPurge(m_port);
    if (!writeRequest(request, length, id))
        return false;
    if (timeout <= 0 || !awaitAcknowledgement(timeout))
        return false;
    if (RkSerialPortReadByte(m_port) != id)
        return false;
    const int high = RkSerialPortReadByte(m_port);
    const int low = high < 0 ? -1 : RkSerialPortReadByte(m_port);
    if (low < 0)
        return false;
    const int announced = (high << 8) | low;
    quint8 sum = quint8(id + high + low);
    for (int i = 0; i < announced; ++i) {
        const int byte = RkSerialPortReadByte(m_port);
        if (byte < 0)
            return false;
        sum += quint8(byte);
        if (reply && i < capacity)
            reply[i] = quint8(byte);
    }
    const int checksum = RkSerialPortReadByte(m_port);
    if (replyLength)
        *replyLength = announced;
    return checksum >= 0 && checksum == quint8(~sum);
}

bool RkProtocol::writeRequest(const quint8* request, int length, quint8 id)
{
    if (length < 0 || length > MAX_DATA_LENGTH || (length > 0 && !request))
        return false;
    const quint8 header[] = {id, quint8(length >> 8), quint8(length & 0xFF)};
    if (RkSerialPortWriteByte(m_port, START_OF_REQUEST) < 0)
        return false;
    quint8 sum = 0;
    for (quint8 byte : header) {
        if (RkSerialPortWriteByte(m_port, byte) < 0)
            return false;
        sum += byte;
    }
    for (int i = 0; i < length; ++i) {
        if (RkSerialPortWriteByte(m_port, request[i]) < 0)
            return false;
        sum += request[i];
    }
    return RkSerialPortWriteByte(m_port, quint8(~sum)) >= 0;
}

// Skips stray bytes; every byte that is not the acknowledgement and every
// empty 100 ms read uses up one unit of the wait.
bool RkProtocol::awaitAcknowledgement(int timeout)
{
    for (int reads = 0; reads < timeout && !cancelled(); ++reads) {
        const int byte = RkSerialPortReadByte(m_port);
        if (byte == ACK)
            return true;
        if (byte == NAK) {
            m_nakReceived = true;
            return false;
        }
    }
    return false;
}

} // namespace rkprotocol
