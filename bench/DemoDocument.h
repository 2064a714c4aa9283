#pragma once

#include "document/OpenDocument.h"
#include "tests/support/SaveImageBuilder.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

namespace korven::bench {

// The demo save written into `dir` and opened for editing, its backups kept beside it; null
// after saying why on standard error.
inline std::unique_ptr<OpenDocument> OpenDemoDocument(const QTemporaryDir& dir, StatusSink& status,
                                                      MessageSink& messages) {
    const QString path = dir.filePath(QStringLiteral("SaveFile1.SAVE"));
    QFile file(path);
    if (!dir.isValid() || !file.open(QIODevice::WriteOnly) ||
        file.write(fixtures::SaveImageBuilder().build()) < 0) {
        std::fputs("cannot write the benchmark save\n", stderr);
        return nullptr;
    }
    file.close();
    auto document = std::make_unique<OpenDocument>(status, messages, dir.filePath(QStringLiteral("backups")));
    if (document->open(path, false) != DocumentOpen::Opened) {
        std::fputs("cannot open the benchmark save\n", stderr);
        return nullptr;
    }
    return document;
}

}  // namespace korven::bench
