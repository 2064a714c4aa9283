#include "catalogue/ReferenceTables.h"
#include "mainwindow/CategoryTree.h"
#include "mainwindow/SearchPanel.h"
#include "model/SaveFileLoader.h"
#include "tests/support/Recorders.h"
#include "tests/support/SaveImageBuilder.h"

#include <QLineEdit>
#include <QTest>
#include <QTreeView>

using namespace korven;
using namespace korven::mainwindow;
using namespace Qt::StringLiterals;

class TestSearchPanel : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        catalogue::FillReferenceTables();
        fixtures::RecordingStatus status;
        fixtures::RecordingMessages messages;
        QVERIFY(LoadSaveFile(fixtures::SaveImageBuilder().build(), m_model, status, messages).ok());
    }

    void columnsFitEveryMatch_data() {
        QTest::addColumn<QString>("query");
        QTest::addColumn<int>("atLeast");
        QTest::newRow("a digit") << u"1"_s << 200;
        QTest::newRow("a kana") << u"ｼ"_s << 1;
        QTest::newRow("one base") << u"ﾊﾞﾝｺｸ"_s << 1;
    }
    void columnsFitEveryMatch() {
        // The category and number columns are sized from a few candidates, not row by row:
        // no match, however far down the list, may be cut short.
        QFETCH(QString, query);
        QFETCH(int, atLeast);
        SearchPanel panel(nullptr);
        panel.resize(640, 400);
        panel.setIndexSource([this] { return SearchIndex::Build(m_model, BuildCategoryTree()); });
        panel.setFileOpen(true);
        panel.show();
        panel.findChild<QLineEdit*>(u"txtSearch"_s)->setText(query);
        const auto* view = panel.findChild<QTreeView*>(u"lstSearch"_s);
        const QAbstractItemModel* hits = view->model();
        QVERIFY(hits->rowCount() >= atLeast);
        const QFontMetrics metrics = view->fontMetrics();
        for (int column : {1, 2}) {
            const QString header = hits->headerData(column, Qt::Horizontal).toString();
            QVERIFY(metrics.horizontalAdvance(header) < view->columnWidth(column));
            for (int row = 0; row < hits->rowCount(); ++row) {
                const QString text = hits->index(row, column).data().toString();
                QVERIFY2(metrics.horizontalAdvance(text) < view->columnWidth(column), qPrintable(text));
            }
        }
    }

private:
    SaveFile m_model;
};

QTEST_MAIN(TestSearchPanel)
#include "test_search_panel.moc"
