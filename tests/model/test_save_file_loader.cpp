#include "model/ModelTexts.h"
#include "model/SaveFileLoader.h"
#include "tests/platform/GuardedBuffer.h"
#include "tests/support/Recorders.h"
#include "tests/support/SaveImageBuilder.h"

#include <QTest>

#include <functional>

using namespace Qt::StringLiterals;
using korven::SaveFile;
using korven::fixtures::SaveImageBuilder;
using korven::fixtures::SaveImageOptions;
namespace cp932 = korven::cp932;
namespace texts = korven::texts;

class TestSaveFileLoader : public QObject {
    Q_OBJECT

private slots:
    void headerTables_data();
    void headerTables();
    void lastBase_data();
    void lastBase();
    void progressOnSuccess();
    void endsInsideAircraftNames();
    void truncated_data();
    void truncated();
    void missingAnchor();
    void fieldsAtTheirOffsets();
    void textFieldsKeepEveryByte();
};

namespace {

struct Loaded {
    bool ok = false;
    std::unique_ptr<SaveFile> file = std::make_unique<SaveFile>();
    korven::fixtures::RecordingStatus status;
    korven::fixtures::RecordingMessages messages;
    bool keptImage = false;
};

// Loads from memory that ends at an inaccessible page, so a read past the end would crash.
Loaded load(const QByteArray& image) {
    Loaded out;
    const korven::testing::GuardedBuffer guarded(image);
    out.ok = korven::LoadSaveFile(guarded.bytes(), *out.file, out.status, out.messages).ok();
    out.keptImage = out.file->image == image;
    out.file->image =
        QByteArray(out.file->image.constData(), out.file->image.size());  // off the guarded memory
    return out;
}

QByteArray encoded(const QString& text) {
    return cp932::encode(text).value();
}

QByteArray field(const QString& text, int width, const QByteArray& afterNul = {}) {
    QByteArray bytes = encoded(text);
    bytes.append('\0');
    bytes.append(afterNul);
    bytes.append(QByteArray(width, '\0'));
    return bytes.left(width);
}

void putU8(QByteArray& image, qint64 offset, int value) {
    image[offset] = static_cast<char>(value);
}

const QStringList kAllStatuses = {
    u"ターンデータを読み込んでいます"_s,     u"データ格納位置を探しています"_s,
    u"航空機データを読み込んでいます"_s,     u"艦船データを読み込んでいます"_s,
    u"基地データを読み込んでいます"_s,       u"個艦データを読み込んでいます"_s,
    u"空母搭載機データを読み込んでいます"_s, u"読み込み完了"_s,
};

// How far a load gets: the number of progress texts shown before it stops.
enum Stage { Header = 1, Anchor, Aircraft, ShipClasses, Bases, Ships, CarrierAir, Done };

}  // namespace

void TestSaveFileLoader::headerTables_data() {
    QTest::addColumn<QString>("saveName");
    QTest::addColumn<int>("length");
    QTest::addColumn<qint64>("anchorOffset");

    QTest::newRow("no name") << QString() << 0 << qint64(3000);
    QTest::newRow("one byte") << u"A"_s << 1 << qint64(3000);
    QTest::newRow("demo name") << u"ＳＡＶＥ１　昭和１７年　珊瑚海"_s << 30 << qint64(3000);
    QTest::newRow("255 bytes") << QString(127, QChar(u'艦')) + u"X"_s << 255 << qint64(3000);
    QTest::newRow("anchor at the end of the range") << u"ＳＡＶＥ"_s << 8 << qint64(28671);
}

