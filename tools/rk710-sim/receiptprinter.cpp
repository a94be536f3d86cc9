#include "receiptprinter.h"

#include <QDateTime>
#include <QFile>
#include <QJsonArray>
#include <QTextStream>

namespace rk710sim {

bool ReceiptPrinter::print(int format, const QByteArray& text)
{
    if (!m_present || outOfPaper())
        return false;
    m_current.append(Line{format, QString::fromLatin1(text)});
    if (m_paperLines > 0)
        --m_paperLines;
    return true;
}

void ReceiptPrinter::endReceipt()
{
    if (m_current.isEmpty())
        return;
    ++m_receiptCount;
    appendToLog(m_current);
    m_receipts.append(m_current);
    while (m_receipts.size() > KEPT_RECEIPTS)
        m_receipts.removeFirst();
    m_current.clear();
}

QList<QStringList> ReceiptPrinter::lastReceipts(int count) const
{
    QList<QStringList> receipts;
    for (qsizetype r = std::max<qsizetype>(0, m_receipts.size() - count); r < m_receipts.size(); ++r) {
        QStringList texts;
        for (const Line& line : m_receipts[r])
            texts.append(line.text);
        receipts.append(texts);
    }
    return receipts;
}

QStringList ReceiptPrinter::render(const Line& line)
{
    QStringList rows;
    QString text = line.text;
    do {
        const QString row = text.left(PAPER_WIDTH);
        text.remove(0, row.size());
        const qsizetype spare = PAPER_WIDTH - row.size();
        if (line.format == 1)
            rows.append(QString(spare / 2, QLatin1Char(' ')) + row);
        else if (line.format == 2)
            rows.append(QString(spare, QLatin1Char(' ')) + row);
        else
            rows.append(row);
    } while (!text.isEmpty());
    return rows;
}

void ReceiptPrinter::appendToLog(const QList<Line>& receipt) const
{
    if (m_logPath.isEmpty())
        return;
    QFile file(m_logPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return;
    QTextStream out(&file);
    out << "=== receipt " << m_receiptCount << ' '
        << QDateTime::currentDateTime().toString(Qt::ISODate) << " ===\n";
    for (const Line& line : receipt) {
        for (const QString& row : render(line))
            out << (line.format == 3 ? "2x|" : "  |") << row.leftJustified(PAPER_WIDTH) << "|\n";
    }
    out << "=== end ===\n";
}

QJsonObject ReceiptPrinter::toJson() const
{
    QJsonArray last;
    const QList<QStringList> receipts = lastReceipts(1);
    if (!receipts.isEmpty()) {
        for (const QString& text : receipts.first())
            last.append(text);
    }
    QJsonArray current;
    for (const Line& line : m_current)
        current.append(line.text);
    return QJsonObject{{"present", m_present},
                       {"paperLines", m_paperLines},
                       {"outOfPaper", outOfPaper()},
                       {"receipts", m_receiptCount},
                       {"lastReceipt", last},
                       {"printing", current}};
}

void ReceiptPrinter::applyJson(const QJsonObject& json)
{
    m_present = json.value("present").toBool(m_present);
    setPaperLines(json.value("paperLines").toInt(m_paperLines));
}

} // namespace rk710sim
