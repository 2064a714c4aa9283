#pragma once

#include "editors/EditDialog.h"

#include <array>
#include <cstdint>

class QLabel;
class QLineEdit;

namespace korven {

// The skill of the fighter and bomber crews of one air arm, AircrewSkill[record][0..1], each
// 0..99, checked when the focus leaves a box. Only OK stores.
class frmToujouRen : public EditDialog {
    Q_OBJECT
public:
    static constexpr int kAirArms = 5;

    // `session.selection.record` is the air arm, 0..4 (see IsAirArm).
    explicit frmToujouRen(EditSession& session, QWidget* parent = nullptr);

    static bool IsAirArm(int record) { return record >= 0 && record < kAirArms; }

protected:
    void LoadControls() override;
    void StoreControls() override;

private:
    uint8_t& skill(int kind) const;

    int m_airArm = 0;
    QLabel* m_nation = nullptr;
    std::array<QLineEdit*, 2> m_skill{};
};

// Opens the editor modally for the air arm session.selection.record; nothing for a record
// that names no air arm.
void ShowToujouRenEditor(EditSession& session, QWidget* owner);

}  // namespace korven
