#include "editors/EditorDispatch.h"

#include "editors/FileProperties.h"
#include "editors/frmAir.h"
#include "editors/frmBase.h"
#include "editors/frmKagaku.h"
#include "editors/frmShip.h"
#include "editors/frmToujouRen.h"
#include "model/RecordFields.h"

#include <algorithm>
#include <cstdint>

namespace korven {
std::optional<EditorRequest> RequestFor(const RecordKey& key, const SaveFile& file) {
    Selection selection;
    const auto number = static_cast<int16_t>(std::clamp(key.index, -1, int(INT16_MAX)));
    switch (key.kind) {
        case RecordKind::ShipClass:
            selection.record = number;
            return EditorRequest{EditorKind::Ship, selection};
        case RecordKind::Ship:
            if (key.index < 0 || key.index >= SaveFile::kShips) {
                return std::nullopt;
            }
            selection.ship = number;
            selection.record = file.Ship[static_cast<std::size_t>(key.index)].Words[ShipWord::ClassNumber];
            return EditorRequest{EditorKind::Ship, selection};
        case RecordKind::AircraftType:
            selection.record = number;
            return EditorRequest{EditorKind::Air, selection};
        case RecordKind::Base:
            selection.record = number;
            return EditorRequest{EditorKind::Base, selection};
        case RecordKind::ScienceWeapon:
            selection.target1 = number;
            selection.target2 = static_cast<int16_t>(std::clamp(key.step, -1, int(INT16_MAX)));
            return EditorRequest{EditorKind::Kagaku, selection};
        case RecordKind::AircrewSkill:
            selection.record = number;
            return EditorRequest{EditorKind::ToujouRen, selection};
    }
    return std::nullopt;
}

const EditorOpeners& editorOpeners() {
    // Each dialog unit plugs its opener in here.
    static const EditorOpeners openers{
        .ship = &ShowShipEditor,
        .air = &ShowAirEditor,
        .base = &ShowBaseEditor,
        .kagaku = &ShowKagakuEditor,
        .toujouRen = &ShowToujouRenEditor,
        .fileProperties = &ShowFileProperties,
    };
    return openers;
}

bool OpenEditorForKey(const RecordKey& key, EditSession& session, QWidget* owner) {
    const std::optional<EditorRequest> request = RequestFor(key, session.file);
    if (!request) {
        return false;
    }
    const EditorOpeners& openers = editorOpeners();
    EditorOpener opener = nullptr;
    switch (request->kind) {
        case EditorKind::Ship:
            opener = openers.ship;
            break;
        case EditorKind::Air:
            opener = openers.air;
            break;
        case EditorKind::Base:
            opener = openers.base;
            break;
        case EditorKind::Kagaku:
            opener = openers.kagaku;
            break;
        case EditorKind::ToujouRen:
            opener = openers.toujouRen;
            break;
    }
    if (opener == nullptr) {
        return false;
    }
    session.selection = request->selection;
    opener(session, owner);
    return true;
}

}  // namespace korven
