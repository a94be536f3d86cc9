#include "vending/creditreaderactor.h"

#include "board/creditpacket.h"
#include "board/outputmask.h"
#include "board/rk710controller.h"
#include "core/vm24.h"
#include "vending/cardtransfer.h"
#include "vending/icreditaccount.h"

CreditReaderActor::CreditReaderActor(ICreditAccount* account, Rk710Controller* controller)
    : m_account(account)
    , m_controller(controller)
    , m_pollTimer(this)
{
    m_pollTimer.setSingleShot(true);
    m_pollTimer.setInterval(POLL_INTERVAL_MS / controller->pollSpeedup());
    connect(&m_pollTimer, &QTimer::timeout, this, &CreditReaderActor::readCredit);
}

void CreditReaderActor::execute()
{
    m_billValidatorEnabled = true;
    m_coinAcceptorEnabled = true;
    applyAcceptanceState();
    m_pollTimer.start();
}

void CreditReaderActor::readCredit()
{
    getCreditAndNotify();
    rechargeCashless();
    m_pollTimer.start();
}

void CreditReaderActor::getCreditAndNotify()
{
    const CreditPacket packet = m_controller->getCredit();
    if (!packet.isValid())
        return;
    const int credit = m_account->update(packet);
    const bool reached = credit >= m_maxAcceptedCredit;
    if (packet.method() == m_method && reached == m_limitReached)
        return;
    m_method = packet.method();
    m_limitReached = reached;
    applyAcceptanceState();
}

void CreditReaderActor::rechargeCashless()
{
    const int amount = m_account->getRechargableAmount();
    if (amount < 1)
        return;
    const int cardId = m_account->cardId();
    const int balance = m_account->cardBalance();
    m_account->beginRecharge(amount);
    const BoardResult<int> remainder = m_controller->rechargeCashless(amount);
    const CreditPacket after = m_controller->getCredit();
    CardTransfer transfer(CardTransfer::Recharge, amount, amount - qBound(0, remainder.value, amount),
                          !remainder.confirmed);
    transfer.readBalance(cardId, balance, after);
    m_account->notifyRechargeResult(transfer);
    if (after.isValid())
        m_account->update(after);
}

void CreditReaderActor::goToSleep()
{
    m_asleep = true;
    m_pollTimer.stop();
    disableMoneyAcceptance();
    VM24::thread_msleep(m_settleMs);
    const CreditPacket packet = m_controller->getCredit();
    if (packet.isValid())
        m_account->update(packet);
    rechargeCashless();
}

void CreditReaderActor::suspend()
{
    goToSleep();
    emit suspended();
}

void CreditReaderActor::stop()
{
    goToSleep();
    m_controller->setOutput(false, OutputMask::AcceptorLights);
    m_controller->setCreditEnable(false, false, false, false);
    // The board's credit is cleared by the checkout once the session is booked.
    emit stopped();
}

void CreditReaderActor::resume()
{
    m_asleep = false;
    applyAcceptanceState();
    readCredit();
}

void CreditReaderActor::acceptBanknotes()
{
    if (m_method != CreditPacket::Pos && !m_limitReached && !m_asleep)
        m_controller->setBanknoteAcceptance(true);
}

void CreditReaderActor::rejectBanknotes()
{
    if (m_method != CreditPacket::Pos && !m_asleep)
        m_controller->setBanknoteAcceptance(false);
}

void CreditReaderActor::applyAcceptanceState()
{
    switch (m_method) {
    case CreditPacket::None:
        m_controller->setOutput(true, OutputMask::AcceptorLights);
        m_controller->setCreditEnable(m_billValidatorEnabled, m_coinAcceptorEnabled, true, true);
        m_controller->setBanknoteAcceptance(true);
        break;
    case CreditPacket::Pos:
        m_controller->setOutput(false, OutputMask::CashAcceptorLights);
        m_controller->setOutput(true, OutputMask::PosLight);
        m_controller->setCreditEnable(false, false, true, false);
        break;
    default:
        if (m_limitReached) {
            disableMoneyAcceptance();
            break;
        }
        m_controller->setOutput(true, OutputMask::CashAcceptorLights);
        m_controller->setOutput(false, OutputMask::PosLight);
        m_controller->setCreditEnable(m_billValidatorEnabled, m_coinAcceptorEnabled, false, true);
        m_controller->setBanknoteAcceptance(true);
        break;
    }
}

void CreditReaderActor::disableMoneyAcceptance()
{
    const bool keep = m_method != CreditPacket::Pos;
    m_controller->setOutput(false, OutputMask::SleepLights);
    m_controller->setCreditEnable(keep, false, false, keep);
    if (keep)
        m_controller->setBanknoteAcceptance(false);
}
