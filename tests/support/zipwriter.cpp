#include "zipwriter.h"

#include <QFile>

namespace {

quint32 crc32_of(const QByteArray& data)
{
    quint32 crc = 0xffffffffu;
    for (const char byte : data) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void put16(QByteArray& out, quint32 value)
{
    out.append(char(value & 0xff));
    out.append(char((value >> 8) & 0xff));
}

void put32(QByteArray& out, quint32 value)
{
    put16(out, value & 0xffff);
    put16(out, value >> 16);
}

} // namespace

void ZipWriter::add(const QString& name, const QByteArray& data, quint32 mode)
{
    m_entries.append({name.toUtf8(), data, mode});
}

QByteArray ZipWriter::bytes() const
{
    QByteArray out;
    QByteArray directory;
    for (const Entry& entry : m_entries) {
        const quint32 offset = quint32(out.size());
        const quint32 crc = crc32_of(entry.data);
        put32(out, 0x04034b50);
        put16(out, 10);                   // version needed
        put16(out, 0x0800);               // UTF-8 names
        put16(out, 0);                    // stored
        put16(out, 0);                    // time
        put16(out, 0x5821);               // date: 2024-01-01
        put32(out, crc);
        put32(out, quint32(entry.data.size()));
        put32(out, quint32(entry.data.size()));
        put16(out, quint32(entry.name.size()));
        put16(out, 0);
        out += entry.name;
        out += entry.data;

        put32(directory, 0x02014b50);
        put16(directory, (3 << 8) | 30);  // made by Unix
        put16(directory, 10);
        put16(directory, 0x0800);
        put16(directory, 0);
        put16(directory, 0);
        put16(directory, 0x5821);
        put32(directory, crc);
        put32(directory, quint32(entry.data.size()));
        put32(directory, quint32(entry.data.size()));
        put16(directory, quint32(entry.name.size()));
        put16(directory, 0);
        put16(directory, 0);
        put16(directory, 0);              // disk
        put16(directory, 0);              // internal attributes
        put32(directory, entry.mode << 16);
        put32(directory, offset);
        directory += entry.name;
    }
    const quint32 directoryOffset = quint32(out.size());
    out += directory;
    put32(out, 0x06054b50);
    put16(out, 0);
    put16(out, 0);
    put16(out, quint32(m_entries.size()));
    put16(out, quint32(m_entries.size()));
    put32(out, quint32(directory.size()));
    put32(out, directoryOffset);
    put16(out, 0);
    return out;
}

bool ZipWriter::write(const QString& path) const
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes()) >= 0;
}
