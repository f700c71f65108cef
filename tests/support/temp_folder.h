#pragma once

// A fresh folder for one test, removed with everything in it when the test ends. Also resets
// the file-failure injection so that one test's plan never leaks into the next.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace quorvel::test {

class TempFolder
{
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return m_path; }
    std::string file(const std::string& relative) const { return m_path + "/" + relative; }
    // Creates folder/progdata (the data folder layout of an installation).
    std::string makeProgdata() const;

private:
    std::string m_path;
};

std::vector<std::uint8_t> readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
bool fileExists(const std::string& path);
// Every file below `folder`, by its path relative to it, with its bytes: two snapshots compare
// equal when nothing was created, removed or changed in between.
std::map<std::string, std::vector<std::uint8_t>> folderContents(const std::string& folder);
std::string fixturePath(const std::string& name);

} // namespace quorvel::test
