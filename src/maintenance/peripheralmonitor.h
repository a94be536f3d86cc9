#pragma once

#include "ui/menuactivity.h"

class AutotestWizard;
class CreditGroup;
class DeviceStatusGroup;
class DeviceVersionsGroup;
class DispenserGroup;
class FanControl;
class HopperEmptyingGroup;
class MotorDispenserMonitor;
class OutputSwitchesGroup;
class PeripheralMonitorModel;
class QLabel;
class QPushButton;
class QVBoxLayout;
class Rk710Controller;
class SensorInputsGroup;

// "Monitoraggio periferiche": the live state of the controller board (device
// status, sensors, dispensers, credit, versions) and the operator's controls
// of lights, outputs, dispensers, hoppers and printer, with the guided
// hardware test over its lower part. While it runs the board is readied for
// tests and the fans leave their automatic control; leaving puts the
// machine back as it stands between purchases. The groups show what the
// model reports; the page keeps the person waiting while a board job runs.
class PeripheralMonitor : public MenuActivity
{
    Q_OBJECT
public:
    PeripheralMonitor(Rk710Controller* controller, MotorDispenserMonitor* motors, FanControl* fanControl,
                      Context* context, QWidget* parent = nullptr);
    ~PeripheralMonitor() override;

    void onStart() override;
    void onStop() override;

    // For tests and the look checks.
    PeripheralMonitorModel* model() const { return m_model; }
    DeviceStatusGroup* statusGroup() const { return m_status; }
    SensorInputsGroup* inputsGroup() const { return m_inputs; }
    DispenserGroup* dispenserGroup() const { return m_dispensers; }
    OutputSwitchesGroup* switchesGroup() const { return m_switches; }
    HopperEmptyingGroup* hopperGroup() const { return m_hoppers; }
    CreditGroup* creditGroup() const { return m_credit; }
    DeviceVersionsGroup* versionsGroup() const { return m_versions; }
    AutotestWizard* autotest() const { return m_autotest; }
    QPushButton* exitButton() const { return m_exit; }
    QPushButton* autotestButton() const { return m_autotestButton; }
    QPushButton* printerTestButton() const { return m_printerTest; }
    QPushButton* versionsButton() const { return m_versionsButton; }

public slots:
    void testDispenser(int motor);
    void emptyHopper(int hopper);
    void printTest();
    void refreshVersions();
    void startAutotest();

protected:
    void changeEvent(QEvent* event) override;

private:
    QWidget* createLowerPart();
    void createBottomButtons(QVBoxLayout* layout);
    void retranslate();
    void showPrintFailure();

    PeripheralMonitorModel* m_model;
    QLabel* m_title;
    DeviceStatusGroup* m_status;
    SensorInputsGroup* m_inputs;
    DispenserGroup* m_dispensers;
    OutputSwitchesGroup* m_switches;
    HopperEmptyingGroup* m_hoppers;
    CreditGroup* m_credit = nullptr;
    DeviceVersionsGroup* m_versions = nullptr;
    QPushButton* m_autotestButton = nullptr;
    QPushButton* m_versionsButton = nullptr;
    QPushButton* m_printerTest = nullptr;
    QPushButton* m_exit = nullptr;
    // Credit, versions and the buttons: what the autotest covers while it runs.
    QWidget* m_lowerPart;
    AutotestWizard* m_autotest;
};
