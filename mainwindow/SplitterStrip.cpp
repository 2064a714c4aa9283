#include "mainwindow/SplitterStrip.h"

#include <QMouseEvent>

namespace korven::mainwindow {

SplitterStrip::SplitterStrip(QWidget* parent) : QWidget(parent) {
    setCursor(Qt::SizeHorCursor);
}

void SplitterStrip::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    m_down = true;
    emit pressed();
}

void SplitterStrip::mouseMoveEvent(QMouseEvent* event) {
    if (m_down) {
        emit moved(static_cast<int>(event->position().x()));
    }
}

void SplitterStrip::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_down) {
        return;
    }
    m_down = false;
    emit released();
}

}  // namespace korven::mainwindow
