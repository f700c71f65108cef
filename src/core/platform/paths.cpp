#include "paths.h"

#include <cstdlib>
#include <unistd.h>
#include <vector>

namespace quorvel::paths {

std::string join(std::string_view base, std::string_view part)
{
    std::string out(base);
    while (!part.empty() && part.front() == kSeparator)
        part.remove_prefix(1);
    if (out.empty() || out.back() != kSeparator)
        out.push_back(kSeparator);
    out.append(part);
    return out;
}

std::string withTrailingSeparator(std::string_view folder)
{
    std::string out(folder);
    if (out.empty() || out.back() != kSeparator)
        out.push_back(kSeparator);
    return out;
}

std::string progdataFile(std::string_view base, std::string_view name)
{
    return join(join(base, "progdata"), name);
}

std::string startupRecordFile(std::string_view base)
{
    return progdataFile(base, kStartupRecordName);
}

std::string dictionaryFile(std::string_view dictionaryFolder)
{
    return progdataFile(dictionaryFolder, kDictionaryName);
}

std::string wordFile(std::string_view dataFolder, char slotChar)
{
    return progdataFile(dataFolder, std::string("worduse") + slotChar + ".wrd");
}

std::string historyFile(std::string_view dataFolder, char slotChar)
{
    return progdataFile(dataFolder, std::string("histuse") + slotChar + ".his");
}

std::string waveformFolder(std::string_view base)
{
    return withTrailingSeparator(join(base, "waveform"));
}

std::string backupFolder(std::string_view base)
{
    return withTrailingSeparator(join(base, "backup"));
}

std::string beeFilesFolder(std::string_view dictionaryFolder)
{
    return join(join(dictionaryFolder, "mydata"), "beefiles");
}

std::string myDataFolder(std::string_view dictionaryFolder, std::string_view name)
{
    return join(join(dictionaryFolder, "mydata"), name);
}

std::string settingsFile(std::string_view programFolder)
{
    return join(programFolder, kSettingsName);
}

std::string statsFile(std::string_view dataFolder)
{
    return join(dataFolder, kStatsName);
}

std::string fallbackBaseFolder()
{
    const char* home = std::getenv("HOME");
    return join(home && *home ? home : "/tmp", "TORNWEAL");
}

std::optional<std::string> currentFolder()
{
    std::vector<char> buffer(4096);
    if (!::getcwd(buffer.data(), buffer.size()))
        return std::nullopt;
    return std::string(buffer.data());
}

} // namespace quorvel::paths
