#include "tests/mainwindow/MainWindowTest.h"

// The main window itself: start-up, settings, layout, menus, the edit history and review, the
// dialogs it opens and the help.
class TestFrmMain : public MainWindowTest {
    Q_OBJECT

private slots:
    void initTestCase() { prepareOnce(); }
    void init() { prepare(); }

    // ---- Start-up, settings, shutdown ----

    void firstStart() {
        fixtures::ScriptedUi ui;
        {
            frmMain w;
            QCOMPARE(w.objectName(), QStringLiteral("frmMain"));
            QCOMPARE(w.pos(), QPoint(67, 67));
            QCOMPARE(w.size(), QSize(533, 300));
            QCOMPARE(w.paneLayout().treeWidth, 2500.0);
            QVERIFY(action(w, "mnuViewStatusBar")->isChecked());
            QVERIFY(!w.statusBar()->isHidden());
            QCOMPARE(w.windowTitle(), QStringLiteral("KorvenEdit"));
            QCOMPARE(child<QLabel>(w, "Label1")->text(), mt::noFileLoaded());
            QCOMPARE(child<QLabel>(w, "Label1")->toolTip(), QStringLiteral("編集ファイル名"));
            QCOMPARE(child<QLabel>(w, "Label2")->text(), QStringLiteral("編集状況"));
            QCOMPARE(child<QLabel>(w, "Label2")->toolTip(), QStringLiteral("編集状況"));
            QCOMPARE(child<QLabel>(w, "Panel_2")->text(), mt::noFileLoaded());
            QCOMPARE(w.labelColours().text, 0x8000000Eu);
            QCOMPARE(w.labelColours().background, 0x80000010u);
            QVERIFY(w.gamePath().isEmpty());
            QVERIFY(w.close());
        }
        QCOMPARE(stored(QStringLiteral("Position/MainLeft")), QStringLiteral("1000"));
        QCOMPARE(stored(QStringLiteral("Position/MainTop")), QStringLiteral("1000"));
        QCOMPARE(stored(QStringLiteral("Position/MainWidth")), QStringLiteral("8000"));
        QCOMPARE(stored(QStringLiteral("Position/MainHeight")), QStringLiteral("4500"));
        QCOMPARE(stored(QStringLiteral("Position/Splitter")), QStringLiteral("2500"));
        QCOMPARE(stored(QStringLiteral("Option/StatusBar")), QStringLiteral("True"));
        QCOMPARE(stored(QStringLiteral("Other/Version")), program::settingsVersion());
        QVERIFY(ui.messages.empty());
    }

    void storedSettings() {
        store(QStringLiteral("Position/MainLeft"), QStringLiteral("1500"));
        store(QStringLiteral("Position/MainWidth"), QStringLiteral("abc"));  // not a number: the default
        store(QStringLiteral("Position/MainHeight"), QStringLiteral("6000"));
        store(QStringLiteral("Option/GamePath"), QStringLiteral("/games/varzon/"));
        store(QStringLiteral("Option/LabelForeColor"), QStringLiteral("255"));
        store(QStringLiteral("Option/LabelBackColor"), QStringLiteral("-2147483632"));
        frmMain w;
        QCOMPARE(w.x(), 100);
        QCOMPARE(w.width(), 533);
        QCOMPARE(w.height(), 400);
        QCOMPARE(w.gamePath(), QStringLiteral("/games/varzon/"));
        QCOMPARE(w.labelColours().text, 255u);
        QCOMPARE(w.labelColours().background, 0x80000010u);
    }

    void splitterFromSettings_data() {
        QTest::addColumn<QString>("splitter");
        QTest::addColumn<double>("tree");
        QTest::newRow("600") << "600" << 1500.0;
        QTest::newRow("7000") << "7000" << 6500.0;
        QTest::newRow("3000") << "3000" << 3000.0;
    }
    void splitterFromSettings() {
        QFETCH(QString, splitter);
        store(QStringLiteral("Position/Splitter"), splitter);
        fixtures::ScriptedUi ui;
        frmMain w;
        QTEST(w.paneLayout().treeWidth, "tree");
        auto* tree = child(w, "TreeView");
        auto* list = child(w, "ListView");
        QCOMPARE(tree->width(), layout::toPixels(w.paneLayout().treeWidth));
        QCOMPARE(list->x(), layout::toPixels(w.paneLayout().listLeft));
        // The applied position is clamped; the remembered one is not.
        QCOMPARE(w.splitterPosition(), splitter.toDouble());
        QVERIFY(w.close());
        QCOMPARE(stored(QStringLiteral("Position/Splitter")), splitter);
    }

