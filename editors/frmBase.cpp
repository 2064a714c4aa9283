#include "editors/frmBase.h"

#include "catalogue/ReferenceTables.h"
#include "editors/BaseSlots.h"
#include "editors/EditRules.h"
#include "editors/EditorTexts.h"
#include "editors/FieldForm.h"
#include "editors/ModuleMain.h"
#include "model/FieldLimits.h"
#include "model/RecordFields.h"
#include "platform/ControlAccess.h"
#include "platform/ProgramInfo.h"
#include "platform/UiServices.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>
#include <utility>

using namespace Qt::StringLiterals;

namespace korven {
namespace {

using catalogue::NameTable;

constexpr std::size_t kMaterials = std::tuple_size_v<decltype(BaseRecord::Stockpile)>;
constexpr std::size_t kUnitKinds = std::tuple_size_v<decltype(BaseRecord::Units)>;

// Filling a list selects its first item; that is no selection to handle.
void addTable(QComboBox* combo, NameTable table) {
    const QSignalBlocker blocker(combo);
    for (const QString& text : table) {
        combo->addItem(text);
    }
}

const QString& noneItem() {
    static const QString none = texts::edit::none();
    return none;
}

const QStringList& unitNames() {
    static const QStringList names = texts::base::unitKinds();
    return names;
}

std::vector<FormCell> fieldCells() {
    using Kind = FormCell::Kind;
    struct Field {
        const char* label;
        QString text;
        Kind kind;
        const char* control;
        int length = 0;  // a number box: the characters that may be typed
        bool shownOnly = false;
    };
    // Four columns of fields, each field a label beside its control.
    const std::vector<std::vector<Field>> columns = {
        {{"lblRyouyu", texts::base::owner(), Kind::List, "cbRyouyu", 0, true},
         {"lblChiiki", texts::base::region(), Kind::List, "cbChiiki", 0, true},
         {"lblChikei", texts::base::terrain(), Kind::List, "cbChikei"},
         {"lblKibo", texts::base::settlementSize(), Kind::List, "cbKibo"}},
        {{"lblShigenSyu", texts::base::resourceKind(), Kind::List, "cbShigen"},
         {"lblShigen", texts::base::resourceAmount(), Kind::Box, "txtShigen", 8},
         {"lblKoujouSyu", texts::base::factoryKind(), Kind::List, "cbKoujou"},
         {"lblKoujou", texts::base::factoryOutput(), Kind::Box, "txtKoujou", 4}},
        {{"lblHikoujou", texts::base::airfield(), Kind::Box, "txtHikoujou", 4},
         {"lblJinchi", texts::base::fortification(), Kind::Box, "txtJinchi", 4},
         {"lblChian", texts::base::publicOrder(), Kind::Box, "txtChian", 3}},
        {{"lblNinmu", texts::base::task(), Kind::List, "cbNinmu", 0, true},
         {"lblShoukai", texts::base::patrol(), Kind::Box, "txtShoukai", 0, true},
         {"lblHakuchi", texts::base::anchorage(), Kind::List, "cbHakuchi"},
         {"lblTenkou", texts::base::weather(), Kind::List, "cbTenkou", 0, true}},
    };
    std::vector<FormCell> cells;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const int column = static_cast<int>(2 * c);
        for (std::size_t r = 0; r < columns[c].size(); ++r) {
            const Field& f = columns[c][r];
            const int row = static_cast<int>(r);
            cells.push_back({.kind = Kind::Caption,
                             .name = QString::fromLatin1(f.label),
                             .row = row,
                             .column = column,
                             .text = f.text,
                             .buddy = QString::fromLatin1(f.control)});
            const bool number = f.length > 0;
            cells.push_back({.kind = f.kind,
                             .name = QString::fromLatin1(f.control),
                             .row = row,
                             .column = column + 1,
                             .rightAligned = number,
                             .shownOnly = f.shownOnly,
                             .alignment = number ? Qt::AlignLeft : Qt::Alignment(),
                             .maxLength = f.length});
        }
    }
    return cells;
}

// The stocks, the land units and the aircraft slots share one grid, so that their heading rows
// and entries line up. A box of the first two is named by its row and column.
std::vector<FormCell> tableCells() {
    using Kind = FormCell::Kind;
    std::vector<FormCell> cells;
    auto heading = [&cells](const QString& name, const QString& text, int column, int span) {
        cells.push_back(
            {.kind = Kind::Heading, .name = name, .column = column, .columnSpan = span, .text = text});
    };
    heading(u"lblBusshi"_s, texts::base::materials(), 0, 1);
    heading(u"lblZaiko"_s, texts::base::stock(), 1, 2);
    heading(u"lblRikujou"_s, texts::base::landUnits(), 4, 1);
    heading(u"lblButaisu"_s, texts::base::unitCount(), 5, 2);
    heading(u"lblKisyu"_s, texts::edit::aircraftKind(), 8, 1);
    heading(u"lblKoukukiMei"_s, texts::base::aircraftName(), 9, 1);
    heading(u"lblKisu"_s, texts::base::aircraftCount(), 10, 2);
    auto pairRows = [&cells](const QStringList& rows, const char* label, const char* box, int column,
                             const QString& columnName, int length) {
        for (qsizetype r = 0; r < rows.size(); ++r) {
            const auto entry = static_cast<std::size_t>(r);
            const int row = static_cast<int>(r) + 1;
            cells.push_back({.kind = Kind::Caption,
                             .name = indexedName(label, entry),
                             .row = row,
                             .column = column,
                             .text = rows[r],
                             .buddy = indexedName(box, 2 * entry)});
            for (std::size_t part = 0; part < 2; ++part) {
                cells.push_back({.name = indexedName(box, 2 * entry + part),
                                 .row = row,
                                 .column = column + 1 + static_cast<int>(part),
                                 .spoken = rowAndColumnName(rows[r], columnName + QString::number(part + 1)),
                                 .rightAligned = true,
                                 .maxLength = length});
            }
        }
    };
    QStringList materials;
    for (const QString& name : catalogue::MaterialNames()) {
        materials << name;
    }
    pairRows(materials, "lblBusshi", "txtBichiku", 0, texts::base::stock(), 8);
    pairRows(unitNames(), "lblButai", "txtButai", 4, texts::base::unitCount(), 4);
    for (std::size_t k = 0; k < base::kSlots; ++k) {
        const int row = static_cast<int>(k) + 1;
        const QString slot = texts::base::slot(row);
        cells.push_back({.kind = Kind::List,
                         .name = indexedName("cbKisyu", k),
                         .row = row,
                         .column = 8,
                         .spoken = rowAndColumnName(texts::edit::aircraftKind(), slot)});
        cells.push_back({.kind = Kind::List,
                         .name = indexedName("cbKoukuki", k),
                         .row = row,
                         .column = 9,
                         .spoken = rowAndColumnName(texts::base::aircraftName(), slot),
                         .characters = 9});
        for (std::size_t c = 0; c < 2; ++c) {
            cells.push_back(
                {.name = indexedName("txtKoukuki", 2 * k + c),
                 .row = row,
                 .column = 10 + static_cast<int>(c),
                 .spoken = rowAndColumnName(texts::base::aircraftCount() + QString::number(c + 1), slot),
                 .rightAligned = true,
                 .maxLength = 4});
        }
    }
    return cells;
}

}  // namespace

