#include "simulatedboard.h"

#include "board/rk710controller.h"

#include <QFile>

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
    // Log lines: "<ms> rx <hex bytes> [# note]"; a request frame is
    // 23, identifier, length (2 bytes), data, checksum.
    QList<QByteArray> frames;
    QFile log(m_simulator.requestLogPath());
    if (!log.open(QIODevice::ReadOnly))
        return frames;
    while (!log.atEnd()) {
        const QList<QByteArray> fields = log.readLine().split('#').first().simplified().split(' ');
        if (fields.size() < 7 || fields.at(1) != "rx" || fields.at(2) != "23")
            continue;
        QByteArray frame;
        for (int i = 2; i < fields.size(); ++i)
            frame.append(char(fields.at(i).toInt(nullptr, 16)));
        const int length = (quint8(frame.at(2)) << 8) | quint8(frame.at(3));
        if (frame.size() == length + 5)
            frames.append(frame.mid(4, length));
    }
    return frames;
}
