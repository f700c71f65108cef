#include "app/session.h"

#include "platform/services.h"
#include "strings/strings.h"

namespace quorvel {

int SystemSetupChoices::historyUserSlot() const
{
    for (int i = 0; i < kUserSlots; ++i) {
        if (historyUser[static_cast<std::size_t>(i)])
            return i;
    }
    return 0;
}

bool Session::setCurrentUser(int slot)
{
    if (slot < 0 || slot >= kUserSlots)
        return false;
    m_currentUser = slot;
    return true;
}

bool Session::setCurrentCategory(int slot)
{
    if (slot < 0 || slot >= kCategorySlots)
        return false;
    m_currentCategory = slot;
    return true;
}

bool Session::saveStartupInfo(Prompter& prompter, const char* failureText) const
{
    if (SaveStartupInfo(info))
        return true;
    prompter.show(failureText ? failureText : strings::kErrorWritingUserInfo, strings::kWarning,
        MessageIcon::Exclamation);
    return false;
}

} // namespace quorvel
