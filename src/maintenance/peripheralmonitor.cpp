#include "maintenance/peripheralmonitor.h"

#include "board/boardstatus.h"
#include "board/creditpacket.h"
#include "board/devices.h"
#include "board/inputmask.h"
#include "board/outputmask.h"
#include "board/rk710controller.h"
#include "core/vm24.h"
#include "maintenance/abstractautotestpage.h"
#include "maintenance/dispenserautotestpage.h"
#include "maintenance/dispensercontrol.h"
#include "maintenance/interactiveautotestdialog.h"
#include "maintenance/maintenancelog.h"
#include "maintenance/moneyautotestpage.h"
#include "maintenance/onoffled.h"
#include "settings/settings.h"
#include "ui/interactivemessagedialog.h"
#include "ui/longrunningoperation.h"
#include "vending/hardwaretestreport.h"
#include "vending/maintenanceboardsession.h"
#include "vending/maintenancereceipts.h"
#include "vending/peripheraltests.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QDateTime>
#include <QGridLayout>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QScroller>
#include <QVBoxLayout>
#include <QThreadPool>
#include <QtConcurrentRun>

const int PeripheralMonitor::LIGHT_MASKS[LIGHT_COUNT] = {
    OutputMask::PrinterLight, OutputMask::CashLight,     OutputMask::DrawerLights, OutputMask::PosLight,
    OutputMask::VerifierLight, OutputMask::ChangeLight, OutputMask::CashlessLight,
};

