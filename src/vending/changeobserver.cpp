#include "vending/changeobserver.h"

#include "board/boardstatus.h"
#include "logging/emptyhoppernotification.h"
#include "settings/settings.h"

ChangeObserver::ChangeObserver(VM24::NotificationService* notifications, QObject* parent)
    : QObject(parent)
    , m_notifications(notifications)
{
}

void ChangeObserver::loadConfiguration(const Settings& settings)
{
    m_hopper1Valued = settings.value(Settings::HopperValue1) > 0;
    m_hopper2Valued = settings.value(Settings::HopperValue2) > 0;
    m_maxChange = settings.value(Settings::MaxChange);
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
