#include "maintenance/productarrangement.h"

#include "board/motor.h"
#include "catalogue/productids.h"
#include "catalogue/productprovider.h"
#include "input/confirmationdialog.h"
#include "input/numpad.h"
#include "maintenance/maintenancelog.h"
#include "maintenance/productmenubutton.h"
#include "maintenance/productselectiondialog.h"
#include "settings/settings.h"
#include "ui/interactivemessagedialog.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

const QSize ProductArrangement::BUTTON_SIZE(269, 317);

namespace {

const int GRID_LEFT = 2;
const int GRID_TOP = 85;
const int COLUMNS = 4;
// The first row's middle, between selections 0 and 1.
const QRect LEGEND_AREA(GRID_LEFT + 269 + 12, GRID_TOP + 6, 2 * 269 - 24, 317 - 12);
const QRect TITLE_AREA(0, 0, 1080, GRID_TOP);
const QRect BUTTON_ROW(24, 1700, 1032, 180);
const int MESSAGE_MS = 5000;

// Label and text of each legend row; the colours are those of the bases.
const char* const LEGEND[][2] = {
    {QT_TRANSLATE_NOOP("ProductArrangement", "<b style='color: #00238c'>Fondo blu:</b>"),
     QT_TRANSLATE_NOOP("ProductArrangement", "Funzionamento normale erogatore")},
    {QT_TRANSLATE_NOOP("ProductArrangement", "<b style='color: #ba972d'>Fondo giallo:</b>"),
     QT_TRANSLATE_NOOP("ProductArrangement", "Colonna vuota")},
    {QT_TRANSLATE_NOOP("ProductArrangement", "<b style='color: #b82c2c'>Fondo rosso:</b>"),
     QT_TRANSLATE_NOOP("ProductArrangement", "Erogatore in errore")},
    {QT_TRANSLATE_NOOP("ProductArrangement", "<b>Selezioni riservate:<b>"), nullptr},
};

QString reserved_selections()
{
    QStringList numbers;
    for (int selection : VM24::BRIXO_RESERVED_BUTTONS)
        numbers.append(QString::number(selection + 1));
    return numbers.join(QStringLiteral(", "));
}

} // namespace

ProductArrangement::ProductArrangement(ProductProvider* provider, MotorDispenserMonitor* motors, Context* context,
                                       QWidget* parent)
    : MenuActivity(context, parent)
    , m_provider(provider)
    , m_motors(motors)
    , m_arrangement(VM24::NUMBER_OF_SELECTIONS)
    , m_title(new QLabel(this))
{
    m_title->setProperty("class", QStringLiteral("page-heading"));
    m_title->setAlignment(Qt::AlignCenter);
    m_title->setGeometry(TITLE_AREA);
    for (int selection = 0; selection < VM24::NUMBER_OF_SELECTIONS; ++selection) {
        auto* button = new ProductMenuButton(this);
        button->move(buttonPosition(selection));
        connect(button, &QAbstractButton::clicked, this, [this, selection] { onProductSelected(selection); });
        connect(button, &ProductMenuButton::topButtonClicked, this,
                [this, selection] { onMotorMapButtonClicked(selection); });
        m_buttons.append(button);
    }
    QWidget* legend = createLegend();
    legend->setGeometry(LEGEND_AREA);

    auto* row = new QWidget(this);
    row->setGeometry(BUTTON_ROW);
    auto* buttons = new QHBoxLayout(row);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->setSpacing(24);
    m_exit = new QPushButton(QIcon(QStringLiteral(":/icons/exit")), QString(), row);
    m_save = new QPushButton(QIcon(QStringLiteral(":/icons/save")), QString(), row);
    for (QPushButton* button : {m_exit, m_save}) {
        button->setProperty("class", QStringLiteral("generic-menu-button bottom"));
        button->setFocusPolicy(Qt::NoFocus);
        buttons->addWidget(button);
    }
    connect(m_exit, &QPushButton::clicked, this, &ProductArrangement::onExitClicked);
    connect(m_save, &QPushButton::clicked, this, &ProductArrangement::saveSettings);
    m_save->setEnabled(false);
    retranslate();
}

