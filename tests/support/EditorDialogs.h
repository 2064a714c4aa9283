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
inline std::unique_ptr<EditDialog> MakeEditorDialog(const QString& key, EditSession& session) {
    if (key.isEmpty()) {
        return std::make_unique<FileProperties>(session);
    }
    const std::optional<EditorRequest> request = ParseRowKey(key, session.file);
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

}  // namespace korven::fixtures
