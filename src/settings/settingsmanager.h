#pragma once

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class IConfigurable;
class Rk710Controller;
class Settings;

// Reloads every configurable object from the settings file, applies the
// settings that act outside the program (board serial number, hopper coin
// values and optical barrier; host name; network configuration of eth0),
// merges settings imported from a file, and hands a clock set by the
// operator to the board when the program ends.
class SettingsManager : public QObject
{
    Q_OBJECT

public:
    // The static profile of eth0 as the program writes it, in the
    // application directory; "enable_static.sh" installs it for netctl.
    static const char* const NETWORK_PROFILE_NAME; // "static_ethernet"

    explicit SettingsManager(Rk710Controller* controller, QObject* parent = nullptr);
    ~SettingsManager() override;

    // Gives the controller what its start-up exchange sends from the
    // settings (serial number, hopper values) and keeps the serial number
    // the board reports in them. Before the controller is initialized.
    static void bindController(Rk710Controller* controller);

    // Configurables are not owned; they and the reload functions (which push
    // values into the parts below the settings) run in registration order.
    void registerConfigurable(IConfigurable* configurable);
    void registerReload(const std::function<void(const Settings&)>& reload);
    void forceReload();

    // Applies the system-level settings. Runs on a worker thread.
    void syncAction();
    // syncAction(), then forceReload() back on the thread of this object.
    void syncSettings();
    // Merges the INI file at path into the settings, then syncSettings().
    // Each value must be one the settings page takes (SettingRule), with the
    // key level the rule asks for; the partner-reserved selections only take
    // partner products. What is left out is named in one loadProblem(). A
    // missing or malformed file does nothing.
    bool importFromFile(const QString& path, int userLevel);
    // The merge of importFromFile() alone, without applying the settings;
    // the keys left out are appended to refused.
    static bool mergeImportFile(const QString& path, int userLevel, QStringList* refused = nullptr);

    // Written to the board's clock when the manager is destroyed.
    void setPendingClock(const QDateTime& clock) { m_pendingClock = clock; }
    QDateTime pendingClock() const { return m_pendingClock; }

    // Where syncAction() writes the static profile of eth0 (by default
    // NETWORK_PROFILE_NAME in the application directory).
    void setNetworkProfilePath(const QString& path) { m_networkProfilePath = path; }
    QString networkProfilePath() const { return m_networkProfilePath; }

    // Text of the static profile for the "NetworkConfig" group of settings;
    // empty unless every value is an address and the netmask a prefix or mask.
    static QString staticNetworkProfile(const Settings& settings);

    // Import files larger than this are refused.
    static const qint64 MAX_IMPORT_FILE_BYTES = 1024 * 1024;

signals:
    // The settings file did not parse at start and its values are lost, an
    // import left values out, or the static network settings were refused;
    // the message names what.
    void loadProblem(const QString& message);

private:
    void applyBoardSettings(const Settings& settings) const;
    void applyNetworkConfiguration(const Settings& settings);
    bool writeNetworkProfile(const QString& text) const;

    QList<std::function<void(const Settings&)>> m_reloads;
    Rk710Controller* m_controller;
    QDateTime m_pendingClock;
    QString m_networkProfilePath;
    // The settings file, when it did not parse at construction; reported
    // by the first reload.
    QString m_damagedSettings;
};
