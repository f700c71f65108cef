#pragma once

// Help topics are opened by context number. Most commands have a topic of their own under their
// command id; related commands share one, and anything else lands on the contents page.

namespace quorvel::help {

inline constexpr int kContentsContext = 2001;
inline constexpr int kUsingHelpContext = 2002;
inline constexpr int kAboutContext = 2009;
// Help buttons of dialogs that are not opened straight from a command of their own.
inline constexpr int kPasswordEntryContext = 4350;
inline constexpr int kDrillWindowContext = 3200;

// The help topic of a command, as context-help mode opens it.
int helpContextForCommand(int commandId);

} // namespace quorvel::help
