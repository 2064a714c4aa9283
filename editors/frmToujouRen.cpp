#include "editors/frmToujouRen.h"

#include "catalogue/ReferenceTables.h"
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

frmToujouRen::frmToujouRen(EditSession& session, QWidget* parent)
    : EditDialog(session, parent),
      m_airArm(IsAirArm(session.selection.record) ? session.selection.record : 0) {
    setObjectName(QStringLiteral("frmToujouRen"));
    setWindowTitle(texts::toujouRen::caption());

    m_nation = new QLabel(this);
    m_nation->setObjectName(QStringLiteral("lblKokuseki"));
    m_nation->setMargin(3);
    m_nation->setAlignment(Qt::AlignCenter);

    auto* grid = new QGridLayout;
    grid->addWidget(m_nation, 0, 0, 1, 2);
    const QString captions[] = {texts::toujouRen::fighters(), texts::toujouRen::bombers()};
    for (int k = 0; k < 2; ++k) {
        auto* label = new QLabel(captions[k], this);
        label->setObjectName(QStringLiteral("lblRendo_%1").arg(k));
        label->setMargin(3);
        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("txtRendo_%1").arg(k));
        box->setFixedWidth(60);
        box->setAlignment(Qt::AlignRight);
        m_skill[static_cast<std::size_t>(k)] = box;
        grid->addWidget(label, 1 + k, 0);
        grid->addWidget(box, 1 + k, 1);
        connect(box, &QLineEdit::textChanged, this,
                [this, box, k] { MarkChanged(this, box, qint64(skill(k))); });
        addLeaveCheck(box, [box] {
            bool changed = false;
            txtNumInput(box, kMaxSkill, 0, &changed);
            return changed;
        });
    }

    EditButtonCaptions buttonCaptions;
    buttonCaptions.apply = texts::toujouRen::hiddenApply();
    createStandardButtons(buttonCaptions, /*withUndo=*/false, /*applyVisible=*/false);
    // A click on Cancel is checked like any other button; Esc closes without the check.
    disconnect(cancelButton(), &QPushButton::clicked, this, &QDialog::reject);
    connect(cancelButton(), &QPushButton::clicked, this, [this] {
        if (checkFocusedBox()) {
            reject();
        }
    });
    auto* buttons = new QHBoxLayout;
    addButtons(buttons, {QStringLiteral("CommandEnter"), QStringLiteral("CommandCancel")});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    setLayout(layout);

    setMinimumWidth(260);
    ApplyLabelStyle(this);
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
        const qint64 value = rules::numericValue(m_skill[static_cast<std::size_t>(k)]->text());
        // A box left as loaded goes back as it was, even a value the check would not allow.
        skill(k) = static_cast<uint8_t>(std::clamp<qint64>(value, 0, UINT8_MAX));
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