frmBase::frmBase(EditSession& session, QWidget* parent) : EditDialog(session, parent) {
    setObjectName(QStringLiteral("frmBase"));
    setWindowTitle(texts::base::caption());
    m_index = std::clamp<int>(session.selection.record, 0, SaveFile::kBases - 1);
    m_japaneseSide = base::isJapaneseSide(this->record().Owner);

    m_txtBasename = makeTitle();
    const FieldForm fields(*this, fieldCells(), kLabelMargin);
    const FieldForm tables(*this, tableCells(), kLabelMargin);
    m_cbRyouyu = fields.combo(u"cbRyouyu"_s);
    m_cbChiiki = fields.combo(u"cbChiiki"_s);
    m_cbChikei = fields.combo(u"cbChikei"_s);
    m_cbKibo = fields.combo(u"cbKibo"_s);
    m_cbShigen = fields.combo(u"cbShigen"_s);
    m_cbKoujou = fields.combo(u"cbKoujou"_s);
    m_cbNinmu = fields.combo(u"cbNinmu"_s);
    m_cbHakuchi = fields.combo(u"cbHakuchi"_s);
    m_cbTenkou = fields.combo(u"cbTenkou"_s);
    m_cbTenkou->addItem(texts::base::unsupported());
    m_txtShoukai = fields.box(u"txtShoukai"_s);
    m_txtShoukai->setText(texts::base::unsupported());
    for (std::size_t k = 0; k < base::kSlots; ++k) {
        m_cbKisyu[k] = tables.combo(indexedName("cbKisyu", k));
        m_cbKoukuki[k] = tables.combo(indexedName("cbKoukuki", k));
    }
    bindNumbers(fields, tables);
    connectLists();

    createStandardButtons();
    auto* title = new QHBoxLayout;
    title->addWidget(m_txtBasename, 1);
    addButtons(title, {QStringLiteral("CommandUndo"), QStringLiteral("CommandEnter"),
                       QStringLiteral("CommandCancel"), QStringLiteral("CommandApply")});
    fields.grid()->setHorizontalSpacing(6);
    for (int column = 1; column < 8; column += 2) {
        fields.grid()->setColumnMinimumWidth(column, 110);
    }
    tables.grid()->setHorizontalSpacing(4);
    tables.grid()->setVerticalSpacing(3);
    tables.grid()->setColumnMinimumWidth(3, 10);
    tables.grid()->setColumnMinimumWidth(7, 10);
    tables.grid()->setRowStretch(static_cast<int>(base::kSlots) + 1, 1);
    auto* root = new QVBoxLayout(this);
    root->addLayout(title);
    root->addSpacing(4);
    root->addLayout(fields.grid());
    root->addSpacing(8);
    root->addLayout(tables.grid());
    root->setSizeConstraint(QLayout::SetFixedSize);
    // Field by field down each column of fields, then the tables row by row, then the buttons
    // of the top row, so that the cycle starts in the first field.
    chainTabOrder(fields.tabOrder() + tables.tabOrder() +
                  QList<QWidget*>{undoButton(), enterButton(), cancelButton(), applyButton()});
    m_cbChikei->setFocus();

    ApplyLabelStyle(this, m_session.labelColours);
    keepDisabledBoxesLegible();
    addTable(m_cbRyouyu, catalogue::SideNames());
    addTable(m_cbChiiki, catalogue::RegionNames());
    addTable(m_cbChikei, catalogue::TerrainNames());
    addTable(m_cbKibo, catalogue::SettlementSizeNames());
    addTable(m_cbShigen, catalogue::ResourceNames());
    addTable(m_cbShigen, NameTable(&noneItem(), 1));
    addTable(m_cbKoujou, catalogue::FactoryNames());
    addTable(m_cbKoujou, NameTable(&noneItem(), 1));
    addTable(m_cbNinmu, catalogue::TaskNames());
    addTable(m_cbHakuchi, catalogue::AnchorageNames());
    for (QComboBox* category : m_cbKisyu) {
        addTable(category, catalogue::AircraftModelNames());
        addTable(category, NameTable(&noneItem(), 1));
    }
    LoadControls();
}

