#include "scriptedcontroller.h"

#include "settings/settingsmanager.h"

#include <QDeadlineTimer>
#include <QThread>

ScriptedController::ScriptedController()
    : m_board(new ScriptedBoard)
{
}

bool ScriptedController::start()
{
    m_controller.reset(new Rk710Controller);
    if (!m_controller->open(m_board->devicePath().toLocal8Bit().constData()))
        return false;
    SettingsManager::bindController(m_controller.get());
    m_controller->initialize();
    clearRequests();
    return m_controller->isAlive();
}

QList<QByteArray> ScriptedController::requests() const
{
    return m_board->commands();
}

bool ScriptedController::waitForRequests(int count, int timeoutMs) const
{
    QDeadlineTimer deadline(timeoutMs);
    while (requests().size() < count) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(10);
    }
    return true;
}

void ScriptedController::clearRequests()
{
    m_board->peer().clearRecords();
}
