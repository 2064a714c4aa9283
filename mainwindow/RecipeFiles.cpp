#include "mainwindow/RecipeFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace korven::mainwindow {
namespace {

constexpr qsizetype kTitleSearch = 4096;

// The first comment's text, as the recipe engine takes its title, from the file's first lines.
QString titleOf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QByteArray head = file.read(kTitleSearch);
    if (head.startsWith("\xEF\xBB\xBF")) {
        head.remove(0, 3);
    }
    for (const QByteArray& line : head.split('\n')) {
        const QByteArray trimmed = line.trimmed();
        if (trimmed.startsWith('#')) {
            return QString::fromUtf8(trimmed.mid(1)).trimmed();
        }
    }
    return {};
}

}  // namespace

std::vector<RecipeEntry> RecipesIn(const QString& folder) {
    std::vector<RecipeEntry> entries;
    if (folder.isEmpty()) {
        return entries;
    }
    const QFileInfoList files =
        QDir(folder).entryInfoList({QStringLiteral("*.txt")}, QDir::Files | QDir::Readable, QDir::Name);
    for (const QFileInfo& file : files) {
        QString title = titleOf(file.filePath());
        entries.push_back({title.isEmpty() ? file.completeBaseName() : std::move(title), file.filePath()});
    }
    return entries;
}

std::vector<RecipeEntry> RecipeMenuEntries(const QStringList& folders) {
    std::vector<RecipeEntry> entries;
    QStringList seen;
    for (const QString& folder : folders) {
        const QString canonical = QFileInfo(folder).canonicalFilePath();
        if (canonical.isEmpty() || seen.contains(canonical)) {
            continue;
        }
        seen.append(canonical);
        for (RecipeEntry& entry : RecipesIn(folder)) {
            entries.push_back(std::move(entry));
        }
    }
    return entries;
}

QStringList BundledRecipeFolders() {
    const QString program = QCoreApplication::applicationDirPath();
    return {program + QStringLiteral("/recipes"),
            QDir::cleanPath(program + QStringLiteral("/../share/korvenedit/recipes"))};
}

QString BundledRecipeFolder() {
    for (const QString& folder : BundledRecipeFolders()) {
        if (QFileInfo(folder).isDir()) {
            return folder;
        }
    }
    return {};
}

bool LooksLikeRecipe(const QString& path) {
    const QFileInfo info(path);
    if (info.suffix().compare(QStringLiteral("txt"), Qt::CaseInsensitive) == 0) {
        return true;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    QByteArray head = file.read(3);
    return head.startsWith('#') || (head == "\xEF\xBB\xBF" && file.read(1) == "#");
}

std::optional<QString> WriteRecipeFile(const QString& path, const QString& text) {
    QSaveFile file(path);
    const QByteArray bytes = text.toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        return file.errorString();
    }
    return std::nullopt;
}

}  // namespace korven::mainwindow
