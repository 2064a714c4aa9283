// The 診断 list in the window: planted bad values are listed, 修正 repairs the chosen ones as
// one step of the history, and the status bar counts what is left.
#include "MainWindowTest.h"

#include "mainwindow/DiagnosisDialog.h"
#include "model/SaveFileLoader.h"
#include "model/SaveFileWriter.h"
#include "tests/support/Recorders.h"

#include <QItemSelectionModel>
#include <QTreeView>

// The names of the widgets shown while it is installed on the application.
class ShownWidgets : public QObject {
public:
    QStringList names;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            names.append(watched->objectName());
        }
        return false;
    }
};

class TestDiagnosisWindow : public MainWindowTest {
    Q_OBJECT

    QByteArray m_repaired;  // the planted save with its fixable values set by hand
    int m_ship = 0;         // a ship in use, given a class number that does not exist

    static QByteArray imageWith(const QByteArray& image, const std::function<void(SaveFile&)>& change) {
        fixtures::RecordingStatus status;
        fixtures::RecordingMessages messages;
        SaveFile file;
        if (!LoadSaveFile(image, file, status, messages)) {
            qFatal("the demo save does not load");
        }
        change(file);
        return *ComposeSaveImage(file, status);
    }

    static QModelIndex rowOf(QTreeView* list, const QString& path) {
        return static_cast<DiagnosisModel*>(list->model())->indexOfPath(path);
    }

