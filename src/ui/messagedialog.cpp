#include "ui/messagedialog.h"

#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

namespace {

const QSize MINIMUM_SIZE(600, 320);
const int MAXIMUM_WIDTH = 960;
const QMargins MARGINS(32, 32, 32, 16);
const int SUBTITLE_MINIMUM_WIDTH = 536;

QLabel* make_label(const char* styleClass, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setProperty("class", QLatin1String(styleClass));
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    return label;
}

void repolish(QWidget* widget)
{
    widget->style()->unpolish(widget);
    widget->style()->polish(widget);
    widget->update();
}

} // namespace

MessageDialog::MessageDialog(const QString& text, const QString& subtitle, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
    , m_text(make_label("decorated-label", this))
    , m_subtitle(make_label("decorated-label footer-label", this))
{
    setModal(true);
    applyStyleClass();
    setMinimumSize(MINIMUM_SIZE);
    setMaximumWidth(MAXIMUM_WIDTH);

    m_text->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    m_subtitle->setMinimumWidth(SUBTITLE_MINIMUM_WIDTH);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(MARGINS);
    layout->addWidget(m_text, 1);
    layout->addWidget(m_subtitle);

    setText(text);
    setSubtitle(subtitle);
}

QString MessageDialog::text() const
{
    return m_text->text();
}

void MessageDialog::setText(const QString& text)
{
    m_text->setText(text);
}

QString MessageDialog::subtitle() const
{
    return m_subtitle->text();
}

void MessageDialog::setSubtitle(const QString& subtitle)
{
    m_subtitle->setText(subtitle);
    m_subtitle->setVisible(!subtitle.isEmpty());
}

void MessageDialog::setErrorStyle(bool error)
{
    if (m_error == error)
        return;
    m_error = error;
    applyStyleClass();
    repolish(this);
}

void MessageDialog::addBottomWidget(QWidget* widget)
{
    layout()->addWidget(widget);
}

void MessageDialog::applyStyleClass()
{
    setProperty("class", m_error ? QLatin1String("decorated-dialog error-dialog")
                                 : QLatin1String("decorated-dialog"));
}
