#include "ui/activity.h"
#include "ui/context.h"

#include <QStackedWidget>
#include <QStringList>
#include <QtTest>

#include <functional>

namespace {

// An activity that writes every call it receives into a shared journal and
// can be given extra behaviour for onStart() and onInterrupt().
class JournalActivity : public Activity
{
public:
    JournalActivity(Context* context, const QString& name, QStringList* journal)
        : Activity(context)
        , m_name(name)
        , m_journal(journal)
    {
    }

    std::function<void()> whenStarted;
    std::function<void()> whenInterrupted;

    void onStart() override
    {
        log(QStringLiteral("start"));
        if (whenStarted)
            whenStarted();
    }
    void onResume(const ActivityResult& result) override
    {
        log(QStringLiteral("resume(%1,%2)").arg(result.status()).arg(result.value()));
    }
    void onPause() override { log(QStringLiteral("pause")); }
    void onStop() override { log(QStringLiteral("stop")); }
    void onInterrupt() override
    {
        log(QStringLiteral("interrupt"));
        if (whenInterrupted)
            whenInterrupted();
        else
            Activity::onInterrupt();
    }

private:
    void log(const QString& what) { m_journal->append(m_name + QLatin1Char(':') + what); }

    QString m_name;
    QStringList* m_journal;
};

} // namespace

class ContextTest : public QObject
{
    Q_OBJECT

private:
    QStackedWidget m_views;
    QStringList m_journal;

private slots:
    void init() { m_journal.clear(); }

    void startPausesThePreviousTopAndResumesTheNewOne()
    {
        Context context(&m_views);
        JournalActivity home(&context, QStringLiteral("home"), &m_journal);
        JournalActivity page(&context, QStringLiteral("page"), &m_journal);

        context.startActivity(&home);
        QVERIFY(home.isResumed());
        context.startActivity(&page);

        QCOMPARE(m_journal, QStringList({"home:start", "home:pause", "page:start"}));
        QVERIFY(!home.isResumed());
        QVERIFY(page.isResumed());
        QCOMPARE(context.currentActivity(), &page);
        QCOMPARE(context.depth(), 2);

        m_journal.clear();
        page.finish(ActivityResult(7, ActivityResult::HasResult));
        QCOMPARE(m_journal, QStringList({"page:pause", "page:stop", "home:resume(1,7)"}));
        QVERIFY(!page.isResumed());
        QVERIFY(home.isResumed());
        QCOMPARE(context.depth(), 1);

        m_journal.clear();
        home.finish();
        QCOMPARE(m_journal, QStringList({"home:pause", "home:stop"}));
        QCOMPARE(context.currentActivity(), nullptr);
    }

    void startingFromInsideOnStartLeavesTheOuterPaused()
    {
        Context context(&m_views);
        JournalActivity outer(&context, QStringLiteral("outer"), &m_journal);
        JournalActivity inner(&context, QStringLiteral("inner"), &m_journal);
        outer.whenStarted = [&] { outer.startActivity(&inner); };

        context.startActivity(&outer);
        QCOMPARE(m_journal, QStringList({"outer:start", "outer:pause", "inner:start"}));
        QVERIFY(!outer.isResumed());
        QVERIFY(inner.isResumed());

        m_journal.clear();
        inner.finish(ActivityResult(3, ActivityResult::HasResult));
        QCOMPARE(m_journal, QStringList({"inner:pause", "inner:stop", "outer:resume(1,3)"}));
        QVERIFY(outer.isResumed());
    }

    void finishingFromInsideOnStartResumesTheOneBelow()
    {
        Context context(&m_views);
        JournalActivity home(&context, QStringLiteral("home"), &m_journal);
        JournalActivity quick(&context, QStringLiteral("quick"), &m_journal);
        quick.whenStarted = [&] { quick.finish(ActivityResult::ABORT); };

        context.startActivity(&home);
        m_journal.clear();
        context.startActivity(&quick);

        QCOMPARE(m_journal, QStringList({"home:pause", "quick:start", "quick:pause", "quick:stop",
                                         "home:resume(2,-1)"}));
        QVERIFY(!quick.isResumed());
        QVERIFY(home.isResumed());
        QCOMPARE(context.depth(), 1);
    }

