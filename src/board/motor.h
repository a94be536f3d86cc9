#pragma once

// One of the machine's motors, each under one dispenser. The program counts
// them from 0 (dispenser lists, presence bits); people and the board count
// them from 1. Only the board's protocol puts a motor on the wire.
class Motor
{
public:
    static Motor fromIndex(int index) { return Motor(index); }
    // A number an operator typed or read off the machine.
    static Motor fromNumber(int number) { return Motor(number - 1); }

    int index() const { return m_index; }
    // The number shown in texts and rows, and the one the board knows.
    int number() const { return m_index + 1; }

    bool operator==(Motor other) const { return m_index == other.m_index; }
    bool operator!=(Motor other) const { return m_index != other.m_index; }

private:
    explicit Motor(int index)
        : m_index(index)
    {
    }

    int m_index;
};
