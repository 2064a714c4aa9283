#include "editors/frmToujouRen.h"

#include "catalogue/ReferenceTables.h"
#include "editors/EditRules.h"
#include "editors/EditorTexts.h"
#include "editors/FieldForm.h"
#include "editors/ModuleMain.h"
#include "model/FieldLimits.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace korven {

frmToujouRen::frmToujouRen(EditSession& session, QWidget* parent)
    : EditDialog(session, parent),
      m_airArm(IsAirArm(session.selection.record) ? session.selection.record : 0) {
    setObjectName(QStringLiteral("frmToujouRen"));
    setWindowTitle(texts::toujouRen::caption());

    using Kind = FormCell::Kind;
    const FormCell cells[] = {
        {.kind = Kind::Heading, .name = u"lblKokuseki"_s, .row = 0, .columnSpan = 2},
        {.kind = Kind::Caption,
         .name = u"lblRendo_0"_s,
         .row = 1,
         .text = texts::edit::fighter(),
         .buddy = u"txtRendo_0"_s},
        {.name = u"txtRendo_0"_s,
         .row = 1,
         .column = 1,
         .width = 60,
         .rightAligned = true,
         .range = limits::kAircrewSkill},
        {.kind = Kind::Caption,
         .name = u"lblRendo_1"_s,
         .row = 2,
         .text = texts::edit::bomber(),
         .buddy = u"txtRendo_1"_s},
        {.name = u"txtRendo_1"_s,
         .row = 2,
         .column = 1,
         .width = 60,
         .rightAligned = true,
         .range = limits::kAircrewSkill},
    };
    const FieldForm form(*this, cells, kSmallDialogLabelMargin);
    m_nation = form.label(u"lblKokuseki"_s);
    for (int k = 0; k < 2; ++k) {
        QLineEdit* box = form.box(indexedName("txtRendo", static_cast<std::size_t>(k)));
        m_skill[static_cast<std::size_t>(k)] = box;
        connect(box, &QLineEdit::textChanged, this, [this, box, k] { markChanged(box, qint64(skill(k))); });
    }

    EditButtonCaptions buttonCaptions;
    buttonCaptions.apply = texts::toujouRen::hiddenApply();
    createStandardButtons(buttonCaptions, /*withUndo=*/false, /*applyVisible=*/false);
    checkFocusedBoxOnCancel();
    auto* buttons = new QHBoxLayout;
    addButtons(buttons, {QStringLiteral("CommandEnter"), QStringLiteral("CommandCancel")});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form.grid());
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
