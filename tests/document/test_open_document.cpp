#include "document/BackupList.h"
#include "document/DocumentTexts.h"
#include "document/OpenDocument.h"
#include "document/StepName.h"
#include "model/ModelTexts.h"
#include "platform/Backups.h"
#include "tests/support/FileContents.h"
#include "tests/support/OtherProgram.h"
#include "tests/support/Recorders.h"
#include "tests/support/SaveImageBuilder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace korven;

Q_DECLARE_METATYPE(korven::DocumentOpen)
Q_DECLARE_METATYPE(korven::DocumentSave)
Q_DECLARE_METATYPE(korven::MessageAnswer)

namespace {

using fixtures::readFile;
using fixtures::writeFile;

// The aircrew skill of the first nation, a byte the tests change as an editor would.
uint8_t skill(const OpenDocument& doc) {
    return doc.model()->AircrewSkill[0][0];
}

// One field's change set, as an editor's store makes it.
ChangeSet changeOf(const OpenDocument& doc, const QString& path, const QJsonValue& value,
                   const QString& name = QStringLiteral("日本")) {
    std::optional<FieldChange> change = ChangeTo(*doc.model(), path, value);
    if (!change) {
        qFatal("no change to %s", qPrintable(path));
    }
    return {StepName(name, {*change}), {*change}};
}

void store(OpenDocument& doc, uint8_t value, const QString& record = QStringLiteral("日本")) {
    QCOMPARE(doc.apply(changeOf(doc, QStringLiteral("AircrewSkill[0][0]"), value, record)),
             DocumentEdit::Applied);
}

}  // namespace

class TestOpenDocument : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    fixtures::SaveImageBuilder m_builder;
    QByteArray m_image;
    fixtures::RecordingStatus m_status;
    fixtures::RecordingMessages m_messages;

    QString saveFile(const QString& name = QStringLiteral("SaveFile1.SAVE")) {
        const QString path = m_dir->filePath(name);
        if (!writeFile(path, m_image)) {
            qFatal("cannot write the test save");
        }
        return path;
    }
    QString backupFolder() const { return m_dir->filePath(QStringLiteral("backups")); }
    std::unique_ptr<OpenDocument> document() {
        return std::make_unique<OpenDocument>(m_status, m_messages, backupFolder());
    }
    uint8_t skillOnDisk(const QString& path) const {
        return static_cast<uint8_t>(readFile(path).at(m_builder.aircrewSkillOffset()));
    }
    uint8_t originalSkill() const { return static_cast<uint8_t>(m_image.at(m_builder.aircrewSkillOffset())); }

