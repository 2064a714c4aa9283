#include "EditorTestSupport.h"
#include "editors/EditDialog.h"
#include "editors/FieldForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

using namespace korven;
using namespace korven::testing;
using namespace Qt::StringLiterals;

namespace {

using Kind = FormCell::Kind;

// Tab order is the table's, not the grid's: the lower box comes first. The second caption
// follows its box.
class FormDialog : public EditDialog {
public:
    explicit FormDialog(EditSession& session) : EditDialog(session, nullptr) {
        const FormCell cells[] = {
            {.kind = Kind::Caption, .name = u"lblLow"_s, .row = 1, .text = u"下段"_s, .buddy = u"txtLow"_s},
            {.name = u"txtLow"_s,
             .row = 1,
             .column = 1,
             .digits = 3,
             .range = limits::Range{0, 99},
             .toolTip = u"0～99"_s},
            {.name = u"txtHigh"_s, .row = 0, .column = 1, .columnSpan = 2, .spoken = u"上段（左）"_s},
            {.kind = Kind::Caption, .name = u"lblHigh"_s, .row = 0, .text = u"上段"_s, .buddy = u"txtHigh"_s},
            {.name = u"txtShown"_s, .row = 2, .column = 1, .shownOnly = true},
            {.kind = Kind::List, .name = u"cbKind"_s, .row = 2, .column = 2},
            {.kind = Kind::Unit, .name = u"lblUnit"_s, .row = 1, .column = 2, .text = u"ターン"_s},
            // Captions without names of their own, and a box beside a list in one cell.
            {.kind = Kind::Caption, .row = 3, .text = u"組"_s, .buddy = u"cbPair"_s},
            {.kind = Kind::List, .name = u"cbPair"_s, .row = 3, .column = 1},
            {.name = u"txtPair"_s, .row = 3, .column = 1, .digits = 2, .beside = true, .maxLength = 2},
            {.kind = Kind::Caption, .row = 4, .text = u"別"_s, .buddy = u"chkOther"_s},
            {.kind = Kind::Check, .name = u"chkOther"_s, .row = 4, .column = 1},
        };
        const FieldForm form(*this, cells, kLabelMargin);
        auto* root = new QVBoxLayout(this);
        root->addLayout(form.grid());
    }

protected:
    void LoadControls() override {}
    void StoreControls() override {}
};

// A row whose caption has no object name, and a button that shares the slider's cell.
class SharedCellDialog : public EditDialog {
public:
    explicit SharedCellDialog(EditSession& session) : EditDialog(session, nullptr) {
        const FormCell cells[] = {
            {.kind = Kind::Caption, .text = u"燃料"_s, .buddy = u"txtFuel"_s},
            {.name = u"txtFuel"_s, .column = 1, .characters = 6},
            {.kind = Kind::Slider, .name = u"sldFuel"_s, .column = 2, .alignment = Qt::AlignLeft},
            {.kind = Kind::Button, .name = u"cmdFill"_s, .text = u"満載"_s, .beside = true},
        };
        const FieldForm form(*this, cells, kLabelMargin);
        auto* root = new QVBoxLayout(this);
        root->addLayout(form.grid());
    }

protected:
    void LoadControls() override {}
    void StoreControls() override {}
};

}  // namespace

