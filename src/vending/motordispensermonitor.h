#pragma once

#include "logging/notificationservice.h"
#include "settings/iconfigurable.h"

#include <QMetaType>
#include <QObject>
#include <QString>
#include <QVector>

class AlarmManager;
class ProductProvider;

// The state of the 18 motor dispensers: which selection each motor serves
// (always a permutation: every selection has exactly one motor), whether its
// product sensor sees nothing (empty) and whether its last delivery failed
// (error). Errors are kept across restarts in "motor-errors.txt" in the data
// directory, the mapping in the setting "motor-map"; emptiness comes from the
// board's product-presence reports. When no motor has stock and works, the
// products-not-available alarm is raised.
class MotorDispenserMonitor : public QObject, public IConfigurable
{
    Q_OBJECT
public:
    struct MotorState
    {
        quint8 selection = 0;
        bool empty = true;
        bool error = false;
    };

    static const int MOTOR_COUNT = 18;
    static constexpr const char* ERRORS_FILE = "motor-errors.txt";
    // Eighteen indices take under 50 bytes; only the start of a longer file
    // is read (a warning says so).
    static const int MAX_ERRORS_FILE_BYTES = 4096;

    // Motor i serves selection i, is empty and not in error; then the errors
    // stored on disk are applied.
    MotorDispenserMonitor(AlarmManager* alarmManager, ProductProvider* productProvider,
                          VM24::NotificationService* notificationService, QObject* parent = nullptr);

    const MotorState& motor(int motor) const { return m_states.at(motor); }
    // The state of the motor serving selection s (the first motor's when none does).
    const MotorState& selection(int s) const;
    // The motor serving selection s, or -1.
    int map(int s) const;
    // Makes motor serve selection s; the motor that served s takes motor's
    // former selection. Nothing happens when motor already serves s.
    void setMapping(int s, int motor);
    bool setMappingSilent(int s, int motor);

    void loadConfiguration(const Settings& settings) override;
    void saveConfiguration();

    bool ignoresProductPresence() const { return m_ignoreProductPresence; }
    // Whether some motor has stock and no error, i.e. something can be sold.
    bool canSellAnything() const;

    // The file the motor errors are kept in.
    static QString errorsFilePath();

public slots:
    void setProductPresence(qint64 packedPresence);
    void setIgnoreProductPresence(bool ignore);
    void setError(int motor, bool error);
    // Rewrites the errors file; false when it could not be written.
    bool commit();

signals:
    void motorStateChanged(int motorIndex, MotorDispenserMonitor::MotorState state);
    void motorMappingChanged();

private:
    void loadErrors();
    void updateProductsAlarm();
    static bool isMotor(int index) { return index >= 0 && index < MOTOR_COUNT; }

    QVector<MotorState> m_states;
    AlarmManager* m_alarmManager;
    ProductProvider* m_productProvider;
    VM24::NotificationService* m_notificationService;
    bool m_ignoreProductPresence = false;
};

Q_DECLARE_METATYPE(MotorDispenserMonitor::MotorState)
