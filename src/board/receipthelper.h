#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// Builds a receipt line by line for the board's printer, a fixed number of
// characters wide (24 on this machine).
class ReceiptHelper
{
public:
    // Same numbers as LineFormat::Format.
    enum Alignment { Left = 0, Center = 1, Right = 2, DoubleHeight = 3 };
    using Line = QPair<QString, Alignment>;
    static const int DEFAULT_WIDTH = 24;

    explicit ReceiptHelper(int width = DEFAULT_WIDTH);

    // Appends text, cut to the width when cut is true.
    void line(const QString& text, Alignment alignment = Left, bool cut = false);
    // A line of width copies of c.
    void repeated(char c);
    // left, then right right-justified with fill to the full width; left alone
    // when it already fills the width.
    void tab(QString left, const QString& right, char fill = ' ');
    void empty(int n = 1);
    void append(const ReceiptHelper& other);

    // Two empty lines, dashes, the receipt rows of the settings in double
    // height, dashes, one empty line.
    static void compileStandardReceiptHeader(ReceiptHelper& receipt, const QStringList& rows);

    int width() const { return m_width; }
    const QList<Line>& lines() const { return m_lines; }

private:
    int m_width;
    QList<Line> m_lines;
};
