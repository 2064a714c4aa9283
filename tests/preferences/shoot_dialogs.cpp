// Saves pictures of the science-weapons, aircrew-skill, options and about dialogs for the
// README: shoot_dialogs SAVEFILE OUTDIR (run under a display, e.g. Xvfb).
#include "catalogue/ReferenceTables.h"
#include "editors/ModuleMain.h"
#include "editors/frmKagaku.h"
#include "editors/frmToujouRen.h"
#include "model/SaveFileLoader.h"
#include "platform/SettingsStore.h"
#include "preferences/frmAbout.h"
#include "preferences/frmOptions.h"
#include "tests/support/Recorders.h"

#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <memory>

using namespace korven;

namespace {

bool shoot(QWidget& dialog, const QString& path) {
    dialog.show();
    if (!QTest::qWaitForWindowExposed(&dialog)) {
        return false;
    }
    QApplication::processEvents();
    return dialog.grab().save(path);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: shoot_dialogs SAVEFILE OUTDIR\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[2]) + u'/';
    QFile save(QString::fromLocal8Bit(argv[1]));
    if (!save.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read the save file\n");
        return 1;
    }
    catalogue::FillReferenceTables();
    ResetEditingColours();
    auto file = std::make_unique<SaveFile>();
    fixtures::RecordingStatus status;
    fixtures::RecordingMessages messages;
    if (LoadSaveFile(save.readAll(), *file, status, messages) != 0) {
        std::fprintf(stderr, "cannot load the save file\n");
        return 1;
    }
    EditSession session{*file, [] {}, {}, {}, {}, {}};
    bool ok = true;
    {
        frmKagaku dialog(session);
        dialog.setTarget1(2);
        dialog.setTarget2(3);
        ok = shoot(dialog, out + QStringLiteral("science.png")) && ok;
    }
    {
        session.selection.record = 0;
        frmToujouRen dialog(session);
        ok = shoot(dialog, out + QStringLiteral("aircrew.png")) && ok;
    }
    {
        QTemporaryDir dir;
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
        QSettings::setDefaultFormat(QSettings::IniFormat);  // not the registry on Windows
        SettingsStore settings;
        QString gamePath = QStringLiteral("/home/player/valzon/");
        Preferences preferences{gamePath, settings};
        frmOptions dialog(preferences);
        ok = shoot(dialog, out + QStringLiteral("options.png")) && ok;
        auto* fonts = dialog.findChild<QListWidget*>(QStringLiteral("lstFonts"));
        fonts->setCurrentRow(0);
        dialog.findChild<QListWidget*>(QStringLiteral("lstStyle"))->setCurrentRow(2);
        dialog.findChild<QTabWidget*>(QStringLiteral("SSTab"))->setCurrentIndex(1);
        ok = shoot(dialog, out + QStringLiteral("options-design.png")) && ok;
    }
    {
        frmAbout dialog;
        ok = shoot(dialog, out + QStringLiteral("about.png")) && ok;
    }
    return ok ? 0 : 1;
}
