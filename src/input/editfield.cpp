#include "input/editfield.h"

#include "input/inputlog.h"

#include <QDialog>

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
    doEdit(m_inputText);
}

void EditField::openPad(QDialog* pad, std::function<bool()> store)
{
    pad->setAttribute(Qt::WA_DeleteOnClose);
    connect(pad, &QDialog::accepted, this, [this, store] {
        if (!store())
            return;
        qCDebug(inputLog) << "edited" << m_title;
        emit editingFinished();
    });
    pad->open();
}
