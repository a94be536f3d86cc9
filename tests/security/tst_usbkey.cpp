// The USB security key against real openssl, the real key scripts and the
// real blkid reading vfat images: genuine keys reach their levels, every
// forgery ends at level 1, and a stick that misbehaves never blocks the
// machine. The application and stick paths hold blanks, quotes, ";" and
// "$(...)", which must reach the scripts and the unmount unchanged.

#include "core/systemactions.h"
#include "core/vm24.h"
#include "security/keyprogramming.h"
#include "security/resetactions.h"
#include "security/securitykey.h"
#include "security/usbmonitor.h"
#include "heldblkid.h"
#include "settings/settings.h"
#include "usbkeyrig.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <QtConcurrentRun>

#include <functional>
#include <memory>

namespace {

const QString STICK = QStringLiteral("sdz1");
const QString STICK_ID = QStringLiteral("1a2b3c4d");
const QString OTHER_ID = QStringLiteral("5e6f7a8b");

QByteArray read_all(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every file below dir with its size and checksum.
QStringList snapshot(const QString& dir)
{
    QStringList entries;
    QDirIterator it(dir, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        entries.append(path + QLatin1Char(' ') + QString::number(qHash(read_all(path))));
    }
    entries.sort();
    return entries;
}

bool write_all(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size();
}

} // namespace

class UsbKeyTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_appDir;
    std::unique_ptr<UsbKeyRig> m_rig;
    std::unique_ptr<UsbMonitor> m_usb;
    QByteArray m_previousAppDir;

    QString manifestPath(const QString& device = STICK) const
    {
        return m_rig->securityDir(device) + QStringLiteral("/manifest.txt");
    }

    int authenticate()
    {
        m_usb->onDirectoryChanged();
        return m_usb->authenticateUsb();
    }

private slots:
    void init()
    {
        m_previousAppDir = qgetenv("VM24_APP_DIR");
        m_appDir = std::make_unique<QTemporaryDir>(QDir::tempPath()
                                                   + QStringLiteral("/vm24 app 'q' \"d\";$(touch pwned)-XXXXXX"));
        QVERIFY(m_appDir->isValid());
        qputenv("VM24_APP_DIR", m_appDir->path().toLocal8Bit());
        Settings::configureLocation();
        m_rig = std::make_unique<UsbKeyRig>(m_appDir->path());
        QVERIFY2(m_rig->isValid(), qPrintable(m_rig->error()));
        m_usb = std::make_unique<UsbMonitor>();
        m_usb->setSettleTime(0);
        QCOMPARE(m_usb->watchedDir(), m_rig->mediaDir());
    }

    void cleanup()
    {
        m_usb.reset();
        m_rig.reset();
        m_appDir.reset();
        qputenv("VM24_APP_DIR", m_previousAppDir);
        Settings::configureLocation();
    }

    void genuineKeysReachTheirLevels_data()
    {
        QTest::addColumn<int>("level");
        QTest::newRow("level 2") << 2;
        QTest::newRow("level 3") << 3;
        QTest::newRow("level 4") << 4;
    }
    void genuineKeysReachTheirLevels()
    {
        QFETCH(int, level);
        QVERIFY(!m_rig->makeStick(STICK, STICK_ID).isEmpty());
        QVERIFY(m_rig->makeKey(STICK, STICK_ID, level));
        QCOMPARE(authenticate(), level);
        QCOMPARE(m_usb->userLevel(), level);
        QCOMPARE(m_usb->deviceName(), STICK);
        QCOMPARE(m_usb->dataRoot(), m_rig->stickPath(STICK) + QStringLiteral("/VM24"));
    }

