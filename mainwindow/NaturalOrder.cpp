#include "mainwindow/NaturalOrder.h"

#include <QString>

namespace korven::mainwindow {
namespace {

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

qsizetype digitsFrom(QStringView text, qsizetype from) {
    qsizetype end = from;
    while (end < text.size() && isDigit(text[end])) {
        ++end;
    }
    return end;
}

// Compares two runs of digits by value, leading zeros aside; fewer zeros first on a tie so
// that "2" and "02" still have an order.
int compareNumbers(QStringView a, QStringView b) {
    qsizetype za = 0;
    qsizetype zb = 0;
    while (za + 1 < a.size() && a[za] == u'0') {
        ++za;
    }
    while (zb + 1 < b.size() && b[zb] == u'0') {
        ++zb;
    }
    const QStringView va = a.sliced(za);
    const QStringView vb = b.sliced(zb);
    if (va.size() != vb.size()) {
        return va.size() < vb.size() ? -1 : 1;
    }
    if (const int c = va.compare(vb); c != 0) {
        return c;
    }
    return za < zb ? -1 : (za > zb ? 1 : 0);
}

int naturalCompare(QStringView a, QStringView b) {
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            const qsizetype ei = digitsFrom(a, i);
            const qsizetype ej = digitsFrom(b, j);
            if (const int c = compareNumbers(a.sliced(i, ei - i), b.sliced(j, ej - j)); c != 0) {
                return c;
            }
            i = ei;
            j = ej;
            continue;
        }
        const char16_t ca = a[i].toCaseFolded().unicode();
        const char16_t cb = b[j].toCaseFolded().unicode();
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
        ++i;
        ++j;
    }
    if (i < a.size() || j < b.size()) {
        return i < a.size() ? 1 : -1;
    }
    // Equal but for case: still an order, so that sorting is stable across runs.
    return a.compare(b);
}

}  // namespace

bool NaturalLess(QStringView a, QStringView b) {
    return naturalCompare(a, b) < 0;
}

}  // namespace korven::mainwindow
