#include "dictionary/word_sounds.h"

#include "dictionary/dictionary_file.h"
#include "platform/file_faults.h"
#include "platform/paths.h"
#include "sound/sound_names.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace quorvel {

namespace {

bool equalIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if (std::tolower(x) != std::tolower(y))
            return false;
    }
    return true;
}

// The prefix of the word a record of bucket `letters` holding `text` belongs to.
std::optional<std::string> prefixOfRecord(const char letters[2], const std::string& text)
{
    return waveformPrefix(std::string(letters, 2) + text);
}

} // namespace

SoundIndexCheck checkSoundIndex(File& file, int category, std::string_view word, int index)
{
    const auto prefix = waveformPrefix(std::string(word));
    if (!prefix)
        return SoundIndexCheck::Unsuitable;
    const Table table = category != 0 ? Table::Category : Table::Main;
    const std::uint32_t tableOffset = ReadTableOffset(file, table);
    const std::uint32_t slot = BucketOffset(*prefix);
    char letters[2];
    if (tableOffset == dict::kNoOffset || slot == dict::kNoOffset || !BucketLetters(slot, letters))
        return SoundIndexCheck::FileError;
    // Every word of the prefix has a text that starts with the prefix's third letter; the chain
    // is in order, so the first text whose two letters sort after the prefix's ends the scan.
    const std::string_view tail = std::string_view(*prefix).substr(2, 2);
    const std::uint32_t end = dict::endMarker(tableOffset, slot);
    std::uint32_t link = 0;
    if (!ReadLink(file, tableOffset + slot, link))
        return SoundIndexCheck::FileError;
    const std::uint32_t limit = chainStepLimit(file);
    for (std::uint32_t steps = 0; link != end; ++steps) {
        if (steps > limit || !recordOffsetInFile(file, link))
            return SoundIndexCheck::FileError;
        WordRecordHeader header;
        std::string text;
        if (!readRecord(file, link, header, text))
            return SoundIndexCheck::FileError;
        if (std::string_view(text).substr(0, 2).compare(tail) > 0)
            return SoundIndexCheck::Free;
        if (header.soundIndex == index && prefixOfRecord(letters, text) == prefix)
            return SoundIndexCheck::InUse;
        link = header.next;
    }
    return SoundIndexCheck::Free;
}

SoundIndexChoice chooseSoundIndex(File& file, int category, std::string_view word,
    RandomSource& random, const std::function<bool(int)>& fileTaken)
{
    constexpr int kTries = 10000;
    // A generator that keeps giving multiples of 10000 must not hold the program for ever.
    constexpr int kDrawLimit = 4 * kTries;
    int tried = 0;
    for (int draws = 0; tried < kTries && draws < kDrawLimit; ++draws) {
        const int candidate = static_cast<int>(random.next() % 10000u);
        if (candidate == 0)
            continue;
        ++tried;
        const SoundIndexCheck check = checkSoundIndex(file, category, word, candidate);
        if (check == SoundIndexCheck::Unsuitable || check == SoundIndexCheck::FileError)
            return { 0, check };
        if (check == SoundIndexCheck::Free && !(fileTaken && fileTaken(candidate)))
            return { candidate, SoundIndexCheck::Free };
    }
    return { 0, SoundIndexCheck::InUse };
}

bool isWaveFile(const std::string& path)
{
    auto file = File::open(path, OpenMode::ReadOnly);
    std::uint8_t head[12];
    if (!file || !file->readAt(0, head, sizeof head))
        return false;
    return std::memcmp(head, "RIFF", 4) == 0 && std::memcmp(head + 8, "WAVE", 4) == 0;
}

std::optional<std::string> findIgnoringCase(const std::string& folder, const std::string& name)
{
    if (name.empty())
        return std::nullopt;
    const std::string exact = paths::join(folder, name);
    struct stat st
    { };
    if (::stat(exact.c_str(), &st) == 0)
        return exact;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        if (equalIgnoringCase(entry, name))
            return paths::join(folder, entry);
    }
    return std::nullopt;
}

std::optional<std::string> findWordRecording(
    const std::string& root, const std::string& word, int soundIndex)
{
    const auto made = wordRecordingPath(root, word, soundIndex);
    if (!made)
        return std::nullopt;
    const auto subfolder = waveformSubfolder(word);
    const auto prefix = waveformPrefix(word);
    const auto name = prefix ? waveformFileName(*prefix, soundIndex) : std::nullopt;
    if (!subfolder || !name)
        return std::nullopt;
    const auto folder = findIgnoringCase(root, *subfolder);
    if (!folder)
        return std::nullopt;
    return findIgnoringCase(*folder, *name);
}

namespace {

bool exists(const std::string& path)
{
    struct stat st
    { };
    return ::lstat(path.c_str(), &st) == 0;
}

// Copies `from` to a new file `to`, every write and the sync checked; a failed copy leaves no
// file behind.
bool copyToNewFile(const std::string& from, const std::string& to, int& error)
{
    auto source = File::open(from, OpenMode::ReadOnly);
    if (!source) {
        error = ENOENT;
        return false;
    }
    auto target = File::open(to, OpenMode::CreateNew);
    if (!target) {
        error = exists(to) ? EEXIST : EACCES;
        return false;
    }
    std::vector<std::uint8_t> buffer(64 * 1024);
    std::uint64_t left = source->size();
    bool ok = source->seek(0);
    while (ok && left > 0) {
        const std::size_t n = source->read(buffer.data(), buffer.size());
        ok = n > 0 && target->write(buffer.data(), n);
        left -= std::min<std::uint64_t>(left, n);
    }
    ok = ok && target->sync();
    ok = target->close() && ok;
    if (!ok) {
        error = EIO;
        ::unlink(to.c_str());
    }
    return ok;
}

} // namespace

FileMove moveFileNoReplace(const std::string& from, const std::string& to, int* error)
{
    int err = 0;
    auto fail = [&](int e) {
        if (error)
            *error = e;
        return e == EEXIST ? FileMove::TargetExists : FileMove::Failed;
    };
    if (const int injected = FileFaults::failure(FileOp::Rename))
        return fail(injected);
    if (exists(to))
        return fail(EEXIST);
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return FileMove::Moved;
    err = errno;
    if (err == EINVAL || err == ENOSYS) {
        // A file system without the no-replace rename: the test above has to do.
        if (::rename(from.c_str(), to.c_str()) == 0)
            return FileMove::Moved;
        err = errno;
    }
    if (err != EXDEV)
        return fail(err);
    // Another file system (a recording chosen from a stick, say): copy, then remove the
    // original. When the original cannot be removed the copy goes again, so that nothing is
    // linked twice.
    if (!copyToNewFile(from, to, err))
        return fail(err);
    if (::unlink(from.c_str()) != 0) {
        err = errno;
        ::unlink(to.c_str());
        return fail(err);
    }
    return FileMove::Moved;
}

std::string unusedNameIn(const std::string& folder, const std::string& name)
{
    if (!findIgnoringCase(folder, name))
        return name;
    const std::size_t dot = name.rfind('.');
    const std::string stem = dot == std::string::npos ? name : name.substr(0, dot);
    const std::string extension = dot == std::string::npos ? std::string() : name.substr(dot);
    for (int n = 2;; ++n) {
        std::string candidate = stem + "_" + std::to_string(n) + extension;
        if (!findIgnoringCase(folder, candidate))
            return candidate;
    }
}

} // namespace quorvel
