#pragma once

#include "model/Recipe.h"

#include <QDialog>

class QTreeWidget;

namespace korven {

class OpenDocument;

// A prepared recipe before it applies: how many values each line changed and limited, and the
// changes in the change view's list. OK applies them as one step of the history, named by the
// recipe's title.
class RecipeDialog : public QDialog {
    Q_OBJECT
public:
    RecipeDialog(OpenDocument& document, recipe::Prepared prepared, QWidget* owner);

    void accept() override;

private:
    OpenDocument& m_document;
    recipe::Prepared m_prepared;
};

}  // namespace korven
