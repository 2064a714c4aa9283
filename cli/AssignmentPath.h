#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVarLengthArray>

#include <memory>
#include <optional>

// The path of an assignment: names joined by ".", each followed by its indices in brackets.
// An index may also select many: "*" every record, "0-99" a range, and in the first brackets
// of a record table a filter on another field of the same record, "Words[0]==12". A path's
// texts are views into the text it was parsed from, which must outlive it: an edits file
// may hold 100 000 assignments, each parsed once and dropped. For the same reason a path
// lives on the stack: no valid path has more than two segments or two indices in one.
namespace korven::cli {

struct Filter;

struct Selector {
    enum class Kind { Index, All, Range, Filter };
    Kind kind = Kind::Index;
    qint64 first = 0;  // Index, Range
    qint64 last = 0;   // Range
    QStringView text;  // as written, for messages
    std::shared_ptr<const Filter> filter;
};

struct Segment {
    QStringView name;
    QVarLengthArray<Selector, 2> indices;
};
using Path = QVarLengthArray<Segment, 2>;

struct Filter {
    enum class Op { Equal, NotEqual, Less, LessOrEqual, Greater, GreaterOrEqual };
    Path field;  // within the record, plain indices only
    Op op = Op::Equal;
    QStringView value;
};

// Nothing when the text is not a path in this syntax.
std::optional<Path> ParsePath(QStringView text);
// The path the text starts with, and in `end` where it stops; nothing when it starts with none.
std::optional<Path> ParsePathPrefix(QStringView text, qsizetype& end);

// The path up to and including segment `upTo`, as written.
QString PathText(const Path& path, qsizetype upTo);

// Whether an index is a filter.
bool HasFilter(const Path& path);

// Whether any index selects more than one place.
bool SelectsMany(const Path& path);

}  // namespace korven::cli
