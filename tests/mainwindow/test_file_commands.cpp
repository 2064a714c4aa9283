#include "tests/mainwindow/MainWindowTest.h"
#include "tests/support/Results.h"

#include <QScreen>

// The File commands in the window: the command line, open, save, save as, close, restore and
// compare.
class TestFileCommands : public MainWindowTest {
    Q_OBJECT

private slots:
    void initTestCase() { prepareOnce(); }
    void init() { prepare(); }

    // ---- Command line ----

    void commandLine_data() {
        QTest::addColumn<QStringList>("arguments");  // %1 stands for the folder of the files
        QTest::addColumn<QString>("target");         // the file that must open, or empty
        QTest::addColumn<QString>("message");
        QTest::addColumn<MessageIcon>("icon");
        const QStringList none;
        QTest::newRow("plain") << QStringList{u"%1/Save File1.SAVE"_s} << u"Save File1.SAVE"_s << ""
                               << MessageIcon::None;
        QTest::newRow("quoted as one argument")
            << QStringList{u"\"%1/Save File1.SAVE\""_s} << u"Save File1.SAVE"_s << "" << MessageIcon::None;
        // Split at the space by a launcher that does not quote: joined and read as one line.
        QTest::newRow("quoted, split in two") << QStringList{u"  \"%1/Save"_s, u"File1.SAVE\" "_s}
                                              << u"Save File1.SAVE"_s << "" << MessageIcon::None;
        // One argument is the path as given: neither trimmed nor stripped of a quote that is
        // part of the name.
        QTest::newRow("leading space is part of the name")
            << QStringList{u"%1/ lead.SAVE"_s} << u" lead.SAVE"_s << "" << MessageIcon::None;
#ifndef Q_OS_WIN
        QTest::newRow("quotes in the name")
            << QStringList{u"%1/\"quoted\".SAVE"_s} << u"\"quoted\".SAVE"_s << "" << MessageIcon::None;
#endif
        QTest::newRow("folder") << QStringList{u"%1/a folder"_s} << "" << mt::folderGiven()
                                << MessageIcon::Exclamation;
        QTest::newRow("missing") << QStringList{u"\"%1/missing.SAVE\""_s} << "" << mt::parameterError()
                                 << MessageIcon::None;
        QTest::newRow("no arguments") << none << ""
                                      << "" << MessageIcon::None;
    }
    void commandLine() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, target);
        QFETCH(QString, message);
        QVERIFY(QDir().mkpath(m_files->filePath(QStringLiteral("a folder"))));
        QStringList names{u"Save File1.SAVE"_s, u" lead.SAVE"_s, u"lead.SAVE"_s};
#ifndef Q_OS_WIN  // Windows names cannot hold quotes
        names.append(u"\"quoted\".SAVE"_s);
