#pragma once

#include "board/creditpacket.h"
#include "ui/menuactivity.h"
#include "vending/motordispensermonitor.h"

#include <QList>
#include <QStringList>
#include <QTimer>

#include <functional>

class DispenserControl;
class FanControl;
class InteractiveAutotestDialog;
class MaintenanceBoardSession;
class OnOffLed;
class QButtonGroup;
class QGroupBox;
class QGridLayout;
class QLabel;
class QPushButton;
class QVBoxLayout;
class Rk710Controller;

// "Monitoraggio periferiche": the live state of the controller board (device
// status, sensors, dispensers, credit, versions) and the operator's controls
// of lights, outputs, dispensers, hoppers and printer, with the guided
// hardware test over its lower part. While it runs the board is readied for
// tests and the fans leave their automatic control; leaving puts the
// machine back as it stands between purchases.
class PeripheralMonitor : public MenuActivity
{
    Q_OBJECT
public:
    enum DispenserMode { TestMode = 0, EmptyMode = 1 };
    static const int CREDIT_PERIOD_MS = 1000;
    static const int DOOR_COOLDOWN_MS = 6000;
    static const int LIGHT_COUNT = 7;
    static const int LIGHT_MASKS[LIGHT_COUNT];
    // The output switches, after the lights.
    enum Output { Battery = 0, DoorLock = 1, Ventilation = 2, Siren = 3, OUTPUT_COUNT = 4 };

    PeripheralMonitor(Rk710Controller* controller, MotorDispenserMonitor* motors, FanControl* fanControl,
                      Context* context, QWidget* parent = nullptr);
    ~PeripheralMonitor() override;

    void onStart() override;
    void onStop() override;

    // For tests and the look checks.
    OnOffLed* statusLed(int row) const { return m_statusLeds.at(row); }
    OnOffLed* inputLed(int row) const { return m_inputLeds.at(row); }
    DispenserControl* dispenser(int motor) const { return m_dispensers.at(motor); }
    QPushButton* lightSwitch(int light) const { return m_lights.at(light); }
    QPushButton* outputSwitch(Output output) const { return m_outputs.at(output); }
    QPushButton* hopperButton(int hopper) const { return m_hopperButtons[hopper]; }
    QPushButton* exitButton() const { return m_exit; }
    QPushButton* autotestButton() const { return m_autotestButton; }
    QPushButton* printerTestButton() const { return m_printerTest; }
    QPushButton* versionsButton() const { return m_versionsButton; }
    QLabel* creditLabel(int row) const { return m_creditValues.at(row); }
    QLabel* hopperValueLabel(int hopper) const { return m_hopperValues[hopper]; }
    QLabel* versionsLabel() const { return m_versions; }
    InteractiveAutotestDialog* autotest() const { return m_autotest; }
    void setDispenserMode(DispenserMode mode);

public slots:
    void onDispenserClicked(int motor);
    void emptyHopper(int hopper);
    void printTest();
    void refreshVersions();
    void startAutotest();
    void printAutotestSummary();

protected:
    void changeEvent(QEvent* event) override;

private:
    QGroupBox* addGroup(QVBoxLayout* column, const char* title);
    QLabel* addTextLabel(const char* text, QWidget* parent);
    void createStatusGroup(QVBoxLayout* column);
    void createInputGroup(QVBoxLayout* column);
    void createDispenserGroup(QVBoxLayout* column);
    void createLightsGroup(QVBoxLayout* column);
    void createHopperGroup(QVBoxLayout* column);
    void createCreditGroup(QVBoxLayout* column);
    void createVersionsGroup(QVBoxLayout* column);
    void createBottomButtons(QVBoxLayout* layout);
    void createAutotest();
    void connectBoard();
    void disconnectBoard();
    void retranslate();

    void showInputs(qint32 inputs);
    void showStatus(qint32 status);
    void showActuators(qint32 actuators);
    void showMotor(int motor, MotorDispenserMonitor::MotorState state);
    void showCredit(const CreditPacket& credit);
    void showHopperValues(int hopper1, int hopper2);
    void showVersions(const QStringList& versions);
    void requestCredit();
    void onCreditRead(const CreditPacket& credit);
    void switchLight(int light, bool on);
    void switchOutput(Output output, bool on);
    void runSwitch(const std::function<void(Rk710Controller*)>& request);
    // Runs a long board job with the credit timer paused; done gets its result.
    void runLongJob(const QString& title, const std::function<bool()>& job, std::function<void(bool)> done);
    void pauseCreditReads(bool pause);
    void showPrintFailure();

    Rk710Controller* m_controller;
    MotorDispenserMonitor* m_motors;
    MaintenanceBoardSession* m_board;
    QTimer m_creditTimer;
    // The last credit read, shown in the labels.
    CreditPacket m_credit;
    QTimer m_doorCooldown;
    bool m_running = false;
    bool m_busy = false;
    QList<QMetaObject::Connection> m_boardConnections;
    // Widgets and the source of the text they show, for retranslation.
    QList<QPair<QWidget*, const char*>> m_texts;

    QLabel* m_title;
    QList<OnOffLed*> m_statusLeds;
    OnOffLed* m_hopperLeds[2];
    QLabel* m_hopperCoins[2];
    QLabel* m_hopperValues[2];
    QList<OnOffLed*> m_inputLeds;
    QLabel* m_battery;
    QLabel* m_temperature;
    QList<DispenserControl*> m_dispensers;
    QButtonGroup* m_modes;
    QList<QPushButton*> m_lights;
    QList<QPushButton*> m_outputs;
    QPushButton* m_hopperButtons[2];
    QList<QLabel*> m_creditValues;
    QLabel* m_versions;
    QPushButton* m_autotestButton;
    QPushButton* m_versionsButton;
    QPushButton* m_printerTest;
    QPushButton* m_exit;
    InteractiveAutotestDialog* m_autotest;
    QWidget* m_lowerPart = nullptr;
};
