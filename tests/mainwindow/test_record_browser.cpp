#include "tests/mainwindow/MainWindowTest.h"

#include <QClipboard>
#include <QGuiApplication>

// The tree and the record list in the window: what each node lists, sorting, column memory,
// opening a row and refreshing after an edit.
class TestRecordBrowser : public MainWindowTest {
    Q_OBJECT

private slots:
    void initTestCase() { prepareOnce(); }
    void init() { prepare(); }

    // ---- Tree and list ----

    void treeNodesAndLists_data() {
        QTest::addColumn<QString>("node");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("firstRow");
        QTest::newRow("艦型") << "Kankei" << QStringList{} << 0 << "";
        QTest::newRow("日本軍 under 艦型") << "KankeiJapan" << QStringList{} << 0 << "";
        QTest::newRow("全軍") << "ToujouRenAll" << QStringList{u"国籍"_s, u"戦闘機"_s, u"爆撃機"_s} << 5
                              << "日本海軍";
        QTest::newRow("Japanese cruisers")
            << "Kankei_0_2" << QStringList{u"クラス名"_s, u"艦種"_s, u"上部ステップ"_s, u"下部ステップ"_s,
                                           u"速力"_s,     u"燃料"_s, u"機数"_s}
            << 11 << "高雄型";
        QTest::newRow("Allied seaplane carriers")
            << "Kankei_1_3" << QStringList{u"クラス名"_s, u"艦種"_s, u"上部ステップ"_s, u"下部ステップ"_s,
                                           u"速力"_s,     u"燃料"_s, u"機数"_s}
            << 0 << "";
        QTest::newRow("Japanese submarines")
            << "Kokan_0_5" << QStringList{u"艦船名"_s,       u"クラス名"_s, u"艦種"_s, u"上部ステップ"_s,
                                          u"下部ステップ"_s, u"速力"_s,     u"燃料"_s, u"搭載"_s}
            << -1 << "";
        QTest::newRow("anti-air weapons")
            << "KagakuJapan0" << QStringList{u"名称"_s, u"効果"_s, u"必要ターン"_s, u"残りターン"_s} << 6
            << "";
        QTest::newRow("Japanese carrier fighters")
            << "KoukuJapan0" << QStringList{u"正式名"_s, u"名称"_s, u"国籍"_s, u"開発ターン"_s} << -1
            << "９６式艦上戦闘機";
    }
    void treeNodesAndLists() {
        QFETCH(QString, node);
        QFETCH(int, rows);
        QFETCH(QString, firstRow);
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.files().openFile(saveFile(), false));
        QVERIFY(w.browser().selectNode(QStringLiteral("Kankei_0_0")));  // some list first
        QVERIFY(w.browser().selectNode(node));
        auto* list = child<RecordListView>(w, "ListView");
        QTEST(headerCaptions(list), "captions");
        if (rows >= 0) {
            QCOMPARE(list->rowCount(), rows);
        } else {
            QVERIFY(list->rowCount() > 0);
        }
        if (!firstRow.isEmpty()) {
            QCOMPARE(list->cellText(0, 0), firstRow);
        }
        const QString count = list->columnCount() == 0 ? QString() : mt::rowCount(list->rowCount());
        QCOMPARE(child<QLabel>(w, "Panel_1")->text(), count);
        QVERIFY(ui.messages.empty());
    }

    void everyNodeOfTheDemoSave() {
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.files().openFile(saveFile(), false));
        auto* tree = child<QTreeWidget>(w, "TreeView");
        auto* list = child<RecordListView>(w, "ListView");
        const CategoryTree model = BuildCategoryTree();
        int nodes = 0;
        for (QTreeWidgetItemIterator it(tree); *it; ++it) {
            tree->setCurrentItem(*it);
            const int index = (*it)->data(0, Qt::UserRole + 1).toInt();
            QCOMPARE((*it)->text(0), model.node(index)->caption);
            const NodeList shown =
                ListForNode(FactsOf(model, index), model.fixedNodeCount, model.firstAreaIndex);
            QCOMPARE(list->rowCount(), static_cast<int>(BuildRows(*w.saveFile(), shown).size()));
            QCOMPARE(list->columnCount(), static_cast<int>(DefaultColumns(shown.kind).size()));
            ++nodes;
        }
        QCOMPARE(nodes, static_cast<int>(model.nodes.size()));
        QVERIFY(ui.messages.empty());
    }

    void shipNamesInTheList() {
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.files().openFile(saveFile(), false));
        setFields(w, {{QStringLiteral("Ship[510].Words[2]"), 7},
                      {QStringLiteral("Ship[511].Words[2]"), 13015},
                      {QStringLiteral("Ship[512].Words[2]"), 15002}});
        const int group = ListingGroupOfClass(*w.saveFile(), w.saveFile()->Ship[510].Words[3]);
        QVERIFY(w.browser().selectNode(QStringLiteral("Kokan_1_%1").arg(group)));
        auto* list = child<RecordListView>(w, "ListView");
        const QStringList names = column(list, 0);
        QVERIFY(names.contains(QStringLiteral("No.0007")));
        QCOMPARE(list->rowKey(rowsNamed(list, QStringLiteral("No.0007")).value(0)),
                 (std::optional(RecordKey{RecordKind::Ship, 510})));
    }

    void sortToggling() {
        fixtures::ScriptedUi ui;
        frmMain w;
        w.show();
        QVERIFY(w.files().openFile(saveFile(), false));
        QVERIFY(w.browser().selectNode(QStringLiteral("Kankei_0_2")));
        auto* list = child<RecordListView>(w, "ListView");
        const QStringList unsorted = column(list, 2);
        auto numbers = [&](int c) {
            QList<int> values;
            for (const QString& text : column(list, c)) {
                values.append(text.toInt());
            }
            return values;
        };
        clickHeader(list, 2);  // 上部ステップ: one- and two-digit numbers
        QList<int> steps = numbers(2);
        QVERIFY(std::is_sorted(steps.begin(), steps.end()));
        QVERIFY(steps.first() < 10 && steps.last() >= 10);
        clickHeader(list, 2);
        steps = numbers(2);
        QVERIFY(std::is_sorted(steps.rbegin(), steps.rend()));
        clickHeader(list, 2);
        steps = numbers(2);
        QVERIFY(std::is_sorted(steps.begin(), steps.end()));
        clickHeader(list, 0);
        const QStringList names = column(list, 0);
        QStringList expected = names;
        std::sort(expected.begin(), expected.end(), [](const QString& a, const QString& b) {
            return QString::compare(a, b, Qt::CaseInsensitive) < 0;
        });
        QCOMPARE(names, expected);
        // Listing again switches sorting off.
        QVERIFY(w.browser().selectNode(QStringLiteral("Kankei_0_2")));
        QCOMPARE(column(list, 2), unsorted);
        QVERIFY(!list->header()->isSortIndicatorShown());
    }

    void pairColumnsSortByBothValues() {
        fixtures::ScriptedUi ui;
        frmMain w;
        w.show();
        QVERIFY(w.files().openFile(saveFile(), false));
        QVERIFY(w.browser().selectNode(QStringLiteral("Kokan_0_4")));
        auto* list = child<RecordListView>(w, "ListView");
        clickHeader(list, 3);
        QList<std::pair<int, int>> values;
        for (const QString& text : column(list, 3)) {
            values.append({text.section(u':', 0, 0).toInt(), text.section(u':', 1).toInt()});
        }
        QVERIFY(values.size() > 10);
        QVERIFY(std::is_sorted(values.begin(), values.end()));
    }

    void columnMemoryAcrossKinds() {
        fixtures::ScriptedUi ui;
        frmMain w;
        w.show();
        QVERIFY(w.files().openFile(saveFile(), false));
        auto* list = child<RecordListView>(w, "ListView");
        QVERIFY(w.browser().selectNode(QStringLiteral("Kankei_0_2")));
        QCOMPARE(list->header()->sectionSize(0), layout::toPixels(1500));
        list->header()->resizeSection(1, 150);
        list->header()->moveSection(0, 3);
        QVERIFY(w.browser().selectNode(QStringLiteral("ToujouRenAll")));
        QCOMPARE(list->header()->sectionSize(0), layout::toPixels(2200));
        list->header()->resizeSection(2, 123);
        QVERIFY(w.browser().selectNode(QStringLiteral("Kichi")));  // the empty list in between
        QCOMPARE(list->columnCount(), 0);
        QVERIFY(w.browser().selectNode(QStringLiteral("Kankei_1_1")));
        QCOMPARE(list->header()->sectionSize(1), 150);
        QCOMPARE(list->header()->visualIndex(0), 3);
        QCOMPARE(list->header()->sectionSize(0), layout::toPixels(1500));
        QVERIFY(w.browser().selectNode(QStringLiteral("ToujouRenAll")));
        QCOMPARE(list->header()->sectionSize(2), 123);
        // Unchanged widths keep their twips exactly.
        QVERIFY(w.browser().selectNode(QStringLiteral("Kankei_0_2")));
        QVERIFY(w.browser().selectNode(QStringLiteral("ToujouRenAll")));
        QCOMPARE(list->model()->headerData(0, Qt::Horizontal, RecordTableModel::WidthRole).toDouble(),
                 2200.0);
    }

    void enterAndDoubleClickOpenTheEditor() {
        fixtures::ScriptedUi ui;
        store(QStringLiteral("Option/GamePath"), QStringLiteral("/games/varzon/"));
        const QString path = saveFile();
        frmMain w;
        w.show();
        QVERIFY(w.files().openFile(path, false));
        OpenerLog log;
        w.setDialogOpeners({.record = [&log](const RecordKey& key, EditSession& session, QWidget* owner) {
            log.keys.append(key.text());
            log.itemTexts.append(session.selectedItemText);
            log.openPaths.append(session.openFilePath);
            log.gamePaths.append(session.gamePath);
            return owner != nullptr;
        }});
        QVERIFY(w.browser().selectNode(QStringLiteral("Kankei_0_2")));
        auto* list = child<RecordListView>(w, "ListView");
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Return);  // nothing selected yet
        QVERIFY(log.keys.isEmpty());
        setCurrentRow(list, 1);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(log.keys.size(), 1);
        QTest::keyClick(list, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(log.keys.size(), 2);
        QTest::keyClick(list, Qt::Key_A);
        const QRect rect = list->visualRect(list->model()->index(1, 0));
        // The first mouse event only brings the pointer into the window; a single click opens nothing.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(log.keys.size(), 2);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(log.keys, (QStringList{u"Kankei17"_s, u"Kankei17"_s, u"Kankei17"_s}));
        QCOMPARE(log.itemTexts.value(0), QStringLiteral("妙高型"));
        QCOMPARE(log.openPaths.value(0), path);
        QCOMPARE(log.gamePaths.value(0), QStringLiteral("/games/varzon/"));
    }

    // Collapsing an ancestor of the selected node, at any level, leaves neither its rows nor
    // an editor behind Enter; collapsing another node keeps the list.
    void collapsingTheSelectedNodesAncestor_data() {
        QTest::addColumn<QString>("collapsed");
        QTest::addColumn<QString>("selectedAfter");
        QTest::addColumn<int>("rowsAfter");
        QTest::newRow("parent") << u"KankeiJapan"_s << u"KankeiJapan"_s << 0;
        QTest::newRow("grandparent") << u"Kankei"_s << u"Kankei"_s << 0;
        QTest::newRow("another node") << u"Kokan"_s << u"Kankei_0_2"_s << -1;
    }

    void collapsingTheSelectedNodesAncestor() {
        QFETCH(QString, collapsed);
        fixtures::ScriptedUi ui;
        frmMain w;
        w.show();
        QVERIFY(w.files().openFile(saveFile(), false));
        QStringList opened;
        w.setDialogOpeners({.record = [&opened](const RecordKey& key, EditSession&, QWidget*) {
            opened.append(key.text());
            return true;
        }});
        QVERIFY(w.browser().selectNode(QStringLiteral("Kankei_0_2")));
        auto* tree = child<QTreeWidget>(w, "TreeView");
        auto* list = child<RecordListView>(w, "ListView");
        const int rowsBefore = list->rowCount();
        QVERIFY(rowsBefore > 0);
        tree->expandAll();
        const QList<QTreeWidgetItem*> nodes =
            tree->findItems(QStringLiteral("*"), Qt::MatchWildcard | Qt::MatchRecursive);
        auto node = [&nodes](const QString& key) -> QTreeWidgetItem* {
            for (QTreeWidgetItem* item : nodes) {
                if (item->data(0, Qt::UserRole).toString() == key) {
                    return item;
                }
            }
            return nullptr;
        };
        QVERIFY(node(collapsed));
        tree->collapseItem(node(collapsed));
        QFETCH(QString, selectedAfter);
        QCOMPARE(tree->currentItem(), node(selectedAfter));
        QFETCH(int, rowsAfter);
        QCOMPARE(list->rowCount(), rowsAfter < 0 ? rowsBefore : rowsAfter);
        list->setFocus();
        if (list->rowCount() > 0) {
            setCurrentRow(list, 0);
        }
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(opened.size(), rowsAfter < 0 ? 1 : 0);
    }

    void refreshSelectsTheSamePosition() {
        fixtures::ScriptedUi ui;
        frmMain w;
        w.show();
        QVERIFY(w.files().openFile(saveFile(), false));
        QVERIFY(w.browser().selectNode(QStringLiteral("Kankei_0_2")));
        auto* list = child<RecordListView>(w, "ListView");
        const QStringList unsorted = column(list, 0);
        clickHeader(list, 0);
        clickHeader(list, 0);  // descending
        QString openedKey;
        w.setDialogOpeners({.record = [&openedKey](const RecordKey& key, EditSession& session, QWidget*) {
            openedKey = key.text();
            session.file.ShipClass[16].Name.setText(QStringLiteral("改高雄型"));
            session.commit();
            return true;
        }});
        setCurrentRow(list, 2);
        const QString selectedKey = list->rowKey(2)->text();
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(openedKey, selectedKey);
        // Rebuilt unsorted from the model, with the row at position 3 selected.
        QCOMPARE(list->cellText(0, 0), QStringLiteral("改高雄型"));
        QCOMPARE(column(list, 0).mid(1), unsorted.mid(1));
        QCOMPARE(list->selectedRows(), std::vector<int>{2});
        QVERIFY(w.windowTitle().endsWith(QStringLiteral(" [編集済み]")));
        QCOMPARE(child<QLabel>(w, "Label2")->text(), QStringLiteral("編集済み"));
    }

    void refreshOfAShorterList() {
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.files().openFile(saveFile(), false));
        QVERIFY(w.browser().selectNode(QStringLiteral("Kankei_0_2")));
        auto* list = child<RecordListView>(w, "ListView");
        const int rows = list->rowCount();
        w.setDialogOpeners({.record = [](const RecordKey&, EditSession& session, QWidget*) {
            session.file.ShipClass[static_cast<std::size_t>(session.selection.record)].Kind[1] =
                12;  // now a destroyer
            session.commit();
            return true;
        }});
        setCurrentRow(list, rows - 1);
        w.openSelectedRecord();
        QCOMPARE(list->rowCount(), rows - 1);
        QCOMPARE(list->selectedRows(), std::vector<int>{rows - 2});
    }

    void shipWithoutClassOpensNothing() {
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.files().openFile(saveFile(), false));
        setFields(w, {{QStringLiteral("Ship[0].Words[3]"), 400}});
        int opened = 0;
        w.setDialogOpeners(
            {.record = [&opened](const RecordKey&, EditSession&, QWidget*) { return ++opened > 0; }});
        QVERIFY(w.browser().selectNode(QStringLiteral("Kokan_0_0")));
        auto* list = child<RecordListView>(w, "ListView");
        const QList<int> found = rowsNamed(list, catalogue::ShipNames()[0]);
        QCOMPARE(found.size(), 1);
        QCOMPARE(list->cellText(found[0], 1), QString());
        setCurrentRow(list, found[0]);
        w.openSelectedRecord();
        QCOMPARE(opened, 0);
    }

    // ---- Filter ----

    // The box's conditions decide the rows shown, across nodes; the count, Ctrl+A, row copy and
    // CSV take only those rows. A bad condition is marked in the box, never a message, and the
    // rows of the last whole filter stay.
    void filterActsOnTheRowsShown() {
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.files().openFile(saveFile(), false));
        QVERIFY(w.browser().selectNode(u"Kankei_0_2"_s));
        auto* list = child<RecordListView>(w, "ListView");
        auto* box = child<QLineEdit>(w, "txtFilter");
        auto* count = child<QLabel>(w, "Panel_1");
        QCOMPARE(box->accessibleName(), u"絞り込み"_s);
        const int all = list->rowCount();
        QVERIFY(all > 1);

        box->setText(u"ｸﾗｽ名 = 高雄型"_s);
        QCOMPARE(list->rowCount(), 1);
        QCOMPARE(list->cellText(0, 0), u"高雄型"_s);
        QCOMPARE(count->text(), u"1 / %1 件"_s.arg(all));
        QVERIFY(w.browser().selectNode(u"Kankei_0_0"_s));
        QVERIFY(w.browser().selectNode(u"Kankei_0_2"_s));
        QCOMPARE(list->rowCount(), 1);

        list->setFocus();
        QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
        QGuiApplication::clipboard()->clear();
        action(w, "mnuEditCopyRows")->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text().count(u'\n'), 1);
        QVERIFY(QGuiApplication::clipboard()->text().startsWith(u"高雄型\t"_s));
        const QString csv = m_files->filePath(u"shown.csv"_s);
        ui.saveChoices = {csv};
        action(w, "mnuFileExportCsv")->trigger();
        const QStringList lines = QString::fromUtf8(readFile(csv).mid(3)).split(u"\r\n"_s);
        QCOMPARE(lines.size(), 3);  // the captions, the row and the end of the last line
        QVERIFY(lines[1].startsWith(u"高雄型,"_s));

        const QColor normal = box->palette().color(QPalette::Base);
        box->setText(u"損害 = 大破"_s);
        QCOMPARE(list->rowCount(), 1);
        QCOMPARE(box->toolTip(), mt::filterUnknownColumn(u"損害"_s));
        QVERIFY(box->palette().color(QPalette::Base) != normal);
        QCOMPARE(count->text(), u"1 / %1 件"_s.arg(all));
        box->setText(u"速力 >= 0"_s);
        QCOMPARE(list->rowCount(), all);
        QCOMPARE(box->palette().color(QPalette::Base), normal);
        QVERIFY(ui.messages.empty());

        QVERIFY(w.files().close());
        QVERIFY(box->text().isEmpty());
        QVERIFY(!box->isEnabled());
    }

    // A typo after a whole filter never widens the list, so Ctrl+A cannot take every record:
    // the rows stay while the text is wrong, and a list the last filter does not fit shows none.
    void mistypedFilterKeepsTheLastRows() {
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.files().openFile(saveFile(), false));
        QVERIFY(w.browser().selectNode(u"Kokan_0_0"_s));
        auto* list = child<RecordListView>(w, "ListView");
        auto* box = child<QLineEdit>(w, "txtFilter");
        auto* count = child<QLabel>(w, "Panel_1");
        const int all = list->rowCount();
        QVERIFY(all > 1);
        // One carrier low on fuel, the others full.
        std::vector<std::pair<QString, QJsonValue>> fuels;
        for (int row = 0; row < all; ++row) {
            fuels.emplace_back(u"Ship[%1].Words[6]"_s.arg(list->rowKey(row)->index), row == 0 ? 100 : 5000);
        }
        setFields(w, fuels);
        box->setText(u"燃料 < 3000"_s);
        const QStringList kept = column(list, 0);
        QCOMPARE(kept.size(), 1);

        for (const QString& typo : {u"燃料 < 3000 abc"_s, u"燃料 < 3000 速力"_s, u"燃料 < \"30"_s}) {
            box->setText(typo);
            QVERIFY(!box->toolTip().isEmpty() && box->toolTip() != mt::filterToolTip());
            QCOMPARE(column(list, 0), kept);
            QCOMPARE(count->text(), u"%1 / %2 件"_s.arg(kept.size()).arg(all));
        }
        list->selectAll();
        QCOMPARE(int(list->selectedRows().size()), int(kept.size()));
        // Another node keeps the filter; one without a 燃料 column shows no row while it is wrong.
        QVERIFY(w.browser().selectNode(u"Kokan_0_1"_s));
        for (int row = 0; row < list->rowCount(); ++row) {
            QVERIFY(list->cellText(row, 6).section(u':', 1).toInt() < 3000);
        }
        QVERIFY(w.browser().selectNode(u"ToujouRenAll"_s));
        QCOMPARE(list->rowCount(), 0);
        box->clear();
        QCOMPARE(list->rowCount(), list->unfilteredRowCount());
        QVERIFY(list->rowCount() > 0);
    }

    // Ctrl+A and すべて選択 take the list's rows wherever the focus is, the tree included; in
    // a text box Ctrl+A selects the box's text and leaves the rows alone.
    void selectAllFromTheTreeButNotFromATextBox() {
        fixtures::ScriptedUi ui;
        frmMain w;
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QVERIFY(w.files().openFile(saveFile(), false));
        auto* tree = child<QTreeWidget>(w, "TreeView");
        auto* list = child<RecordListView>(w, "ListView");
        QVERIFY(w.browser().selectNode(u"Kokan_0_0"_s));
        tree->setFocus();
        QVERIFY(list->rowCount() > 1);
        QVERIFY(list->selectedRows().empty());
        QTest::keyClick(tree, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(int(list->selectedRows().size()), list->rowCount());
        QVERIFY(action(w, "mnuEditBatch")->isEnabled());

        auto* box = child<QLineEdit>(w, "txtFilter");
        box->setText(u"速力 >= 0"_s);
        list->clearSelection();
        box->setFocus();
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(box->selectedText(), box->text());
        QVERIFY(list->selectedRows().empty());

        tree->setFocus();
        action(w, "mnuEditSelectAll")->trigger();
        QCOMPARE(int(list->selectedRows().size()), list->rowCount());
    }

    // Default columns are never narrower than their captions (上部ステップ, 下部ステップ).
    void columnCaptionsAreNotCut() {
        fixtures::ScriptedUi ui;
        frmMain w;
        w.show();
        QVERIFY(w.files().openFile(saveFile(), false));
        auto* list = child<RecordListView>(w, "ListView");
        const QFontMetrics metrics(list->header()->font());
        for (const QString& node : {u"Kankei_0_2"_s, u"Kokan_0_0"_s, u"KoukuJapan0"_s, u"KagakuJapan0"_s}) {
            QVERIFY(w.browser().selectNode(node));
            for (int c = 0; c < list->columnCount(); ++c) {
                const QString caption = list->model()->headerData(c, Qt::Horizontal).toString();
                QVERIFY2(list->header()->sectionSize(c) > metrics.horizontalAdvance(caption),
                         qPrintable(node + u' ' + caption));
            }
        }
    }
};

QTEST_MAIN(TestRecordBrowser)
#include "test_record_browser.moc"
