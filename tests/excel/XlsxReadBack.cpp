#include "XlsxReadBack.h"

#include "common/excel/ZipPackage.h"

#include <QFile>
#include <QXmlStreamReader>

namespace wel::test {

namespace {

// Formats the file format knows by number; a writer stores these by id only.
QString builtinFormat(int id)
{
    static const QHash<int, QString> builtins = {
        {0, QStringLiteral("General")}, {1, QStringLiteral("0")}, {2, QStringLiteral("0.00")},
        {3, QStringLiteral("#,##0")}, {4, QStringLiteral("#,##0.00")},
        {37, QStringLiteral("#,##0_);(#,##0)")}, {39, QStringLiteral("#,##0.00_);(#,##0.00)")},
        {49, QStringLiteral("@")}};
    return builtins.value(id, QStringLiteral("builtin %1").arg(id));
}

QString attr(const QXmlStreamReader& x, const char* name)
{
    return x.attributes().value(QLatin1String(name)).toString();
}

} // namespace

XlsxReadBack::XlsxReadBack(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return;
    const excel::ZipPackage zip(f.readAll());
    if (!zip.isValid())
        return;

    QXmlStreamReader strings(zip.entry(QStringLiteral("xl/sharedStrings.xml")));
    QString current;
    while (!strings.atEnd()) {
        strings.readNext();
        if (strings.isStartElement() && strings.name() == u"si")
            current.clear();
        else if (strings.isStartElement() && strings.name() == u"t")
            current += strings.readElementText();
        else if (strings.isEndElement() && strings.name() == u"si")
            m_strings << current;
    }

    QXmlStreamReader book(zip.entry(QStringLiteral("xl/workbook.xml")));
    while (!book.atEnd()) {
        book.readNext();
        if (book.isStartElement() && book.name() == u"sheet" && m_sheetName.isEmpty())
            m_sheetName = attr(book, "name");
        else if (book.isStartElement() && book.name() == u"definedName"
                 && attr(book, "name") == u"_xlnm.Print_Titles")
            m_printTitles = book.readElementText();
    }

    readStyles(zip.entry(QStringLiteral("xl/styles.xml")));
    readSheet(zip.entry(QStringLiteral("xl/worksheets/sheet1.xml")));
    m_ok = !m_xfs.isEmpty() && !m_sheetName.isEmpty();
}

void XlsxReadBack::readStyles(const QByteArray& xml)
{
    QXmlStreamReader x(xml);
    enum { None, Fonts, Fills, Borders, CellXfs } section = None;
    while (!x.atEnd()) {
        x.readNext();
        if (x.isEndElement() && (x.name() == u"fonts" || x.name() == u"fills" || x.name() == u"borders"
                                 || x.name() == u"cellXfs"))
            section = None;
        if (!x.isStartElement())
            continue;
        const auto name = x.name();
        if (name == u"numFmt")
            m_numFmts.insert(attr(x, "numFmtId").toInt(), attr(x, "formatCode"));
        else if (name == u"fonts")
            section = Fonts;
        else if (name == u"fills")
            section = Fills;
        else if (name == u"borders")
            section = Borders;
        else if (name == u"cellXfs")
            section = CellXfs;
        else if (section == Fonts && name == u"font")
            m_fonts << Font();
        else if (section == Fonts && name == u"sz")
            m_fonts.last().size = attr(x, "val").toDouble();
        else if (section == Fonts && name == u"color")
            m_fonts.last().color = attr(x, "rgb");
        else if (section == Fills && name == u"fill")
            m_fills << QString();
        else if (section == Fills && name == u"fgColor")
            m_fills.last() = attr(x, "rgb");
        else if (section == Borders && name == u"border")
            m_borders << Border();
        else if (section == Borders && (name == u"left" || name == u"right" || name == u"top" || name == u"bottom")) {
            Border& b = m_borders.last();
            QString* side = name == u"left" ? &b.left : name == u"right" ? &b.right
                          : name == u"top" ? &b.top : &b.bottom;
            *side = attr(x, "style");
        } else if (section == CellXfs && name == u"xf") {
            Xf xf;
            xf.numFmt = attr(x, "numFmtId").toInt();
            xf.font = attr(x, "fontId").toInt();
            xf.fill = attr(x, "fillId").toInt();
            xf.border = attr(x, "borderId").toInt();
            m_xfs << xf;
        } else if (section == CellXfs && name == u"alignment") {
            m_xfs.last().hAlign = attr(x, "horizontal");
            m_xfs.last().vAlign = attr(x, "vertical");
        }
    }
}

void XlsxReadBack::readSheet(const QByteArray& xml)
{
    QXmlStreamReader x(xml);
    QString ref;
    while (!x.atEnd()) {
        x.readNext();
        if (!x.isStartElement())
            continue;
        const auto name = x.name();
        if (name == u"c") {
            ref = attr(x, "r");
            m_cells.insert(ref, {attr(x, "s"), attr(x, "t"), QString()});
        } else if (name == u"v") {
            m_cells[ref].v = x.readElementText();
        } else if (name == u"t" && m_cells.value(ref).t == u"inlineStr") {
            // Written row by row, the texts stand in their cells.
            m_cells[ref].v += x.readElementText();
        } else if (name == u"mergeCell") {
            m_merges << attr(x, "ref");
        } else if (name == u"col") {
            for (int c = attr(x, "min").toInt(); c <= attr(x, "max").toInt(); ++c)
                m_widths.insert(c, attr(x, "width").toDouble());
        } else if (name == u"pageSetup" || name == u"pageSetUpPr") {
            for (const auto& a : x.attributes())
                m_pageSetup.insert(a.name().toString(), a.value().toString());
        } else if (name == u"pageMargins") {
            for (const auto& a : x.attributes())
                m_margins.insert(a.name().toString(), a.value().toString());
        } else if (name == u"oddHeader") {
            m_header = x.readElementText();
        } else if (name == u"oddFooter") {
            m_footer = x.readElementText();
        }
    }
}

double XlsxReadBack::marginPoints(const QString& attribute) const
{
    return m_margins.value(attribute).toDouble() * 72.0;
}

CellLook XlsxReadBack::cell(const QString& ref) const
{
    CellLook look;
    auto it = m_cells.constFind(ref);
    const int xfIndex = it == m_cells.cend() ? 0 : it->s.toInt();
    if (it != m_cells.cend()) {
        look.exists = true;
        look.isText = it->t == u"s" || it->t == u"inlineStr";
        look.value = it->t == u"s" ? m_strings.value(it->v.toInt()) : it->v;
    }
    const Xf xf = m_xfs.value(xfIndex);
    look.numberFormat = m_numFmts.value(xf.numFmt, builtinFormat(xf.numFmt));
    const Font font = m_fonts.value(xf.font);
    look.fontSize = font.size;
    look.fontColor = font.color;
    look.fill = m_fills.value(xf.fill);
    look.hAlign = xf.hAlign;
    look.vAlign = xf.vAlign;
    const Border b = m_borders.value(xf.border);
    look.left = b.left;
    look.right = b.right;
    look.top = b.top;
    look.bottom = b.bottom;
    return look;
}

} // namespace wel::test
