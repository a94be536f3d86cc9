#include "scriptedcontroller.h"

#include <QDeadlineTimer>
#include <QThread>

namespace {

bool is_polling(const QByteArray& request)
{
    return request == "I" || request == "K" || request == "S";
}

} // namespace

ScriptedController::ScriptedController()
    : m_board(new ScriptedBoard)
{
}

bool ScriptedController::start()
{
    m_controller.reset(new Rk710Controller);
    if (!m_controller->open(m_board->devicePath().toLocal8Bit().constData()))
        return false;
    m_controller->initialize();
    clearRequests();
    return m_controller->isAlive();
}

QList<QByteArray> ScriptedController::requests() const
{
    QList<QByteArray> result;
    for (const QByteArray& request : m_board->requests()) {
        if (!is_polling(request))
            result.append(request);
    }
    return result;
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
