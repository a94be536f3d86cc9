#include "settings/settingsmanager.h"

#include "board/outputmask.h"
#include "board/rk710controller.h"
#include "catalogue/productids.h"
#include "core/durablefile.h"
#include "core/ipv4address.h"
#include "core/systemactions.h"
#include "core/vm24.h"
#include "settings/iconfigurable.h"
#include "settings/settingrule.h"
#include "settings/settings.h"
#include "settings/settingslog.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>

namespace {


const char* const UTF8_BYTE_ORDER_MARK = "\xEF\xBB\xBF";

const QRegularExpression INI_KEY(QStringLiteral("^[A-Za-z0-9_.%@/\\\\ -]+$"));

// The settings parser accepts nearly anything (an XML file reads as a few odd
// keys), so a file must look like INI text before it is merged: every line
// blank, a comment, a [section], a key=value or the continuation of a value.
bool looks_like_ini(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    if (file.size() > SettingsManager::MAX_IMPORT_FILE_BYTES) {
        qWarning("Settings file %s refused: %lld bytes", qPrintable(path), file.size());
        return false;
    }
    QByteArray content = file.readAll();
    if (content.startsWith(UTF8_BYTE_ORDER_MARK))
        content.remove(0, int(qstrlen(UTF8_BYTE_ORDER_MARK)));
    if (content.contains('\0'))
        return false;
    bool continuation = false;
    for (QByteArray line : content.split('\n')) {
        line = line.trimmed();
        const bool continued = continuation;
        continuation = line.endsWith('\\');
        if (continued || line.isEmpty() || line.startsWith(';') || line.startsWith('#'))
            continue;
        if (line.startsWith('[') && line.endsWith(']'))
            continue;
        const int equals = line.indexOf('=');
        if (equals <= 0 || !INI_KEY.match(QString::fromUtf8(line.left(equals))).hasMatch())
            return false;
    }
    return true;
}

// Each key passes the check of its field on the settings page; what the
// page would refuse, what this machine does not know and what needs a key
// of a higher level is left out and named in refused.
void merge_checked_keys(QSettings& from, QSettings& into, int userLevel, QStringList* refused)
{
    const QString arrangement = QLatin1String(Settings::PRODUCTS_GROUP) + QLatin1Char('/');
    const QStringList keys = from.allKeys();
    for (const QString& key : keys) {
        if (key.startsWith(arrangement))
            continue;
        const SettingRule* rule = SettingRule::find(key);
        const std::optional<QVariant> value =
            rule && userLevel >= rule->importLevel ? rule->accept(from.value(key)) : std::nullopt;
        if (value)
            into.setValue(key, *value);
        else
            refused->append(key);
    }
}

// Only the selection keys count, and a partner-reserved selection only takes
// a product of the partner brand.
void merge_arrangement(QSettings& from, QSettings& into)
{
    from.beginGroup(QLatin1String(Settings::PRODUCTS_GROUP));
    into.beginGroup(QLatin1String(Settings::PRODUCTS_GROUP));
    for (int selection = 0; selection < VM24::NUMBER_OF_SELECTIONS; ++selection) {
        const QString key = Settings::selectionKey(selection);
        if (!from.contains(key))
            continue;
        const QString id = from.value(key).toString();
        if (VM24::is_brixo_reserved_button(selection) && !VM24::is_brixo_product_id(id))
            continue;
        into.setValue(key, id);
    }
    into.endGroup();
    from.endGroup();
}

// The values of the static profile as the settings hold them.
struct StaticAddresses
{
    QString hostIp;
    int prefix = -1;
    QString gateway;
    QString dns;

    bool isValid() const
    {
        return VM24::is_ipv4_address(hostIp) && prefix >= 0 && VM24::is_ipv4_address(gateway)
            && VM24::is_ipv4_address(dns);
    }
};

StaticAddresses read_static_addresses(const Settings& settings)
{
    StaticAddresses addresses;
    addresses.hostIp = settings.value(Settings::NetworkHostIp);
    addresses.prefix = VM24::netmask_prefix_length(settings.value(Settings::NetworkNetmask));
    addresses.gateway = settings.value(Settings::NetworkGateway);
    addresses.dns = settings.value(Settings::NetworkDns);
    return addresses;
}

} // namespace

const char* const SettingsManager::NETWORK_PROFILE_NAME = "static_ethernet";

SettingsManager::SettingsManager(Rk710Controller* controller, QObject* parent)
    : QObject(parent)
    , m_controller(controller)
    , m_networkProfilePath(VM24::get_path(QLatin1String(NETWORK_PROFILE_NAME)))
{
    // Checked before the first value written over it replaces it. The
    // settings object's status cannot tell: the access error of a fallback
    // file hides a format error, and a file read once is not parsed again.
    const QString fileName = Settings().fileName();
    if (QFile::exists(fileName) && !looks_like_ini(fileName))
        m_damagedSettings = fileName;
}

void SettingsManager::bindController(Rk710Controller* controller)
{
    const Settings settings;
    controller->setLocalSerial(settings.value(Settings::Serial));
    controller->setHopperValue(Rk710SerialProtocol::Hopper1, settings.value(Settings::HopperValue1));
    controller->setHopperValue(Rk710SerialProtocol::Hopper2, settings.value(Settings::HopperValue2));
    // Direct: stored on the exchange's thread before the exchange goes on.
    QObject::connect(controller, &Rk710Controller::serialReported, controller, [](int serial) {
        Settings stored;
        stored.setValue(Settings::Serial, serial);
        stored.sync();
    }, Qt::DirectConnection);
}

