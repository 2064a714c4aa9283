#include "editors/frmAir.h"

#include "catalogue/AircraftDevelopmentOrder.h"
#include "catalogue/CatalogueTexts.h"
#include "catalogue/ReferenceTables.h"
#include "editors/AircraftRules.h"
#include "editors/Colours.h"
#include "editors/EditorTexts.h"
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

// Rows of the performance grid: the label and the NumData index of each box.
struct NumberField {
    QString (*label)();
    std::size_t index;
};
constexpr NumberField kNumberRows[][4] = {
    {{texts::edit::fuel, 5}, {texts::air::manHours, 0}, {texts::air::steel, 1}, {texts::air::aluminium, 2}},
    {{texts::air::breakdowns, 3}, {texts::air::maintenance, 4}, {texts::air::defence, 9}, {}},
    {{texts::air::fixedGuns, 6}, {texts::air::fixedCannon, 7}, {texts::air::flexibleGuns, 8}, {}},
};

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
    buildControls();
    buildLayout();

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

void frmAir::buildControls() {
    m_txtAirName = makeTitleBox(QStringLiteral("txtAirName"), kNameBytes + 2, true);
    m_txtAirSName = makeSizedBox(QStringLiteral("txtAirSName"), kShortNameBytes + 2, true);
    m_txtKokuseki = makeSizedBox(QStringLiteral("txtKokuseki"), 10, false);
    m_txtKisyu = makeSizedBox(QStringLiteral("txtKisyu"), 12, false);
    m_txtHattyaku = makeSizedBox(QStringLiteral("txtHattyaku"), 12, false);
    m_txtUnyou = makeSizedBox(QStringLiteral("txtUnyou"), 8, false);

    constexpr int kNumber = 4;
    for (std::size_t i = 0; i < m_txtNumData.size(); ++i) {
        m_txtNumData[i] = makeSizedBox(indexedName("txtNumData", i), kNumber, true);
    }
    for (std::size_t i = 0; i < m_chkData.size(); ++i) {
        m_chkData[i] = new QCheckBox(this);
        m_chkData[i]->setObjectName(indexedName("chkData", i));
    }
    for (std::size_t k = 0; k < 4; ++k) {
        m_txtKidou[k] = makeSizedBox(indexedName("txtKidou", k), kNumber, true);
        m_cbBom[k] = makeCombo(indexedName("cbBom", k));
        m_txtBom[k] = makeSizedBox(indexedName("txtBom", k), kNumber, true);
        m_txtKouzoku[k] = makeSizedBox(indexedName("txtKouzoku", k), 6, true);
        m_txtKouzoku[k]->setToolTip(texts::air::rangeTip());
        if (!air::BombEditable(static_cast<int>(k))) {
            m_cbBom[k]->setEnabled(false);
            m_txtBom[k]->setEnabled(false);
        }
    }
    m_txtKouzoku[1]->setEnabled(false);
    m_txtJoukyou = makeSizedBox(QStringLiteral("txtJoukyou"), 10, false);
    m_txtKikan[0] = makeSizedBox(indexedName("txtKikan", 0), 6, false);
    m_txtKikan[1] = makeSizedBox(indexedName("txtKikan", 1), 6, true);
    m_txtKikan[1]->setToolTip(texts::air::turnsTip());

    alignRight(m_txtKidou);
    alignRight(m_txtBom);
    alignRight(m_txtKouzoku);
    alignRight(m_txtNumData);
    alignRight(m_txtKikan);

    m_imgAir = makePictureFrame(QStringLiteral("ImgAir"), kPictureSize);
}

