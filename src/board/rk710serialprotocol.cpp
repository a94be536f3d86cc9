#include "board/rk710serialprotocol.h"

#include "board/receipthelper.h"

#include <QStringList>
#include <QtEndian>

namespace {

// Builds the data of one request: the command letter, then its arguments.
class Request
{
public:
    explicit Request(char code) { m_data.append(code); }
    Request& byte(int value)
    {
        m_data.append(char(quint8(value)));
        return *this;
    }
    Request& word(int value)
    {
        quint8 buf[2];
        qToBigEndian(quint16(value), buf);
        m_data.append(reinterpret_cast<const char*>(buf), 2);
        return *this;
    }
    Request& integer(int value)
    {
        quint8 buf[4];
        qToBigEndian(quint32(value), buf);
        m_data.append(reinterpret_cast<const char*>(buf), 4);
        return *this;
    }
    Request& bytes(const QByteArray& data)
    {
        m_data.append(data);
        return *this;
    }
    operator const QByteArray&() const { return m_data; }

private:
    QByteArray m_data;
};

const int CREDIT_REPLY_SIZE = 32;
const int CREDIT_SHORT_ANSWER = 12;
const int CREDIT_LONG_ANSWER = 14;
const int COUNTERS_REPLY_SIZE = 32;
const int DATE_TIME_LENGTH = 7;
const int WORD_ANSWER_LENGTH = 4;
const int PRESENCE_ANSWER_LENGTH = 8;
const int VERSIONS_ANSWER_LENGTH = 6;
const qint64 FAILED_PRESENCE = -1;

} // namespace

Rk710SerialProtocol::Rk710SerialProtocol() = default;

bool Rk710SerialProtocol::open(const char* device)
{
    return m_protocol.open(device, BAUD_RATE);
}

bool Rk710SerialProtocol::send(const QByteArray& request, quint8* reply, int* length, int timeout)
{
    return m_protocol.sendCommand(reinterpret_cast<const quint8*>(request.constData()), int(request.size()),
                                  timeout == USE_PROTOCOL_TIMEOUT ? m_protocol.timeout() : timeout,
                                  m_protocol.maxRetransmissions(), reply, length);
}

bool Rk710SerialProtocol::clear()
{
    return send(Request('A'));
}

bool Rk710SerialProtocol::withdrawCashless(int amount, CashlessType::Value type)
{
    return send(Request('B').byte(type).word(amount));
}

CreditPacket Rk710SerialProtocol::getCredit()
{
    quint8 reply[CREDIT_REPLY_SIZE];
    int length = sizeof reply;
    if (!send(Request('C'), reply, &length) || length < CREDIT_SHORT_ANSWER)
        return CreditPacket::failed();
    const int coinBox = length == CREDIT_LONG_ANSWER ? qFromBigEndian<quint16>(reply + 12) : 0;
    return CreditPacket(qFromBigEndian<quint16>(reply), qFromBigEndian<quint16>(reply + 2),
                        qFromBigEndian<quint16>(reply + 4), qFromBigEndian<quint16>(reply + 6), coinBox,
                        qFromBigEndian<qint32>(reply + 8));
}

bool Rk710SerialProtocol::refundCashless(int amount)
{
    return send(Request('D').byte(0).word(amount));
}

bool Rk710SerialProtocol::setCreditEnable(bool billValidator, bool coinAcceptor, bool pos, bool cashless)
{
    const int sources = (billValidator ? 1 : 0) | (coinAcceptor ? 2 : 0) | (pos ? 4 : 0) | (cashless ? 8 : 0);
    return send(Request('E').byte(sources));
}

bool Rk710SerialProtocol::setBlinkingLights(char pattern)
{
    return send(Request('F').byte(pattern).byte(0).byte(0));
}

QDateTime Rk710SerialProtocol::exchangeDateTime(const QDateTime& dateTime)
{
    Request request('G');
    if (dateTime.isValid()) {
        const QDate date = dateTime.date();
        const QTime time = dateTime.time();
        request.byte(qBound(0, date.year() - 2000, 99)).byte(date.month()).byte(date.day());
        request.byte(time.hour()).byte(time.minute()).byte(time.second()).byte(date.dayOfWeek());
    } else {
        request.byte(0).byte(0).byte(0).byte(255).byte(255).byte(255).byte(0);
    }
    quint8 reply[DATE_TIME_LENGTH];
    int length = sizeof reply;
    if (!send(request, reply, &length) || length != DATE_TIME_LENGTH)
        return QDateTime();
    const QDate date(2000 + reply[0], reply[1], reply[2]);
    const QTime time(reply[3], reply[4], reply[5]);
    if (!date.isValid() || !time.isValid())
        return QDateTime();
    return QDateTime(date, time);
}

bool Rk710SerialProtocol::setItemValue(Item item, int value)
{
    return send(Request('H').byte(item).word(value));
}

int Rk710SerialProtocol::readInput()
{
    quint8 reply[WORD_ANSWER_LENGTH];
    int length = sizeof reply;
    if (!send(Request('I'), reply, &length) || length != WORD_ANSWER_LENGTH)
        return -1;
    return qFromBigEndian<qint32>(reply);
}

int Rk710SerialProtocol::getItemValue(Item item)
{
    quint8 reply[WORD_ANSWER_LENGTH];
    int length = sizeof reply;
    if (!send(Request('J').byte(item).byte(0).byte(0), reply, &length) || length < 2)
        return -1;
    return qFromBigEndian<quint16>(reply);
}

