#pragma once

#include "model/SaveFile.h"
#include "model/SaveFileLoader.h"
#include "tests/support/Recorders.h"
#include "tests/support/SaveImageBuilder.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <memory>

// Small helpers shared by the command-line tool's tests.
namespace korven::fixtures {

inline std::unique_ptr<SaveFile> loadModel(const QByteArray& image) {
    auto model = std::make_unique<SaveFile>();
    RecordingStatus status;
    RecordingMessages messages;
    if (!LoadSaveFile(image, *model, status, messages)) {
        qFatal("the fixture image does not load");
    }
    return model;
}

inline QString writeFile(const QDir& dir, const QString& name, const QByteArray& contents) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size()) {
        qFatal("cannot write a fixture file");
    }
    return path;
}

// The image with every copy of the anchor key overwritten (the demo names repeat it).
inline QByteArray withoutAnchor(QByteArray image) {
    const QByteArray key = *cp932::encode(QStringLiteral("９６式艦上戦闘機"));
    for (qsizetype at = image.indexOf(key); at >= 0; at = image.indexOf(key, at)) {
        image.replace(at, key.size(), QByteArray(key.size(), 'x'));
    }
    return image;
}

inline QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace korven::fixtures
