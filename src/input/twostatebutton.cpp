#include "input/twostatebutton.h"

TwoStateButton::TwoStateButton(const QString& checkedText, const QString& uncheckedText, QWidget* parent)
    : QPushButton(parent)
    , m_checkedText(checkedText)
    , m_uncheckedText(uncheckedText)
{
    setCheckable(true);
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QPushButton::toggled, this, &TwoStateButton::showState);
    showState();
}

void TwoStateButton::setTexts(const QString& checkedText, const QString& uncheckedText)
{
    m_checkedText = checkedText;
    m_uncheckedText = uncheckedText;
    showState();
}

void TwoStateButton::showState()
{
    setText(isChecked() ? m_checkedText : m_uncheckedText);
}
