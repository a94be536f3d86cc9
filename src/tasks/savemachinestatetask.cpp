#include "tasks/savemachinestatetask.h"

#include "board/devices.h"
#include "board/rk710controller.h"
#include "core/defaults.h"
#include "core/durablefile.h"
#include "core/vm24.h"
#include "core/xmldocument.h"
#include "core/xmltag.h"
#include "core/xmlwriting.h"

#include <QDir>
#include <QFile>
#include <QXmlStreamWriter>

namespace {

struct Denomination
{
    int id;
    int value;
    AccountingCounters::Index counter;
};

const Denomination COINS[] = {
    {1, 200, AccountingCounters::Pieces200}, {2, 100, AccountingCounters::Pieces100},
    {3, 50, AccountingCounters::Pieces50},   {4, 20, AccountingCounters::Pieces20},
    {5, 10, AccountingCounters::Pieces10},   {6, 5, AccountingCounters::Pieces5},
};

const Denomination BILLS[] = {
    {0, 500, AccountingCounters::Pieces500},
    {1, 1000, AccountingCounters::Pieces1000},
    {2, 2000, AccountingCounters::Pieces2000},
    {3, 5000, AccountingCounters::Pieces5000},
};

QString number(qint64 value)
{
    return QString::number(value);
}

void write_amount(const char* name, qint64 amount, QXmlStreamWriter& writer)
{
    VM24::write_empty_element(name, {QStringLiteral("Amount"), number(amount)}, writer);
}

void write_amount_and_count(const char* name, qint64 amount, int count, QXmlStreamWriter& writer)
{
    VM24::write_empty_element(name, {QStringLiteral("Amount"), number(amount), QStringLiteral("Count"), number(count)},
                              writer);
}

template <size_t N>
void write_denominations(const char* name, const Denomination (&denominations)[N], const AccountingCounters& counters,
                         QXmlStreamWriter& writer)
{
    for (const Denomination& d : denominations) {
        VM24::write_empty_element(name,
                                  {QStringLiteral("id"), number(d.id), QStringLiteral("Value"), number(d.value),
                                   QStringLiteral("Count"), number(counters.get(d.counter))},
                                  writer);
    }
}

QString up_to_first_zero(const QByteArray& text)
{
    const int end = text.indexOf('\0');
    return QString::fromLatin1(end < 0 ? text : text.left(end));
}

} // namespace

SaveMachineStateTask::SaveMachineStateTask(const Accounting& day, const QStringList& productNames,
                                           Rk710Controller* controller, const QString& directory, int serial)
    : m_day(day)
    , m_productNames(productNames)
    , m_controller(controller)
    , m_directory(directory)
    , m_serial(serial)
{
}

QString SaveMachineStateTask::filePath(const QString& directory, int serial, const QDateTime& time)
{
    return QStringLiteral("%1/VM24Data_%3_%2.xml")
        .arg(directory, VM24::format_rk_date(time), VM24::format_serial(serial));
}

bool SaveMachineStateTask::run() const
{
    const AccountingCounters counters = m_controller->getCounters(Rk710SerialProtocol::Daily);
    const QDateTime now = QDateTime::currentDateTime();
    // Counters that could not be read come back as zeros: there is nothing
    // to start again then, and a reset could lose a day the board did count.
    if (!writeFile(filePath(m_directory, m_serial, now), now, counters))
        return false;
    if (!counters.isZero())
        m_controller->resetCounters(Rk710SerialProtocol::Daily);
    return true;
}

bool SaveMachineStateTask::writeFile(const QString& path, const QDateTime& now,
                                     const AccountingCounters& counters) const
{
    // A spool directory removed behind the program's back comes back.
    QDir().mkpath(m_directory);
    // Under a temporary name first: the daily move never takes a half-written record.
    return VM24::write_file_durably(path, document(now, counters));
}

QByteArray SaveMachineStateTask::document(const QDateTime& now, const AccountingCounters& counters) const
{
    return VM24::XmlDocument::build([&](QXmlStreamWriter& writer) { writeRoot(writer, now, counters); });
}

void SaveMachineStateTask::writeRoot(QXmlStreamWriter& writer, const QDateTime& now,
                                     const AccountingCounters& counters) const
{
    VM24::XmlTag root("VM24",
                      {QStringLiteral("SerialNumber"), VM24::format_serial(m_serial), QStringLiteral("TimeReset"),
                       VM24::format_rk_date(m_day.creationDate()), QStringLiteral("TimeStamp"),
                       VM24::format_rk_date(now)},
                      writer);
    {
        VM24::XmlTag versions("Versions", writer);
        VM24::write_empty_element("Version",
                                  {QStringLiteral("descr"),
                                   QStringLiteral("Rpi2: %1").arg(QLatin1String(VM24::APPLICATION_VERSION)),
                                   QStringLiteral("device"), QStringLiteral("RPi2")},
                                  writer);
        for (int i = 0; i < Devices::Count; ++i) {
            const auto device = Devices::Index(i);
            VM24::write_empty_element("Version",
                                      {QStringLiteral("descr"),
                                       up_to_first_zero(m_controller->getVersionString(device)),
                                       QStringLiteral("device"), Devices::to_string(device)},
                                      writer);
        }
    }
    write_amount("IncomeCash", m_day.get(Accounting::CashIncome), writer);
    write_amount("CashBox", m_day.get(Accounting::CoinBox), writer);
    write_amount("IncomeUserCard", m_day.get(Accounting::CashlessIncome), writer);
    write_amount("IncomeCreditCard", m_day.get(Accounting::PosIncome), writer);
    write_amount("IncomeExtra", m_day.get(Accounting::ExtraIncome), writer);
    write_amount_and_count("RevalueUserCard", m_day.get(Accounting::Recharges), m_day.get(Accounting::RechargeCount),
                           writer);
    write_amount_and_count("Return", m_day.get(Accounting::ChangeDelivered), m_day.get(Accounting::ChangeCount),
                           writer);
    for (int i = 0; i < Accounting::DISPENSER_COUNT; ++i) {
        const int count = m_day.dispensedCount(i);
        if (count <= 0)
            continue;
        const qint64 amount = m_day.dispensedAmount(i);
        VM24::XmlTag product("Product",
                             {QStringLiteral("id"), number(i + 1), QStringLiteral("Amount"), number(amount),
                              QStringLiteral("Count"), number(count), QStringLiteral("Descr"), m_productNames.value(i)},
                             writer);
        write_amount_and_count("StandardTime", amount, count, writer);
    }
    const Rk710SerialProtocol::Item hoppers[] = {Rk710SerialProtocol::Hopper1, Rk710SerialProtocol::Hopper2};
    for (int h = 0; h < 2; ++h) {
        VM24::write_empty_element("Hopper",
                                  {QStringLiteral("id"), number(h), QStringLiteral("Type"), QStringLiteral("0"),
                                   QStringLiteral("Value"), number(m_controller->getItemValue(hoppers[h])),
                                   QStringLiteral("Count"), number(counters.get(AccountingCounters::Hopper1 + h))},
                                  writer);
    }
    write_denominations("Coin", COINS, counters, writer);
    write_denominations("Bill", BILLS, counters, writer);
}
