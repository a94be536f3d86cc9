#include "maintenance/applicationsettings.h"

#include "board/powercontrol.h"
#include "core/vm24.h"
#include "input/codeeditfield.h"
#include "input/confirmationdialog.h"
#include "input/dateeditfield.h"
#include "input/ipeditfield.h"
#include "input/numericeditfield.h"
#include "input/priceeditfield.h"
#include "input/texteditfield.h"
#include "input/timeeditfield.h"
#include "input/twostatebutton.h"
#include "maintenance/maintenancelog.h"
#include "settings/networkinfo.h"
#include "settings/settingrule.h"
#include "settings/settings.h"
#include "settings/settingsmanager.h"
#include "ui/interactivemessagedialog.h"
#include "ui/longrunningoperation.h"
#include "vending/alarmmanager.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScroller>
#include <QVBoxLayout>

#include <iterator>


namespace {

// The fields' limits and lists are those of the settings' rules
// (SettingRule), which an imported settings file must also keep to.
const int NUMBER_CHARACTERS = 6;
const int CLOCK_RESTART_MS = 5000;
const int SERIAL_DIGITS = 5;
const int ADVANCED_LEVEL = SettingRule::ADVANCED_LEVEL;

const char* const CONNECTIVITY_TEXTS[] = {
    QT_TRANSLATE_NOOP("ApplicationSettings", "<b style='color: red'>Scollegato</b>"),
    QT_TRANSLATE_NOOP("ApplicationSettings", "<b style='color: red'>Errore routing</b>"),
    QT_TRANSLATE_NOOP("ApplicationSettings", "<b style='color: yellow'>Errore DNS</b>"),
    QT_TRANSLATE_NOOP("ApplicationSettings", "<span style='color: green'>Connesso</span>"),
};

void select_data(QComboBox* combo, const QVariant& data)
{
    const int index = combo->findData(data);
    combo->setCurrentIndex(index < 0 ? 0 : index);
}

template <typename Field>
Field* make_field(QWidget* parent, int characterLimit = -1)
{
    auto* field = new Field(parent);
    field->setCharacterLimit(characterLimit);
    return field;
}

template <typename T>
NumericEditField* make_number(QWidget* parent, Setting<T> setting)
{
    const SettingRule& rule = Settings::rule(setting);
    auto* field = make_field<NumericEditField>(parent, NUMBER_CHARACTERS);
    field->setLimits(rule.minimum, rule.maximum);
    return field;
}

PriceEditField* make_money(QWidget* parent, Setting<int> setting)
{
    auto* field = make_field<PriceEditField>(parent);
    field->setMaximum(Settings::rule(setting).maximum);
    return field;
}

} // namespace

ApplicationSettings::ApplicationSettings(SettingsManager* settingsManager, PowerControl* powerControl,
                                         AlarmManager* alarmManager, Context* context, QWidget* parent)
    : MenuActivity(context, parent)
    , m_settingsManager(settingsManager)
    , m_powerControl(powerControl)
    , m_title(new QLabel(this))
{
    if (alarmManager) {
        m_announcedAlarms = alarmManager->activeAlarms();
        connect(alarmManager, &AlarmManager::alarmsChanged, this, &ApplicationSettings::onAlarmsChanged);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->setSpacing(16);
    m_title->setProperty("class", QStringLiteral("page-heading"));
    m_title->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_title);

    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidget(createForm());
    scroll->viewport()->setAutoFillBackground(false);
    scroll->widget()->setAutoFillBackground(false);
    QScroller::grabGesture(scroll->viewport(), QScroller::LeftMouseButtonGesture);
    layout->addWidget(scroll, 1);

    auto* buttons = new QHBoxLayout;
    m_save = new QPushButton(QIcon(QStringLiteral(":/icons/save")), QString(), this);
    m_exit = new QPushButton(QIcon(QStringLiteral(":/icons/exit")), QString(), this);
    for (QPushButton* button : {m_save, m_exit}) {
        button->setProperty("class", QStringLiteral("generic-menu-button bottom"));
        button->setFocusPolicy(Qt::NoFocus);
        buttons->addWidget(button);
    }
    layout->addLayout(buttons);
    connect(m_save, &QPushButton::clicked, this, &ApplicationSettings::saveSettings);
    connect(m_exit, &QPushButton::clicked, this, &ApplicationSettings::onExitClicked);
    connect(m_testNetwork, &QPushButton::clicked, this, &ApplicationSettings::testConnectivity);
    connect(m_method, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &ApplicationSettings::updateNetworkControls);
    connect(m_notifications, &QPushButton::toggled, m_alarmEmail, &QWidget::setEnabled);
    retranslate();
    m_save->setEnabled(false);
}

