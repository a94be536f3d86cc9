// "Test rete" of the settings page on a network of the test's own: with
// nothing set, it pings the default gateway and the updates server (or the
// mail server) that the machine's configuration names, and each of its four
// results shows. Nothing leaves the test's network namespace.

#include "maintenance/applicationsettings.h"
#include "networknamespace.h"
#include "recordingactivity.h"
#include "settings/networkinfo.h"
#include "settings/settings.h"
#include "settings/settingsmanager.h"
#include "testenvironment.h"
#include "ui/context.h"

#include <QApplication>
#include <QLabel>
#include <QSettings>
#include <QStackedWidget>
#include <QtTest>

#include <memory>

namespace {

const char* const DISCONNECTED = "<b style='color: red'>Scollegato</b>";
const char* const ROUTING_ERROR = "<b style='color: red'>Errore routing</b>";
const char* const DNS_ERROR = "<b style='color: yellow'>Errore DNS</b>";
const char* const CONNECTED = "<span style='color: green'>Connesso</span>";
// An address of the namespace's loopback that the default route goes through.
const char* const GATEWAY = "10.200.0.2";

void set(const QString& key, const QString& value)
{
    QSettings settings;
    if (value.isNull())
        settings.remove(key);
    else
        settings.setValue(key, value);
}

} // namespace

class NetworkTestTest : public QObject
{
    Q_OBJECT

public:
    NetworkTestTest(bool isolated, const QString& reason)
        : m_isolated(isolated)
        , m_reason(reason)
    {
    }

private:
    bool m_isolated;
    QString m_reason;
    std::unique_ptr<TestEnvironment::ScopedAppDir> m_appDir;
    std::unique_ptr<QStackedWidget> m_views;
    std::unique_ptr<Context> m_context;
    std::unique_ptr<SettingsManager> m_manager;
    ApplicationSettings* m_page = nullptr;

    // The test runs behind a wait box; its result shows once the box is gone.
    QString runTest()
    {
        m_page->testConnectivity();
        if (!QTest::qWaitFor([] { return !QApplication::activeModalWidget(); }, 30000))
            return QStringLiteral("still waiting");
        return m_page->connectivityLabel()->text();
    }

    static VM24::NetworkTestTargets targets() { return VM24::network_test_targets(Settings()); }

private slots:
    void initTestCase()
    {
        if (!m_isolated)
            QSKIP(qPrintable(QStringLiteral("no network namespace of its own (%1): nothing is pinged").arg(m_reason)));
        QVERIFY(NetworkNamespace::ip({QStringLiteral("link"), QStringLiteral("set"), QStringLiteral("lo"),
                                      QStringLiteral("up")}));
        QVERIFY(NetworkNamespace::ip({QStringLiteral("addr"), QStringLiteral("add"), QStringLiteral("10.200.0.1/24"),
                                      QStringLiteral("dev"), QStringLiteral("lo")}));
        qputenv("VM24_MAIL_SERVER", "smtp://mail.vm24.invalid:587");
    }

    void init()
    {
        m_appDir = std::make_unique<TestEnvironment::ScopedAppDir>();
        m_views = std::make_unique<QStackedWidget>();
        m_context = std::make_unique<Context>(m_views.get());
        m_manager = std::make_unique<SettingsManager>(nullptr);
        auto* home = new RecordingActivity(m_context.get(), m_views.get());
        m_page = new ApplicationSettings(m_manager.get(), nullptr, nullptr, m_context.get(), m_views.get());
        m_context->addView(home);
        m_context->addView(m_page);
        m_views->resize(1080, 1920);
        m_views->show();
        m_context->startActivity(home);
        m_page->setUserLevel(1);
        m_context->startActivity(m_page);
        set(QStringLiteral("NetworkTest/interface"), QStringLiteral("lo"));
    }

    void cleanup()
    {
        NetworkNamespace::ip({QStringLiteral("route"), QStringLiteral("del"), QStringLiteral("default")});
        m_views.reset();
        m_context.reset();
        m_manager.reset();
        m_appDir.reset();
    }

    void targetsComeFromTheMachinesConfiguration()
    {
        // No default route: nothing to ping outside the machine.
        QCOMPARE(targets().address, QString());
        QCOMPARE(targets().interface, QStringLiteral("lo"));
        // Neither an updates server: the mail server's host.
        QCOMPARE(targets().host, QStringLiteral("mail.vm24.invalid"));

        QVERIFY(NetworkNamespace::ip({QStringLiteral("route"), QStringLiteral("add"), QStringLiteral("default"),
                                      QStringLiteral("via"), QLatin1String(GATEWAY)}));
        set(QStringLiteral("UpdatesServer/address"), QStringLiteral(" updates.vm24.invalid:8080 "));
        QCOMPARE(targets().address, QLatin1String(GATEWAY));
        QCOMPARE(targets().host, QStringLiteral("updates.vm24.invalid"));

        // The settings may name others.
        set(QStringLiteral("NetworkTest/address"), QStringLiteral("127.0.0.1"));
        set(QStringLiteral("NetworkTest/host"), QStringLiteral("localhost"));
        QCOMPARE(targets().address, QStringLiteral("127.0.0.1"));
        QCOMPARE(targets().host, QStringLiteral("localhost"));

        // A target that ping would read as an option is not tried.
        set(QStringLiteral("NetworkTest/host"), QStringLiteral("-f"));
        QCOMPARE(runTest(), QLatin1String(DNS_ERROR));
    }

    void everyResultShows()
    {
        QCOMPARE(m_page->connectivityLabel()->text(), QStringLiteral("<i>Test non eseguito</i>"));
        set(QStringLiteral("NetworkTest/interface"), QStringLiteral("nosuchif0"));
        QCOMPARE(runTest(), QLatin1String(DISCONNECTED));

        set(QStringLiteral("NetworkTest/interface"), QStringLiteral("lo"));
        set(QStringLiteral("UpdatesServer/address"), QStringLiteral("localhost:8080"));
        QCOMPARE(runTest(), QLatin1String(ROUTING_ERROR));

        QVERIFY(NetworkNamespace::ip({QStringLiteral("route"), QStringLiteral("add"), QStringLiteral("default"),
                                      QStringLiteral("via"), QLatin1String(GATEWAY)}));
        QCOMPARE(runTest(), QLatin1String(CONNECTED));

        set(QStringLiteral("UpdatesServer/address"), QStringLiteral("updates.vm24.invalid:8080"));
        QCOMPARE(runTest(), QLatin1String(DNS_ERROR));

        // Loopback named in the settings, as tests and the demo do, needs no route.
        NetworkNamespace::ip({QStringLiteral("route"), QStringLiteral("del"), QStringLiteral("default")});
        set(QStringLiteral("NetworkTest/address"), QStringLiteral("127.0.0.1"));
        set(QStringLiteral("NetworkTest/host"), QStringLiteral("localhost"));
        QCOMPARE(runTest(), QLatin1String(CONNECTED));
    }
};

int main(int argc, char** argv)
{
    // Before the application object: no thread may exist yet.
    QString reason;
    const bool isolated = NetworkNamespace::enter(&reason);
    QApplication app(argc, argv);
    NetworkTestTest test(isolated, reason);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_networktest.moc"
