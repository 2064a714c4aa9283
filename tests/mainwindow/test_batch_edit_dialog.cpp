#include "tests/mainwindow/MainWindowTest.h"

#include <QComboBox>

// The batch edit from the window: the selected rows, the dialog's preview, one step of history.
class TestBatchEditDialog : public MainWindowTest {
    Q_OBJECT

    // Runs `inDialog` on the batch edit the menu opens.
    static void runBatch(frmMain& w, const std::function<void(QDialog*)>& inDialog) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(qApp->activeModalWidget());
            QVERIFY(dialog);
            QCOMPARE(dialog->objectName(), u"frmBatchEdit"_s);
            seen = true;
            inDialog(dialog);
        });
        action(w, "mnuEditBatch")->trigger();
        QVERIFY(seen);
    }

    static std::vector<int> shipsListed(const RecordListView* list) {
        std::vector<int> ships;
        for (int row = 0; row < list->rowCount(); ++row) {
            ships.push_back(list->rowKey(row)->index);
        }
        return ships;
    }

private slots:
    void initTestCase() { prepareOnce(); }
    void init() { prepare(); }

    // The sequence a player uses: the Japanese carriers' node, Ctrl+A, 一括編集, the field, OK.
    void refuellingTheJapaneseCarriersIsOneUndoableStep() {
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(!action(w, "mnuEditBatch")->isEnabled());
        QVERIFY(w.files().openFile(saveFile(), false));
        QVERIFY(w.browser().selectNode(u"Kokan_0_0"_s));
        auto* list = child<RecordListView>(w, "ListView");
        list->clearSelection();
        QVERIFY(!action(w, "mnuEditBatch")->isEnabled());
        const std::vector<int> ships = shipsListed(list);
        QVERIFY(ships.size() > 1);
        // Below the class's fuel, so that every carrier has something to take.
        std::vector<std::pair<QString, QJsonValue>> empty;
        for (const int s : ships) {
            empty.emplace_back(u"Ship[%1].Words[6]"_s.arg(s), 0);
        }
        setFields(w, empty);
        const SaveFile before = *w.saveFile();
        const int steps = w.document().history().count();

        list->setFocus();
        QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
        QVERIFY(action(w, "mnuEditBatch")->isEnabled());
        QString summary;
        runBatch(w, [&](QDialog* dialog) {
            auto* field = child<QComboBox>(*dialog, "cboField");
            QCOMPARE(child<QComboBox>(*dialog, "cboOperation")->currentText(), mt::batchMaximum());
            field->setCurrentIndex(field->findText(u"燃料（現在）"_s));
            summary = child<QLabel>(*dialog, "lblSummary")->text();
            QCOMPARE(child<QTreeWidget>(*dialog, "lstChanges")->topLevelItemCount(), int(ships.size()));
            child<QPushButton>(*dialog, "cmdOK")->click();
        });
        QCOMPARE(summary, mt::batchChangeCount(int(ships.size())));
        QCOMPARE(w.document().history().count(), steps + 1);
        const SaveFile& after = *w.saveFile();
        for (const int s : ships) {
            QCOMPARE(after.Ship[s].Words[6], after.ShipClass[after.Ship[s].Words[3]].Perf[2]);
        }
        QVERIFY(w.document().undo());
        for (const int s : ships) {
            QCOMPARE(w.saveFile()->Ship[s].Words[6], before.Ship[s].Words[6]);
        }
    }

    // OK on the dialog as it opens changes nothing; a value the field cannot hold is refused
    // in the dialog, and OK cannot apply it.
    void untouchedAndRefusedBatchesChangeNothing() {
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.files().openFile(saveFile(), false));
        QVERIFY(w.browser().selectNode(u"ToujouRenAll"_s));
        auto* list = child<RecordListView>(w, "ListView");
        list->setFocus();
        QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
        runBatch(w, [](QDialog* dialog) { child<QPushButton>(*dialog, "cmdOK")->click(); });
        QVERIFY(!w.isFileChanged());

        runBatch(w, [](QDialog* dialog) {
            auto* field = child<QComboBox>(*dialog, "cboField");
            field->setCurrentIndex(field->findText(u"搭乗員練度（戦闘機）"_s));
            auto* operation = child<QComboBox>(*dialog, "cboOperation");
            operation->setCurrentIndex(operation->findText(mt::batchSet()));
            QTest::keyClicks(child<QLineEdit>(*dialog, "txtValue"), u"300"_s);
            QCOMPARE(child<QLabel>(*dialog, "lblSummary")->text(),
                     document::texts::batchValueOutside(u"搭乗員練度（戦闘機）"_s, 0, 255));
            QVERIFY(!child<QPushButton>(*dialog, "cmdOK")->isEnabled());
            child<QPushButton>(*dialog, "cmdCancel")->click();
        });
        QVERIFY(!w.isFileChanged());
        QCOMPARE(w.document().history().count(), 0);
    }
};

QTEST_MAIN(TestBatchEditDialog)
#include "test_batch_edit_dialog.moc"