QWidget* ApplicationSettings::createForm()
{
    auto* form = new QWidget;
    auto* layout = new QVBoxLayout(form);
    layout->setContentsMargins(0, 0, 16, 0);
    createGeneralGroup(layout);
    createTimerGroup(layout);
    createNetworkGroup(layout);
    createServerGroups(layout);
    createAlarmGroup(layout);
    QFormLayout* support = addGroup(layout, QT_TR_NOOP("Assistenza"));
    m_supportEmail = make_field<TextEditField>(this);
    addRow(support, QT_TR_NOOP("Indirizzo email per richiesta assistenza"), m_supportEmail);
    layout->addStretch();
    return form;
}

QFormLayout* ApplicationSettings::addGroup(QVBoxLayout* layout, const char* title)
{
    auto* group = new QGroupBox;
    group->setProperty("class", QStringLiteral("form"));
    m_texts.append({group, title});
    auto* form = new QFormLayout(group);
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setHorizontalSpacing(24);
    form->setVerticalSpacing(12);
    layout->addWidget(group);
    return form;
}

void ApplicationSettings::addRow(QFormLayout* form, const char* label, QWidget* field, const char* padTitle)
{
    auto* text = new QLabel;
    text->setProperty("class", QStringLiteral("text"));
    m_texts.append({text, label});
    if (qobject_cast<EditField*>(field))
        m_texts.append({field, padTitle ? padTitle : label});
    form->addRow(text, field);
}

