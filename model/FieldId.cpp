#include "model/FieldId.h"

#include <QHash>

#include <utility>

namespace korven {
namespace fields {
namespace {

struct Name {
    const char* pattern;  // as the description writes it
    const char* name;
};

// The English name of every field, by its meaning. Names never change once released: players'
// recipes rely on them. Fields whose meaning is unknown keep their positional text.
// clang-format off
constexpr Name kNames[] = {
    {"SaveNameLength", "SaveNameLength"},
    {"SaveName", "SaveName"},
    {"HeaderEndPos", "HeaderEndPos"},
    {"AircraftBlockPos", "AircraftBlockPos"},
    {"ShipClassBlockPos", "ShipClassBlockPos"},
    {"BaseBlockPos", "BaseBlockPos"},
    {"LastBaseIndex", "LastBaseIndex"},
    {"TurnInfo[0]", "TurnInfo.CurrentTurn"},
    {"TurnInfo[1]", "TurnInfo.Phase"},
    {"TurnInfo[2]", "TurnInfo.Scenario"},
    {"TurnInfo[3]", "TurnInfo.StartYear"},
    {"TurnInfo[4]", "TurnInfo.StartMonth"},
    {"TurnInfo[5]", "TurnInfo.StartTurn"},
    {"TurnInfo[6]", "TurnInfo.EndYear"},
    {"TurnInfo[7]", "TurnInfo.EndMonth"},
    {"TurnInfo[8]", "TurnInfo.EndTurn"},
    {"TurnInfo[9]", "TurnInfo.OperationPhaseNumber"},
    {"TurnInfo[10]", "TurnInfo[10]"},
    {"ScenarioTitle", "ScenarioTitle"},
    {"AirDevelopment[*]", "AirDevelopment[*].TurnsLeft"},
    {"ScienceWeapon.Leave", "ScienceWeapon.TurnsLeft"},
    {"ScienceWeapon.Need", "ScienceWeapon.TurnsNeeded"},
    {"AircrewSkill[*][0]", "AircrewSkill[*].Fighter"},
    {"AircrewSkill[*][1]", "AircrewSkill[*].Bomber"},

    {"AircraftType.Name", "AircraftType.Name"},
    {"AircraftType.ShortName", "AircraftType.ShortName"},
    {"AircraftType.Kind[0]", "AircraftType.Nation"},
    {"AircraftType.Kind[1]", "AircraftType.Model"},
    {"AircraftType.Kind[2]", "AircraftType.Basing"},
    {"AircraftType.Kind[3]", "AircraftType.Operation"},
    {"AircraftType.NumData[0]", "AircraftType.ManHours"},
    {"AircraftType.NumData[1]", "AircraftType.Steel"},
    {"AircraftType.NumData[2]", "AircraftType.Aluminium"},
    {"AircraftType.NumData[3]", "AircraftType.Breakdowns"},
    {"AircraftType.NumData[4]", "AircraftType.Maintenance"},
    {"AircraftType.NumData[5]", "AircraftType.Fuel"},
    {"AircraftType.NumData[6]", "AircraftType.FixedGuns"},
    {"AircraftType.NumData[7]", "AircraftType.FixedCannon"},
    {"AircraftType.NumData[8]", "AircraftType.FlexibleGuns"},
    {"AircraftType.NumData[9]", "AircraftType.Defence"},
    {"AircraftType.Flags[0]", "AircraftType.Night"},
    {"AircraftType.Flags[1]", "AircraftType.HighAltitude"},
    {"AircraftType.Flags[2]", "AircraftType.DiveBombing"},
    {"AircraftType.Kidou[*]", "AircraftType.Manoeuvre[*]"},
    {"AircraftType.Bomb[*][0]", "AircraftType.BombKind[*]"},
    {"AircraftType.Bomb[*][1]", "AircraftType.BombCount[*]"},
    {"AircraftType.Kouzoku[*]", "AircraftType.Range[*]"},

    {"ShipClass.Name", "ShipClass.Name"},
    {"ShipClass.Kind[0]", "ShipClass.Nation"},
    {"ShipClass.Kind[1]", "ShipClass.Type"},
    {"ShipClass.StepIndex", "ShipClass.LowerStepRow"},
    {"ShipClass.Perf[0]", "ShipClass.UpperSteps"},
    {"ShipClass.Perf[1]", "ShipClass.Speed"},
    {"ShipClass.Perf[2]", "ShipClass.Fuel"},
    {"ShipClass.Armor[0]", "ShipClass.FuelConsumption"},
    {"ShipClass.Armor[1]", "ShipClass.Armor[1]"},
    {"ShipClass.Armor[2]", "ShipClass.DeckArmour"},
    {"ShipClass.Armor[3]", "ShipClass.SideArmour"},
    {"ShipClass.Weapon[0][*]", "ShipClass.WeaponKind[*]"},
    {"ShipClass.Weapon[1][*]", "ShipClass.Guns[*]"},
    {"ShipClass.Weapon[2][*]", "ShipClass.Firings[*]"},
    {"ShipClass.AircraftCapacity", "ShipClass.AircraftCapacity"},

    {"Base.Name", "Base.Name"},
    {"Base.Extra[*]", "Base.Extra[*]"},
    {"Base.Region", "Base.Region"},
    {"Base.Terrain", "Base.Terrain"},
    {"Base.Size", "Base.Size"},
    {"Base.Resource[0]", "Base.ResourceKind"},
    {"Base.Resource[1]", "Base.ResourceAmount"},
    {"Base.Factory[0]", "Base.FactoryKind"},
    {"Base.Factory[1]", "Base.FactoryOutput"},
    {"Base.Stockpile[*][*]", "Base.Stock[*][*]"},
    {"Base.Airfield", "Base.Airfield"},
    {"Base.Fortification", "Base.Fortification"},
    {"Base.PublicOrder", "Base.PublicOrder"},
    {"Base.Task", "Base.Task"},
    {"Base.Owner", "Base.Owner"},
    {"Base.AirType[*]", "Base.SlotAircraft[*]"},
    {"Base.AirCount[*][*]", "Base.SlotCount[*][*]"},
    {"Base.Units[*][*]", "Base.Units[*][*]"},
    {"Base.Anchorage", "Base.Anchorage"},
    {"Base.ExtraWords[*][*]", "Base.ExtraWords[*][*]"},
    {"Base.ExtraBytes[*][*]", "Base.ExtraBytes[*][*]"},

    {"Ship.Words[0]", "Ship.Affiliation"},
    {"Ship.Words[1]", "Ship.Words[1]"},
    {"Ship.Words[2]", "Ship.NameNumber"},
    {"Ship.Words[3]", "Ship.Class"},
    {"Ship.Words[4]", "Ship.LowerSteps"},
    {"Ship.Words[5]", "Ship.UpperSteps"},
    {"Ship.Words[6]", "Ship.Fuel"},
    {"Ship.BusouKai[*]", "Ship.Firings[*]"},
    {"Ship.Bytes[0]", "Ship.Bytes[0]"},
    {"Ship.Bytes[1]", "Ship.LoadFirst"},
    {"Ship.Bytes[2]", "Ship.LoadSecond"},
    {"Ship.Bytes[3]", "Ship.Bytes[3]"},
    {"Ship.Words2[0]", "Ship.Words2[0]"},
    {"Ship.Words2[1]", "Ship.Supplies"},

    {"CarrierAir.Key", "CarrierAir.Carrier"},
    {"CarrierAir.Slots[0][*]", "CarrierAir.SlotAircraft[*]"},
    {"CarrierAir.Slots[1][*]", "CarrierAir.SlotCountFirst[*]"},
    {"CarrierAir.Slots[2][*]", "CarrierAir.SlotCountSecond[*]"},
};
// clang-format on

constexpr QChar kOpen = u'#';

// A path's text outside its brackets, each bracket pair kept empty ("Ship[].Words[]"), and what
// the brackets hold; nothing when the brackets do not pair up.
struct Split {
    QString key;
    QVarLengthArray<QStringView, 6> brackets;
};

std::optional<Split> split(QStringView text) {
    Split result;
    int depth = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'[') {
            if (depth++ == 0) {
                result.key += u"[]";
                start = i + 1;
            }
        } else if (c == u']') {
            if (depth == 0) {
                return std::nullopt;
            }
            if (--depth == 0) {
                result.brackets.append(text.sliced(start, i - start));
            }
        } else if (depth == 0) {
            result.key += c;
        }
    }
    return depth == 0 ? std::optional(std::move(result)) : std::nullopt;
}

struct Template {
    const Description* field = nullptr;
    bool named = false;
    QString text;                   // with "#" in each open bracket
    QVarLengthArray<int, 6> fixed;  // per bracket: the index, or -1 where it is open
};

QString templateText(const Description& d, const QString& pattern) {
    QString text = pattern;
    text.replace(QStringLiteral("[*]"), QStringLiteral("[#]"));
    const int records = RecordIndexCount(d);
    if (records > 0) {
        const qsizetype dot = text.indexOf(u'.');
        text.insert(dot, QStringLiteral("[#]").repeated(records));
    }
    return text;
}

Template makeTemplate(const Description& d, bool named) {
    Template t{&d, named, templateText(d, named ? NamePattern(d) : QString::fromLatin1(d.pattern)), {}};
    // Held here: a range-for over a member of the returned optional would outlive it.
    const std::optional<Split> parts = split(t.text);
    for (const QStringView bracket : parts->brackets) {
        t.fixed.append(bracket == QStringView(u"#") ? -1 : bracket.toInt());
    }
    return t;
}

const QHash<QString, std::vector<Template>>& templates() {
    static const auto table = [] {
        QHash<QString, std::vector<Template>> result;
        for (const Description& d : Descriptions()) {
            for (const bool named : {false, true}) {
                Template t = makeTemplate(d, named);
                if (named && t.text == makeTemplate(d, false).text) {
                    continue;  // a field whose name is its path
                }
                result[split(t.text)->key].push_back(std::move(t));
            }
        }
        return result;
    }();
    return table;
}

bool isIndex(QStringView text, int& value) {
    if (text.isEmpty() || text.size() > 9) {
        return false;
    }
    value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9') {
            return false;
        }
        value = value * 10 + (c.unicode() - u'0');
    }
    return true;
}

}  // namespace

