#pragma once

// Texts drawn into the program's own pictures.

namespace quorvel::strings {

// The line under the product title on the start-up picture.
inline constexpr const char* kSplashSubtitle = "Spelling trainer";

} // namespace quorvel::strings
