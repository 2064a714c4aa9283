#include "mainwindow/HelpWindow.h"
#include "mainwindow/frmMain.h"
#include "platform/Backups.h"

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTreeWidget>

#include <set>

using namespace korven;
using namespace korven::mainwindow;

using namespace Qt::StringLiterals;

namespace {

template <typename T>
T* child(const QObject& parent, const char* name) {
    return parent.findChild<T*>(QString::fromLatin1(name));
}

std::set<QString> anchorsOf(const QTextDocument* document) {
    std::set<QString> anchors;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            for (const QString& name : it.fragment().charFormat().anchorNames()) {
                anchors.insert(name);
            }
        }
    }
    return anchors;
}

QStringList topics(const QTreeWidget* contents) {
    QStringList result;
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(contents)); *it; ++it) {
        result.append((*it)->text(0));
    }
    return result;
}

}  // namespace

class TestHelpWindow : public QObject {
    Q_OBJECT
private slots:
    void theProgramsDocument() {
        HelpWindow help(nullptr);
        QVERIFY(help.load(frmMain::defaultHelpFile(),
                          QStringLiteral("/home/user/.config/KorvenEdit/KorvenEdit.ini")));
        const QStringList contents = topics(child<QTreeWidget>(help, "tvwContents"));
        // What a new user needs: opening, the tree and list, every editor, saving, options,
        // settings and the backup section.
        for (const char16_t* topic :
             {u"セーブファイルを開く", u"分類ツリーとレコード一覧", u"艦船データエディット",
              u"航空機データエディット", u"基地データエディット", u"編集中ファイルのプロパティ", u"科学兵器",
              u"搭乗員練度", u"上書き保存", u"名前を付けて保存", u"オプション", u"設定の保存場所",
              u"バックアップ"}) {
            QVERIFY2(contents.contains(QString::fromUtf16(topic)), qPrintable(QString::fromUtf16(topic)));
        }
        const QString text = child<QTextBrowser>(help, "txtHelp")->toPlainText();
        QVERIFY(text.contains(QStringLiteral("/home/user/.config/KorvenEdit/KorvenEdit.ini")));
        QVERIFY(!text.contains(QStringLiteral("{{settings}}")));
        // Where the backups are, and how to restore one.
        QVERIFY(text.contains(BackupStore::defaultFolder()));
        QVERIFY(!text.contains(QStringLiteral("{{backups}}")));
        QVERIFY(contents.contains(QStringLiteral("バックアップから元に戻す")));
    }

    void everyKeywordAndTopicLeadsSomewhere() {
        HelpWindow help(nullptr);
        QVERIFY(help.load(frmMain::defaultHelpFile(), QString()));
        const std::set<QString> anchors = anchorsOf(child<QTextBrowser>(help, "txtHelp")->document());
        auto* keywords = child<QListWidget>(help, "lstKeywords");
        QVERIFY(keywords->count() > 50);
        for (int i = 0; i < keywords->count(); ++i) {
            const QString anchor = keywords->item(i)->data(Qt::UserRole).toString();
            QVERIFY2(anchors.count(anchor) == 1, qPrintable(keywords->item(i)->text() + u' ' + anchor));
        }
        for (QTreeWidgetItemIterator it(child<QTreeWidget>(help, "tvwContents")); *it; ++it) {
            QVERIFY2(anchors.count((*it)->data(0, Qt::UserRole).toString()) == 1, qPrintable((*it)->text(0)));
        }
    }

