#pragma once

// The one way the window turns program texts into what it shows. Table texts (src/core/strings)
// are English sources in the "Quorvel" translation context: uiText() passes them through the
// installed translator, which gives the source back while there is none. A label's keyboard
// mnemonic is the "&" written in its text ("&&" is a literal ampersand).

#include <QString>

#include <string>

namespace quorvel::ui {

// The translation context of every table text.
inline constexpr const char* kTextContext = "Quorvel";

// A table text as the window shows it.
QString uiText(const char* source);

// Text that comes from a file or is built at run time (names, words, numbers, paths, messages put
// together from table texts): UTF-8 when the bytes are valid UTF-8, else 8-bit Latin-1 as the
// older files hold them, so no byte is ever shown as a replacement mark.
QString toQString(const std::string& text);

// A label's text without its mnemonic marker: "&Default" gives "Default", "A && B" gives "A & B".
QString withoutMnemonic(const QString& label);

} // namespace quorvel::ui
