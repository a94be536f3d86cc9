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

void TextEditField::doEdit(const QString& current)
{
    auto* keyboard = new VirtualKeyboard(window());
    keyboard->setTitle(title());
    if (characterLimit() > 0)
        keyboard->setValidator(new TextLengthValidator(characterLimit()));
    keyboard->setText(current);
    openPad(keyboard, [this, keyboard] {
        setValue(keyboard->text());
        return true;
    });
}
