#include "model/FieldDescriptions.h"

#include "model/TurnBounds.h"
#include "model/TurnCalendar.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <bit>

namespace korven::fields {
namespace {

using limits::Range;

constexpr const char* kUnknownJa = "不明（そのまま保持）";
constexpr const char* kUnknownEn = "meaning unknown; carried through unchanged";

// clang-format off
constexpr std::array kDescriptions = {
    Description{"SaveNameLength", "セーブ名の長さ", "length of the save name in bytes; never written"},
    Description{"SaveName", "セーブ名", "name of the save; never written"},
    Description{"HeaderEndPos", "ヘッダー終端位置", "1-based file position after the scenario title; never written"},
    Description{"AircraftBlockPos", "航空機データ位置", "1-based file position of the aircraft block; never written"},
    Description{"ShipClassBlockPos", "艦型データ位置", "1-based file position of the ship class block; never written"},
    Description{"BaseBlockPos", "基地データ位置", "1-based file position of the base block; never written"},
    Description{"LastBaseIndex", "最後の基地番号", "index of the base named ﾍﾟﾄﾛﾊﾟﾌﾞﾛﾌｽｸ, the last one in the file; never written"},
    Description{"TurnInfo[0]", "現在ターン", "current-turn counter (0 is year 41, month 12, turn 1)", Check::TurnBox},
    Description{"TurnInfo[1]", "現在フェイズ", "current phase code (0 イベント .. 9 整備)", Check::Range, {0, kPhaseCount - 1}},
    Description{"TurnInfo[2]", "シナリオ番号", "scenario number"},
    Description{"TurnInfo[3]", "開始ターン（年）", "start turn: year"},
    Description{"TurnInfo[4]", "開始ターン（月）", "start turn: month"},
    Description{"TurnInfo[5]", "開始ターン（ターン）", "start turn: turn"},
    Description{"TurnInfo[6]", "終了ターン（年）", "end turn: year", Check::TurnBox},
    Description{"TurnInfo[7]", "終了ターン（月）", "end turn: month", Check::TurnBox},
    Description{"TurnInfo[8]", "終了ターン（ターン）", "end turn: turn", Check::TurnBox},
    Description{"TurnInfo[9]", "作戦フェイズの番号", "the number that belongs to the operation phase", Check::Range, kOperationNumber},
    Description{"TurnInfo[10]", kUnknownJa, kUnknownEn},
    Description{"ScenarioTitle", "シナリオ名", "scenario title"},
    Description{"AirDevelopment[*]", "開発期間（ターン）", "development turns still needed, by development order (0 finished, -1 cancelled)", Check::Range, limits::kDevelopmentTurns},
    Description{"ScienceWeapon.Leave", "残りターン", "science weapon: development turns remaining", Check::ScienceLeave},
    Description{"ScienceWeapon.Need", "必要ターン", "science weapon: development turns needed", Check::Range, limits::kScienceNeed},
    Description{"AircrewSkill[*][0]", "搭乗員練度（戦闘機）", "skill of the air arm's fighter crews", Check::Range, limits::kAircrewSkill},
    Description{"AircrewSkill[*][1]", "搭乗員練度（爆撃機）", "skill of the air arm's bomber crews", Check::Range, limits::kAircrewSkill},

    Description{"AircraftType.Name", "航空機名", "aircraft name", Check::TextBytes, {0, limits::kAircraftNameBytes}},
    Description{"AircraftType.ShortName", "名称", "short name", Check::TextBytes, {0, limits::kAircraftShortNameBytes}},
    Description{"AircraftType.Kind[0]", "国籍", "nationality (index into the aircraft nation names)", Check::List, {}, ListOf::AircraftNation},
    Description{"AircraftType.Kind[1]", "機種", "model (index into the aircraft model names)", Check::List, {}, ListOf::AircraftModel},
    Description{"AircraftType.Kind[2]", "発着", "basing: 0 carrier, 1 land, 2 seaplane, 3 shipboard seaplane, 4 special seaplane"},
    Description{"AircraftType.Kind[3]", "運用", "operation: 0 fighter, other values bomber"},
    Description{"AircraftType.NumData[0]", "工数", "man-hours to build", Check::Range, limits::kAircraftNumber},
    Description{"AircraftType.NumData[1]", "鉄", "steel to build", Check::Range, limits::kAircraftNumber},
    Description{"AircraftType.NumData[2]", "アルミ", "aluminium to build", Check::Range, limits::kAircraftNumber},
    Description{"AircraftType.NumData[3]", "故障", "breakdowns", Check::Range, limits::kAircraftNumber},
    Description{"AircraftType.NumData[4]", "整備", "maintenance", Check::Range, limits::kAircraftNumber},
    Description{"AircraftType.NumData[5]", "燃料", "fuel", Check::Range, limits::kAircraftNumber},
    Description{"AircraftType.NumData[6]", "固定銃", "fixed machine guns", Check::Range, limits::kAircraftNumber},
    Description{"AircraftType.NumData[7]", "固定砲", "fixed cannon", Check::Range, limits::kAircraftNumber},
    Description{"AircraftType.NumData[8]", "旋回銃", "flexible guns", Check::Range, limits::kAircraftNumber},
    Description{"AircraftType.NumData[9]", "防御", "defence", Check::Range, limits::kAircraftNumber},
    Description{"AircraftType.Flags[0]", "夜間", "night capable (0 no, other values yes)"},
    Description{"AircraftType.Flags[1]", "高々度", "high-altitude capable (0 no, other values yes)"},
    Description{"AircraftType.Flags[2]", "急降下", "dive-bombing capable (0 no, other values yes)"},
    Description{"AircraftType.Kidou[*]", "機動", "manoeuvre of mission group 0 transfer, 1 intercept/reconnaissance, 2 bombing 1, 3 bombing 2", Check::Range, limits::kAircraftNumber},
    Description{"AircraftType.Bomb[*][0]", "爆弾", "bomb kind of the mission group: 0 torpedo, 1 small, 2 medium, 3 large, 255 none", Check::List, {}, ListOf::Bomb},
    Description{"AircraftType.Bomb[*][1]", "爆弾（数）", "bomb count of the mission group", Check::Range, limits::kAircraftNumber},
    Description{"AircraftType.Kouzoku[*]", "航続", "range of the mission group (9999 unlimited)", Check::Range, limits::kAircraftRange},

    Description{"ShipClass.Name", "艦型", "class name"},
    Description{"ShipClass.Kind[0]", "国籍", "nationality (index into the ship nation names)", Check::List, {}, ListOf::ShipNation},
    Description{"ShipClass.Kind[1]", "艦種", "ship type (index into the ship type names)", Check::List, {}, ListOf::ShipType},
    Description{"ShipClass.StepIndex", "下部ステップ", "index into the lower step count table", Check::List, {}, ListOf::Step},
    Description{"ShipClass.Perf[0]", "上部ステップ", "upper step count", Check::Range, limits::kClassSteps},
    Description{"ShipClass.Perf[1]", "速力", "speed", Check::Range, limits::kClassSpeed},
    Description{"ShipClass.Perf[2]", "燃料", "fuel capacity", Check::Range, limits::kClassFuel},
    Description{"ShipClass.Armor[0]", "燃費", "fuel consumption", Check::Range, limits::kFuelConsumption},
    Description{"ShipClass.Armor[1]", kUnknownJa, kUnknownEn},
    Description{"ShipClass.Armor[2]", "甲板装甲", "deck armour", Check::Range, limits::kArmour},
    Description{"ShipClass.Armor[3]", "舷側装甲", "side armour", Check::Range, limits::kArmour},
    Description{"ShipClass.Weapon[0][*]", "武装", "weapon kind of the mount (index into the weapon names, 255 none)", Check::List, {}, ListOf::Weapon},
    Description{"ShipClass.Weapon[1][*]", "門数", "number of guns of the mount", Check::Range, limits::kGunCount},
    Description{"ShipClass.Weapon[2][*]", "回数", "number of firings of the mount", Check::Range, limits::kFirings},
    Description{"ShipClass.AircraftCapacity", "搭載", "carrying capacity", Check::Range, limits::kAircraftCapacity},

    Description{"Base.Name", "基地名", "base name; the last base is named ﾍﾟﾄﾛﾊﾟﾌﾞﾛﾌｽｸ"},
    Description{"Base.Extra[*]", kUnknownJa, kUnknownEn},
    Description{"Base.Region", "地域", "region (index into the region names)", Check::List, {}, ListOf::Region},
    Description{"Base.Terrain", "地形", "terrain (index into the terrain names)", Check::List, {}, ListOf::Terrain},
    Description{"Base.Size", "集落規模", "settlement size (index into the settlement size names)", Check::List, {}, ListOf::SettlementSize},
    Description{"Base.Resource[0]", "採掘資源種類", "kind of resource mined (255 none)", Check::List, {}, ListOf::Resource},
    Description{"Base.Resource[1]", "採掘資源量", "amount mined", Check::Range, limits::kResourceAmount},
    Description{"Base.Factory[0]", "工場種類", "kind of factory (255 none)", Check::List, {}, ListOf::Factory},
    Description{"Base.Factory[1]", "工場生産力", "factory output", Check::Range, limits::kFactoryOutput},
    Description{"Base.Stockpile[*][*]", "在庫量", "stock of material a (in the order of the material names); two values per material", Check::Range, limits::kStockpile},
    Description{"Base.Airfield", "飛行場", "airfield", Check::Range, limits::kAirfield},
    Description{"Base.Fortification", "陣地", "fortification", Check::Range, limits::kFortification},
    Description{"Base.PublicOrder", "治安度", "public order", Check::Range, limits::kPublicOrder},
    Description{"Base.Task", "設営任務", "construction task (index into the task names)", Check::List, {}, ListOf::Task},
    Description{"Base.Owner", "領有", "owner (index into the side names)", Check::List, {}, ListOf::Side},
    Description{"Base.AirType[*]", "航空機名", "aircraft type of the slot (255 empty)", Check::BaseAircraft},
    Description{"Base.AirCount[*][*]", "機数", "aircraft count of the slot; two counts per slot", Check::Range, limits::kBaseAircraftCount},
    Description{"Base.Units[*][*]", "部隊数", "land units: attack, garrison, construction, maintenance, militia; two values each", Check::Range, limits::kUnitCount},
    Description{"Base.Anchorage", "泊地規模", "anchorage (index into the anchorage names)", Check::List, {}, ListOf::Anchorage},
    Description{"Base.ExtraWords[*][*]", kUnknownJa, kUnknownEn},
    Description{"Base.ExtraBytes[*][*]", kUnknownJa, kUnknownEn},

    Description{"Ship.Words[0]", "所属", "affiliation number"},
    Description{"Ship.Words[1]", kUnknownJa, kUnknownEn},
    Description{"Ship.Words[2]", "艦名番号", "name number (-1 no ship)"},
    Description{"Ship.Words[3]", "艦型番号", "index of the ship's class", Check::ShipClassNumber},
    Description{"Ship.Words[4]", "下部ステップ（現在）", "current lower steps", Check::ClassLowerSteps},
    Description{"Ship.Words[5]", "上部ステップ（現在）", "current upper steps", Check::ClassUpperSteps},
    Description{"Ship.Words[6]", "燃料（現在）", "current fuel", Check::ClassFuel},
    Description{"Ship.BusouKai[*]", "回数（現在）", "remaining firings of the mount", Check::ClassFirings},
    Description{"Ship.Bytes[0]", kUnknownJa, kUnknownEn},
    Description{"Ship.Bytes[1]", "搭載（一）", "carried load, first part (ship types 4..11 and 15)"},
    Description{"Ship.Bytes[2]", "搭載（二）", "carried load, second part (ship types 4..11 and 15)"},
    Description{"Ship.Bytes[3]", kUnknownJa, kUnknownEn},
    Description{"Ship.Words2[0]", kUnknownJa, kUnknownEn},
    Description{"Ship.Words2[1]", "搭載（物資）", "carried load (ship types 17 and 18)"},

    Description{"CarrierAir.Key", "搭載艦", "index of the individual ship that carries the entry", Check::CarrierKey},
    Description{"CarrierAir.Slots[0][*]", "搭載機種", "aircraft type of the slot (255 empty)", Check::List, {}, ListOf::Aircraft},
    Description{"CarrierAir.Slots[1][*]", "搭載機数（一）", "aircraft count of the slot, first part"},
    Description{"CarrierAir.Slots[2][*]", "搭載機数（二）", "aircraft count of the slot, second part"},

};
// clang-format on

// A path split into its text around the indices: "ShipClass.Weapon[2][3]" is
// {"ShipClass.Weapon[", "][", "]"} and {2, 3}.
struct SplitPath {
    QStringList pieces;
    QStringList indices;
};

SplitPath split(const QString& pattern) {
    // Scanned by hand: the first health check describes every leaf of a save, and a regular
    // expression here was most of its cost, paid while the window first shows.
    SplitPath result;
    qsizetype from = 0;
    for (qsizetype open = pattern.indexOf(u'['); open >= 0; open = pattern.indexOf(u'[', open + 1)) {
        qsizetype close = open + 1;
        while (close < pattern.size() && pattern[close] >= u'0' && pattern[close] <= u'9') {
            ++close;
        }
        const bool any = close == open + 1 && close < pattern.size() && pattern[close] == u'*';
        if (any) {
            ++close;
        }
        if (close == open + 1 || close >= pattern.size() || pattern[close] != u']') {
            continue;
        }
        result.pieces.append(pattern.mid(from, open + 1 - from));
        result.indices.append(pattern.mid(open + 1, close - open - 1));
        from = close;
    }
    result.pieces.append(pattern.mid(from));
    return result;
}

// Every choice of `count` indices to replace by "*", as bit masks, the most specific first.
// No pattern has more than a few indices, so a path with more matches none.
const std::vector<unsigned>& starChoices(unsigned count) {
    static const auto choices = [] {
        std::array<std::vector<unsigned>, 5> result;
        for (unsigned n = 0; n < result.size(); ++n) {
            std::vector<unsigned>& masks = result[n];
            masks.resize(std::size_t{1} << n);
            for (unsigned mask = 0; mask < masks.size(); ++mask) {
                masks[mask] = mask;
            }
            std::stable_sort(masks.begin(), masks.end(),
                             [](unsigned a, unsigned b) { return std::popcount(a) < std::popcount(b); });
        }
        return result;
    }();
    static const std::vector<unsigned> none;
    return count < choices.size() ? choices[count] : none;
}

// "ShipClass[12].Perf[1]" as the patterns write it: "ShipClass.Perf[1]".
QString withoutRecordIndex(const QString& path) {
    const qsizetype bracket = path.indexOf(QLatin1Char('['));
    const qsizetype dot = path.indexOf(QLatin1Char('.'));
    if (bracket < 0 || (dot >= 0 && dot < bracket) || !IsRecordTable(path.left(bracket))) {
        return path;
    }
    return path.left(bracket) + (dot < 0 ? QString() : path.mid(dot));
}

const QHash<QString, const Description*>& byPattern() {
    static const QHash<QString, const Description*> table = [] {
        QHash<QString, const Description*> result;
        for (const Description& description : kDescriptions) {
            result.insert(QLatin1String(description.pattern), &description);
        }
        return result;
    }();
    return table;
}

}  // namespace

std::span<const Description> Descriptions() {
    return kDescriptions;
}

bool IsRecordTable(const QString& name) {
    return name == u"AircraftType" || name == u"ShipClass" || name == u"Base" || name == u"Ship" ||
           name == u"CarrierAir" || name == u"ScienceWeapon";
}

const Description* Describe(const QString& path) {
    const SplitPath parts = split(withoutRecordIndex(path));
    const auto count = static_cast<unsigned>(parts.indices.size());
    for (const unsigned mask : starChoices(count)) {
        QString candidate = parts.pieces.front();
        for (unsigned i = 0; i < count; ++i) {
            candidate +=
                ((mask >> i) & 1U) != 0 ? QStringLiteral("*") : parts.indices[static_cast<qsizetype>(i)];
            candidate += parts.pieces[static_cast<qsizetype>(i) + 1];
        }
        if (const auto found = byPattern().constFind(candidate); found != byPattern().constEnd()) {
            return *found;
        }
    }
    return nullptr;
}

}  // namespace korven::fields
