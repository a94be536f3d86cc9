#pragma once

#include <QtGlobal>

class QXmlStreamWriter;

// The board's cash counters of one period: pieces per denomination (5000
// cents down to 5 cents) and the counters of change hoppers 1 to 3.
class AccountingCounters
{
public:
    enum Index {
        Pieces5000 = 0,
        Pieces2000,
        Pieces1000,
        Pieces500,
        Pieces200,
        Pieces100,
        Pieces50,
        Pieces20,
        Pieces10,
        Pieces5,
        Hopper1,
        Hopper2,
        Hopper3,
        Count
    };
    static const int DENOMINATION_COUNT = 10;
    // The length of the board's answer: one 16-bit word per counter.
    static const int ANSWER_LENGTH = 2 * Count;

    AccountingCounters();

    // Decodes the board's answer; all zero when it is shorter than 26 bytes.
    static AccountingCounters fromAnswer(const quint8* answer, int length);
    // The denomination in cents of index 0..9; 0 otherwise.
    static int denomination(int index);

    int get(int index) const;
    void set(int index, int value);
    bool isZero() const;
    // One "counter" element of the counters document (accounting/countersdocument.cpp).
    void toXml(QXmlStreamWriter& writer, const char* type) const;

    bool operator==(const AccountingCounters& other) const;
    bool operator!=(const AccountingCounters& other) const { return !(*this == other); }

private:
    qint32 m_counters[Count];
};
