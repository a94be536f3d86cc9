#include "vending/changeobserver.h"

#include "board/boardstatus.h"
#include "core/settingskeys.h"
#include "logging/emptyhoppernotification.h"

#include <QSettings>

ChangeObserver::ChangeObserver(VM24::NotificationService* notifications, QObject* parent)
    : QObject(parent)
    , m_notifications(notifications)
{
}

void ChangeObserver::loadConfiguration(QSettings& settings)
{
    m_hopper1Valued = settings.value(QLatin1String(VM24::Keys::HOPPER_VALUES[0]), 0).toInt() > 0;
    m_hopper2Valued = settings.value(QLatin1String(VM24::Keys::HOPPER_VALUES[1]), 0).toInt() > 0;
    m_maxChange = settings.value(QLatin1String(VM24::Keys::MAX_CHANGE), VM24::Keys::DEFAULT_MAX_CHANGE).toInt();
    emit maxChangeChanged(m_maxChange);
    updateAvailability();
}

void ChangeObserver::setDeviceStatus(qint32 status)
{
    const bool hopper1Coins = status & BoardStatus::Hopper1Coins;
    const bool hopper2Coins = status & BoardStatus::Hopper2Coins;
    reportHopper(0, m_hopper1Coins, hopper1Coins);
    reportHopper(1, m_hopper2Coins, hopper2Coins);
    m_hopper1Coins = hopper1Coins;
    m_hopper2Coins = hopper2Coins;
    m_coinChanger = status & BoardStatus::CoinChanger;
    m_canGiveChange = status & BoardStatus::CanGiveChange;
    updateAvailability();
}

void ChangeObserver::reportHopper(int hopper, bool hadCoins, bool hasCoins)
{
    if (hadCoins != hasCoins && m_notifications)
        m_notifications->notify(std::make_unique<VM24::EmptyHopperNotification>(hopper, hasCoins));
}

void ChangeObserver::updateAvailability()
{
    const bool available = m_maxChange >= 1
        && ((m_hopper1Coins && m_hopper1Valued) || (m_hopper2Coins && m_hopper2Valued)
            || (m_coinChanger && m_canGiveChange));
    if (available == m_available)
        return;
    m_available = available;
    emit availableChanged(available);
}