void ApplicationSettings::createGeneralGroup(QVBoxLayout* layout)
{
    QFormLayout* form = addGroup(layout, QT_TR_NOOP("Generale"));
    m_userText = make_field<TextEditField>(this);
    addRow(form, QT_TR_NOOP("Informazioni farmacia"), m_userText, QT_TR_NOOP("Titolo bottone"));
    const char* const rows[] = {QT_TR_NOOP("Scontrino - Riga 1"), QT_TR_NOOP("Scontrino - Riga 2"),
                                QT_TR_NOOP("Scontrino - Riga 3")};
    for (int row = 0; row < 3; ++row) {
        m_receiptRows[row] = make_field<TextEditField>(this, Settings::rule(Settings::RECEIPT_ROWS[row]).maximum);
        addRow(form, rows[row], m_receiptRows[row]);
    }
    m_language = new QComboBox(this);
    const char* const languageNames[] = {"Italiano", "English"}; // "it", then "en"
    const QStringList languages = Settings::rule(Settings::DefaultLanguage).choices;
    for (int index = 0; index < languages.size() && index < int(std::size(languageNames)); ++index)
        m_language->addItem(QIcon(QStringLiteral(":/icons/") + languages.at(index)),
                            QLatin1String(languageNames[index]), languages.at(index));
    addRow(form, QT_TR_NOOP("Lingua"), m_language);
    m_maxChange = make_money(this, Settings::MaxChange);
    addRow(form, QT_TR_NOOP("Resto massimo"), m_maxChange);
    m_maxCredit = make_money(this, Settings::MaxCredit);
    addRow(form, QT_TR_NOOP("Credito massimo"), m_maxCredit);
    const char* const hoppers[] = {QT_TR_NOOP("Hopper 1"), QT_TR_NOOP("Hopper 2")};
    auto* hopperLabel = new QLabel;
    hopperLabel->setProperty("class", QStringLiteral("text"));
    m_texts.append({hopperLabel, QT_TR_NOOP("Valori hopper")});
    form->addRow(hopperLabel);
    for (int hopper = 0; hopper < 2; ++hopper) {
        m_hoppers[hopper] = new QComboBox(this);
        // A hopper without a coin value (0) stays without one when saved.
        for (const QString& choice : Settings::rule(Settings::HOPPER_VALUES[hopper]).choices) {
            const int cents = choice.toInt();
            m_hoppers[hopper]->addItem(cents ? VM24::format_credit(cents) : QStringLiteral("-"), cents);
        }
        addRow(form, hoppers[hopper], m_hoppers[hopper]);
    }
    m_serial = new CodeEditField(SERIAL_DIGITS, this);
    m_serial->setCharacterLimit(SERIAL_DIGITS);
    m_serial->setLimits(Settings::rule(Settings::Serial).minimum, Settings::rule(Settings::Serial).maximum);
    addRow(form, QT_TR_NOOP("Numero di serie"), m_serial);
    m_opticalBarrier = new TwoStateButton(QString(), QString(), this);
    m_opticalBarrier->setProperty("class", QStringLiteral("generic-menu-button"));
    addRow(form, QT_TR_NOOP("Barriera prodotti"), m_opticalBarrier);
    auto* clockLabel = new QLabel;
    clockLabel->setProperty("class", QStringLiteral("text"));
    m_texts.append({clockLabel, QT_TR_NOOP("Imposta data e ora")});
    form->addRow(clockLabel);
    m_time = make_field<TimeEditField>(this);
    addRow(form, QT_TR_NOOP("Imposta ora"), m_time);
    m_date = make_field<DateEditField>(this);
    m_date->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    addRow(form, QT_TR_NOOP("Imposta data"), m_date);
}

void ApplicationSettings::createTimerGroup(QVBoxLayout* layout)
{
    QFormLayout* form = addGroup(layout, QT_TR_NOOP("Timer e Operazioni Pianificate"));
    m_shortWait = make_number(this, Settings::ShortWait);
    addRow(form, QT_TR_NOOP("Attesa breve"), m_shortWait, QT_TR_NOOP("Tempo di attesa breve"));
    m_longWait = make_number(this, Settings::LongWait);
    addRow(form, QT_TR_NOOP("Attesa lunga"), m_longWait, QT_TR_NOOP("Tempo di attesa lunga"));
    m_languageRestore = make_number(this, Settings::RestoreLanguageTimeout);
    addRow(form, QT_TR_NOOP("Ripristino lingua"), m_languageRestore,
           QT_TR_NOOP("Timer di ripristino lingua di default"));
    for (NumericEditField* field : {m_shortWait, m_longWait, m_languageRestore})
        field->setAffix(QStringLiteral(" sec"));
    m_ftpTransfer = make_field<TimeEditField>(this);
    addRow(form, QT_TR_NOOP("Invio log e contabilità"), m_ftpTransfer, QT_TR_NOOP("Orario invio dati"));
    m_remoteUpdate = make_field<TimeEditField>(this);
    addRow(form, QT_TR_NOOP("Aggiornamento da remoto"), m_remoteUpdate,
           QT_TR_NOOP("Orario controllo aggiornamenti"));
}

