#include "mainwindow/HelpTopics.h"

#include <array>
#include <utility>

namespace korven::mainwindow {

QString HelpTopicFor(const QString& windowName) {
    static const std::array<std::pair<const char*, const char*>, 11> topics = {{
        {"frmMain", "window"},
        {"frmShip", "ship"},
        {"frmAir", "air"},
        {"frmBase", "base"},
        {"FileProperties", "properties"},
        {"frmKagaku", "science"},
        {"frmToujouRen", "aircrew"},
        {"frmOptions", "options"},
        {"frmSaves", "saves"},
        {"frmBatchEdit", "batch"},
        {"frmRecipe", "recipes"},
    }};
    for (const auto& [window, topic] : topics) {
        if (windowName == QLatin1String(window)) {
            return QString::fromLatin1(topic);
        }
    }
    return {};
}

}  // namespace korven::mainwindow
