#include "input/virtualkey.h"

VirtualKey::VirtualKey(QChar ch, QChar alt, QWidget* parent)
    : QPushButton(parent)
    , m_char(ch)
    , m_alt(alt)
{
    setFocusPolicy(Qt::NoFocus);
    setProperty("class", QStringLiteral("generic-menu-button"));
    setModes(false, false);
    connect(this, &QPushButton::clicked, this, [this] { emit keyPressed(character()); });
}

QChar VirtualKey::character() const
{
    if (m_alternative)
        return m_alt;
    return m_shift && m_char.isLetter() ? m_char.toUpper() : m_char;
}

void VirtualKey::setModes(bool shift, bool alternative)
{
    m_shift = shift;
    m_alternative = alternative;
    const QChar shown = character();
    setEnabled(!shown.isNull());
    if (shown == QLatin1Char('\n'))
        setText(QStringLiteral("\u21b5"));
    else if (shown == QLatin1Char('&'))
        setText(QStringLiteral("&&"));
    else
        setText(shown.isNull() ? QString() : QString(shown));
}