#endif
        for (const QString& name : names) {
            saveFile(name);
        }
        for (QString& argument : arguments) {
            argument = argument.arg(m_files->path());
        }
        fixtures::ScriptedUi ui;
        frmMain w;
        w.files().runCommandLine(arguments);
        if (message.isEmpty()) {
            QVERIFY2(ui.messages.empty(), qPrintable(ui.messageTexts().join(u'|')));
        } else {
            QCOMPARE(ui.messageTexts(), QStringList{message});
            QTEST(ui.messages[0].icon, "icon");
        }
        QCOMPARE(w.openFilePath(), target.isEmpty() ? QString() : m_files->filePath(target));
        QVERIFY(!w.isReadOnly());
    }

    void commandLineReadOnlyFile() {
        const QString path = saveFile();
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        fixtures::ScriptedUi ui;
        frmMain w;
        w.files().runCommandLine({path});
        QVERIFY(ui.messages.empty());
        QCOMPARE(w.openFilePath(), path);
        QVERIFY(w.isReadOnly());
        QVERIFY(w.windowTitle().endsWith(QStringLiteral("（読み取り専用） [未編集]")));
    }

    // ---- Open ----

    void openFlow() {
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        ui.openChoices.push_back(OpenFileChoice{path, false});
        frmMain w;
        action(w, "mnuFileOpen")->trigger();
        QCOMPARE(ui.openDialogs.size(), std::size_t(1));
        QVERIFY(ui.openDialogs[0].showReadOnlyBox);
        QCOMPARE(ui.openDialogs[0].filter,
                 QStringLiteral(
                     "ヴァルゾンセーブファイル(SaveFile*.SAVE) (SaveFile*.SAVE);;全てのファイル(*.*) (*)"));
        QVERIFY(ui.openDialogs[0].defaultSuffix.isEmpty());
        QVERIFY(ui.messages.empty());
        QCOMPARE(w.openFilePath(), path);
        QCOMPARE(w.windowTitle(), QStringLiteral("KorvenEdit - ") + QDir::toNativeSeparators(path) +
                                      QStringLiteral(" [未編集]"));
        QCOMPARE(child<QLabel>(w, "Label1")->text(), QDir::toNativeSeparators(path));
        QCOMPARE(child<QLabel>(w, "Label2")->text(), QStringLiteral("未編集"));
        QCOMPARE(child<QLabel>(w, "Panel_2")->text(), korven::texts::statusReadDone());
        QCOMPARE(child<QTreeWidget>(w, "TreeView")->topLevelItemCount(), 6);
        QVERIFY(!action(w, "mnuFileOpen")->isEnabled());
        for (const char* name : {"mnuFileSave", "mnuFileSaveAs", "mnuFileClose", "mnuFileProperties"}) {
            QVERIFY2(action(w, name)->isEnabled(), name);
        }
        // Normal mode holds the file against every other opener.
        QVERIFY(!LockedFile::open(path, LockMode::ReadOnly));

        action(w, "mnuFileOpen")->setEnabled(true);  // the command refuses even when reached
        w.files().open();
        QCOMPARE(ui.messageTexts(), QStringList{mt::secondFile()});
        QCOMPARE(ui.messages[0].icon, MessageIcon::Exclamation);
        QCOMPARE(ui.openDialogs.size(), std::size_t(1));
        QVERIFY(!w.files().openFile(saveFile(QStringLiteral("SaveFile2.SAVE")), false));
        QCOMPARE(ui.messageTexts(), (QStringList{mt::secondFile(), mt::secondFile()}));
        QCOMPARE(w.openFilePath(), path);
        QVERIFY(!LockedFile::open(path, LockMode::ReadOnly));
    }

    void openCancelled() {
        fixtures::ScriptedUi ui;
        frmMain w;
        w.files().open();
        QCOMPARE(ui.openDialogs.size(), std::size_t(1));
        QVERIFY(ui.messages.empty());
        QVERIFY(w.openFilePath().isEmpty());
    }

    void openFailures_data() {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("message");
        QTest::addColumn<MessageIcon>("icon");
        QTest::newRow("3 bytes") << QByteArray("KVS") << korven::texts::notASaveFile()
                                 << MessageIcon::Exclamation;
        QTest::newRow("wrong magic") << QByteArray(4000, 'x') << korven::texts::notASaveFile()
                                     << MessageIcon::Exclamation;
        QTest::newRow("truncated") << QByteArray() << korven::texts::readError() << MessageIcon::None;
    }
    void openFailures() {
        QFETCH(QByteArray, contents);
        QFETCH(QString, message);
        if (contents.isEmpty()) {
            contents = m_image.left(m_builder.shipClassOffset(10));
        }
        const QString path = m_files->filePath(QStringLiteral("SaveFile9.SAVE"));
        QVERIFY(writeFile(path, contents));
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(!w.files().openFile(path, false));
        QCOMPARE(ui.messageTexts(), QStringList{message});
        QTEST(ui.messages[0].icon, "icon");
        QVERIFY(w.openFilePath().isEmpty());
        QVERIFY(!w.saveFile());
        QCOMPARE(w.windowTitle(), QStringLiteral("KorvenEdit"));
        QCOMPARE(child<QLabel>(w, "Panel_2")->text(), mt::noFileLoaded());
        QCOMPARE(child<QTreeWidget>(w, "TreeView")->topLevelItemCount(), 0);
        QVERIFY(action(w, "mnuFileOpen")->isEnabled());
        QVERIFY(!action(w, "mnuFileClose")->isEnabled());
        // The file is closed again: another program may take it.
        QVERIFY(LockedFile::open(path, LockMode::Normal));
    }

    void openLockedFile() {
        const QString path = saveFile();
        const auto other = LockedFile::open(path, LockMode::Normal);
        QVERIFY(other);
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(!w.files().openFile(path, false));
        QCOMPARE(ui.messageTexts(),
                 QStringList{korven::texts::cannotOpen() +
                             u"\r\n原因: ほかのプログラムがファイルをロックしています。"_s});
        QCOMPARE(ui.messages[0].icon, MessageIcon::Error);
        QVERIFY(w.openFilePath().isEmpty());
        QVERIFY(action(w, "mnuFileOpen")->isEnabled());
    }

    // Another program (the command-line tool when it is built) cannot change a file the window
    // holds, but can read it.
    // The editor in this process, korvenedit-cli in another.
    void twoProcessLocking() {
        const QString path = saveFile();
#ifdef Q_OS_WIN
        const QString cli = QCoreApplication::applicationDirPath() + QStringLiteral("/korvenedit-cli.exe");
#else
        const QString cli = QCoreApplication::applicationDirPath() + QStringLiteral("/korvenedit-cli");
#endif
        QVERIFY2(QFileInfo(cli).isExecutable(), qPrintable(cli));
        const QByteArray openError = QString(korven::texts::cannotOpen()).replace(u'\r', QString()).toUtf8();
        // 1: refused because another editor holds the file; 0: done; anything else is a fault.
        auto other = [&](const QStringList& arguments) {
            QProcess process;
            process.start(cli, arguments);
            if (!process.waitForFinished(30000)) {
                return -1;
            }
            if (process.exitCode() == 1 && !process.readAllStandardError().startsWith(openError)) {
                return -1;
            }
            return process.exitCode();
        };
        auto otherCanWrite = [&] {
            return other({QStringLiteral("set"), path, QStringLiteral("AircrewSkill[0][0]=11")});
        };
        auto otherCanRead = [&] { return other({QStringLiteral("info"), path}); };
        fixtures::ScriptedUi ui;
        {
            frmMain w;
            QVERIFY(w.files().openFile(path, false));
            QCOMPARE(otherCanWrite(), 1);
            // Looking needs no lock: the player can read pending work from a terminal.
            QCOMPARE(otherCanRead(), 0);
            QVERIFY(w.files().close());
            QCOMPARE(otherCanRead(), 0);
        }
        {
            frmMain w;
            QVERIFY(w.files().openFile(path, true));
            QCOMPARE(otherCanRead(), 0);
            QCOMPARE(otherCanWrite(), 1);
        }
        QCOMPARE(readFile(path), m_image);
        QCOMPARE(otherCanWrite(), 0);  // and nothing holds the file any more
    }

    // ---- Save ----

    void saveWritesAndClearsTheFlag() {
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.files().openFile(path, false));
        setSkill(w, 77);
        QCOMPARE(w.windowTitle(), QStringLiteral("KorvenEdit - ") + QDir::toNativeSeparators(path) +
                                      QStringLiteral(" [編集済み]"));
        QCOMPARE(child<QLabel>(w, "Label2")->text(), QStringLiteral("編集済み"));
        action(w, "mnuFileSave")->trigger();
        QVERIFY(ui.messages.empty());
        QVERIFY(!w.isFileChanged());
        QCOMPARE(w.windowTitle(), QStringLiteral("KorvenEdit - ") + QDir::toNativeSeparators(path) +
                                      QStringLiteral(" [未編集]"));
        // The first save keeps the file as it was on disk, and the status bar names the backup.
        const QStringList backups = BackupStore().backupsOf(path);
        QCOMPARE(backups.size(), 1);
        QCOMPARE(readFile(backups.first()), m_image);
        QCOMPARE(child<QLabel>(w, "Panel_2")->text(), mt::savedWithBackup(backups.first()));
        QCOMPARE(static_cast<uint8_t>(readFile(path).at(skillOffset())), uint8_t(77));
        // Still open and locked after the atomic replace.
        QVERIFY(!LockedFile::open(path, LockMode::ReadOnly));
        // Later saves of the same opening need no further backup.
        setSkill(w, 78);
        QVERIFY(w.files().save());
        QCOMPARE(BackupStore().backupsOf(path).size(), 1);
    }

    // As the help says: close the file, copy the backup over it under its name, open it again.
    void restoreFromBackup() {
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.files().openFile(path, false));
        setSkill(w, 71);
        QVERIFY(w.files().save());
        QVERIFY(w.files().close());
        const QStringList backups = BackupStore().backupsOf(path);
        QCOMPARE(backups.size(), 1);
        QVERIFY(QFile::remove(path));
        QVERIFY(QFile::copy(backups.first(), path));
        QVERIFY(w.files().openFile(path, false));
        QVERIFY(ui.messages.empty());
        QVERIFY(w.files().close());
        QCOMPARE(readFile(path), m_image);
    }

    void restoreFromBackupInTheWindow() {
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.files().openFile(path, false));
        const uint8_t original = w.saveFile()->AircrewSkill[0][0];
        setSkill(w, 71);
        QVERIFY(w.files().save());
        const QByteArray saved = readFile(path);
        setSkill(w, 72);  // pending
        QStringList rows;
        QTimer::singleShot(0, [&rows] {
            QWidget* dialog = qApp->activeModalWidget();
            QVERIFY(dialog);
            QCOMPARE(dialog->objectName(), u"frmBackups"_s);
            auto* list = dialog->findChild<QTreeWidget*>(u"lstBackups"_s);
            for (int i = 0; i < list->topLevelItemCount(); ++i) {
                rows.append(list->topLevelItem(i)->text(1) + u'|' + list->topLevelItem(i)->text(2));
            }
            auto* restore = dialog->findChild<QPushButton*>(u"cmdRestore"_s);
            QVERIFY(!restore->isEnabled());
            list->setCurrentItem(list->topLevelItem(0));
            restore->click();
        });
        ui.answers = {MessageAnswer::Yes};
        action(w, "mnuFileRestore")->trigger();
        QCOMPARE(rows, QStringList{QStringLiteral("%L1 バイト|1 項目").arg(m_image.size())});
        QCOMPARE(ui.messages.size(), std::size_t(1));
        QCOMPARE(ui.messages[0].icon, MessageIcon::Question);
        QVERIFY(ui.messages[0].text.endsWith(mt::restoreDropsChanges()));
        QCOMPARE(readFile(path), m_image);
        QCOMPARE(w.saveFile()->AircrewSkill[0][0], original);
        QVERIFY(!w.isFileChanged());
        QCOMPARE(child<QLabel>(w, "Label2")->text(), u"未編集"_s);
        QCOMPARE(column(child<RecordListView>(w, "ListView"), 1).first(), QString::number(original));
        QVERIFY(!action(w, "mnuEditUndo")->isEnabled());
        // The file as it was before the restore is the newest backup.
        const QStringList backups = BackupStore().backupsOf(path);
        QCOMPARE(backups.size(), 2);
        QCOMPARE(readFile(backups.first()), saved);
        QCOMPARE(child<QLabel>(w, "Panel_2")->text(), mt::restored(backups.first()));
    }

    void restoreRefusedOrDeclined() {
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.files().openFile(path, true));
        action(w, "mnuFileRestore")->trigger();
        QCOMPARE(ui.messageTexts(), QStringList{mt::restoreReadOnly()});
        QVERIFY(w.files().close());
        QVERIFY(w.files().openFile(path, false));
        setSkill(w, 71);
        QVERIFY(w.files().save());
        ui.clear();
        QTimer::singleShot(0, [] {
            auto* list = qApp->activeModalWidget()->findChild<QTreeWidget*>(u"lstBackups"_s);
            list->setCurrentItem(list->topLevelItem(0));
            qApp->activeModalWidget()->findChild<QPushButton*>(u"cmdRestore"_s)->click();
        });
        ui.answers = {MessageAnswer::No};
        action(w, "mnuFileRestore")->trigger();
        QCOMPARE(ui.messages.size(), std::size_t(1));
        QCOMPARE(ui.messages[0].defaultAnswer, MessageAnswer::No);
        QCOMPARE(static_cast<uint8_t>(readFile(path).at(skillOffset())), uint8_t(71));
        QCOMPARE(BackupStore().backupsOf(path).size(), 1);
    }

    // ---- A file changed on disk by a program that ignores the lock ----

    // Another program's save of the same slot: one byte after our edited skill changed.
    QByteArray newerOnDisk() const {
        QByteArray newer = m_image;
        newer[skillOffset() + 1] = 99;
        return newer;
    }
    // False when this system does not let another program do it.
    bool putOnDisk(const QString& path, const QString& how) {
        if (how == u"in place") {
            return fixtures::WriteInPlace(path, newerOnDisk());
        }
        const QString incoming = m_files->filePath(u"incoming.SAVE"_s);
        return writeFile(incoming, newerOnDisk()) && fixtures::RenameOver(incoming, path);
    }

    void changedOnDiskIsNeverOverwrittenSilently_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<MessageAnswer>("answer");