    static void select(QTreeView* list, const QModelIndex& index) {
        list->selectionModel()->select(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    static QStringList groups(QTreeView* list) {
        QStringList result;
        for (int i = 0; i < list->model()->rowCount(); ++i) {
            result.append(list->model()->index(i, 0).data().toString());
        }
        return result;
    }

    QLabel* indicator(const frmMain& w) const { return child<QLabel>(w, "lblDiagnosis"); }

    // The list is filled once the check of the document as it now stands has ended.
    static bool checked(const QWidget& dialog) {
        return QTest::qWaitFor(
            [&] { return child<QLabel>(dialog, "lblSummary")->text() != mt::diagnosisChecking(); });
    }

private slots:
    void initTestCase() {
        catalogue::FillReferenceTables();
        const QByteArray demo = fixtures::SaveImageBuilder(fixtures::DemoSaveOptions()).build();
        m_image = imageWith(demo, [this](SaveFile& file) {
            while (file.Ship[m_ship].Words[2] == -1) {
                ++m_ship;
            }
            file.Base[2].Terrain = 200;
            file.Base[5].PublicOrder = 101;
            file.AircrewSkill[4][1] = 100;
            file.Ship[m_ship].Words[3] = 300;
        });
        // Terrain has six entries, order runs 0 to 100, crew skill 0 to 99.
        m_repaired = imageWith(m_image, [](SaveFile& file) {
            file.Base[2].Terrain = 5;
            file.Base[5].PublicOrder = 100;
            file.AircrewSkill[4][1] = 99;
        });
        QVERIFY(m_repaired != m_image);
    }
    void init() { prepare(); }

    void statusBarCountsFindingsAfterOpenAndEdits() {
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(!action(w, "mnuEditDiagnosis")->isEnabled());
        QCOMPARE(indicator(w)->text(), QString());
        QVERIFY(w.files().openFile(saveFile(), false));
        QVERIFY(action(w, "mnuEditDiagnosis")->isEnabled());
        QCOMPARE(indicator(w)->text(), u"診断: 4 件"_s);
        QCOMPARE(ui.messages.size(), std::size_t(0));

        setFields(w, {{u"Base[2].Terrain"_s, 0}});
        QCOMPARE(indicator(w)->text(), u"診断: 3 件"_s);
        w.editUndo();
        QCOMPARE(indicator(w)->text(), u"診断: 4 件"_s);

        w.files().close();
        QCOMPARE(indicator(w)->text(), QString());
        QVERIFY(!action(w, "mnuEditDiagnosis")->isEnabled());
        // A save that keeps to the rules says nothing.
        const QString clean = m_files->filePath(u"Clean.SAVE"_s);
        QVERIFY(writeFile(clean, fixtures::SaveImageBuilder(fixtures::DemoSaveOptions()).build()));
        QVERIFY(w.files().openFile(clean, false));
        QCOMPARE(indicator(w)->text(), QString());
    }

    void repairOfSelectedRowsIsOneUndoableStep() {
        fixtures::ScriptedUi ui;
        frmMain w;
        const QString path = saveFile();
        QVERIFY(w.files().openFile(path, false));
        DiagnosisDialog dialog(w.document(), {}, &w);
        dialog.show();
        auto* list = child<QTreeView>(dialog, "lstDiagnosis");
        auto* fix = child<QPushButton>(dialog, "cmdFix");
        QVERIFY(checked(dialog));
        QCOMPARE(groups(list), (QStringList{mt::nodeToujouRen() + u" (1)"_s, mt::nodeKichi() + u" (2)"_s,
                                            mt::nodeKokan() + u" (1)"_s}));
        QCOMPARE(child<QLabel>(dialog, "lblSummary")->text(), mt::diagnosisCount(4));
        QVERIFY(!fix->isEnabled());

        // The crews' group stands for its row; the unfixable ship is skipped and counted.
        select(list, list->model()->index(0, 0));
        for (const QString& row :
             {u"Base[2].Terrain"_s, u"Base[5].PublicOrder"_s, u"Ship[%1].Words[3]"_s.arg(m_ship)}) {
            QVERIFY2(rowOf(list, row).isValid(), qPrintable(row));
            select(list, rowOf(list, row));
        }
        QVERIFY(fix->isEnabled());
        const int steps = w.document().history().count();
        fix->click();
        QCOMPARE(w.document().history().count(), steps + 1);
        QCOMPARE(w.document().history().undoText(), mt::diagnosisRepairStep(3));
        QCOMPARE(ui.messages.size(), std::size_t(1));
        QCOMPARE(ui.messages[0].text, mt::diagnosisSkipped(1));

        // The list follows: only the ship is left, and the status bar says so.
        QVERIFY(checked(dialog));
        QCOMPARE(groups(list), QStringList{mt::nodeKokan() + u" (1)"_s});
        QCOMPARE(indicator(w)->text(), u"診断: 1 件"_s);
        QVERIFY(w.files().save());
        QCOMPARE(readFile(path), m_repaired);

        w.editUndo();
        QVERIFY(checked(dialog));
        QCOMPARE(list->model()->rowCount(), 3);
        QCOMPARE(w.saveFile()->Base[2].Terrain, uint8_t(200));
        QCOMPARE(w.saveFile()->Base[5].PublicOrder, uint8_t(101));
        QCOMPARE(w.saveFile()->AircrewSkill[4][1], uint8_t(100));
    }

    void onlyUnfixableRowsChangeNothing() {
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.files().openFile(saveFile(), false));
        DiagnosisDialog dialog(w.document(), {}, &w);
        auto* list = child<QTreeView>(dialog, "lstDiagnosis");
        QVERIFY(checked(dialog));
        select(list, rowOf(list, u"Ship[%1].Words[3]"_s.arg(m_ship)));
        dialog.repairSelected();
        QCOMPARE(w.document().history().count(), 0);
        QVERIFY(!w.isFileChanged());
        QCOMPARE(ui.messages.size(), std::size_t(1));
    }

    // The check runs off the window's thread. While it runs the rows shown are older than the
    // document, so 修正 waits; edits made meanwhile are what the list ends up showing.
    void editsDuringACheckAreWhatTheListShows() {
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.files().openFile(saveFile(), false));
        DiagnosisDialog dialog(w.document(), {}, &w);
        auto* list = child<QTreeView>(dialog, "lstDiagnosis");
        QVERIFY(checked(dialog));
        select(list, rowOf(list, u"Base[5].PublicOrder"_s));
        QVERIFY(child<QPushButton>(dialog, "cmdFix")->isEnabled());

        setFields(w, {{u"Base[2].Terrain"_s, 0}});
        setFields(w, {{u"Base[5].PublicOrder"_s, 50}});
        QCOMPARE(child<QLabel>(dialog, "lblSummary")->text(), mt::diagnosisChecking());
        QVERIFY(!child<QPushButton>(dialog, "cmdFix")->isEnabled());
        dialog.repairSelected();
        QCOMPARE(w.document().history().count(), 2);
        QVERIFY(checked(dialog));
        QCOMPARE(child<QLabel>(dialog, "lblSummary")->text(), mt::diagnosisCount(2));
        QVERIFY(!rowOf(list, u"Base[2].Terrain"_s).isValid());
        QVERIFY(!rowOf(list, u"Base[5].PublicOrder"_s).isValid());
    }

