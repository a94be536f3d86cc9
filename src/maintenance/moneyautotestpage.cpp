#include "maintenance/moneyautotestpage.h"

#include "board/boardstatus.h"
#include "board/creditpacket.h"
#include "core/vm24.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

const QVector<int> COIN_VALUES = {5, 10, 20, 50, 100, 200};
const QVector<int> BANKNOTE_VALUES = {500, 1000, 2000, 5000};
const int COIN_DEVICES = BoardStatus::CoinAcceptor | BoardStatus::CoinChanger | BoardStatus::Hopper1
                         | BoardStatus::Hopper2;
const int COLUMNS = 3;
const char* const CENTS = QT_TRANSLATE_NOOP("InteractiveAutotestDialog", "%1 centesimi");
const char* const EUROS = QT_TRANSLATE_NOOP("InteractiveAutotestDialog", "%1 euro");
const char* const AMOUNT = QT_TRANSLATE_NOOP("InteractiveAutotestDialog", "Importo: %1");

AbstractAutotestPage::Texts texts(MoneyAutotestPage::Kind kind)
{
    AbstractAutotestPage::Texts t;
    if (kind == MoneyAutotestPage::Coins) {
        t.title = QT_TRANSLATE_NOOP("InteractiveAutotestDialog", "Acc. monete");
        t.heading = QT_TRANSLATE_NOOP("InteractiveAutotestDialog", "Collaudo accettazione monete");
        t.text = QT_TRANSLATE_NOOP("InteractiveAutotestDialog",
                                   "Verifica l'accettazione dei seguenti tagli di monete.");
        t.warning = QT_TRANSLATE_NOOP("InteractiveAutotestDialog",
                                      "Attenzione: accettatore di monete non presente. Se si prosegue il test si "
                                      "considererà fallito.");
    } else {
        t.title = QT_TRANSLATE_NOOP("InteractiveAutotestDialog", "Bill validator");
        t.heading = QT_TRANSLATE_NOOP("InteractiveAutotestDialog", "Collaudo accettazione banconote");
        t.text = QT_TRANSLATE_NOOP("InteractiveAutotestDialog",
                                   "Verifica l'accettazione dei seguenti tagli di banconote.");
        t.warning = QT_TRANSLATE_NOOP("InteractiveAutotestDialog",
                                      "Attenzione: accettatore di banconote non presente. Se si prosegue il test si "
                                      "considererà fallito.");
    }
    return t;
}

} // namespace

MoneyAutotestPage::MoneyAutotestPage(Kind kind, QWidget* parent)
    : AbstractAutotestPage(texts(kind), kind == Coins ? COIN_DEVICES : int(BoardStatus::BillValidator), parent)
    , m_kind(kind)
    , m_tally(kind == Coins ? COIN_VALUES : BANKNOTE_VALUES)
    , m_amount(new QLabel(this))
{
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(24);
    grid->setVerticalSpacing(4);
    for (int i = 0; i < m_tally.values().size(); ++i) {
        auto* box = new QCheckBox(this);
        box->setAttribute(Qt::WA_TransparentForMouseEvents);
        box->setFocusPolicy(Qt::NoFocus);
        grid->addWidget(box, i / COLUMNS, i % COLUMNS);
        m_boxes.append(box);
    }
    body()->addLayout(grid);
    m_amount->setProperty("class", QStringLiteral("autotest-value"));
    body()->addWidget(m_amount);
    retranslate();
}

QString MoneyAutotestPage::valueText(int cents, bool translate)
{
    const bool euros = cents >= 100;
    const char* source = euros ? EUROS : CENTS;
    const QString text = translate ? translated(source) : QString::fromUtf8(source);
    return text.arg(euros ? cents / 100 : cents);
}

QStringList MoneyAutotestPage::receiptDetails() const
{
    QStringList lines{QString::fromUtf8(AMOUNT).arg(VM24::format_credit(m_tally.amount()))};
    for (int i = 0; i < m_tally.values().size(); ++i)
        lines.append(QStringLiteral("%1: %2").arg(valueText(m_tally.values().at(i), false)).arg(m_tally.count(i)));
    return lines;
}

void MoneyAutotestPage::feedCredit(const CreditPacket& credit, bool current)
{
    if (!credit.isValid())
        return;
    if (m_tally.feed(m_kind == Coins ? credit.coins : credit.bill, current) >= 0)
        showTally();
}

void MoneyAutotestPage::restart()
{
    AbstractAutotestPage::restart();
    m_tally.clearCounts();
    showTally();
}

void MoneyAutotestPage::retranslate()
{
    AbstractAutotestPage::retranslate();
    for (int i = 0; i < m_boxes.size(); ++i)
        m_boxes.at(i)->setText(valueText(m_tally.values().at(i), true));
    showTally();
}

void MoneyAutotestPage::showTally()
{
    for (int i = 0; i < m_boxes.size(); ++i)
        m_boxes.at(i)->setChecked(m_tally.isTicked(i));
    if (m_amount)
        m_amount->setText(translated(AMOUNT).arg(VM24::format_money(m_tally.amount())));
}