void ApplicationSettings::createNetworkGroup(QVBoxLayout* layout)
{
    QFormLayout* form = addGroup(layout, QT_TR_NOOP("Configurazione di Rete"));
    m_method = new QComboBox(this);
    // Named by retranslate(): "static", then "dynamic".
    for (const QString& method : Settings::rule(Settings::NetworkMethod).choices)
        m_method->addItem(QString(), method);
    addRow(form, QT_TR_NOOP("Metodo"), m_method);
    m_hostIp = make_field<IpEditField>(this);
    addRow(form, QT_TR_NOOP("IP host"), m_hostIp);
    m_netmask = make_number(this, Settings::NetworkNetmask);
    addRow(form, QT_TR_NOOP("CIDR Netmask"), m_netmask, QT_TR_NOOP("Netmask in formato CIDR"));
    m_gateway = make_field<IpEditField>(this);
    addRow(form, QT_TR_NOOP("Gateway"), m_gateway);
    m_dns = make_field<IpEditField>(this);
    addRow(form, QT_TR_NOOP("DNS"), m_dns);
    m_testNetwork = new QPushButton(this);
    m_testNetwork->setProperty("class", QStringLiteral("generic-menu-button"));
    m_testNetwork->setFocusPolicy(Qt::NoFocus);
    m_texts.append({m_testNetwork, QT_TR_NOOP("Test rete")});
    m_connectivity = new QLabel(this);
    m_connectivity->setProperty("class", QStringLiteral("text"));
    form->addRow(m_testNetwork, m_connectivity);
}

void ApplicationSettings::createServerGroups(QVBoxLayout* layout)
{
    QFormLayout* ftp = addGroup(layout, QT_TR_NOOP("Server FTP per Invio Dati"));
    m_protocol = new QComboBox(this);
    for (const QString& protocol : Settings::rule(Settings::FtpProtocol).choices)
        m_protocol->addItem(protocol.toUpper(), protocol);
    addRow(ftp, QT_TR_NOOP("Protocollo"), m_protocol);
    m_ftpAddress = make_field<TextEditField>(this);
    addRow(ftp, QT_TR_NOOP("Indirizzo"), m_ftpAddress);
    m_ftpPort = make_number(this, Settings::FtpPort);
    addRow(ftp, QT_TR_NOOP("Porta"), m_ftpPort);
    m_ftpUser = make_field<TextEditField>(this);
    addRow(ftp, QT_TR_NOOP("Username"), m_ftpUser);
    m_ftpPassword = make_field<TextEditField>(this);
    addRow(ftp, QT_TR_NOOP("Password"), m_ftpPassword);
    QFormLayout* updates = addGroup(layout, QT_TR_NOOP("Server per Aggiornamenti Remoti"));
    m_updatesAddress = make_field<TextEditField>(this);
    addRow(updates, QT_TR_NOOP("Indirizzo"), m_updatesAddress);
}

void ApplicationSettings::createAlarmGroup(QVBoxLayout* layout)
{
    QFormLayout* form = addGroup(layout, QT_TR_NOOP("Allarmi e Notifiche"));
    m_notifications = new TwoStateButton(QString(), QString(), this);
    m_notifications->setProperty("class", QStringLiteral("generic-menu-button"));
    form->addRow(m_notifications);
    m_alarmEmail = make_field<TextEditField>(this);
    addRow(form, QT_TR_NOOP("Indirizzo email per notifiche allarmi"), m_alarmEmail);
    for (int flag : VM24::ALARM_FLAGS) {
        auto* button = new TwoStateButton(QString(), QString(), this);
        button->setProperty("class", QStringLiteral("generic-menu-button alarm-enable"));
        button->setProperty("alarm", flag);
        m_alarmSwitches.append(button);
        form->addRow(button);
        connect(button, &QPushButton::toggled, this, [button](bool on) {
            button->setIcon(QIcon(on ? QStringLiteral(":/icons/alarm-on") : QStringLiteral(":/icons/alarm-off")));
        });
    }
}

void ApplicationSettings::retranslate()
{
    m_title->setText(tr("Impostazioni di configurazione"));
    for (const auto& [widget, source] : std::as_const(m_texts)) {
        const QString text = tr(source);
        if (auto* label = qobject_cast<QLabel*>(widget))
            label->setText(text);
        else if (auto* group = qobject_cast<QGroupBox*>(widget))
            group->setTitle(text);
        else if (auto* field = qobject_cast<EditField*>(widget))
            field->setTitle(text);
        else if (auto* button = qobject_cast<QPushButton*>(widget))
            button->setText(text);
    }
    m_method->setItemText(0, tr("Statico"));
    m_method->setItemText(1, tr("Dinamico (DHCP)"));
    m_opticalBarrier->setTexts(tr("Controlla barriera"), tr("Non controllare barriera"));
    m_notifications->setTexts(tr("Invia mail di notifica"), tr("Non inviare mail di notifica"));
    for (TwoStateButton* button : std::as_const(m_alarmSwitches)) {
        const QString label = VM24::alarm_string(static_cast<VM24::Alarm>(button->property("alarm").toInt()));
        button->setTexts(label, label);
    }
    m_save->setText(tr("Salva modifiche"));
    m_exit->setText(tr("Esci"));
}

