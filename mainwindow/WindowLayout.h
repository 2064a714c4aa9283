#pragma once

#include <cmath>

// The main window's layout arithmetic, in twips (15 per device-independent pixel).
namespace korven::mainwindow::layout {

inline constexpr double kTwipsPerPixel = 15;

inline constexpr double kTitleHeight = 252;
inline constexpr double kStripWidth = 80;
inline constexpr double kMinimumTreeWidth = 1500;
inline constexpr double kMinimumListMargin = 1500;
inline constexpr double kDragLimit = 500;
inline constexpr double kListGap = 40;
inline constexpr double kListWidthAllowance = 130;
inline constexpr double kRightLabelOffset = 896;
inline constexpr double kLeftLabelAllowance = 916;
inline constexpr double kPaneHeightAllowance = 1188;
inline constexpr double kStatusBarAllowance = 264;
inline constexpr double kMinimumWindowWidth = 4000;
inline constexpr double kMinimumWindowHeight = 2000;

inline int toPixels(double twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}
inline double toTwips(int pixels) {
    return pixels * kTwipsPerPixel;
}

// A measure kept in twips while the widget has it in pixels: the stored twips stay as long
// as they still round to the widget's pixels, so 1000 read from the settings is written back
// as 1000 rather than 1005.
inline double keepTwips(double stored, int pixels) {
    return toPixels(stored) == pixels ? stored : toTwips(pixels);
}

// The fewest pixels that hold `twips`: a window's minimum size.
inline int ceilPixels(double twips) {
    return static_cast<int>(std::ceil(twips / kTwipsPerPixel));
}

// keepTwips for a window measure with a minimum: a window at its smallest pixel size is as
// small as the minimum allows, so it keeps the minimum rather than the pixels' 2010 for 2000.
double keepWindowTwips(double stored, int pixels, double minimum);

struct PaneLayout {
    double splitter = 0;  // the applied splitter position
    double treeWidth = 0;
    double stripLeft = 0;
    double listLeft = 0;
    double listWidth = 0;
    double label2Left = 0;
    double label1Width = 0;
    double paneHeight = 0;
};

// The splitter position applied: at least the minimum tree width, at most the window width
// less the list margin (that limit wins in a narrow window).
double ClampSplitter(double position, double windowWidth);

PaneLayout LayOut(double windowWidth, double windowHeight, double position, bool statusBarVisible);

// The bar's left edge while it is dragged with the pointer at `pointer` (relative to the
// strip's left edge).
double DragBarLeft(double stripLeft, double pointer, double windowWidth);

struct Size {
    double width = 0;
    double height = 0;
};

Size EnforceMinimumSize(Size window);

// The bar shown when a drag starts: the strip's left and top, half its width (whole twips),
// its height less 20.
struct BarGeometry {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

BarGeometry DragBarAtStart(double stripLeft, double stripTop, double stripWidth, double stripHeight);

}  // namespace korven::mainwindow::layout
