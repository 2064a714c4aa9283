#include "document/BackupList.h"
#include "document/BatchEdit.h"
#include "document/DocumentTexts.h"
#include "document/FieldTakeover.h"
#include "document/OpenDocument.h"
#include "document/StepName.h"
#include "mainwindow/DiagnosisRows.h"
#include "mainwindow/EditState.h"
#include "model/Recipe.h"
#include "model/SaveFileWriter.h"
#include "model/SaveRules.h"
#include "tests/support/FileContents.h"
#include "tests/support/OtherProgram.h"
#include "tests/support/RandomSequences.h"
#include "tests/support/Recorders.h"
#include "tests/support/SaveReference.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

using namespace korven;
using fixtures::FieldSpot;
using fixtures::readFile;

namespace {

// Everything a player does to an open save, and a few things the world does to it.
enum class Op {
    Open,
    OpenReadOnly,
    Close,
    Reload,
    LeaveReadOnly,
    Dialog,
    Batch,
    Fix,
    Revert,
    Takeover,
    Undo,
    Redo,
    Jump,
    Save,
    SaveAs,
    OutsideChange,
    Restore,
    TooWide,
    Unmappable,
    DirectoryAtPath,
    FifoAtPath,
    Recipe,
};
constexpr const char* kOpNames[] = {
    "Open",          "OpenReadOnly", "Close",   "Reload",     "LeaveReadOnly",
    "Dialog",        "Batch",        "Fix",     "Revert",     "Takeover",
    "Undo",          "Redo",         "Jump",    "Save",       "SaveAs",
    "OutsideChange", "Restore",      "TooWide", "Unmappable", "DirectoryAtPath",
    "FifoAtPath",    "Recipe",
};
// How often each is drawn, in the order above: mostly edits, history moves and saves.
constexpr int kWeights[] = {2, 1, 1, 2, 1, 12, 5, 4, 3, 3, 8, 5, 3, 8, 2, 4, 3, 2, 2, 1, 1, 4};

using Step = fixtures::RandomStep<Op>;
using Failure = fixtures::SequenceFailure;

std::vector<Step> generate(quint32 seed, int count) {
    return fixtures::DrawSteps<Op>(seed, count, kWeights, {{Op::Open}});
}

// The window's 修正: the diagnosis's fixes as one change set.
ChangeSet diagnosisFix(const SaveFile& model) {
    return mainwindow::RepairFor(rules::CheckSave(model), model).changes;
}

// One run of a sequence in a folder of its own: the document as the window drives it, the
// reference beside it, checked after every step.
class Run {
public:
    Run()
        : m_saves(m_root.filePath(QStringLiteral("saves"))),
          m_backups(m_root.filePath(QStringLiteral("backups"))),
          m_doc(m_status, m_messages, m_backups),
          m_ref(m_layout) {
        QDir().mkpath(m_saves);
        const QByteArray image = m_layout.build();
        const QString first = savePath(1);
        fixtures::writeFile(first, image);
        m_ref.put(first, image);
        m_ref.path = first;
        // Ships the game uses (a name number), and their classes: the records the rules tie.
        for (int s = 0; s < 442; ++s) {
            if (fixtures::getInt16(image, m_layout.shipOffset(s) + 4) != -1) {
                m_ships.push_back(s);
                m_classes.push_back(fixtures::getInt16(image, m_layout.shipOffset(s) + 6));
            }
        }
    }

    std::optional<Failure> run(const std::vector<Step>& steps) {
        for (std::size_t i = 0; i < steps.size(); ++i) {
            QString why = step(steps[i]);
            if (why.isEmpty()) {
                why = check();
            }
            if (!why.isEmpty()) {
                return Failure{int(i), why};
            }
        }
        return std::nullopt;
    }

private:
    QString savePath(int n) const { return m_saves + QStringLiteral("/SaveFile%1.SAVE").arg(n); }

