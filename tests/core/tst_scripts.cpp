#include <QDir>
#include <QFile>
#include <QProcess>
#include <QtTest>

// The platform scripts are installed next to the program on the machine and
// only ever run there, through SystemActions. Here they are checked without
// being run: a script that does not parse would fail silently on the machine.
class ScriptsTest : public QObject
{
    Q_OBJECT

private:
    QDir m_scripts;

    static QByteArray check(const QString& program, const QStringList& arguments, int* exitCode)
    {
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, arguments);
        if (!process.waitForFinished(10000)) {
            *exitCode = -1;
            return QByteArrayLiteral("did not finish");
        }
        *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        return process.readAll();
    }

private slots:
    void initTestCase()
    {
        const QString path = QFINDTESTDATA("../../scripts");
        QVERIFY2(!path.isEmpty(), "scripts folder not found");
        m_scripts = QDir(path);
    }

    void platformScriptsAreThere()
    {
        for (const char* name : {"change_hostname.sh", "set_system_time.sh"}) {
            const QFileInfo script(m_scripts.filePath(QLatin1String(name)));
            QVERIFY2(script.exists(), name);
            QVERIFY2(script.isExecutable(), name);
        }
    }

    void everyShellScriptParses()
    {
        const QFileInfoList scripts = m_scripts.entryInfoList({QStringLiteral("*.sh")}, QDir::Files);
        QVERIFY(!scripts.isEmpty());
        for (const QFileInfo& script : scripts) {
            QFile file(script.filePath());
            QVERIFY(file.open(QIODevice::ReadOnly));
            QVERIFY2(file.readLine().startsWith("#!/bin/"), qPrintable(script.fileName()));

            int exitCode = 0;
            const QByteArray output = check(QStringLiteral("bash"), {QStringLiteral("-n"), script.filePath()}, &exitCode);
            QVERIFY2(exitCode == 0, qPrintable(script.fileName() + QLatin1String(": ") + QString::fromLocal8Bit(output)));
        }
    }

    void everyPythonScriptParses()
    {
        const QFileInfoList scripts = m_scripts.entryInfoList({QStringLiteral("*.py")}, QDir::Files);
        for (const QFileInfo& script : scripts) {
            int exitCode = 0;
            const QByteArray output = check(QStringLiteral("python3"),
                                            {QStringLiteral("-c"),
                                             QStringLiteral("import ast, sys; ast.parse(open(sys.argv[1]).read())"),
                                             script.filePath()},
                                            &exitCode);
            QVERIFY2(exitCode == 0, qPrintable(script.fileName() + QLatin1String(": ") + QString::fromLocal8Bit(output)));
        }
    }
};

QTEST_GUILESS_MAIN(ScriptsTest)
#include "tst_scripts.moc"
