#include "tasks/machinestaterecorder.h"

#include "accounting/accountingservice.h"
#include "catalogue/productids.h"
#include "catalogue/productprovider.h"
#include "core/vm24.h"
#include "settings/settings.h"
#include "tasks/savemachinestatetask.h"

#include <QThreadPool>
#include <QtConcurrentRun>

MachineStateRecorder::MachineStateRecorder(AccountingService* accounting, ProductProvider* products,
                                           Rk710Controller* controller, const QString& directory,
                                           QThreadPool* pool)
    : m_accounting(accounting)
    , m_products(products)
    , m_controller(controller)
    , m_directory(directory)
    , m_pool(pool ? pool : QThreadPool::globalInstance())
{
}

void MachineStateRecorder::loadConfiguration(const Settings& settings)
{
    m_serial = settings.value(Settings::Serial);
    // A changed time takes effect for the next run at once.
    setDailyStart(settings.value(Settings::RecordMachineStateTime));
}

void MachineStateRecorder::run()
{
    QStringList names;
    for (int selection = 0; selection < VM24::NUMBER_OF_SELECTIONS; ++selection)
        names.append(m_products->getProductAtLocation(selection).name());
    const Accounting day = m_accounting->get(Ledger::Log);
    SaveMachineStateTask task(day, names, m_controller, m_directory, m_serial);
    AccountingService* accounting = m_accounting;
    QtConcurrent::run(m_pool, [task] { return task.run(); }).then(&m_receiver, [accounting, day](bool recorded) {
        if (!recorded)
            return;
        accounting->closeLogPeriod(day);
        accounting->commit();
    });
}
