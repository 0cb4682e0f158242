#pragma once
#include <QByteArray>
#include <QStringList>
#include <memory>

namespace wel::excel {

// Read access to the parts of a zip package (.xlsx, .ods) held in memory.
// A damaged or cut-short archive is not valid and gives no parts.
class ZipPackage {
public:
    explicit ZipPackage(const QByteArray& bytes);
    ~ZipPackage();
    ZipPackage(const ZipPackage&) = delete;
    ZipPackage& operator=(const ZipPackage&) = delete;

    static bool hasZipSignature(const QByteArray& bytes);

    bool isValid() const { return m_valid; }
    QStringList entryNames() const { return m_names; }
    bool contains(const QString& name) const { return m_names.contains(name); }
    // The part uncompressed; empty when it is missing or cannot be read.
    QByteArray entry(const QString& name) const;
    // The bytes all parts take uncompressed, as the archive's directory
    // declares them; -1 when a size is kept in the 64-bit extension, which
    // no workbook of this office needs.
    qint64 declaredUnpackedSize() const;

private:
    struct Impl;
    QByteArray m_bytes;
    std::unique_ptr<Impl> m_impl;
    QStringList m_names;
    bool m_valid = false;
};

} // namespace wel::excel
