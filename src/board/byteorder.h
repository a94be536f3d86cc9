#pragma once

#include <QtGlobal>

// Numbers inside board frames are big-endian, except the 64-bit product
// presence mask, whose first byte holds bits 0 to 7.

inline int get_word(const quint8* buf, int offset)
{
    return (int(buf[offset]) << 8) | int(buf[offset + 1]);
}

inline int get_int(const quint8* buf, int offset)
{
    return int((quint32(buf[offset]) << 24) | (quint32(buf[offset + 1]) << 16)
               | (quint32(buf[offset + 2]) << 8) | quint32(buf[offset + 3]));
}

inline qint64 get_64bitmask(const quint8* buf, int offset)
{
    quint64 mask = 0;
    for (int i = 7; i >= 0; --i)
        mask = (mask << 8) | buf[offset + i];
    return qint64(mask);
}

inline void put_word(int value, quint8* buf, int offset)
{
    buf[offset] = quint8((value >> 8) & 0xFF);
    buf[offset + 1] = quint8(value & 0xFF);
}

inline void put_int(int value, quint8* buf, int offset)
{
    const quint32 v = quint32(value);
    buf[offset] = quint8(v >> 24);
    buf[offset + 1] = quint8((v >> 16) & 0xFF);
    buf[offset + 2] = quint8((v >> 8) & 0xFF);
    buf[offset + 3] = quint8(v & 0xFF);
}
