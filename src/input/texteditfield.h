#pragma once

#include "input/editfield.h"

// A text typed on the VirtualKeyboard, cut to the character limit when one is set.
class TextEditField : public EditField
{
    Q_OBJECT

public:
    explicit TextEditField(QWidget* parent = nullptr);

    QString value() const { return inputText(); }
    void setValue(const QString& text);

protected:
    void doEdit(const QString& current) override;
};
