#pragma once

#include "cli/Commands.h"
#include "model/SaveRules.h"

#include <QJsonArray>
#include <QStringList>

#include <vector>

// `check`: the values of a save that no edit dialog would accept, and their repair.
namespace korven::cli {

// One line per finding: "PATH: 値 V — reason (the values accepted)".
QStringList FindingLines(const std::vector<rules::Finding>& findings);
// [{"path", "value", "rule", "message", "fix"}], fix null where no value is obviously right.
QJsonArray FindingsJson(const std::vector<rules::Finding>& findings);

// Exit 0 when clean, 1 when something is found, 3 when the file cannot be read.
int RunCheck(const QString& path, bool json, Console& console);
// Repairs what can be repaired the way apply saves (lock, backup, all or nothing), lists the
// changes, and exits 1 while findings without a repair remain.
int RunCheckFix(const QString& path, const SaveOptions& options, Console& console);

}  // namespace korven::cli
