#include "catalogue/AircraftDevelopmentOrder.h"
#include "catalogue/MaxStepTable.h"
#include "catalogue/ReferenceTables.h"
#include "catalogue/ScienceWeapons.h"
#include "mainwindow/CategoryTree.h"
#include "mainwindow/RecordRows.h"
#include "model/SaveFileLoader.h"
#include "platform/Cp932.h"
#include "tests/support/DemoNames.h"
#include "tests/support/Recorders.h"
#include "tests/support/SaveImageBuilder.h"

#include <QTest>

#include <map>
#include <memory>
#include <set>

using namespace korven;
using namespace korven::mainwindow;

using namespace Qt::StringLiterals;

namespace {

template <std::size_t Width>
void putName(FixedText<Width>& field, const QString& text) {
    QByteArray bytes = cp932::encode(text).value_or(QByteArray());
    bytes.append(QByteArray(static_cast<qsizetype>(Width) - bytes.size(), '\0'));
    field.assignBytes(bytes.constData());
}

// A model with no listed records: every ship slot empty.
std::unique_ptr<SaveFile> emptyModel() {
    auto file = std::make_unique<SaveFile>();
    for (ShipRecord& ship : file->Ship) {
        ship.Words[2] = -1;
    }
    return file;
}

void setClass(SaveFile& file, int n, const QString& name, uint8_t nation, uint8_t type, uint8_t step = 3) {
    ShipClassRecord& c = file.ShipClass[static_cast<std::size_t>(n)];
    putName(c.Name, name);
    c.Kind = {nation, type};
    c.StepIndex = step;
    c.Perf = {static_cast<int16_t>(10 + n), static_cast<int16_t>(20 + n), static_cast<int16_t>(3000 + n)};
    c.AircraftCapacity = static_cast<uint8_t>(n);
}

void setShip(SaveFile& file, int n, int16_t name, int16_t shipClass) {
    ShipRecord& s = file.Ship[static_cast<std::size_t>(n)];
    s.Words = {0, 0, name, shipClass, 4, 5, 6};
}

QStringList keys(const std::vector<RecordRow>& rows) {
    QStringList result;
    for (const RecordRow& row : rows) {
        result.append(row.key.text());
    }
    return result;
}

NodeList node(ListKind kind, bool japanese, int number) {
    return NodeList{kind, japanese, number};
}

QString stepsAt(int index) {
    return QString::number(catalogue::StepTable::fixedValues()[static_cast<std::size_t>(index)]);
}

}  // namespace

class TestRecordRows : public QObject {
    Q_OBJECT
private slots:
    void init() { catalogue::FillReferenceTables(); }

    void shipClasses() {
        auto file = emptyModel();
        setClass(*file, 0, QStringLiteral("長門型"), 0, 4);
        setClass(*file, 1, QStringLiteral("高雄型"), 0, 7);
        setClass(*file, 2, QStringLiteral("ｱｲｵﾜ級"), 1, 4);
        setClass(*file, 3, QString(), 0, 4);  // an empty slot
        setClass(*file, 5, QStringLiteral("航空戦艦"), 0, 6, 7);
        const std::vector<RecordRow> rows = BuildRows(*file, node(ListKind::Kankei, true, 1));
        QCOMPARE(keys(rows), (QStringList{QStringLiteral("Kankei0"), QStringLiteral("Kankei5")}));
        QCOMPARE(rows[0].text, QStringLiteral("長門型"));
        QCOMPARE(rows[0].subItems,
                 (QStringList{QStringLiteral("戦艦"), QStringLiteral("10"), stepsAt(3), QStringLiteral("20"),
                              QStringLiteral("3000"), QStringLiteral("0")}));
        QCOMPARE(rows[1].subItems.at(0), QStringLiteral("航空戦艦"));
        QCOMPARE(keys(BuildRows(*file, node(ListKind::Kankei, false, 1))),
                 QStringList{QStringLiteral("Kankei2")});
        QVERIFY(BuildRows(*file, node(ListKind::Kankei, true, 5)).empty());

        // The step count comes from the editable table.
        QVERIFY(catalogue::MaxStepTable().set(3, 77));
        QCOMPARE(BuildRows(*file, node(ListKind::Kankei, true, 1))[0].subItems.at(2), QStringLiteral("77"));
    }

