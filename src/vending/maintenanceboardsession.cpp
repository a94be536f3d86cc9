#include "vending/maintenanceboardsession.h"

#include "board/fancontrol.h"
#include "board/outputmask.h"
#include "board/rk710controller.h"
#include "vending/vendinglog.h"

#include <QPointer>
#include <QtConcurrentRun>

namespace {

void prepare_for_tests(Rk710Controller* controller)
{
    controller->clear();
    controller->setCreditEnable(true, true, true, true);
    controller->setBanknoteAcceptance(true);
    controller->setOutput(false, OutputMask::TestOff);
    controller->setPwmOutput(0, 0, 0, 0);
    controller->setDoorStatus(false);
}

// Every request is sent even after one failed: what the board takes is set.
bool restore_between_purchases(Rk710Controller* controller)
{
    bool ok = controller->setBanknoteAcceptance(false);
    ok = controller->setCreditEnable(false, false, false, false) && ok;
    ok = controller->clear() && ok;
    ok = controller->setOutput(true, OutputMask::RestingOn) && ok;
    ok = controller->setOutput(false, OutputMask::RestingOff) && ok;
    ok = controller->setPwmOutput(0, 0, 0, 0) && ok;
    ok = controller->setDoorStatus(false) && ok;
    return ok;
}

} // namespace

MaintenanceBoardSession::MaintenanceBoardSession(Rk710Controller* controller, FanControl* fanControl,
                                                 QObject* parent)
    : QObject(parent)
    , m_controller(controller)
    , m_fanControl(fanControl)
{
    connect(m_controller, &Rk710Controller::boardStatus, this, &MaintenanceBoardSession::onBoardStatus);
}

void MaintenanceBoardSession::begin()
{
    m_active = true;
    m_restorePending = false;
    if (m_fanControl)
        m_fanControl->setEnabled(false);
    Rk710Controller* controller = m_controller;
    QtConcurrent::run(controller->shortJobs(),
                      [controller] {
                          prepare_for_tests(controller);
                          return std::make_pair(controller->getItemValue(Rk710SerialProtocol::Hopper1),
                                                controller->getItemValue(Rk710SerialProtocol::Hopper2));
                      })
        .then(this, [this](const std::pair<int, int>& hoppers) { emit hopperValuesRead(hoppers.first, hoppers.second); });
}

QFuture<bool> MaintenanceBoardSession::end()
{
    m_active = false;
    return startRestore();
}

QFuture<bool> MaintenanceBoardSession::startRestore()
{
    Rk710Controller* controller = m_controller;
    // The future handed out ends once the session has taken the outcome: a
    // future holds one continuation, and its takers may add theirs.
    m_restore = QtConcurrent::run(controller->shortJobs(), [controller] { return restore_between_purchases(controller); })
                    .then(this, [this](bool ok) {
                        onRestoreFinished(ok);
                        return ok;
                    });
    return m_restore;
}

void MaintenanceBoardSession::onRestoreFinished(bool ok)
{
    if (m_active)
        return;
    m_restorePending = !ok;
    if (!ok)
        qCWarning(vendingLog) << "the board did not take the state between purchases; set again once it answers";
    // The fans' control sends their state afresh: the board's outputs were
    // just switched off.
    if (m_fanControl) {
        m_fanControl->setEnabled(false);
        m_fanControl->setEnabled(true);
    }
    if (ok)
        emit restored();
}

void MaintenanceBoardSession::onBoardStatus(bool alive)
{
    if (alive && m_restorePending && !m_active && !m_restore.isRunning())
        startRestore();
}
