#pragma once

#include <cstddef>
#include <string>

namespace quorvel {

// Replaces the whole file atomically: the bytes go to a temporary file beside it which is
// renamed over the old one only when every byte was written. A failed save leaves the previous
// file exactly as it was. Returns 0 or the file error code of the failure.
int saveWholeFile(const std::string& path, const void* data, std::size_t size);

// Reads a whole file; false (and the file error code) when it cannot be opened or read.
bool readWholeFile(const std::string& path, std::string& out, int* fileError = nullptr);

} // namespace quorvel
