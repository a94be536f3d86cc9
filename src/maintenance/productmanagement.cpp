#include "maintenance/productmanagement.h"

#include "board/boardstatus.h"
#include "board/rk710controller.h"
#include "catalogue/productprovider.h"
#include "input/confirmationdialog.h"
#include "input/selfpositioningpricenumpad.h"
#include "input/twostatebutton.h"
#include "maintenance/maintenancelog.h"
#include "maintenance/productbuttonprices.h"
#include "maintenance/producthelpdialog.h"

#include <QEvent>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

namespace {

const int COLUMNS = 4;
const int GRID_LEFT = 2;
const int GRID_TOP = 160;
const QRect TITLE_AREA(24, 0, 540, GRID_TOP);
const QRect ALL_ITEMS_AREA(576, 32, 480, 96);
// Two rows under the grid: the pages, then leaving and saving.
const QRect BUTTON_ROWS(16, 1753, 1048, 160);

QPushButton* make_button(const char* icon, QWidget* parent)
{
    auto* button = new QPushButton(QIcon(QLatin1String(icon)), QString(), parent);
    button->setProperty("class", QStringLiteral("generic-menu-button"));
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

ProductManagement::ProductManagement(ProductProvider* provider, Rk710Controller* controller, Context* context,
                                     QWidget* parent)
    : MenuActivity(context, parent)
    , PagedListViewSupport(PAGE_SIZE)
    , m_provider(provider)
    , m_controller(controller)
    , m_title(new QLabel(this))
{
    m_title->setProperty("class", QStringLiteral("page-heading"));
    m_title->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_title->setGeometry(TITLE_AREA);
    createItems();
    createButtons();
    retranslate();
    setEdited(false);
}

void ProductManagement::createItems()
{
    for (int slot = 0; slot < PAGE_SIZE; ++slot) {
        auto* item = new ProductButtonPrices(this);
        item->move(ProductButtonPrices::BUTTON_SIZE.width() * (slot % COLUMNS) + GRID_LEFT,
                   ProductButtonPrices::BUTTON_SIZE.height() * (slot / COLUMNS) + GRID_TOP);
        connect(item, &ProductButtonPrices::highPriceClicked, this, [this, slot] { onHighPriceClicked(slot); });
        connect(item, &ProductButtonPrices::lowPriceClicked, this, [this, slot] { onLowPriceClicked(slot); });
        connect(item, &ProductButtonPrices::helpClicked, this, [this, slot] { onHelpClicked(slot); });
        m_items.append(item);
    }
}

void ProductManagement::createButtons()
{
    m_allItems = new TwoStateButton(QString(), QString(), this);
    m_allItems->setProperty("class", QStringLiteral("generic-menu-button"));
    m_allItems->setFocusPolicy(Qt::NoFocus);
    m_allItems->setGeometry(ALL_ITEMS_AREA);
    connect(m_allItems, &QPushButton::clicked, this, &ProductManagement::onAllItemsClicked);

    auto* rows = new QWidget(this);
    rows->setGeometry(BUTTON_ROWS);
    // Lower than the other pages' bottom buttons: the grid of twenty leaves 175 pixels.
    rows->setStyleSheet(QStringLiteral("QPushButton { min-height: 60px; max-height: 68px; padding: 0px 16px; "
                                       "icon-size: 44px; }"));
    auto* layout = new QGridLayout(rows);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);
    m_previous = make_button(":/icons/previous-page", rows);
    m_next = make_button(":/icons/next-page", rows);
    m_exit = make_button(":/icons/exit", rows);
    m_save = make_button(":/icons/save", rows);
    layout->addWidget(m_previous, 0, 0);
    layout->addWidget(m_next, 0, 1);
    layout->addWidget(m_exit, 1, 0);
    layout->addWidget(m_save, 1, 1);
    connect(m_previous, &QPushButton::clicked, this, &ProductManagement::onPreviousPageClicked);
    connect(m_next, &QPushButton::clicked, this, &ProductManagement::onNextPageClicked);
    connect(m_exit, &QPushButton::clicked, this, &ProductManagement::onExitClicked);
    connect(m_save, &QPushButton::clicked, this, &ProductManagement::saveChanges);
}

void ProductManagement::retranslate()
{
    m_title->setText(tr("Impostazione prezzi"));
    m_allItems->setTexts(tr("Mostra i prodotti venduti"), tr("Mostra tutti i prodotti"));
    m_previous->setText(tr("Precedente"));
    m_next->setText(tr("Successiva"));
    m_exit->setText(tr("Esci"));
    m_save->setText(tr("Salva modifiche"));
}

void ProductManagement::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    MenuActivity::changeEvent(event);
}

void ProductManagement::onStart()
{
    rebuildSoldList();
    m_cashless = m_controller && (m_controller->getBoardStatus() & BoardStatus::Cashless);
    for (ProductButtonPrices* item : std::as_const(m_items)) {
        item->setLowPriceVisible(m_cashless);
        item->setHelpVisible(userLevel() >= HELP_LEVEL);
        item->unselect();
    }
    m_allItems->setChecked(false);
    setShowAllItems(false);
    MenuActivity::onStart();
}

