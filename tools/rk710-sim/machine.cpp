#include "machine.h"

#include <QJsonArray>

#include <algorithm>
#include <cstdio>

namespace rk710sim {

namespace {

const QList<int>& coinValues()
{
    static const QList<int> values{5, 10, 20, 50, 100, 200};
    return values;
}

const QList<int>& banknoteValues()
{
    static const QList<int> values{500, 1000, 2000, 5000};
    return values;
}

QString motorName(int motor)
{
    return QStringLiteral("motor%1").arg(motor);
}

// Version index of each device that has one (0 to 2 are the boards).
const char* const VERSION_DEVICE_NAMES[] = {nullptr, nullptr, nullptr, "coin-acceptor", "bill-validator",
                                            "cashless", "pos", "hopper1", "hopper2", "printer"};

QStringList defaultVersions()
{
    QStringList versions{QStringLiteral("RK710:2.07"), QStringLiteral("RK741:1.03"), QStringLiteral("RK742:1.01"),
                         QStringLiteral("CA:1.40:0041207"), QStringLiteral("BV:2.10:0310584"),
                         QStringLiteral("CL:3.02"), QStringLiteral("PT:1.00"), QStringLiteral("HP:1.10"),
                         QStringLiteral("HP:1.10"), QStringLiteral("PR:1.05")};
    for (int motor = 1; motor <= Machine::COLUMNS; ++motor)
        versions.append(QStringLiteral("MT%1:1.00").arg(motor));
    return versions;
}

const char* const JAM_NAMES[] = {"none", "soft", "hard"};

} // namespace

Machine::Machine(QObject* parent)
    : QObject(parent)
    , m_versions(defaultVersions())
{
    for (const char* name : {"coin-acceptor", "bill-validator", "cashless", "pos"})
        m_devices.insert(QString::fromLatin1(name), true);
    for (int motor = 1; motor <= COLUMNS; ++motor)
        m_devices.insert(motorName(motor), true);

    m_operationTimer.setSingleShot(true);
    connect(&m_operationTimer, &QTimer::timeout, this, &Machine::finishOperation);
    m_receiptTimer.setSingleShot(true);
    connect(&m_receiptTimer, &QTimer::timeout, this, [this] { m_printer.endReceipt(); });
    m_buttonTimer.setSingleShot(true);
    connect(&m_buttonTimer, &QTimer::timeout, this, &Machine::releaseButton);
    m_watchdogTimer.setSingleShot(true);
    connect(&m_watchdogTimer, &QTimer::timeout, this, [this] {
        ++m_watchdogExpiries;
        emit watchdogExpired();
    });
}

QString Machine::deviceName(int versionIndex)
{
    if (versionIndex >= 10 && versionIndex < 10 + COLUMNS)
        return motorName(versionIndex - 9);
    if (versionIndex >= 0 && versionIndex < 10 && VERSION_DEVICE_NAMES[versionIndex])
        return QString::fromLatin1(VERSION_DEVICE_NAMES[versionIndex]);
    return QString();
}

bool Machine::deviceUsable(const QString& name) const
{
    if (name == QLatin1String("coin-changer"))
        return m_coins.changerPresent();
    if (name == QLatin1String("hopper1"))
        return m_coins.hopperPresent(0);
    if (name == QLatin1String("hopper2"))
        return m_coins.hopperPresent(1);
    if (name == QLatin1String("printer"))
        return m_printer.present();
    return m_devices.value(name, false);
}

Machine::Outcome Machine::setDevicePresent(const QString& name, bool present)
{
    if (name == QLatin1String("coin-changer"))
        m_coins.setChangerPresent(present);
    else if (name == QLatin1String("hopper1"))
        m_coins.setHopperPresent(0, present);
    else if (name == QLatin1String("hopper2"))
        m_coins.setHopperPresent(1, present);
    else if (name == QLatin1String("printer"))
        m_printer.setPresent(present);
    else if (m_devices.contains(name))
        m_devices[name] = present;
    else
        return Outcome::failure(QStringLiteral("unknown device %1").arg(name));
    return Outcome::success(QStringLiteral("%1 %2").arg(name, present ? "on" : "off"));
}

// ---- physical actions

// The board reports each credit as a 16-bit word: money that would overflow it
// is handed back like money offered while an acceptor is off.
Machine::Outcome Machine::refuseMoney(int cents, const QString& why)
{
    m_refusedMoney += cents;
    return Outcome::failure(QStringLiteral("refused: ") + why);
}

Machine::Outcome Machine::insertCoin(int cents)
{
    if (!coinValues().contains(cents))
        return Outcome::failure(QStringLiteral("no coin of %1 cents").arg(cents));
    if (!deviceUsable(QStringLiteral("coin-acceptor")) || !(m_enables & EnableCoinAcceptor)) {
        return refuseMoney(cents, QStringLiteral("coin acceptor disabled"));
    }
    if (m_coinCredit + cents > MAX_WORD)
        return refuseMoney(cents, QStringLiteral("coin credit full"));
    m_coinCredit += cents;
    m_counters.countMoneyIn(cents);
    if (m_coins.routeCoin(cents))
        return Outcome::success(QStringLiteral("coin %1 to tube").arg(cents));
    m_coinBox += cents;
    return Outcome::success(QStringLiteral("coin %1 to cash box").arg(cents));
}

Machine::Outcome Machine::insertBanknote(int cents)
{
    if (!banknoteValues().contains(cents))
        return Outcome::failure(QStringLiteral("no banknote of %1 cents").arg(cents));
    if (!deviceUsable(QStringLiteral("bill-validator")) || !(m_enables & EnableBillValidator)
        || !m_banknotesAccepted) {
        return refuseMoney(cents, QStringLiteral("bill validator disabled"));
    }
    if (m_bill + cents > MAX_WORD)
        return refuseMoney(cents, QStringLiteral("banknote credit full"));
    m_bill += cents;
    m_counters.countMoneyIn(cents);
    return Outcome::success(QStringLiteral("banknote %1").arg(cents));
}

Machine::Outcome Machine::presentCard(int balance, int cardId)
{
    if (balance < 0 || balance > MAX_WORD)
        return Outcome::failure(QStringLiteral("balance out of range"));
    if (cardId < 0)
        return Outcome::failure(QStringLiteral("card id must not be negative"));
    m_cardPresent = true;
    m_cardBalance = balance;
    m_cardId = cardId;
    const bool read = deviceUsable(QStringLiteral("cashless")) && (m_enables & EnableCashless);
    return Outcome::success(read ? QStringLiteral("card %1 balance %2").arg(cardId).arg(balance)
                                 : QStringLiteral("card %1 inserted, reader disabled").arg(cardId));
}

Machine::Outcome Machine::removeCard()
{
    if (!m_cardPresent)
        return Outcome::failure(QStringLiteral("no card"));
    m_cardPresent = false;
    return Outcome::success(QStringLiteral("card removed, balance %1").arg(m_cardBalance));
}

Machine::Outcome Machine::payByPos(int amount)
{
    if (amount <= 0 || amount > MAX_WORD)
        return Outcome::failure(QStringLiteral("amount out of range"));
    if (!deviceUsable(QStringLiteral("pos")) || !(m_enables & EnablePos)) {
        return refuseMoney(amount, QStringLiteral("POS disabled"));
    }
    if (m_pos + amount > MAX_WORD)
        return refuseMoney(amount, QStringLiteral("POS credit full"));
    m_pos += amount;
    return Outcome::success(QStringLiteral("pos %1").arg(amount));
}

Machine::Outcome Machine::setDoorOpen(Door door, bool open)
{
    if (door == ProductDoor && open && !m_lockReleased && !m_doorOpen[ProductDoor])
        return Outcome::failure(QStringLiteral("the delivery door is locked"));
    m_doorOpen[door] = open;
    if (door == ProductDoor && open && m_tray > 0) {
        const int taken = m_tray;
        m_collected += taken;
        m_tray = 0;
        return Outcome::success(QStringLiteral("%1 products collected").arg(taken));
    }
    return Outcome::success();
}

Machine::Outcome Machine::setTray(int products)
{
    if (products < 0)
        return Outcome::failure(QStringLiteral("products must not be negative"));
    m_tray = products;
    return Outcome::success(QStringLiteral("tray %1").arg(products));
}

void Machine::pressButton(int ms)
{
    m_buttonDown = true;
    m_buttonTimer.start(ms > 0 ? ms : m_timings.buttonMs);
}

void Machine::setButtonDown(bool down)
{
    m_buttonTimer.stop();
    m_buttonDown = down;
}

void Machine::releaseButton()
{
    m_buttonDown = false;
}

Machine::Outcome Machine::setTemperature(int celsius)
{
    if (celsius < 0 || celsius > 255)
        return Outcome::failure(QStringLiteral("temperature out of 0..255"));
    m_temperature = celsius;
    return Outcome::success();
}

Machine::Outcome Machine::setBattery(int charge)
{
    if (charge < -128 || charge > 127)
        return Outcome::failure(QStringLiteral("battery out of -128..127"));
    m_battery = charge;
    return Outcome::success();
}

Machine::Outcome Machine::setColumnStock(int column, int stock)
{
    if (column < 1 || column > COLUMNS)
        return Outcome::failure(QStringLiteral("no column %1").arg(column));
    if (stock < 0)
        return Outcome::failure(QStringLiteral("stock must not be negative"));
    m_columns[column - 1].stock = stock;
    return Outcome::success(QStringLiteral("column %1 stock %2").arg(column).arg(stock));
}

Machine::Outcome Machine::setColumnJam(int column, Jam jam)
{
    if (column < 1 || column > COLUMNS)
        return Outcome::failure(QStringLiteral("no column %1").arg(column));
    m_columns[column - 1].jam = jam;
    return Outcome::success(QStringLiteral("column %1 jam %2").arg(column).arg(JAM_NAMES[jam]));
}

Machine::Outcome Machine::setHopperCoins(int hopper, int coins)
{
    if (hopper < 1 || hopper > CoinMechanism::HOPPERS)
        return Outcome::failure(QStringLiteral("no hopper %1").arg(hopper));
    if (coins < 0)
        return Outcome::failure(QStringLiteral("coins must not be negative"));
    m_coins.setHopperCoins(hopper - 1, coins);
    return Outcome::success(QStringLiteral("hopper %1 coins %2").arg(hopper).arg(m_coins.hopper(hopper - 1).coins));
}

Machine::Outcome Machine::fillHopper(int hopper, int coins)
{
    if (hopper < 1 || hopper > CoinMechanism::HOPPERS)
        return Outcome::failure(QStringLiteral("no hopper %1").arg(hopper));
    const CoinMechanism::Store& store = m_coins.hopper(hopper - 1);
    return setHopperCoins(hopper, coins < 0 ? store.capacity : store.coins + coins);
}

Machine::Outcome Machine::setTubeCoins(int value, int coins)
{
    if (coins < 0 || !m_coins.setTubeCoins(value, coins))
        return Outcome::failure(QStringLiteral("no tube of %1 cents").arg(value));
    return Outcome::success();
}

void Machine::resetBoard()
{
    m_operationTimer.stop();
    m_operation = Operation();
    m_printer.endReceipt();
    m_receiptTimer.stop();
    m_enables = 0;
    m_banknotesAccepted = false;
    m_outputs = 0;
    m_pwm = {0, 0, 0, 0};
    m_blinkPattern = 0;
    m_lockReleased = false;
    m_watchdogEnabled = false;
    m_watchdogTimer.stop();
    m_resetFlag = true;
    emit boardWasReset();
}

// ---- host requests

void Machine::hostActivity()
{
    if (m_watchdogEnabled)
        m_watchdogTimer.start(m_timings.watchdogMs);
}

Machine::Credit Machine::credit() const
{
    Credit credit;
    credit.bill = m_bill;
    credit.coins = m_coinCredit;
    credit.pos = m_pos;
    credit.coinBox = m_coinBox;
    if (m_cardPresent && deviceUsable(QStringLiteral("cashless")) && (m_enables & EnableCashless)) {
        credit.cashless = m_cardBalance;
        credit.cardId = m_cardId;
    }
    return credit;
}

void Machine::clearCredit()
{
    m_bill = 0;
    m_coinCredit = 0;
    m_pos = 0;
    m_coinBox = 0;
}

QDateTime Machine::boardTime() const
{
    return QDateTime::currentDateTime().addMSecs(m_clockOffsetMs);
}

void Machine::setBoardTime(const QDateTime& time)
{
    m_clockOffsetMs = QDateTime::currentDateTime().msecsTo(time);
}

bool Machine::setItemValue(int item, int cents)
{
    if (item < 1 || item > CoinMechanism::HOPPERS)
        return false;
    m_coins.setHopperValue(item - 1, cents);
    return true;
}

int Machine::itemValue(int item) const
{
    return item >= 1 && item <= CoinMechanism::HOPPERS ? m_coins.hopper(item - 1).value : -1;
}

quint32 Machine::inputWord() const
{
    quint32 word = 0;
    word |= m_doorOpen[FrontDoor] ? 0 : 1u << 0;
    word |= m_doorOpen[BackDoor] ? 0 : 1u << 1;
    word |= m_keyInserted ? 1u << 2 : 0;
    word |= m_doorOpen[ProductDoor] ? 0 : 1u << 3;
    word |= m_cardPresent ? 1u << 4 : 0;
    word |= deviceUsable(QStringLiteral("cashless")) && (m_enables & EnableCashless) ? 1u << 5 : 0;
    word |= m_tray > 0 ? 1u << 6 : 0;
    word |= m_mains ? 1u << 7 : 0;
    word |= m_buttonDown ? 1u << 8 : 0;
    word |= quint32(m_temperature & 0xFF) << 16;
    word |= quint32(m_battery & 0xFF) << 24;
    return word;
}

quint32 Machine::statusWord() const
{
    quint32 word = m_resetFlag ? 1u : 0u;
    const char* const devices[] = {"coin-acceptor", "coin-changer", "bill-validator", "cashless",
                                   "pos",           "hopper1",      "hopper2"};
    for (int i = 0; i < 7; ++i)
        word |= deviceUsable(QString::fromLatin1(devices[i])) ? 1u << (i + 1) : 0;
    word |= m_coins.hopperHoldsCoins(0) ? 1u << 8 : 0;
    word |= m_coins.hopperHoldsCoins(1) ? 1u << 9 : 0;
    word |= m_printer.present() ? 1u << 10 : 0;
    word |= m_coins.canGiveChange() ? 1u << 15 : 0;
    word |= m_printer.outOfPaper() ? 1u << 16 : 0;
    for (int motor = 1; motor <= COLUMNS; ++motor) {
        const int bit = motor <= 4 ? 10 + motor : 12 + motor;
        word |= deviceUsable(motorName(motor)) ? 1u << bit : 0;
    }
    return word;
}

quint64 Machine::presenceMask() const
{
    quint64 mask = 0;
    for (int i = 0; i < COLUMNS; ++i) {
        if (m_columns[i].stock > 0)
            mask |= quint64(1) << i;
    }
    return mask;
}

void Machine::powerControl(int mode)
{
    if (mode == 0)
        ++m_emergencyRequests;
    else
        ++m_shutdownRequests;
}

void Machine::setOutputs(bool on, int mask)
{
    m_outputs = on ? (m_outputs | mask) : (m_outputs & ~mask);
    m_outputs &= 0xFFFF;
}

Machine::VersionAnswer Machine::exchangeVersions(int type, int a, qint32 serial, bool watchdog, bool assignSerial)
{
    Q_UNUSED(type)
    Q_UNUSED(a)
    if (assignSerial)
        m_serial = serial;
    m_watchdogEnabled = watchdog;
    if (watchdog)
        m_watchdogTimer.start(m_timings.watchdogMs);
    else
        m_watchdogTimer.stop();
    m_resetFlag = false;
    return VersionAnswer{m_version1, m_version2, m_serial};
}

QByteArray Machine::versionString(int device) const
{
    if (device < 0 || device >= DEVICE_VERSIONS)
        return QByteArray();
    const QString name = deviceName(device);
    if (!name.isEmpty() && !deviceUsable(name))
        return QByteArray();
    return m_versions.value(device).toLatin1().left(128);
}

bool Machine::printLine(int format, const QByteArray& text)
{
    const bool printed = m_printer.print(format, text);
    if (printed)
        m_receiptTimer.start(m_timings.receiptIdleMs);
    return printed;
}

// ---- long operations

bool Machine::startOperation(char code, int resultLength, int durationMs, std::function<void(Operation&)> finish)
{
    if (operationRunning())
        return false;
    m_operation = Operation();
    m_operation.phase = Operation::Running;
    m_operation.code = code;
    m_operation.resultLength = resultLength;
    m_operation.finish = std::move(finish);
    m_operationTimer.start(std::max(0, durationMs));
    return true;
}

void Machine::finishOperation()
{
    if (m_operation.phase != Operation::Running)
        return;
    m_operation.phase = Operation::Finished;
    m_operation.finish(m_operation);
}

void Machine::setByteResult(Operation& op, bool success, int value)
{
    op.status = 1;
    op.result = QByteArray(1, char(success ? value : 0));
}

void Machine::setRemainderResult(Operation& op, int remainder)
{
    op.status = remainder > 0 ? 2 : 1;
    op.result.clear();
    op.result.append(char((remainder >> 8) & 0xFF));
    op.result.append(char(remainder & 0xFF));
}

QByteArray Machine::pollOperation()
{
    QByteArray answer;
    if (m_operation.phase == Operation::Idle) {
        answer.append(char(0));
        answer.append(char(3));
        return answer;
    }
    answer.append(m_operation.code);
    if (m_operation.phase == Operation::Running) {
        answer.append(char(0));
        answer.append(QByteArray(m_operation.resultLength, char(0)));
        return answer;
    }
    answer.append(char(m_operation.status));
    answer.append(m_operation.result);
    m_operation = Operation();
    return answer;
}

bool Machine::startMotorCycle(int motor)
{
    if (motor < 1 || motor > COLUMNS)
        return false;
    Column& column = m_columns[motor - 1];
    const bool usable = deviceUsable(motorName(motor));
    const int duration = !usable ? 100 : column.jam != NoJam ? m_timings.jamMs : m_timings.motorMs;
    return startOperation('T', 1, duration, [this, motor, usable](Operation& op) {
        Column& column = m_columns[motor - 1];
        const bool delivers = usable && column.jam == NoJam && column.stock > 0;
        if (delivers) {
            --column.stock;
            ++m_tray;
            ++m_delivered;
        }
        setByteResult(op, delivers, 1);
    });
}

bool Machine::startMotorReset(int motor)
{
    if (motor < 1 || motor > COLUMNS)
        return false;
    const bool usable = deviceUsable(motorName(motor));
    return startOperation('Q', 1, usable ? m_timings.resetMs : 100, [this, motor, usable](Operation& op) {
        Column& column = m_columns[motor - 1];
        if (column.jam == SoftJam)
            column.jam = NoJam;
        setByteResult(op, usable && column.jam == NoJam, 1);
    });
}

bool Machine::startPayout(int amount)
{
    // Planning up front only to know how long the coins take to come out;
    // the coins leave when the operation ends.
    CoinMechanism preview = m_coins;
    const int coins = preview.payOut(amount).coinCount();
    return startOperation('R', 2, m_timings.payoutMs + coins * m_timings.coinMs, [this, amount](Operation& op) {
        const CoinMechanism::Payout payout = m_coins.payOut(amount);
        for (int source = 0; source < 3; ++source)
            m_counters.countCoinsOut(source, payout.coinsBySource[source]);
        setRemainderResult(op, payout.remainder);
    });
}

bool Machine::startCoinDispense(int item, int count)
{
    if (item < 1 || item > CoinMechanism::HOPPERS)
        return false;
    const int hopper = item - 1;
    const int coins = std::min(count, m_coins.hopperPresent(hopper) ? m_coins.hopper(hopper).coins : 0);
    return startOperation('X', 1, m_timings.payoutMs + coins * m_timings.coinMs, [this, hopper, count](Operation& op) {
        const int paid = m_coins.dispense(hopper, count);
        m_counters.countCoinsOut(hopper, paid);
        setByteResult(op, true, paid);
    });
}

bool Machine::startCardCharge(int type, int amount)
{
    const int duration = type == 0 ? m_timings.cashlessMs : m_timings.posMs;
    return startOperation('B', 1, duration, [this, type, amount](Operation& op) {
        bool authorised = false;
        if (type == 0) {
            const Credit now = credit();
            authorised = now.cardId >= 0 && m_cardBalance >= amount;
            if (authorised)
                m_cardBalance -= amount;
        } else {
            // Any other type asks the payment terminal to authorise the charge.
            authorised = deviceUsable(QStringLiteral("pos"));
        }
        setByteResult(op, authorised, 1);
    });
}

bool Machine::startCardRecharge(int amount)
{
    return startOperation('D', 2, m_timings.cashlessMs, [this, amount](Operation& op) {
        int credited = 0;
        if (credit().cardId >= 0)
            credited = std::clamp(m_cardMaxBalance - m_cardBalance, 0, amount);
        m_cardBalance += credited;
        setRemainderResult(op, amount - credited);
    });
}

// ---- state as JSON

const QList<QPair<const char*, int Machine::Timings::*>>& Machine::timingFields()
{
    static const QList<QPair<const char*, int Timings::*>> fields{
        {"motorMs", &Timings::motorMs},     {"jamMs", &Timings::jamMs},
        {"resetMs", &Timings::resetMs},     {"coinMs", &Timings::coinMs},
        {"payoutMs", &Timings::payoutMs},   {"cashlessMs", &Timings::cashlessMs},
        {"posMs", &Timings::posMs},         {"receiptIdleMs", &Timings::receiptIdleMs},
        {"watchdogMs", &Timings::watchdogMs}, {"buttonMs", &Timings::buttonMs},
        {"retransmitMs", &Timings::retransmitMs}};
    return fields;
}

QJsonObject Machine::operationJson() const
{
    if (m_operation.phase == Operation::Idle)
        return QJsonObject{{"state", "idle"}};
    return QJsonObject{{"code", QString(QLatin1Char(m_operation.code))},
                       {"state", m_operation.phase == Operation::Running ? "running" : "finished"},
                       {"status", m_operation.phase == Operation::Running ? 0 : m_operation.status}};
}

QJsonArray Machine::columnsJson() const
{
    QJsonArray columns;
    for (const Column& column : m_columns)
        columns.append(QJsonObject{{"stock", column.stock}, {"jam", JAM_NAMES[column.jam]}});
    return columns;
}

QJsonObject Machine::toJson() const
{
    QJsonObject devices;
    for (const QString& name : m_devices.keys())
        devices.insert(name, m_devices.value(name));
    for (const char* name : {"coin-changer", "hopper1", "hopper2", "printer"})
        devices.insert(QString::fromLatin1(name), deviceUsable(QString::fromLatin1(name)));

    const Credit now = credit();
    QJsonObject json = m_coins.toJson();
    json.insert("clock", boardTime().toString(Qt::ISODate));
    json.insert("serial", m_serial);
    json.insert("versionBytes", QJsonArray{m_version1, m_version2});
    json.insert("versions", QJsonArray::fromStringList(m_versions));
    json.insert("status", qint64(statusWord()));
    json.insert("inputs", qint64(inputWord()));
    json.insert("presence", qint64(presenceMask()));
    json.insert("resetFlag", m_resetFlag);
    json.insert("doors", QJsonObject{{"front", m_doorOpen[FrontDoor] ? "open" : "closed"},
                                     {"back", m_doorOpen[BackDoor] ? "open" : "closed"},
                                     {"product", m_doorOpen[ProductDoor] ? "open" : "closed"},
                                     {"lockReleased", m_lockReleased}});
    json.insert("key", m_keyInserted);
    json.insert("mains", m_mains);
    json.insert("button", m_buttonDown);
    json.insert("temperature", m_temperature);
    json.insert("battery", m_battery);
    json.insert("enables", QJsonObject{{"billValidator", bool(m_enables & EnableBillValidator)},
                                       {"coinAcceptor", bool(m_enables & EnableCoinAcceptor)},
                                       {"pos", bool(m_enables & EnablePos)},
                                       {"cashless", bool(m_enables & EnableCashless)},
                                       {"banknotes", m_banknotesAccepted}});
    json.insert("credit", QJsonObject{{"bill", now.bill}, {"coins", now.coins}, {"pos", now.pos},
                                      {"cashless", now.cashless}, {"coinBox", now.coinBox},
                                      {"cardId", now.cardId}});
    json.insert("refusedMoney", m_refusedMoney);
    json.insert("card", QJsonObject{{"present", m_cardPresent}, {"balance", m_cardBalance}, {"id", m_cardId},
                                    {"maxBalance", m_cardMaxBalance}});
    json.insert("devices", devices);
    json.insert("columns", columnsJson());
    json.insert("tray", m_tray);
    json.insert("delivered", m_delivered);
    json.insert("collected", m_collected);
    json.insert("operation", operationJson());
    json.insert("outputs", m_outputs);
    json.insert("pwm", QJsonArray{m_pwm[0], m_pwm[1], m_pwm[2], m_pwm[3]});
    json.insert("blinkPattern", m_blinkPattern);
    json.insert("watchdog", QJsonObject{{"enabled", m_watchdogEnabled}, {"expired", m_watchdogExpiries}});
    json.insert("power", QJsonObject{{"shutdown", m_shutdownRequests}, {"emergency", m_emergencyRequests}});
    json.insert("counters", m_counters.toJson());
    json.insert("printer", m_printer.toJson());
    QJsonObject timings;
    for (const auto& field : timingFields())
        timings.insert(QLatin1String(field.first), m_timings.*field.second);
    json.insert("timings", timings);
    return json;
}

bool Machine::applyColumns(const QJsonArray& columns, QString* error)
{
    if (columns.size() > COLUMNS) {
        *error = QStringLiteral("columns: at most %1 entries").arg(COLUMNS);
        return false;
    }
    for (int i = 0; i < columns.size(); ++i) {
        const QJsonValue entry = columns.at(i);
        if (entry.isDouble()) {
            m_columns[i].stock = std::max(0, entry.toInt());
            continue;
        }
        const QJsonObject column = entry.toObject();
        m_columns[i].stock = std::max(0, column.value("stock").toInt(m_columns[i].stock));
        const QString jam = column.value("jam").toString(JAM_NAMES[m_columns[i].jam]);
        const int index = QStringList{"none", "soft", "hard"}.indexOf(jam);
        if (index < 0) {
            *error = QStringLiteral("columns[%1].jam: none, soft or hard").arg(i);
            return false;
        }
        m_columns[i].jam = Jam(index);
    }
    return true;
}

bool Machine::applyJson(const QJsonObject& json, QString* error)
{
    QString ignored;
    if (!error)
        error = &ignored;
    if (json.contains("columns") && !applyColumns(json.value("columns").toArray(), error))
        return false;
    m_coins.applyJson(json);
    m_counters.applyJson(json.value("counters").toObject());
    m_printer.applyJson(json.value("printer").toObject());

    const QJsonObject devices = json.value("devices").toObject();
    for (auto it = devices.constBegin(); it != devices.constEnd(); ++it) {
        if (!setDevicePresent(it.key(), it.value().toBool(true)).ok) {
            *error = QStringLiteral("devices: unknown device %1").arg(it.key());
            return false;
        }
    }
    const QJsonObject doors = json.value("doors").toObject();
    m_doorOpen[FrontDoor] = doors.value("front").toString(m_doorOpen[FrontDoor] ? "open" : "closed") == "open";
    m_doorOpen[BackDoor] = doors.value("back").toString(m_doorOpen[BackDoor] ? "open" : "closed") == "open";
    m_doorOpen[ProductDoor] = doors.value("product").toString(m_doorOpen[ProductDoor] ? "open" : "closed") == "open";
    m_lockReleased = doors.value("lockReleased").toBool(m_lockReleased);
    m_keyInserted = json.value("key").toBool(m_keyInserted);
    m_tray = std::max(0, json.value("tray").toInt(m_tray));
    m_mains = json.value("mains").toBool(m_mains);
    if (!setTemperature(json.value("temperature").toInt(m_temperature)).ok
        || !setBattery(json.value("battery").toInt(m_battery)).ok) {
        *error = QStringLiteral("temperature or battery out of range");
        return false;
    }

    const QJsonObject credit = json.value("credit").toObject();
    m_bill = std::clamp(credit.value("bill").toInt(m_bill), 0, MAX_WORD);
    m_coinCredit = std::clamp(credit.value("coins").toInt(m_coinCredit), 0, MAX_WORD);
    m_pos = std::clamp(credit.value("pos").toInt(m_pos), 0, MAX_WORD);
    m_coinBox = std::clamp(credit.value("coinBox").toInt(m_coinBox), 0, m_coinCredit);
    const QJsonObject card = json.value("card").toObject();
    m_cardPresent = card.value("present").toBool(m_cardPresent);
    m_cardBalance = card.value("balance").toInt(m_cardBalance);
    m_cardId = card.value("id").toInt(m_cardPresent && m_cardId < 0 ? 1 : m_cardId);
    m_cardMaxBalance = std::clamp(card.value("maxBalance").toInt(m_cardMaxBalance), 0, MAX_WORD);
    m_cardBalance = std::clamp(m_cardBalance, 0, MAX_WORD);

    if (json.contains("clock")) {
        const QDateTime clock = QDateTime::fromString(json.value("clock").toString(), Qt::ISODate);
        if (!clock.isValid()) {
            *error = QStringLiteral("clock: not an ISO date-time");
            return false;
        }
        setBoardTime(clock);
    }
    m_serial = json.value("serial").toInt(m_serial);
    const QJsonArray versionBytes = json.value("versionBytes").toArray();
    if (versionBytes.size() == 2) {
        m_version1 = versionBytes.at(0).toInt() & 0xFF;
        m_version2 = versionBytes.at(1).toInt() & 0xFF;
    }
    const QJsonArray versions = json.value("versions").toArray();
    for (int i = 0; i < versions.size() && i < DEVICE_VERSIONS; ++i)
        m_versions[i] = versions.at(i).toString();
    m_resetFlag = json.value("resetFlag").toBool(m_resetFlag);

    const QJsonObject timings = json.value("timings").toObject();
    for (const auto& field : timingFields())
        m_timings.*field.second = std::max(0, timings.value(QLatin1String(field.first)).toInt(m_timings.*field.second));
    return true;
}

} // namespace rk710sim
