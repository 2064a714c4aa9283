// Saves pictures of the science-weapons, aircrew-skill, options and about dialogs for the
// README: shoot_dialogs SAVEFILE OUTDIR (run under a display, e.g. Xvfb).
#include "editors/frmKagaku.h"
#include "editors/frmToujouRen.h"
#include "platform/SettingsStore.h"
#include "preferences/frmAbout.h"
#include "preferences/frmOptions.h"
#include "tests/support/IsolatedSettings.h"
#include "tests/support/ToolSave.h"

#include <QApplication>
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
    const QString savePath = QString::fromLocal8Bit(argv[1]);
    const std::unique_ptr<SaveFile> file = fixtures::LoadSaveForDialogs(savePath);
    if (!file) {
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
        korven::fixtures::IsolateSettings(dir.path());
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