    void interruptUnwindsFromTheTopDownToTheInterruptedActivity()
    {
        Context context(&m_views);
        JournalActivity home(&context, QStringLiteral("home"), &m_journal);
        JournalActivity a(&context, QStringLiteral("a"), &m_journal);
        JournalActivity b(&context, QStringLiteral("b"), &m_journal);
        JournalActivity c(&context, QStringLiteral("c"), &m_journal);
        for (Activity* activity : {static_cast<Activity*>(&home), static_cast<Activity*>(&a),
                                   static_cast<Activity*>(&b), static_cast<Activity*>(&c)})
            context.startActivity(activity);
        m_journal.clear();

        a.interrupt();

        QCOMPARE(m_journal, QStringList({
            "c:interrupt", "c:pause", "c:stop",
            "b:resume(0,-1)", "b:interrupt", "b:pause", "b:stop",
            "a:resume(0,-1)", "a:interrupt", "a:pause", "a:stop",
            "home:resume(0,-1)"}));
        QCOMPARE(context.currentActivity(), &home);
        QVERIFY(home.isResumed());
        QVERIFY(!home.isInterrupted());
        for (const JournalActivity* done : {&a, &b, &c})
            QVERIFY(!done->isInterrupted());
    }

    void anInterruptedActivityCanPassItsOwnResult()
    {
        Context context(&m_views);
        JournalActivity home(&context, QStringLiteral("home"), &m_journal);
        JournalActivity page(&context, QStringLiteral("page"), &m_journal);
        JournalActivity dialog(&context, QStringLiteral("dialog"), &m_journal);
        page.whenInterrupted = [&] { page.finish(ActivityResult(42, ActivityResult::HasResult)); };
        context.startActivity(&home);
        context.startActivity(&page);
        context.startActivity(&dialog);
        m_journal.clear();

        page.interrupt();

        QVERIFY(m_journal.contains(QStringLiteral("home:resume(1,42)")));
        QCOMPARE(context.currentActivity(), &home);
    }

    void interruptIsIgnoredForTheRunningTopAndForStrangers()
    {
        Context context(&m_views);
        JournalActivity home(&context, QStringLiteral("home"), &m_journal);
        JournalActivity stranger(&context, QStringLiteral("stranger"), &m_journal);
        context.startActivity(&home);
        m_journal.clear();

        home.interrupt();
        stranger.interrupt();

        QVERIFY(m_journal.isEmpty());
        QVERIFY(!home.isInterrupted());
        QVERIFY(!stranger.isInterrupted());
        QCOMPARE(context.currentActivity(), &home);
    }

    void anInterruptDuringOnStartEndsTheActivityOnceItIsOnTop()
    {
        Context context(&m_views);
        JournalActivity home(&context, QStringLiteral("home"), &m_journal);
        JournalActivity page(&context, QStringLiteral("page"), &m_journal);
        page.whenStarted = [&] { page.finishOrInterrupt(); };
        context.startActivity(&home);
        m_journal.clear();

        context.startActivity(&page);

        QCOMPARE(m_journal, QStringList({"home:pause", "page:start", "page:interrupt", "page:pause",
                                         "page:stop", "home:resume(0,-1)"}));
        QCOMPARE(context.currentActivity(), &home);
    }

    void aFinishedActivityStartsAfreshTheNextTime()
    {
        Context context(&m_views);
        JournalActivity home(&context, QStringLiteral("home"), &m_journal);
        JournalActivity page(&context, QStringLiteral("page"), &m_journal);
        JournalActivity dialog(&context, QStringLiteral("dialog"), &m_journal);
        context.startActivity(&home);
        context.startActivity(&page);
        context.startActivity(&dialog);
        page.interrupt();
        QCOMPARE(context.currentActivity(), &home);
        m_journal.clear();

        context.startActivity(&page);

        QCOMPARE(m_journal, QStringList({"home:pause", "page:start"}));
        QVERIFY(page.isResumed());
        QVERIFY(!page.isInterrupted());
    }

    void startingAnActivityAlreadyOnTheStackIsIgnored()
    {
        Context context(&m_views);
        JournalActivity home(&context, QStringLiteral("home"), &m_journal);
        JournalActivity page(&context, QStringLiteral("page"), &m_journal);
        context.startActivity(&home);
        context.startActivity(&page);
        m_journal.clear();

        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("already on the stack"));
        context.startActivity(&home);

        QVERIFY(m_journal.isEmpty());
        QCOMPARE(context.depth(), 2);
        QVERIFY(page.isResumed());
    }

    void finishingOnAnEmptyStackDoesNothing()
    {
        Context context(&m_views);
        JournalActivity lone(&context, QStringLiteral("lone"), &m_journal);
        lone.finish();
        QVERIFY(m_journal.isEmpty());
        QCOMPARE(context.depth(), 0);
    }
};

QTEST_MAIN(ContextTest)
#include "tst_context.moc"
