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

// The value of a number or pair cell; an empty first half sorts before every number.
struct SortKey {
    double first = 0;
    double second = 0;
    bool firstMissing = false;
};

std::optional<SortKey> keyOf(const QString& text, SortAs sortAs) {
    if (sortAs == SortAs::Number) {
        if (const std::optional<double> value = numberIn(text)) {
            return SortKey{*value, 0, false};
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
    if (left.trimmed().isEmpty()) {
        return SortKey{0, *second, true};
    }
    const std::optional<double> first = numberIn(left);
    if (!first) {
        return std::nullopt;
    }
    return SortKey{*first, *second, false};
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

bool CellLess(const QString& a, const QString& b, SortAs sortAs) {
    if (sortAs == SortAs::Text) {
        return textLess(a, b);
    }
    const std::optional<SortKey> ka = keyOf(a, sortAs);
    const std::optional<SortKey> kb = keyOf(b, sortAs);
    if (ka && kb) {
        return std::tuple(!ka->firstMissing, ka->first, ka->second) <
               std::tuple(!kb->firstMissing, kb->first, kb->second);
    }
    if (ka || kb) {
        return ka.has_value();  // values first
    }
    return textLess(a, b);
}

}  // namespace korven::mainwindow
