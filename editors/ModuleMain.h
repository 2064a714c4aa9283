#pragma once

#include "editors/Colours.h"
#include "editors/EditRules.h"

#include <QString>

#include <cstdint>
#include <optional>

class QLineEdit;
class QWidget;

// The routines every edit dialog shares. Rules live in EditRules.h; these apply
// them to widgets, beep through the toolkit seam and paint the change marks.
namespace korven {

// Dynamic properties the dialogs set on their controls.
inline constexpr char kForeColorProperty[] = "foreColor";  // designed text colour (uint32 colour value)
inline constexpr char kBackColorProperty[] = "backColor";  // the background the marking painted
inline constexpr char kTagProperty[] = "tag";

// True when `path` (one trailing backslash ignored) names a file that can be opened for reading.
bool FileExists(const QString& path);

// Italic for controls designed in the highlight colour; the settings' label colours for every
// label not tagged "!".
void ApplyLabelStyle(QWidget* dialog, const colours::LabelColours& labels);

// Filters the box's text as a number within the bounds; beeps and puts the caret at the end
// when it had to change it. True when it did.
bool txtNumInput(QLineEdit* box, std::optional<qint64> maximum, std::optional<qint64> minimum);

// The number the box's text spells (rules::numericValue).
qint64 boxValue(const QLineEdit* box);

// Cuts the box's text to `maxBytes` in code page 932 (and drops characters without a form),
// with a beep and the caret at the end when it cut.
void LimitTextBytes(QLineEdit* box, int maxBytes);

// A stored value is shown as it is, even outside the box's bounds (only typing is clamped):
// such a box gets the out-of-range text colour and a tool tip giving the range; a box within
// its bounds gets its designed look back.
void MarkRange(QLineEdit* box, const rules::Bounds& bounds);

// True when `control` (line edit, combo box or check box) shows `stored`; nothing when the
// control is of another kind.
std::optional<bool> ShowsStored(const QWidget* control, const rules::StoredValue& stored);

// Paints a control's background with a colour value and remembers it in kBackColorProperty.
void SetBackColor(QWidget* control, uint32_t colour);

}  // namespace korven