namespace {

struct BitRow
{
    const char* text;
    int bit;
    bool inverted;
};

const BitRow STATUS_ROWS[] = {
    {QT_TRANSLATE_NOOP("PeripheralMonitor", "RK710 resettata"), 1, false},
    {QT_TRANSLATE_NOOP("PeripheralMonitor", "Coin acceptor"), 2, false},
    {QT_TRANSLATE_NOOP("PeripheralMonitor", "Rendiresto"), 4, false},
    {QT_TRANSLATE_NOOP("PeripheralMonitor", "Bill validator"), 8, false},
    {QT_TRANSLATE_NOOP("PeripheralMonitor", "Cashless"), 16, false},
    {QT_TRANSLATE_NOOP("PeripheralMonitor", "POS"), 32, false},
    {QT_TRANSLATE_NOOP("PeripheralMonitor", "Stampante"), 1024, false},
    {QT_TRANSLATE_NOOP("PeripheralMonitor", "Resto disponibile"), 32768, false},
    {QT_TRANSLATE_NOOP("PeripheralMonitor", "Carta scontrino disponibile"), 65536, true},
};

const BitRow INPUT_ROWS[] = {
    {QT_TRANSLATE_NOOP("PeripheralMonitor", "Tamper sportello"), InputMask::FrontDoorClosed, false},
    {QT_TRANSLATE_NOOP("PeripheralMonitor", "Tamper mobile"), InputMask::BackDoorClosed, false},
    {QT_TRANSLATE_NOOP("PeripheralMonitor", "Chiave allarme"), InputMask::AlarmKey, false},
    {QT_TRANSLATE_NOOP("PeripheralMonitor", "Sensore portello prodotti"), InputMask::ProductDoorSensor, false},
    {QT_TRANSLATE_NOOP("PeripheralMonitor", "Verificatore - carta presente"), InputMask::CardPresent, false},
    {QT_TRANSLATE_NOOP("PeripheralMonitor", "Verificatore - abilitato"), InputMask::CardVerifierEnabled, false},
    {QT_TRANSLATE_NOOP("PeripheralMonitor", "Barriera prodotto"), InputMask::ProductBarrier, false},
    {QT_TRANSLATE_NOOP("PeripheralMonitor", "Alimentazione da rete"), InputMask::MainsPower, false},
    {QT_TRANSLATE_NOOP("PeripheralMonitor", "Pulsante interno"), InputMask::InternalButton, false},
};

const char* const LIGHT_TEXTS[PeripheralMonitor::LIGHT_COUNT] = {
    QT_TRANSLATE_NOOP("PeripheralMonitor", "Stampante"), QT_TRANSLATE_NOOP("PeripheralMonitor", "Cash"),
    QT_TRANSLATE_NOOP("PeripheralMonitor", "Cassetto"),  QT_TRANSLATE_NOOP("PeripheralMonitor", "POS"),
    QT_TRANSLATE_NOOP("PeripheralMonitor", "Verificatore"), QT_TRANSLATE_NOOP("PeripheralMonitor", "Resto"),
    QT_TRANSLATE_NOOP("PeripheralMonitor", "Cashless"),
};

const char* const OUTPUT_TEXTS[PeripheralMonitor::OUTPUT_COUNT] = {
    QT_TRANSLATE_NOOP("PeripheralMonitor", "Batteria"),
    QT_TRANSLATE_NOOP("PeripheralMonitor", "Sblocca portello"),
    QT_TRANSLATE_NOOP("PeripheralMonitor", "Ventilazione"),
    QT_TRANSLATE_NOOP("PeripheralMonitor", "Sirena"),
};

const char* const CREDIT_TEXTS[] = {
    QT_TRANSLATE_NOOP("PeripheralMonitor", "Banconote"), QT_TRANSLATE_NOOP("PeripheralMonitor", "Monete"),
    QT_TRANSLATE_NOOP("PeripheralMonitor", "Cashless"),  QT_TRANSLATE_NOOP("PeripheralMonitor", "Cashbox"),
    QT_TRANSLATE_NOOP("PeripheralMonitor", "ID carta"),
};

const char* const NOT_PRESENT = QT_TRANSLATE_NOOP("PeripheralMonitor", "Non presente");
const char* const PLEASE_WAIT = QT_TRANSLATE_NOOP("PeripheralMonitor", "Attendere prego");
const int COLUMN_SPACING = 16;
const int COLUMN_WIDTH = (1080 - 2 * 16 - COLUMN_SPACING) / 2;
const int DISPENSER_COLUMNS = 6;
const int FAN_POWER = 50;
// Credit, versions and the buttons; the autotest lies over them.
const int LOWER_PART_HEIGHT = 600;
const int UNKNOWN = -1;

// The groups' frames give the room around their contents.
template <typename Layout>
Layout* tight(Layout* layout)
{
    layout->setContentsMargins(4, 4, 4, 4);
    return layout;
}

QPushButton* make_button(const QString& styleClass, QWidget* parent)
{
    auto* button = new QPushButton(parent);
    button->setProperty("class", styleClass);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QLabel* make_value(QWidget* parent)
{
    auto* label = new QLabel(QStringLiteral("-"), parent);
    label->setProperty("class", QStringLiteral("monitor-value"));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QString tr_monitor(const char* source)
{
    return QCoreApplication::translate("PeripheralMonitor", source);
}

QString money_or_dash(int cents)
{
    return cents < 0 ? QStringLiteral("-") : VM24::format_money(cents);
}

AbstractAutotestPage* make_page(const char* title, const char* heading, const char* text, int devices = 0,
                                const char* warning = nullptr, const char* absent = nullptr)
{
    AbstractAutotestPage::Texts texts;
    texts.title = title;
    texts.heading = heading;
    texts.text = text;
    texts.warning = warning;
    texts.absent = absent;
    return new AbstractAutotestPage(texts, devices);
}

} // namespace

PeripheralMonitor::PeripheralMonitor(Rk710Controller* controller, MotorDispenserMonitor* motors,
                                     FanControl* fanControl, Context* context, QWidget* parent)
    : MenuActivity(context, parent)
    , m_controller(controller)
    , m_motors(motors)
    , m_board(new MaintenanceBoardSession(controller, fanControl, this))
    , m_title(new QLabel(this))
    , m_modes(new QButtonGroup(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 8, 16, 16);
    layout->setSpacing(8);
    m_title->setProperty("class", QStringLiteral("page-heading"));
    m_title->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_title);

    auto* columns = new QHBoxLayout;
    columns->setSpacing(COLUMN_SPACING);
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    left->setSpacing(4);
    right->setSpacing(4);
    createStatusGroup(left);
    createInputGroup(left);
    createDispenserGroup(right);
    createLightsGroup(right);
    createHopperGroup(right);
    left->addStretch();
    right->addStretch();
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    layout->addLayout(columns, 1);

    // The lower part: what the autotest covers while it runs.
    m_lowerPart = new QWidget(this);
    auto* lower = new QVBoxLayout(m_lowerPart);
    lower->setContentsMargins(0, 0, 0, 0);
    auto* bottomColumns = new QHBoxLayout;
    bottomColumns->setSpacing(COLUMN_SPACING);
    auto* credit = new QVBoxLayout;
    auto* versions = new QVBoxLayout;
    createCreditGroup(credit);
    createVersionsGroup(versions);
    bottomColumns->addLayout(credit, 1);
    bottomColumns->addLayout(versions, 1);
    lower->addLayout(bottomColumns);
    createBottomButtons(lower);
    m_lowerPart->setFixedHeight(LOWER_PART_HEIGHT);
    layout->addWidget(m_lowerPart);
    createAutotest();

    m_creditTimer.setSingleShot(true);
    m_creditTimer.setInterval(CREDIT_PERIOD_MS);
    connect(&m_creditTimer, &QTimer::timeout, this, &PeripheralMonitor::requestCredit);
    m_doorCooldown.setSingleShot(true);
    m_doorCooldown.setInterval(DOOR_COOLDOWN_MS);
    connect(&m_doorCooldown, &QTimer::timeout, this, [this] { m_outputs.at(DoorLock)->setEnabled(true); });
    connect(m_board, &MaintenanceBoardSession::hopperValuesRead, this, [this](int hopper1, int hopper2) {
        showHopperValues(hopper1, hopper2);
        m_exit->setEnabled(true);
    });
    retranslate();
}

PeripheralMonitor::~PeripheralMonitor() = default;

QGroupBox* PeripheralMonitor::addGroup(QVBoxLayout* column, const char* title)
{
    auto* group = new QGroupBox(this);
    group->setProperty("class", QStringLiteral("form monitor"));
    group->setFixedWidth(COLUMN_WIDTH);
    m_texts.append({group, title});
    column->addWidget(group);
    return group;
}

QLabel* PeripheralMonitor::addTextLabel(const char* text, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setProperty("class", QStringLiteral("monitor-text"));
    m_texts.append({label, text});
    return label;
}

void PeripheralMonitor::createStatusGroup(QVBoxLayout* column)
{
    QGroupBox* group = addGroup(column, QT_TR_NOOP("Stato dispositivi"));
    auto* grid = tight(new QGridLayout(group));
    grid->setVerticalSpacing(6);
    int row = 0;
    for (const BitRow& bit : STATUS_ROWS) {
        grid->addWidget(addTextLabel(bit.text, group), row, 0, 1, 3);
        auto* led = new OnOffLed(group);
        grid->addWidget(led, row++, 3, Qt::AlignRight);
        m_statusLeds.append(led);
    }
    const char* const hoppers[] = {QT_TR_NOOP("Hopper 1"), QT_TR_NOOP("Hopper 2")};
    for (int hopper = 0; hopper < 2; ++hopper) {
        grid->addWidget(addTextLabel(hoppers[hopper], group), row, 0);
        m_hopperValues[hopper] = make_value(group);
        m_hopperCoins[hopper] = new QLabel(group);
        m_hopperCoins[hopper]->setFixedSize(OnOffLed::DIAMETER, OnOffLed::DIAMETER);
        m_hopperCoins[hopper]->setScaledContents(true);
        m_hopperLeds[hopper] = new OnOffLed(group);
        grid->addWidget(m_hopperValues[hopper], row, 1);
        grid->addWidget(m_hopperCoins[hopper], row, 2);
        grid->addWidget(m_hopperLeds[hopper], row++, 3, Qt::AlignRight);
    }
    grid->setColumnStretch(0, 1);
}

void PeripheralMonitor::createInputGroup(QVBoxLayout* column)
{
    QGroupBox* group = addGroup(column, QT_TR_NOOP("Input sensori"));
    auto* grid = tight(new QGridLayout(group));
    grid->setVerticalSpacing(6);
    int row = 0;
    for (const BitRow& bit : INPUT_ROWS) {
        grid->addWidget(addTextLabel(bit.text, group), row, 0);
        auto* led = new OnOffLed(group);
        grid->addWidget(led, row++, 1, Qt::AlignRight);
        m_inputLeds.append(led);
    }
    m_battery = make_value(group);
    m_temperature = make_value(group);
    grid->addWidget(addTextLabel(QT_TR_NOOP("Carica batteria"), group), row, 0);
    grid->addWidget(m_battery, row++, 1);
    grid->addWidget(addTextLabel(QT_TR_NOOP("Temperatura"), group), row, 0);
    grid->addWidget(m_temperature, row++, 1);
    grid->setColumnStretch(0, 1);
}

void PeripheralMonitor::createDispenserGroup(QVBoxLayout* column)
{
    QGroupBox* group = addGroup(column, QT_TR_NOOP("Erogatori"));
    auto* layout = tight(new QVBoxLayout(group));
    auto* tiles = new QGridLayout;
    tiles->setSpacing(8);
    for (int motor = 0; motor < MotorDispenserMonitor::MOTOR_COUNT; ++motor) {
        auto* tile = new DispenserControl(motor + 1, group);
        tiles->addWidget(tile, motor / DISPENSER_COLUMNS, motor % DISPENSER_COLUMNS, Qt::AlignCenter);
        connect(tile, &QAbstractButton::clicked, this, [this, motor] { onDispenserClicked(motor); });
        m_dispensers.append(tile);
    }
    layout->addLayout(tiles);
    auto* modes = new QHBoxLayout;
    const char* const texts[] = {QT_TR_NOOP("Test"), QT_TR_NOOP("Svuotamento")};
    for (int mode = TestMode; mode <= EmptyMode; ++mode) {
        QPushButton* button = make_button(QStringLiteral("generic-menu-button"), group);
        button->setCheckable(true);
        m_texts.append({button, texts[mode]});
        m_modes->addButton(button, mode);
        modes->addWidget(button);
    }
    m_modes->setExclusive(true);
    m_modes->button(TestMode)->setChecked(true);
    layout->addLayout(modes);
}

void PeripheralMonitor::createLightsGroup(QVBoxLayout* column)
{
    QGroupBox* group = addGroup(column, QT_TR_NOOP("Luci e attuatori"));
    auto* grid = tight(new QGridLayout(group));
    grid->setSpacing(8);
    for (int light = 0; light < LIGHT_COUNT; ++light) {
        QPushButton* button = make_button(QStringLiteral("generic-menu-button monitor-switch"), group);
        button->setCheckable(true);
        m_texts.append({button, LIGHT_TEXTS[light]});
        grid->addWidget(button, light / 2, light % 2);
        connect(button, &QPushButton::clicked, this, [this, light](bool on) { switchLight(light, on); });
        m_lights.append(button);
    }
    for (int output = 0; output < OUTPUT_COUNT; ++output) {
        QPushButton* button = make_button(QStringLiteral("generic-menu-button monitor-switch output"), group);
        button->setCheckable(true);
        m_texts.append({button, OUTPUT_TEXTS[output]});
        const int at = LIGHT_COUNT + 1 + output;
        grid->addWidget(button, at / 2, at % 2);
        connect(button, &QPushButton::clicked, this,
                [this, output](bool on) { switchOutput(static_cast<Output>(output), on); });
        m_outputs.append(button);
    }
}

void PeripheralMonitor::createHopperGroup(QVBoxLayout* column)
{
    QGroupBox* group = addGroup(column, QT_TR_NOOP("Svuotamento Hopper"));
    auto* row = tight(new QHBoxLayout(group));
    const char* const texts[] = {QT_TR_NOOP("Hopper 1"), QT_TR_NOOP("Hopper 2")};
    for (int hopper = 0; hopper < 2; ++hopper) {
        m_hopperButtons[hopper] = make_button(QStringLiteral("generic-menu-button"), group);
        m_texts.append({m_hopperButtons[hopper], texts[hopper]});
        row->addWidget(m_hopperButtons[hopper]);
        connect(m_hopperButtons[hopper], &QPushButton::clicked, this, [this, hopper] { emptyHopper(hopper); });
    }
}

void PeripheralMonitor::createCreditGroup(QVBoxLayout* column)
{
    QGroupBox* group = addGroup(column, QT_TR_NOOP("Credito"));
    auto* grid = tight(new QGridLayout(group));
    grid->setVerticalSpacing(4);
    int row = 0;
    for (const char* text : CREDIT_TEXTS) {
        grid->addWidget(addTextLabel(text, group), row, 0);
        QLabel* value = make_value(group);
        grid->addWidget(value, row++, 1);
        m_creditValues.append(value);
    }
    grid->setColumnStretch(0, 1);
}

void PeripheralMonitor::createVersionsGroup(QVBoxLayout* column)
{
    QGroupBox* group = addGroup(column, QT_TR_NOOP("Versioni dispositivi"));
    auto* layout = tight(new QVBoxLayout(group));
    auto* scroll = new QScrollArea(group);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_versions = new QLabel;
    m_versions->setProperty("class", QStringLiteral("monitor-versions"));
    m_versions->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_versions->setTextFormat(Qt::PlainText);
    scroll->setWidget(m_versions);
    scroll->viewport()->setAutoFillBackground(false);
    m_versions->setAutoFillBackground(false);
    QScroller::grabGesture(scroll->viewport(), QScroller::LeftMouseButtonGesture);
    layout->addWidget(scroll, 1);
}

void PeripheralMonitor::createBottomButtons(QVBoxLayout* layout)
{
    auto* row = new QHBoxLayout;
    row->setSpacing(12);
    const QString styleClass = QStringLiteral("generic-menu-button bottom compact");
    m_autotestButton = make_button(styleClass, this);
    m_versionsButton = make_button(styleClass, this);
    m_printerTest = make_button(styleClass, this);
    m_exit = make_button(styleClass, this);
    m_versionsButton->setIcon(QIcon(QStringLiteral(":/icons/refresh")));
    m_exit->setIcon(QIcon(QStringLiteral(":/icons/exit")));
    m_texts.append({m_autotestButton, QT_TR_NOOP("Autotest")});
    m_texts.append({m_versionsButton, QT_TR_NOOP("Aggiorna versioni")});
    m_texts.append({m_printerTest, QT_TR_NOOP("Test stampante")});
    m_texts.append({m_exit, QT_TR_NOOP("Esci")});
    for (QPushButton* button : {m_autotestButton, m_versionsButton, m_printerTest, m_exit})
        row->addWidget(button);
    layout->addLayout(row);
    connect(m_autotestButton, &QPushButton::clicked, this, &PeripheralMonitor::startAutotest);
    connect(m_versionsButton, &QPushButton::clicked, this, &PeripheralMonitor::refreshVersions);
    connect(m_printerTest, &QPushButton::clicked, this, &PeripheralMonitor::printTest);
    connect(m_exit, &QPushButton::clicked, this, [this] { finish(); });
}

void PeripheralMonitor::createAutotest()
{
    m_autotest = new InteractiveAutotestDialog(this);
    AbstractAutotestPage::Texts welcome;
    welcome.title = QT_TRANSLATE_NOOP("InteractiveAutotestDialog", "Autotest");
    welcome.heading = QT_TRANSLATE_NOOP("InteractiveAutotestDialog", "Autotest");
    welcome.text = QT_TRANSLATE_NOOP(
        "InteractiveAutotestDialog",
        "Il test guidato passa in rassegna sensori, erogatori, luci, monete, banconote e cashless, usando il "
        "monitor qui sopra. Per ogni test premi 'Successivo' per andare avanti, 'Salta' per saltarlo, "
        "'Annulla' per uscire.");
    welcome.informative = true;
    m_autotest->addPage(new AbstractAutotestPage(welcome, 0));
    m_autotest->addPage(make_page(QT_TRANSLATE_NOOP("InteractiveAutotestDialog", "Test input"),
                                  QT_TRANSLATE_NOOP("InteractiveAutotestDialog", "Collaudo sensori"),
                                  QT_TRANSLATE_NOOP("InteractiveAutotestDialog",
                                                    "Verifica il funzionamento dei sensori.")));
    m_autotest->addPage(new DispenserAutotestPage);
    m_autotest->addPage(make_page(QT_TRANSLATE_NOOP("InteractiveAutotestDialog", "Test luci"),
                                  QT_TRANSLATE_NOOP("InteractiveAutotestDialog", "Collaudo luci ed attuatori"),
                                  QT_TRANSLATE_NOOP("InteractiveAutotestDialog",
                                                    "Verifica il funzionamento delle luci e degli attuatori.")));
    m_autotest->addPage(new MoneyAutotestPage(MoneyAutotestPage::Coins));
    m_autotest->addPage(new MoneyAutotestPage(MoneyAutotestPage::Banknotes));
    m_autotest->addPage(make_page(
        QT_TRANSLATE_NOOP("InteractiveAutotestDialog", "Test cashless"),
        QT_TRANSLATE_NOOP("InteractiveAutotestDialog", "Collaudo cashless"),
        QT_TRANSLATE_NOOP("InteractiveAutotestDialog", "Verifica il funzionamento del cashless."),
        BoardStatus::Cashless,
        QT_TRANSLATE_NOOP("InteractiveAutotestDialog",
                          "Attenzione: cashless non presente. Se si prosegue il test si considererà fallito."),
        QT_TRANSLATE_NOOP("InteractiveAutotestDialog", "Cashless non presente")));
    m_autotest->hide();
    connect(m_autotest, &InteractiveAutotestDialog::summaryConfirmed, this, &PeripheralMonitor::printAutotestSummary);
    connect(m_autotest, &QDialog::finished, this, [this] { m_lowerPart->setEnabled(true); });
}

void PeripheralMonitor::retranslate()
{
    m_title->setText(tr("Monitoraggio periferiche"));
    for (const auto& text : qAsConst(m_texts)) {
        const QString translated = tr_monitor(text.second);
        if (auto* group = qobject_cast<QGroupBox*>(text.first))
            group->setTitle(translated);
        else if (auto* label = qobject_cast<QLabel*>(text.first))
            label->setText(translated);
        else if (auto* button = qobject_cast<QAbstractButton*>(text.first))
            button->setText(translated);
    }
    showCredit(m_credit);
}

void PeripheralMonitor::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    MenuActivity::changeEvent(event);
}