    void levelOneKeysAreBoundToTheMachine()
    {
        QVERIFY(!m_rig->makeStick(STICK, STICK_ID).isEmpty());
        m_usb->onDirectoryChanged();
        QVERIFY(m_rig->writeManifest(STICK, m_rig->manifestText(STICK_ID, 1)));
        QCOMPARE(VM24::check_manifest(manifestPath(), STICK), 1);
        QVERIFY(m_rig->writeManifest(STICK, m_rig->manifestText(STICK_ID, 1, "02:99:99:99:99:99")));
        QCOMPARE(VM24::check_manifest(manifestPath(), STICK), -1);
        // A level-2 manifest needs no machine.
        QVERIFY(m_rig->writeManifest(STICK, m_rig->manifestText(STICK_ID, 2, "02:99:99:99:99:99")));
        QCOMPARE(VM24::check_manifest(manifestPath(), STICK), 2);
        // No UUID from blkid matches nothing, not even an empty one.
        QVERIFY(m_rig->writeManifest(STICK, "UUID=\nmac=" + QByteArray(UsbKeyRig::MAC) + "\nlevel=1\n"));
        QCOMPARE(VM24::check_manifest(manifestPath(), QStringLiteral("nosuchdevice")), -1);
    }

    void forgeriesGetLevelOne()
    {
        const QString outside = m_appDir->filePath(QStringLiteral("outside"));
        QVERIFY(QDir().mkpath(outside));
        struct Forgery
        {
            const char* name;
            std::function<bool()> make;
        };
        UsbKeyRig& rig = *m_rig;
        const QString manifest = manifestPath();
        const QList<Forgery> forgeries{
            {"level-2 key of another stick",
             [&] {
                 return rig.writeManifest(STICK, rig.manifestText(OTHER_ID, 2))
                     && rig.signManifest(STICK, rig.adminPrivateKey());
             }},
            {"level line edited after signing",
             [&] {
                 return rig.makeKey(STICK, STICK_ID, 2)
                     && write_all(manifest, read_all(manifest).replace("level=2", "level=3"));
             }},
            {"level-1 key raised to level 2",
             [&] {
                 return rig.makeKey(STICK, STICK_ID, 1)
                     && write_all(manifest, read_all(manifest).replace("level=1", "level=2"));
             }},
            {"signed with a key pair not the machine's",
             [&] {
                 return rig.writeManifest(STICK, rig.manifestText(STICK_ID, 2))
                     && rig.signManifest(STICK, rig.foreignPrivateKey());
             }},
            {"level 3 signed with the admin key",
             [&] {
                 return rig.writeManifest(STICK, rig.manifestText(STICK_ID, 3))
                     && rig.signManifest(STICK, rig.adminPrivateKey());
             }},
            {"lines reordered",
             [&] {
                 const QList<QByteArray> lines = rig.manifestText(STICK_ID, 2).split('\n');
                 return rig.writeManifest(STICK, lines[2] + '\n' + lines[0] + '\n' + lines[1] + '\n')
                     && rig.signManifest(STICK, rig.adminPrivateKey());
             }},
            {"level 5",
             [&] {
                 return rig.writeManifest(STICK, rig.manifestText(STICK_ID, 5))
                     && rig.signManifest(STICK, rig.masterPrivateKey());
             }},
            {"level -2",
             [&] {
                 return rig.writeManifest(STICK, rig.manifestText(STICK_ID, -2))
                     && rig.signManifest(STICK, rig.adminPrivateKey());
             }},
            {"level-1 key of another machine",
             [&] {
                 return rig.writeManifest(STICK, rig.manifestText(STICK_ID, 1, "02:99:99:99:99:99"))
                     && rig.signManifest(STICK, rig.adminPrivateKey());
             }},
            {"signature missing",
             [&] {
                 return rig.makeKey(STICK, STICK_ID, 2) && QFile::remove(manifest + QStringLiteral(".sig"));
             }},
            {"signature truncated",
             [&] {
                 const QString sig = manifest + QStringLiteral(".sig");
                 return rig.makeKey(STICK, STICK_ID, 2) && write_all(sig, read_all(sig).left(40));
             }},
            {"manifest linked to a file outside the stick",
             [&] {
                 const QString target = outside + QStringLiteral("/manifest.txt");
                 return rig.makeKey(STICK, STICK_ID, 2) && QFile::rename(manifest, target)
                     && QFile::rename(manifest + QStringLiteral(".sig"), target + QStringLiteral(".sig"))
                     && QFile::link(target, manifest)
                     && QFile::link(target + QStringLiteral(".sig"), manifest + QStringLiteral(".sig"));
             }},
            {"key directory linked outside the stick",
             [&] {
                 const QString target = outside + QStringLiteral("/keydir");
                 return rig.makeKey(STICK, STICK_ID, 2) && QDir().rename(rig.securityDir(STICK), target)
                     && QFile::link(target, rig.securityDir(STICK));
             }},
            {"huge manifest",
             [&] {
                 return rig.writeManifest(STICK, rig.manifestText(STICK_ID, 2) + QByteArray(1 << 20, '\n'))
                     && rig.signManifest(STICK, rig.adminPrivateKey());
             }},
            {"binary garbage",
             [&] {
                 QByteArray garbage;
                 for (int i = 0; i < 3000; ++i)
                     garbage.append(char((i * 7919) % 256));
                 return rig.writeManifest(STICK, garbage) && rig.signManifest(STICK, rig.adminPrivateKey());
             }},
        };
        for (const Forgery& forgery : forgeries) {
            QDir(outside).removeRecursively();
            QDir().mkpath(outside);
            m_rig->removeStick(STICK);
            m_usb->onDirectoryChanged();
            QVERIFY(!m_rig->makeStick(STICK, STICK_ID).isEmpty());
            QVERIFY2(forgery.make(), forgery.name);
            const QStringList held = snapshot(m_rig->stickPath(STICK));
            QVERIFY2(authenticate() == 1, forgery.name);
            // Reading a key changes nothing on the stick.
            QVERIFY2(snapshot(m_rig->stickPath(STICK)) == held, forgery.name);
        }
        // The same stick with a genuine key still works: the forgeries fail
        // for what they are, not for a broken rig.
        m_rig->removeStick(STICK);
        m_usb->onDirectoryChanged();
        QVERIFY(!m_rig->makeStick(STICK, STICK_ID).isEmpty());
        QVERIFY(m_rig->makeKey(STICK, STICK_ID, 2));
        QCOMPARE(authenticate(), 2);
    }

