#pragma once

#include "catalogue/ReferenceTables.h"
#include "editors/Colours.h"
#include "editors/EditSession.h"
#include "editors/ModuleMain.h"
#include "model/OpenSaveFile.h"
#include "model/SaveFileLoader.h"
#include "model/SaveFileWriter.h"
#include "tests/support/Recorders.h"
#include "tests/support/SaveImageBuilder.h"

#include <QApplication>
#include <QColor>
#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QFocusEvent>
#include <QImage>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

// What the edit-dialog tests share: sessions over a realistic save or over a copy of the demo
// save, controls found by their object names, change marks, and small drivers.
namespace korven::testing {

// A loaded realistic save and a session over it that counts file-changed calls.
struct LoadedSession {
    std::unique_ptr<SaveFile> file = std::make_unique<SaveFile>();
    int fileChanges = 0;
    EditSession session{*file, [this] { ++fileChanges; }, {}, {}, {}, {}};

    // `patch` changes the built image before it is loaded.
    explicit LoadedSession(const std::function<void(QByteArray&)>& patch = {}) {
        catalogue::FillReferenceTables();
        fixtures::RecordingStatus status;
        fixtures::RecordingMessages messages;
        QByteArray image = fixtures::SaveImageBuilder().build();
        if (patch) {
            patch(image);
        }
        if (!LoadSaveFile(image, *file, status, messages)) {
            qFatal("the fixture save did not load");
        }
    }
    LoadedSession(const LoadedSession&) = delete;
    LoadedSession& operator=(const LoadedSession&) = delete;
};

// The demo save copied into a temporary folder twice: "original.SAVE" to compare with, and
// "SaveFile1.SAVE" opened for writing, with a session over it that counts file-changed calls.
struct OpenedDemoSave {
    QTemporaryDir dir;
    QString original = dir.filePath(QStringLiteral("original.SAVE"));
    QString copy = dir.filePath(QStringLiteral("SaveFile1.SAVE"));
    std::unique_ptr<SaveFile> file = std::make_unique<SaveFile>();
    fixtures::RecordingStatus status;
    fixtures::RecordingMessages messages;
    OpenedSaveFile opened;
    int fileChanges = 0;
    EditSession session{*file, [this] { ++fileChanges; }, {}, {}, {}, copy};

    // Check opened.outcome: Opened unless the copies could not be made.
    explicit OpenedDemoSave(const QString& demoSave) {
        catalogue::FillReferenceTables();
        if (!QFile::copy(demoSave, original) || !QFile::copy(demoSave, copy)) {
            return;
        }
        // A copy keeps the permissions of a read-only checkout.
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
        opened = OpenSaveFile(copy, LockMode::Normal, *file, status, messages);
    }
    OpenedDemoSave(const OpenedDemoSave&) = delete;
    OpenedDemoSave& operator=(const OpenedDemoSave&) = delete;

    // Writes the model over the copy and closes it, so that other programs may open it.
    bool save() {
        const bool written = WriteSaveFile(*file, *opened.handle, status, messages).ok();
        opened.handle.reset();
        return written;
    }
};

inline QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The command-line tool beside the test programs, else `candidate`; empty when neither is built.
inline QString cliTool(const QString& candidate = {}) {
    for (const QString& path :
         {QCoreApplication::applicationDirPath() + QStringLiteral("/korvenedit-cli"), candidate}) {
        if (!path.isEmpty() && QFileInfo(path).isExecutable()) {
            return path;
        }
    }
    return {};
}

// The lines `korvenedit-cli diff before after` prints; nothing when the tool did not finish.
inline std::optional<QStringList> cliDiff(const QString& tool, const QString& before, const QString& after) {
    QProcess diff;
    diff.start(tool, {QStringLiteral("diff"), before, after});
    if (!diff.waitForFinished(60000)) {
        return std::nullopt;
    }
    return QString::fromUtf8(diff.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

// A control of the dialog by its object name: nullptr when it has none (findControl), or the
// end of the test program (control and the shorthands).
template <typename T = QWidget>
T* findControl(const QWidget& dialog, const QString& name) {
    return dialog.findChild<T*>(name);
}
template <typename T = QWidget>
T* findControl(const QWidget& dialog, const char* name) {
    return findControl<T>(dialog, QString::fromLatin1(name));
}
template <typename T = QWidget>
T* control(const QWidget& dialog, const QString& name) {
    T* found = findControl<T>(dialog, name);
    if (found == nullptr) {
        qFatal("no control %s", qPrintable(name));
    }
    return found;
}
template <typename T = QWidget>
T* control(const QWidget& dialog, const char* name) {
    return control<T>(dialog, QString::fromLatin1(name));
}
inline QLineEdit* box(const QWidget& dialog, const QString& name) {
    return control<QLineEdit>(dialog, name);
}
inline QLineEdit* box(const QWidget& dialog, const char* name) {
    return control<QLineEdit>(dialog, name);
}
inline QPushButton* button(const QWidget& dialog, const char* name) {
    return control<QPushButton>(dialog, name);
}

// The background the change marking painted, and whether it marks a change.
inline uint32_t backColor(const QWidget* w) {
    return w->property(kBackColorProperty).toUInt();
}
inline bool marked(const QWidget* w) {
    return backColor(w) == colours::kPureGreen;
}

// Shows the dialog active with the focus in `focused`, without passing through another box.
inline bool openWithFocus(QDialog& dialog, QWidget* focused) {
    focused->setFocus();
    dialog.show();
    return QTest::qWaitForWindowActive(&dialog) && QApplication::focusWidget() == focused;
}

// The user tabs away from the box.
inline void leave(QWidget* box) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(box, &out);
}

// Types text key by key; unlike QTest::keyClicks it takes any character.
inline void typeText(QWidget* box, const QString& text) {
    for (const QChar ch : text) {
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
}

// Selects the box's text, deletes it and types `text`.
inline void retype(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

// A picture as the game folder would hold it, in one colour the test can recognise again.
inline bool writeBmp(const QString& path, QSize size, QColor colour = Qt::darkCyan) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image.save(path, "BMP");
}

// Aircraft records for the slot lists: no record has a kind until `defineAircraft` gives it one.
inline void clearAircraftKinds(SaveFile& file) {
    for (AircraftTypeRecord& type : file.AircraftType) {
        type.Kind = {0, 255, 0, 0};
    }
}
inline void defineAircraft(SaveFile& file, int index, const char* name, uint8_t nation, uint8_t kind) {
    AircraftTypeRecord& type = file.AircraftType[static_cast<std::size_t>(index)];
    type.ShortName.setText(QString::fromUtf8(name));
    type.Kind = {nation, kind, 0, 0};
}

}  // namespace korven::testing
