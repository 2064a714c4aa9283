// Writes the seed corpora of the fuzzers: the demo save and its variants, assignments
// (--assignments) and JSON edits (--json-edits).
#include "tests/support/SaveImageBuilder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

using korven::fixtures::SaveImageBuilder;
using korven::fixtures::SaveImageOptions;

namespace {

bool write(const QString& folder, const QString& name, const QByteArray& bytes) {
    QFile file(QDir(folder).filePath(name));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace

// Assignments in the command-line tool's syntax, good and bad.
bool writeAssignments(const QString& folder) {
    const QStringList seeds = {
        QStringLiteral("ShipClass[12].Perf[1]=30"),
        QStringLiteral("Base[3].Stockpile[0][1]=500"),
        QStringLiteral("TurnInfo[0]=10"),
        QStringLiteral("ScienceWeapon[1][4].Need=12"),
        QStringLiteral("AircrewSkill[4][1]=99"),
        QStringLiteral("AircraftType[5].Name=零式艦上戦闘機"),
        QStringLiteral("Ship[1199].Words[2]=-1"),
        QStringLiteral("CarrierAir[3].Slots[0][2]=255"),
        QStringLiteral("Base[180].Name=ﾍﾟﾄﾛﾊﾟﾌﾞﾛﾌｽｸ"),
        QStringLiteral("ShipClass[0].Name=あいうえおかきく"),
        QStringLiteral("AirDevelopment[175]=1"),
        QStringLiteral("SaveName=x"),
        QStringLiteral("Base[200].Airfield=1"),
        QStringLiteral("ShipClass[253].Perf[0]=1"),
        QStringLiteral("Base[0].Stockpile[6][1]=2147483647"),
    };
    for (qsizetype i = 0; i < seeds.size(); ++i) {
        if (!write(folder, QStringLiteral("assignment-%1").arg(i), seeds[i].toUtf8())) {
            return false;
        }
    }
    return true;
}

// Edits in the dump's shape, good and bad.
bool writeJsonEdits(const QString& folder) {
    const QList<QByteArray> seeds = {
        R"({"FormatVersion": 1, "TurnInfo": [1, 2, null, 4]})",
        R"({"ShipClass": {"12": {"Perf": [null, 30], "Name": "あいうえお"}}})",
        R"({"Ship": {"7": {"Words": {"6": 4321}}}, "Base": [{"Stockpile": [[9999]]}]})",
        R"({"AircraftType": {"172": {"Kouzoku": [1, 2, 3, 4]}}, "SaveName": "x"})",
        R"({"ScienceWeapon": [[{"Need": 12}]], "AircrewSkill": [[99, 1.0]]})",
        R"({"CarrierAir": {"3": {"Slots": [[1, 2, 255]]}}, "LastBaseIndex": 37})",
        R"({"TurnInfo": [1e3, -0.5, 18446744073709551616, true, "\u0041"]})",
    };
    for (qsizetype i = 0; i < seeds.size(); ++i) {
        if (!write(folder, QStringLiteral("json-%1").arg(i), seeds[i])) {
            return false;
        }
    }
    return true;
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments();
    const bool assignments = args.removeAll(QStringLiteral("--assignments")) > 0;
    const bool jsonEdits = args.removeAll(QStringLiteral("--json-edits")) > 0;
    const QString folder = args.value(1);
    if (assignments || jsonEdits) {
        return !folder.isEmpty() && QDir().mkpath(folder) &&
                       (assignments ? writeAssignments(folder) : writeJsonEdits(folder))
                   ? 0
                   : 1;
    }
    if (folder.isEmpty() || !QDir().mkpath(folder)) {
        return 2;
    }
    const QByteArray demo = SaveImageBuilder().build();
    SaveImageOptions noName;
    noName.saveName.clear();
    SaveImageOptions firstBase;
    firstBase.lastBaseIndex = 0;
    SaveImageOptions noLastBase;
    noLastBase.lastBaseIndex = -1;
    const SaveImageBuilder early{SaveImageOptions{}};
    bool ok = write(folder, QStringLiteral("demo"), demo) &&
              write(folder, QStringLiteral("no-name"), SaveImageBuilder(noName).build()) &&
              write(folder, QStringLiteral("first-base"), SaveImageBuilder(firstBase).build()) &&
              write(folder, QStringLiteral("no-last-base"), SaveImageBuilder(noLastBase).build()) &&
              write(folder, QStringLiteral("truncated-ships"), demo.left(early.shipOffset(600))) &&
              write(folder, QStringLiteral("header"), demo.left(early.aircraftTypeOffset(0) + 40));
    return ok ? 0 : 1;
}
