#include "settableclock.h"
#include "tasks/dailyjob.h"
#include "tasks/periodicjob.h"
#include "tasks/taskscheduler.h"
#include "testenvironment.h"

#include <QFile>
#include <QSettings>
#include <QtTest>

#include <memory>

namespace {

QDateTime at(int day, int hour, int minute, int second = 0, int year = 2024)
{
    return QDateTime(QDate(year, 3, day), QTime(hour, minute, second));
}

struct Counters
{
    int inits = 0;
    int runs = 0;
    int deletions = 0;
    QList<QDateTime> runTimes;
};

class CountingPeriodicJob : public PeriodicJob
{
public:
    explicit CountingPeriodicJob(Counters* counters)
        : m_counters(counters)
    {
    }
    ~CountingPeriodicJob() override { ++m_counters->deletions; }
    void init() override
    {
        ++m_counters->inits;
        PeriodicJob::init();
    }
    void run() override
    {
        ++m_counters->runs;
        m_counters->runTimes.append(currentDateTime());
    }

private:
    Counters* m_counters;
};

class CountingDailyJob : public DailyJob
{
public:
    explicit CountingDailyJob(Counters* counters, const QTime& start)
        : m_counters(counters)
    {
        setDailyStart(start);
    }
    ~CountingDailyJob() override { ++m_counters->deletions; }
    void init() override
    {
        ++m_counters->inits;
        DailyJob::init();
    }
    void run() override
    {
        ++m_counters->runs;
        m_counters->runTimes.append(currentDateTime());
    }

private:
    Counters* m_counters;
};

// Ticks the scheduler once a minute from the clock's time up to until.
void tick_every_minute(TaskScheduler& scheduler, SettableClock& clock, const QDateTime& until)
{
    while (clock.now() < until) {
        clock.advanceSecs(60);
        scheduler.runTasks();
    }
}

} // namespace

class TaskSchedulerTest : public QObject
{
    Q_OBJECT

private slots:
    void periodicFirstRunOneIntervalAfterRegistration()
    {
        Counters counters;
        SettableClock clock(at(4, 10, 0));
        TaskScheduler scheduler;
        scheduler.setClock(&clock);
        auto* job = new CountingPeriodicJob(&counters);
        job->setInterval(300);
        scheduler.registerTask(job);

        tick_every_minute(scheduler, clock, at(4, 10, 4));
        QCOMPARE(counters.runs, 0);
        tick_every_minute(scheduler, clock, at(4, 10, 5));
        QCOMPARE(counters.runs, 1);
        QCOMPARE(job->nextRun(), at(4, 10, 10));
        tick_every_minute(scheduler, clock, at(4, 10, 20));
        QCOMPARE(counters.runTimes, QList<QDateTime>({at(4, 10, 5), at(4, 10, 10), at(4, 10, 15), at(4, 10, 20)}));
    }

    void periodicIntervalNotMultipleOfTickRunsAtNextTick()
    {
        Counters counters;
        SettableClock clock(at(4, 10, 0, 30));
        TaskScheduler scheduler;
        scheduler.setClock(&clock);
        auto* job = new CountingPeriodicJob(&counters);
        job->setInterval(90);
        scheduler.registerTask(job);
        tick_every_minute(scheduler, clock, at(4, 10, 5, 30));
        // Ticks fall on hh:mm:30. Due at 10:02:00 -> runs at 10:02:30, due
        // again at 10:04:00 -> runs at 10:04:30: no drift correction.
        QCOMPARE(counters.runTimes, QList<QDateTime>({at(4, 10, 2, 30), at(4, 10, 4, 30)}));
    }

    void doubleRegistrationIsIgnored()
    {
        TestEnvironment::ScopedAppDir appDir;
        Counters periodic;
        Counters daily;
        SettableClock clock(at(4, 10, 0));
        {
            TaskScheduler scheduler;
            scheduler.setClock(&clock);
            auto* job = new CountingPeriodicJob(&periodic);
            job->setInterval(60);
            scheduler.registerTask(job);
            scheduler.registerTask(job);
            auto* dailyJob = new CountingDailyJob(&daily, QTime(10, 1));
            scheduler.registerTask(dailyJob, QStringLiteral("first"));
            scheduler.registerTask(dailyJob, QStringLiteral("second"));
            scheduler.registerTask(static_cast<AbstractTask*>(dailyJob));
            QCOMPARE(scheduler.taskCount(), 2);
            QCOMPARE(periodic.inits, 1);
            QCOMPARE(daily.inits, 1);
            QCOMPARE(dailyJob->name(), QStringLiteral("first"));
            QVERIFY(!scheduler.getSavedTime(QStringLiteral("first")).isNull());
            QVERIFY(scheduler.getSavedTime(QStringLiteral("second")).isNull());

            clock.advanceSecs(60);
            scheduler.runTasks();
            QCOMPARE(periodic.runs, 1);
            QCOMPARE(daily.runs, 1);
        }
        // The scheduler owns its tasks, each deleted once.
        QCOMPARE(periodic.deletions, 1);
        QCOMPARE(daily.deletions, 1);
    }