    // A field a dialog edits, of the record the numbers choose.
    QString dialogField(quint32 a, quint32 b) const {
        const auto pick = [](const std::vector<int>& from, quint32 n) { return from[n % from.size()]; };
        switch (b % 4) {
            case 0:
                return QStringLiteral("AircrewSkill[%1][%2]").arg(a % 5).arg(a / 5 % 2);
            case 1: {
                static const char* fields[] = {"Perf[0]",      "Perf[1]",  "Perf[2]",         "Weapon[1][0]",
                                               "Weapon[2][1]", "Armor[0]", "AircraftCapacity"};
                return QStringLiteral("ShipClass[%1].%2")
                    .arg(pick(m_classes, b / 4))
                    .arg(QLatin1String(fields[a % 7]));
            }
            case 2: {
                static const char* fields[] = {"Words[4]", "Words[5]", "Words[6]", "BusouKai[0]",
                                               "BusouKai[1]"};
                return QStringLiteral("Ship[%1].%2")
                    .arg(pick(m_ships, b / 4))
                    .arg(QLatin1String(fields[a % 5]));
            }
            default:
                return QStringLiteral("AircraftType[%1].%2")
                    .arg(b / 4 % 170)
                    .arg(QLatin1String(a % 2 ? "ShortName" : "NumData[3]"));
        }
    }
    // A value the field's width holds: its ends, a small one or any.
    QJsonValue valueFor(const QString& path, quint32 c) const {
        const FieldSpot spot = *fixtures::SpotOf(m_layout, path);
        if (spot.text) {
            static const char* names[] = {"零戦", "ABC", "", "ｼﾃﾞﾝ", "1234567890A"};
            return QString::fromUtf8(names[c % 5]);
        }
        switch (c % 4) {
            case 0:
                return spot.lowest();
            case 1:
                return spot.highest();
            case 2:
                return qint64(c / 4 % 120);
            default:
                return spot.lowest() + qint64(c / 4 % quint32(spot.highest() - spot.lowest() + 1));
        }
    }
    // The file as another program or another save holds it: a few fields changed.
    QByteArray variant(QByteArray image, quint32 seed) const {
        QRandomGenerator random(seed);
        for (int n = 0; n < 3; ++n) {
            const QString path = dialogField(random.generate(), random.generate());
            fixtures::Poke(image, *fixtures::SpotOf(m_layout, path), valueFor(path, random.generate() & ~1u));
        }
        return image;
    }

