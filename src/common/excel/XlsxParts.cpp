// What orcus 0.17 does not read of a valid .xlsx, done here: a worksheet
// named by an absolute path in the workbook's relationships (it finds no
// such part and reads the sheet as empty, without a word) and cells holding
// their text inline (t="inlineStr"), which it leaves empty. Both are written
// by common tools other than the spreadsheet program itself.
#include "common/excel/ReadCells.h"

#include "common/excel/Address.h"
#include "common/excel/ZipPackage.h"

#include <array>
#include <optional>

#include <QRegularExpression>
#include <QXmlStreamAttribute>
#include <QXmlStreamReader>

namespace wel::excel::detail {

namespace {

const QString kWorkbookRels = QStringLiteral("xl/_rels/workbook.xml.rels");

quint32 crc32Of(const QByteArray& data)
{
    static const auto table = [] {
        std::array<quint32, 256> t{};
        for (quint32 i = 0; i < 256; ++i) {
            quint32 c = i;
            for (int k = 0; k < 8; ++k)
                c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    quint32 crc = 0xFFFFFFFFu;
    for (const char ch : data)
        crc = table[(crc ^ quint8(ch)) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

void put16(QByteArray& out, quint32 v)
{
    out.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF));
}

void put32(QByteArray& out, quint32 v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// A zip archive of the parts, stored without compression.
QByteArray storedZip(const QList<std::pair<QByteArray, QByteArray>>& parts)
{
    QByteArray out, directory;
    for (const auto& [name, data] : parts) {
        const quint32 offset = quint32(out.size());
        const quint32 crc = crc32Of(data);
        auto header = [&](QByteArray& h, bool central) {
            put32(h, central ? 0x02014b50 : 0x04034b50);
            if (central)
                put16(h, 20); // made by
            put16(h, 20);     // needed to extract
            put16(h, 0x0800); // UTF-8 names
            put16(h, 0);      // stored
            put16(h, 0);      // time
            put16(h, 0x21);   // date: 1 January 1980
            put32(h, crc);
            put32(h, quint32(data.size()));
            put32(h, quint32(data.size()));
            put16(h, quint32(name.size()));
            put16(h, 0); // extra field
            if (central) {
                put16(h, 0); // comment
                put16(h, 0); // disk
                put16(h, 0); // internal attributes
                put32(h, 0); // external attributes
                put32(h, offset);
            }
            h.append(name);
        };
        header(out, false);
        out.append(data);
        header(directory, true);
    }
    const quint32 directoryOffset = quint32(out.size());
    out.append(directory);
    put32(out, 0x06054b50);
    put16(out, 0);
    put16(out, 0);
    put16(out, quint32(parts.size()));
    put16(out, quint32(parts.size()));
    put32(out, quint32(directory.size()));
    put32(out, directoryOffset);
    put16(out, 0);
    return out;
}

// The part a relationship of the workbook names, as a path in the package.
QString resolved(const QString& target)
{
    return target.startsWith(u'/') ? target.mid(1) : QStringLiteral("xl/") + target;
}

// The same target written relative to the workbook's folder "xl/".
QString relativeToXl(const QString& absolute)
{
    const QString path = absolute.mid(1);
    return path.startsWith(QLatin1String("xl/")) ? path.mid(3) : QStringLiteral("../") + path;
}

// An attribute by its name without namespace prefix ("id" of "r:id").
QString attribute(const QXmlStreamReader& x, QLatin1String name)
{
    for (const QXmlStreamAttribute& a : x.attributes())
        if (a.name() == name)
            return a.value().toString();
    return {};
}

} // namespace

QByteArray readableByOrcus(const QByteArray& bytes)
{
    const ZipPackage zip(bytes);
    QByteArray rels = zip.entry(kWorkbookRels);
    if (!rels.contains("Target=\"/"))
        return bytes;
    static const QRegularExpression absolute(QStringLiteral("Target=\"(/[^\"]*)\""));
    QString text = QString::fromUtf8(rels);
    QString fixed;
    qsizetype last = 0;
    for (auto it = absolute.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        fixed += text.mid(last, m.capturedStart() - last);
        fixed += QStringLiteral("Target=\"%1\"").arg(relativeToXl(m.captured(1)));
        last = m.capturedEnd();
    }
    fixed += text.mid(last);
    QList<std::pair<QByteArray, QByteArray>> parts;
    for (const QString& name : zip.entryNames())
        parts.append({name.toUtf8(), name == kWorkbookRels ? fixed.toUtf8() : zip.entry(name)});
    return storedZip(parts);
}

void addInlineStrings(const QByteArray& bytes, SheetData& data)
{
    const ZipPackage zip(bytes);
    // The first sheet of the workbook and the part that holds it.
    QString sheetId;
    QXmlStreamReader book(zip.entry(QStringLiteral("xl/workbook.xml")));
    while (!book.atEnd() && sheetId.isEmpty())
        if (book.readNext() == QXmlStreamReader::StartElement && book.name() == u"sheet")
            sheetId = attribute(book, QLatin1String("id"));
    if (sheetId.isEmpty())
        return;
    QString part;
    QXmlStreamReader rels(zip.entry(kWorkbookRels));
    while (!rels.atEnd() && part.isEmpty())
        if (rels.readNext() == QXmlStreamReader::StartElement && rels.name() == u"Relationship"
            && attribute(rels, QLatin1String("Id")) == sheetId)
            part = resolved(attribute(rels, QLatin1String("Target")));
    const QByteArray xml = zip.entry(part);
    if (!xml.contains("inlineStr"))
        return;

    QXmlStreamReader x(xml);
    QString ref, text;
    bool inlineCell = false, inString = false;
    qint64 inlineCells = 0;
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement() && x.name() == u"c") {
            ref = attribute(x, QLatin1String("r"));
            inlineCell = attribute(x, QLatin1String("t")) == QLatin1String("inlineStr");
            text.clear();
        } else if (inlineCell && x.isStartElement() && x.name() == u"is") {
            inString = true;
        } else if (inString && x.isStartElement() && x.name() == u"t") {
            text += x.readElementText();
        } else if (x.isEndElement() && x.name() == u"is") {
            inString = false;
        } else if (x.isEndElement() && x.name() == u"c" && inlineCell && !ref.isEmpty()) {
            std::optional<CellRange> at;
            try {
                at = CellRange(ref);
            } catch (const std::exception&) {
            }
            if (at) {
                // Orcus did not count these cells: the sheet's bounds hold for them too.
                if (!text.isEmpty())
                    checkSheetBounds(qMax(at->top, data.rowCount()), qMax(at->left, data.columnCount()), ++inlineCells);
                data.set(at->top, at->left, text);
            }
            inlineCell = false;
        }
    }
}

} // namespace wel::excel::detail