    void firstRegistrationWaitsForDailyTime_data()
    {
        QTest::addColumn<QDateTime>("registeredAt");
        QTest::addColumn<QDateTime>("expectedStart");
        QTest::newRow("before the daily time") << at(4, 1, 30) << at(4, 2, 0);
        QTest::newRow("exactly at the daily time") << at(4, 2, 0) << at(5, 2, 0);
        QTest::newRow("one second before") << at(4, 1, 59, 59) << at(4, 2, 0);
        QTest::newRow("late evening") << at(4, 23, 59, 59) << at(5, 2, 0);
        QTest::newRow("end of month") << QDateTime(QDate(2024, 2, 29), QTime(3, 0)) << at(1, 2, 0);
    }
    void firstRegistrationWaitsForDailyTime()
    {
        QFETCH(QDateTime, registeredAt);
        QFETCH(QDateTime, expectedStart);
        TestEnvironment::ScopedAppDir appDir;
        Counters counters;
        SettableClock clock(registeredAt);
        TaskScheduler scheduler;
        scheduler.setClock(&clock);
        auto* job = new CountingDailyJob(&counters, QTime(2, 0));
        scheduler.registerTask(job, QStringLiteral("ftp-files-mover"));

        QCOMPARE(job->startTime(), expectedStart);
        QCOMPARE(scheduler.getSavedTime(QStringLiteral("ftp-files-mover")), expectedStart);
        scheduler.runTasks();
        QCOMPARE(counters.runs, 0);

        tick_every_minute(scheduler, clock, expectedStart.addSecs(-60));
        QCOMPARE(counters.runs, 0);
        tick_every_minute(scheduler, clock, expectedStart.addSecs(60 * 60 * 24 + 60));
        QCOMPARE(counters.runs, 2);
    }

    // 2040 is past the end of a 32-bit time_t, the board's C library's.
    void missedRunCaughtUpOnceAfterDowntime_data()
    {
        QTest::addColumn<int>("year");
        QTest::newRow("2024") << 2024;
        QTest::newRow("2040") << 2040;
    }

    void missedRunCaughtUpOnceAfterDowntime()
    {
        QFETCH(int, year);
        const auto at = [year](int day, int hour, int minute) { return ::at(day, hour, minute, 0, year); };
        TestEnvironment::ScopedAppDir appDir;
        Counters counters;
        SettableClock clock(at(1, 23, 0));
        {
            // The machine runs on the 1st and is switched off before midnight.
            TaskScheduler scheduler;
            scheduler.setClock(&clock);
            scheduler.registerTask(new CountingDailyJob(&counters, QTime(0, 0)), QStringLiteral("log-compiler"));
            QCOMPARE(scheduler.getSavedTime(QStringLiteral("log-compiler")), at(2, 0, 0));
        }
        // Three midnights later, at 09:00, it is switched on again.
        clock.set(at(5, 9, 0));
        TaskScheduler scheduler;
        scheduler.setClock(&clock);
        auto* job = new CountingDailyJob(&counters, QTime(0, 0));
        scheduler.registerTask(job, QStringLiteral("log-compiler"));
        QCOMPARE(job->startTime(), at(2, 0, 0));
        QCOMPARE(counters.runs, 0);

        tick_every_minute(scheduler, clock, at(5, 9, 30));
        QCOMPARE(counters.runTimes, QList<QDateTime>({at(5, 9, 1)}));
        QCOMPARE(job->startTime(), at(6, 0, 0));
        QCOMPARE(scheduler.getSavedTime(QStringLiteral("log-compiler")), at(6, 0, 0));

        tick_every_minute(scheduler, clock, at(6, 0, 30));
        QCOMPARE(counters.runs, 2);
        QCOMPARE(counters.runTimes.last(), at(6, 0, 0));
    }

