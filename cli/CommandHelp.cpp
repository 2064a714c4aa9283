#include "cli/CommandHelp.h"

#include <algorithm>

namespace korven::cli {

namespace {

QString lit(const char16_t* utf16) {
    return QString::fromUtf16(utf16);
}

const QList<OptionHelp> kOptions = {
    {lit(u"o"), lit(u"output"), lit(u"NEW"), lit(u"変更を NEW に保存し、FILE は変更しない (set, apply)")},
    {{}, lit(u"check"), {}, lit(u"編集画面が受け付けない値を拒否する (refuse values the dialogs refuse)")},
    {{},
     lit(u"force"),
     {},
     lit(u"読み込んだ後にほかのプログラムが変更したファイルにも、その内容をバックアップしてから書き込む "
         u"(overwrite a file another program changed meanwhile, after backing it up)")},
    {{}, lit(u"json"), {}, lit(u"差分や診断の結果を JSON で出力する (diff, check as JSON)")},
    {{},
     lit(u"fix"),
     {},
     lit(u"見つかった値を編集画面が受け付ける最も近い値に直して保存する (check: repair what can be "
         u"repaired)")},
    {{}, lit(u"markdown"), {}, lit(u"項目の一覧を Markdown で出力する (fields as Markdown)")},
    {{},
     lit(u"dry-run"),
     {},
     lit(u"変わる項目を「名前: 旧 -> 新」で表示し、何も書き込まない (apply: show the changes, write "
         u"nothing)")},
    {{},
     lit(u"recipe"),
     {},
     lit(u"A を B にするレシピを名前で出力する (diff: a recipe that turns A into B)")},
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
     {lit(u"キーは set の PATH と同じ名前です。\"FormatVersion\" はこの形の版です。(the keys are the names "
          u"set "
          u"takes; \"FormatVersion\" is the version of this shape)")},
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
     lit(u"FILE PATH=VALUE... [--check] [--force] [--output NEW]"),
     lit(u"項目を変更して保存する (change fields and save)"),
     {lit(u"PATH は dump のキーに添字を付けたものです: 表[番号].項目[番号]...。値は整数、名前の項目では文字列"
          u"（シフトJISで項目の幅まで）。(PATH is a dump key with indices; VALUE is an integer, or text for "
          u"names)"),
      lit(u"記録の添字には * (すべて)、範囲 0-99、同じ記録のほかの項目の条件 Ship[Words[0]==12] (==, !=, <, "
          u"<=, >, >=) も使えます。代入ごとに変わった項目の数を表示します。(an index may be *, a range, or a "
          u"condition on another field of the same record)"),
      lit(u"すべての代入が正しいときだけ保存します。一つでも不正なら何も書かず、最初の不正な代入を示して終了"
          u"コード 1。書き込む前に元のファイルをバックアップします。--check を付けると編集画面が受け付けない"
          u"値も拒否します。(all or nothing; the file is backed up first; --check also refuses what the "
          u"dialogs refuse)"),
      lit(u"読み込んでから書き込むまでにほかのプログラムがファイルを変えていたら、その内容をバックアップし、"
          u"何も書かずに終了コード 1。--force を付けると上書きします。(a file changed on disk meanwhile is "
          u"backed up and left alone, exit 1; --force overwrites it)")},
     {lit(u"korvenedit-cli set SaveFile1.SAVE 'ShipClass[12].Perf[1]=30'"),
      lit(u"korvenedit-cli set SaveFile1.SAVE 'TurnInfo[0]=10' 'Base[3].Stockpile[0][1]=500'"),
      lit(u"korvenedit-cli set SaveFile1.SAVE 'Base[*].Stockpile[0][0]=9999' 'Ship[0-99].Words[6]=500'"),
      lit(u"korvenedit-cli set SaveFile1.SAVE 'AircraftType[5].Name=零式艦上戦闘機' --output "
          u"SaveFile2.SAVE")},
     {lit(u"output"), lit(u"check"), lit(u"force")}},
    {lit(u"apply"),
     lit(u"FILE EDITS [--check] [--force] [--output NEW] [--dry-run]"),
     lit(u"ファイルに書いた変更を適用して保存する (apply edits from a file)"),
     {lit(u"EDITS は dump と同じ形の JSON（一部だけでよい）か、1 行に 1 つの PATH=VALUE (# はコメント) の"
          u"ファイルで、- は標準入力です。UTF-8 (BOM、CRLF 可) で書きます。(JSON in the shape of dump, or "
          u"one "
          u"PATH=VALUE per line; - reads standard input; UTF-8)"),
      lit(u"規則は set と同じです。値が一つも変わらなければ何も書かず「変更はありません」と表示して終了コー"
          u"ド 0。(the same rules as set; when nothing changes, nothing is written)"),
      lit(u"行のファイルはレシピにもなります: PATH += N、PATH -= N、PATH *= N%、PATH = max は一括編集と同じ"
          u"く編集画面の範囲に収め、max は編集画面の上限 (個艦は艦型の値) です。添字は 1,4,7-9 とも書け、"
          u"条件は && でつなぎ、艦型の項目 (Class.Type)、陣営 (Side)、一覧の表示 (空母、日本軍) "
          u"で比べられます: "
          u"Ship[Side==日本軍 && Class.Type==空母].Fuel = max。最初の # の行が題名です。不正な行が一つでも"
          u"あれば行番号を示して何も書きません。書き込まれない項目は数えて飛ばします。(a file of lines is "
          u"also a recipe: +=, -=, *= N%, = max as the batch edit does them; conditions joined by &&, with "
          u"the class's fields, Side and list labels; the first # line is the title; all or nothing)"),
      lit(u"--dry-run は変わる項目を表示するだけで、ファイルもバックアップも書きません。(--dry-run shows "
          u"what would change and writes nothing, not even a backup)")},
     {lit(u"korvenedit-cli apply SaveFile1.SAVE edits.json"),
      lit(u"korvenedit-cli apply SaveFile1.SAVE edits.txt"),
      lit(u"korvenedit-cli apply SaveFile1.SAVE edits.txt --dry-run")},
     {lit(u"output"), lit(u"check"), lit(u"force"), lit(u"dry-run")}},
    {lit(u"diff"),
     lit(u"A B [--json | --recipe]"),
     lit(u"異なる項目を「PATH: OLD -> NEW」で一行ずつ表示する (one line per differing field)"),
     {lit(u"同じなら終了コード 0、異なれば 1、ファイルを読み込めなければ 3。(exit 0 when equal, 1 when "
          u"different, 3 when a file cannot be read)"),
      lit(u"--recipe は A を B にするレシピを項目の名前で出力します (書き込まれない項目は除く)。apply A "
          u"で適用"
          u"できます。(--recipe prints a recipe with names that turns A into B; apply runs it)")},
     {lit(u"korvenedit-cli diff SaveFile1.SAVE SaveFile2.SAVE"),
      lit(u"korvenedit-cli diff SaveFile1.SAVE SaveFile2.SAVE --json"),
      lit(u"korvenedit-cli diff SaveFile1.SAVE SaveFile2.SAVE --recipe")},
     {lit(u"json"), lit(u"recipe")}},
    {lit(u"check"),
     lit(u"FILE [--json] [--fix [--force] [--output NEW]]"),
     lit(u"編集画面が受け付けない値を一行ずつ「PATH: 値 V — 理由 (受け付ける値)」で表示する (values no "
         u"dialog "
         u"would accept)"),
     {lit(u"範囲、一覧 (地形、武装など)、項目どうしの決まり "
          u"(個艦の値は艦型の値まで、残りターンは必要ターンまで、"
          u"現在ターンは開始と終了の間、泊地のない基地に水上機なし、基地の機体はその陣営のもの、空母搭載機は"
          u"空母の"
          u"個艦に) を調べます。何もなければ終了コード 0、見つかれば 1、ファイルを読み込めなければ "
          u"3。(ranges, "
          u"lists and the rules between fields; exit 0 when clean, 1 when something is found, 3 when the "
          u"file "
          u"cannot be read)"),
      lit(u"--json では {\"path\", \"value\", \"rule\", \"message\", \"fix\"} の配列を出力します。fix は"
          u"最も近い受け付けられる値で、明らかな値がなければ null です。(--json: an array of findings; fix "
          u"is "
          u"null where no value is obviously right)"),
      lit(u"--fix は直せる値をすべて直し、apply "
          u"と同じようにロックとバックアップのうえで全部か何も書かないかで"
          u"保存し、直した項目を表示します。直せない値が残れば終了コード 1。(--fix repairs what it can, "
          u"saved "
          u"as apply saves; exit 1 while findings without a repair remain)")},
     {lit(u"korvenedit-cli check SaveFile1.SAVE"), lit(u"korvenedit-cli check SaveFile1.SAVE --json"),
      lit(u"korvenedit-cli check SaveFile1.SAVE --fix --output SaveFile2.SAVE")},
     {lit(u"json"), lit(u"fix"), lit(u"output"), lit(u"force")}},
    {lit(u"fields"),
     lit(u"[KIND] [--markdown | --json]"),
     lit(u"項目の名前、パス、幅、範囲、編集画面の制限、意味を表示する (every field with its name, width, "
         u"range "
         u"and meaning)"),
     {lit(u"KIND は TurnInfo、ShipClass、Ship などの表の名前です。名前 (Ship[0-1199].Fuel) はパス "
          u"(Ship[0-1199].Words[6]) の代わりに set、apply、条件で使えます。(KIND is a table name; a name can "
          u"stand for the path in set, apply and conditions)"),
      lit(u"--json は項目ごとに {\"path\", \"name\", \"width\", \"min\", \"max\", \"dialogMin\", "
          u"\"dialogMax\", \"japanese\", \"english\"} を出力します。dialogMin と dialogMax は編集画面の制限が"
          u"決まった数のときだけ入り、ほかは null です。(--json: one object per field)")},
     {lit(u"korvenedit-cli fields Ship"), lit(u"korvenedit-cli fields --markdown > fields.md"),
      lit(u"korvenedit-cli fields Ship --json")},
     {lit(u"markdown"), lit(u"json")}},
    {lit(u"help"),
     lit(u"[COMMAND]"),
     lit(u"COMMAND の使い方を表示する (show a command's usage)"),
     {lit(u"korvenedit-cli COMMAND --help と同じです。(the same as COMMAND --help)")},
     {lit(u"korvenedit-cli help set")},
     {}},
};

// Lines of the whole usage between the commands and the options.
const QStringList kUsageNotes = {
    lit(u"PATH の添字 (indices in PATH):"),
    lit(u"  Base[3]  Base[*]  Ship[0-99]  Ship[Words[0]==12]   (==, !=, <, <=, >, >=)"),
    lit(u"  名前も使えます (names too): Ship[7].Fuel  Ship[Class==12].Fuel"),
    lit(u"EDITS: dump と同じ形の JSON、または 1 行に 1 つの PATH=VALUE (# はコメント)、- は標準入力"),
    lit(u"       (JSON in the shape of dump, or one PATH=VALUE per line; - reads standard input)"),
};

const QList<ExitStatusHelp> kExitStatuses = {
    {0, lit(u"成功、diff は一致 (success; diff: equal)")},
    {1, lit(u"失敗、diff は相違あり、check は見つかった (failure; diff: the files differ; check: findings)")},
    {2, lit(u"使い方の誤り (usage error)")},
    {3, lit(u"diff, check: ファイルを読み込めない (diff, check: a file cannot be read)")},
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

const QList<ExitStatusHelp>& ExitStatuses() {
    return kExitStatuses;
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
    for (const QString& line : kUsageNotes) {
        text += line + u'\n';
    }
    text += QStringLiteral("オプション (options):\n");
    QList<const OptionHelp*> options;
    for (const OptionHelp& option : kOptions) {
        options.append(&option);
    }
    text += optionLines(options) + QStringLiteral("終了状態 (exit status):\n");
    for (const ExitStatusHelp& status : kExitStatuses) {
        text += QStringLiteral("  %1 ").arg(status.status) + status.description + u'\n';
    }
    return text;
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
