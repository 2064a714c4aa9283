#include "model/ValueLists.h"

#include "catalogue/MaxStepTable.h"
#include "model/SaveFile.h"

#include <algorithm>

namespace korven::rules {

using fields::ListOf;

std::optional<qint64> ValueList::fix(qint64 code) const {
    if (contains(code) || !fixable) {
        return std::nullopt;
    }
    return hasNone ? kNoneCode : std::clamp<qint64>(code, 0, count - 1);
}

QString ValueList::acceptedText() const {
    QString text = QStringLiteral("%1～%2").arg(0).arg(count - 1);
    return hasNone ? text + QStringLiteral("、%1").arg(kNoneCode) : text;
}

ValueList ListFor(ListOf list) {
    using namespace catalogue;
    auto named = [](NameTable names, bool hasNone, bool fixable) {
        return ValueList{static_cast<int>(names.size()), hasNone, fixable, names};
    };
    constexpr int kBombKinds = 4;  // 魚雷, 小型, 中型, 大型
    switch (list) {
        case ListOf::Region:
            return named(RegionNames(), false, false);
        case ListOf::Terrain:
            return named(TerrainNames(), false, true);
        case ListOf::SettlementSize:
            return named(SettlementSizeNames(), false, true);
        case ListOf::Resource:
            return named(ResourceNames(), true, true);
        case ListOf::Factory:
            return named(FactoryNames(), true, true);
        case ListOf::Task:
            return named(TaskNames(), false, false);
        case ListOf::Side:
            return named(SideNames(), false, false);
        case ListOf::Anchorage:
            return named(AnchorageNames(), false, true);
        case ListOf::AircraftNation:
            return named(AircraftNationNames(), false, false);
        case ListOf::AircraftModel:
            return named(AircraftModelNames(), true, false);
        case ListOf::ShipNation:
            return named(ShipNationNames(), false, false);
        case ListOf::ShipType:
            return named(ShipTypeNames(), false, false);
        case ListOf::Weapon:
            return named(WeaponNames(), true, true);
        case ListOf::Bomb:
            return {kBombKinds, true, true, {}};
        case ListOf::Step:
            return {StepTable::kSize, false, false, {}};
        case ListOf::Aircraft:
            return {SaveFile::kWrittenAircraftTypes, true, false, {}};
        case ListOf::None:
            break;
    }
    return {};
}

}  // namespace korven::rules
