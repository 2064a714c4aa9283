#include "editors/frmAir.h"
#include "editors/frmShip.h"
#include "platform/SettingsStore.h"
#include "preferences/frmOptions.h"
#include "tests/editors/EditorTestSupport.h"
#include "tests/support/IsolatedSettings.h"
#include "tests/support/ScriptedUi.h"

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace korven;
using namespace korven::testing;

namespace {

// Whether the dialog's picture frame shows the picture written with that size and colour.
bool showsPicture(QWidget& dialog, const char* name, QSize size, QColor colour) {
    auto* label = findControl<QLabel>(dialog, name);
    if (label == nullptr || label->pixmap().isNull()) {
        return false;
    }
    const QImage shown = label->pixmap().toImage();
    return shown.size() == size && shown.pixelColor(size.width() / 2, size.height() / 2) == colour;
}

}  // namespace

class TestGamePicturesEndToEnd : public QObject {
    Q_OBJECT
private slots:
    void folderChosenInTheOptionsShowsThePictures_data() {
        QTest::addColumn<QString>("shipFile");
        QTest::addColumn<QString>("airFile");
        QTest::newRow("names as the editors build them")
            << QStringLiteral("ship12.bmp") << QStringLiteral("air3.bmp");
        // The game was installed where case does not matter.
        QTest::newRow("names in another case") << QStringLiteral("SHIP12.BMP") << QStringLiteral("Air3.bmp");
    }
    void folderChosenInTheOptionsShowsThePictures() {
        QFETCH(QString, shipFile);
        QFETCH(QString, airFile);
        fixtures::ScriptedUi ui;
        QTemporaryDir settingsDir;
        korven::fixtures::IsolateSettings(settingsDir.path());
        QTemporaryDir game;
        const QSize shipSize(96, 40);
        const QSize airSize(60, 30);
        QVERIFY(writeBmp(game.filePath(shipFile), shipSize, QColor(200, 30, 30)));
        QVERIFY(writeBmp(game.filePath(airFile), airSize, QColor(30, 30, 200)));

        // The folder is typed without a separator, as a user would.
        SettingsStore settings;
        QString gamePath;
        Preferences preferences{gamePath, settings};
        {
            frmOptions options(preferences, [] { return std::vector<FontDescription>{}; });
            options.show();
            box(options, "txtGameinstalled")->setText(game.path());
            QTest::mouseClick(button(options, "cmdOK"), Qt::LeftButton);
        }
        QCOMPARE(gamePath, game.path() + QDir::separator());
        QCOMPARE(SettingsStore().text(QStringLiteral("Option"), QStringLiteral("GamePath")), gamePath);

        LoadedSession s;
        s.session.gamePath = gamePath;
        s.session.selection.record = 12;
        s.session.selection.ship = -1;
        {
            frmShip ship(s.session);
            QVERIFY(showsPicture(ship, "ImgShip", shipSize, QColor(200, 30, 30)));
        }
        s.session.selection.record = 3;
        {
            frmAir air(s.session);
            QVERIFY(showsPicture(air, "ImgAir", airSize, QColor(30, 30, 200)));
        }
        QVERIFY(ui.messages.empty());
    }
};

QTEST_MAIN(TestGamePicturesEndToEnd)
#include "test_game_pictures_end_to_end.moc"
