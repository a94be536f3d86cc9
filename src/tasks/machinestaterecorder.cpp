#include "tasks/machinestaterecorder.h"

#include "accounting/accountingservice.h"
#include "catalogue/productids.h"
#include "catalogue/productprovider.h"
#include "core/vm24.h"
#include "settings/settings.h"
#include "tasks/savemachinestatetask.h"

#include <QThreadPool>

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
    AccountingService* accounting = m_accounting;
    QObject* receiver = &m_receiver;
    auto recorded = [receiver, accounting, day] {
        QMetaObject::invokeMethod(
            receiver,
            [accounting, day] {
                accounting->closeLogPeriod(day);
                accounting->commit();
            },
            Qt::QueuedConnection);
    };
    m_pool->start(new SaveMachineStateTask(day, names, m_controller, m_directory, m_serial, recorded));
}