void TestSaveFileLoader::headerTables() {
    QFETCH(QString, saveName);
    QFETCH(int, length);
    QFETCH(qint64, anchorOffset);

    SaveImageOptions options;
    options.saveName = saveName;
    options.aircraftBlockOffset = anchorOffset;
    const SaveImageBuilder builder(options);
    QByteArray image = builder.build();
    const qint64 L = length;
    QCOMPARE(builder.saveNameLength(), L);
    QCOMPARE(builder.turnInfoOffset(), 9 + L);
    QCOMPARE(builder.scienceWeaponOffset(), 1904 + L);
    QCOMPARE(builder.aircrewSkillOffset(), 2176 + L);

    for (int i = 0; i < 11; ++i) {
        korven::fixtures::putInt16(image, 9 + L + 2 * i, static_cast<int16_t>(1000 * i - 3));
    }
    image.replace(31 + L, 21, field(u"珊瑚海海戦"_s, 21, "\x81\x40junk"));
    korven::fixtures::putInt16(image, 52 + L, -1);
    korven::fixtures::putInt16(image, 52 + L + 2 * 175, 0x1234);
    for (int e = 0; e < 18; ++e) {
        korven::fixtures::putInt16(image, 1904 + L + 4 * e, static_cast<int16_t>(-100 - e));
        korven::fixtures::putInt16(image, 1904 + L + 4 * e + 2, static_cast<int16_t>(300 + e));
    }
    for (int s = 0; s < 10; ++s) {
        putU8(image, 2176 + L + s, 200 + s);
    }

    const Loaded loaded = load(image);
    QVERIFY(loaded.ok);
    QVERIFY(loaded.messages.shown.empty());
    QVERIFY(loaded.keptImage);
    const SaveFile& f = *loaded.file;
    QCOMPARE(int(f.SaveNameLength), length);
    QCOMPARE(f.SaveName, encoded(saveName));
    QCOMPARE(f.saveNameText(), saveName);
    for (int i = 0; i < 11; ++i) {
        QCOMPARE(f.TurnInfo[i], int16_t(1000 * i - 3));
    }
    QCOMPARE(f.ScenarioTitle.text(), u"珊瑚海海戦"_s);
    QCOMPARE(f.HeaderEndPos, int32_t(53 + L));
    QCOMPARE(f.AirDevelopment[0], int16_t(-1));
    QCOMPARE(f.AirDevelopment[175], int16_t(0x1234));
    for (int a = 0; a < 3; ++a) {
        for (int b = 0; b < 6; ++b) {
            QCOMPARE(f.ScienceWeapon[a][b].Leave, int16_t(-100 - (6 * a + b)));
            QCOMPARE(f.ScienceWeapon[a][b].Need, int16_t(300 + 6 * a + b));
        }
    }
    for (int a = 0; a < 5; ++a) {
        QCOMPARE(int(f.AircrewSkill[a][0]), 200 + 2 * a);
        QCOMPARE(int(f.AircrewSkill[a][1]), 201 + 2 * a);
    }
    QCOMPARE(f.AircraftBlockPos, int32_t(anchorOffset + 1));
    QCOMPARE(f.ShipClassBlockPos, int32_t(anchorOffset + 1 + 13728));
    QCOMPARE(f.BaseBlockPos, int32_t(anchorOffset + 1 + 13728 + 10120));
    QCOMPARE(f.AircraftType[0].Name.text(), u"９６式艦上戦闘機"_s);
}

void TestSaveFileLoader::lastBase_data() {
    QTest::addColumn<int>("builtLastBase");  // -1: no terminating base
    QTest::addColumn<int>("patchedBase");    // -1: none
    QTest::addColumn<QByteArray>("patchedName");
    QTest::addColumn<int>("expected");

    const QByteArray exact = encoded(u"ﾍﾟﾄﾛﾊﾟﾌﾞﾛﾌｽｸ"_s);
    QTest::newRow("base 0") << 0 << -1 << QByteArray() << 0;
    QTest::newRow("base 37") << 37 << -1 << QByteArray() << 37;
    QTest::newRow("base 180") << 180 << -1 << QByteArray() << 180;
    QTest::newRow("none: 256 bases") << -1 << -1 << QByteArray() << 255;
    QTest::newRow("first of two wins") << 180 << 37 << exact << 37;
    QTest::newRow("shorter name does not end the block") << 180 << 37 << field(u"ﾍﾟﾄﾛﾊﾟﾌﾞﾛﾌｽ"_s, 12) << 180;
    QTest::newRow("full-width name does not end the block")
        << 180 << 37 << field(u"ペトロパブロ"_s, 12) << 180;
    QTest::newRow("named base 255") << -1 << 255 << exact << 255;
    QTest::newRow("named base 254") << -1 << 254 << exact << 254;
}