void ApplicationSettings::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    MenuActivity::changeEvent(event);
}

void ApplicationSettings::onStart()
{
    load(Settings());
    m_serial->setEnabled(userLevel() >= ADVANCED_LEVEL);
    m_supportEmail->setEnabled(userLevel() >= ADVANCED_LEVEL);
    m_connectivity->setText(tr("<i>Test non eseguito</i>"));
    m_clockEdited = false;
    setEdited(false);
    connectEditSignals();
    MenuActivity::onStart();
}

void ApplicationSettings::onStop()
{
    disconnectEditSignals();
    setEdited(false);
    m_clockEdited = false;
}

void ApplicationSettings::load(const Settings& settings)
{
    m_userText->setValue(settings.value(Settings::UserText));
    for (int row = 0; row < 3; ++row)
        m_receiptRows[row]->setValue(settings.value(Settings::RECEIPT_ROWS[row]));
    select_data(m_language, settings.value(Settings::DefaultLanguage));
    m_maxChange->setValue(settings.value(Settings::MaxChange));
    m_maxCredit->setValue(settings.value(Settings::MaxCredit));
    for (int hopper = 0; hopper < 2; ++hopper)
        select_data(m_hoppers[hopper], settings.value(Settings::HOPPER_VALUES[hopper]));
    m_serial->setValue(settings.value(Settings::Serial));
    m_opticalBarrier->setChecked(settings.value(Settings::UseOpticalBarrier));
    m_time->setTime(QTime::currentTime());
    m_date->setDate(QDate::currentDate());
    m_shortWait->setValue(settings.value(Settings::ShortWait));
    m_longWait->setValue(settings.value(Settings::LongWait));
    m_languageRestore->setValue(settings.value(Settings::RestoreLanguageTimeout));
    m_ftpTransfer->setTime(settings.value(Settings::FtpTransferTime));
    m_remoteUpdate->setTime(settings.value(Settings::RemoteUpdateTime));
    select_data(m_method, settings.value(Settings::NetworkMethod));
    updateNetworkControls();
    select_data(m_protocol, settings.value(Settings::FtpProtocol));
    m_ftpAddress->setValue(settings.value(Settings::FtpAddress));
    m_ftpPort->setValue(settings.value(Settings::FtpPort));
    m_ftpUser->setValue(settings.value(Settings::FtpUsername));
    m_ftpPassword->setValue(settings.value(Settings::FtpPassword));
    m_updatesAddress->setValue(settings.value(Settings::UpdatesServerAddress));
    m_notifications->setChecked(settings.value(Settings::EnableNotifications));
    m_alarmEmail->setValue(settings.value(Settings::AlarmsEmail));
    m_alarmEmail->setEnabled(m_notifications->isChecked());
    for (TwoStateButton* button : std::as_const(m_alarmSwitches)) {
        const auto alarm = static_cast<VM24::Alarm>(button->property("alarm").toInt());
        button->setChecked(settings.value(Settings::alarmSwitch(alarm)));
        button->setIcon(QIcon(button->isChecked() ? QStringLiteral(":/icons/alarm-on")
                                                  : QStringLiteral(":/icons/alarm-off")));
    }
    updateAlarmSwitches();
    m_supportEmail->setValue(settings.value(Settings::SupportEmail));
}

