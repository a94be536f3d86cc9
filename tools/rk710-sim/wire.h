#pragma once

#include <QByteArray>
#include <QtGlobal>

// Byte order of the board link: words and integers are big-endian, the
// product-presence mask little-endian.
namespace rk710sim {

inline int wire_byte(const QByteArray& data, int offset)
{
    return static_cast<quint8>(data.at(offset));
}

inline int wire_word(const QByteArray& data, int offset)
{
    return (wire_byte(data, offset) << 8) | wire_byte(data, offset + 1);
}

inline qint32 wire_int(const QByteArray& data, int offset)
{
    return static_cast<qint32>((quint32(wire_byte(data, offset)) << 24) | (quint32(wire_byte(data, offset + 1)) << 16)
                               | (quint32(wire_byte(data, offset + 2)) << 8) | quint32(wire_byte(data, offset + 3)));
}

inline void append_byte(QByteArray& out, int value)
{
    out.append(static_cast<char>(value & 0xFF));
}

inline void append_word(QByteArray& out, int value)
{
    append_byte(out, value >> 8);
    append_byte(out, value);
}

inline void append_int(QByteArray& out, qint32 value)
{
    const quint32 v = static_cast<quint32>(value);
    append_byte(out, int(v >> 24));
    append_byte(out, int(v >> 16));
    append_byte(out, int(v >> 8));
    append_byte(out, int(v));
}

inline void append_mask64(QByteArray& out, quint64 mask)
{
    for (int i = 0; i < 8; ++i)
        append_byte(out, int(mask >> (8 * i)));
}

inline QByteArray to_hex(const QByteArray& bytes)
{
    return bytes.toHex(' ').toUpper();
}

} // namespace rk710sim
