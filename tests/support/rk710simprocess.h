#pragma once

#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// The board simulator (build/bin/rk710-sim) run for one test: its serial
// device link, control socket, receipt log and request log live in a private
// temporary directory, and the process ends with the object.
class Rk710SimProcess
{
public:
    explicit Rk710SimProcess(const QJsonObject& startState = QJsonObject(),
                             const QStringList& extraArguments = QStringList());
    ~Rk710SimProcess();
    Rk710SimProcess(const Rk710SimProcess&) = delete;
    Rk710SimProcess& operator=(const Rk710SimProcess&) = delete;

    // Starts the simulator and waits until it has named its device.
    bool start();
    // What went wrong in start(). The simulator's own messages go to the
    // test's error output.
    QString errorString() const { return m_error; }

    QString devicePath() const { return m_dir.filePath(QStringLiteral("ttyRK710")); }
    QString controlPath() const { return m_dir.filePath(QStringLiteral("control.sock")); }
    QString receiptLogPath() const { return m_dir.filePath(QStringLiteral("receipts.txt")); }
    QString requestLogPath() const { return m_dir.filePath(QStringLiteral("requests.log")); }
    QString directory() const { return m_dir.path(); }

    // Sends one control command and returns the answer line without its end
    // ("ok ..." or "error ..."); empty when the simulator did not answer.
    QString control(const QString& command) const;
    // The whole machine state, from the "state" command.
    QJsonObject state() const;

    static QString programPath();

private:
    QTemporaryDir m_dir;
    QJsonObject m_startState;
    QStringList m_extraArguments;
    QProcess m_process;
    QString m_error;
};
