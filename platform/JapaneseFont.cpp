#include "platform/JapaneseFont.h"

#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>

namespace korven {

QString ChooseJapaneseFamily(const QStringList& installed,
                             const std::function<bool(const QString&)>& holdsJapanese) {
    // Gothic faces made for screens, as the game's own windows use.
    static const QStringList preferred = {
        QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans JP"), QStringLiteral("IPAPGothic"),
        QStringLiteral("IPAGothic"),        QStringLiteral("VL PGothic"),   QStringLiteral("TakaoPGothic"),
        QStringLiteral("Meiryo UI"),        QStringLiteral("Yu Gothic UI"), QStringLiteral("MS UI Gothic"),
    };
    for (const QString& family : preferred) {
        if (installed.contains(family, Qt::CaseInsensitive) && holdsJapanese(family)) {
            return family;
        }
    }
    for (const QString& family : installed) {
        if (holdsJapanese(family)) {
            return family;
        }
    }
    return {};
}

void UseJapaneseApplicationFont() {
    // Asking for the families of one writing system loads every installed family; under Wine
    // that took seconds of the start-up. One family at a time loads only those asked about.
    const auto holdsJapanese = [](const QString& family) {
        return QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese);
    };
    QFont font = QGuiApplication::font();
    if (holdsJapanese(font.family())) {
        return;
    }
    const QString family = ChooseJapaneseFamily(QFontDatabase::families(), holdsJapanese);
    if (family.isEmpty()) {
        return;  // the fallback search still finds what it can
    }
    font.setFamilies({family});
    QGuiApplication::setFont(font);
}

}  // namespace korven
