#include "documents/recent_files.h"

#include "config/settings_file.h"
#include "strings/document_strings.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace quorvel {

namespace {

constexpr const char* kSection = "MRU";
constexpr const char* kCountKey = "Count";
constexpr const char* kAbsent = "N283G32";
constexpr const char* kNoEntry = "Default";
constexpr std::size_t kPathLimit = 4096;

std::string entryKey(int i)
{
    return "MRU" + std::to_string(i);
}

std::string replaceFirst(std::string text, std::string_view what, std::string_view with)
{
    if (const auto at = text.find(what); at != std::string::npos)
        text.replace(at, what.size(), with);
    return text;
}

} // namespace

RecentFiles RecentFiles::load(const SettingsFile& settings)
{
    RecentFiles list;
    int count = settings.readInt(kSection, kCountKey, kCapacity);
    if (count <= 0 || count > kCapacity)
        count = kCapacity;
    for (int i = 0; i < count; ++i) {
        const std::string path = settings.readString(kSection, entryKey(i), kAbsent, kPathLimit);
        if (path.empty() || path == kAbsent || path == kNoEntry)
            continue;
        if (std::find(list.m_paths.begin(), list.m_paths.end(), path) == list.m_paths.end())
            list.m_paths.push_back(path);
    }
    return list;
}

bool RecentFiles::save(SettingsFile& settings) const
{
    // Each write rewrites the settings file: only keys whose value changes are written.
    bool ok = true;
    const auto put = [&](const std::string& key, const std::string& value) {
        if (settings.readString(kSection, key, kAbsent, kPathLimit + 1) != value)
            ok = settings.writeString(kSection, key, value) && ok;
    };
    put(kCountKey, std::to_string(kCapacity));
    for (int i = 0; i < kCapacity; ++i) {
        const std::size_t at = static_cast<std::size_t>(i);
        put(entryKey(i), at < m_paths.size() ? m_paths[at] : std::string());
    }
    return ok;
}

bool RecentFiles::add(const std::string& path)
{
    if (path.empty() || path.find_first_of(std::string("\r\n\0", 3)) != std::string::npos
        || path.size() >= kPathLimit)
        return false;
    remove(path);
    m_paths.insert(m_paths.begin(), path);
    if (m_paths.size() > kCapacity)
        m_paths.resize(kCapacity);
    return true;
}

bool RecentFiles::remove(const std::string& path)
{
    const auto it = std::find(m_paths.begin(), m_paths.end(), path);
    if (it == m_paths.end())
        return false;
    m_paths.erase(it);
    return true;
}

std::string RecentFiles::menuText(std::size_t index) const
{
    if (index >= m_paths.size())
        return {};
    return replaceFirst(replaceFirst(strings::kRecentFileEntry, "%d", std::to_string(index + 1)),
        "%s", m_paths[index]);
}

std::string RecentFiles::open(std::size_t index, SettingsFile& settings, std::string* goneMessage)
{
    if (index >= m_paths.size())
        return {};
    const std::string path = m_paths[index];
    std::error_code ec;
    if (std::filesystem::is_regular_file(path, ec))
        return path;
    remove(path);
    // Failing to save the shorter list is no reason not to say why nothing opened.
    (void)save(settings);
    if (goneMessage)
        *goneMessage = replaceFirst(strings::kRecentFileGone, "%s", path);
    return {};
}

} // namespace quorvel
