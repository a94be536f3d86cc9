#include "input/editfield.h"

#include "input/inputlog.h"

EditField::EditField(QWidget* parent)
    : QPushButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QPushButton::clicked, this, &EditField::onClicked);
}

void EditField::setInputText(const QString& text)
{
    m_inputText = text;
    updateText();
}

void EditField::setAffix(const QString& affix)
{
    m_affix = affix;
    updateText();
}

void EditField::updateText()
{
    setText(m_inputText + m_affix);
}

void EditField::onClicked()
{
    if (doEdit(m_inputText)) {
        qCDebug(inputLog) << "edited" << m_title;
        emit editingFinished();
    }
}