    // A repair of hundreds of findings shows that it works before the window waits for it.
    void aLargeRepairShowsItsProgress() {
        const QString path = m_files->filePath(u"Bases.SAVE"_s);
        const QByteArray demo = fixtures::SaveImageBuilder(fixtures::DemoSaveOptions()).build();
        QVERIFY(writeFile(path, imageWith(demo, [](SaveFile& file) {
                              for (BaseRecord& base : file.Base) {
                                  base.PublicOrder = 101;
                                  base.Airfield = 9999;
                                  base.Fortification = 9999;
                              }
                          })));
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.files().openFile(path, false));
        DiagnosisDialog dialog(w.document(), {}, &w);
        auto* list = child<QTreeView>(dialog, "lstDiagnosis");
        QVERIFY(checked(dialog));
        QCOMPARE(groups(list), QStringList{mt::nodeKichi() + u" (543)"_s});
        select(list, list->model()->index(0, 0));
        ShownWidgets shown;
        qApp->installEventFilter(&shown);
        dialog.repairSelected();
        qApp->removeEventFilter(&shown);
        QVERIFY2(shown.names.contains(u"dlgRepairProgress"_s), qPrintable(shown.names.join(u',')));
        QCOMPARE(w.document().history().count(), 1);
        QVERIFY(checked(dialog));
        QCOMPARE(child<QLabel>(dialog, "lblSummary")->text(), mt::diagnosisClean());
    }

    // The menu opens the list beside the window, which stays usable: a double-clicked row
    // selects its record and opens its dialog, and the save can be written with the list open.
    void doubleClickOpensTheRecordAndSavingStaysOpen() {
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.files().openFile(saveFile(), false));
        std::vector<RecordKey> opened;
        w.setDialogOpeners({.record = [&opened](const RecordKey& key, EditSession&, QWidget*) {
            opened.push_back(key);
            return true;
        }});
        action(w, "mnuEditDiagnosis")->trigger();
        QCOMPARE(qApp->activeModalWidget(), nullptr);
        auto* dialog = w.findChild<DiagnosisDialog*>();
        QVERIFY(dialog && dialog->isVisible());
        auto* list = child<QTreeView>(*dialog, "lstDiagnosis");
        QVERIFY(checked(*dialog));
        emit list->doubleClicked(rowOf(list, u"Base[5].PublicOrder"_s));
        QCOMPARE(opened, (std::vector<RecordKey>{RecordKey{RecordKind::Base, 5}}));
        const RecordListView* records = child<RecordListView>(w, "ListView");
        QCOMPARE(records->rowKey(*records->selectedRow()), std::optional(RecordKey{RecordKind::Base, 5}));

        // A second time brings the same list forward.
        action(w, "mnuEditDiagnosis")->trigger();
        QCOMPARE(w.findChildren<DiagnosisDialog*>().size(), 1);

        setFields(w, {{u"Base[2].Terrain"_s, 0}});
        QVERIFY(action(w, "mnuFileSave")->isEnabled());
        QVERIFY(w.files().save());
        QVERIFY(!w.isFileChanged());
        QVERIFY(checked(*dialog));
        QCOMPARE(child<QLabel>(*dialog, "lblSummary")->text(), mt::diagnosisCount(3));
        dialog->close();
        QTRY_COMPARE(w.findChildren<DiagnosisDialog*>().size(), 0);
    }
};

QTEST_MAIN(TestDiagnosisWindow)
#include "test_diagnosis_window.moc"
