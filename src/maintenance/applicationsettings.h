#pragma once

#include "core/alarm.h"
#include "ui/menuactivity.h"

#include <functional>

#include <QList>

class AlarmManager;
class CodeEditField;
class DateEditField;
class IpEditField;
class NumericEditField;
class PowerControl;
class PriceEditField;
class QComboBox;
class QFormLayout;
class QLabel;
class QPushButton;
class Settings;
class QVBoxLayout;
class SettingsManager;
class TextEditField;
class TimeEditField;
class TwoStateButton;

// "Altre impostazioni": the settings an operator may change, the network
// test and the save through the settings manager. The serial number and the
// support address need a key of level 3.
class ApplicationSettings : public MenuActivity
{
    Q_OBJECT

public:
    ApplicationSettings(SettingsManager* settingsManager, PowerControl* powerControl, AlarmManager* alarmManager,
                        Context* context, QWidget* parent = nullptr);

    void onStart() override;
    void onStop() override;

    bool isEdited() const { return m_edited; }
    QPushButton* saveButton() const { return m_save; }
    QPushButton* exitButton() const { return m_exit; }
    QLabel* connectivityLabel() const { return m_connectivity; }
    TextEditField* userTextField() const { return m_userText; }
    NumericEditField* shortWaitField() const { return m_shortWait; }
    CodeEditField* serialField() const { return m_serial; }
    TextEditField* supportEmailField() const { return m_supportEmail; }
    TextEditField* receiptRowField(int row) const { return m_receiptRows[row]; }
    QComboBox* methodCombo() const { return m_method; }
    QComboBox* hopperCombo(int hopper) const { return m_hoppers[hopper]; }
    IpEditField* hostIpField() const { return m_hostIp; }
    TwoStateButton* alarmSwitch(int index) const { return m_alarmSwitches.at(index); }
    TimeEditField* timeField() const { return m_time; }

signals:
    // The settings are written and synchronised.
    void saved();

public slots:
    // Writes the settings and synchronises them behind a wait box; returns at once.
    void saveSettings();
    void onExitClicked();
    void updateNetworkControls();
    void testConnectivity();
    void onAlarmsChanged(VM24::Alarms alarms);
    void onEdit();

protected:
    void changeEvent(QEvent* event) override;

private:
    void saveSettingsThen(std::function<void()> then);
    void onSettingsSynced(bool restart, std::function<void()> then);
    QWidget* createForm();
    QFormLayout* addGroup(QVBoxLayout* layout, const char* title);
    void addRow(QFormLayout* form, const char* label, QWidget* field, const char* padTitle = nullptr);
    void createGeneralGroup(QVBoxLayout* layout);
    void createTimerGroup(QVBoxLayout* layout);
    void createNetworkGroup(QVBoxLayout* layout);
    void createServerGroups(QVBoxLayout* layout);
    void createAlarmGroup(QVBoxLayout* layout);
    void retranslate();
    void load(const Settings& settings);
    void store(Settings& settings) const;
    void connectEditSignals();
    void disconnectEditSignals();
    void updateAlarmSwitches();
    void setEdited(bool edited);

    SettingsManager* m_settingsManager;
    PowerControl* m_powerControl;
    VM24::Alarms m_announcedAlarms;
    bool m_edited = false;
    bool m_clockEdited = false;
    QList<QMetaObject::Connection> m_editConnections;
    // Widgets and the source of the text they show, for retranslation.
    QList<QPair<QWidget*, const char*>> m_texts;

    TextEditField* m_userText;
    TextEditField* m_receiptRows[3];
    QComboBox* m_language;
    PriceEditField* m_maxChange;
    PriceEditField* m_maxCredit;
    QComboBox* m_hoppers[2];
    CodeEditField* m_serial;
    TwoStateButton* m_opticalBarrier;
    TimeEditField* m_time;
    DateEditField* m_date;
    NumericEditField* m_shortWait;
    NumericEditField* m_longWait;
    NumericEditField* m_languageRestore;
    TimeEditField* m_ftpTransfer;
    TimeEditField* m_remoteUpdate;
    QComboBox* m_method;
    IpEditField* m_hostIp;
    NumericEditField* m_netmask;
    IpEditField* m_gateway;
    IpEditField* m_dns;
    QPushButton* m_testNetwork;
    QLabel* m_connectivity;
    QComboBox* m_protocol;
    TextEditField* m_ftpAddress;
    NumericEditField* m_ftpPort;
    TextEditField* m_ftpUser;
    TextEditField* m_ftpPassword;
    TextEditField* m_updatesAddress;
    TwoStateButton* m_notifications;
    TextEditField* m_alarmEmail;
    QList<TwoStateButton*> m_alarmSwitches;
    TextEditField* m_supportEmail;
    QPushButton* m_save;
    QPushButton* m_exit;
    QLabel* m_title;
};
