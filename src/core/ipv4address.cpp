#include "core/ipv4address.h"

#include <QStringList>

namespace VM24 {

namespace {

const int MAX_PREFIX = 32;

bool is_decimal(const QString& text, int maxDigits)
{
    if (text.isEmpty() || text.size() > maxDigits)
        return false;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

} // namespace

bool is_ipv4_address(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return false;
    for (const QString& part : parts) {
        if (!is_decimal(part, 3) || part.toInt() > 255)
            return false;
    }
    return true;
}

int netmask_prefix_length(const QString& text)
{
    if (is_decimal(text, 2))
        return text.toInt() <= MAX_PREFIX ? text.toInt() : -1;
    if (!is_ipv4_address(text))
        return -1;
    quint32 mask = 0;
    for (const QString& part : text.split(QLatin1Char('.')))
        mask = (mask << 8) | quint32(part.toInt());
    // Contiguous ones: the inverted mask plus one is a power of two.
    const quint32 hostBits = ~mask;
    if ((hostBits & (hostBits + 1)) != 0)
        return -1;
    int prefix = 0;
    for (quint32 bit = 0x80000000u; bit && (mask & bit); bit >>= 1)
        ++prefix;
    return prefix;
}

} // namespace VM24
