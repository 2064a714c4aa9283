#include "mainwindow/RecordRows.h"

#include "catalogue/AircraftDevelopmentOrder.h"
#include "catalogue/MaxStepTable.h"
#include "catalogue/ReferenceTables.h"
#include "catalogue/ScienceWeapons.h"
#include "catalogue/ShipTypeGroups.h"
#include "mainwindow/MainWindowTexts.h"
#include "model/RecordFields.h"

namespace korven::mainwindow {
namespace {

using catalogue::NameTable;

QString number(qint64 value) {
    return QString::number(value);
}

// A code's label, or the bare number when the table has none.
QString labelOrNumber(NameTable table, int code) {
    return catalogue::labelOr(table, code, number(code));
}

const ShipClassRecord* classAt(const SaveFile& file, int classNumber) {
    if (classNumber < 0 || classNumber >= SaveFile::kShipClasses) {
        return nullptr;
    }
    return &file.ShipClass[static_cast<std::size_t>(classNumber)];
}

// A step count of the (editable) step table; empty for an index past it.
QString steps(int stepIndex) {
    const std::optional<int16_t> value = catalogue::MaxStepTable().at(stepIndex);
    return value ? number(*value) : QString();
}

// An empty class slot has a name whose first byte is NUL.
bool classInUse(const ShipClassRecord& record) {
    return record.Name.isEdited() || record.Name.originalBytes().at(0) != '\0';
}

QString numbered(const QString& prefix, int value) {
    return prefix + number(value) + texts::shipNameGou();
}

QString halfTurns(int16_t value) {
    return QString::number(value / 2.0, 'f', 1);
}

void addShipClasses(const SaveFile& file, const NodeList& list, std::vector<RecordRow>& rows) {
    for (int n = 0; n < SaveFile::kShipClasses; ++n) {
        const ShipClassRecord& c = file.ShipClass[static_cast<std::size_t>(n)];
        if (!classInUse(c) || (c.Kind[ShipClassKind::Nation] == 0) != list.japanese ||
            ListingGroupOfClass(file, n) != list.number) {
            continue;
        }
        rows.push_back(RecordRow{RecordKey{RecordKind::ShipClass, n},
                                 c.Name.text(),
                                 {labelOrNumber(catalogue::ShipTypeNames(), c.Kind[ShipClassKind::Type]),
                                  number(c.Perf[ShipClassPerf::UpperSteps]), steps(c.StepIndex),
                                  number(c.Perf[ShipClassPerf::Speed]), number(c.Perf[ShipClassPerf::Fuel]),
                                  number(c.AircraftCapacity)}});
    }
}

void addShips(const SaveFile& file, const NodeList& list, std::vector<RecordRow>& rows) {
    const int first = list.japanese ? 0 : SaveFile::kJapaneseShips;
    const int last = list.japanese ? SaveFile::kJapaneseShips - 1 : SaveFile::kShips - 1;
    for (int n = first; n <= last; ++n) {
        const ShipRecord& ship = file.Ship[static_cast<std::size_t>(n)];
        if (ship.Words[ShipWord::NameNumber] == -1 ||
            ListingGroupOfClass(file, ship.Words[ShipWord::ClassNumber]) != list.number) {
            continue;
        }
        RecordRow row{RecordKey{RecordKind::Ship, n},
                      IndividualShipName(ship.Words[ShipWord::NameNumber], list.japanese),
                      {}};
        const ShipClassRecord* c = classAt(file, ship.Words[ShipWord::ClassNumber]);
        auto pair = [](const QString& classValue, int16_t own) { return classValue + u':' + number(own); };
        if (c != nullptr) {
            row.subItems = {
                c->Name.text(),
                labelOrNumber(catalogue::ShipTypeNames(), c->Kind[ShipClassKind::Type]),
                pair(number(c->Perf[ShipClassPerf::UpperSteps]), ship.Words[ShipWord::UpperSteps]),
                pair(steps(c->StepIndex), ship.Words[ShipWord::LowerSteps]),
                number(c->Perf[ShipClassPerf::Speed]),
                pair(number(c->Perf[ShipClassPerf::Fuel]), ship.Words[ShipWord::CurrentFuel]),
                number(c->AircraftCapacity)};
        } else {
            row.subItems = {QString(),
                            QString(),
                            pair(QString(), ship.Words[ShipWord::UpperSteps]),
                            pair(QString(), ship.Words[ShipWord::LowerSteps]),
                            QString(),
                            pair(QString(), ship.Words[ShipWord::CurrentFuel]),
                            QString()};
        }
        rows.push_back(std::move(row));
    }
}

void addAircraft(const SaveFile& file, const NodeList& list, std::vector<RecordRow>& rows) {
    for (int n = 0; n < SaveFile::kWrittenAircraftTypes; ++n) {
        const AircraftTypeRecord& a = file.AircraftType[static_cast<std::size_t>(n)];
        if ((a.Kind[AircraftKind::Nation] <= 1) != list.japanese ||
            a.Kind[AircraftKind::Model] != list.number) {
            continue;
        }
        const catalogue::DevelopmentIndex development = catalogue::AirToKaihatsu(static_cast<int16_t>(n));
        const bool known = development.index >= 0 && development.index < SaveFile::kAircraftTypes;
        rows.push_back(RecordRow{
            RecordKey{RecordKind::AircraftType, n},
            a.Name.text(),
            {a.ShortName.text(),
             labelOrNumber(catalogue::AircraftNationNames(), a.Kind[AircraftKind::Nation]),
             known ? number(file.AirDevelopment[static_cast<std::size_t>(development.index)]) : QString()}});
    }
}

QString optionalLabel(NameTable table, int16_t code) {
    return code == 255 ? QString() : labelOrNumber(table, code);
}

void addBases(const SaveFile& file, const NodeList& list, std::vector<RecordRow>& rows) {
    for (int n = 0; n <= file.LastBaseIndex && n < SaveFile::kBases; ++n) {
        const BaseRecord& b = file.Base[static_cast<std::size_t>(n)];
        if (b.Region != list.number) {
            continue;
        }
        rows.push_back(RecordRow{RecordKey{RecordKind::Base, n},
                                 ToFullWidth(b.Name.text()),
                                 {labelOrNumber(catalogue::SideNames(), b.Owner),
                                  labelOrNumber(catalogue::TerrainNames(), b.Terrain),
                                  labelOrNumber(catalogue::SettlementSizeNames(), b.Size),
                                  optionalLabel(catalogue::ResourceNames(), b.Resource[BaseResource::Kind]),
                                  optionalLabel(catalogue::FactoryNames(), b.Factory[BaseFactory::Kind]),
                                  labelOrNumber(catalogue::AnchorageNames(), b.Anchorage)}});
    }
}

void addScienceWeapons(const SaveFile& file, const NodeList& list, std::vector<RecordRow>& rows) {
    const int a = list.number;
    if (a < 0 || a >= catalogue::kScienceWeaponLines) {
        return;
    }
    for (int b = 0; b < catalogue::kScienceWeaponSteps; ++b) {
        const ScienceWeaponEntry& entry =
            file.ScienceWeapon[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)];
        const catalogue::ScienceWeaponText text =
            catalogue::ScienceWeaponTextOf(a, b).value_or(catalogue::ScienceWeaponText{});
        rows.push_back(RecordRow{RecordKey{RecordKind::ScienceWeapon, a, b},
                                 text.name,
                                 {text.effect, halfTurns(entry.Need), halfTurns(entry.Leave)}});
    }
}

void addAircrewSkill(const SaveFile& file, std::vector<RecordRow>& rows) {
    for (int n = 0; n < static_cast<int>(file.AircrewSkill.size()); ++n) {
        const auto& skill = file.AircrewSkill[static_cast<std::size_t>(n)];
        rows.push_back(RecordRow{RecordKey{RecordKind::AircrewSkill, n},
                                 labelOrNumber(catalogue::AircrewNationNames(), n),
                                 {number(skill[0]), number(skill[1])}});
    }
}

}  // namespace

