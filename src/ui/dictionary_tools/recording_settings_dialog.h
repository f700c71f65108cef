#pragma once

// The recording settings dialog ("Set recording data"): the sampling rate, the channels and the
// sampling size word recordings are made with. It edits a RecordingData; the settings file
// changes only when it ends with OK on values other than those in effect.

#include "config/settings_groups.h"

#include <QDialog>

#include <array>

class QRadioButton;

namespace quorvel {
class SettingsFile;
}

namespace quorvel::ui {

struct UiContext;

class RecordingSettingsDialog final : public QDialog
{
    Q_OBJECT
public:
    RecordingSettingsDialog(
        UiContext& context, const RecordingData& opening, QWidget* parent = nullptr);
    // The values the checked buttons show.
    RecordingData values() const;
    static constexpr int kHelpContext = 259;

private:
    UiContext& m_context;
    std::array<QRadioButton*, 3> m_rates;
    std::array<QRadioButton*, 2> m_channels;
    std::array<QRadioButton*, 2> m_sizes;
};

// Command 259: shows the settings in effect (the defaults when none valid are stored; nothing is
// written on opening) and on OK stores the choice. True when OK was pressed.
bool runRecordingSettings(UiContext& context, SettingsFile& settings, QWidget* parent = nullptr);

} // namespace quorvel::ui