#ifdef Q_OS_WIN
        const QStringList changes{u"renamed over"_s};  // nobody else can write a held file there
#else
        const QStringList changes{u"in place"_s, u"renamed over"_s};
#endif
        for (const QString& how : changes) {
            for (const auto& [name, answer] :
                 {std::pair{"overwrite", MessageAnswer::Yes}, std::pair{"reload", MessageAnswer::No},
                  std::pair{"cancel", MessageAnswer::Cancel}}) {
                QTest::addRow("%s, %s", qPrintable(how), name) << how << answer;
            }
        }
    }
    // Open, edit, Save; edit again; another program writes the file; Save.
    void changedOnDiskIsNeverOverwrittenSilently() {
        QFETCH(QString, how);
        QFETCH(MessageAnswer, answer);
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.files().openFile(path, false));
        setSkill(w, 70);
        QVERIFY(w.files().save());
        setSkill(w, 71);
        if (!putOnDisk(path, how)) {
            QSKIP(fixtures::kReplaceRefused);
        }
        ui.answers = {answer};
        const bool saved = w.files().save();

        QCOMPARE(ui.messages.size(), std::size_t(1));
        QCOMPARE(ui.messages[0].buttons, MessageButtons::YesNoCancel);
        // The newer file is kept, whatever the answer.
        const QStringList backups = BackupStore().backupsOf(path);
        QCOMPARE(readFile(backups.first()), newerOnDisk());
        QCOMPARE(ui.messageTexts(), QStringList{korven::texts::changedOnDiskQuestion(backups.first())});
        const QByteArray onDisk = readFile(path);
        if (answer == MessageAnswer::Yes) {
            QVERIFY(saved);
            QCOMPARE(uint8_t(onDisk[skillOffset()]), uint8_t(71));
            QCOMPARE(uint8_t(onDisk[skillOffset() + 1]), uint8_t(m_image[skillOffset() + 1]));
            QVERIFY(!LockedFile::open(path, LockMode::ReadOnly));
        } else if (answer == MessageAnswer::No) {
            // Reloaded: the window shows the file on disk, the edits are gone.
            QVERIFY(!saved);
            QCOMPARE(onDisk, newerOnDisk());
            QCOMPARE(w.openFilePath(), path);
            QVERIFY(!w.isFileChanged());
            QCOMPARE(w.saveFile()->AircrewSkill[0][1], uint8_t(99));
            QVERIFY(!LockedFile::open(path, LockMode::ReadOnly));
        } else {
            QVERIFY(!saved);
            QCOMPARE(onDisk, newerOnDisk());
            QVERIFY(w.isFileChanged());
        }
    }

    // Read-only, then Save -> Yes after the file was replaced: the replacement is not
    // overwritten without the question.
    void readOnlyYesAfterAReplaceAsks() {
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.files().openFile(path, true));
        setSkill(w, 72);
        if (!putOnDisk(path, u"renamed over"_s)) {
            QSKIP(fixtures::kReplaceRefused);
        }
        ui.answers = {MessageAnswer::Yes, MessageAnswer::Cancel};
        QVERIFY(!w.files().save());
        QCOMPARE(ui.messages.size(), std::size_t(2));
        QCOMPARE(ui.messages[0].text, mt::readOnlySaveQuestion());
        QCOMPARE(ui.messages[1].buttons, MessageButtons::YesNoCancel);
        QCOMPARE(readFile(path), newerOnDisk());
        QCOMPARE(readFile(BackupStore().backupsOf(path).first()), newerOnDisk());
        QVERIFY(w.isFileChanged());
    }

    void saveWithoutABackupWritesNothing() {
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.files().openFile(path, false));
        setSkill(w, 77);
        // No folder can be made below a plain file, so no backup can be written.
        QVERIFY(writeFile(m_files->filePath(QStringLiteral("blocker")), "x"));
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_files->filePath(QStringLiteral("blocker"))));
        QVERIFY(!w.files().save());
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_settingsDir->filePath(QStringLiteral("data"))));
        QCOMPARE(ui.messages.size(), std::size_t(1));
        QVERIFY(ui.messages[0].text.startsWith(korven::texts::backupFailed(QString()).section(u'\r', 0, 0)));
        QCOMPARE(ui.messages[0].icon, MessageIcon::Error);
        QVERIFY(w.isFileChanged());
        QCOMPARE(readFile(path), m_image);
    }

    void saveWithoutFile() {
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(!w.files().save());
        w.files().saveAs();
        QCOMPARE(ui.messageTexts(), (QStringList{mt::noFileLoaded(), mt::noFileLoaded()}));
        QCOMPARE(ui.messages[0].icon, MessageIcon::Exclamation);
        QCOMPARE(ui.messages[1].icon, MessageIcon::Exclamation);
        QVERIFY(ui.saveDialogs.empty());
    }

    // A text the file cannot hold is refused when the dialog stores it: the user is told, and
    // neither the model nor the edit state changes.
    void unwritableTextIsRefusedAtTheStore() {
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.files().openFile(path, false));
        const QString name = w.saveFile()->ShipClass[0].Name.text();
        QString shown;
        w.setDialogOpeners({.record = [&shown](const RecordKey&, EditSession& session, QWidget*) {
            session.file.ShipClass[0].Name.setText(QStringLiteral("\U0001F6A2"));
            session.commit();
            shown = session.file.ShipClass[0].Name.text();
            return true;
        }});
        QVERIFY(w.browser().selectNode(QStringLiteral("ToujouRenAll")));
        auto* list = child<RecordListView>(w, "ListView");
        list->setCurrentIndex(list->model()->index(0, 0));
        w.openSelectedRecord();
        QCOMPARE(ui.messageTexts(),
                 QStringList{document::texts::changeRefused(
                     {QStringLiteral("ShipClass[0].Name"), ChangeRefusal::Reason::TextUnmappable})});
        QCOMPARE(ui.messages[0].icon, MessageIcon::Exclamation);
        // The dialog's copy shows the model as it stays.
        QCOMPARE(shown, name);
        QVERIFY(!w.isFileChanged());
        QVERIFY(w.files().close());
        QCOMPARE(readFile(path), m_image);
    }

    // Saves that fail on disk: the file stays as it was, the window says so and keeps the edits.
    void diskFaultsKeepTheFlag_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("reason");