void PeripheralMonitor::onStart()
{
    MenuActivity::onStart();
    m_running = true;
    m_exit->setEnabled(false);
    for (QPushButton* button : m_lights + m_outputs)
        button->setChecked(false);
    m_outputs.at(DoorLock)->setEnabled(true);
    m_doorCooldown.stop();
    m_board->begin();
    m_autotest->onCreditCleared();
    showInputs(m_controller->getInputs());
    showStatus(m_controller->getBoardStatus());
    for (int motor = 0; motor < MotorDispenserMonitor::MOTOR_COUNT; ++motor)
        showMotor(motor, m_motors->motor(motor));
    connectBoard();
    m_creditTimer.start();
    Rk710Controller* controller = m_controller;
    QtConcurrent::run(controller->shortJobs(), [controller] { return VM24::read_device_versions(controller); })
        .then(this, [this](const QStringList& versions) { showVersions(versions); });
}

void PeripheralMonitor::onStop()
{
    m_running = false;
    m_creditTimer.stop();
    m_doorCooldown.stop();
    disconnectBoard();
    m_autotest->hide();
    m_lowerPart->setEnabled(true);
    // The box stays over the page below until the board is restored.
    VM24::long_running_operation(m_board->end(), this, tr("Ripristino condizione iniziale"), tr_monitor(PLEASE_WAIT),
                                 false, [](bool restored) {
                                     if (!restored)
                                         qCWarning(maintenanceLog)
                                             << "peripheral monitor left while the board does not answer";
                                 });
}

