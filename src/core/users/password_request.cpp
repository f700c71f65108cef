#include "users/password_request.h"

#include "users/password_scramble.h"

namespace quorvel {

bool passwordMatches(
    const StartupInfo& info, const PasswordRequest& request, const std::string& typed)
{
    PasswordBuffer stored {};
    int key = kSystemPasswordKey;
    if (request.forSystem) {
        stored = info.systemPassword();
    } else {
        if (request.slot >= kUserSlots)
            return false;
        stored = info.userPassword(request.slot);
        key = request.slot;
    }
    stored[10] = 0; // at most ten characters take part
    std::string plain;
    if (!unscrambleText(stored, key, plain))
        return false;
    return typed.size() <= static_cast<std::size_t>(kMaxPasswordLength) && typed == plain;
}

} // namespace quorvel
