#pragma once

#include <QVector>

// Which coin or banknote values an acceptor took during a test. It is fed
// the credit of one kind that the board holds, once a second; an increase
// that equals one of the values counts that value once. Increases are
// measured from the credit the board was last cleared to (0 unless told),
// and a reading below the one before (cleared again) only sets the base.
class MoneyAcceptanceTally
{
public:
    explicit MoneyAcceptanceTally(const QVector<int>& values);

    // count: whether an increase is counted now (the test is on screen) or
    // only followed. The index of the value counted, else -1.
    int feed(int credit, bool count = true);
    // Forgets the counts and the amount; the base stays.
    void clearCounts();
    // The board's credit was cleared to credit.
    void rebase(int credit = 0) { m_last = credit; }

    const QVector<int>& values() const { return m_values; }
    int count(int index) const { return m_counts.at(index); }
    bool isTicked(int index) const { return m_counts.at(index) > 0; }
    // The sum of the values counted.
    int amount() const { return m_amount; }

private:
    QVector<int> m_values;
    QVector<int> m_counts;
    int m_last = 0;
    int m_amount = 0;
};