BaseRecord& frmBase::record() const {
    return m_session.file.Base[static_cast<std::size_t>(m_index)];
}

QLineEdit* frmBase::makeTitle() {
    QLineEdit* title = makeBox(QStringLiteral("txtBasename"));
    title->setEnabled(false);
    title->setAccessibleName(texts::base::baseName());
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setFrame(false);
    // A title, not a greyed-out box.
    QPalette titlePalette = title->palette();
    titlePalette.setColor(QPalette::Disabled, QPalette::Text,
                          titlePalette.color(QPalette::Active, QPalette::Text));
    titlePalette.setColor(QPalette::Disabled, QPalette::Base,
                          titlePalette.color(QPalette::Active, QPalette::Window));
    title->setPalette(titlePalette);
    title->setMinimumWidth(title->fontMetrics().horizontalAdvance(QStringLiteral("ＭＭＭＭＭＭ")) + 12);
    return title;
}

void frmBase::bindNumbers(const FieldForm& fields, const FieldForm& tables) {
    m_txtShigen = bindNumber(fields.box(u"txtShigen"_s), limits::kResourceAmount.maximum,
                             [](const BaseRecord& b) { return b.Resource[BaseResource::Amount]; });
    m_txtKoujou = bindNumber(fields.box(u"txtKoujou"_s), limits::kFactoryOutput.maximum,
                             [](const BaseRecord& b) { return b.Factory[BaseFactory::Output]; });
    m_txtHikoujou = bindNumber(fields.box(u"txtHikoujou"_s), limits::kAirfield.maximum,
                               [](const BaseRecord& b) { return b.Airfield; });
    m_txtJinchi = bindNumber(fields.box(u"txtJinchi"_s), limits::kFortification.maximum,
                             [](const BaseRecord& b) { return b.Fortification; });
    m_txtChian = bindNumber(fields.box(u"txtChian"_s), limits::kPublicOrder.maximum,
                            [](const BaseRecord& b) { return b.PublicOrder; });
    // Element 2n + part of a pair array shows part `part` of entry n.
    for (std::size_t n = 0; n < kMaterials; ++n) {
        for (const std::size_t part : {BasePart::First, BasePart::Second}) {
            m_txtBichiku[2 * n + part] =
                bindNumber(tables.box(indexedName("txtBichiku", 2 * n + part)), limits::kStockpile.maximum,
                           [n, part](const BaseRecord& b) { return b.Stockpile[n][part]; });
        }
    }
    for (std::size_t n = 0; n < kUnitKinds; ++n) {
        for (const std::size_t part : {BasePart::First, BasePart::Second}) {
            m_txtButai[2 * n + part] =
                bindNumber(tables.box(indexedName("txtButai", 2 * n + part)), limits::kUnitCount.maximum,
                           [n, part](const BaseRecord& b) { return b.Units[n][part]; });
        }
    }
    for (std::size_t k = 0; k < base::kSlots; ++k) {
        for (const std::size_t part : {BaseAirCount::First, BaseAirCount::Second}) {
            m_txtKoukuki[2 * k + part] = bindNumber(
                tables.box(indexedName("txtKoukuki", 2 * k + part)), limits::kBaseAircraftCount.maximum,
                [k, part](const BaseRecord& b) { return b.AirCount[part][k]; });
        }
    }
}

