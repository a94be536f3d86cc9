// The nightly package check and the installation from the maintenance menu,
// end to end: real wget against servers on loopback, the real package
// manager on a private root, the progress dialog, the restart request.

#include "board/powercontrol.h"
#include "settings/settings.h"
#include "logging/notificationservice.h"
#include "maintenance/maintenancemenu.h"
#include "maintenance/packageinstallationpage.h"
#include "pacmanroot.h"
#include "recordingactivity.h"
#include "testenvironment.h"
#include "catalogue/productprovider.h"
#include "tasks/nightlychecktask.h"
#include "ui/context.h"
#include "ui/pendingactivityqueue.h"
#include "ui/pushupdatesdirectorywatcher.h"
#include "ui/startup.h"
#include "ui/updateprogressdialog.h"
#include "updates/assetsregistry.h"
#include "updates/contentupdateservice.h"
#include "updates/packagecache.h"
#include "updates/packageupdateservice.h"
#include "updates/updateauthenticator.h"
#include "updatesigningrig.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QSettings>
#include <QSignalSpy>
#include <QTcpServer>
#include <QStackedWidget>
#include <QTranslator>
#include <QtTest>

#include <memory>

namespace {

// A Python server on a free loopback port: the standard file server on a
// directory, or a script that misbehaves.
class LoopbackServer
{
public:
    static std::unique_ptr<LoopbackServer> files(const QString& dir)
    {
        return start({QStringLiteral("-u"), QStringLiteral("-m"), QStringLiteral("http.server"), QStringLiteral("0"),
                      QStringLiteral("--bind"), QStringLiteral("127.0.0.1"), QStringLiteral("--directory"), dir});
    }

    enum Misbehaviour { Silent, Endless, Closed, CutOff, ServerError };

    // Accepts and then says nothing, sends data without end, or ends the
    // answer before its announced length; or answers every request with an
    // error; or listens on a port that it then closes.
    static std::unique_ptr<LoopbackServer> misbehaving(Misbehaviour kind)
    {
        const QString script = QStringLiteral(
            "import socket, sys, time\n"
            "kind = %1\n"
            "s = socket.socket(); s.bind(('127.0.0.1', 0)); s.listen(8)\n"
            "print('Serving HTTP on 127.0.0.1 port %d' % s.getsockname()[1], flush=True)\n"
            "if kind == 2:\n"
            "    s.close(); time.sleep(3600)\n"
            "conns = []\n"
            "while True:\n"
            "    c, _ = s.accept(); conns.append(c)\n"
            "    if kind == 1:\n"
            "        c.sendall(b'HTTP/1.0 200 OK\\r\\nContent-Type: text/plain\\r\\n\\r\\n')\n"
            "        try:\n"
            "            while True: c.sendall(b'auto pkg 1 http://127.0.0.1/p.pkg\\n' * 1000)\n"
            "        except OSError: pass\n"
            "    elif kind == 3:\n"
            "        c.recv(65536)\n"
            "        c.sendall(b'HTTP/1.0 200 OK\\r\\nContent-Length: 100000\\r\\n\\r\\nauto pkg 1 http://127.0.0.1/p.pkg\\n')\n"
            "        c.close()\n"
            "    elif kind == 4:\n"
            "        c.recv(65536)\n"
            "        c.sendall(b'HTTP/1.0 500 Internal Server Error\\r\\nContent-Length: 0\\r\\n\\r\\n')\n"
            "        c.close()\n")
                                   .arg(int(kind));
        return start({QStringLiteral("-u"), QStringLiteral("-c"), script});
    }

    ~LoopbackServer()
    {
        m_process.kill();
        m_process.waitForFinished(5000);
    }

