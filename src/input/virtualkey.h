#pragma once

#include <QPushButton>

// A character key of the on-screen keyboard. In alternative mode it types
// its alternative character and is disabled when it has none; otherwise it
// types its character, upper-cased in shift mode when it is a letter.
class VirtualKey : public QPushButton
{
    Q_OBJECT

public:
    VirtualKey(QChar ch, QChar alt, QWidget* parent = nullptr);

    void setModes(bool shift, bool alternative);
    QChar character() const;

signals:
    void keyPressed(QChar ch);

private:
    QChar m_char;
    QChar m_alt;
    bool m_shift = false;
    bool m_alternative = false;
};
