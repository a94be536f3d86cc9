#include "ui/activity.h"
#include "ui/pendingactivityqueue.h"

#include <QSignalSpy>
#include <QtTest>

class PendingActivityQueueTest : public QObject
{
    Q_OBJECT

private slots:
    void highestPriorityComesFirst();
    void dequeueRemovesOnlyThatActivity();
    void signalsOnlyWhenTheQueueStopsBeingEmpty();
};

void PendingActivityQueueTest::highestPriorityComesFirst()
{
    Activity first(nullptr), second(nullptr), third(nullptr), fourth(nullptr);
    PendingActivityQueue queue;
    queue.enqueue(&first, 0);
    queue.enqueue(&second, 5);
    queue.enqueue(&third, 1);
    queue.enqueue(&fourth, 3);

    QCOMPARE(queue.takeOne(), &second);
    QCOMPARE(queue.takeOne(), &fourth);
    QCOMPARE(queue.takeOne(), &third);
    QCOMPARE(queue.takeOne(), &first);
    QVERIFY(queue.isEmpty());
    QCOMPARE(queue.takeOne(), nullptr);
}

void PendingActivityQueueTest::dequeueRemovesOnlyThatActivity()
{
    Activity first(nullptr), second(nullptr), third(nullptr), stranger(nullptr);
    PendingActivityQueue queue;
    queue.enqueue(&first, 0);
    queue.enqueue(&second, 5);
    queue.enqueue(&third, 1);

    queue.dequeue(&third);
    queue.dequeue(&stranger);
    QCOMPARE(queue.size(), 2);
    QCOMPARE(queue.takeOne(), &second);
    QCOMPARE(queue.takeOne(), &first);

    // Plugging and unplugging a USB stick leaves the queue empty.
    queue.enqueue(&first, 0);
    queue.dequeue(&first);
    QVERIFY(queue.isEmpty());
}

void PendingActivityQueueTest::signalsOnlyWhenTheQueueStopsBeingEmpty()
{
    Activity first(nullptr), second(nullptr);
    PendingActivityQueue queue;
    QSignalSpy notEmpty(&queue, &PendingActivityQueue::queueNotEmpty);

    queue.enqueue(&first, 0);
    queue.enqueue(&second, 0);
    QCOMPARE(notEmpty.count(), 1);

    queue.takeOne();
    queue.takeOne();
    queue.enqueue(&second, 2);
    QCOMPARE(notEmpty.count(), 2);
}

QTEST_GUILESS_MAIN(PendingActivityQueueTest)
#include "tst_pendingactivityqueue.moc"
