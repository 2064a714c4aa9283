#include "editors/frmShip.h"

#include "catalogue/MaxStepTable.h"
#include "catalogue/ReferenceTables.h"
#include "editors/Colours.h"
#include "editors/EditorTexts.h"
#include "editors/FieldForm.h"
#include "editors/ModuleMain.h"
#include "editors/ShipForm.h"
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

using namespace Qt::StringLiterals;

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

void frmShip::buildLayout() {
    const FieldForm header(*this, ship::headerCells(), kLabelMargin);
    const FieldForm performance(*this, ship::performanceCells(), kLabelMargin);
    const FieldForm damage(*this, ship::damageCells(), kLabelMargin);
    const FieldForm weapons(*this, ship::weaponCells(), kLabelMargin);
    findControls(header, performance, damage, weapons);

    m_imgShip = makePictureFrame(u"ImgShip"_s, kPictureSize);
    QLabel* help = makeFieldLabel(texts::ship::classHelp(), u"lblKankeiHelp"_s);
    help->setProperty(kForeColorProperty, colours::kHighlight);
    help->setWordWrap(true);

    auto* top = new QVBoxLayout(this);
    top->addLayout(besidePicture(header.grid(), m_imgShip));
    top->addWidget(help);

    // The stretch goes after the last row or column of each grid.
    auto* performanceGroup = new QGroupBox(texts::edit::performance(), this);
    performance.grid()->setRowStretch(performance.grid()->rowCount(), 1);
    performance.grid()->setColumnStretch(performance.grid()->columnCount(), 1);
    performanceGroup->setLayout(performance.grid());
    auto* damageGroup = new QGroupBox(texts::ship::damage(), this);
    damageGroup->setObjectName(u"fraSongai"_s);
    damage.grid()->setRowStretch(damage.grid()->rowCount(), 1);
    damageGroup->setLayout(damage.grid());
    auto* weaponsGroup = new QGroupBox(texts::ship::weapons(), this);
    weapons.grid()->setColumnStretch(weapons.grid()->columnCount(), 1);
    weaponsGroup->setLayout(weapons.grid());

    auto* right = new QVBoxLayout;
    right->addWidget(damageGroup);
    right->addWidget(weaponsGroup);
    right->addStretch(1);
    auto* middle = new QHBoxLayout;
    middle->addWidget(performanceGroup);
    middle->addLayout(right, 1);
    top->addLayout(middle);

    createStandardButtons();
    top->addLayout(buttonRow({u"CommandEnter"_s, u"CommandApply"_s, u"CommandUndo"_s, u"CommandCancel"_s}));
    chainTabOrder(performance.tabOrder() + damage.tabOrder() + weapons.tabOrder() +
                  QList<QWidget*>{enterButton(), applyButton(), undoButton(), cancelButton()});

    for (const QString& name : ship::shipOnlyControls()) {
        m_shipOnly.append(findChild<QWidget*>(name));
    }
}

void frmShip::findControls(const FieldForm& header, const FieldForm& performance, const FieldForm& damage,
                           const FieldForm& weapons) {
    m_txtKanmei = header.box(u"txtKanmei"_s);
    m_txtSyozoku = header.box(u"txtSyozoku"_s);
    m_txtKokuseki = header.box(u"txtKokuseki"_s);
    m_txtKansyu = header.box(u"txtKansyu"_s);
    m_txtKankei = header.box(u"txtKankei"_s);
    m_txtSentai = header.box(u"txtSentai"_s);
    for (std::size_t j = 0; j < 2; ++j) {
        m_txtStep[j] = performance.box(indexedName("txtStep", j));
        m_txtStep[j + 2] = damage.box(indexedName("txtStep", j + 2));
        m_sliderStep[j] = qobject_cast<QSlider*>(damage.widget(indexedName("SliderStep", j)));
        m_txtNenryou[j] = performance.box(indexedName("txtNenryou", j));
        m_txtTousai[j] = performance.box(indexedName("txtTousai", j));
        m_txtSoukou[j] = performance.box(indexedName("txtSoukou", j));
    }
    for (std::size_t i = 0; i < m_txtSokuryoku.size(); ++i) {
        m_txtSokuryoku[i] = performance.box(indexedName("txtSokuryoku", i));
    }
    m_txtNenpi = performance.box(u"txtNenpi"_s);
    m_txtZankouzoku = performance.box(u"txtZankouzoku"_s);
    m_txtTousaisyu = performance.box(u"txtTousaisyu"_s);
    m_cmdTousai = qobject_cast<QPushButton*>(performance.widget(u"CmdTousai"_s));
    m_txtSenkou = performance.box(u"txtSenkou"_s);
    m_txtSongai = damage.box(u"txtSongai"_s);
    m_txtHattyaku = damage.box(u"txtHattyaku"_s);
    m_txtJoutai = damage.box(u"txtJoutai"_s);
    for (std::size_t m = 0; m < m_cbBusouSyu.size(); ++m) {
        m_cbBusouSyu[m] = weapons.combo(indexedName("cbBusouSyu", m));
        m_txtBusouMon[m] = weapons.box(indexedName("txtBusouMon", m));
        m_txtBusouKai[m] = weapons.box(indexedName("txtBusouKai", m));
        m_txtBusouMon[m + 4] = weapons.box(indexedName("txtBusouMon", m + 4));
        m_txtBusouKai[m + 4] = weapons.box(indexedName("txtBusouKai", m + 4));
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
        combo->setMaxVisibleItems(14);
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
