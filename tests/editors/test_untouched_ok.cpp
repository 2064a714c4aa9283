#include "tests/editors/EditorTestSupport.h"
#include "tests/support/EditorDialogs.h"
#include "tests/support/ScriptedUi.h"

#include <QPushButton>
#include <QRandomGenerator>

using namespace korven;
using namespace korven::testing;
using namespace Qt::StringLiterals;

namespace {

// Every record an editor opens: each class, listed ship, aircraft type, base, science weapon
// and air arm, and the file's own properties (an empty key).
QStringList everyRecord(const SaveFile& file) {
    QStringList keys{QString()};
    for (int c = 0; c < SaveFile::kShipClasses; ++c) {
        keys.append(u"Kankei%1"_s.arg(c));
    }
    for (int s = 0; s < SaveFile::kShips; ++s) {
        if (file.Ship[static_cast<std::size_t>(s)].Words[2] != -1) {
            keys.append(u"Kokan%1"_s.arg(s));
        }
    }
    for (int a = 0; a < SaveFile::kAircraftTypes; ++a) {
        keys.append(u"Air%1"_s.arg(a));
    }
    for (int b = 0; b <= file.LastBaseIndex; ++b) {
        keys.append(u"Base%1"_s.arg(b));
    }
    for (int line = 0; line < 3; ++line) {
        for (int step = 0; step < 6; ++step) {
            keys.append(u"Kagaku%1,%2"_s.arg(line).arg(step));
        }
    }
    for (int arm = 0; arm < frmToujouRen::kAirArms; ++arm) {
        keys.append(u"ToujouRen%1"_s.arg(arm));
    }
    return keys;
}

// Opens each record's editor and presses OK without touching anything. Returns the keys
// whose dialog stored something or beeped while opening.
QStringList openAndConfirm(SaveFile& file, const QStringList& keys) {
    fixtures::ScriptedUi ui;
    QStringList touched;
    int stores = 0;
    EditSession session{file, [&stores] { ++stores; }, {}, {}, {}, {}};
    for (const QString& key : keys) {
        const int storesBefore = stores;
        ui.clear();
        std::unique_ptr<EditDialog> dialog = fixtures::MakeEditorDialog(key, session);
        if (!dialog) {
            continue;
        }
        dialog->show();
        QCoreApplication::processEvents();
        // Opening clamps nothing, so it does not beep.
        const int openingBeeps = ui.beeps;
        dialog->findChild<QPushButton*>(u"CommandEnter"_s)->click();
        if (stores != storesBefore || openingBeeps != 0) {
            touched.append(
                u"%1 (stored %2, beeps %3)"_s.arg(key).arg(stores - storesBefore).arg(openingBeeps));
        }
    }
    return touched;
}

std::unique_ptr<SaveFile> load(const QByteArray& image) {
    catalogue::FillReferenceTables();
    auto file = std::make_unique<SaveFile>();
    fixtures::RecordingStatus status;
    fixtures::RecordingMessages messages;
    if (!LoadSaveFile(image, *file, status, messages)) {
        return nullptr;
    }
    return file;
}

QByteArray compose(const SaveFile& file) {
    fixtures::RecordingStatus status;
    return ComposeSaveImage(file, status).value_or(QByteArray());
}

// Values outside what the dialogs let the player type, in every kind of box, on a few records;
// returns their keys.
QStringList storeOutOfRangeValues(SaveFile& file) {
    QStringList keys{QString()};
    for (const int c : {3, 12, 40}) {
        keys.append(u"Kankei%1"_s.arg(c));
        ShipClassRecord& k = file.ShipClass[static_cast<std::size_t>(c)];
        k.Perf = {1500, 140, 0};
        k.Armor[2] = 200;
        k.Armor[3] = 120;
        k.Weapon[2] = {12, 0, 255, 10};
        k.Weapon[1][1] = 0;  // a gun without guns
    }
    file.ShipClass[40].StepIndex = 200;  // beyond the step table
    for (int s = 0; s < SaveFile::kShips; s += 23) {
        ShipRecord& ship = file.Ship[static_cast<std::size_t>(s)];
        if (ship.Words[2] == -1) {
            continue;
        }
        keys.append(u"Kokan%1"_s.arg(s));
        const int upper = file.ShipClass[static_cast<std::size_t>(ship.Words[3])].Perf[0];
        ship.Words[5] = static_cast<int16_t>(upper + 7);
        ship.Words[4] = -3;
        ship.Words[6] = 32000;
        ship.BusouKai = {15, 200, 9, 1};
    }
    for (const int a : {0, 9, 100, 175}) {
        keys.append(u"Air%1"_s.arg(a));
        AircraftTypeRecord& type = file.AircraftType[static_cast<std::size_t>(a)];
        type.NumData = {200, 150, 100, 255, 0, 0, 99, 120, 130, 140};
        type.Kidou = {150, 100, 255, 0};
        for (std::size_t k = 0; k < 4; ++k) {
            type.Bomb[k][1] = static_cast<uint8_t>(120 + 40 * k);
        }
        type.Kouzoku = {20000, -1, 32767, -32768};
    }
    file.AirDevelopment[5] = -5;
    file.AirDevelopment[6] = 2000;
    keys << u"Air5"_s << u"Air6"_s;
    for (int b = 0; b <= file.LastBaseIndex; b += 7) {
        keys.append(u"Base%1"_s.arg(b));
        BaseRecord& base = file.Base[static_cast<std::size_t>(b)];
        base.Stockpile[0] = {-5, 12345678};
        base.Resource[1] = -1;
        base.Factory[1] = 5000;
        base.Airfield = -32768;
        base.Fortification = 1000;
        base.PublicOrder = 200;
        base.Units[4] = {-1, 32767};
        base.AirCount[0] = {1000, -2, 0, 0, 0, 0, 0, 0};
    }
    file.ScienceWeapon[1][2] = {90, 10};
    file.ScienceWeapon[2][5] = {-4, -1};
    file.AircrewSkill[3] = {150, 255};
    keys << u"Kagaku1,2"_s << u"Kagaku2,5"_s << u"ToujouRen3"_s;
    return keys;
}

// A stored seaplane at a base without an anchorage is emptied by the game's own rule, which the
// base editor's tests cover; an anchorage keeps those slots out of this test.
void giveSeaplaneBasesAnAnchorage(SaveFile& file) {
    for (int b = 0; b <= file.LastBaseIndex; ++b) {
        BaseRecord& base = file.Base[static_cast<std::size_t>(b)];
        for (const uint8_t type : base.AirType) {
            if (type < SaveFile::kAircraftTypes && file.AircraftType[type].Kind[1] == 3 &&
                base.Anchorage == 0) {
                base.Anchorage = 1;
            }
        }
    }
}

// Codes off every list and aircraft from anywhere on every base, drawn from `seed`: the side's
// own aircraft and others', types that have no record, seaplanes with and without an
// anchorage, counts in empty slots. Returns the bases' keys.
QStringList storeRandomOffListValues(SaveFile& file, quint32 seed) {
    QRandomGenerator random(seed);
    auto any = [&random](int below) { return static_cast<int>(random.bounded(below)); };
    QStringList keys;
    for (int b = 0; b <= file.LastBaseIndex; ++b) {
        keys.append(u"Base%1"_s.arg(b));
        BaseRecord& base = file.Base[static_cast<std::size_t>(b)];
        base.Owner = static_cast<uint8_t>(any(4));
        base.Region = static_cast<uint8_t>(any(256));
        base.Terrain = static_cast<uint8_t>(any(256));
        base.Size = static_cast<uint8_t>(any(256));
        base.Task = static_cast<uint8_t>(any(256));
        base.Resource[0] = static_cast<int16_t>(any(3) == 0 ? 255 : any(600) - 300);
        base.Factory[0] = static_cast<int16_t>(any(3) == 0 ? 255 : any(600) - 300);
        base.Anchorage = static_cast<int16_t>(any(3) == 0 ? 0 : any(20) - 5);
        for (std::size_t k = 0; k < base.AirType.size(); ++k) {
            base.AirType[k] = static_cast<uint8_t>(any(256));
            base.AirCount[0][k] = static_cast<int16_t>(any(2000) - 500);
            base.AirCount[1][k] = static_cast<int16_t>(any(2000) - 500);
        }
    }
    return keys;
}

}  // namespace

