#pragma once

#include "accounting/ledger.h"
#include "accounting/sessionjournal.h"

#include <QMutex>

#include <QByteArray>
#include <QList>
#include <QString>

class CreditPacket;
class QXmlStreamWriter;
struct SessionBalance;

// Owns the ledger and keeps it on disk in two files, "accounting.xml" and
// its twin "accounting.xml.bak" in the application directory. Each file is
// replaced whole, so a power cut during a commit leaves both of them
// complete, holding the totals before or after it. The session journal
// lives in the same files: a step of a session and the booking it leads to
// reach the disk together. The journal is written from the credit reader's
// and the pool's threads too: every booking and commit holds one lock, and
// the read access is for the GUI thread.
class AccountingService
{
public:
    static const char* const LEDGER_FILE;
    static const char* const BACKUP_SUFFIX;

    // Loads the ledger: the main file, else the backup (which then replaces
    // the main file), else an empty ledger written at once.
    AccountingService();

    // Books a closed session into every period.
    void recordSessionBalance(const SessionBalance& balance);
    // Books one item of amount cents for each listed dispenser (0..17) into
    // every period; reaches the disk with the next commit.
    void recordItemDispensed(const QList<int>& dispensers, int amount);
    // Credit found on the board at start-up is money the machine kept.
    // A packet that could not be read books nothing.
    void registerInitialCredit(const CreditPacket& credit);
    // The period starts again now, empty. Callers commit afterwards. For the
    // audit file a partial reset is a read with reset; a permanent one starts
    // its readouts again.
    void reset(Ledger::Frequency frequency);
    // Starts a new log period once recorded, a copy of the log period taken
    // earlier, is safely kept elsewhere: what was booked after the copy was
    // taken stays in the new period. Callers commit afterwards.
    void closeLogPeriod(const Accounting& recorded);
    // Writes the ledger to both files, main file first; true when both hold
    // it. When the main file cannot be written the backup is written first.
    bool commit();

    SessionJournal journal() const;
    // Keeps the state of the open session, committed at once.
    void journalSession(const SessionJournal::OpenSession& session);
    // Books delivered items and the session's state after them in one commit.
    void bookItemsDispensed(const QList<int>& dispensers, int amount, const SessionJournal::OpenSession& session);
    // Books a closed session, ends its journal and notes the board's credit
    // as booked, in one commit.
    void bookClosedSession(const SessionBalance& balance, const SessionJournal::BoardCredit& boardCredit);
    // Notes the board's credit as booked (start-up), committed at once.
    void noteBoardCreditBooked(const SessionJournal::BoardCredit& boardCredit);
    // The board's credit is cleared: nothing of it is left to tell apart.
    void forgetBoardCredit();

    void toXml(QXmlStreamWriter& writer) const;
    const Ledger& ledger() const { return m_ledger; }
    const Accounting& get(Ledger::Frequency frequency) const { return m_ledger.get(frequency); }

    static void update(Accounting& accounting, const SessionBalance& balance, const QDateTime& now);

    static QString ledgerPath();
    static QString backupPath();

private:
    void load();
    QByteArray document() const;
    bool saveAccountingRedundantly(const QByteArray& document, const QString& first, const QString& second) const;
    bool commitLocked();

    mutable QMutex m_mutex;
    Ledger m_ledger;
    SessionJournal m_journal;
};
