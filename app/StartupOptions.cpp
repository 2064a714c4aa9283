#include "app/StartupOptions.h"

#include <QFileInfo>

namespace korven::startup {

StartupOptions ParseStartupOptions(const QStringList& arguments) {
    if (arguments.isEmpty()) {
        return {};
    }
    const QString& first = arguments.first();
    if (first == u"--") {
        return {StartupAction::OpenWindow, arguments.mid(1), {}};
    }
    if (first == u"-h" || first == u"--help") {
        return {StartupAction::ShowHelp, {}, {}};
    }
    if (first == u"--version") {
        return {StartupAction::ShowVersion, {}, {}};
    }
    // A lone "-" is conventionally an operand, never an option.
    if (first.startsWith(u'-') && first != u"-") {
        return {StartupAction::UsageError, {}, first};
    }
    return {StartupAction::OpenWindow, arguments, {}};
}

const QList<EditorOption>& EditorOptions() {
    static const QList<EditorOption> options = {
        {QStringLiteral("-h, --help"), QStringLiteral("この説明を表示する (show this help)")},
        {QStringLiteral("--version"), QStringLiteral("版を表示する (show the version)")},
        {QStringLiteral("--"),
         QStringLiteral("以降をパスとして扱う (what follows is the path, even if it starts with -)")},
    };
    return options;
}

QString usage() {
    QString text = QStringLiteral(
        "使い方 (usage):\n"
        "  korvenedit [FILE]\n"
        "  korvenedit -- FILE\n"
        "FILE を開いてエディタを起動します。FILE はパス一つで、空白を含んでもかまいません。\n"
        "(starts the editor and opens FILE, one path that may contain spaces)\n"
        "オプション (options):\n");
    for (const EditorOption& option : EditorOptions()) {
        text += QStringLiteral("  ") + option.synopsis.leftJustified(10) + QStringLiteral("  ") +
                option.description + u'\n';
    }
    return text;
}

QString versionLine() {
    return QStringLiteral("korvenedit %1.%2.%3\n")
        .arg(KORVEN_VERSION_MAJOR)
        .arg(KORVEN_VERSION_MINOR)
        .arg(KORVEN_VERSION_PATCH);
}

QString unknownOptionMessage(const QString& option) {
    QString text = QStringLiteral("不明なオプションです: %1 (unknown option)\n").arg(option);
    if (QFileInfo::exists(option)) {
        text += QStringLiteral(
                    "ファイルを開くには ./%1 または -- %1 と指定してください。(to open the file, "
                    "write ./%1 or -- %1)\n")
                    .arg(option);
    }
    return text;
}

}  // namespace korven::startup
