#include "printing/print_settings.h"

#include "config/settings_file.h"
#include "strings/printing_strings.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>

namespace quorvel {

namespace {

constexpr const char* kSection = "Print options";
constexpr const char* kSizeKey = "Print size";
constexpr const char* kMarginKey = "Left hand Margin";
constexpr std::size_t kReadLimit = 20;
constexpr std::array<const char*, 3> kSizeWords = { "small", "normal", "large" };

// Writes the key unless it already reads as `value`: an unchanged key keeps its line exactly as
// it stands (spacing and letter case of the name included).
bool writeIfChanged(SettingsFile& file, const char* key, const std::string& value)
{
    if (file.readString(kSection, key, settings::kSentinel, kReadLimit) == value)
        return true;
    return file.writeString(kSection, key, value);
}

} // namespace

std::optional<PrintSettings> loadPrintSettings(SettingsFile& file)
{
    const std::optional<PrintOptions> stored = readPrintOptions(file);
    if (!stored)
        return std::nullopt;
    writeIfChanged(file, kMarginKey, std::to_string(stored->leftMargin));
    return PrintSettings { stored->size, stored->leftMargin };
}

int printPointSize(PrintSize size, bool statisticsWindow)
{
    const int base = 10 + std::clamp(static_cast<int>(size), 0, 2);
    return statisticsWindow ? base : base + 2;
}

std::string notPrintedText(const std::string& title, const char* reason)
{
    // Filled from the left, so a title holding "%s" itself stays as it is.
    std::string text = strings::kNotPrinted;
    std::size_t at = text.find("%s");
    if (at == std::string::npos)
        return text;
    text.replace(at, 2, title);
    at = text.find("%s", at + title.size());
    if (at != std::string::npos)
        text.replace(at, 2, reason ? reason : "");
    return text;
}

PrintOptionsValues printOptionsOpening(SettingsFile& file)
{
    if (const std::optional<PrintSettings> stored = loadPrintSettings(file))
        return { stored->size, std::to_string(stored->leftMargin) };
    const PrintOptions defaults;
    writePrintOptions(file, defaults);
    return { defaults.size, std::to_string(defaults.leftMargin) };
}

bool marginTextInRange(std::string_view text)
{
    if (text.size() > static_cast<std::size_t>(kMarginBoxLength))
        return false;
    long value = 0;
    for (const char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
        value = value * 10 + (c - '0');
    }
    return value >= kMinLeftMargin && value <= kMaxLeftMargin;
}

std::string marginRangeMessage()
{
    std::string text = strings::kValueNotInRange;
    for (const int bound : { kMinLeftMargin, kMaxLeftMargin }) {
        const std::size_t at = text.find("%ld");
        if (at != std::string::npos)
            text.replace(at, 3, std::to_string(bound));
    }
    return text;
}

std::string storedMarginText(std::string_view typed)
{
    const std::string first(typed.substr(0, kMarginDigitsRead));
    const long value = std::strtol(first.c_str(), nullptr, 10);
    if (value <= 0)
        return "0";
    return std::to_string(std::min<long>(value, kMaxLeftMargin));
}

bool applyPrintOptions(SettingsFile& file, const PrintOptionsValues& values, PrintSettings& inUse)
{
    const auto size = static_cast<std::size_t>(std::clamp(static_cast<int>(values.size), 0, 2));
    bool ok = writeIfChanged(file, kSizeKey, kSizeWords[size]);
    ok = writeIfChanged(file, kMarginKey, storedMarginText(values.marginText)) && ok;
    const std::optional<PrintSettings> stored = ok ? loadPrintSettings(file) : std::nullopt;
    if (stored) {
        inUse = *stored;
        return true;
    }
    // What was chosen still prints for the rest of the run; the caller says it was not kept.
    inUse = { values.size, std::stoi(storedMarginText(values.marginText)) };
    return false;
}

} // namespace quorvel
