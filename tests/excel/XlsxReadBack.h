#pragma once
// Reads back what the writer put into an .xlsx, from the file's own XML, so
// that the tests see the file and not the writer's model of it.
#include <QHash>
#include <QMap>
#include <QString>
#include <QStringList>

namespace wel::test {

struct CellLook {
    bool exists = false;
    bool isText = false;
    QString value;        // the text, or the number as stored
    QString numberFormat; // "General" when none
    double fontSize = 11;
    QString fontColor;    // "FF0C058F", empty for the default
    QString fill;         // solid fill colour, empty for none
    QString hAlign, vAlign;
    QString left, right, top, bottom; // "thin", "double", empty for none
};

class XlsxReadBack {
public:
    explicit XlsxReadBack(const QString& path);

    bool ok() const { return m_ok; }
    QString sheetName() const { return m_sheetName; }
    CellLook cell(const QString& ref) const;
    QStringList merges() const { return m_merges; }
    // In the spreadsheet's character units as set (1-based column): the file
    // stores the width with the cell padding of 5 pixels of 7 per character.
    double columnWidth(int column) const { return m_widths.value(column, -1) - 5.0 / 7.0; }
    // Attributes of <pageSetup> and <pageSetUpPr> (fitToPage), and of <pageMargins>.
    QString pageSetup(const QString& attribute) const { return m_pageSetup.value(attribute); }
    double marginPoints(const QString& attribute) const;
    QString header() const { return m_header; }
    QString footer() const { return m_footer; }
    QString printTitles() const { return m_printTitles; }

private:
    struct Xf { int numFmt = 0, font = 0, fill = 0, border = 0; QString hAlign, vAlign; };
    struct Font { double size = 11; QString color; };
    struct Border { QString left, right, top, bottom; };
    struct RawCell { QString s, t, v; };

    void readStyles(const QByteArray& xml);
    void readSheet(const QByteArray& xml);

    bool m_ok = false;
    QString m_sheetName, m_header, m_footer, m_printTitles;
    QStringList m_strings, m_merges;
    QHash<int, QString> m_numFmts;
    QList<Font> m_fonts;
    QStringList m_fills;
    QList<Border> m_borders;
    QList<Xf> m_xfs;
    QHash<QString, RawCell> m_cells;
    QMap<int, double> m_widths;
    QHash<QString, QString> m_pageSetup, m_margins;
};

} // namespace wel::test
