#pragma once

#include "ui/pagedlistviewsupport.h"

#include <QDialog>
#include <QList>
#include <QStringList>

class ProductButton;
class ProductProvider;
class QLabel;
class QPushButton;

// The paged chooser of the product for one selection: every product of the
// catalogue in id order, only the partner brand's products for a reserved
// selection. Touching a product accepts the dialog with its id.
class ProductSelectionDialog : public QDialog, public PagedListViewSupport
{
    Q_OBJECT

public:
    static const int PAGE_SIZE = 12;
    static const int COLUMNS = 4;

    ProductSelectionDialog(ProductProvider* provider, int selection, bool reserved, QWidget* parent = nullptr);

    // The id of the product touched; empty until one was.
    QString selectedProductId() const { return m_selectedId; }
    const QStringList& offeredProducts() const { return m_offered; }
    int selection() const { return m_selection; }

    ProductButton* productButton(int slot) const { return m_buttons.at(slot); }
    QPushButton* previousButton() const { return m_previous; }
    QPushButton* nextButton() const { return m_next; }
    QPushButton* exitButton() const { return m_exit; }

public slots:
    void onProductSelected(int slot);
    void onPreviousPage();
    void onNextPage();

protected:
    void showElement(int slot, int modelIndex) override;
    void hideElement(int slot) override;
    void postDisplayPage(int page) override;
    void showEvent(QShowEvent* event) override;

private:
    void createButtons();

    ProductProvider* m_provider;
    int m_selection;
    QStringList m_offered;
    QString m_selectedId;
    QLabel* m_title;
    QList<ProductButton*> m_buttons;
    QPushButton* m_previous;
    QPushButton* m_next;
    QPushButton* m_exit;
};
