#include "editors/EditorDispatch.h"

#include "editors/EditRules.h"
#include "editors/FileProperties.h"
#include "editors/frmAir.h"
#include "editors/frmBase.h"
#include "editors/frmKagaku.h"
#include "editors/frmShip.h"
#include "editors/frmToujouRen.h"

namespace korven {
namespace {

int16_t numberFrom(const QString& key, qsizetype from) {
    return rules::fitted<int16_t>(rules::numericValue(key.mid(from)));
}

}  // namespace

std::optional<EditorRequest> ParseRowKey(const QString& key, const SaveFile& file) {
    Selection selection;
    if (key.startsWith(u"Kankei")) {
        selection.record = numberFrom(key, 6);
        selection.ship = -1;
        return EditorRequest{EditorKind::Ship, selection};
    }
    if (key.startsWith(u"Kokan")) {
        selection.ship = numberFrom(key, 5);
        if (selection.ship < 0 || selection.ship >= SaveFile::kShips) {
            return std::nullopt;
        }
        selection.record = file.Ship[static_cast<std::size_t>(selection.ship)].Words[3];
        return EditorRequest{EditorKind::Ship, selection};
    }
    if (key.startsWith(u"Air")) {
        selection.record = numberFrom(key, 3);
        return EditorRequest{EditorKind::Air, selection};
    }
    if (key.startsWith(u"Base")) {
        selection.record = numberFrom(key, 4);
        return EditorRequest{EditorKind::Base, selection};
    }
    if (key.startsWith(u"Kagaku")) {
        selection.target1 = numberFrom(key.mid(6, 1), 0);
        selection.target2 = numberFrom(key.mid(8, 1), 0);
        return EditorRequest{EditorKind::Kagaku, selection};
    }
    if (key.startsWith(u"ToujouRen")) {
        selection.record = numberFrom(key, 9);
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

bool OpenEditorForKey(const QString& key, EditSession& session, QWidget* owner) {
    const std::optional<EditorRequest> request = ParseRowKey(key, session.file);
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
