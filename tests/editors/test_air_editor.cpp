#include "editors/Colours.h"
#include "editors/frmAir.h"
#include "tests/editors/EditorTestSupport.h"
#include "tests/support/ScriptedUi.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

using namespace korven;
using namespace korven::testing;

namespace {

// A Japanese navy bomber, aircraft `index`, with known values.
void prepare(LoadedSession& s, int index) {
    AircraftTypeRecord& a = s.file->AircraftType[static_cast<std::size_t>(index)];
    a.Kind = {0, 6, 0, 1};
    a.Flags = {0, 1, 0};
    a.Bomb = {{{255, 0}, {255, 0}, {1, 2}, {255, 0}}};
    a.Kouzoku = {1200, 800, 900, 1000};
    s.session.selection = {static_cast<int16_t>(index), -1, 0, 0};
}

std::optional<QByteArray> composed(const SaveFile& file) {
    fixtures::RecordingStatus status;
    return ComposeSaveImage(file, status);
}

}  // namespace

class TestAirEditor : public QObject {
    Q_OBJECT
private slots:
    void editsItsDevelopmentEntry_data() {
        QTest::addColumn<int>("aircraft");
        QTest::addColumn<int>("entry");
        QTest::newRow("166") << 166 << 71;
        QTest::newRow("71") << 71 << 72;
        QTest::newRow("79") << 79 << 81;
        QTest::newRow("0") << 0 << 0;
    }
    void editsItsDevelopmentEntry() {
        QFETCH(int, aircraft);
        QFETCH(int, entry);
        fixtures::ScriptedUi ui;
        LoadedSession s;
        prepare(s, aircraft);
        s.file->AirDevelopment[static_cast<std::size_t>(entry)] = 25;
        frmAir dialog(s.session);
        dialog.show();
        QCOMPARE(dialog.devIndex(), entry);
        QCOMPARE(box(dialog, QStringLiteral("txtKikan_1"))->text(), QStringLiteral("25"));
        QCOMPARE(box(dialog, QStringLiteral("txtKikan_0"))->text(), QStringLiteral("2.5"));
        box(dialog, QStringLiteral("txtKikan_1"))->setText(QStringLiteral("120"));
        QCOMPARE(box(dialog, QStringLiteral("txtKikan_0"))->text(), QStringLiteral("12.0"));
        dialog.enterButton()->click();
        QCOMPARE(s.file->AirDevelopment[static_cast<std::size_t>(entry)], int16_t(120));
        QVERIFY(ui.messages.empty());
    }

    void developmentStatus_data() {
        QTest::addColumn<int>("aircraft");
        QTest::addColumn<int>("nationality");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("previous");  // development entry 72, before aircraft 72's entry 73
        QTest::addColumn<QString>("status");
        QTest::newRow("aircraft 0 in development") << 0 << 0 << 12 << 0 << "開発中？";
        QTest::newRow("aircraft 0 finished") << 0 << 0 << 0 << 0 << "開発終了";
        QTest::newRow("cancelled") << 72 << 1 << -1 << 30 << "開発中止";
        QTest::newRow("previous in development") << 72 << 0 << 12 << 30 << "未開発";
        QTest::newRow("previous finished") << 72 << 0 << 12 << 0 << "開発中";
        QTest::newRow("previous cancelled") << 72 << 1 << 12 << -1 << "開発中";
        QTest::newRow("allied") << 72 << 2 << 12 << 30 << "不明";
    }
    void developmentStatus() {
        QFETCH(int, aircraft);
        QFETCH(int, nationality);
        QFETCH(int, value);
        QFETCH(int, previous);
        fixtures::ScriptedUi ui;
        LoadedSession s;
        prepare(s, aircraft);
        s.file->AircraftType[static_cast<std::size_t>(aircraft)].Kind[0] = static_cast<uint8_t>(nationality);
        const int entry = frmAir::AirToKaihatsu(static_cast<int16_t>(aircraft));
        s.file->AirDevelopment[static_cast<std::size_t>(entry)] = static_cast<int16_t>(value);
        s.file->AirDevelopment[72] = static_cast<int16_t>(previous);
        frmAir dialog(s.session);
        dialog.show();
        QTEST(box(dialog, QStringLiteral("txtJoukyou"))->text(), "status");
        QCOMPARE(box(dialog, QStringLiteral("txtKikan_1"))->isEnabled(), nationality < 2);
        QVERIFY(!box(dialog, QStringLiteral("txtJoukyou"))->isEnabled());
    }

