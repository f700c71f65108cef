#pragma once

// Startup records for tests: a slot protected with a password as the wizard leaves it, and the
// record as it stands on disk.

#include "config/startup_info.h"
#include "users/password_scramble.h"

#include <gtest/gtest.h>
#include <string>

namespace quorvel::test {

inline void protectSlot(StartupInfo& info, int slot, const std::string& password)
{
    PasswordBuffer scrambled {};
    ASSERT_TRUE(scrambleText(password, slot, scrambled));
    info.setUserPassword(slot, scrambled);
    info.setPasswordOn(slot, 1);
}

inline StartupInfo savedRecord(const std::string& folder)
{
    StartupInfo read;
    EXPECT_EQ(ReadStartupInfo(read, folder), kStartupRead);
    return read;
}

} // namespace quorvel::test
