#include "mainwindow/RecordFilter.h"

#include "mainwindow/MainWindowTexts.h"
#include "mainwindow/RecordSearch.h"

namespace korven::mainwindow {
namespace {

struct Token {
    QString text;
    bool isOperator = false;
};

bool isOperatorChar(QChar c) {
    return c == u'<' || c == u'>' || c == u'=' || c == u'!';
}

std::optional<FilterOp> operatorOf(const QString& text) {
    static const std::pair<const char16_t*, FilterOp> kOperators[] = {
        {u"=", FilterOp::Equal},     {u"==", FilterOp::Equal},
        {u"!=", FilterOp::NotEqual}, {u"<>", FilterOp::NotEqual},
        {u"<", FilterOp::Less},      {u"<=", FilterOp::LessOrEqual},
        {u">", FilterOp::Greater},   {u">=", FilterOp::GreaterOrEqual},
    };
    for (const auto& [spelling, op] : kOperators) {
        if (text == QStringView(spelling)) {
            return op;
        }
    }
    return std::nullopt;
}

// Words and operators; a quoted word keeps its spaces. Nothing when a quote is left open.
std::optional<std::vector<Token>> tokensOf(const QString& text) {
    std::vector<Token> tokens;
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text.at(i);
        if (c.isSpace()) {
            ++i;
        } else if (c == u'"') {
            const qsizetype close = text.indexOf(u'"', i + 1);
            if (close < 0) {
                return std::nullopt;
            }
            tokens.push_back({text.mid(i + 1, close - i - 1), false});
            i = close + 1;
        } else {
            const bool op = isOperatorChar(c);
            const qsizetype start = i;
            while (i < text.size() && !text.at(i).isSpace() && text.at(i) != u'"' &&
                   isOperatorChar(text.at(i)) == op) {
                ++i;
            }
            tokens.push_back({text.mid(start, i - start), op});
        }
    }
    return tokens;
}

std::optional<double> numberIn(QStringView text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

template <typename T>
bool holds(FilterOp op, const T& a, const T& b) {
    switch (op) {
        case FilterOp::Equal:
            return a == b;
        case FilterOp::NotEqual:
            return a != b;
        case FilterOp::Less:
            return a < b;
        case FilterOp::LessOrEqual:
            return a <= b;
        case FilterOp::Greater:
            return a > b;
        case FilterOp::GreaterOrEqual:
            return a >= b;
    }
    return false;
}

bool meets(const FilterCondition& condition, const QString& cell) {
    if (condition.number) {
        const qsizetype colon = condition.pair ? cell.indexOf(u':') : -1;
        if (const std::optional<double> value = numberIn(QStringView(cell).mid(colon + 1))) {
            return holds(condition.op, *value, *condition.number);
        }
    }
    return holds(condition.op, SearchFold(cell), condition.folded);
}

}  // namespace

RowFilter ParseFilter(const QString& text, const Columns& columns) {
    // Full-width operators, digits and spaces as typed on a Japanese keyboard.
    const std::optional<std::vector<Token>> tokens = tokensOf(text.normalized(QString::NormalizationForm_KC));
    if (!tokens) {
        return {{}, texts::filterOpenQuote()};
    }
    RowFilter filter;
    for (std::size_t i = 0; i < tokens->size(); i += 3) {
        const Token& name = (*tokens)[i];
        if (name.isOperator) {
            return {{}, texts::filterNoColumn(name.text)};
        }
        FilterCondition condition;
        const QString foldedName = SearchFold(name.text);
        const auto column = std::find_if(columns.begin(), columns.end(), [&](const ColumnLayout& c) {
            return SearchFold(c.caption) == foldedName;
        });
        if (column == columns.end()) {
            return {{}, texts::filterUnknownColumn(name.text)};
        }
        condition.column = static_cast<int>(column - columns.begin());
        condition.pair = column->sortAs == SortAs::Pair;
        const std::optional<FilterOp> op = i + 1 < tokens->size() && (*tokens)[i + 1].isOperator
                                               ? operatorOf((*tokens)[i + 1].text)
                                               : std::nullopt;
        if (!op) {
            return {{}, texts::filterNoOperator(name.text)};
        }
        condition.op = *op;
        if (i + 2 >= tokens->size() || (*tokens)[i + 2].isOperator) {
            return {{}, texts::filterNoValue(name.text)};
        }
        const QString& value = (*tokens)[i + 2].text;
        condition.number = numberIn(value);
        condition.folded = SearchFold(value);
        filter.conditions.push_back(std::move(condition));
    }
    return filter;
}

bool RowPasses(const RowFilter& filter, const RecordRow& row) {
    if (filter.passesNone) {
        return false;
    }
    if (!filter.active()) {
        return true;
    }
    for (const FilterCondition& condition : filter.conditions) {
        const QString cell = condition.column == 0
                                 ? row.text
                                 : row.subItems.value(static_cast<qsizetype>(condition.column) - 1);
        if (!meets(condition, cell)) {
            return false;
        }
    }
    return true;
}

}  // namespace korven::mainwindow
