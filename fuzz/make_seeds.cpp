// Writes the seed corpus of the loader fuzzer: the demo save and its variants.
#include "tests/support/SaveImageBuilder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

using korven::fixtures::SaveImageBuilder;
using korven::fixtures::SaveImageOptions;

namespace {

bool write(const QString& folder, const QString& name, const QByteArray& bytes) {
    QFile file(QDir(folder).filePath(name));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString folder = QCoreApplication::arguments().value(1);
    if (folder.isEmpty() || !QDir().mkpath(folder)) {
        return 2;
    }
    const QByteArray demo = SaveImageBuilder().build();
    SaveImageOptions noName;
    noName.saveName.clear();
    SaveImageOptions firstBase;
    firstBase.lastBaseIndex = 0;
    SaveImageOptions noLastBase;
    noLastBase.lastBaseIndex = -1;
    const SaveImageBuilder early{SaveImageOptions{}};
    bool ok = write(folder, QStringLiteral("demo"), demo) &&
              write(folder, QStringLiteral("no-name"), SaveImageBuilder(noName).build()) &&
              write(folder, QStringLiteral("first-base"), SaveImageBuilder(firstBase).build()) &&
              write(folder, QStringLiteral("no-last-base"), SaveImageBuilder(noLastBase).build()) &&
              write(folder, QStringLiteral("truncated-ships"), demo.left(early.shipOffset(600))) &&
              write(folder, QStringLiteral("header"), demo.left(early.aircraftTypeOffset(0) + 40));
    return ok ? 0 : 1;
}
