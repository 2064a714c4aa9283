#include "catalogue/ReferenceTables.h"
#include "mainwindow/ChangeRows.h"
#include "model/SaveFileLoader.h"
#include "tests/support/Recorders.h"
#include "tests/support/SaveImageBuilder.h"

#include <QTest>

#include <functional>

using namespace korven;
using namespace korven::mainwindow;
using namespace Qt::StringLiterals;

using Edit = std::function<void(SaveFile&)>;
Q_DECLARE_METATYPE(Edit)

class TestChangeRows : public QObject {
    Q_OBJECT

    SaveFile m_file;

private slots:
    void initTestCase() {
        catalogue::FillReferenceTables();
        fixtures::RecordingStatus status;
        fixtures::RecordingMessages messages;
        QVERIFY(LoadSaveFile(fixtures::SaveImageBuilder().build(), m_file, status, messages).ok());
    }

    // One edited field each: the row names the record as the list and the tree do.
    void oneField_data() {
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<QStringList>("row");  // category, record, field, before, after
        QTest::newRow("ship class") << Edit([](SaveFile& f) { f.ShipClass[0].Perf[1] = 31; })
                                    << QStringList{u"艦型"_s, u"大和型"_s, u"速力"_s,
                                                   QString::number(m_file.ShipClass[0].Perf[1]), u"31"_s};
        QTest::newRow("class name: the new name")
            << Edit([](SaveFile& f) { f.ShipClass[1].Name.setText(u"改長門型"_s); })
            << QStringList{u"艦型"_s, u"改長門型"_s, u"艦型"_s, u"\"長門型\""_s, u"\"改長門型\""_s};
        QTest::newRow("japanese ship") << Edit([](SaveFile& f) {
            f.Ship[0].Words[2] = 1;  // named 武蔵
            f.Ship[0].Words[6] = 123;
        })
                                       << QStringList{u"個別艦船"_s, u"武蔵"_s, u"艦名番号"_s,
                                                      QString::number(m_file.Ship[0].Words[2]), u"1"_s};
        QTest::newRow("aircraft type")
            << Edit([](SaveFile& f) { f.AircraftType[1].NumData[0] = 99; })
            << QStringList{u"航空機"_s, u"零式艦上戦闘機"_s, u"工数"_s,
                           QString::number(m_file.AircraftType[1].NumData[0]), u"99"_s};
        QTest::newRow("development of an aircraft")
            << Edit([](SaveFile& f) { f.AirDevelopment[1] = 7; })
            << QStringList{u"航空機開発"_s, u"零式艦上戦闘機"_s, u"開発期間（ターン）"_s,
                           QString::number(m_file.AirDevelopment[1]), u"7"_s};
        QTest::newRow("base: full-width as listed")
            << Edit([](SaveFile& f) { f.Base[18].Stockpile[0][1] = 5000; })
            << QStringList{u"基地"_s, u"サイゴン"_s, u"原油（在庫量2）"_s,
                           QString::number(m_file.Base[18].Stockpile[0][1]), u"5000"_s};
        QTest::newRow("science weapon")
            << Edit([](SaveFile& f) { f.ScienceWeapon[1][4].Need = 9; })
            << QStringList{u"科学兵器"_s, u"5式爆雷"_s, u"必要ターン"_s,
                           QString::number(m_file.ScienceWeapon[1][4].Need), u"9"_s};
        QTest::newRow("aircrew skill")
            << Edit([](SaveFile& f) { f.AircrewSkill[2][1] = 55; })
            << QStringList{u"搭乗員練度"_s, u"アメリカ"_s, u"搭乗員練度（爆撃機）"_s,
                           QString::number(m_file.AircrewSkill[2][1]), u"55"_s};
        QTest::newRow("turn") << Edit([](SaveFile& f) { f.TurnInfo[0] = 4; })
                              << QStringList{u"ﾌﾟﾛﾊﾟﾃｨ"_s, QString(), u"現在ターン"_s,
                                             QString::number(m_file.TurnInfo[0]), u"4"_s};
    }
    void oneField() {
        QFETCH(Edit, edit);
        QFETCH(QStringList, row);
        SaveFile after = m_file;
        edit(after);
        const std::vector<ChangeRow> rows = ChangeRowsFor(DiffModels(m_file, after), after);
        QVERIFY(!rows.empty());
        const ChangeRow& first = rows.front();
        QCOMPARE((QStringList{first.category, first.record, first.field, first.before, first.after}), row);
    }

    void everyChangeIsARowInFileOrder() {
        SaveFile after = m_file;
        after.Ship[3].Words[6] = static_cast<int16_t>(after.Ship[3].Words[6] + 1);
        after.ShipClass[2].Perf[2] = static_cast<int16_t>(after.ShipClass[2].Perf[2] + 1);
        after.AircrewSkill[0][0] = static_cast<uint8_t>(after.AircrewSkill[0][0] + 1);
        const std::vector<ChangeRow> rows = ChangeRowsFor(DiffModels(m_file, after), after);
        QCOMPARE(rows.size(), std::size_t(3));
        QCOMPARE(rows[0].category, u"搭乗員練度"_s);
        QCOMPARE(rows[1].record, u"伊勢:改"_s);
        QCOMPARE(rows[2].field, u"燃料（現在）"_s);
        QCOMPARE(rows[2].path, u"Ship[3].Words[6]"_s);
        QVERIFY(ChangeRowsFor(DiffModels(m_file, m_file), m_file).empty());
    }
};

QTEST_GUILESS_MAIN(TestChangeRows)
#include "test_change_rows.moc"
