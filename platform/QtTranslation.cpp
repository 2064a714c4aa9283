#include "platform/QtTranslation.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace korven {
namespace {

constexpr char kFileName[] = "qtbase_ja.qm";

}  // namespace

QStringList QtTranslationFolders() {
    return {QCoreApplication::applicationDirPath() + QStringLiteral("/translations"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
}

QString InstallQtTranslation(const QStringList& folders) {
    QCoreApplication* app = QCoreApplication::instance();
    for (const QString& folder : folders) {
        // The application owns the translator, so Qt's texts stay translated until it ends.
        auto* translator = new QTranslator(app);
        if (translator->load(QString::fromLatin1(kFileName), folder) &&
            QCoreApplication::installTranslator(translator)) {
            return QDir(folder).filePath(QString::fromLatin1(kFileName));
        }
        delete translator;
    }
    return {};
}

void UseJapaneseLocale() {
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
}

}  // namespace korven
