#include "board/boardstatus.h"
#include "board/doormonitor.h"
#include "board/inputmask.h"
#include "board/printerobserver.h"
#include "logging/debugnotification.h"
#include "logging/notificationhandlerbase.h"
#include "logging/notifications.h"
#include "logging/notificationservice.h"
#include "settableclock.h"
#include "tasks/heartbeat.h"
#include "tasks/taskscheduler.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

const int FRONT = InputMask::FrontDoorClosed;
const int BACK = InputMask::BackDoorClosed;

// The messages of the debug notifications handed to it.
class DebugRecorder : public INotificationHandler<VM24::NotificationBase>
{
public:
    QStringList messages;
    int others = 0;

    void handle(VM24::NotificationBase* notification) override
    {
        if (auto* debug = dynamic_cast<VM24::DebugNotification*>(notification))
            messages.append(debug->message());
        else
            ++others;
    }
};

} // namespace

class PeripheralWatchersTest : public QObject
{
    Q_OBJECT

private slots:
    void doorMonitorAnnouncesEachDoorThatChanged()
    {
        DoorMonitor monitor;
        QList<QString> events;
        connect(&monitor, &DoorMonitor::frontDoorOpenChanged, this,
                [&events](bool open) { events.append(open ? "front open" : "front closed"); });
        connect(&monitor, &DoorMonitor::backDoorOpenChanged, this,
                [&events](bool open) { events.append(open ? "back open" : "back closed"); });

        monitor.setInitialDoorStates(FRONT | BACK | InputMask::MainsPower);
        QVERIFY(events.isEmpty());
        QVERIFY(monitor.isFrontClosed() && monitor.isBackClosed());

        // Other bits (key, temperature) changing are no door event.
        monitor.setInput(FRONT | BACK | InputMask::AlarmKey | (30 << 16));
        QVERIFY(events.isEmpty());

        monitor.setInput(0);
        monitor.setInput(0);
        monitor.setInput(BACK);
        monitor.setInput(FRONT | BACK);
        QCOMPARE(events, (QList<QString>{"front open", "back open", "back closed", "front closed"}));
    }

    void doorMonitorStartsWithBothDoorsOpen()
    {
        DoorMonitor monitor;
        QSignalSpy front(&monitor, &DoorMonitor::frontDoorOpenChanged);
        QSignalSpy back(&monitor, &DoorMonitor::backDoorOpenChanged);
        monitor.setInput(FRONT);
        QCOMPARE(front.count(), 1);
        QCOMPARE(front.at(0).at(0).toBool(), false);
        QCOMPARE(back.count(), 0);
    }

    void printerObserverAnnouncesAvailabilityChanges()
    {
        PrinterObserver printer;
        QSignalSpy available(&printer, &PrinterObserver::ticketAvailableChanged);
        QVERIFY(!printer.isTicketAvailable());

        // No printer at first: nothing to announce.
        printer.setDeviceStatus(BoardStatus::CoinAcceptor);
        QCOMPARE(available.count(), 0);

        printer.setDeviceStatus(BoardStatus::Printer | BoardStatus::CoinAcceptor);
        printer.setDeviceStatus(BoardStatus::Printer);
        printer.setDeviceStatus(BoardStatus::Printer | BoardStatus::OutOfPaper);
        printer.setDeviceStatus(BoardStatus::OutOfPaper);
        printer.setDeviceStatus(BoardStatus::Printer);
        printer.setDeviceStatus(0);

        QList<bool> values;
        for (const QList<QVariant>& call : available)
            values.append(call.at(0).toBool());
        QCOMPARE(values, (QList<bool>{true, false, true, false}));
        QVERIFY(!printer.isPresent());
    }

    void heartbeatPublishesAtItsPeriod()
    {
        VM24::NotificationService service;
        DebugRecorder recorder;
        service.addHandler(&recorder);
        SettableClock clock(QDateTime(QDate(2024, 5, 1), QTime(10, 0)));
        TaskScheduler scheduler;
        scheduler.setClock(&clock);
        auto* heartbeat = new Heartbeat(&service);
        heartbeat->setInterval(120);
        scheduler.registerTask(heartbeat);

        clock.advanceSecs(60);
        scheduler.runTasks();
        QVERIFY(recorder.messages.isEmpty());
        clock.advanceSecs(60);
        scheduler.runTasks();
        clock.advanceSecs(60);
        scheduler.runTasks();
        QCOMPARE(recorder.messages, QStringList{QStringLiteral("Heartbeat")});
        QCOMPARE(recorder.others, 0);
    }
};

QTEST_GUILESS_MAIN(PeripheralWatchersTest)
#include "tst_peripheralwatchers.moc"