QPoint ProductArrangement::buttonPosition(int selection)
{
    int row = 0;
    int column = 0;
    if (selection == 1) {
        column = COLUMNS - 1;
    } else if (selection >= 2) {
        row = 1 + (selection - 2) / COLUMNS;
        column = (selection - 2) % COLUMNS;
    }
    return QPoint(BUTTON_SIZE.width() * column + GRID_LEFT, BUTTON_SIZE.height() * row + GRID_TOP);
}

QWidget* ProductArrangement::createLegend()
{
    auto* box = new QFrame(this);
    box->setObjectName(QStringLiteral("legend"));
    box->setStyleSheet(QStringLiteral("#legend { background: #f4f6fa; border-radius: 11px; }"
                                      "#legend QLabel { color: #0b1633; font-size: 21px; }"));
    auto* layout = new QGridLayout(box);
    layout->setContentsMargins(16, 10, 16, 10);
    layout->setHorizontalSpacing(12);
    layout->setVerticalSpacing(4);
    m_legendTitle = new QLabel(box);
    m_legendTitle->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_legendTitle, 0, 0, 1, 2);
    int row = 1;
    for (const auto& entry : LEGEND) {
        auto* label = new QLabel(box);
        m_legendTexts.append({label, entry[0]});
        if (entry[1]) {
            auto* text = new QLabel(box);
            text->setWordWrap(true);
            m_legendTexts.append({text, entry[1]});
            layout->addWidget(label, row, 0);
            layout->addWidget(text, row, 1);
        } else {
            layout->addWidget(label, row, 0, 1, 2);
        }
        ++row;
    }
    m_reservedText = new QLabel(box);
    m_reservedText->setWordWrap(true);
    layout->addWidget(m_reservedText, row, 0, 1, 2);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(row + 1, 1);
    return box;
}

QString ProductArrangement::reservedLegendText() const
{
    return tr("Le selezioni <b>%1</b><br/>ammettono solo prodotti Brixo").arg(reserved_selections());
}

void ProductArrangement::retranslate()
{
    m_title->setText(tr("Impostazione selezioni"));
    m_legendTitle->setText(QStringLiteral("<b>%1</b>").arg(tr("Legenda")));
    for (const auto& text : std::as_const(m_legendTexts))
        text.first->setText(tr(text.second));
    m_reservedText->setText(reservedLegendText());
    m_exit->setText(tr("Esci"));
    m_save->setText(tr("Salva modifiche"));
}

void ProductArrangement::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    MenuActivity::changeEvent(event);
}

void ProductArrangement::onStart()
{
    m_arrangement = m_provider->arrangement();
    m_arrangement.resize(VM24::NUMBER_OF_SELECTIONS);
    m_storedMapping = currentMapping();
    for (int selection = 0; selection < VM24::NUMBER_OF_SELECTIONS; ++selection) {
        showProduct(selection);
        showMotor(selection);
    }
    setModified(false);
    m_monitorConnections.append(
        connect(m_motors, &MotorDispenserMonitor::motorStateChanged, this, &ProductArrangement::onMotorStateChanged));
    m_monitorConnections.append(connect(m_motors, &MotorDispenserMonitor::motorMappingChanged, this,
                                        &ProductArrangement::onMotorMappingChanged));
    MenuActivity::onStart();
}

void ProductArrangement::onResume(const ActivityResult&)
{
}

// A motor map changed and not saved goes back to the stored one.
void ProductArrangement::onStop()
{
    for (const QMetaObject::Connection& connection : std::as_const(m_monitorConnections))
        disconnect(connection);
    m_monitorConnections.clear();
    restoreMapping();
    setModified(false);
}

void ProductArrangement::showProduct(int selection)
{
    const ProductRecord& product = m_provider->getProduct(m_arrangement.at(selection));
    ProductMenuButton* button = m_buttons.at(selection);
    button->setPrice(product.price(0));
    button->setImage(product.id().isEmpty() ? QPixmap() : m_provider->getThumbnail(product.id()));
}