QString NamePattern(const Description& description) {
    static const auto byPattern = [] {
        QHash<const Description*, QString> result;
        for (const Description& d : Descriptions()) {
            for (const Name& n : kNames) {
                if (qstrcmp(n.pattern, d.pattern) == 0) {
                    result.insert(&d, QString::fromLatin1(n.name));
                }
            }
        }
        return result;
    }();
    // A field without a name keeps its pattern: a test makes sure every field has one.
    return byPattern.value(&description, QString::fromLatin1(description.pattern));
}

int RecordIndexCount(const Description& description) {
    const QString pattern = QString::fromLatin1(description.pattern);
    const qsizetype dot = pattern.indexOf(u'.');
    if (dot < 0 || !IsRecordTable(pattern.left(dot))) {
        return 0;
    }
    return pattern.startsWith(u"ScienceWeapon.") ? 2 : 1;
}

std::vector<PathMatch> MatchPath(QStringView text, const std::function<bool(QStringView, int)>& fits) {
    std::vector<PathMatch> matches;
    const std::optional<Split> parts = split(text);
    if (!parts) {
        return matches;
    }
    const auto found = templates().constFind(parts->key);
    if (found == templates().constEnd()) {
        return matches;
    }
    for (const Template& t : *found) {
        PathMatch match{t.field, t.named, {}};
        bool fitsAll = true;
        for (qsizetype i = 0; i < t.fixed.size() && fitsAll; ++i) {
            if (t.fixed[i] < 0) {
                match.open.append(parts->brackets[i]);
            } else {
                fitsAll = fits(parts->brackets[i], t.fixed[i]);
            }
        }
        if (fitsAll) {
            matches.push_back(std::move(match));
        }
    }
    return matches;
}

