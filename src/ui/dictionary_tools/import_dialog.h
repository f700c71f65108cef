#pragma once

#include "dictionary/additional_import.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quorvel::ui {

struct UiContext;

// The "Import additional dictionary dialog ": the categories of the additional dictionary in a
// folder (the backup path, or any folder picked with Browse, a memory stick say), the working
// dictionary's categories, the force box, Add and Combine, and the three counts of the last
// import. Each import is carried out and saved as soon as it is confirmed; Done closes.
class ImportDialog final : public QDialog
{
    Q_OBJECT
public:
    // Asks for a folder, starting at the one given; nothing when the person cancels.
    using FolderPicker = std::function<std::optional<std::string>(const std::string& start)>;

    ImportDialog(
        UiContext& context, std::string folder, SoundIndexFree check, QWidget* parent = nullptr);

    AdditionalImportValues values() const;
    // Reads the category file of `folder` into the From box. A file that cannot be used is
    // reported, and the dialog stays open with Add and Combine off, so another folder can be
    // picked.
    bool loadFolder(const std::string& folder);
    // Whether an Add gave a free category its name while the dialog was open.
    bool namedCategory() const { return m_named; }
    void setFolderPicker(FolderPicker picker) { m_pickFolder = std::move(picker); }

    static constexpr int kHelpContext = 251;

private:
    void act(AdditionalImportAction action);
    void browse();
    void refillTargets();
    void showCounts(const AdditionalImportCounts& counts);

    UiContext& m_context;
    SoundIndexFree m_check;
    FolderPicker m_pickFolder;
    std::string m_folder;
    AdditionalCategoryNames m_sourceNames;
    bool m_named = false;
    QLineEdit* m_folderField;
    QComboBox* m_from;
    QComboBox* m_to;
    QCheckBox* m_force;
    QLabel* m_successful;
    QLabel* m_already;
    QLabel* m_unable;
    QPushButton* m_add;
    QPushButton* m_combine;
};

// Command 251: asks that the files be in place, runs the dialog, and when an Add named a
// category, saves the record once more as the dialog closes. True when a category was named.
bool runImportCategories(
    UiContext& context, QWidget* parent = nullptr, SoundIndexFree check = soundIndexFreeForPrefix);

} // namespace quorvel::ui
