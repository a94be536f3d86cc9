#pragma once

#include "rk710simprocess.h"

#include <QJsonObject>
#include <QList>
#include <QString>

#include <memory>

class Rk710Controller;

// The board simulator with a controller talking to it over its pty: the
// controller has run its start-up exchange and polls the board.
class SimulatedBoard
{
public:
    explicit SimulatedBoard(const QJsonObject& startState = QJsonObject());
    ~SimulatedBoard();

    // Starts the simulator and the controller; false (with errorString())
    // when either fails.
    bool start();
    QString errorString() const { return m_error; }

    Rk710Controller* controller() const { return m_controller.get(); }
    Rk710SimProcess& simulator() { return m_simulator; }
    // Sends a control command; true when the simulator answered "ok".
    bool control(const QString& command) const;
    QJsonObject state() const { return m_simulator.state(); }

    // The request frames the board has received so far, each as its command
    // letter followed by the request data, in order.
    QList<QByteArray> requests() const;

private:
    Rk710SimProcess m_simulator;
    std::unique_ptr<Rk710Controller> m_controller;
    QString m_error;
};
