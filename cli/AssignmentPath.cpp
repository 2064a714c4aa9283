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
    // Parsed in place: a path is built once per assignment and never moved.
    bool path(bool allowSelectors, Path& result) {
        do {
            if (!segment(allowSelectors && result.empty(), result)) {
                return false;
            }
        } while (accept(u'.'));
        return true;
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

    // Appended to `path` once its name is read: built from the name, a segment is not zeroed
    // first, which cost a tenth of the parse.
    bool segment(bool allowFilter, Path& path) {
        const qsizetype start = m_at;
        if (atEnd() || !isLetter(m_text[m_at])) {
            return false;
        }
        while (!atEnd() && (isLetter(m_text[m_at]) || isDigit(m_text[m_at]))) {
            ++m_at;
        }
        Segment& segment = path.emplace_back();
        segment.name = m_text.sliced(start, m_at - start);
        while (accept(u'[')) {
            const bool first = segment.indices.empty();
            if (!selector(allowFilter && first, segment.indices.emplace_back()) || !accept(u']')) {
                return false;
            }
        }
        return true;
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

    bool selector(bool allowFilter, Selector& selector) {
        const qsizetype start = m_at;
        if (accept(u'*')) {
            selector.kind = Selector::Kind::All;
        } else if (!atEnd() && isDigit(m_text[m_at])) {
            selector.first = *number();
            if (accept(u'-')) {
                const std::optional<qint64> last = number();
                if (!last || *last < selector.first) {
                    return false;
                }
                selector.kind = Selector::Kind::Range;
                selector.last = *last;
            }
        } else if (allowFilter) {
            auto filter = std::make_shared<Filter>();
            if (!this->filter(*filter)) {
                return false;
            }
            selector.kind = Selector::Kind::Filter;
            selector.filter = std::move(filter);
        } else {
            return false;
        }
        selector.text = m_text.sliced(start, m_at - start);
        return true;
    }

    // field op value, the value running to the bracket that closes the filter.
    bool filter(Filter& filter) {
        const bool field = path(false, filter.field);
        const std::optional<Filter::Op> op = field ? this->op() : std::nullopt;
        if (!op) {
            return false;
        }
        const qsizetype close = m_text.indexOf(u']', m_at);
        if (close < 0) {
            return false;
        }
        if (filter.field.size() != 1 || SelectsMany(filter.field)) {
            return false;  // one field of the same record
        }
        filter.op = *op;
        filter.value = m_text.sliced(m_at, close - m_at);
        m_at = close;
        return true;
    }

    QStringView m_text;
    qsizetype m_at = 0;
};

template <typename Test>
bool anyIndex(const Path& path, Test test) {
    for (const Segment& segment : path) {
        for (const Selector& index : segment.indices) {
            if (test(index)) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

std::optional<Path> ParsePathPrefix(QStringView text, qsizetype& end) {
    Parser parser(text);
    std::optional<Path> path(std::in_place);
    // A table and a field at most: records hold no records.
    if (!parser.path(true, *path) || path->size() > 2) {
        path.reset();
    }
    end = parser.position();
    return path;
}

std::optional<Path> ParsePath(QStringView text) {
    qsizetype end = 0;
    std::optional<Path> path = ParsePathPrefix(text, end);
    if (end != text.size()) {
        path.reset();
    }
    return path;
}

QString PathText(const Path& path, qsizetype upTo) {
    QString text;
    for (qsizetype s = 0; s <= upTo && s < path.size(); ++s) {
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

bool HasFilter(const Path& path) {
    return anyIndex(path, [](const Selector& index) { return index.kind == Selector::Kind::Filter; });
}

bool SelectsMany(const Path& path) {
    return anyIndex(path, [](const Selector& index) { return index.kind != Selector::Kind::Index; });
}

}  // namespace korven::cli