namespace {

// Both templates of every description, made once: every field printed goes through them.
const QString& templateOf(const Description& description, bool named) {
    static const auto table = [] {
        QHash<const Description*, std::pair<QString, QString>> result;
        for (const Description& d : Descriptions()) {
            result.insert(&d,
                          {templateText(d, QString::fromLatin1(d.pattern)), templateText(d, NamePattern(d))});
        }
        return result;
    }();
    const std::pair<QString, QString>& both = *table.constFind(&description);
    return named ? both.second : both.first;
}

}  // namespace

QString PathWith(const Description& description, bool named, const QList<QString>& open) {
    QString text;
    const QString& t = templateOf(description, named);
    qsizetype next = 0;
    for (const QChar c : t) {
        if (c == kOpen && next < open.size()) {
            text += open[next++];
        } else {
            text += c;
        }
    }
    return text;
}

}  // namespace fields

namespace {

QString printed(const FieldId& id, bool named) {
    QList<QString> open;
    for (int i = 0; i < id.count; ++i) {
        open.append(QString::number(id.indices[static_cast<std::size_t>(i)]));
    }
    return fields::PathWith(*id.field, named, open);
}

}  // namespace

QString FieldId::path() const {
    return printed(*this, false);
}

QString FieldId::name() const {
    return printed(*this, true);
}

std::optional<FieldId> ParseFieldId(QStringView text) {
    auto exactly = [](QStringView content, int index) {
        int value = 0;
        return fields::isIndex(content, value) && value == index;
    };
    for (const fields::PathMatch& match : fields::MatchPath(text, exactly)) {
        FieldId id{match.field, {}, static_cast<int>(match.open.size())};
        bool indices = id.count <= FieldId::kMaxIndices;
        for (int i = 0; i < id.count && indices; ++i) {
            indices = fields::isIndex(match.open[i], id.indices[static_cast<std::size_t>(i)]);
        }
        if (indices) {
            return id;
        }
    }
    return std::nullopt;
}

}  // namespace korven
