#pragma once

#include <QList>
#include <QString>

class QLabel;
class QLineEdit;
class QWidget;

// Keyboard and screen-reader access to the controls of a window.
namespace korven {

// The label's text (without the "&" of a mnemonic) names the control for screen readers, and
// the label becomes its buddy, so its mnemonic moves the focus there.
void labelControl(QLabel* label, QWidget* control);

// Names a control that has no label of its own. Qt on Linux names a combo box by its current
// item, so a combo box also gets the name as its description, which screen readers say too.
void nameControl(QWidget* control, const QString& name);

// A name for a control that shares its label with others, e.g. a value's row and column:
// "速力（現在）".
QString rowAndColumnName(const QString& row, const QString& column);

// Tab visits the controls in this order (hidden and disabled ones are passed over as usual).
void chainTabOrder(const QList<QWidget*>& order);

// A disabled box cannot be scrolled, so one too narrow for its text shows the whole text as
// its tool tip; its own tool tip, if any, stays while the text fits.
void showWholeTextWhenCut(QLineEdit* box);

}  // namespace korven
