#include "board/boardstatus.h"
#include "board/boardstatusobserver.h"
#include "board/rk710controller.h"
#include "rk710simprocess.h"
#include "testenvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QJsonArray>
#include <QMap>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <QXmlStreamReader>
#include <QtTest>

#include <atomic>
#include <memory>
#include <unistd.h>

namespace {

// What the device-information file says.
struct DeviceInfo
{
    bool complete = false;
    QString timestamp;
    QStringList varNames;
    QMap<QString, QString> vars;
    QStringList descriptions;
    QMap<QString, QString> versions;
    QString maskOffset;
    QString mask;
};

DeviceInfo read_device_info(const QString& path)
{
    DeviceInfo info;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return info;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QString name = xml.name().toString();
        const QXmlStreamAttributes attributes = xml.attributes();
        if (name == QLatin1String("device-info")) {
            info.timestamp = attributes.value(QLatin1String("timestamp")).toString();
        } else if (name == QLatin1String("var")) {
            const QString varName = attributes.value(QLatin1String("name")).toString();
            info.varNames.append(varName);
            info.vars[varName] = xml.readElementText();
        } else if (name == QLatin1String("version")) {
            const QString description = attributes.value(QLatin1String("description")).toString();
            info.descriptions.append(description);
            info.versions[description] = xml.readElementText();
        } else if (name == QLatin1String("products-mask")) {
            info.maskOffset = attributes.value(QLatin1String("offset")).toString();
            info.mask = xml.readElementText();
        }
    }
    info.complete = !xml.hasError();
    return info;
}

bool write_all(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size();
}

