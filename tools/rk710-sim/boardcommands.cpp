#include "boardcommands.h"

#include "machine.h"
#include "wire.h"

namespace rk710sim {

namespace {

// Request length (letter included) of each command; P takes a text of any
// length after its format byte.
int expected_length(char code)
{
    switch (code) {
    case 'A': case 'C': case 'I': case 'K': case 'N': case 'S':
        return 1;
    case 'E': case 'L': case 'M': case 'Q': case 'T': case 'W': case 'Y': case 'y': case 'Z':
        return 2;
    case 'R': case 'X':
        return 3;
    case 'B': case 'D': case 'F': case 'H': case 'J': case 'O':
        return 4;
    case 'U':
        return 5;
    case 'G':
        return 8;
    case 'V':
        return 9;
    default:
        return 0;
    }
}

BoardCommands::Answer accepted(const QByteArray& data = QByteArray())
{
    return BoardCommands::Answer{true, data, QString()};
}

BoardCommands::Answer refused(const QString& why)
{
    return BoardCommands::Answer{false, QByteArray(), why};
}

} // namespace

BoardCommands::BoardCommands(Machine* machine)
    : m_machine(machine)
{
}

BoardCommands::Answer BoardCommands::execute(const QByteArray& request)
{
    if (request.isEmpty())
        return refused(QStringLiteral("empty request"));
    const char code = request.at(0);
    if (code != 'P')
        m_machine->endReceipt();
    if (code == 'P') {
        if (request.size() < 2)
            return refused(QStringLiteral("print without format"));
        const bool printed = m_machine->printLine(wire_byte(request, 1), request.mid(2));
        return accepted(QByteArray(1, char(printed ? 1 : 0)));
    }
    const int length = expected_length(code);
    if (length == 0)
        return refused(QStringLiteral("unknown command"));
    if (request.size() != length)
        return refused(QStringLiteral("length %1, expected %2").arg(request.size()).arg(length));

    QByteArray answer;
    switch (code) {
    case 'A':
        m_machine->clearCredit();
        return accepted();
    case 'B':
        return longCommand(m_machine->startCardCharge(wire_byte(request, 1), wire_word(request, 2)));
    case 'C': {
        const Machine::Credit credit = m_machine->credit();
        append_word(answer, credit.bill);
        append_word(answer, credit.coins);
        append_word(answer, credit.pos);
        append_word(answer, credit.cashless);
        append_int(answer, credit.cardId);
        append_word(answer, credit.coinBox);
        return accepted(answer);
    }
    case 'D':
        return longCommand(m_machine->startCardRecharge(wire_word(request, 2)));
    case 'E':
        m_machine->setCreditEnables(wire_byte(request, 1));
        return accepted();
    case 'F':
        m_machine->setBlinkPattern(wire_byte(request, 1));
        return accepted();
    case 'G':
        return dateTime(request);
    case 'H':
        if (!m_machine->setItemValue(wire_byte(request, 1), wire_word(request, 2)))
            return refused(QStringLiteral("no item %1").arg(wire_byte(request, 1)));
        return accepted();
    case 'I':
        append_int(answer, qint32(m_machine->inputWord()));
        return accepted(answer);
    case 'J': {
        const int value = m_machine->itemValue(wire_byte(request, 1));
        if (value < 0)
            return refused(QStringLiteral("no item %1").arg(wire_byte(request, 1)));
        append_word(answer, value);
        return accepted(answer);
    }
    case 'K':
        append_mask64(answer, m_machine->presenceMask());
        return accepted(answer);
    case 'L':
        m_machine->powerControl(wire_byte(request, 1));
        return accepted();
    case 'M':
        if (wire_byte(request, 1) != 1 && wire_byte(request, 1) != 2)
            return refused(QStringLiteral("door lock argument %1").arg(wire_byte(request, 1)));
        m_machine->setDoorLockReleased(wire_byte(request, 1) == 1);
        return accepted();
    case 'N':
        return accepted(m_machine->pollOperation());
    case 'O':
        m_machine->setOutputs(wire_byte(request, 1) != 0, wire_word(request, 2));
        return accepted();
    case 'Q':
        return longCommand(m_machine->startMotorReset(wire_byte(request, 1)));
    case 'R':
        return longCommand(m_machine->startPayout(wire_word(request, 1)));
    case 'S':
        append_int(answer, qint32(m_machine->statusWord()));
        return accepted(answer);
    case 'T':
        return longCommand(m_machine->startMotorCycle(wire_byte(request, 1)));
    case 'U':
        m_machine->setPwm({wire_byte(request, 1), wire_byte(request, 2), wire_byte(request, 3), wire_byte(request, 4)});
        return accepted();
    case 'V':
        return versions(request);
    case 'W':
        m_machine->setBanknoteAcceptance(wire_byte(request, 1) != 0);
        return accepted();
    case 'X':
        return longCommand(m_machine->startCoinDispense(wire_byte(request, 1), wire_byte(request, 2)));
    case 'Y': {
        const QList<int> counters = m_machine->counters(wire_byte(request, 1));
        if (counters.isEmpty())
            return refused(QStringLiteral("no counter period %1").arg(wire_byte(request, 1)));
        for (int value : counters)
            append_word(answer, value);
        return accepted(answer);
    }
    case 'y':
        if (!m_machine->resetCounters(wire_byte(request, 1)))
            return refused(QStringLiteral("no counter period %1").arg(wire_byte(request, 1)));
        return accepted();
    case 'Z':
        return accepted(m_machine->versionString(wire_byte(request, 1)));
    default:
        return refused(QStringLiteral("unknown command"));
    }
}

bool BoardCommands::isPureRead(const QByteArray& request)
{
    return !request.isEmpty() && QByteArrayLiteral("CIJKSYZ").contains(request.at(0));
}

BoardCommands::Answer BoardCommands::longCommand(bool started)
{
    if (!started)
        return refused(m_machine->operationRunning() ? QStringLiteral("busy") : QStringLiteral("bad argument"));
    return accepted();
}

BoardCommands::Answer BoardCommands::dateTime(const QByteArray& request)
{
    const QDate date(2000 + wire_byte(request, 1), wire_byte(request, 2), wire_byte(request, 3));
    const QTime time(wire_byte(request, 4), wire_byte(request, 5), wire_byte(request, 6));
    // Day 0 and hour 255 are how a read asks without setting.
    if (date.isValid() && time.isValid())
        m_machine->setBoardTime(QDateTime(date, time));
    const QDateTime now = m_machine->boardTime();
    QByteArray answer;
    append_byte(answer, qBound(0, now.date().year() - 2000, 99));
    append_byte(answer, now.date().month());
    append_byte(answer, now.date().day());
    append_byte(answer, now.time().hour());
    append_byte(answer, now.time().minute());
    append_byte(answer, now.time().second());
    append_byte(answer, now.date().dayOfWeek());
    return accepted(answer);
}

BoardCommands::Answer BoardCommands::versions(const QByteArray& request)
{
    const Machine::VersionAnswer versions =
        m_machine->exchangeVersions(wire_byte(request, 1), wire_byte(request, 2), wire_int(request, 3),
                                    wire_byte(request, 7) != 0, wire_byte(request, 8) != 0);
    QByteArray answer;
    append_byte(answer, versions.version1);
    append_byte(answer, versions.version2);
    append_int(answer, versions.serial);
    return accepted(answer);
}

} // namespace rk710sim