// However the page is left, prices accepted and not saved do not outlive it:
// the catalogues are read again, so customers pay what the files say.
void ProductManagement::onStop()
{
    if (m_edited) {
        m_provider->loadDatabase();
        qCInfo(maintenanceLog) << "price changes dropped";
    }
    setEdited(false);
}

// The arrangement in selection order, each product once; empty selections
// give one empty place.
void ProductManagement::rebuildSoldList()
{
    m_sold.clear();
    for (const QString& id : m_provider->arrangement()) {
        if (!m_sold.contains(id))
            m_sold.append(id);
    }
}

void ProductManagement::setShowAllItems(bool all)
{
    m_showAll = all;
    if (all) {
        m_all.clear();
        for (int i = 0; i < m_provider->productCount(); ++i)
            m_all.append(m_provider->getProduct(i).id());
    }
    m_shown = all ? &m_all : &m_sold;
    setItemCount(m_shown->size());
    jumpToPage(0);
}

void ProductManagement::onAllItemsClicked()
{
    setShowAllItems(m_allItems->isChecked());
}

const ProductRecord& ProductManagement::getProductByIndex(int index) const
{
    if (index < 0 || index >= m_shown->size())
        return ProductProvider::NULL_PRODUCT;
    return m_provider->getProduct(m_shown->at(index));
}

void ProductManagement::showElement(int slot, int modelIndex)
{
    const ProductRecord& product = getProductByIndex(modelIndex);
    ProductButtonPrices* item = m_items.at(slot);
    const bool empty = product.id().isEmpty();
    item->setEmptyProduct(empty);
    item->setImage(empty ? QPixmap() : m_provider->getThumbnail(product.id()));
    item->setHighPrice(product.price(0));
    item->setLowPrice(product.price(1));
    item->setChecked(m_showAll && !empty && m_provider->arrangement().contains(product.id()));
    item->unselect();
    item->show();
}

void ProductManagement::hideElement(int slot)
{
    m_items.at(slot)->hide();
}

void ProductManagement::postDisplayPage(int)
{
    m_previous->setEnabled(hasPrevious());
    m_next->setEnabled(hasNext());
}

void ProductManagement::onPreviousPageClicked()
{
    previousPage();
}

void ProductManagement::onNextPageClicked()
{
    nextPage();
}

void ProductManagement::onHighPriceClicked(int slot)
{
    editPrice(slot, 0, tr("Prezzo contante\n%1"));
}

void ProductManagement::onLowPriceClicked(int slot)
{
    editPrice(slot, 1, tr("Prezzo cashless\n%1"));
}

void ProductManagement::editPrice(int slot, int level, const QString& caption)
{
    ProductButtonPrices* item = m_items.at(slot);
    const ProductRecord& product = getProductByIndex(mapToModel(slot));
    if (product.id().isEmpty()) {
        item->unselect();
        return;
    }
    const QString id = product.id();
    auto* pad = new SelfPositioningPriceNumPad(QRect(item->mapToGlobal(QPoint(0, 0)), item->size()),
                                               product.price(level), this);
    pad->setAttribute(Qt::WA_DeleteOnClose);
    pad->setElidedTitle(caption.arg(product.name()));
    // A cashless price of 0 means the cash price applies; a cash price of 0
    // would give the product away.
    if (level == 0)
        pad->refuseBelow(1, tr("Un prezzo contante di 0 non è ammesso"));
    connect(pad, &QDialog::finished, this, [this, pad, item, id, level](int result) {
        if (result == QDialog::Accepted)
            setPrice(item, id, level, pad->value());
        item->unselect();
    });
    pad->open();
}

void ProductManagement::setPrice(ProductButtonPrices* item, const QString& id, int level, int price)
{
    ProductRecord* record = m_provider->modifyProduct(id);
    if (!record)
        return;
    record->setPrice(level, price);
    if (level == 0)
        item->setHighPrice(price);
    else
        item->setLowPrice(price);
    setEdited(true);
    qCInfo(maintenanceLog) << "price" << level << "of" << id << "set to" << price;
}

void ProductManagement::onHelpClicked(int slot)
{
    const ProductRecord& product = getProductByIndex(mapToModel(slot));
    if (product.id().isEmpty())
        return;
    ProductButtonPrices* item = m_items.at(slot);
    item->select(ProductButtonPrices::WholeSelected);
    auto* dialog = new ProductHelpDialog(product, ProductHelpDialog::DEFAULT_DURATION_MS, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::finished, item, [item] { item->unselect(); });
    dialog->open();
}

void ProductManagement::setEdited(bool edited)
{
    m_edited = edited;
    m_save->setEnabled(edited);
}

void ProductManagement::saveChanges()
{
    setEdited(false);
    m_provider->saveModified();
    qCInfo(maintenanceLog) << "prices saved";
}

void ProductManagement::onExitClicked()
{
    if (!m_edited) {
        finish();
        return;
    }
    ConfirmationDialog::ask(this, [this](bool save) {
        if (save)
            saveChanges();
        finish();
    });
}
