#include "fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace quorvel::fuzz {

const std::string& scratchFolder()
{
    static const std::string folder = [] {
        std::string pattern
            = (std::filesystem::temp_directory_path() / "quorvel-fuzz-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            std::abort();
        std::filesystem::create_directories(pattern + "/progdata");
        return pattern;
    }();
    return folder;
}

std::string writeInput(const std::string& relative, const std::uint8_t* data, std::size_t size)
{
    const std::string path = scratchFolder() + "/" + relative;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        std::abort();
    if (size > 0)
        std::fwrite(data, 1, size, f);
    std::fclose(f);
    return path;
}

} // namespace quorvel::fuzz
