#include "catalogue/ReferenceTables.h"
#include "editors/ModuleMain.h"
#include "editors/frmAir.h"
#include "editors/frmShip.h"
#include "model/SaveFileLoader.h"
#include "platform/SettingsStore.h"
#include "preferences/frmOptions.h"
#include "tests/support/Recorders.h"
#include "tests/support/SaveImageBuilder.h"
#include "tests/support/ScriptedUi.h"

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace korven;

namespace {

// A picture the test can recognise again: its size and its colour.
bool savePicture(const QString& path, QSize size, QColor colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image.save(path, "BMP");
}

bool showsPicture(QWidget& dialog, const char* name, QSize size, QColor colour) {
    auto* label = dialog.findChild<QLabel*>(QString::fromLatin1(name));
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
    void initTestCase() {
        catalogue::FillReferenceTables();
        ResetEditingColours();
    }

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
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
        QTemporaryDir game;
        const QSize shipSize(96, 40);
        const QSize airSize(60, 30);
        QVERIFY(savePicture(game.filePath(shipFile), shipSize, QColor(200, 30, 30)));
        QVERIFY(savePicture(game.filePath(airFile), airSize, QColor(30, 30, 200)));

        // The folder is typed without a separator, as a user would.
        SettingsStore settings;
        QString gamePath;
        Preferences preferences{gamePath, settings};
        {
            frmOptions options(preferences, [] { return std::vector<FontDescription>{}; });
            options.show();
            options.findChild<QLineEdit*>(QStringLiteral("txtGameinstalled"))->setText(game.path());
            QTest::mouseClick(options.findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
        }
        QCOMPARE(gamePath, game.path() + QDir::separator());
        QCOMPARE(SettingsStore().text(QStringLiteral("Option"), QStringLiteral("GamePath")), gamePath);

        auto file = std::make_unique<SaveFile>();
        fixtures::RecordingStatus status;
        fixtures::RecordingMessages messages;
        QCOMPARE(LoadSaveFile(fixtures::SaveImageBuilder().build(), *file, status, messages), int16_t(0));
        EditSession session{*file, [] {}, {}, {}, gamePath, {}};

        session.selection.record = 12;
        session.selection.ship = -1;
        {
            frmShip ship(session);
            QVERIFY(showsPicture(ship, "ImgShip", shipSize, QColor(200, 30, 30)));
        }
        session.selection.record = 3;
        {
            frmAir air(session);
            QVERIFY(showsPicture(air, "ImgAir", airSize, QColor(30, 30, 200)));
        }
        QVERIFY(ui.messages.empty());
    }
};

QTEST_MAIN(TestGamePicturesEndToEnd)
#include "test_game_pictures_end_to_end.moc"
