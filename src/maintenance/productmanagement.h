#pragma once

#include "ui/menuactivity.h"
#include "ui/pagedlistviewsupport.h"

#include <QList>
#include <QStringList>

class ProductButtonPrices;
class ProductProvider;
class ProductRecord;
class QLabel;
class QPushButton;
class Rk710Controller;
class TwoStateButton;

// "Impostazione prezzi": the cash and cashless price of the products sold in
// the selections, or of every product of the catalogue, twenty to a page.
// A price accepted on the pad changes the product at once, so customers pay
// it from then on; "Salva modifiche" writes it into the operator's edits
// catalogue, and leaving with the changes ignored reloads the catalogues.
class ProductManagement : public MenuActivity, public PagedListViewSupport
{
    Q_OBJECT

public:
    static const int PAGE_SIZE = 20;
    static const int HELP_LEVEL = 3;

    ProductManagement(ProductProvider* provider, Rk710Controller* controller, Context* context,
                      QWidget* parent = nullptr);

    void onStart() override;
    void onStop() override;

    // The product of the shown list at index; the null product for an empty selection.
    const ProductRecord& getProductByIndex(int index) const;
    const QStringList& shownProducts() const { return *m_shown; }
    bool isEdited() const { return m_edited; }
    bool showsAllItems() const { return m_showAll; }

    ProductButtonPrices* item(int slot) const { return m_items.at(slot); }
    TwoStateButton* allItemsButton() const { return m_allItems; }
    QPushButton* previousButton() const { return m_previous; }
    QPushButton* nextButton() const { return m_next; }
    QPushButton* saveButton() const { return m_save; }
    QPushButton* exitButton() const { return m_exit; }

public slots:
    void onHighPriceClicked(int slot);
    void onLowPriceClicked(int slot);
    void onHelpClicked(int slot);
    void onAllItemsClicked();
    void onPreviousPageClicked();
    void onNextPageClicked();
    void saveChanges();
    void onExitClicked();
    void setShowAllItems(bool all);
    void setEdited(bool edited);

protected:
    void showElement(int slot, int modelIndex) override;
    void hideElement(int slot) override;
    void postDisplayPage(int page) override;
    void changeEvent(QEvent* event) override;

private:
    void createItems();
    void createButtons();
    void retranslate();
    void rebuildSoldList();
    void editPrice(int slot, int level, const QString& caption);
    void setPrice(ProductButtonPrices* item, const QString& id, int level, int price);

    ProductProvider* m_provider;
    Rk710Controller* m_controller;
    QStringList m_sold;
    QStringList m_all;
    const QStringList* m_shown = &m_sold;
    QList<ProductButtonPrices*> m_items;
    QLabel* m_title;
    TwoStateButton* m_allItems;
    QPushButton* m_previous;
    QPushButton* m_next;
    QPushButton* m_exit;
    QPushButton* m_save;
    bool m_showAll = false;
    bool m_edited = false;
    bool m_cashless = false;
};
