#pragma once

// A scratch folder per fuzzing process, and writing the input into a file there.

#include <cstddef>
#include <cstdint>
#include <string>

namespace quorvel::fuzz {

// The process's scratch folder, holding progdata/.
const std::string& scratchFolder();
// Writes the bytes to scratchFolder()/relative and returns the full path.
std::string writeInput(const std::string& relative, const std::uint8_t* data, std::size_t size);

} // namespace quorvel::fuzz