    void dragSplitter() {
        fixtures::ScriptedUi ui;
        frmMain w;
        w.show();
        auto* strip = child(w, "imgSplitter");
        auto* bar = child(w, "picSplitter");
        QCOMPARE(strip->x(), layout::toPixels(2500));
        QVERIFY(bar->isHidden());
        QTest::mousePress(strip, Qt::LeftButton, {}, QPoint(2, 10));
        QVERIFY(bar->isVisible());
        QCOMPARE(bar->width(), layout::toPixels(40));
        QMouseEvent move(QEvent::MouseMove, QPointF(-120, 10), strip->mapToGlobal(QPointF(-120, 10)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(strip, &move);
        QCOMPARE(w.splitterPosition(), 700.0);
        QCOMPARE(bar->x(), layout::toPixels(700));
        QTest::mouseRelease(strip, Qt::LeftButton, {}, QPoint(-120, 10));
        QVERIFY(bar->isHidden());
        QCOMPARE(w.paneLayout().treeWidth, 1500.0);
        QVERIFY(w.close());
        QCOMPARE(stored(QStringLiteral("Position/Splitter")), QStringLiteral("700"));
    }

    void dragStopsAtTheLimits() {
        fixtures::ScriptedUi ui;
        frmMain w;
        w.show();
        auto* strip = child(w, "imgSplitter");
        QTest::mousePress(strip, Qt::LeftButton, {}, QPoint(1, 1));
        for (const auto& [x, expected] : {std::pair{-1000, 500.0}, std::pair{1000, 7500.0}}) {
            QMouseEvent move(QEvent::MouseMove, QPointF(x, 1), strip->mapToGlobal(QPointF(x, 1)),
                             Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(strip, &move);
            QCOMPARE(w.splitterPosition(), expected);
        }
        QTest::mouseRelease(strip, Qt::LeftButton, {}, QPoint(1000, 1));
        QCOMPARE(w.paneLayout().treeWidth, 6500.0);
    }

    void statusBarToggle() {
        fixtures::ScriptedUi ui;
        {
            frmMain w;
            w.show();
            auto* list = child(w, "ListView");
            const int listHeight = list->height();
            const double shown = w.paneLayout().paneHeight;
            action(w, "mnuViewStatusBar")->trigger();
            QVERIFY(!action(w, "mnuViewStatusBar")->isChecked());
            QVERIFY(w.statusBar()->isHidden());
            QCOMPARE(w.paneLayout().paneHeight - shown, 264.0);
            QCoreApplication::sendPostedEvents();  // the window lays its parts out again
            QVERIFY(list->height() > listHeight);
            QCOMPARE(list->geometry().bottom(), child(w, "central")->height() - 1);
            QVERIFY(w.close());
        }
        QCOMPARE(stored(QStringLiteral("Option/StatusBar")), QStringLiteral("False"));
        frmMain again;
        QVERIFY(!action(again, "mnuViewStatusBar")->isChecked());
        QVERIFY(again.statusBar()->isHidden());
    }

    void minimumSize() {
        fixtures::ScriptedUi ui;
        store(QStringLiteral("Position/MainWidth"), QStringLiteral("1000"));
        store(QStringLiteral("Position/MainHeight"), QStringLiteral("500"));
        frmMain w;
        w.show();
        QVERIFY(w.width() >= layout::toPixels(4000));
        QVERIFY(w.height() >= layout::toPixels(2000));
        w.resize(50, 50);
        QVERIFY(w.width() >= layout::toPixels(4000));
        QVERIFY(w.close());
        QCOMPARE(stored(QStringLiteral("Position/MainWidth")), QStringLiteral("4000"));
        QCOMPARE(stored(QStringLiteral("Position/MainHeight")), QStringLiteral("2000"));
    }

    // ---- Menus ----

    void menus_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("visible");
        QTest::newRow("open") << "mnuFileOpen"
                              << "開く(&O)"
                              << "Ctrl+O" << true << true;
        QTest::newRow("save") << "mnuFileSave"
                              << "上書き保存(&S)"
                              << "Ctrl+S" << false << true;
        QTest::newRow("save as") << "mnuFileSaveAs"
                                 << "名前を付けて保存(&A)"
                                 << "" << false << true;
        QTest::newRow("close") << "mnuFileClose"
                               << "閉じる(&C)"
                               << "Ctrl+C" << false << true;
        QTest::newRow("properties") << "mnuFileProperties"
                                    << "ﾌﾟﾛﾊﾟﾃｨ(&I)"
                                    << "" << false << true;
        QTest::newRow("exit") << "mnuFileExit"
                              << "終了(&Q)"
                              << "Ctrl+Q" << true << true;
        QTest::newRow("status bar") << "mnuViewStatusBar"
                                    << "ｽﾃｰﾀｽ ﾊﾞｰ(&B)"
                                    << "" << true << true;
        QTest::newRow("options") << "mnuViewOptions"
                                 << "ｵﾌﾟｼｮﾝ(&O)..."
                                 << "" << true << true;
        QTest::newRow("contents") << "mnuHelpContents"
                                  << "目次(&C)"
                                  << "" << true << true;
        QTest::newRow("search") << "mnuHelpSearch"
                                << "ﾄﾋﾟｯｸの検索(&S)..."
                                << "" << true << true;
        QTest::newRow("about") << "mnuHelpAbout"
                               << "ﾊﾞｰｼﾞｮﾝ情報(&A)"
                               << "" << true << true;
        QTest::newRow("edit menu") << "mnuEdit"
                                   << "編集(&E)"
                                   << "" << true << true;
        QTest::newRow("undo") << "mnuEditUndo"
                              << "元に戻す(&U)"
                              << "Ctrl+Z" << false << true;
        QTest::newRow("redo") << "mnuEditRedo"
                              << "やり直し(&R)"
                              << "Ctrl+Y" << false << true;
        QTest::newRow("history") << "mnuEditHistory"
                                 << "編集履歴(&H)..."
                                 << "" << false << true;
        QTest::newRow("find") << "mnuEditFind"
                              << "検索(&F)"
                              << "Ctrl+F" << false << true;
        QTest::newRow("select all") << "mnuEditSelectAll"
                                    << "すべて選択(&A)"
                                    << "Ctrl+A" << false << true;
        QTest::newRow("batch edit") << "mnuEditBatch"
                                    << "一括編集(&M)..."
                                    << "Ctrl+B" << false << true;
        QTest::newRow("copy rows") << "mnuEditCopyRows"
                                   << "行をｺﾋﾟｰ(&Y)"
                                   << "Ctrl+Shift+C" << false << true;
        QTest::newRow("export CSV") << "mnuFileExportCsv"
                                    << "CSV形式で書き出し(&E)..."
                                    << "" << false << true;
        // A hidden action counts as disabled.
        QTest::newRow("copy") << "mnuEditCopy"
                              << "ｺﾋﾟｰ(&C)"
                              << "" << false << false;
        QTest::newRow("refresh") << "mnuViewRefresh"
                                 << "最新の情報に更新(&R)"
                                 << "" << false << false;
        QTest::newRow("tool bar") << "mnuViewToolbar"
                                  << "ﾂｰﾙ ﾊﾞｰ(&T)"
                                  << "" << false << false;
    }
    void menus() {
        QFETCH(QString, name);
        frmMain w;
        QAction* a = w.findChild<QAction*>(name);
        QVERIFY(a);
        QTEST(a->text(), "caption");
        QTEST(a->shortcut().toString(), "shortcut");
        QTEST(a->isEnabled(), "enabled");
        QTEST(a->isVisible(), "visible");
    }

    void menuStructure() {
        frmMain w;
        QStringList top;
        for (QAction* a : w.menuBar()->actions()) {
            if (a->isVisible()) {
                top.append(a->text());
            }
        }
        QCOMPARE(top, (QStringList{QStringLiteral("ﾌｧｲﾙ(&F)"), QStringLiteral("編集(&E)"),
                                   QStringLiteral("表示(&V)"), QStringLiteral("ﾍﾙﾌﾟ(&H)")}));
        auto names = [](const QMenu* menu) {
            QStringList result;
            for (QAction* a : menu->actions()) {
                if (a->isVisible()) {
                    result.append(a->objectName());
                }
            }
            return result;
        };
        QCOMPARE(names(child<QMenu>(w, "mnuFile")),
                 (QStringList{u"mnuFileOpen"_s, u"mnuFileSave"_s, u"mnuFileSaveAs"_s, u"mnuFileClose"_s,
                              u"mnuFileBar1"_s, u"mnuFileProperties"_s, u"mnuFileCompare"_s,
                              u"mnuFileSaves"_s, u"mnuFileRestore"_s, u"mnuFileExportCsv"_s,
                              u"mnuFileRecipe"_s, u"munFileBar2"_s, u"mnuFileExit"_s}));
        QCOMPARE(names(child<QMenu>(w, "mnuEdit")),
                 (QStringList{u"mnuEditUndo"_s, u"mnuEditRedo"_s, u"mnuEditHistory"_s, u"mnuEditBar0"_s,
                              u"mnuEditReview"_s, u"mnuEditReviewBeforeSave"_s, u"mnuEditDiagnosis"_s,
                              u"mnuEditBarFind"_s, u"mnuEditFind"_s, u"mnuEditCopyRows"_s,
                              u"mnuEditSelectAll"_s, u"mnuEditBatch"_s, u"mnuEditRecipes"_s}));
        QCOMPARE(names(child<QMenu>(w, "mnuView")),
                 (QStringList{u"mnuViewStatusBar"_s, u"mnuViewBar0"_s, u"mnuViewOptions"_s}));
        QCOMPARE(names(child<QMenu>(w, "mnuHelp")), (QStringList{u"mnuHelpContents"_s, u"mnuHelpSearch"_s,
                                                                 u"mnuHelpBar1"_s, u"mnuHelpAbout"_s}));
        QVERIFY(action(w, "mnuViewStatusBar")->isCheckable());
    }

    // ---- Edit history ----

    void undoAndRedoFollowTheWindow() {
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.files().openFile(path, false));
        const uint8_t original = w.saveFile()->AircrewSkill[0][0];
        auto* list = child<RecordListView>(w, "ListView");
        QAction* undo = action(w, "mnuEditUndo");
        QAction* redo = action(w, "mnuEditRedo");
        QVERIFY(!undo->isEnabled());
        setSkill(w, 77);
        QVERIFY(undo->isEnabled());
        QVERIFY(!redo->isEnabled());
        QCOMPARE(undo->text(), QStringLiteral("元に戻す(&U) 「日本海軍: 搭乗員練度（戦闘機） 40→77」"));
        QCOMPARE(column(list, 1).first(), QStringLiteral("77"));

        undo->trigger();
        QCOMPARE(w.saveFile()->AircrewSkill[0][0], original);
        QVERIFY(!w.isFileChanged());
        QCOMPARE(w.windowTitle(), QStringLiteral("KorvenEdit - ") + QDir::toNativeSeparators(path) +
                                      QStringLiteral(" [未編集]"));
        QCOMPARE(child<QLabel>(w, "Label2")->text(), QStringLiteral("未編集"));
        QCOMPARE(column(list, 1).first(), QString::number(original));
        QVERIFY(!undo->isEnabled());
        QCOMPARE(redo->text(), QStringLiteral("やり直し(&R) 「日本海軍: 搭乗員練度（戦闘機） 40→77」"));

        redo->trigger();
        QCOMPARE(w.saveFile()->AircrewSkill[0][0], uint8_t(77));
        QCOMPARE(child<QLabel>(w, "Label2")->text(), QStringLiteral("編集済み"));
        QCOMPARE(column(list, 1).first(), QStringLiteral("77"));
        // Closing without saving asks, as any change does.
        ui.answers = {MessageAnswer::No};
        QVERIFY(w.files().close());
        QCOMPARE(ui.messages.size(), std::size_t(1));
        QVERIFY(!undo->isEnabled());
        QVERIFY(!redo->isEnabled());
        QCOMPARE(readFile(path), m_image);
    }

    // The history survives a save; undoing past it is a change against the saved file.
    void undoAfterSave() {
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.files().openFile(path, false));
        setSkill(w, 42);
        setSkill(w, 43);
        QVERIFY(w.files().save());
        action(w, "mnuEditUndo")->trigger();
        QVERIFY(w.isFileChanged());
        QCOMPARE(w.windowTitle(), QStringLiteral("KorvenEdit - ") + QDir::toNativeSeparators(path) +
                                      QStringLiteral(" [編集済み]"));
        QVERIFY(w.files().save());
        QCOMPARE(static_cast<uint8_t>(readFile(path).at(skillOffset())), uint8_t(42));
        action(w, "mnuEditRedo")->trigger();
        QVERIFY(w.isFileChanged());
    }

