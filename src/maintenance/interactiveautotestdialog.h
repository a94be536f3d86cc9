#pragma once

#include "maintenance/abstractautotestpage.h"
#include "vending/hardwaretestreport.h"

#include <QDialog>
#include <QList>

class CreditPacket;
class QGridLayout;
class QLabel;
class QPushButton;
class QStackedWidget;

// The guided hardware test. It lies over the lower part of the peripheral
// monitor, which stays in use above it: the operator watches the sensors,
// tests the dispensers, switches the lights and inserts money there while a
// page says what to check. The pages come in the order they were added,
// then the summary; "Finito" asks for the summary receipt
// (summaryConfirmed), "Annulla" ends the test.
class InteractiveAutotestDialog : public QDialog
{
    Q_OBJECT
public:
    explicit InteractiveAutotestDialog(QWidget* parent = nullptr);

    // The dialog owns the page.
    void addPage(AbstractAutotestPage* page);
    // Every test incomplete, the first page on screen.
    void restart();

    void setDeviceStatus(int status);
    void feedCredit(const CreditPacket& credit);
    void onDispenserTested(int motor);
    void onCreditCleared();

    // The non-informative pages' results, for the receipt.
    QList<HardwareTestReport::Test> results() const;
    int pageCount() const { return m_pages.size(); }
    AbstractAutotestPage* page(int index) const { return m_pages.at(index); }
    // The page on screen; pageCount() for the summary.
    int currentIndex() const { return m_current; }
    QPushButton* nextButton() const { return m_next; }
    QPushButton* skipButton() const { return m_skip; }
    QPushButton* cancelButton() const { return m_cancel; }

signals:
    void summaryConfirmed();

public slots:
    void onNext();
    void onSkip();

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* createSummary();
    void showPage(int index);
    void fillSummary();
    void retranslate();

    QList<AbstractAutotestPage*> m_pages;
    int m_current = 0;
    int m_deviceStatus = 0;
    QLabel* m_title;
    QStackedWidget* m_stack;
    QWidget* m_summary;
    QLabel* m_summaryHeading;
    QLabel* m_summaryText;
    QGridLayout* m_summaryRows;
    QPushButton* m_cancel;
    QPushButton* m_skip;
    QPushButton* m_next;
};
