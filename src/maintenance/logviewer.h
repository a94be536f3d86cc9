#pragma once

#include "logging/logqueries.h"
#include "ui/menuactivity.h"
#include "ui/pagedlistviewsupport.h"

#include <QList>
#include <QStringList>
#include <memory>

class LogEntryWidget;
class ProductProvider;
class QComboBox;
class QLabel;
class QPushButton;

// The event log, newest first, eighteen entries a page, filtered by a
// display category. The rows are read and rebuilt off the GUI thread while
// a wait box shows; only the entries of the page are drawn.
class LogViewer : public MenuActivity, public PagedListViewSupport
{
    Q_OBJECT

public:
    enum DisplayCategory {
        All = 0,
        Sessions,
        Purchases,
        Recharges,
        Change,
        Overpay,
        Alarms,
        Information,
        Warnings,
        Power,
        DisplayCategoryCount
    };
    static const int PAGE_SIZE = 18;

    LogViewer(ProductProvider* products, Context* context, QWidget* parent = nullptr);
    ~LogViewer() override;

    // The event-log categories a display category selects; none for All
    // (every category but debug).
    static QStringList logCategories(int displayCategory);

    void onStart() override;
    void clearPage();

    QComboBox* categoryCombo() const { return m_category; }
    QPushButton* previousButton() const { return m_previous; }
    QPushButton* nextButton() const { return m_next; }
    QPushButton* reloadButton() const { return m_reload; }
    QPushButton* exitButton() const { return m_exit; }
    QLabel* pageLabel() const { return m_page; }
    QLabel* countLabel() const { return m_count; }
    LogEntryWidget* entry(int slot) const { return m_entries.at(slot); }
    int loadedCount() const { return int(m_notifications.size()); }

signals:
    // The entries reload() read are shown.
    void reloaded();

public slots:
    // Reads the entries behind a wait box and returns; reloaded() follows.
    void reload();
    void onPreviousPage();
    void onNextPage();
    void onExitClicked();

protected:
    void postDisplayPage(int page) override;
    void showElement(int slot, int modelIndex) override;
    void hideElement(int slot) override;
    void changeEvent(QEvent* event) override;

private:
    void retranslate();
    void showEntries(const std::shared_ptr<VM24::LogEntries>& entries, qint64 readMs);

    VM24::LogEntries m_notifications;
    QComboBox* m_category;
    QPushButton* m_previous;
    QPushButton* m_next;
    QPushButton* m_reload;
    QPushButton* m_exit;
    QLabel* m_page;
    QLabel* m_count;
    QList<LogEntryWidget*> m_entries;
};
