#include "editors/frmKagaku.h"

#include "catalogue/ScienceWeapons.h"
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

frmKagaku::frmKagaku(EditSession& session, QWidget* parent) : EditDialog(session, parent) {
    setObjectName(QStringLiteral("frmKagaku"));
    setWindowTitle(texts::kagaku::caption());

    using Kind = FormCell::Kind;
    const FormCell cells[] = {
        {.kind = Kind::Caption,
         .name = u"lblMeisyou"_s,
         .row = 0,
         .text = texts::edit::name(),
         .buddy = u"txtMeisyou"_s},
        {.name = u"txtMeisyou"_s,
         .row = 0,
         .column = 1,
         .columnSpan = 2,
         .minimumWidth = 220,
         .shownOnly = true},
        {.kind = Kind::Caption,
         .name = u"lblKouka"_s,
         .row = 1,
         .text = texts::kagaku::effect(),
         .buddy = u"txtKouka"_s},
        {.name = u"txtKouka"_s, .row = 1, .column = 1, .columnSpan = 2, .shownOnly = true},
        {.kind = Kind::Caption,
         .name = u"lblNeed"_s,
         .row = 2,
         .text = texts::kagaku::need(),
         .buddy = u"txtNeed"_s},
        {.name = u"txtNeed"_s,
         .row = 2,
         .column = 1,
         .width = 80,
         .rightAligned = true,
         .range = limits::kScienceNeed},
        {.kind = Kind::Unit, .name = u"lblHalf_0"_s, .row = 2, .column = 2, .text = texts::kagaku::half()},
        {.kind = Kind::Caption,
         .name = u"lblLeave"_s,
         .row = 3,
         .text = texts::kagaku::leave(),
         .buddy = u"txtLeave"_s},
        {.name = u"txtLeave"_s, .row = 3, .column = 1, .width = 80, .rightAligned = true},
        {.kind = Kind::Unit, .name = u"lblHalf_1"_s, .row = 3, .column = 2, .text = texts::kagaku::half()},
    };
    const FieldForm form(*this, cells, kSmallDialogLabelMargin);
    m_name = form.box(u"txtMeisyou"_s);
    m_effect = form.box(u"txtKouka"_s);
    m_need = form.box(u"txtNeed"_s);
    m_leave = form.box(u"txtLeave"_s);
    form.grid()->setColumnStretch(2, 1);

    EditButtonCaptions captions;
    captions.apply = texts::kagaku::hiddenApply();
    createStandardButtons(captions, /*withUndo=*/false, /*applyVisible=*/false);
    checkFocusedBoxOnCancel();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form.grid());
    layout->addLayout(buttonRow({QStringLiteral("CommandEnter"), QStringLiteral("CommandCancel")}));
    setLayout(layout);

    connect(m_need, &QLineEdit::textChanged, this, [this] { markChanged(m_need, qint64(entry().Need)); });
    connect(m_leave, &QLineEdit::textChanged, this, [this] { markChanged(m_leave, qint64(entry().Leave)); });
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
