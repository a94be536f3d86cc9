#include "board/rk710controller.h"
#include "core/systemactions.h"
#include "rk710simprocess.h"
#include "settableclock.h"
#include "tasks/rk710timeupdater.h"
#include "tasks/taskscheduler.h"
#include "testenvironment.h"

#include <QtTest>

#include <memory>

namespace {

QDateTime board_clock(const Rk710SimProcess& sim)
{
    const QString answer = sim.control(QStringLiteral("clock"));
    return QDateTime::fromString(answer.section(QLatin1Char(' '), 1), Qt::ISODate);
}

bool clock_was_set()
{
    for (const QStringList& action : SystemActions::recordedActions()) {
        if (action.join(QLatin1Char(' ')).contains(QLatin1String("set_system_time")))
            return true;
    }
    return false;
}

} // namespace

class Rk710TimeUpdaterTest : public QObject
{
    Q_OBJECT

private slots:
    void boardClockFollowsSystemClockEveryInterval()
    {
        TestEnvironment::ScopedAppDir appDir;
        Rk710SimProcess sim;
        QVERIFY2(sim.start(), qPrintable(sim.errorString()));
        QVERIFY(sim.control(QStringLiteral("clock 2010-05-06T07:08:09")).startsWith(QLatin1String("ok")));

        Rk710Controller controller;
        QVERIFY(controller.open(sim.devicePath().toLocal8Bit().constData()));
        controller.initialize();
        QVERIFY(controller.isAlive());

        SettableClock clock(QDateTime(QDate(2024, 3, 4), QTime(10, 0)));
        TaskScheduler scheduler;
        scheduler.setClock(&clock);
        auto* updater = new Rk710TimeUpdater(&controller);
        QCOMPARE(updater->interval(), 60);
        updater->setInterval(3600);
        scheduler.registerTask(updater);

        clock.advanceSecs(59 * 60);
        scheduler.runTasks();
        QTest::qWait(300);
        QCOMPARE(board_clock(sim).date().year(), 2010);

        clock.advanceSecs(60);
        scheduler.runTasks();
        QTRY_VERIFY_WITH_TIMEOUT(qAbs(board_clock(sim).secsTo(QDateTime::currentDateTime())) <= 2, 10000);
        // The system clock is set, so the board's answer leaves it alone.
        QVERIFY(!clock_was_set());
    }

    // Past the end of a 32-bit time_t (January 2038), as the board's C
    // library has it: the date read from the board and the one written to
    // it stay what they are, leap day and all.
    void boardClockAfter2038()
    {
        TestEnvironment::ScopedAppDir appDir;
        Rk710SimProcess sim;
        QVERIFY2(sim.start(), qPrintable(sim.errorString()));
        QVERIFY(sim.control(QStringLiteral("clock 2040-02-29T23:59:30")).startsWith(QLatin1String("ok")));

        Rk710Controller controller;
        QVERIFY(controller.open(sim.devicePath().toLocal8Bit().constData()));
        controller.initialize();
        QVERIFY(controller.isAlive());

        const QDateTime read = VM24::read_rk710_date_time(&controller);
        QCOMPARE(read.date(), QDate(2040, 2, 29));
        QVERIFY2(qAbs(read.time().secsTo(QTime(23, 59, 30))) <= 5, qPrintable(read.toString(Qt::ISODate)));

        const QDateTime written(QDate(2040, 12, 31), QTime(23, 58, 0));
        QVERIFY(VM24::save_local_time(&controller, written));
        const QDateTime board = board_clock(sim);
        QVERIFY2(board.isValid() && qAbs(board.secsTo(written)) <= 5, qPrintable(board.toString(Qt::ISODate)));
    }
};

QTEST_GUILESS_MAIN(Rk710TimeUpdaterTest)
#include "tst_rk710timeupdater.moc"
