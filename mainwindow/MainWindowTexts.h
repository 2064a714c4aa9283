#pragma once

#include <QDir>
#include <QString>

// The main window's own texts: captions, messages, tree captions, column captions and the
// pieces of row texts. Tests refer to the same constants.
namespace korven::mainwindow::texts {

// Edit state.
inline QString noFileLoaded() {
    return QStringLiteral("ファイルが読み込まれていません");
}
inline QString label1Design() {
    return QStringLiteral("ファイル名");
}
inline QString label1ToolTip() {
    return QStringLiteral("編集ファイル名");
}
inline QString label2Design() {
    return QStringLiteral("編集状況");
}
inline QString label2ToolTip() {
    return QStringLiteral("編集状況");
}
inline QString edited() {
    return QStringLiteral("編集済み");
}
inline QString unedited() {
    return QStringLiteral("未編集");
}
inline QString captionSeparator() {
    return QStringLiteral(" - ");
}
inline QString captionEdited() {
    return QStringLiteral(" [編集済み]");
}
inline QString captionUnedited() {
    return QStringLiteral(" [未編集]");
}
// Full-width brackets in the caption; an ASCII opening bracket in Label1.
inline QString captionReadOnly() {
    return QStringLiteral("（読み取り専用）");
}
inline QString label1ReadOnly() {
    return QStringLiteral("(読み取り専用）");
}
inline QString rowCount(int rows) {
    return QStringLiteral("%1 件").arg(rows);
}
// The rows the filter shows of all the list has.
inline QString filteredRowCount(int shown, int rows) {
    return QStringLiteral("%1 / %2 件").arg(shown).arg(rows);
}

// The list's filter.
inline QString filterName() {
    return QStringLiteral("絞り込み");
}
inline QString filterPlaceholder() {
    return QStringLiteral("絞り込み（例: 燃料 < 1000）");
}
inline QString filterToolTip() {
    return QStringLiteral(
        "「列名 比較 値」を空白で区切って並べると、すべてを満たす行だけを表示します。\n"
        "比較は = != < <= > >= のどれか。例: 燃料 < 1000 艦種 = 空母");
}
inline QString filterOpenQuote() {
    return QStringLiteral("引用符 \" が閉じていません。");
}
inline QString filterNoColumn(const QString& op) {
    return QStringLiteral("「%1」の前に列名がありません。").arg(op);
}
inline QString filterUnknownColumn(const QString& name) {
    return QStringLiteral("「%1」という列はありません。").arg(name);
}
inline QString filterNoOperator(const QString& name) {
    return QStringLiteral("「%1」の後に比較（= != < <= > >=）がありません。").arg(name);
}
inline QString filterNoValue(const QString& name) {
    return QStringLiteral("「%1」と比べる値がありません。").arg(name);
}

// Messages.
inline QString folderGiven() {
    return QStringLiteral("フォルダを指定することは出来ません。");
}
inline QString parameterError() {
    return QStringLiteral("パラメータエラー");
}
inline QString secondFile() {
    return QStringLiteral("２つ以上のファイルを同時に開くことは出来ません。");
}
inline QString readOnlySaveQuestion() {
    return QStringLiteral(
        "読み取り専用で開かれているため保存できません。\n読み取り専用を解除して保存しますか？");
}
// Panel 2 after a save that made a backup first.
inline QString savedWithBackup(const QString& backup) {
    return QStringLiteral("書き込み完了（バックアップ: %1）").arg(QDir::toNativeSeparators(backup));
}
// Panel 2 after a save that failed or was called off: the progress text must not stay.
inline QString notSaved() {
    return QStringLiteral("保存しませんでした（ファイルは元のままです）");
}
inline QString cannotLeaveReadOnly() {
    return QStringLiteral(
        "読み取り専用を解除できませんでした。\nファイルがディスク上で読み取り専用になっているか、"
        "他のアプリケーションが使用しています。\nファイルは保存されていません。");
}
inline QString saveQuestion(const QString& path) {
    return QStringLiteral("ファイルが編集されています。保存しますか？\n保存ファイル名　") +
           QDir::toNativeSeparators(path);
}
inline QString fileMissing(const QString& path) {
    return QStringLiteral("ファイルが見つかりません。\n%1").arg(QDir::toNativeSeparators(path));
}
// A recent file that is gone; the File menu lists it no more.
inline QString recentFileMissing(const QString& path) {
    return fileMissing(path) + QStringLiteral("\n最近使ったファイルの一覧から削除しました。");
}
inline QString nothingToExport() {
    return QStringLiteral("書き出す一覧がありません。\n左のツリーで一覧を表示してください。");
}
inline QString csvNotWritten(const QString& path, const QString& reason) {
    return QStringLiteral("CSVファイルを書き込めませんでした。\n%1\n%2")
        .arg(QDir::toNativeSeparators(path), reason);
}
inline QString csvWritten(const QString& path) {
    return QStringLiteral("CSVファイルに書き出しました: %1").arg(QDir::toNativeSeparators(path));
}
inline QString noHelp() {
    return QStringLiteral("ﾍﾙﾌﾟの目次を表示できません。 このﾌﾟﾛｼﾞｪｸﾄに関連付けられたﾍﾙﾌﾟが存在しません。");
}
inline QString helpFileMissing(const QString& file) {
    return QStringLiteral("ヘルプファイル %1 を開けませんでした。").arg(file);
}

// File dialogs.
inline QString openDialogCaption() {
    return QStringLiteral("ファイルを開く");
}
inline QString saveAsDialogCaption() {
    return QStringLiteral("名前を付けて保存");
}
// Name|pattern pairs, as the dialog settings give them.
// Screen-reader names of the two panes.
inline QString treeName() {
    return QStringLiteral("分類ツリー");
}
inline QString listName() {
    return QStringLiteral("レコード一覧");
}
inline QString fileFilter() {
    return QStringLiteral("ヴァルゾンセーブファイル(SaveFile*.SAVE)|SaveFile*.SAVE|全てのファイル(*.*)|*.*");
}
inline QString csvDialogCaption() {
    return QStringLiteral("CSV形式で書き出し");
}
inline QString csvFilter() {
    return QStringLiteral("CSVファイル(*.csv)|*.csv|全てのファイル(*.*)|*.*");
}
inline QString csvSuffix() {
    return QStringLiteral("csv");
}
inline QString saveSuffix() {
    return QStringLiteral("SAVE");
}

// Menus.
inline QString menuFile() {
    return QStringLiteral("ﾌｧｲﾙ(&F)");
}
inline QString menuFileOpen() {
    return QStringLiteral("開く(&O)");
}
inline QString menuFileSave() {
    return QStringLiteral("上書き保存(&S)");
}
inline QString menuFileSaveAs() {
    return QStringLiteral("名前を付けて保存(&A)");
}
inline QString menuFileClose() {
    return QStringLiteral("閉じる(&C)");
}
inline QString menuFileProperties() {
    return QStringLiteral("ﾌﾟﾛﾊﾟﾃｨ(&I)");
}
inline QString menuFileExit() {
    return QStringLiteral("終了(&Q)");
}
// The record named in the history step of a store from the properties dialog.
inline QString propertiesStepName() {
    return QStringLiteral("ﾌﾟﾛﾊﾟﾃｨ");
}
inline QString menuEdit() {
    return QStringLiteral("編集(&E)");
}
inline QString menuEditUndo() {
    return QStringLiteral("元に戻す(&U)");
}
inline QString menuEditUndoStep(const QString& step) {
    return QStringLiteral("元に戻す(&U) 「%1」").arg(step);
}
inline QString menuEditRedo() {
    return QStringLiteral("やり直し(&R)");
}
inline QString menuEditRedoStep(const QString& step) {
    return QStringLiteral("やり直し(&R) 「%1」").arg(step);
}
inline QString menuEditHistory() {
    return QStringLiteral("編集履歴(&H)...");
}
inline QString menuEditReview() {
    return QStringLiteral("変更内容(&V)...");
}
inline QString menuEditReviewBeforeSave() {
    return QStringLiteral("保存前に変更内容を表示(&B)");
}
inline QString menuEditBatch() {
    return QStringLiteral("一括編集(&M)...");
}
// The batch edit: a field of the selected rows, an operation and a value, previewed.
inline QString batchCaption() {
    return QStringLiteral("一括編集");
}
inline QString batchField() {
    return QStringLiteral("項目(&F):");
}
inline QString batchOperation() {
    return QStringLiteral("操作(&O):");
}
inline QString batchValue() {
    return QStringLiteral("値(&V):");
}
inline QString batchSet() {
    return QStringLiteral("値にする");
}
inline QString batchAdd() {
    return QStringLiteral("加える");
}
inline QString batchMultiply() {
    return QStringLiteral("掛ける（%）");
}
inline QString batchMaximum() {
    return QStringLiteral("最大にする");
}
inline QString batchRecords(int count) {
    return QStringLiteral("選択した %1 件のレコード").arg(count);
}
inline QString batchChooseField() {
    return QStringLiteral("変更する項目を選んでください。");
}
inline QString batchNeedsValue() {
    return QStringLiteral("値を入力してください。");
}
// A value that is no whole number (1.5, 12a): refused, never read as another number.
inline QString batchNotWholeNumber(const QString& typed) {
    return QStringLiteral("「%1」は整数ではありません。値は整数（半角または全角の数字）で入力してください。")
        .arg(typed);
}
// The preview's rows can be unticked: what OK changes then.
inline QString batchTickedCount(int ticked, int count) {
    return QStringLiteral("%1 項目のうち %2 項目を変更します（チェックを外した行は変えません）。")
        .arg(count)
        .arg(ticked);
}
inline QString batchChangeCount(int count) {
    return QStringLiteral("%1 項目を変更します。").arg(count);
}
inline QString batchLimited(int count) {
    return QStringLiteral("うち %1 項目は入力できる範囲に合わせました。").arg(count);
}
// Recipes: edits as text, run from the File and Edit menus and written from the change views.
inline QString menuFileRecipe() {
    return QStringLiteral("レシピを適用(&R)...");
}
inline QString menuEditRecipes() {
    return QStringLiteral("レシピ(&E)");
}
inline QString menuEditRecipesNone() {
    return QStringLiteral("（レシピがありません）");
}
inline QString recipeOpenCaption() {
    return QStringLiteral("レシピを開く");
}
inline QString recipeSaveCaption() {
    return QStringLiteral("レシピとして保存");
}
inline QString recipeFilter() {
    return QStringLiteral("レシピ(*.txt)|*.txt|全てのファイル(*.*)|*.*");
}
inline QString recipeSuffix() {
    return QStringLiteral("txt");
}
inline QString saveAsRecipeButton() {
    return QStringLiteral("レシピとして保存(&R)...");
}
inline QString recipeCaption(const QString& title) {
    return QStringLiteral("レシピを適用 - %1").arg(title);
}
inline QString recipeLinesName() {
    return QStringLiteral("レシピの行");
}
inline QString colRecipeLine() {
    return QStringLiteral("行");
}
inline QString colRecipeText() {
    return QStringLiteral("内容");
}
inline QString colRecipeChanged() {
    return QStringLiteral("変更した値");
}
inline QString colRecipeLimited() {
    return QStringLiteral("範囲に合わせた値");
}
inline QString recipeNeverWritten(int count) {
    return QStringLiteral("保存されない項目 %1 個はそのままにします。").arg(count);
}
inline QString recipeNotRead(const QString& path, const QString& reason) {
    return QStringLiteral("レシピを読み込めませんでした。\n%1\n%2")
        .arg(QDir::toNativeSeparators(path), reason);
}
inline QString recipeNotWritten(const QString& path, const QString& reason) {
    return QStringLiteral("レシピを書き込めませんでした。\n%1\n%2")
        .arg(QDir::toNativeSeparators(path), reason);
}
inline QString recipeWritten(const QString& path) {
    return QStringLiteral("レシピを書き出しました: %1").arg(QDir::toNativeSeparators(path));
}
inline QString recipeNothingToSave() {
    return QStringLiteral("レシピにできる変更がありません。");
}
// Titles of recipes written from the change views.
inline QString recipeTitleReview() {
    return QStringLiteral("変更内容");
}
inline QString recipeTitleCompare() {
    return QStringLiteral("比較した保存ファイルの値");
}
inline QString recipeTitleHistory(const QString& step) {
    return QStringLiteral("編集履歴: %1").arg(step);
}
inline QString recipeTitleBatch(const QString& field, const QString& operation) {
    return QStringLiteral("一括編集: %1を%2").arg(field, operation);
}
inline QString okButton() {
    return QStringLiteral("OK");
}
inline QString historyCaption() {
    return QStringLiteral("編集履歴");
}
// The history's first entry: the model as the file was opened.
inline QString historyOpened() {
    return QStringLiteral("ファイルを開いた時の状態");
}
// Moves the document to the state after the chosen row; a click alone only chooses it.
inline QString historyMoveHere() {
    return QStringLiteral("この時点に戻す");
}
// What a screen reader adds to a row of the history: the saved state, the present one.
inline QString historySavedPoint(const QString& row) {
    return QStringLiteral("%1（保存した時点）").arg(row);
}
inline QString historyCurrentPoint(const QString& row) {
    return QStringLiteral("%1（現在の状態）").arg(row);
}
inline QString closeButton() {
    return QStringLiteral("閉じる(&C)");
}

// The change view: the review of pending changes, the question before saving, the comparison.
inline QString reviewCaption() {
    return QStringLiteral("変更内容");
}
inline QString compareCaption(const QString& otherPath) {
    return QStringLiteral("比較 - %1").arg(otherPath);
}
inline QString changeCount(int count) {
    return QStringLiteral("%1 項目が変更されています。").arg(count);
}
inline QString differenceCount(int count) {
    return QStringLiteral("%1 項目が異なります。").arg(count);
}
inline QString noChanges() {
    return QStringLiteral("変更はありません。");
}
inline QString noDifferences() {
    return QStringLiteral("違いはありません。");
}
inline QString saveQuestionAfterReview() {
    return QStringLiteral("この内容で保存しますか？");
}
inline QString colChangeCategory() {
    return QStringLiteral("分類");
}
inline QString colChangeRecord() {
    return QStringLiteral("名前");
}
inline QString colChangeField() {
    return QStringLiteral("項目");
}
inline QString colChangeBefore() {
    return QStringLiteral("変更前");
}
inline QString colChangeAfter() {
    return QStringLiteral("変更後");
}
// The change view's context menu: on one pending change, and on rows of a compared save.
inline QString revertThisChange() {
    return QStringLiteral("この変更を元に戻す");
}
inline QString takeTheseValues() {
    return QStringLiteral("この値を取り込む");
}

inline QString colChangePath() {
    return QStringLiteral("データ位置");
}
inline QString colCompareOpen() {
    return QStringLiteral("このファイル");
}
inline QString colCompareOther() {
    return QStringLiteral("比較したファイル");
}
inline QString saveButton() {
    return QStringLiteral("保存(&S)");
}
inline QString cancelButton() {
    return QStringLiteral("キャンセル");
}
inline QString airDevelopmentCategory() {
    return QStringLiteral("航空機開発");
}
inline QString carrierAirCategory() {
    return QStringLiteral("艦載機");
}
// The 診断 list.
inline QString diagnosisStatus(std::size_t findings) {
    return QStringLiteral("診断: %1 件").arg(findings);
}
inline QString noRepair() {
    return QStringLiteral("—");
}
inline QString menuEditDiagnosis() {
    return QStringLiteral("診断(&D)...");
}
inline QString diagnosisCaption() {
    return QStringLiteral("診断");
}
inline QString diagnosisCount(std::size_t findings) {
    return QStringLiteral("%1 件の問題が見つかりました。").arg(findings);
}
inline QString diagnosisChecking() {
    return QStringLiteral("確認しています…");
}
inline QString diagnosisClean() {
    return QStringLiteral("問題は見つかりませんでした。");
}
inline QString colDiagnosisValue() {
    return QStringLiteral("値");
}
inline QString colDiagnosisReason() {
    return QStringLiteral("理由");
}
inline QString colDiagnosisFix() {
    return QStringLiteral("修正後");
}
inline QString diagnosisFixButton() {
    return QStringLiteral("修正(&F)");
}
// The history step of a repair from the 診断 list.
inline QString diagnosisRepairStep(std::size_t fixes) {
    return QStringLiteral("診断の修正: %1 項目").arg(fixes);
}
inline QString diagnosisRepairing(std::size_t findings) {
    return QStringLiteral("%1 件を修正しています…").arg(findings);
}
inline QString diagnosisSkipped(std::size_t skipped) {
    return QStringLiteral(
               "正しい値が決まらない %1 件は修正しませんでした。該当する項目を開いて値を選んでください。")
        .arg(skipped);
}
inline QString menuFileCompare() {
    return QStringLiteral("比較(&M)...");
}
// The saves list.
inline QString menuFileSaves() {
    return QStringLiteral("セーブ一覧(&L)...");
}
inline QString savesCaption() {
    return QStringLiteral("セーブ一覧");
}
inline QString savesIn(const QString& folder) {
    return QStringLiteral("%1 のセーブ（F5 で最新の状態に更新）").arg(folder);
}
inline QString savesNoFolder() {
    return QStringLiteral(
        "セーブのあるフォルダがわかりません。\r\nオプションでゲームのフォルダを設定するか、セーブファイルを開"
        "いてください。");
}
inline QString colSaveFileName() {
    return QStringLiteral("ファイル名");
}
inline QString colSaveName() {
    return QStringLiteral("セーブ名");
}
inline QString colSaveScenario() {
    return QStringLiteral("シナリオ");
}
inline QString colSaveTurn() {
    return QStringLiteral("現在ターン");
}
inline QString colSaveModified() {
    return QStringLiteral("更新日時");
}
inline QString saveTurn(int year, int month, int turn) {
    return QStringLiteral("%1年%2月%3ターン").arg(year).arg(month).arg(turn);
}
inline QString savesOpenButton() {
    return QStringLiteral("開く(&O)");
}
inline QString savesCompareButton() {
    return QStringLiteral("比較(&M)");
}
inline QString savesRefreshButton() {
    return QStringLiteral("更新(&R)");
}
inline QString savesCutShort() {
    return QStringLiteral("ファイルが途中で切れています。");
}
// A count with its thousands set apart, as "20 000".
inline QString groupedCount(qsizetype count) {
    QString digits = QString::number(count);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3) {
        digits.insert(at, u' ');
    }
    return digits;
}
inline QString savesReading(qsizetype done, qsizetype total) {
    return QStringLiteral("読み込み中: %1 / %2").arg(groupedCount(done), groupedCount(total));
}
inline QString savesListed(qsizetype saves) {
    return QStringLiteral("%1 件").arg(groupedCount(saves));
}
inline QString savesCancelled(qsizetype done, qsizetype total) {
    return QStringLiteral("中止しました（%1 / %2 を読み込み済み）")
        .arg(groupedCount(done), groupedCount(total));
}
inline QString savesCancelButton() {
    return QStringLiteral("中止(&C)");
}
inline QString compareDialogCaption() {
    return QStringLiteral("比較するファイル");
}
// Restoring from a backup.
inline QString menuFileRestore() {
    return QStringLiteral("バックアップから復元(&B)...");
}
inline QString backupsCaption() {
    return QStringLiteral("バックアップから復元");
}
inline QString backupsOf(const QString& path) {
    return QStringLiteral("%1 のバックアップ（新しい順）").arg(QDir::toNativeSeparators(path));
}
inline QString noBackups() {
    return QStringLiteral("このファイルのバックアップはありません。");
}
inline QString colBackupTime() {
    return QStringLiteral("日時");
}
inline QString colBackupSize() {
    return QStringLiteral("サイズ");
}
inline QString colBackupDifferences() {
    return QStringLiteral("現在との違い");
}
inline QString colBackupOrigin() {
    return QStringLiteral("元のファイル");
}
inline QString backupOfThisFile() {
    return QStringLiteral("このファイル");
}
// A backup of a save with the same name in another folder (a moved or copied game folder).
inline QString backupElsewhere(const QString& origin) {
    return QStringLiteral("別の場所: %1").arg(origin);
}
inline QString backupSize(qint64 bytes) {
    return QStringLiteral("%L1 バイト").arg(bytes);
}
inline QString backupDifferences(int fields) {
    return fields == 0 ? QStringLiteral("同じ内容") : QStringLiteral("%1 項目").arg(fields);
}
inline QString backupUnreadable() {
    return QStringLiteral("読み込めません");
}
inline QString restoreButton() {
    return QStringLiteral("復元(&R)");
}
inline QString restoreQuestion(const QString& time) {
    return QStringLiteral(
               "現在のファイルを %1 のバックアップで置き換えます。\n"
               "現在のファイルは先にバックアップされます。よろしいですか？")
        .arg(time);
}
inline QString restoreDropsChanges() {
    return QStringLiteral("\n保存されていない変更は失われます。");
}
inline QString restoreReadOnly() {
    return QStringLiteral("読み取り専用で開かれているため復元できません。");
}
inline QString restored(const QString& backup) {
    return QStringLiteral("バックアップから復元しました。復元前のファイル: %1")
        .arg(QDir::toNativeSeparators(backup));
}
inline QString backupTimeFormat() {
    return QStringLiteral("yyyy/MM/dd HH:mm:ss");
}
inline QString menuEditCut() {
    return QStringLiteral("切り取り(&T)");
}
inline QString menuEditCopy() {
    return QStringLiteral("ｺﾋﾟｰ(&C)");
}
inline QString menuEditPaste() {
    return QStringLiteral("貼り付け(&P)");
}
inline QString menuEditPasteSpecial() {
    return QStringLiteral("形式を選択して貼り付け(&S)...");
}
inline QString menuEditSelectAll() {
    return QStringLiteral("すべて選択(&A)");
}
inline QString menuEditInvertSelection() {
    return QStringLiteral("選択範囲の切り替え(&I)");
}
inline QString menuEditFind() {
    return QStringLiteral("検索(&F)");
}
inline QString menuEditCopyRows() {
    return QStringLiteral("行をｺﾋﾟｰ(&Y)");
}
inline QString menuFileExportCsv() {
    return QStringLiteral("CSV形式で書き出し(&E)...");
}
// "&1 path" for the first recent file, as the numbered entries of a File menu read.
inline QString menuFileRecent(int number, const QString& path) {
    return QStringLiteral("&%1 %2").arg(number).arg(QDir::toNativeSeparators(path));
}
inline QString menuView() {
    return QStringLiteral("表示(&V)");
}
inline QString menuViewToolbar() {
    return QStringLiteral("ﾂｰﾙ ﾊﾞｰ(&T)");
}
inline QString menuViewStatusBar() {
    return QStringLiteral("ｽﾃｰﾀｽ ﾊﾞｰ(&B)");
}
inline QString menuViewLargeIcons() {
    return QStringLiteral("大きいｱｲｺﾝ(&G)");
}
inline QString menuViewSmallIcons() {
    return QStringLiteral("小さいｱｲｺﾝ(&M)");
}
inline QString menuViewList() {
    return QStringLiteral("一覧(&L)");
}
inline QString menuViewDetails() {
    return QStringLiteral("詳細(&D)");
}
inline QString menuViewRefresh() {
    return QStringLiteral("最新の情報に更新(&R)");
}
inline QString menuViewOptions() {
    return QStringLiteral("ｵﾌﾟｼｮﾝ(&O)...");
}
inline QString menuHelp() {
    return QStringLiteral("ﾍﾙﾌﾟ(&H)");
}
inline QString menuHelpContents() {
    return QStringLiteral("目次(&C)");
}
inline QString menuHelpSearch() {
    return QStringLiteral("ﾄﾋﾟｯｸの検索(&S)...");
}
inline QString menuHelpAbout() {
    return QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A)");
}

