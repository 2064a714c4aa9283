#pragma once

#include "model/ChangeSet.h"

#include <QDir>
#include <QString>
#include <QStringList>

// The open document's own texts. Tests refer to the same constants.
namespace korven::document::texts {

// One field of a step's name: "燃料 4274→6000".
inline QString changedField(const QString& label, const QString& before, const QString& after) {
    return QStringLiteral("%1 %2→%3").arg(label, before, after);
}

// The name of one step of the edit history: "大和型: 燃料 4274→6000、速力 30→32".
inline QString changeStep(const QString& recordName, const QStringList& fields) {
    return QStringLiteral("%1: %2").arg(recordName, fields.join(QStringLiteral("、")));
}

// After the fields a step's name lists, how many more it changed.
inline QString moreFields(qsizetype count) {
    return QStringLiteral("ほか %1 項目").arg(count);
}

// The step that puts changes back to the values of the file as last saved.
inline QString revertStep(const QString& stepName) {
    return QStringLiteral("元に戻す: %1").arg(stepName);
}

// The step that takes values from a compared save.
inline QString takeoverStep(qsizetype count) {
    return QStringLiteral("比較から取り込み: %1 項目").arg(count);
}

inline QString changeRefused(const ChangeRefusal& refusal) {
    using Reason = ChangeRefusal::Reason;
    QString why;
    switch (refusal.reason) {
        case Reason::UnknownField:
            why = QStringLiteral("この項目はファイルにありません。");
            break;
        case Reason::NotAnInteger:
            why = QStringLiteral("整数ではありません。");
            break;
        case Reason::OutOfRange:
            why = QStringLiteral("値が項目の範囲を超えています。");
            break;
        case Reason::NotAText:
            why = QStringLiteral("文字列ではありません。");
            break;
        case Reason::TextUnmappable:
            why = QStringLiteral("Shift-JIS で表せない文字が含まれています。");
            break;
        case Reason::TextTooLong:
            why = QStringLiteral("文字列が長すぎます。");
            break;
    }
    return QStringLiteral("変更を適用できませんでした。\n%1: %2").arg(refusal.path, why);
}

inline QString backupUnreadable(const QString& path) {
    return QStringLiteral("バックアップを読み込めませんでした。\n%1").arg(QDir::toNativeSeparators(path));
}

}  // namespace korven::document::texts
