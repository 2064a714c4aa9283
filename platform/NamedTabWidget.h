#pragma once

#include <QTabBar>
#include <QTabWidget>

// Qt names a tab list on the accessibility bus by its current tab and ignores its accessible
// name, so a screen reader says "フォルダ" where it should say what the tabs choose. This tab
// bar's list is named by its accessible name; its tabs keep their own names.
namespace korven {

class NamedTabBar : public QTabBar {
    Q_OBJECT

public:
    explicit NamedTabBar(QWidget* parent = nullptr);
};

// A tab widget whose tab list is named `listName` for screen readers.
class NamedTabWidget : public QTabWidget {
    Q_OBJECT

public:
    NamedTabWidget(const QString& listName, QWidget* parent = nullptr);
};

}  // namespace korven
