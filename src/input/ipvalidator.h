#pragma once

#include <QRegularExpressionValidator>

// A dotted IPv4 address being typed: acceptable exactly when
// VM24::is_ipv4_address() takes it, as the settings file's checks do.
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
