#include "board/outputmask.h"
#include "settings/iconfigurable.h"
#include "settings/settings.h"
#include "settings/settingsmanager.h"

#include "board/rk710controller.h"
#include "core/systemactions.h"
#include "core/vm24.h"
#include "rk710simprocess.h"
#include "simulatorlinklog.h"
#include "testenvironment.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QProcess>
#include <QSignalSpy>
#include <QJsonObject>
#include <QSettings>
#include <QThread>
#include <QThreadPool>
#include <QtTest>

#include <memory>

namespace {

class RecordingConfigurable : public IConfigurable
{
public:
    RecordingConfigurable(const QString& name, QStringList* calls)
        : m_name(name)
        , m_calls(calls)
    {
    }
    void loadConfiguration(const Settings& settings) override
    {
        m_calls->append(m_name);
        thread = QThread::currentThread();
        maxCredit = settings.value(Settings::MaxCredit);
    }
    QThread* thread = nullptr;
    int maxCredit = 0;

private:
    QString m_name;
    QStringList* m_calls;
};

bool write_text(const QString& path, const QByteArray& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size();
}

QString read_text(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QStringList action_programs()
{
    QStringList programs;
    for (const QStringList& action : SystemActions::recordedActions())
        programs.append(QFileInfo(action.first()).fileName() + QLatin1Char(' ') + action.mid(1).join(QLatin1Char(' ')));
    return programs;
}

QByteArray item_request(int item, int value)
{
    return QByteArray("H") + char(item) + char(value >> 8) + char(value & 0xff);
}

// Version exchange of a pharmacy machine that makes the board adopt serial.
bool is_serial_assignment(const QByteArray& request, int serial)
{
    const QByteArray head = QByteArray("V") + char(2) + char(1) + char(serial >> 24) + char(serial >> 16)
        + char(serial >> 8) + char(serial);
    return request.size() == head.size() + 2 && request.startsWith(head) && request.endsWith(char(1));
}

// The motors 0 to 17 in reverse, as the motor map stores them.
QByteArray motor_map_entries()
{
    QStringList entries;
    for (int motor = 17; motor >= 0; --motor)
        entries.append(QString::number(motor));
    return entries.join(QStringLiteral(", ")).toUtf8();
}

} // namespace

class TestSettingsManager : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnvironment::ScopedAppDir> m_appDir;
    std::unique_ptr<SettingsManager> m_manager;
    QStringList m_calls;
    RecordingConfigurable m_first{QStringLiteral("first"), &m_calls};
    RecordingConfigurable m_second{QStringLiteral("second"), &m_calls};
    RecordingConfigurable m_third{QStringLiteral("third"), &m_calls};

    std::unique_ptr<Rk710SimProcess> m_board;
    std::unique_ptr<Rk710Controller> m_controller;
    qint64 m_startupLogSize = 0;

    // A simulated board behind a live controller, and a manager that uses it.
    bool startBoard()
    {
        m_board = std::make_unique<Rk710SimProcess>();
        if (!m_board->start())
            return false;
        m_controller = std::make_unique<Rk710Controller>();
        if (!m_controller->open(m_board->devicePath().toLocal8Bit().constData()))
            return false;
        SettingsManager::bindController(m_controller.get());
        m_controller->initialize();
        m_manager = std::make_unique<SettingsManager>(m_controller.get());
        m_manager->setNetworkProfilePath(profilePath());
        m_startupLogSize = QFileInfo(m_board->requestLogPath()).size();
        return m_controller->isAlive();
    }

    void syncOnWorkerThread()
    {
        QThreadPool::globalInstance()->start([this] { m_manager->syncAction(); });
        QThreadPool::globalInstance()->waitForDone();
    }

    QString profilePath() const { return m_appDir->filePath(QStringLiteral("static_ethernet")); }

