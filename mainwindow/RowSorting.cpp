#include "mainwindow/RowSorting.h"

#include <optional>
#include <tuple>

namespace korven::mainwindow {
namespace {

std::optional<double> numberIn(QStringView text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

std::optional<CellSortKey> valueKeyOf(const QString& text, SortAs sortAs) {
    if (sortAs == SortAs::Number) {
        if (const std::optional<double> value = numberIn(text)) {
            return CellSortKey{true, false, *value, 0, {}};
        }
        return std::nullopt;
    }
    const qsizetype colon = text.indexOf(u':');
    if (colon < 0) {
        return std::nullopt;
    }
    const QStringView left = QStringView(text).left(colon);
    const std::optional<double> second = numberIn(QStringView(text).mid(colon + 1));
    if (!second) {
        return std::nullopt;
    }
    // An empty first half sorts before every number.
    if (left.trimmed().isEmpty()) {
        return CellSortKey{true, true, 0, *second, {}};
    }
    const std::optional<double> first = numberIn(left);
    if (!first) {
        return std::nullopt;
    }
    return CellSortKey{true, false, *first, *second, {}};
}

bool textLess(const QString& a, const QString& b) {
    const int folded = QString::compare(a, b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : QString::compare(a, b, Qt::CaseSensitive) < 0;
}

}  // namespace

SortState SortAfterClick(const SortState& current, int column) {
    const bool flip = current.sorted && current.column == column && current.order == Qt::AscendingOrder;
    return SortState{true, column, flip ? Qt::DescendingOrder : Qt::AscendingOrder};
}

CellSortKey SortKeyOf(const QString& text, SortAs sortAs) {
    if (sortAs != SortAs::Text) {
        if (std::optional<CellSortKey> key = valueKeyOf(text, sortAs)) {
            return *key;
        }
    }
    return CellSortKey{false, false, 0, 0, text};
}

bool SortKeyLess(const CellSortKey& a, const CellSortKey& b) {
    if (a.isValue && b.isValue) {
        return std::tuple(!a.firstMissing, a.first, a.second) <
               std::tuple(!b.firstMissing, b.first, b.second);
    }
    if (a.isValue || b.isValue) {
        return a.isValue;  // values first
    }
    return textLess(a.text, b.text);
}

bool CellLess(const QString& a, const QString& b, SortAs sortAs) {
    return SortKeyLess(SortKeyOf(a, sortAs), SortKeyOf(b, sortAs));
}

}  // namespace korven::mainwindow