    void turnsBox_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("months");
        QTest::addColumn<QString>("status");
        QTest::addColumn<int>("beeps");
        QTest::newRow("minus alone") << "-"
                                     << "-"
                                     << ".0"
                                     << "開発終了" << 0;
        QTest::newRow("below -1") << "-5"
                                  << "-1"
                                  << "-.1"
                                  << "開発中止" << 1;
        QTest::newRow("above 999") << "1000"
                                   << "999"
                                   << "99.9"
                                   << "開発中" << 1;
        QTest::newRow("five") << "5"
                              << "5"
                              << ".5"
                              << "開発中" << 0;
    }
    void turnsBox() {
        QFETCH(QString, typed);
        fixtures::ScriptedUi ui;
        LoadedSession s;
        prepare(s, 40);
        s.file->AirDevelopment[39] = 0;
        frmAir dialog(s.session);
        dialog.show();
        QLineEdit* turns = box(dialog, QStringLiteral("txtKikan_1"));
        turns->clear();
        QTest::keyClicks(turns, typed);
        QTEST(turns->text(), "shown");
        QTEST(box(dialog, QStringLiteral("txtKikan_0"))->text(), "months");
        QTEST(box(dialog, QStringLiteral("txtJoukyou"))->text(), "status");
        QTEST(ui.beeps, "beeps");
    }

    void namesKeepTheirByteLimits() {
        fixtures::ScriptedUi ui;
        LoadedSession s;
        prepare(s, 10);
        frmAir dialog(s.session);
        dialog.show();
        QLineEdit* name = box(dialog, QStringLiteral("txtAirName"));
        name->clear();
        typeText(name, QStringLiteral("零式艦上戦闘機二一型改甲乙丙"));
        QCOMPARE(name->text(), QStringLiteral("零式艦上戦闘機二一型改甲乙"));
        QCOMPARE(ui.beeps, 1);
        QLineEdit* shortName = box(dialog, QStringLiteral("txtAirSName"));
        shortName->setText(QStringLiteral("ABCDEFGHI零"));
        QCOMPARE(shortName->text(), QStringLiteral("ABCDEFGHI"));
        QCOMPARE(ui.beeps, 2);
        // A character the file cannot hold is taken out, with a beep, so the name can be saved.
        shortName->setText(QStringLiteral("彗星한"));
        QCOMPARE(shortName->text(), QStringLiteral("彗星"));
        QCOMPARE(ui.beeps, 3);
        QCOMPARE(backColor(shortName), colours::kPureGreen);
        dialog.enterButton()->click();
        QCOMPARE(s.file->AircraftType[10].ShortName.text(), QStringLiteral("彗星"));
        const std::optional<QByteArray> image = composed(*s.file);
        QVERIFY(image);
    }

    // Bytes after a name's NUL, and byte pairs that decode to a character with another
    // encoding, come back unchanged when the name was not touched.
    void untouchedNamesKeepTheirBytes_data() {
        QTest::addColumn<int>("aircraft");
        QTest::newRow("junk after the NUL") << 3;
        QTest::newRow("NEC row 13 short name") << 30;
    }
    void untouchedNamesKeepTheirBytes() {
        QFETCH(int, aircraft);
        fixtures::ScriptedUi ui;
        // "≒基" as the NEC row 13 pair 87 90, which code page 932 encodes back as 81 E0.
        LoadedSession s([](QByteArray& image) {
            image.replace(fixtures::SaveImageBuilder().aircraftTypeOffset(30) + 27, 4,
                          QByteArray("\x87\x90\x8A\xEE"));
        });
        QCOMPARE(s.file->AircraftType[30].ShortName.text(), QStringLiteral("≒基"));
        s.session.selection = {static_cast<int16_t>(aircraft), -1, 0, 0};
        frmAir dialog(s.session);
        dialog.show();
        QLineEdit* fuel = box(dialog, QStringLiteral("txtNumData_5"));
        const QString value = fuel->text();
        fuel->setText(QStringLiteral("0"));
        fuel->setText(value);
        QVERIFY(dialog.applyButton()->isEnabled());
        dialog.applyButton()->click();
        QCOMPARE(s.fileChanges, 1);
        const std::optional<QByteArray> image = composed(*s.file);
        QVERIFY(image);
        QVERIFY(*image == s.file->image);
    }

    void invalidIndexShowsTheCatalogueError() {
        fixtures::ScriptedUi ui;
        LoadedSession s;
        s.session.selection = {172, -1, 0, 0};
        frmAir dialog(s.session);
        QCOMPARE(dialog.devIndex(), 172);
        QCOMPARE(ui.messages.size(), std::size_t(1));
        QCOMPARE(ui.messages[0].text, QStringLiteral("エラー。開発データの数値がおかしい。"));
        QCOMPARE(ui.messages[0].icon, MessageIcon::Error);
        QCOMPARE(frmAir::AirToKaihatsu(169), int16_t(146));
        QCOMPARE(ui.messages.size(), std::size_t(1));
        QCOMPARE(frmAir::AirToKaihatsu(170), int16_t(170));
        QCOMPARE(ui.messages.size(), std::size_t(2));
    }

    void bombs() {
        fixtures::ScriptedUi ui;
        LoadedSession s;
        prepare(s, 20);
        frmAir dialog(s.session);
        dialog.show();
        auto* none = control<QComboBox>(dialog, QStringLiteral("cbBom_3"));
        QCOMPARE(none->currentText(), QStringLiteral("なし"));
        QCOMPARE(none->count(), 5);
        auto* small = control<QComboBox>(dialog, QStringLiteral("cbBom_2"));
        QCOMPARE(small->currentText(), QStringLiteral("小型"));
        for (const QString& name : {QStringLiteral("cbBom_0"), QStringLiteral("cbBom_1"),
                                    QStringLiteral("txtBom_0"), QStringLiteral("txtBom_1")}) {
            QVERIFY2(!control(dialog, name)->isEnabled(), qPrintable(name));
        }
        QVERIFY(small->isEnabled() && box(dialog, QStringLiteral("txtBom_2"))->isEnabled());
        small->setCurrentIndex(4);
        QCOMPARE(backColor(small), colours::kPureGreen);
        none->setCurrentIndex(0);
        box(dialog, QStringLiteral("txtBom_3"))->setText(QStringLiteral("1"));
        dialog.enterButton()->click();
        const AircraftTypeRecord& a = s.file->AircraftType[20];
        QCOMPARE(a.Bomb[2][0], uint8_t(255));
        QCOMPARE(a.Bomb[3][0], uint8_t(0));
        QCOMPARE(a.Bomb[3][1], uint8_t(1));
    }

    void flagCheckBoxes() {
        fixtures::ScriptedUi ui;
        LoadedSession s;
        prepare(s, 20);
        frmAir dialog(s.session);
        dialog.show();
        auto* night = control<QCheckBox>(dialog, QStringLiteral("chkData_0"));
        QCOMPARE(control<QLabel>(dialog, QStringLiteral("lblData_0"))->text(), QStringLiteral("夜間"));
        QCOMPARE(night->text(), QStringLiteral("×"));
        QCOMPARE(control<QCheckBox>(dialog, QStringLiteral("chkData_1"))->text(), QStringLiteral("○"));
        night->click();
        QCOMPARE(night->text(), QStringLiteral("○"));
        QCOMPARE(backColor(night), colours::kPureGreen);
        QVERIFY(dialog.applyButton()->isEnabled());
        night->click();
        QCOMPARE(night->text(), QStringLiteral("×"));
        QCOMPARE(backColor(night), colours::kWindowBackground);
        control<QCheckBox>(dialog, QStringLiteral("chkData_2"))->click();
        dialog.applyButton()->click();
        QCOMPARE(s.file->AircraftType[20].Flags, (std::array<uint8_t, 3>{0, 1, 1}));
    }

    void fightersCannotEditTheInterceptionRange() {
        fixtures::ScriptedUi ui;
        LoadedSession s;
        prepare(s, 20);
        s.file->AircraftType[20].Kind[3] = 0;
        {
            frmAir dialog(s.session);
            QVERIFY(!box(dialog, QStringLiteral("txtKouzoku_1"))->isEnabled());
            QVERIFY(box(dialog, QStringLiteral("txtKouzoku_0"))->isEnabled());
            QCOMPARE(box(dialog, QStringLiteral("txtUnyou"))->text(), QStringLiteral("戦闘機"));
            QCOMPARE(box(dialog, QStringLiteral("txtKouzoku_1"))->toolTip(), QStringLiteral("9999で無限大"));
        }
        s.file->AircraftType[20].Kind[3] = 1;
        frmAir dialog(s.session);
        QVERIFY(box(dialog, QStringLiteral("txtKouzoku_1"))->isEnabled());
        QCOMPARE(box(dialog, QStringLiteral("txtUnyou"))->text(), QStringLiteral("爆撃機"));
    }

    void showsTheRecord() {
        fixtures::ScriptedUi ui;
        LoadedSession s;
        prepare(s, 20);
        const AircraftTypeRecord& a = s.file->AircraftType[20];
        frmAir dialog(s.session);
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("航空機データエディット"));
        QCOMPARE(box(dialog, QStringLiteral("txtAirName"))->text(), a.Name.text());
        QCOMPARE(box(dialog, QStringLiteral("txtKokuseki"))->text(), QStringLiteral("日本海軍"));
        QCOMPARE(box(dialog, QStringLiteral("txtKisyu"))->text(), QStringLiteral("艦上爆撃機"));
        QCOMPARE(box(dialog, QStringLiteral("txtHattyaku"))->text(), QStringLiteral("艦載機"));
        QCOMPARE(box(dialog, QStringLiteral("txtNumData_9"))->text(), QString::number(a.NumData[9]));
        QCOMPARE(box(dialog, QStringLiteral("txtKouzoku_3"))->text(), QStringLiteral("1000"));
        QCOMPARE(control<QLabel>(dialog, QStringLiteral("lblKikan"))->toolTip(),
                 QStringLiteral("連合軍の場合ターン数ではないようです"));
        QCOMPARE(box(dialog, QStringLiteral("txtKikan_1"))->toolTip(), QStringLiteral("-1 で開発中止"));
        for (const QString& name :
             {QStringLiteral("txtKokuseki"), QStringLiteral("txtKisyu"), QStringLiteral("txtHattyaku"),
              QStringLiteral("txtUnyou"), QStringLiteral("txtKikan_0")}) {
            QVERIFY2(!control(dialog, name)->isEnabled(), qPrintable(name));
        }
        // The unit labels keep their own look; the others take the label colours.
        s.session.labelColours.background = 0x00336699;
        frmAir styled(s.session);
        QCOMPARE(backColor(control(styled, QStringLiteral("lblKikanUnit_1"))), colours::kWindowBackground);
        QCOMPARE(backColor(control(styled, QStringLiteral("lblKikan"))), 0x00336699u);
        QVERIFY(!dialog.applyButton()->isEnabled());
    }

    // A stored value outside the range is marked with the range as its tip; corrected, the box
    // gets its own tip back.
    void aCorrectedBoxKeepsItsOwnTip() {
        fixtures::ScriptedUi ui;
        LoadedSession s;
        prepare(s, 20);
        s.file->AirDevelopment[20] = 5000;
        frmAir dialog(s.session);
        QLineEdit* turns = box(dialog, QStringLiteral("txtKikan_1"));
        QVERIFY2(turns->toolTip().contains(QStringLiteral("999")), qPrintable(turns->toolTip()));
        turns->setText(QStringLiteral("12"));
        QCOMPARE(turns->toolTip(), QStringLiteral("-1 で開発中止"));
    }

    void rangeAndNumbersAreFiltered() {
        fixtures::ScriptedUi ui;
        LoadedSession s;
        prepare(s, 20);
        frmAir dialog(s.session);
        dialog.show();
        QLineEdit* range = box(dialog, QStringLiteral("txtKouzoku_0"));
        range->setText(QStringLiteral("123456789012345678901234567890"));
        QCOMPARE(range->text(), QStringLiteral("9999"));
        QLineEdit* defence = box(dialog, QStringLiteral("txtNumData_9"));
        defence->setText(QStringLiteral("-5"));
        QCOMPARE(defence->text(), QStringLiteral("5"));
        defence->clear();
        dialog.applyButton()->click();
        QCOMPARE(s.file->AircraftType[20].Kouzoku[0], int16_t(9999));
        QCOMPARE(s.file->AircraftType[20].NumData[9], uint8_t(0));
    }

    void picture() {
        fixtures::ScriptedUi ui;
        QTemporaryDir folder;
        LoadedSession s;
        prepare(s, 12);
        s.session.gamePath = folder.path() + u'/';
        {
            frmAir dialog(s.session);
            QVERIFY(control<QLabel>(dialog, QStringLiteral("ImgAir"))->pixmap().isNull());
        }
        QVERIFY(writeBmp(folder.filePath(QStringLiteral("AIR12.BMP")), QSize(48, 24)));
        frmAir dialog(s.session);
        QCOMPARE(control<QLabel>(dialog, QStringLiteral("ImgAir"))->pixmap().size(), QSize(48, 24));
        QVERIFY(ui.messages.empty());
    }

    void okWithoutAChangeStoresNothing() {
        fixtures::ScriptedUi ui;
        LoadedSession s;
        prepare(s, 30);
        s.file->AircraftType[30].Name.setText(QStringLiteral("天山"));
        frmAir dialog(s.session);
        dialog.show();
        QVERIFY(!dialog.applyButton()->isEnabled());
        dialog.enterButton()->click();
        QCOMPARE(s.fileChanges, 0);
    }

    void selectionOutsideTheFileIsRefused() {
        fixtures::ScriptedUi ui;
        LoadedSession s;
        s.session.selection = {176, -1, 0, 0};
        ShowAirEditor(s.session, nullptr);
        QCOMPARE(ui.messages.size(), std::size_t(1));
        QCOMPARE(ui.messages[0].icon, MessageIcon::Exclamation);
        s.session.selection = {175, -1, 0, 0};
        QVERIFY(!AirSelectionProblem(s.session));
    }
};

QTEST_MAIN(TestAirEditor)
#include "test_air_editor.moc"