private slots:
    void initTestCase() { m_image = m_builder.build(); }
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        m_messages = {};
        m_status = {};
    }

    void openOutcomes_data() {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<DocumentOpen>("outcome");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("save") << m_image << true << DocumentOpen::Opened << QStringList{};
        QTest::newRow("missing") << QByteArray() << false << DocumentOpen::CannotOpen
                                 << QStringList{texts::cannotOpen()};
        QTest::newRow("3 bytes") << QByteArray("KVS") << true << DocumentOpen::NotASaveFile
                                 << QStringList{texts::notASaveFile()};
        QTest::newRow("cut after the header")
            << m_image.left(200) << true << DocumentOpen::LoadFailed << QStringList{texts::readError()};
    }
    void openOutcomes() {
        QFETCH(QByteArray, contents);
        QFETCH(bool, exists);
        QFETCH(DocumentOpen, outcome);
        QFETCH(QStringList, messages);
        const QString path = m_dir->filePath(QStringLiteral("SaveFile1.SAVE"));
        if (exists) {
            QVERIFY(writeFile(path, contents));
        }
        auto doc = document();
        QCOMPARE(doc->open(path, false), outcome);
        // The system's text first; a reason may follow it.
        const QStringList shown = m_messages.texts();
        QCOMPARE(shown.size(), messages.size());
        for (qsizetype i = 0; i < shown.size(); ++i) {
            QVERIFY2(shown[i].startsWith(messages[i]), qPrintable(shown[i]));
        }
        const bool opened = outcome == DocumentOpen::Opened;
        QCOMPARE(doc->isOpen(), opened);
        QCOMPARE(doc->path(), opened ? path : QString());
        QCOMPARE(doc->model() != nullptr, opened);
        QVERIFY(!doc->isChanged());
        if (opened) {
            QCOMPARE(skill(*doc), originalSkill());
        }
    }

    void secondOpenIsRefusedAndNoPathOpensNothing() {
        const QString first = saveFile();
        const QString second = saveFile(QStringLiteral("SaveFile2.SAVE"));
        auto doc = document();
        QCOMPARE(doc->open(QString(), true), DocumentOpen::NoPath);
        QVERIFY(!doc->isOpen());
        QCOMPARE(doc->open(first, false), DocumentOpen::Opened);
        store(*doc, 5);
        QCOMPARE(doc->open(second, true), DocumentOpen::AlreadyOpen);
        QCOMPARE(doc->path(), first);
        QVERIFY(!doc->isReadOnly());
        QVERIFY(doc->isChanged());
        QCOMPARE(skill(*doc), uint8_t(5));
    }

    void everyStoreIsOneNamedStep() {
        auto doc = document();
        QCOMPARE(doc->open(saveFile(), false), DocumentOpen::Opened);
        QVERIFY(!doc->history().canUndo());
        store(*doc, 10, QStringLiteral("大和型"));
        store(*doc, 20, QStringLiteral("日本"));
        QCOMPARE(doc->history().count(), 2);
        QCOMPARE(doc->history().text(0), QStringLiteral("大和型: 搭乗員練度（戦闘機） 40→10"));
        QCOMPARE(doc->history().undoText(), QStringLiteral("日本: 搭乗員練度（戦闘機） 10→20"));
        QVERIFY(doc->isChanged());

        QVERIFY(doc->undo());
        QCOMPARE(skill(*doc), uint8_t(10));
        QVERIFY(doc->isChanged());
        QVERIFY(doc->undo());
        QCOMPARE(skill(*doc), originalSkill());
        // Back at the state of the file on disk.
        QVERIFY(!doc->isChanged());
        QVERIFY(!doc->undo());

        QVERIFY(doc->redo());
        QCOMPARE(skill(*doc), uint8_t(10));
        QVERIFY(doc->isChanged());
        QVERIFY(doc->redo());
        QCOMPARE(skill(*doc), uint8_t(20));
        QVERIFY(!doc->redo());
    }

    void aStoreAfterUndoDropsTheRedoSteps() {
        auto doc = document();
        QCOMPARE(doc->open(saveFile(), false), DocumentOpen::Opened);
        store(*doc, 10);
        store(*doc, 20);
        QVERIFY(doc->undo());
        store(*doc, 30);
        QVERIFY(!doc->redo());
        QVERIFY(doc->undo());
        QCOMPARE(skill(*doc), uint8_t(10));
    }

    // The model keeps its address, so an open dialog's reference stays good across undo.
    void undoRestoresIntoTheSameModel() {
        auto doc = document();
        QCOMPARE(doc->open(saveFile(), false), DocumentOpen::Opened);
        const SaveFile* model = doc->model();
        QCOMPARE(doc->apply(changeOf(*doc, QStringLiteral("ShipClass[3].Name"), QStringLiteral("改大和"))),
                 DocumentEdit::Applied);
        QCOMPARE(model->ShipClass[3].Name.text(), QStringLiteral("改大和"));
        QVERIFY(doc->undo());
        QCOMPARE(doc->model(), model);
        QVERIFY(model->ShipClass[3].Name.text() != QStringLiteral("改大和"));
    }

    void undoAfterSaveChangesAgainstTheSavedFile() {
        const QString path = saveFile();
        auto doc = document();
        QCOMPARE(doc->open(path, false), DocumentOpen::Opened);
        store(*doc, 10);
        store(*doc, 20);
        const SaveOutcome saved = doc->save();
        QCOMPARE(saved.outcome, DocumentSave::Saved);
        QVERIFY(!doc->isChanged());
        QCOMPARE(skillOnDisk(path), uint8_t(20));
        QCOMPARE(doc->savedModel()->AircrewSkill[0][0], uint8_t(20));
        // The stack is kept across the save.
        QCOMPARE(doc->history().count(), 2);
        QVERIFY(doc->undo());
        QVERIFY(doc->isChanged());
        QCOMPARE(skill(*doc), uint8_t(10));
        QVERIFY(doc->redo());
        QVERIFY(!doc->isChanged());
        // Saving the undone state writes it, and the undone state is then the saved one.
        QVERIFY(doc->undo());
        QVERIFY(doc->undo());
        QCOMPARE(doc->save().outcome, DocumentSave::Saved);
        QCOMPARE(readFile(path), m_image);
        QVERIFY(!doc->isChanged());
        QVERIFY(doc->redo());
        QVERIFY(doc->isChanged());
    }

    void firstSaveBacksUpOnce() {
        const QString path = saveFile();
        auto doc = document();
        QCOMPARE(doc->open(path, false), DocumentOpen::Opened);
        store(*doc, 10);
        const SaveOutcome first = doc->save();
        const QStringList backups = BackupStore(backupFolder()).backupsOf(path);
        QCOMPARE(backups.size(), 1);
        QCOMPARE(first.backup, backups.first());
        QCOMPARE(readFile(first.backup), m_image);
        store(*doc, 11);
        QCOMPARE(doc->save().backup, first.backup);
        QCOMPARE(BackupStore(backupFolder()).backupsOf(path).size(), 1);
    }

    // A name without a code page 932 form, which the writer would refuse, never reaches the model.
    void unwritableTextIsRefusedBeforeTheWrite() {
        const QString path = saveFile();
        auto doc = document();
        QCOMPARE(doc->open(path, false), DocumentOpen::Opened);
        store(*doc, 10);
        const QString name = doc->model()->ShipClass[0].Name.text();
        QCOMPARE(
            doc->apply(changeOf(*doc, QStringLiteral("ShipClass[0].Name"), QStringLiteral("\U0001F6A2"))),
            DocumentEdit::Refused);
        QCOMPARE(m_messages.texts(),
                 QStringList{document::texts::changeRefused(
                     {QStringLiteral("ShipClass[0].Name"), ChangeRefusal::Reason::TextUnmappable})});
        QCOMPARE(doc->model()->ShipClass[0].Name.text(), name);
        QVERIFY(doc->isChanged());
        QCOMPARE(doc->history().count(), 1);
        QCOMPARE(doc->save().outcome, DocumentSave::Saved);
        QCOMPARE(skillOnDisk(path), uint8_t(10));
        QVERIFY(!doc->isChanged());
    }

    // Another program wrote the file after it was opened: the user decides, and until then
    // nothing is lost on either side.
    void fileChangedOnDiskIsDecidedByTheUser_data() {
        QTest::addColumn<MessageAnswer>("answer");
        QTest::addColumn<DocumentSave>("outcome");
        QTest::newRow("overwrite") << MessageAnswer::Yes << DocumentSave::Saved;
        QTest::newRow("reload") << MessageAnswer::No << DocumentSave::ReloadWanted;
        QTest::newRow("cancel") << MessageAnswer::Cancel << DocumentSave::Cancelled;
    }
    void fileChangedOnDiskIsDecidedByTheUser() {
        QFETCH(MessageAnswer, answer);
        QFETCH(DocumentSave, outcome);
        const QString path = saveFile();
        auto doc = document();
        QCOMPARE(doc->open(path, false), DocumentOpen::Opened);
        store(*doc, 10);
        QByteArray newer = m_image;
        newer[m_builder.aircrewSkillOffset() + 1] = 99;
        if (!fixtures::WriteInPlace(path, newer)) {
            QSKIP(fixtures::kWritersShutOut);
        }
        m_messages.answers = {answer};
        QCOMPARE(doc->save().outcome, outcome);
        QCOMPARE(m_messages.shown.size(), std::size_t(1));
        QCOMPARE(m_messages.shown[0].buttons, MessageButtons::YesNoCancel);
        QCOMPARE(readFile(BackupStore(backupFolder()).backupsOf(path).first()), newer);
        const bool saved = outcome == DocumentSave::Saved;
        QCOMPARE(doc->isChanged(), !saved);
        QCOMPARE(doc->history().count(), 1);
        QCOMPARE(readFile(path) == newer, !saved);
    }

    void failedBackupWritesNothing() {
        const QString path = saveFile();
        const QString blocker = m_dir->filePath(QStringLiteral("blocker"));
        QVERIFY(writeFile(blocker, "x"));
        OpenDocument doc(m_status, m_messages, blocker + QStringLiteral("/backups"));
        QCOMPARE(doc.open(path, false), DocumentOpen::Opened);
        store(doc, 10);
        QCOMPARE(doc.save().outcome, DocumentSave::Failed);
        QCOMPARE(m_messages.shown.size(), std::size_t(1));
        QCOMPARE(m_messages.shown[0].icon, MessageIcon::Error);
        QCOMPARE(readFile(path), m_image);
        QVERIFY(doc.isChanged());
    }

    void readOnlySaveNeedsLeavingReadOnly() {
        const QString path = saveFile();
        auto doc = document();
        QCOMPARE(doc->open(path, true), DocumentOpen::Opened);
        QVERIFY(doc->isReadOnly());
        store(*doc, 10);
        QCOMPARE(doc->save().outcome, DocumentSave::ReadOnly);
        QCOMPARE(readFile(path), m_image);
        QVERIFY(doc->isChanged());
        QVERIFY(doc->leaveReadOnly());
        QVERIFY(!doc->isReadOnly());
        QCOMPARE(doc->save().outcome, DocumentSave::Saved);
        QCOMPARE(skillOnDisk(path), uint8_t(10));
    }

    void saveAsMovesTheDocumentAndKeepsTheStack() {
        const QString path = saveFile();
        const QString copy = m_dir->filePath(QStringLiteral("SaveFile2.SAVE"));
        auto doc = document();
        QCOMPARE(doc->open(path, true), DocumentOpen::Opened);
        store(*doc, 10);
        QCOMPARE(doc->saveAs(copy).outcome, DocumentSave::Saved);
        QCOMPARE(doc->path(), copy);
        QVERIFY(!doc->isReadOnly());
        QVERIFY(!doc->isChanged());
        QCOMPARE(readFile(path), m_image);
        QCOMPARE(skillOnDisk(copy), uint8_t(10));
        QVERIFY(doc->undo());
        QVERIFY(doc->isChanged());
    }

    void failedSaveAsLeavesTheDocument() {
        const QString path = saveFile();
        auto doc = document();
        QCOMPARE(doc->open(path, false), DocumentOpen::Opened);
        store(*doc, 10);
        const QString nowhere = m_dir->filePath(QStringLiteral("missing/SaveFile2.SAVE"));
        QCOMPARE(doc->saveAs(nowhere).outcome, DocumentSave::Failed);
        QVERIFY(!QFile::exists(nowhere));
        QCOMPARE(doc->path(), path);
        QVERIFY(doc->isChanged());
        QCOMPARE(doc->save().outcome, DocumentSave::Saved);
        QCOMPARE(skillOnDisk(path), uint8_t(10));
    }

    // ---- Backups ----

    void backupsAreListedWithTheirDifferences() {
        const QString path = saveFile();
        auto doc = document();
        QCOMPARE(doc->open(path, false), DocumentOpen::Opened);
        QVERIFY(ListBackups(doc->backups(), path, *doc->model()).empty());
        store(*doc, 10);
        QCOMPARE(doc->save().outcome, DocumentSave::Saved);
        const QString unreadable = backupFolder() + QStringLiteral("/SaveFile1.SAVE.20260101-000000-000.bak");
        QVERIFY(writeFile(unreadable, "KVSAVE too short"));
        SaveFile edited = *doc->model();
        edited.AircrewSkill[1][1] = 1;
        const std::vector<BackupEntry> entries = ListBackups(doc->backups(), path, edited);
        QCOMPARE(entries.size(), std::size_t(2));
        // The original file: the skill stored and saved, and the unsaved value, differ.
        QCOMPARE(entries[0].size, m_image.size());
        QCOMPARE(entries[0].differences, std::optional<int>(2));
        QVERIFY(entries[0].time.isValid());
        QCOMPARE(entries[1].path, unreadable);
        QCOMPARE(entries[1].differences, std::nullopt);
    }

    // A backup larger than any save (6 GB, sparse) is listed as unusable without being read,
    // and a backup of the same file name in another folder comes last, marked with its origin.
    void oversizedAndElsewhereBackupsAreMarked() {
        const QString path = saveFile();
        QVERIFY(QDir().mkpath(m_dir->filePath(QStringLiteral("copied"))));
        const QString copied = saveFile(QStringLiteral("copied/SaveFile1.SAVE"));
        const BackupStore store(backupFolder());
        QVERIFY(store.backUp(copied, m_image).ok());
        QVERIFY(store.backUp(path, m_image).ok());
        QFile huge(QFileInfo(store.backUp(path, "x")->path).absolutePath() +
                   QStringLiteral("/SaveFile1.SAVE.000003.bak"));
        QVERIFY(huge.open(QIODevice::WriteOnly));
        QVERIFY(huge.write(m_image) == m_image.size() && huge.resize(qint64(6) << 30));
        huge.close();

        auto doc = document();
        QCOMPARE(doc->open(path, false), DocumentOpen::Opened);
        const std::vector<BackupEntry> entries = ListBackups(doc->backups(), path, *doc->model());
        QCOMPARE(entries.size(), std::size_t(4));
        QCOMPARE(entries[0].size, qint64(6) << 30);
        QCOMPARE(entries[0].differences, std::nullopt);
        QCOMPARE(entries[1].differences, std::nullopt);  // "x"
        QCOMPARE(entries[2].differences, std::optional<int>(0));
        QVERIFY(!entries[2].elsewhere);
        QVERIFY(entries[3].elsewhere);
        QCOMPARE(entries[3].origin, copied);
        QCOMPARE(entries[3].differences, std::optional<int>(0));
        QCOMPARE(doc->restoreBackup(entries[0].path).outcome, DocumentRestore::Failed);
        QCOMPARE(readFile(path), m_image);
    }

    void restoreBacksUpReplacesAndReloads() {
        const QString path = saveFile();
        auto doc = document();
        QCOMPARE(doc->open(path, false), DocumentOpen::Opened);
        store(*doc, 10);
        const QString original = doc->save().backup;
        store(*doc, 20);
        QCOMPARE(doc->save().outcome, DocumentSave::Saved);
        const QByteArray saved = readFile(path);
        store(*doc, 30);  // pending, and dropped by the restore
        const SaveFile* model = doc->model();

        const OpenDocument::RestoreOutcome restored = doc->restoreBackup(original);
        QCOMPARE(restored.outcome, DocumentRestore::Restored);
        QCOMPARE(readFile(path), m_image);
        // The file as it was before the restore is kept as a backup of its own.
        QVERIFY(restored.backup != original);
        QCOMPARE(readFile(restored.backup), saved);
        QCOMPARE(doc->model(), model);
        QCOMPARE(skill(*doc), originalSkill());
        QVERIFY(!doc->isChanged());
        QVERIFY(!doc->history().canUndo());
        QVERIFY(m_messages.shown.empty());
        // Still open and locked, and saving again works on the restored file.
        store(*doc, 45);
        QCOMPARE(doc->save().outcome, DocumentSave::Saved);
        QCOMPARE(skillOnDisk(path), uint8_t(45));
    }

    void restoreRefusals() {
        const QString path = saveFile();
        auto doc = document();
        QCOMPARE(doc->restoreBackup(path).outcome, DocumentRestore::NoFile);
        QCOMPARE(doc->open(path, true), DocumentOpen::Opened);
        const QString bad = m_dir->filePath(QStringLiteral("bad.bak"));
        QVERIFY(writeFile(bad, "KVS"));
        QCOMPARE(doc->restoreBackup(bad).outcome, DocumentRestore::ReadOnly);
        QVERIFY(doc->leaveReadOnly());
        store(*doc, 10);
        QCOMPARE(doc->restoreBackup(bad).outcome, DocumentRestore::Failed);
        QCOMPARE(m_messages.texts(), QStringList{document::texts::backupUnreadable(bad)});
        QCOMPARE(readFile(path), m_image);
        QVERIFY(doc->isChanged());
        QCOMPARE(skill(*doc), uint8_t(10));
        QVERIFY(BackupStore(backupFolder()).backupsOf(path).isEmpty());
    }

    void closeClearsEverythingButTheReadOnlyFlag() {
        const QString path = saveFile();
        auto doc = document();
        QCOMPARE(doc->open(path, true), DocumentOpen::Opened);
        store(*doc, 10);
        doc->close();
        QVERIFY(!doc->isOpen());
        QVERIFY(!doc->isChanged());
        QVERIFY(doc->path().isEmpty());
        QVERIFY(!doc->model());
        QCOMPARE(doc->history().count(), 0);
        QVERIFY(doc->isReadOnly());
        QCOMPARE(doc->apply({QStringLiteral("日本"),
                             {FieldChange{QStringLiteral("AircrewSkill[0][0]"),
                                          QStringLiteral("AircrewSkill"), 0, 1, 2}}}),
                 DocumentEdit::NoFile);
        QVERIFY(!doc->undo());
        QCOMPARE(doc->save().outcome, DocumentSave::NoFile);
        QCOMPARE(readFile(path), m_image);
        // The file is free again, and opens with an empty history.
        QCOMPARE(doc->open(path, false), DocumentOpen::Opened);
        QVERIFY(!doc->history().canUndo());
        QCOMPARE(skill(*doc), originalSkill());
    }
};

QTEST_GUILESS_MAIN(TestOpenDocument)
#include "test_open_document.moc"
