#include "model/ModelTexts.h"
#include "model/OpenSaveFile.h"
#include "model/SaveInPlace.h"
#include "tests/support/OtherProgram.h"
#include "tests/support/Recorders.h"
#include "tests/support/SaveImageBuilder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;
using namespace korven;

Q_DECLARE_METATYPE(korven::InPlaceResult)
Q_DECLARE_METATYPE(korven::OnDiskChange)
Q_DECLARE_METATYPE(korven::MessageAnswer)

namespace {

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Another program's save: the same file with one aircrew skill changed.
QByteArray newerSave(const QByteArray& image, qint64 skillOffset) {
    QByteArray newer = image;
    newer[skillOffset] = 99;
    return newer;
}

}  // namespace

// A save never writes silently over what another program (the game, a copy) put on disk
// since the file was loaded or last saved.
class TestSaveInPlace : public QObject {
    Q_OBJECT

    fixtures::SaveImageBuilder m_builder;
    QByteArray m_image;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
    std::unique_ptr<SaveFile> m_model;
    std::unique_ptr<LockedFile> m_handle;
    fixtures::RecordingStatus m_status;
    fixtures::RecordingMessages m_messages;

    BackupStore backups() const { return BackupStore(m_dir->filePath(u"backups"_s)); }
    InPlaceSave save(OnDiskChange policy, bool backUpFirst = false) {
        return SaveInPlace(*m_model, *m_handle, {backups(), backUpFirst, policy}, m_status, m_messages);
    }
    qint64 skillOffset() const { return m_builder.aircrewSkillOffset(); }
    // What the file holds after our edit (skill 50) was written over the given base.
    QByteArray edited(const QByteArray& base) const {
        QByteArray result = base;
        result[skillOffset()] = 50;
        return result;
    }
    // Another program's change: written into the same file (as `cp` or the game writing into
    // the slot) or renamed over it. False when this system does not allow it.
    bool changeOnDisk(const QString& how, const QByteArray& bytes) {
        if (how == u"in place") {
            return fixtures::WriteInPlace(m_path, bytes);
        }
        const QString elsewhere = m_dir->filePath(u"incoming.SAVE"_s);
        return fixtures::WriteInPlace(elsewhere, bytes) && fixtures::RenameOver(elsewhere, m_path);
    }

private slots:
    void initTestCase() { m_image = m_builder.build(); }

    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        m_path = m_dir->filePath(u"SaveFile1.SAVE"_s);
        writeFile(m_path, m_image);
        m_model = std::make_unique<SaveFile>();
        m_handle = OpenSaveFile(m_path, LockMode::Normal, *m_model, m_status, m_messages).handle;
        QVERIFY(m_handle);
        m_messages = {};
        m_model->AircrewSkill[0][0] = 50;
    }

    void unchangedFileIsSavedWithoutAQuestion() {
        const InPlaceSave saved = save(OnDiskChange::Ask, true);
        QCOMPARE(saved.result, InPlaceResult::Saved);
        QVERIFY(m_messages.shown.empty());
        QCOMPARE(readFile(m_path), edited(m_image));
        // The backup before the first write holds the file as it was.
        QCOMPARE(readFile(saved.backup), m_image);
        // The saved image is what the next save compares with: no question then either.
        m_model->AircrewSkill[0][0] = 51;
        QCOMPARE(save(OnDiskChange::Refuse).result, InPlaceResult::Saved);
    }

#ifndef Q_OS_WIN
    // A file with another name keeps it: each save writes in place, after its own backup of
    // the bytes it writes over, and says it was not all or nothing.
    void hardLinkedFileIsBackedUpBeforeEverySave() {
        const QString link = m_dir->filePath(u"link.SAVE"_s);
        QCOMPARE(::link(QFile::encodeName(m_path).constData(), QFile::encodeName(link).constData()), 0);
        const InPlaceSave first = save(OnDiskChange::Refuse);
        QCOMPARE(first.result, InPlaceResult::Saved);
        QVERIFY(first.inPlace);
        QCOMPARE(readFile(first.backup), m_image);
        m_model->AircrewSkill[0][0] = 51;
        const InPlaceSave second = save(OnDiskChange::Refuse);
        QCOMPARE(readFile(second.backup), edited(m_image));
        QCOMPARE(backups().backupsOf(link).size(), 2);
        QCOMPARE(readFile(link), readFile(m_path));
        QCOMPARE(readFile(link).at(skillOffset()), char(51));
    }
#endif

    void changedOnDisk_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<OnDiskChange>("policy");
        QTest::addColumn<MessageAnswer>("answer");
        QTest::addColumn<InPlaceResult>("result");
        QTest::addColumn<bool>("asked");
#ifdef Q_OS_WIN
        const QStringList changes{u"renamed over"_s};  // see otherProgramsCannotWriteTheHeldFile
#else
        const QStringList changes{u"in place"_s, u"renamed over"_s};
