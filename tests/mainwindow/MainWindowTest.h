#pragma once

// What the main window's tests share: finding controls, reading lists, and a fixture with
// isolated settings, a scratch folder and the demo save.
#include "catalogue/ReferenceTables.h"
#include "document/DocumentTexts.h"
#include "editors/ModuleMain.h"
#include "mainwindow/HelpDesk.h"
#include "mainwindow/HelpWindow.h"
#include "mainwindow/MainWindowTexts.h"
#include "mainwindow/RecordList.h"
#include "mainwindow/RecordRows.h"
#include "mainwindow/RecordTableModel.h"
#include "mainwindow/frmMain.h"
#include "model/ChangeSet.h"
#include "model/ModelTexts.h"
#include "platform/Backups.h"
#include "platform/LockedFile.h"
#include "platform/ProgramInfo.h"
#include "preferences/PreferenceDialogs.h"
#include "tests/support/FileContents.h"
#include "tests/support/IsolatedSettings.h"
#include "tests/support/OtherProgram.h"
#include "tests/support/SaveImageBuilder.h"
#include "tests/support/ScriptedUi.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QUndoStack>
#include <QUndoView>

#ifndef Q_OS_WIN
#include <sys/resource.h>
#include <csignal>
#endif
#include <functional>
#include <memory>

using namespace korven;
using namespace korven::mainwindow;
namespace mt = korven::mainwindow::texts;

Q_DECLARE_METATYPE(MessageIcon)

using namespace Qt::StringLiterals;

namespace {

template <typename T = QWidget>
T* child(const QObject& parent, const char* name) {
    return parent.findChild<T*>(QString::fromLatin1(name));
}

inline QAction* action(const frmMain& w, const char* name) {
    return child<QAction>(w, name);
}

using fixtures::readFile;
using fixtures::writeFile;

inline QStringList headerCaptions(const RecordListView* list) {
    QStringList result;
    for (int i = 0; i < list->columnCount(); ++i) {
        result.append(list->model()->headerData(i, Qt::Horizontal).toString());
    }
    return result;
}

inline QStringList column(const RecordListView* list, int c) {
    QStringList result;
    for (int i = 0; i < list->rowCount(); ++i) {
        result.append(list->cellText(i, c));
    }
    return result;
}

// Makes `row` current, as a click on it does.
inline void setCurrentRow(RecordListView* list, int row) {
    list->setCurrentIndex(list->model()->index(row, 0));
}

// The rows whose first column reads `text`.
inline QList<int> rowsNamed(const RecordListView* list, const QString& text) {
    QList<int> rows;
    for (int i = 0; i < list->rowCount(); ++i) {
        if (list->cellText(i, 0) == text) {
            rows.append(i);
        }
    }
    return rows;
}

inline void clickHeader(QTreeView* list, int section) {
    QHeaderView* header = list->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
                             header->height() / 2));
}

struct OpenerLog {
    QStringList keys;
    QStringList itemTexts;
    QStringList openPaths;
    QStringList gamePaths;
    int properties = 0;
    int options = 0;
    int about = 0;
};

}  // namespace

class MainWindowTest : public QObject {
protected:
    std::unique_ptr<QTemporaryDir> m_settingsDir;
    std::unique_ptr<QTemporaryDir> m_files;
    fixtures::SaveImageBuilder m_builder;
    QByteArray m_image;

    QString settingsFile() const {
        return m_settingsDir->filePath(QStringLiteral("KorvenEdit/KorvenEdit.ini"));
    }
    QString stored(const QString& key) const {
        return QSettings(settingsFile(), QSettings::IniFormat).value(key).toString();
    }
    void store(const QString& key, const QString& value) {
        QSettings settings(settingsFile(), QSettings::IniFormat);
        settings.setValue(key, value);
    }
    QString saveFile(const QString& name = QStringLiteral("SaveFile1.SAVE")) {
        const QString path = m_files->filePath(name);
        if (!writeFile(path, m_image)) {
            qFatal("cannot write the test save");
        }
        return path;
    }
    qint64 skillOffset() const { return m_builder.aircrewSkillOffset(); }

    // Sets fields of the open model through the document, as any edit does.
    static void setFields(frmMain& w, const std::vector<std::pair<QString, QJsonValue>>& values) {
        ChangeSet set{QStringLiteral("テスト"), {}};
        for (const auto& [path, value] : values) {
            set.changes.push_back(*ChangeTo(*w.saveFile(), path, value));
        }
        QCOMPARE(w.document().apply(std::move(set)), DocumentEdit::Applied);
    }

    // Changes the model the way an editor's store does, through the list's dispatch point.
    static void edit(frmMain& w, const std::function<void(SaveFile&)>& change) {
        w.setDialogOpeners({.record = [change](const RecordKey&, EditSession& session, QWidget*) {
            change(session.file);
            session.commit();
            return true;
        }});
        QVERIFY(w.browser().selectNode(QStringLiteral("ToujouRenAll")));
        auto* list = child<RecordListView>(w, "ListView");
        setCurrentRow(list, 0);
        w.openSelectedRecord();
        QVERIFY(w.isFileChanged());
    }
    static void setSkill(frmMain& w, uint8_t value) {
        edit(w, [value](SaveFile& file) { file.AircrewSkill[0][0] = value; });
    }

    // A failed check in a dialog's callback returns before the dialog is closed, and its exec()
    // would wait for ever; closing what is still modal turns that hang into the failure.
    static void closeModalsIfFailed() {
        if (!QTest::currentTestFailed()) {
            return;
        }
        while (QWidget* modal = qApp->activeModalWidget()) {
            modal->hide();
        }
    }

    // The rows of the change view the next modal dialog shows, and closes it with `button`.
    static void readChangesThenPress(QStringList* rows, QString* summary, const char* button) {
        QTimer::singleShot(0, [=] {
            readChanges(rows, summary, button);
            closeModalsIfFailed();
        });
    }
    static void readChanges(QStringList* rows, QString* summary, const char* button) {
        QWidget* dialog = qApp->activeModalWidget();
        QVERIFY(dialog);
        QCOMPARE(dialog->objectName(), QStringLiteral("frmChanges"));
        auto* list = dialog->findChild<QTreeWidget*>(QStringLiteral("lstChanges"));
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            QStringList cells;
            for (int c = 0; c < list->columnCount(); ++c) {
                cells.append(list->topLevelItem(i)->text(c));
            }
            rows->append(cells.join(u'|'));
        }
        *summary = dialog->findChild<QLabel*>(QStringLiteral("lblSummary"))->text();
        dialog->findChild<QPushButton*>(QString::fromLatin1(button))->click();
    }

    void prepareOnce() { m_image = m_builder.build(); }

    void prepare() {
        m_settingsDir = std::make_unique<QTemporaryDir>();
        m_files = std::make_unique<QTemporaryDir>();
        korven::fixtures::IsolateSettings(m_settingsDir->path());
        // Backups go to the program's data folder; keep them with this test's files.
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_settingsDir->filePath(QStringLiteral("data"))));
    }
};