QLineEdit* frmBase::bindNumber(QLineEdit* box, qint64 maximum,
                               std::function<qint64(const BaseRecord&)> stored) {
    const int maxLength = box->maxLength();
    // A digit's width for each digit that may be typed, and one more.
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(u'0') * (maxLength + 1) + 14);
    const std::size_t index = m_numbers.size();
    m_numbers.push_back({box, maximum, maxLength, std::move(stored)});
    connect(box, &QLineEdit::textChanged, this, [this, index] {
        const NumberField& field = m_numbers[index];
        txtNumInput(field.box, field.maximum, 0);
        // A typed value is within the range, so it fits the length a long stored one widened.
        field.box->setMaxLength(field.maxLength);
        markChanged(field.box, field.stored(record()));
        MarkRange(field.box, {field.maximum, 0});
    });
    return box;
}

void frmBase::connectLists() {
    // The plain code lists: marked against the stored code's place in the list.
    auto codeList = [this](QComboBox* combo, std::function<qint64(const BaseRecord&)> stored) {
        m_comboHandlers.emplace_back(combo, [this, combo, stored] {
            markChanged(combo, qint64(base::listPosition(stored(this->record()), combo->count())));
        });
    };
    codeList(m_cbRyouyu, [](const BaseRecord& b) { return b.Owner; });
    codeList(m_cbChiiki, [](const BaseRecord& b) { return b.Region; });
    codeList(m_cbChikei, [](const BaseRecord& b) { return b.Terrain; });
    codeList(m_cbKibo, [](const BaseRecord& b) { return b.Size; });
    codeList(m_cbHakuchi, [](const BaseRecord& b) { return b.Anchorage; });
    auto kindList = [this](QComboBox* combo, std::function<qint64(const BaseRecord&)> stored) {
        m_comboHandlers.emplace_back(combo, [this, combo, stored] {
            markChanged(combo, qint64(base::kindPosition(stored(this->record()), combo->count() - 1)));
        });
    };
    kindList(m_cbShigen, [](const BaseRecord& b) { return b.Resource[BaseResource::Kind]; });
    kindList(m_cbKoujou, [](const BaseRecord& b) { return b.Factory[BaseFactory::Kind]; });
    for (int k = 0; k < base::kSlots; ++k) {
        m_comboHandlers.emplace_back(m_cbKisyu[k], [this, k] { categorySelected(k); });
        m_comboHandlers.emplace_back(m_cbKoukuki[k], [this, k] { nameSelected(k); });
    }
    for (const auto& [combo, handler] : m_comboHandlers) {
        connect(combo, &QComboBox::currentIndexChanged, this, handler);
    }
}

void frmBase::select(QComboBox* combo, int index) {
    {
        const QSignalBlocker blocker(combo);
        combo->setCurrentIndex(index);
    }
    for (const auto& [target, handler] : m_comboHandlers) {
        if (target == combo) {
            handler();
            return;
        }
    }
}

