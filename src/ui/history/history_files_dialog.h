#pragma once

#include "common/ui_services.h"
#include "history/history_generation.h"

#include <QDialog>

class QLineEdit;
class QListWidget;
class QRadioButton;

namespace quorvel {
class Clock;
}

namespace quorvel::ui {

// The "Generate new user history files" dialog (`bordlg_genuser`): a user, the number of records
// per file and whether the files are made for that user or for all. "&Generate" makes them at
// once, after the person confirms; "&Ok" only closes: the dialog changes nothing else.
class HistoryFilesDialog final : public QDialog
{
    Q_OBJECT
public:
    HistoryFilesDialog(UiContext& context, Clock& clock, QWidget* parent = nullptr);

    // What the controls hold now.
    HistoryGenerationValues values() const;
    static constexpr int kHelpContext = 242;

private:
    void generate(); // "&Generate"

    UiContext& m_context;
    Clock& m_clock;
    HistoryGenerationValues m_opening;
    QListWidget* m_users = nullptr;
    QLineEdit* m_records = nullptr;
    QRadioButton* m_individual = nullptr;
    QRadioButton* m_all = nullptr;
};

// Command "&Generate new user history file..." (242): runs the dialog modally.
void runNewHistoryFiles(QWidget* parent, UiContext& context);

} // namespace quorvel::ui
