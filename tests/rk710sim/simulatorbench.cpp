#include "simulatorbench.h"

#include <QJsonArray>
#include <QTest>

bool SimulatorBench::start(const QJsonObject& state, const QStringList& arguments)
{
    m_wire.reset();
    m_sim = std::make_unique<Rk710SimProcess>(state, arguments);
    m_wire = std::make_unique<WireProbe>();
    if (!m_sim->start()) {
        qWarning() << m_sim->errorString();
        return false;
    }
    return m_wire->open(m_sim->devicePath());
}

QByteArray SimulatorBench::ask(const QByteArray& request)
{
    const WireProbe::Reply reply = m_wire->request(request);
    if (reply.kind != WireProbe::Reply::Answer)
        return QByteArray();
    return reply.data.isNull() ? QByteArray("") : reply.data;
}

QByteArray SimulatorBench::awaitOperation()
{
    for (int i = 0; i < 500; ++i) {
        const QByteArray status = ask("N");
        if (status.size() < 2)
            return QByteArray();
        if (status.at(1) != 0)
            return status;
        QTest::qWait(20);
    }
    return QByteArray();
}

QByteArray SimulatorBench::run(const QByteArray& request)
{
    return ask(request).isNull() ? QByteArray() : awaitOperation();
}

int SimulatorBench::stock(int column) const
{
    return state().value("columns").toArray().at(column - 1).toObject().value("stock").toInt(-1);
}

int SimulatorBench::linkCount(const char* key) const
{
    return state().value("link").toObject().value(QLatin1String(key)).toInt(-1);
}

int SimulatorBench::word(const QByteArray& data, int offset)
{
    return quint8(data.at(offset)) << 8 | quint8(data.at(offset + 1));
}

qint32 SimulatorBench::integer(const QByteArray& data, int offset)
{
    return qint32(quint32(word(data, offset)) << 16 | quint32(word(data, offset + 2)));
}

QJsonObject SimulatorBench::fastTimings()
{
    return QJsonObject{{"motorMs", 150}, {"jamMs", 250}, {"resetMs", 100}, {"coinMs", 5},
                       {"payoutMs", 50}, {"cashlessMs", 50}, {"posMs", 100}};
}