void PeripheralMonitor::connectBoard()
{
    m_boardConnections << connect(m_controller, &Rk710Controller::inputChanged, this, &PeripheralMonitor::showInputs)
                       << connect(m_controller, &Rk710Controller::deviceStatusChanged, this,
                                  &PeripheralMonitor::showStatus)
                       << connect(m_controller, &Rk710Controller::actuatorsChanged, this,
                                  &PeripheralMonitor::showActuators)
                       << connect(m_motors, &MotorDispenserMonitor::motorStateChanged, this,
                                  &PeripheralMonitor::showMotor);
}

void PeripheralMonitor::disconnectBoard()
{
    for (const QMetaObject::Connection& connection : qAsConst(m_boardConnections))
        disconnect(connection);
    m_boardConnections.clear();
}

void PeripheralMonitor::showInputs(qint32 inputs)
{
    for (int row = 0; row < m_inputLeds.size(); ++row)
        m_inputLeds.at(row)->setOn((inputs & INPUT_ROWS[row].bit) != 0);
    m_battery->setText(QStringLiteral("%1%").arg(InputMask::battery_charge(inputs)));
    m_temperature->setText(QStringLiteral("%1 °C").arg(InputMask::temperature(inputs)));
}

void PeripheralMonitor::showStatus(qint32 status)
{
    for (int row = 0; row < m_statusLeds.size(); ++row)
        m_statusLeds.at(row)->setOn(((status & STATUS_ROWS[row].bit) != 0) != STATUS_ROWS[row].inverted);
    const int present[] = {BoardStatus::Hopper1, BoardStatus::Hopper2};
    const int coins[] = {BoardStatus::Hopper1Coins, BoardStatus::Hopper2Coins};
    for (int hopper = 0; hopper < 2; ++hopper) {
        m_hopperLeds[hopper]->setOn((status & present[hopper]) != 0);
        const bool holdsCoins = (status & coins[hopper]) != 0;
        m_hopperCoins[hopper]->setPixmap(
            QIcon(holdsCoins ? QStringLiteral(":/icons/coins") : QStringLiteral(":/icons/no-coins"))
                .pixmap(OnOffLed::DIAMETER, OnOffLed::DIAMETER));
        m_hopperCoins[hopper]->setProperty("holdsCoins", holdsCoins);
    }
    for (int motor = 0; motor < m_dispensers.size(); ++motor)
        m_dispensers.at(motor)->setEnabled(BoardStatus::is_controller_available(status, motor));
    m_autotest->setDeviceStatus(status);
}

