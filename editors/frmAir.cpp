#include "editors/frmAir.h"

#include "catalogue/AircraftDevelopmentOrder.h"
#include "catalogue/CatalogueTexts.h"
#include "catalogue/ReferenceTables.h"
#include "editors/AircraftRules.h"
#include "editors/Colours.h"
#include "editors/EditorTexts.h"
#include "editors/FieldForm.h"
#include "editors/ModuleMain.h"
#include "model/FieldLimits.h"
#include "model/RecordFields.h"
#include "platform/ControlAccess.h"
#include "platform/UiServices.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

#include <array>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace korven {
namespace {

// The unit labels keep the look of plain text: window background, window text.
void plainLook(QLabel* label) {
    SetBackColor(label, colours::kWindowBackground);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText,
                     colours::toColor(colours::kWindowText, QApplication::palette(label)));
    label->setPalette(palette);
}

constexpr QSize kPictureSize{200, 100};
constexpr int kNameBytes = limits::kAircraftNameBytes;
constexpr int kShortNameBytes = limits::kAircraftShortNameBytes;

// Rows of the performance grid: the label and the NumData position of each box.
struct NumberField {
    QString (*label)();
    std::size_t index;
};
constexpr NumberField kNumberRows[][4] = {
    {{texts::edit::fuel, AircraftNumber::Fuel},
     {texts::air::manHours, AircraftNumber::ManHours},
     {texts::air::steel, AircraftNumber::Steel},
     {texts::air::aluminium, AircraftNumber::Aluminium}},
    {{texts::air::breakdowns, AircraftNumber::Breakdowns},
     {texts::air::maintenance, AircraftNumber::Maintenance},
     {texts::air::defence, AircraftNumber::Defence},
     {}},
    {{texts::air::fixedGuns, AircraftNumber::FixedGuns},
     {texts::air::fixedCannon, AircraftNumber::FixedCannon},
     {texts::air::flexibleGuns, AircraftNumber::FlexibleGuns},
     {}},
};
constexpr int kNumberWidth = 4;

using Kind = FormCell::Kind;

// The names and what the aircraft is, beside the picture.
std::vector<FormCell> headerCells() {
    auto shown = [](int row, int column, const QString& text, const QString& box, int characters) {
        return std::array<FormCell, 2>{
            FormCell{.kind = Kind::Caption, .row = row, .column = column, .text = text, .buddy = box},
            FormCell{
                .name = box, .row = row, .column = column + 1, .shownOnly = true, .characters = characters}};
    };
    std::vector<FormCell> cells = {
        {.kind = Kind::Title,
         .name = u"txtAirName"_s,
         .columnSpan = 4,
         .spoken = texts::air::fullName(),
         .characters = kNameBytes + 2},
        {.kind = Kind::Caption, .row = 1, .text = texts::edit::name(), .buddy = u"txtAirSName"_s},
        {.name = u"txtAirSName"_s,
         .row = 1,
         .column = 1,
         .columnSpan = 3,
         .characters = kShortNameBytes + 2,
         .alignment = Qt::AlignLeft},
    };
    for (const auto& pair : {shown(2, 0, texts::edit::nationality(), u"txtKokuseki"_s, 10),
                             shown(2, 2, texts::edit::aircraftKind(), u"txtKisyu"_s, 12),
                             shown(3, 0, texts::edit::launching(), u"txtHattyaku"_s, 12),
                             shown(3, 2, texts::air::operation(), u"txtUnyou"_s, 8)}) {
        cells.insert(cells.end(), pair.begin(), pair.end());
    }
    cells.back().alignment = Qt::AlignLeft;
    return cells;
}