void frmAir::buildLayout() {
    auto* top = new QVBoxLayout(this);

    auto* header = new QGridLayout;
    header->addWidget(m_txtAirName, 0, 0, 1, 4);
    header->addWidget(makeLabelFor(m_txtAirSName, texts::edit::name()), 1, 0);
    header->addWidget(m_txtAirSName, 1, 1, 1, 3, Qt::AlignLeft);
    header->addWidget(makeLabelFor(m_txtKokuseki, texts::edit::nationality()), 2, 0);
    header->addWidget(m_txtKokuseki, 2, 1);
    header->addWidget(makeLabelFor(m_txtKisyu, texts::edit::aircraftKind()), 2, 2);
    header->addWidget(m_txtKisyu, 2, 3);
    header->addWidget(makeLabelFor(m_txtHattyaku, texts::edit::launching()), 3, 0);
    header->addWidget(m_txtHattyaku, 3, 1);
    header->addWidget(makeLabelFor(m_txtUnyou, texts::air::operation()), 3, 2);
    header->addWidget(m_txtUnyou, 3, 3, Qt::AlignLeft);
    top->addLayout(besidePicture(header, m_imgAir));

    auto* performance = new QGroupBox(texts::edit::performance(), this);
    auto* numbers = new QGridLayout(performance);
    int row = 0;
    for (const auto& fields : kNumberRows) {
        int column = 0;
        for (const NumberField& field : fields) {
            if (field.label != nullptr) {
                numbers->addWidget(makeLabelFor(m_txtNumData[field.index], field.label()), row, column);
                numbers->addWidget(m_txtNumData[field.index], row, column + 1);
            }
            column += 2;
        }
        ++row;
    }
    const QString flagNames[] = {texts::air::night(), texts::air::highAltitude(), texts::air::diveBombing()};
    for (std::size_t i = 0; i < m_chkData.size(); ++i) {
        const int column = 2 * static_cast<int>(i);
        numbers->addWidget(makeLabelFor(m_chkData[i], flagNames[i], indexedName("lblData", i)), row, column);
        numbers->addWidget(m_chkData[i], row, column + 1);
    }
    numbers->setColumnStretch(8, 1);
    top->addWidget(performance);

    auto* lower = new QHBoxLayout;
    auto* missions = new QGroupBox(texts::air::missions(), this);
    auto* groups = new QGridLayout(missions);
    const QString groupNames[] = {texts::air::transfer(), texts::air::interceptReconnaissance(),
                                  texts::air::bombing1(), texts::air::bombing2()};
    groups->addWidget(makeFieldLabel(texts::air::manoeuvre()), 1, 0);
    groups->addWidget(makeFieldLabel(texts::air::bombs()), 2, 0);
    groups->addWidget(makeFieldLabel(texts::air::flightRange()), 3, 0);
    for (std::size_t k = 0; k < 4; ++k) {
        const int column = static_cast<int>(k) + 1;
        QLabel* heading = makeFieldLabel(groupNames[k], indexedName("lblGroup", k));
        heading->setAlignment(Qt::AlignCenter);
        groups->addWidget(heading, 0, column);
        groups->addWidget(m_txtKidou[k], 1, column, Qt::AlignLeft);
        auto* bomb = new QHBoxLayout;
        bomb->setSpacing(2);
        bomb->addWidget(m_cbBom[k]);
        bomb->addWidget(m_txtBom[k]);
        bomb->addStretch(1);
        groups->addLayout(bomb, 2, column);
        groups->addWidget(m_txtKouzoku[k], 3, column, Qt::AlignLeft);
    }
    lower->addWidget(missions);

    auto* developmentBox = new QGroupBox(texts::air::development(), this);
    auto* dev = new QGridLayout(developmentBox);
    dev->addWidget(makeLabelFor(m_txtJoukyou, texts::air::status()), 0, 0);
    dev->addWidget(m_txtJoukyou, 0, 1, 1, 2, Qt::AlignLeft);
    QLabel* period = makeLabelFor(m_txtKikan[0], texts::air::period(), QStringLiteral("lblKikan"));
    period->setToolTip(texts::air::periodTip());
    dev->addWidget(period, 1, 0);
    dev->addWidget(m_txtKikan[0], 1, 1);
    QLabel* months = makePlainLabel(texts::air::months(), QStringLiteral("lblKikanUnit_0"));
    dev->addWidget(months, 1, 2);
    dev->addWidget(m_txtKikan[1], 2, 1);
    QLabel* turns = makePlainLabel(texts::edit::turns(), QStringLiteral("lblKikanUnit_1"));
    dev->addWidget(turns, 2, 2);
    dev->setRowStretch(3, 1);
    lower->addWidget(developmentBox);
    top->addLayout(lower);

    createStandardButtons();
    top->addLayout(buttonRow({QStringLiteral("CommandEnter"), QStringLiteral("CommandApply"),
                              QStringLiteral("CommandUndo"), QStringLiteral("CommandCancel")}));

    plainLook(months);
    plainLook(turns);

    nameSharedBoxes(groupNames);
    QList<QWidget*> order{m_txtAirName, m_txtAirSName};
    for (const auto& fields : kNumberRows) {
        for (const NumberField& field : fields) {
            if (field.label != nullptr) {
                order.append(m_txtNumData[field.index]);
            }
        }
    }
    order << m_chkData[0] << m_chkData[1] << m_chkData[2];
    order << m_txtKidou[0] << m_txtKidou[1] << m_txtKidou[2] << m_txtKidou[3];
    for (std::size_t k = 0; k < 4; ++k) {
        order << m_cbBom[k] << m_txtBom[k];
    }
    order << m_txtKouzoku[0] << m_txtKouzoku[1] << m_txtKouzoku[2] << m_txtKouzoku[3];
    order << m_txtKikan[1] << enterButton() << applyButton() << undoButton() << cancelButton();
    chainTabOrder(order);
}

void frmAir::nameSharedBoxes(std::span<const QString> groupNames) {
    m_txtAirName->setAccessibleName(texts::air::fullName());
    for (std::size_t k = 0; k < 4; ++k) {
        m_txtKidou[k]->setAccessibleName(rowAndColumnName(texts::air::manoeuvre(), groupNames[k]));
        nameControl(m_cbBom[k], rowAndColumnName(texts::air::bombs(), groupNames[k]));
        m_txtBom[k]->setAccessibleName(rowAndColumnName(texts::air::bombCount(), groupNames[k]));
        m_txtKouzoku[k]->setAccessibleName(rowAndColumnName(texts::air::flightRange(), groupNames[k]));
    }
    m_txtKikan[0]->setAccessibleName(rowAndColumnName(texts::air::period(), texts::air::months()));
    m_txtKikan[1]->setAccessibleName(rowAndColumnName(texts::air::period(), texts::edit::turns()));
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