void PeripheralMonitor::showActuators(qint32 actuators)
{
    for (int light = 0; light < LIGHT_COUNT; ++light)
        m_lights.at(light)->setChecked((actuators & LIGHT_MASKS[light]) == LIGHT_MASKS[light]);
    m_outputs.at(Battery)->setChecked((actuators & OutputMask::Battery) != 0);
    m_outputs.at(Ventilation)->setChecked((actuators & OutputMask::ChassisFan) != 0);
    m_outputs.at(Siren)->setChecked((actuators & OutputMask::Siren) != 0);
}

void PeripheralMonitor::showMotor(int motor, MotorDispenserMonitor::MotorState state)
{
    if (motor < 0 || motor >= m_dispensers.size())
        return;
    m_dispensers.at(motor)->setProductAvailable(!state.empty);
    m_dispensers.at(motor)->setError(state.error);
}

void PeripheralMonitor::showCredit(const CreditPacket& credit)
{
    if (!credit.isValid())
        return;
    m_credit = credit;
    const int amounts[] = {credit.bill, credit.coins, credit.cashless, credit.coinBox};
    for (int row = 0; row < 4; ++row)
        m_creditValues.at(row)->setText(VM24::format_money(amounts[row]));
    m_creditValues.at(4)->setText(credit.cardId < 0 ? tr_monitor(NOT_PRESENT) : QString::number(credit.cardId));
}

