#include "editors/ShipForm.h"

#include "editors/EditDialog.h"
#include "editors/EditorTexts.h"
#include "platform/ControlAccess.h"

using namespace Qt::StringLiterals;

namespace korven::ship {
namespace {

using Kind = FormCell::Kind;

// Widths are in half-width characters.
constexpr int kNumber = 6;

// A number box; class values are highlighted, a ship's own are not.
FormCell numberBox(const QString& name, int row, int column, bool editable, bool highlighted,
                   const QString& spoken = {}) {
    return {.name = name,
            .row = row,
            .column = column,
            .spoken = spoken,
            .rightAligned = true,
            .shownOnly = !editable,
            .characters = kNumber,
            .highlighted = highlighted};
}

FormCell caption(const QString& name, int row, int column, const QString& text, const QString& buddy) {
    return {.kind = Kind::Caption, .name = name, .row = row, .column = column, .text = text, .buddy = buddy};
}

// A shown-only text box of `characters`.
FormCell textBox(const QString& name, int row, int column, int characters, bool highlighted = false) {
    return {.name = name,
            .row = row,
            .column = column,
            .shownOnly = true,
            .characters = characters,
            .highlighted = highlighted};
}

// A column heading centred over its boxes.
FormCell heading(const QString& name, int column, int span, const QString& text, bool highlighted) {
    return {.kind = Kind::Unit,
            .name = name,
            .column = column,
            .columnSpan = span,
            .text = text,
            .highlighted = highlighted,
            .alignment = Qt::AlignCenter};
}

QString classColumn(const QString& row) {
    return rowAndColumnName(row, texts::ship::shipClass());
}

QString shipColumn(const QString& row) {
    return rowAndColumnName(row, texts::ship::current());
}

}  // namespace

std::vector<FormCell> headerCells() {
    namespace t = texts::ship;
    FormCell syozoku = textBox(u"txtSyozoku"_s, 1, 1, 18);
    syozoku.columnSpan = 3;
    syozoku.alignment = Qt::AlignLeft;
    return {
        {.kind = Kind::Title,
         .name = u"txtKanmei"_s,
         .columnSpan = 4,
         .spoken = t::shipName(),
         .shownOnly = true,
         .characters = 24},
        caption(u"Label3"_s, 1, 0, t::affiliation(), u"txtSyozoku"_s),
        syozoku,
        caption({}, 2, 0, texts::edit::nationality(), u"txtKokuseki"_s),
        textBox(u"txtKokuseki"_s, 2, 1, 10, true),
        caption({}, 2, 2, t::shipType(), u"txtKansyu"_s),
        textBox(u"txtKansyu"_s, 2, 3, 12, true),
        caption({}, 3, 0, t::shipClass(), u"txtKankei"_s),
        textBox(u"txtKankei"_s, 3, 1, 14, true),
        caption({}, 3, 2, t::hull(), u"txtSentai"_s),
        textBox(u"txtSentai"_s, 3, 3, 14, true),
    };
}

std::vector<FormCell> performanceCells() {
    namespace t = texts::ship;
    const QString fuel = texts::edit::fuel();
    FormCell speedNote = textBox(u"txtSokuryoku_2"_s, 3, 3, 10);
    speedNote.spoken = t::speed();
    speedNote.alignment = Qt::AlignLeft;
    FormCell range = textBox(u"txtZankouzoku"_s, 6, 2, 8);
    range.rightAligned = true;
    FormCell carries = textBox(u"txtTousaisyu"_s, 7, 3, 10, true);
    carries.spoken = t::carriage();
    carries.alignment = Qt::AlignLeft;
    // Tab visits the rows in turn, the class value before the ship's own.
    return {
        heading(u"lblKankeiColumn"_s, 1, 1, t::shipClass(), true),
        heading(u"lblKokanColumn"_s, 2, 1, t::current(), false),
        caption({}, 1, 0, t::upperSteps(), u"txtStep_0"_s),
        numberBox(u"txtStep_0"_s, 1, 1, true, true, classColumn(t::upperSteps())),
        caption({}, 2, 0, t::lowerSteps(), u"txtStep_1"_s),
        numberBox(u"txtStep_1"_s, 2, 1, false, true, classColumn(t::lowerSteps())),
        caption({}, 3, 0, t::speed(), u"txtSokuryoku_0"_s),
        numberBox(u"txtSokuryoku_0"_s, 3, 1, true, true, classColumn(t::speed())),
        numberBox(u"txtSokuryoku_1"_s, 3, 2, false, false, shipColumn(t::speed())),
        speedNote,
        caption({}, 4, 0, fuel, u"txtNenryou_0"_s),
        numberBox(u"txtNenryou_0"_s, 4, 1, true, true, classColumn(fuel)),
        numberBox(u"txtNenryou_1"_s, 4, 2, true, false, shipColumn(fuel)),
        caption({}, 5, 0, t::consumption(), u"txtNenpi"_s),
        numberBox(u"txtNenpi"_s, 5, 1, true, true),
        caption(u"lblZankouzoku"_s, 6, 0, t::range(), u"txtZankouzoku"_s),
        range,
        caption({}, 7, 0, t::carriage(), u"txtTousai_0"_s),
        numberBox(u"txtTousai_0"_s, 7, 1, true, true, classColumn(t::carriage())),
        numberBox(u"txtTousai_1"_s, 7, 2, false, false, shipColumn(t::carriage())),
        carries,
        {.kind = Kind::Button, .name = u"CmdTousai"_s, .text = t::carriage(), .beside = true},
        caption({}, 8, 0, t::sideArmour(), u"txtSoukou_0"_s),
        numberBox(u"txtSoukou_0"_s, 8, 1, true, true),
        caption({}, 9, 0, t::deckArmour(), u"txtSoukou_1"_s),
        numberBox(u"txtSoukou_1"_s, 9, 1, true, true),
        caption({}, 10, 0, t::diveDepth(), u"txtSenkou"_s),
        textBox(u"txtSenkou"_s, 10, 1, kNumber, true),
    };
}

std::vector<FormCell> damageCells() {
    namespace t = texts::ship;
    std::vector<FormCell> cells;
    const QString steps[] = {t::upperSteps(), t::lowerSteps()};
    for (int j = 0; j < 2; ++j) {
        const QString box = indexedName("txtStep", static_cast<std::size_t>(j + 2));
        cells.push_back(caption(indexedName("lblStep", static_cast<std::size_t>(j)), j, 0, steps[j], box));
        cells.push_back(numberBox(box, j, 1, true, false, shipColumn(steps[j])));
        cells.push_back({.kind = Kind::Slider,
                         .name = indexedName("SliderStep", static_cast<std::size_t>(j)),
                         .row = j,
                         .column = 2,
                         .spoken = shipColumn(steps[j]),
                         .minimumWidth = 140});
    }
    int row = 2;
    auto shown = [&](const QString& label, const QString& text, const QString& name) {
        cells.push_back(caption(label, row, 0, text, name));
        FormCell box = textBox(name, row, 1, 8);
        box.columnSpan = 2;
        box.alignment = Qt::AlignLeft;
        cells.push_back(box);
        ++row;
    };
    shown(u"lblSongai"_s, t::damageState(), u"txtSongai"_s);
    shown(u"lblHattyaku"_s, texts::edit::launching(), u"txtHattyaku"_s);
    shown(u"lblJoutai"_s, t::state(), u"txtJoutai"_s);
    return cells;
}

std::vector<FormCell> weaponCells() {
    namespace t = texts::ship;
    std::vector<FormCell> cells = {
        heading(u"lblBusouKankei"_s, 2, 2, t::shipClass(), true),
        heading(u"lblBusouKokan"_s, 4, 2, t::current(), false),
        caption({}, 1, 2, t::guns(), {}),
        caption({}, 1, 3, t::firings(), {}),
        caption(u"lblBusouMonKokan"_s, 1, 4, t::guns(), {}),
        caption(u"lblBusouKaiKokan"_s, 1, 5, t::firings(), {}),
    };
    const QStringList mounts = t::mounts();
    for (std::size_t m = 0; m < 4; ++m) {
        const int row = static_cast<int>(m) + 2;
        const QString& mount = mounts[static_cast<qsizetype>(m)];
        auto spoken = [&](const QString& what, bool own) {
            return mount + u' ' + (own ? shipColumn(what) : classColumn(what));
        };
        const QString combo = indexedName("cbBusouSyu", m);
        cells.push_back(caption({}, row, 0, mount, combo));
        cells.push_back({.kind = Kind::List,
                         .name = combo,
                         .row = row,
                         .column = 1,
                         .characters = 7,
                         .highlighted = true});
        cells.push_back(
            numberBox(indexedName("txtBusouMon", m), row, 2, true, true, spoken(t::guns(), false)));
        cells.push_back(
            numberBox(indexedName("txtBusouKai", m), row, 3, true, true, spoken(t::firings(), false)));
        cells.push_back(
            numberBox(indexedName("txtBusouMon", m + 4), row, 4, false, false, spoken(t::guns(), true)));
        cells.push_back(
            numberBox(indexedName("txtBusouKai", m + 4), row, 5, true, false, spoken(t::firings(), true)));
    }
    return cells;
}

QStringList shipOnlyControls() {
    QStringList names = {
        u"Label3"_s,         u"txtSyozoku"_s,     u"lblKankeiHelp"_s,    u"lblKankeiColumn"_s,
        u"lblKokanColumn"_s, u"txtSokuryoku_1"_s, u"txtSokuryoku_2"_s,   u"txtNenryou_1"_s,
        u"lblZankouzoku"_s,  u"txtZankouzoku"_s,  u"txtTousai_1"_s,      u"fraSongai"_s,
        u"lblStep_0"_s,      u"txtStep_2"_s,      u"SliderStep_0"_s,     u"lblStep_1"_s,
        u"txtStep_3"_s,      u"SliderStep_1"_s,   u"lblSongai"_s,        u"txtSongai"_s,
        u"lblHattyaku"_s,    u"txtHattyaku"_s,    u"lblJoutai"_s,        u"txtJoutai"_s,
        u"lblBusouKankei"_s, u"lblBusouKokan"_s,  u"lblBusouMonKokan"_s, u"lblBusouKaiKokan"_s};
    for (std::size_t m = 4; m < 8; ++m) {
        names << indexedName("txtBusouMon", m) << indexedName("txtBusouKai", m);
    }
    return names;
}

}  // namespace korven::ship
