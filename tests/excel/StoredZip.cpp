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

// Bits of a deflate stream, least significant first.
class BitWriter {
public:
    void bits(quint32 value, int count)
    {
        for (int i = 0; i < count; ++i)
            bit((value >> i) & 1);
    }
    // Huffman codes go most significant bit first.
    void code(quint32 value, int length)
    {
        for (int i = length - 1; i >= 0; --i)
            bit((value >> i) & 1);
    }
    QByteArray done() { if (m_used) m_out.append(char(m_byte)); return m_out; }

private:
    void bit(quint32 b)
    {
        m_byte |= quint8(b << m_used);
        if (++m_used == 8) {
            m_out.append(char(m_byte));
            m_byte = 0;
            m_used = 0;
        }
    }
    QByteArray m_out;
    quint8 m_byte = 0;
    int m_used = 0;
};

// One block with the fixed codes: a literal zero, then runs copies of
// "258 bytes from 1 back", then the end of the block.
QByteArray deflatedZeros(qint64 runs)
{
    BitWriter w;
    w.bits(1, 1); // last block
    w.bits(1, 2); // fixed codes
    w.code(0x30, 8); // literal 0
    for (qint64 i = 0; i < runs; ++i) {
        w.code(0xC5, 8); // length 258 (symbol 285)
        w.code(0, 5);    // distance 1
    }
    w.code(0, 7); // end of block (symbol 256)
    return w.done();
}

struct Part {
    QByteArray name, data;
    quint32 crc = 0, unpacked = 0;
    quint16 method = 0;
};

QByteArray zip(const QList<Part>& parts)
{
    QByteArray out, directory;
    for (const Part& p : parts) {
        const QByteArray& fileName = p.name;
        const QByteArray& data = p.data;
        const quint32 offset = quint32(out.size());
        const quint32 crc = p.crc;
        put32(out, 0x04034b50);
        put16(out, 20); put16(out, 0); put16(out, p.method); // version, flags, method
        put16(out, 0); put16(out, 0x21);              // time, date (1980-01-01)
        put32(out, crc); put32(out, quint32(data.size())); put32(out, p.unpacked);
        put16(out, quint16(fileName.size())); put16(out, 0);
        out += fileName;
        out += data;

        put32(directory, 0x02014b50);
        put16(directory, 20); put16(directory, 20); put16(directory, 0); put16(directory, p.method);
        put16(directory, 0); put16(directory, 0x21);
        put32(directory, crc); put32(directory, quint32(data.size())); put32(directory, p.unpacked);
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

} // namespace

QByteArray storedZip(const QList<QPair<QString, QByteArray>>& parts)
{
    QList<Part> list;
    for (const auto& [name, data] : parts)
        list.append({name.toUtf8(), data, crc32(data), quint32(data.size()), 0});
    return zip(list);
}

QByteArray zipWithZeros(const QList<QPair<QString, QByteArray>>& parts, const QString& zerosName, qint64 runs,
                        qint64 declaredSize)
{
    QList<Part> list;
    for (const auto& [name, data] : parts)
        list.append({name.toUtf8(), data, crc32(data), quint32(data.size()), 0});
    const qint64 size = declaredSize >= 0 ? declaredSize : 1 + 258 * runs;
    // The checksum is not worked out: the reader must refuse the part before
    // it would compare one.
    list.append({zerosName.toUtf8(), deflatedZeros(runs), 0, quint32(size), 8});
    return zip(list);
}

} // namespace wel::test
