#include "common/excel/ZipPackage.h"

#include <orcus/zip_archive.hpp>
#include <orcus/zip_archive_stream.hpp>

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