    void clearedClassNameStaysListed() {
        // An edited name that was emptied still names a class in use (its slot is not empty).
        auto file = emptyModel();
        setClass(*file, 0, QStringLiteral("長門型"), 0, 4);
        file->ShipClass[0].Name.setText(QString());
        QCOMPARE(keys(BuildRows(*file, node(ListKind::Kankei, true, 1))),
                 QStringList{QStringLiteral("Kankei0")});
    }

    void codesOutsideTables() {
        auto file = emptyModel();
        setClass(*file, 0, QStringLiteral("謎型"), 0, 25, 200);
        setShip(*file, 3, 5, 0);
        const std::vector<RecordRow> classes = BuildRows(*file, node(ListKind::Kankei, true, 0));
        QCOMPARE(keys(classes), QStringList{QStringLiteral("Kankei0")});
        QCOMPARE(classes[0].subItems.at(0), QStringLiteral("25"));  // no such ship type
        QCOMPARE(classes[0].subItems.at(2), QString());             // no such step entry
        const std::vector<RecordRow> ships = BuildRows(*file, node(ListKind::Kokan, true, 0));
        QCOMPARE(keys(ships), QStringList{QStringLiteral("Kokan3")});
        QCOMPARE(ships[0].subItems.at(1), QStringLiteral("25"));
        QCOMPARE(ships[0].subItems.at(3), QStringLiteral(":4"));
    }

    void individualShipsBySide() {
        auto file = emptyModel();
        setClass(*file, 0, QStringLiteral("ﾌﾚｯﾁｬｰ級"), 1, 12);  // Allied destroyers
        setClass(*file, 1, QStringLiteral("陽炎型"), 0, 12);
        setShip(*file, 499, 3, 0);
        setShip(*file, 500, 7, 1);
        setShip(*file, 10, 8, 1);
        file->Ship[11].Words = {0, 0, -1, 1, 0, 0, 0};
        const std::vector<RecordRow> japanese = BuildRows(*file, node(ListKind::Kokan, true, 4));
        QCOMPARE(keys(japanese), (QStringList{QStringLiteral("Kokan10"), QStringLiteral("Kokan499")}));
        const std::vector<RecordRow> allied = BuildRows(*file, node(ListKind::Kokan, false, 4));
        QCOMPARE(keys(allied), QStringList{QStringLiteral("Kokan500")});
        QCOMPARE(allied[0].text, QStringLiteral("No.0007"));
        QCOMPARE(allied[0].subItems,
                 (QStringList{QStringLiteral("陽炎型"), QStringLiteral("駆逐艦"), QStringLiteral("11:5"),
                              stepsAt(3) + QStringLiteral(":4"), QStringLiteral("21"),
                              QStringLiteral("3001:6"), QStringLiteral("1")}));
        QCOMPARE(japanese[1].text, catalogue::ShipNames()[3]);
    }

    void classOutsideTableLeavesClassColumnsEmpty() {
        auto file = emptyModel();
        setShip(*file, 20, 4, 300);
        setShip(*file, 620, 4, -3);
        const std::vector<RecordRow> japanese = BuildRows(*file, node(ListKind::Kokan, true, 0));
        QCOMPARE(keys(japanese), QStringList{QStringLiteral("Kokan20")});
        QCOMPARE(japanese[0].subItems,
                 (QStringList{QString(), QString(), QStringLiteral(":5"), QStringLiteral(":4"), QString(),
                              QStringLiteral(":6"), QString()}));
        QCOMPARE(keys(BuildRows(*file, node(ListKind::Kokan, false, 0))),
                 QStringList{QStringLiteral("Kokan620")});
        QVERIFY(BuildRows(*file, node(ListKind::Kokan, true, 3)).empty());
    }

