#include "editors/frmKagaku.h"

#include "catalogue/ScienceWeapons.h"
#include "editors/EditRules.h"
#include "editors/ModuleMain.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace korven {
namespace {

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setMargin(3);
    return label;
}

QLineEdit* makeBox(QWidget* parent, const QString& name) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    return box;
}

// A box left as loaded goes back as it was, even a value the check would not allow.
int16_t storedTurns(const QLineEdit* box) {
    return static_cast<int16_t>(std::clamp<qint64>(rules::numericValue(box->text()), INT16_MIN, INT16_MAX));
}

}  // namespace

frmKagaku::frmKagaku(EditSession& session, QWidget* parent) : EditDialog(session, parent) {
    setObjectName(QStringLiteral("frmKagaku"));
    setWindowTitle(texts::kagaku::caption());

    m_name = makeBox(this, QStringLiteral("txtMeisyou"));
    m_effect = makeBox(this, QStringLiteral("txtKouka"));
    m_name->setEnabled(false);
    m_effect->setEnabled(false);
    m_need = makeBox(this, QStringLiteral("txtNeed"));
    m_leave = makeBox(this, QStringLiteral("txtLeave"));
    for (QLineEdit* box : {m_need, m_leave}) {
        box->setFixedWidth(80);
        box->setAlignment(Qt::AlignRight);
    }

    auto* grid = new QGridLayout;
    grid->addWidget(makeLabel(this, QStringLiteral("lblMeisyou"), texts::kagaku::name()), 0, 0);
    grid->addWidget(m_name, 0, 1, 1, 2);
    grid->addWidget(makeLabel(this, QStringLiteral("lblKouka"), texts::kagaku::effect()), 1, 0);
    grid->addWidget(m_effect, 1, 1, 1, 2);
    grid->addWidget(makeLabel(this, QStringLiteral("lblNeed"), texts::kagaku::need()), 2, 0);
    grid->addWidget(m_need, 2, 1);
    grid->addWidget(makeLabel(this, QStringLiteral("lblLeave"), texts::kagaku::leave()), 3, 0);
    grid->addWidget(m_leave, 3, 1);
    for (int i = 0; i < 2; ++i) {
        QLabel* half = makeLabel(this, QStringLiteral("lblHalf_%1").arg(i), texts::kagaku::half());
        // A unit beside the box, not a caption: it keeps the dialog's own look.
        half->setProperty(kTagProperty, QStringLiteral("!"));
        grid->addWidget(half, 2 + i, 2);
    }
    grid->setColumnStretch(2, 1);
    m_name->setMinimumWidth(220);

    EditButtonCaptions captions;
    captions.apply = texts::kagaku::hiddenApply();
    createStandardButtons(captions, /*withUndo=*/false, /*applyVisible=*/false);
    // A click on Cancel is checked like any other button; Esc closes without the check.
    disconnect(cancelButton(), &QPushButton::clicked, this, &QDialog::reject);
    connect(cancelButton(), &QPushButton::clicked, this, [this] {
        if (checkFocusedBox()) {
            reject();
        }
    });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    addButtons(buttons, {QStringLiteral("CommandEnter"), QStringLiteral("CommandCancel")});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    setLayout(layout);

    connect(m_need, &QLineEdit::textChanged, this,
            [this] { MarkChanged(this, m_need, qint64(entry().Need)); });
    connect(m_leave, &QLineEdit::textChanged, this,
            [this] { MarkChanged(this, m_leave, qint64(entry().Leave)); });
    addLeaveCheck(m_need, [this] { return correctNeed(); });
    addLeaveCheck(m_leave, [this] { return correctLeave(); });

    ApplyLabelStyle(this);
}

bool frmKagaku::setTarget1(int16_t weaponClass) {
    if (weaponClass < 0 || weaponClass >= catalogue::kScienceWeaponLines) {
        return false;
    }
    m_target1 = weaponClass;
    return true;
}

bool frmKagaku::setTarget2(int16_t entryIndex) {
    if (entryIndex < 0 || entryIndex >= catalogue::kScienceWeaponSteps) {
        return false;
    }
    m_target2 = entryIndex;
    return true;
}

ScienceWeaponEntry& frmKagaku::entry() const {
    return m_session.file
        .ScienceWeapon[static_cast<std::size_t>(m_target1)][static_cast<std::size_t>(m_target2)];
}

void frmKagaku::showEvent(QShowEvent* event) {
    // The targets are set between construction and showing, so the values come in here, once:
    // coming back to the dialog later must not overwrite what the user typed.
    if (!m_loaded) {
        m_loaded = true;
        LoadControls();
    }
    EditDialog::showEvent(event);
}

void frmKagaku::LoadControls() {
    const std::optional<catalogue::ScienceWeaponText> text =
        catalogue::ScienceWeaponTextOf(m_target1, m_target2);
    m_name->setText(text ? text->name : QString());
    m_effect->setText(text ? text->effect : QString());
    m_need->setText(QString::number(entry().Need));
    m_leave->setText(QString::number(entry().Leave));
}

void frmKagaku::StoreControls() {
    ScienceWeaponEntry& stored = entry();
    stored.Need = storedTurns(m_need);
    stored.Leave = storedTurns(m_leave);
}

bool frmKagaku::correctNeed() {
    bool changed = false;
    txtNumInput(m_need, kMaxNeed, 0, &changed);
    return changed;
}

bool frmKagaku::correctLeave() {
    bool changed = false;
    txtNumInput(m_leave, rules::numericValue(m_need->text()), 0, &changed);
    return changed;
}

void ShowKagakuEditor(EditSession& session, QWidget* owner) {
    frmKagaku dialog(session, owner);
    if (!dialog.setTarget1(session.selection.target1) || !dialog.setTarget2(session.selection.target2)) {
        return;
    }
    dialog.exec();
}

}  // namespace korven
