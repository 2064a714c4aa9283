#include "editors/frmToujouRen.h"

#include "catalogue/ReferenceTables.h"
#include "editors/EditRules.h"
#include "editors/EditorTexts.h"
#include "editors/ModuleMain.h"
#include "model/FieldLimits.h"
#include "platform/ControlAccess.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace korven {

frmToujouRen::frmToujouRen(EditSession& session, QWidget* parent)
    : EditDialog(session, parent),
      m_airArm(IsAirArm(session.selection.record) ? session.selection.record : 0) {
    setObjectName(QStringLiteral("frmToujouRen"));
    setWindowTitle(texts::toujouRen::caption());

    const int margin = kSmallDialogLabelMargin;
    m_nation = makeFieldLabel({}, QStringLiteral("lblKokuseki"), margin);
    m_nation->setAlignment(Qt::AlignCenter);

    auto* grid = new QGridLayout;
    grid->addWidget(m_nation, 0, 0, 1, 2);
    const QString captions[] = {texts::edit::fighter(), texts::edit::bomber()};
    for (int k = 0; k < 2; ++k) {
        QLabel* label = makeFieldLabel(captions[k], indexedName("lblRendo", k), margin);
        QLineEdit* box = makeBox(indexedName("txtRendo", k));
        box->setFixedWidth(60);
        box->setAlignment(Qt::AlignRight);
        m_skill[static_cast<std::size_t>(k)] = box;
        labelControl(label, box);
        grid->addWidget(label, 1 + k, 0);
        grid->addWidget(box, 1 + k, 1);
        connect(box, &QLineEdit::textChanged, this, [this, box, k] { markChanged(box, qint64(skill(k))); });
        addLeaveCheck(box, [box] {
            return txtNumInput(box, limits::kAircrewSkill.maximum, limits::kAircrewSkill.minimum);
        });
    }

    EditButtonCaptions buttonCaptions;
    buttonCaptions.apply = texts::toujouRen::hiddenApply();
    createStandardButtons(buttonCaptions, /*withUndo=*/false, /*applyVisible=*/false);
    checkFocusedBoxOnCancel();
    auto* buttons = new QHBoxLayout;
    addButtons(buttons, {QStringLiteral("CommandEnter"), QStringLiteral("CommandCancel")});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    setLayout(layout);

    setMinimumWidth(260);
    ApplyLabelStyle(this, m_session.labelColours);
    LoadControls();
}

uint8_t& frmToujouRen::skill(int kind) const {
    return m_session.file.AircrewSkill[static_cast<std::size_t>(m_airArm)][static_cast<std::size_t>(kind)];
}

void frmToujouRen::LoadControls() {
    m_nation->setText(catalogue::labelOr(catalogue::AircrewNationNames(), m_airArm));
    for (int k = 0; k < 2; ++k) {
        m_skill[static_cast<std::size_t>(k)]->setText(QString::number(skill(k)));
    }
}

void frmToujouRen::StoreControls() {
    for (int k = 0; k < 2; ++k) {
        skill(k) = rules::fitted<uint8_t>(boxValue(m_skill[static_cast<std::size_t>(k)]));
    }
}

void ShowToujouRenEditor(EditSession& session, QWidget* owner) {
    if (!frmToujouRen::IsAirArm(session.selection.record)) {
        return;
    }
    frmToujouRen dialog(session, owner);
    dialog.exec();
}

}  // namespace korven