void TestSaveFileLoader::lastBase() {
    QFETCH(int, builtLastBase);
    QFETCH(int, patchedBase);
    QFETCH(QByteArray, patchedName);
    QFETCH(int, expected);

    SaveImageOptions options;
    options.lastBaseIndex = builtLastBase;
    const SaveImageBuilder builder(options);
    QByteArray image = builder.build();
    if (patchedBase >= 0) {
        image.replace(builder.baseOffset(patchedBase), 12, patchedName);
    }
    // The ships follow the base the loader stops at.
    const qint64 shipsAt = builder.baseOffset(expected + 1);
    korven::fixtures::putInt16(image, shipsAt, 4321);
    korven::fixtures::putInt16(image, shipsAt + 26 * 1199 + 24, -4321);
    const qint64 carriersAt = shipsAt + 26 * 1200;
    korven::fixtures::putInt16(image, carriersAt + 14 * 119, 1188);
    putU8(image, carriersAt + 14 * 119 + 13, 0x9C);

    const Loaded loaded = load(image.left(carriersAt + 14 * 120));
    QVERIFY(loaded.ok);
    const SaveFile& f = *loaded.file;
    QCOMPARE(int(f.LastBaseIndex), expected);
    QCOMPARE(f.BaseBlockPos, int32_t(builder.baseOffset(0) + 1));
    QCOMPARE(f.Ship[0].Words[0], int16_t(4321));
    QCOMPARE(f.Ship[1199].Words2[1], int16_t(-4321));
    QCOMPARE(f.CarrierAir[119].Key, int16_t(1188));
    QCOMPARE(int(f.CarrierAir[119].Slots[2][3]), 0x9C);
    if (expected != 255 || patchedBase == 255) {
        QCOMPARE(f.Base[expected].Name.text(), u"ﾍﾟﾄﾛﾊﾟﾌﾞﾛﾌｽｸ"_s);
    }
}

void TestSaveFileLoader::progressOnSuccess() {
    const Loaded loaded = load(SaveImageBuilder().build());
    QVERIFY(loaded.ok);
    QCOMPARE(loaded.status.texts, kAllStatuses);
    QVERIFY(loaded.messages.shown.empty());
}

void TestSaveFileLoader::endsInsideAircraftNames() {
    const SaveImageBuilder builder;
    const Loaded loaded = load(builder.build().left(builder.aircraftTypeOffset(3) + 10));
    QVERIFY(!loaded.ok);
    QCOMPARE(loaded.messages.shown.size(), std::size_t(1));
    const korven::Message& shown = loaded.messages.shown.front();
    QCOMPARE(shown.text, u"データ取得エラー"_s);
    QCOMPARE(shown.icon, korven::MessageIcon::None);
    QCOMPARE(shown.buttons, korven::MessageButtons::Ok);
    QCOMPARE(loaded.status.texts, kAllStatuses.mid(0, 3));
}

