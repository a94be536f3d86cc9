#pragma once

#include "maintenance/abstractautotestpage.h"
#include "vending/moneyacceptancetally.h"

#include <QList>

class QCheckBox;
class QLabel;

// The coins' or the banknotes' page of the autotest: every value the
// acceptor took while the page is on screen is ticked and counted.
class MoneyAutotestPage : public AbstractAutotestPage
{
    Q_OBJECT
public:
    enum Kind { Coins, Banknotes };

    explicit MoneyAutotestPage(Kind kind, QWidget* parent = nullptr);

    QStringList receiptDetails() const override;
    void feedCredit(const CreditPacket& credit, bool current) override;
    void onCreditCleared() override { m_tally.rebase(); }
    void restart() override;
    const MoneyAcceptanceTally& tally() const { return m_tally; }
    QCheckBox* valueBox(int index) const { return m_boxes.at(index); }

protected:
    void retranslate() override;

private:
    static QString valueText(int cents, bool translate);
    void showTally();

    Kind m_kind;
    MoneyAcceptanceTally m_tally;
    QList<QCheckBox*> m_boxes;
    QLabel* m_amount;
};
