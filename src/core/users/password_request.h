#pragma once

// A request to the password entry dialog and what it found.

#include "config/startup_info.h"

#include <cstdint>
#include <string>

namespace quorvel {

struct PasswordRequest
{
    std::uint16_t slot = 0; // the user slot, or the key index 5 for the system password
    bool forSystem = false;
    bool accepted = false; // set by the dialog
    bool skipped = false; // set by the dialog
};

// Whether `typed` is the stored password of the request (letter case counts). A stored password
// that cannot be unscrambled accepts nothing.
bool passwordMatches(
    const StartupInfo& info, const PasswordRequest& request, const std::string& typed);

} // namespace quorvel
