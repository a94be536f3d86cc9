#include "builtprogram.h"
#include "core/version.h"
#include "rk710simprocess.h"
#include "simulatorlinklog.h"
#include "testenvironment.h"

#include <QDir>
#include <QElapsedTimer>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <signal.h>
#include <unistd.h>

// Starts the built program the way the machine does (with Qt's offscreen
// platform here) and checks that it comes up and ends cleanly on a signal.
class ProgramTest : public QObject
{
    Q_OBJECT

private:
    static QString programPath()
    {
        return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../bin/vm24"));
    }

    static void startProgram(QProcess& process, const QTemporaryDir& appDir, const QString& serialDevice = QString(),
                             const QString& stateDir = QString())
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("VM24_APP_DIR"), stateDir.isEmpty() ? appDir.path() : stateDir);
        environment.insert(QStringLiteral("VM24_SYSTEM_ACTIONS_RECORD"), appDir.filePath(QStringLiteral("actions.log")));
        environment.insert(QStringLiteral("VM24_SERIAL_DEVICE"),
                           serialDevice.isEmpty() ? appDir.filePath(QStringLiteral("no-board")) : serialDevice);
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::MergedChannels);
        BuiltProgram::start(process, programPath(), QStringList());
    }

    static bool waitForOutput(QProcess& process, QByteArray& output, const QByteArray& wanted)
    {
        if (!process.waitForStarted())
            return false;
        QElapsedTimer elapsed;
        elapsed.start();
        while (elapsed.elapsed() < 20000 && process.state() == QProcess::Running) {
            process.waitForReadyRead(200);
            output += process.readAll();
            if (output.contains(wanted))
                return true;
        }
        return false;
    }

    static bool waitUntilRunning(QProcess& process, QByteArray& output)
    {
        return waitForOutput(process, output, QByteArray("VM24 ") + VM24::APPLICATION_VERSION + " running");
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(QFileInfo::exists(programPath()), qPrintable(programPath()));
    }

    void endsWithExitCodeZeroOnSignal_data()
    {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGINT") << int(SIGINT);
    }
    void endsWithExitCodeZeroOnSignal()
    {
        QFETCH(int, signalNumber);
        QTemporaryDir appDir;
        QProcess program;
        startProgram(program, appDir);

        QByteArray output;
        QVERIFY2(waitUntilRunning(program, output), output.constData());
        // It keeps running until told to stop.
        QVERIFY(!program.waitForFinished(500));

        ::kill(static_cast<pid_t>(program.processId()), signalNumber);
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        // Without a board there is no clock to follow: nothing was done to the machine.
        QVERIFY(!QFileInfo::exists(appDir.filePath(QStringLiteral("actions.log"))));
    }

    // A board that holds a serial number of its own names the machine: the
    // program, not the board layer, asks for the new host name.
    void boardSerialNamesTheMachine()
    {
        Rk710SimProcess sim(QJsonObject{{"serial", 4321}});
        QVERIFY2(sim.start(), qPrintable(sim.errorString()));
        QTemporaryDir appDir;
        QProcess program;
        startProgram(program, appDir, sim.devicePath());
        QByteArray output;
        QVERIFY2(waitUntilRunning(program, output), output.constData());
        ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitCode(), 0);

        QFile log(appDir.filePath(QStringLiteral("actions.log")));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QStringList renames;
        for (const QByteArray& line : log.readAll().split('\n')) {
            const QStringList fields = QString::fromUtf8(line).split(QLatin1Char('\t'));
            if (fields.first().endsWith(QLatin1String("/change_hostname.sh")))
                renames.append(fields.mid(1).join(QLatin1Char(' ')));
        }
        QCOMPARE(renames, QStringList{QStringLiteral("vm24_04321")});
    }

    // On a silent line the board's start-up exchange waits about 16 s
    // before giving up; a stop that comes meanwhile ends the program at once.
    void stopDuringTheStartUpExchangeEndsAtOnce()
    {
        Rk710SimProcess sim;
        QVERIFY2(sim.start(), qPrintable(sim.errorString()));
        QVERIFY(sim.control(QStringLiteral("fault silence on")).startsWith(QLatin1String("ok")));
        QTemporaryDir appDir;
        QProcess program;
        startProgram(program, appDir, sim.devicePath());
        QVERIFY(program.waitForStarted());
        auto requestsSeen = [&] {
            QFile log(sim.requestLogPath());
            return log.open(QIODevice::ReadOnly) && log.readAll().count("# silent") >= 2;
        };
        QTRY_VERIFY_WITH_TIMEOUT(requestsSeen(), 20000);

        QElapsedTimer untilExit;
        untilExit.start();
        ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
        QVERIFY2(program.waitForFinished(10000), "the stop was lost");
        const qint64 ms = untilExit.elapsed();
        qInfo("SIGTERM to exit in the board's start-up exchange: %lld ms", ms);
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        QVERIFY2(ms < 8000, qPrintable(QString::number(ms)));
    }

    // A state directory that cannot be written: no word to the board, no
    // exit (the service would only start the program again and again), and
    // a restart into a normal start once the directory takes files.
    void unwritableStateDirectoryWaitsWithoutTheBoard_data()
    {
        QTest::addColumn<bool>("underAFile");
        // Root writes anywhere: a directory under a regular file stops it too.
        QTest::newRow("under a regular file") << true;
        QTest::newRow("read-only directory") << false;
    }
    void unwritableStateDirectoryWaitsWithoutTheBoard()
    {
        QFETCH(bool, underAFile);
        if (!underAFile && ::geteuid() == 0)
            QSKIP("root writes into a read-only directory");
        Rk710SimProcess sim;
        QVERIFY2(sim.start(), qPrintable(sim.errorString()));
        QTemporaryDir appDir;
        const QString blocker = appDir.filePath(QStringLiteral("blocked"));
        const QString stateDir = underAFile ? blocker + QStringLiteral("/state") : blocker;
        if (underAFile)
            QVERIFY(QFile(blocker).open(QIODevice::WriteOnly));
        else
            QVERIFY(QDir().mkdir(blocker) && QFile::setPermissions(blocker, QFile::ReadOwner | QFile::ExeOwner));

        QProcess program;
        startProgram(program, appDir, sim.devicePath(), stateDir);
        QByteArray output;
        QVERIFY2(waitForOutput(program, output, "cannot be written: sales suspended"), output.constData());
        QVERIFY2(!program.waitForFinished(4000), output.constData());
        output += program.readAll();
        QVERIFY2(!output.contains(" running"), output.constData());
        QVERIFY(read_simulator_link_log(sim.requestLogPath()).isEmpty());

        if (underAFile)
            QVERIFY(QFile::remove(blocker));
        else
            QVERIFY(QFile::setPermissions(blocker, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        // It looks again every 10 s.
        QVERIFY2(program.waitForFinished(30000), output.constData());
        output += program.readAll();
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        QVERIFY2(output.contains("can be written again: restarting"), output.constData());
        QVERIFY(read_simulator_link_log(sim.requestLogPath()).isEmpty());

        // Started again, as the service does, it comes up and talks to the board.
        QProcess again;
        startProgram(again, appDir, sim.devicePath(), stateDir);
        output.clear();
        QVERIFY2(waitUntilRunning(again, output), output.constData());
        QVERIFY(!read_simulator_link_log(sim.requestLogPath()).isEmpty());
        ::kill(static_cast<pid_t>(again.processId()), SIGTERM);
        QVERIFY(again.waitForFinished(10000));
        QCOMPARE(again.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(ProgramTest)
#include "tst_program.moc"