// Opening any editor and pressing OK without touching anything never changes the file.
class TestUntouchedOk : public QObject {
    Q_OBJECT
private slots:
    void demoSaveComesBackByteForByte() {
        QFile demo(QStringLiteral(KORVEN_DEMO_SAVE));
        QVERIFY(demo.open(QIODevice::ReadOnly));
        const QByteArray original = demo.readAll();
        const std::unique_ptr<SaveFile> file = load(original);
        QVERIFY(file != nullptr);
        const QStringList touched = openAndConfirm(*file, everyRecord(*file));
        QVERIFY2(touched.isEmpty(), qPrintable(touched.join(u' ')));
        QVERIFY(compose(*file) == original);
    }

    void outOfRangeValuesComeBackByteForByte() {
        const std::unique_ptr<SaveFile> file = load(fixtures::SaveImageBuilder().build());
        QVERIFY(file != nullptr);
        const QStringList keys = storeOutOfRangeValues(*file);
        giveSeaplaneBasesAnAnchorage(*file);
        const QByteArray before = compose(*file);
        QVERIFY(!before.isEmpty());
        const QStringList touched = openAndConfirm(*file, keys);
        QVERIFY2(touched.isEmpty(), qPrintable(touched.join(u' ')));
        QVERIFY(compose(*file) == before);
    }

    // The base editor's lists meet every kind of stored code; none may change by OK alone.
    void offListValuesOnEveryBaseComeBackByteForByte() {
        for (const quint32 seed : {1U, 2U, 3U}) {
            const std::unique_ptr<SaveFile> file = load(fixtures::SaveImageBuilder().build());
            QVERIFY(file != nullptr);
            const QStringList keys = storeRandomOffListValues(*file, seed);
            const QByteArray before = compose(*file);
            QVERIFY(!before.isEmpty());
            const QStringList touched = openAndConfirm(*file, keys);
            QVERIFY2(touched.isEmpty(), qPrintable(touched.join(u' ')));
            QVERIFY2(compose(*file) == before, qPrintable(u"seed %1"_s.arg(seed)));
        }
    }
};

QTEST_MAIN(TestUntouchedOk)
#include "test_untouched_ok.moc"
