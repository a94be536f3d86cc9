#include "accounting/accountingservice.h"

#include "accounting/accountinglog.h"
#include "accounting/evadtsreadouts.h"
#include "accounting/sessionbalance.h"
#include "board/creditpacket.h"
#include "core/durablefile.h"
#include "core/vm24.h"
#include "core/xmldocument.h"

#include <QDebug>
#include <QFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {

// The files keep whole seconds; so does the ledger in memory.
QDateTime now()
{
    const QDateTime t = QDateTime::currentDateTime();
    return t.addMSecs(-t.time().msec());
}

bool read_ledger(const QByteArray& data, Ledger* ledger)
{
    QXmlStreamReader reader(data);
    Ledger read;
    if (!read.fromXml(reader))
        return false;
    *ledger = read;
    return true;
}

QByteArray read_file(const QString& path, bool* opened)
{
    QFile file(path);
    *opened = file.open(QIODevice::ReadOnly);
    return *opened ? file.readAll() : QByteArray();
}

// Keeps a ledger file that cannot be read next to it instead of writing
// over the only trace of the machine's money.
void set_aside_unreadable(const QString& path)
{
    if (!QFile::exists(path))
        return;
    const QString kept = path + QStringLiteral(".unreadable-") + VM24::format_rk_date(now());
    if (QFile::rename(path, kept))
        qCWarning(accountingLog) << "Unreadable ledger file kept as" << kept;
}

} // namespace

const char* const AccountingService::LEDGER_FILE = "accounting.xml";
const char* const AccountingService::BACKUP_SUFFIX = ".bak";

AccountingService::AccountingService()
{
    load();
}

QString AccountingService::ledgerPath()
{
    return VM24::get_path(QLatin1String(LEDGER_FILE));
}

QString AccountingService::backupPath()
{
    return ledgerPath() + QLatin1String(BACKUP_SUFFIX);
}

void AccountingService::load()
{
    // Left by a commit that was cut short.
    VM24::remove_durable_write_temporaries(ledgerPath());
    VM24::remove_durable_write_temporaries(backupPath());
    bool opened = false;
    const QByteArray main = read_file(ledgerPath(), &opened);
    if (opened && read_ledger(main, &m_ledger)) {
        m_journal = SessionJournal::fromDocument(main);
        // A commit cut short leaves the backup one session behind.
        if (read_file(backupPath(), &opened) != main)
            VM24::write_file_durably(backupPath(), main);
    } else {
        const QByteArray backup = read_file(backupPath(), &opened);
        if (opened && read_ledger(backup, &m_ledger)) {
            m_journal = SessionJournal::fromDocument(backup);
            VM24::write_file_durably(ledgerPath(), backup);
        } else {
            set_aside_unreadable(ledgerPath());
            set_aside_unreadable(backupPath());
            commit();
        }
    }
    for (Ledger::Frequency frequency : Ledger::FREQUENCIES) {
        Accounting& accounting = m_ledger.get(frequency);
        if (!accounting.creationDate().isValid())
            accounting.setCreationDate(now());
    }
}

void AccountingService::update(Accounting& accounting, const SessionBalance& balance, const QDateTime& now)
{
    accounting.add(Accounting::Banknotes, balance.banknotes);
    accounting.add(Accounting::Coins, balance.coins);
    accounting.add(Accounting::Recharges, balance.recharges);
    accounting.add(Accounting::CashIncome, balance.cashIncome);
    accounting.add(Accounting::CashlessIncome, balance.cashlessIncome);
    accounting.add(Accounting::PosIncome, balance.posIncome);
    accounting.add(Accounting::ChangeDelivered, balance.changeDelivered);
    accounting.add(Accounting::ExtraIncome, balance.extraCredit);
    accounting.add(Accounting::CoinBox, balance.coinBox);
    accounting.add(Accounting::RechargeCount, balance.rechargeCount);
    accounting.add(Accounting::ChangeCount, balance.changeCount);
    accounting.setLastUpdate(now);
}

void AccountingService::recordSessionBalance(const SessionBalance& balance)
{
    QMutexLocker locker(&m_mutex);
    const QDateTime t = now();
    for (Ledger::Frequency frequency : Ledger::FREQUENCIES)
        update(m_ledger.get(frequency), balance, t);
}