void PeripheralMonitor::showHopperValues(int hopper1, int hopper2)
{
    m_hopperValues[0]->setText(money_or_dash(hopper1));
    m_hopperValues[1]->setText(money_or_dash(hopper2));
}

void PeripheralMonitor::showVersions(const QStringList& versions)
{
    QStringList lines;
    for (int device = 0; device < versions.size(); ++device) {
        if (!versions.at(device).isEmpty())
            lines.append(Devices::to_string(static_cast<Devices::Index>(device)) + QStringLiteral(": ")
                         + versions.at(device));
    }
    m_versions->setText(lines.join(QLatin1Char('\n')));
}

void PeripheralMonitor::requestCredit()
{
    Rk710Controller* controller = m_controller;
    QtConcurrent::run(controller->shortJobs(), [controller] { return controller->getCredit(); })
        .then(this, [this](const CreditPacket& credit) { onCreditRead(credit); });
}

void PeripheralMonitor::onCreditRead(const CreditPacket& credit)
{
    showCredit(credit);
    if (credit.isValid())
        m_autotest->feedCredit(credit);
    if (m_running && !m_busy)
        m_creditTimer.start();
}

void PeripheralMonitor::switchLight(int light, bool on)
{
    const int mask = LIGHT_MASKS[light];
    runSwitch([on, mask](Rk710Controller* controller) { controller->setOutput(on, mask); });
}

