#include "accounting/accountingservice.h"
#include "builtprogram.h"
#include "core/durablefile.h"
#include "testenvironment.h"
#include "unitbalance.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <QXmlStreamReader>
#include <QtTest>

#include <algorithm>

namespace {

const int KILLS = 300;

// True when every total of the period is what `rounds` rounds of the
// committer (starting from an empty ledger) leave behind.
bool holds_rounds(const Accounting& accounting, qint64 rounds)
{
    const SessionBalance unit = unit_balance();
    const qint64 expected[Accounting::SelectorCount] = {
        unit.banknotes, unit.coins, unit.recharges, unit.cashIncome, unit.cashlessIncome,
        unit.posIncome, unit.changeDelivered, unit.extraCredit, unit.coinBox};
    for (int s = 0; s < Accounting::SelectorCount; ++s) {
        if (accounting.get(Accounting::Selector(s)) != rounds * expected[s])
            return false;
    }
    if (accounting.get(Accounting::RechargeCount) != rounds * unit.rechargeCount
        || accounting.get(Accounting::ChangeCount) != rounds * unit.changeCount)
        return false;
    int items[Accounting::DISPENSER_COUNT] = {};
    for (qint64 round = 1; round <= rounds; ++round)
        ++items[round % Accounting::DISPENSER_COUNT];
    for (int d = 0; d < Accounting::DISPENSER_COUNT; ++d) {
        if (accounting.dispensedCount(d) != items[d]
            || accounting.dispensedAmount(d) != qint64(items[d]) * UNIT_ITEM_PRICE)
            return false;
    }
    return true;
}

// The rounds a ledger holds in all three periods alike, or -1 for a ledger
// that is no committed state at all.
qint64 rounds_of(const Ledger& ledger)
{
    const qint64 rounds = ledger.get(Ledger::Permanent).get(Accounting::Banknotes) / unit_balance().banknotes;
    for (Ledger::Frequency frequency : Ledger::FREQUENCIES) {
        if (!holds_rounds(ledger.get(frequency), rounds))
            return -1;
    }
    return rounds;
}

// The rounds the file holds; -1 when it cannot be read or mixes states.
qint64 rounds_in_file(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    QXmlStreamReader reader(&file);
    Ledger ledger;
    return ledger.fromXml(reader) ? rounds_of(ledger) : -1;
}

// The last round the committer reported as committed.
qint64 last_reported_round(const QByteArray& output)
{
    qint64 last = -1;
    const QList<QByteArray> lines = output.split('\n');
    // The part after the last line feed may be cut short.
    for (int i = 0; i + 1 < lines.size(); ++i) {
        const QByteArray line = lines.at(i).startsWith("ready ") ? lines.at(i).mid(6) : lines.at(i);
        bool ok = false;
        const qint64 round = line.toLongLong(&ok);
        if (ok)
            last = round;
    }
    return last;
}

} // namespace

class TestLedgerPowerCut : public QObject
{
    Q_OBJECT

private slots:
    void killDuringCommitsLeavesOldOrNewTotals();
};

void TestLedgerPowerCut::killDuringCommitsLeavesOldOrNewTotals()
{
    TestEnvironment::ScopedAppDir dir;
    const qint64 seedRounds = 3;
    {
        AccountingService service;
        for (qint64 round = 1; round <= seedRounds; ++round) {
            service.recordSessionBalance(unit_balance());
            service.recordItemDispensed({int(round % Accounting::DISPENSER_COUNT)}, UNIT_ITEM_PRICE);
            QVERIFY(service.commit());
        }
    }
    QCOMPARE(rounds_in_file(AccountingService::ledgerPath()), seedRounds);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("VM24_APP_DIR"), dir.path());
    int midCommit = 0;
    qint64 previousRounds = seedRounds;
    for (int kill = 0; kill < KILLS; ++kill) {
        QProcess committer;
        committer.setProcessEnvironment(environment);
        BuiltProgram::start(committer, QStringLiteral(LEDGER_COMMITTER), QStringList());
        QVERIFY2(committer.waitForStarted(), qPrintable(committer.errorString()));
        QVERIFY(committer.waitForReadyRead(10000));
        QThread::usleep(QRandomGenerator::global()->bounded(20000));
        committer.kill();
        QVERIFY(committer.waitForFinished(10000));
        const qint64 reported = last_reported_round(committer.readAllStandardOutput());
        QVERIFY2(reported >= previousRounds, qPrintable(QStringLiteral("kill %1").arg(kill)));

        const qint64 inMain = rounds_in_file(AccountingService::ledgerPath());
        const qint64 inBackup = rounds_in_file(AccountingService::backupPath());
        QVERIFY2((inMain == reported || inMain == reported + 1) && (inBackup == reported || inBackup == reported + 1),
                 qPrintable(QStringLiteral("kill %1: reported %2, main %3, backup %4")
                                .arg(kill).arg(reported).arg(inMain).arg(inBackup)));
        const QStringList names = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
        const bool writing = std::any_of(names.cbegin(), names.cend(), VM24::is_durable_write_temporary);
        if (writing || inMain != inBackup || inMain != reported)
            ++midCommit;

        AccountingService reloaded;
        const qint64 loaded = rounds_of(reloaded.ledger());
        QCOMPARE(loaded, inMain);
        previousRounds = loaded;
    }
    qInfo("%d of %d kills landed inside a commit; the ledger reached round %lld", midCommit, KILLS,
          previousRounds);
    QVERIFY2(midCommit >= KILLS / 10, "too few kills hit a commit to show anything");
}

QTEST_GUILESS_MAIN(TestLedgerPowerCut)
#include "tst_ledgerpowercut.moc"
