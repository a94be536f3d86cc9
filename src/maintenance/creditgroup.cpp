#include "maintenance/creditgroup.h"

#include "board/creditpacket.h"
#include "core/vm24.h"
#include "vending/peripheralmonitormodel.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>

namespace {

const char* const ROW_TEXTS[CreditGroup::ROW_COUNT] = {
    QT_TRANSLATE_NOOP("PeripheralMonitor", "Banconote"), QT_TRANSLATE_NOOP("PeripheralMonitor", "Monete"),
    QT_TRANSLATE_NOOP("PeripheralMonitor", "Cashless"),  QT_TRANSLATE_NOOP("PeripheralMonitor", "Cashbox"),
    QT_TRANSLATE_NOOP("PeripheralMonitor", "ID carta"),
};

const char* const NOT_PRESENT = QT_TRANSLATE_NOOP("PeripheralMonitor", "Non presente");

} // namespace

CreditGroup::CreditGroup(PeripheralMonitorModel* model, QWidget* parent)
    : MonitorGroup(QT_TRANSLATE_NOOP("PeripheralMonitor", "Credito"), parent)
    , m_model(model)
{
    auto* grid = new QGridLayout(this);
    tighten(grid);
    grid->setVerticalSpacing(4);
    int row = 0;
    for (const char* text : ROW_TEXTS) {
        grid->addWidget(addTextLabel(text), row, 0);
        QLabel* value = addValueLabel();
        grid->addWidget(value, row++, 1);
        m_values.append(value);
    }
    grid->setColumnStretch(0, 1);
    retranslate();
    connect(model, &PeripheralMonitorModel::creditChanged, this, &CreditGroup::showCredit);
}

void CreditGroup::changeEvent(QEvent* event)
{
    MonitorGroup::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        showCredit(m_model->credit());
}

void CreditGroup::showCredit(const CreditPacket& credit)
{
    if (!credit.isValid())
        return;
    const int amounts[] = {credit.bill, credit.coins, credit.cashless, credit.coinBox};
    for (int row = Bills; row <= Cashbox; ++row)
        m_values.at(row)->setText(VM24::format_money(amounts[row]));
    m_values.at(CardId)->setText(credit.cardId < 0 ? translated(NOT_PRESENT) : QString::number(credit.cardId));
}
