#pragma once

#include "editors/EditSession.h"

#include <QDialog>

#include <functional>
#include <utility>
#include <vector>

class QLineEdit;
class QPushButton;
class QHBoxLayout;
class QLabel;

namespace korven {

// The pattern every edit dialog follows: controls are loaded from the record, changes are
// marked, and nothing reaches the record before OK (CommandEnter) or Apply (CommandApply).
struct EditButtonCaptions {
    QString enter = QStringLiteral("決定(&O)");
    QString apply = QStringLiteral("更新(&A)");
    QString undo = QStringLiteral("全て元に戻す(&U)");
    QString cancel = QStringLiteral("キャンセル(&C)");
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

    // A text box wide enough for `characters` half-width characters (also in italics); a
    // highlighted one is drawn in the highlight colour, which ApplyLabelStyle makes italic.
    QLineEdit* makeSizedBox(const QString& name, int characters, bool editable, bool highlighted = false);
    // A label that ApplyLabelStyle paints with the label colours.
    QLabel* makeFieldLabel(const QString& text, const QString& name = {});
    // Disabled boxes that show values keep the normal text colour, so read-only values stay
    // legible; highlighted (class) boxes keep theirs.
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

    // Undo: reload, clear every mark, disable Apply and Undo.
    void undoEdits();
    void applyEdits();
    void enterEdits();
    // MarkChanged with no stored value on every text box, combo box and check box.
    void clearMarks();

    EditSession& m_session;

private:
    QPushButton* m_enter = nullptr;
    QPushButton* m_apply = nullptr;
    QPushButton* m_undo = nullptr;
    QPushButton* m_cancel = nullptr;
    std::vector<std::pair<QLineEdit*, std::function<bool()>>> m_leaveChecks;
    bool m_refocusing = false;
};

}  // namespace korven
