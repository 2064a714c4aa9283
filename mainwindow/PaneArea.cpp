#include "mainwindow/PaneArea.h"

#include "mainwindow/MainWindowTexts.h"
#include "mainwindow/RecordBrowser.h"
#include "mainwindow/SearchPanel.h"
#include "mainwindow/SplitterStrip.h"

#include <QLabel>
#include <QTreeWidget>

#include <algorithm>

namespace korven::mainwindow {

namespace lay = layout;
namespace mt = texts;

namespace {

QRect pixelRect(double left, double top, double width, double height) {
    return QRect(lay::toPixels(left), lay::toPixels(top), std::max(0, lay::toPixels(width)),
                 std::max(0, lay::toPixels(height)));
}

}  // namespace

PaneArea::PaneArea(QWidget* parent)
    : QWidget(parent),
      m_titles(new QWidget(this)),
      m_label1(new QLabel(mt::label1Design(), m_titles)),
      m_label2(new QLabel(mt::label2Design(), m_titles)),
      m_strip(new SplitterStrip(this)),
      m_bar(new QWidget(this)) {
    setObjectName(QStringLiteral("central"));
    m_titles->setObjectName(QStringLiteral("picTitles"));
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setToolTip(mt::label1ToolTip());
    m_label2->setObjectName(QStringLiteral("Label2"));
    m_label2->setToolTip(mt::label2ToolTip());
    for (QLabel* label : {m_label1, m_label2}) {
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setIndent(3);
    }

    m_strip->setObjectName(QStringLiteral("imgSplitter"));
    m_bar->setObjectName(QStringLiteral("picSplitter"));
    m_bar->setAutoFillBackground(true);
    QPalette dark = m_bar->palette();
    dark.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
    m_bar->setPalette(dark);
    m_bar->hide();

    connect(m_strip, &SplitterStrip::pressed, this, &PaneArea::startDrag);
    connect(m_strip, &SplitterStrip::moved, this, &PaneArea::drag);
    connect(m_strip, &SplitterStrip::released, this, &PaneArea::endDrag);
}

void PaneArea::setBrowser(RecordBrowser* browser) {
    m_browser = browser;
    connect(browser, &RecordBrowser::searchHeightChanged, this, &PaneArea::applyLayout);
}

void PaneArea::setTitles(const QString& label1, const QString& label2) {
    m_label1->setText(label1);
    m_label2->setText(label2);
}

void PaneArea::setLabel1(const QString& text) {
    m_label1->setText(text);
}

void PaneArea::layOut(lay::Size window, bool statusBarVisible, double position) {
    m_window = window;
    m_statusBarVisible = statusBarVisible;
    const double x = position == 0 ? m_splitter : position;
    m_layout = lay::LayOut(window.width, window.height, x, statusBarVisible);
    applyLayout();
}

void PaneArea::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    applyLayout();
}

void PaneArea::applyLayout() {
    if (m_browser == nullptr) {
        return;
    }
    const lay::PaneLayout& l = m_layout;
    m_titles->setGeometry(pixelRect(0, 0, m_window.width, lay::kTitleHeight));
    m_label1->setGeometry(pixelRect(0, 0, l.label1Width, lay::kTitleHeight));
    m_label2->setGeometry(
        pixelRect(l.label2Left, 0, lay::kRightLabelOffset - lay::kListGap, lay::kTitleHeight));
    // The pane-height allowances count the frame, menu and status bar measures of another
    // platform; here the panes take the height between the title strip and the status bar.
    const int top = lay::toPixels(lay::kTitleHeight);
    const int height = std::max(0, this->height() - top);
    auto place = [&](QWidget* w, double left, double paneWidth) {
        w->setGeometry(lay::toPixels(left), top, std::max(0, lay::toPixels(paneWidth)), height);
    };
    place(m_browser->tree(), 0, l.treeWidth);
    // The search takes the top of the list's pane.
    const int searchHeight = std::min(m_browser->search()->neededHeight(), height);
    m_browser->search()->setGeometry(lay::toPixels(l.listLeft), top, std::max(0, lay::toPixels(l.listWidth)),
                                     searchHeight);
    m_browser->placeList(QRect(lay::toPixels(l.listLeft), top + searchHeight,
                               std::max(0, lay::toPixels(l.listWidth)), height - searchHeight));
    place(m_strip, l.stripLeft, lay::kStripWidth);
    // The strip lies over the list's left edge, so the whole strip can be grabbed.
    m_strip->raise();
    m_bar->raise();
}

void PaneArea::startDrag() {
    const lay::BarGeometry g = lay::DragBarAtStart(m_layout.stripLeft, lay::kTitleHeight, lay::kStripWidth,
                                                   lay::toTwips(m_strip->height()));
    m_bar->setGeometry(pixelRect(g.left, g.top, g.width, g.height));
    m_splitter = g.left;
    m_bar->show();
    m_bar->raise();
    m_dragging = true;
}

void PaneArea::drag(int x) {
    if (!m_dragging) {
        return;
    }
    m_splitter = lay::DragBarLeft(m_layout.stripLeft, lay::toTwips(x), m_window.width);
    m_bar->move(lay::toPixels(m_splitter), m_bar->y());
}

void PaneArea::endDrag() {
    layOut(m_window, m_statusBarVisible, m_splitter);
    m_bar->hide();
    m_dragging = false;
}

}  // namespace korven::mainwindow
