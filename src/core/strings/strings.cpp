#include "strings.h"

#include <array>

namespace quorvel::strings {

std::string defaultCategoryName(int slot)
{
    static constexpr std::array<const char*, 33> kNamed = {
        "Main Dictionary",
        "Music",
        "Science",
        "Sound Example",
        "Free",
        "Chemistry",
        "Zoology",
        "Hard small words",
        "Medical",
        "Countries",
        "Free",
        "Cooking",
        "Office",
        "Free",
        "U.S basics",
        "Computers",
        "Free",
        "Astronomy",
        "Telecommunications",
        "Free",
        "Free",
        "5 year old",
        "6 year old",
        "7 year old - easier",
        "7 year old - harder",
        "8 year old",
        "9 year old",
        "10 year old",
        "11 year old - easier",
        "11 year old - harder",
        "12 year old",
        "Free",
        "Extra UK Alternatives",
    };
    if (slot >= 0 && slot < static_cast<int>(kNamed.size()))
        return kNamed[static_cast<std::size_t>(slot)];
    return "Free";
}

std::string wordStatusName(int status)
{
    switch (status) {
    case 0:
        return kStatusFailure;
    case 1:
        return kStatusNeutral;
    case 2:
        return kStatusSuccessful;
    case 3:
        return kStatusMastered;
    default:
        return kUnknown;
    }
}

std::string fillIn(const char* pattern, std::initializer_list<std::string> values)
{
    std::string text(pattern);
    std::size_t from = 0;
    for (const std::string& value : values) {
        const auto at = text.find("%s", from);
        if (at == std::string::npos)
            break;
        text.replace(at, 2, value);
        from = at + value.size();
    }
    return text;
}

} // namespace quorvel::strings
