#include "maintenance/peripheralmonitor.h"

#include "board/motor.h"
#include "maintenance/autotestwizard.h"
#include "maintenance/creditgroup.h"
#include "maintenance/devicestatusgroup.h"
#include "maintenance/deviceversionsgroup.h"
#include "maintenance/dispensercontrol.h"
#include "maintenance/dispensergroup.h"
#include "maintenance/hopperemptyinggroup.h"
#include "maintenance/maintenancelog.h"
#include "maintenance/outputswitchesgroup.h"
#include "maintenance/sensorinputsgroup.h"
#include "ui/interactivemessagedialog.h"
#include "ui/longrunningoperation.h"
#include "vending/peripheralmonitormodel.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const int LOWER_PART_HEIGHT = 600;

QString please_wait()
{
    return QCoreApplication::translate("PeripheralMonitor", "Attendere prego");
}

QPushButton* make_button(QWidget* parent)
{
    auto* button = new QPushButton(parent);
    button->setProperty("class", QStringLiteral("generic-menu-button bottom compact"));
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

PeripheralMonitor::PeripheralMonitor(Rk710Controller* controller, MotorDispenserMonitor* motors,
                                     FanControl* fanControl, Context* context, QWidget* parent)
    : MenuActivity(context, parent)
    , m_model(new PeripheralMonitorModel(controller, motors, fanControl, this))
    , m_title(new QLabel(this))
    , m_status(new DeviceStatusGroup(m_model, this))
    , m_inputs(new SensorInputsGroup(m_model, this))
    , m_dispensers(new DispenserGroup(m_model, this))
    , m_switches(new OutputSwitchesGroup(m_model, this))
    , m_hoppers(new HopperEmptyingGroup(this))
    , m_lowerPart(createLowerPart())
    , m_autotest(new AutotestWizard(m_model, this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 8, 16, 16);
    layout->setSpacing(8);
    m_title->setProperty("class", QStringLiteral("page-heading"));
    m_title->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_title);

    auto* columns = new QHBoxLayout;
    columns->setSpacing(MonitorGroup::COLUMN_SPACING);
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    left->setSpacing(4);
    right->setSpacing(4);
    left->addWidget(m_status);
    left->addWidget(m_inputs);
    right->addWidget(m_dispensers);
    right->addWidget(m_switches);
    right->addWidget(m_hoppers);
    left->addStretch();
    right->addStretch();
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    layout->addLayout(columns, 1);
    layout->addWidget(m_lowerPart);

    connect(m_dispensers, &DispenserGroup::dispenserClicked, this, &PeripheralMonitor::testDispenser);
    connect(m_hoppers, &HopperEmptyingGroup::emptyClicked, this, &PeripheralMonitor::emptyHopper);
    connect(m_model, &PeripheralMonitorModel::hopperValuesChanged, m_exit, [this] { m_exit->setEnabled(true); });
    connect(m_autotest, &AutotestWizard::finished, m_lowerPart, [this] { m_lowerPart->setEnabled(true); });
    retranslate();
}

PeripheralMonitor::~PeripheralMonitor() = default;

QWidget* PeripheralMonitor::createLowerPart()
{
    auto* part = new QWidget(this);
    auto* lower = new QVBoxLayout(part);
    lower->setContentsMargins(0, 0, 0, 0);
    auto* columns = new QHBoxLayout;
    columns->setSpacing(MonitorGroup::COLUMN_SPACING);
    m_credit = new CreditGroup(m_model, part);
    m_versions = new DeviceVersionsGroup(m_model, part);
    auto* credit = new QVBoxLayout;
    auto* versions = new QVBoxLayout;
    credit->addWidget(m_credit);
    versions->addWidget(m_versions);
    columns->addLayout(credit, 1);
    columns->addLayout(versions, 1);
    lower->addLayout(columns);
    createBottomButtons(lower);
    part->setFixedHeight(LOWER_PART_HEIGHT);
    return part;
}

