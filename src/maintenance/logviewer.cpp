#include "maintenance/logviewer.h"

#include "maintenance/logentrywidget.h"
#include "maintenance/maintenancelog.h"
#include "ui/longrunningoperation.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QThreadPool>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <QtConcurrentRun>

#include <memory>

namespace {

struct DisplayCategoryInfo
{
    const char* label;
    const char* icon;
    QStringList categories;
};

const QList<DisplayCategoryInfo>& display_categories()
{
    static const QList<DisplayCategoryInfo> table = {
        {QT_TRANSLATE_NOOP("LogViewer", "Tutto"), ":/icons/log/all", {}},
        {QT_TRANSLATE_NOOP("LogViewer", "Sessioni di vendita"), ":/icons/log/session",
         {"product-purchased", "recharge", "return-change", "overpay", "cash-inserted", "vending-session-info"}},
        {QT_TRANSLATE_NOOP("LogViewer", "Acquisti"), ":/icons/log/purchase-small", {"product-purchased"}},
        {QT_TRANSLATE_NOOP("LogViewer", "Ricariche"), ":/icons/log/recharge-small", {"recharge"}},
        {QT_TRANSLATE_NOOP("LogViewer", "Resti erogati"), ":/icons/log/change-small", {"return-change"}},
        {QT_TRANSLATE_NOOP("LogViewer", "Scontrini"), ":/icons/log/overpay-small", {"overpay"}},
        {QT_TRANSLATE_NOOP("LogViewer", "Allarmi"), ":/icons/log/alarm-small",
         {"alarm", "empty-dispenser", "empty-hopper", "dispenser-error"}},
        {QT_TRANSLATE_NOOP("LogViewer", "Informazioni"), ":/icons/log/info-small", {"info"}},
        {QT_TRANSLATE_NOOP("LogViewer", "Avvisi"), ":/icons/log/warning-small",
         {"warning", "empty-dispenser", "dispenser-error"}},
        {QT_TRANSLATE_NOOP("LogViewer", "Alimentazione"), ":/icons/log/power-management-small", {"power-management"}},
    };
    return table;
}

QPushButton* make_bar_button(QWidget* parent, const char* icon)
{
    auto* button = new QPushButton(QIcon(QLatin1String(icon)), QString(), parent);
    button->setProperty("class", QStringLiteral("generic-menu-button log-bar"));
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

LogViewer::LogViewer(ProductProvider* products, Context* context, QWidget* parent)
    : MenuActivity(context, parent)
    , PagedListViewSupport(PAGE_SIZE)
    , m_category(new QComboBox(this))
    , m_previous(make_bar_button(this, ":/icons/previous-page"))
    , m_next(make_bar_button(this, ":/icons/next-page"))
    , m_reload(make_bar_button(this, ":/icons/refresh"))
    , m_exit(make_bar_button(this, ":/icons/exit"))
    , m_page(new QLabel(this))
    , m_count(new QLabel(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 8, 16, 8);
    layout->setSpacing(8);

    auto* top = new QHBoxLayout;
    top->setSpacing(16);
    m_category->setFocusPolicy(Qt::NoFocus);
    // Items sized by the style sheet, large enough for a finger.
    m_category->setItemDelegate(new QStyledItemDelegate(m_category));
    m_category->setProperty("class", QStringLiteral("log-category"));
    for (int value = 0; value < DisplayCategoryCount; ++value)
        m_category->addItem(QIcon(QLatin1String(display_categories().at(value).icon)), QString(), value);
    top->addWidget(m_category, 1);
    top->addWidget(m_reload);
    layout->addLayout(top);

    auto* list = new QVBoxLayout;
    list->setSpacing(0);
    for (int slot = 0; slot < PAGE_SIZE; ++slot) {
        auto* entry = new LogEntryWidget(products, this);
        entry->hide();
        m_entries.append(entry);
        list->addWidget(entry);
    }
    list->addStretch();
    layout->addLayout(list, 1);

    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(16);
    for (QLabel* label : {m_page, m_count}) {
        label->setProperty("class", QStringLiteral("text"));
        label->setAlignment(Qt::AlignCenter);
    }
    bottom->addWidget(m_previous);
    bottom->addWidget(m_page, 1);
    bottom->addWidget(m_count, 1);
    bottom->addWidget(m_next);
    bottom->addWidget(m_exit);
    layout->addLayout(bottom);

    connect(m_category, qOverload<int>(&QComboBox::currentIndexChanged), this, &LogViewer::reload);
    connect(m_reload, &QPushButton::clicked, this, &LogViewer::reload);
    connect(m_previous, &QPushButton::clicked, this, &LogViewer::onPreviousPage);
    connect(m_next, &QPushButton::clicked, this, &LogViewer::onNextPage);
    connect(m_exit, &QPushButton::clicked, this, &LogViewer::onExitClicked);
    retranslate();
    jumpToPage(0);
}

LogViewer::~LogViewer() = default;

QStringList LogViewer::logCategories(int displayCategory)
{
    if (displayCategory < 0 || displayCategory >= DisplayCategoryCount)
        return {};
    return display_categories().at(displayCategory).categories;
}

void LogViewer::onStart()
{
    MenuActivity::onStart();
    if (m_category->currentIndex() != All)
        m_category->setCurrentIndex(All);
    else
        reload();
}

void LogViewer::reload()
{
    // Three months of entries take a while to free: a worker frees them
    // while another reads the new ones.
    auto previous = std::make_shared<VM24::LogEntries>(std::move(m_notifications));
    m_notifications = VM24::LogEntries();
    setItemCount(0);
    QThreadPool::globalInstance()->start([previous]() mutable { previous.reset(); });
    const QStringList categories = logCategories(m_category->currentData().toInt());
    QElapsedTimer timer;
    timer.start();
    const QFuture<std::shared_ptr<VM24::LogEntries>> loaded = QtConcurrent::run(
        [categories] { return std::make_shared<VM24::LogEntries>(VM24::read_log_entries(categories)); });
    VM24::long_running_operation(loaded, this, tr("Aggiornamento log in corso"), tr("Attendere prego"),
                                 std::shared_ptr<VM24::LogEntries>(),
                                 [this, timer](const std::shared_ptr<VM24::LogEntries>& entries) {
                                     showEntries(entries, timer.elapsed());
                                 });
}

void LogViewer::showEntries(const std::shared_ptr<VM24::LogEntries>& entries, qint64 readMs)
{
    if (entries)
        m_notifications = std::move(*entries);
    setItemCount(loadedCount());
    jumpToPage(0);
    // Told once the first page holds its rows, so that whoever waits for
    // this line finds them there.
    qCInfo(maintenanceLog, "log viewer shows %d entries of display category %d, read in %lld ms", loadedCount(),
           m_category->currentData().toInt(), readMs);
    emit reloaded();
}

void LogViewer::clearPage()
{
    m_notifications.clear();
    setItemCount(0);
    jumpToPage(0);
}

void LogViewer::onPreviousPage()
{
    previousPage();
}

void LogViewer::onNextPage()
{
    nextPage();
}

void LogViewer::onExitClicked()
{
    clearPage();
    finish();
}

void LogViewer::postDisplayPage(int page)
{
    m_previous->setEnabled(hasPrevious());
    m_next->setEnabled(hasNext());
    m_page->setText(tr("Pagina %1 / %2").arg(pageCount() == 0 ? 0 : page + 1).arg(pageCount()));
    m_count->setText(tr("Elementi: %1").arg(loadedCount()));
}

void LogViewer::showElement(int slot, int modelIndex)
{
    m_entries.at(slot)->displayEntry(m_notifications.at(modelIndex).get());
    m_entries.at(slot)->show();
}

void LogViewer::hideElement(int slot)
{
    m_entries.at(slot)->hide();
}

void LogViewer::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    MenuActivity::changeEvent(event);
}

void LogViewer::retranslate()
{
    for (int value = 0; value < DisplayCategoryCount; ++value)
        m_category->setItemText(value, tr(display_categories().at(value).label));
    // The entries on show are written again in the new language.
    displayPage();
    postDisplayPage(currentPage());
}