    void unreadableTimeStoreSchedulesWithoutRunning()
    {
        TestEnvironment::ScopedAppDir appDir;
        QFile store(appDir.filePath(QStringLiteral("time-store.ini")));
        QVERIFY(store.open(QIODevice::WriteOnly));
        store.write("\x01\x02 not an ini file [[[\nlog-compiler=yesterday\n");
        store.close();

        Counters counters;
        SettableClock clock(at(4, 9, 0));
        TaskScheduler scheduler;
        scheduler.setClock(&clock);
        auto* job = new CountingDailyJob(&counters, QTime(0, 0));
        scheduler.registerTask(job, QStringLiteral("log-compiler"));
        QCOMPARE(job->startTime(), at(5, 0, 0));
        tick_every_minute(scheduler, clock, at(4, 10, 0));
        QCOMPARE(counters.runs, 0);
    }

    void changedDailyTimeReschedulesAtOnce()
    {
        TestEnvironment::ScopedAppDir appDir;
        Counters counters;
        SettableClock clock(at(4, 1, 0));
        TaskScheduler scheduler;
        scheduler.setClock(&clock);
        auto* job = new CountingDailyJob(&counters, QTime(2, 0));
        scheduler.registerTask(job, QStringLiteral("content-downloader"));
        QCOMPARE(job->startTime(), at(4, 2, 0));

        job->setDailyStart(QTime(0, 30));
        QCOMPARE(job->startTime(), at(5, 0, 30));
        QCOMPARE(scheduler.getSavedTime(QStringLiteral("content-downloader")), at(5, 0, 30));

        job->setDailyStart(QTime(1, 30));
        QCOMPARE(job->startTime(), at(4, 1, 30));
        tick_every_minute(scheduler, clock, at(4, 2, 0));
        QCOMPARE(counters.runTimes, QList<QDateTime>({at(4, 1, 30)}));
    }

    void unchangedDailyTimeKeepsPendingCatchUp()
    {
        TestEnvironment::ScopedAppDir appDir;
        Counters counters;
        SettableClock clock(at(4, 9, 0));
        TaskScheduler scheduler;
        scheduler.setClock(&clock);
        {
            // A store edited by hand holds the time as text.
            QSettings store(scheduler.timeStorePath(), QSettings::IniFormat);
            store.setValue(QStringLiteral("machine-state-recorder"), QStringLiteral("2024-03-03T00:00:00"));
        }
        auto* job = new CountingDailyJob(&counters, QTime(0, 0));
        scheduler.registerTask(job, QStringLiteral("machine-state-recorder"));

        // A settings reload before the first tick must not lose the missed run.
        job->setDailyStart(QTime(0, 0));
        QCOMPARE(job->startTime(), at(3, 0, 0));
        clock.advanceSecs(60);
        scheduler.runTasks();
        QCOMPARE(counters.runs, 1);
    }

    void unregisteredDailyJobOnlyRemembersTime()
    {
        TestEnvironment::ScopedAppDir appDir;
        Counters counters;
        CountingDailyJob job(&counters, QTime(3, 15));
        QCOMPARE(job.dailyStart(), QTime(3, 15));
        QVERIFY(job.startTime().isNull());
        QVERIFY(!QFile::exists(appDir.filePath(QStringLiteral("time-store.ini"))));
    }

    void timerTicksAndIntervalChanges()
    {
        Counters counters;
        SettableClock clock(at(4, 10, 0));
        TaskScheduler scheduler;
        scheduler.setClock(&clock);
        auto* job = new CountingPeriodicJob(&counters);
        job->setInterval(0);
        scheduler.registerTask(job);
        QVERIFY(!scheduler.isActive());
        scheduler.setInterval(1);
        QVERIFY(!scheduler.isActive());
        scheduler.start();
        QVERIFY(scheduler.isActive());
        QTRY_VERIFY_WITH_TIMEOUT(counters.runs >= 1, 10000);
        scheduler.stop();
        const int runs = counters.runs;
        QTest::qWait(1300);
        QCOMPARE(counters.runs, runs);
        QCOMPARE(scheduler.interval(), 1);
        scheduler.setInterval(0);
        QCOMPARE(scheduler.interval(), 1);
    }
};

QTEST_GUILESS_MAIN(TaskSchedulerTest)
#include "tst_taskscheduler.moc"