QByteArray read_all(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class BoardStatusObserverTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnvironment::ScopedAppDir> appDir;
    std::unique_ptr<Rk710SimProcess> sim;
    std::unique_ptr<Rk710Controller> controller;
    QTemporaryDir tmp;

    QString infoPath() const { return tmp.filePath(QStringLiteral("device-info.xml")); }

    // The board up and polled once, so the cached words are the board's.
    bool startBoard(const QJsonObject& state = QJsonObject())
    {
        sim.reset(new Rk710SimProcess(state));
        if (!sim->start())
            return false;
        controller.reset(new Rk710Controller);
        if (!controller->open(sim->devicePath().toLocal8Bit().constData()))
            return false;
        // Listening before the reader starts: its first report may come at once.
        QSignalSpy status(controller.get(), &Rk710Controller::deviceStatusChanged);
        controller->initialize();
        return controller->isAlive() && (status.count() > 0 || status.wait(10000));
    }

    void connectObserver(BoardStatusObserver* observer)
    {
        connect(controller.get(), &Rk710Controller::deviceStatusChanged, observer,
                &BoardStatusObserver::onStatusChanged);
        connect(controller.get(), &Rk710Controller::productPresenceChanged, observer,
                &BoardStatusObserver::onPresenceChanged);
    }

    bool control(const QString& command) { return sim->control(command).startsWith(QLatin1String("ok")); }

private slots:
    void init()
    {
        appDir.reset(new TestEnvironment::ScopedAppDir);
        QFile::remove(infoPath());
    }

    void cleanup()
    {
        controller.reset();
        sim.reset();
        appDir.reset();
    }

    void firstFileHoldsStateVersionsAndProducts()
    {
        QVERIFY(startBoard(QJsonObject{{"columns", QJsonArray{1, 0, 3}}}));
        QTRY_COMPARE(controller->getProductPresence(), qint64(0x5));
        BoardStatusObserver observer(controller.get(), infoPath());
        QSignalSpy updated(&observer, &BoardStatusObserver::deviceInfoUpdated);
        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        observer.initialize(controller->getBoardStatus(), controller->getProductPresence());
        QVERIFY(updated.wait(10000));

        const DeviceInfo info = read_device_info(infoPath());
        QVERIFY(info.complete);
        const QDateTime stamp = QDateTime::fromString(info.timestamp, QStringLiteral("yyyy/MM/dd hh:mm:ss"));
        QVERIFY2(stamp >= before.addSecs(-1) && stamp <= QDateTime::currentDateTime(), qPrintable(info.timestamp));

        QCOMPARE(info.varNames.size(), 31);
        QCOMPARE(info.varNames.first(), QStringLiteral("BoardReset"));
        QCOMPARE(info.varNames.at(16), QStringLiteral("OutOfPaper"));
        QCOMPARE(info.varNames.last(), QStringLiteral("Motor18"));
        QCOMPARE(info.vars.value(QStringLiteral("Printer")), QStringLiteral("1"));
        QCOMPARE(info.vars.value(QStringLiteral("OutOfPaper")), QStringLiteral("0"));
        // The start-up exchange cleared the board's reset flag.
        QCOMPARE(info.vars.value(QStringLiteral("BoardReset")), QStringLiteral("0"));

        QCOMPARE(info.descriptions.size(), 28);
        QCOMPARE(info.descriptions.at(10), QStringLiteral("Erogatore  1"));
        QCOMPARE(info.versions.value(QStringLiteral("RK710")), QStringLiteral("2.07"));
        QCOMPARE(info.versions.value(QStringLiteral("Coin acceptor")), QStringLiteral("1.40"));
        QCOMPARE(info.versions.value(QStringLiteral("Erogatore 18")), QStringLiteral("1.00"));
        QCOMPARE(observer.versions().at(Devices::Printer), QStringLiteral("1.05"));

        QCOMPARE(info.maskOffset, QStringLiteral("0"));
        QCOMPARE(info.mask, QStringLiteral("5"));

        // Indented: one element per line.
        QFile file(infoPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().count('\n') > 31 + 28);
    }

    // Only the device whose bit changed is asked again; a device that went
    // away loses its version and gets it back when it returns.
    void statusChangesRereadOnlyTheChangedDevices()
    {
        QVERIFY(startBoard());
        BoardStatusObserver observer(controller.get(), infoPath());
        connectObserver(&observer);
        QSignalSpy updated(&observer, &BoardStatusObserver::deviceInfoUpdated);
        observer.initialize(controller->getBoardStatus(), controller->getProductPresence());
        QVERIFY(updated.wait(10000));

        QVERIFY(control(QStringLiteral("device printer off")));
        QTRY_VERIFY_WITH_TIMEOUT(!(observer.status() & BoardStatus::Printer), 15000);
        QTRY_VERIFY(observer.isIdle());
        DeviceInfo info = read_device_info(infoPath());
        QCOMPARE(info.vars.value(QStringLiteral("Printer")), QStringLiteral("0"));
        QCOMPARE(info.versions.value(QStringLiteral("Stampante")), QString());
        QCOMPARE(info.versions.value(QStringLiteral("RK710")), QStringLiteral("2.07"));

        // A second device going away while the first is still away.
        QVERIFY(control(QStringLiteral("device motor5 off")));
        QTRY_VERIFY_WITH_TIMEOUT(!(observer.status() & BoardStatus::Motor5), 15000);
        QTRY_VERIFY(observer.isIdle());
        QCOMPARE(read_device_info(infoPath()).versions.value(QStringLiteral("Erogatore  5")), QString());

        QVERIFY(control(QStringLiteral("device printer on")));
        QTRY_VERIFY_WITH_TIMEOUT(observer.status() & BoardStatus::Printer, 15000);
        QTRY_VERIFY(observer.isIdle());
        info = read_device_info(infoPath());
        QCOMPARE(info.versions.value(QStringLiteral("Stampante")), QStringLiteral("1.05"));
        QCOMPARE(info.versions.value(QStringLiteral("Erogatore  5")), QString());
        QCOMPARE(info.vars.value(QStringLiteral("Motor5")), QStringLiteral("0"));
    }

    void presenceChangesRewriteTheMask()
    {
        QVERIFY(startBoard());
        BoardStatusObserver observer(controller.get(), infoPath());
        connectObserver(&observer);
        observer.initialize(controller->getBoardStatus(), controller->getProductPresence());
        QTRY_VERIFY(observer.isIdle());

        QVERIFY(control(QStringLiteral("column 18 stock 2")));
        QVERIFY(control(QStringLiteral("column 1 stock 1")));
        QTRY_COMPARE_WITH_TIMEOUT(read_device_info(infoPath()).mask, QStringLiteral("20001"), 15000);
        QCOMPARE(observer.presence(), qint64(0x20001));
    }

    // A change that arrives while the first reading runs must not undo it.
    void aQueuedJobKeepsWhatTheRunningJobRead()
    {
        QVERIFY(startBoard());
        BoardStatusObserver observer(controller.get(), infoPath());
        const int status = controller->getBoardStatus();
        observer.initialize(status, 0);
        observer.onStatusChanged(status & ~BoardStatus::Printer);
        observer.onPresenceChanged(0x3);
        QVERIFY(!observer.isIdle());
        QTRY_VERIFY_WITH_TIMEOUT(observer.isIdle(), 15000);

        QCOMPARE(observer.versions().at(Devices::Rk710), QStringLiteral("2.07"));
        QCOMPARE(observer.versions().at(Devices::Printer), QString());
        const DeviceInfo info = read_device_info(infoPath());
        QCOMPARE(info.versions.value(QStringLiteral("Hopper 2")), QStringLiteral("1.10"));
        QCOMPARE(info.vars.value(QStringLiteral("Printer")), QStringLiteral("0"));
        QCOMPARE(info.mask, QStringLiteral("3"));
    }

    void aBoardResetGetsTheVersionExchange()
    {
        QVERIFY(startBoard());
        BoardStatusObserver observer(controller.get(), infoPath());
        connectObserver(&observer);
        observer.initialize(controller->getBoardStatus(), controller->getProductPresence());

        QVERIFY(control(QStringLiteral("reset")));
        QSignalSpy status(controller.get(), &Rk710Controller::deviceStatusChanged);
        QTRY_VERIFY_WITH_TIMEOUT(status.count() >= 1, 15000);
        QVERIFY(status.first().at(0).toInt() & BoardStatus::BoardReset);
        // The exchange clears the flag; the next status read shows it.
        QTRY_VERIFY_WITH_TIMEOUT(!(controller->getBoardStatus() & BoardStatus::BoardReset), 15000);
        QCOMPARE(sim->state().value(QStringLiteral("resetFlag")).toBool(), false);
        QTRY_COMPARE_WITH_TIMEOUT(read_device_info(infoPath()).vars.value(QStringLiteral("BoardReset")),
                                  QStringLiteral("0"), 15000);
    }

    void aReaderNeverSeesHalfAFile()
    {
        BoardStatusObserver::Versions versions(Devices::Count, QStringLiteral("1.00"));
        QVERIFY(BoardStatusObserver::writeDeviceInfo(infoPath(), 0, versions, 0));
        std::atomic<bool> writing{true};
        std::atomic<int> reads{0};
        std::atomic<int> broken{0};
        std::unique_ptr<QThread> reader(QThread::create([&] {
            while (writing) {
                if (!read_device_info(infoPath()).complete)
                    ++broken;
                ++reads;
            }
        }));
        reader->start();
        for (int i = 0; i < 300; ++i)
            QVERIFY(BoardStatusObserver::writeDeviceInfo(infoPath(), i, versions, i));
        writing = false;
        reader->wait();
        QVERIFY(reads > 0);
        QCOMPARE(broken.load(), 0);
    }

    // Nobody but the program decides what its device-information file
    // overwrites: a link at the file's name is replaced, never followed, and
    // a directory for it that is a link or open to others is not used.
    void noPlantedLinkIsFollowed()
    {
        const BoardStatusObserver::Versions versions(Devices::Count, QStringLiteral("1.00"));
        QVERIFY(!BoardStatusObserver::writeDeviceInfo(tmp.filePath(QStringLiteral("missing-dir/device-info.xml")), 0,
                                                      versions, 0));
        QVERIFY(!BoardStatusObserver::writeDeviceInfo(QString(), 0, versions, 0));
        const QString victim = tmp.filePath(QStringLiteral("victim"));
        QVERIFY(write_all(victim, "precious"));
        const QString planted = tmp.filePath(QStringLiteral("planted.xml"));
        QVERIFY(QFile::link(victim, planted));
        QVERIFY(BoardStatusObserver::writeDeviceInfo(planted, 5, versions, 3));
        QCOMPARE(read_all(victim), QByteArray("precious"));
        QVERIFY(!QFileInfo(planted).isSymLink());
        QCOMPARE(read_device_info(planted).mask, QStringLiteral("3"));

        const char* variables[] = {"VM24_DEVICE_INFO_FILE", "RUNTIME_DIRECTORY", "XDG_RUNTIME_DIR"};
        QList<QByteArray> saved;
        for (const char* variable : variables) {
            saved.append(qgetenv(variable));
            qunsetenv(variable);
        }
        const auto restore = qScopeGuard([&] {
            for (int i = 0; i < 3; ++i) {
                if (saved.at(i).isEmpty())
                    qunsetenv(variables[i]);
                else
                    qputenv(variables[i], saved.at(i));
            }
        });
        const QString session = tmp.filePath(QStringLiteral("session"));
        QVERIFY(QDir().mkpath(session));
        qputenv("XDG_RUNTIME_DIR", session.toLocal8Bit());
        const QString own = session + QStringLiteral("/vm24");
        QCOMPARE(BoardStatusObserver::defaultInfoPath(), own + QStringLiteral("/vm24-device-info.xml"));
        QCOMPARE(QFileInfo(own).permissions() & ~(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                  | QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
                 QFile::Permissions());

        const QString elsewhere = tmp.filePath(QStringLiteral("elsewhere"));
        QVERIFY(QDir().mkpath(elsewhere));
        QVERIFY(QDir(own).removeRecursively());
        QVERIFY(QFile::link(elsewhere, own));
        QVERIFY(BoardStatusObserver::defaultInfoPath().isEmpty());
        QVERIFY(!BoardStatusObserver::writeDeviceInfo(BoardStatusObserver::defaultInfoPath(), 0, versions, 0));
        QVERIFY(QDir(elsewhere).isEmpty());
        QVERIFY(QFile::remove(own));
        QVERIFY(QDir().mkdir(own));
        QVERIFY(QFile::setPermissions(own, QFile::Permissions(0x7777)));
        QVERIFY(BoardStatusObserver::defaultInfoPath().isEmpty());
        if (::geteuid() == 0) {
            QVERIFY(QFile::setPermissions(own, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
            QCOMPARE(::chown(QFile::encodeName(own).constData(), 65534, 65534), 0);
            QVERIFY(BoardStatusObserver::defaultInfoPath().isEmpty());
        }

        // The service manager's directory, and a path set outright, are taken.
        const QString service = tmp.filePath(QStringLiteral("service"));
        QVERIFY(QDir().mkpath(service));
        qputenv("RUNTIME_DIRECTORY", (service + QStringLiteral(":/elsewhere")).toLocal8Bit());
        QCOMPARE(BoardStatusObserver::defaultInfoPath(), service + QStringLiteral("/vm24-device-info.xml"));
        qputenv("VM24_DEVICE_INFO_FILE", infoPath().toLocal8Bit());
        QCOMPARE(BoardStatusObserver::defaultInfoPath(), infoPath());
    }

    void statusBitsMapToTheirDevices()
    {
        QCOMPARE(BoardStatusObserver::deviceForStatusBit(0), -1);
        QCOMPARE(BoardStatusObserver::deviceForStatusBit(1), -1);
        QCOMPARE(BoardStatusObserver::deviceForStatusBit(2), int(Devices::CoinAcceptor));
        QCOMPARE(BoardStatusObserver::deviceForStatusBit(7), int(Devices::Hopper2));
        QCOMPARE(BoardStatusObserver::deviceForStatusBit(8), -1);
        QCOMPARE(BoardStatusObserver::deviceForStatusBit(10), int(Devices::Printer));
        QCOMPARE(BoardStatusObserver::deviceForStatusBit(14), 13);
        QCOMPARE(BoardStatusObserver::deviceForStatusBit(15), -1);
        QCOMPARE(BoardStatusObserver::deviceForStatusBit(16), -1);
        QCOMPARE(BoardStatusObserver::deviceForStatusBit(17), 14);
        QCOMPARE(BoardStatusObserver::deviceForStatusBit(30), int(Devices::Dispenser18));
        QCOMPARE(BoardStatusObserver::deviceForStatusBit(31), -1);
    }
};

QTEST_GUILESS_MAIN(BoardStatusObserverTest)
#include "tst_boardstatusobserver.moc"