void TestSaveFileLoader::truncated_data() {
    QTest::addColumn<QString>("saveName");
    QTest::addColumn<int>("builtLastBase");
    QTest::addColumn<qint64>("size");
    QTest::addColumn<int>("stage");

    struct Variant {
        const char* label;
        QString saveName;
        int lastBase;
    };
    const Variant variants[] = {{"demo", u"ＳＡＶＥ１"_s, 180}, {"no name, 256 bases", QString(), -1}};
    for (const Variant& v : variants) {
        SaveImageOptions options;
        options.saveName = v.saveName;
        options.lastBaseIndex = v.lastBase;
        const SaveImageBuilder b(options);
        const int lastBase = v.lastBase < 0 ? 255 : v.lastBase;
        const std::pair<const char*, std::pair<qint64, Stage>> rows[] = {
            {"empty", {0, Header}},
            {"no name length", {8, Header}},
            {"inside the save name", {9 + b.saveNameLength() - 1, Header}},
            {"inside turn info", {b.turnInfoOffset() + 5, Header}},
            {"inside the scenario title", {b.scenarioTitleOffset() + 20, Header}},
            {"inside the development table", {b.airDevelopmentOffset() + 100, Header}},
            {"inside the science table", {b.scienceWeaponOffset() + 71, Header}},
            {"inside the aircrew table", {b.aircrewSkillOffset() + 9, Header}},
            {"right after the aircrew table", {b.aircrewSkillOffset() + 10, Anchor}},
            {"before the anchor", {b.aircraftTypeOffset(0), Anchor}},
            {"anchor without 168 bytes after it", {b.aircraftTypeOffset(0) + 168, Anchor}},
            {"anchor with 168 bytes after it", {b.aircraftTypeOffset(0) + 169, Aircraft}},
            {"inside the aircraft names", {b.aircraftTypeOffset(0) + 200, Aircraft}},
            {"inside the last aircraft type", {b.aircraftTypeOffset(175) + 77, Aircraft}},
            {"at the ship classes", {b.shipClassOffset(0), ShipClasses}},
            {"inside a ship class", {b.shipClassOffset(100) + 5, ShipClasses}},
            {"inside the last ship class", {b.shipClassOffset(252) + 38, ShipClasses}},
            // Its padding byte is skipped, not read: the bases are the first to miss bytes.
            {"without the last padding byte", {b.shipClassOffset(252) + 39, Bases}},
            {"at the bases", {b.baseOffset(0), Bases}},
            {"inside a base", {b.baseOffset(50) + 100, Bases}},
            {"inside the last base's name", {b.baseOffset(lastBase) + 11, Bases}},
            {"inside the last base", {b.baseOffset(lastBase) + 167, Bases}},
            {"at the ships", {b.shipOffset(0), Ships}},
            {"inside a ship", {b.shipOffset(600) + 13, Ships}},
            {"inside the last ship", {b.shipOffset(1199) + 25, Ships}},
            {"at the carrier entries", {b.carrierAirOffset(0), CarrierAir}},
            {"inside the last carrier entry", {b.carrierAirOffset(119) + 13, CarrierAir}},
            {"right at the end of the blocks", {b.endOfBlocks(), Done}},
        };
        for (const auto& [label, row] : rows) {
            QTest::addRow("%s: %s", v.label, label)
                << v.saveName << v.lastBase << row.first << int(row.second);
        }
    }
}

void TestSaveFileLoader::truncated() {
    QFETCH(QString, saveName);
    QFETCH(int, builtLastBase);
    QFETCH(qint64, size);
    QFETCH(int, stage);

    SaveImageOptions options;
    options.saveName = saveName;
    options.lastBaseIndex = builtLastBase;
    const QByteArray image = SaveImageBuilder(options).build();
    QVERIFY(size <= image.size());
    const Loaded loaded = load(image.left(size));

    QCOMPARE(loaded.status.texts, kAllStatuses.mid(0, stage));
    if (stage == Done) {
        QVERIFY(loaded.ok);
        QVERIFY(loaded.messages.shown.empty());
        return;
    }
    QVERIFY(!loaded.ok);
    const QString expected =
        stage == Anchor ? texts::anchorNotFound(u"９６式艦上戦闘機"_s) : u"データ取得エラー"_s;
    QCOMPARE(loaded.messages.texts(), QStringList{expected});
}

void TestSaveFileLoader::missingAnchor() {
    const SaveImageBuilder builder;
    QByteArray image = builder.build();
    // Later types are named after the first one ("９６式艦上戦闘機一一型"), so rename them all.
    image.replace(encoded(u"９６式艦上戦闘機"_s), encoded(u"９６式艦上攻撃機"_s));
    QVERIFY(!image.contains(encoded(u"９６式艦上戦闘機"_s)));
    const Loaded loaded = load(image);
    QVERIFY(!loaded.ok);
    QCOMPARE(loaded.messages.shown.size(), std::size_t(1));
    QCOMPARE(loaded.messages.shown.front().text, texts::anchorNotFound(u"９６式艦上戦闘機"_s));
    QCOMPARE(loaded.messages.shown.front().icon, korven::MessageIcon::Exclamation);
    QCOMPARE(loaded.status.texts, kAllStatuses.mid(0, 2));
}

