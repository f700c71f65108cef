#pragma once

#include "dictionary/dictionary_backup.h"

namespace quorvel::ui {

// A busy hook that shows the wait cursor over the whole program while a long operation runs.
BusyHook waitCursorHook();

} // namespace quorvel::ui