void frmBase::setNumber(const NumberField& field, qint64 value) {
    // The stored value is shown whole and as it is, even outside the range: only typing is
    // clamped, so an untouched box stores what it was loaded with.
    const QString text = QString::number(value);
    field.box->setMaxLength(std::max(field.maxLength, static_cast<int>(text.size())));
    {
        const QSignalBlocker blocker(field.box);
        field.box->setText(text);
    }
    markChanged(field.box, field.stored(record()));
    MarkRange(field.box, {field.maximum, 0});
}

void frmBase::LoadControls() {
    const QScopedValueRollback loading(m_loading, true);
    const BaseRecord& b = record();
    auto numberOf = [this](const QLineEdit* box) -> const NumberField& {
        return *std::find_if(m_numbers.begin(), m_numbers.end(),
                             [box](const NumberField& f) { return f.box == box; });
    };
    auto show = [&](const QLineEdit* box) { setNumber(numberOf(box), numberOf(box).stored(b)); };

    m_txtBasename->setText(b.Name.text());
    select(m_cbRyouyu, base::listPosition(b.Owner, m_cbRyouyu->count()));
    select(m_cbChiiki, base::listPosition(b.Region, m_cbChiiki->count()));
    select(m_cbChikei, base::listPosition(b.Terrain, m_cbChikei->count()));
    select(m_cbKibo, base::listPosition(b.Size, m_cbKibo->count()));
    select(m_cbShigen, base::kindPosition(b.Resource[BaseResource::Kind], m_cbShigen->count() - 1));
    show(m_txtShigen);
    select(m_cbKoujou, base::kindPosition(b.Factory[BaseFactory::Kind], m_cbKoujou->count() - 1));
    show(m_txtKoujou);
    show(m_txtHikoujou);
    show(m_txtJinchi);
    show(m_txtChian);
    {
        const QSignalBlocker blocker(m_cbNinmu);
        m_cbNinmu->setCurrentIndex(base::listPosition(b.Task, m_cbNinmu->count()));
    }
    select(m_cbHakuchi, base::listPosition(b.Anchorage, m_cbHakuchi->count()));
    m_cbTenkou->setCurrentIndex(0);
    for (QLineEdit* box : m_txtBichiku) {
        show(box);
    }
    for (QLineEdit* box : m_txtButai) {
        show(box);
    }
    for (int k = 0; k < base::kSlots; ++k) {
        select(m_cbKisyu[k], base::slotCategory(m_session.file, b.AirType[k]));
        buildNameList(k);
    }
    for (QLineEdit* box : m_txtKoukuki) {
        show(box);
    }
}

void frmBase::categorySelected(int slot) {
    QComboBox* category = m_cbKisyu[slot];
    const int selected = category->currentIndex();
    if (base::seaplaneRefused(selected, record().Anchorage)) {
        if (isVisible()) {
            warnSeaplaneWithoutAnchorage();
        } else {
            m_seaplaneWarningPending = true;
        }
        // A stored seaplane stays until the player picks something else: untouched is unchanged.
        if (!m_loading) {
            select(category, category->count() - 1);
            return;
        }
    }
    markChanged(category, qint64(base::slotCategory(m_session.file, record().AirType[slot])));
    const QString remembered = category->property(kTagProperty).toString();
    if (!remembered.isEmpty() && remembered.toInt() != selected) {
        buildNameList(slot);
    }
    category->setProperty(kTagProperty, QString::number(selected));
}

void frmBase::warnSeaplaneWithoutAnchorage() {
    ui().show(Message(texts::base::seaplaneWithoutAnchorage(), MessageIcon::Exclamation, MessageButtons::Ok,
                      MessageAnswer::Ok, program::title()));
}

void frmBase::showEvent(QShowEvent* event) {
    EditDialog::showEvent(event);
    if (std::exchange(m_seaplaneWarningPending, false)) {
        // Once the dialog is on screen, so that the player sees which slot was emptied.
        QTimer::singleShot(0, this, &frmBase::warnSeaplaneWithoutAnchorage);
    }
}

void frmBase::nameSelected(int slot) {
    if (m_cbKisyu[slot]->currentIndex() == base::kNoCategory) {
        return;
    }
    QComboBox* names = m_cbKoukuki[slot];
    markChanged(names, qint64(names->property(kTagProperty).toInt()));
}