#ifndef Q_OS_WIN  // a file-size limit is POSIX
        QTest::newRow("write fails part way")
            << u"file size limit"_s << u"ディスクの空き容量が足りません。"_s;
#endif
        QTest::newRow("file made read-only while open")
            << u"read-only"_s << u"ファイルが読み取り専用になっています。"_s;
        QTest::newRow("file removed while open")
            << u"removed"_s
            << u"開いている間に、ほかのプログラムがファイルを変更、置き換え、または削除しました。"_s;
    }
    void diskFaultsKeepTheFlag() {
        QFETCH(QString, fault);
        QFETCH(QString, reason);
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.files().openFile(path, false));
        setSkill(w, 61);
        QVERIFY(w.files().save());  // the backup is made; what follows concerns the save alone
        const QByteArray before = readFile(path);
        setSkill(w, 62);
#ifndef Q_OS_WIN
        rlimit saved{};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        if (fault == u"file size limit") {
            rlimit small = saved;
            small.rlim_cur = static_cast<rlim_t>(before.size() / 2);
            QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
        }
#endif
        if (fault == u"read-only") {
            QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
        } else if (fault == u"removed") {
            QVERIFY(QFile::remove(path));
            if (QFile::exists(path)) {
                QSKIP("this system keeps a deleted file that is held open under its name");
            }
        }
        const bool written = w.files().save();
