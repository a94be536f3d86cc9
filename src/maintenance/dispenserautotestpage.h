#pragma once

#include "maintenance/abstractautotestpage.h"

#include <QSet>

class QLabel;

// The dispensers' page of the autotest: counts each dispenser that was
// tested or emptied successfully on the monitor, once.
class DispenserAutotestPage : public AbstractAutotestPage
{
    Q_OBJECT
public:
    explicit DispenserAutotestPage(QWidget* parent = nullptr);

    QStringList receiptDetails() const override;
    void onDispenserTested(int motor) override;
    void restart() override;
    int testedCount() const { return int(m_tested.size()); }

protected:
    void retranslate() override;

private:
    QSet<int> m_tested;
    QLabel* m_count;
};
