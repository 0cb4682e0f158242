#pragma once
#include "common/Money.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

namespace wel::reports {

// What a clerk chose on a report screen, by filter key ("date", "faculty",
// "status", ...). A choice that comes with a typed value is written
// "choice:value" ("month:01/2551", "one:SC"); the same texts are typed after
// `welmora-admin export REPORT key=value`.
using Filters = QMap<QString, QString>;

// A filter value split into its choice and the typed value after ":".
struct Choice {
    QString kind;
    QString value;
    static Choice of(const QString& text);
};

// Rows of a report as its grid shows them: heading rows (two for the
// category-pair summaries), then data rows of display texts.
struct ReportResult {
    QList<QStringList> headings;
    QVector<QStringList> rows;
    Money total;       // the screen's total field, where it has one
    bool empty = true; // no record matched: the grid shows one emptied row
    // Texts the export's title lines take from the data rather than from the
    // filters (the employee of a history), by key.
    QMap<QString, QString> titleFacts;
    int columnCount() const { return headings.isEmpty() ? 0 : int(headings.first().size()); }
};

// A report's rows handed over one at a time as they are read, never held
// together: for an export of any size. Headings first, then each row as
// the grid would show it.
struct RowSink {
    std::function<void(const QList<QStringList>&)> headings;
    std::function<void(const QStringList&)> row;
};

inline const QString kNotFound = QStringLiteral("ไม่พบข้อมูลที่ต้องการ");

} // namespace wel::reports
