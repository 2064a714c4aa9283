#pragma once

#include "editors/EditorDispatch.h"
#include "editors/FileProperties.h"
#include "editors/frmAir.h"
#include "editors/frmBase.h"
#include "editors/frmKagaku.h"
#include "editors/frmShip.h"
#include "editors/frmToujouRen.h"

#include <memory>

// The edit dialog of a record-list key, built as its opener builds it but not run, so that
// tests and benchmarks can drive it. An empty key gives the file's properties.
namespace korven::fixtures {

// Nothing for a key the openers would refuse.
inline std::unique_ptr<EditDialog> MakeEditorDialog(const std::optional<RecordKey>& key,
                                                    EditSession& session) {
    if (!key) {
        return std::make_unique<FileProperties>(session);
    }
    const std::optional<EditorRequest> request = RequestFor(*key, session.file);
    if (!request) {
        return nullptr;
    }
    session.selection = request->selection;
    switch (request->kind) {
        case EditorKind::Ship:
            return ShipSelectionProblem(session) ? nullptr : std::make_unique<frmShip>(session);
        case EditorKind::Air:
            return AirSelectionProblem(session) ? nullptr : std::make_unique<frmAir>(session);
        case EditorKind::Base:
            return std::make_unique<frmBase>(session);
        case EditorKind::Kagaku:
            return std::make_unique<frmKagaku>(session);
        case EditorKind::ToujouRen:
            return std::make_unique<frmToujouRen>(session);
    }
    return nullptr;
}

// The key a test table writes in the form RecordKey::text() shows ("Kokan512", "Kagaku1,4");
// nothing for an empty text, which stands for the file's properties.
inline std::optional<RecordKey> KeyFromText(const QString& text) {
    static const std::pair<const char16_t*, RecordKind> kinds[] = {
        {u"Kankei", RecordKind::ShipClass},     {u"Kokan", RecordKind::Ship},
        {u"Air", RecordKind::AircraftType},     {u"Base", RecordKind::Base},
        {u"Kagaku", RecordKind::ScienceWeapon}, {u"ToujouRen", RecordKind::AircrewSkill}};
    for (const auto& [word, kind] : kinds) {
        const QString prefix = QString::fromUtf16(word);
        if (text.startsWith(prefix)) {
            const QStringList numbers = text.mid(prefix.size()).split(u',');
            return RecordKey{kind, numbers.value(0).toInt(), numbers.value(1).toInt()};
        }
    }
    return std::nullopt;
}

inline std::unique_ptr<EditDialog> MakeEditorDialog(const QString& key, EditSession& session) {
    return MakeEditorDialog(KeyFromText(key), session);
}

}  // namespace korven::fixtures
