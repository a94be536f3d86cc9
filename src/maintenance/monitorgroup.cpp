#include "maintenance/monitorgroup.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QLayout>
#include <QPushButton>

MonitorGroup::MonitorGroup(const char* title, QWidget* parent)
    : QGroupBox(parent)
    , m_title(title)
{
    setProperty("class", QStringLiteral("form monitor"));
    setFixedWidth(WIDTH);
}

QString MonitorGroup::translated(const char* source)
{
    return QCoreApplication::translate("PeripheralMonitor", source);
}

QLabel* MonitorGroup::addTextLabel(const char* text)
{
    auto* label = new QLabel(this);
    label->setProperty("class", QStringLiteral("monitor-text"));
    m_texts.append({label, text});
    return label;
}

QLabel* MonitorGroup::addValueLabel()
{
    auto* label = new QLabel(QStringLiteral("-"), this);
    label->setProperty("class", QStringLiteral("monitor-value"));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QPushButton* MonitorGroup::addButton(const QString& styleClass, const char* text)
{
    auto* button = new QPushButton(this);
    button->setProperty("class", styleClass);
    button->setFocusPolicy(Qt::NoFocus);
    m_texts.append({button, text});
    return button;
}

void MonitorGroup::tighten(QLayout* layout)
{
    layout->setContentsMargins(4, 4, 4, 4);
}

void MonitorGroup::retranslate()
{
    setTitle(translated(m_title));
    for (const auto& text : qAsConst(m_texts)) {
        if (auto* label = qobject_cast<QLabel*>(text.first))
            label->setText(translated(text.second));
        else if (auto* button = qobject_cast<QAbstractButton*>(text.first))
            button->setText(translated(text.second));
    }
}

void MonitorGroup::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QGroupBox::changeEvent(event);
}
