#pragma once

#include <QJsonObject>
#include <QObject>
#include <QString>
#include <QStringList>

namespace rk710sim {

class BoardLink;
class FaultInjector;
class Machine;

// The simulator's control language: one command per line, one answer line
// per command, starting with "ok" or "error". The commands act on the machine
// as a customer, an operator or a test would (coins, cards, doors, columns...)
// and set the line faults. README.md lists them all.
class ControlInterpreter : public QObject
{
    Q_OBJECT

public:
    ControlInterpreter(Machine* machine, FaultInjector* faults, BoardLink* link, QObject* parent = nullptr);

    QString execute(const QString& line);
    QJsonObject state() const;

    // Amounts are cents ("150") or euros with a decimal separator ("1,50").
    static bool parseMoney(const QString& text, int* cents);

signals:
    void quitRequested();

private:
    QString dispatch(const QString& command, const QStringList& args);
    QString help(const QStringList& args);
    QString stateCommand(const QStringList& args);
    QString coin(const QStringList& args);
    QString banknote(const QStringList& args);
    QString pos(const QStringList& args);
    QString key(const QStringList& args);
    QString mains(const QStringList& args);
    QString temperature(const QStringList& args);
    QString battery(const QStringList& args);
    QString device(const QStringList& args);
    QString tray(const QStringList& args);
    QString reset(const QStringList& args);
    QString quit(const QStringList& args);
    QString card(const QStringList& args);
    QString door(const QStringList& args);
    QString button(const QStringList& args);
    QString column(const QStringList& args);
    QString restock(const QStringList& args);
    QString hopper(const QStringList& args);
    QString tube(const QStringList& args);
    QString paper(const QStringList& args);
    QString fault(const QStringList& args);
    QString timing(const QStringList& args);
    QString receipts(const QStringList& args);
    QString clock(const QStringList& args);

    Machine* m_machine;
    FaultInjector* m_faults;
    BoardLink* m_link;
};

} // namespace rk710sim
