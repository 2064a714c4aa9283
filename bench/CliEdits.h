#pragma once

#include <QByteArray>
#include <QString>

// The edits file both korvenedit-cli benchmarks apply: `count` assignments to the fuel of the
// ships in turn, so that from the 1201st on each one overrides an earlier one.
namespace korven::bench {

inline QByteArray shipFuelAssignments(int count) {
    QByteArray text;
    for (int i = 0; i < count; ++i) {
        text += QStringLiteral("Ship[%1].Words[6]=%2\n").arg(i % 1200).arg(i % 3000).toUtf8();
    }
    return text;
}

}  // namespace korven::bench
