#pragma once

#include "mainwindow/ColumnLayouts.h"
#include "mainwindow/RecordRows.h"

#include <QString>

#include <optional>
#include <vector>

// The record list's filter: conditions such as `燃料 < 1000 艦種 = 空母` on the shown columns,
// all of which a row must meet. Numbers compare by value; anything else compares as text after
// the search's folding, so half-width, hiragana and case make no difference.
namespace korven::mainwindow {

enum class FilterOp { Equal, NotEqual, Less, LessOrEqual, Greater, GreaterOrEqual };

struct FilterCondition {
    int column = 0;     // in the list's columns; 0 is the row's name
    bool pair = false;  // "class:own" cells, whose own value (after the colon) is compared
    FilterOp op = FilterOp::Equal;
    std::optional<double> number;  // the value, when it is a number
    QString folded;                // the value as text, folded
};

struct RowFilter {
    std::vector<FilterCondition> conditions;
    // Why the text is no filter (in the user's words); empty when it is one.
    QString error;
    // No row passes: the filter kept while the text is wrong names columns this list lacks.
    bool passesNone = false;

    bool active() const { return passesNone || (error.isEmpty() && !conditions.empty()); }
};

// `text` against the captions of `columns`. Values holding spaces go in double quotes.
RowFilter ParseFilter(const QString& text, const Columns& columns);

// True when `row` meets every condition (always, for a filter that is not active).
bool RowPasses(const RowFilter& filter, const RecordRow& row);

}  // namespace korven::mainwindow