    // Applies a change set and the reference's view of it; `expectChange` when it must apply.
    QString edit(ChangeSet set) {
        const std::vector<FieldChange> changes = set.changes;
        const DocumentEdit outcome = m_doc.apply(std::move(set));
        const DocumentEdit expected = !m_ref.isOpen     ? DocumentEdit::NoFile
                                      : changes.empty() ? DocumentEdit::NoChange
                                                        : DocumentEdit::Applied;
        if (outcome != expected) {
            return QStringLiteral("edit outcome %1, expected %2").arg(int(outcome)).arg(int(expected));
        }
        return outcome == DocumentEdit::Applied ? m_ref.apply(changes) : QString();
    }
    // A recipe of a line that selects many records and one that sets a dialog's field; when
    // the field's line comes last, the file must hold its value.
    QString recipe(const SaveFile& model, const Step& s) {
        static const char* many[] = {
            "Ship[*].Fuel = max",
            "Ship[Side==日本軍].LowerSteps -= 1",
            "Ship[Side==連合軍 && Class.Type==空母].Fuel += 30",
            "Ship[*].Firings[*] -= 1",
            "ShipClass[0-40].Speed *= 150%",
            "ShipClass[Nation==米国].FuelConsumption = 0",
            "AircrewSkill[*].Fighter = max",
            "Base[*].Stock[*][*] = max",
            "AirDevelopment[*].TurnsLeft = 0",
        };
        const QString path = dialogField(s.b, s.c);
        const FieldSpot spot = *fixtures::SpotOf(m_layout, path);
        const qint64 value = spot.text ? 0 : valueFor(path, s.c / 2).toInteger();
        const QString one = QStringLiteral("%1 = %2").arg(path).arg(value);
        const QString selecting = QString::fromUtf8(many[s.a % std::size(many)]);
        const bool oneLast = s.c % 2 != 0 && !spot.text;
        QStringList lines{QStringLiteral("# 乱数のレシピ"), selecting};
        if (!spot.text) {
            lines.insert(oneLast ? 2 : 1, one);
        }
        recipe::Prepared prepared = recipe::Prepare(model, lines.join(u'\n'));
        if (!prepared.ok()) {
            return QStringLiteral("recipe refused: %1\n%2").arg(*prepared.refusal, lines.join(u'\n'));
        }
        if (QString why = edit(std::move(prepared.changes)); !why.isEmpty()) {
            return why;
        }
        const qint64 held = fixtures::PeekNumber(m_ref.current(), spot);
        if (oneLast && held != value) {
            return QStringLiteral("after %1 the file holds %2").arg(one).arg(held);
        }
        return {};
    }
    QString refused(ChangeSet set) {
        const std::size_t shown = m_messages.shown.size();
        const DocumentEdit outcome = m_doc.apply(std::move(set));
        if (outcome != (m_ref.isOpen ? DocumentEdit::Refused : DocumentEdit::NoFile)) {
            return QStringLiteral("a change the file cannot hold came out %1").arg(int(outcome));
        }
        return m_ref.isOpen && m_messages.shown.size() == shown ? QStringLiteral("refused without a word")
                                                                : QString();
    }
    QString open(bool readOnly) {
        const DocumentOpen outcome = m_doc.open(m_ref.path, readOnly);
        if (outcome != (m_ref.isOpen ? DocumentOpen::AlreadyOpen : DocumentOpen::Opened)) {
            return QStringLiteral("open came out %1").arg(int(outcome));
        }
        if (!m_ref.isOpen) {
            m_ref.opened(m_ref.path, readOnly);
        }
        return {};
    }
    QString save(quint32 answer) {
        if (!m_ref.isOpen || m_ref.readOnly) {
            const DocumentSave outcome = m_doc.save().outcome;
            return outcome == (m_ref.isOpen ? DocumentSave::ReadOnly : DocumentSave::NoFile)
                       ? QString()
                       : QStringLiteral("save of nothing writable came out %1").arg(int(outcome));
        }
        // The other program's change is asked about: overwrite, reload or cancel.
        const bool asked = m_ref.disk.value(m_ref.path) != m_ref.loaded;
        const MessageAnswer answers[] = {MessageAnswer::Yes, MessageAnswer::No, MessageAnswer::Cancel};
        m_messages.answers = {answers[answer % 3]};
        const std::size_t shown = m_messages.shown.size();
        const DocumentSave outcome = m_doc.save().outcome;
        m_messages.answers.clear();
        const bool question =
            m_messages.shown.size() > shown && m_messages.shown[shown].icon == MessageIcon::Question;
        if (question != asked) {
            return QStringLiteral("asked about a change on disk: %1, expected %2").arg(question).arg(asked);
        }
        const DocumentSave expected = !asked || answer % 3 == 0 ? DocumentSave::Saved
                                      : answer % 3 == 1         ? DocumentSave::ReloadWanted
                                                                : DocumentSave::Cancelled;
        if (outcome != expected) {
            return QStringLiteral("save came out %1, expected %2").arg(int(outcome)).arg(int(expected));
        }
        if (outcome == DocumentSave::Saved) {
            // The file as it was is kept before the first write, and another program's version always.
            if (asked || !m_ref.backedUp) {
                if (QString why = newestBackupIs(m_ref.path, m_ref.disk.value(m_ref.path)); !why.isEmpty()) {
                    return why;
                }
            }
            m_ref.saved();
        } else if (outcome == DocumentSave::ReloadWanted) {
            return reload();
        }
        return {};
    }
    // What the window does on 再読み込み: close and open the same file in the same mode.
    QString reload() {
        if (!m_ref.isOpen) {
            return {};
        }
        m_doc.close();
        m_ref.closed();
        return open(m_ref.readOnly);
    }
    // The path briefly names something that is no save: the next save or open must refuse.
    QString hostilePath(bool fifo) {
#ifdef Q_OS_WIN
        Q_UNUSED(fifo);  // a held file cannot be renamed away on Windows
        return {};
#else
        if (m_ref.isOpen && m_ref.readOnly) {
            return {};
        }
        const QString aside = m_ref.path + QStringLiteral(".aside");
        const QByteArray name = QFile::encodeName(m_ref.path);
        if (!QFile::rename(m_ref.path, aside) ||
            (fifo ? ::mkfifo(name.constData(), 0644) != 0 : !QDir().mkdir(m_ref.path))) {
            return QStringLiteral("cannot put something else at the path");
        }
        const std::size_t shown = m_messages.shown.size();
        const bool done = m_ref.isOpen ? m_doc.save().outcome == DocumentSave::Saved
                                       : m_doc.open(m_ref.path, false) == DocumentOpen::Opened;
        const bool cleared = fifo ? QFile::remove(m_ref.path) : QDir().rmdir(m_ref.path);
        if (!cleared || !QFile::rename(aside, m_ref.path)) {
            return QStringLiteral("the path was changed under the test");
        }
        if (done || m_messages.shown.size() == shown) {
            return QStringLiteral("a %1 at the path was not refused with a message")
                .arg(QLatin1String(fifo ? "FIFO" : "folder"));
        }
        return {};
#endif
    }

