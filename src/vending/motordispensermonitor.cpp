#include "vending/motordispensermonitor.h"

#include "catalogue/productprovider.h"
#include "core/defaults.h"
#include "core/durablefile.h"
#include "core/vm24.h"
#include "logging/motordispensererrornotification.h"
#include "logging/productsoldoutnotification.h"
#include "logging/warningnotification.h"
#include "settings/settings.h"
#include "vending/alarmmanager.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

MotorDispenserMonitor::MotorDispenserMonitor(AlarmManager* alarmManager, ProductProvider* productProvider,
                                             VM24::NotificationService* notificationService, QObject* parent)
    : QObject(parent)
    , m_states(MOTOR_COUNT)
    , m_alarmManager(alarmManager)
    , m_productProvider(productProvider)
    , m_notificationService(notificationService)
{
    qRegisterMetaType<MotorDispenserMonitor::MotorState>();
    for (int i = 0; i < MOTOR_COUNT; ++i)
        m_states[i].selection = quint8(i);
    loadErrors();
}

QString MotorDispenserMonitor::errorsFilePath()
{
    return QDir(VM24::get_path(QLatin1String(VM24::Defaults::General::DATA_DIR))).filePath(QLatin1String(ERRORS_FILE));
}

const MotorDispenserMonitor::MotorState& MotorDispenserMonitor::selection(int s) const
{
    const int served = map(s);
    return m_states.at(served < 0 ? 0 : served);
}

int MotorDispenserMonitor::map(int s) const
{
    for (int i = 0; i < MOTOR_COUNT; ++i) {
        if (m_states.at(i).selection == s)
            return i;
    }
    return -1;
}

void MotorDispenserMonitor::setMapping(int s, int motor)
{
    if (setMappingSilent(s, motor))
        emit motorMappingChanged();
}

bool MotorDispenserMonitor::setMappingSilent(int s, int motor)
{
    const int current = map(s);
    if (!isMotor(motor) || current < 0 || current == motor)
        return false;
    m_states[current].selection = m_states.at(motor).selection;
    m_states[motor].selection = quint8(s);
    return true;
}

void MotorDispenserMonitor::loadConfiguration(const Settings& settings)
{
    const QStringList entries = settings.value(Settings::MotorMap);
    if (entries.size() != MOTOR_COUNT)
        return;
    for (int s = 0; s < MOTOR_COUNT; ++s) {
        bool ok = false;
        const int motor = entries.at(s).trimmed().toInt(&ok);
        if (ok)
            setMappingSilent(s, motor);
    }
}

void MotorDispenserMonitor::saveConfiguration()
{
    QStringList entries;
    for (int s = 0; s < MOTOR_COUNT; ++s)
        entries.append(QString::number(map(s)));
    Settings settings;
    settings.setValue(Settings::MotorMap, entries);
    settings.sync();
}

void MotorDispenserMonitor::setProductPresence(qint64 packedPresence)
{
    if (m_ignoreProductPresence)
        return;
    for (int i = 0; i < MOTOR_COUNT; ++i) {
        const bool present = (quint64(packedPresence) >> i) & 1;
        MotorState& state = m_states[i];
        if (state.empty != present)
            continue;
        state.empty = !present;
        const ProductRecord& product = m_productProvider->getProductAtLocation(state.selection);
        m_notificationService->notify(std::make_unique<VM24::ProductSoldOutNotification>(product.id(), product.name(), i, present));
        emit motorStateChanged(i, state);
    }
    updateProductsAlarm();
}

void MotorDispenserMonitor::setIgnoreProductPresence(bool ignore)
{
    m_ignoreProductPresence = ignore;
}

void MotorDispenserMonitor::setError(int motor, bool error)
{
    if (!isMotor(motor))
        return;
    MotorState& state = m_states[motor];
    if (state.error != error) {
        state.error = error;
        if (error)
            m_notificationService->notify(std::make_unique<VM24::MotorDispenserErrorNotification>(motor, false));
        commit();
        emit motorStateChanged(motor, state);
    }
    updateProductsAlarm();
}

bool MotorDispenserMonitor::commit()
{
    QStringList indices;
    for (int i = 0; i < MOTOR_COUNT; ++i) {
        if (m_states.at(i).error)
            indices.append(QString::number(i));
    }
    const QString path = errorsFilePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    return VM24::write_file_durably(path, indices.join(QLatin1Char(' ')).toLatin1());
}

void MotorDispenserMonitor::loadErrors()
{
    QFile file(errorsFilePath());
    if (!file.open(QIODevice::ReadOnly))
        return;
    const bool cut = file.size() > MAX_ERRORS_FILE_BYTES;
    QStringList parts = QString::fromLatin1(file.read(MAX_ERRORS_FILE_BYTES)).simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (cut) {
        // The last number may have been cut in two.
        if (!parts.isEmpty())
            parts.removeLast();
        m_notificationService->notify(std::make_unique<VM24::WarningNotification>(
            QCoreApplication::translate("MotorDispenserMonitor", "File %1 troppo grande (%2 byte): letti solo i primi %3 byte")
                .arg(file.fileName())
                .arg(file.size())
                .arg(MAX_ERRORS_FILE_BYTES)));
    }
    for (const QString& part : parts) {
        bool ok = false;
        const int motor = part.toInt(&ok);
        if (ok && isMotor(motor))
            m_states[motor].error = true;
    }
}

bool MotorDispenserMonitor::canSellAnything() const
{
    for (const MotorState& state : m_states) {
        if (!state.empty && !state.error)
            return true;
    }
    return false;
}

void MotorDispenserMonitor::updateProductsAlarm()
{
    m_alarmManager->setAlarm(VM24::ProductsNotAvailableAlarm, !canSellAnything());
}