    void badPublicKeyGivesLevelOne()
    {
        QVERIFY(!m_rig->makeStick(STICK, STICK_ID).isEmpty());
        QVERIFY(m_rig->makeKey(STICK, STICK_ID, 2));
        QVERIFY(write_all(m_appDir->filePath(QStringLiteral("vm24-public.pem")), QByteArray(300, '\x01')));
        QCOMPARE(authenticate(), 1);
        QVERIFY(QFile::remove(m_appDir->filePath(QStringLiteral("vm24-public.pem"))));
        QCOMPARE(authenticate(), 1);
    }

    void hangingBlkidDoesNotBlockTheMachine()
    {
        QVERIFY(!m_rig->makeStick(STICK, STICK_ID).isEmpty());
        QVERIFY(m_rig->makeKey(STICK, STICK_ID, 2));
        const QByteArray manifest = read_all(manifestPath());
        QTemporaryDir bin;
        const QString standIn = bin.filePath(QStringLiteral("blkid"));
        QVERIFY(write_all(standIn, "#!/bin/sh\nexec sleep 60\n"));
        QVERIFY(QFile::setPermissions(standIn, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.path().toLocal8Bit() + ':' + path);
        m_usb->setUuidTimeout(500);
        QElapsedTimer timer;
        timer.start();
        const int level = authenticate();
        qputenv("PATH", path);
        QCOMPARE(level, 1);
        QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));

