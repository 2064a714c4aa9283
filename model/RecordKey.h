#pragma once

#include <QMetaType>
#include <QString>

#include <optional>

// One record of the lists, as the rows name it and the search, the editors and the change views
// find it again.
namespace korven {

enum class RecordKind { ShipClass, Ship, AircraftType, Base, ScienceWeapon, AircrewSkill };

struct RecordKey {
    RecordKind kind = RecordKind::ShipClass;
    int index = 0;  // the record; a science weapon's line
    int step = 0;   // a science weapon's step within its line

    friend bool operator==(const RecordKey&, const RecordKey&) = default;

    // For messages and test output only; nothing reads it back.
    QString text() const {
        switch (kind) {
            case RecordKind::ShipClass:
                return QStringLiteral("Kankei%1").arg(index);
            case RecordKind::Ship:
                return QStringLiteral("Kokan%1").arg(index);
            case RecordKind::AircraftType:
                return QStringLiteral("Air%1").arg(index);
            case RecordKind::Base:
                return QStringLiteral("Base%1").arg(index);
            case RecordKind::ScienceWeapon:
                return QStringLiteral("Kagaku%1,%2").arg(index).arg(step);
            case RecordKind::AircrewSkill:
                return QStringLiteral("ToujouRen%1").arg(index);
        }
        return {};
    }
    // The record number the search finds it by; none for a science weapon.
    std::optional<int> number() const {
        return kind == RecordKind::ScienceWeapon ? std::nullopt : std::optional<int>(index);
    }
};

}  // namespace korven

Q_DECLARE_METATYPE(korven::RecordKey)
