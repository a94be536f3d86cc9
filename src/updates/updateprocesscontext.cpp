#include "updates/updateprocesscontext.h"

#include <QMutexLocker>

void UpdateProcessContext::beginUpdate()
{
    setRestartRequired(false);
    updateStart();
}

void UpdateProcessContext::beginStage(const QString& name)
{
    QMutexLocker lock(&m_mutex);
    m_stage = name;
    m_total = 0;
    m_current = 0;
}

void UpdateProcessContext::beginProcessingItem(const QString& item)
{
    QString stageToAnnounce;
    int current = 0;
    int total = 0;
    {
        QMutexLocker lock(&m_mutex);
        if (m_current == 0)
            stageToAnnounce = m_stage;
        current = ++m_current;
        total = m_total;
    }
    if (current == 1)
        updateProgress(stageToAnnounce);
    onFileProgress(item, current, total);
}

void UpdateProcessContext::finishUpdate()
{
    updateEnd();
}

void UpdateProcessContext::resetProgressCounters()
{
    QMutexLocker lock(&m_mutex);
    m_total = 0;
    m_current = 0;
}

void UpdateProcessContext::setTotal(int total)
{
    QMutexLocker lock(&m_mutex);
    m_total = total;
}

int UpdateProcessContext::total() const
{
    QMutexLocker lock(&m_mutex);
    return m_total;
}

int UpdateProcessContext::current() const
{
    QMutexLocker lock(&m_mutex);
    return m_current;
}

QString UpdateProcessContext::stage() const
{
    QMutexLocker lock(&m_mutex);
    return m_stage;
}

void UpdateProcessContext::setUserLevel(int level)
{
    QMutexLocker lock(&m_mutex);
    m_userLevel = level;
}

int UpdateProcessContext::userLevel() const
{
    QMutexLocker lock(&m_mutex);
    return m_userLevel;
}

void UpdateProcessContext::setRestartRequired(bool required)
{
    QMutexLocker lock(&m_mutex);
    m_restartRequired = required;
}

bool UpdateProcessContext::restartRequired() const
{
    QMutexLocker lock(&m_mutex);
    return m_restartRequired;
}
