#pragma once

// Little-endian field codec for the fixed binary records the program keeps (dictionary
// headers, startup record, word file, history ring). Records are always encoded and decoded
// field by field so that the layout never depends on the compiler's struct packing.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

namespace quorvel::le {

inline std::uint16_t u16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

inline std::uint32_t u32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8)
        | (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

inline void putU16(std::uint8_t* p, std::uint16_t v)
{
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

inline void putU32(std::uint8_t* p, std::uint32_t v)
{
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
    p[2] = static_cast<std::uint8_t>(v >> 16);
    p[3] = static_cast<std::uint8_t>(v >> 24);
}

// A zero-terminated 8-bit text inside a fixed-width field. Reading stops at the first NUL or
// at the end of the field, so a field without a terminator can never run past its width.
inline std::string text(const std::uint8_t* p, std::size_t width)
{
    const void* nul = std::memchr(p, 0, width);
    const std::size_t len
        = nul ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(nul) - p) : width;
    return std::string(reinterpret_cast<const char*>(p), len);
}

// Writes the text cut to width - 1 bytes, its terminator, and zeros up to the width, so that
// equal records always have equal bytes.
inline void putText(std::uint8_t* p, std::size_t width, std::string_view value)
{
    if (width == 0)
        return;
    const std::size_t len = value.size() < width - 1 ? value.size() : width - 1;
    std::memcpy(p, value.data(), len);
    std::memset(p + len, 0, width - len);
}

} // namespace quorvel::le
