#pragma once

#include "editors/EditDialog.h"
#include "model/FieldLimits.h"

#include <array>
#include <cstdint>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace korven {

// The aircraft editor: one AircraftType record and its entry in AirDevelopment.
class frmAir : public EditDialog {
    Q_OBJECT
public:
    // selection.record is the aircraft index (0..175).
    frmAir(EditSession& session, QWidget* parent = nullptr);

    // The AirDevelopment entry of an aircraft type. An index without one (outside 0..169)
    // shows the catalogue's error with the error icon and maps to itself.
    static int16_t AirToKaihatsu(int16_t aircraftIndex);

    int devIndex() const { return m_devIndex; }

protected:
    void LoadControls() override;
    void StoreControls() override;

private:
    // The header, performance, missions and development tables, the picture and the buttons.
    void buildForm();
    void connectControls();
    void numberChanged(QLineEdit* box, const limits::Range& range, qint64 stored);
    void turnsChanged();
    void updateStatus();

    AircraftTypeRecord& aircraft() const;
    int16_t& development() const;

    int m_index = 0;
    int m_devIndex = 0;

    QLineEdit* m_txtAirName = nullptr;
    QLineEdit* m_txtAirSName = nullptr;
    QLineEdit* m_txtKokuseki = nullptr;
    QLineEdit* m_txtKisyu = nullptr;
    QLineEdit* m_txtHattyaku = nullptr;
    QLineEdit* m_txtUnyou = nullptr;
    std::array<QLineEdit*, 10> m_txtNumData{};
    std::array<QCheckBox*, 3> m_chkData{};
    std::array<QLineEdit*, 4> m_txtKidou{};
    std::array<QComboBox*, 4> m_cbBom{};
    std::array<QLineEdit*, 4> m_txtBom{};
    std::array<QLineEdit*, 4> m_txtKouzoku{};
    QLineEdit* m_txtJoukyou = nullptr;
    std::array<QLineEdit*, 2> m_txtKikan{};
    QLabel* m_imgAir = nullptr;
};

// Empty when the selection names an aircraft type of the file, else the message to show.
std::optional<QString> AirSelectionProblem(const EditSession& session);

// Opens the aircraft editor modally for the session's selection.
void ShowAirEditor(EditSession& session, QWidget* owner);

}  // namespace korven
