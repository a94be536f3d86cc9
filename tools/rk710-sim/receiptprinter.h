#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

namespace rk710sim {

// The board's receipt printer. Lines arrive one request at a time; a receipt
// is the run of lines up to the next request of another kind or a pause, and
// is then rendered on paper 24 characters wide and appended to the receipt
// log. The paper supply is either endless or a number of lines left.
class ReceiptPrinter
{
public:
    static const int PAPER_WIDTH = 24;
    static const int KEPT_RECEIPTS = 20;
    static const int ENDLESS_PAPER = -1;

    struct Line
    {
        int format = 0; // 0 left, 1 centred, 2 right, 3 double height
        QString text;
    };

    bool present() const { return m_present; }
    void setPresent(bool present) { m_present = present; }
    bool outOfPaper() const { return m_paperLines == 0; }
    int paperLines() const { return m_paperLines; }
    void setPaperLines(int lines) { m_paperLines = lines < 0 ? ENDLESS_PAPER : lines; }
    void setLogPath(const QString& path) { m_logPath = path; }

    // Prints one line; false when there is no printer or no paper.
    bool print(int format, const QByteArray& text);
    // Closes the receipt being printed, if any.
    void endReceipt();
    bool printing() const { return !m_current.isEmpty(); }
    int receiptCount() const { return m_receiptCount; }
    // The last receipts, oldest first, each as the lines' texts.
    QList<QStringList> lastReceipts(int count) const;

    // A printed line as it looks on the paper: wrapped at the paper width and
    // aligned. (The log marks double-height rows with "2x" in the margin.)
    static QStringList render(const Line& line);

    QJsonObject toJson() const;
    void applyJson(const QJsonObject& json);

private:
    void appendToLog(const QList<Line>& receipt) const;

    bool m_present = true;
    int m_paperLines = ENDLESS_PAPER;
    QString m_logPath;
    QList<Line> m_current;
    QList<QList<Line>> m_receipts;
    int m_receiptCount = 0;
};

} // namespace rk710sim