    QString step(const Step& s) {
        const SaveFile* model = m_doc.model();
        switch (s.op) {
            case Op::Open:
            case Op::OpenReadOnly:
                return open(s.op == Op::OpenReadOnly);
            case Op::Close:
                m_doc.close();
                m_ref.closed();
                return {};
            case Op::Reload:
                return reload();
            case Op::LeaveReadOnly:
                if (m_ref.isOpen && m_ref.readOnly) {
                    if (!m_doc.leaveReadOnly()) {
                        return QStringLiteral("cannot leave read-only mode");
                    }
                    m_ref.readOnly = false;
                }
                return {};
            case Op::Dialog: {
                if (!model) {
                    return edit({});
                }
                std::vector<FieldChange> changes;
                for (quint32 n = 0; n <= s.c % 2; ++n) {
                    const QString path = dialogField(s.a + n, s.b);
                    if (std::optional<FieldChange> change =
                            ChangeTo(*model, path, valueFor(path, s.c / 2 + n))) {
                        changes.push_back(*change);
                    }
                }
                return edit({StepName(QStringLiteral("乱数"), changes), changes});
            }
            case Op::Batch: {
                if (!model) {
                    return {};
                }
                const RecordKind kind = s.a % 2 ? RecordKind::Ship : RecordKind::ShipClass;
                const auto fields = batch::FieldsOf(kind);
                batch::Request request{{},
                                       QString::fromUtf8(fields[s.a / 2 % fields.size()]->japanese),
                                       batch::Operation(s.c % 4),
                                       qint64(s.c / 4 % 300) - 40};
                for (quint32 n = 0; n <= s.b % 5; ++n) {
                    const auto& from = kind == RecordKind::Ship ? m_ships : m_classes;
                    // Rows of a list: each record once.
                    const RecordKey key{kind, from[(s.b / 8 + 13 * n) % from.size()]};
                    if (std::find(request.records.begin(), request.records.end(), key) ==
                        request.records.end()) {
                        request.records.push_back(key);
                    }
                }
                batch::Outcome outcome = batch::Prepare(*model, request);
                return outcome.refusal ? QString() : edit(std::move(outcome.changes));
            }
            case Op::Recipe:
                return model ? recipe(*model, s) : QString();
            case Op::Fix:
                return model ? edit(diagnosisFix(*model)) : QString();
            case Op::Revert: {
                if (!model) {
                    return {};
                }
                const std::vector<FieldChange> pending = DiffModels(*m_doc.savedModel(), *model);
                if (pending.empty()) {
                    return {};
                }
                const QString path = pending[s.a % pending.size()].path;
                return edit(
                    TakeValues(*model, *m_doc.savedModel(), {path}, document::texts::revertStep(path)));
            }
            case Op::Takeover: {
                SaveFile other;
                if (!model || !LoadBackup(variant(m_ref.current(), s.a), other)) {
                    return model ? QStringLiteral("a compared save did not load") : QString();
                }
                QStringList paths;
                const std::vector<FieldChange> rows = DiffModels(*model, other);
                for (std::size_t i = 0; i < rows.size(); ++i) {
                    if (s.b % 3 == 0 || (s.b >> (i % 32)) & 1) {
                        paths.append(rows[i].path);
                    }
                }
                return edit(TakeValues(*model, other, paths, QStringLiteral("取り込み")));
            }
            case Op::Undo:
            case Op::Redo: {
                const int to = m_ref.index + (s.op == Op::Undo ? -1 : 1);
                const bool possible = m_ref.isOpen && to >= 0 && to < int(m_ref.states.size());
                if ((s.op == Op::Undo ? m_doc.undo() : m_doc.redo()) != possible) {
                    return QStringLiteral("undo or redo came out other than %1").arg(possible);
                }
                if (possible) {
                    m_ref.moveTo(to);
                }
                return {};
            }
            case Op::Jump:
                if (m_ref.isOpen) {
                    const int to = int(s.a % m_ref.states.size());
                    m_doc.history().setIndex(to);
                    m_ref.moveTo(to);
                }
                return {};
            case Op::Save:
                return save(s.b);
            case Op::SaveAs: {
                QString target = savePath(2 + int(s.a % 3));
                if (target == m_ref.path) {
                    target = savePath(5);
                }
                const DocumentSave outcome = m_doc.saveAs(target).outcome;
                if (outcome != (m_ref.isOpen ? DocumentSave::Saved : DocumentSave::NoFile)) {
                    return QStringLiteral("save as came out %1").arg(int(outcome));
                }
                if (m_ref.isOpen && m_ref.disk.contains(target)) {
                    if (QString why = newestBackupIs(target, m_ref.disk.value(target)); !why.isEmpty()) {
                        return why;
                    }
                }
                if (m_ref.isOpen) {
                    m_ref.savedAs(target);
                }
                return {};
            }
            case Op::OutsideChange: {
                const QByteArray theirs = variant(m_ref.disk.value(m_ref.path), s.a);
                if (fixtures::WriteInPlace(m_ref.path, theirs)) {
                    m_ref.put(m_ref.path, theirs);
                }
                return {};
            }
            case Op::Restore: {
                const QStringList backups = BackupStore(m_backups).backupsOf(m_ref.path);
                if (!m_ref.isOpen || backups.isEmpty()) {
                    return {};
                }
                const QString chosen = backups[int(s.a % backups.size())];
                const QByteArray bytes = readFile(chosen);
                const DocumentRestore outcome = m_doc.restoreBackup(chosen).outcome;
                if (outcome != (m_ref.readOnly ? DocumentRestore::ReadOnly : DocumentRestore::Restored)) {
                    return QStringLiteral("restore came out %1").arg(int(outcome));
                }
                if (!m_ref.readOnly) {
                    if (QString why = newestBackupIs(m_ref.path, m_ref.disk.value(m_ref.path));
                        !why.isEmpty()) {
                        return why;
                    }
                    m_ref.restored(bytes);
                }
                return {};
            }
            case Op::TooWide: {
                // A valid change first: all or nothing means it must not stay either.
                std::vector<FieldChange> changes;
                const QString good = QStringLiteral("AircrewSkill[1][1]");
                const QString path = dialogField(s.a, (s.b & ~3u) | (1u + s.b % 2));
                const FieldSpot spot = *fixtures::SpotOf(m_layout, path);
                const qint64 beyond = s.c % 2 ? spot.highest() + 1 + s.c % 7 : spot.lowest() - 1 - s.c % 7;
                for (const auto& [p, v] :
                     {std::pair{good, QJsonValue(qint64(s.c % 100))}, {path, QJsonValue(beyond)}}) {
                    const std::optional<QJsonValue> old = model ? ValueAt(*model, p) : std::nullopt;
                    changes.push_back({p, p.section(u'[', 0, 0), -1, old.value_or(QJsonValue()), v});
                }
                return refused({QStringLiteral("幅の外"), changes});
            }
            case Op::Unmappable: {
                static const char* names[] = {"ñ", "€", "😀", "한글", "ABCDEFGHIJKL"};
                const QString path = QStringLiteral("AircraftType[%1].ShortName").arg(s.a % 170);
                const std::optional<QJsonValue> old = model ? ValueAt(*model, path) : std::nullopt;
                return refused({QStringLiteral("名前"),
                                {{path, QStringLiteral("AircraftType"), int(s.a % 170),
                                  old.value_or(QJsonValue()), QString::fromUtf8(names[s.b % 5])}}});
            }
            case Op::DirectoryAtPath:
            case Op::FifoAtPath:
                return hostilePath(s.op == Op::FifoAtPath);
        }
        return {};
    }