// The numbers row by row, then the flags.
std::vector<FormCell> performanceCells() {
    std::vector<FormCell> cells;
    int row = 0;
    for (const auto& fields : kNumberRows) {
        int column = 0;
        for (const NumberField& field : fields) {
            if (field.label != nullptr) {
                const QString box = indexedName("txtNumData", field.index);
                cells.push_back({.kind = Kind::Caption,
                                 .row = row,
                                 .column = column,
                                 .text = field.label(),
                                 .buddy = box});
                cells.push_back({.name = box,
                                 .row = row,
                                 .column = column + 1,
                                 .rightAligned = true,
                                 .characters = kNumberWidth});
            }
            column += 2;
        }
        ++row;
    }
    const std::pair<std::size_t, QString> flags[] = {{AircraftFlag::Night, texts::air::night()},
                                                     {AircraftFlag::HighAltitude, texts::air::highAltitude()},
                                                     {AircraftFlag::DiveBombing, texts::air::diveBombing()}};
    for (const auto& [index, text] : flags) {
        const int column = 2 * static_cast<int>(index);
        cells.push_back({.kind = Kind::Caption,
                         .name = indexedName("lblData", index),
                         .row = row,
                         .column = column,
                         .text = text,
                         .buddy = indexedName("chkData", index)});
        cells.push_back(
            {.kind = Kind::Check, .name = indexedName("chkData", index), .row = row, .column = column + 1});
    }
    return cells;
}

// One column per group; Tab goes along each row of values.
std::vector<FormCell> missionCells() {
    const QString groups[] = {texts::air::transfer(), texts::air::interceptReconnaissance(),
                              texts::air::bombing1(), texts::air::bombing2()};
    std::vector<FormCell> cells = {
        {.kind = Kind::Caption, .row = 1, .text = texts::air::manoeuvre()},
        {.kind = Kind::Caption, .row = 2, .text = texts::air::bombs()},
        {.kind = Kind::Caption, .row = 3, .text = texts::air::flightRange()},
    };
    for (std::size_t k = 0; k < 4; ++k) {
        cells.push_back({.kind = Kind::Heading,
                         .name = indexedName("lblGroup", k),
                         .column = static_cast<int>(k) + 1,
                         .text = groups[k]});
    }
    for (std::size_t k = 0; k < 4; ++k) {
        cells.push_back({.name = indexedName("txtKidou", k),
                         .row = 1,
                         .column = static_cast<int>(k) + 1,
                         .spoken = rowAndColumnName(texts::air::manoeuvre(), groups[k]),
                         .rightAligned = true,
                         .characters = kNumberWidth,
                         .alignment = Qt::AlignLeft});
    }
    for (std::size_t k = 0; k < 4; ++k) {
        const bool fixed = !air::BombEditable(static_cast<int>(k));
        cells.push_back({.kind = Kind::List,
                         .name = indexedName("cbBom", k),
                         .row = 2,
                         .column = static_cast<int>(k) + 1,
                         .spoken = rowAndColumnName(texts::air::bombs(), groups[k]),
                         .shownOnly = fixed});
        cells.push_back({.name = indexedName("txtBom", k),
                         .row = 2,
                         .column = static_cast<int>(k) + 1,
                         .spoken = rowAndColumnName(texts::air::bombCount(), groups[k]),
                         .rightAligned = true,
                         .shownOnly = fixed,
                         .characters = kNumberWidth,
                         .beside = true});
    }
    for (std::size_t k = 0; k < 4; ++k) {
        cells.push_back({.name = indexedName("txtKouzoku", k),
                         .row = 3,
                         .column = static_cast<int>(k) + 1,
                         .spoken = rowAndColumnName(texts::air::flightRange(), groups[k]),
                         .rightAligned = true,
                         .toolTip = texts::air::rangeTip(),
                         .characters = 6,
                         .alignment = Qt::AlignLeft});
    }
    return cells;
}

std::vector<FormCell> developmentCells() {
    return {
        {.kind = Kind::Caption, .text = texts::air::status(), .buddy = u"txtJoukyou"_s},
        {.name = u"txtJoukyou"_s,
         .column = 1,
         .columnSpan = 2,
         .shownOnly = true,
         .characters = 10,
         .alignment = Qt::AlignLeft},
        {.kind = Kind::Caption,
         .name = u"lblKikan"_s,
         .row = 1,
         .text = texts::air::period(),
         .buddy = u"txtKikan_0"_s,
         .toolTip = texts::air::periodTip()},
        {.name = u"txtKikan_0"_s,
         .row = 1,
         .column = 1,
         .spoken = rowAndColumnName(texts::air::period(), texts::air::months()),
         .rightAligned = true,
         .shownOnly = true,
         .characters = 6},
        {.kind = Kind::Unit,
         .name = u"lblKikanUnit_0"_s,
         .row = 1,
         .column = 2,
         .text = texts::air::months()},
        {.name = u"txtKikan_1"_s,
         .row = 2,
         .column = 1,
         .spoken = rowAndColumnName(texts::air::period(), texts::edit::turns()),
         .rightAligned = true,
         .toolTip = texts::air::turnsTip(),
         .characters = 6},
        {.kind = Kind::Unit,
         .name = u"lblKikanUnit_1"_s,
         .row = 2,
         .column = 2,
         .text = texts::edit::turns()},
    };
}

}  // namespace