        QCOMPARE(read_all(manifestPath()), manifest);
        QSignalSpy removed(m_usb.get(), &UsbMonitor::usbStick);
        QVERIFY(m_rig->removeStick(STICK));
        QVERIFY(removed.wait(5000));
        QCOMPARE(removed.last().at(0).toBool(), false);
        QCOMPARE(m_usb->userLevel(), -1);
        QVERIFY(m_usb->mountPath().isEmpty());
    }

    void programmedKeysCarryOnlyTheirKeys()
    {
        VM24::PrivateKeys keys{read_all(m_rig->adminPrivateKey()), read_all(m_rig->masterPrivateKey())};
        QVERIFY(!keys.admin.isEmpty() && !keys.master.isEmpty());
        const QString devices[] = {QStringLiteral("sdx1"), QStringLiteral("sdw1"), QStringLiteral("sdv1")};
        const QString ids[] = {QStringLiteral("00c0ffee"), QStringLiteral("0badcafe"), QStringLiteral("0defaced")};
        for (int level = 1; level <= 3; ++level) {
            const QString device = devices[level - 1];
            const QString mount = m_rig->makeStick(device, ids[level - 1]);
            m_usb->onDirectoryChanged();
            QCOMPARE(m_usb->mountPath(), mount);
            const int recorded = SystemActions::recordedActions().size();
            QVERIFY(VM24::program_security_key(*m_usb, level, keys));
            // The stick is unmounted by its exact path, whatever it holds.
            const QList<QStringList> actions = SystemActions::recordedActions();
            QCOMPARE(actions.size(), recorded + 1);
            QCOMPARE(actions.last(), (QStringList{QStringLiteral("umount"), mount}));

            const QDir dir(m_rig->securityDir(device));
            QCOMPARE(dir.exists(QStringLiteral("vm24.pem")), level >= 2);
            QCOMPARE(dir.exists(QStringLiteral("vm24-master.pem")), level >= 3);
            if (level >= 2)
                QCOMPARE(read_all(dir.filePath(QStringLiteral("vm24.pem"))), keys.admin);
            QCOMPARE(VM24::check_manifest(dir.filePath(QStringLiteral("manifest.txt")), device), level);
            QCOMPARE(m_usb->authenticateUsb(), level);
            const VM24::PrivateKeys carried = VM24::load_private_keys(*m_usb, level);
            QCOMPARE(carried.admin.isEmpty(), level < 2);
            QCOMPARE(carried.master.isEmpty(), level < 3);
            QVERIFY(m_rig->removeStick(device));
            m_usb->onDirectoryChanged();
        }
        QVERIFY(!QFile::exists(QDir::current().filePath(QStringLiteral("pwned"))));
    }

    void programmingFailsWithoutTheSigningKey()
    {
        const QString mount = m_rig->makeStick(STICK, STICK_ID);
        m_usb->onDirectoryChanged();
        QVERIFY(!VM24::program_security_key(*m_usb, 3, {read_all(m_rig->adminPrivateKey()), QByteArray()}));
        QCOMPARE(m_usb->authenticateUsb(), 1);
        // A link in place of the key directory is replaced, never followed.
        const QString outside = m_appDir->filePath(QStringLiteral("elsewhere"));
        QVERIFY(QDir().mkpath(outside));
        QVERIFY(QDir(m_rig->securityDir(STICK)).removeRecursively());
        QVERIFY(QFile::link(outside, m_rig->securityDir(STICK)));
        QVERIFY(VM24::program_security_key(*m_usb, 2, {read_all(m_rig->adminPrivateKey()), QByteArray()}));
        QVERIFY(QDir(outside).isEmpty());
        QCOMPARE(m_usb->authenticateUsb(), 2);
    }

    // A level belongs to the insertion of the stick that was read: a second
    // stick beside the key, another stick in its place, or the key taken out
    // while blkid still reads it, all start again at -1.
    void theLevelBelongsToTheStickThatWasRead()
    {
        const QString key = QStringLiteral("sdb1");
        const QString other = QStringLiteral("sda1");
        QVERIFY(!m_rig->makeStick(key, STICK_ID).isEmpty());
        QVERIFY(m_rig->makeKey(key, STICK_ID, 3));
        QCOMPARE(authenticate(), 3);
        const quint64 keyInsertion = m_usb->insertion();
        // Beside the key and first by name: the key stays the stick.
        QVERIFY(!m_rig->makeStick(other, OTHER_ID).isEmpty());
        m_usb->onDirectoryChanged();
        QCOMPARE(m_usb->mountPath(), m_rig->stickPath(key));
        QCOMPARE(m_usb->insertion(), keyInsertion);
        QCOMPARE(m_usb->userLevel(), 3);
        // The key goes: the other stick is the stick, at no level yet.
        QSignalSpy changes(m_usb.get(), &UsbMonitor::usbStick);
        QVERIFY(m_rig->removeStick(key));
        m_usb->onDirectoryChanged();
        QCOMPARE(m_usb->mountPath(), m_rig->stickPath(other));
        QCOMPARE(m_usb->deviceName(), other);
        QCOMPARE(m_usb->userLevel(), -1);
        QCOMPARE(changes.size(), 2);
        QCOMPARE(changes.at(0).at(0).toBool(), false);
        QCOMPARE(changes.at(1).at(0).toBool(), true);
        QCOMPARE(m_usb->authenticateUsb(), 1);

        // The level-3 key comes back under the other's name while the other
        // is being read; then the other's reading ends: it grants nothing.
        QVERIFY(m_rig->makeKey(other, OTHER_ID, 3));
        {
            HeldBlkid blkid;
            QVERIFY(blkid.isValid());
            const QFuture<int> reading = QtConcurrent::run([this] { return m_usb->authenticateUsb(); });
            QTRY_VERIFY_WITH_TIMEOUT(blkid.hasStarted(), 10000);
            const QString parked = m_appDir->filePath(QStringLiteral("parked"));
            QVERIFY(QDir().rename(m_rig->stickPath(other), parked));
            m_usb->onDirectoryChanged();
            QVERIFY(QDir().rename(parked, m_rig->stickPath(other)));
            m_usb->onDirectoryChanged();
            blkid.release();
            QCOMPARE(reading.result(), -1);
            QCOMPARE(m_usb->userLevel(), -1);
        }
        QCOMPARE(m_usb->authenticateUsb(), 3);

        // Pulled while blkid reads it, the watcher not yet told: still nothing.
        HeldBlkid blkid;
        QVERIFY(blkid.isValid());
        const QFuture<int> reading = QtConcurrent::run([this] { return m_usb->authenticateUsb(); });
        QTRY_VERIFY_WITH_TIMEOUT(blkid.hasStarted(), 10000);
        QVERIFY(m_rig->removeStick(other));
        blkid.release();
        QCOMPARE(reading.result(), -1);
        QVERIFY(m_usb->resolvedDataRoot().isEmpty());
    }

    // Files from the stick are taken only as small regular files, never
    // through a link; the stick's folder is used only when it stays on the stick.
    void stickFilesAreSmallRegularFilesOnTheStick()
    {
        const QString stick = m_rig->makeStick(STICK, STICK_ID);
        QVERIFY(!stick.isEmpty());
        m_usb->onDirectoryChanged();
        const QString dir = stick + QStringLiteral("/VM24");
        QVERIFY(m_usb->resolvedDataRoot().isEmpty());
        QVERIFY(QDir().mkpath(dir));
        QCOMPARE(m_usb->resolvedDataRoot(), QFileInfo(dir).canonicalFilePath());

        const QString machineEnvironment = m_appDir->filePath(QStringLiteral("vm24.env"));
        const QString secret = m_appDir->filePath(QStringLiteral("shadow"));
        QVERIFY(write_all(secret, "root:$6$secret:19000::::::\n"));
        const QString huge = m_appDir->filePath(QStringLiteral("huge"));
        {
            QFile file(huge);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.resize(VM24::MAX_ENVIRONMENT_FILE_SIZE + 1));
        }
        const QString stickEnvironment = dir + QStringLiteral("/vm24.env");
        struct Case
        {
            const char* name;
            std::function<bool()> make;
        };
        const QList<Case> cases{
            {"link to a file of the machine", [&] { return QFile::link(secret, stickEnvironment); }},
            {"link to a device", [&] { return QFile::link(QStringLiteral("/dev/zero"), stickEnvironment); }},
            {"too large", [&] { return QFile::copy(huge, stickEnvironment); }},
        };
        for (const Case& c : cases) {
            QFile::remove(stickEnvironment);
            QVERIFY(write_all(machineEnvironment, "VM24_GREEDY_CHANGE=1\n"));
            QVERIFY2(c.make(), c.name);
            VM24::run_reset_actions(dir, Settings::clearFile);
            QVERIFY2(read_all(machineEnvironment) == "VM24_GREEDY_CHANGE=1\n", c.name);
        }
        // A small regular file is installed.
        QFile::remove(stickEnvironment);
        QVERIFY(write_all(stickEnvironment, "VM24_ENABLE_HEARTBEAT=1\n"));
        VM24::run_reset_actions(dir, Settings::clearFile);
        QCOMPARE(read_all(machineEnvironment), QByteArray("VM24_ENABLE_HEARTBEAT=1\n"));

        // The stick's folder: a link that stays on the stick is followed,
        // one that leaves it is not used at all.
        QVERIFY(QDir(dir).removeRecursively());
        QVERIFY(QDir().mkpath(stick + QStringLiteral("/real")));
        QVERIFY(QFile::link(QStringLiteral("real"), dir));
        QCOMPARE(m_usb->resolvedDataRoot(), QFileInfo(stick + QStringLiteral("/real")).canonicalFilePath());
        QVERIFY(QFile::remove(dir));
        const QString outside = m_appDir->filePath(QStringLiteral("outside"));
        QVERIFY(QDir().mkpath(outside));
        QVERIFY(QFile::link(outside, dir));
        QVERIFY(m_usb->resolvedDataRoot().isEmpty());
        QVERIFY(QFile::remove(dir));
        QVERIFY(QFile::link(QStringLiteral("../.."), dir));
        QVERIFY(m_usb->resolvedDataRoot().isEmpty());
        // Reset actions never run in a folder that is not absolute.
        QVERIFY(!VM24::has_reset_actions(QString()));
        QVERIFY(!VM24::has_reset_actions(QStringLiteral("VM24")));
    }

    void resetActionsFollowTheKeywords()
    {
        const QString dir = m_appDir->filePath(QStringLiteral("stick VM24"));
        QVERIFY(QDir().mkpath(dir));
        QVERIFY(!VM24::has_reset_actions(dir));
        {
            QSettings settings;
            settings.setValue(QStringLiteral("max-credit"), 7000);
            settings.setValue(QStringLiteral("advanced/serial"), 123);
        }
        QVERIFY(write_all(m_appDir->filePath(QStringLiteral("vm24.env")), "VM24_GREEDY_CHANGE=1\n"));
        QVERIFY(write_all(dir + QStringLiteral("/soft_reset.txt"), "# reset\n  GETENV \n\nSETTINGS\nOnce\nbogus\n"));
        QVERIFY(write_all(dir + QStringLiteral("/vm24.env"), "VM24_ENABLE_HEARTBEAT=1\n"));
        QVERIFY(VM24::has_reset_actions(dir));
        VM24::run_reset_actions(dir, Settings::clearFile);

        QCOMPARE(read_all(dir + QStringLiteral("/vm24.env.exported")), QByteArray("VM24_GREEDY_CHANGE=1\n"));
        QCOMPARE(read_all(m_appDir->filePath(QStringLiteral("vm24.env"))), QByteArray("VM24_ENABLE_HEARTBEAT=1\n"));
        QVERIFY(QSettings().allKeys().isEmpty());
        QVERIFY(!QFile::exists(dir + QStringLiteral("/soft_reset.txt")));
        QVERIFY(QFile::exists(dir + QStringLiteral("/soft_reset.txt.once")));

        QVERIFY(write_all(dir + QStringLiteral("/soft_reset.txt"), "clearenv\n"));
        VM24::run_reset_actions(dir, Settings::clearFile);
        QVERIFY(!QFile::exists(m_appDir->filePath(QStringLiteral("vm24.env"))));
        QVERIFY(QFile::exists(dir + QStringLiteral("/soft_reset.txt")));
    }
};

QTEST_GUILESS_MAIN(UsbKeyTest)
#include "tst_usbkey.moc"
