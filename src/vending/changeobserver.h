#pragma once

#include "logging/notificationservice.h"
#include "settings/iconfigurable.h"

#include <QObject>

// Tells from the board's device status whether change can be paid now and
// up to which amount ("max-change"), and reports change hoppers that run
// empty or are filled again.
class ChangeObserver : public QObject, public IConfigurable
{
    Q_OBJECT

public:
    explicit ChangeObserver(VM24::NotificationService* notifications, QObject* parent = nullptr);

    void loadConfiguration(const Settings& settings) override;

    bool isAvailable() const { return m_available; }
    int maxChange() const { return m_maxChange; }

public slots:
    void setDeviceStatus(qint32 status);

signals:
    void availableChanged(bool available);
    void maxChangeChanged(int maxChange);

private:
    void updateAvailability();
    void reportHopper(int hopper, bool hadCoins, bool hasCoins);

    VM24::NotificationService* m_notifications;
    int m_maxChange = 0;
    bool m_available = false;
    bool m_hopper1Coins = false;
    bool m_hopper2Coins = false;
    bool m_coinChanger = false;
    bool m_canGiveChange = false;
    bool m_hopper1Valued = false;
    bool m_hopper2Valued = false;
};
