#pragma once

// Hands the dialog services to the user rules of core, which know them only as callbacks.

#include "common/ui_services.h"
#include "users/user_rules.h"

namespace quorvel::ui {

inline PasswordAsk passwordAsk(Asker& asker, const StartupInfo& info)
{
    return [&asker, &info](PasswordRequest& request) { return asker.askPassword(info, request); };
}

inline TextAsk textAsk(Asker& asker)
{
    return [&asker](const TextRequest& request) {
        return asker.askText(request.caption, request.prompt, request.maxLength, request.set);
    };
}

// The hourglass over the whole application while a save runs.
BusyHook waitCursorHook();

} // namespace quorvel::ui
