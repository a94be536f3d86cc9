#pragma once

#include <QByteArray>
#include <QString>

namespace rk710sim {

class Machine;

// Turns the data of one request frame (command letter and arguments) into the
// machine's action and the answer data. A request the board cannot take
// (unknown letter, wrong length, argument out of range, a long command while
// another runs) is not accepted and gets a NAK; nothing is executed then.
class BoardCommands
{
public:
    struct Answer
    {
        bool accepted = false;
        QByteArray data;
        QString note; // why a request was refused, for the request log
    };

    explicit BoardCommands(Machine* machine);

    Answer execute(const QByteArray& request);
    // Requests that only read (credit, inputs, item values, presence, status,
    // counters, versions): executing them twice changes nothing.
    static bool isPureRead(const QByteArray& request);

private:
    Answer dateTime(const QByteArray& request);
    Answer versions(const QByteArray& request);
    Answer longCommand(bool started);

    Machine* m_machine;
};

} // namespace rk710sim