void ProductArrangement::showMotor(int selection)
{
    ProductMenuButton* button = m_buttons.at(selection);
    const MotorDispenserMonitor::MotorState& state = m_motors->selection(selection);
    button->setMotor(m_motors->map(selection));
    button->setEmpty(state.empty);
    button->setError(state.error);
}

void ProductArrangement::onProductSelected(int selection)
{
    const bool reserved = VM24::is_brixo_reserved_button(selection);
    auto* dialog = new ProductSelectionDialog(m_provider, selection, reserved, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this,
            [this, dialog, selection, reserved] { placeProduct(selection, reserved, dialog->selectedProductId()); });
    dialog->open();
}

void ProductArrangement::placeProduct(int selection, bool reserved, const QString& productId)
{
    const ProductRecord& product = m_provider->getProduct(productId);
    // The chooser offers only what fits; this holds the rule for any other way in.
    if (product.id().isEmpty() || (reserved && !VM24::is_brixo_product_id(product.id()))) {
        qCWarning(maintenanceLog) << "product" << product.id() << "refused for selection" << selection;
        InteractiveMessageDialog::showInteractive(tr("Prodotto non ammesso"), reservedLegendText(), MESSAGE_MS,
                                                  this);
        return;
    }
    m_arrangement[selection] = product.id();
    showProduct(selection);
    setModified(true);
}

void ProductArrangement::onMotorMapButtonClicked(int selection)
{
    auto* pad = new NumPad(1, MotorDispenserMonitor::MOTOR_COUNT, this);
    pad->setAttribute(Qt::WA_DeleteOnClose);
    pad->setTitle(tr("Erogatore della selezione %1").arg(selection + 1));
    pad->setValue(Motor::fromIndex(m_motors->map(selection)).number());
    connect(pad, &QDialog::accepted, this, [this, pad, selection] {
        const int motor = Motor::fromNumber(pad->value()).index();
        if (motor >= 0 && motor < MotorDispenserMonitor::MOTOR_COUNT)
            m_motors->setMapping(selection, motor);
    });
    pad->open();
}

void ProductArrangement::onMotorStateChanged(int, MotorDispenserMonitor::MotorState state)
{
    if (state.selection < m_buttons.size()) {
        m_buttons.at(state.selection)->setEmpty(state.empty);
        m_buttons.at(state.selection)->setError(state.error);
    }
}

void ProductArrangement::onMotorMappingChanged()
{
    for (int selection = 0; selection < VM24::NUMBER_OF_SELECTIONS; ++selection)
        showMotor(selection);
    setModified(true);
}

void ProductArrangement::setModified(bool modified)
{
    m_modified = modified;
    m_save->setEnabled(modified);
}

void ProductArrangement::saveSettings()
{
    m_provider->setArrangement(m_arrangement);
    Settings settings;
    settings.setArrangement(m_provider->arrangement());
    settings.sync();
    const QVector<int> mapping = currentMapping();
    if (mapping != m_storedMapping) {
        m_motors->saveConfiguration();
        m_storedMapping = mapping;
    }
    qCInfo(maintenanceLog) << "product arrangement saved";
    setModified(false);
}

void ProductArrangement::onExitClicked()
{
    if (!m_modified) {
        finish();
        return;
    }
    ConfirmationDialog::ask(this, [this](bool save) {
        if (save)
            saveSettings();
        finish();
    });
}

QVector<int> ProductArrangement::currentMapping() const
{
    QVector<int> mapping;
    for (int selection = 0; selection < VM24::NUMBER_OF_SELECTIONS; ++selection)
        mapping.append(m_motors->map(selection));
    return mapping;
}

void ProductArrangement::restoreMapping()
{
    if (m_storedMapping.size() != VM24::NUMBER_OF_SELECTIONS || currentMapping() == m_storedMapping)
        return;
    // Each step puts the stored motor in place and moves only motors of later selections.
    for (int selection = 0; selection < VM24::NUMBER_OF_SELECTIONS; ++selection)
        m_motors->setMapping(selection, m_storedMapping.at(selection));
}
