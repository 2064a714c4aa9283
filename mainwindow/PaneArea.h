#pragma once

#include "mainwindow/WindowLayout.h"

#include <QWidget>

class QLabel;

namespace korven {

class RecordBrowser;

namespace mainwindow {

class SplitterStrip;

// The window's central area: the two title labels, the tree and the list side by side, and the
// strip between them that the user drags to move the splitter. Measures are twips.
class PaneArea : public QWidget {
    Q_OBJECT
public:
    explicit PaneArea(QWidget* parent);

    // The panes to lay out; they follow the search panel's height.
    void setBrowser(RecordBrowser* browser);
    void setTitles(const QString& label1, const QString& label2);
    void setLabel1(const QString& text);

    // Lays the panes out for a window of `window`, the splitter at `position` (0: where it was).
    void layOut(layout::Size window, bool statusBarVisible, double position = 0);

    // The bar's left edge: the splitter position the settings keep.
    double splitter() const { return m_splitter; }
    void setSplitter(double position) { m_splitter = position; }
    const layout::PaneLayout& paneLayout() const { return m_layout; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void applyLayout();
    void startDrag();
    void drag(int x);
    void endDrag();

    RecordBrowser* m_browser = nullptr;
    QWidget* m_titles;
    QLabel* m_label1;
    QLabel* m_label2;
    SplitterStrip* m_strip;
    QWidget* m_bar;

    layout::Size m_window;
    bool m_statusBarVisible = true;
    double m_splitter = 0;
    bool m_dragging = false;
    layout::PaneLayout m_layout;
};

}  // namespace mainwindow
}  // namespace korven
