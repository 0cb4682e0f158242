#include "common/excel/ZipPackage.h"

#include <orcus/zip_archive.hpp>
#include <orcus/zip_archive_stream.hpp>

#include <QtEndian>

#include <exception>
#include <vector>

namespace wel::excel {

struct ZipPackage::Impl {
    Impl(const QByteArray& bytes)
        : stream(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size())),
          archive(&stream)
    {
    }
    orcus::zip_archive_stream_blob stream;
    orcus::zip_archive archive;
};

ZipPackage::ZipPackage(const QByteArray& bytes) : m_bytes(bytes)
{
    if (!hasZipSignature(m_bytes))
        return;
    try {
        auto impl = std::make_unique<Impl>(m_bytes);
        impl->archive.load();
        const size_t count = impl->archive.get_file_entry_count();
        for (size_t i = 0; i < count; ++i) {
            const std::string_view name = impl->archive.get_file_entry_name(i);
            m_names.append(QString::fromUtf8(name.data(), qsizetype(name.size())));
        }
        m_impl = std::move(impl);
        m_valid = true;
    } catch (const std::exception&) {
        m_names.clear();
    }
}

ZipPackage::~ZipPackage() = default;

bool ZipPackage::hasZipSignature(const QByteArray& bytes)
{
    return bytes.startsWith(QByteArrayLiteral("PK\x03\x04"));
}

QByteArray ZipPackage::entry(const QString& name) const
{
    if (!m_valid || !m_names.contains(name))
        return {};
    try {
        std::vector<unsigned char> buf;
        const QByteArray utf8 = name.toUtf8();
        if (!m_impl->archive.read_file_entry(std::string_view(utf8.constData(), size_t(utf8.size())), buf))
            return {};
        // orcus ends every part it hands out with a terminating zero.
        if (!buf.empty() && buf.back() == 0)
            buf.pop_back();
        return QByteArray(reinterpret_cast<const char*>(buf.data()), qsizetype(buf.size()));
    } catch (const std::exception&) {
        return {};
    }
}

} // namespace wel::excel

namespace wel::excel {

qint64 ZipPackage::declaredUnpackedSize() const
{
    if (!m_valid)
        return 0;
    auto at16 = [&](qsizetype pos) { return qFromLittleEndian<quint16>(m_bytes.constData() + pos); };
    auto at32 = [&](qsizetype pos) { return qFromLittleEndian<quint32>(m_bytes.constData() + pos); };
    // The end record sits in the last 22 bytes, or before a comment of at most 64 KB.
    qsizetype end = -1;
    for (qsizetype pos = m_bytes.size() - 22; pos >= 0 && pos >= m_bytes.size() - 22 - 0xFFFF; --pos)
        if (at32(pos) == 0x06054b50u) {
            end = pos;
            break;
        }
    if (end < 0)
        return -1;
    const quint32 entries = at16(end + 10);
    qsizetype pos = at32(end + 16);
    qint64 total = 0;
    for (quint32 i = 0; i < entries; ++i) {
        if (pos < 0 || pos + 46 > m_bytes.size() || at32(pos) != 0x02014b50u)
            return -1;
        const quint32 size = at32(pos + 24);
        if (size == 0xFFFFFFFFu)
            return -1;
        total += size;
        pos += 46 + at16(pos + 28) + at16(pos + 30) + at16(pos + 32);
    }
    return total;
}

} // namespace wel::excel
