#include "maintenance/productselectiondialog.h"

#include "catalogue/productids.h"
#include "catalogue/productprovider.h"
#include "ui/productbutton.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QSize SCREEN_SIZE(1080, 1920);
const int ROW_SPACING = 22;
// Room for the title on two lines: the grid starts at the same height in every language.
const int TITLE_HEIGHT = 120;

QPushButton* make_button(const QIcon& icon, QWidget* parent)
{
    auto* button = new QPushButton(icon, QString(), parent);
    button->setProperty("class", QStringLiteral("generic-menu-button bottom"));
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

ProductSelectionDialog::ProductSelectionDialog(ProductProvider* provider, int selection, bool reserved,
                                               QWidget* parent)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::Dialog)
    , PagedListViewSupport(PAGE_SIZE)
    , m_provider(provider)
    , m_selection(selection)
    , m_title(new QLabel(this))
{
    setModal(true);
    setFixedSize(SCREEN_SIZE);
    for (int i = 0; i < provider->productCount(); ++i) {
        const QString& id = provider->getProduct(i).id();
        if (!reserved || VM24::is_brixo_product_id(id))
            m_offered.append(id);
    }
    m_title->setProperty("class", QStringLiteral("page-heading"));
    m_title->setAlignment(Qt::AlignCenter);
    m_title->setWordWrap(true);
    m_title->setFixedHeight(TITLE_HEIGHT);
    // One line in both languages for selections up to 18.
    m_title->setStyleSheet(QStringLiteral("font-size: 38px;"));
    m_title->setText(tr("SCEGLI UN PRODOTTO PER LA SELEZIONE %1").arg(selection + 1));
    createButtons();
    setItemCount(m_offered.size());
    jumpToPage(0);
}

void ProductSelectionDialog::createButtons()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 40, 2, 40);
    layout->setSpacing(40);
    layout->addWidget(m_title);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(0);
    grid->setVerticalSpacing(ROW_SPACING);
    for (int slot = 0; slot < PAGE_SIZE; ++slot) {
        auto* button = new ProductButton(this);
        // Hidden places keep their room in the grid.
        QSizePolicy policy = button->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        button->setSizePolicy(policy);
        grid->addWidget(button, slot / COLUMNS, slot % COLUMNS);
        connect(button, &QAbstractButton::clicked, this, [this, slot] { onProductSelected(slot); });
        m_buttons.append(button);
    }
    layout->addLayout(grid);
    layout->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(22, 0, 22, 0);
    buttons->setSpacing(22);
    m_previous = make_button(QIcon(QStringLiteral(":/icons/previous-page")), this);
    m_next = make_button(QIcon(QStringLiteral(":/icons/next-page")), this);
    m_exit = make_button(QIcon(QStringLiteral(":/icons/exit")), this);
    m_previous->setText(tr("Precedente"));
    m_next->setText(tr("Successiva"));
    m_exit->setText(tr("Esci"));
    for (QPushButton* button : {m_previous, m_next, m_exit})
        buttons->addWidget(button);
    layout->addLayout(buttons);
    connect(m_previous, &QPushButton::clicked, this, &ProductSelectionDialog::onPreviousPage);
    connect(m_next, &QPushButton::clicked, this, &ProductSelectionDialog::onNextPage);
    connect(m_exit, &QPushButton::clicked, this, &QDialog::reject);
}

// Over the window it was opened from, which is the machine's whole screen.
void ProductSelectionDialog::showEvent(QShowEvent* event)
{
    if (parentWidget())
        move(parentWidget()->window()->geometry().topLeft());
    QDialog::showEvent(event);
}

void ProductSelectionDialog::onProductSelected(int slot)
{
    const int index = mapToModel(slot);
    if (index < 0 || index >= m_offered.size())
        return;
    m_selectedId = m_offered.at(index);
    accept();
}

void ProductSelectionDialog::onPreviousPage()
{
    previousPage();
}

void ProductSelectionDialog::onNextPage()
{
    nextPage();
}

void ProductSelectionDialog::showElement(int slot, int modelIndex)
{
    const ProductRecord& product = m_provider->getProduct(m_offered.at(modelIndex));
    ProductButton* button = m_buttons.at(slot);
    button->setImage(m_provider->getThumbnail(product.id()));
    button->setPrice(product.price(0));
    button->setVisible(true);
}

void ProductSelectionDialog::hideElement(int slot)
{
    m_buttons.at(slot)->setVisible(false);
}

void ProductSelectionDialog::postDisplayPage(int)
{
    m_previous->setEnabled(hasPrevious());
    m_next->setEnabled(hasNext());
}
