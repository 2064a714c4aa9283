#include "cli/CommandHelp.h"

#include <algorithm>

namespace korven::cli {

namespace {

QString lit(const char16_t* utf16) {
    return QString::fromUtf16(utf16);
}

const QList<OptionHelp> kOptions = {
    {lit(u"o"), lit(u"output"), lit(u"NEW"), lit(u"変更を NEW に保存し、FILE は変更しない (set only)")},
    {lit(u"v"), lit(u"verbose"), {}, lit(u"進行状況を標準エラーに表示する (show progress)")},
    {lit(u"h"), lit(u"help"), {}, lit(u"この説明を表示する (show this help)")},
    {{}, lit(u"version"), {}, lit(u"版を表示する (show the version)")},
};

const QList<CommandHelp> kCommands = {
    {lit(u"info"),
     lit(u"FILE"),
     lit(u"セーブ名、シナリオ、現在ターン、件数、ブロックの位置を表示する (summary of a save)"),
     {},
     {lit(u"korvenedit-cli info SaveFile1.SAVE")},
     {}},
    {lit(u"dump"),
     lit(u"FILE"),
     lit(u"モデル全体を JSON で標準出力に書く (the whole model as JSON)"),
     {lit(u"キーは set の PATH と同じ名前です。(the keys are the names set takes)")},
     {lit(u"korvenedit-cli dump SaveFile1.SAVE > save.json")},
     {}},
    {lit(u"verify"),
     lit(u"FILE"),
     lit(u"無編集で書き戻した内容がファイルと一致するか調べる (does an unedited write give back the same "
         u"bytes?)"),
     {lit(u"一致しなければ、異なるバイトの位置を表示して終了コード 1。(on a difference, prints the offsets "
          u"and "
          u"exits 1)")},
     {lit(u"korvenedit-cli verify SaveFile1.SAVE")},
     {}},
    {lit(u"set"),
     lit(u"FILE PATH=VALUE... [--output NEW]"),
     lit(u"項目を変更して保存する (change fields and save)"),
     {lit(u"PATH は dump のキーに添字を付けたものです: 表[番号].項目[番号]...。値は整数、名前の項目では文字列"
          u"（シフトJISで項目の幅まで）。(PATH is a dump key with indices; VALUE is an integer, or text for "
          u"names)"),
      lit(u"すべての代入が正しいときだけ保存します。一つでも不正なら何も書かず、最初の不正な代入を示して終了"
          u"コード 1。書き込む前に元のファイルをバックアップします。(all or nothing; the file is backed up "
          u"first)")},
     {lit(u"korvenedit-cli set SaveFile1.SAVE 'ShipClass[12].Perf[1]=30'"),
      lit(u"korvenedit-cli set SaveFile1.SAVE 'TurnInfo[0]=10' 'Base[3].Stockpile[0][1]=500'"),
      lit(u"korvenedit-cli set SaveFile1.SAVE 'AircraftType[5].Name=零式艦上戦闘機' --output "
          u"SaveFile2.SAVE")},
     {lit(u"output")}},
    {lit(u"diff"),
     lit(u"A B"),
     lit(u"異なる項目を「PATH: OLD -> NEW」で一行ずつ表示する (one line per differing field)"),
     {lit(u"同じなら終了コード 0、異なれば 1。(exit 0 when equal, 1 when different)")},
     {lit(u"korvenedit-cli diff SaveFile1.SAVE SaveFile2.SAVE")},
     {}},
    {lit(u"help"),
     lit(u"[COMMAND]"),
     lit(u"COMMAND の使い方を表示する (show a command's usage)"),
     {lit(u"korvenedit-cli COMMAND --help と同じです。(the same as COMMAND --help)")},
     {lit(u"korvenedit-cli help set")},
     {}},
};

QString usageLine(const CommandHelp& command) {
    return QStringLiteral("korvenedit-cli ") + command.name + u' ' + command.arguments;
}

QString optionLines(const QList<const OptionHelp*>& options) {
    qsizetype width = 0;
    for (const OptionHelp* option : options) {
        width = std::max(width, option->synopsis().size());
    }
    QString text;
    for (const OptionHelp* option : options) {
        text += QStringLiteral("  ") + option->synopsis().leftJustified(width) + QStringLiteral("  ") +
                option->description + u'\n';
    }
    return text;
}

}  // namespace

QString OptionHelp::synopsis() const {
    QString text = shortName.isEmpty() ? QString() : u'-' + shortName + QStringLiteral(", ");
    text += QStringLiteral("--") + longName;
    return valueName.isEmpty() ? text : text + u' ' + valueName;
}

const QList<CommandHelp>& Commands() {
    return kCommands;
}

const QList<OptionHelp>& Options() {
    return kOptions;
}

QStringList CommonOptionNames() {
    return {QStringLiteral("verbose"), QStringLiteral("help")};
}

const CommandHelp* FindCommand(const QString& name) {
    const auto found = std::find_if(kCommands.begin(), kCommands.end(),
                                    [&](const CommandHelp& c) { return c.name == name; });
    return found == kCommands.end() ? nullptr : &*found;
}

const OptionHelp& FindOption(const QString& longName) {
    const auto found = std::find_if(kOptions.begin(), kOptions.end(),
                                    [&](const OptionHelp& o) { return o.longName == longName; });
    Q_ASSERT(found != kOptions.end());
    return *found;
}

QString Usage() {
    QString text = QStringLiteral("使い方 (usage):\n");
    for (const CommandHelp& command : kCommands) {
        text += QStringLiteral("  ") + usageLine(command) + u'\n';
    }
    text += QStringLiteral("オプション (options):\n");
    QList<const OptionHelp*> options;
    for (const OptionHelp& option : kOptions) {
        options.append(&option);
    }
    return text + optionLines(options);
}

QString CommandUsage(const CommandHelp& command) {
    QString text = QStringLiteral("使い方 (usage): ") + usageLine(command) + u'\n' + command.summary + u'\n';
    for (const QString& paragraph : command.details) {
        text += u'\n' + paragraph + u'\n';
    }
    if (!command.examples.isEmpty()) {
        text += QStringLiteral("\n例 (examples):\n");
        for (const QString& example : command.examples) {
            text += QStringLiteral("  ") + example + u'\n';
        }
    }
    QList<const OptionHelp*> options;
    for (const QString& name : command.optionNames + CommonOptionNames()) {
        options.append(&FindOption(name));
    }
    return text + QStringLiteral("\nオプション (options):\n") + optionLines(options);
}

}  // namespace korven::cli