class TestFieldForm : public QObject {
    Q_OBJECT
private slots:
    void placesEveryCellUnderItsName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QList<int>>("cell");  // row, column, column span
        QTest::newRow("caption") << u"lblLow"_s << QList{1, 0, 1};
        QTest::newRow("number box") << u"txtLow"_s << QList{1, 1, 1};
        QTest::newRow("spanning box") << u"txtHigh"_s << QList{0, 1, 2};
        QTest::newRow("list") << u"cbKind"_s << QList{2, 2, 1};
        QTest::newRow("unit") << u"lblUnit"_s << QList{1, 2, 1};
    }
    void placesEveryCellUnderItsName() {
        QFETCH(QString, name);
        QFETCH(QList<int>, cell);
        LoadedSession s;
        FormDialog dialog(s.session);
        auto* w = dialog.findChild<QWidget*>(name);
        QVERIFY(w != nullptr);
        auto* grid = qobject_cast<QGridLayout*>(dialog.layout()->itemAt(0)->layout());
        int row = -1, column = -1, rowSpan = 0, columnSpan = 0;
        grid->getItemPosition(grid->indexOf(w), &row, &column, &rowSpan, &columnSpan);
        QCOMPARE((QList{row, column, columnSpan}), cell);
    }

    void captionsNameTheirControls() {
        LoadedSession s;
        FormDialog dialog(s.session);
        QCOMPARE(control<QLabel>(dialog, "lblLow")->buddy(), box(dialog, "txtLow"));
        QCOMPARE(box(dialog, "txtLow")->accessibleName(), u"下段"_s);
        // A caption after its control, and a name of the box's own that outranks the caption's.
        QCOMPARE(control<QLabel>(dialog, "lblHigh")->buddy(), box(dialog, "txtHigh"));
        QCOMPARE(box(dialog, "txtHigh")->accessibleName(), u"上段（左）"_s);
    }

    void cellsShareAPlaceAndUnnamedCaptionsNameTheirOwn() {
        LoadedSession s;
        FormDialog dialog(s.session);
        auto* grid = qobject_cast<QGridLayout*>(dialog.layout()->itemAt(0)->layout());
        QLayout* shared = grid->itemAtPosition(3, 1)->layout();
        QVERIFY(shared != nullptr);
        QCOMPARE(shared->itemAt(0)->widget()->objectName(), u"cbPair"_s);
        QCOMPARE(shared->itemAt(1)->widget(), box(dialog, "txtPair"));
        QCOMPARE(box(dialog, "txtPair")->maxLength(), 2);
        QCOMPARE(control<QComboBox>(dialog, "cbPair")->accessibleName(), u"組"_s);
        QCOMPARE(control<QCheckBox>(dialog, "chkOther")->accessibleName(), u"別"_s);
    }

    void boxesTakeTheirKind() {
        LoadedSession s;
        FormDialog dialog(s.session);
        QVERIFY(!box(dialog, "txtShown")->isEnabled());
        QVERIFY(box(dialog, "txtLow")->alignment() & Qt::AlignRight);
        QCOMPARE(box(dialog, "txtLow")->toolTip(), u"0～99"_s);
        QVERIFY(control<QComboBox>(dialog, "cbKind") != nullptr);
    }

    void tabFollowsTheTableAndTheRangeHoldsTheFocus() {
        LoadedSession s;
        FormDialog dialog(s.session);
        QLineEdit* low = box(dialog, "txtLow");
        QVERIFY(openWithFocus(dialog, low));
        QTest::keyClick(low, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), box(dialog, "txtHigh"));
        // The shown-only box is passed over.
        QTest::keyClick(box(dialog, "txtHigh"), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), u"cbKind"_s);

        QVERIFY(openWithFocus(dialog, low));
        retype(low, u"150"_s);
        QTest::keyClick(low, Qt::Key_Tab);
        QCOMPARE(low->text(), u"99"_s);
        QCOMPARE(QApplication::focusWidget(), low);
    }

    void controlsBesideEachOtherShareOneCell() {
        LoadedSession s;
        SharedCellDialog dialog(s.session);
        auto* grid = qobject_cast<QGridLayout*>(dialog.layout()->itemAt(0)->layout());
        QCOMPARE(grid->columnCount(), 3);
        QLayoutItem* shared = grid->itemAtPosition(0, 2);
        QVERIFY(shared->layout() != nullptr);
        QCOMPARE(shared->alignment(), Qt::AlignLeft);
        QCOMPARE(shared->layout()->indexOf(dialog.findChild<QWidget*>(u"sldFuel"_s)), 0);
        QCOMPARE(shared->layout()->indexOf(dialog.findChild<QWidget*>(u"cmdFill"_s)), 1);

        // The unnamed caption still names its box, and Tab runs box, slider, button.
        QCOMPARE(box(dialog, "txtFuel")->accessibleName(), u"燃料"_s);
        QVERIFY(openWithFocus(dialog, box(dialog, "txtFuel")));
        QTest::keyClick(box(dialog, "txtFuel"), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), u"sldFuel"_s);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), u"cmdFill"_s);
    }
};

QTEST_MAIN(TestFieldForm)
#include "test_field_form.moc"
