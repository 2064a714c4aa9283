// Shows one dialog over a save file until it is closed, for the accessibility check that reads
// it through the accessibility bus: show_dialog SAVEFILE DIALOG, where DIALOG is one of
// frmShip, frmShipClass, frmAir, frmBase, FileProperties, frmKagaku, frmToujouRen, frmOptions, frmAbout.
#include "editors/FileProperties.h"
#include "editors/frmAir.h"
#include "editors/frmBase.h"
#include "editors/frmKagaku.h"
#include "editors/frmShip.h"
#include "editors/frmToujouRen.h"
#include "platform/SettingsStore.h"
#include "preferences/frmAbout.h"
#include "preferences/frmOptions.h"
#include "tests/support/ToolSave.h"

#include <QApplication>

#include <cstdio>
#include <memory>

using namespace korven;

namespace {

// The first listed individual ship, so that the ship editor shows its ship-only controls.
int16_t firstShip(const SaveFile& file) {
    for (int16_t i = 0; i < SaveFile::kShips; ++i) {
        const ShipRecord& ship = file.Ship[static_cast<std::size_t>(i)];
        if (ship.Words[2] != -1 && ship.Words[3] >= 0 && ship.Words[3] < SaveFile::kShipClasses) {
            return i;
        }
    }
    return -1;
}

std::unique_ptr<QDialog> makeDialog(const QString& name, EditSession& session, Preferences& preferences) {
    const SaveFile& file = session.file;
    if (name == u"frmShip" || name == u"frmShipClass") {
        const int16_t ship = name == u"frmShip" ? firstShip(file) : int16_t(-1);
        const int16_t shipClass =
            ship >= 0 ? file.Ship[static_cast<std::size_t>(ship)].Words[3] : int16_t(12);
        session.selection = {shipClass, ship, 0, 0};
        return std::make_unique<frmShip>(session);
    }
    if (name == u"frmAir") {
        session.selection = {3, -1, 0, 0};
        return std::make_unique<frmAir>(session);
    }
    if (name == u"frmBase") {
        session.selection = {0, -1, 0, 0};
        return std::make_unique<frmBase>(session);
    }
    if (name == u"FileProperties") {
        return std::make_unique<FileProperties>(session);
    }
    if (name == u"frmKagaku") {
        auto dialog = std::make_unique<frmKagaku>(session);
        dialog->setTarget1(1);
        dialog->setTarget2(2);
        return dialog;
    }
    if (name == u"frmToujouRen") {
        session.selection = {2, -1, 0, 0};
        return std::make_unique<frmToujouRen>(session);
    }
    if (name == u"frmOptions") {
        return std::make_unique<frmOptions>(preferences);
    }
    if (name == u"frmAbout") {
        return std::make_unique<frmAbout>();
    }
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("show_dialog"));
    if (argc != 3) {
        std::fprintf(stderr, "usage: show_dialog SAVEFILE DIALOG\n");
        return 2;
    }
    const QString savePath = QString::fromLocal8Bit(argv[1]);
    const std::unique_ptr<SaveFile> file = fixtures::LoadSaveForDialogs(savePath);
    if (!file) {
        return 1;
    }
    EditSession session{*file, [] {}, {}, {}, {}, savePath};
    SettingsStore settings;
    QString gamePath;
    Preferences preferences{gamePath, settings};
    std::unique_ptr<QDialog> dialog = makeDialog(QString::fromLocal8Bit(argv[2]), session, preferences);
    if (!dialog) {
        std::fprintf(stderr, "no such dialog\n");
        return 2;
    }
    dialog->show();
    return app.exec();
}
