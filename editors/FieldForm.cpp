#include "editors/FieldForm.h"

#include "editors/EditDialog.h"
#include "editors/ModuleMain.h"
#include "platform/ControlAccess.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace korven {

FieldForm::FieldForm(EditDialog& dialog, std::span<const FormCell> cells, int labelMargin)
    : m_grid(new QGridLayout) {
    for (const FormCell& cell : cells) {
        QWidget* widget = makeControl(dialog, cell, labelMargin);
        m_widgets.insert(cell.name, widget);
        m_grid->addWidget(widget, cell.row, cell.column, 1, cell.columnSpan);
    }
    // A caption may come before the control it names, so the names are given once all exist;
    // a control's own spoken name then replaces its caption's.
    for (const FormCell& cell : cells) {
        if (cell.kind == FormCell::Kind::Caption && !cell.buddy.isEmpty()) {
            labelControl(label(cell.name), m_widgets.value(cell.buddy));
        }
    }
    for (const FormCell& cell : cells) {
        if (!cell.spoken.isEmpty()) {
            m_widgets.value(cell.name)->setAccessibleName(cell.spoken);
        }
    }
}

QWidget* FieldForm::makeControl(EditDialog& dialog, const FormCell& cell, int labelMargin) {
    switch (cell.kind) {
        case FormCell::Kind::Caption:
            return dialog.makeFieldLabel(cell.text, cell.name, labelMargin);
        case FormCell::Kind::Unit:
            return dialog.makePlainLabel(cell.text, cell.name, labelMargin);
        case FormCell::Kind::Heading: {
            QLabel* heading = dialog.makeFieldLabel(cell.text, cell.name, labelMargin);
            heading->setAlignment(Qt::AlignCenter);
            return heading;
        }
        case FormCell::Kind::List: {
            QComboBox* combo = dialog.makeCombo(cell.name);
            if (cell.minimumWidth > 0) {
                combo->setMinimumWidth(cell.minimumWidth);
            }
            m_tabOrder.append(combo);
            return combo;
        }
        case FormCell::Kind::Box:
            break;
    }
    QLineEdit* box =
        cell.digits > 0 ? dialog.makeNumberBox(cell.name, cell.digits) : dialog.makeBox(cell.name);
    if (cell.width > 0) {
        box->setFixedWidth(cell.width);
    }
    if (cell.minimumWidth > 0) {
        box->setMinimumWidth(cell.minimumWidth);
    }
    if (cell.rightAligned) {
        box->setAlignment(Qt::AlignRight);
    }
    box->setEnabled(!cell.shownOnly);
    if (!cell.toolTip.isEmpty()) {
        setOwnToolTip(box, cell.toolTip);
    }
    if (cell.range) {
        const limits::Range range = *cell.range;
        dialog.addLeaveCheck(box, [box, range] { return txtNumInput(box, range.maximum, range.minimum); });
    }
    m_tabOrder.append(box);
    return box;
}

QLineEdit* FieldForm::box(const QString& name) const {
    return qobject_cast<QLineEdit*>(m_widgets.value(name));
}

QComboBox* FieldForm::combo(const QString& name) const {
    return qobject_cast<QComboBox*>(m_widgets.value(name));
}

QLabel* FieldForm::label(const QString& name) const {
    return qobject_cast<QLabel*>(m_widgets.value(name));
}

}  // namespace korven
