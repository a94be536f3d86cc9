#include "board/inputmask.h"
#include "home/homepage.h"
#include "logging/notificationservice.h"
#include "recordingactivity.h"
#include "settings/settings.h"
#include "testenvironment.h"
#include "ui/alarmdialog.h"
#include "ui/clickableimagelabel.h"
#include "ui/context.h"
#include "ui/custombannerpage.h"
#include "ui/openpharmaciespage.h"
#include "ui/pendingactivityqueue.h"
#include "vending/alarmmanager.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QSettings>
#include <QStackedWidget>
#include <QTranslator>
#include <QtTest>

#include <memory>

namespace {

// A home page on its own activity stack, with stand-ins for the product page
// and maintenance mode.
struct HomeFixture
{
    QStackedWidget views;
    Context context{&views};
    PendingActivityQueue queue;
    VM24::NotificationService notifications;
    AlarmManager alarms{&notifications};
    RecordingActivity productPage{&context};
    RecordingActivity maintenance{&context};
    QTranslator translator;
    std::unique_ptr<HomePage> home;

    HomeFixture()
    {
        QCoreApplication::installTranslator(&translator);
        home = std::make_unique<HomePage>([this] { return &productPage; }, &queue, &alarms, &maintenance, translator,
                                          &context);
        context.addView(home.get());
        context.addView(&productPage);
        context.addView(&maintenance);
        views.resize(1080, 1920);
        views.show();
    }
    ~HomeFixture() { QCoreApplication::removeTranslator(&translator); }

    void configure(const QVariantMap& values)
    {
        QSettings settings;
        for (auto it = values.begin(); it != values.end(); ++it)
            settings.setValue(it.key(), it.value());
        home->loadConfiguration(settings);
    }
    void touch(const QPoint& screenPoint)
    {
        QWidget* target = home->childAt(screenPoint);
        QVERIFY2(target, "nothing to touch there");
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(home.get(), screenPoint));
    }
};

// Language changes reach the widgets through posted events.
void deliver_language_change()
{
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

} // namespace

class HomePageTest : public QObject
{
    Q_OBJECT

private slots:
    void oneLanguageButtonPerTranslation();
    void languageButtonSwitchesEveryPageUntilTheDefaultReturns();
    void missingDefaultLanguageShowsTheItalianTexts();
    void touchesOnBannersAndPicturesStartThePurchase();
    void headerButtonsOpenTheDisplayPages();
    void pendingActivityWaitsForTheHomePage();
    void internalButtonOpensMaintenanceOnlyFromTheHomePage();
    void alarmDialogShowsOnlyOnTheHomePage();
};

void HomePageTest::oneLanguageButtonPerTranslation()
{
    TestEnvironment::ScopedAppDir appDir;
    HomeFixture fixture;
    const QList<QAbstractButton*> buttons = fixture.home->languageButtons()->buttons();
    QCOMPARE(buttons.size(), 2);
    QCOMPARE(fixture.home->languageButtons()->button(0)->geometry(), QRect(329, 1819, 80, 80));
    QCOMPARE(fixture.home->languageButtons()->button(1)->geometry(), QRect(443, 1819, 80, 80));
}

void HomePageTest::languageButtonSwitchesEveryPageUntilTheDefaultReturns()
{
    TestEnvironment::ScopedAppDir appDir;
    HomeFixture fixture;
    fixture.configure({{QStringLiteral("default-language"), QStringLiteral("it")},
                       {QStringLiteral("restore-default-language-timeout"), 5}});
    fixture.context.startActivity(fixture.home.get());
    deliver_language_change();
    QCOMPARE(fixture.home->pharmaciesButton()->text(), QStringLiteral("FARMACIE\nDI TURNO"));

    fixture.touch(QPoint(329 + 114 + 40, 1819 + 40));
    deliver_language_change();
    QCOMPARE(fixture.home->currentLanguage(), QStringLiteral("en"));
    QCOMPARE(fixture.home->bannerText(), QStringLiteral("TOUCH THE SCREEN TO START BUYING"));
    QCOMPARE(fixture.home->pharmaciesButton()->text(), QStringLiteral("PHARMACIES\nON DUTY"));
    QCOMPARE(fixture.home->customBannerPage()->backButton()->text(), QStringLiteral("GO BACK"));
    QCOMPARE(fixture.home->restoreTimeoutMs(), 5000);

    // A second press within the wait starts it again: 6 s after the first
    // press, 3 s after the second, English still shows.
    QTest::qWait(3000);
    fixture.home->onLanguageButtonClicked(1);
    QTest::qWait(3000);
    QCOMPARE(fixture.home->currentLanguage(), QStringLiteral("en"));

    QTRY_COMPARE_WITH_TIMEOUT(fixture.home->currentLanguage(), QStringLiteral("it"), 10000);
    deliver_language_change();
    QCOMPARE(fixture.home->pharmaciesButton()->text(), QStringLiteral("FARMACIE\nDI TURNO"));
    QCOMPARE(fixture.home->pharmaciesPage()->backButton()->text(), QStringLiteral("TORNA INDIETRO"));
}

void HomePageTest::missingDefaultLanguageShowsTheItalianTexts()
{
    TestEnvironment::ScopedAppDir appDir;
    HomeFixture fixture;
    fixture.configure({{QStringLiteral("user-text"), QStringLiteral("Farmacia Aurora")}});
    QCOMPARE(fixture.home->defaultLanguage(), QStringLiteral("it"));
    QCOMPARE(fixture.home->restoreTimeoutMs(), 60000);
    QCOMPARE(fixture.home->customTextButton()->text(), QStringLiteral("Farmacia Aurora"));

    fixture.home->setLanguage(QStringLiteral("en"));
    deliver_language_change();
    fixture.context.startActivity(fixture.home.get());
    deliver_language_change();
    QCOMPARE(fixture.home->currentLanguage(), QStringLiteral("it"));
    QCOMPARE(fixture.home->bannerText(), QStringLiteral("TOCCA LO SCHERMO PER ACQUISTARE"));
}

