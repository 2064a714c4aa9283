#pragma once

#include <QString>

// The command-line tool's own texts. The file core's messages come from model/ModelTexts.h.
namespace korven::cli::texts {

inline QString usage() {
    return QStringLiteral(
        "使い方 (usage):\n"
        "  korvenedit-cli info FILE\n"
        "  korvenedit-cli dump FILE\n"
        "  korvenedit-cli verify FILE\n"
        "  korvenedit-cli set FILE PATH=VALUE... [--output NEW]\n"
        "  korvenedit-cli diff A B\n"
        "オプション (options):\n"
        "  -o, --output NEW  変更を NEW に保存し、FILE は変更しない (set only)\n"
        "  --force           読み込んだ後にほかのプログラムが変更したファイルにも書き込む\n"
        "                    (変更された内容は先にバックアップする) (set only: overwrite a file\n"
        "                    changed on disk meanwhile, after backing it up)\n"
        "  -v, --verbose     進行状況を標準エラーに表示する (show progress)\n"
        "  -h, --help        この説明を表示する (show this help)\n"
        "  --version         版を表示する (show the version)\n");
}

// Usage errors.
inline QString noCommand() {
    return QStringLiteral("コマンドが指定されていません。(no command given)");
}
inline QString unknownCommand(const QString& command) {
    return QStringLiteral("不明なコマンドです: %1 (unknown command)").arg(command);
}
inline QString wrongArguments(const QString& command) {
    return QStringLiteral("%1 の引数の数が正しくありません。(wrong number of arguments)").arg(command);
}
inline QString noAssignments() {
    return QStringLiteral("変更する項目 PATH=VALUE を一つ以上指定してください。(no assignment given)");
}
inline QString outputOnlyForSet() {
    return QStringLiteral("--output は set でのみ使えます。(--output is for set only)");
}
inline QString forceOnlyForSet() {
    return QStringLiteral("--force は set でのみ使えます。(--force is for set only)");
}
inline QString useForce() {
    return QStringLiteral(
        "上書きするには --force を付けてください。(the file changed on disk; --force overwrites it)");
}

// Where a failure happened, after the core's own message.
inline QString fileLine(const QString& path) {
    return QStringLiteral("ファイル (file): %1").arg(path);
}

// info
inline QString infoFile() {
    return QStringLiteral("ファイル名");
}
inline QString infoSaveName() {
    return QStringLiteral("セーブ名");
}
inline QString infoScenarioNumber() {
    return QStringLiteral("シナリオ番号");
}
inline QString infoScenarioTitle() {
    return QStringLiteral("シナリオ名");
}
inline QString infoCurrentTurn() {
    return QStringLiteral("現在ターン");
}
inline QString infoCurrentPhase() {
    return QStringLiteral("現在フェイズ");
}
inline QString infoStartTurn() {
    return QStringLiteral("開始ターン");
}
inline QString infoEndTurn() {
    return QStringLiteral("終了ターン");
}
inline QString infoShipClasses() {
    return QStringLiteral("艦型");
}
inline QString infoJapaneseShips() {
    return QStringLiteral("個艦 (日本)");
}
inline QString infoAlliedShips() {
    return QStringLiteral("個艦 (連合国)");
}
inline QString infoAircraftTypes() {
    return QStringLiteral("航空機");
}
inline QString infoBases() {
    return QStringLiteral("基地");
}
inline QString turnText(int year, int month, int turn) {
    return QStringLiteral("%1年%2月%3ターン").arg(year).arg(month).arg(turn);
}
inline QString unknownPhase() {
    return QStringLiteral("不明");
}

// verify
inline QString imagesIdentical(qsizetype size) {
    return QStringLiteral("一致しています (identical): %1 バイト").arg(size);
}
inline QString imagesDiffer(qsizetype count) {
    return QStringLiteral("一致しません (differs): %1 バイトが異なります").arg(count);
}
inline QString sizesDiffer(qsizetype fileSize, qsizetype composedSize) {
    return QStringLiteral("大きさが異なります (size): ファイル %1 バイト、書き込み内容 %2 バイト")
        .arg(fileSize)
        .arg(composedSize);
}

// set
inline QString assignmentRefused(const QString& assignment, const QString& reason) {
    return QStringLiteral("代入「%1」は受け付けられません: %2").arg(assignment, reason);
}
inline QString nothingWritten() {
    return QStringLiteral("ファイルは変更されていません。(nothing was written)");
}
inline QString saved(const QString& path) {
    return QStringLiteral("保存しました (saved): %1").arg(path);
}

inline QString badSyntax() {
    return QStringLiteral(
        "書式が正しくありません。PATH=VALUE の形で、例えば ShipClass[12].Perf[1]=30 と指定してください。"
        "(bad syntax)");
}
inline QString unknownField(const QString& name) {
    return QStringLiteral("%1 という項目はありません。(no such field)").arg(name);
}
inline QString missingFieldName(const QString& path) {
    return QStringLiteral("%1 の後に項目名を指定してください。(field name missing)").arg(path);
}
inline QString wrongIndexCount(const QString& path) {
    return QStringLiteral("%1 の添字の数が正しくありません。(wrong number of indices)").arg(path);
}
inline QString indexOutOfRange(const QString& index, qint64 last) {
    return QStringLiteral("添字 %1 は 0～%2 の範囲外です。(index out of range)").arg(index).arg(last);
}
inline QString neverWritten(const QString& path) {
    return QStringLiteral(
               "%1 の変更はファイルに書き込まれないため、変更できません。(this field is never written)")
        .arg(path);
}
inline QString baseNotInFile(qint64 index, int lastBaseIndex) {
    return QStringLiteral(
               "基地 %1 は LastBaseIndex (%2) より後にあり、ファイルに書き込まれないので変更できません。"
               "(base after LastBaseIndex)")
        .arg(index)
        .arg(lastBaseIndex);
}
inline QString notAnInteger(const QString& value) {
    return QStringLiteral("値「%1」は整数ではありません。(not an integer)").arg(value);
}
inline QString valueOutOfRange(const QString& value, qint64 minimum, qint64 maximum) {
    return QStringLiteral("値 %1 は %2～%3 の範囲外です。(value out of range)")
        .arg(value)
        .arg(minimum)
        .arg(maximum);
}
inline QString textTooLong(qsizetype bytes, qsizetype width) {
    return QStringLiteral(
               "文字列はシフトJISで %1 バイトあり、項目の幅 %2 バイトを超えています。(text too long)")
        .arg(bytes)
        .arg(width);
}
inline QString textUnmappable() {
    return QStringLiteral("文字列にシフトJISで表せない文字があります。(character not in code page 932)");
}

inline QString movesBlocks() {
    return QStringLiteral(
        "この変更を保存すると、次に読み込むときにデータの位置が変わってしまいます"
        "（最後の基地名 ﾍﾟﾄﾛﾊﾟﾌﾞﾛﾌｽｸ、または航空機データの検索文字）。(the next load would find the blocks "
        "elsewhere)");
}

}  // namespace korven::cli::texts
