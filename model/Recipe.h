#pragma once

#include "model/ChangeSet.h"
#include "model/FieldOperation.h"
#include "model/ModelDiff.h"
#include "model/SaveFile.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

// Recipes: edits as text that players write and share. One edit a line:
//   PATH = VALUE     the value, as `korvenedit-cli set` writes it (a list field also takes the
//                    label its list shows)
//   PATH += N, PATH -= N, PATH *= N%, PATH = max
//                    as the batch edit does them, limited to what the field's dialog accepts
// PATH is a positional path or a field's English name. Where it has an index it may instead
// select many: "*", "3-9", "1,4,7-9", or in a record's own index conditions joined by "&&"
// ("Ship[Side==日本軍 && Class.Type==空母].Fuel = max"). A condition names a field of the
// record, "Class.X" of an individual ship's class, or "Side"; a list field compares with its
// labels. Conditions pick among the ships that exist. A line starting with "#" is a comment;
// the first comment is the recipe's title. A recipe is all or nothing.
namespace korven::recipe {

// The largest recipe read, as large as an edits file may be.
inline constexpr qsizetype kRecipeLimit = qsizetype(256) << 20;

struct LineCount {
    qsizetype line = 0;    // 1-based, in the recipe's text
    QString text;          // as written
    int changed = 0;       // values the line changed
    int limited = 0;       // values kept within what the dialog accepts, or left alone for lack of one
    int neverWritten = 0;  // fields named that the file never stores, left alone
};

struct Prepared {
    QString title;  // the first comment's text; empty when the recipe has none
    // Named by the title; one change per field, from its value before the recipe to its last
    // value, in the order the fields were first changed.
    ChangeSet changes;
    std::vector<LineCount> lines;    // one per edit line, in order
    std::optional<QString> refusal;  // names the line; the changes are then empty
    qsizetype refusedLine = 0;       // the line refused; 0 for the file as a whole
    bool ok() const { return !refusal.has_value(); }
};

// The recipe `text` applied to `model` in thought: what it would change. Each line sees the
// values the lines before it gave.
Prepared Prepare(const SaveFile& model, QStringView text);

// A recipe file's bytes: UTF-8, with or without a byte-order mark, at most kRecipeLimit.
Prepared PrepareFile(const SaveFile& model, const QByteArray& bytes);

// "# title" for a recipe's first line.
QString TitleLine(const QString& title);

// One absolute line per change, with the field's English name, after a title line; changes to
// fields the file never stores and to fields absent on the new side are left out.
QString WriteRecipe(const QString& title, const std::vector<FieldChange>& changes);

// One line doing `operation` with `operand` to `path` (written as given, e.g. with selectors).
QString OperationLine(const QString& path, edit::Operation operation, qint64 operand);

}  // namespace korven::recipe
