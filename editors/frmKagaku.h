#pragma once

#include "editors/EditDialog.h"

#include <cstdint>

class QLineEdit;
class QShowEvent;

namespace korven {

struct ScienceWeaponEntry;

// The development state of one science weapon, ScienceWeapon[Target1][Target2]: the turns its
// development needs and the turns that remain. The targets are set after construction and
// before the dialog shows; the controls are filled when it first shows. Only OK stores.
class frmKagaku : public EditDialog {
    Q_OBJECT
public:
    explicit frmKagaku(EditSession& session, QWidget* parent = nullptr);

    int16_t Target1() const { return m_target1; }
    int16_t Target2() const { return m_target2; }
    // False, and the target kept, for a weapon class outside 0..2 or an entry outside 0..5.
    bool setTarget1(int16_t weaponClass);
    bool setTarget2(int16_t entry);

protected:
    void showEvent(QShowEvent* event) override;
    void LoadControls() override;
    void StoreControls() override;

private:
    ScienceWeaponEntry& entry() const;

    int16_t m_target1 = 0;
    int16_t m_target2 = 0;
    bool m_loaded = false;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_effect = nullptr;
    QLineEdit* m_need = nullptr;
    QLineEdit* m_leave = nullptr;
};

// Opens the editor modally for session.selection.target1/target2; nothing for targets outside
// the table.
void ShowKagakuEditor(EditSession& session, QWidget* owner);

}  // namespace korven
