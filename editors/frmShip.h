#pragma once

#include "editors/EditDialog.h"
#include "editors/EditRules.h"

#include <QHash>

#include <array>
#include <functional>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

namespace korven {

class FieldForm;

// The ship editor: one ship class (class mode, selection.ship -1) or one individual ship with
// its class (individual mode), whose derived damage values follow every edit.
class frmShip : public EditDialog {
    Q_OBJECT
public:
    // The selection must name a class of the file (see ShipSelectionProblem) and, in
    // individual mode, a ship.
    frmShip(EditSession& session, QWidget* parent = nullptr);

    bool isIndividual() const { return m_individual; }
    int carrierEntry() const { return m_carrierEntry; }

    // Recomputes the derived values of an individual ship; they are marked against the values
    // they showed when the dialog was loaded.
    void RecalcShipState();

protected:
    void LoadControls() override;
    void StoreControls() override;
    // The focused box's leave rules run before OK and Apply, as a click on them leaves it.
    bool checkFocusedBox() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLayout();
    void findControls(const FieldForm& header, const FieldForm& performance, const FieldForm& damage,
                      const FieldForm& weapons);
    void connectControls();
    void fillGunCombos();
    void hideShipControls();

    void fillControls();
    void registerBounds();
    // False when the filter rewrote the text (the change it raised did the rest).
    bool numberChanged(QLineEdit* box, const rules::StoredValue& stored);
    void markRanges();
    // True while the box holds the text it was loaded with.
    bool asLoaded(const QLineEdit* box) const;
    void stepChanged(int j);
    void shipFiringsChanged(int m);
    void gunTypeChosen(int m);
    void boxLeft(QWidget* box);
    void SetMountEnabled(int m, bool enabled);
    void markDerived(QLineEdit* box);

    ShipClassRecord& shipClass() const;
    ShipRecord& ship() const;
    std::optional<int16_t> storedLowerSteps() const;
    int gunCount() const;

    int m_classIndex = 0;
    int m_shipIndex = -1;
    bool m_individual = false;
    int m_carrierEntry = -1;

    QLineEdit* m_txtKanmei = nullptr;
    QLineEdit* m_txtSyozoku = nullptr;
    QLineEdit* m_txtKokuseki = nullptr;
    QLineEdit* m_txtKansyu = nullptr;
    QLineEdit* m_txtKankei = nullptr;
    QLineEdit* m_txtSentai = nullptr;
    std::array<QLineEdit*, 4> m_txtStep{};
    std::array<QSlider*, 2> m_sliderStep{};
    QLineEdit* m_txtSongai = nullptr;
    QLineEdit* m_txtHattyaku = nullptr;
    std::array<QLineEdit*, 3> m_txtSokuryoku{};
    std::array<QLineEdit*, 2> m_txtNenryou{};
    QLineEdit* m_txtNenpi = nullptr;
    QLineEdit* m_txtZankouzoku = nullptr;
    QLineEdit* m_txtTousaisyu = nullptr;
    std::array<QLineEdit*, 2> m_txtTousai{};
    QPushButton* m_cmdTousai = nullptr;
    std::array<QLineEdit*, 2> m_txtSoukou{};
    QLineEdit* m_txtSenkou = nullptr;
    QLineEdit* m_txtJoutai = nullptr;
    std::array<QComboBox*, 4> m_cbBusouSyu{};
    std::array<QLineEdit*, 8> m_txtBusouMon{};
    std::array<QLineEdit*, 8> m_txtBusouKai{};
    QLabel* m_imgShip = nullptr;
    QList<QWidget*> m_shipOnly;  // hidden in class mode

    QHash<QLineEdit*, std::function<rules::Bounds()>> m_bounds;  // every number box
    QHash<const QLineEdit*, QString> m_loadedTexts;  // also what derived values are marked against
    std::array<int, 4> m_loadedGunTypes{};
};

// Empty when the selection can be edited, else the message to show instead.
std::optional<QString> ShipSelectionProblem(const EditSession& session);

// Opens the ship editor modally for the session's selection.
void ShowShipEditor(EditSession& session, QWidget* owner);

}  // namespace korven