// The switches show what the board took: after the request, the outputs as
// the controller knows them (a request that failed leaves them as they were).
void PeripheralMonitor::runSwitch(const std::function<void(Rk710Controller*)>& request)
{
    Rk710Controller* controller = m_controller;
    QtConcurrent::run(controller->shortJobs(),
                      [controller, request] {
                          request(controller);
                          return controller->getActuators();
                      })
        .then(this, [this](int actuators) {
            if (m_running)
                showActuators(actuators);
        });
}

void PeripheralMonitor::switchOutput(Output output, bool on)
{
    switch (output) {
    case Battery:
        runSwitch([on](Rk710Controller* controller) { controller->setOutput(on, OutputMask::Battery); });
        break;
    case Siren:
        runSwitch([on](Rk710Controller* controller) { controller->setOutput(on, OutputMask::Siren); });
        break;
    case Ventilation:
        runSwitch([on](Rk710Controller* controller) {
            if (controller->setOutput(on, OutputMask::ChassisFan))
                controller->setPwmOutput(on ? 1 : 0, on ? FAN_POWER : 0, on ? FAN_POWER : 0, 0);
        });
        break;
    case DoorLock: {
        // The lock's motor needs its time before the next command.
        m_outputs.at(DoorLock)->setEnabled(false);
        m_doorCooldown.start();
        Rk710Controller* controller = m_controller;
        controller->start(QRunnable::create([controller, on] { controller->setDoorStatus(on); }));
        break;
    }
    case OUTPUT_COUNT:
        break;
    }
}

void PeripheralMonitor::setDispenserMode(DispenserMode mode)
{
    m_modes->button(mode)->setChecked(true);
}

void PeripheralMonitor::runLongJob(const QString& title, const std::function<bool()>& job,
                                   std::function<void(bool)> done)
{
    pauseCreditReads(true);
    VM24::long_running_operation(QtConcurrent::run(m_controller->longJobs(), job), this, title,
                                 tr("Attendere completamento"), false, [this, done](bool ok) {
                                     pauseCreditReads(false);
                                     done(ok);
                                 });
}

// Long jobs wait on the board's other queue; the credit is not read meanwhile.
void PeripheralMonitor::pauseCreditReads(bool pause)
{
    m_busy = pause;
    if (pause)
        m_creditTimer.stop();
    else if (m_running)
        m_creditTimer.start();
}

void PeripheralMonitor::showPrintFailure()
{
    InteractiveMessageDialog::showInteractive(tr("Stampa non riuscita"), tr("Toccare questo riquadro per continuare"),
                                              InteractiveMessageDialog::DEFAULT_DURATION_MS, this);
}

