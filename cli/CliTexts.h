#pragma once

#include "model/FieldDescriptions.h"
#include "model/ValueLists.h"

#include <QDir>
#include <QString>
#include <QStringBuilder>
#include <QStringList>

#include <rapidjson/error/error.h>

#include <array>

// The command-line tool's own texts. The file core's messages come from model/ModelTexts.h.
namespace korven::cli::texts {

// A message quotes at most this many characters of the user's text: a bad line may be
// megabytes long.
inline constexpr qsizetype kQuoteLimit = 200;
inline QString excerpt(QStringView text) {
    if (text.size() <= kQuoteLimit) {
        return text.toString();
    }
    const qsizetype cut = text[kQuoteLimit - 1].isHighSurrogate() ? kQuoteLimit - 1 : kQuoteLimit;
    return text.first(cut).toString() + QChar(u'…');
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
inline QString optionNotFor(const QString& option, const QString& command) {
    return QStringLiteral("%1 は %2 では使えません。(option not for this command)").arg(option, command);
}
inline QString unknownKind(const QString& kind, const QStringList& kinds) {
    return QStringLiteral("%1 という種類はありません。次のどれかを指定してください (unknown kind): %2")
        .arg(kind, kinds.join(QStringLiteral(", ")));
}
inline QString useForce() {
    return QStringLiteral(
        "上書きするには --force を付けてください。(the file changed on disk; --force overwrites it)");
}

// Standard output could not take the result (a full disk, for instance); the reason follows.
inline QString outputNotWritten() {
    return QStringLiteral("結果を標準出力に書き込めませんでした。(cannot write standard output)");
}

// Where a failure happened, after the core's own message.
inline QString fileLine(const QString& path) {
    return QStringLiteral("ファイル (file): %1").arg(QDir::toNativeSeparators(path));
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
    return QStringLiteral("代入「%1」は受け付けられません: %2").arg(excerpt(assignment), reason);
}
inline QString atRecord(const QString& path, const QString& reason) {
    return path + QStringLiteral(": ") + reason;
}
inline QString nothingWritten() {
    return QStringLiteral("ファイルは変更されていません。(nothing was written)");
}
inline QString saved(const QString& path) {
    return QStringLiteral("保存しました (saved): %1").arg(QDir::toNativeSeparators(path));
}

inline QString badSyntax() {
    return QStringLiteral(
        "書式が正しくありません。PATH=VALUE の形で、例えば ShipClass[12].Perf[1]=30 と指定してください。"
        "(bad syntax)");
}
inline QString unknownField(const QString& name) {
    return QStringLiteral("%1 という項目はありません。(no such field)").arg(excerpt(name));
}
inline QString missingFieldName(const QString& path) {
    return QStringLiteral("%1 の後に項目名を指定してください。(field name missing)").arg(excerpt(path));
}
inline QString wrongIndexCount(const QString& path) {
    return QStringLiteral("%1 の添字の数が正しくありません。(wrong number of indices)").arg(excerpt(path));
}
inline QString indexOutOfRange(const QString& index, qint64 last) {
    return QStringLiteral("添字 %1 は 0～%2 の範囲外です。(index out of range)")
        .arg(excerpt(index))
        .arg(last);
}
inline QString neverWritten(const QString& path) {
    return QStringLiteral(
               "%1 の変更はファイルに書き込まれないため、変更できません。(this field is never written)")
        .arg(excerpt(path));
}
inline QString baseNotInFile(qint64 index, int lastBaseIndex) {
    return QStringLiteral(
               "基地 %1 は LastBaseIndex (%2) より後にあり、ファイルに書き込まれないので変更できません。"
               "(base after LastBaseIndex)")
        .arg(index)
        .arg(lastBaseIndex);
}
inline QString notAnInteger(const QString& value) {
    return QStringLiteral("値「%1」は整数ではありません。(not an integer)").arg(excerpt(value));
}
inline QString valueOutOfRange(const QString& value, qint64 minimum, qint64 maximum) {
    return QStringLiteral("値 %1 は %2～%3 の範囲外です。(value out of range)")
        .arg(excerpt(value))
        .arg(minimum)
        .arg(maximum);
}
inline QString textTooLong(qsizetype bytes, qsizetype width) {
    return QStringLiteral(
               "文字列はシフトJISで %1 バイトあり、項目の幅 %2 バイトを超えています。(text too long)")
        .arg(bytes)
        .arg(width);
}
inline QString textHasNul() {
    return QStringLiteral("文字列に NUL 文字 (\\u0000) は使えません。(NUL in a text)");
}
inline QString textUnmappable() {
    return QStringLiteral("文字列にシフトJISで表せない文字があります。(character not in code page 932)");
}

inline QString filterOnRecordsOnly() {
    return QStringLiteral(
        "条件による絞り込みは記録の表 (AircraftType, ShipClass, Base, Ship, CarrierAir) の添字にだけ"
        "使えます。(a filter selects records only)");
}
inline QString nothingSelected() {
    return QStringLiteral("添字の範囲または条件に一致する記録がありません。(the selection matches nothing)");
}
// An assignment with the line it came from, e.g. "3 行目: Ship[0].Words[6]=500": the line's
// number, this, and the assignment.
inline constexpr QStringView kAtLine = u" 行目: ";
inline QString editAtLine(qsizetype line, QStringView assignment) {
    return QString::number(line) % kAtLine % excerpt(assignment);
}
// "「LATER」は「EARLIER」で設定した N 項目を上書きします …", joined rather than formatted (two
// arg() calls would also replace a "%1" inside the user's assignment). Its pieces before the
// later edit, the earlier one and the count, and after the count, are named so that the
// console can join thousands of these lines without building each one.
inline constexpr std::array<QStringView, 4> kOverridesPieces = {
    u"「", u"」は「", u"」で設定した ",
    u" 項目を上書きします (後の代入が有効)。(overrides an earlier assignment; the last one wins)"};
inline QString overrides(QStringView later, QStringView earlier, int fields) {
    const auto& pieces = kOverridesPieces;
    return pieces[0] % excerpt(later) % pieces[1] % excerpt(earlier) % pieces[2] % QString::number(fields) %
           pieces[3];
}
// One arg() call: a second one would replace a "%1" inside the user's assignment.
inline QString fieldsChanged(const QString& assignment, int fields) {
    return QStringLiteral("%1: %2 項目を変更 (fields changed)")
        .arg(excerpt(assignment), QString::number(fields));
}
inline QString totalChanged(qsizetype fields) {
    return QStringLiteral("変更した項目: %1 (fields changed in all)").arg(fields);
}
// After the first overrides, the rest are only counted.
inline constexpr qsizetype kOverridesShown = 20;
inline QString moreOverrides(qsizetype count) {
    return QStringLiteral("ほかに %1 件の代入が前の代入を上書きします (後の代入が有効)。(more overrides)")
        .arg(count);
}
inline QString neverWrittenSkipped(qsizetype fields) {
    return QStringLiteral(
               "ファイルに書き込まれない %1 項目 (SaveName、ブロックの位置、LastBaseIndex など) は dump "
               "の値を使わずに飛ばしました。(fields never written, skipped)")
        .arg(fields);
}
inline QString noChanges() {
    return QStringLiteral("変更はありません");
}
inline QString outsideDialogNote() {
    return QStringLiteral(
        "--check なしでは、項目の幅に収まる値はすべて受け付けます。(without --check any value "
        "that fits the field is accepted)");
}

// check
inline QString findingLine(const QString& path, const QString& value, const QString& reason) {
    return path + QStringLiteral(": 値 ") + value + QStringLiteral(" — ") + reason;
}
inline QString repaired(const QString& path, const QString& oldValue, qint64 newValue) {
    return QStringLiteral("修正 (repaired): %1: %2 -> %3").arg(path, oldValue).arg(newValue);
}
inline QString notRepaired() {
    return QStringLiteral("修正できません (no obvious repair): ");
}

// apply: JSON edits and the edits file.
inline QString jsonEdit(const QString& path) {
    return QStringLiteral("JSON %1").arg(path);
}
inline QString jsonEditRefused(const QString& path, const QString& reason) {
    return QStringLiteral("JSON の %1 は受け付けられません: %2").arg(excerpt(path), reason);
}
inline QString jsonNotAText() {
    return QStringLiteral("文字列 (\"...\") を指定してください。(a string is expected)");
}
inline QString jsonNotAnObject() {
    return QStringLiteral(
        "項目名をキーとするオブジェクトを指定してください。(an object of fields is expected)");
}
inline QString jsonNotAnArray() {
    return QStringLiteral(
        "配列、または添字をキーとするオブジェクトを指定してください。(an array is expected)");
}
inline QString jsonDuplicateKey(const QString& key) {
    return QStringLiteral("キー「%1」が同じオブジェクトに二度あります。(duplicate key)").arg(excerpt(key));
}
inline QString jsonBadIndex(const QString& key) {
    return QStringLiteral("キー「%1」は添字 (0 以上の整数) ではありません。(not an index)").arg(excerpt(key));
}
inline QString unknownFormatVersion(int supported) {
    return QStringLiteral(
               "FormatVersion は 1～%1 でなければなりません。新しい版の dump です。(unsupported "
               "FormatVersion)")
        .arg(supported);
}
inline QString jsonSyntax(qsizetype line, qsizetype column, const QString& error) {
    return QStringLiteral("JSON の %1 行 %2 桁目に誤りがあります: %3 (malformed JSON)")
        .arg(line)
        .arg(column)
        .arg(error);
}
// What is wrong where a JSON document stops parsing.
inline QString jsonSyntaxReason(rapidjson::ParseErrorCode code) {
    switch (code) {
        case rapidjson::kParseErrorDocumentEmpty:
            return QStringLiteral("文書が空です");
        case rapidjson::kParseErrorDocumentRootNotSingular:
            return QStringLiteral("文書の終わりの後に続きがあります");
        case rapidjson::kParseErrorValueInvalid:
            return QStringLiteral("値として読めません");
        case rapidjson::kParseErrorObjectMissName:
            return QStringLiteral("キー (\"...\") がありません");
        case rapidjson::kParseErrorObjectMissColon:
            return QStringLiteral("キーの後に「:」がありません");
        case rapidjson::kParseErrorObjectMissCommaOrCurlyBracket:
            return QStringLiteral("「,」か「}」がありません");
        case rapidjson::kParseErrorArrayMissCommaOrSquareBracket:
            return QStringLiteral("「,」か「]」がありません");
        case rapidjson::kParseErrorStringUnicodeEscapeInvalidHex:
            return QStringLiteral("\\u の後が 16 進 4 桁ではありません");
        case rapidjson::kParseErrorStringUnicodeSurrogateInvalid:
            return QStringLiteral("\\u のサロゲートペアが正しくありません");
        case rapidjson::kParseErrorStringEscapeInvalid:
            return QStringLiteral("「\\」の後の文字が正しくありません");
        case rapidjson::kParseErrorStringMissQuotationMark:
            return QStringLiteral("文字列が「\"」で閉じられていません");
        case rapidjson::kParseErrorStringInvalidEncoding:
            return QStringLiteral("文字列に UTF-8 でないバイトがあります");
        case rapidjson::kParseErrorNumberTooBig:
            return QStringLiteral("数が大きすぎます");
        case rapidjson::kParseErrorNumberMissFraction:
            return QStringLiteral("小数点の後に数字がありません");
        case rapidjson::kParseErrorNumberMissExponent:
            return QStringLiteral("指数に数字がありません");
        default:
            return QStringLiteral("書き方が正しくありません");
    }
}
inline QString notUtf8() {
    return QStringLiteral(
        "編集ファイルは UTF-8 ではありません。シフトJIS などで保存されたファイルは、UTF-8 に変換して"
        "ください。(the edits must be UTF-8, not Shift-JIS)");
}
inline QString cannotReadEdits(const QString& path) {
    return QStringLiteral("編集ファイルを読み込めません: %1 (cannot read the edits)")
        .arg(QDir::toNativeSeparators(path));
}
inline QString nulInEdits() {
    return QStringLiteral("編集ファイルに NUL バイトがあります。(a NUL byte in the edits)");
}
inline QString editsTooLarge() {
    return QStringLiteral(
        "編集ファイルが大きすぎます（読み込めるのは 256 MB までです）。(the edits exceed 256 MB)");
}
inline QString outputIsInput(const QString& path) {
    return QStringLiteral(
               "出力先 %1 は入力ファイルそのもの（または同じファイルの別名）です。入力ファイルは変更しない"
               "ので、別のファイルを指定してください。(the output names the input file)")
        .arg(QDir::toNativeSeparators(path));
}
inline QString noEdits() {
    return QStringLiteral("編集ファイルに代入がありません。(the edits file holds no assignment)");
}

// fields
inline QString textBytesRange(std::size_t width) {
    return QStringLiteral("0..%1 バイト (bytes)").arg(width);
}
inline QString fieldsHeading() {
    return QStringLiteral("NAME\tPATH\tWIDTH\tRANGE\tDIALOG\t日本語\tENGLISH");
}
inline QString fieldsTableHeading() {
    return QStringLiteral(
        "| 項目 (path) | 名前 (name) | 幅 (width) | 値の範囲 (range) | 編集画面 (dialog, --check) | 日本語 | "
        "English |\n"
        "|---|---|---|---|---|---|---|\n");
}
// A short list's codes with their texts ("0..2, 255: 原油, 鉄鉱石, ボーキサイト, なし"); a long one's codes.
inline QString listRule(const rules::ValueList& list) {
    constexpr std::size_t kNamedUpTo = 8;
    QString text = QStringLiteral("%1..%2").arg(0).arg(list.count - 1);
    if (list.hasNone) {
        text += QStringLiteral(", %1").arg(rules::kNoneCode);
    }
    if (list.names.empty() || list.names.size() > kNamedUpTo) {
        return text;
    }
    QStringList names(list.names.begin(), list.names.end());
    if (list.hasNone) {
        names.append(QStringLiteral("なし"));
    }
    return text + QStringLiteral(": ") + names.join(QStringLiteral(", "));
}
inline QString dialogRule(const fields::Description& d) {
    using fields::Check;
    switch (d.check) {
        case Check::None:
            return QStringLiteral("-");
        case Check::Range:
            return QStringLiteral("%1..%2").arg(d.range.minimum).arg(d.range.maximum);
        case Check::TextBytes:
            return QStringLiteral("≤ %1 バイト (bytes)").arg(d.range.maximum);
        case Check::ClassUpperSteps:
            return QStringLiteral("0..艦型の上部ステップ (class Perf[0])");
        case Check::ClassLowerSteps:
            return QStringLiteral("0..艦型の下部ステップ (class lower steps)");
        case Check::ClassFuel:
            return QStringLiteral("0..艦型の燃料 (class Perf[2])");
        case Check::ClassFirings:
            return QStringLiteral("0..艦型の回数 (class Weapon[2][m])");
        case Check::ScienceLeave:
            return QStringLiteral("0..必要ターン (Need)");
        case Check::TurnBox:
            return QStringLiteral(
                "開始ターン～終了ターン、終了は 50 年まで (start..end turn, end year ≤ 50)");
        case Check::List:
            return listRule(rules::ListFor(d.list));
        case Check::ShipClassNumber:
            return QStringLiteral("名前のある艦型の番号 (a class with a name)");
        case Check::BaseAircraft:
            return QStringLiteral(
                "255 (空き)、または基地の陣営の 0..169 番の機体、水上機は泊地のある基地だけ (255 empty, or "
                "an "
                "aircraft 0..169 of the base's side; seaplanes only with an anchorage)");
        case Check::CarrierKey:
            return QStringLiteral("-1 (未使用)、または艦種 0..3 の個艦 (-1 unused, or a ship of type 0..3)");
    }
    return {};
}
inline QString fieldsDocumentIntro(int formatVersion) {
    return QStringLiteral(
               "# セーブファイルの項目 (save file fields)\n\n"
               "<!-- korvenedit-cli fields --markdown が生成します。手で編集しないでください。 -->\n"
               "<!-- Generated by `korvenedit-cli fields --markdown`; do not edit by hand. -->\n\n"
               "`korvenedit-cli dump` が出力し、`set` と `apply` が受け付ける項目の一覧です。"
               "`[0-252]` のような範囲は添字の範囲です。「編集画面」の列は編集ダイアログが入力を許す値で、"
               "`--check` を付けるとこの範囲外の値を拒否します。\n\n"
               "Every field that `korvenedit-cli dump` prints and `set` and `apply` accept. Ranges such as "
               "`[0-252]` are index ranges. The dialog column gives the values the edit dialogs accept; "
               "with `--check`, values outside it are refused.\n\n"
               "「名前」の列は同じ項目の英語名で、パスの代わりにどこでも使えます "
               "(`Ship[7].Fuel` は `Ship[7].Words[6]` と同じ)。The name column is the same field's English "
               "name, accepted wherever a path is (`Ship[7].Fuel` is `Ship[7].Words[6]`).\n\n"
               "書き込まれない記録 (LastBaseIndex より後の基地、航空機 170～175 とその開発期間) "
               "は、`*`・範囲・条件では"
               "飛ばされ、添字を直接指定すると拒否されます。Records the writer never stores (bases after "
               "LastBaseIndex, aircraft types and development entries 170-175) are skipped by `*`, ranges "
               "and "
               "filters, and refused when named by their index.\n\n"
               "`dump` の JSON には `\"FormatVersion\": %1` が入ります。`apply` "
               "はこれより新しい版を拒否します。"
               "The dump carries `\"FormatVersion\": %1`; `apply` refuses a later version.\n")
        .arg(formatVersion);
}

inline QString movesBlocks() {
    return QStringLiteral(
        "この変更を保存すると、次に読み込むときにデータの位置が変わってしまいます"
        "（最後の基地名 ﾍﾟﾄﾛﾊﾟﾌﾞﾛﾌｽｸ、または航空機データの検索文字）。(the next load would find the blocks "
        "elsewhere)");
}

// Recipes run by apply, and diff --recipe.
inline QString recipeLineDone(qsizetype line, const QString& text, int changed, int limited) {
    return limited > 0 ? QStringLiteral(
                             "%1 行目 %2: %3 項目を変更、%4 項目を編集画面の範囲に制限 (fields "
                             "changed, limited)")
                             .arg(line)
                             .arg(text)
                             .arg(changed)
                             .arg(limited)
                       : QStringLiteral("%1 行目 %2: %3 項目を変更 (fields changed)")
                             .arg(line)
                             .arg(text)
                             .arg(changed);
}
inline QString recipeNeverWritten(qsizetype count) {
    return QStringLiteral("書き込まれない項目 %1 個はそのままにしました (never-written fields left alone)")
        .arg(count);
}
inline QString previewRow(const QString& name, const QString& oldText, const QString& newText) {
    return QStringLiteral("%1: %2 -> %3").arg(name, oldText, newText);
}
inline QString dryRunDone() {
    return QStringLiteral("--dry-run: 何も書き込みませんでした (nothing written)");
}
inline QString diffRecipeTitle(const QString& from, const QString& to) {
    return QStringLiteral("%1 を %2 にする").arg(from, to);
}

}  // namespace korven::cli::texts