#ifndef Q_OS_WIN
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
#endif

        QVERIFY(!written);
        QCOMPARE(ui.messageTexts(), QStringList{korven::texts::writeError() + u"\r\n原因: "_s + reason});
        // The status bar no longer says the file is being written.
        QCOMPARE(child<QLabel>(w, "Panel_2")->text(), mt::notSaved());
        QCOMPARE(ui.messages[0].icon, MessageIcon::Error);
        QVERIFY(w.isFileChanged());
        QVERIFY(w.windowTitle().endsWith(QStringLiteral(" [編集済み]")));
        if (fault == u"removed") {
            QVERIFY(!QFileInfo::exists(path));
        } else {
            QCOMPARE(readFile(path), before);
        }
        QCOMPARE(
            QDir(m_files->path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral(".SaveFile1")),
            QStringList());
    }

    void readOnlySaveNoThenCloseAsksAgain() {
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.files().openFile(path, true));
        QCOMPARE(w.windowTitle(), QStringLiteral("KorvenEdit - ") + QDir::toNativeSeparators(path) +
                                      QStringLiteral("（読み取り専用） [未編集]"));
        QCOMPARE(child<QLabel>(w, "Label1")->text(),
                 QDir::toNativeSeparators(path) + QStringLiteral("(読み取り専用）"));
        setSkill(w, 55);
        ui.answers = {MessageAnswer::No};
        QVERIFY(!w.files().save());
        QCOMPARE(ui.messages.size(), std::size_t(1));
        const Message& question = ui.messages[0];
        QCOMPARE(question.text, QStringLiteral("読み取り専用で開かれているため保存できません。\n"
                                               "読み取り専用を解除して保存しますか？"));
        QCOMPARE(question.icon, MessageIcon::Question);
        QCOMPARE(question.buttons, MessageButtons::YesNo);
        QCOMPARE(question.defaultAnswer, MessageAnswer::No);
        QVERIFY(w.isFileChanged());
        QVERIFY(w.isReadOnly());

        ui.clear();
        ui.answers = {MessageAnswer::Yes, MessageAnswer::No};  // save? yes; leave read-only? no
        QVERIFY(!w.files().close());
        QCOMPARE(ui.messages.size(), std::size_t(2));
        QCOMPARE(ui.messages[0].text,
                 QStringLiteral("ファイルが編集されています。保存しますか？\n保存ファイル名　") +
                     QDir::toNativeSeparators(path));
        QCOMPARE(ui.messages[0].icon, MessageIcon::Question);
        QCOMPARE(ui.messages[0].buttons, MessageButtons::YesNoCancel);
        QCOMPARE(ui.messages[0].defaultAnswer, MessageAnswer::Yes);
        QCOMPARE(ui.messages[1].text, mt::readOnlySaveQuestion());
        QCOMPARE(w.openFilePath(), path);

        ui.clear();
        ui.answers = {MessageAnswer::No};
        QVERIFY(w.files().close());
        QVERIFY(w.openFilePath().isEmpty());
        QCOMPARE(readFile(path), m_image);
        // Label1 and Label2 keep their texts after closing.
        QCOMPARE(child<QLabel>(w, "Label1")->text(),
                 QDir::toNativeSeparators(path) + QStringLiteral("(読み取り専用）"));
        QCOMPARE(child<QLabel>(w, "Label2")->text(), QStringLiteral("編集済み"));
    }

    void readOnlySaveYesWrites() {
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.files().openFile(path, true));
        setSkill(w, 66);
        ui.answers = {MessageAnswer::Yes};
        QVERIFY(w.files().save());
        QVERIFY(!w.isReadOnly());
        QVERIFY(!w.isFileChanged());
        QCOMPARE(w.windowTitle(), QStringLiteral("KorvenEdit - ") + QDir::toNativeSeparators(path) +
                                      QStringLiteral(" [未編集]"));
        QCOMPARE(static_cast<uint8_t>(readFile(path).at(skillOffset())), uint8_t(66));
        QVERIFY(!LockedFile::open(path, LockMode::ReadOnly));  // now held exclusively
    }

    void readOnlyOnDiskCannotBeSaved() {
        const QString path = saveFile();
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.files().openFile(path, true));
        setSkill(w, 12);
        ui.answers = {MessageAnswer::Yes};
        QVERIFY(!w.files().save());
        QCOMPARE(ui.messageTexts(), (QStringList{mt::readOnlySaveQuestion(),
                                                 mt::cannotLeaveReadOnly() +
                                                     u"\r\n原因: ファイルが読み取り専用になっています。"_s}));
        QCOMPARE(ui.messages[1].icon, MessageIcon::Error);
        QVERIFY(w.isFileChanged());
        QVERIFY(w.isReadOnly());
        QCOMPARE(readFile(path), m_image);
        QVERIFY(LockedFile::open(path, LockMode::ReadOnly));  // the shared lock is kept
    }

    // ---- Save As ----

    void saveAsNewName() {
        const QString path = saveFile();
        const QString copy = m_files->filePath(QStringLiteral("SaveFile2.SAVE"));
        fixtures::ScriptedUi ui;
        ui.saveChoices.push_back(copy);
        frmMain w;
        QVERIFY(w.files().openFile(path, true));
        setSkill(w, 88);
        action(w, "mnuFileSaveAs")->trigger();
        QVERIFY(ui.messages.empty());
        QCOMPARE(ui.saveDialogs.size(), std::size_t(1));
        QCOMPARE(ui.saveDialogs[0].defaultSuffix, QStringLiteral("SAVE"));
        QVERIFY(!ui.saveDialogs[0].showReadOnlyBox);
        QCOMPARE(ui.saveDialogs[0].filter,
                 QStringLiteral(
                     "ヴァルゾンセーブファイル(SaveFile*.SAVE) (SaveFile*.SAVE);;全てのファイル(*.*) (*)"));
        QCOMPARE(w.openFilePath(), copy);
        QVERIFY(!w.isReadOnly());
        QVERIFY(!w.isFileChanged());
        QCOMPARE(w.windowTitle(), QStringLiteral("KorvenEdit - ") + QDir::toNativeSeparators(copy) +
                                      QStringLiteral(" [未編集]"));
        QCOMPARE(readFile(path), m_image);
        QByteArray expected = m_image;
        expected[skillOffset()] = char(88);
        QCOMPARE(readFile(copy), expected);
        QVERIFY(LockedFile::open(path, LockMode::Normal));  // the old file is released
        QVERIFY(!LockedFile::open(copy, LockMode::ReadOnly));
        // Saving again goes to the copy.
        setSkill(w, 89);
        QVERIFY(w.files().save());
        QCOMPARE(static_cast<uint8_t>(readFile(copy).at(skillOffset())), uint8_t(89));
    }

    void saveAsCancelled() {
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.files().openFile(path, false));
        setSkill(w, 5);
        w.files().saveAs();
        QVERIFY(ui.messages.empty());
        QCOMPARE(w.openFilePath(), path);
        QVERIFY(w.isFileChanged());
    }

    void saveAsFailureKeepsTheOldFile_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("badText");
        QTest::addColumn<QString>("message");
        const QString writeError = korven::texts::writeError();
        const QString cannotOpen = korven::texts::cannotOpen();
        QTest::newRow("missing folder")
            << "no/such/folder/SaveFile2.SAVE" << false
            << writeError + u"\r\n原因: ファイルまたはフォルダが見つかりません。"_s;
        // A text without a code page 932 form no longer reaches the writer: the store refuses it.
        QTest::newRow("read-only target")
            << "ReadOnly.SAVE" << false << cannotOpen + u"\r\n原因: ファイルが読み取り専用になっています。"_s;
        QTest::newRow("target held by another editor")
            << "Held.SAVE" << false
            << cannotOpen + u"\r\n原因: ほかのプログラムがファイルをロックしています。"_s;
    }
    void saveAsFailureKeepsTheOldFile() {
        QFETCH(QString, target);
        QFETCH(bool, badText);
        QFETCH(QString, message);
        const QString path = saveFile();
        const QString chosen = m_files->filePath(target);
        const QByteArray other("KVSAVE other file");
        std::unique_ptr<LockedFile> holder;
        if (target == u"ReadOnly.SAVE" || target == u"Held.SAVE") {
            QVERIFY(writeFile(chosen, other));
        }
        if (target == u"ReadOnly.SAVE") {
            QVERIFY(QFile::setPermissions(chosen, QFile::ReadOwner));
        }
        if (target == u"Held.SAVE") {
            holder = fixtures::orNull(LockedFile::open(chosen, LockMode::Normal));
            QVERIFY(holder);
        }
        fixtures::ScriptedUi ui;
        ui.saveChoices.push_back(chosen);
        frmMain w;
        QVERIFY(w.files().openFile(path, false));
        if (badText) {
            edit(w, [](SaveFile& file) { file.Base[0].Name.setText(QStringLiteral("\U0001F6A2")); });
        } else {
            setSkill(w, 44);
        }
        w.files().saveAs();
        // A target that cannot be opened for writing gets the open error, any other failure the write error.
        QCOMPARE(ui.messageTexts(), QStringList{message});
        QCOMPARE(ui.messages[0].icon, MessageIcon::Error);
        QCOMPARE(w.openFilePath(), path);
        QVERIFY(w.isFileChanged());
        QVERIFY(w.windowTitle().startsWith(QStringLiteral("KorvenEdit - ") + QDir::toNativeSeparators(path)));
        QVERIFY(!LockedFile::open(path, LockMode::ReadOnly));  // still open and locked
        QCOMPARE(readFile(path), m_image);
        if (QFileInfo::exists(chosen) && target != u"SaveFile2.SAVE") {
            QCOMPARE(readFile(chosen), other);
        } else {
            QVERIFY(!QFileInfo::exists(chosen));
        }
        // The window goes on working with the old file.
        if (!badText) {
            QVERIFY(w.files().save());
            QCOMPARE(static_cast<uint8_t>(readFile(path).at(skillOffset())), uint8_t(44));
        }
    }

    void saveAsSameNameSaves() {
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        ui.saveChoices.push_back(m_files->path() + QStringLiteral("/./SaveFile1.SAVE"));
        frmMain w;
        QVERIFY(w.files().openFile(path, false));
        setSkill(w, 33);
        w.files().saveAs();
        QVERIFY(ui.messages.empty());
        QCOMPARE(w.openFilePath(), path);
        QVERIFY(!w.isFileChanged());
        QCOMPARE(static_cast<uint8_t>(readFile(path).at(skillOffset())), uint8_t(33));
    }

    // ---- Close and unload ----

    void closeWithoutEditAsksNothing() {
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.files().openFile(path, false));
        QVERIFY(w.browser().selectNode(QStringLiteral("Kankei_0_2")));
        action(w, "mnuFileClose")->trigger();
        QVERIFY(ui.messages.empty());
        QVERIFY(w.openFilePath().isEmpty());
        QCOMPARE(w.windowTitle(), QStringLiteral("KorvenEdit"));
        QCOMPARE(child<QLabel>(w, "Panel_2")->text(), mt::noFileLoaded());
        auto* list = child<RecordListView>(w, "ListView");
        QCOMPARE(child<QTreeWidget>(w, "TreeView")->topLevelItemCount(), 0);
        QCOMPARE(list->rowCount(), 0);
        // The columns and the list kind survive for the next file.
        QCOMPARE(list->columnCount(), 7);
        QCOMPARE(w.browser().currentListKind(), std::optional(ListKind::Kankei));
        QVERIFY(action(w, "mnuFileOpen")->isEnabled());
        QVERIFY(!action(w, "mnuFileSave")->isEnabled());
        QVERIFY(!action(w, "mnuFileProperties")->isEnabled());
        QVERIFY(LockedFile::open(path, LockMode::Normal));
    }

    void closeCancelKeepsEverythingAndUnloadIsCancelled() {
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        frmMain w;
        w.show();
        QVERIFY(w.files().openFile(path, false));
        setSkill(w, 9);
        ui.answers = {MessageAnswer::Cancel};
        QVERIFY(!w.files().close());
        QCOMPARE(w.openFilePath(), path);
        QVERIFY(w.isFileChanged());

        ui.answers = {MessageAnswer::Cancel};
        QVERIFY(!w.close());
        QVERIFY(w.isVisible());
        QCOMPARE(ui.messages.size(), std::size_t(2));
        // Written although the unload was cancelled.
        QCOMPARE(stored(QStringLiteral("Position/MainWidth")), QStringLiteral("8000"));
        QCOMPARE(stored(QStringLiteral("Other/Version")), program::settingsVersion());

        ui.answers = {MessageAnswer::No};
        action(w, "mnuFileExit")->trigger();
        QVERIFY(!w.isVisible());
        QCOMPARE(readFile(path), m_image);
    }

    void unloadSavesOnYes() {
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        frmMain w;
        w.show();
        QVERIFY(w.files().openFile(path, false));
        setSkill(w, 21);
        ui.answers = {MessageAnswer::Yes};
        QVERIFY(w.close());
        QCOMPARE(static_cast<uint8_t>(readFile(path).at(skillOffset())), uint8_t(21));
    }

    void ctrlCClosesTheFile_data() {
        QTest::addColumn<QString>("focus");
        QTest::newRow("list") << "ListView";
        QTest::newRow("tree") << "TreeView";
    }
    void ctrlCClosesTheFile() {
        QFETCH(QString, focus);
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        frmMain w;
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QVERIFY(w.files().openFile(path, false));
        QVERIFY(w.browser().selectNode(QStringLiteral("Kokan_0_4")));
        auto* list = child<RecordListView>(w, "ListView");
        setCurrentRow(list, 0);
        QWidget* target = w.findChild<QWidget*>(focus);
        target->setFocus();
        QTest::keyClick(target, Qt::Key_C, Qt::ControlModifier);
        QVERIFY(w.openFilePath().isEmpty());
    }

    // Another program changed the file: the question about it comes first, then the review
    // shows what the save does to the file on disk, the undoing of that change included.
    void reviewComesAfterTheDiskCheck() {
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.files().openFile(path, false));
        action(w, "mnuEditReviewBeforeSave")->trigger();
        setSkill(w, 71);
        if (!putOnDisk(path, u"renamed over"_s)) {
            QSKIP(fixtures::kReplaceRefused);
        }
        ui.answers = {MessageAnswer::Yes};
        QStringList rows;
        QString summary;
        readChangesThenPress(&rows, &summary, "cmdCancel");
        QVERIFY(!w.files().save());
        QCOMPARE(ui.messages.size(), std::size_t(1));
        QCOMPARE(ui.messages[0].buttons, MessageButtons::YesNoCancel);
        QCOMPARE(rows.size(), 2);
        QVERIFY2(rows[1].endsWith(u"|99|%1|AircrewSkill[0][1]"_s.arg(uint8_t(m_image[skillOffset() + 1]))),
                 qPrintable(rows.join(u'\n')));
        QCOMPARE(readFile(path), newerOnDisk());
        QVERIFY(w.isFileChanged());
        action(w, "mnuEditReviewBeforeSave")->trigger();
    }

    void compareWithAnotherSave() {
        const QString path = saveFile();
        QByteArray otherImage = m_image;
        otherImage[skillOffset() + 3] = char(42);  // 日本陸軍, second value
        const QString other = m_files->filePath(u"SaveFile2.SAVE"_s);
        QVERIFY(writeFile(other, otherImage));
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.files().openFile(path, false));
        setSkill(w, 70);
        ui.openChoices = {OpenFileChoice{other, false}};
        QStringList rows;
        QString summary;
        readChangesThenPress(&rows, &summary, "cmdClose");
        action(w, "mnuFileCompare")->trigger();
        QCOMPARE(summary, mt::differenceCount(2));
        QCOMPARE(rows,
                 (QStringList{u"搭乗員練度|日本海軍|搭乗員練度（戦闘機）|70|%1|AircrewSkill[0][0]"_s.arg(
                                  uint8_t(m_image[skillOffset()])),
                              u"搭乗員練度|日本陸軍|搭乗員練度（爆撃機）|%1|42|AircrewSkill[1][1]"_s.arg(
                                  uint8_t(m_image[skillOffset() + 3]))}));
        // Read only: the other file is as it was and free, and the open file unchanged.
        QCOMPARE(readFile(other), otherImage);
        QVERIFY(LockedFile::open(other, LockMode::Normal));
        QCOMPARE(w.saveFile()->AircrewSkill[0][0], uint8_t(70));
        QCOMPARE(w.document().history().count(), 1);
        // The open file itself compares with its state on disk.
        ui.openChoices = {OpenFileChoice{path, false}};
        rows.clear();
        readChangesThenPress(&rows, &summary, "cmdClose");
        action(w, "mnuFileCompare")->trigger();
        QCOMPARE(rows.size(), 1);
        // A file that is no save: the usual message, and no view.
        QVERIFY(writeFile(other, "KVS"));
        ui.openChoices = {OpenFileChoice{other, false}};
        ui.clear();
        action(w, "mnuFileCompare")->trigger();
        QCOMPARE(ui.messageTexts(), QStringList{korven::texts::notASaveFile()});
        QVERIFY(!qApp->activeModalWidget());
    }

    // At its default size the comparison shows every column, the other file's value included,
    // unless it is already as wide as the screen lets it be.
    void compareShowsEveryColumn() {
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.files().openFile(path, false));
        setFields(w, {{u"AircraftType[1].Name"_s, u"試製長距離艦上戦闘機改二"_s}});
        ui.openChoices = {OpenFileChoice{path, false}};
        QStringList cut;
        int width = 0;
        int widest = 0;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = qApp->activeModalWidget();
            auto* list = dialog->findChild<QTreeWidget*>(QStringLiteral("lstChanges"));
            QCOMPARE(list->topLevelItemCount(), 1);
            for (int c = 0; c < list->columnCount(); ++c) {
                if (list->header()->sectionViewportPosition(c) + list->header()->sectionSize(c) >
                    list->viewport()->width()) {
                    cut.append(list->headerItem()->text(c));
                }
            }
            width = dialog->width();
            widest = dialog->screen()->availableGeometry().width() * 9 / 10;
            dialog->close();
        });
        action(w, "mnuFileCompare")->trigger();
        QVERIFY2(cut.isEmpty() || width >= widest, qPrintable(cut.join(u',')));
    }

    // ---- The saves list ----

    // The game folder's saves: F5 shows the folder as it is now, a double-click opens a save
    // after the usual question, and two selected are compared as they are on disk.
    void savesListRefreshesOpensAndCompares() {
        const QString first = saveFile();
        QByteArray otherImage = m_image;
        otherImage[skillOffset() + 3] = char(42);  // 日本陸軍, second value
        const QString second = m_files->filePath(u"SaveFile2.SAVE"_s);
        QVERIFY(writeFile(second, otherImage));
        store(u"Option/GamePath"_s, m_files->path());
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.files().openFile(first, false));
        setSkill(w, 70);

        QStringList shown;
        onModal("frmSaves", [&](QWidget* dialog) {
            auto* list = dialog->findChild<QTreeView*>(u"lstSaves"_s);
            const QAbstractItemModel* rows = list->model();
            auto* status = dialog->findChild<QLabel*>(u"lblSavesStatus"_s);
            QTRY_COMPARE(status->text(), mt::savesListed(2));
            QCOMPARE(rows->rowCount(), 2);
            QVERIFY(writeFile(m_files->filePath(u"SaveFile3.SAVE"_s), m_image));
            // F5 is a shortcut of the window in front.
            dialog->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(dialog));
            QTest::keyClick(list, Qt::Key_F5);
            QTRY_COMPARE(status->text(), mt::savesListed(3));
            for (int i = 0; i < rows->rowCount(); ++i) {
                shown.append(rows->index(i, 0).data().toString() + u'|' +
                             rows->index(i, 1).data().toString());
            }
            emit list->doubleClicked(rows->index(1, 0));
        });
        ui.answers = {MessageAnswer::No};
        action(w, "mnuFileSaves")->trigger();
        const QString name = fixtures::SaveImageOptions().saveName;
        QCOMPARE(shown, (QStringList{u"SaveFile1.SAVE|"_s + name, u"SaveFile2.SAVE|"_s + name,
                                     u"SaveFile3.SAVE|"_s + name}));
        QCOMPARE(ui.messageTexts(), QStringList{mt::saveQuestion(first)});
        QCOMPARE(w.openFilePath(), second);
        QCOMPARE(readFile(first), m_image);

        QStringList rows;
        QString summary;
        onModal("frmSaves", [&](QWidget* dialog) {
            auto* list = dialog->findChild<QTreeView*>(u"lstSaves"_s);
            QTRY_COMPARE(list->model()->rowCount(), 3);
            for (int row : {0, 1}) {
                list->selectionModel()->select(list->model()->index(row, 0),
                                               QItemSelectionModel::Select | QItemSelectionModel::Rows);
            }
            onModal("frmChanges", [&](QWidget*) { readChangesThenPress(&rows, &summary, "cmdClose"); });
            dialog->findChild<QPushButton*>(u"cmdCompare"_s)->click();
        });
        action(w, "mnuFileSaves")->trigger();
        QCOMPARE(rows, QStringList{u"搭乗員練度|日本陸軍|搭乗員練度（爆撃機）|%1|42|AircrewSkill[1][1]"_s.arg(
                           uint8_t(m_image[skillOffset() + 3]))});
        QVERIFY(!qApp->activeModalWidget());
    }

    // The heading names the game folder as the system writes paths, as a player types them.
    void savesListHeadingUsesTheSystemsSeparators() {
        store(u"Option/GamePath"_s, m_files->path());
        fixtures::ScriptedUi ui;
        frmMain w;
        QString heading;
        onModal("frmSaves", [&](QWidget* dialog) {
            heading = dialog->findChild<QLabel*>(u"lblSaves"_s)->text();
            qobject_cast<QDialog*>(dialog)->reject();
        });
        action(w, "mnuFileSaves")->trigger();
#ifdef Q_OS_WIN
        QVERIFY2(heading.contains(QString(m_files->path()).replace(u'/', u'\\')), qPrintable(heading));
#else
        QVERIFY2(heading.contains(m_files->path()), qPrintable(heading));
#endif
    }

private:
    // Runs `act` once the modal window named `name` is in front.
    static void onModal(const char* name, const std::function<void(QWidget*)>& act) {
        QTimer::singleShot(0, [name, act] {
            QWidget* front = qApp->activeModalWidget();
            if (front == nullptr || front->objectName() != QLatin1String(name)) {
                onModal(name, act);
                return;
            }
            act(front);
            closeModalsIfFailed();
        });
    }
};

QTEST_MAIN(TestFileCommands)
#include "test_file_commands.moc"