qint64 Rk710SerialProtocol::readProductPresenceMask()
{
    quint8 reply[PRESENCE_ANSWER_LENGTH];
    int length = sizeof reply;
    if (!send(Request('K'), reply, &length) || length != PRESENCE_ANSWER_LENGTH)
        return FAILED_PRESENCE;
    // The only little-endian number of the protocol: its first byte holds
    // the products 0 to 7.
    return qFromLittleEndian<qint64>(reply);
}

bool Rk710SerialProtocol::powerControl(bool on)
{
    return send(Request('L').byte(on ? 1 : 0));
}

bool Rk710SerialProtocol::setDoorStatus(bool open)
{
    return send(Request('M').byte(open ? 1 : 2));
}

int Rk710SerialProtocol::pollLongCommandStatus(quint8* reply, int& length)
{
    if (!reply || length < 2 || !send(Request('N'), reply, &length) || length < 2)
        return Failed;
    return reply[1];
}

bool Rk710SerialProtocol::setOutput(bool on, int mask)
{
    return send(Request('O').byte(on ? 1 : 0).word(mask));
}

bool Rk710SerialProtocol::printString(const QByteArray& text, LineFormat::Format format)
{
    quint8 reply[1];
    int length = sizeof reply;
    return send(Request('P').byte(format).bytes(text), reply, &length, PRINT_TIMEOUT) && length == 1
        && reply[0] != 0;
}

bool Rk710SerialProtocol::sendResetMotorCommand(Motor motor)
{
    return send(Request('Q').byte(motor.number()));
}

bool Rk710SerialProtocol::giveChange(int amount)
{
    return send(Request('R').word(amount));
}

int Rk710SerialProtocol::readBoardStatus()
{
    quint8 reply[WORD_ANSWER_LENGTH];
    int length = sizeof reply;
    if (!send(Request('S'), reply, &length) || length != WORD_ANSWER_LENGTH)
        return -1;
    return qFromBigEndian<qint32>(reply);
}

bool Rk710SerialProtocol::sendMoveMotorCommand(Motor motor)
{
    return send(Request('T').byte(motor.number()));
}

bool Rk710SerialProtocol::setPwmOutput(char a, char b, char c, char d)
{
    return send(Request('U').byte(a).byte(b).byte(c).byte(d));
}

bool Rk710SerialProtocol::exchangeFirmwareVersions(VmcType::Value type, char a, int serial, bool watchdog,
                                                   bool assignSerial, quint8& version1, quint8& version2,
                                                   int& boardSerial)
{
    quint8 reply[VERSIONS_ANSWER_LENGTH];
    int length = sizeof reply;
    const Request request = Request('V').byte(type).byte(a).integer(serial).byte(watchdog ? 1 : 0).byte(
        assignSerial ? 1 : 0);
    if (!send(request, reply, &length) || length != VERSIONS_ANSWER_LENGTH)
        return false;
    version1 = reply[0];
    version2 = reply[1];
    boardSerial = qFromBigEndian<qint32>(reply + 2);
    return true;
}

bool Rk710SerialProtocol::setBanknoteAcceptance(bool accept)
{
    return send(Request('W').byte(accept ? 1 : 0));
}

bool Rk710SerialProtocol::sendDispenseItemsCommand(Item item, quint8 count)
{
    return send(Request('X').byte(item).byte(count));
}

AccountingCounters Rk710SerialProtocol::getCounters(CounterFrequency frequency)
{
    quint8 reply[COUNTERS_REPLY_SIZE];
    int length = sizeof reply;
    if (!send(Request('Y').byte(frequency), reply, &length))
        return AccountingCounters();
    return AccountingCounters::fromAnswer(reply, length);
}

bool Rk710SerialProtocol::resetCounters(CounterFrequency frequency)
{
    return send(Request('y').byte(frequency));
}

QByteArray Rk710SerialProtocol::getVersionString(Devices::Index device)
{
    quint8 reply[VERSION_STRING_SIZE];
    int length = sizeof reply;
    if (!send(Request('Z').byte(device), reply, &length))
        return QByteArray();
    return QByteArray(reinterpret_cast<const char*>(reply), qMin(length, int(sizeof reply)));
}

bool Rk710SerialProtocol::testProductPresence(int position)
{
    if (position < 0 || position > 63)
        return false;
    return (quint64(readProductPresenceMask()) >> position) & 1;
}

QByteArray Rk710SerialProtocol::printableLine(const QString& text)
{
    if (text.isEmpty())
        return QByteArray(" ");
    QByteArray bytes;
    for (QChar c : text.normalized(QString::NormalizationForm_D)) {
        if (c.unicode() < 128)
            bytes.append(char(c.unicode()));
        else if (!c.isMark())
            bytes.append('?');
    }
    return bytes;
}

bool Rk710SerialProtocol::printLine(const QString& text, LineFormat::Format format)
{
    return printString(printableLine(text), format);
}

bool Rk710SerialProtocol::printMultilineString(const QString& text, LineFormat::Format format)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (const QString& line : lines) {
        if (!printLine(line, format))
            return false;
    }
    return true;
}

bool Rk710SerialProtocol::printReceipt(const ReceiptHelper& receipt)
{
    for (const ReceiptHelper::Line& line : receipt.lines()) {
        if (!printLine(line.first, LineFormat::Format(line.second)))
            return false;
    }
    return true;
}