void ApplicationSettings::updateNetworkControls()
{
    const bool isStatic = m_method->currentData().toString() == QLatin1String("static");
    if (isStatic) {
        const Settings settings;
        m_hostIp->setInputText(settings.value(Settings::NetworkHostIp));
        m_netmask->setValue(settings.value(Settings::NetworkNetmask).toInt());
        m_gateway->setInputText(settings.value(Settings::NetworkGateway));
        m_dns->setInputText(settings.value(Settings::NetworkDns));
    } else {
        const QPair<QString, int> address = VM24::get_if_address("eth0");
        m_hostIp->setInputText(address.first);
        m_netmask->setValue(address.second);
        m_gateway->setInputText(VM24::get_gateway());
        m_dns->setInputText(VM24::get_dns_for_interface("eth0"));
    }
    for (QWidget* field : {static_cast<QWidget*>(m_hostIp), static_cast<QWidget*>(m_netmask),
                           static_cast<QWidget*>(m_gateway), static_cast<QWidget*>(m_dns)})
        field->setEnabled(isStatic);
}

void ApplicationSettings::store(Settings& settings) const
{
    settings.setValue(Settings::UserText, m_userText->value());
    for (int row = 0; row < 3; ++row) {
        const Setting<QString> receiptRow = Settings::RECEIPT_ROWS[row];
        settings.setValue(receiptRow, m_receiptRows[row]->value().left(Settings::rule(receiptRow).maximum));
    }
    settings.setValue(Settings::DefaultLanguage, m_language->currentData().toString());
    settings.setValue(Settings::MaxChange, m_maxChange->value());
    settings.setValue(Settings::MaxCredit, m_maxCredit->value());
    for (int hopper = 0; hopper < 2; ++hopper)
        settings.setValue(Settings::HOPPER_VALUES[hopper], m_hoppers[hopper]->currentData().toInt());
    settings.setValue(Settings::Serial, m_serial->value());
    settings.setValue(Settings::UseOpticalBarrier, m_opticalBarrier->isChecked());
    settings.setValue(Settings::ShortWait, m_shortWait->value());
    settings.setValue(Settings::LongWait, m_longWait->value());
    settings.setValue(Settings::RestoreLanguageTimeout, m_languageRestore->value());
    settings.setValue(Settings::FtpTransferTime, m_ftpTransfer->time());
    settings.setValue(Settings::RemoteUpdateTime, m_remoteUpdate->time());
    const QString method = m_method->currentData().toString();
    settings.setValue(Settings::NetworkMethod, method);
    if (method == QLatin1String("static")) {
        settings.setValue(Settings::NetworkHostIp, m_hostIp->inputText().trimmed());
        settings.setValue(Settings::NetworkNetmask, QString::number(m_netmask->value()));
        settings.setValue(Settings::NetworkGateway, m_gateway->inputText().trimmed());
        settings.setValue(Settings::NetworkDns, m_dns->inputText().trimmed());
    }
    settings.setValue(Settings::FtpProtocol, m_protocol->currentData().toString());
    settings.setValue(Settings::FtpAddress, m_ftpAddress->value().trimmed());
    settings.setValue(Settings::FtpPort, m_ftpPort->value());
    settings.setValue(Settings::FtpUsername, m_ftpUser->value());
    settings.setValue(Settings::FtpPassword, m_ftpPassword->value());
    settings.setValue(Settings::UpdatesServerAddress, m_updatesAddress->value().trimmed());
    settings.setValue(Settings::EnableNotifications, m_notifications->isChecked());
    settings.setValue(Settings::AlarmsEmail, m_alarmEmail->value().trimmed());
    for (TwoStateButton* button : m_alarmSwitches) {
        const auto alarm = static_cast<VM24::Alarm>(button->property("alarm").toInt());
        settings.setValue(Settings::alarmSwitch(alarm), button->isChecked());
    }
    settings.setValue(Settings::SupportEmail, m_supportEmail->value().trimmed());
}

