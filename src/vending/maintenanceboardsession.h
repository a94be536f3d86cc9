#pragma once

#include <QFuture>
#include <QObject>

class FanControl;
class Rk710Controller;

// The board as the peripheral monitor needs it, and back. begin() takes the
// fans out of automatic control and readies the board for tests: credit
// cleared, every credit reader and banknotes accepted, lights and outputs
// off, the door locked; the hopper coin values are read. end() puts the
// machine back as it stands between purchases and gives the fans back to
// their control. A board that did not take all of end() (it had stopped
// answering) is set back again as soon as it is there again.
class MaintenanceBoardSession : public QObject
{
    Q_OBJECT
public:
    MaintenanceBoardSession(Rk710Controller* controller, FanControl* fanControl, QObject* parent = nullptr);

    void begin();
    // The future's result: whether the board took every request.
    QFuture<bool> end();
    bool isRestorePending() const { return m_restorePending; }

signals:
    // Coin values of hoppers 1 and 2 in cents; -1 when not read.
    void hopperValuesRead(int hopper1, int hopper2);
    // The machine stands as between purchases again (at end(), or later).
    void restored();

private slots:
    void onBoardStatus(bool alive);
    void onRestoreFinished(bool ok);

private:
    QFuture<bool> startRestore();

    Rk710Controller* m_controller;
    FanControl* m_fanControl;
    QFuture<bool> m_restore;
    bool m_active = false;
    bool m_restorePending = false;
};
