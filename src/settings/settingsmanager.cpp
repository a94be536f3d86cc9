#include "settings/settingsmanager.h"

#include "board/rk710controller.h"
#include "catalogue/productids.h"
#include "core/defaults.h"
#include "core/durablefile.h"
#include "core/iconfigurable.h"
#include "core/settingskeys.h"
#include "core/systemactions.h"
#include "core/vm24.h"
#include "settings/settingslog.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>

namespace {

const int RELOAD_EVENT = QEvent::registerEventType();

const char* const ADVANCED_GROUP = "advanced";
const char* const NETWORK_GROUP = "NetworkConfig";

QString selection_key(int selection)
{
    return QStringLiteral("selection_%1").arg(selection);
}

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
    const QByteArray content = file.readAll();
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

void merge_keys(QSettings& from, QSettings& into, const QStringList& keys)
{
    for (const QString& key : keys)
        into.setValue(key, from.value(key));
}

// Only the selection keys count, and a partner-reserved selection only takes
// a product of the partner brand.
void merge_arrangement(QSettings& from, QSettings& into)
{
    from.beginGroup(QLatin1String(VM24::Keys::PRODUCTS_GROUP));
    into.beginGroup(QLatin1String(VM24::Keys::PRODUCTS_GROUP));
    for (int selection = 0; selection < VM24::NUMBER_OF_SELECTIONS; ++selection) {
        const QString key = selection_key(selection);
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

void merge_group(QSettings& from, QSettings& into, const QString& group)
{
    from.beginGroup(group);
    into.beginGroup(group);
    merge_keys(from, into, from.allKeys());
    into.endGroup();
    from.endGroup();
}

} // namespace

const char* const SettingsManager::DEFAULT_NETWORK_PROFILE = "/etc/netctl/static_ethernet";

SettingsManager::SettingsManager(Rk710Controller* controller, QObject* parent)
    : QObject(parent)
    , m_controller(controller)
    , m_networkProfilePath(QLatin1String(DEFAULT_NETWORK_PROFILE))
{
    // Checked before the first value written over it replaces it. The
    // settings object's status cannot tell: the access error of a fallback
    // file hides a format error, and a file read once is not parsed again.
    const QString fileName = QSettings().fileName();
    if (QFile::exists(fileName) && !looks_like_ini(fileName))
        m_damagedSettings = fileName;
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
        m_configurables.append(configurable);
}

void SettingsManager::forceReload()
{
    QSettings settings;
    qCDebug(settingsLog) << "Reloading" << m_configurables.size() << "configurable objects from" << settings.fileName();
    if (!m_damagedSettings.isEmpty()) {
        emit loadProblem(QCoreApplication::translate("SettingsManager",
                                                     "File delle impostazioni %1 illeggibile: usati i valori predefiniti")
                             .arg(m_damagedSettings));
        m_damagedSettings.clear();
    }
    for (IConfigurable* configurable : std::as_const(m_configurables))
        configurable->loadConfiguration(settings);
}

void SettingsManager::syncAction()
{
    QSettings settings;
    const int serial = VM24::read_serial();
    VM24::save_local_serial_number(m_controller, serial);
    VM24::change_hostname(serial);
    applyNetworkConfiguration(settings);
    applyBoardSettings(settings);
}

void SettingsManager::applyBoardSettings(QSettings& settings) const
{
    if (!m_controller)
        return;
    m_controller->setOutput(settings.value(QLatin1String(VM24::Keys::USE_OPTICAL_BARRIER), false).toBool(),
                            OPTICAL_BARRIER_OUTPUT);
    for (const auto hopper : { Rk710SerialProtocol::Hopper1, Rk710SerialProtocol::Hopper2 })
        m_controller->setItemValue(hopper, Rk710SerialProtocol::hopperValueSetting(settings, hopper));
}

void SettingsManager::syncSettings()
{
    syncAction();
    QCoreApplication::postEvent(this, new QEvent(static_cast<QEvent::Type>(RELOAD_EVENT)));
}

bool SettingsManager::event(QEvent* event)
{
    if (event->type() == RELOAD_EVENT) {
        forceReload();
        return true;
    }
    return QObject::event(event);
}

bool SettingsManager::importFromFile(const QString& path, int userLevel)
{
    if (!mergeImportFile(path, userLevel))
        return false;
    syncSettings();
    return true;
}

bool SettingsManager::mergeImportFile(const QString& path, int userLevel)
{
    if (!QFileInfo(path).isFile() || !looks_like_ini(path))
        return false;
    QSettings imported(path, QSettings::IniFormat);
    if (imported.status() != QSettings::NoError)
        return false;

    {
        QSettings settings;
        merge_keys(imported, settings, imported.childKeys());
        const QStringList groups = imported.childGroups();
        for (const QString& group : groups) {
            if (group == QLatin1String(VM24::Keys::PRODUCTS_GROUP))
                merge_arrangement(imported, settings);
            else if (group != QLatin1String(ADVANCED_GROUP) || userLevel > 2)
                merge_group(imported, settings, group);
        }
        VM24::sync_settings_durably(settings);
        if (settings.status() != QSettings::NoError)
            return false;
    }
    return true;
}

QString SettingsManager::staticNetworkProfile(QSettings& settings)
{
    using namespace VM24::Defaults;
    settings.beginGroup(QLatin1String(NETWORK_GROUP));
    const QString hostIp = settings.value(QStringLiteral("host-ip"), QLatin1String(NetworkConfig::HOST_IP)).toString();
    const QString netmask = settings.value(QStringLiteral("netmask"), NetworkConfig::NETMASK).toString();
    const QString gateway = settings.value(QStringLiteral("gateway"), QLatin1String(NetworkConfig::GATEWAY)).toString();
    const QString dns = settings.value(QStringLiteral("dns"), QLatin1String(NetworkConfig::DNS)).toString();
    settings.endGroup();

    return QStringLiteral("Description='Configurazione di rete statica per VM24'\n"
                          "Interface=eth0\n"
                          "Connection=ethernet\n"
                          "IP=static\n"
                          "SkipNoCarrier=yes\n")
        + QStringLiteral("Address=('%1/%2')\n").arg(hostIp, netmask)
        + QStringLiteral("Gateway='%1'\n").arg(gateway)
        + QStringLiteral("DNS=('%1')").arg(dns);
}

void SettingsManager::applyNetworkConfiguration(QSettings& settings) const
{
    const QString method = settings.value(QLatin1String(VM24::Keys::NETWORK_METHOD),
                                          QLatin1String(VM24::Defaults::NetworkConfig::METHOD)).toString();
    if (method != QLatin1String("static")) {
        SystemActions::startDetached(VM24::get_path(QStringLiteral("enable_dynamic.sh")), {});
        return;
    }
    if (writeNetworkProfile(staticNetworkProfile(settings)))
        SystemActions::startDetached(VM24::get_path(QStringLiteral("enable_static.sh")), {});
}

bool SettingsManager::writeNetworkProfile(const QString& text) const
{
    return VM24::write_file_durably(m_networkProfilePath, text.toUtf8());
}
