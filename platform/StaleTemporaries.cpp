#include "platform/StaleTemporaries.h"

#include "platform/FileNames.h"

#include <QRandomGenerator>

namespace korven {
namespace {

constexpr char kSuffixCharacters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr qsizetype kSuffixLength = 6;

}  // namespace

QByteArray TemporaryPrefix(const QString& fileName) {
    return "." + EncodeFileName(fileName) + ".";
}

QByteArray RandomSuffix() {
    QByteArray suffix(kSuffixLength, '\0');
    for (char& c : suffix) {
        c = kSuffixCharacters[QRandomGenerator::global()->bounded(int(sizeof kSuffixCharacters - 1))];
    }
    return suffix;
}

bool IsTemporarySuffix(QByteArrayView part) {
    if (part.size() != kSuffixLength) {
        return false;
    }
    for (const char c : part) {
        const bool alphanumeric = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (!alphanumeric) {
            return false;
        }
    }
    return true;
}

}  // namespace korven
