#pragma once

#include "editors/EditDialog.h"
#include "model/SaveFile.h"

#include <array>
#include <functional>
#include <vector>

class QComboBox;
class QLineEdit;

namespace korven {

class FieldForm;

// One base of the open save: terrain, settlement, mine, factory, airfield, fortification,
// order, anchorage, stocks, land units and the eight aircraft slots. Name, owner, region and
// task are shown only. The record is read when the controls are loaded and written by Apply
// and OK; nothing else reaches it.
class frmBase : public EditDialog {
    Q_OBJECT
public:
    // Edits Base[session.selection.record]; ShowBaseEditor refuses other numbers, here they
    // are kept inside the table.
    explicit frmBase(EditSession& session, QWidget* parent = nullptr);

protected:
    void LoadControls() override;
    void StoreControls() override;
    void showEvent(QShowEvent* event) override;

private:
    struct NumberField {
        QLineEdit* box;
        qint64 maximum;
        int maxLength;  // for typing; a longer stored value is still shown whole
        std::function<qint64(const BaseRecord&)> stored;
    };

    BaseRecord& record() const;
    // The base's name above the fields, in large type: a title, not a box.
    QLineEdit* makeTitle();
    void bindNumbers(const FieldForm& fields, const FieldForm& tables);
    // Corrects the box's text as it is typed and marks it against the stored value.
    QLineEdit* bindNumber(QLineEdit* box, qint64 maximum, std::function<qint64(const BaseRecord&)> stored);
    void connectLists();
    // Selects without the change signal, then runs the control's handling once, so loading
    // handles a control even when its selection or text stays the same.
    void select(QComboBox* combo, int index);
    void setNumber(const NumberField& field, qint64 value);
    void categorySelected(int slot);
    // A stored seaplane at a base without an anchorage is found while loading, before the
    // dialog is shown; the warning then waits for it.
    void warnSeaplaneWithoutAnchorage();
    void nameSelected(int slot);
    void buildNameList(int slot);

    int m_index = 0;
    bool m_japaneseSide = false;
    bool m_seaplaneWarningPending = false;
    std::vector<NumberField> m_numbers;
    std::vector<std::pair<QComboBox*, std::function<void()>>> m_comboHandlers;

    QLineEdit* m_txtBasename = nullptr;
    QComboBox* m_cbRyouyu = nullptr;
    QComboBox* m_cbChiiki = nullptr;
    QComboBox* m_cbChikei = nullptr;
    QComboBox* m_cbKibo = nullptr;
    QComboBox* m_cbShigen = nullptr;
    QComboBox* m_cbKoujou = nullptr;
    QComboBox* m_cbNinmu = nullptr;
    QComboBox* m_cbHakuchi = nullptr;
    QComboBox* m_cbTenkou = nullptr;
    QLineEdit* m_txtShoukai = nullptr;
    QLineEdit* m_txtShigen = nullptr;
    QLineEdit* m_txtKoujou = nullptr;
    QLineEdit* m_txtHikoujou = nullptr;
    QLineEdit* m_txtJinchi = nullptr;
    QLineEdit* m_txtChian = nullptr;
    std::array<QLineEdit*, 14> m_txtBichiku{};
    std::array<QLineEdit*, 10> m_txtButai{};
    std::array<QLineEdit*, 16> m_txtKoukuki{};
    std::array<QComboBox*, 8> m_cbKisyu{};
    std::array<QComboBox*, 8> m_cbKoukuki{};
};

// Opens the editor modally for base session.selection.record; nothing for a number that is
// not a base of the file (0..LastBaseIndex).
void ShowBaseEditor(EditSession& session, QWidget* owner);

}  // namespace korven
