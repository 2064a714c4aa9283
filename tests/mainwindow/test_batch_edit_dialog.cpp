#include "tests/mainwindow/MainWindowTest.h"

#include <QComboBox>
#include <QInputMethodEvent>
#include <QItemSelectionModel>

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

    // The value as typed: full-width digits are the digits (as in the filter); an empty box or
    // anything but a whole number keeps OK off and says why, and never becomes another number.
    void valuesAsTyped_data() {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("summary");  // empty: a change count, OK enabled
        QTest::addColumn<int>("result");       // the 日本海軍 fighter skill afterwards
        const int skill = uint8_t(m_image.at(skillOffset()));
        const QString set = mt::batchSet();
        QTest::newRow("empty") << set << u""_s << mt::batchNeedsValue() << skill;
        QTest::newRow("spaces only") << set << u"  "_s << mt::batchNeedsValue() << skill;
        QTest::newRow("full-width digits") << set << u"１２"_s << u""_s << 12;
        QTest::newRow("full-width spaces around") << set << u"\u3000７\u3000"_s << u""_s << 7;
        QTest::newRow("full-width minus, added") << mt::batchAdd() << u"－５"_s << u""_s << skill - 5;
        QTest::newRow("a fraction") << set << u"1.5"_s << mt::batchNotWholeNumber(u"1.5"_s) << skill;
        QTest::newRow("a full-width fraction")
            << set << u"１．５"_s << mt::batchNotWholeNumber(u"１．５"_s) << skill;
        QTest::newRow("letters after digits")
            << set << u"12a"_s << mt::batchNotWholeNumber(u"12a"_s) << skill;
        QTest::newRow("a minus alone") << set << u"-"_s << mt::batchNotWholeNumber(u"-"_s) << skill;
    }
    void valuesAsTyped() {
        QFETCH(QString, operation);
        QFETCH(QString, typed);
        QFETCH(QString, summary);
        QFETCH(int, result);
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.files().openFile(saveFile(), false));
        QVERIFY(w.browser().selectNode(u"ToujouRenAll"_s));
        auto* list = child<RecordListView>(w, "ListView");
        list->selectRow(0);
        runBatch(w, [&](QDialog* dialog) {
            auto* field = child<QComboBox>(*dialog, "cboField");
            field->setCurrentIndex(field->findText(u"搭乗員練度（戦闘機）"_s));
            auto* op = child<QComboBox>(*dialog, "cboOperation");
            op->setCurrentIndex(op->findText(operation));
            auto* value = child<QLineEdit>(*dialog, "txtValue");
            // Typed through the input method, as a Japanese keyboard commits text.
            QInputMethodEvent commit;
            commit.setCommitString(typed);
            QApplication::sendEvent(value, &commit);
            QCOMPARE(value->text(), typed);  // nothing typed vanishes
            const QString shown = child<QLabel>(*dialog, "lblSummary")->text();
            auto* ok = child<QPushButton>(*dialog, "cmdOK");
            QCOMPARE(ok->isEnabled(), summary.isEmpty());
            if (summary.isEmpty()) {
                QCOMPARE(shown, mt::batchChangeCount(1));
            } else {
                QCOMPARE(shown, summary);
            }
            ok->click();
            if (dialog->isVisible()) {
                child<QPushButton>(*dialog, "cmdCancel")->click();
            }
        });
        QCOMPARE(int(w.saveFile()->AircrewSkill[0][0]), result);
        QCOMPARE(w.document().history().count(), summary.isEmpty() ? 1 : 0);
    }

    // Rows unticked in the preview stay as they are; after OK the selection is as it was, and
    // the step counts only the records it changed.
    void untickedRowsAreLeftAndTheSelectionStays() {
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.files().openFile(saveFile(), false));
        QVERIFY(w.browser().selectNode(u"ToujouRenAll"_s));
        auto* list = child<RecordListView>(w, "ListView");
        QVERIFY(list->rowCount() >= 4);
        const SaveFile before = *w.saveFile();
        auto* selection = list->selectionModel();
        selection->setCurrentIndex(list->model()->index(2, 0), QItemSelectionModel::NoUpdate);
        for (const int row : {1, 2, 3}) {
            selection->select(list->model()->index(row, 0),
                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
        const std::vector<RecordKey> chosen = list->selectedKeys();
        QCOMPARE(chosen.size(), std::size_t(3));
        runBatch(w, [&](QDialog* dialog) {
            auto* field = child<QComboBox>(*dialog, "cboField");
            field->setCurrentIndex(field->findText(u"搭乗員練度（爆撃機）"_s));
            auto* op = child<QComboBox>(*dialog, "cboOperation");
            op->setCurrentIndex(op->findText(mt::batchSet()));
            QTest::keyClicks(child<QLineEdit>(*dialog, "txtValue"), u"3"_s);
            auto* rows = child<QTreeWidget>(*dialog, "lstChanges");
            QCOMPARE(rows->topLevelItemCount(), 3);
            QCOMPARE(rows->topLevelItem(0)->checkState(0), Qt::Checked);
            rows->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
            rows->topLevelItem(2)->setCheckState(0, Qt::Unchecked);
            QCOMPARE(child<QLabel>(*dialog, "lblSummary")->text(), mt::batchTickedCount(1, 3));
            child<QPushButton>(*dialog, "cmdOK")->click();
        });
        const SaveFile& after = *w.saveFile();
        QCOMPARE(after.AircrewSkill[chosen[0].index][1], before.AircrewSkill[chosen[0].index][1]);
        QCOMPARE(after.AircrewSkill[chosen[1].index][1], uint8_t(3));
        QCOMPARE(after.AircrewSkill[chosen[2].index][1], before.AircrewSkill[chosen[2].index][1]);
        QCOMPARE(w.document().history().undoText(), u"一括編集: 搭乗員練度（爆撃機） 1 件"_s);
        QCOMPARE(list->selectedKeys(), chosen);
        QCOMPARE(list->rowKey(list->currentIndex().row()), std::optional(chosen[1]));
    }

    // The rows of a one-good stock batch name the good, as the base dialog does.
    void oneGoodsStockRowsNameTheGood() {
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.files().openFile(saveFile(), false));
        const RecordKey base{RecordKind::Base, 0};
        QVERIFY(w.browser().showRecord(base));
        auto* list = child<RecordListView>(w, "ListView");
        QStringList fields;
        runBatch(w, [&](QDialog* dialog) {
            auto* field = child<QComboBox>(*dialog, "cboField");
            field->setCurrentIndex(field->findText(u"弾薬（在庫量）"_s));
            QVERIFY(field->currentIndex() >= 0);
            auto* rows = child<QTreeWidget>(*dialog, "lstChanges");
            for (int i = 0; i < rows->topLevelItemCount(); ++i) {
                fields.append(rows->topLevelItem(i)->text(2));
            }
            child<QPushButton>(*dialog, "cmdOK")->click();
        });
        QCOMPARE(fields, (QStringList{u"弾薬（在庫量1）"_s, u"弾薬（在庫量2）"_s}));
        QCOMPARE(w.saveFile()->Base[0].Stockpile[6][0], 9999999);
        QCOMPARE(w.saveFile()->Base[0].Stockpile[6][1], 9999999);
        QCOMPARE(list->selectedKeys(), std::vector<RecordKey>{base});
    }
};

QTEST_MAIN(TestBatchEditDialog)
#include "test_batch_edit_dialog.moc"
