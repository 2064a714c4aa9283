// Opens the ship editor in both modes and the aircraft editor on the demo save and writes each
// window as a PNG: ship-class.png, ship-individual.png and aircraft.png in the given folder.
// Run it under a display (xvfb-run) to refresh docs/screenshots.

#include "catalogue/ReferenceTables.h"
#include "editors/ModuleMain.h"
#include "editors/frmAir.h"
#include "editors/frmShip.h"
#include "model/OpenSaveFile.h"
#include "model/RecordFields.h"
#include "tests/support/Recorders.h"

#include <QApplication>
#include <QDir>
#include <QSlider>
#include <QTextStream>

#include <memory>

using namespace korven;

namespace {

bool save(QDialog& dialog, const QString& path) {
    dialog.show();
    dialog.adjustSize();
    QApplication::processEvents();
    return dialog.grab().save(path, "PNG");
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() != 3) {
        QTextStream(stderr) << "usage: test_ship_air_screenshots SAVEFILE OUTPUT_FOLDER\n";
        return 2;
    }
    catalogue::FillReferenceTables();
    auto file = std::make_unique<SaveFile>();
    fixtures::RecordingStatus status;
    fixtures::RecordingMessages messages;
    const OpenedSaveFile opened = OpenSaveFile(args[1], LockMode::ReadOnly, *file, status, messages);
    if (opened.outcome != OpenOutcome::Opened) {
        QTextStream(stderr) << "cannot load " << args[1] << "\n";
        return 1;
    }
    const QDir out(args[2]);
    EditSession session{*file, [] {}, {}, {}, {}, args[1]};

    // A carrier class and the first of its ships, so the carried load shows.
    int shipIndex = 0;
    while (
        shipIndex < SaveFile::kJapaneseShips &&
        (file->Ship[shipIndex].Words[ShipWord::NameNumber] < 0 ||
         file->ShipClass[file->Ship[shipIndex].Words[ShipWord::ClassNumber]].Kind[ShipClassKind::Type] > 3)) {
        ++shipIndex;
    }
    const ShipRecord& ship = file->Ship[shipIndex];
    session.selection = {ship.Words[ShipWord::ClassNumber], -1, 0, 0};
    bool ok = true;
    {
        frmShip dialog(session);
        ok = save(dialog, out.filePath(QStringLiteral("ship-class.png"))) && ok;
    }
    session.selection = {ship.Words[ShipWord::ClassNumber], static_cast<int16_t>(shipIndex), 0, 0};
    session.selectedItemText = catalogue::labelOr(catalogue::ShipNames(), ship.Words[ShipWord::NameNumber]);
    {
        frmShip dialog(session);
        // The ship repaired with the sliders: the derived values that change are marked.
        for (const QString& name : {QStringLiteral("SliderStep_0"), QStringLiteral("SliderStep_1")}) {
            auto* slider = dialog.findChild<QSlider*>(name);
            slider->setValue(slider->maximum());
        }
        ok = save(dialog, out.filePath(QStringLiteral("ship-individual.png"))) && ok;
    }
    session.selection = {12, -1, 0, 0};
    {
        frmAir dialog(session);
        ok = save(dialog, out.filePath(QStringLiteral("aircraft.png"))) && ok;
    }
    return ok ? 0 : 1;
}
