#include "tests/mainwindow/MainWindowTest.h"

#include "model/Recipe.h"
#include "model/RecordFields.h"
#include "model/SaveFileLoader.h"
#include "model/SaveFileWriter.h"
#include "preferences/frmOptions.h"
#include "tests/support/Recorders.h"

#include <QComboBox>
#include <QDirIterator>

// Recipes in the window: the Edit menu's bundled recipes previewed and applied as the engine
// applies them, refusals, one step of history, and changes written back as recipes.
class TestRecipeWindow : public MainWindowTest {
    Q_OBJECT

    // Runs `inDialog` on the modal dialog that `trigger` opens, which must be named `name`.
    static void withDialog(const QString& name, const std::function<void()>& trigger,
                           const std::function<void(QDialog*)>& inDialog) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(qApp->activeModalWidget());
            QVERIFY(dialog);
            QCOMPARE(dialog->objectName(), name);
            seen = true;
            inDialog(dialog);
        });
        trigger();
        QVERIFY(seen);
    }

    static QByteArray fileBytes(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static std::unique_ptr<SaveFile> load(const QByteArray& image) {
        auto model = std::make_unique<SaveFile>();
        fixtures::RecordingStatus status;
        fixtures::RecordingMessages messages;
        return LoadSaveFile(image, *model, status, messages).ok() ? std::move(model) : nullptr;
    }

    // The engine alone: the recipe prepared on the image's model, applied and composed.
    static QByteArray engineBytes(const QByteArray& image, const QByteArray& recipeBytes) {
        std::unique_ptr<SaveFile> model = load(image);
        const recipe::Prepared prepared = recipe::PrepareFile(*model, recipeBytes);
        if (!prepared.ok() || ApplyChanges(*model, prepared.changes.changes, ChangeDirection::Forward)) {
            return {};
        }
        fixtures::RecordingStatus status;
        return ComposeSaveImage(*model, status).value_or(QByteArray());
    }

    static QAction* recipeAction(frmMain& w, const QString& title) {
        auto* menu = child<QMenu>(w, "mnuEditRecipes");
        emit menu->aboutToShow();
        for (QAction* a : menu->actions()) {
            if (a->text() == title) {
                return a;
            }
        }
        return nullptr;
    }

    static QString titleOf(const QString& recipePath) {
        return QString::fromUtf8(fileBytes(recipePath).split('\n').first()).mid(1).trimmed();
    }

private slots:
    void initTestCase() { prepareOnce(); }
    void init() { prepare(); }

    void everyBundledRecipeAppliesInTheWindowAsTheEngineDoes_data() {
        QTest::addColumn<QString>("recipePath");
        QTest::addColumn<QByteArray>("image");
        const QByteArray demo = fileBytes(QStringLiteral(KORVEN_DEMO_SAVE));
        fixtures::SaveImageOptions options;
        options.lastBaseIndex = 248;
        const QByteArray generated = fixtures::SaveImageBuilder(options).build();
        QDirIterator recipes(QStringLiteral(KORVEN_RECIPES), {u"*.txt"_s}, QDir::Files);
        int count = 0;
        while (recipes.hasNext()) {
            const QString path = recipes.next();
            QTest::addRow("%s on the demo", qPrintable(recipes.fileName())) << path << demo;
            QTest::addRow("%s on a generated save", qPrintable(recipes.fileName())) << path << generated;
            ++count;
        }
        QVERIFY(count >= 4);
    }
    void everyBundledRecipeAppliesInTheWindowAsTheEngineDoes() {
        QFETCH(QString, recipePath);
        QFETCH(QByteArray, image);
        m_image = image;
        store(u"Option/RecipeFolder"_s, QStringLiteral(KORVEN_RECIPES));
        fixtures::ScriptedUi ui;
        frmMain w;
        const QString path = saveFile();
        QVERIFY(w.files().openFile(path, false));
        QAction* recipe = recipeAction(w, titleOf(recipePath));
        QVERIFY(recipe);
        int changed = 0;
        withDialog(
            u"frmRecipe"_s, [&] { recipe->trigger(); },
            [&](QDialog* dialog) {
                auto* lines = child<QTreeWidget>(*dialog, "lstRecipeLines");
                QVERIFY(lines->topLevelItemCount() > 0);
                for (int i = 0; i < lines->topLevelItemCount(); ++i) {
                    changed += lines->topLevelItem(i)->text(2).toInt();
                }
                child<QPushButton>(*dialog, "cmdOK")->click();
            });
        QVERIFY2(changed > 0, "the recipe changes nothing on this save");
        QVERIFY(ui.messages.empty());
        QVERIFY(w.files().save());
        const QByteArray expected = engineBytes(image, fileBytes(recipePath));
        QVERIFY(!expected.isEmpty());
        QVERIFY(fileBytes(path) == expected);
    }

    // Each bundled recipe does what its title says on the demo, read from the saved file.
    void theBundledRecipesDoWhatTheirTitlesSay() {
        const QByteArray demo = fileBytes(QStringLiteral(KORVEN_DEMO_SAVE));
        const QDir folder(QStringLiteral(KORVEN_RECIPES));
        auto after = [&](const char* name) {
            return load(engineBytes(demo, fileBytes(folder.filePath(QLatin1String(name)))));
        };
        const std::unique_ptr<SaveFile> fleet = after("1-fleet-repair-supply.txt");
        QVERIFY(fleet);
        int refuelled = 0;
        for (const ShipRecord& ship : fleet->Ship) {
            const int c = ship.Words[ShipWord::ClassNumber];
            if (ship.Words[ShipWord::NameNumber] != -1 && c >= 0 && c < SaveFile::kShipClasses) {
                QCOMPARE(ship.Words[ShipWord::CurrentFuel], fleet->ShipClass[c].Perf[2]);
                ++refuelled;
            }
        }
        QVERIFY(refuelled > 100);
        const std::unique_ptr<SaveFile> stocked = after("2-bases-full-stock.txt");
        for (int b = 0; b <= stocked->LastBaseIndex; ++b) {
            for (const auto& good : stocked->Base[b].Stockpile) {
                QCOMPARE(good[0], 9999999);
                QCOMPARE(good[1], 9999999);
            }
        }
        // Developments in progress finish; cancelled ones (-1) stay cancelled.
        const std::unique_ptr<SaveFile> finished = after("3-finish-development.txt");
        const std::unique_ptr<SaveFile> before = load(demo);
        int cancelled = 0;
        for (int a = 0; a < SaveFile::kWrittenAircraftTypes; ++a) {
            cancelled += before->AirDevelopment[a] == -1 ? 1 : 0;
            QCOMPARE(finished->AirDevelopment[a], before->AirDevelopment[a] == -1 ? -1 : 0);
        }
        QVERIFY(cancelled > 0);
        for (const auto& kind : finished->ScienceWeapon) {
            for (const ScienceWeaponEntry& weapon : kind) {
                QCOMPARE(weapon.Leave, 0);
            }
        }
        const std::unique_ptr<SaveFile> trained = after("4-aircrew-max-skill.txt");
        for (const auto& nation : trained->AircrewSkill) {
            QCOMPARE(nation[0], 99);
            QCOMPARE(nation[1], 99);
        }
    }

    // A misspelled name refuses the whole recipe with its line; nothing changes, no step.
    void aRefusedRecipeShowsWhyAndChangesNothing() {
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.files().openFile(saveFile(), false));
        const QString recipePath = m_files->filePath(u"bad.txt"_s);
        QVERIFY(writeFile(recipePath, "# 補給\nShip[*].Fuel = max\nShip[*].Fule = max\n"));
        const SaveFile before = *w.saveFile();
        ui.openChoices.push_back(OpenFileChoice{recipePath});
        action(w, "mnuFileRecipe")->trigger();
        QCOMPARE(ui.messageTexts(), QStringList{u"レシピの 3 行目「Ship[*].Fule = max」は受け付けられません: "
                                                u"「Ship[*].Fule」という項目はありません"_s});
        QCOMPARE(ui.messages.front().icon, MessageIcon::Exclamation);
        QCOMPARE(w.document().history().count(), 0);
        QVERIFY(DiffModels(before, *w.saveFile()).empty());
    }

    // Cancel applies nothing; OK is one step named by the title, and one undo restores the file.
    void theAppliedPreviewIsOneUndoStepNamedByTheTitle() {
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.files().openFile(saveFile(), false));
        const QString recipePath = m_files->filePath(u"r.txt"_s);
        QVERIFY(writeFile(recipePath,
                          "# 練度と燃料\nAircrewSkill[*].Fighter = max\nShip[0-9].Fuel += 10\n"
                          "Ship[Side==日本軍 && Class.Type==空母].Fuel = max\n"));
        const SaveFile before = *w.saveFile();
        for (const char* button : {"cmdCancel", "cmdOK"}) {
            ui.openChoices.push_back(OpenFileChoice{recipePath});
            withDialog(
                u"frmRecipe"_s, [&] { action(w, "mnuFileRecipe")->trigger(); },
                [&](QDialog* dialog) {
                    QCOMPARE(dialog->windowTitle(), mt::recipeCaption(u"練度と燃料"_s));
                    QCOMPARE(child<QTreeWidget>(*dialog, "lstRecipeLines")->topLevelItem(0)->text(1),
                             u"AircrewSkill[*].Fighter = max"_s);
                    QVERIFY(child<QTreeWidget>(*dialog, "lstChanges")->topLevelItemCount() > 5);
                    child<QPushButton>(*dialog, button)->click();
                });
            if (qstrcmp(button, "cmdCancel") == 0) {
                QVERIFY(DiffModels(before, *w.saveFile()).empty());
            }
        }
        QCOMPARE(w.document().history().count(), 1);
        QCOMPARE(w.document().history().undoText(), u"練度と燃料"_s);
        QCOMPARE(w.saveFile()->AircrewSkill[2][0], 99);
        QVERIFY(w.document().undo());
        QVERIFY(DiffModels(before, *w.saveFile()).empty());
    }

    // The review's rows written as a recipe and read back on the file as saved give the same
    // changes; selected rows write only those.
    void reviewRowsSavedAsARecipeParseBackToTheSameChanges() {
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.files().openFile(saveFile(), false));
        setFields(
            w, {{u"Ship[3].Words[6]"_s, 123}, {u"Base[2].Name"_s, u"ﾃｽﾄ"_s}, {u"AircrewSkill[1][1]"_s, 7}});
        const std::vector<FieldChange> pending = DiffModels(*w.document().savedModel(), *w.saveFile());
        const QString all = m_files->filePath(u"all.txt"_s);
        const QString one = m_files->filePath(u"one.txt"_s);
        ui.saveChoices = {all, one};
        withDialog(
            u"frmChanges"_s, [&] { action(w, "mnuEditReview")->trigger(); },
            [&](QDialog* dialog) {
                child<QPushButton>(*dialog, "cmdSaveRecipe")->click();
                auto* list = child<QTreeWidget>(*dialog, "lstChanges");
                list->topLevelItem(0)->setSelected(true);
                child<QPushButton>(*dialog, "cmdSaveRecipe")->click();
                dialog->reject();
            });
        QVERIFY(ui.messages.empty());
        const recipe::Prepared back = recipe::PrepareFile(*w.document().savedModel(), fileBytes(all));
        QVERIFY(back.ok());
        QCOMPARE(back.title, mt::recipeTitleReview());
        QCOMPARE(back.changes.changes.size(), pending.size());
        for (std::size_t i = 0; i < pending.size(); ++i) {
            QCOMPARE(back.changes.changes[i].path, pending[i].path);
            QCOMPARE(back.changes.changes[i].newValue, pending[i].newValue);
        }
        const recipe::Prepared first = recipe::PrepareFile(*w.document().savedModel(), fileBytes(one));
        QCOMPARE(first.changes.changes.size(), std::size_t(1));
        QCOMPARE(first.changes.changes.front().path, pending.front().path);
    }

    // The batch edit's operation becomes one relative line that does the same on the saved file.
    void aBatchEditSavedAsARecipeDoesTheSameOnReload() {
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.files().openFile(saveFile(), false));
        QVERIFY(w.browser().selectNode(u"ToujouRenAll"_s));
        auto* list = child<RecordListView>(w, "ListView");
        list->setFocus();
        QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
        const QString path = m_files->filePath(u"batch.txt"_s);
        ui.saveChoices = {path};
        std::vector<FieldChange> previewed;
        withDialog(
            u"frmBatchEdit"_s, [&] { action(w, "mnuEditBatch")->trigger(); },
            [&](QDialog* dialog) {
                auto* field = child<QComboBox>(*dialog, "cboField");
                QVERIFY(!child<QPushButton>(*dialog, "cmdSaveRecipe")->isEnabled());
                field->setCurrentIndex(0);
                auto* operation = child<QComboBox>(*dialog, "cboOperation");
                operation->setCurrentIndex(operation->findText(mt::batchAdd()));
                child<QLineEdit>(*dialog, "txtValue")->setText(u"5"_s);
                child<QPushButton>(*dialog, "cmdSaveRecipe")->click();
                child<QPushButton>(*dialog, "cmdOK")->click();
            });
        const QByteArray text = fileBytes(path);
        QCOMPARE(text.count('\n'), 2);
        QVERIFY(text.contains("+= 5"));
        const recipe::Prepared back = recipe::PrepareFile(*w.document().savedModel(), text);
        QVERIFY(back.ok());
        QCOMPARE(back.changes.changes.size(), w.document().stepChanges(0).size());
        SaveFile replayed = *w.document().savedModel();
        QVERIFY(!ApplyChanges(replayed, back.changes.changes, ChangeDirection::Forward));
        QVERIFY(DiffModels(replayed, *w.saveFile()).empty());
    }
};

QTEST_MAIN(TestRecipeWindow)
#include "test_recipe_window.moc"