void ApplicationSettings::connectEditSignals()
{
    disconnectEditSignals();
    for (EditField* field : findChildren<EditField*>())
        m_editConnections.append(connect(field, &EditField::editingFinished, this, &ApplicationSettings::onEdit));
    for (QComboBox* combo : findChildren<QComboBox*>())
        m_editConnections.append(
            connect(combo, qOverload<int>(&QComboBox::currentIndexChanged), this, &ApplicationSettings::onEdit));
    for (TwoStateButton* button : findChildren<TwoStateButton*>())
        m_editConnections.append(connect(button, &QPushButton::toggled, this, &ApplicationSettings::onEdit));
    for (EditField* field : {static_cast<EditField*>(m_time), static_cast<EditField*>(m_date)})
        m_editConnections.append(connect(field, &EditField::editingFinished, this, [this] { m_clockEdited = true; }));
}

void ApplicationSettings::disconnectEditSignals()
{
    for (const QMetaObject::Connection& connection : std::as_const(m_editConnections))
        disconnect(connection);
    m_editConnections.clear();
}

void ApplicationSettings::onEdit()
{
    setEdited(true);
}

void ApplicationSettings::setEdited(bool edited)
{
    m_edited = edited;
    m_save->setEnabled(edited);
}

void ApplicationSettings::onAlarmsChanged(VM24::Alarms alarms)
{
    m_announcedAlarms = alarms;
    updateAlarmSwitches();
}

// A switch can be turned off while its alarm is on; one that is off can
// always be turned back on.
void ApplicationSettings::updateAlarmSwitches()
{
    for (TwoStateButton* button : std::as_const(m_alarmSwitches)) {
        const auto alarm = static_cast<VM24::Alarm>(button->property("alarm").toInt());
        button->setEnabled(m_announcedAlarms.testFlag(alarm) || !button->isChecked());
    }
}

void ApplicationSettings::saveSettings()
{
    saveSettingsThen({});
}

void ApplicationSettings::saveSettingsThen(std::function<void()> then)
{
    setEdited(false);
    {
        Settings settings;
        store(settings);
        settings.sync();
    }
    const QDateTime clock(m_date->date(), m_time->time());
    if (m_clockEdited && clock.isValid())
        m_settingsManager->setPendingClock(clock);
    SettingsManager* manager = m_settingsManager;
    const bool restart = m_clockEdited && clock.isValid();
    m_clockEdited = false;
    VM24::long_running_operation(QtConcurrent::run([manager] { manager->syncSettings(); }), this,
                                 tr("Salvataggio impostazioni in corso"), tr("Attendere prego"),
                                 [this, restart, then] { onSettingsSynced(restart, then); });
}

void ApplicationSettings::onSettingsSynced(bool restart, std::function<void()> then)
{
    qCInfo(maintenanceLog) << "settings saved";
    emit saved();
    if (!restart) {
        if (then)
            then();
        return;
    }
    InteractiveMessageDialog::showTemporary(tr("Modifica orologio di sistema"),
                                            tr("La macchina sarà riavviata tra 5 secondi"), CLOCK_RESTART_MS, this,
                                            [this, then] {
                                                if (m_powerControl)
                                                    m_powerControl->doAction(PowerControl::Restart);
                                                if (then)
                                                    then();
                                            });
}

void ApplicationSettings::onExitClicked()
{
    if (!m_edited) {
        finish();
        return;
    }
    ConfirmationDialog::ask(this, [this](bool save) {
        if (save)
            saveSettingsThen([this] { finish(); });
        else
            finish();
    });
}

void ApplicationSettings::testConnectivity()
{
    VM24::long_running_operation(
        QtConcurrent::run([] {
            const VM24::NetworkTestTargets targets = VM24::network_test_targets(Settings());
            return int(VM24::test_connectivity(targets.interface, targets.address, targets.host));
        }),
        this, tr("Esecuzione test di rete"), tr("Attendere prego"), -1, [this](int result) {
            m_connectivity->setText(result >= 0 && result <= VM24::Connected ? tr(CONNECTIVITY_TEXTS[result])
                                                                              : tr("<i>Test non eseguito</i>"));
        });
}
