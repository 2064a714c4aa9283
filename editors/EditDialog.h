#pragma once

#include "editors/EditRules.h"
#include "editors/EditSession.h"
#include "editors/EditorTexts.h"

#include <QDialog>
#include <QSize>

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <span>
#include <utility>
#include <vector>

class QComboBox;
class QEvent;
class QLineEdit;
class QPushButton;
class QHBoxLayout;
class QLabel;
class QLayout;

namespace korven {

// The object name of an array element: "txtStep_0".
QString indexedName(const char* name, std::size_t index);

// Right-aligns the boxes' text, as number boxes show it.
void alignRight(std::span<QLineEdit* const> boxes);
void alignRight(std::initializer_list<QLineEdit*> boxes);

// True for a focus-out that leaves a box: tabbing or clicking away, a shortcut; opening a popup
// or switching windows is not leaving it.
bool LeavesBox(const QEvent* event);

// The pattern every edit dialog follows: controls are loaded from the record, changes are
// marked, and nothing reaches the record before OK (CommandEnter) or Apply (CommandApply).
struct EditButtonCaptions {
    QString enter = texts::edit::enter();
    QString apply = texts::edit::apply();
    QString undo = texts::edit::undo();
    QString cancel = texts::edit::cancel();
};

class EditDialog : public QDialog {
    Q_OBJECT
public:
    EditDialog(EditSession& session, QWidget* parent);

    QPushButton* enterButton() const { return m_enter; }
    QPushButton* applyButton() const { return m_apply; }
    QPushButton* undoButton() const { return m_undo; }
    QPushButton* cancelButton() const { return m_cancel; }

protected:
    // Creates the four standard buttons (Apply disabled, Undo disabled) with their object
    // names; a dialog without Undo passes withUndo false, one without a visible Apply hides it.
    void createStandardButtons(const EditButtonCaptions& captions = {}, bool withUndo = true,
                               bool applyVisible = true);
    // Adds the created buttons to `layout` in the given order of object names.
    void addButtons(QHBoxLayout* layout, const QStringList& order) const;
    // A row with the created buttons at its right end, in the given order.
    QHBoxLayout* buttonRow(const QStringList& order) const;

    // A click on Cancel runs the focused box's check like OK does and closes only when it
    // passes; Esc and the frame still close without it.
    void checkFocusedBoxOnCancel();

    // The controls of the dialogs, named with their object names.
    QLineEdit* makeBox(const QString& name);
    QComboBox* makeCombo(const QString& name);
    // A right-aligned box just wide enough for `digits` digits.
    QLineEdit* makeNumberBox(const QString& name, int digits);
    // A text box wide enough for `characters` half-width characters (also in italics); a
    // highlighted one is drawn in the highlight colour, which ApplyLabelStyle makes italic.
    QLineEdit* makeSizedBox(const QString& name, int characters, bool editable, bool highlighted = false);
    // The room around a label's text; the small dialogs give their labels a little more.
    static constexpr int kLabelMargin = 2;
    static constexpr int kSmallDialogLabelMargin = 3;
    // The record's name at the top of the dialog: a sized box in larger bold type that may grow.
    QLineEdit* makeTitleBox(const QString& name, int characters, bool editable);
    // A label that ApplyLabelStyle paints with the label colours.
    QLabel* makeFieldLabel(const QString& text, const QString& name = {}, int margin = kLabelMargin);
    // A label beside or above boxes (a unit, a column heading) rather than a caption: it keeps
    // the dialog's own look, as ApplyLabelStyle passes it over.
    QLabel* makePlainLabel(const QString& text, const QString& name = {}, int margin = kLabelMargin);
    // The sunken frame a game picture is shown in, at least `designed` large.
    QLabel* makePictureFrame(const QString& name, QSize designed);
    // The header rows with the picture frame beside them, so that its height does not spread them.
    static QHBoxLayout* besidePicture(QLayout* header, QLabel* frame);
    // Shows the game folder's picture `fileName` in the frame; a picture more than twice the
    // frame's designed size is scaled down to that. A missing or unreadable one leaves it empty.
    void showGamePicture(QLabel* frame, const QString& fileName);
    // A field label that names `control` for screen readers and is its buddy.
    QLabel* makeLabelFor(QWidget* control, const QString& text, const QString& name = {},
                         int margin = kLabelMargin);
    // Disabled boxes and lists that show values keep the normal text colour, so read-only values
    // stay legible (highlighted class boxes keep theirs), and a box too narrow for its text
    // shows it whole as a tool tip.
    void keepDisabledBoxesLegible();

    virtual void LoadControls() = 0;
    virtual void StoreControls() = 0;
    // Runs before OK and Apply take effect; false when the focused box had to be corrected,
    // which then keeps the focus and ends the click. By default it runs the focused box's
    // leave check, if it has one.
    virtual bool checkFocusedBox() { return focusedBoxPasses(); }

    // The leave-box check of dialogs that validate on leaving a box: `corrects` runs when the
    // focus is about to leave `box` (Tab, a click into another control, a shortcut) and returns
    // true when it had to correct the box, which then keeps the focus. Switching windows and
    // closing the dialog do not run it.
    void addLeaveCheck(QLineEdit* box, std::function<bool()> corrects);
    // False when the focused box has a leave check and had to be corrected.
    bool focusedBoxPasses();
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;

    // Paints `control` (line edit, combo box or check box) changed or unchanged against the
    // stored value; a change enables Apply and Undo. Does nothing while loading.
    void markChanged(QWidget* control, const rules::StoredValue& stored);
    void enableApplyUndo();

    // Undo: reload, clear every mark, disable Apply and Undo.
    void undoEdits();
    void applyEdits();
    void enterEdits();
    // markChanged with no stored value on every text box, combo box and check box.
    void clearMarks();

    EditSession& m_session;
    // The stored values are being shown: typing filters do not run and nothing is marked.
    bool m_loading = false;

private:
    // Builds the dialog's grid with the controls above.
    friend class FieldForm;

    QPushButton* m_enter = nullptr;
    QPushButton* m_apply = nullptr;
    QPushButton* m_undo = nullptr;
    QPushButton* m_cancel = nullptr;
    std::vector<std::pair<QLineEdit*, std::function<bool()>>> m_leaveChecks;
    bool m_refocusing = false;
};

}  // namespace korven
