#pragma once

// Texts of the terminal drill (quorvel-cli drill): the window's number fields as one score line,
// and the keys that stand in for the buttons of a question box.

namespace quorvel::strings {

// The score line: the labels of the drill window's number fields.
inline constexpr const char* kCliWordNumber = "Word number ";
inline constexpr const char* kCliScore = "Score";
inline constexpr const char* kCliLevelSetAt = "Level set at ";

// A question box on a terminal: the buttons as keys.
inline constexpr const char* kCliAskYesNoCancel = "[y]es, [n]o or [c]ancel? ";
inline constexpr const char* kCliAskYesNo = "[y]es or [n]o? ";
inline constexpr const char* kCliAskOkCancel = "[o]k or [c]ancel? ";
// A question met while the answers come from a pipe: nobody can answer it, so it is cancelled.
inline constexpr const char* kCliQuestionCancelled = "(no terminal to answer: Cancel)";
// The person interrupted the drill (Ctrl+C): it stops as Stop would.
inline constexpr const char* kCliInterrupted = "Interrupted.";

} // namespace quorvel::strings