void frmBase::buildNameList(int slot) {
    QComboBox* names = m_cbKoukuki[slot];
    const std::vector<base::SlotAircraft> list =
        base::slotNameList(m_session.file, m_japaneseSide, m_cbKisyu[slot]->currentIndex());
    const uint8_t stored = record().AirType[static_cast<std::size_t>(slot)];
    int position = base::storedAircraftPosition(list, stored);
    {
        const QSignalBlocker blocker(names);
        names->clear();
        for (const base::SlotAircraft& aircraft : list) {
            names->addItem(aircraft.name, aircraft.type);
        }
        // The stored aircraft is shown as it is while its own category is shown, so that an
        // untouched slot keeps it.
        const bool ownCategory =
            m_cbKisyu[slot]->currentIndex() == base::slotCategory(m_session.file, stored);
        if (position < 0 && stored != base::kEmptySlot && ownCategory) {
            names->addItem(texts::base::unlistedAircraft(base::unlistedName(m_session.file, stored)), stored);
            position = names->count() - 1;
        }
    }
    names->setProperty(kTagProperty, QString::number(position));
    if (position >= 0) {
        select(names, position);
    } else if (names->count() > 0) {
        select(names, 0);
    } else {
        markChanged(names, rules::StoredValue{});
    }
}

void frmBase::StoreControls() {
    BaseRecord& b = record();
    b.Terrain = rules::fitted<uint8_t>(base::codeFromPosition(m_cbChikei->currentIndex(), b.Terrain));
    b.Size = rules::fitted<uint8_t>(base::codeFromPosition(m_cbKibo->currentIndex(), b.Size));
    b.Resource[BaseResource::Kind] = rules::fitted<int16_t>(base::kindFromPosition(
        m_cbShigen->currentIndex(), m_cbShigen->count() - 1, b.Resource[BaseResource::Kind]));
    b.Resource[BaseResource::Amount] = rules::fitted<int16_t>(boxValue(m_txtShigen));
    b.Factory[BaseFactory::Kind] = rules::fitted<int16_t>(base::kindFromPosition(
        m_cbKoujou->currentIndex(), m_cbKoujou->count() - 1, b.Factory[BaseFactory::Kind]));
    b.Factory[BaseFactory::Output] = rules::fitted<int16_t>(boxValue(m_txtKoujou));
    b.Airfield = rules::fitted<int16_t>(boxValue(m_txtHikoujou));
    b.Fortification = rules::fitted<int16_t>(boxValue(m_txtJinchi));
    b.PublicOrder = rules::fitted<uint8_t>(boxValue(m_txtChian));
    b.Task = rules::fitted<uint8_t>(base::codeFromPosition(m_cbNinmu->currentIndex(), b.Task));
    b.Anchorage = rules::fitted<int16_t>(base::codeFromPosition(m_cbHakuchi->currentIndex(), b.Anchorage));
    for (std::size_t n = 0; n < kMaterials; ++n) {
        for (const std::size_t part : {BasePart::First, BasePart::Second}) {
            b.Stockpile[n][part] = rules::fitted<int32_t>(boxValue(m_txtBichiku[2 * n + part]));
        }
    }
    for (std::size_t n = 0; n < kUnitKinds; ++n) {
        for (const std::size_t part : {BasePart::First, BasePart::Second}) {
            b.Units[n][part] = rules::fitted<int16_t>(boxValue(m_txtButai[2 * n + part]));
        }
    }
    for (std::size_t k = 0; k < base::kSlots; ++k) {
        const QComboBox* names = m_cbKoukuki[k];
        const std::optional<int> selected =
            names->currentIndex() >= 0 ? std::optional<int>(names->currentData().toInt()) : std::nullopt;
        const base::SlotContents slot =
            base::slotToStore(m_cbKisyu[k]->currentIndex(), selected, b.AirType[k],
                              boxValue(m_txtKoukuki[2 * k]), boxValue(m_txtKoukuki[2 * k + 1]));
        b.AirType[k] = slot.type;
        b.AirCount[BaseAirCount::First][k] = slot.count0;
        b.AirCount[BaseAirCount::Second][k] = slot.count1;
    }
}

void ShowBaseEditor(EditSession& session, QWidget* owner) {
    const int record = session.selection.record;
    if (record < 0 || record > session.file.LastBaseIndex) {
        return;
    }
    frmBase dialog(session, owner);
    dialog.exec();
}

}  // namespace korven
