#include "editors/frmShip.h"

#include "catalogue/MaxStepTable.h"
#include "catalogue/ReferenceTables.h"
#include "editors/Colours.h"
#include "editors/GamePictures.h"
#include "editors/ModuleMain.h"
#include "editors/ShipState.h"
#include "platform/UiServices.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

namespace korven {
namespace {

QString indexed(const char* name, std::size_t index) {
    return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index);
}

qint64 valueOf(const QLineEdit* box) {
    return rules::numericValue(box->text());
}

template <typename T>
T fitted(qint64 value) {
    return static_cast<T>(
        std::clamp<qint64>(value, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
}

// The hull: the class name up to its first ":".
QString hullOf(const QString& className) {
    qsizetype end = className.indexOf(u':');
    const qsizetype nul = className.indexOf(QChar(u'\0'));
    if (nul >= 0 && (end < 0 || nul < end)) {
        end = nul;
    }
    return end < 0 ? className : className.left(end);
}

// Tabbing or clicking away leaves a box; opening a popup or switching windows does not.
bool leavesBox(const QEvent* event) {
    if (event->type() != QEvent::FocusOut) {
        return false;
    }
    switch (static_cast<const QFocusEvent*>(event)->reason()) {
        case Qt::TabFocusReason:
        case Qt::BacktabFocusReason:
        case Qt::MouseFocusReason:
        case Qt::ShortcutFocusReason:
        case Qt::OtherFocusReason:
            return true;
        default:
            return false;
    }
}

constexpr QSize kPictureSize{240, 120};

}  // namespace

std::optional<QString> ShipSelectionProblem(const EditSession& session) {
    const int classIndex = session.selection.record;
    if (classIndex < 0 || classIndex >= SaveFile::kShipClasses) {
        return ship::texts::badClassIndex(classIndex);
    }
    if (session.selection.ship >= SaveFile::kShips) {
        return ship::texts::badShipIndex(session.selection.ship);
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

    ApplyLabelStyle(this);
    keepDisabledBoxesLegible();
    editingState().EditLoading = true;
    setWindowTitle(m_individual ? ship::texts::shipCaption() : ship::texts::classCaption());
    loadPicture();
    fillGunCombos();
    m_carrierEntry = ship::FindCarrierEntry(shipClass().Kind[1], m_shipIndex, m_session.file.CarrierAir);
    connectControls();
    LoadControls();
    editingState().EditLoading = false;
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
    m_txtKanmei = makeSizedBox(QStringLiteral("txtKanmei"), 24, false, false);
    QFont nameFont = m_txtKanmei->font();
    nameFont.setBold(true);
    nameFont.setPointSizeF(nameFont.pointSizeF() * 1.2);
    m_txtKanmei->setFont(nameFont);
    m_txtKanmei->setMaximumWidth(QWIDGETSIZE_MAX);
    m_txtSyozoku = makeSizedBox(QStringLiteral("txtSyozoku"), 18, false, false);
    m_txtKokuseki = makeSizedBox(QStringLiteral("txtKokuseki"), 10, false, true);
    m_txtKansyu = makeSizedBox(QStringLiteral("txtKansyu"), 12, false, true);
    m_txtKankei = makeSizedBox(QStringLiteral("txtKankei"), 14, false, true);
    m_txtSentai = makeSizedBox(QStringLiteral("txtSentai"), 14, false, true);

    constexpr int kNumber = 6;
    m_txtStep[0] = makeSizedBox(indexed("txtStep", 0), kNumber, true, true);
    m_txtStep[1] = makeSizedBox(indexed("txtStep", 1), kNumber, false, true);
    m_txtStep[2] = makeSizedBox(indexed("txtStep", 2), kNumber, true, false);
    m_txtStep[3] = makeSizedBox(indexed("txtStep", 3), kNumber, true, false);
    for (std::size_t j = 0; j < m_sliderStep.size(); ++j) {
        m_sliderStep[j] = new QSlider(Qt::Horizontal, this);
        m_sliderStep[j]->setObjectName(indexed("SliderStep", j));
        m_sliderStep[j]->setMinimumWidth(140);
    }
    m_txtSongai = makeSizedBox(QStringLiteral("txtSongai"), 8, false, false);
    m_txtHattyaku = makeSizedBox(QStringLiteral("txtHattyaku"), 8, false, false);
    m_txtSokuryoku[0] = makeSizedBox(indexed("txtSokuryoku", 0), kNumber, true, true);
    m_txtSokuryoku[1] = makeSizedBox(indexed("txtSokuryoku", 1), kNumber, false, false);
    m_txtSokuryoku[2] = makeSizedBox(indexed("txtSokuryoku", 2), 10, false, false);
    m_txtNenryou[0] = makeSizedBox(indexed("txtNenryou", 0), kNumber, true, true);
    m_txtNenryou[1] = makeSizedBox(indexed("txtNenryou", 1), kNumber, true, false);
    m_txtNenpi = makeSizedBox(QStringLiteral("txtNenpi"), kNumber, true, true);
    m_txtZankouzoku = makeSizedBox(QStringLiteral("txtZankouzoku"), 8, false, false);
    m_txtTousaisyu = makeSizedBox(QStringLiteral("txtTousaisyu"), 10, false, true);
    m_txtTousai[0] = makeSizedBox(indexed("txtTousai", 0), kNumber, true, true);
    m_txtTousai[1] = makeSizedBox(indexed("txtTousai", 1), kNumber, false, false);
    m_cmdTousai = new QPushButton(QStringLiteral("搭載"), this);
    m_cmdTousai->setObjectName(QStringLiteral("CmdTousai"));
    m_cmdTousai->setAutoDefault(false);
    m_txtSoukou[0] = makeSizedBox(indexed("txtSoukou", 0), kNumber, true, true);
    m_txtSoukou[1] = makeSizedBox(indexed("txtSoukou", 1), kNumber, true, true);
    m_txtSenkou = makeSizedBox(QStringLiteral("txtSenkou"), kNumber, false, true);
    m_txtJoutai = makeSizedBox(QStringLiteral("txtJoutai"), 8, false, false);
    for (std::size_t m = 0; m < 4; ++m) {
        m_cbBusouSyu[m] = new QComboBox(this);
        m_cbBusouSyu[m]->setObjectName(indexed("cbBusouSyu", m));
        m_cbBusouSyu[m]->setProperty(kForeColorProperty, colours::kHighlight);
        m_cbBusouSyu[m]->setMinimumContentsLength(7);
        m_cbBusouSyu[m]->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        m_cbBusouSyu[m]->setMaxVisibleItems(14);
        m_txtBusouMon[m] = makeSizedBox(indexed("txtBusouMon", m), kNumber, true, true);
        m_txtBusouKai[m] = makeSizedBox(indexed("txtBusouKai", m), kNumber, true, true);
        m_txtBusouMon[m + 4] = makeSizedBox(indexed("txtBusouMon", m + 4), kNumber, false, false);
        m_txtBusouKai[m + 4] = makeSizedBox(indexed("txtBusouKai", m + 4), kNumber, true, false);
    }
    for (QLineEdit* box : {m_txtStep[0], m_txtStep[1], m_txtStep[2], m_txtStep[3], m_txtSokuryoku[0],
                           m_txtSokuryoku[1], m_txtNenryou[0], m_txtNenryou[1], m_txtNenpi, m_txtZankouzoku,
                           m_txtTousai[0], m_txtTousai[1], m_txtSoukou[0], m_txtSoukou[1]}) {
        box->setAlignment(Qt::AlignRight);
    }
    for (QLineEdit* box : m_txtBusouMon) {
        box->setAlignment(Qt::AlignRight);
    }
    for (QLineEdit* box : m_txtBusouKai) {
        box->setAlignment(Qt::AlignRight);
    }

    m_imgShip = new QLabel(this);
    m_imgShip->setObjectName(QStringLiteral("ImgShip"));
    m_imgShip->setProperty(kTagProperty, QStringLiteral("!"));
    m_imgShip->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    m_imgShip->setAlignment(Qt::AlignCenter);
    m_imgShip->setMinimumSize(kPictureSize);

    m_lblKankeiHelp = makeFieldLabel(ship::texts::classHelp(), QStringLiteral("lblKankeiHelp"));
    m_lblKankeiHelp->setProperty(kForeColorProperty, colours::kHighlight);
    m_lblKankeiHelp->setWordWrap(true);
}

void frmShip::buildLayout() {
    auto* top = new QVBoxLayout(this);

    auto* header = new QGridLayout;
    header->addWidget(m_txtKanmei, 0, 0, 1, 4);
    QLabel* label3 = makeFieldLabel(QStringLiteral("所属"), QStringLiteral("Label3"));
    header->addWidget(label3, 1, 0);
    header->addWidget(m_txtSyozoku, 1, 1, 1, 3, Qt::AlignLeft);
    header->addWidget(makeFieldLabel(QStringLiteral("国籍")), 2, 0);
    header->addWidget(m_txtKokuseki, 2, 1);
    header->addWidget(makeFieldLabel(QStringLiteral("艦種")), 2, 2);
    header->addWidget(m_txtKansyu, 2, 3);
    header->addWidget(makeFieldLabel(QStringLiteral("艦型")), 3, 0);
    header->addWidget(m_txtKankei, 3, 1);
    header->addWidget(makeFieldLabel(QStringLiteral("船体")), 3, 2);
    header->addWidget(m_txtSentai, 3, 3);
    // The picture beside the header rows, so that its height does not spread them.
    auto* headerColumn = new QVBoxLayout;
    headerColumn->addLayout(header);
    headerColumn->addStretch(1);
    auto* headerRow = new QHBoxLayout;
    headerRow->addLayout(headerColumn);
    headerRow->addWidget(m_imgShip, 1);
    top->addLayout(headerRow);
    top->addWidget(m_lblKankeiHelp);

    // Class values in the first column, the ship's own beside them.
    auto* performance = new QGroupBox(QStringLiteral("性能"), this);
    auto* grid = new QGridLayout(performance);
    QLabel* classHeading = makeFieldLabel(QStringLiteral("艦型"), QStringLiteral("lblKankeiColumn"));
    classHeading->setProperty(kTagProperty, QStringLiteral("!"));
    classHeading->setProperty(kForeColorProperty, colours::kHighlight);
    QLabel* shipHeading = makeFieldLabel(QStringLiteral("現在"), QStringLiteral("lblKokanColumn"));
    shipHeading->setProperty(kTagProperty, QStringLiteral("!"));
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
    addRow(makeFieldLabel(QStringLiteral("上部ステップ")), m_txtStep[0]);
    addRow(makeFieldLabel(QStringLiteral("下部ステップ")), m_txtStep[1]);
    addRow(makeFieldLabel(QStringLiteral("速力")), m_txtSokuryoku[0], m_txtSokuryoku[1], m_txtSokuryoku[2]);
    addRow(makeFieldLabel(QStringLiteral("燃料")), m_txtNenryou[0], m_txtNenryou[1]);
    addRow(makeFieldLabel(QStringLiteral("燃費")), m_txtNenpi);
    QLabel* rangeLabel = makeFieldLabel(QStringLiteral("残航続"), QStringLiteral("lblZankouzoku"));
    addRow(rangeLabel, nullptr, m_txtZankouzoku);
    auto* carriage = new QHBoxLayout;
    carriage->addWidget(m_txtTousaisyu);
    carriage->addWidget(m_cmdTousai);
    grid->addLayout(carriage, row, 3, Qt::AlignLeft);
    addRow(makeFieldLabel(QStringLiteral("搭載")), m_txtTousai[0], m_txtTousai[1]);
    addRow(makeFieldLabel(QStringLiteral("舷側装甲")), m_txtSoukou[0]);
    addRow(makeFieldLabel(QStringLiteral("甲板装甲")), m_txtSoukou[1]);
    addRow(makeFieldLabel(QStringLiteral("潜航深度")), m_txtSenkou);
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(4, 1);

    m_damageGroup = new QGroupBox(QStringLiteral("損害"), this);
    m_damageGroup->setObjectName(QStringLiteral("fraSongai"));
    auto* damage = new QGridLayout(m_damageGroup);
    QLabel* upperLabel = makeFieldLabel(QStringLiteral("上部ステップ"), QStringLiteral("lblStep_0"));
    QLabel* lowerLabel = makeFieldLabel(QStringLiteral("下部ステップ"), QStringLiteral("lblStep_1"));
    QLabel* damageLabel = makeFieldLabel(QStringLiteral("損害状態"), QStringLiteral("lblSongai"));
    QLabel* launchLabel = makeFieldLabel(QStringLiteral("発着"), QStringLiteral("lblHattyaku"));
    QLabel* stateLabel = makeFieldLabel(QStringLiteral("状態"), QStringLiteral("lblJoutai"));
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

    auto* weapons = new QGroupBox(QStringLiteral("武装"), this);
    auto* arms = new QGridLayout(weapons);
    QLabel* classArms = makeFieldLabel(QStringLiteral("艦型"), QStringLiteral("lblBusouKankei"));
    classArms->setProperty(kTagProperty, QStringLiteral("!"));
    classArms->setProperty(kForeColorProperty, colours::kHighlight);
    QLabel* shipArms = makeFieldLabel(QStringLiteral("現在"), QStringLiteral("lblBusouKokan"));
    shipArms->setProperty(kTagProperty, QStringLiteral("!"));
    arms->addWidget(classArms, 0, 2, 1, 2, Qt::AlignCenter);
    arms->addWidget(shipArms, 0, 4, 1, 2, Qt::AlignCenter);
    arms->addWidget(makeFieldLabel(QStringLiteral("門数")), 1, 2);
    arms->addWidget(makeFieldLabel(QStringLiteral("回数")), 1, 3);
    QLabel* shipGuns = makeFieldLabel(QStringLiteral("門数"), QStringLiteral("lblBusouMonKokan"));
    QLabel* shipFirings = makeFieldLabel(QStringLiteral("回数"), QStringLiteral("lblBusouKaiKokan"));
    arms->addWidget(shipGuns, 1, 4);
    arms->addWidget(shipFirings, 1, 5);
    const QString mountNames[] = {QStringLiteral("武装１"), QStringLiteral("武装２"),
                                  QStringLiteral("武装３"), QStringLiteral("武装４")};
    for (std::size_t m = 0; m < 4; ++m) {
        const int r = static_cast<int>(m) + 2;
        arms->addWidget(makeFieldLabel(mountNames[m]), r, 0);
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
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    addButtons(buttons, {QStringLiteral("CommandEnter"), QStringLiteral("CommandApply"),
                         QStringLiteral("CommandUndo"), QStringLiteral("CommandCancel")});
    top->addLayout(buttons);

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

void frmShip::loadPicture() {
    const QString path = FindGamePicture(m_session.gamePath, QStringLiteral("ship%1.bmp").arg(m_classIndex));
    if (path.isEmpty()) {
        return;
    }
    const QPixmap picture = ui().loadPicture(path);
    if (picture.isNull()) {
        return;
    }
    const bool tooLarge =
        picture.width() > kPictureSize.width() * 2 || picture.height() > kPictureSize.height() * 2;
    m_imgShip->setPixmap(
        tooLarge ? picture.scaled(kPictureSize * 2, Qt::KeepAspectRatio, Qt::SmoothTransformation) : picture);
}

void frmShip::fillGunCombos() {
    for (QComboBox* combo : m_cbBusouSyu) {
        combo->clear();
        int code = 0;
        for (const QString& name : catalogue::WeaponNames()) {
            combo->addItem(name, code++);
        }
        combo->addItem(ship::texts::noGun(), ship::kNoGunType);
    }
}

void frmShip::connectControls() {
    auto onText = [this](QLineEdit* box, auto handler) {
        connect(box, &QLineEdit::textChanged, this, handler);
    };
    const ShipClassRecord* c = &shipClass();

    onText(m_txtStep[0], [this, c] {
        if (numberChanged(m_txtStep[0], 999, 0, qint64(c->Perf[0]))) {
            stepChanged(0);
        }
    });
    onText(m_txtStep[1], [this] {
        const std::optional<int16_t> stored = storedLowerSteps();
        if (numberChanged(m_txtStep[1], 999, 0,
                          stored ? rules::StoredValue(qint64(*stored)) : rules::StoredValue{})) {
            stepChanged(1);
        }
    });
    onText(m_txtSokuryoku[0], [this, c] { numberChanged(m_txtSokuryoku[0], 99, 0, qint64(c->Perf[1])); });
    onText(m_txtNenryou[0], [this, c] { numberChanged(m_txtNenryou[0], 32767, 1, qint64(c->Perf[2])); });
    onText(m_txtNenpi, [this, c] { numberChanged(m_txtNenpi, 255, 0, qint64(c->Armor[0])); });
    onText(m_txtTousai[0], [this, c] { numberChanged(m_txtTousai[0], 255, 0, qint64(c->AircraftCapacity)); });
    onText(m_txtSoukou[0], [this, c] { numberChanged(m_txtSoukou[0], 99, 0, qint64(c->Armor[3])); });
    onText(m_txtSoukou[1], [this, c] { numberChanged(m_txtSoukou[1], 99, 0, qint64(c->Armor[2])); });
    onText(m_txtKankei, [this, c] { MarkChanged(this, m_txtKankei, c->Name.text()); });
    onText(m_txtKansyu, [this, c] {
        MarkChanged(this, m_txtKansyu, catalogue::labelOr(catalogue::ShipTypeNames(), c->Kind[1]));
    });
    onText(m_txtTousaisyu, [this] { markDerived(m_txtTousaisyu); });
    for (std::size_t m = 0; m < 4; ++m) {
        connect(m_cbBusouSyu[m], &QComboBox::currentIndexChanged, this,
                [this, m] { gunTypeChosen(static_cast<int>(m)); });
        onText(m_txtBusouMon[m],
               [this, c, m] { numberChanged(m_txtBusouMon[m], 255, 0, qint64(c->Weapon[1][m])); });
        onText(m_txtBusouKai[m],
               [this, c, m] { numberChanged(m_txtBusouKai[m], 9, 0, qint64(c->Weapon[2][m])); });
    }

    QList<QWidget*> watched{m_txtNenryou[0], m_txtSokuryoku[0], m_txtNenpi};
    for (std::size_t m = 0; m < 4; ++m) {
        watched << m_cbBusouSyu[m] << m_txtBusouMon[m] << m_txtBusouKai[m];
    }

    if (m_individual) {
        const ShipRecord* s = &ship();
        onText(m_txtStep[2], [this, s] {
            if (numberChanged(m_txtStep[2], valueOf(m_txtStep[0]), 0, qint64(s->Words[5]))) {
                stepChanged(2);
            }
        });
        onText(m_txtStep[3], [this, s] {
            if (numberChanged(m_txtStep[3], valueOf(m_txtStep[1]), 0, qint64(s->Words[4]))) {
                stepChanged(3);
            }
        });
        onText(m_txtNenryou[1], [this, s] {
            numberChanged(m_txtNenryou[1], valueOf(m_txtNenryou[0]), 0, qint64(s->Words[6]));
        });
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
            [] { ui().show(Message(ship::texts::notBuiltYet(), MessageIcon::Information)); });
}

bool frmShip::numberChanged(QLineEdit* box, std::optional<qint64> maximum, std::optional<qint64> minimum,
                            const rules::StoredValue& stored) {
    bool changed = false;
    txtNumInput(box, maximum, minimum, &changed);
    if (changed) {
        return false;  // rewriting the text raised the change again, which handled it
    }
    MarkChanged(this, box, stored);
    return true;
}

void frmShip::stepChanged(int j) {
    if (m_individual) {
        const auto slider = static_cast<std::size_t>(j % 2);
        const QSignalBlocker blocker(m_sliderStep[slider]);
        if (j < 2) {
            m_sliderStep[slider]->setMaximum(
                static_cast<int>(std::max<qint64>(0, valueOf(m_txtStep[slider]))));
        } else {
            m_sliderStep[slider]->setValue(static_cast<int>(valueOf(m_txtStep[slider + 2])));
        }
    }
    if (!editingState().EditLoading) {
        RecalcShipState(false);
    }
}

void frmShip::shipFiringsChanged(int m) {
    const auto i = static_cast<std::size_t>(m);
    numberChanged(m_txtBusouKai[i + 4], valueOf(m_txtBusouKai[i]), 0, qint64(ship().BusouKai[i]));
}

void frmShip::gunTypeChosen(int m) {
    QComboBox* combo = m_cbBusouSyu[static_cast<std::size_t>(m)];
    const int stored = shipClass().Weapon[0][static_cast<std::size_t>(m)];
    MarkChanged(this, combo, qint64(ship::GunTypeComboIndex(stored, gunCount())));
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
        if (box == m_cbBusouSyu[m]) {
            if (ship::OnGunTypeLeft(m_cbBusouSyu[m]->currentData().toInt()) == ship::MountChange::Clear) {
                SetMountEnabled(mount, false);
            }
            return;
        }
        if (box == m_txtBusouMon[m]) {
            if (ship::OnGunCountLeft(valueOf(m_txtBusouMon[m])) == ship::MountChange::Clear) {
                SetMountEnabled(mount, false);
            } else {
                RecalcShipState(false);
            }
            return;
        }
        if (box == m_txtBusouKai[m]) {
            if (ship::OnFiringsLeft(valueOf(m_txtBusouKai[m])) == ship::MountChange::Clear) {
                SetMountEnabled(mount, false);
            } else if (m_individual) {
                shipFiringsChanged(mount);  // against the new maximum
            }
            return;
        }
    }
    if (box == m_txtNenryou[0] || box == m_txtNenryou[1] || box == m_txtSokuryoku[0] || box == m_txtNenpi) {
        RecalcShipState(false);
    }
}

bool frmShip::eventFilter(QObject* watched, QEvent* event) {
    if (leavesBox(event)) {
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

void frmShip::remember(QLineEdit* box) {
    m_remembered.insert(box, box->text());
}

void frmShip::markDerived(QLineEdit* box) {
    const auto found = m_remembered.constFind(box);
    MarkChanged(this, box,
                found == m_remembered.constEnd() ? rules::StoredValue{} : rules::StoredValue(*found));
}

void frmShip::RecalcShipState(bool rememberValues) {
    if (!m_individual) {
        return;
    }
    ship::ShipStateInput input;
    input.classUpper = valueOf(m_txtStep[0]);
    input.classLower = valueOf(m_txtStep[1]);
    input.upper = valueOf(m_txtStep[2]);
    input.lower = valueOf(m_txtStep[3]);
    input.classSpeed = valueOf(m_txtSokuryoku[0]);
    input.fuel = valueOf(m_txtNenryou[1]);
    input.consumption = valueOf(m_txtNenpi);
    for (std::size_t m = 0; m < 4; ++m) {
        input.classGuns[m] = valueOf(m_txtBusouMon[m]);
    }
    const ship::ShipState state = ship::RecalcShipState(input);
    m_txtSongai->setText(state.damage);
    m_txtSokuryoku[1]->setText(state.speed);
    m_txtZankouzoku->setText(state.range);
    m_txtHattyaku->setText(state.launch);
    for (std::size_t m = 0; m < 4; ++m) {
        m_txtBusouMon[m + 4]->setText(state.guns[m]);
    }
    if (rememberValues) {
        for (QLineEdit* box : {m_txtSongai, m_txtHattyaku, m_txtZankouzoku, m_txtTousaisyu, m_txtSokuryoku[1],
                               m_txtTousai[1]}) {
            remember(box);
        }
        for (std::size_t m = 4; m < 8; ++m) {
            remember(m_txtBusouMon[m]);
            remember(m_txtBusouKai[m]);
        }
    }
}

void frmShip::hideShipControls() {
    for (QWidget* w : m_shipOnly) {
        w->hide();
    }
}

void frmShip::LoadControls() {
    const ShipClassRecord& c = shipClass();
    auto number = [](qint64 value) { return QString::number(value); };

    m_txtKanmei->setText(m_individual ? m_session.selectedItemText : ship::texts::classModeShipName());
    m_txtKokuseki->setText(catalogue::labelOr(catalogue::ShipNationNames(), c.Kind[0]));
    m_txtKansyu->setText(catalogue::labelOr(catalogue::ShipTypeNames(), c.Kind[1]));
    m_txtKankei->setText(c.Name.text());
    m_txtSentai->setText(hullOf(m_txtKankei->text()));
    m_txtStep[0]->setText(number(c.Perf[0]));
    const std::optional<int16_t> lower = storedLowerSteps();
    m_txtStep[1]->setText(lower ? number(*lower) : QString());
    m_txtSokuryoku[0]->setText(number(c.Perf[1]));
    m_txtSokuryoku[2]->setText(ship::texts::unknown());
    m_txtNenryou[0]->setText(number(c.Perf[2]));
    m_txtNenpi->setText(number(c.Armor[0]));
    m_txtTousaisyu->setText(ship::CarriageText(c.Kind[1]));
    remember(m_txtTousaisyu);
    m_txtTousai[0]->setText(number(c.AircraftCapacity));
    m_txtSoukou[0]->setText(number(c.Armor[3]));
    m_txtSoukou[1]->setText(number(c.Armor[2]));
    m_txtSenkou->setText(ship::texts::unknown());
    for (std::size_t m = 0; m < 4; ++m) {
        // The selection first: choosing a gun may fill the mount's boxes, which the record then overrides.
        m_cbBusouSyu[m]->setCurrentIndex(ship::GunTypeComboIndex(c.Weapon[0][m], gunCount()));
        m_txtBusouMon[m]->setText(number(c.Weapon[1][m]));
        m_txtBusouKai[m]->setText(number(c.Weapon[2][m]));
    }

    if (!m_individual) {
        hideShipControls();
        return;
    }
    const ShipRecord& s = ship();
    m_txtSyozoku->setText(ship::texts::unsupportedPrefix() + number(s.Words[0]));
    m_txtJoutai->setText(ship::texts::unknown());
    const int16_t shipSteps[2] = {s.Words[5], s.Words[4]};
    for (std::size_t j = 0; j < 2; ++j) {
        m_txtStep[j + 2]->setText(number(shipSteps[j]));
        const QSignalBlocker blocker(m_sliderStep[j]);
        m_sliderStep[j]->setMaximum(static_cast<int>(std::max<qint64>(0, valueOf(m_txtStep[j]))));
        m_sliderStep[j]->setValue(static_cast<int>(valueOf(m_txtStep[j + 2])));
    }
    m_txtNenryou[1]->setText(number(s.Words[6]));
    const std::optional<int> load =
        ship::CarriedLoad(c.Kind[1], m_carrierEntry, m_session.file.CarrierAir, s);
    m_txtTousai[1]->setText(load ? number(*load) : QString());
    for (std::size_t m = 0; m < 4; ++m) {
        m_txtBusouKai[m + 4]->setText(number(s.BusouKai[m]));
    }
    RecalcShipState(true);
}

void frmShip::StoreControls() {
    ShipClassRecord& c = shipClass();
    c.Perf[0] = fitted<int16_t>(valueOf(m_txtStep[0]));
    if (storedLowerSteps()) {
        catalogue::MaxStepTable().set(c.StepIndex, fitted<int16_t>(valueOf(m_txtStep[1])));
    }
    c.Perf[1] = fitted<int16_t>(valueOf(m_txtSokuryoku[0]));
    c.Perf[2] = fitted<int16_t>(valueOf(m_txtNenryou[0]));
    c.Armor[0] = fitted<uint8_t>(valueOf(m_txtNenpi));
    c.AircraftCapacity = fitted<uint8_t>(valueOf(m_txtTousai[0]));
    c.Armor[3] = fitted<uint8_t>(valueOf(m_txtSoukou[0]));
    c.Armor[2] = fitted<uint8_t>(valueOf(m_txtSoukou[1]));
    for (std::size_t m = 0; m < 4; ++m) {
        c.Weapon[0][m] = ship::GunTypeToStore(m_cbBusouSyu[m]->currentIndex(), c.Weapon[0][m], gunCount());
        c.Weapon[1][m] = fitted<uint8_t>(valueOf(m_txtBusouMon[m]));
        c.Weapon[2][m] = fitted<uint8_t>(valueOf(m_txtBusouKai[m]));
    }
    if (!m_individual) {
        return;
    }
    ShipRecord& s = ship();
    s.Words[5] = fitted<int16_t>(valueOf(m_txtStep[2]));
    s.Words[4] = fitted<int16_t>(valueOf(m_txtStep[3]));
    s.Words[6] = fitted<int16_t>(valueOf(m_txtNenryou[1]));
    for (std::size_t m = 0; m < 4; ++m) {
        s.BusouKai[m] = fitted<uint8_t>(valueOf(m_txtBusouKai[m + 4]));
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
