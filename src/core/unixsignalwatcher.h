#pragma once

#include <QList>
#include <QObject>

#include <atomic>

class QSocketNotifier;

// Turns Unix signals (SIGTERM, SIGINT, ...) into a Qt signal delivered on the
// thread that owns the watcher, so the event loop can end normally and every
// destructor runs. The handler only writes the signal number into a pipe.
// One watcher per process.
//
// The handler also raises a flag at once. Before the event loop runs, a
// received() signal would reach nobody able to end the program (quitting
// does nothing until the loop runs), so start-up checks hasReceived()
// between its steps, and a long step may poll receivedFlag() to give up.
class UnixSignalWatcher : public QObject
{
    Q_OBJECT

public:
    explicit UnixSignalWatcher(const QList<int>& signalNumbers, QObject* parent = nullptr);
    ~UnixSignalWatcher() override;

    bool isWatching() const { return m_notifier != nullptr; }
    // Whether one of the watched signals arrived since the watcher was made.
    bool hasReceived() const;
    // The same as a flag that may be read from any thread at any time.
    static const std::atomic<bool>& receivedFlag();

signals:
    void received(int signalNumber);

private:
    void readPendingSignals();

    QList<int> m_signalNumbers;
    QSocketNotifier* m_notifier = nullptr;
};
