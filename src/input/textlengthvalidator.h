#pragma once

#include <QValidator>

// A text of at most limit characters.
class TextLengthValidator : public QValidator
{
    Q_OBJECT

public:
    explicit TextLengthValidator(int limit, QObject* parent = nullptr);
    State validate(QString& input, int& pos) const override;

private:
    int m_limit;
};
