#pragma once

#include <QRegularExpressionValidator>

// A dotted IPv4 address; four parts of up to three digits, none above 255
// for the address to be acceptable.
class IpValidator : public QValidator
{
    Q_OBJECT

public:
    static const char* const EXPRESSION;

    explicit IpValidator(QObject* parent = nullptr);
    State validate(QString& input, int& pos) const override;

private:
    QRegularExpressionValidator m_expression;
};
