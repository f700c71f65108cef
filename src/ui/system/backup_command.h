#pragma once

#include "common/ui_services.h"

namespace quorvel::ui {

// Command "Backup dictionary" (250): asks first, then copies the dictionary and the startup
// record to the backup path with the wait cursor showing; only a failure is reported.
void runBackupDictionary(QWidget* parent, UiContext& context);

} // namespace quorvel::ui