    QString check() {
        if (m_doc.isOpen() != m_ref.isOpen) {
            return QStringLiteral("open: %1, expected %2").arg(m_doc.isOpen()).arg(m_ref.isOpen);
        }
        if (m_ref.isOpen) {
            if (m_doc.path() != m_ref.path || m_doc.isReadOnly() != m_ref.readOnly) {
                return QStringLiteral("open file %1 (read-only %2)")
                    .arg(m_doc.path())
                    .arg(m_doc.isReadOnly());
            }
            if (m_doc.isChanged() != m_ref.changed() ||
                mainwindow::EditStateFor(m_doc.path(), m_doc.isReadOnly(), m_doc.isChanged()).label2 !=
                    QString::fromUtf8(m_ref.changed() ? "編集済み" : "未編集")) {
                return QStringLiteral("changed: %1, expected %2").arg(m_doc.isChanged()).arg(m_ref.changed());
            }
            if (m_doc.history().count() != int(m_ref.states.size()) - 1 ||
                m_doc.history().index() != m_ref.index) {
                return QStringLiteral("history at %1 of %2")
                    .arg(m_doc.history().index())
                    .arg(m_doc.history().count());
            }
            if (QString why = sameBytes(ComposeSaveImage(*m_doc.model(), m_status), m_ref.current());
                !why.isEmpty()) {
                return QStringLiteral("model: ") + why;
            }
            if (QString why = sameBytes(ComposeSaveImage(*m_doc.savedModel(), m_status), m_ref.loaded);
                !why.isEmpty()) {
                return QStringLiteral("saved model: ") + why;
            }
        }
        const BackupStore store(m_backups);
        for (auto it = m_ref.disk.cbegin(); it != m_ref.disk.cend(); ++it) {
            if (QString why = sameBytes(readFile(it.key()), it.value()); !why.isEmpty()) {
                return QStringLiteral("%1 on disk: %2").arg(QFileInfo(it.key()).fileName(), why);
            }
            for (const QString& backup : store.backupsOf(it.key())) {
                if (!m_ref.everOnDisk.contains(readFile(backup))) {
                    return QStringLiteral("backup %1 was never on disk").arg(backup);
                }
            }
        }
        const QStringList present =
            QDir(m_saves).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        if (present.size() != m_ref.disk.size()) {
            return QStringLiteral("files left beside the saves: %1").arg(present.join(u' '));
        }
        return {};
    }

