// Runs a fuzz target's entry function over every file of its corpus, without libFuzzer: the
// normal build replays the corpora as tests, so a change that breaks an input found by fuzzing is
// caught without clang. A broken promise aborts, which fails the test and names the input.
//
//   fuzz_replay_<target>              every file of the target's corpus folder
//   fuzz_replay_<target> PATH...      these files, or every file of these folders

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

void collect(const fs::path& path, std::vector<fs::path>& files)
{
    if (fs::is_directory(path)) {
        std::vector<fs::path> inFolder;
        for (const fs::directory_entry& entry : fs::directory_iterator(path)) {
            if (entry.is_regular_file())
                inFolder.push_back(entry.path());
        }
        std::sort(inFolder.begin(), inFolder.end());
        files.insert(files.end(), inFolder.begin(), inFolder.end());
    } else {
        files.push_back(path);
    }
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<fs::path> files;
    if (argc > 1) {
        for (int i = 1; i < argc; ++i)
            collect(argv[i], files);
    } else {
        collect(QUORVEL_FUZZ_CORPUS, files);
    }
    if (files.empty()) {
        std::fprintf(stderr, "no inputs to replay\n");
        return 1;
    }
    for (const fs::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "cannot read %s\n", file.c_str());
            return 1;
        }
        const std::vector<std::uint8_t> bytes(
            (std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        // Named before it runs, so that an input that crashes is the last one printed.
        std::printf("%s (%zu bytes)\n", file.filename().c_str(), bytes.size());
        std::fflush(stdout);
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    }
    std::printf("replayed %zu inputs\n", files.size());
    return 0;
}
