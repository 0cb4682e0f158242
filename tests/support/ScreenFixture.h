#pragma once
#include <QAbstractButton>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace wel::test {

// Controls are found by their names, as a user finds them by their captions.
template <class T = QWidget>
T* control(QWidget* screen, const char* name)
{
    T* w = screen->findChild<T*>(QString::fromLatin1(name));
    if (!w)
        ADD_FAILURE() << "no control " << name;
    return w;
}

inline QString textOf(QWidget* screen, const char* name) { return control<QLineEdit>(screen, name)->text(); }

// Clicks a button the user can see and use.
inline void press(QWidget* screen, const char* name)
{
    auto* b = control<QAbstractButton>(screen, name);
    ASSERT_TRUE(b->isVisible()) << name << " is hidden";
    ASSERT_TRUE(b->isEnabled()) << name << " is disabled";
    QTest::mouseClick(b, Qt::LeftButton);
}

// Typed text; Thai letters arrive as key events carrying the text.
inline void type(QWidget* screen, const char* name, const QString& text)
{
    auto* e = control<QLineEdit>(screen, name);
    e->setFocus();
    e->selectAll();
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, e, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// How many rows a grid shows, a grid of items or over a model alike.
inline int rowsIn(QWidget* screen, const char* grid)
{
    return control<QTableView>(screen, grid)->model()->rowCount();
}

// The clerk picks a row as shown (sorted or not).
inline void chooseRow(QWidget* screen, const char* grid, int row)
{
    control<QTableView>(screen, grid)->selectRow(row);
}

// A cell's text as shown, in a grid of items or over a model.
inline QString cell(QWidget* screen, const char* grid, int row, int column)
{
    const QAbstractItemModel* model = control<QTableView>(screen, grid)->model();
    return model->index(row, column).data().toString();
}

} // namespace wel::test
