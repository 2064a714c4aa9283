#include "editors/frmKagaku.h"

#include "catalogue/ScienceWeapons.h"
#include "editors/EditRules.h"
#include "editors/EditorTexts.h"
#include "editors/ModuleMain.h"
#include "model/FieldLimits.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace korven {

frmKagaku::frmKagaku(EditSession& session, QWidget* parent) : EditDialog(session, parent) {
    setObjectName(QStringLiteral("frmKagaku"));
    setWindowTitle(texts::kagaku::caption());

    m_name = makeBox(QStringLiteral("txtMeisyou"));
    m_effect = makeBox(QStringLiteral("txtKouka"));
    m_name->setEnabled(false);
    m_effect->setEnabled(false);
    m_need = makeBox(QStringLiteral("txtNeed"));
    m_leave = makeBox(QStringLiteral("txtLeave"));
    m_need->setFixedWidth(80);
    m_leave->setFixedWidth(80);
    alignRight({m_need, m_leave});

    const int margin = kSmallDialogLabelMargin;
    auto* grid = new QGridLayout;
    grid->addWidget(makeLabelFor(m_name, texts::edit::name(), QStringLiteral("lblMeisyou"), margin), 0, 0);
    grid->addWidget(m_name, 0, 1, 1, 2);
    grid->addWidget(makeLabelFor(m_effect, texts::kagaku::effect(), QStringLiteral("lblKouka"), margin), 1,
                    0);
    grid->addWidget(m_effect, 1, 1, 1, 2);
    grid->addWidget(makeLabelFor(m_need, texts::kagaku::need(), QStringLiteral("lblNeed"), margin), 2, 0);
    grid->addWidget(m_need, 2, 1);
    grid->addWidget(makeLabelFor(m_leave, texts::kagaku::leave(), QStringLiteral("lblLeave"), margin), 3, 0);
    grid->addWidget(m_leave, 3, 1);
    for (int i = 0; i < 2; ++i) {
        grid->addWidget(makePlainLabel(texts::kagaku::half(), indexedName("lblHalf", i), margin), 2 + i, 2);
    }
    grid->setColumnStretch(2, 1);
    m_name->setMinimumWidth(220);

    EditButtonCaptions captions;
    captions.apply = texts::kagaku::hiddenApply();
    createStandardButtons(captions, /*withUndo=*/false, /*applyVisible=*/false);
    checkFocusedBoxOnCancel();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttonRow({QStringLiteral("CommandEnter"), QStringLiteral("CommandCancel")}));
    setLayout(layout);

    connect(m_need, &QLineEdit::textChanged, this, [this] { markChanged(m_need, qint64(entry().Need)); });
    connect(m_leave, &QLineEdit::textChanged, this, [this] { markChanged(m_leave, qint64(entry().Leave)); });
    addLeaveCheck(m_need, [this] {
        return txtNumInput(m_need, limits::kScienceNeed.maximum, limits::kScienceNeed.minimum);
    });
    addLeaveCheck(m_leave, [this] {
        const limits::Range leave = limits::scienceLeave(boxValue(m_need));
        return txtNumInput(m_leave, leave.maximum, leave.minimum);
    });

    ApplyLabelStyle(this, m_session.labelColours);
    keepDisabledBoxesLegible();
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
    stored.Need = rules::fitted<int16_t>(boxValue(m_need));
    stored.Leave = rules::fitted<int16_t>(boxValue(m_leave));
}

void ShowKagakuEditor(EditSession& session, QWidget* owner) {
    frmKagaku dialog(session, owner);
    if (!dialog.setTarget1(session.selection.target1) || !dialog.setTarget2(session.selection.target2)) {
        return;
    }
    dialog.exec();
}

}  // namespace korven
