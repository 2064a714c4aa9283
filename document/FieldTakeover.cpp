#include "document/FieldTakeover.h"

namespace korven {

ChangeSet TakeValues(const SaveFile& model, const SaveFile& source, const QStringList& paths, QString name) {
    ChangeSet set{std::move(name), {}};
    for (const QString& path : paths) {
        if (const std::optional<QJsonValue> value = ValueAt(source, path)) {
            if (std::optional<FieldChange> change = ChangeTo(model, path, *value)) {
                set.changes.push_back(std::move(*change));
            }
        }
    }
    return set;
}

}  // namespace korven
