#include "platform/ControlAccess.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>

namespace korven {
namespace {

constexpr char kOwnToolTipProperty[] = "ownToolTip";

// Keeps the tool tip of a box in step with its text and width.
class WholeTextTip : public QObject {
public:
    explicit WholeTextTip(QLineEdit* box) : QObject(box), m_box(box) {
        box->setProperty(kOwnToolTipProperty, box->toolTip());
        box->installEventFilter(this);
        connect(box, &QLineEdit::textChanged, this, &WholeTextTip::update);
        update();
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_box && (event->type() == QEvent::Resize || event->type() == QEvent::FontChange)) {
            update();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void update() {
        // The frame on both sides, the text margins and the box's own two-pixel inner margins.
        const int frame = m_box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, m_box);
        const QMargins margins = m_box->textMargins();
        const int room = m_box->width() - 2 * frame - margins.left() - margins.right() - 4;
        const bool cut = m_box->fontMetrics().horizontalAdvance(m_box->text()) > room;
        m_box->setToolTip(cut ? m_box->text() : m_box->property(kOwnToolTipProperty).toString());
    }

    QLineEdit* m_box;
};

}  // namespace

void labelControl(QLabel* label, QWidget* control) {
    label->setBuddy(control);
    QString name = label->text();
    name.remove(u'&');
    control->setAccessibleName(name);
}

void nameControl(QWidget* control, const QString& name) {
    control->setAccessibleName(name);
    if (qobject_cast<QComboBox*>(control) != nullptr) {
        control->setAccessibleDescription(name);
    }
}

QString rowAndColumnName(const QString& row, const QString& column) {
    return row + u'（' + column + u'）';
}

void chainTabOrder(const QList<QWidget*>& order) {
    for (qsizetype i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

void showWholeTextWhenCut(QLineEdit* box) {
    new WholeTextTip(box);
}

}  // namespace korven
