#include "settings_file.h"

#include "platform/save_file.h"

#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include <cstdlib>
#include <strings.h>
#include <vector>

namespace quorvel {

namespace {

std::string_view trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (
        !s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n'))
        s.remove_suffix(1);
    return s;
}

bool equalNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && ::strncasecmp(a.data(), b.data(), a.size()) == 0;
}

// The section named by a header line "[name]", or nothing when the line is not a header.
bool sectionOfLine(std::string_view line, std::string_view& name)
{
    line = trim(line);
    if (line.size() < 2 || line.front() != '[')
        return false;
    const auto close = line.find(']');
    if (close == std::string_view::npos)
        return false;
    name = trim(line.substr(1, close - 1));
    return true;
}

bool lineHasKey(std::string_view line, std::string_view key)
{
    const auto eq = line.find('=');
    return eq != std::string_view::npos && equalNoCase(trim(line.substr(0, eq)), key);
}

struct Lines
{
    std::vector<std::string> lines; // each without its line break
    std::string newline = "\n";
};

Lines splitLines(const std::string& text)
{
    Lines out;
    if (text.find("\r\n") != std::string::npos)
        out.newline = "\r\n";
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        out.lines.push_back(std::move(line));
        start = end + 1;
    }
    return out;
}

bool loadIni(const std::string& path, CSimpleIniA& ini)
{
    std::string text;
    if (!readWholeFile(path, text))
        return false;
    ini.SetMultiKey(true); // a repeated key reads as its first value
    ini.SetQuotes(true);
    return ini.LoadData(text) >= 0;
}

} // namespace

SettingsFile::SettingsFile(std::string path)
    : m_path(std::move(path))
{ }

std::string SettingsFile::readString(std::string_view section, std::string_view key,
    std::string_view absent, std::size_t limit) const
{
    CSimpleIniA ini;
    if (!loadIni(m_path, ini))
        return std::string(absent);
    const char* value
        = ini.GetValue(std::string(section).c_str(), std::string(key).c_str(), nullptr);
    if (!value)
        return std::string(absent);
    std::string out(value);
    if (limit > 0 && out.size() > limit - 1)
        out.resize(limit - 1);
    return out;
}

int SettingsFile::readInt(std::string_view section, std::string_view key, int absent) const
{
    CSimpleIniA ini;
    if (!loadIni(m_path, ini))
        return absent;
    const char* value
        = ini.GetValue(std::string(section).c_str(), std::string(key).c_str(), nullptr);
    if (!value)
        return absent;
    return static_cast<int>(std::strtol(value, nullptr, 10));
}

bool SettingsFile::writeString(
    std::string_view section, std::string_view key, std::string_view value)
{
    std::string text;
    readWholeFile(m_path, text); // a missing file is an empty one
    Lines doc = splitLines(text);
    const std::string entry = std::string(key) + "=" + std::string(value);

    std::size_t sectionLine = doc.lines.size();
    for (std::size_t i = 0; i < doc.lines.size(); ++i) {
        std::string_view name;
        if (sectionOfLine(doc.lines[i], name) && equalNoCase(name, section)) {
            sectionLine = i;
            break;
        }
    }
    if (sectionLine == doc.lines.size()) {
        if (!doc.lines.empty() && !trim(doc.lines.back()).empty())
            doc.lines.emplace_back();
        doc.lines.push_back("[" + std::string(section) + "]");
        doc.lines.push_back(entry);
    } else {
        std::size_t lastContent = sectionLine;
        bool replaced = false;
        for (std::size_t i = sectionLine + 1; i < doc.lines.size(); ++i) {
            std::string_view name;
            if (sectionOfLine(doc.lines[i], name))
                break;
            if (lineHasKey(doc.lines[i], key)) {
                doc.lines[i] = entry;
                replaced = true;
                break;
            }
            if (!trim(doc.lines[i]).empty())
                lastContent = i;
        }
        if (!replaced)
            doc.lines.insert(
                doc.lines.begin() + static_cast<std::ptrdiff_t>(lastContent + 1), entry);
    }

    std::string out;
    for (const std::string& line : doc.lines)
        out += line + doc.newline;
    return saveWholeFile(m_path, out.data(), out.size()) == 0;
}

} // namespace quorvel
