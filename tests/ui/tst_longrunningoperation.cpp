#include "ui/longrunningoperation.h"
#include "ui/messagedialog.h"

#include <QApplication>
#include <QAtomicInt>
#include <QLabel>
#include <QSemaphore>
#include <QThread>
#include <QtTest>

namespace {

// What the waiting person saw: the texts of the modal box while the task ran.
struct SeenBox
{
    QString title;
    QString text;
    bool modal = false;
};

// Records the first message box up from now on and then releases
// `recorded`: a task that waits for it cannot end before its box was seen,
// however slow the machine.
void recordModalBox(QObject* context, SeenBox* seen, QSemaphore* recorded)
{
    auto* timer = new QTimer(context);
    QObject::connect(timer, &QTimer::timeout, [timer, seen, recorded] {
        auto* box = qobject_cast<MessageDialog*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen->title = box->text();
        seen->text = box->subtitle();
        seen->modal = box->isModal();
        timer->stop();
        recorded->release();
    });
    timer->start(20);
}

const int RECORDING_TIMEOUT_MS = 10000;

} // namespace

class LongRunningOperationTest : public QObject
{
    Q_OBJECT

private slots:
    void returnsTheWorkersResultAfterShowingTheBox()
    {
        QObject context;
        SeenBox seen;
        QSemaphore recorded;
        recordModalBox(&context, &seen, &recorded);
        QAtomicInt workerThreadIsGui(-1);

        const int remainder = VM24::long_running_operation(
            VM24::run_in_thread_pool([&workerThreadIsGui, &recorded] {
                workerThreadIsGui = QThread::currentThread() == qApp->thread();
                recorded.tryAcquire(1, RECORDING_TIMEOUT_MS);
                return 150;
            }),
            nullptr, QStringLiteral("Attendere erogazione resto"), QStringLiteral("€ 1,50"));

        QCOMPARE(remainder, 150);
        QCOMPARE(workerThreadIsGui.loadRelaxed(), 0);
        QCOMPARE(seen.title, QStringLiteral("Attendere erogazione resto"));
        QCOMPARE(seen.text, QStringLiteral("€ 1,50"));
        QVERIFY(seen.modal);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    void boolAndVoidTasksAreAwaitedToo()
    {
        QVERIFY(VM24::long_running_operation(VM24::run_in_thread_pool([] {
                                                 QThread::msleep(50);
                                                 return true;
                                             }),
                                             nullptr, QStringLiteral("Prelievo cashless"), QString()));
        QVERIFY(!VM24::long_running_operation(VM24::run_in_thread_pool([] { return false; }), nullptr,
                                              QStringLiteral("Prelievo cashless"), QString()));

        QAtomicInt done(0);
        VM24::long_running_operation(VM24::run_in_thread_pool([&done] {
                                         QThread::msleep(100);
                                         done = 1;
                                     }),
                                     nullptr, QStringLiteral("Attendere prego"), QString());
        QCOMPARE(done.loadRelaxed(), 1);
    }

    void aTaskThatEndsBeforeTheBoxOpensDoesNotHang()
    {
        QFuture<int> future = VM24::run_in_thread_pool([] { return 7; });
        future.waitForFinished();
        QCOMPARE(VM24::long_running_operation(future, nullptr, QStringLiteral("Veloce"), QString()), 7);
    }

    void aTaskWithoutResultGivesTheFailureValue()
    {
        QPromise<int> intPromise;
        QPromise<bool> boolPromise;
        QFuture<int> intFuture = intPromise.future();
        QFuture<bool> boolFuture = boolPromise.future();
        QThread* worker = QThread::create([&] {
            QThread::msleep(50);
            intPromise.start();
            intPromise.finish();
            boolPromise.start();
            boolPromise.finish();
        });
        worker->start();
        QCOMPARE(VM24::long_running_operation(intFuture, nullptr, QStringLiteral("Annullato"), QString()), -1);
        QCOMPARE(VM24::long_running_operation(boolFuture, nullptr, QStringLiteral("Annullato"), QString()), false);
        QVERIFY(worker->wait(5000));
        delete worker;
    }

    void closingTheBoxEarlyStillWaitsForTheTask()
    {
        QObject context;
        // Someone closes the box (a key press, a stray close) while the task
        // runs; the task ends once the box is seen again.
        SeenBox seenAfterClose;
        QSemaphore recorded;
        auto* closer = new QTimer(&context);
        QObject::connect(closer, &QTimer::timeout, [closer, &context, &seenAfterClose, &recorded] {
            auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!box)
                return;
            closer->stop();
            box->reject();
            recordModalBox(&context, &seenAfterClose, &recorded);
        });
        closer->start(20);
        QAtomicInt done(0);
        const int result = VM24::long_running_operation(VM24::run_in_thread_pool([&done, &recorded] {
                                                            recorded.tryAcquire(1, RECORDING_TIMEOUT_MS);
                                                            done = 1;
                                                            return 5;
                                                        }),
                                                        nullptr, QStringLiteral("Attendere"), QString());
        QCOMPARE(result, 5);
        QCOMPARE(done.loadRelaxed(), 1);
        // The box came back: the person kept waiting in it, not in a frozen screen.
        QCOMPARE(seenAfterClose.title, QStringLiteral("Attendere"));
    }
};

QTEST_MAIN(LongRunningOperationTest)
#include "tst_longrunningoperation.moc"
