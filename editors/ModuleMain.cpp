#include "editors/ModuleMain.h"

#include "editors/Colours.h"
#include "editors/EditorTexts.h"
#include "platform/ControlAccess.h"
#include "platform/UiServices.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>

#include <limits>

namespace korven {
namespace {

uint32_t foreColor(const QWidget* w) {
    const QVariant value = w->property(kForeColorProperty);
    return value.isValid() ? value.toUInt() : colours::kWindowText;
}

void setTextColor(QWidget* w, uint32_t colour) {
    QPalette palette = w->palette();
    const QColor c = colours::toColor(colour, QApplication::palette(w));
    palette.setColor(QPalette::Text, c);
    palette.setColor(QPalette::WindowText, c);
    palette.setColor(QPalette::ButtonText, c);
    w->setPalette(palette);
}

}  // namespace

bool FileExists(const QString& path) {
    if (path.isEmpty()) {
        return false;
    }
    QString name = path;
    if (name.endsWith(u'\\')) {
        name.chop(1);
    }
    if (QFileInfo(name).isDir()) {
        return false;
    }
    QFile file(name);
    return file.open(QIODevice::ReadOnly);
}

void ApplyLabelStyle(QWidget* dialog, const colours::LabelColours& labels) {
    for (QWidget* w : dialog->findChildren<QWidget*>()) {
        const bool styled =
            qobject_cast<QLineEdit*>(w) || qobject_cast<QLabel*>(w) || qobject_cast<QComboBox*>(w);
        if (!styled) {
            continue;
        }
        if (foreColor(w) == colours::kHighlight) {
            QFont font = w->font();
            font.setItalic(true);
            w->setFont(font);
            setTextColor(w, colours::kHighlight);
        } else if (auto* label = qobject_cast<QLabel*>(w);
                   label && label->property(kTagProperty).toString() != u"!") {
            setTextColor(label, labels.text);
            SetBackColor(label, labels.background);
        }
    }
}

bool txtNumInput(QLineEdit* box, std::optional<qint64> maximum, std::optional<qint64> minimum) {
    const rules::FilteredNumber filtered = rules::filterNumber(box->text(), maximum, minimum);
    if (!filtered.changed) {
        return false;
    }
    box->setText(filtered.text);
    ui().beep();
    box->setCursorPosition(static_cast<int>(filtered.text.size()));
    return true;
}

qint64 boxValue(const QLineEdit* box) {
    return rules::numericValue(box->text());
}

void LimitTextBytes(QLineEdit* box, int maxBytes) {
    const rules::LimitedText limited = rules::limitTextBytes(box->text(), maxBytes);
    if (!limited.changed) {
        return;
    }
    box->setText(limited.text);
    ui().beep();
    box->setCursorPosition(static_cast<int>(limited.text.size()));
}

void MarkRange(QLineEdit* box, const rules::Bounds& bounds) {
    constexpr char kDesignedText[] = "designedTextColours";
    constexpr char kDesignedToolTip[] = "designedToolTip";  // e.g. "9999で無限大", back when in range
    constexpr QPalette::ColorGroup kGroups[] = {QPalette::Active, QPalette::Inactive, QPalette::Disabled};
    QPalette palette = box->palette();
    const bool marked = box->property(kDesignedText).isValid();
    if (rules::withinBounds(box->text(), bounds)) {
        if (marked) {
            const QVariantList designed = box->property(kDesignedText).toList();
            for (std::size_t g = 0; g < std::size(kGroups); ++g) {
                palette.setColor(kGroups[g], QPalette::Text, designed[qsizetype(g)].value<QColor>());
            }
            box->setPalette(palette);
            box->setProperty(kDesignedText, QVariant());
            setOwnToolTip(box, box->property(kDesignedToolTip).toString());
        }
        return;
    }
    if (!marked) {
        QVariantList designed;
        for (const QPalette::ColorGroup group : kGroups) {
            designed.append(palette.color(group, QPalette::Text));
        }
        box->setProperty(kDesignedText, designed);
        box->setProperty(kDesignedToolTip, box->toolTip());
    }
    const QColor red = colours::toColor(colours::kOutOfRangeText, palette);
    for (const QPalette::ColorGroup group : kGroups) {
        palette.setColor(group, QPalette::Text, red);
    }
    box->setPalette(palette);
    setOwnToolTip(box, texts::edit::outOfRange(bounds.minimum.value_or(0),
                                               bounds.maximum.value_or(std::numeric_limits<qint64>::max())));
}

std::optional<bool> ShowsStored(const QWidget* control, const rules::StoredValue& stored) {
    if (const auto* combo = qobject_cast<const QComboBox*>(control)) {
        return rules::indexUnchanged(stored, combo->currentIndex());
    }
    if (const auto* check = qobject_cast<const QCheckBox*>(control)) {
        return rules::indexUnchanged(stored, check->isChecked() ? 1 : 0);
    }
    if (const auto* box = qobject_cast<const QLineEdit*>(control)) {
        return rules::textUnchanged(stored, box->text());
    }
    return std::nullopt;
}

void SetBackColor(QWidget* control, uint32_t colour) {
    control->setProperty(kBackColorProperty, colour);
    QPalette palette = control->palette();
    // System colours come from the style's palette, not from earlier marking. Disabled boxes
    // (derived values) show their marks too.
    const QPalette& style = QApplication::palette(control);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const QColor c = colours::toColor(colour, style, group);
        for (const QPalette::ColorRole role : {QPalette::Base, QPalette::Window, QPalette::Button}) {
            palette.setColor(group, role, c);
        }
    }
    control->setPalette(palette);
    control->setAutoFillBackground(qobject_cast<QLabel*>(control) || qobject_cast<QCheckBox*>(control));
}

}  // namespace korven
