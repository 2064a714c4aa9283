#include "catalogue/ReferenceTables.h"
#include "mainwindow/ChangeCommands.h"
#include "tests/support/Recorders.h"
#include "tests/support/SaveImageBuilder.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace korven;
using namespace korven::mainwindow;

// The commands of the review and compare rows, run on an open document without a window.
class TestChangeCommands : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    fixtures::RecordingStatus m_status;
    fixtures::RecordingMessages m_messages;
    std::unique_ptr<OpenDocument> m_doc;

    void set(const char* path, const QJsonValue& value, const QString& name = QStringLiteral("編集")) {
        QCOMPARE(m_doc->apply({name, {*ChangeTo(*m_doc->model(), QString::fromUtf8(path), value)}}),
                 DocumentEdit::Applied);
    }
    static const ChangeRow& rowAt(const std::vector<ChangeRow>& rows, const QString& path) {
        for (const ChangeRow& row : rows) {
            if (row.path == path) {
                return row;
            }
        }
        qFatal("no row for %s", qPrintable(path));
    }

private slots:
    void initTestCase() { catalogue::FillReferenceTables(); }
    void init() {
        const QString path = m_dir.filePath(QStringLiteral("SaveFile1.SAVE"));
        QFile file(path);
        const QByteArray image = fixtures::SaveImageBuilder().build();
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(image) == image.size());
        file.close();
        m_doc =
            std::make_unique<OpenDocument>(m_status, m_messages, m_dir.filePath(QStringLiteral("backups")));
        QCOMPARE(m_doc->open(path, false), DocumentOpen::Opened);
    }
    void cleanup() { m_doc.reset(); }

    void reviewPutsOneChangeBack() {
        const int16_t fuel = m_doc->model()->ShipClass[3].Perf[2];
        set("ShipClass[3].Perf[2]", 6000);
        set("Ship[7].Words[6]", 1234);
        const ChangesActions review = ReviewActions(*m_doc, {});
        QCOMPARE(review.caption, QStringLiteral("この変更を元に戻す"));
        const std::vector<ChangeRow> before =
            ChangeRowsFor(DiffModels(*m_doc->savedModel(), *m_doc->model()), *m_doc->model());
        const ChangeRow& classFuel = rowAt(before, QStringLiteral("ShipClass[3].Perf[2]"));
        QCOMPARE(classFuel.key, std::optional(RecordKey{RecordKind::ShipClass, 3}));
        const std::vector<ChangeRow> after = review.apply({classFuel});
        QCOMPARE(after.size(), std::size_t(1));
        QCOMPARE(after[0].path, QStringLiteral("Ship[7].Words[6]"));
        QCOMPARE(m_doc->model()->ShipClass[3].Perf[2], fuel);
        QCOMPARE(m_doc->history().undoText(),
                 QStringLiteral("変更の取り消し: %1: 燃料 6000→%2").arg(classFuel.record).arg(fuel));
        // The step that reverted leads back to the class it changed.
        QCOMPARE(RecordOfStep(*m_doc, 2), std::optional(RecordKey{RecordKind::ShipClass, 3}));
        QVERIFY(m_doc->undo());
        QCOMPARE(m_doc->model()->ShipClass[3].Perf[2], int16_t(6000));
    }

    void compareTakesTheChosenValuesInOneStep() {
        auto other = std::make_shared<SaveFile>(*m_doc->model());
        other->Ship[7].Words[6] = 777;
        other->Ship[8].Words[6] = 888;
        other->AircrewSkill[2][1] = 99;
        const ChangesActions compare = CompareActions(*m_doc, other, {});
        const std::vector<ChangeRow> rows = CompareRows(*m_doc->model(), *other);
        QCOMPARE(rows.size(), std::size_t(3));
        const std::vector<ChangeRow> left =
            compare.apply({rowAt(rows, QStringLiteral("Ship[7].Words[6]")),
                           rowAt(rows, QStringLiteral("AircrewSkill[2][1]"))});
        QCOMPARE(left.size(), std::size_t(1));
        QCOMPARE(left[0].path, QStringLiteral("Ship[8].Words[6]"));
        QCOMPARE(m_doc->model()->Ship[7].Words[6], int16_t(777));
        QCOMPARE(m_doc->model()->AircrewSkill[2][1], uint8_t(99));
        QCOMPARE(m_doc->history().count(), 1);
        QCOMPARE(m_doc->history().undoText(), QStringLiteral("比較から取り込み: 2 項目"));
        QCOMPARE(RecordOfStep(*m_doc, 0), std::optional(RecordKey{RecordKind::Ship, 7}));
    }
};

QTEST_GUILESS_MAIN(TestChangeCommands)
#include "test_change_commands.moc"
