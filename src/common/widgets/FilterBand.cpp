#include "FilterBand.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace wel {

void layOutChoices(QGroupBox* group, const QVector<QList<QWidget*>>& choices)
{
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(6, 2, 6, 4);
    grid->setVerticalSpacing(2);
    const int columns = qMax(1, int((choices.size() + 1) / 2));
    for (int i = 0; i < choices.size(); ++i) {
        auto* cell = new QHBoxLayout;
        cell->setSpacing(4);
        for (QWidget* w : choices[i])
            cell->addWidget(w);
        cell->addStretch(1);
        grid->addLayout(cell, i / columns, i % columns);
    }
}

QWidget* filterBand(QWidget* parent, const QList<QGroupBox*>& groups, const QList<QPushButton*>& commands, int width)
{
    auto* band = new QWidget(parent);
    band->setObjectName(QStringLiteral("pnlFilters"));
    auto* outer = new QHBoxLayout(band);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* lines = new QVBoxLayout;
    lines->setSpacing(2);
    outer->addLayout(lines, 1);

    auto* column = new QVBoxLayout;
    column->setSpacing(2);
    int commandsWidth = 0;
    for (QPushButton* b : commands) {
        b->setParent(band);
        column->addWidget(b);
        commandsWidth = qMax(commandsWidth, b->sizeHint().width());
    }
    column->addStretch(1);
    outer->addLayout(column);

    // Each group goes to the first line with room for it, so that a wide
    // group does not leave a line half empty.
    const int room = width - commandsWidth - outer->spacing() - 8;
    QVector<QHBoxLayout*> rows;
    QVector<int> used;
    for (QGroupBox* g : groups) {
        g->setParent(band);
        const int w = g->sizeHint().width();
        int line = 0;
        while (line < rows.size() && used[line] > 0 && used[line] + w > room)
            ++line;
        if (line == rows.size()) {
            auto* row = new QHBoxLayout;
            row->setSpacing(6);
            lines->addLayout(row);
            rows << row;
            used << 0;
        }
        rows[line]->addWidget(g, 0, Qt::AlignTop);
        used[line] += w + rows[line]->spacing();
    }
    for (QHBoxLayout* row : rows)
        row->addStretch(1);
    lines->addStretch(1);
    return band;
}

} // namespace wel