    QString newestBackupIs(const QString& path, const QByteArray& bytes) const {
        const QStringList backups = BackupStore(m_backups).backupsOf(path);
        if (backups.isEmpty() || readFile(backups.first()) != bytes) {
            return QStringLiteral("the newest backup of %1 is not the file as it was")
                .arg(QFileInfo(path).fileName());
        }
        return {};
    }

    static QString sameBytes(const std::optional<QByteArray>& actual, const QByteArray& expected) {
        if (!actual) {
            return QStringLiteral("cannot be written");
        }
        if (actual->size() != expected.size()) {
            return QStringLiteral("%1 bytes, expected %2").arg(actual->size()).arg(expected.size());
        }
        for (qsizetype i = 0; i < expected.size(); ++i) {
            if (actual->at(i) != expected.at(i)) {
                return QStringLiteral("byte %1 is %2, expected %3")
                    .arg(i)
                    .arg(quint8(actual->at(i)))
                    .arg(quint8(expected.at(i)));
            }
        }
        return {};
    }

    QTemporaryDir m_root;
    QString m_saves;
    QString m_backups;
    fixtures::RecordingStatus m_status;
    fixtures::RecordingMessages m_messages;
    OpenDocument m_doc;
    fixtures::SaveImageBuilder m_layout{fixtures::DemoSaveOptions()};
    fixtures::SaveReference m_ref;
    std::vector<int> m_ships;
    std::vector<int> m_classes;
};

std::optional<Failure> runFresh(const std::vector<Step>& steps) {
    return Run().run(steps);
}

// The sanitizer build and Wine run the same program several times slower.
#if defined(__SANITIZE_ADDRESS__) || defined(Q_OS_WIN)
constexpr int kFixedSeeds = 3;
#else
constexpr int kFixedSeeds = 12;
#endif
constexpr int kStepsPerSequence = 80;

QString reportOf(quint32 seed) {
    return fixtures::FailureReport<Op>(seed, generate(seed, kStepsPerSequence), runFresh, kOpNames);
}

}  // namespace

