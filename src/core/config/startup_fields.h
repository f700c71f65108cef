#pragma once

// A table of every named field of the startup record, for tools that show or set fields by
// name (the command-line front end). Per-user fields repeat with a stride for slots 0..9, the
// category names for slots 0..63; sub-record fields are named "listSetup.minLetters" and so on.

#include "startup_info.h"

#include <span>
#include <string>
#include <string_view>

namespace quorvel {

enum class StartupFieldKind : std::uint8_t
{
    Text, // zero-terminated text in a fixed width
    U16, // unsigned 16-bit value
    Slider, // three u32: minimum, maximum, position
    Password, // scrambled password bytes (11)
};

struct StartupField
{
    std::string_view name;
    StartupFieldKind kind;
    std::size_t offset; // of element 0
    std::size_t width; // bytes of one element's field
    std::size_t stride; // distance between elements; 0 for a single field
    int count; // 1, kUserSlots or kCategorySlots
};

std::span<const StartupField> startupFields();
const StartupField* findStartupField(std::string_view name);

inline std::size_t fieldOffset(const StartupField& f, int index)
{
    return f.offset + static_cast<std::size_t>(index) * f.stride;
}

} // namespace quorvel
