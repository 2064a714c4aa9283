#include "mainwindow/ChangeRows.h"

#include "catalogue/AircraftDevelopmentOrder.h"
#include "catalogue/ReferenceTables.h"
#include "catalogue/ScienceWeapons.h"
#include "mainwindow/MainWindowTexts.h"
#include "mainwindow/RecordRows.h"
#include "model/FieldDescriptions.h"
#include "model/ModelTexts.h"
#include "model/RecordFields.h"

#include <QRegularExpression>

namespace korven::mainwindow {

namespace {

// The indices right after the table's name: "ScienceWeapon[1][4].Need" gives 1 and 4.
std::vector<int> recordIndices(const QString& path, qsizetype nameLength) {
    std::vector<int> indices;
    qsizetype at = nameLength;
    while (at < path.size() && path.at(at) == u'[') {
        const qsizetype close = path.indexOf(u']', at);
        if (close < 0) {
            break;
        }
        indices.push_back(path.mid(at + 1, close - at - 1).toInt());
        at = close + 1;
    }
    return indices;
}

template <typename Records>
const auto* at(const Records& records, int index) {
    return index >= 0 && index < static_cast<int>(records.size()) ? &records[static_cast<std::size_t>(index)]
                                                                  : nullptr;
}

QString aircraftName(const SaveFile& file, int index) {
    const AircraftTypeRecord* a = at(file.AircraftType, index);
    return a != nullptr ? a->Name.text() : QString::number(index);
}

QString shipName(const SaveFile& file, int index) {
    const ShipRecord* ship = at(file.Ship, index);
    return ship != nullptr
               ? IndividualShipName(ship->Words[ShipWord::NameNumber], index < SaveFile::kJapaneseShips)
               : QString::number(index);
}

// The aircraft type whose development state the entry holds.
std::optional<int> developedAircraft(int entry) {
    for (int n = 0; n < SaveFile::kAircraftTypes; ++n) {
        if (catalogue::AirToKaihatsu(static_cast<int16_t>(n)).index == entry) {
            return n;
        }
    }
    return std::nullopt;
}

struct Named {
    QString category;
    QString record;
    std::optional<RecordKey> key;
};

Named name(const FieldChange& change, const std::vector<int>& indices, const SaveFile& file) {
    const int n = indices.empty() ? -1 : indices.front();
    const QString& kind = change.kind;
    const QString category = CategoryOf(kind);
    if (kind == u"ShipClass") {
        const ShipClassRecord* c = at(file.ShipClass, n);
        return {category, c != nullptr ? c->Name.text() : QString::number(n),
                RecordKey{RecordKind::ShipClass, n}};
    }
    if (kind == u"Ship") {
        return {category, shipName(file, n), RecordKey{RecordKind::Ship, n}};
    }
    if (kind == u"AircraftType") {
        return {category, aircraftName(file, n), RecordKey{RecordKind::AircraftType, n}};
    }
    if (kind == u"AirDevelopment") {
        const std::optional<int> aircraft = developedAircraft(n);
        if (!aircraft) {
            return {category, QString::number(n), std::nullopt};
        }
        return {category, aircraftName(file, *aircraft), RecordKey{RecordKind::AircraftType, *aircraft}};
    }
    if (kind == u"Base") {
        const BaseRecord* b = at(file.Base, n);
        return {category, b != nullptr ? ToFullWidth(b->Name.text()) : QString::number(n),
                RecordKey{RecordKind::Base, n}};
    }
    if (kind == u"ScienceWeapon" && indices.size() >= 2) {
        const auto text = catalogue::ScienceWeaponTextOf(indices[0], indices[1]);
        return {category, text ? text->name : QStringLiteral("%1,%2").arg(indices[0]).arg(indices[1]),
                RecordKey{RecordKind::ScienceWeapon, indices[0], indices[1]}};
    }
    if (kind == u"AircrewSkill") {
        return {category, catalogue::labelOr(catalogue::AircrewNationNames(), n, QString::number(n)),
                RecordKey{RecordKind::AircrewSkill, n}};
    }
    if (kind == u"CarrierAir") {
        // The aircraft a carrier holds are edited with the ship that carries it.
        const CarrierAirRecord* air = at(file.CarrierAir, n);
        if (air == nullptr) {
            return {category, QString::number(n), std::nullopt};
        }
        return {category, shipName(file, air->Key), RecordKey{RecordKind::Ship, air->Key}};
    }
    return {texts::propertiesStepName(), QString(), std::nullopt};
}

// The field as its dialog names it; a base's stock names its good and box, as the base
// dialog does: 原油（在庫量1）.
QString fieldLabel(const QString& path, const fields::Description& description) {
    const QString label = QString::fromUtf8(description.japanese);
    static const QRegularExpression stock(QStringLiteral("\\.Stockpile\\[(\\d+)\\]\\[(\\d+)\\]$"));
    const QRegularExpressionMatch match = stock.match(path);
    if (!match.hasMatch()) {
        return label;
    }
    const int good = match.captured(1).toInt();
    return korven::texts::stockOfGood(catalogue::labelOr(catalogue::MaterialNames(), good, match.captured(1)),
                                      label + QString::number(match.captured(2).toInt() + 1));
}

}  // namespace

QString CategoryOf(QStringView kind) {
    if (kind == u"ShipClass") {
        return texts::nodeKankei();
    }
    if (kind == u"Ship") {
        return texts::nodeKokan();
    }
    if (kind == u"AircraftType") {
        return texts::nodeKoukuki();
    }
    if (kind == u"AirDevelopment") {
        return texts::airDevelopmentCategory();
    }
    if (kind == u"Base") {
        return texts::nodeKichi();
    }
    if (kind == u"ScienceWeapon") {
        return texts::nodeKagaku();
    }
    if (kind == u"AircrewSkill") {
        return texts::nodeToujouRen();
    }
    if (kind == u"CarrierAir") {
        return texts::carrierAirCategory();
    }
    return texts::propertiesStepName();
}

std::vector<ChangeRow> ChangeRowsFor(const std::vector<FieldChange>& changes, const SaveFile& names) {
    std::vector<ChangeRow> rows;
    rows.reserve(changes.size());
    for (const FieldChange& change : changes) {
        Named named = name(change, recordIndices(change.path, change.kind.size()), names);
        const fields::Description* description = fields::Describe(change.path);
        rows.push_back({std::move(named.category), std::move(named.record),
                        description != nullptr ? fieldLabel(change.path, *description) : change.path,
                        change.oldText(), change.newText(), change.path, named.key});
    }
    return rows;
}

}  // namespace korven::mainwindow
