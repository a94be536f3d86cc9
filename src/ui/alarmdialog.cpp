#include "ui/alarmdialog.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QVBoxLayout>

namespace {

const QMargins MARGINS(40, 32, 40, 32);
const int TITLE_SPACING = 24;

QLabel* make_centred_label(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    return label;
}

} // namespace

AlarmDialog::AlarmDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
    , m_title(make_centred_label(this))
{
    setModal(true);
    setProperty("class", QStringLiteral("error-dialog"));
    m_title->setProperty("class", QStringLiteral("title"));
    setFixedWidth(DIALOG_WIDTH);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(MARGINS);
    layout->setSpacing(0);
    // The block of title and texts sits in the middle of the fixed height.
    layout->addStretch(1);
    layout->addWidget(m_title);
    layout->addSpacing(TITLE_SPACING);
    for (int i = 0; i < LABEL_COUNT; ++i) {
        QLabel* label = make_centred_label(this);
        m_labels.append(label);
        layout->addWidget(label);
    }
    layout->addStretch(1);

    retranslate();
    setAlarmStrings(QStringList());
}

QString AlarmDialog::title() const
{
    return m_title->text();
}

QStringList AlarmDialog::shownTexts() const
{
    QStringList texts;
    for (QLabel* label : m_labels) {
        if (!label->isHidden())
            texts.append(label->text());
    }
    return texts;
}

void AlarmDialog::setAlarms(VM24::Alarms alarms)
{
    m_alarms = alarms;
    m_showsAlarms = true;
    showStrings(VM24::alarm_strings(alarms));
}

void AlarmDialog::setAlarmStrings(const QStringList& strings)
{
    m_showsAlarms = false;
    showStrings(strings);
}

void AlarmDialog::showStrings(const QStringList& strings)
{
    // The labels' size comes from the style sheet.
    ensurePolished();
    int height = BASE_HEIGHT;
    for (int i = 0; i < LABEL_COUNT; ++i) {
        QLabel* label = m_labels.at(i);
        const bool shown = i < strings.size();
        label->setText(shown ? strings.at(i) : QString());
        label->setHidden(!shown);
        if (shown)
            height += QFontMetrics(label->font()).height();
    }
    setFixedHeight(height);
}

void AlarmDialog::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

void AlarmDialog::retranslate()
{
    m_title->setText(tr("Momentaneamente\nfuori servizio"));
    // Texts given as alarms follow the language; texts given as strings
    // are the caller's.
    if (m_showsAlarms)
        showStrings(VM24::alarm_strings(m_alarms));
}