void PeripheralMonitor::onDispenserClicked(int motor)
{
    if (m_busy)
        return;
    Rk710Controller* controller = m_controller;
    const signed char wireMotor = static_cast<signed char>(motor + 1);
    DispenserControl* tile = m_dispensers.at(motor);
    tile->setDown(true);
    const auto tested = [this, tile, motor](bool ok) {
        tile->setDown(false);
        // A board that does not answer ran no test: the motor's state stays.
        if (!ok && !m_controller->isAlive())
            return;
        m_motors->setError(motor, !ok);
        if (ok)
            m_autotest->onDispenserTested(motor);
    };
    if (m_motors->motor(motor).error) {
        runLongJob(tr("Reset motore %1").arg(motor + 1),
                   [controller, wireMotor] { return controller->resetMotor(wireMotor); }, tested);
    } else if (m_modes->checkedId() == TestMode) {
        runLongJob(tr("Movimentazione motore %1").arg(motor + 1),
                   [controller, wireMotor] { return controller->deliverProduct(wireMotor); }, tested);
    } else {
        runLongJob(tr("Svuotamento colonna %1").arg(motor + 1),
                   [controller, motor] { return VM24::empty_column(controller, motor); }, tested);
    }
}

void PeripheralMonitor::emptyHopper(int hopper)
{
    if (m_busy)
        return;
    Rk710Controller* controller = m_controller;
    const auto item = hopper == 0 ? Rk710SerialProtocol::Hopper1 : Rk710SerialProtocol::Hopper2;
    pauseCreditReads(true);
    VM24::long_running_operation(
        QtConcurrent::run(controller->longJobs(), [controller, item] { return VM24::empty_hopper(controller, item); }),
        this, tr("Attendere svuotamento hopper %1").arg(hopper + 1), tr_monitor(PLEASE_WAIT), -1, [this](int coins) {
            pauseCreditReads(false);
            InteractiveMessageDialog::showInteractive(
                tr("Svuotamento Hopper"), tr("Prelevate <b style='color: green'>%1</b> monete").arg(qMax(0, coins)),
                InteractiveMessageDialog::DEFAULT_DURATION_MS, this);
        });
}

void PeripheralMonitor::printTest()
{
    Rk710Controller* controller = m_controller;
    const ReceiptHelper receipt = VM24::printer_test_receipt(QDateTime::currentDateTime());
    VM24::long_running_operation(
        QtConcurrent::run(controller->shortJobs(), [controller, receipt] { return controller->printReceipt(receipt); }),
        this, tr("Esecuzione test di stampa"), tr_monitor(PLEASE_WAIT), false, [this](bool printed) {
            if (!printed)
                showPrintFailure();
        });
}

void PeripheralMonitor::refreshVersions()
{
    Rk710Controller* controller = m_controller;
    const QFuture<QStringList> versions
        = QtConcurrent::run(controller->shortJobs(), [controller] { return VM24::read_device_versions(controller); });
    // A read that gave nothing leaves the versions shown as they were.
    VM24::long_running_operation(QFuture<void>(versions), this, tr("Recupero versioni dispositivi"),
                                 tr_monitor(PLEASE_WAIT), [this, versions] {
                                     if (versions.resultCount() > 0)
                                         showVersions(versions.result());
                                 });
}

void PeripheralMonitor::startAutotest()
{
    m_autotest->setDeviceStatus(m_controller->getBoardStatus());
    m_autotest->restart();
    m_autotest->setGeometry(m_lowerPart->geometry().adjusted(-16, 0, 16, 16));
    m_lowerPart->setEnabled(false);
    m_autotest->show();
    m_autotest->raise();
}

void PeripheralMonitor::printAutotestSummary()
{
    HardwareTestReport report;
    report.time = QDateTime::currentDateTime();
    report.serial = VM24::format_serial(Settings().value(Settings::Serial));
    report.version = QCoreApplication::applicationVersion();
    report.tests = m_autotest->results();
    Rk710Controller* controller = m_controller;
    VM24::long_running_operation(
        QtConcurrent::run(controller->shortJobs(), [controller, report]() mutable {
                               report.deviceVersions = VM24::read_device_versions(controller);
                               return controller->printReceipt(VM24::hardware_test_receipt(report));
                           }),
        this, tr("Stampa di riepilogo in corso"), tr_monitor(PLEASE_WAIT), false, [this](bool printed) {
            if (!printed) {
                showPrintFailure();
                return;
            }
            m_autotest->accept();
        });
}
