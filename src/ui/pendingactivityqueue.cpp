#include "ui/pendingactivityqueue.h"

#include <algorithm>

PendingActivityQueue::PendingActivityQueue(QObject* parent)
    : QObject(parent)
{
}

void PendingActivityQueue::enqueue(Activity* activity, int priority)
{
    const bool wasEmpty = m_heap.empty();
    m_heap.push_back({activity, priority});
    std::push_heap(m_heap.begin(), m_heap.end(), lowerPriority);
    if (wasEmpty)
        emit queueNotEmpty();
}

Activity* PendingActivityQueue::takeOne()
{
    if (m_heap.empty())
        return nullptr;
    std::pop_heap(m_heap.begin(), m_heap.end(), lowerPriority);
    Activity* activity = m_heap.back().activity;
    m_heap.pop_back();
    return activity;
}

void PendingActivityQueue::dequeue(Activity* activity)
{
    auto found = std::find_if(m_heap.begin(), m_heap.end(),
                              [activity](const Entry& entry) { return entry.activity == activity; });
    if (found == m_heap.end())
        return;
    m_heap.erase(found);
    std::make_heap(m_heap.begin(), m_heap.end(), lowerPriority);
}
