#include "maintenance/dispenserautotestpage.h"

#include <QLabel>
#include <QVBoxLayout>

namespace {

const char* const COUNT_TEXT = QT_TRANSLATE_NOOP("InteractiveAutotestDialog", "Motori collaudati: %1");

AbstractAutotestPage::Texts texts()
{
    AbstractAutotestPage::Texts t;
    t.title = QT_TRANSLATE_NOOP("InteractiveAutotestDialog", "Test erogatori");
    t.heading = QT_TRANSLATE_NOOP("InteractiveAutotestDialog", "Collaudo erogatori");
    t.text = QT_TRANSLATE_NOOP("InteractiveAutotestDialog",
                               "Verifica il funzionamento degli erogatori e dei sensori di presenza prodotto.");
    return t;
}

} // namespace

DispenserAutotestPage::DispenserAutotestPage(QWidget* parent)
    : AbstractAutotestPage(texts(), 0, parent)
    , m_count(new QLabel(this))
{
    m_count->setProperty("class", QStringLiteral("autotest-value"));
    body()->addWidget(m_count);
    retranslate();
}

QStringList DispenserAutotestPage::receiptDetails() const
{
    return {QString::fromUtf8(COUNT_TEXT).arg(testedCount())};
}

void DispenserAutotestPage::onDispenserTested(int motor)
{
    m_tested.insert(motor);
    retranslate();
}

void DispenserAutotestPage::restart()
{
    AbstractAutotestPage::restart();
    m_tested.clear();
    retranslate();
}

void DispenserAutotestPage::retranslate()
{
    AbstractAutotestPage::retranslate();
    if (m_count)
        m_count->setText(translated(COUNT_TEXT).arg(testedCount()));
}