// Tree captions of the fixed nodes and the science classes.
inline QString nodeKankei() {
    return QStringLiteral("艦型");
}
inline QString nodeKokan() {
    return QStringLiteral("個別艦船");
}
inline QString nodeKoukuki() {
    return QStringLiteral("航空機");
}
inline QString nodeKichi() {
    return QStringLiteral("基地");
}
inline QString nodeKagaku() {
    return QStringLiteral("科学兵器");
}
inline QString nodeToujouRen() {
    return QStringLiteral("搭乗員練度");
}
inline QString nodeJapan() {
    return QStringLiteral("日本軍");
}
inline QString nodeRengou() {
    return QStringLiteral("連合軍");
}
inline QString nodeAllForces() {
    return QStringLiteral("全軍");
}
inline QString nodeAntiAir() {
    return QStringLiteral("対空兵器");
}
inline QString nodeAntiSubmarine() {
    return QStringLiteral("対潜兵器");
}
inline QString nodeAntiShip() {
    return QStringLiteral("対艦兵器");
}

// Individual-ship names.
inline QString shipNameRo() {
    return QStringLiteral("呂");
}
inline QString shipNameI() {
    return QStringLiteral("伊");
}
inline QString shipNameKaibou() {
    return QStringLiteral("海防艦");
}
inline QString shipNameRenshou() {
    return QStringLiteral("連商船");
}
inline QString shipNameNisshou() {
    return QStringLiteral("日商船");
}
inline QString shipNameGou() {
    return QStringLiteral("号");
}
inline QString shipNameAlliedPrefix() {
    return QStringLiteral("No.");
}

