#include "input/texteditfield.h"

#include "input/textlengthvalidator.h"
#include "input/virtualkeyboard.h"

TextEditField::TextEditField(QWidget* parent)
    : EditField(parent)
{
}

void TextEditField::setValue(const QString& text)
{
    setInputText(characterLimit() >= 0 ? text.left(characterLimit()) : text);
}

bool TextEditField::doEdit(const QString& current)
{
    VirtualKeyboard keyboard(window());
    keyboard.setTitle(title());
    if (characterLimit() > 0)
        keyboard.setValidator(new TextLengthValidator(characterLimit()));
    keyboard.setText(current);
    if (keyboard.exec() != QDialog::Accepted)
        return false;
    setValue(keyboard.text());
    return true;
}