SettingsManager::~SettingsManager()
{
    // The board's clock becomes the system clock at the next start.
    if (m_pendingClock.isValid())
        VM24::save_local_time(m_controller, m_pendingClock);
}

void SettingsManager::registerConfigurable(IConfigurable* configurable)
{
    if (configurable)
        m_reloads.append([configurable](const Settings& settings) { configurable->loadConfiguration(settings); });
}

void SettingsManager::registerReload(const std::function<void(const Settings&)>& reload)
{
    m_reloads.append(reload);
}

void SettingsManager::forceReload()
{
    const Settings settings;
    qCDebug(settingsLog) << "Reloading" << m_reloads.size() << "configurable objects from" << settings.fileName();
    if (!m_damagedSettings.isEmpty()) {
        emit loadProblem(QCoreApplication::translate("SettingsManager",
                                                     "File delle impostazioni %1 illeggibile: usati i valori predefiniti")
                             .arg(m_damagedSettings));
        m_damagedSettings.clear();
    }
    for (const std::function<void(const Settings&)>& reload : std::as_const(m_reloads))
        reload(settings);
}

void SettingsManager::syncAction()
{
    const Settings settings;
    const int serial = settings.value(Settings::Serial);
    if (m_controller)
        m_controller->setLocalSerial(serial);
    VM24::save_local_serial_number(m_controller, serial);
    VM24::change_hostname(serial);
    applyNetworkConfiguration(settings);
    applyBoardSettings(settings);
}

void SettingsManager::applyBoardSettings(const Settings& settings) const
{
    if (!m_controller)
        return;
    m_controller->setOutput(settings.value(Settings::UseOpticalBarrier), OutputMask::OpticalBarrier);
    const Rk710SerialProtocol::Item hoppers[] = {Rk710SerialProtocol::Hopper1, Rk710SerialProtocol::Hopper2};
    for (int i = 0; i < 2; ++i) {
        const int cents = settings.value(Settings::HOPPER_VALUES[i]);
        m_controller->setHopperValue(hoppers[i], cents);
        m_controller->setItemValue(hoppers[i], cents);
    }
}

void SettingsManager::syncSettings()
{
    syncAction();
    QMetaObject::invokeMethod(this, &SettingsManager::forceReload, Qt::QueuedConnection);
}

bool SettingsManager::importFromFile(const QString& path, int userLevel)
{
    QStringList refused;
    if (!mergeImportFile(path, userLevel, &refused))
        return false;
    if (!refused.isEmpty()) {
        qCWarning(settingsLog) << "Settings not imported from" << path << refused;
        emit loadProblem(QCoreApplication::translate("SettingsManager", "Impostazioni non importate da %1: %2")
                             .arg(path, refused.join(QStringLiteral(", "))));
    }
    syncSettings();
    return true;
}

bool SettingsManager::mergeImportFile(const QString& path, int userLevel, QStringList* refused)
{
    if (!QFileInfo(path).isFile() || !looks_like_ini(path))
        return false;
    QSettings imported(path, QSettings::IniFormat);
    if (imported.status() != QSettings::NoError)
        return false;

    QStringList ignored;
    {
        QSettings settings;
        merge_checked_keys(imported, settings, userLevel, refused ? refused : &ignored);
        if (imported.childGroups().contains(QLatin1String(Settings::PRODUCTS_GROUP)))
            merge_arrangement(imported, settings);
        if (!Settings(settings).sync())
            return false;
    }
    return true;
}

QString SettingsManager::staticNetworkProfile(const Settings& settings)
{
    const StaticAddresses addresses = read_static_addresses(settings);
    // netctl runs the profile as a script: nothing but addresses goes in.
    if (!addresses.isValid())
        return QString();
    return QStringLiteral("Description='Configurazione di rete statica per VM24'\n"
                          "Interface=eth0\n"
                          "Connection=ethernet\n"
                          "IP=static\n"
                          "SkipNoCarrier=yes\n")
        + QStringLiteral("Address=('%1/%2')\n").arg(addresses.hostIp).arg(addresses.prefix)
        + QStringLiteral("Gateway='%1'\n").arg(addresses.gateway)
        + QStringLiteral("DNS=('%1')").arg(addresses.dns);
}

void SettingsManager::applyNetworkConfiguration(const Settings& settings)
{
    const QString method = settings.value(Settings::NetworkMethod);
    if (method != QLatin1String("static")) {
        SystemActions::startDetached(VM24::get_path(QStringLiteral("enable_dynamic.sh")), {});
        return;
    }
    const QString profile = staticNetworkProfile(settings);
    if (profile.isEmpty()) {
        qCWarning(settingsLog) << "Static network settings refused: not an address";
        emit loadProblem(QCoreApplication::translate(
            "SettingsManager", "Configurazione di rete statica non valida: rete non modificata"));
        return;
    }
    // The program may not write the system's profile: the script, run as
    // root, checks this one again and installs it.
    if (writeNetworkProfile(profile))
        SystemActions::startDetached(VM24::get_path(QStringLiteral("enable_static.sh")), {m_networkProfilePath});
}

bool SettingsManager::writeNetworkProfile(const QString& text) const
{
    return VM24::write_file_durably(m_networkProfilePath, text.toUtf8());
}
