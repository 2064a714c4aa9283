#include "editors/AircraftRules.h"

#include "editors/EditorTexts.h"

#include <array>

namespace korven::air {

QString BasingText(int basing) {
    switch (basing) {
        case 0:
            return texts::air::carrierPlane();
        case 1:
            return texts::air::landPlane();
        case 2:
            return texts::air::seaplane();
        case 3:
            return texts::edit::shipboardSeaplane();
        case 4:
            return texts::edit::specialSeaplane();
        default:
            return {};
    }
}

QString OperationText(int operation) {
    return operation == 0 ? texts::edit::fighter() : texts::edit::bomber();
}

QString DevelopmentStatus(int nationality, qint64 turns, int aircraftIndex, std::optional<int16_t> previous) {
    if (nationality > 1) {
        return texts::edit::unknown();
    }
    if (turns == 0) {
        return texts::air::statusFinished();
    }
    if (turns == -1) {
        return texts::air::statusCancelled();
    }
    if (aircraftIndex == 0) {
        return texts::air::statusFirstInDevelopment();
    }
    // Development runs in order: while the previous aircraft is still being developed, this
    // one has not started.
    if (previous && *previous != -1 && *previous != 0) {
        return texts::air::statusNotStarted();
    }
    return texts::air::statusInDevelopment();
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
    static const std::array<ComboItem, 5> items{{{texts::air::torpedo(), 0},
                                                 {texts::air::smallBomb(), 1},
                                                 {texts::air::mediumBomb(), 2},
                                                 {texts::air::largeBomb(), 3},
                                                 {texts::edit::none(), kNoBomb}}};
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
    return checked ? texts::edit::circle() : texts::edit::cross();
}

uint8_t FlagToStore(bool checked, uint8_t storedFlag) {
    if (checked == (storedFlag != 0)) {
        return storedFlag;
    }
    return checked ? 1 : 0;
}

}  // namespace korven::air