    void keywordSearch() {
        HelpWindow help(nullptr);
        QVERIFY(help.load(frmMain::defaultHelpFile(), QString()));
        help.showSearch();
        QCOMPARE(child<QTabWidget>(help, "tabHelp")->currentIndex(), 1);
        auto* keyword = child<QLineEdit>(help, "txtKeyword");
        auto* keywords = child<QListWidget>(help, "lstKeywords");
        keyword->setText(QStringLiteral("名前を付けて"));
        QVERIFY(keywords->count() >= 1);
        for (int i = 0; i < keywords->count(); ++i) {
            QVERIFY(keywords->item(i)->text().contains(QStringLiteral("名前を付けて")));
        }
        QTest::keyClick(keyword, Qt::Key_Return);
        QCOMPARE(help.currentAnchor(), QStringLiteral("saveas"));
        keyword->setText(QStringLiteral("no such keyword at all"));
        QCOMPARE(keywords->count(), 0);
        QTest::keyClick(keyword, Qt::Key_Return);
        QCOMPARE(help.currentAnchor(), QStringLiteral("saveas"));
    }

    void contentsNavigation() {
        HelpWindow help(nullptr);
        QVERIFY(help.load(frmMain::defaultHelpFile(), QString()));
        help.showContents();
        QCOMPARE(child<QTabWidget>(help, "tabHelp")->currentIndex(), 0);
        auto* contents = child<QTreeWidget>(help, "tvwContents");
        const QList<QTreeWidgetItem*> found =
            contents->findItems(QStringLiteral("バックアップ"), Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        emit contents->itemActivated(found[0], 0);
        QCOMPARE(help.currentAnchor(), QStringLiteral("backup"));
        // Subsections sit under their section.
        const QList<QTreeWidgetItem*> sort =
            contents->findItems(QStringLiteral("並べ替えと列"), Qt::MatchExactly | Qt::MatchRecursive);
        QCOMPARE(sort.size(), 1);
        QCOMPARE(sort[0]->parent()->text(0), QStringLiteral("分類ツリーとレコード一覧"));
    }

    // A window's topic opens in the contents with its heading selected; a window without one
    // gets the contents from the start.
    void topicOfAWindow() {
        HelpWindow help(nullptr);
        QVERIFY(help.load(frmMain::defaultHelpFile(), QString()));
        auto* contents = child<QTreeWidget>(help, "tvwContents");
        help.showTopic(QStringLiteral("aircrew"));
        QVERIFY(help.isVisible());
        QCOMPARE(child<QTabWidget>(help, "tabHelp")->currentIndex(), 0);
        QCOMPARE(help.currentAnchor(), QStringLiteral("aircrew"));
        QCOMPARE(contents->currentItem()->text(0), QStringLiteral("搭乗員練度"));
        help.showTopic(QString());
        QCOMPARE(child<QTextBrowser>(help, "txtHelp")->textCursor().position(), 0);
    }

    void ownDocumentAndKeywords() {
        QTemporaryDir dir;
        QFile html(dir.filePath(QStringLiteral("Doc.html")));
        QVERIFY(html.open(QIODevice::WriteOnly));
        html.write(
            QStringLiteral("<h1>T</h1><h2><a name=\"a\"></a>第一</h2><p>x</p><h3><a name=\"b\"></a>第二</h3>"
                           "<h2><a name=\"c\"></a>第三</h2>")
                .toUtf8());
        html.close();
        QFile keys(dir.filePath(QStringLiteral("Doc.keywords")));
        QVERIFY(keys.open(QIODevice::WriteOnly));
        keys.write(QStringLiteral("ぜんぶ\tc\nbroken line\n\n").toUtf8());
        keys.close();
        HelpWindow help(nullptr);
        QVERIFY(help.load(html.fileName(), QString()));
        QCOMPARE(topics(child<QTreeWidget>(help, "tvwContents")),
                 (QStringList{QStringLiteral("第一"), QStringLiteral("第二"), QStringLiteral("第三")}));
        auto* keywords = child<QListWidget>(help, "lstKeywords");
        QStringList texts;
        for (int i = 0; i < keywords->count(); ++i) {
            texts.append(keywords->item(i)->text());
        }
        QCOMPARE(texts.size(), 4);  // one from the file, three headings
        QVERIFY(texts.contains(QStringLiteral("ぜんぶ")));
        QVERIFY(!help.load(dir.filePath(QStringLiteral("missing.html")), QString()));
    }
};

QTEST_MAIN(TestHelpWindow)
#include "test_help_window.moc"
