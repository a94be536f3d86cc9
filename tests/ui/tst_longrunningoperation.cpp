#include "ui/longrunningoperation.h"
#include "ui/messagedialog.h"

#include <QApplication>
#include <QAtomicInt>
#include <QPromise>
#include <QSemaphore>
#include <QThread>
#include <QWidget>
#include <QtTest>

#include <optional>

namespace {

const int WAIT_MS = 10000;

MessageDialog* open_box()
{
    return qobject_cast<MessageDialog*>(QApplication::activeModalWidget());
}

} // namespace

class LongRunningOperationTest : public QObject
{
    Q_OBJECT

private slots:
    // The call returns with the box open; the result comes on the GUI thread
    // once the task has ended, and the box is gone by then.
    void returnsAtOnceAndDeliversTheResultOnTheGuiThread()
    {
        QSemaphore release;
        QAtomicInt workerThreadIsGui(-1);
        std::optional<int> result;
        bool deliveredOnGui = false;
        bool boxGoneAtDelivery = false;
        VM24::long_running_operation(
            QtConcurrent::run([&workerThreadIsGui, &release] {
                workerThreadIsGui = QThread::currentThread() == qApp->thread();
                release.tryAcquire(1, WAIT_MS);
                return 150;
            }),
            nullptr, QStringLiteral("Attendere erogazione resto"), QStringLiteral("€ 1,50"), -1,
            [&](int remainder) {
                result = remainder;
                deliveredOnGui = QThread::currentThread() == qApp->thread();
                boxGoneAtDelivery = !open_box() || !open_box()->isVisible();
            });

        MessageDialog* box = open_box();
        QVERIFY(box);
        QCOMPARE(box->text(), QStringLiteral("Attendere erogazione resto"));
        QCOMPARE(box->subtitle(), QStringLiteral("€ 1,50"));
        QVERIFY(box->isModal());
        QVERIFY(!result);
        release.release();
        QTRY_VERIFY_WITH_TIMEOUT(result.has_value(), WAIT_MS);
        QCOMPARE(*result, 150);
        QCOMPARE(workerThreadIsGui.loadRelaxed(), 0);
        QVERIFY(deliveredOnGui);
        QVERIFY(boxGoneAtDelivery);
        QTRY_COMPARE(QApplication::activeModalWidget(), nullptr);
    }

    void voidTasksAndTasksDoneBeforeTheBoxOpensContinueToo()
    {
        QAtomicInt done(0);
        bool continued = false;
        VM24::long_running_operation(QtConcurrent::run([&done] {
                                         QThread::msleep(50);
                                         done = 1;
                                     }),
                                     nullptr, QStringLiteral("Attendere prego"), QString(), [&] { continued = true; });
        QTRY_VERIFY_WITH_TIMEOUT(continued, WAIT_MS);
        QCOMPARE(done.loadRelaxed(), 1);

        QFuture<int> future = QtConcurrent::run([] { return 7; });
        future.waitForFinished();
        std::optional<int> fast;
        VM24::long_running_operation(future, nullptr, QStringLiteral("Veloce"), QString(), -1,
                                     [&fast](int value) { fast = value; });
        QTRY_VERIFY_WITH_TIMEOUT(fast.has_value(), WAIT_MS);
        QCOMPARE(*fast, 7);
        QTRY_COMPARE(QApplication::activeModalWidget(), nullptr);
    }

    // A task that ended without a result, or was cancelled, gives the fallback.
    void aTaskWithoutResultGivesTheFallback()
    {
        QPromise<int> empty;
        QPromise<bool> cancelled;
        std::optional<int> emptyResult;
        std::optional<bool> cancelledResult;
        VM24::long_running_operation(empty.future(), nullptr, QStringLiteral("Vuoto"), QString(), -1,
                                     [&](int value) { emptyResult = value; });
        VM24::long_running_operation(cancelled.future(), nullptr, QStringLiteral("Annullato"), QString(), true,
                                     [&](bool value) { cancelledResult = value; });
        empty.start();
        empty.finish();
        cancelled.start();
        cancelled.future().cancel();
        cancelled.finish();
        QTRY_VERIFY_WITH_TIMEOUT(emptyResult.has_value() && cancelledResult.has_value(), WAIT_MS);
        QCOMPARE(*emptyResult, -1);
        QCOMPARE(*cancelledResult, true);
        QTRY_COMPARE(QApplication::activeModalWidget(), nullptr);
    }

    // Someone closes the box (a key press, a stray close) while the task
    // runs: it comes back, and the person keeps waiting in it.
    void closingTheBoxEarlyOpensItAgain()
    {
        QSemaphore release;
        std::optional<int> result;
        VM24::long_running_operation(QtConcurrent::run([&release] {
                                         release.tryAcquire(1, WAIT_MS);
                                         return 5;
                                     }),
                                     nullptr, QStringLiteral("Attendere"), QString(), -1,
                                     [&result](int value) { result = value; });
        QPointer<MessageDialog> box = open_box();
        QVERIFY(box);
        box->reject();
        QVERIFY(box);
        QVERIFY(box->isVisible());
        QCOMPARE(open_box(), box.data());
        QVERIFY(!result);
        release.release();
        QTRY_VERIFY_WITH_TIMEOUT(result.has_value(), WAIT_MS);
        QCOMPARE(*result, 5);
        QTRY_VERIFY(!box);
    }

    // A page that goes while its task runs takes the continuation with it.
    void aParentThatGoesFirstGetsNoResult()
    {
        auto* page = new QWidget;
        QSemaphore release;
        bool continued = false;
        QFuture<int> task = QtConcurrent::run([&release] {
            release.tryAcquire(1, WAIT_MS);
            return 1;
        });
        VM24::long_running_operation(task, page, QStringLiteral("Attendere"), QString(), -1,
                                     [&continued](int) { continued = true; });
        QVERIFY(open_box());
        delete page;
        release.release();
        task.waitForFinished();
        QTest::qWait(50);
        QVERIFY(!continued);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }
};

QTEST_MAIN(LongRunningOperationTest)
#include "tst_longrunningoperation.moc"
