#include "controlinterpreter.h"

#include "boardlink.h"
#include "faultinjector.h"
#include "machine.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>

namespace rk710sim {

namespace {

QString ok(const QString& message = QString())
{
    return message.isEmpty() ? QStringLiteral("ok") : QStringLiteral("ok ") + message;
}

QString error(const QString& message)
{
    return QStringLiteral("error ") + message;
}

QString answer(const Machine::Outcome& outcome)
{
    return outcome.ok ? ok(outcome.message) : error(outcome.message);
}

bool to_int(const QString& text, int* value)
{
    bool valid = false;
    *value = text.toInt(&valid);
    return valid;
}

// on/off, in/out, open/close and their kin.
bool to_switch(const QString& text, const char* yes, const char* no, bool* value)
{
    if (text == QLatin1String(yes) || text == QLatin1String("on") || text == QLatin1String("1")) {
        *value = true;
        return true;
    }
    if (text == QLatin1String(no) || text == QLatin1String("off") || text == QLatin1String("0")) {
        *value = false;
        return true;
    }
    return false;
}

QString usage(const char* text)
{
    return error(QStringLiteral("usage: ") + QLatin1String(text));
}

const char* const HELP =
    "commands: state, coin V, banknote V, card insert BALANCE [ID], card remove, pos AMOUNT, "
    "door front|back|product open|close, tray N, key in|out, mains on|off, button press [MS]|down|up, "
    "temperature N, battery N, column N stock K|empty|jam [soft|hard]|unjam, restock K, "
    "hopper N fill [K]|set K|empty, tube V K, tubes empty, paper out|in|LINES, device NAME on|off, "
    "reset, fault nak|corrupt|drop RATE|next N|off, fault drop end N, fault delay MS, fault stray N, "
    "fault silence on|off|MS, fault noise N, fault clear, timing NAME MS, receipts [N], clock [ISO], quit";

} // namespace

ControlInterpreter::ControlInterpreter(Machine* machine, FaultInjector* faults, BoardLink* link, QObject* parent)
    : QObject(parent)
    , m_machine(machine)
    , m_faults(faults)
    , m_link(link)
{
}

bool ControlInterpreter::parseMoney(const QString& text, int* cents)
{
    QString normalised = text;
    normalised.replace(QLatin1Char(','), QLatin1Char('.'));
    const qsizetype point = normalised.indexOf(QLatin1Char('.'));
    if (point < 0)
        return to_int(normalised, cents) && *cents >= 0;
    const QString euros = normalised.left(point);
    const QString decimals = normalised.mid(point + 1);
    int whole = 0;
    int fraction = 0;
    if (decimals.size() < 1 || decimals.size() > 2 || !to_int(euros.isEmpty() ? "0" : euros, &whole)
        || !to_int(decimals, &fraction) || whole < 0 || fraction < 0)
        return false;
    *cents = whole * 100 + (decimals.size() == 1 ? fraction * 10 : fraction);
    return true;
}

QJsonObject ControlInterpreter::state() const
{
    QJsonObject json = m_machine->toJson();
    json.insert("faults", m_faults->toJson());
    if (m_link)
        json.insert("link", m_link->statistics());
    return json;
}

QString ControlInterpreter::execute(const QString& line)
{
    QStringList words = line.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return error(QStringLiteral("empty command"));
    const QString command = words.takeFirst().toLower();
    return dispatch(command, words);
}

QString ControlInterpreter::dispatch(const QString& command, const QStringList& args)
{
    using Handler = QString (ControlInterpreter::*)(const QStringList&);
    static const QHash<QString, Handler> handlers{
        {"help", &ControlInterpreter::help},         {"state", &ControlInterpreter::stateCommand},
        {"coin", &ControlInterpreter::coin},         {"banknote", &ControlInterpreter::banknote},
        {"bill", &ControlInterpreter::banknote},     {"card", &ControlInterpreter::card},
        {"pos", &ControlInterpreter::pos},           {"door", &ControlInterpreter::door},
        {"key", &ControlInterpreter::key},           {"mains", &ControlInterpreter::mains},
        {"button", &ControlInterpreter::button},     {"temperature", &ControlInterpreter::temperature},
        {"battery", &ControlInterpreter::battery},   {"column", &ControlInterpreter::column},
        {"restock", &ControlInterpreter::restock},   {"hopper", &ControlInterpreter::hopper},
        {"tube", &ControlInterpreter::tube},         {"tubes", &ControlInterpreter::tube},
        {"paper", &ControlInterpreter::paper},       {"device", &ControlInterpreter::device},
        {"tray", &ControlInterpreter::tray},
        {"reset", &ControlInterpreter::reset},       {"fault", &ControlInterpreter::fault},
        {"timing", &ControlInterpreter::timing},     {"receipts", &ControlInterpreter::receipts},
        {"clock", &ControlInterpreter::clock},       {"quit", &ControlInterpreter::quit}};
    const Handler handler = handlers.value(command);
    if (!handler)
        return error(QStringLiteral("unknown command %1 (try help)").arg(command));
    return (this->*handler)(args);
}

QString ControlInterpreter::help(const QStringList&)
{
    return ok(QLatin1String(HELP));
}

QString ControlInterpreter::stateCommand(const QStringList& args)
{
    if (!args.isEmpty())
        return usage("state");
    return ok(QString::fromUtf8(QJsonDocument(state()).toJson(QJsonDocument::Compact)));
}

QString ControlInterpreter::coin(const QStringList& args)
{
    int cents = 0;
    if (args.size() != 1 || !parseMoney(args[0], &cents))
        return usage("coin CENTS");
    return answer(m_machine->insertCoin(cents));
}

QString ControlInterpreter::banknote(const QStringList& args)
{
    int cents = 0;
    if (args.size() != 1 || !parseMoney(args[0], &cents))
        return usage("banknote CENTS");
    return answer(m_machine->insertBanknote(cents));
}

QString ControlInterpreter::pos(const QStringList& args)
{
    int cents = 0;
    const QStringList amount = !args.isEmpty() && args[0] == QLatin1String("pay") ? args.mid(1) : args;
    if (amount.size() != 1 || !parseMoney(amount[0], &cents))
        return usage("pos AMOUNT");
    return answer(m_machine->payByPos(cents));
}

QString ControlInterpreter::key(const QStringList& args)
{
    bool in = false;
    if (args.size() != 1 || !to_switch(args[0], "in", "out", &in))
        return usage("key in|out");
    m_machine->setKeyInserted(in);
    return ok();
}

QString ControlInterpreter::mains(const QStringList& args)
{
    bool on = false;
    if (args.size() != 1 || !to_switch(args[0], "on", "off", &on))
        return usage("mains on|off");
    m_machine->setMainsPresent(on);
    return ok();
}

QString ControlInterpreter::temperature(const QStringList& args)
{
    int celsius = 0;
    if (args.size() != 1 || !to_int(args[0], &celsius))
        return usage("temperature N");
    return answer(m_machine->setTemperature(celsius));
}

QString ControlInterpreter::battery(const QStringList& args)
{
    int charge = 0;
    if (args.size() != 1 || !to_int(args[0], &charge))
        return usage("battery N");
    return answer(m_machine->setBattery(charge));
}

QString ControlInterpreter::tray(const QStringList& args)
{
    int products = 0;
    if (args.size() != 1 || !to_int(args[0], &products))
        return usage("tray N");
    return answer(m_machine->setTray(products));
}

QString ControlInterpreter::device(const QStringList& args)
{
    bool on = false;
    if (args.size() != 2 || !to_switch(args[1], "present", "absent", &on))
        return usage("device NAME on|off");
    return answer(m_machine->setDevicePresent(args[0], on));
}

QString ControlInterpreter::reset(const QStringList& args)
{
    if (!args.isEmpty())
        return usage("reset");
    m_machine->resetBoard();
    return ok(QStringLiteral("board reset"));
}

QString ControlInterpreter::quit(const QStringList&)
{
    emit quitRequested();
    return ok(QStringLiteral("bye"));
}

QString ControlInterpreter::card(const QStringList& args)
{
    int balance = 0;
    int id = 1;
    if (!args.isEmpty() && (args[0] == QLatin1String("insert") || args[0] == QLatin1String("present"))) {
        if (args.size() < 2 || args.size() > 3 || !parseMoney(args[1], &balance)
            || (args.size() == 3 && !to_int(args[2], &id)))
            return usage("card insert BALANCE [ID]");
        return answer(m_machine->presentCard(balance, id));
    }
    if (args.size() == 1 && args[0] == QLatin1String("remove"))
        return answer(m_machine->removeCard());
    return usage("card insert BALANCE [ID] | card remove");
}

QString ControlInterpreter::door(const QStringList& args)
{
    static const QStringList doors{"front", "back", "product"};
    bool open = false;
    const qsizetype which = args.isEmpty() ? -1 : doors.indexOf(args[0]);
    if (args.size() != 2 || which < 0 || !to_switch(args[1], "open", "close", &open))
        return usage("door front|back|product open|close");
    return answer(m_machine->setDoorOpen(Machine::Door(which), open));
}

QString ControlInterpreter::button(const QStringList& args)
{
    int ms = 0;
    if (!args.isEmpty() && args[0] == QLatin1String("press") && args.size() <= 2
        && (args.size() == 1 || (to_int(args[1], &ms) && ms > 0))) {
        m_machine->pressButton(ms);
        return ok();
    }
    bool down = false;
    if (args.size() == 1 && to_switch(args[0], "down", "up", &down)) {
        m_machine->setButtonDown(down);
        return ok();
    }
    return usage("button press [MS] | button down | button up");
}

QString ControlInterpreter::column(const QStringList& args)
{
    int number = 0;
    int stock = 0;
    if (args.size() < 2 || !to_int(args[0], &number))
        return usage("column N stock K|empty|jam [soft|hard]|unjam");
    const QString action = args[1];
    if (action == QLatin1String("stock") && args.size() == 3 && to_int(args[2], &stock))
        return answer(m_machine->setColumnStock(number, stock));
    if (action == QLatin1String("empty") && args.size() == 2)
        return answer(m_machine->setColumnStock(number, 0));
    if (action == QLatin1String("unjam") && args.size() == 2)
        return answer(m_machine->setColumnJam(number, Machine::NoJam));
    if (action == QLatin1String("jam") && args.size() <= 3) {
        const QString kind = args.value(2, QStringLiteral("soft"));
        if (kind == QLatin1String("soft") || kind == QLatin1String("hard"))
            return answer(m_machine->setColumnJam(number, kind == QLatin1String("soft") ? Machine::SoftJam
                                                                                      : Machine::HardJam));
    }
    return usage("column N stock K|empty|jam [soft|hard]|unjam");
}

QString ControlInterpreter::restock(const QStringList& args)
{
    int stock = 0;
    if (args.size() != 1 || !to_int(args[0], &stock) || stock < 0)
        return usage("restock K");
    for (int column = 1; column <= Machine::COLUMNS; ++column)
        m_machine->setColumnStock(column, stock);
    return ok(QStringLiteral("every column stock %1").arg(stock));
}

QString ControlInterpreter::hopper(const QStringList& args)
{
    int number = 0;
    int coins = -1;
    if (args.size() >= 2 && to_int(args[0], &number)) {
        const QString action = args[1];
        if (action == QLatin1String("empty") && args.size() == 2)
            return answer(m_machine->setHopperCoins(number, 0));
        if (action == QLatin1String("fill") && (args.size() == 2 || (args.size() == 3 && to_int(args[2], &coins) && coins >= 0)))
            return answer(m_machine->fillHopper(number, coins));
        if (action == QLatin1String("set") && args.size() == 3 && to_int(args[2], &coins) && coins >= 0)
            return answer(m_machine->setHopperCoins(number, coins));
    }
    return usage("hopper 1|2 fill [K]|set K|empty");
}

QString ControlInterpreter::tube(const QStringList& args)
{
    if (args.size() == 1 && args[0] == QLatin1String("empty")) {
        m_machine->emptyTubes();
        return ok(QStringLiteral("tubes empty"));
    }
    int value = 0;
    int coins = 0;
    if (args.size() != 2 || !parseMoney(args[0], &value) || !to_int(args[1], &coins))
        return usage("tube VALUE COINS | tubes empty");
    return answer(m_machine->setTubeCoins(value, coins));
}

QString ControlInterpreter::paper(const QStringList& args)
{
    int lines = 0;
    if (args.size() == 1 && args[0] == QLatin1String("out"))
        m_machine->setPaperLines(0);
    else if (args.size() == 1 && args[0] == QLatin1String("in"))
        m_machine->setPaperLines(ReceiptPrinter::ENDLESS_PAPER);
    else if (args.size() == 1 && to_int(args[0], &lines) && lines >= 0)
        m_machine->setPaperLines(lines);
    else
        return usage("paper out|in|LINES");
    return ok();
}

QString ControlInterpreter::fault(const QStringList& args)
{
    int value = 0;
    bool on = false;
    const QString what = args.value(0);
    if (what == QLatin1String("drop") && args.size() == 3 && args[1] == QLatin1String("end") && to_int(args[2], &value)
        && value >= 0) {
        m_faults->setEndDrops(value);
        return ok();
    }
    FaultInjector::Kind kind;
    if (FaultInjector::kindFromName(what, &kind)) {
        bool valid = false;
        const double rate = args.value(1).toDouble(&valid);
        if (args.size() == 2 && args[1] == QLatin1String("off"))
            m_faults->off(kind);
        else if (args.size() == 2 && valid && rate >= 0.0 && rate <= 1.0)
            m_faults->setRate(kind, rate);
        else if (args.size() == 3 && args[1] == QLatin1String("next") && to_int(args[2], &value) && value >= 0)
            m_faults->setNext(kind, value);
        else
            return usage("fault nak|corrupt|drop RATE|next N|off");
        return ok();
    }
    if (what == QLatin1String("delay") && args.size() == 2 && to_int(args[1], &value) && value >= 0) {
        m_faults->setDelayMs(value);
        return ok();
    }
    if (what == QLatin1String("stray") && args.size() == 2 && to_int(args[1], &value) && value >= 0) {
        m_faults->setStrayBytes(value);
        return ok();
    }
    if (what == QLatin1String("silence") && args.size() == 2) {
        if (to_switch(args[1], "on", "off", &on))
            m_faults->setSilent(on ? -1 : 0);
        else if (to_int(args[1], &value) && value > 0)
            m_faults->setSilent(value);
        else
            return usage("fault silence on|off|MS");
        return ok();
    }
    if (what == QLatin1String("noise") && args.size() == 2 && to_int(args[1], &value) && value > 0) {
        if (!m_link)
            return error(QStringLiteral("no line"));
        m_link->sendNoise(value);
        return ok();
    }
    if (what == QLatin1String("clear") && args.size() == 1) {
        m_faults->clear();
        return ok();
    }
    return usage("fault nak|corrupt|drop RATE|next N|off, fault drop end N, fault delay MS, fault stray N, "
                 "fault silence on|off|MS, fault noise N, fault clear");
}

QString ControlInterpreter::timing(const QStringList& args)
{
    int ms = 0;
    if (args.size() == 2 && to_int(args[1], &ms) && ms >= 0) {
        for (const auto& field : Machine::timingFields()) {
            if (args[0] == QLatin1String(field.first)) {
                m_machine->timings().*field.second = ms;
                return ok();
            }
        }
    }
    QStringList names;
    for (const auto& field : Machine::timingFields())
        names.append(QLatin1String(field.first));
    return error(QStringLiteral("usage: timing %1 MS").arg(names.join(QLatin1Char('|'))));
}

QString ControlInterpreter::receipts(const QStringList& args)
{
    int count = 1;
    if (args.size() > 1 || (args.size() == 1 && (!to_int(args[0], &count) || count < 1)))
        return usage("receipts [N]");
    QJsonArray receipts;
    for (const QStringList& receipt : m_machine->lastReceipts(count))
        receipts.append(QJsonArray::fromStringList(receipt));
    return ok(QString::fromUtf8(QJsonDocument(receipts).toJson(QJsonDocument::Compact)));
}

QString ControlInterpreter::clock(const QStringList& args)
{
    if (args.size() == 1) {
        const QDateTime time = QDateTime::fromString(args[0], Qt::ISODate);
        if (!time.isValid())
            return usage("clock [yyyy-MM-ddThh:mm:ss]");
        m_machine->setBoardTime(time);
    } else if (!args.isEmpty()) {
        return usage("clock [yyyy-MM-ddThh:mm:ss]");
    }
    return ok(m_machine->boardTime().toString(Qt::ISODate));
}

} // namespace rk710sim