    void shipNames_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("japanese");
        QTest::addColumn<QString>("name");
        QTest::newRow("15002") << 15002 << false << "15002";
        QTest::newRow("15000 Japanese") << 15000 << true << "15000";
        QTest::newRow("呂 top") << 14999 << true << "呂999号";
        QTest::newRow("呂 bottom") << 14000 << false << "呂0号";
        QTest::newRow("伊15号") << 13015 << false << "伊15号";
        QTest::newRow("海防艦") << 12001 << true << "海防艦1号";
        QTest::newRow("連商船") << 11000 << true << "連商船0号";
        QTest::newRow("日商船") << 10999 << false << "日商船999号";
        QTest::newRow("No.0007") << 7 << false << "No.0007";
        QTest::newRow("No.9999") << 9999 << false << "No.9999";
        QTest::newRow("No.0000") << 0 << false << "No.0000";
        QTest::newRow("past the name table") << 1200 << true << "1200";
        QTest::newRow("9999 Japanese") << 9999 << true << "9999";
        QTest::newRow("empty table entry") << 500 << true << "500";
        QTest::newRow("negative Japanese") << -5 << true << "-5";
        QTest::newRow("negative Allied") << -2 << false << "-2";
    }
    void shipNames() {
        QFETCH(int, number);
        QFETCH(bool, japanese);
        QTEST(IndividualShipName(number, japanese), "name");
    }

    void namedJapaneseShips() {
        QCOMPARE(IndividualShipName(0, true), catalogue::ShipNames()[0]);
        QCOMPARE(IndividualShipName(441, true), catalogue::ShipNames()[441]);
        QVERIFY(!IndividualShipName(441, true).isEmpty());
    }

    void aircraft() {
        auto file = emptyModel();
        for (AircraftTypeRecord& a : file->AircraftType) {
            a.Kind = {0, 9, 0, 0};  // a kind no node lists
        }
        auto setType = [&](int n, const QString& name, uint8_t nation, uint8_t kind) {
            AircraftTypeRecord& a = file->AircraftType[static_cast<std::size_t>(n)];
            putName(a.Name, name);
            putName(a.ShortName, name.left(3));
            a.Kind = {nation, kind, 0, 0};
        };
        setType(4, QStringLiteral("九七式重爆撃機"), 1, 5);
        setType(5, QStringLiteral("Ｂ－１７"), 2, 5);
        setType(6, QStringLiteral("謎の機体"), 9, 5);
        setType(172, QStringLiteral("試作機"), 0, 5);  // types past 169 are never listed
        const catalogue::DevelopmentIndex d = catalogue::AirToKaihatsu(4);
        file->AirDevelopment[static_cast<std::size_t>(d.index)] = 37;
        const std::vector<RecordRow> japanese = BuildRows(*file, node(ListKind::Air, true, 5));
        QCOMPARE(keys(japanese), QStringList{QStringLiteral("Air4")});
        QCOMPARE(japanese[0].subItems,
                 (QStringList{QStringLiteral("九七式"), QStringLiteral("日本陸軍"), QStringLiteral("37")}));
        const std::vector<RecordRow> allied = BuildRows(*file, node(ListKind::Air, false, 5));
        QCOMPARE(keys(allied), (QStringList{QStringLiteral("Air5"), QStringLiteral("Air6")}));
        QCOMPARE(allied[1].subItems.at(1), QStringLiteral("9"));
    }

    void bases() {
        auto file = emptyModel();
        file->LastBaseIndex = 3;
        for (int n = 0; n <= 4; ++n) {
            BaseRecord& b = file->Base[static_cast<std::size_t>(n)];
            putName(b.Name, QStringLiteral("ﾍﾟﾄﾛﾊﾟﾌﾞﾛﾌｽｸ"));
            b.Region = n == 1 ? 5 : 2;
            b.Owner = 1;
            b.Terrain = 3;
            b.Size = 4;
            b.Resource = {0, 100};
            b.Factory = {6, 10};
            b.Anchorage = 2;
        }
        file->Base[2].Resource[0] = 255;
        file->Base[2].Factory[0] = 255;
        file->Base[3].Owner = 7;
        file->Base[3].Resource[0] = 40;
        const std::vector<RecordRow> rows = BuildRows(*file, node(ListKind::Base, true, 2));
        QCOMPARE(keys(rows),
                 (QStringList{QStringLiteral("Base0"), QStringLiteral("Base2"), QStringLiteral("Base3")}));
        QCOMPARE(rows[0].text, QStringLiteral("ペトロパブロフスク"));
        QCOMPARE(rows[0].subItems,
                 (QStringList{QStringLiteral("連合軍"), QStringLiteral("密林"), QStringLiteral("大都市"),
                              QStringLiteral("原油"), QStringLiteral("弾薬工場"), QStringLiteral("中泊地")}));
        QCOMPARE(rows[1].subItems.at(3), QString());
        QCOMPARE(rows[1].subItems.at(4), QString());
        QCOMPARE(rows[2].subItems.at(0), QStringLiteral("7"));
        QCOMPARE(rows[2].subItems.at(3), QStringLiteral("40"));
    }

    void scienceWeapons() {
        auto file = emptyModel();
        file->ScienceWeapon[1][0] = {0, 7};  // Leave, Need
        file->ScienceWeapon[1][1] = {-3, 0};
        const std::vector<RecordRow> rows = BuildRows(*file, node(ListKind::Kagaku, true, 1));
        QCOMPARE(rows.size(), std::size_t(6));
        QCOMPARE(rows[0].key.text(), QStringLiteral("Kagaku1,0"));
        QCOMPARE(rows[5].key.text(), QStringLiteral("Kagaku1,5"));
        const auto text = catalogue::ScienceWeaponTextOf(1, 0);
        QCOMPARE(rows[0].text, text->name);
        QCOMPARE(rows[0].subItems, (QStringList{text->effect, QStringLiteral("3.5"), QStringLiteral("0.0")}));
        QCOMPARE(rows[1].subItems.mid(1), (QStringList{QStringLiteral("0.0"), QStringLiteral("-1.5")}));
    }

    void aircrewSkill() {
        auto file = emptyModel();
        file->AircrewSkill[4] = {12, 99};
        const std::vector<RecordRow> rows = BuildRows(*file, node(ListKind::ToujouRen, true, 0));
        QCOMPARE(rows.size(), std::size_t(5));
        QCOMPARE(rows[0].key.text(), QStringLiteral("ToujouRen0"));
        QCOMPARE(rows[0].text, QStringLiteral("日本海軍"));
        QCOMPARE(rows[4].text, QStringLiteral("ソビエト"));
        QCOMPARE(rows[4].subItems, (QStringList{QStringLiteral("12"), QStringLiteral("99")}));
        QVERIFY(BuildRows(*file, node(ListKind::Clear, true, 0)).empty());
    }

    // Every record of the demo save appears under exactly one node of its kind.
    void exampleSavePartitions() {
        auto file = std::make_unique<SaveFile>();
        fixtures::RecordingStatus status;
        fixtures::RecordingMessages messages;
        QVERIFY(LoadSaveFile(fixtures::SaveImageBuilder().build(), *file, status, messages).ok());
        const CategoryTree tree = BuildCategoryTree();
        std::map<ListKind, std::set<QString>> seen;
        std::map<ListKind, int> listed;
        for (const TreeNode& n : tree.nodes) {
            const NodeList list =
                ListForNode(FactsOf(tree, n.index), tree.fixedNodeCount, tree.firstAreaIndex);
            for (const RecordRow& row : BuildRows(*file, list)) {
                QVERIFY2(seen[list.kind].insert(row.key.text()).second, qPrintable(row.key.text()));
                QVERIFY(!row.text.isEmpty() || list.kind == ListKind::Kankei);
                ++listed[list.kind];
            }
        }
        QCOMPARE(listed[ListKind::Kankei], static_cast<int>(fixtures::demoShipClasses().size()));
        int ships = 0;
        for (const ShipRecord& s : file->Ship) {
            ships += s.Words[2] != -1 ? 1 : 0;
        }
        QCOMPARE(listed[ListKind::Kokan], ships);
        QCOMPARE(listed[ListKind::Air], 170);
        QCOMPARE(listed[ListKind::Base], file->LastBaseIndex + 1);
        QCOMPARE(listed[ListKind::Kagaku], 18);
        QCOMPARE(listed[ListKind::ToujouRen], 5);
    }

    void fullWidth_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("wide");
        QTest::newRow("voiced and semi-voiced") << "ﾍﾟﾄﾛﾊﾟﾌﾞﾛﾌｽｸ"
                                                << "ペトロパブロフスク";
        QTest::newRow("vu") << "ｳﾞｨｸﾄﾘｱ"
                            << "ヴィクトリア";
        QTest::newRow("small tsu") << "ｶﾞｯﾂ"
                                   << "ガッツ";
        QTest::newRow("mark that does not combine") << "ﾏﾞｯﾞ"
                                                    << "マ゛ッ゛";
        QTest::newRow("ascii and space") << "Port Moresby 2"
                                         << "Ｐｏｒｔ　Ｍｏｒｅｓｂｙ　２";
        QTest::newRow("punctuation") << "ﾃﾞ･ﾛｲﾃﾙ｡"
                                     << "デ・ロイテル。";
        QTest::newRow("already wide") << "東京湾"
                                      << "東京湾";
    }
    void fullWidth() {
        QFETCH(QString, text);
        QTEST(ToFullWidth(text), "wide");
    }
};

QTEST_GUILESS_MAIN(TestRecordRows)
#include "test_record_rows.moc"
