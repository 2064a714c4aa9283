#include "editors/EditorDispatch.h"

#include <QTest>

#include <memory>

using namespace korven;

Q_DECLARE_METATYPE(EditorKind)

class TestEditorDispatch : public QObject {
    Q_OBJECT
private slots:
    void parse_data() {
        QTest::addColumn<RecordKey>("key");
        QTest::addColumn<EditorKind>("kind");
        QTest::addColumn<int>("record");
        QTest::addColumn<int>("ship");
        QTest::addColumn<int>("target1");
        QTest::addColumn<int>("target2");
        QTest::newRow("class") << RecordKey{RecordKind::ShipClass, 12} << EditorKind::Ship << 12 << -1 << 0
                               << 0;
        QTest::newRow("ship takes its class")
            << RecordKey{RecordKind::Ship, 512} << EditorKind::Ship << 41 << 512 << 0 << 0;
        QTest::newRow("aircraft") << RecordKey{RecordKind::AircraftType, 169} << EditorKind::Air << 169 << -1
                                  << 0 << 0;
        QTest::newRow("base") << RecordKey{RecordKind::Base, 0} << EditorKind::Base << 0 << -1 << 0 << 0;
        QTest::newRow("science") << RecordKey{RecordKind::ScienceWeapon, 1, 4} << EditorKind::Kagaku << 0
                                 << -1 << 1 << 4;
        QTest::newRow("aircrew") << RecordKey{RecordKind::AircrewSkill, 4} << EditorKind::ToujouRen << 4 << -1
                                 << 0 << 0;
    }
    void parse() {
        QFETCH(RecordKey, key);
        auto file = std::make_unique<SaveFile>();
        file->Ship[512].Words[3] = 41;
        const std::optional<EditorRequest> request = RequestFor(key, *file);
        QVERIFY(request);
        QTEST(request->kind, "kind");
        QTEST(int(request->selection.record), "record");
        QTEST(int(request->selection.ship), "ship");
        QTEST(int(request->selection.target1), "target1");
        QTEST(int(request->selection.target2), "target2");
    }

    void unknownKeysOpenNothing() {
        auto file = std::make_unique<SaveFile>();
        for (const RecordKey& key : {RecordKey{RecordKind::Ship, 1200}, RecordKey{RecordKind::Ship, -1}}) {
            QVERIFY2(!RequestFor(key, *file), qPrintable(key.text()));
        }
    }
};

QTEST_GUILESS_MAIN(TestEditorDispatch)
#include "test_editor_dispatch.moc"
