#pragma once

#include <QObject>

#include <vector>

class Activity;

// Activities waiting for the home page to hand over the screen, such as
// maintenance mode once a USB stick is plugged in. The highest priority
// comes out first; among equal priorities the order is not defined.
class PendingActivityQueue : public QObject
{
    Q_OBJECT

public:
    explicit PendingActivityQueue(QObject* parent = nullptr);

    // Emits queueNotEmpty() when the queue held nothing before.
    void enqueue(Activity* activity, int priority);
    // The caller checks isEmpty() first; an empty queue gives nullptr.
    Activity* takeOne();
    // Removes the first entry for the activity, if any.
    void dequeue(Activity* activity);

    bool isEmpty() const { return m_heap.empty(); }
    int size() const { return static_cast<int>(m_heap.size()); }

signals:
    void queueNotEmpty();

private:
    struct Entry
    {
        Activity* activity;
        int priority;
    };
    static bool lowerPriority(const Entry& a, const Entry& b) { return a.priority < b.priority; }

    std::vector<Entry> m_heap;
};
