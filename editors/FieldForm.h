#pragma once

#include "model/FieldLimits.h"

#include <QHash>
#include <QList>
#include <QString>

#include <optional>
#include <span>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QWidget;

namespace korven {

class EditDialog;

// One cell of a dialog's grid. A form is a table of cells: the controls are created in the
// table's order, which is the order Tab visits them.
struct FormCell {
    enum class Kind {
        Caption,  // a field label: names `buddy` for screen readers and is its buddy
        Unit,     // a label beside boxes (a unit, a heading) that keeps the dialog's own look
        Heading,  // a centred label in the label colours whose text the dialog fills in
        Box,      // a text box
        List,     // a combo box that offers a fixed list
        Title,    // the record's name at the top of the dialog, `characters` wide
        Slider,   // a horizontal slider
        Button,   // a push button captioned `text` that is not the default
        Check,    // a check box whose caption the dialog sets
    };
    Kind kind = Kind::Box;
    QString name{};  // the object name
    int row = 0;
    int column = 0;
    int columnSpan = 1;
    QString text{};    // Caption, Unit: the label's text
    QString buddy{};   // Caption: the object name of the control it names
    QString spoken{};  // a control's name for screen readers where its caption's alone is not enough
    int digits = 0;    // Box: a right-aligned box just wide enough for this many digits
    int width = 0;     // Box: a fixed width in pixels
    int minimumWidth = 0;
    bool rightAligned = false;
    bool shownOnly = false;  // Box, List: disabled, it only shows a value
    // Box: corrected to this range when the focus leaves it.
    std::optional<limits::Range> range{};
    QString toolTip{};
    // Box: wide enough for this many half-width characters (in italics); List: shows at least
    // this many characters.
    int characters = 0;
    bool highlighted = false;   // drawn in the highlight colour, which ApplyLabelStyle makes italic
    Qt::Alignment alignment{};  // the control's place in its grid cell; by default it fills it
    bool beside = false;        // placed to the right of the cell before it, in that cell's place
    int maxLength = 0;          // Box: at most this many characters may be typed
};

// Builds a dialog's grid from its table of cells, with the dialog's own controls, so names,
// labels, screen-reader names and Tab order are written once, next to the layout.
class FieldForm {
public:
    FieldForm(EditDialog& dialog, std::span<const FormCell> cells, int labelMargin);

    // The grid with every cell; the caller adds it to its layout, which then owns it.
    QGridLayout* grid() const { return m_grid; }
    QLineEdit* box(const QString& name) const;
    QComboBox* combo(const QString& name) const;
    QLabel* label(const QString& name) const;
    QWidget* widget(const QString& name) const { return m_widgets.value(name); }
    // The controls that take input, in the table's order.
    const QList<QWidget*>& tabOrder() const { return m_tabOrder; }

private:
    QWidget* makeControl(EditDialog& dialog, const FormCell& cell, int labelMargin);
    static QLineEdit* makeBox(EditDialog& dialog, const FormCell& cell);
    void place(std::span<const FormCell> cells, const QList<QWidget*>& controls);

    QGridLayout* m_grid = nullptr;
    QHash<QString, QWidget*> m_widgets;
    QList<QWidget*> m_tabOrder;
};

}  // namespace korven