int16_t frmAir::AirToKaihatsu(int16_t aircraftIndex) {
    const catalogue::DevelopmentIndex result = catalogue::AirToKaihatsu(aircraftIndex);
    if (!result.valid) {
        ui().show(Message(catalogue::texts::badDevelopmentIndex(), MessageIcon::Error));
    }
    return result.index;
}

std::optional<QString> AirSelectionProblem(const EditSession& session) {
    const int index = session.selection.record;
    if (index < 0 || index >= SaveFile::kAircraftTypes) {
        return texts::air::badAircraftIndex(index);
    }
    return std::nullopt;
}

frmAir::frmAir(EditSession& session, QWidget* parent)
    : EditDialog(session, parent), m_index(session.selection.record) {
    Q_ASSERT(!AirSelectionProblem(session));
    setObjectName(QStringLiteral("frmAir"));
    setWindowTitle(texts::air::caption());
    buildForm();

    ApplyLabelStyle(this, m_session.labelColours);
    keepDisabledBoxesLegible();
    m_devIndex = AirToKaihatsu(static_cast<int16_t>(m_index));
    showGamePicture(m_imgAir, QStringLiteral("air%1.bmp").arg(m_index));
    for (QComboBox* combo : m_cbBom) {
        combo->clear();
        for (const air::ComboItem& item : air::BombItems()) {
            combo->addItem(item.text, item.data);
        }
    }
    connectControls();
    LoadControls();
}

AircraftTypeRecord& frmAir::aircraft() const {
    return m_session.file.AircraftType[static_cast<std::size_t>(m_index)];
}

int16_t& frmAir::development() const {
    return m_session.file.AirDevelopment[static_cast<std::size_t>(m_devIndex)];
}

void frmAir::buildForm() {
    const FieldForm header(*this, headerCells(), kLabelMargin);
    const FieldForm numbers(*this, performanceCells(), kLabelMargin);
    const FieldForm missions(*this, missionCells(), kLabelMargin);
    const FieldForm developmentForm(*this, developmentCells(), kLabelMargin);
    m_imgAir = makePictureFrame(QStringLiteral("ImgAir"), kPictureSize);

    m_txtAirName = header.box(u"txtAirName"_s);
    m_txtAirSName = header.box(u"txtAirSName"_s);
    m_txtKokuseki = header.box(u"txtKokuseki"_s);
    m_txtKisyu = header.box(u"txtKisyu"_s);
    m_txtHattyaku = header.box(u"txtHattyaku"_s);
    m_txtUnyou = header.box(u"txtUnyou"_s);
    for (std::size_t i = 0; i < m_txtNumData.size(); ++i) {
        m_txtNumData[i] = numbers.box(indexedName("txtNumData", i));
    }
    for (std::size_t i = 0; i < m_chkData.size(); ++i) {
        m_chkData[i] = qobject_cast<QCheckBox*>(numbers.widget(indexedName("chkData", i)));
    }
    for (std::size_t k = 0; k < 4; ++k) {
        m_txtKidou[k] = missions.box(indexedName("txtKidou", k));
        m_cbBom[k] = missions.combo(indexedName("cbBom", k));
        m_txtBom[k] = missions.box(indexedName("txtBom", k));
        m_txtKouzoku[k] = missions.box(indexedName("txtKouzoku", k));
        // The bomb kind and count stand close together at the left of their cell.
        auto* bomb =
            static_cast<QHBoxLayout*>(missions.grid()->itemAtPosition(2, static_cast<int>(k) + 1)->layout());
        bomb->setSpacing(2);
        bomb->addStretch(1);
    }
    m_txtJoukyou = developmentForm.box(u"txtJoukyou"_s);
    m_txtKikan[0] = developmentForm.box(u"txtKikan_0"_s);
    m_txtKikan[1] = developmentForm.box(u"txtKikan_1"_s);

    auto* top = new QVBoxLayout(this);
    top->addLayout(besidePicture(header.grid(), m_imgAir));
    auto* performance = new QGroupBox(texts::edit::performance(), this);
    numbers.grid()->setColumnStretch(8, 1);
    performance->setLayout(numbers.grid());
    top->addWidget(performance);
    auto* lower = new QHBoxLayout;
    auto* missionBox = new QGroupBox(texts::air::missions(), this);
    missionBox->setLayout(missions.grid());
    lower->addWidget(missionBox);
    auto* developmentBox = new QGroupBox(texts::air::development(), this);
    developmentForm.grid()->setRowStretch(3, 1);
    developmentBox->setLayout(developmentForm.grid());
    lower->addWidget(developmentBox);
    top->addLayout(lower);

    createStandardButtons();
    top->addLayout(buttonRow({QStringLiteral("CommandEnter"), QStringLiteral("CommandApply"),
                              QStringLiteral("CommandUndo"), QStringLiteral("CommandCancel")}));
    plainLook(developmentForm.label(u"lblKikanUnit_0"_s));
    plainLook(developmentForm.label(u"lblKikanUnit_1"_s));
    chainTabOrder(header.tabOrder() + numbers.tabOrder() + missions.tabOrder() + developmentForm.tabOrder() +
                  QList<QWidget*>{enterButton(), applyButton(), undoButton(), cancelButton()});
}

