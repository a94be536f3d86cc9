#pragma once

#include <QRegularExpressionValidator>

// An amount of money as typed on a pad ("12,50"): at most seven whole
// digits and two decimals. An amount above the maximum is only intermediate.
class PriceValidator : public QValidator
{
    Q_OBJECT

public:
    static const char* const EXPRESSION;

    explicit PriceValidator(int maxCents, QObject* parent = nullptr);
    State validate(QString& input, int& pos) const override;

private:
    QRegularExpressionValidator m_expression;
    int m_maxCents;
};