void HomePageTest::touchesOnBannersAndPicturesStartThePurchase()
{
    TestEnvironment::ScopedAppDir appDir;
    HomeFixture fixture;
    fixture.context.startActivity(fixture.home.get());
    const QList<QPoint> targets{HomePage::INFO_RECTANGLE_TOP.center(), HomePage::MEDIA_FRAME.center(),
                                HomePage::MEDIA_FRAME.topLeft() + QPoint(5, 5),
                                HomePage::INFO_RECTANGLE_BOTTOM.center()};
    int expectedStarts = 0;
    for (const QPoint& target : targets) {
        fixture.touch(target);
        QCOMPARE(fixture.productPage.starts, ++expectedStarts);
        QCOMPARE(fixture.context.currentActivity(), &fixture.productPage);
        QCOMPARE(fixture.views.currentWidget(), &fixture.productPage);
        fixture.productPage.finish();
        QCOMPARE(fixture.views.currentWidget(), fixture.home.get());
    }
}

void HomePageTest::headerButtonsOpenTheDisplayPages()
{
    TestEnvironment::ScopedAppDir appDir;
    HomeFixture fixture;
    fixture.context.startActivity(fixture.home.get());

    QTest::mouseClick(fixture.home->customTextButton(), Qt::LeftButton);
    QCOMPARE(fixture.context.currentActivity(), fixture.home->customBannerPage());
    QCOMPARE(fixture.views.currentWidget(), fixture.home->customBannerPage());
    fixture.home->customBannerPage()->goBack();

    QTest::mouseClick(fixture.home->pharmaciesButton(), Qt::LeftButton);
    QCOMPARE(fixture.context.currentActivity(), fixture.home->pharmaciesPage());
    fixture.home->pharmaciesPage()->goBack();
    QCOMPARE(fixture.context.currentActivity(), fixture.home.get());
    QCOMPARE(fixture.productPage.starts, 0);
}

void HomePageTest::pendingActivityWaitsForTheHomePage()
{
    TestEnvironment::ScopedAppDir appDir;
    HomeFixture fixture;
    fixture.context.startActivity(fixture.home.get());
    fixture.home->onEnterClicked();

    // A USB stick plugged in during a purchase waits for the home page.
    fixture.queue.enqueue(&fixture.maintenance, 0);
    QCOMPARE(fixture.maintenance.starts, 0);
    QCOMPARE(fixture.context.currentActivity(), &fixture.productPage);

    fixture.productPage.finish();
    QCOMPARE(fixture.maintenance.starts, 1);
    QCOMPARE(fixture.context.currentActivity(), &fixture.maintenance);
    QCOMPARE(fixture.views.currentWidget(), &fixture.maintenance);
    QVERIFY(fixture.queue.isEmpty());

    // On the home page a new entry is started at once.
    fixture.maintenance.finish();
    fixture.queue.enqueue(&fixture.maintenance, 0);
    QCOMPARE(fixture.maintenance.starts, 2);
    QCOMPARE(fixture.views.currentWidget(), &fixture.maintenance);
}

void HomePageTest::internalButtonOpensMaintenanceOnlyFromTheHomePage()
{
    TestEnvironment::ScopedAppDir appDir;
    HomeFixture fixture;
    const int internalButton = InputMask::InternalButton;
    fixture.context.startActivity(fixture.home.get());
    fixture.home->onEnterClicked();
    fixture.home->onInputChanged(internalButton | 1);
    QCOMPARE(fixture.maintenance.starts, 0);

    fixture.productPage.finish();
    fixture.home->onInputChanged(0xff); // every bit but the internal button
    QCOMPARE(fixture.maintenance.starts, 0);
    fixture.home->onInputChanged(internalButton);
    QCOMPARE(fixture.maintenance.starts, 1);
    QCOMPARE(fixture.context.currentActivity(), &fixture.maintenance);
}

void HomePageTest::alarmDialogShowsOnlyOnTheHomePage()
{
    TestEnvironment::ScopedAppDir appDir;
    HomeFixture fixture;
    // An alarm already active when the home page comes up.
    fixture.alarms.setAlarm(VM24::TamperAlarm);
    fixture.context.startActivity(fixture.home.get());
    QVERIFY(fixture.home->alarmDialog()->isVisible());
    QCOMPARE(fixture.home->alarmDialog()->shownTexts().size(), 1);

    fixture.alarms.setAlarm(VM24::BatteryPowerAlarm);
    QCOMPARE(fixture.home->alarmDialog()->shownTexts().size(), 2);
    fixture.alarms.clearAlarm(VM24::TamperAlarm);
    fixture.alarms.clearAlarm(VM24::BatteryPowerAlarm);
    QVERIFY(!fixture.home->alarmDialog()->isVisible());

    // Another page on top: no pop-up over it.
    fixture.home->onEnterClicked();
    fixture.alarms.setAlarm(VM24::TamperAlarm);
    QVERIFY(!fixture.home->alarmDialog()->isVisible());
    fixture.productPage.finish();
    QVERIFY(fixture.home->alarmDialog()->isVisible());

    // A pending activity takes the screen from the dialog.
    fixture.queue.enqueue(&fixture.maintenance, 0);
    QCOMPARE(fixture.context.currentActivity(), &fixture.maintenance);
    QVERIFY(!fixture.home->alarmDialog()->isVisible());
}

QTEST_MAIN(HomePageTest)
#include "tst_homepage.moc"
