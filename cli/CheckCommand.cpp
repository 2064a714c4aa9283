#include "cli/CheckCommand.h"

#include "cli/CliTexts.h"
#include "cli/CommandSupport.h"
#include "model/ModelTree.h"
#include "model/SaveRepair.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace korven::cli {
QStringList FindingLines(const std::vector<rules::Finding>& findings) {
    QStringList lines;
    for (const rules::Finding& f : findings) {
        lines.append(texts::findingLine(f.path, FormatValue(f.value), f.message));
    }
    return lines;
}

QJsonArray FindingsJson(const std::vector<rules::Finding>& findings) {
    QJsonArray array;
    for (const rules::Finding& f : findings) {
        array.append(QJsonObject{{QStringLiteral("path"), f.path},
                                 {QStringLiteral("value"), f.value},
                                 {QStringLiteral("rule"), f.rule},
                                 {QStringLiteral("message"), f.message},
                                 {QStringLiteral("fix"), f.fix ? QJsonValue(*f.fix) : QJsonValue()}});
    }
    return array;
}

int RunCheck(const QString& path, bool json, Console& console) {
    const std::optional<LoadedFile> loaded = load(path, LockMode::Unlocked, console);
    if (!loaded) {
        return kExitUnreadable;
    }
    const std::vector<rules::Finding> findings = rules::CheckSave(*loaded->model);
    if (json) {
        console.out << QString::fromUtf8(
            QJsonDocument(FindingsJson(findings)).toJson(QJsonDocument::Indented));
    } else {
        for (const QString& line : FindingLines(findings)) {
            console.out << line << '\n';
        }
    }
    return findings.empty() ? kExitOk : kExitFailure;
}

int RunCheckFix(const QString& path, const SaveOptions& options, Console& console) {
    std::vector<rules::Finding> unfixable;
    const int status = editAndSave(path, options, console, [&](ModelEditor& editor) -> AssignmentResult {
        rules::Repair repair = rules::RepairSave(editor.model());
        for (const FieldChange& change : repair.changes) {
            const AssignmentResult result =
                editor.assign(change.path + u'=' + QString::number(change.newValue.toInteger()));
            if (!result.ok()) {
                return result;
            }
        }
        for (const rules::RepairStep& step : repair.steps) {
            console.out << texts::repaired(step.path, FormatValue(step.from), step.to) << '\n';
        }
        unfixable = std::move(repair.left);
        return {};
    });
    if (status != kExitOk) {
        return status;
    }
    for (const QString& line : FindingLines(unfixable)) {
        console.out << texts::notRepaired() << line << '\n';
    }
    return unfixable.empty() ? kExitOk : kExitFailure;
}

}  // namespace korven::cli
