#include "input/textlengthvalidator.h"

TextLengthValidator::TextLengthValidator(int limit, QObject* parent)
    : QValidator(parent)
    , m_limit(limit)
{
}

QValidator::State TextLengthValidator::validate(QString& input, int&) const
{
    return input.size() <= m_limit ? Acceptable : Invalid;
}
