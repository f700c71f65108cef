#pragma once

#include "dictionary/category_setup.h"

#include <QDialog>

class QComboBox;

namespace quorvel::ui {

struct UiContext;

// The "Dictionary category setup " dialog: a From box (a list of the categories that also takes a
// typed name) and a To list, and one button per action. Each action is carried out, saved and
// shown in the tool bar's category box as soon as it is confirmed; Done closes the dialog.
class CategorySetupDialog final : public QDialog
{
    Q_OBJECT
public:
    explicit CategorySetupDialog(UiContext& context, QWidget* parent = nullptr);

    // The selections and the From text as they stand.
    CategorySetupValues values() const;
    static constexpr int kHelpContext = 247;

private:
    void act(CategoryAction action);
    // Fills both boxes from the record, keeping the selections.
    void refill();

    UiContext& m_context;
    QComboBox* m_from;
    QComboBox* m_to;
};

// Command 247: runs the dialog. True when any action changed something.
bool runCategorySetup(UiContext& context, QWidget* parent = nullptr);

} // namespace quorvel::ui
