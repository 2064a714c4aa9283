#include "platform/JapaneseFont.h"

#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>

namespace korven {

QString ChooseJapaneseFamily(const QStringList& installedJapanese) {
    // Gothic faces made for screens, as the game's own windows use.
    static const QStringList preferred = {
        QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans JP"), QStringLiteral("IPAPGothic"),
        QStringLiteral("IPAGothic"),        QStringLiteral("VL PGothic"),   QStringLiteral("TakaoPGothic"),
        QStringLiteral("Meiryo UI"),        QStringLiteral("Yu Gothic UI"), QStringLiteral("MS UI Gothic"),
    };
    for (const QString& family : preferred) {
        if (installedJapanese.contains(family, Qt::CaseInsensitive)) {
            return family;
        }
    }
    return installedJapanese.value(0);
}

void UseJapaneseApplicationFont() {
    QFont font = QGuiApplication::font();
    if (QFontDatabase::writingSystems(font.family()).contains(QFontDatabase::Japanese)) {
        return;
    }
    const QString family = ChooseJapaneseFamily(QFontDatabase::families(QFontDatabase::Japanese));
    if (family.isEmpty()) {
        return;  // the fallback search still finds what it can
    }
    font.setFamilies({family});
    QGuiApplication::setFont(font);
}

}  // namespace korven