void frmAir::connectControls() {
    const AircraftTypeRecord* a = &aircraft();
    // A stored name is shown whole, even one longer than typing allows.
    connect(m_txtAirName, &QLineEdit::textChanged, this, [this, a] {
        if (!m_loading) {
            LimitTextBytes(m_txtAirName, kNameBytes);
        }
        markChanged(m_txtAirName, a->Name.text());
    });
    connect(m_txtAirSName, &QLineEdit::textChanged, this, [this, a] {
        if (!m_loading) {
            LimitTextBytes(m_txtAirSName, kShortNameBytes);
        }
        markChanged(m_txtAirSName, a->ShortName.text());
    });
    for (std::size_t i = 0; i < m_txtNumData.size(); ++i) {
        connect(m_txtNumData[i], &QLineEdit::textChanged, this,
                [this, a, i] { numberChanged(m_txtNumData[i], limits::kAircraftNumber, a->NumData[i]); });
    }
    for (std::size_t i = 0; i < m_chkData.size(); ++i) {
        connect(m_chkData[i], &QCheckBox::toggled, this, [this, a, i](bool checked) {
            m_chkData[i]->setText(air::CheckCaption(checked));
            markChanged(m_chkData[i], qint64(a->Flags[i] != 0 ? 1 : 0));
        });
    }
    for (std::size_t k = 0; k < 4; ++k) {
        connect(m_txtKidou[k], &QLineEdit::textChanged, this,
                [this, a, k] { numberChanged(m_txtKidou[k], limits::kAircraftNumber, a->Kidou[k]); });
        connect(m_cbBom[k], &QComboBox::currentIndexChanged, this, [this, a, k] {
            markChanged(m_cbBom[k], qint64(air::BombComboIndex(a->Bomb[k][AircraftBomb::Kind])));
        });
        connect(m_txtBom[k], &QLineEdit::textChanged, this, [this, a, k] {
            numberChanged(m_txtBom[k], limits::kAircraftNumber, a->Bomb[k][AircraftBomb::Count]);
        });
        connect(m_txtKouzoku[k], &QLineEdit::textChanged, this,
                [this, a, k] { numberChanged(m_txtKouzoku[k], limits::kAircraftRange, a->Kouzoku[k]); });
    }
    connect(m_txtKikan[1], &QLineEdit::textChanged, this, &frmAir::turnsChanged);
}

void frmAir::numberChanged(QLineEdit* box, const limits::Range& range, qint64 stored) {
    // Loading shows the stored value as it is; a rewritten text raised the change again,
    // which marked it.
    if (!m_loading && txtNumInput(box, range.maximum, range.minimum)) {
        return;
    }
    markChanged(box, stored);
    MarkRange(box, range);
}

void frmAir::turnsChanged() {
    if (!m_loading &&
        txtNumInput(m_txtKikan[1], limits::kDevelopmentTurns.maximum, limits::kDevelopmentTurns.minimum)) {
        return;
    }
    markChanged(m_txtKikan[1], qint64(development()));
    MarkRange(m_txtKikan[1], limits::kDevelopmentTurns);
    m_txtKikan[0]->setText(air::PeriodText(boxValue(m_txtKikan[1])));
    updateStatus();
}

