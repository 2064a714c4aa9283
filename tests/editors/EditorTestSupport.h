#pragma once

#include "catalogue/ReferenceTables.h"
#include "editors/EditSession.h"
#include "editors/ModuleMain.h"
#include "model/SaveFileLoader.h"
#include "tests/support/Recorders.h"
#include "tests/support/SaveImageBuilder.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QImage>
#include <QTest>
#include <QWidget>

#include <functional>
#include <memory>

// What the ship and aircraft editor tests share: a loaded realistic save, a session over it
// that counts file-changed calls, and small drivers.
namespace korven::testing {

struct LoadedSession {
    std::unique_ptr<SaveFile> file = std::make_unique<SaveFile>();
    int fileChanges = 0;
    EditSession session{*file, [this] { ++fileChanges; }, {}, {}, {}, {}};

    // `patch` changes the built image before it is loaded.
    explicit LoadedSession(const std::function<void(QByteArray&)>& patch = {}) {
        catalogue::FillReferenceTables();
        ResetEditingColours();
        fixtures::RecordingStatus status;
        fixtures::RecordingMessages messages;
        QByteArray image = fixtures::SaveImageBuilder().build();
        if (patch) {
            patch(image);
        }
        if (LoadSaveFile(image, *file, status, messages) != 0) {
            qFatal("the fixture save did not load");
        }
    }
    LoadedSession(const LoadedSession&) = delete;
    LoadedSession& operator=(const LoadedSession&) = delete;
};

template <typename T = QWidget>
T* control(const QWidget& dialog, const QString& name) {
    T* found = dialog.findChild<T*>(name);
    if (found == nullptr) {
        qFatal("no control %s", qPrintable(name));
    }
    return found;
}

inline uint32_t backColor(const QWidget* w) {
    return w->property(kBackColorProperty).toUInt();
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

// A small picture as the game folder would hold it.
inline bool writeBmp(const QString& path, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    return image.save(path, "BMP");
}

}  // namespace korven::testing
