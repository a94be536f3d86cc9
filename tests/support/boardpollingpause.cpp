#include "boardpollingpause.h"

#include "board/boardstatereader.h"
#include "board/rk710controller.h"

#include <QTest>

BoardPollingPause::BoardPollingPause(Rk710Controller* controller)
    : m_reader(controller->findChild<BoardStateReader*>())
{
    if (!m_reader)
        return;
    m_connection = QObject::connect(m_reader, &Agent::suspended, m_reader, [this] { m_asleep = true; }, Qt::DirectConnection);
    m_reader->suspend();
}

BoardPollingPause::~BoardPollingPause()
{
    release();
}

bool BoardPollingPause::wait(int ms) const
{
    return m_reader && QTest::qWaitFor([this] { return m_asleep.load(); }, ms);
}

void BoardPollingPause::release()
{
    if (!m_reader)
        return;
    QObject::disconnect(m_connection);
    m_reader->resume();
    m_reader = nullptr;
}
