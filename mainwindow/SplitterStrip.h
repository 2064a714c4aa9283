#pragma once

#include <QWidget>

namespace korven::mainwindow {

// The invisible strip between tree and list that the user drags: it reports the press, the
// pointer's x offset within the strip while dragging, and the release.
class SplitterStrip : public QWidget {
    Q_OBJECT
public:
    explicit SplitterStrip(QWidget* parent);

signals:
    void pressed();
    void moved(int x);
    void released();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_down = false;
};

}  // namespace korven::mainwindow
