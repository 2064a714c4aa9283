#include "cli/CheckCommand.h"

#include "cli/CliTexts.h"
#include "cli/CommandSupport.h"
#include "model/ModelTree.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace korven::cli {
namespace {

// A repair can make another value wrong (a class's firings lowered below a ship's), so the
// repairs run until none is left; each round repairs at least one value for good.
constexpr int kRepairRounds = 8;

}  // namespace

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
        for (int round = 0; round < kRepairRounds; ++round) {
            unfixable.clear();
            bool repaired = false;
            for (const rules::Finding& f : rules::CheckSave(editor.model())) {
                if (!f.fix) {
                    unfixable.push_back(f);
                    continue;
                }
                const AssignmentResult result = editor.assign(f.path + u'=' + QString::number(*f.fix));
                if (!result.ok()) {
                    return result;
                }
                console.out << texts::repaired(f.path, FormatValue(f.value), *f.fix) << '\n';
                repaired = true;
            }
            if (!repaired) {
                break;
            }
        }
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
