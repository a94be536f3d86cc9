#include "simulatedboard.h"

#include "board/rk710controller.h"
#include "settings/settingsmanager.h"
#include "simulatorlinklog.h"

SimulatedBoard::SimulatedBoard(const QJsonObject& startState)
    : m_simulator(startState)
{
}

SimulatedBoard::~SimulatedBoard()
{
    m_controller.reset();
}

bool SimulatedBoard::start()
{
    if (!m_simulator.start()) {
        m_error = m_simulator.errorString();
        return false;
    }
    m_controller = std::make_unique<Rk710Controller>();
    if (!m_controller->open(m_simulator.devicePath().toLocal8Bit().constData())) {
        m_error = QStringLiteral("cannot open %1").arg(m_simulator.devicePath());
        return false;
    }
    SettingsManager::bindController(m_controller.get());
    m_controller->initialize();
    if (!m_controller->isAlive()) {
        m_error = QStringLiteral("the board did not answer the start-up exchange");
        return false;
    }
    return true;
}

bool SimulatedBoard::control(const QString& command) const
{
    return m_simulator.control(command).startsWith(QLatin1String("ok"));
}

QList<QByteArray> SimulatedBoard::requests() const
{
    return request_data(read_simulator_link_log(m_simulator.requestLogPath()));
}
