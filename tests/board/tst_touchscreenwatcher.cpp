#include "board/touchscreenwatcher.h"

#include <QFile>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {

// A named pipe opens like an input device that has nothing to report yet.
bool plug_in(const QString& path)
{
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

bool unplug(const QString& path)
{
    return QFile::remove(path);
}

class ScopedEnvironment
{
public:
    ScopedEnvironment(const char* name, const QByteArray& value)
        : m_name(name)
        , m_previous(qgetenv(name))
        , m_wasSet(qEnvironmentVariableIsSet(name))
    {
        qputenv(name, value);
    }
    ~ScopedEnvironment()
    {
        if (m_wasSet)
            qputenv(m_name, m_previous);
        else
            qunsetenv(m_name);
    }

private:
    const char* m_name;
    QByteArray m_previous;
    bool m_wasSet;
};

} // namespace

class TouchscreenWatcherTest : public QObject
{
    Q_OBJECT

    QTemporaryDir dev;

    QString devicePath() const { return dev.filePath(QStringLiteral("vm60_touchscreen")); }

private slots:
    void initTestCase()
    {
        // The build puts the plug-in next to the tests' directory.
        const QString plugins = QCoreApplication::applicationDirPath() + QStringLiteral("/../plugins");
        QVERIFY2(QFile::exists(plugins + QStringLiteral("/generic/libtouchev.so")),
                 "build the touchev plug-in first");
        QCoreApplication::addLibraryPath(plugins);
        QVERIFY(dev.isValid());
    }

    void cleanup()
    {
        QFile::remove(devicePath());
    }

    void removalAndReinsertionReopenThePointerDevice()
    {
        QVERIFY(plug_in(devicePath()));
        TouchscreenWatcher watcher(devicePath());
        QVERIFY(watcher.isConnected());
        QPointer<QObject> first = watcher.pointerDevice();
        QVERIFY(first);
        QCOMPARE(watcher.pointerDeviceString(), devicePath() + QStringLiteral(":rot=270"));
        QSignalSpy changes(&watcher, &TouchscreenWatcher::touchscreenConnectedChanged);

        QVERIFY(unplug(devicePath()));
        QVERIFY(changes.wait(10000));
        QCOMPARE(changes.takeFirst().at(0).toBool(), false);
        QVERIFY(!watcher.isConnected());
        QVERIFY(!first);
        QCOMPARE(watcher.pointerDevice(), nullptr);

        QVERIFY(plug_in(devicePath()));
        QVERIFY(changes.wait(10000));
        QCOMPARE(changes.takeFirst().at(0).toBool(), true);
        QVERIFY(watcher.isConnected());
        QVERIFY(watcher.pointerDevice());
        QCOMPARE(watcher.pointerDevice()->parent(), &watcher);
    }

    void startsDisconnectedWithoutTheDevice()
    {
        TouchscreenWatcher watcher(devicePath());
        QVERIFY(!watcher.isConnected());
        QCOMPARE(watcher.pointerDevice(), nullptr);
        QSignalSpy changes(&watcher, &TouchscreenWatcher::touchscreenConnectedChanged);

        // Other nodes coming and going are not the touchscreen.
        QVERIFY(plug_in(dev.filePath(QStringLiteral("ttyUSB0"))));
        QVERIFY(!changes.wait(500));
        QVERIFY(unplug(dev.filePath(QStringLiteral("ttyUSB0"))));

        QVERIFY(plug_in(devicePath()));
        QVERIFY(changes.wait(10000));
        QCOMPARE(changes.count(), 1);
        QVERIFY(watcher.pointerDevice());
    }

    void resetTimerRecreatesTheHandlerWhileConnected()
    {
        ScopedEnvironment reset("VM24_ENABLE_MOUSE_HANDLER_RESET", "1");
        ScopedEnvironment options("VM24_TOUCHEV_OPTIONS", "rot=90:dejitter=5");
        QVERIFY(plug_in(devicePath()));
        TouchscreenWatcher watcher(devicePath());
        QCOMPARE(watcher.pointerDeviceString(), devicePath() + QStringLiteral(":rot=90:dejitter=5"));
        QVERIFY(watcher.isResetTimerActive());
        QCOMPARE(watcher.resetInterval(), 120000);

        watcher.setResetInterval(100);
        QPointer<QObject> first = watcher.pointerDevice();
        QVERIFY(first);
        QTRY_VERIFY_WITH_TIMEOUT(!first, 10000);
        QVERIFY(watcher.pointerDevice());

        QSignalSpy changes(&watcher, &TouchscreenWatcher::touchscreenConnectedChanged);
        QVERIFY(unplug(devicePath()));
        QVERIFY(changes.wait(10000));
        QVERIFY(!watcher.isResetTimerActive());
        QTest::qWait(300);
        QCOMPARE(watcher.pointerDevice(), nullptr);
    }

    void resetTimerStaysOffByDefault()
    {
        QVERIFY(plug_in(devicePath()));
        TouchscreenWatcher watcher(devicePath());
        QVERIFY(!watcher.isResetEnabled());
        QVERIFY(!watcher.isResetTimerActive());
    }
};

QTEST_MAIN(TouchscreenWatcherTest)
#include "tst_touchscreenwatcher.moc"
