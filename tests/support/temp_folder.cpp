#include "temp_folder.h"

#include "platform/file_faults.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace quorvel::test {

namespace fs = std::filesystem;

TempFolder::TempFolder()
{
    FileFaults::reset();
    std::string pattern = (fs::temp_directory_path() / "quorvel-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary folder");
    m_path = pattern;
}

TempFolder::~TempFolder()
{
    FileFaults::reset();
    std::error_code ec;
    fs::remove_all(m_path, ec);
}

std::string TempFolder::makeProgdata() const
{
    fs::create_directories(m_path + "/progdata");
    return m_path + "/progdata";
}

std::vector<std::uint8_t> readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(
        std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(
        reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

bool fileExists(const std::string& path)
{
    return fs::exists(path);
}

std::string fixturePath(const std::string& name)
{
    return std::string(QUORVEL_FIXTURES_DIR) + "/" + name;
}

std::map<std::string, std::vector<std::uint8_t>> folderContents(const std::string& folder)
{
    std::map<std::string, std::vector<std::uint8_t>> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file())
            files[std::filesystem::relative(entry.path(), folder).string()]
                = readBytes(entry.path().string());
    }
    return files;
}

} // namespace quorvel::test
