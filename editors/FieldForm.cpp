#include "editors/FieldForm.h"

#include "editors/EditDialog.h"
#include "editors/ModuleMain.h"
#include "platform/ControlAccess.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace korven {

FieldForm::FieldForm(EditDialog& dialog, std::span<const FormCell> cells, int labelMargin)
    : m_grid(new QGridLayout) {
    QList<QWidget*> controls;
    for (const FormCell& cell : cells) {
        QWidget* widget = makeControl(dialog, cell, labelMargin);
        if (!cell.toolTip.isEmpty() && qobject_cast<QLineEdit*>(widget) == nullptr) {
            widget->setToolTip(cell.toolTip);
        }
        controls.append(widget);
        if (!cell.name.isEmpty()) {
            m_widgets.insert(cell.name, widget);
        }
    }
    place(cells, controls);
    // A caption may come before the control it names, so the names are given once all exist;
    // a control's own spoken name then replaces its caption's.
    for (qsizetype i = 0; i < controls.size(); ++i) {
        const FormCell& cell = cells[static_cast<std::size_t>(i)];
        if (cell.kind == FormCell::Kind::Caption && !cell.buddy.isEmpty()) {
            labelControl(qobject_cast<QLabel*>(controls[i]), m_widgets.value(cell.buddy));
        }
    }
    for (qsizetype i = 0; i < controls.size(); ++i) {
        const QString& spoken = cells[static_cast<std::size_t>(i)].spoken;
        if (!spoken.isEmpty()) {
            nameControl(controls[i], spoken);
        }
    }
}

void FieldForm::place(std::span<const FormCell> cells, const QList<QWidget*>& controls) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const FormCell& cell = cells[i];
        if (cell.beside) {
            continue;  // placed with the cell it stands beside
        }
        QWidget* widget = controls[static_cast<qsizetype>(i)];
        if (i + 1 == cells.size() || !cells[i + 1].beside) {
            m_grid->addWidget(widget, cell.row, cell.column, 1, cell.columnSpan, cell.alignment);
            continue;
        }
        // The controls of one cell stand close together at its left.
        auto* row = new QHBoxLayout;
        row->setSpacing(2);
        row->addWidget(widget);
        for (std::size_t next = i + 1; next < cells.size() && cells[next].beside; ++next) {
            row->addWidget(controls[static_cast<qsizetype>(next)]);
        }
        row->addStretch(1);
        m_grid->addLayout(row, cell.row, cell.column, 1, cell.columnSpan, cell.alignment);
    }
}

QWidget* FieldForm::makeControl(EditDialog& dialog, const FormCell& cell, int labelMargin) {
    QLineEdit* box = nullptr;
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
            if (cell.characters > 0) {
                combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
                combo->setMinimumContentsLength(cell.characters);
            }
            combo->setEnabled(!cell.shownOnly);
            m_tabOrder.append(combo);
            return combo;
        }
        case FormCell::Kind::Check: {
            auto* check = new QCheckBox(&dialog);
            check->setObjectName(cell.name);
            m_tabOrder.append(check);
            return check;
        }
        case FormCell::Kind::Title:
            box = dialog.makeTitleBox(cell.name, cell.characters, !cell.shownOnly);
            break;
        case FormCell::Kind::Box:
            box = cell.digits > 0       ? dialog.makeNumberBox(cell.name, cell.digits)
                  : cell.characters > 0 ? dialog.makeSizedBox(cell.name, cell.characters, !cell.shownOnly)
                                        : dialog.makeBox(cell.name);
            break;
    }
    if (cell.width > 0) {
        box->setFixedWidth(cell.width);
    }
    if (cell.minimumWidth > 0) {
        box->setMinimumWidth(cell.minimumWidth);
    }
    if (cell.rightAligned) {
        box->setAlignment(Qt::AlignRight);
    }
    if (cell.maxLength > 0) {
        box->setMaxLength(cell.maxLength);
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

QCheckBox* FieldForm::check(const QString& name) const {
    return qobject_cast<QCheckBox*>(m_widgets.value(name));
}

}  // namespace korven
