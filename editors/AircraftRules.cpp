#include "editors/AircraftRules.h"

#include <array>

namespace korven::air {

QString BasingText(int basing) {
    switch (basing) {
        case 0:
            return QStringLiteral("艦載機");
        case 1:
            return QStringLiteral("陸上機");
        case 2:
            return QStringLiteral("水上機");
        case 3:
            return QStringLiteral("水上艦載機");
        case 4:
            return QStringLiteral("特殊水上機");
        default:
            return {};
    }
}

QString OperationText(int operation) {
    return operation == 0 ? texts::fighter() : texts::bomber();
}

QString DevelopmentStatus(int nationality, qint64 turns, int aircraftIndex, std::optional<int16_t> previous) {
    if (nationality > 1) {
        return texts::statusUnknown();
    }
    if (turns == 0) {
        return texts::statusFinished();
    }
    if (turns == -1) {
        return texts::statusCancelled();
    }
    if (aircraftIndex == 0) {
        return texts::statusFirstInDevelopment();
    }
    // Development runs in order: while the previous aircraft is still being developed, this
    // one has not started.
    if (previous && *previous != -1 && *previous != 0) {
        return texts::statusNotStarted();
    }
    return texts::statusInDevelopment();
}

QString PeriodText(qint64 turns) {
    const qint64 magnitude = turns < 0 ? -turns : turns;
    const qint64 whole = magnitude / 10;
    QString text = turns < 0 ? QStringLiteral("-") : QString();
    if (whole != 0) {
        text += QString::number(whole);
    }
    return text + u'.' + QString::number(magnitude % 10);
}

bool TurnsEditable(int nationality) {
    return nationality < 2;
}

bool BombEditable(int group) {
    return group >= 2;
}

bool RangeEditable(int group, int operation) {
    return group != 1 || operation != 0;
}

std::span<const ComboItem> BombItems() {
    static const std::array<ComboItem, 5> items{{{QStringLiteral("魚雷"), 0},
                                                 {QStringLiteral("小型"), 1},
                                                 {QStringLiteral("中型"), 2},
                                                 {QStringLiteral("大型"), 3},
                                                 {QStringLiteral("なし"), kNoBomb}}};
    return items;
}

int BombComboIndex(int storedKind) {
    const int count = static_cast<int>(BombItems().size());
    if (storedKind == kNoBomb) {
        return count - 1;
    }
    return storedKind >= 0 && storedKind < count ? storedKind : -1;
}

uint8_t BombKindToStore(int comboIndex, uint8_t storedKind) {
    if (comboIndex == BombComboIndex(storedKind)) {
        return storedKind;
    }
    const std::span<const ComboItem> items = BombItems();
    if (comboIndex < 0 || comboIndex >= static_cast<int>(items.size())) {
        return static_cast<uint8_t>(kNoBomb);
    }
    return static_cast<uint8_t>(items[static_cast<std::size_t>(comboIndex)].data);
}

QString CheckCaption(bool checked) {
    return checked ? texts::checked() : texts::unchecked();
}

uint8_t FlagToStore(bool checked, uint8_t storedFlag) {
    if (checked == (storedFlag != 0)) {
        return storedFlag;
    }
    return checked ? 1 : 0;
}

}  // namespace korven::air
