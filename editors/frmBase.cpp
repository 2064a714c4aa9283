#include "editors/frmBase.h"

#include "catalogue/ReferenceTables.h"
#include "editors/BaseSlots.h"
#include "editors/EditRules.h"
#include "editors/EditorTexts.h"
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
#include <span>
#include <utility>

namespace korven {
namespace {

using catalogue::NameTable;

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

}  // namespace

frmBase::frmBase(EditSession& session, QWidget* parent) : EditDialog(session, parent) {
    setObjectName(QStringLiteral("frmBase"));
    setWindowTitle(texts::base::caption());
    m_index = std::clamp<int>(session.selection.record, 0, SaveFile::kBases - 1);
    m_japaneseSide = base::isJapaneseSide(this->record().Owner);

    m_txtBasename = makeBox(QStringLiteral("txtBasename"));
    m_txtBasename->setEnabled(false);

    m_cbRyouyu = makeCombo(QStringLiteral("cbRyouyu"));
    m_cbChiiki = makeCombo(QStringLiteral("cbChiiki"));
    m_cbChikei = makeCombo(QStringLiteral("cbChikei"));
    m_cbKibo = makeCombo(QStringLiteral("cbKibo"));
    m_cbShigen = makeCombo(QStringLiteral("cbShigen"));
    m_cbKoujou = makeCombo(QStringLiteral("cbKoujou"));
    m_cbNinmu = makeCombo(QStringLiteral("cbNinmu"));
    m_cbHakuchi = makeCombo(QStringLiteral("cbHakuchi"));
    m_cbTenkou = makeCombo(QStringLiteral("cbTenkou"));
    m_cbTenkou->addItem(texts::base::unsupported());
    m_txtShoukai = makeBox(QStringLiteral("txtShoukai"));
    m_txtShoukai->setText(texts::base::unsupported());
    for (QWidget* shown : {static_cast<QWidget*>(m_cbRyouyu), static_cast<QWidget*>(m_cbChiiki),
                           static_cast<QWidget*>(m_cbNinmu), static_cast<QWidget*>(m_cbTenkou),
                           static_cast<QWidget*>(m_txtShoukai)}) {
        shown->setEnabled(false);
    }

    m_txtShigen = addNumber(QStringLiteral("txtShigen"), 8, limits::kResourceAmount.maximum,
                            [](const BaseRecord& b) { return b.Resource[BaseResource::Amount]; });
    m_txtKoujou = addNumber(QStringLiteral("txtKoujou"), 4, limits::kFactoryOutput.maximum,
                            [](const BaseRecord& b) { return b.Factory[BaseFactory::Output]; });
    m_txtHikoujou = addNumber(QStringLiteral("txtHikoujou"), 4, limits::kAirfield.maximum,
                              [](const BaseRecord& b) { return b.Airfield; });
    m_txtJinchi = addNumber(QStringLiteral("txtJinchi"), 4, limits::kFortification.maximum,
                            [](const BaseRecord& b) { return b.Fortification; });
    m_txtChian = addNumber(QStringLiteral("txtChian"), 3, limits::kPublicOrder.maximum,
                           [](const BaseRecord& b) { return b.PublicOrder; });
    for (std::size_t i = 0; i < m_txtBichiku.size(); ++i) {
        m_txtBichiku[i] = addNumber(indexedName("txtBichiku", i), 8, limits::kStockpile.maximum,
                                    [i](const BaseRecord& b) { return b.Stockpile[i / 2][i % 2]; });
    }
    for (std::size_t i = 0; i < m_txtButai.size(); ++i) {
        m_txtButai[i] = addNumber(indexedName("txtButai", i), 4, limits::kUnitCount.maximum,
                                  [i](const BaseRecord& b) { return b.Units[i / 2][i % 2]; });
    }
    for (std::size_t k = 0; k < base::kSlots; ++k) {
        m_cbKisyu[k] = makeCombo(indexedName("cbKisyu", k));
        m_cbKoukuki[k] = makeCombo(indexedName("cbKoukuki", k));
        m_cbKoukuki[k]->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        m_cbKoukuki[k]->setMinimumContentsLength(9);
        for (std::size_t c = 0; c < 2; ++c) {
            m_txtKoukuki[2 * k + c] =
                addNumber(indexedName("txtKoukuki", 2 * k + c), 4, limits::kBaseAircraftCount.maximum,
                          [k, c](const BaseRecord& b) { return b.AirCount[c][k]; });
        }
    }

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

    createStandardButtons();
    buildLayout();

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

QLineEdit* frmBase::addNumber(const QString& name, int maxLength, qint64 maximum,
                              std::function<qint64(const BaseRecord&)> stored) {
    QLineEdit* box = makeBox(name);
    box->setAlignment(Qt::AlignRight);
    box->setMaxLength(maxLength);
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

void frmBase::buildLayout() {
    QFont titleFont = m_txtBasename->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    m_txtBasename->setFont(titleFont);
    m_txtBasename->setFrame(false);
    // A title, not a greyed-out box.
    QPalette titlePalette = m_txtBasename->palette();
    titlePalette.setColor(QPalette::Disabled, QPalette::Text,
                          titlePalette.color(QPalette::Active, QPalette::Text));
    titlePalette.setColor(QPalette::Disabled, QPalette::Base,
                          titlePalette.color(QPalette::Active, QPalette::Window));
    m_txtBasename->setPalette(titlePalette);
    m_txtBasename->setMinimumWidth(
        m_txtBasename->fontMetrics().horizontalAdvance(QStringLiteral("ＭＭＭＭＭＭ")) + 12);

    auto* title = new QHBoxLayout;
    title->addWidget(m_txtBasename, 1);
    addButtons(title, {QStringLiteral("CommandUndo"), QStringLiteral("CommandEnter"),
                       QStringLiteral("CommandCancel"), QStringLiteral("CommandApply")});

    struct Field {
        const char* label;
        QString text;
        QWidget* control;
    };
    const std::vector<std::vector<Field>> columns = {
        {{"lblRyouyu", texts::base::owner(), m_cbRyouyu},
         {"lblChiiki", texts::base::region(), m_cbChiiki},
         {"lblChikei", texts::base::terrain(), m_cbChikei},
         {"lblKibo", texts::base::settlementSize(), m_cbKibo}},
        {{"lblShigenSyu", texts::base::resourceKind(), m_cbShigen},
         {"lblShigen", texts::base::resourceAmount(), m_txtShigen},
         {"lblKoujouSyu", texts::base::factoryKind(), m_cbKoujou},
         {"lblKoujou", texts::base::factoryOutput(), m_txtKoujou}},
        {{"lblHikoujou", texts::base::airfield(), m_txtHikoujou},
         {"lblJinchi", texts::base::fortification(), m_txtJinchi},
         {"lblChian", texts::base::publicOrder(), m_txtChian}},
        {{"lblNinmu", texts::base::task(), m_cbNinmu},
         {"lblShoukai", texts::base::patrol(), m_txtShoukai},
         {"lblHakuchi", texts::base::anchorage(), m_cbHakuchi},
         {"lblTenkou", texts::base::weather(), m_cbTenkou}},
    };
    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(6);
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const int column = static_cast<int>(2 * c);
        for (std::size_t r = 0; r < columns[c].size(); ++r) {
            const Field& f = columns[c][r];
            QLabel* label = makeLabelFor(f.control, f.text, QString::fromLatin1(f.label));
            fields->addWidget(label, static_cast<int>(r), column);
            const bool number = qobject_cast<QLineEdit*>(f.control) && f.control != m_txtShoukai;
            fields->addWidget(f.control, static_cast<int>(r), column + 1,
                              number ? Qt::AlignLeft : Qt::Alignment());
        }
        fields->setColumnMinimumWidth(column + 1, 110);
    }

    // The three tables share one grid, so their heading rows and entries line up.
    auto* tables = new QGridLayout;
    tables->setHorizontalSpacing(4);
    tables->setVerticalSpacing(3);
    auto heading = [this, tables](const QString& name, const QString& text, int column, int span) {
        QLabel* label = makeFieldLabel(text, name);
        label->setAlignment(Qt::AlignCenter);
        tables->addWidget(label, 0, column, 1, span);
    };
    heading(QStringLiteral("lblBusshi"), texts::base::materials(), 0, 1);
    heading(QStringLiteral("lblZaiko"), texts::base::stock(), 1, 2);
    heading(QStringLiteral("lblRikujou"), texts::base::landUnits(), 4, 1);
    heading(QStringLiteral("lblButaisu"), texts::base::unitCount(), 5, 2);
    heading(QStringLiteral("lblKisyu"), texts::edit::aircraftKind(), 8, 1);
    heading(QStringLiteral("lblKoukukiMei"), texts::base::aircraftName(), 9, 1);
    heading(QStringLiteral("lblKisu"), texts::base::aircraftCount(), 10, 2);
    const NameTable materials = catalogue::MaterialNames();
    for (std::size_t m = 0; m < materials.size(); ++m) {
        const int row = static_cast<int>(m) + 1;
        tables->addWidget(makeLabelFor(m_txtBichiku[2 * m], materials[m], indexedName("lblBusshi", m)), row,
                          0);
        tables->addWidget(m_txtBichiku[2 * m], row, 1);
        tables->addWidget(m_txtBichiku[2 * m + 1], row, 2);
    }
    for (qsizetype u = 0; u < unitNames().size(); ++u) {
        const int row = static_cast<int>(u) + 1;
        const auto i = static_cast<std::size_t>(u);
        tables->addWidget(makeLabelFor(m_txtButai[2 * i], unitNames()[u], indexedName("lblButai", i)), row,
                          4);
        tables->addWidget(m_txtButai[2 * i], row, 5);
        tables->addWidget(m_txtButai[2 * i + 1], row, 6);
    }
    for (std::size_t k = 0; k < base::kSlots; ++k) {
        const int row = static_cast<int>(k) + 1;
        tables->addWidget(m_cbKisyu[k], row, 8);
        tables->addWidget(m_cbKoukuki[k], row, 9);
        tables->addWidget(m_txtKoukuki[2 * k], row, 10);
        tables->addWidget(m_txtKoukuki[2 * k + 1], row, 11);
    }
    tables->setColumnMinimumWidth(3, 10);
    tables->setColumnMinimumWidth(7, 10);
    tables->setRowStretch(static_cast<int>(base::kSlots) + 1, 1);

    auto* root = new QVBoxLayout(this);
    root->addLayout(title);
    root->addSpacing(4);
    root->addLayout(fields);
    root->addSpacing(8);
    root->addLayout(tables);
    root->setSizeConstraint(QLayout::SetFixedSize);

    nameTableBoxes();
    // Field by field down each column of fields, then the tables row by row, then the buttons
    // of the top row, so that the cycle starts in the first field.
    QList<QWidget*> order;
    for (const std::vector<Field>& column : columns) {
        for (const Field& f : column) {
            order.append(f.control);
        }
    }
    order.append(QList<QWidget*>(m_txtBichiku.begin(), m_txtBichiku.end()));
    order.append(QList<QWidget*>(m_txtButai.begin(), m_txtButai.end()));
    for (std::size_t k = 0; k < base::kSlots; ++k) {
        order << m_cbKisyu[k] << m_cbKoukuki[k] << m_txtKoukuki[2 * k] << m_txtKoukuki[2 * k + 1];
    }
    order << undoButton() << enterButton() << cancelButton() << applyButton();
    chainTabOrder(order);
    m_cbChikei->setFocus();
}

void frmBase::nameTableBoxes() {
    auto twoColumns = [](std::span<QLineEdit* const> boxes, const QStringList& rows, const QString& heading) {
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            const QString column = heading + QString::number(i % 2 + 1);
            boxes[i]->setAccessibleName(rowAndColumnName(rows.value(static_cast<qsizetype>(i / 2)), column));
        }
    };
    QStringList materials;
    for (const QString& name : catalogue::MaterialNames()) {
        materials << name;
    }
    twoColumns(m_txtBichiku, materials, texts::base::stock());
    twoColumns(m_txtButai, unitNames(), texts::base::unitCount());
    for (std::size_t k = 0; k < base::kSlots; ++k) {
        const QString slot = texts::base::slot(static_cast<int>(k) + 1);
        nameControl(m_cbKisyu[k], rowAndColumnName(texts::edit::aircraftKind(), slot));
        nameControl(m_cbKoukuki[k], rowAndColumnName(texts::base::aircraftName(), slot));
        for (std::size_t c = 0; c < 2; ++c) {
            const QString count = texts::base::aircraftCount() + QString::number(c + 1);
            m_txtKoukuki[2 * k + c]->setAccessibleName(rowAndColumnName(count, slot));
        }
    }
    m_txtBasename->setAccessibleName(texts::base::baseName());
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
    for (std::size_t i = 0; i < m_txtBichiku.size(); ++i) {
        b.Stockpile[i / 2][i % 2] = rules::fitted<int32_t>(boxValue(m_txtBichiku[i]));
    }
    for (std::size_t i = 0; i < m_txtButai.size(); ++i) {
        b.Units[i / 2][i % 2] = rules::fitted<int16_t>(boxValue(m_txtButai[i]));
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
