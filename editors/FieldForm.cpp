#include "editors/FieldForm.h"

#include "editors/Colours.h"
#include "editors/EditDialog.h"
#include "editors/ModuleMain.h"
#include "platform/ControlAccess.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

namespace korven {

FieldForm::FieldForm(EditDialog& dialog, std::span<const FormCell> cells, int labelMargin)
    : m_grid(new QGridLayout) {
    QList<QWidget*> controls;
    for (const FormCell& cell : cells) {
        QWidget* widget = makeControl(dialog, cell, labelMargin);
        if (cell.highlighted) {
            widget->setProperty(kForeColorProperty, colours::kHighlight);
        }
        if (!cell.toolTip.isEmpty() && qobject_cast<QLineEdit*>(widget) == nullptr) {
            widget->setToolTip(cell.toolTip);
        }
        if (!cell.name.isEmpty()) {
            m_widgets.insert(cell.name, widget);
        }
        controls.append(widget);
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
        if (const QString& spoken = cells[static_cast<std::size_t>(i)].spoken; !spoken.isEmpty()) {
            nameControl(controls[i], spoken);
        }
    }
}

void FieldForm::place(std::span<const FormCell> cells, const QList<QWidget*>& controls) {
    std::size_t i = 0;
    while (i < cells.size()) {
        const FormCell& cell = cells[i];
        std::size_t end = i + 1;
        while (end < cells.size() && cells[end].beside) {
            ++end;
        }
        if (end == i + 1) {
            m_grid->addWidget(controls[static_cast<qsizetype>(i)], cell.row, cell.column, 1, cell.columnSpan,
                              cell.alignment);
        } else {
            auto* row = new QHBoxLayout;
            for (std::size_t k = i; k < end; ++k) {
                row->addWidget(controls[static_cast<qsizetype>(k)]);
            }
            m_grid->addLayout(row, cell.row, cell.column, 1, cell.columnSpan, cell.alignment);
        }
        i = end;
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
            if (cell.characters > 0) {
                combo->setMinimumContentsLength(cell.characters);
                combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
            }
            combo->setEnabled(!cell.shownOnly);
            m_tabOrder.append(combo);
            return combo;
        }
        case FormCell::Kind::Slider: {
            auto* slider = new QSlider(Qt::Horizontal, &dialog);
            slider->setObjectName(cell.name);
            slider->setMinimumWidth(cell.minimumWidth);
            m_tabOrder.append(slider);
            return slider;
        }
        case FormCell::Kind::Button: {
            auto* button = new QPushButton(cell.text, &dialog);
            button->setObjectName(cell.name);
            button->setAutoDefault(false);
            m_tabOrder.append(button);
            return button;
        }
        case FormCell::Kind::Check: {
            auto* check = new QCheckBox(&dialog);
            check->setObjectName(cell.name);
            m_tabOrder.append(check);
            return check;
        }
        case FormCell::Kind::Box:
        case FormCell::Kind::Title:
            break;
    }
    QLineEdit* box = makeBox(dialog, cell);
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

QLineEdit* FieldForm::makeBox(EditDialog& dialog, const FormCell& cell) {
    const bool editable = !cell.shownOnly;
    if (cell.kind == FormCell::Kind::Title) {
        return dialog.makeTitleBox(cell.name, cell.characters, editable);
    }
    if (cell.characters > 0) {
        return dialog.makeSizedBox(cell.name, cell.characters, editable);
    }
    return cell.digits > 0 ? dialog.makeNumberBox(cell.name, cell.digits) : dialog.makeBox(cell.name);
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