#endif
        for (const QString& how : changes) {
            const QByteArray h = how.toUtf8();
            QTest::addRow("%s, Yes overwrites", h.data())
                << how << OnDiskChange::Ask << MessageAnswer::Yes << InPlaceResult::Saved << true;
            QTest::addRow("%s, No reloads", h.data())
                << how << OnDiskChange::Ask << MessageAnswer::No << InPlaceResult::ReloadWanted << true;
            QTest::addRow("%s, Cancel", h.data())
                << how << OnDiskChange::Ask << MessageAnswer::Cancel << InPlaceResult::Cancelled << true;
            QTest::addRow("%s, refused", h.data())
                << how << OnDiskChange::Refuse << MessageAnswer::Ok << InPlaceResult::Refused << false;
            QTest::addRow("%s, forced", h.data())
                << how << OnDiskChange::Overwrite << MessageAnswer::Ok << InPlaceResult::Saved << false;
        }
    }
    void changedOnDisk() {
        QFETCH(QString, how);
        QFETCH(OnDiskChange, policy);
        QFETCH(MessageAnswer, answer);
        QFETCH(InPlaceResult, result);
        QFETCH(bool, asked);
        const QByteArray newer = newerSave(m_image, skillOffset() + 1);
        if (!changeOnDisk(how, newer)) {
            QSKIP(fixtures::kReplaceRefused);
        }
        m_messages.answers = {answer};

        const InPlaceSave saved = save(policy);
        QCOMPARE(saved.result, result);
        // Whatever was decided, the newer version on disk is kept in a backup first.
        QCOMPARE(readFile(saved.backup), newer);
        QCOMPARE(backups().backupsOf(m_path).size(), 1);
        if (asked) {
            QCOMPARE(m_messages.texts(), QStringList{texts::changedOnDiskQuestion(saved.backup)});
            QCOMPARE(m_messages.shown[0].buttons, MessageButtons::YesNoCancel);
            QCOMPARE(m_messages.shown[0].defaultAnswer, MessageAnswer::Cancel);
        } else {
            QVERIFY(m_messages.shown.empty());
        }
        if (result == InPlaceResult::Saved) {
            // Our edit goes over the loaded image, and the lock now holds the file on disk.
            QCOMPARE(readFile(m_path), edited(m_image));
            QVERIFY(!LockedFile::open(m_path, LockMode::ReadOnly));
        } else {
            QCOMPARE(readFile(m_path), newer);
        }
    }

    // Saving the same edit again after a refusal changes nothing: the backup is not repeated.
    void repeatedRefusalsKeepOneBackup() {
        if (!changeOnDisk(u"renamed over"_s, newerSave(m_image, skillOffset() + 1))) {
            QSKIP(fixtures::kReplaceRefused);
        }
        for (int i = 0; i < 25; ++i) {
            QCOMPARE(save(OnDiskChange::Refuse).result, InPlaceResult::Refused);
        }
        QCOMPARE(backups().backupsOf(m_path).size(), 1);
    }

#ifdef Q_OS_WIN
    // Here the lock is not advisory: nobody else can write into the held file at all.
    void otherProgramsCannotWriteTheHeldFile() {
        QVERIFY(!fixtures::WriteInPlace(m_path, newerSave(m_image, skillOffset() + 1)));
        QCOMPARE(readFile(m_path), m_image);
        QCOMPARE(save(OnDiskChange::Refuse).result, InPlaceResult::Saved);
        QCOMPARE(readFile(m_path), edited(m_image));
    }
#endif

    void renamedOverWithTheSameBytesIsSavedAndLocked() {
        if (!changeOnDisk(u"renamed over"_s, m_image)) {
            QSKIP(fixtures::kReplaceRefused);
        }
        QCOMPARE(save(OnDiskChange::Refuse).result, InPlaceResult::Saved);
        QCOMPARE(readFile(m_path), edited(m_image));
        QVERIFY(!LockedFile::open(m_path, LockMode::ReadOnly));
    }

    void removedFileIsNotRecreated() {
        QVERIFY(QFile::remove(m_path));
        if (QFile::exists(m_path)) {
            QSKIP("this system keeps a deleted file that is held open under its name");
        }
        QCOMPARE(save(OnDiskChange::Overwrite).result, InPlaceResult::Failed);
        QCOMPARE(
            m_messages.texts(),
            QStringList{
                texts::writeError() +
                u"\r\n原因: 開いている間に、ほかのプログラムがファイルを変更、置き換え、または削除しました。"_s});
        QVERIFY(!QFile::exists(m_path));
    }

    void noBackupNoWrite() {
        if (!changeOnDisk(u"renamed over"_s, newerSave(m_image, skillOffset() + 1))) {
            QSKIP(fixtures::kReplaceRefused);
        }
        writeFile(m_dir->filePath(u"blocker"_s), "x");
        const BackupStore blocked(m_dir->filePath(u"blocker/backups"_s));
        const InPlaceSave saved =
            SaveInPlace(*m_model, *m_handle, {blocked, false, OnDiskChange::Overwrite}, m_status, m_messages);
        QCOMPARE(saved.result, InPlaceResult::Failed);
        QVERIFY(m_messages.texts().value(0).startsWith(texts::backupFailed(blocked.folder())));
        QCOMPARE(readFile(m_path), newerSave(m_image, skillOffset() + 1));
    }
};

QTEST_GUILESS_MAIN(TestSaveInPlace)
#include "test_save_in_place.moc"
