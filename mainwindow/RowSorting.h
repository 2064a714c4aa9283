#pragma once

#include "mainwindow/ColumnLayouts.h"

#include <QMetaType>
#include <QString>
#include <Qt>

// How the record list sorts: which order a header click selects, and how two cells compare.
namespace korven::mainwindow {

struct SortState {
    bool sorted = false;
    int column = 0;  // 0-based
    Qt::SortOrder order = Qt::AscendingOrder;

    friend bool operator==(const SortState&, const SortState&) = default;
};

// A click on `column` (0-based): descending when the list is sorted ascending by that same
// column, ascending in every other case.
SortState SortAfterClick(const SortState& current, int column);

// What a cell compares by, worked out once per cell rather than on every comparison.
struct CellSortKey {
    bool isValue = false;  // a value of its column's form
    bool firstMissing = false;
    double first = 0;
    double second = 0;
    QString text;
};

CellSortKey SortKeyOf(const QString& text, SortAs sortAs);
bool SortKeyLess(const CellSortKey& a, const CellSortKey& b);

// True when cell `a` sorts before cell `b` in ascending order. Number and pair columns compare
// by value; a cell that is not a value of its column's form sorts after those that are, and
// among such cells (and in text columns) texts compare without regard to case.
bool CellLess(const QString& a, const QString& b, SortAs sortAs);

}  // namespace korven::mainwindow

Q_DECLARE_METATYPE(korven::mainwindow::CellSortKey)
