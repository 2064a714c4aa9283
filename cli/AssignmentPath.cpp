#include "cli/AssignmentPath.h"

#include <limits>

namespace korven::cli {
namespace {

// Indices too long to read are kept as this, which every table rejects.
constexpr qint64 kHugeIndex = std::numeric_limits<qint64>::max();

bool isLetter(QChar c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}
bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

class Parser {
public:
    explicit Parser(QStringView text) : m_text(text) {}

    // path := segment ("." segment)*, up to `end` (the whole text, or a filter's operator).
    std::optional<Path> path(bool allowSelectors) {
        Path result;
        result.reserve(2);
        do {
            std::optional<Segment> segment = this->segment(allowSelectors && result.empty());
            if (!segment) {
                return std::nullopt;
            }
            result.push_back(std::move(*segment));
        } while (accept(u'.'));
        return result;
    }

    bool atEnd() const { return m_at >= m_text.size(); }
    qsizetype position() const { return m_at; }

    std::optional<Filter::Op> op() {
        static const std::pair<const char16_t*, Filter::Op> ops[] = {
            {u"==", Filter::Op::Equal},       {u"!=", Filter::Op::NotEqual},
            {u"<=", Filter::Op::LessOrEqual}, {u">=", Filter::Op::GreaterOrEqual},
            {u"<", Filter::Op::Less},         {u">", Filter::Op::Greater},
        };
        for (const auto& [spelling, op] : ops) {
            const QStringView s(spelling);
            if (m_text.mid(m_at).startsWith(s)) {
                m_at += s.size();
                return op;
            }
        }
        return std::nullopt;
    }

private:
    bool accept(char16_t c) {
        if (!atEnd() && m_text[m_at] == c) {
            ++m_at;
            return true;
        }
        return false;
    }

    std::optional<Segment> segment(bool allowFilter) {
        const qsizetype start = m_at;
        if (atEnd() || !isLetter(m_text[m_at])) {
            return std::nullopt;
        }
        while (!atEnd() && (isLetter(m_text[m_at]) || isDigit(m_text[m_at]))) {
            ++m_at;
        }
        Segment segment{m_text.sliced(start, m_at - start), {}};
        while (accept(u'[')) {
            std::optional<Selector> selector = this->selector(allowFilter && segment.indices.empty());
            if (!selector || !accept(u']')) {
                return std::nullopt;
            }
            segment.indices.push_back(std::move(*selector));
        }
        return segment;
    }

    // Read digit by digit: the locale-aware conversion was a tenth of an assignment's cost.
    std::optional<qint64> number() {
        const qsizetype start = m_at;
        qint64 value = 0;
        while (!atEnd() && isDigit(m_text[m_at])) {
            const int digit = m_text[m_at].unicode() - u'0';
            value = value > (kHugeIndex - digit) / 10 ? kHugeIndex : value * 10 + digit;
            ++m_at;
        }
        if (m_at == start) {
            return std::nullopt;
        }
        return value;
    }

    std::optional<Selector> selector(bool allowFilter) {
        const qsizetype start = m_at;
        Selector selector;
        if (accept(u'*')) {
            selector.kind = Selector::Kind::All;
        } else if (!atEnd() && isDigit(m_text[m_at])) {
            selector.first = *number();
            if (accept(u'-')) {
                const std::optional<qint64> last = number();
                if (!last || *last < selector.first) {
                    return std::nullopt;
                }
                selector.kind = Selector::Kind::Range;
                selector.last = *last;
            }
        } else if (allowFilter) {
            std::optional<Filter> filter = this->filter();
            if (!filter) {
                return std::nullopt;
            }
            selector.kind = Selector::Kind::Filter;
            selector.filter = std::make_shared<const Filter>(std::move(*filter));
        } else {
            return std::nullopt;
        }
        selector.text = m_text.sliced(start, m_at - start);
        return selector;
    }

    // field op value, the value running to the bracket that closes the filter.
    std::optional<Filter> filter() {
        Filter filter;
        std::optional<Path> field = path(false);
        std::optional<Filter::Op> op = field ? this->op() : std::nullopt;
        if (!op) {
            return std::nullopt;
        }
        const qsizetype close = m_text.indexOf(u']', m_at);
        if (close < 0) {
            return std::nullopt;
        }
        if (field->size() != 1 || SelectsMany(*field)) {
            return std::nullopt;  // one field of the same record
        }
        filter.field = std::move(*field);
        filter.op = *op;
        filter.value = m_text.sliced(m_at, close - m_at);
        m_at = close;
        return filter;
    }

    QStringView m_text;
    qsizetype m_at = 0;
};

}  // namespace

std::optional<Path> ParsePath(QStringView text) {
    Parser parser(text);
    std::optional<Path> path = parser.path(true);
    // A table and a field at most: records hold no records.
    if (!path || !parser.atEnd() || path->size() > 2) {
        return std::nullopt;
    }
    return path;
}

QString PathText(const Path& path, std::size_t upTo) {
    QString text;
    for (std::size_t s = 0; s <= upTo && s < path.size(); ++s) {
        if (s > 0) {
            text += QLatin1Char('.');
        }
        text += path[s].name;
        for (const Selector& index : path[s].indices) {
            text += QLatin1Char('[');
            text += index.text;
            text += QLatin1Char(']');
        }
    }
    return text;
}

bool SelectsMany(const Path& path) {
    for (const Segment& segment : path) {
        for (const Selector& index : segment.indices) {
            if (index.kind != Selector::Kind::Index) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace korven::cli
