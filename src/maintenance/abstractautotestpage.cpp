#include "maintenance/abstractautotestpage.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace {

const char* const CONTEXT = "InteractiveAutotestDialog";

const char* const RESULT_TEXTS[] = {
    QT_TRANSLATE_NOOP("InteractiveAutotestDialog", "Incompleto"),
    QT_TRANSLATE_NOOP("InteractiveAutotestDialog", "Superato"),
    QT_TRANSLATE_NOOP("InteractiveAutotestDialog", "Saltato"),
    QT_TRANSLATE_NOOP("InteractiveAutotestDialog", "Fallito"),
};

QLabel* make_label(const QString& styleClass, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setProperty("class", styleClass);
    label->setWordWrap(true);
    return label;
}

} // namespace

AbstractAutotestPage::AbstractAutotestPage(const Texts& texts, int requiredDevices, QWidget* parent)
    : QWidget(parent)
    , m_texts(texts)
    , m_requiredDevices(requiredDevices)
    , m_heading(make_label(QStringLiteral("autotest-heading"), this))
    , m_text(make_label(QStringLiteral("autotest-text"), this))
    , m_warning(make_label(QStringLiteral("autotest-warning"), this))
    , m_body(new QVBoxLayout)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);
    layout->addWidget(m_heading);
    layout->addWidget(m_text);
    layout->addLayout(m_body);
    layout->addStretch();
    layout->addWidget(m_warning);
    m_warning->setVisible(false);
    retranslate();
}

QString AbstractAutotestPage::translated(const char* source)
{
    return source ? QCoreApplication::translate(CONTEXT, source) : QString();
}

QString AbstractAutotestPage::resultText(Result result)
{
    return translated(RESULT_TEXTS[result]);
}

QString AbstractAutotestPage::receiptResultText(Result result)
{
    return QString::fromUtf8(RESULT_TEXTS[result]);
}

AbstractAutotestPage::Result AbstractAutotestPage::evaluate(int) const
{
    return devicePresent() ? Passed : Failed;
}

QStringList AbstractAutotestPage::receiptDetails() const
{
    if (m_texts.absent && m_result == Failed)
        return {QString::fromUtf8(m_texts.absent)};
    return {};
}

void AbstractAutotestPage::feedCredit(const CreditPacket&, bool)
{
}

void AbstractAutotestPage::onCreditCleared()
{
}

void AbstractAutotestPage::onDispenserTested(int)
{
}

void AbstractAutotestPage::restart()
{
    m_result = Incomplete;
}

void AbstractAutotestPage::setDeviceStatus(int status)
{
    m_deviceStatus = status;
    m_warning->setVisible(m_texts.warning && !devicePresent());
}

bool AbstractAutotestPage::devicePresent() const
{
    return m_requiredDevices == 0 || (m_deviceStatus & m_requiredDevices) != 0;
}

void AbstractAutotestPage::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void AbstractAutotestPage::retranslate()
{
    m_heading->setText(translated(m_texts.heading));
    m_text->setText(translated(m_texts.text));
    m_warning->setText(translated(m_texts.warning));
}
