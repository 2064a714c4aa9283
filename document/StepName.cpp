#include "document/StepName.h"

#include "document/DocumentTexts.h"
#include "model/FieldDescriptions.h"

#include <QStringList>

namespace korven {

namespace {
// A step name stays one line of the menu and of the history.
constexpr std::size_t kNamedFields = 3;
}  // namespace

QString StepName(const QString& recordName, const std::vector<FieldChange>& changes) {
    QStringList named;
    for (std::size_t i = 0; i < changes.size() && i < kNamedFields; ++i) {
        const FieldChange& change = changes[i];
        const fields::Description* description = fields::Describe(change.path);
        named.append(document::texts::changedField(
            description != nullptr ? QString::fromUtf8(description->japanese) : change.path, change.oldText(),
            change.newText()));
    }
    if (changes.size() > kNamedFields) {
        named.append(document::texts::moreFields(static_cast<qsizetype>(changes.size() - kNamedFields)));
    }
    return document::texts::changeStep(recordName, named);
}

}  // namespace korven
