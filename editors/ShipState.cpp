#include "editors/ShipState.h"

#include "editors/EditorTexts.h"
#include "model/RecordFields.h"

namespace korven::ship {

std::optional<float> LossRatio(qint64 whole, qint64 part) {
    if (whole == 0) {
        return std::nullopt;
    }
    return 1.0f - static_cast<float>(part) / static_cast<float>(whole);
}

QString DamageStateText(std::optional<float> damage) {
    if (!damage) {
        return texts::ship::noValue();
    }
    // The thresholds are compared as the game does: a single against a double constant.
    const double d = *damage;
    if (d < 0) {
        return texts::ship::damageError();
    }
    if (d < 0.13) {
        return texts::ship::damageNone();
    }
    if (d < 0.25) {
        return texts::ship::damageLight();
    }
    if (d < 0.5) {
        return texts::ship::damageMedium();
    }
    if (d > 1) {
        return texts::ship::damageError();
    }
    return texts::ship::damageHeavy();
}

float StepLossFactor(float loss) {
    if (loss < 0.25f) {
        return 1.0f;
    }
    if (loss < 0.5f) {
        return 0.75f;
    }
    if (loss < 0.75f) {
        return 0.5f;
    }
    if (loss < 1.0f) {
        return 0.25f;
    }
    return 0.0f;
}

namespace {

QString scaled(qint64 value, float factor) {
    return QString::number(static_cast<qint64>(static_cast<float>(value) * factor));
}

}  // namespace

ShipState RecalcShipState(const ShipStateInput& input) {
    ShipState state;
    state.damage = DamageStateText(LossRatio(input.classUpper + input.classLower, input.upper + input.lower));

    const std::optional<float> upperLoss = LossRatio(input.classUpper, input.upper);
    const std::optional<float> lowerLoss = LossRatio(input.classLower, input.lower);

    if (lowerLoss) {
        const qint64 speed =
            static_cast<qint64>(static_cast<float>(input.classSpeed) * StepLossFactor(*lowerLoss));
        state.speed = QString::number(speed < 5 ? 5 : speed);
    } else {
        state.speed = texts::ship::noValue();
    }

    if (input.consumption != 0) {
        const float range = static_cast<float>(input.fuel) / static_cast<float>(input.consumption) * 400.0f;
        state.range = QString::number(static_cast<qint64>(range));
    } else {
        state.range = texts::ship::noValue();
    }

    if (upperLoss) {
        state.launch = *upperLoss < 0.5f ? texts::ship::canLaunch() : texts::edit::cross();
        const float factor = StepLossFactor(*upperLoss);
        for (std::size_t m = 0; m < state.guns.size(); ++m) {
            state.guns[m] = scaled(input.classGuns[m], factor);
        }
    } else {
        state.launch = texts::ship::noValue();
        state.guns.fill(texts::ship::noValue());
    }
    return state;
}

QString CarriageText(int shipType) {
    if (shipType >= 0 && shipType <= 3) {
        return texts::ship::carriesPlanes();
    }
    if (shipType >= 4 && shipType <= 11) {
        return texts::edit::shipboardSeaplane();
    }
    switch (shipType) {
        case 15:
            return texts::edit::specialSeaplane();
        case 17:
            return texts::ship::carriesSupplies();
        case 18:
            return texts::ship::carriesOil();
        case 12:
        case 13:
        case 14:
        case 16:
            return texts::ship::carriesNothing();
        default:
            return {};
    }
}

int FindCarrierEntry(int shipType, int shipIndex, std::span<const CarrierAirRecord> records) {
    if (shipType > 3) {
        return -1;
    }
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (records[i].Key == shipIndex) {
            return static_cast<int>(i);
        }
    }
    return -2;
}

std::optional<int> CarriedLoad(int shipType, int carrierEntry, std::span<const CarrierAirRecord> records,
                               const ShipRecord& ship) {
    if (shipType >= 0 && shipType <= 3) {
        if (carrierEntry < 0 || static_cast<std::size_t>(carrierEntry) >= records.size()) {
            return 0;
        }
        const CarrierAirRecord& record = records[static_cast<std::size_t>(carrierEntry)];
        int sum = 0;
        for (std::size_t m = 0; m < 4; ++m) {
            sum += record.Slots[CarrierSlot::CountFirst][m] + record.Slots[CarrierSlot::CountSecond][m];
        }
        return sum;
    }
    if ((shipType >= 4 && shipType <= 11) || shipType == 15) {
        return ship.Bytes[ShipByte::LoadFirst] + ship.Bytes[ShipByte::LoadSecond];
    }
    if (shipType == 17 || shipType == 18) {
        return ship.Words2[ShipWord2::Supplies];
    }
    return std::nullopt;
}

int GunTypeComboIndex(int storedType, int weaponCount) {
    if (storedType == kNoGunType) {
        return weaponCount;
    }
    return storedType >= 0 && storedType < weaponCount ? storedType : -1;
}

uint8_t GunTypeToStore(int comboIndex, uint8_t storedType, int weaponCount) {
    if (comboIndex == GunTypeComboIndex(storedType, weaponCount)) {
        return storedType;
    }
    if (comboIndex < 0 || comboIndex >= weaponCount) {
        return kNoGunType;
    }
    return static_cast<uint8_t>(comboIndex);
}

MountChange OnGunTypeChosen(int itemData) {
    return itemData == kNoGunType ? MountChange::None : MountChange::Enable;
}

MountChange OnGunTypeLeft(int itemData) {
    return itemData == kNoGunType ? MountChange::Clear : MountChange::None;
}

MountChange OnGunCountLeft(qint64 guns) {
    return guns == 0 ? MountChange::Clear : MountChange::None;
}

MountChange OnFiringsLeft(qint64 firings) {
    return firings == 0 ? MountChange::Clear : MountChange::None;
}

std::optional<MountBoxes> MountBoxesAfter(MountChange change, bool mountEnabled) {
    switch (change) {
        case MountChange::Enable:
            if (mountEnabled) {
                return std::nullopt;
            }
            return MountBoxes{QStringLiteral("10"), QStringLiteral("9"), true};
        case MountChange::Clear:
            return MountBoxes{QStringLiteral("0"), QStringLiteral("0"), false};
        case MountChange::None:
            break;
    }
    return std::nullopt;
}

}  // namespace korven::ship
