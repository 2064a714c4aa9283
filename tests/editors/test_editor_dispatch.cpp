#include "editors/EditorDispatch.h"

#include <QTest>

#include <memory>

using namespace korven;

Q_DECLARE_METATYPE(EditorKind)

class TestEditorDispatch : public QObject {
    Q_OBJECT
private slots:
    void parse_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<EditorKind>("kind");
        QTest::addColumn<int>("record");
        QTest::addColumn<int>("ship");
        QTest::addColumn<int>("target1");
        QTest::addColumn<int>("target2");
        QTest::newRow("class") << "Kankei12" << EditorKind::Ship << 12 << -1 << 0 << 0;
        QTest::newRow("ship takes its class") << "Kokan512" << EditorKind::Ship << 41 << 512 << 0 << 0;
        QTest::newRow("aircraft") << "Air169" << EditorKind::Air << 169 << -1 << 0 << 0;
        QTest::newRow("base") << "Base0" << EditorKind::Base << 0 << -1 << 0 << 0;
        QTest::newRow("science") << "Kagaku1,4" << EditorKind::Kagaku << 0 << -1 << 1 << 4;
        QTest::newRow("aircrew") << "ToujouRen4" << EditorKind::ToujouRen << 4 << -1 << 0 << 0;
    }
    void parse() {
        QFETCH(QString, key);
        auto file = std::make_unique<SaveFile>();
        file->Ship[512].Words[3] = 41;
        const std::optional<EditorRequest> request = ParseRowKey(key, *file);
        QVERIFY(request);
        QTEST(request->kind, "kind");
        QTEST(int(request->selection.record), "record");
        QTEST(int(request->selection.ship), "ship");
        QTEST(int(request->selection.target1), "target1");
        QTEST(int(request->selection.target2), "target2");
    }

    void unknownKeysOpenNothing() {
        auto file = std::make_unique<SaveFile>();
        for (const QString& key :
             {QString(), QStringLiteral("Clear"), QStringLiteral("Kokan1200"), QStringLiteral("Kokan-1")}) {
            QVERIFY2(!ParseRowKey(key, *file), qPrintable(key));
        }
    }
};

QTEST_GUILESS_MAIN(TestEditorDispatch)
#include "test_editor_dispatch.moc"
