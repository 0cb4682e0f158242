#include "StoredZip.h"

#include <QtEndian>

namespace wel::test {

namespace {

quint32 crc32(const QByteArray& data)
{
    quint32 crc = 0xFFFFFFFFu;
    for (char ch : data) {
        crc ^= quint8(ch);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void put16(QByteArray& out, quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

void put32(QByteArray& out, quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

} // namespace

QByteArray storedZip(const QList<QPair<QString, QByteArray>>& parts)
{
    QByteArray out, directory;
    for (const auto& [name, data] : parts) {
        const QByteArray fileName = name.toUtf8();
        const quint32 offset = quint32(out.size());
        const quint32 crc = crc32(data);
        put32(out, 0x04034b50);
        put16(out, 20); put16(out, 0); put16(out, 0); // version, flags, stored
        put16(out, 0); put16(out, 0x21);              // time, date (1980-01-01)
        put32(out, crc); put32(out, quint32(data.size())); put32(out, quint32(data.size()));
        put16(out, quint16(fileName.size())); put16(out, 0);
        out += fileName;
        out += data;

        put32(directory, 0x02014b50);
        put16(directory, 20); put16(directory, 20); put16(directory, 0); put16(directory, 0);
        put16(directory, 0); put16(directory, 0x21);
        put32(directory, crc); put32(directory, quint32(data.size())); put32(directory, quint32(data.size()));
        put16(directory, quint16(fileName.size()));
        put16(directory, 0); put16(directory, 0); put16(directory, 0); put16(directory, 0);
        put32(directory, 0); put32(directory, offset);
        directory += fileName;
    }
    const quint32 directoryOffset = quint32(out.size());
    out += directory;
    put32(out, 0x06054b50);
    put16(out, 0); put16(out, 0);
    put16(out, quint16(parts.size())); put16(out, quint16(parts.size()));
    put32(out, quint32(directory.size())); put32(out, directoryOffset);
    put16(out, 0);
    return out;
}

} // namespace wel::test
