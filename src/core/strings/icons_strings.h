#pragma once

// Texts drawn into the program's own pictures.

#include <QtGlobal>

namespace quorvel::strings {

// The line under the product title on the start-up picture.
inline constexpr const char* kSplashSubtitle = QT_TRANSLATE_NOOP("Quorvel", "Spelling trainer");

} // namespace quorvel::strings