int ListingGroupOfClass(const SaveFile& file, int classNumber) {
    const ShipClassRecord* c = classAt(file, classNumber);
    return c == nullptr ? 0 : catalogue::ShipGroupOf(c->Kind[ShipClassKind::Type]).value_or(0);
}

QString IndividualShipName(int w, bool japaneseSide) {
    if (w >= 15000) {
        return number(w);
    }
    if (w >= 14000) {
        return numbered(texts::shipNameRo(), w - 14000);
    }
    if (w >= 13000) {
        return numbered(texts::shipNameI(), w - 13000);
    }
    if (w >= 12000) {
        return numbered(texts::shipNameKaibou(), w - 12000);
    }
    if (w >= 11000) {
        return numbered(texts::shipNameRenshou(), w - 11000);
    }
    if (w >= 10000) {
        return numbered(texts::shipNameNisshou(), w - 10000);
    }
    if (w < 0) {
        return number(w);
    }
    if (japaneseSide) {
        const QString name = catalogue::labelOr(catalogue::ShipNames(), w);
        return name.isEmpty() ? number(w) : name;
    }
    return texts::shipNameAlliedPrefix() + QStringLiteral("%1").arg(w, 4, 10, QChar(u'0'));
}

QString ToFullWidth(const QString& text) {
    // Full-width forms of U+FF61..U+FF9F (half-width punctuation and katakana).
    static constexpr char16_t kKana[] = {
        u'。', u'「', u'」', u'、', u'・', u'ヲ', u'ァ', u'ィ', u'ゥ', u'ェ', u'ォ', u'ャ', u'ュ',
        u'ョ', u'ッ', u'ー', u'ア', u'イ', u'ウ', u'エ', u'オ', u'カ', u'キ', u'ク', u'ケ', u'コ',
        u'サ', u'シ', u'ス', u'セ', u'ソ', u'タ', u'チ', u'ツ', u'テ', u'ト', u'ナ', u'ニ', u'ヌ',
        u'ネ', u'ノ', u'ハ', u'ヒ', u'フ', u'ヘ', u'ホ', u'マ', u'ミ', u'ム', u'メ', u'モ', u'ヤ',
        u'ユ', u'ヨ', u'ラ', u'リ', u'ル', u'レ', u'ロ', u'ワ', u'ン', u'゛', u'゜'};
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c == u' ') {
            result.append(QChar(u'\u3000'));
        } else if (c > u' ' && c < 0x7F) {
            result.append(QChar(static_cast<char16_t>(c - 0x21 + 0xFF01)));
        } else if (c >= 0xFF61 && c <= 0xFF9F) {
            char16_t wide = kKana[c - 0xFF61];
            const char16_t mark = i + 1 < text.size() ? text.at(i + 1).unicode() : 0;
            const bool voicable = (wide >= u'カ' && wide <= u'ト') || (wide >= u'ハ' && wide <= u'ホ');
            const bool halfVoicable = wide >= u'ハ' && wide <= u'ホ';
            // The syllables that take a mark are followed by their voiced forms in the block.
            if (mark == 0xFF9E && wide == u'ウ') {
                wide = u'ヴ';
                ++i;
            } else if (mark == 0xFF9E && voicable && wide != u'ッ') {
                wide = static_cast<char16_t>(wide + 1);
                ++i;
            } else if (mark == 0xFF9F && halfVoicable) {
                wide = static_cast<char16_t>(wide + 2);
                ++i;
            }
            result.append(QChar(wide));
        } else {
            result.append(text.at(i));
        }
    }
    return result;
}

std::vector<RecordRow> BuildRows(const SaveFile& file, const NodeList& list) {
    std::vector<RecordRow> rows;
    switch (list.kind) {
        case ListKind::Kankei:
            addShipClasses(file, list, rows);
            break;
        case ListKind::Kokan:
            addShips(file, list, rows);
            break;
        case ListKind::Air:
            addAircraft(file, list, rows);
            break;
        case ListKind::Base:
            addBases(file, list, rows);
            break;
        case ListKind::Kagaku:
            addScienceWeapons(file, list, rows);
            break;
        case ListKind::ToujouRen:
            addAircrewSkill(file, rows);
            break;
        case ListKind::Clear:
            break;
    }
    return rows;
}

}  // namespace korven::mainwindow