    QString importFile(const QByteArray& content)
    {
        const QString path = m_appDir->filePath(QStringLiteral("import.ini"));
        write_text(path, content);
        return path;
    }

private slots:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName(QStringLiteral("Korvane"));
        QCoreApplication::setApplicationName(QStringLiteral("VM24"));
    }

    void init()
    {
        m_appDir = std::make_unique<TestEnvironment::ScopedAppDir>();
        QFile::remove(SystemActions::recordPath());
        m_calls.clear();
        m_manager = std::make_unique<SettingsManager>(nullptr);
        m_manager->setNetworkProfilePath(profilePath());
        m_manager->registerConfigurable(&m_first);
        m_manager->registerConfigurable(nullptr);
        m_manager->registerConfigurable(&m_second);
        m_manager->registerConfigurable(&m_third);
    }

    void cleanup()
    {
        m_manager.reset();
        m_controller.reset();
        m_board.reset();
        m_appDir.reset();
    }

    void reloadRunsEachConfigurableOnceInRegistrationOrder()
    {
        QCOMPARE(SettingsManager(nullptr).networkProfilePath(), profilePath());
        QSettings().setValue(QStringLiteral("max-credit"), 2000);
        m_manager->forceReload();
        QCOMPARE(m_calls, (QStringList{"first", "second", "third"}));
        QCOMPARE(m_second.maxCredit, 2000);
    }

    void syncSettingsReloadsOnTheOwnThread()
    {
        QSettings().setValue(QStringLiteral("advanced/serial"), 42);
        QThreadPool::globalInstance()->start([this] { m_manager->syncSettings(); });
        QThreadPool::globalInstance()->waitForDone();
        QVERIFY(m_calls.isEmpty());
        QTRY_COMPARE(m_calls, (QStringList{"first", "second", "third"}));
        QCOMPARE(m_first.thread, QThread::currentThread());
        QCOMPARE(m_third.thread, QThread::currentThread());
        QCOMPARE(action_programs(), (QStringList{"change_hostname.sh vm24_00042", "enable_dynamic.sh "}));
        QVERIFY(!QFile::exists(profilePath()));
    }

    void staticNetworkProfile()
    {
        {
            QSettings settings;
            settings.setValue(QStringLiteral("NetworkConfig/method"), QStringLiteral("static"));
            settings.setValue(QStringLiteral("NetworkConfig/host-ip"), QStringLiteral("10.1.2.3"));
            settings.setValue(QStringLiteral("NetworkConfig/netmask"), 16);
            settings.setValue(QStringLiteral("NetworkConfig/gateway"), QStringLiteral("10.1.0.1"));
            settings.setValue(QStringLiteral("NetworkConfig/dns"), QStringLiteral("10.1.0.53"));
        }
        QVERIFY(write_text(profilePath(), "old profile, much longer than the new one ............................................................"));
        m_manager->syncAction();
        QCOMPARE(read_text(profilePath()), QStringLiteral(
            "Description='Configurazione di rete statica per VM24'\n"
            "Interface=eth0\n"
            "Connection=ethernet\n"
            "IP=static\n"
            "SkipNoCarrier=yes\n"
            "Address=('10.1.2.3/16')\n"
            "Gateway='10.1.0.1'\n"
            "DNS=('10.1.0.53')"));
        QCOMPARE(SystemActions::recordedActions().last(),
                 (QStringList{m_appDir->filePath(QStringLiteral("enable_static.sh")), profilePath()}));

        // Missing keys take their defaults.
        QSettings settings;
        settings.remove(QStringLiteral("NetworkConfig"));
        settings.setValue(QStringLiteral("NetworkConfig/method"), QStringLiteral("static"));
        QVERIFY(SettingsManager::staticNetworkProfile(settings).endsWith(
            QStringLiteral("Address=('192.168.0.100/24')\nGateway='192.168.0.1'\nDNS=('192.168.0.1')")));
    }

    void unwritableProfileSkipsTheScript()
    {
        QSettings().setValue(QStringLiteral("NetworkConfig/method"), QStringLiteral("static"));
        m_manager->setNetworkProfilePath(m_appDir->filePath(QStringLiteral("missing/static_ethernet")));
        m_manager->syncAction();
        QCOMPARE(action_programs(), QStringList{"change_hostname.sh vm24_00000"});
    }

    void importRespectsTheUserLevelForAdvancedSettings()
    {
        write_text(m_appDir->filePath(QStringLiteral("unused")), "");
        TestEnvironment::writeSerial(111);
        const QString path = importFile("max-credit=3000\n[advanced]\nserial=222\nsupport-email=a@b.it\n");

        QVERIFY(m_manager->importFromFile(path, 2));
        QCOMPARE(TestEnvironment::readSerial(), 111);
        QCOMPARE(QSettings().value(QStringLiteral("max-credit")).toInt(), 3000);
        QVERIFY(!QSettings().contains(QStringLiteral("advanced/support-email")));
        QTRY_COMPARE(m_calls.size(), 3);
        QCOMPARE(m_first.maxCredit, 3000);
        QCOMPARE(action_programs().first(), QStringLiteral("change_hostname.sh vm24_00111"));

        QFile::remove(SystemActions::recordPath());
        QVERIFY(m_manager->importFromFile(path, 3));
        QCOMPARE(TestEnvironment::readSerial(), 222);
        QCOMPARE(QSettings().value(QStringLiteral("advanced/support-email")).toString(), QStringLiteral("a@b.it"));
        QCOMPARE(action_programs().first(), QStringLiteral("change_hostname.sh vm24_00222"));
    }

    void importKeepsReservedSelectionsForPartnerProducts()
    {
        {
            QSettings settings;
            settings.setValue(QStringLiteral("Products/selection_3"), QStringLiteral("brixo/1"));
            settings.setValue(QStringLiteral("Products/selection_4"), QStringLiteral("brixo/2"));
            settings.setValue(QStringLiteral("Products/selection_10"), QStringLiteral("main/1"));
            settings.setValue(QStringLiteral("Products/selection_17"), QStringLiteral("main/17"));
            settings.setValue(QStringLiteral("Alarms/tamper"), false);
            settings.setValue(QStringLiteral("user-text"), QStringLiteral("Farmacia"));
        }
        const QString path = importFile(
            "[Products]\n"
            "selection_3=main/5\n"
            "selection_4=brixo-2025/9\n"
            "selection_10=main/6\n"
            "selection_11=\n"
            "selection_2=brixo/7\n"
            "selection_18=main/1\n"
            "other=main/2\n"
            "[Alarms]\n"
            "battery-power=false\n");
        QVERIFY(m_manager->importFromFile(path, 1));

        QSettings settings;
        settings.beginGroup(QStringLiteral("Products"));
        QStringList keys = settings.childKeys();
        keys.sort();
        QCOMPARE(keys, (QStringList{"selection_10", "selection_17", "selection_2", "selection_3", "selection_4"}));
        QCOMPARE(settings.value(QStringLiteral("selection_3")).toString(), QStringLiteral("brixo/1"));
        QCOMPARE(settings.value(QStringLiteral("selection_4")).toString(), QStringLiteral("brixo-2025/9"));
        QCOMPARE(settings.value(QStringLiteral("selection_10")).toString(), QStringLiteral("main/6"));
        QCOMPARE(settings.value(QStringLiteral("selection_17")).toString(), QStringLiteral("main/17"));
        QCOMPARE(settings.value(QStringLiteral("selection_2")).toString(), QStringLiteral("brixo/7"));
        settings.endGroup();
        QCOMPARE(settings.value(QStringLiteral("Alarms/tamper")).toBool(), false);
        QCOMPARE(settings.value(QStringLiteral("Alarms/battery-power"), true).toBool(), false);
        QCOMPARE(settings.value(QStringLiteral("user-text")).toString(), QStringLiteral("Farmacia"));
    }

    void importIgnoresFilesThatAreNotSettings_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("xml") << QByteArray("<?xml version=\"1.0\"?>\n<catalogue name=\"x\"/>\n");
        QTest::newRow("text") << QByteArray("max-credit=1\njust some words\n");
        QTest::newRow("broken section") << QByteArray("[General]\nmax-credit=1\n[broken\n");
        QTest::newRow("binary") << QByteArray("max-credit=1\n\x89PNG\r\n\x1a\n\0\0\0", 20);
        QTest::newRow("missing") << QByteArray();
        // Valid settings, but far beyond what a settings file holds.
        QTest::newRow("oversized") << QByteArray("max-credit=1\n")
                                          + QByteArray("; padding\n").repeated(SettingsManager::MAX_IMPORT_FILE_BYTES / 10 + 1);
    }

    void importIgnoresFilesThatAreNotSettings()
    {
        QFETCH(QByteArray, content);
        QSettings().setValue(QStringLiteral("max-credit"), 2500);
        const QString path = content.isEmpty() ? m_appDir->filePath(QStringLiteral("none.ini")) : importFile(content);
        QVERIFY(!m_manager->importFromFile(path, 3));
        QCOMPARE(QSettings().value(QStringLiteral("max-credit")).toInt(), 2500);
        QCoreApplication::sendPostedEvents();
        QVERIFY(m_calls.isEmpty());
        QVERIFY(SystemActions::recordedActions().isEmpty());
    }

    // netctl sources the profile with bash as root: an imported value must
    // never get out of its quotes.
    void importedNetworkValuesNeverReachAShell_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QByteArray>("value");
        QTest::newRow("dns") << "dns" << QByteArray("1.1.1.1' $(touch MARKER) '");
        QTest::newRow("host-ip") << "host-ip" << QByteArray("10.0.0.5/24') && touch MARKER && x=('");
        QTest::newRow("gateway") << "gateway" << QByteArray("10.0.0.1' && touch MARKER && x='");
        QTest::newRow("netmask") << "netmask" << QByteArray("24') && touch MARKER && x=('");
        QTest::newRow("line feed") << "dns" << QByteArray("\"1.1.1.1')\\ntouch MARKER\\nx=('\"");
        QTest::newRow("backticks") << "gateway" << QByteArray("`touch MARKER`");
    }

    void importedNetworkValuesNeverReachAShell()
    {
        QFETCH(QString, key);
        QFETCH(QByteArray, value);
        const QString marker = m_appDir->filePath(QStringLiteral("MARKER"));
        {
            QSettings settings;
            settings.setValue(QStringLiteral("NetworkConfig/method"), QStringLiteral("static"));
            settings.setValue(QStringLiteral("NetworkConfig/host-ip"), QStringLiteral("10.1.2.3"));
            settings.setValue(QStringLiteral("NetworkConfig/netmask"), 16);
            settings.setValue(QStringLiteral("NetworkConfig/gateway"), QStringLiteral("10.1.0.1"));
            settings.setValue(QStringLiteral("NetworkConfig/dns"), QStringLiteral("10.1.0.53"));
        }
        const QString before = QSettings().value(QStringLiteral("NetworkConfig/") + key).toString();
        value.replace("MARKER", marker.toUtf8());
        QSignalSpy problems(m_manager.get(), &SettingsManager::loadProblem);
        m_manager->importFromFile(importFile("[NetworkConfig]\nmethod=static\n" + key.toUtf8() + '=' + value + '\n'), 3);

        QProcess bash;
        bash.start(QStringLiteral("/bin/bash"), {QStringLiteral("-c"), QStringLiteral("source \"$1\""),
                                                 QStringLiteral("bash"), profilePath()});
        QVERIFY(bash.waitForFinished(10000));
        QVERIFY2(!QFile::exists(marker), qPrintable(read_text(profilePath())));
        QCOMPARE(bash.exitCode(), 0);
        QCOMPARE(QSettings().value(QStringLiteral("NetworkConfig/") + key).toString(), before);
        QVERIFY(read_text(profilePath()).endsWith(
            QStringLiteral("Address=('10.1.2.3/16')\nGateway='10.1.0.1'\nDNS=('10.1.0.53')")));
        QCOMPARE(problems.count(), 1);
        QVERIFY(problems.first().first().toString().contains(QStringLiteral("NetworkConfig/") + key));
    }

    // Values that reached the file some other way are refused by the writer
    // itself; a dotted netmask is written as its prefix.
    void profileWriterTakesOnlyAddresses()
    {
        {
            QSettings settings;
            settings.setValue(QStringLiteral("NetworkConfig/method"), QStringLiteral("static"));
            settings.setValue(QStringLiteral("NetworkConfig/host-ip"), QStringLiteral("10.1.2.3"));
            settings.setValue(QStringLiteral("NetworkConfig/netmask"), QStringLiteral("255.255.240.0"));
        }
        m_manager->syncAction();
        QVERIFY(read_text(profilePath()).contains(QStringLiteral("Address=('10.1.2.3/20')\n")));

        QVERIFY(write_text(profilePath(), "old profile"));
        QFile::remove(SystemActions::recordPath());
        QSignalSpy problems(m_manager.get(), &SettingsManager::loadProblem);
        for (const char* hostile : {"10.1.0.53'", "10.1.0.256", "10.1.0", " 10.1.0.53", "10.1.0.5\n"}) {
            QSettings().setValue(QStringLiteral("NetworkConfig/dns"), QString::fromLatin1(hostile));
            m_manager->syncAction();
            QCOMPARE(read_text(profilePath()), QStringLiteral("old profile"));
        }
        QSettings().setValue(QStringLiteral("NetworkConfig/dns"), QStringLiteral("10.1.0.53"));
        QSettings().setValue(QStringLiteral("NetworkConfig/netmask"), QStringLiteral("255.0.255.0"));
        m_manager->syncAction();
        QCOMPARE(read_text(profilePath()), QStringLiteral("old profile"));
        QVERIFY(action_programs().filter(QStringLiteral("enable_static.sh")).isEmpty());
        QCOMPARE(problems.count(), 6);
    }

    // Each kind of value the settings page would refuse is skipped and named
    // in one report; the rest of the file is applied. Where updates and
    // reports go is taken only from a key of level 2 or more.
    void importTakesOnlyWhatTheFormAccepts()
    {
        TestEnvironment::writeSerial(111);
        {
            QSettings settings;
            settings.setValue(QStringLiteral("hopper-value_1"), 50);
            settings.setValue(QStringLiteral("hopper-value_2"), 100);
            settings.setValue(QStringLiteral("max-change"), 500);
            settings.setValue(QStringLiteral("max-credit"), 5000);
            settings.setValue(QStringLiteral("Schedule/ftp-transfer"), QStringLiteral("02:00"));
            settings.setValue(QStringLiteral("use-optical-barrier"), true);
            settings.setValue(QStringLiteral("default-language"), QStringLiteral("it"));
            settings.setValue(QStringLiteral("UpdatesServer/address"), QStringLiteral("updates.korvane.it"));
            settings.setValue(QStringLiteral("FtpServer/address"), QStringLiteral("ftp.korvane.it"));
            settings.setValue(QStringLiteral("Alarms/email"), QStringLiteral("owner@farmacia.it"));
        }
        const QByteArray hostile =
            "hopper-value_1=1\n"
            "hopper-value_2=-50\n"
            "max-change=99999999\n"
            "max-credit=abc\n"
            "long-wait=-5\n"
            "default-language=de\n"
            "use-optical-barrier=maybe\n"
            "motor-map=0, 1, 2\n"
            "short-wait=30\n"
            "receipt-row-1=Farmacia Centrale\n"
            "[Schedule]\n"
            "ftp-transfer=25:00\n"
            "remote-update=03:30\n"
            "[Alarms]\n"
            "tamper=off\n"
            "battery-power=false\n"
            "email=someone@elsewhere.com\n"
            "[UpdatesServer]\n"
            "address=updates.elsewhere.com\n"
            "[FtpServer]\n"
            "address=ftp.elsewhere.com\n"
            "[advanced]\n"
            "serial=123456\n";
        const QStringList refused{"hopper-value_1", "hopper-value_2", "max-change", "max-credit", "long-wait",
                                  "default-language", "use-optical-barrier", "motor-map", "Schedule/ftp-transfer",
                                  "Alarms/tamper", "Alarms/email", "UpdatesServer/address", "FtpServer/address",
                                  "advanced/serial"};
        QSignalSpy problems(m_manager.get(), &SettingsManager::loadProblem);
        QVERIFY(m_manager->importFromFile(importFile(hostile), 1));
        QCOMPARE(problems.count(), 1);
        const QString report = problems.first().first().toString();
        for (const QString& key : refused)
            QVERIFY2(report.contains(key), qPrintable(key + QStringLiteral(" missing in: ") + report));
        QVERIFY(!report.contains(QStringLiteral("short-wait")));

        QSettings settings;
        QCOMPARE(settings.value(QStringLiteral("hopper-value_1")).toInt(), 50);
        QCOMPARE(settings.value(QStringLiteral("hopper-value_2")).toInt(), 100);
        QCOMPARE(settings.value(QStringLiteral("max-change")).toInt(), 500);
        QCOMPARE(settings.value(QStringLiteral("max-credit")).toInt(), 5000);
        QVERIFY(!settings.contains(QStringLiteral("long-wait")));
        QVERIFY(!settings.contains(QStringLiteral("motor-map")));
        QCOMPARE(settings.value(QStringLiteral("default-language")).toString(), QStringLiteral("it"));
        QCOMPARE(settings.value(QStringLiteral("use-optical-barrier")).toBool(), true);
        QCOMPARE(settings.value(QStringLiteral("Schedule/ftp-transfer")).toString(), QStringLiteral("02:00"));
        QVERIFY(!settings.contains(QStringLiteral("Alarms/tamper")));
        QCOMPARE(settings.value(QStringLiteral("Alarms/email")).toString(), QStringLiteral("owner@farmacia.it"));
        QCOMPARE(settings.value(QStringLiteral("UpdatesServer/address")).toString(), QStringLiteral("updates.korvane.it"));
        QCOMPARE(settings.value(QStringLiteral("FtpServer/address")).toString(), QStringLiteral("ftp.korvane.it"));
        QCOMPARE(TestEnvironment::readSerial(), 111);
        // What the form would take is applied.
        QCOMPARE(settings.value(QStringLiteral("short-wait")).toInt(), 30);
        QCOMPARE(settings.value(QStringLiteral("receipt-row-1")).toString(), QStringLiteral("Farmacia Centrale"));
        QCOMPARE(settings.value(QStringLiteral("Schedule/remote-update")).toString(), QStringLiteral("03:30"));
        QCOMPARE(settings.value(QStringLiteral("Alarms/battery-power"), true).toBool(), false);

        // A level-2 key may point the reports elsewhere; a level-3 key also
        // sets the serial, clamped as the serial writer clamps it.
        QVERIFY(m_manager->importFromFile(importFile("hopper-value_1=20\nmotor-map=" + motor_map_entries() + "\n"
                                                     "[UpdatesServer]\naddress=updates.elsewhere.com\n"
                                                     "[FtpServer]\naddress=ftp.elsewhere.com\n"
                                                     "[Alarms]\nemail=someone@elsewhere.com\n"), 2));
        QCOMPARE(problems.count(), 1);
        QCOMPARE(settings.value(QStringLiteral("hopper-value_1")).toInt(), 20);
        QCOMPARE(settings.value(QStringLiteral("motor-map")).toStringList().size(), 18);
        QCOMPARE(settings.value(QStringLiteral("UpdatesServer/address")).toString(), QStringLiteral("updates.elsewhere.com"));
        QCOMPARE(settings.value(QStringLiteral("FtpServer/address")).toString(), QStringLiteral("ftp.elsewhere.com"));
        QCOMPARE(settings.value(QStringLiteral("Alarms/email")).toString(), QStringLiteral("someone@elsewhere.com"));
        QVERIFY(m_manager->importFromFile(importFile("[advanced]\nserial=123456\n"), 3));
        QCOMPARE(settings.value(QStringLiteral("advanced/serial")).toInt(), 99999);
    }

    // A byte-order mark in front of the first line is text, not damage.
    void byteOrderMarkIsNotDamage()
    {
        const QString ownFile = QSettings().fileName();
        QVERIFY(QDir().mkpath(QFileInfo(ownFile).path()));
        QVERIFY(write_text(ownFile, "\xEF\xBB\xBF[General]\nmax-credit=2000\n[advanced]\nserial=7\n"));
        SettingsManager manager(nullptr);
        manager.registerConfigurable(&m_first);
        QSignalSpy problems(&manager, &SettingsManager::loadProblem);
        manager.forceReload();
        QCOMPARE(problems.count(), 0);
        QCOMPARE(m_first.maxCredit, 2000);

        QVERIFY(m_manager->importFromFile(importFile("\xEF\xBB\xBF; exported settings\nmax-credit=3000\n"), 1));
        QCOMPARE(QSettings().value(QStringLiteral("max-credit")).toInt(), 3000);
        QCOMPARE(TestEnvironment::readSerial(), 7);
    }

    void syncActionSetsSerialOutputsAndHoppersOnTheBoard()
    {
        QVERIFY2(startBoard(), qPrintable(m_board->errorString()));
        {
            QSettings settings;
            settings.setValue(QStringLiteral("advanced/serial"), 4321);
            settings.setValue(QStringLiteral("hopper-value_1"), 50);
            settings.setValue(QStringLiteral("hopper-value_2"), 200);
            settings.setValue(QStringLiteral("use-optical-barrier"), true);
        }
        syncOnWorkerThread();

        const QList<QByteArray> requests = request_data(read_simulator_link_log(m_board->requestLogPath(), m_startupLogSize));
        QVERIFY(std::any_of(requests.begin(), requests.end(),
                            [](const QByteArray& request) { return is_serial_assignment(request, 4321); }));
        QVERIFY(requests.contains(item_request(1, 50)));
        QVERIFY(requests.contains(item_request(2, 200)));
        const QJsonObject state = m_board->state();
        QCOMPARE(state.value(QStringLiteral("serial")).toInt(), 4321);
        QCOMPARE(state.value(QStringLiteral("hoppers")).toArray().at(0).toObject().value(QStringLiteral("value")).toInt(), 50);
        QCOMPARE(state.value(QStringLiteral("hoppers")).toArray().at(1).toObject().value(QStringLiteral("value")).toInt(), 200);
        QVERIFY(state.value(QStringLiteral("outputs")).toInt() & OutputMask::OpticalBarrier);
        QVERIFY(m_controller->getActuators() & OutputMask::OpticalBarrier);
        QCOMPARE(action_programs(), (QStringList{"change_hostname.sh vm24_04321", "enable_dynamic.sh "}));

        // Switching the barrier off leaves the other outputs as they were.
        const int otherOutputs = state.value(QStringLiteral("outputs")).toInt() & ~OutputMask::OpticalBarrier;
        QSettings().setValue(QStringLiteral("use-optical-barrier"), false);
        syncOnWorkerThread();
        QCOMPARE(m_board->state().value(QStringLiteral("outputs")).toInt(), otherOutputs);
        QVERIFY(!(m_controller->getActuators() & OutputMask::OpticalBarrier));
    }

    void importedSerialReachesTheBoardOnlyFromLevelThree()
    {
        QVERIFY2(startBoard(), qPrintable(m_board->errorString()));
        TestEnvironment::writeSerial(111);
        const QString path = importFile("[advanced]\nserial=2468\n");
        QVERIFY(m_manager->importFromFile(path, 2));
        QCOMPARE(m_board->state().value(QStringLiteral("serial")).toInt(), 111);
        QVERIFY(m_manager->importFromFile(path, 3));
        QCOMPARE(m_board->state().value(QStringLiteral("serial")).toInt(), 2468);
        QCOMPARE(action_programs().last(), QStringLiteral("enable_dynamic.sh "));
        QVERIFY(action_programs().contains(QStringLiteral("change_hostname.sh vm24_02468")));
    }

    void pendingClockGoesToTheBoardAtTheEnd()
    {
        QVERIFY2(startBoard(), qPrintable(m_board->errorString()));
        const QDateTime clock(QDate(2031, 5, 6), QTime(7, 8, 9));
        m_manager->setPendingClock(clock);
        m_manager.reset();
        const QDateTime board = QDateTime::fromString(m_board->state().value(QStringLiteral("clock")).toString(), Qt::ISODate);
        QVERIFY2(board >= clock && board.secsTo(clock) > -10, qPrintable(board.toString(Qt::ISODate)));

        // Without a pending clock the board's clock is left alone.
        QVERIFY(m_board->control(QStringLiteral("clock 2030-01-01T00:00:00")).startsWith(QStringLiteral("ok")));
        SettingsManager(m_controller.get()).setNetworkProfilePath(profilePath());
        const QDateTime untouched = QDateTime::fromString(m_board->state().value(QStringLiteral("clock")).toString(), Qt::ISODate);
        QCOMPARE(untouched.date(), QDate(2030, 1, 1));
    }

    void lostBoardStillAppliesTheRest()
    {
        QVERIFY2(startBoard(), qPrintable(m_board->errorString()));
        m_controller->setRetryPolicy(100, 1);
        QVERIFY(m_board->control(QStringLiteral("fault silence on")).startsWith(QStringLiteral("ok")));
        QSettings().setValue(QStringLiteral("advanced/serial"), 77);
        QElapsedTimer timer;
        timer.start();
        syncOnWorkerThread();
        QVERIFY(timer.elapsed() < 10000);
        QCOMPARE(action_programs(), (QStringList{"change_hostname.sh vm24_00077", "enable_dynamic.sh "}));
        QVERIFY(m_board->state().value(QStringLiteral("serial")).toInt() != 77);
    }
};

QTEST_GUILESS_MAIN(TestSettingsManager)
#include "tst_settingsmanager.moc"
