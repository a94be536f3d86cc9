#pragma once

#include <QList>
#include <QObject>

class QSocketNotifier;

// Turns Unix signals (SIGTERM, SIGINT, ...) into a Qt signal delivered on the
// thread that owns the watcher, so the event loop can end normally and every
// destructor runs. The handler only writes the signal number into a pipe.
// One watcher per process.
class UnixSignalWatcher : public QObject
{
    Q_OBJECT

public:
    explicit UnixSignalWatcher(const QList<int>& signalNumbers, QObject* parent = nullptr);
    ~UnixSignalWatcher() override;

    bool isWatching() const { return m_notifier != nullptr; }

signals:
    void received(int signalNumber);

private:
    void readPendingSignals();

    QList<int> m_signalNumbers;
    QSocketNotifier* m_notifier = nullptr;
};