    void ctrlZAndCtrlYUndoAndRedo() {
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        frmMain w;
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QVERIFY(w.files().openFile(path, false));
        setSkill(w, 90);
        auto* list = child<RecordListView>(w, "ListView");
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!w.isFileChanged());
        QTest::keyClick(list, Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(w.isFileChanged());
        QCOMPARE(w.saveFile()->AircrewSkill[0][0], uint8_t(90));
    }

    // Each store of a dialog (Apply, then OK) is its own step, named after the row it came from.
    void everyStoreOfADialogIsOneStep() {
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.files().openFile(path, false));
        w.setDialogOpeners({.record = [](const RecordKey&, EditSession& session, QWidget*) {
            session.file.AircrewSkill[1][0] = 10;
            session.commit();  // Apply
            session.file.AircrewSkill[1][1] = 11;
            session.commit();  // OK
            return true;
        }});
        QVERIFY(w.browser().selectNode(QStringLiteral("ToujouRenAll")));
        auto* list = child<RecordListView>(w, "ListView");
        setCurrentRow(list, 1);
        w.openSelectedRecord();
        QUndoStack& history = w.document().history();
        QCOMPARE(history.count(), 2);
        QCOMPARE(history.text(0), QStringLiteral("日本陸軍: 搭乗員練度（戦闘機） 50→10"));
        QCOMPARE(history.text(1), QStringLiteral("日本陸軍: 搭乗員練度（爆撃機） 55→11"));
        // The history view moves the document as the menu does, with its button.
        w.setDialogOpeners({});
        QTimer::singleShot(0, [&w] {
            auto* view = qApp->activeModalWidget()->findChild<QListWidget*>(QStringLiteral("lstHistory"));
            QVERIFY(view);
            QCOMPARE(view->model()->rowCount(), 3);
            QCOMPARE(view->model()->index(0, 0).data().toString(), mt::historyOpened());
            view->setCurrentIndex(view->model()->index(0, 0));
            QVERIFY(w.isFileChanged());  // choosing a row alone moves nothing
            qApp->activeModalWidget()->findChild<QPushButton*>(QStringLiteral("cmdMoveHere"))->click();
            qApp->activeModalWidget()->close();
        });
        action(w, "mnuEditHistory")->trigger();
        QVERIFY(!w.isFileChanged());
        QCOMPARE(column(list, 1).at(1), QString::number(static_cast<uint8_t>(m_image.at(skillOffset() + 2))));
    }

    void propertiesStoreIsAStep() {
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.files().openFile(path, false));
        w.setDialogOpeners({.properties = [](EditSession& session, QWidget*) {
            session.file.TurnInfo[0] = 3;
            session.commit();
        }});
        action(w, "mnuFileProperties")->trigger();
        QVERIFY(w.document().history().undoText().startsWith(mt::propertiesStepName() +
                                                             QStringLiteral(": 現在ターン ")));
        action(w, "mnuEditUndo")->trigger();
        QVERIFY(!w.isFileChanged());
        QCOMPARE(w.saveFile()->TurnInfo[0], w.document().savedModel()->TurnInfo[0]);
    }

    // ---- Change review and comparison ----

    void reviewAfterEditsInTwoDialogs() {
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.files().openFile(path, false));
        const SaveFile original = *w.saveFile();
        setSkill(w, 77);
        w.setDialogOpeners({.properties = [](EditSession& session, QWidget*) {
            session.file.TurnInfo[0] = 4;
            session.commit();
        }});
        action(w, "mnuFileProperties")->trigger();
        QStringList rows;
        QString summary;
        readChangesThenPress(&rows, &summary, "cmdClose");
        action(w, "mnuEditReview")->trigger();
        QCOMPARE(summary, mt::changeCount(2));
        QCOMPARE(rows,
                 (QStringList{u"ﾌﾟﾛﾊﾟﾃｨ||現在ターン|%1|4|TurnInfo[0]"_s.arg(original.TurnInfo[0]),
                              u"搭乗員練度|日本海軍|搭乗員練度（戦闘機）|%1|77|AircrewSkill[0][0]"_s.arg(
                                  original.AircrewSkill[0][0])}));
        // Undoing one store takes it off the review.
        action(w, "mnuEditUndo")->trigger();
        rows.clear();
        readChangesThenPress(&rows, &summary, "cmdClose");
        action(w, "mnuEditReview")->trigger();
        QCOMPARE(rows.size(), 1);
        QVERIFY(rows[0].startsWith(u"搭乗員練度|"_s));
    }

    void reviewBeforeSavingIsAnOption() {
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        {
            frmMain w;
            QVERIFY(!action(w, "mnuEditReviewBeforeSave")->isChecked());
            QVERIFY(w.files().openFile(path, false));
            setSkill(w, 61);
            // Off by default: saving shows nothing.
            QVERIFY(w.files().save());
            action(w, "mnuEditReviewBeforeSave")->trigger();
            setSkill(w, 62);
            QStringList rows;
            QString summary;
            readChangesThenPress(&rows, &summary, "cmdCancel");
            QVERIFY(!w.files().save());
            QCOMPARE(rows.size(), 1);
            QCOMPARE(summary, mt::changeCount(1) + u'\n' + mt::saveQuestionAfterReview());
            QVERIFY(w.isFileChanged());
            QCOMPARE(static_cast<uint8_t>(readFile(path).at(skillOffset())), uint8_t(61));
            ui.answers = {MessageAnswer::No};
            QVERIFY(w.files().close());
            w.close();
        }
        QCOMPARE(stored(u"Option/ReviewBeforeSave"_s), u"True"_s);
        frmMain again;
        QVERIFY(action(again, "mnuEditReviewBeforeSave")->isChecked());
        QVERIFY(again.files().openFile(path, false));
        setSkill(again, 63);
        QStringList rows;
        QString summary;
        readChangesThenPress(&rows, &summary, "cmdSave");
        QVERIFY(again.files().save());
        QCOMPARE(static_cast<uint8_t>(readFile(path).at(skillOffset())), uint8_t(63));
    }

    // ---- Properties, options, about ----

    void propertiesOptionsAndAbout() {
        fixtures::ScriptedUi ui;
        frmMain w;
        OpenerLog log;
        w.setDialogOpeners({.properties =
                                [&log](EditSession& session, QWidget*) {
                                    ++log.properties;
                                    session.file.TurnInfo[0] = 5;
                                    session.commit();
                                },
                            .options =
                                [&log](Preferences& preferences, QWidget*) {
                                    ++log.options;
                                    preferences.gamePath = QStringLiteral("/new/game/");
                                },
                            .about = [&log](QWidget*) { ++log.about; }});
        w.fileProperties();  // no file: nothing
        QCOMPARE(log.properties, 0);
        QVERIFY(w.files().openFile(saveFile(), false));
        action(w, "mnuFileProperties")->trigger();
        QCOMPARE(log.properties, 1);
        QVERIFY(w.windowTitle().endsWith(QStringLiteral(" [編集済み]")));
        action(w, "mnuViewOptions")->trigger();
        QCOMPARE(log.options, 1);
        QCOMPARE(w.gamePath(), QStringLiteral("/new/game/"));
        action(w, "mnuHelpAbout")->trigger();
        QCOMPARE(log.about, 1);
    }

    void dialogsNotBuiltYetOpenNothing() {
        fixtures::ScriptedUi ui;
        frmMain w;
        w.setDialogOpeners({});
        QVERIFY(w.files().openFile(saveFile(), false));
        action(w, "mnuFileProperties")->trigger();
        action(w, "mnuViewOptions")->trigger();
        action(w, "mnuHelpAbout")->trigger();
        QVERIFY(w.browser().selectNode(QStringLiteral("ToujouRenAll")));
        auto* list = child<RecordListView>(w, "ListView");
        setCurrentRow(list, 0);
        w.openSelectedRecord();
        QVERIFY(!w.isFileChanged());
        QVERIFY(ui.messages.empty());
    }

    // ---- Help ----

    void helpWithoutAFile() {
        fixtures::ScriptedUi ui;
        frmMain w;
        w.help().setHelpFile(QString());
        action(w, "mnuHelpContents")->trigger();
        action(w, "mnuHelpSearch")->trigger();
        QCOMPARE(ui.messageTexts(), (QStringList{mt::noHelp(), mt::noHelp()}));
        for (const Message& m : ui.messages) {
            QCOMPARE(m.icon, MessageIcon::Information);
            QCOMPARE(m.buttons, MessageButtons::Ok);
            QCOMPARE(m.title, QStringLiteral("KorvenEdit"));
        }
        QVERIFY(!child(w, "frmHelp"));
    }

    void helpFileMissing() {
        fixtures::ScriptedUi ui;
        frmMain w;
        const QString missing = m_files->filePath(QStringLiteral("KorvEdit.html"));
        w.help().setHelpFile(missing);
        action(w, "mnuHelpContents")->trigger();
        QCOMPARE(ui.messageTexts(), QStringList{mt::helpFileMissing(missing)});
        QCOMPARE(ui.messages[0].icon, MessageIcon::Error);
    }

    void helpContentsAndSearch() {
        fixtures::ScriptedUi ui;
        frmMain w;
        w.show();
        action(w, "mnuHelpContents")->trigger();
        QVERIFY(ui.messages.empty());
        auto* help = child(w, "frmHelp");
        QVERIFY(help);
        QVERIFY(help->isVisible());
        QCOMPARE(child<QTabWidget>(*help, "tabHelp")->currentIndex(), 0);
        action(w, "mnuHelpSearch")->trigger();
        QCOMPARE(child<QTabWidget>(*help, "tabHelp")->currentIndex(), 1);
    }

    void f1OnTheMainWindowOpensItsTopic() {
        fixtures::ScriptedUi ui;
        frmMain w;
        w.show();
        QTest::keyClick(&w, Qt::Key_F1);
        auto* help = w.findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
        QVERIFY(help);
        QVERIFY(help->isVisible());
        QCOMPARE(help->currentAnchor(), u"window"_s);
    }

    // A modal window blocks the main window's help viewer, so the window in front gets one of
    // its own; a box that a dialog opened counts as the dialog.
    void f1OnADialogOpensItsTopic_data() {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("topic");
        QTest::newRow("ship") << u"frmShip"_s << u"ship"_s;
        QTest::newRow("aircraft") << u"frmAir"_s << u"air"_s;
        QTest::newRow("base") << u"frmBase"_s << u"base"_s;
        QTest::newRow("properties") << u"FileProperties"_s << u"properties"_s;
        QTest::newRow("science") << u"frmKagaku"_s << u"science"_s;
        QTest::newRow("aircrew") << u"frmToujouRen"_s << u"aircrew"_s;
        QTest::newRow("options") << u"frmOptions"_s << u"options"_s;
    }

    void f1OnADialogOpensItsTopic() {
        QFETCH(QString, dialog);
        fixtures::ScriptedUi ui;
        frmMain w;
        w.show();
        QDialog front(&w);
        front.setObjectName(dialog);
        auto* box = new QLineEdit(&front);
        front.open();
        box->setFocus();
        QTest::keyClick(box, Qt::Key_F1);
        QVERIFY(!w.findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly));
        auto* help = front.findChild<HelpWindow*>();
        QVERIFY(help);
        QVERIFY(help->isVisible());
        QTEST(help->currentAnchor(), "topic");

        QDialog message(&front);
        message.open();
        QTest::keyClick(&message, Qt::Key_F1);
        auto* overMessage = message.findChild<HelpWindow*>();
        QVERIFY(overMessage);
        QTEST(overMessage->currentAnchor(), "topic");
    }
};

QTEST_MAIN(TestFrmMain)
#include "test_frm_main.moc"