void AccountingService::recordItemDispensed(const QList<int>& dispensers, int amount)
{
    QMutexLocker locker(&m_mutex);
    m_ledger.recordItemDispensedCount(dispensers, amount);
}

void AccountingService::registerInitialCredit(const CreditPacket& credit)
{
    QMutexLocker locker(&m_mutex);
    if (!credit.isValid())
        return;
    for (Ledger::Frequency frequency : Ledger::FREQUENCIES) {
        Accounting& accounting = m_ledger.get(frequency);
        accounting.add(Accounting::Banknotes, credit.bill);
        accounting.add(Accounting::Coins, credit.coins);
        accounting.add(Accounting::ExtraIncome, qint64(credit.bill) + credit.coins);
        accounting.add(Accounting::CoinBox, credit.coinBox);
    }
}

void AccountingService::reset(Ledger::Frequency frequency)
{
    QMutexLocker locker(&m_mutex);
    m_ledger.reset(frequency, now());
    if (frequency == Ledger::Partial)
        EvaDtsReadouts::countReset();
    else if (frequency == Ledger::Permanent)
        EvaDtsReadouts::clear();
}

void AccountingService::closeLogPeriod(const Accounting& recorded)
{
    QMutexLocker locker(&m_mutex);
    Accounting later = m_ledger.get(Ledger::Log);
    const QDateTime lastBooking = later.lastUpdate();
    later.subtract(recorded);
    m_ledger.reset(Ledger::Log, now());
    Accounting& period = m_ledger.get(Ledger::Log);
    later.setCreationDate(period.creationDate());
    later.setLastUpdate(period.lastUpdate());
    if (later == period)
        return;
    later.setLastUpdate(lastBooking);
    period = later;
}

void AccountingService::toXml(QXmlStreamWriter& writer) const
{
    m_ledger.toXml(writer);
}

QByteArray AccountingService::document() const
{
    return VM24::XmlDocument::build([this](QXmlStreamWriter& writer) {
        m_ledger.toXml(writer, [this](QXmlStreamWriter& w) { m_journal.toXml(w); });
    });
}

bool AccountingService::commit()
{
    QMutexLocker locker(&m_mutex);
    return commitLocked();
}

SessionJournal AccountingService::journal() const
{
    QMutexLocker locker(&m_mutex);
    return m_journal;
}

void AccountingService::journalSession(const SessionJournal::OpenSession& session)
{
    QMutexLocker locker(&m_mutex);
    m_journal.session = session;
    m_journal.session.open = true;
    commitLocked();
}

void AccountingService::bookItemsDispensed(const QList<int>& dispensers, int amount,
                                           const SessionJournal::OpenSession& session)
{
    QMutexLocker locker(&m_mutex);
    m_ledger.recordItemDispensedCount(dispensers, amount);
    m_journal.session = session;
    m_journal.session.open = true;
    commitLocked();
}

void AccountingService::bookClosedSession(const SessionBalance& balance,
                                          const SessionJournal::BoardCredit& boardCredit)
{
    QMutexLocker locker(&m_mutex);
    const QDateTime t = now();
    for (Ledger::Frequency frequency : Ledger::FREQUENCIES)
        update(m_ledger.get(frequency), balance, t);
    m_journal.session = SessionJournal::OpenSession();
    m_journal.boardCredit = boardCredit;
    m_journal.boardCredit.booked = true;
    commitLocked();
}

void AccountingService::noteBoardCreditBooked(const SessionJournal::BoardCredit& boardCredit)
{
    QMutexLocker locker(&m_mutex);
    m_journal.boardCredit = boardCredit;
    m_journal.boardCredit.booked = true;
    commitLocked();
}

void AccountingService::forgetBoardCredit()
{
    QMutexLocker locker(&m_mutex);
    if (!m_journal.boardCredit.booked)
        return;
    m_journal.boardCredit = SessionJournal::BoardCredit();
    commitLocked();
}

bool AccountingService::commitLocked()
{
    const QByteArray data = document();
    if (saveAccountingRedundantly(data, ledgerPath(), backupPath()))
        return true;
    return saveAccountingRedundantly(data, backupPath(), ledgerPath());
}

bool AccountingService::saveAccountingRedundantly(const QByteArray& document, const QString& first,
                                                  const QString& second) const
{
    return VM24::write_file_durably(first, document) && VM24::write_file_durably(second, document);
}