// Column captions.
inline QString colClassName() {
    return QStringLiteral("クラス名");
}
inline QString colShipType() {
    return QStringLiteral("艦種");
}
inline QString colUpperSteps() {
    return QStringLiteral("上部ステップ");
}
inline QString colLowerSteps() {
    return QStringLiteral("下部ステップ");
}
inline QString colSpeed() {
    return QStringLiteral("速力");
}
inline QString colFuel() {
    return QStringLiteral("燃料");
}
inline QString colAircraft() {
    return QStringLiteral("機数");
}
inline QString colShipName() {
    return QStringLiteral("艦船名");
}
inline QString colCarried() {
    return QStringLiteral("搭載");
}
inline QString colFullName() {
    return QStringLiteral("正式名");
}
inline QString colName() {
    return QStringLiteral("名称");
}
inline QString colNation() {
    return QStringLiteral("国籍");
}
inline QString colDevelopmentTurn() {
    return QStringLiteral("開発ターン");
}
inline QString colBaseName() {
    return QStringLiteral("基地名");
}
inline QString colOwner() {
    return QStringLiteral("領有");
}
inline QString colTerrain() {
    return QStringLiteral("地形");
}
inline QString colSettlement() {
    return QStringLiteral("集落規模");
}
inline QString colResource() {
    return QStringLiteral("資源種");
}
inline QString colFactory() {
    return QStringLiteral("工場種");
}
inline QString colAnchorage() {
    return QStringLiteral("泊地");
}
inline QString colEffect() {
    return QStringLiteral("効果");
}
inline QString colNeedTurns() {
    return QStringLiteral("必要ターン");
}
inline QString colLeftTurns() {
    return QStringLiteral("残りターン");
}
inline QString colFighter() {
    return QStringLiteral("戦闘機");
}
inline QString colBomber() {
    return QStringLiteral("爆撃機");
}

// The search above the list.
inline QString searchBoxName() {
    return QStringLiteral("検索");
}
inline QString searchResultsName() {
    return QStringLiteral("検索結果");
}
inline QString searchPlaceholder() {
    return QStringLiteral("名称または番号で検索 (Ctrl+F)");
}
inline QString searchNothingFound() {
    return QStringLiteral("該当なし");
}
inline QString searchColumnName() {
    return QStringLiteral("名称");
}
inline QString searchColumnCategory() {
    return QStringLiteral("分類");
}
inline QString searchColumnNumber() {
    return QStringLiteral("番号");
}

}  // namespace korven::mainwindow::texts
