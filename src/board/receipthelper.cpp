#include "board/receipthelper.h"

ReceiptHelper::ReceiptHelper(int width)
    : m_width(width)
{
}

void ReceiptHelper::line(const QString& text, Alignment alignment, bool cut)
{
    m_lines.append(Line(cut ? text.left(m_width) : text, alignment));
}

void ReceiptHelper::repeated(char c)
{
    m_lines.append(Line(QString(qMax(0, m_width), QLatin1Char(c)), Left));
}

void ReceiptHelper::tab(QString left, const QString& right, char fill)
{
    if (m_width > left.length())
        left += right.rightJustified(m_width - left.length(), QLatin1Char(fill));
    m_lines.append(Line(left, Left));
}

void ReceiptHelper::empty(int n)
{
    for (int i = 0; i < n; ++i)
        m_lines.append(Line(QString(), Left));
}

void ReceiptHelper::append(const ReceiptHelper& other)
{
    m_lines.append(other.m_lines);
}

void ReceiptHelper::compileStandardReceiptHeader(ReceiptHelper& receipt, const QStringList& rows)
{
    receipt.empty(2);
    receipt.repeated('-');
    for (const QString& row : rows)
        receipt.line(row, DoubleHeight);
    receipt.repeated('-');
    receipt.empty(1);
}
