#include "app/session.h"

#include "config/startup_fields.h"

#include "platform/services.h"
#include "strings/app_strings.h"
#include "strings/strings.h"

#include <algorithm>

namespace quorvel {

int SystemSetupChoices::historyUserSlot() const
{
    for (int i = 0; i < kUserSlots; ++i) {
        if (historyUser[static_cast<std::size_t>(i)])
            return i;
    }
    return 0;
}

Session::Session(QObject* parent)
    : QObject(parent)
{
    m_published.fill(0);
}

Session::~Session() = default;

bool Session::setCurrentUser(int slot)
{
    if (slot < 0 || slot >= kUserSlots)
        return false;
    if (slot != m_currentUser) {
        m_currentUser = slot;
        Q_EMIT currentUserChanged(slot);
    }
    return true;
}

bool Session::setCurrentCategory(int slot)
{
    if (slot < 0 || slot >= kCategorySlots)
        return false;
    if (slot != m_currentCategory) {
        m_currentCategory = slot;
        Q_EMIT currentCategoryChanged(slot);
    }
    return true;
}

void Session::settleWorkingCategory()
{
    const int user = m_currentUser;
    int category = info.workingCategory(user);
    if (category >= kCategorySlots || info.categoryName(category) == strings::kFreeCategory) {
        category = 0;
        info.setWorkingCategory(user, 0);
    }
    setCurrentCategory(category);
}

void Session::publishChanges()
{
    settleWorkingCategory();
    const auto differs = [this](std::size_t from, std::size_t size) {
        return !std::equal(info.bytes().begin() + static_cast<std::ptrdiff_t>(from),
            info.bytes().begin() + static_cast<std::ptrdiff_t>(from + size),
            m_published.begin() + static_cast<std::ptrdiff_t>(from));
    };
    // Each of the two name arrays lies in one piece: element after element.
    const auto changedArray = [&](StartupFieldId id) {
        const StartupField& f = startupField(id);
        return differs(f.offset, f.stride * static_cast<std::size_t>(f.count));
    };
    const bool users = changedArray(StartupFieldId::UserNames);
    const bool categories = changedArray(StartupFieldId::CategoryNames);
    const StartupField& folder = startupField(StartupFieldId::DictionaryFolder);
    const bool dictionary = differs(folder.offset, folder.width);
    const bool record = info.bytes() != m_published;
    const bool unlocked = systemMenuUnlocked();
    const bool access = unlocked != m_publishedUnlocked;
    m_published = info.bytes();
    m_publishedUnlocked = unlocked;
    if (users)
        Q_EMIT usersChanged();
    if (categories)
        Q_EMIT categoriesChanged();
    if (dictionary)
        Q_EMIT dictionaryChanged();
    if (record)
        Q_EMIT recordChanged();
    if (access)
        Q_EMIT accessChanged();
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
