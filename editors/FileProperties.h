#pragma once

#include "editors/EditDialog.h"
#include "editors/FieldForm.h"
#include "editors/LeaveCorrection.h"

#include <array>
#include <cstdint>
#include <vector>

class QComboBox;
class QLineEdit;

namespace korven {

// "シナリオ" + the number in full-width digits + " ： " + the title.
QString scenarioLine(qint64 number, const QString& title);

// The phase list holds the codes 0..9; another stored code shows no item and stays as stored
// until the user picks one.
int phasePosition(qint64 code);
int16_t phaseToStore(int position, int16_t storedCode);

// The campaign clock of the open save: current turn, phase with the number of "作戦", and end
// turn; the file, save and scenario are shown only. The turn boxes and the operation number
// are checked when the focus leaves them; a box that had to be corrected keeps the focus, and
// a click on OK or Apply then only corrects it.
class FileProperties : public EditDialog {
    Q_OBJECT
public:
    explicit FileProperties(EditSession& session, QWidget* parent = nullptr);

protected:
    void LoadControls() override;
    void StoreControls() override;

private:
    TurnBoxes turnBoxes() const;
    // Corrects the box to its bounds; true when it had to.
    bool correctBox(QLineEdit* box, const LeaveBounds& bounds);
    void phaseSelected();
    // The controls and their captions, in the order Tab visits them.
    static std::vector<FormCell> formCells();

    QLineEdit* m_txtFileName = nullptr;
    QLineEdit* m_txtSaveName = nullptr;
    QLineEdit* m_txtShinario = nullptr;
    QComboBox* m_cbFeise = nullptr;
    QLineEdit* m_txtFeise = nullptr;
    std::array<QLineEdit*, kTurnBoxes> m_txtTurn{};
};

void ShowFileProperties(EditSession& session, QWidget* owner);

}  // namespace korven
