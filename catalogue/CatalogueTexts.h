#pragma once

#include <QString>

// The catalogue's own texts, shown by the window layer.
namespace korven::catalogue::texts {

// Shown with the error icon when an aircraft index has no development entry.
inline QString badDevelopmentIndex() {
    return QStringLiteral("エラー。開発データの数値がおかしい。");
}

}  // namespace korven::catalogue::texts
