#pragma once

#include "settings/iconfigurable.h"
#include "tasks/dailyjob.h"

#include <QObject>
#include <QString>

class AccountingService;
class ProductProvider;
class QThreadPool;
class Rk710Controller;

// Once a day: writes the day's totals and the board's daily counters to a
// machine-state file in the output directory for the remote reports, then
// starts a new log period in the ledger and a new day on the board. Both
// start again only once the file is on disk: a record that cannot be
// written leaves the day's figures where they are, for the next run.
class MachineStateRecorder : public DailyJob, public IConfigurable
{
public:
    MachineStateRecorder(AccountingService* accounting, ProductProvider* products, Rk710Controller* controller,
                         const QString& directory, QThreadPool* pool = nullptr);

    void loadConfiguration(const Settings& settings) override;
    void run() override;

    int serial() const { return m_serial; }

private:
    AccountingService* m_accounting;
    ProductProvider* m_products;
    Rk710Controller* m_controller;
    QString m_directory;
    QThreadPool* m_pool;
    int m_serial = 0;
    // Brings the news that the record is on disk back to the thread of the ledger.
    QObject m_receiver;
};
