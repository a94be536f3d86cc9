#pragma once

#include "board/accountingcounters.h"
#include "board/creditpacket.h"
#include "board/devices.h"
#include "board/lineformat.h"
#include "board/motor.h"
#include "board/rkprotocol.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

class ReceiptHelper;

namespace CashlessType {
enum Value {
    Standard = 0, // card or key read by the machine's own reader
    Pos = 1,      // charged through the payment terminal: slow to answer
};
} // namespace CashlessType

namespace VmcType {
enum Value {
    Pharmacy = 2, // this machine
};
} // namespace VmcType

// The controller board's command set: every operation is one request, a
// command letter and its arguments, and the decoding of its answer. Failures
// come back as false, -1, an invalid date-time, empty bytes, zero counters or
// the failed credit packet. Not thread-safe: Rk710Controller serialises it.
class Rk710SerialProtocol
{
public:
    enum Item { Hopper1 = 1, Hopper2 = 2 };
    enum CounterFrequency { Permanent = 0, Partial = 1, Daily = 2 };
    // Status of a long command as answered to the poll request.
    enum LongCommandStatus { Running = 0, Finished = 1, FinishedWithRemainder = 2, Failed = 3 };

    static const int BAUD_RATE = 115200;
    static const int PRINT_TIMEOUT = 20;
    static const int LONG_COMMAND_REPLY_SIZE = 4;
    static const int VERSION_STRING_SIZE = 128;
    static const int USE_PROTOCOL_TIMEOUT = -1;

    Rk710SerialProtocol();

    bool open(const char* device);
    void close() { m_protocol.close(); }
    bool isOpen() const { return m_protocol.isOpen(); }
    int errors() const { return m_protocol.errors(); }
    // The last request failed and the board certainly did not execute it
    // (refused with a NAK); otherwise a failed request may have run on the
    // board with its answer lost.
    bool lastRequestRefused() const { return m_protocol.lastRequestRefused(); }
    bool lastRequestLostAnAnswer() const { return m_protocol.lastRequestLostAnAnswer(); }
    rkprotocol::RkProtocol& protocol() { return m_protocol; }

    bool clear();
    bool withdrawCashless(int amount, CashlessType::Value type);
    CreditPacket getCredit();
    bool refundCashless(int amount);
    bool setCreditEnable(bool billValidator, bool coinAcceptor, bool pos, bool cashless);
    bool setBlinkingLights(char pattern);
    // An invalid date-time only reads the board's clock; a valid one sets it.
    QDateTime exchangeDateTime(const QDateTime& dateTime);
    bool setItemValue(Item item, int value);
    int readInput();
    int getItemValue(Item item);
    qint64 readProductPresenceMask();
    bool powerControl(bool on);
    bool setDoorStatus(bool open);
    // The status byte; Failed also when the answer is shorter than 2 bytes.
    // length holds the capacity of reply (at least 2) on entry and the
    // announced answer length on return.
    int pollLongCommandStatus(quint8* reply, int& length);
    bool setOutput(bool on, int mask);
    bool printString(const QByteArray& text, LineFormat::Format format);
    bool sendResetMotorCommand(Motor motor);
    bool giveChange(int amount);
    int readBoardStatus();
    bool sendMoveMotorCommand(Motor motor);
    bool setPwmOutput(char a, char b, char c, char d);
    bool exchangeFirmwareVersions(VmcType::Value type, char a, int serial, bool watchdog, bool assignSerial,
                                  quint8& version1, quint8& version2, int& boardSerial);
    bool setBanknoteAcceptance(bool accept);
    bool sendDispenseItemsCommand(Item item, quint8 count);
    AccountingCounters getCounters(CounterFrequency frequency);
    bool resetCounters(CounterFrequency frequency);
    QByteArray getVersionString(Devices::Index device);
    // Bit position (0..63) of the presence mask; a failed read reads as occupied.
    bool testProductPresence(int position);
    // One line per request, an empty line as a single space; stops at the
    // first failure. True when every line was printed.
    bool printMultilineString(const QString& text, LineFormat::Format format);
    bool printReceipt(const ReceiptHelper& receipt);

    // The bytes sent to the printer for a line of text: ASCII, accents
    // dropped, anything else as "?", and a single space for an empty line.
    static QByteArray printableLine(const QString& text);

private:
    bool send(const QByteArray& request, quint8* reply = nullptr, int* length = nullptr,
              int timeout = USE_PROTOCOL_TIMEOUT);
    bool printLine(const QString& text, LineFormat::Format format);

    rkprotocol::RkProtocol m_protocol;
};
