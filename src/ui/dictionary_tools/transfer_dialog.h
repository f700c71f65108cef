#pragma once

#include "config/settings_groups.h"

#include <QDialog>

#include <optional>
#include <string>

class QAbstractButton;
class QCheckBox;

namespace quorvel::ui {

struct UiContext;

// The "Bulk transfer and setup dialog": whether only new words go in or words already there move
// too, the language of the words, and whether words with a sound stay in their category; and the
// line that names the category the words go to. The default button starts the transfer.
class TransferDialog final : public QDialog
{
    Q_OBJECT
public:
    TransferDialog(
        UiContext& context, const BulkEditorSettings& settings, QWidget* parent = nullptr);

    BulkEditorSettings settings() const;

private:
    QAbstractButton* m_newOnly;
    QAbstractButton* m_all;
    QCheckBox* m_lock;
    QAbstractButton* m_uk;
    QAbstractButton* m_usa;
    QAbstractButton* m_both;
};

// Opens the dialog on the settings of "Bulk Editor settings" (writing the defaults first when the
// file holds none that are valid). Transfer writes the settings the dialog shows, unless the file
// holds them already; Cancel writes nothing and gives nothing.
std::optional<BulkEditorSettings> runTransferSettings(
    UiContext& context, SettingsFile& file, QWidget* parent = nullptr);

// Transfers the words of `text` (UTF-8) into the current user's working category and returns the
// report: its heading, a line per word and the statistics. A text too large is refused with its
// message and gives no report. When the dictionary cannot be opened the message is shown and the
// report holds the statistics of nothing. After words went in or moved, the users' lists are
// marked out of date and the session is told.
std::optional<std::string> transferWindowText(
    UiContext& context, const BulkEditorSettings& settings, const std::string& text);

} // namespace quorvel::ui
