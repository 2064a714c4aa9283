#include "platform/NamedTabWidget.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QRegularExpression>

#include <vector>

namespace korven {
namespace {

QString withoutMnemonic(QString text) {
    return text.remove(QRegularExpression(QStringLiteral("&(?!&)")))
        .replace(QStringLiteral("&&"), QStringLiteral("&"));
}

// One tab of the list: no widget of its own, so it is drawn from the bar.
class TabAccessible final : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    TabAccessible(QTabBar* bar, QAccessibleInterface* list, int index)
        : m_bar(bar), m_list(list), m_index(index) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }
    QObject* object() const override { return nullptr; }
    bool isValid() const override { return !m_bar.isNull() && m_index < m_bar->count(); }
    QAccessible::Role role() const override { return QAccessible::PageTab; }
    QAccessibleInterface* parent() const override { return m_list; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QWindow* window() const override { return m_list->window(); }

    QString text(QAccessible::Text type) const override {
        if (!isValid()) {
            return {};
        }
        switch (type) {
            case QAccessible::Name: {
                const QString name = m_bar->accessibleTabName(m_index);
                return name.isEmpty() ? withoutMnemonic(m_bar->tabText(m_index)) : name;
            }
            case QAccessible::Description:
                return m_bar->tabToolTip(m_index);
            default:
                return {};
        }
    }
    void setText(QAccessible::Text, const QString&) override {}

    QAccessible::State state() const override {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        state.selectable = true;
        state.focusable = true;
        const bool current = m_index == m_bar->currentIndex();
        state.selected = current;
        state.focused = current && m_bar->hasFocus();
        state.disabled = !m_bar->isTabEnabled(m_index);
        state.invisible = !m_bar->isTabVisible(m_index) || !m_bar->isVisible();
        state.offscreen = !m_bar->rect().intersects(m_bar->tabRect(m_index));
        return state;
    }

    QRect rect() const override {
        if (!isValid()) {
            return {};
        }
        const QRect tab = m_bar->tabRect(m_index);
        return QRect(m_bar->mapToGlobal(tab.topLeft()), tab.size());
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (isValid() && name == pressAction()) {
            m_bar->setCurrentIndex(m_index);
        }
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    int index() const { return m_index; }

private:
    QPointer<QTabBar> m_bar;
    QAccessibleInterface* m_list;
    int m_index;
};

class NamedTabBarAccessible final : public QAccessibleWidget {
public:
    explicit NamedTabBarAccessible(QTabBar* bar) : QAccessibleWidget(bar, QAccessible::PageTabList) {}

    ~NamedTabBarAccessible() override {
        for (const QAccessible::Id id : m_tabs) {
            QAccessible::deleteAccessibleInterface(id);
        }
    }

    QString text(QAccessible::Text type) const override {
        if (type == QAccessible::Name) {
            const QString name = widget()->accessibleName();
            return name.isEmpty() ? withoutMnemonic(bar()->tabText(bar()->currentIndex())) : name;
        }
        return QAccessibleWidget::text(type);
    }

    int childCount() const override { return bar()->count(); }

    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= bar()->count()) {
            return nullptr;
        }
        // The tabs are registered once and live as long as the list's interface.
        while (int(m_tabs.size()) <= index) {
            auto* tab =
                new TabAccessible(bar(), const_cast<NamedTabBarAccessible*>(this), int(m_tabs.size()));
            m_tabs.push_back(QAccessible::registerAccessibleInterface(tab));
        }
        return QAccessible::accessibleInterface(m_tabs[size_t(index)]);
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child != nullptr && child->role() == QAccessible::PageTab && child->parent() == this) {
            return static_cast<const TabAccessible*>(child)->index();
        }
        return -1;
    }

    QAccessibleInterface* childAt(int x, int y) const override {
        const int index = bar()->tabAt(bar()->mapFromGlobal(QPoint(x, y)));
        return index < 0 ? nullptr : child(index);
    }

private:
    QTabBar* bar() const { return static_cast<QTabBar*>(widget()); }

    mutable std::vector<QAccessible::Id> m_tabs;
};

QAccessibleInterface* namedTabBarFactory(const QString& className, QObject* object) {
    if (className == QLatin1String(NamedTabBar::staticMetaObject.className()) && object->isWidgetType()) {
        return new NamedTabBarAccessible(static_cast<QTabBar*>(object));
    }
    return nullptr;
}

}  // namespace

NamedTabBar::NamedTabBar(QWidget* parent) : QTabBar(parent) {
    QAccessible::installFactory(namedTabBarFactory);
}

NamedTabWidget::NamedTabWidget(const QString& listName, QWidget* parent) : QTabWidget(parent) {
    auto* bar = new NamedTabBar(this);
    bar->setAccessibleName(listName);
    setTabBar(bar);
    setAccessibleName(listName);
}

}  // namespace korven