    int port() const { return m_port; }
    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(m_port); }
    // Request lines the file server logged so far.
    QByteArray log() { return m_log += m_process.readAllStandardError(); }

private:
    static std::unique_ptr<LoopbackServer> start(const QStringList& arguments)
    {
        auto server = std::make_unique<LoopbackServer>();
        server->m_process.start(QStringLiteral("/usr/bin/python3"), arguments);
        QElapsedTimer timer;
        timer.start();
        QByteArray banner;
        while (!banner.contains('\n') && timer.elapsed() < 10000 && server->m_process.waitForReadyRead(10000))
            banner += server->m_process.readAllStandardOutput();
        const int at = banner.indexOf(" port ");
        server->m_port = at < 0 ? 0 : banner.mid(at + 6).split(' ').first().trimmed().toInt();
        return server;
    }

public:
    QProcess m_process;

private:
    QByteArray m_log;
    int m_port = 0;
};

void save_screenshot(QWidget* widget, const QString& name)
{
    if (!qEnvironmentVariableIsEmpty("VM24_SCREENSHOT_DIR"))
        widget->grab().save(qEnvironmentVariable("VM24_SCREENSHOT_DIR") + QLatin1Char('/') + name + QStringLiteral(".png"));
}

bool write_file(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QStringList cache_files(const QString& dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

class PackageUpdateServiceTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(VM24::install_style_sheet(*qApp));
    }

    void init()
    {
        m_appDir = std::make_unique<TestEnvironment::ScopedAppDir>();
        m_assets = std::make_unique<AssetsRegistry>(m_appDir->filePath(QStringLiteral("data")));
        m_assets->addBaseDirToSearchPath();
        QVERIFY(m_assets->addAsset(QStringLiteral("package-cache")));
        m_cache = m_assets->assetDir(QStringLiteral("package-cache"));
        m_root = std::make_unique<PacmanRoot>();
        QVERIFY(m_root->isValid());
        QSettings().setValue(Settings::key(Settings::Serial), 42);
    }

    void cleanup()
    {
        m_root.reset();
        m_assets.reset();
        m_appDir.reset();
    }

    // A list naming a newer foo: the night's check fetches it into the
    // cache and drops a stale file; the next check keeps it without fetching
    // it again; the installation puts foo at the new version, empties the
    // cache and asks for the restart once the dialog closes.
    void nightlyCheckThenInstallation()
    {
        QTemporaryDir site;
        const QString packages = site.filePath(QStringLiteral("firmware/pkgs"));
        QVERIFY(m_root->install(m_root->buildPackage(QStringLiteral("foo"), QStringLiteral("1.0-1"), packages)));
        const QString foo11 = m_root->buildPackage(QStringLiteral("foo"), QStringLiteral("1.1-1"), packages);
        auto server = LoopbackServer::files(site.path());
        QVERIFY(server->port() > 0);
        const QString url = QStringLiteral("http://%1/firmware/pkgs/").arg(server->address());
        // The general list names foo; the machine's own list is missing.
        QVERIFY(write_file(site.filePath(QStringLiteral("firmware/package-list.txt")),
                           QStringLiteral("# nightly\nauto foo 1.1-1 %1%2\nauto foo 1.0-1 %1none.pkg\n")
                               .arg(url, QFileInfo(foo11).fileName())
                               .toUtf8()));
        QVERIFY(write_file(QDir(m_cache).filePath(QStringLiteral("stale-0.1-1-any.pkg.tar.gz")), "old"));
        QSettings().setValue(Settings::key(Settings::UpdatesServerAddress), server->address());

        QStackedWidget views;
        Context context(&views);
        PowerControl power;
        PackageUpdateService downloader;
        NightlyCheckTask task(&downloader, NightlyCheckTask::PACKAGE_LIMITS);
        PackageInstallationPage page(&downloader, &power, &context);
        context.addView(&page);
        QSettings settings;
        task.loadConfiguration(settings);
        QCOMPARE(downloader.cachedPackageCount(), 1);
        QCOMPARE(downloader.serverUrl().port(), server->port());

        // The maintenance menu follows the check.
        VM24::NotificationService notifications;
        MaintenanceMenu menu(&notifications);
        menu.setEntryAvailable(MaintenanceMenuEntry::PackageInstallation, true);
        menu.setPackageUpdates(&downloader);
        menu.show();
        QAbstractButton* install = menu.entryButton(MaintenanceMenuEntry::PackageInstallation);
        QCOMPARE(install->text(), QStringLiteral("Installa 1 package")); // the stale file
        QSignalSpy states(&downloader, &PackageUpdateService::stateChanged);
        QSignalSpy counts(&downloader, &PackageUpdateService::cachedPackageCountChanged);
        QSignalSpy progress(&downloader, &PackageUpdateService::downloadProgressChanged);
        QVERIFY(menu.softwareUpdateButton()->isEnabled());
        menu.softwareUpdateButton()->click();
        QCOMPARE(downloader.state(), int(PackageUpdateService::Downloading));
        QVERIFY(!menu.softwareUpdateButton()->isEnabled() && !install->isEnabled());
        QVERIFY(menu.softwareUpdateButton()->text().startsWith(QStringLiteral("Scaricamento aggiornamenti...")));
        downloader.checkForUpdates(); // ignored while busy
        // An installation asked for meanwhile ends at once and changes nothing.
        RecordingActivity below(&context);
        context.startActivity(&below);
        context.startActivity(&page);
        QCOMPARE(downloader.state(), int(PackageUpdateService::Downloading));
        QTRY_COMPARE(context.currentActivity(), &below);
        QTRY_COMPARE_WITH_TIMEOUT(downloader.state(), int(PackageUpdateService::Idle), 30000);
        QCOMPARE(menu.softwareUpdateButton()->text(), QStringLiteral("Controlla aggiornamenti software"));
        QCOMPARE(install->text(), QStringLiteral("Installa 1 package"));
        QVERIFY(install->isEnabled());
        save_screenshot(&menu, QStringLiteral("menu-package-ready"));
        QCOMPARE(states.size(), 2);
        QCOMPARE(cache_files(m_cache), QStringList{QFileInfo(foo11).fileName()});
        QCOMPARE(counts.size(), 0); // one stale file out, one package in
        QCOMPARE(progress.size(), 2);
        QCOMPARE(progress.last(), (QList<QVariant>{1, 1}));
        // Both lists were asked for, the machine's own under its serial.
        QTRY_VERIFY(server->log().contains("GET /firmware/00042/package-list.txt"));

        // The next night: nothing new to fetch, the cached package stays.
        const QDateTime fetched = QFileInfo(QDir(m_cache).filePath(QFileInfo(foo11).fileName())).lastModified();
        downloader.checkForUpdates();
        QTRY_COMPARE_WITH_TIMEOUT(downloader.state(), int(PackageUpdateService::Idle), 30000);
        QCOMPARE(progress.last(), (QList<QVariant>{0, 0}));
        QCOMPARE(QFileInfo(QDir(m_cache).filePath(QFileInfo(foo11).fileName())).lastModified(), fetched);

        // The operator installs.
        QSignalSpy quit(&power, &PowerControl::quitRequested);
        context.startActivity(&page);
        QCOMPARE(downloader.state(), int(PackageUpdateService::Installing));
        QVERIFY(!power.isEnabled());
        QVERIFY(page.dialog()->isVisible());
        QCOMPARE(menu.softwareUpdateButton()->text(), QStringLiteral("Installazione aggiornamenti..."));
        QVERIFY(!install->isEnabled());
        save_screenshot(page.dialog(), QStringLiteral("installing"));
        downloader.checkForUpdates(); // no check while installing
        QCOMPARE(downloader.state(), int(PackageUpdateService::Installing));
        // The dialog closes itself five seconds after the end.
        QTRY_COMPARE_WITH_TIMEOUT(downloader.state(), int(PackageUpdateService::Idle), 30000);
        QCOMPARE(m_root->installedVersion(QStringLiteral("foo")), QStringLiteral("1.1-1"));
        QCOMPARE(m_root->installedFileVersion(QStringLiteral("foo")), QStringLiteral("1.1-1"));
        QVERIFY(cache_files(m_cache).isEmpty());
        QCOMPARE(counts.last(), QList<QVariant>{0});
        QCOMPARE(install->text(), QStringLiteral("Nessun aggiornamento disponibile"));
        QVERIFY(!install->isEnabled());
        QCOMPARE(quit.size(), 1);
        QCOMPARE(quit.first().first().value<PowerControl::Action>(), PowerControl::Restart);
        QVERIFY(power.isEnabled());
    }

    // A server that never answers, one that never stops, one that cuts its
    // answer short, one that fails every request, and none at all: each
    // check ends in time, nothing is fetched, and a check that failed is no
    // list without packages: the cache keeps what it had.
    void hostileServers_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("silent server") << int(LoopbackServer::Silent);
        QTest::newRow("endless answer") << int(LoopbackServer::Endless);
        QTest::newRow("unreachable server") << int(LoopbackServer::Closed);
        QTest::newRow("cut-off answer") << int(LoopbackServer::CutOff);
        QTest::newRow("server error") << int(LoopbackServer::ServerError);
    }

    void hostileServers()
    {
        QFETCH(int, kind);
        auto server = LoopbackServer::misbehaving(LoopbackServer::Misbehaviour(kind));
        QVERIFY(server->port() > 0);
        QVERIFY(write_file(QDir(m_cache).filePath(QStringLiteral("waiting-1-1-any.pkg.tar.gz")), "cached"));
        QSettings().setValue(Settings::key(Settings::UpdatesServerAddress), server->address());
        PackageUpdateService downloader;
        NightlyCheckTask task(&downloader, NightlyCheckTask::PACKAGE_LIMITS);
        QSettings settings;
        task.loadConfiguration(settings);
        downloader.setListTimeLimit(2000);
        QElapsedTimer timer;
        timer.start();
        downloader.checkForUpdates();
        QTRY_COMPARE_WITH_TIMEOUT(downloader.state(), int(PackageUpdateService::Idle), 20000);
        QVERIFY(timer.elapsed() < 15000);
        QCOMPARE(cache_files(m_cache), QStringList{QStringLiteral("waiting-1-1-any.pkg.tar.gz")});
    }

    void hostileLists()
    {
        QTemporaryDir site;
        QByteArray noise(200000, Qt::Uninitialized);
        QRandomGenerator random(8);
        random.fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
        const QString secret = site.filePath(QStringLiteral("secret.pkg"));
        QVERIFY(write_file(secret, "not for the cache"));
        QByteArray list = noise + "\n";
        for (int i = 0; i < 10000; ++i)
            list += "auto p\x01kg" + QByteArray::number(i % 7) + " 1\x1b 1 \x7f\n";
        list += "auto f1 1 1 file://" + secret.toUtf8() + "\nauto f2 1 1 ftp://127.0.0.1/secret.pkg\n";
        // A package far larger than the configured limit (a sparse file).
        QVERIFY(QDir(site.path()).mkpath(QStringLiteral("firmware")));
        QFile big(site.filePath(QStringLiteral("firmware/big-1-1-any.pkg.tar.gz")));
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(qint64(4) << 30));
        big.close();
        auto server = LoopbackServer::files(site.path());
        list += QStringLiteral("auto big 1-1 http://%1/firmware/big-1-1-any.pkg.tar.gz\n").arg(server->address()).toUtf8();
        QVERIFY(write_file(site.filePath(QStringLiteral("firmware/package-list.txt")), list));
        QSettings().setValue(Settings::key(Settings::UpdatesServerAddress), server->address());
        QSettings().setValue(Settings::key(Settings::UpdatesMaxPackageBytes), 1024 * 1024);
        PackageUpdateService downloader;
        NightlyCheckTask task(&downloader, NightlyCheckTask::PACKAGE_LIMITS);
        QSettings settings;
        task.loadConfiguration(settings);
        QSignalSpy progress(&downloader, &PackageUpdateService::downloadProgressChanged);
        downloader.checkForUpdates();
        QTRY_COMPARE_WITH_TIMEOUT(downloader.state(), int(PackageUpdateService::Idle), 60000);
        QCOMPARE(progress.last(), (QList<QVariant>{0, 1}));
        QVERIFY(QDir(m_cache).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
        QVERIFY(QDir(m_cache + QStringLiteral("/.temp-downloads")).isEmpty());
    }

    void configurationGatesTheNightlyRun()
    {
        PackageUpdateService downloader;
        NightlyCheckTask task(&downloader, NightlyCheckTask::PACKAGE_LIMITS);
        QSettings settings;
        task.loadConfiguration(settings);
        QCOMPARE(task.dailyStart(), QTime(2, 0));
        const QDateTime later = QDateTime::currentDateTime().addDays(3);
        QVERIFY(!task.canRun(later)); // no server configured
        settings.setValue(Settings::key(Settings::UpdatesServerAddress), QStringLiteral("updates.example:8080"));
        settings.setValue(Settings::key(Settings::RemoteUpdateTime), QStringLiteral("03:30"));
        task.loadConfiguration(settings);
        QCOMPARE(task.dailyStart(), QTime(3, 30));
        QCOMPARE(downloader.serverUrl().toString(), QStringLiteral("http://updates.example:8080"));
        const QDateTime now = QDateTime::currentDateTime();
        const QDateTime next = task.computeNextStartTime(now);
        QVERIFY(next > now && next <= now.addSecs(24 * 3600 + 3600));
        const int spread = QTime(3, 30).secsTo(next.time());
        QVERIFY2(spread >= 0 && spread < 3600, qPrintable(next.toString()));
    }

    // With the owner's update key: a signed list brings its package into the
    // cache; a list naming a package its index does not list brings
    // nothing; a cached package changed after its download is not handed to
    // the package manager; the signed package is installed.
    void signedPackageLists()
    {
        UpdateSigningRig rig(m_appDir->path());
        QVERIFY2(rig.isValid(), qPrintable(rig.error()));
        QTemporaryDir site;
        const QString firmware = site.filePath(QStringLiteral("firmware"));
        QTemporaryDir built;
        QVERIFY(m_root->install(m_root->buildPackage(QStringLiteral("foo"), QStringLiteral("1.0-1"), built.path())));
        const QString foo11 = m_root->buildPackage(QStringLiteral("foo"), QStringLiteral("1.1-1"), firmware);
        const QString fooName = QFileInfo(foo11).fileName();
        auto server = LoopbackServer::files(site.path());
        QVERIFY(server->port() > 0);
        QSettings().setValue(Settings::key(Settings::UpdatesServerAddress), server->address());
        const QString list = QDir(firmware).filePath(QStringLiteral("package-list.txt"));
        const QString index = list + QStringLiteral(".index");
        const QString line = QStringLiteral("auto foo 1.1-1 http://%1/firmware/%2\n").arg(server->address(), fooName);
        QVERIFY(write_file(list, line.toUtf8()));
        QVERIFY2(rig.signIndex(index, QStringLiteral("all"), {list, foo11}), qPrintable(rig.error()));

        QStackedWidget views;
        Context context(&views);
        PowerControl power;
        UpdateAuthenticator authenticator;
        QSignalSpy warnings(&authenticator, &UpdateAuthenticator::warning);
        PackageUpdateService downloader;
        NightlyCheckTask task(&downloader, NightlyCheckTask::PACKAGE_LIMITS);
        PackageInstallationPage page(&downloader, &power, &context);
        downloader.setAuthenticator(&authenticator);
        context.addView(&page);
        QSettings settings;
        task.loadConfiguration(settings);
        const auto check = [&] {
            downloader.checkForUpdates();
            QTRY_COMPARE_WITH_TIMEOUT(downloader.state(), int(PackageUpdateService::Idle), 30000);
        };
        check();
        QCOMPARE(cache_files(m_cache), QStringList{fooName});
        QVERIFY(warnings.isEmpty());

        QVERIFY(write_file(list, (line + QStringLiteral("auto bar 2-1 http://%1/firmware/bar-2-1-any.pkg.tar.gz\n")
                                              .arg(server->address())).toUtf8()));
        QVERIFY(rig.signIndex(index, QStringLiteral("all"), {list, foo11}));
        check();
        QCOMPARE(warnings.size(), 1);
        QCOMPARE(warnings.takeFirst().at(0).toString(),
                 QStringLiteral("Aggiornamento rifiutato: bar-2-1-any.pkg.tar.gz (non elencato nell'indice firmato)"));
        QCOMPARE(cache_files(m_cache), QStringList{fooName});

        // Changed in the cache after its check: the installation installs nothing.
        const QString cached = QDir(m_cache).filePath(fooName);
        const QByteArray original = [&] { QFile file(cached); file.open(QIODevice::ReadOnly); return file.readAll(); }();
        QByteArray changed = original;
        changed[changed.size() / 2] = char(changed.at(changed.size() / 2) ^ 0x55);
        QVERIFY(write_file(cached, changed));
        context.startActivity(&page);
        QTRY_COMPARE_WITH_TIMEOUT(downloader.state(), int(PackageUpdateService::Idle), 30000);
        QCOMPARE(warnings.size(), 1);
        QCOMPARE(warnings.takeFirst().at(0).toString(),
                 QStringLiteral("Aggiornamento rifiutato: %1 (diverso da quanto firmato)").arg(fooName));
        QCOMPARE(m_root->installedVersion(QStringLiteral("foo")), QStringLiteral("1.0-1"));

        QVERIFY(write_file(list, line.toUtf8()));
        QVERIFY(rig.signIndex(index, QStringLiteral("all"), {list, foo11}));
        check();
        QCOMPARE(cache_files(m_cache), QStringList{fooName});
        context.startActivity(&page);
        QTRY_COMPARE_WITH_TIMEOUT(downloader.state(), int(PackageUpdateService::Idle), 30000);
        QCOMPARE(m_root->installedVersion(QStringLiteral("foo")), QStringLiteral("1.1-1"));
        QVERIFY(warnings.isEmpty());
    }

    // Packages pushed with their list: the pushed update installs the newer
    // one, leaves the one already installed alone, and has the program restart.
    void pushedPackagesAreInstalled()
    {
        QVERIFY(m_assets->addAsset(QStringLiteral("products")));
        ProductProvider provider(m_assets->assetDir(QStringLiteral("products")));
        QStackedWidget views;
        Context context(&views);
        PendingActivityQueue queue;
        PowerControl power;
        PushUpdatesDirectoryWatcher watcher(&queue, m_assets.get(), &provider, nullptr, &power, &context);
        QVERIFY(watcher.initialise());
        const QString push = watcher.linkPath();
        QTemporaryDir built;
        QVERIFY(m_root->install(m_root->buildPackage(QStringLiteral("foo"), QStringLiteral("1.0-1"), built.path())));
        QVERIFY(m_root->install(m_root->buildPackage(QStringLiteral("bar"), QStringLiteral("3-1"), built.path())));
        const QString foo = m_root->buildPackage(QStringLiteral("foo"), QStringLiteral("2.0-1"), push);
        const QString bar = m_root->buildPackage(QStringLiteral("bar"), QStringLiteral("2-1"), push);
        QVERIFY(write_file(push + QStringLiteral("/package_update.ini"),
                           QStringLiteral("auto foo 2.0-1 %1\nauto bar 2-1 %2\n")
                               .arg(QFileInfo(foo).fileName(), QFileInfo(bar).fileName())
                               .toUtf8()));
        QSignalSpy quit(&power, &PowerControl::quitRequested);
        QVERIFY(write_file(push + QStringLiteral("/done"), QByteArray()));
        QTRY_COMPARE(queue.size(), 1);
        context.startActivity(queue.takeOne());
        QTRY_COMPARE_WITH_TIMEOUT(quit.size(), 1, 30000);
        QCOMPARE(quit.first().first().value<PowerControl::Action>(), PowerControl::Restart);
        QCOMPARE(m_root->installedFileVersion(QStringLiteral("foo")), QStringLiteral("2.0-1"));
        QCOMPARE(m_root->installedVersion(QStringLiteral("bar")), QStringLiteral("3-1"));
    }

    // The content update button starts the check, shows it running while it
    // runs and is pressable again once a check against a closed port failed.
    void contentUpdateButtonFollowsTheCheck()
    {
        quint16 closedPort = 0;
        {
            QTcpServer probe;
            QVERIFY(probe.listen(QHostAddress::LocalHost));
            closedPort = probe.serverPort();
        }
        QSettings settings;
        settings.setValue(QStringLiteral("UpdatesServer/address"), QStringLiteral("127.0.0.1:%1").arg(closedPort));
        ContentUpdateService downloader(m_assets.get());
        NightlyCheckTask task(&downloader, NightlyCheckTask::CONTENT_LIMITS);
        task.loadConfiguration(settings);
        VM24::NotificationService notifications;
        MaintenanceMenu menu(&notifications);
        menu.setContentUpdates(&downloader);
        menu.setUserLevel(2);
        menu.show();
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        QPushButton* button = menu.contentUpdateButton();
        QCOMPARE(button->text(), QStringLiteral("Controlla aggiornamenti contenuti"));
        QVERIFY(button->isEnabled());
        button->click();
        QCOMPARE(downloader.state(), ContentUpdateService::Checking);
        QCOMPARE(button->text(), QStringLiteral("Controllo contenuti in corso"));
        QVERIFY(!button->isEnabled());
        QTRY_COMPARE_WITH_TIMEOUT(downloader.state(), ContentUpdateService::Idle, 30000);
        QCOMPARE(button->text(), QStringLiteral("Controlla aggiornamenti contenuti"));
        QVERIFY(button->isEnabled());
    }

    // The package controls of the menu in every state, in Italian and in
    // English: the text fits its button.
    void menuTextsFit_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("it") << QString();
        QTest::newRow("en") << QStringLiteral(":/i18n/en");
    }

    void menuTextsFit()
    {
        QFETCH(QString, language);
        QTranslator translator;
        if (!language.isEmpty()) {
            QVERIFY(translator.load(language));
            QCoreApplication::installTranslator(&translator);
        }
        VM24::NotificationService notifications;
        MaintenanceMenu menu(&notifications);
        menu.setUserLevel(2);
        menu.show();
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        QAbstractButton* install = menu.entryButton(MaintenanceMenuEntry::PackageInstallation);
        const QList<std::pair<int, int>> states{{0, 0}, {0, 3}, {1, 3}, {2, 3}};
        for (const auto& [state, count] : states) {
            menu.setInstallablePackageCount(count);
            menu.setSoftwareUpdatesState(state);
            if (state == 1)
                menu.onDownloadProgressChanged(12, 34);
            menu.setContentUpdatesState(state);
            for (QAbstractButton* button : {install, static_cast<QAbstractButton*>(menu.softwareUpdateButton()),
                                            static_cast<QAbstractButton*>(menu.contentUpdateButton())}) {
                const int needed = button->fontMetrics().horizontalAdvance(button->text());
                QVERIFY2(needed < button->width() - 40, qPrintable(button->text()));
            }
        }
        if (language.isEmpty()) {
            QCOMPARE(install->text(), QStringLiteral("Installa 3 package"));
        } else {
            QCOMPARE(install->text(), QStringLiteral("Install 3 packages"));
            QCOMPARE(menu.softwareUpdateButton()->text(), QStringLiteral("Installing updates..."));
        }
        menu.setSoftwareUpdatesState(1);
        menu.onDownloadProgressChanged(12, 34);
        save_screenshot(&menu, QStringLiteral("menu-downloading-") + (language.isEmpty() ? "it" : "en"));
        QCoreApplication::removeTranslator(&translator);
    }

private:
    std::unique_ptr<TestEnvironment::ScopedAppDir> m_appDir;
    std::unique_ptr<AssetsRegistry> m_assets;
    std::unique_ptr<PacmanRoot> m_root;
    QString m_cache;
};

QTEST_MAIN(PackageUpdateServiceTest)
#include "tst_packageupdateservice.moc"
