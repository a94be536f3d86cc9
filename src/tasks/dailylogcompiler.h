#pragma once

#include "core/iconfigurable.h"
#include "tasks/dailyjob.h"

#include <QString>

class ProductProvider;
class QThreadPool;

// Once a day (at "Schedule/log-compilation"): writes the telemetry log of
// the last day's event-log rows to "VM24Log_<serial>_<yyyyMMdd_hhmmss>.xml"
// in its directory ("drafts"), on a worker thread. The file appears under
// that name only once it is complete and on the storage medium.
class DailyLogCompiler : public DailyJob, public IConfigurable
{
public:
    DailyLogCompiler(const QString& directory, ProductProvider* products, QThreadPool* pool = nullptr);

    void loadConfiguration(QSettings& settings) override;
    void run() override;

    int serial() const { return m_serial; }
    QString directory() const { return m_directory; }

private:
    QString m_directory;
    ProductProvider* m_products;
    QThreadPool* m_pool;
    int m_serial = 0;
};
