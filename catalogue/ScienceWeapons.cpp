#include "catalogue/ScienceWeapons.h"

#include <array>

namespace korven::catalogue {
namespace {

using Line = std::array<ScienceWeaponText, kScienceWeaponSteps>;

const std::array<Line, kScienceWeaponLines>& table() {
    static const std::array<Line, kScienceWeaponLines> texts{{
        {{
            {QStringLiteral("乙型電波警戒機"), QStringLiteral("根拠地の迎撃度+1")},
            {QStringLiteral("21号電波探信儀"), QStringLiteral("艦隊の迎撃度+1")},
            {QStringLiteral("タ号電波標定儀"), QStringLiteral("根拠地の迎撃度+1")},
            {QStringLiteral("13号電波探信儀"), QStringLiteral("艦隊の迎撃度+1")},
            {QStringLiteral("ウルツブルグレーダー"), QStringLiteral("根拠地の迎撃度+1")},
            {QStringLiteral("25号電波探信儀"), QStringLiteral("艦隊の迎撃度+1")},
        }},
        {{
            {QStringLiteral("3式1型探信儀"), QStringLiteral("爆雷命中率+4%")},
            {QStringLiteral("3式爆雷"), QStringLiteral("爆雷破壊力+4")},
            {QStringLiteral("3式2型探信儀"), QStringLiteral("潜水艦発見率+10%")},
            {QStringLiteral("5式1型探信儀"), QStringLiteral("爆雷命中率+6%")},
            {QStringLiteral("5式爆雷"), QStringLiteral("爆雷破壊力+6")},
            {QStringLiteral("5式2型探信儀"), QStringLiteral("潜水艦発見率+10%")},
        }},
        {{
            {QStringLiteral("シュノーケル"), QStringLiteral("潜水艦発見率-10%")},
            {QStringLiteral("22号電波探信儀"), QStringLiteral("砲撃命中率+5%")},
            {QStringLiteral("逆探"), QStringLiteral("砲撃命中率+5%")},
            {QStringLiteral("イ号誘導弾"), QStringLiteral("対艦水平爆撃命中率8倍")},
            {QStringLiteral("誘導魚雷"), QStringLiteral("雷撃命中率+5%")},
            {QStringLiteral("24号電波探信儀"), QStringLiteral("砲撃命中率+5%")},
        }},
    }};
    return texts;
}

}  // namespace

std::optional<ScienceWeaponText> ScienceWeaponTextOf(int line, int step) {
    if (line < 0 || line >= kScienceWeaponLines || step < 0 || step >= kScienceWeaponSteps) {
        return std::nullopt;
    }
    return table()[static_cast<std::size_t>(line)][static_cast<std::size_t>(step)];
}

}  // namespace korven::catalogue
