#pragma once

#include "settings/iconfigurable.h"
#include "tasks/dailyjob.h"

#include <QString>

class AccountingService;
class ProductProvider;
class Rk710Controller;
class QThreadPool;

// Once a day (at "Schedule/log-compilation"): writes the telemetry log of
// the last day's event-log rows to "VM24Log_<serial>_<yyyyMMdd_hhmmss>.xml"
// in its directory ("drafts"), on a worker thread. The file appears under
// that name only once it is complete and on the storage medium. Given the
// books, the audit file "EVADTS_<serial>_<yyyyMMdd>.txt" goes with it while
// "evadts-daily-file" is on (by default on when an FTP server is set).
class DailyLogCompiler : public DailyJob, public IConfigurable
{
public:
    DailyLogCompiler(const QString& directory, ProductProvider* products, QThreadPool* pool = nullptr);

    void setAuditSources(AccountingService* accounting, Rk710Controller* controller);
    bool auditFileEnabled() const { return m_auditFile; }

    void loadConfiguration(const Settings& settings) override;
    void run() override;

    int serial() const { return m_serial; }
    QString directory() const { return m_directory; }

private:
    QString m_directory;
    ProductProvider* m_products;
    QThreadPool* m_pool;
    int m_serial = 0;
    AccountingService* m_accounting = nullptr;
    Rk710Controller* m_controller = nullptr;
    bool m_auditFile = false;
};
