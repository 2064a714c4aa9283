#include "editors/frmShip.h"

#include "catalogue/MaxStepTable.h"
#include "catalogue/ReferenceTables.h"
#include "editors/Colours.h"
#include "editors/EditorTexts.h"
#include "editors/ModuleMain.h"
#include "editors/ShipState.h"
#include "model/FieldLimits.h"
#include "model/RecordFields.h"
#include "platform/ControlAccess.h"
#include "platform/UiServices.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>

namespace korven {
namespace {

// The hull: the class name up to its first ":".
QString hullOf(const QString& className) {
    qsizetype end = className.indexOf(u':');
    const qsizetype nul = className.indexOf(QChar(u'\0'));
    if (nul >= 0 && (end < 0 || nul < end)) {
        end = nul;
    }
    return end < 0 ? className : className.left(end);
}

constexpr QSize kPictureSize{240, 120};

}  // namespace

std::optional<QString> ShipSelectionProblem(const EditSession& session) {
    const int classIndex = session.selection.record;
    if (classIndex < 0 || classIndex >= SaveFile::kShipClasses) {
        return texts::ship::badClassIndex(classIndex);
    }
    if (session.selection.ship >= SaveFile::kShips) {
        return texts::ship::badShipIndex(session.selection.ship);
    }
    return std::nullopt;
}

frmShip::frmShip(EditSession& session, QWidget* parent)
    : EditDialog(session, parent),
      m_classIndex(session.selection.record),
      m_shipIndex(session.selection.ship),
      m_individual(session.selection.ship >= 0) {
    Q_ASSERT(!ShipSelectionProblem(session));
    setObjectName(QStringLiteral("frmShip"));
    buildControls();
    buildLayout();

    ApplyLabelStyle(this, m_session.labelColours);
    keepDisabledBoxesLegible();
    m_loading = true;
    setWindowTitle(m_individual ? texts::ship::shipCaption() : texts::ship::classCaption());
    showGamePicture(m_imgShip, QStringLiteral("ship%1.bmp").arg(m_classIndex));
    fillGunCombos();
    m_carrierEntry =
        ship::FindCarrierEntry(shipClass().Kind[ShipClassKind::Type], m_shipIndex, m_session.file.CarrierAir);
    connectControls();
    LoadControls();
    m_loading = false;
}

ShipClassRecord& frmShip::shipClass() const {
    return m_session.file.ShipClass[static_cast<std::size_t>(m_classIndex)];
}

ShipRecord& frmShip::ship() const {
    Q_ASSERT(m_individual);
    return m_session.file.Ship[static_cast<std::size_t>(m_shipIndex)];
}

std::optional<int16_t> frmShip::storedLowerSteps() const {
    return catalogue::MaxStepTable().at(shipClass().StepIndex);
}

int frmShip::gunCount() const {
    return static_cast<int>(catalogue::WeaponNames().size());
}

void frmShip::buildControls() {
    // Widths are in half-width characters.
    m_txtKanmei = makeTitleBox(QStringLiteral("txtKanmei"), 24, false);
    m_txtSyozoku = makeSizedBox(QStringLiteral("txtSyozoku"), 18, false, false);
    m_txtKokuseki = makeSizedBox(QStringLiteral("txtKokuseki"), 10, false, true);
    m_txtKansyu = makeSizedBox(QStringLiteral("txtKansyu"), 12, false, true);
    m_txtKankei = makeSizedBox(QStringLiteral("txtKankei"), 14, false, true);
    m_txtSentai = makeSizedBox(QStringLiteral("txtSentai"), 14, false, true);

    constexpr int kNumber = 6;
    m_txtStep[0] = makeSizedBox(indexedName("txtStep", 0), kNumber, true, true);
    m_txtStep[1] = makeSizedBox(indexedName("txtStep", 1), kNumber, false, true);
    m_txtStep[2] = makeSizedBox(indexedName("txtStep", 2), kNumber, true, false);
    m_txtStep[3] = makeSizedBox(indexedName("txtStep", 3), kNumber, true, false);
    for (std::size_t j = 0; j < m_sliderStep.size(); ++j) {
        m_sliderStep[j] = new QSlider(Qt::Horizontal, this);
        m_sliderStep[j]->setObjectName(indexedName("SliderStep", j));
        m_sliderStep[j]->setMinimumWidth(140);
    }
    m_txtSongai = makeSizedBox(QStringLiteral("txtSongai"), 8, false, false);
    m_txtHattyaku = makeSizedBox(QStringLiteral("txtHattyaku"), 8, false, false);
    m_txtSokuryoku[0] = makeSizedBox(indexedName("txtSokuryoku", 0), kNumber, true, true);
    m_txtSokuryoku[1] = makeSizedBox(indexedName("txtSokuryoku", 1), kNumber, false, false);
    m_txtSokuryoku[2] = makeSizedBox(indexedName("txtSokuryoku", 2), 10, false, false);
    m_txtNenryou[0] = makeSizedBox(indexedName("txtNenryou", 0), kNumber, true, true);
    m_txtNenryou[1] = makeSizedBox(indexedName("txtNenryou", 1), kNumber, true, false);
    m_txtNenpi = makeSizedBox(QStringLiteral("txtNenpi"), kNumber, true, true);
    m_txtZankouzoku = makeSizedBox(QStringLiteral("txtZankouzoku"), 8, false, false);
    m_txtTousaisyu = makeSizedBox(QStringLiteral("txtTousaisyu"), 10, false, true);
    m_txtTousai[0] = makeSizedBox(indexedName("txtTousai", 0), kNumber, true, true);
    m_txtTousai[1] = makeSizedBox(indexedName("txtTousai", 1), kNumber, false, false);
    m_cmdTousai = new QPushButton(texts::ship::carriage(), this);
    m_cmdTousai->setObjectName(QStringLiteral("CmdTousai"));
    m_cmdTousai->setAutoDefault(false);
    m_txtSoukou[0] = makeSizedBox(indexedName("txtSoukou", 0), kNumber, true, true);
    m_txtSoukou[1] = makeSizedBox(indexedName("txtSoukou", 1), kNumber, true, true);
    m_txtSenkou = makeSizedBox(QStringLiteral("txtSenkou"), kNumber, false, true);
    m_txtJoutai = makeSizedBox(QStringLiteral("txtJoutai"), 8, false, false);
    for (std::size_t m = 0; m < 4; ++m) {
        m_cbBusouSyu[m] = makeCombo(indexedName("cbBusouSyu", m));
        m_cbBusouSyu[m]->setProperty(kForeColorProperty, colours::kHighlight);
        m_cbBusouSyu[m]->setMinimumContentsLength(7);
        m_cbBusouSyu[m]->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        m_cbBusouSyu[m]->setMaxVisibleItems(14);
        m_txtBusouMon[m] = makeSizedBox(indexedName("txtBusouMon", m), kNumber, true, true);
        m_txtBusouKai[m] = makeSizedBox(indexedName("txtBusouKai", m), kNumber, true, true);
        m_txtBusouMon[m + 4] = makeSizedBox(indexedName("txtBusouMon", m + 4), kNumber, false, false);
        m_txtBusouKai[m + 4] = makeSizedBox(indexedName("txtBusouKai", m + 4), kNumber, true, false);
    }
    alignRight(m_txtStep);
    alignRight({m_txtSokuryoku[0], m_txtSokuryoku[1], m_txtNenryou[0], m_txtNenryou[1], m_txtNenpi,
                m_txtZankouzoku, m_txtTousai[0], m_txtTousai[1], m_txtSoukou[0], m_txtSoukou[1]});
    alignRight(m_txtBusouMon);
    alignRight(m_txtBusouKai);

    m_imgShip = makePictureFrame(QStringLiteral("ImgShip"), kPictureSize);

    m_lblKankeiHelp = makeFieldLabel(texts::ship::classHelp(), QStringLiteral("lblKankeiHelp"));
    m_lblKankeiHelp->setProperty(kForeColorProperty, colours::kHighlight);
    m_lblKankeiHelp->setWordWrap(true);
}

void frmShip::buildLayout() {
    auto* top = new QVBoxLayout(this);

    auto* header = new QGridLayout;
    header->addWidget(m_txtKanmei, 0, 0, 1, 4);
    QLabel* label3 = makeLabelFor(m_txtSyozoku, texts::ship::affiliation(), QStringLiteral("Label3"));
    header->addWidget(label3, 1, 0);
    header->addWidget(m_txtSyozoku, 1, 1, 1, 3, Qt::AlignLeft);
    header->addWidget(makeLabelFor(m_txtKokuseki, texts::edit::nationality()), 2, 0);
    header->addWidget(m_txtKokuseki, 2, 1);
    header->addWidget(makeLabelFor(m_txtKansyu, texts::ship::shipType()), 2, 2);
    header->addWidget(m_txtKansyu, 2, 3);
    header->addWidget(makeLabelFor(m_txtKankei, texts::ship::shipClass()), 3, 0);
    header->addWidget(m_txtKankei, 3, 1);
    header->addWidget(makeLabelFor(m_txtSentai, texts::ship::hull()), 3, 2);
    header->addWidget(m_txtSentai, 3, 3);
    top->addLayout(besidePicture(header, m_imgShip));
    top->addWidget(m_lblKankeiHelp);

    // Class values in the first column, the ship's own beside them.
    auto* performance = new QGroupBox(texts::edit::performance(), this);
    auto* grid = new QGridLayout(performance);
    QLabel* classHeading = makePlainLabel(texts::ship::shipClass(), QStringLiteral("lblKankeiColumn"));
    classHeading->setProperty(kForeColorProperty, colours::kHighlight);
    QLabel* shipHeading = makePlainLabel(texts::ship::current(), QStringLiteral("lblKokanColumn"));
    grid->addWidget(classHeading, 0, 1, Qt::AlignCenter);
    grid->addWidget(shipHeading, 0, 2, Qt::AlignCenter);
    int row = 1;
    auto addRow = [&](QLabel* label, QWidget* classBox, QWidget* shipBox = nullptr,
                      QWidget* extra = nullptr) {
        grid->addWidget(label, row, 0);
        if (classBox != nullptr) {
            grid->addWidget(classBox, row, 1);
        }
        if (shipBox != nullptr) {
            grid->addWidget(shipBox, row, 2);
        }
        if (extra != nullptr) {
            grid->addWidget(extra, row, 3, Qt::AlignLeft);
        }
        ++row;
    };
    addRow(makeLabelFor(m_txtStep[0], texts::ship::upperSteps()), m_txtStep[0]);
    addRow(makeLabelFor(m_txtStep[1], texts::ship::lowerSteps()), m_txtStep[1]);
    addRow(makeLabelFor(m_txtSokuryoku[0], texts::ship::speed()), m_txtSokuryoku[0], m_txtSokuryoku[1],
           m_txtSokuryoku[2]);
    addRow(makeLabelFor(m_txtNenryou[0], texts::edit::fuel()), m_txtNenryou[0], m_txtNenryou[1]);
    addRow(makeLabelFor(m_txtNenpi, texts::ship::consumption()), m_txtNenpi);
    QLabel* rangeLabel = makeLabelFor(m_txtZankouzoku, texts::ship::range(), QStringLiteral("lblZankouzoku"));
    addRow(rangeLabel, nullptr, m_txtZankouzoku);
    auto* carriage = new QHBoxLayout;
    carriage->addWidget(m_txtTousaisyu);
    carriage->addWidget(m_cmdTousai);
    grid->addLayout(carriage, row, 3, Qt::AlignLeft);
    addRow(makeLabelFor(m_txtTousai[0], texts::ship::carriage()), m_txtTousai[0], m_txtTousai[1]);
    addRow(makeLabelFor(m_txtSoukou[0], texts::ship::sideArmour()), m_txtSoukou[0]);
    addRow(makeLabelFor(m_txtSoukou[1], texts::ship::deckArmour()), m_txtSoukou[1]);
    addRow(makeLabelFor(m_txtSenkou, texts::ship::diveDepth()), m_txtSenkou);
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(4, 1);

    m_damageGroup = new QGroupBox(texts::ship::damage(), this);
    m_damageGroup->setObjectName(QStringLiteral("fraSongai"));
    auto* damage = new QGridLayout(m_damageGroup);
    QLabel* upperLabel = makeLabelFor(m_txtStep[2], texts::ship::upperSteps(), QStringLiteral("lblStep_0"));
    QLabel* lowerLabel = makeLabelFor(m_txtStep[3], texts::ship::lowerSteps(), QStringLiteral("lblStep_1"));
    QLabel* damageLabel = makeLabelFor(m_txtSongai, texts::ship::damageState(), QStringLiteral("lblSongai"));
    QLabel* launchLabel =
        makeLabelFor(m_txtHattyaku, texts::edit::launching(), QStringLiteral("lblHattyaku"));
    QLabel* stateLabel = makeLabelFor(m_txtJoutai, texts::ship::state(), QStringLiteral("lblJoutai"));
    damage->addWidget(upperLabel, 0, 0);
    damage->addWidget(m_txtStep[2], 0, 1);
    damage->addWidget(m_sliderStep[0], 0, 2);
    damage->addWidget(lowerLabel, 1, 0);
    damage->addWidget(m_txtStep[3], 1, 1);
    damage->addWidget(m_sliderStep[1], 1, 2);
    damage->addWidget(damageLabel, 2, 0);
    damage->addWidget(m_txtSongai, 2, 1, 1, 2, Qt::AlignLeft);
    damage->addWidget(launchLabel, 3, 0);
    damage->addWidget(m_txtHattyaku, 3, 1, 1, 2, Qt::AlignLeft);
    damage->addWidget(stateLabel, 4, 0);
    damage->addWidget(m_txtJoutai, 4, 1, 1, 2, Qt::AlignLeft);
    damage->setRowStretch(5, 1);

    auto* weapons = new QGroupBox(texts::ship::weapons(), this);
    auto* arms = new QGridLayout(weapons);
    QLabel* classArms = makePlainLabel(texts::ship::shipClass(), QStringLiteral("lblBusouKankei"));
    classArms->setProperty(kForeColorProperty, colours::kHighlight);
    QLabel* shipArms = makePlainLabel(texts::ship::current(), QStringLiteral("lblBusouKokan"));
    arms->addWidget(classArms, 0, 2, 1, 2, Qt::AlignCenter);
    arms->addWidget(shipArms, 0, 4, 1, 2, Qt::AlignCenter);
    arms->addWidget(makeFieldLabel(texts::ship::guns()), 1, 2);
    arms->addWidget(makeFieldLabel(texts::ship::firings()), 1, 3);
    QLabel* shipGuns = makeFieldLabel(texts::ship::guns(), QStringLiteral("lblBusouMonKokan"));
    QLabel* shipFirings = makeFieldLabel(texts::ship::firings(), QStringLiteral("lblBusouKaiKokan"));
    arms->addWidget(shipGuns, 1, 4);
    arms->addWidget(shipFirings, 1, 5);
    const QStringList mountNames = texts::ship::mounts();
    for (std::size_t m = 0; m < 4; ++m) {
        const int r = static_cast<int>(m) + 2;
        arms->addWidget(makeLabelFor(m_cbBusouSyu[m], mountNames[static_cast<qsizetype>(m)]), r, 0);
        arms->addWidget(m_cbBusouSyu[m], r, 1);
        arms->addWidget(m_txtBusouMon[m], r, 2);
        arms->addWidget(m_txtBusouKai[m], r, 3);
        arms->addWidget(m_txtBusouMon[m + 4], r, 4);
        arms->addWidget(m_txtBusouKai[m + 4], r, 5);
    }
    arms->setColumnStretch(6, 1);

    auto* right = new QVBoxLayout;
    right->addWidget(m_damageGroup);
    right->addWidget(weapons);
    right->addStretch(1);
    auto* middle = new QHBoxLayout;
    middle->addWidget(performance);
    middle->addLayout(right, 1);
    top->addLayout(middle);

    createStandardButtons();
    top->addLayout(buttonRow({QStringLiteral("CommandEnter"), QStringLiteral("CommandApply"),
                              QStringLiteral("CommandUndo"), QStringLiteral("CommandCancel")}));

    nameSharedBoxes();
    chainTabOrder({m_txtStep[0],     m_txtSokuryoku[0], m_txtNenryou[0],  m_txtNenryou[1],  m_txtNenpi,
                   m_txtTousai[0],   m_cmdTousai,       m_txtSoukou[0],   m_txtSoukou[1],   m_txtStep[2],
                   m_sliderStep[0],  m_txtStep[3],      m_sliderStep[1],  m_cbBusouSyu[0],  m_txtBusouMon[0],
                   m_txtBusouKai[0], m_txtBusouKai[4],  m_cbBusouSyu[1],  m_txtBusouMon[1], m_txtBusouKai[1],
                   m_txtBusouKai[5], m_cbBusouSyu[2],   m_txtBusouMon[2], m_txtBusouKai[2], m_txtBusouKai[6],
                   m_cbBusouSyu[3],  m_txtBusouMon[3],  m_txtBusouKai[3], m_txtBusouKai[7], enterButton(),
                   applyButton(),    undoButton(),      cancelButton()});

    m_shipOnly = {label3,          m_txtSyozoku,    m_txtSongai,       m_txtStep[2],
                  m_txtStep[3],    m_sliderStep[0], m_sliderStep[1],   upperLabel,
                  lowerLabel,      m_txtHattyaku,   m_txtSokuryoku[1], m_txtSokuryoku[2],
                  m_txtNenryou[1], m_txtZankouzoku, m_txtTousai[1],    m_txtJoutai,
                  stateLabel,      damageLabel,     launchLabel,       rangeLabel,
                  m_lblKankeiHelp, classHeading,    shipHeading,       classArms,
                  shipArms,        shipGuns,        shipFirings,       m_damageGroup};
    for (std::size_t m = 4; m < 8; ++m) {
        m_shipOnly.append(m_txtBusouMon[m]);
        m_shipOnly.append(m_txtBusouKai[m]);
    }
}

void frmShip::nameSharedBoxes() {
    const QString classColumn = texts::ship::shipClass();
    const QString shipColumn = texts::ship::current();
    auto both = [&](QLineEdit* classBox, QLineEdit* shipBox, const QString& row) {
        classBox->setAccessibleName(rowAndColumnName(row, classColumn));
        shipBox->setAccessibleName(rowAndColumnName(row, shipColumn));
    };
    both(m_txtStep[0], m_txtStep[2], texts::ship::upperSteps());
    both(m_txtStep[1], m_txtStep[3], texts::ship::lowerSteps());
    both(m_txtSokuryoku[0], m_txtSokuryoku[1], texts::ship::speed());
    both(m_txtNenryou[0], m_txtNenryou[1], texts::edit::fuel());
    both(m_txtTousai[0], m_txtTousai[1], texts::ship::carriage());
    m_txtSokuryoku[2]->setAccessibleName(texts::ship::speed());
    m_txtTousaisyu->setAccessibleName(texts::ship::carriage());
    m_txtKanmei->setAccessibleName(texts::ship::shipName());
    for (std::size_t j = 0; j < m_sliderStep.size(); ++j) {
        m_sliderStep[j]->setAccessibleName(m_txtStep[j + 2]->accessibleName());
    }
    const QStringList mounts = texts::ship::mounts();
    for (std::size_t m = 0; m < 4; ++m) {
        const QString mount = mounts[static_cast<qsizetype>(m)];
        auto name = [&](const QString& what, const QString& column) {
            return mount + u' ' + rowAndColumnName(what, column);
        };
        m_txtBusouMon[m]->setAccessibleName(name(texts::ship::guns(), classColumn));
        m_txtBusouKai[m]->setAccessibleName(name(texts::ship::firings(), classColumn));
        m_txtBusouMon[m + 4]->setAccessibleName(name(texts::ship::guns(), shipColumn));
        m_txtBusouKai[m + 4]->setAccessibleName(name(texts::ship::firings(), shipColumn));
    }
}

void frmShip::fillGunCombos() {
    for (QComboBox* combo : m_cbBusouSyu) {
        combo->clear();
        int code = 0;
        for (const QString& name : catalogue::WeaponNames()) {
            combo->addItem(name, code++);
        }
        combo->addItem(texts::edit::none(), ship::kNoGunType);
    }
}

void frmShip::connectControls() {
    auto onText = [this](QLineEdit* box, auto handler) {
        connect(box, &QLineEdit::textChanged, this, handler);
    };
    const ShipClassRecord* c = &shipClass();
    registerBounds();

    onText(m_txtStep[0], [this, c] {
        if (numberChanged(m_txtStep[0], qint64(c->Perf[ShipClassPerf::UpperSteps]))) {
            stepChanged(0);
        }
    });
    onText(m_txtStep[1], [this] {
        const std::optional<int16_t> stored = storedLowerSteps();
        if (numberChanged(m_txtStep[1],
                          stored ? rules::StoredValue(qint64(*stored)) : rules::StoredValue{})) {
            stepChanged(1);
        }
    });
    onText(m_txtSokuryoku[0],
           [this, c] { numberChanged(m_txtSokuryoku[0], qint64(c->Perf[ShipClassPerf::Speed])); });
    onText(m_txtNenryou[0],
           [this, c] { numberChanged(m_txtNenryou[0], qint64(c->Perf[ShipClassPerf::Fuel])); });
    onText(m_txtNenpi,
           [this, c] { numberChanged(m_txtNenpi, qint64(c->Armor[ShipClassArmor::FuelConsumption])); });
    onText(m_txtTousai[0], [this, c] { numberChanged(m_txtTousai[0], qint64(c->AircraftCapacity)); });
    onText(m_txtSoukou[0],
           [this, c] { numberChanged(m_txtSoukou[0], qint64(c->Armor[ShipClassArmor::Side])); });
    onText(m_txtSoukou[1],
           [this, c] { numberChanged(m_txtSoukou[1], qint64(c->Armor[ShipClassArmor::Deck])); });
    onText(m_txtKankei, [this, c] { markChanged(m_txtKankei, c->Name.text()); });
    onText(m_txtKansyu, [this, c] {
        markChanged(m_txtKansyu,
                    catalogue::labelOr(catalogue::ShipTypeNames(), c->Kind[ShipClassKind::Type]));
    });
    onText(m_txtTousaisyu, [this] { markDerived(m_txtTousaisyu); });
    for (std::size_t m = 0; m < 4; ++m) {
        connect(m_cbBusouSyu[m], &QComboBox::currentIndexChanged, this,
                [this, m] { gunTypeChosen(static_cast<int>(m)); });
        onText(m_txtBusouMon[m], [this, c, m] {
            numberChanged(m_txtBusouMon[m], qint64(c->Weapon[ShipClassWeapon::Guns][m]));
        });
        onText(m_txtBusouKai[m], [this, c, m] {
            numberChanged(m_txtBusouKai[m], qint64(c->Weapon[ShipClassWeapon::Firings][m]));
        });
    }

    QList<QWidget*> watched{m_txtNenryou[0], m_txtSokuryoku[0], m_txtNenpi};
    for (std::size_t m = 0; m < 4; ++m) {
        watched << m_cbBusouSyu[m] << m_txtBusouMon[m] << m_txtBusouKai[m];
    }

    if (m_individual) {
        const ShipRecord* s = &ship();
        onText(m_txtStep[2], [this, s] {
            if (numberChanged(m_txtStep[2], qint64(s->Words[ShipWord::UpperSteps]))) {
                stepChanged(2);
            }
        });
        onText(m_txtStep[3], [this, s] {
            if (numberChanged(m_txtStep[3], qint64(s->Words[ShipWord::LowerSteps]))) {
                stepChanged(3);
            }
        });
        onText(m_txtNenryou[1],
               [this, s] { numberChanged(m_txtNenryou[1], qint64(s->Words[ShipWord::CurrentFuel])); });
        for (std::size_t m = 0; m < 4; ++m) {
            onText(m_txtBusouKai[m + 4], [this, m] { shipFiringsChanged(static_cast<int>(m)); });
            onText(m_txtBusouMon[m + 4], [this, m] { markDerived(m_txtBusouMon[m + 4]); });
        }
        for (QLineEdit* box :
             {m_txtSongai, m_txtHattyaku, m_txtZankouzoku, m_txtSokuryoku[1], m_txtTousai[1]}) {
            onText(box, [this, box] { markDerived(box); });
        }
        for (std::size_t j = 0; j < m_sliderStep.size(); ++j) {
            // Moving the slider types its position into the ship's step box.
            connect(m_sliderStep[j], &QSlider::valueChanged, this,
                    [this, j](int value) { m_txtStep[j + 2]->setText(QString::number(value)); });
        }
        watched << m_txtNenryou[1];
    }
    for (QWidget* w : watched) {
        w->installEventFilter(this);
    }
    connect(m_cmdTousai, &QPushButton::clicked, this,
            [] { ui().show(Message(texts::ship::notBuiltYet(), MessageIcon::Information)); });
}

void frmShip::registerBounds() {
    auto fixed = [](const limits::Range& range) { return [range] { return rules::Bounds(range); }; };
    // A ship's own value may not exceed its class's value as the class box shows it now.
    auto belowClass = [this](QLineEdit* classBox) {
        return [classBox] { return rules::Bounds(limits::upToClassValue(boxValue(classBox))); };
    };
    m_bounds = {
        {m_txtStep[0], fixed(limits::kClassSteps)},      {m_txtStep[1], fixed(limits::kClassSteps)},
        {m_txtSokuryoku[0], fixed(limits::kClassSpeed)}, {m_txtNenryou[0], fixed(limits::kClassFuel)},
        {m_txtNenpi, fixed(limits::kFuelConsumption)},   {m_txtTousai[0], fixed(limits::kAircraftCapacity)},
        {m_txtSoukou[0], fixed(limits::kArmour)},        {m_txtSoukou[1], fixed(limits::kArmour)},
        {m_txtStep[2], belowClass(m_txtStep[0])},        {m_txtStep[3], belowClass(m_txtStep[1])},
        {m_txtNenryou[1], belowClass(m_txtNenryou[0])}};
    for (std::size_t m = 0; m < 4; ++m) {
        m_bounds.insert(m_txtBusouMon[m], fixed(limits::kGunCount));
        m_bounds.insert(m_txtBusouKai[m], fixed(limits::kFirings));
        m_bounds.insert(m_txtBusouKai[m + 4], belowClass(m_txtBusouKai[m]));
    }
}

bool frmShip::numberChanged(QLineEdit* box, const rules::StoredValue& stored) {
    const rules::Bounds bounds = m_bounds.value(box)();
    // Loading shows the stored value as it is; only what the player types is clamped.
    if (!m_loading && txtNumInput(box, bounds.maximum, bounds.minimum)) {
        return false;  // rewriting the text raised the change again, which handled it
    }
    markChanged(box, stored);
    if (!m_loading) {
        markRanges();  // loading marks them all once at its end
    }
    return true;
}

void frmShip::markRanges() {
    // A ship box's range follows its class box, so every box is looked at again.
    for (auto it = m_bounds.cbegin(); it != m_bounds.cend(); ++it) {
        MarkRange(it.key(), it.value()());
    }
}

bool frmShip::asLoaded(const QLineEdit* box) const {
    return m_loadedTexts.value(box) == box->text();
}

void frmShip::stepChanged(int j) {
    if (m_individual) {
        const auto slider = static_cast<std::size_t>(j % 2);
        const QSignalBlocker blocker(m_sliderStep[slider]);
        if (j < 2) {
            m_sliderStep[slider]->setMaximum(
                static_cast<int>(std::max<qint64>(0, boxValue(m_txtStep[slider]))));
        } else {
            m_sliderStep[slider]->setValue(static_cast<int>(boxValue(m_txtStep[slider + 2])));
        }
    }
    if (!m_loading) {
        RecalcShipState();
    }
}

void frmShip::shipFiringsChanged(int m) {
    const auto i = static_cast<std::size_t>(m);
    numberChanged(m_txtBusouKai[i + 4], qint64(ship().BusouKai[i]));
}

void frmShip::gunTypeChosen(int m) {
    QComboBox* combo = m_cbBusouSyu[static_cast<std::size_t>(m)];
    const int stored = shipClass().Weapon[ShipClassWeapon::GunType][static_cast<std::size_t>(m)];
    markChanged(combo, qint64(ship::GunTypeComboIndex(stored, gunCount())));
    if (combo->currentIndex() < 0) {
        return;
    }
    if (ship::OnGunTypeChosen(combo->currentData().toInt()) == ship::MountChange::Enable) {
        SetMountEnabled(m, true);
    }
}

void frmShip::SetMountEnabled(int m, bool enabled) {
    const auto i = static_cast<std::size_t>(m);
    const std::optional<ship::MountBoxes> boxes = ship::MountBoxesAfter(
        enabled ? ship::MountChange::Enable : ship::MountChange::Clear, m_txtBusouMon[i]->isEnabled());
    if (!boxes) {
        return;
    }
    if (!enabled) {
        m_cbBusouSyu[i]->setCurrentIndex(m_cbBusouSyu[i]->count() - 1);
    }
    m_txtBusouMon[i]->setText(boxes->guns);
    m_txtBusouKai[i]->setText(boxes->firings);
    m_txtBusouMon[i]->setEnabled(boxes->enabled);
    m_txtBusouKai[i]->setEnabled(boxes->enabled);
    if (m_individual) {
        m_txtBusouMon[i + 4]->setText(boxes->guns);
        m_txtBusouKai[i + 4]->setText(boxes->firings);
        m_txtBusouKai[i + 4]->setEnabled(boxes->enabled);
    }
}

void frmShip::boxLeft(QWidget* box) {
    for (std::size_t m = 0; m < 4; ++m) {
        const int mount = static_cast<int>(m);
        // Leaving a control the player did not change changes nothing, even where the stored
        // mount is odd (a gun without guns, "なし" with guns).
        if (box == m_cbBusouSyu[m]) {
            if (m_cbBusouSyu[m]->currentIndex() != m_loadedGunTypes[m] &&
                ship::OnGunTypeLeft(m_cbBusouSyu[m]->currentData().toInt()) == ship::MountChange::Clear) {
                SetMountEnabled(mount, false);
            }
            return;
        }
        if (box == m_txtBusouMon[m]) {
            if (!asLoaded(m_txtBusouMon[m]) &&
                ship::OnGunCountLeft(boxValue(m_txtBusouMon[m])) == ship::MountChange::Clear) {
                SetMountEnabled(mount, false);
            } else {
                RecalcShipState();
            }
            return;
        }
        if (box == m_txtBusouKai[m]) {
            if (asLoaded(m_txtBusouKai[m])) {
                return;
            }
            if (ship::OnFiringsLeft(boxValue(m_txtBusouKai[m])) == ship::MountChange::Clear) {
                SetMountEnabled(mount, false);
            } else if (m_individual) {
                shipFiringsChanged(mount);  // against the new maximum
            }
            return;
        }
    }
    if (box == m_txtNenryou[0] || box == m_txtNenryou[1] || box == m_txtSokuryoku[0] || box == m_txtNenpi) {
        RecalcShipState();
    }
}

bool frmShip::eventFilter(QObject* watched, QEvent* event) {
    if (LeavesBox(event)) {
        boxLeft(static_cast<QWidget*>(watched));
    }
    return EditDialog::eventFilter(watched, event);
}

bool frmShip::checkFocusedBox() {
    if (QWidget* focused = focusWidget(); focused != nullptr && isAncestorOf(focused)) {
        boxLeft(focused);
    }
    return EditDialog::checkFocusedBox();
}

void frmShip::markDerived(QLineEdit* box) {
    // A derived value is compared with what it showed when the dialog was loaded.
    const auto found = m_loadedTexts.constFind(box);
    markChanged(box, found == m_loadedTexts.constEnd() ? rules::StoredValue{} : rules::StoredValue(*found));
}

void frmShip::RecalcShipState() {
    if (!m_individual) {
        return;
    }
    ship::ShipStateInput input;
    input.classUpper = boxValue(m_txtStep[0]);
    input.classLower = boxValue(m_txtStep[1]);
    input.upper = boxValue(m_txtStep[2]);
    input.lower = boxValue(m_txtStep[3]);
    input.classSpeed = boxValue(m_txtSokuryoku[0]);
    input.fuel = boxValue(m_txtNenryou[1]);
    input.consumption = boxValue(m_txtNenpi);
    for (std::size_t m = 0; m < 4; ++m) {
        input.classGuns[m] = boxValue(m_txtBusouMon[m]);
    }
    const ship::ShipState state = ship::RecalcShipState(input);
    m_txtSongai->setText(state.damage);
    m_txtSokuryoku[1]->setText(state.speed);
    m_txtZankouzoku->setText(state.range);
    m_txtHattyaku->setText(state.launch);
    for (std::size_t m = 0; m < 4; ++m) {
        m_txtBusouMon[m + 4]->setText(state.guns[m]);
    }
}

void frmShip::hideShipControls() {
    for (QWidget* w : m_shipOnly) {
        w->hide();
    }
}

void frmShip::LoadControls() {
    {
        const QScopedValueRollback loading(m_loading, true);
        fillControls();
    }
    m_loadedTexts.clear();
    for (const QLineEdit* box : findChildren<QLineEdit*>()) {
        m_loadedTexts.insert(box, box->text());
    }
    for (std::size_t m = 0; m < 4; ++m) {
        m_loadedGunTypes[m] = m_cbBusouSyu[m]->currentIndex();
        // A mount stored without a gun has its boxes disabled, as clearing it leaves them, but
        // keeps its stored values.
        const bool mounted = m_cbBusouSyu[m]->currentData().toInt() != ship::kNoGunType;
        m_txtBusouMon[m]->setEnabled(mounted);
        m_txtBusouKai[m]->setEnabled(mounted);
        m_txtBusouKai[m + 4]->setEnabled(mounted);
    }
    markRanges();
}

void frmShip::fillControls() {
    const ShipClassRecord& c = shipClass();
    auto number = [](qint64 value) { return QString::number(value); };

    m_txtKanmei->setText(m_individual ? m_session.selectedItemText : texts::ship::classModeShipName());
    m_txtKokuseki->setText(catalogue::labelOr(catalogue::ShipNationNames(), c.Kind[ShipClassKind::Nation]));
    m_txtKansyu->setText(catalogue::labelOr(catalogue::ShipTypeNames(), c.Kind[ShipClassKind::Type]));
    m_txtKankei->setText(c.Name.text());
    m_txtSentai->setText(hullOf(m_txtKankei->text()));
    m_txtStep[0]->setText(number(c.Perf[ShipClassPerf::UpperSteps]));
    const std::optional<int16_t> lower = storedLowerSteps();
    m_txtStep[1]->setText(lower ? number(*lower) : QString());
    m_txtSokuryoku[0]->setText(number(c.Perf[ShipClassPerf::Speed]));
    m_txtSokuryoku[2]->setText(texts::edit::unknown());
    m_txtNenryou[0]->setText(number(c.Perf[ShipClassPerf::Fuel]));
    m_txtNenpi->setText(number(c.Armor[ShipClassArmor::FuelConsumption]));
    m_txtTousaisyu->setText(ship::CarriageText(c.Kind[ShipClassKind::Type]));
    m_txtTousai[0]->setText(number(c.AircraftCapacity));
    m_txtSoukou[0]->setText(number(c.Armor[ShipClassArmor::Side]));
    m_txtSoukou[1]->setText(number(c.Armor[ShipClassArmor::Deck]));
    m_txtSenkou->setText(texts::edit::unknown());
    for (std::size_t m = 0; m < 4; ++m) {
        // The selection first: choosing a gun may fill the mount's boxes, which the record then overrides.
        m_cbBusouSyu[m]->setCurrentIndex(
            ship::GunTypeComboIndex(c.Weapon[ShipClassWeapon::GunType][m], gunCount()));
        m_txtBusouMon[m]->setText(number(c.Weapon[ShipClassWeapon::Guns][m]));
        m_txtBusouKai[m]->setText(number(c.Weapon[ShipClassWeapon::Firings][m]));
    }

    if (!m_individual) {
        hideShipControls();
        return;
    }
    const ShipRecord& s = ship();
    m_txtSyozoku->setText(texts::ship::unsupportedPrefix() + number(s.Words[ShipWord::Affiliation]));
    m_txtJoutai->setText(texts::edit::unknown());
    const int16_t shipSteps[2] = {s.Words[ShipWord::UpperSteps], s.Words[ShipWord::LowerSteps]};
    for (std::size_t j = 0; j < 2; ++j) {
        m_txtStep[j + 2]->setText(number(shipSteps[j]));
        const QSignalBlocker blocker(m_sliderStep[j]);
        m_sliderStep[j]->setMaximum(static_cast<int>(std::max<qint64>(0, boxValue(m_txtStep[j]))));
        m_sliderStep[j]->setValue(static_cast<int>(boxValue(m_txtStep[j + 2])));
    }
    m_txtNenryou[1]->setText(number(s.Words[ShipWord::CurrentFuel]));
    const std::optional<int> load =
        ship::CarriedLoad(c.Kind[ShipClassKind::Type], m_carrierEntry, m_session.file.CarrierAir, s);
    m_txtTousai[1]->setText(load ? number(*load) : QString());
    for (std::size_t m = 0; m < 4; ++m) {
        m_txtBusouKai[m + 4]->setText(number(s.BusouKai[m]));
    }
    RecalcShipState();
}

void frmShip::StoreControls() {
    ShipClassRecord& c = shipClass();
    c.Perf[ShipClassPerf::UpperSteps] = rules::fitted<int16_t>(boxValue(m_txtStep[0]));
    if (storedLowerSteps()) {
        catalogue::MaxStepTable().set(c.StepIndex, rules::fitted<int16_t>(boxValue(m_txtStep[1])));
    }
    c.Perf[ShipClassPerf::Speed] = rules::fitted<int16_t>(boxValue(m_txtSokuryoku[0]));
    c.Perf[ShipClassPerf::Fuel] = rules::fitted<int16_t>(boxValue(m_txtNenryou[0]));
    c.Armor[ShipClassArmor::FuelConsumption] = rules::fitted<uint8_t>(boxValue(m_txtNenpi));
    c.AircraftCapacity = rules::fitted<uint8_t>(boxValue(m_txtTousai[0]));
    c.Armor[ShipClassArmor::Side] = rules::fitted<uint8_t>(boxValue(m_txtSoukou[0]));
    c.Armor[ShipClassArmor::Deck] = rules::fitted<uint8_t>(boxValue(m_txtSoukou[1]));
    for (std::size_t m = 0; m < 4; ++m) {
        c.Weapon[ShipClassWeapon::GunType][m] = ship::GunTypeToStore(
            m_cbBusouSyu[m]->currentIndex(), c.Weapon[ShipClassWeapon::GunType][m], gunCount());
        c.Weapon[ShipClassWeapon::Guns][m] = rules::fitted<uint8_t>(boxValue(m_txtBusouMon[m]));
        c.Weapon[ShipClassWeapon::Firings][m] = rules::fitted<uint8_t>(boxValue(m_txtBusouKai[m]));
    }
    if (!m_individual) {
        return;
    }
    ShipRecord& s = ship();
    s.Words[ShipWord::UpperSteps] = rules::fitted<int16_t>(boxValue(m_txtStep[2]));
    s.Words[ShipWord::LowerSteps] = rules::fitted<int16_t>(boxValue(m_txtStep[3]));
    s.Words[ShipWord::CurrentFuel] = rules::fitted<int16_t>(boxValue(m_txtNenryou[1]));
    for (std::size_t m = 0; m < 4; ++m) {
        s.BusouKai[m] = rules::fitted<uint8_t>(boxValue(m_txtBusouKai[m + 4]));
    }
}

void ShowShipEditor(EditSession& session, QWidget* owner) {
    if (const std::optional<QString> problem = ShipSelectionProblem(session)) {
        ui().show(Message(*problem, MessageIcon::Exclamation));
        return;
    }
    frmShip dialog(session, owner);
    dialog.exec();
}

}  // namespace korven