void TestSaveFileLoader::fieldsAtTheirOffsets() {
    // Every field of every record kind, poked at its absolute offset with a value whose bytes
    // are all distinct from its neighbours', read back through the model.
    const SaveImageBuilder builder;
    QByteArray image = builder.build();

    struct Poke {
        QString name;
        qint64 offset;
        int width;  // 1, 2 or 4 bytes, little-endian
        qint64 value;
        std::function<qint64(const SaveFile&)> read;
    };
    QList<Poke> pokes;
    int serial = 0;
    auto add = [&](const QString& name, qint64 offset, int width,
                   std::function<qint64(const SaveFile&)> read) {
        ++serial;
        const qint64 value = width == 1   ? 0x80 + serial % 0x7F
                             : width == 2 ? -(0x100 * (serial % 0x70) + serial % 0xFF + 1)
                                          : -(0x1000000LL * (serial % 0x70) + 0x10203 * serial + 1);
        pokes.append({name, offset, width, value, std::move(read)});
    };

    for (const int i : {1, 97, 175}) {
        const qint64 at = builder.aircraftTypeOffset(i);
        const auto& r = [i](const SaveFile& f) -> const korven::AircraftTypeRecord& {
            return f.AircraftType[i];
        };
        const QString n = u"AircraftType %1 "_s.arg(i);
        for (int k = 0; k < 4; ++k) {
            add(n + u"Kind %1"_s.arg(k), at + 38 + k, 1, [=](const SaveFile& f) { return r(f).Kind[k]; });
        }
        for (int k = 0; k < 10; ++k) {
            add(n + u"NumData %1"_s.arg(k), at + 42 + k, 1,
                [=](const SaveFile& f) { return r(f).NumData[k]; });
        }
        for (int k = 0; k < 3; ++k) {
            add(n + u"Flags %1"_s.arg(k), at + 52 + k, 1, [=](const SaveFile& f) { return r(f).Flags[k]; });
        }
        for (int k = 0; k < 4; ++k) {
            const qint64 g = k == 0 ? at + 55 : at + 60 + 6 * (k - 1);
            const qint64 kouzoku = k == 0 ? at + 58 : g + 4;
            add(n + u"Kidou %1"_s.arg(k), g, 1, [=](const SaveFile& f) { return r(f).Kidou[k]; });
            add(n + u"Bomb %1 0"_s.arg(k), g + 1, 1, [=](const SaveFile& f) { return r(f).Bomb[k][0]; });
            add(n + u"Bomb %1 1"_s.arg(k), g + 2, 1, [=](const SaveFile& f) { return r(f).Bomb[k][1]; });
            add(n + u"Kouzoku %1"_s.arg(k), kouzoku, 2, [=](const SaveFile& f) { return r(f).Kouzoku[k]; });
        }
    }
    for (const int i : {0, 252}) {
        const qint64 at = builder.shipClassOffset(i);
        const auto& r = [i](const SaveFile& f) -> const korven::ShipClassRecord& { return f.ShipClass[i]; };
        const QString n = u"ShipClass %1 "_s.arg(i);
        add(n + u"Kind 0"_s, at + 12, 1, [=](const SaveFile& f) { return r(f).Kind[0]; });
        add(n + u"Kind 1"_s, at + 13, 1, [=](const SaveFile& f) { return r(f).Kind[1]; });
        add(n + u"StepIndex"_s, at + 14, 1, [=](const SaveFile& f) { return r(f).StepIndex; });
        for (int k = 0; k < 3; ++k) {
            add(n + u"Perf %1"_s.arg(k), at + 16 + 2 * k, 2, [=](const SaveFile& f) { return r(f).Perf[k]; });
        }
        for (int k = 0; k < 4; ++k) {
            add(n + u"Armor %1"_s.arg(k), at + 22 + k, 1, [=](const SaveFile& f) { return r(f).Armor[k]; });
        }
        for (int a = 0; a < 3; ++a) {
            for (int m = 0; m < 4; ++m) {
                add(n + u"Weapon %1 %2"_s.arg(a).arg(m), at + 26 + 4 * a + m, 1,
                    [=](const SaveFile& f) { return r(f).Weapon[a][m]; });
            }
        }
        add(n + u"AircraftCapacity"_s, at + 38, 1, [=](const SaveFile& f) { return r(f).AircraftCapacity; });
    }
    for (const int i : {0, 180}) {
        const qint64 at = builder.baseOffset(i);
        const auto& r = [i](const SaveFile& f) -> const korven::BaseRecord& { return f.Base[i]; };
        const QString n = u"Base %1 "_s.arg(i);
        const std::pair<int, int> extras[] = {{0, 12}, {1, 87}, {2, 166}, {3, 167}};
        for (const auto& [k, rel] : extras) {
            add(n + u"Extra %1"_s.arg(k), at + rel, 1, [=](const SaveFile& f) { return r(f).Extra[k]; });
        }
        add(n + u"Region"_s, at + 13, 1, [=](const SaveFile& f) { return r(f).Region; });
        add(n + u"Terrain"_s, at + 14, 1, [=](const SaveFile& f) { return r(f).Terrain; });
        add(n + u"Size"_s, at + 15, 1, [=](const SaveFile& f) { return r(f).Size; });
        for (int k = 0; k < 2; ++k) {
            add(n + u"Resource %1"_s.arg(k), at + 16 + 2 * k, 2,
                [=](const SaveFile& f) { return r(f).Resource[k]; });
            add(n + u"Factory %1"_s.arg(k), at + 20 + 2 * k, 2,
                [=](const SaveFile& f) { return r(f).Factory[k]; });
        }
        for (int a = 0; a < 7; ++a) {
            for (int b = 0; b < 2; ++b) {
                add(n + u"Stockpile %1 %2"_s.arg(a).arg(b), at + 24 + 8 * a + 4 * b, 4,
                    [=](const SaveFile& f) { return r(f).Stockpile[a][b]; });
            }
        }
        add(n + u"Airfield"_s, at + 80, 2, [=](const SaveFile& f) { return r(f).Airfield; });
        add(n + u"Fortification"_s, at + 82, 2, [=](const SaveFile& f) { return r(f).Fortification; });
        add(n + u"PublicOrder"_s, at + 84, 1, [=](const SaveFile& f) { return r(f).PublicOrder; });
        add(n + u"Task"_s, at + 85, 1, [=](const SaveFile& f) { return r(f).Task; });
        add(n + u"Owner"_s, at + 86, 1, [=](const SaveFile& f) { return r(f).Owner; });
        for (int k = 0; k < 8; ++k) {
            add(n + u"AirType %1"_s.arg(k), at + 88 + k, 1,
                [=](const SaveFile& f) { return r(f).AirType[k]; });
            for (int t = 0; t < 2; ++t) {
                add(n + u"AirCount %1 %2"_s.arg(t).arg(k), at + 96 + 16 * t + 2 * k, 2,
                    [=](const SaveFile& f) { return r(f).AirCount[t][k]; });
            }
        }
        for (int a = 0; a < 5; ++a) {
            for (int b = 0; b < 2; ++b) {
                add(n + u"Units %1 %2"_s.arg(a).arg(b), at + 128 + 4 * a + 2 * b, 2,
                    [=](const SaveFile& f) { return r(f).Units[a][b]; });
            }
        }
        add(n + u"Anchorage"_s, at + 148, 2, [=](const SaveFile& f) { return r(f).Anchorage; });
        for (int a = 0; a < 2; ++a) {
            for (int b = 0; b < 2; ++b) {
                add(n + u"ExtraWords %1 %2"_s.arg(a).arg(b), at + 150 + 4 * a + 2 * b, 2,
                    [=](const SaveFile& f) { return r(f).ExtraWords[a][b]; });
            }
            for (int b = 0; b < 4; ++b) {
                add(n + u"ExtraBytes %1 %2"_s.arg(a).arg(b), at + 158 + 4 * a + b, 1,
                    [=](const SaveFile& f) { return r(f).ExtraBytes[a][b]; });
            }
        }
    }
    for (const int j : {0, 777, 1199}) {
        const qint64 at = builder.shipOffset(j);
        const auto& r = [j](const SaveFile& f) -> const korven::ShipRecord& { return f.Ship[j]; };
        const QString n = u"Ship %1 "_s.arg(j);
        for (int k = 0; k < 7; ++k) {
            add(n + u"Words %1"_s.arg(k), at + 2 * k, 2, [=](const SaveFile& f) { return r(f).Words[k]; });
        }
        for (int k = 0; k < 4; ++k) {
            add(n + u"BusouKai %1"_s.arg(k), at + 14 + k, 1,
                [=](const SaveFile& f) { return r(f).BusouKai[k]; });
            add(n + u"Bytes %1"_s.arg(k), at + 18 + k, 1, [=](const SaveFile& f) { return r(f).Bytes[k]; });
        }
        for (int k = 0; k < 2; ++k) {
            add(n + u"Words2 %1"_s.arg(k), at + 22 + 2 * k, 2,
                [=](const SaveFile& f) { return r(f).Words2[k]; });
        }
    }
    for (const int c : {0, 119}) {
        const qint64 at = builder.carrierAirOffset(c);
        const auto& r = [c](const SaveFile& f) -> const korven::CarrierAirRecord& { return f.CarrierAir[c]; };
        const QString n = u"CarrierAir %1 "_s.arg(c);
        add(n + u"Key"_s, at, 2, [=](const SaveFile& f) { return r(f).Key; });
        for (int a = 0; a < 3; ++a) {
            for (int b = 0; b < 4; ++b) {
                add(n + u"Slots %1 %2"_s.arg(a).arg(b), at + 2 + 4 * a + b, 1,
                    [=](const SaveFile& f) { return r(f).Slots[a][b]; });
            }
        }
    }

    for (const Poke& p : pokes) {
        for (int k = 0; k < p.width; ++k) {
            image[p.offset + k] = static_cast<char>(p.value >> (8 * k));
        }
    }
    // Padding between the fields, which the loader skips.
    for (const int i : {1, 97, 175}) {
        for (const int rel : {63, 69, 75}) {
            putU8(image, builder.aircraftTypeOffset(i) + rel, 0x5A);
        }
    }

    const Loaded loaded = load(image);
    QVERIFY(loaded.ok);
    for (const Poke& p : pokes) {
        const qint64 expected = p.width == 1 ? (p.value & 0xFF) : p.value;
        QVERIFY2(p.read(*loaded.file) == expected,
                 qPrintable(u"%1 at offset %2: %3 instead of %4"_s.arg(p.name)
                                .arg(p.offset)
                                .arg(p.read(*loaded.file))
                                .arg(expected)));
    }
}

