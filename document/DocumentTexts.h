#pragma once

#include "model/ChangeSet.h"
#include "model/RecordKey.h"

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

// The step that puts changes back to the values of the file as last saved. Not "元に戻す",
// which the undo menu item already says in front of the step's name.
inline QString revertStep(const QString& stepName) {
    return QStringLiteral("変更の取り消し: %1").arg(stepName);
}

// The step that takes values from a compared save.
inline QString takeoverStep(qsizetype count) {
    return QStringLiteral("比較から取り込み: %1 項目").arg(count);
}

// What a batch edit counts its records in: "45 隻".
inline QString recordCount(RecordKind kind, qsizetype count) {
    switch (kind) {
        case RecordKind::Ship:
            return QStringLiteral("%1 隻").arg(count);
        case RecordKind::ShipClass:
            return QStringLiteral("%1 艦型").arg(count);
        case RecordKind::AircraftType:
            return QStringLiteral("%1 機種").arg(count);
        case RecordKind::Base:
            return QStringLiteral("%1 基地").arg(count);
        case RecordKind::ScienceWeapon:
        case RecordKind::AircrewSkill:
            break;
    }
    return QStringLiteral("%1 件").arg(count);
}

// The step of a batch edit: "一括編集: 燃料（現在） 45 隻".
inline QString batchStep(const QString& label, const QString& records) {
    return QStringLiteral("一括編集: %1 %2").arg(label, records);
}

inline QString batchNoRecords() {
    return QStringLiteral("一括編集するレコードが選択されていません。");
}

inline QString batchNoField(const QString& label) {
    return QStringLiteral("「%1」は一括編集できない項目です。").arg(label);
}

inline QString batchValueOutside(const QString& label, qint64 minimum, qint64 maximum) {
    return QStringLiteral("%1 に指定できる値は %2～%3 です。").arg(label).arg(minimum).arg(maximum);
}

inline QString batchPercentOutside(qint64 maximum) {
    return QStringLiteral("割合は 0～%1 % の範囲で指定してください。").arg(maximum);
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