void PeripheralMonitor::createBottomButtons(QVBoxLayout* layout)
{
    auto* row = new QHBoxLayout;
    row->setSpacing(12);
    m_autotestButton = make_button(this);
    m_versionsButton = make_button(this);
    m_printerTest = make_button(this);
    m_exit = make_button(this);
    m_versionsButton->setIcon(QIcon(QStringLiteral(":/icons/refresh")));
    m_exit->setIcon(QIcon(QStringLiteral(":/icons/exit")));
    for (QPushButton* button : {m_autotestButton, m_versionsButton, m_printerTest, m_exit})
        row->addWidget(button);
    layout->addLayout(row);
    connect(m_autotestButton, &QPushButton::clicked, this, &PeripheralMonitor::startAutotest);
    connect(m_versionsButton, &QPushButton::clicked, this, &PeripheralMonitor::refreshVersions);
    connect(m_printerTest, &QPushButton::clicked, this, &PeripheralMonitor::printTest);
    connect(m_exit, &QPushButton::clicked, this, [this] { finish(); });
}

void PeripheralMonitor::retranslate()
{
    m_title->setText(tr("Monitoraggio periferiche"));
    m_autotestButton->setText(tr("Autotest"));
    m_versionsButton->setText(tr("Aggiorna versioni"));
    m_printerTest->setText(tr("Test stampante"));
    m_exit->setText(tr("Esci"));
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
    m_exit->setEnabled(false);
    m_model->start();
}

void PeripheralMonitor::onStop()
{
    const QFuture<bool> restored = m_model->stop();
    m_autotest->hide();
    m_lowerPart->setEnabled(true);
    // The box stays over the page below until the board is restored.
    VM24::long_running_operation(restored, this, tr("Ripristino condizione iniziale"), please_wait(), false,
                                 [](bool ok) {
                                     if (!ok)
                                         qCWarning(maintenanceLog)
                                             << "peripheral monitor left while the board does not answer";
                                 });
}

void PeripheralMonitor::showPrintFailure()
{
    InteractiveMessageDialog::showInteractive(tr("Stampa non riuscita"), tr("Toccare questo riquadro per continuare"),
                                              InteractiveMessageDialog::DEFAULT_DURATION_MS, this);
}

void PeripheralMonitor::testDispenser(int motor)
{
    if (m_model->isBusy())
        return;
    QString title;
    switch (m_model->dispenserJob(motor)) {
    case PeripheralMonitorModel::ResetMotor:
        title = tr("Reset motore %1").arg(Motor::fromIndex(motor).number());
        break;
    case PeripheralMonitorModel::MoveMotor:
        title = tr("Movimentazione motore %1").arg(Motor::fromIndex(motor).number());
        break;
    case PeripheralMonitorModel::EmptyColumn:
        title = tr("Svuotamento colonna %1").arg(Motor::fromIndex(motor).number());
        break;
    }
    DispenserControl* tile = m_dispensers->dispenser(motor);
    tile->setDown(true);
    VM24::long_running_operation(m_model->runDispenser(motor), this, title, tr("Attendere completamento"), false,
                                 [tile](bool) { tile->setDown(false); });
}

void PeripheralMonitor::emptyHopper(int hopper)
{
    if (m_model->isBusy())
        return;
    VM24::long_running_operation(m_model->emptyHopper(hopper), this,
                                 tr("Attendere svuotamento hopper %1").arg(hopper + 1), please_wait(), -1,
                                 [this](int coins) {
                                     InteractiveMessageDialog::showInteractive(
                                         tr("Svuotamento Hopper"),
                                         tr("Prelevate <b style='color: green'>%1</b> monete").arg(qMax(0, coins)),
                                         InteractiveMessageDialog::DEFAULT_DURATION_MS, this);
                                 });
}

void PeripheralMonitor::printTest()
{
    VM24::long_running_operation(m_model->printTestReceipt(), this, tr("Esecuzione test di stampa"), please_wait(),
                                 false, [this](bool printed) {
                                     if (!printed)
                                         showPrintFailure();
                                 });
}

void PeripheralMonitor::refreshVersions()
{
    VM24::long_running_operation(m_model->refreshVersions(), this, tr("Recupero versioni dispositivi"),
                                 please_wait(), [] {});
}

void PeripheralMonitor::startAutotest()
{
    m_lowerPart->setEnabled(false);
    m_autotest->start(m_lowerPart->geometry().adjusted(-16, 0, 16, 16));
}