void frmAir::updateStatus() {
    const std::optional<int16_t> previous =
        m_devIndex > 0
            ? std::optional<int16_t>(m_session.file.AirDevelopment[static_cast<std::size_t>(m_devIndex - 1)])
            : std::nullopt;
    m_txtJoukyou->setText(air::DevelopmentStatus(aircraft().Kind[AircraftKind::Nation],
                                                 boxValue(m_txtKikan[1]), m_index, previous));
}

void frmAir::LoadControls() {
    const QScopedValueRollback loading(m_loading, true);
    const AircraftTypeRecord& a = aircraft();
    auto number = [](qint64 value) { return QString::number(value); };
    m_txtAirName->setText(a.Name.text());
    m_txtAirSName->setText(a.ShortName.text());
    m_txtKokuseki->setText(
        catalogue::labelOr(catalogue::AircraftNationNames(), a.Kind[AircraftKind::Nation]));
    m_txtKisyu->setText(catalogue::labelOr(catalogue::AircraftModelNames(), a.Kind[AircraftKind::Model]));
    m_txtHattyaku->setText(air::BasingText(a.Kind[AircraftKind::Basing]));
    m_txtUnyou->setText(air::OperationText(a.Kind[AircraftKind::Operation]));
    for (std::size_t i = 0; i < m_txtNumData.size(); ++i) {
        m_txtNumData[i]->setText(number(a.NumData[i]));
    }
    for (std::size_t i = 0; i < m_chkData.size(); ++i) {
        m_chkData[i]->setChecked(a.Flags[i] != 0);
        m_chkData[i]->setText(air::CheckCaption(a.Flags[i] != 0));
    }
    for (std::size_t k = 0; k < 4; ++k) {
        m_txtKidou[k]->setText(number(a.Kidou[k]));
        m_cbBom[k]->setCurrentIndex(air::BombComboIndex(a.Bomb[k][AircraftBomb::Kind]));
        m_txtBom[k]->setText(number(a.Bomb[k][AircraftBomb::Count]));
        m_txtKouzoku[k]->setText(number(a.Kouzoku[k]));
    }
    m_txtKouzoku[1]->setEnabled(air::RangeEditable(1, a.Kind[AircraftKind::Operation]));
    m_txtKikan[1]->setText(number(development()));
    m_txtKikan[0]->setText(air::PeriodText(boxValue(m_txtKikan[1])));
    updateStatus();
    m_txtKikan[1]->setEnabled(air::TurnsEditable(a.Kind[AircraftKind::Nation]));
}

void frmAir::StoreControls() {
    AircraftTypeRecord& a = aircraft();
    // An untouched name keeps the bytes it was read with.
    a.Name.setText(m_txtAirName->text());
    a.ShortName.setText(m_txtAirSName->text());
    for (std::size_t i = 0; i < m_txtNumData.size(); ++i) {
        a.NumData[i] = rules::fitted<uint8_t>(boxValue(m_txtNumData[i]));
    }
    for (std::size_t i = 0; i < m_chkData.size(); ++i) {
        a.Flags[i] = air::FlagToStore(m_chkData[i]->isChecked(), a.Flags[i]);
    }
    for (std::size_t k = 0; k < 4; ++k) {
        a.Kidou[k] = rules::fitted<uint8_t>(boxValue(m_txtKidou[k]));
        a.Bomb[k][AircraftBomb::Kind] =
            air::BombKindToStore(m_cbBom[k]->currentIndex(), a.Bomb[k][AircraftBomb::Kind]);
        a.Bomb[k][AircraftBomb::Count] = rules::fitted<uint8_t>(boxValue(m_txtBom[k]));
        a.Kouzoku[k] = rules::fitted<int16_t>(boxValue(m_txtKouzoku[k]));
    }
    development() = rules::fitted<int16_t>(boxValue(m_txtKikan[1]));
}

void ShowAirEditor(EditSession& session, QWidget* owner) {
    if (const std::optional<QString> problem = AirSelectionProblem(session)) {
        ui().show(Message(*problem, MessageIcon::Exclamation));
        return;
    }
    frmAir dialog(session, owner);
    dialog.exec();
}

}  // namespace korven