Q_DECLARE_METATYPE(std::vector<Step>)

class TestRandomSequences : public QObject {
    Q_OBJECT

private slots:
    void fixedSeeds() { fixtures::CheckFixedSeeds(kFixedSeeds, kStepsPerSequence, reportOf); }

    // Sequences found by the soak: new seeds for as long as KORVEN_SOAK_SECONDS says, each
    // failure written to KORVEN_SOAK_OUT.
    void soak() { fixtures::Soak(kStepsPerSequence, reportOf); }

    void regressions_data() {
        QTest::addColumn<std::vector<Step>>("steps");
        // An edit, a save, an undo past the saved point, another program's change and a save
        // that reloads: the reloaded file is theirs and the history starts again.
        QTest::newRow("undo past the save, outside change, reload")
            << std::vector<Step>{{Op::Open}, {Op::Dialog, 2u, 2u, 7u}, {Op::Save},
                                 {Op::Undo}, {Op::OutsideChange, 5u},  {Op::Save, 0u, 1u},
                                 {Op::Redo}};
        // A fix, undone past a save as, then restored from the backup the save as made.
        QTest::newRow("fix, save as over a file, restore") << std::vector<Step>{
            {Op::Open}, {Op::Dialog, 0u, 1u, 1u}, {Op::Fix},     {Op::SaveAs, 1u}, {Op::SaveAs, 0u},
            {Op::Undo}, {Op::Restore, 0u},        {Op::Jump, 1u}};
        // Found by the fixed seeds: a pipe in the file's place was read as an empty file another
        // program wrote, backed up, and asked about.
        QTest::newRow("seed 2: a pipe at the path") << std::vector<Step>{{Op::Open}, {Op::FifoAtPath}};
    }
    void regressions() {
        QFETCH(std::vector<Step>, steps);
        const std::optional<Failure> failure = runFresh(steps);
        QVERIFY2(
            !failure,
            failure ? qPrintable(QStringLiteral("step %1: %2").arg(failure->step).arg(failure->why)) : "");
    }
};

QTEST_GUILESS_MAIN(TestRandomSequences)
#include "test_random_sequences.moc"