void TestSaveFileLoader::textFieldsKeepEveryByte() {
    const SaveImageBuilder builder;
    QByteArray image = builder.build();
    const QByteArray airName = field(u"零式艦上戦闘機"_s, 27, "\x82\xA0tail");
    const QByteArray airShort = QByteArray("\x87\x90\x8A\xEE\0\x01\x02\x03\x04\x05\x06", 11);
    const QByteArray className =
        QByteArray("\x88\xC9\x90\xA8\0\0\0\0\0\0\0\x81", 12);  // lone lead at the end
    const QByteArray baseName = QByteArray("\x83\x89\x83\x6F\x83\x45\x83\x8B\0\0\0\0", 12);
    image.replace(builder.aircraftTypeOffset(5), 27, airName);
    image.replace(builder.aircraftTypeOffset(5) + 27, 11, airShort);
    image.replace(builder.shipClassOffset(9), 12, className);
    image.replace(builder.baseOffset(3), 12, baseName);

    const Loaded loaded = load(image);
    QVERIFY(loaded.ok);
    const SaveFile& f = *loaded.file;
    QCOMPARE(f.AircraftType[5].Name.originalBytes(), airName);
    QCOMPARE(f.AircraftType[5].Name.text(), u"零式艦上戦闘機"_s);
    QCOMPARE(f.AircraftType[5].ShortName.originalBytes(), airShort);
    QCOMPARE(f.AircraftType[5].ShortName.text(), cp932::decode(airShort.left(4)));
    QVERIFY(f.AircraftType[5].ShortName.text().startsWith(u"≒"_s));
    QCOMPARE(f.ShipClass[9].Name.originalBytes(), className);
    QCOMPARE(f.ShipClass[9].Name.text(), u"伊勢"_s);
    QCOMPARE(f.Base[3].Name.text(), u"ラバウル"_s);
    QVERIFY(!f.Base[3].Name.isEdited());
}

QTEST_GUILESS_MAIN(TestSaveFileLoader)
#include "test_save_file_loader.moc"
