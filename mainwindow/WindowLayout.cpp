#include "mainwindow/WindowLayout.h"

#include <algorithm>

namespace korven::mainwindow::layout {

double ClampSplitter(double position, double windowWidth) {
    double x = std::max(position, kMinimumTreeWidth);
    if (x > windowWidth - kMinimumListMargin) {
        x = windowWidth - kMinimumListMargin;
    }
    return x;
}

PaneLayout LayOut(double windowWidth, double windowHeight, double position, bool statusBarVisible) {
    PaneLayout l;
    l.splitter = ClampSplitter(position, windowWidth);
    l.treeWidth = l.splitter;
    l.stripLeft = l.splitter;
    l.listLeft = l.splitter + kListGap;
    l.listWidth = windowWidth - (l.treeWidth + kListWidthAllowance);
    l.label2Left = windowWidth - kRightLabelOffset;
    l.label1Width = windowWidth - kLeftLabelAllowance;
    l.paneHeight = windowHeight - kPaneHeightAllowance + (statusBarVisible ? 0 : kStatusBarAllowance);
    return l;
}

double DragBarLeft(double stripLeft, double pointer, double windowWidth) {
    const double p = stripLeft + pointer;
    if (p < kDragLimit) {
        return kDragLimit;
    }
    if (p > windowWidth - kDragLimit) {
        return windowWidth - kDragLimit;
    }
    return p;
}

double keepWindowTwips(double stored, int pixels, double minimum) {
    if (pixels <= ceilPixels(minimum)) {
        return stored >= minimum && toPixels(stored) == pixels ? stored : minimum;
    }
    return keepTwips(stored, pixels);
}

Size EnforceMinimumSize(Size window) {
    return Size{std::max(window.width, kMinimumWindowWidth), std::max(window.height, kMinimumWindowHeight)};
}

BarGeometry DragBarAtStart(double stripLeft, double stripTop, double stripWidth, double stripHeight) {
    const double halfWidth = static_cast<double>(static_cast<long long>(stripWidth) / 2);
    return BarGeometry{stripLeft, stripTop, halfWidth, stripHeight - 20};
}

}  // namespace korven::mainwindow::layout
