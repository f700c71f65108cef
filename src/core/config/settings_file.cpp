#include "settings_file.h"

#include "platform/file_errors.h"
#include "platform/replace_file.h"

#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <strings.h>
#include <sys/stat.h>

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

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// A line that opens a section: it starts with "[" (after blanks). A header without its "]"
// still ends the section before it, as the reader sees it, but names no section.
bool opensSection(std::string_view line, std::string_view& name)
{
    line = trim(line);
    if (line.empty() || line.front() != '[')
        return false;
    const auto close = line.find(']');
    name = close == std::string_view::npos ? std::string_view() : trim(line.substr(1, close - 1));
    return true;
}

bool lineHasKey(std::string_view line, std::string_view key)
{
    const auto eq = line.find('=');
    return eq != std::string_view::npos && equalNoCase(trim(line.substr(0, eq)), key);
}

// One line of the text: its bytes [begin, end) and its line break [end, next).
struct LineSpan
{
    std::size_t begin = 0;
    std::size_t end = 0;
    std::size_t next = 0;
    bool hasBreak() const { return next > end; }
};

// The lines of the text as the reader splits them: at "\r\n", "\n" or a lone "\r". A last line
// without a break counts only when it holds something.
class Lines
{
public:
    Lines(std::string_view text, std::size_t from)
        : m_text(text)
        , m_at(from)
    { }
    bool next(LineSpan& line)
    {
        if (m_at >= m_text.size())
            return false;
        line.begin = m_at;
        const std::size_t brk = m_text.find_first_of("\r\n", m_at);
        line.end = brk == std::string_view::npos ? m_text.size() : brk;
        line.next = line.end;
        if (line.next < m_text.size())
            line.next += m_text[line.next] == '\r' && line.next + 1 < m_text.size()
                    && m_text[line.next + 1] == '\n'
                ? 2
                : 1;
        m_at = line.next;
        return true;
    }

private:
    std::string_view m_text;
    std::size_t m_at;
};

// A line as the reader sees it: a NUL byte reads as a blank (see readerText), so a header or key
// with one in it is the same header or key to the writer as to the reader.
std::string_view readerLine(std::string_view line, std::string& scratch)
{
    if (line.find('\0') == std::string_view::npos)
        return line;
    scratch.assign(line);
    for (char& c : scratch) {
        if (c == '\0')
            c = ' ';
    }
    return scratch;
}

std::size_t byteOrderMarkLength(std::string_view text)
{
    return text.substr(0, kByteOrderMark.size()) == kByteOrderMark ? kByteOrderMark.size() : 0;
}

// The line break for lines the program adds: the one most lines of the file end with.
std::string fileNewline(std::string_view text)
{
    std::size_t crlf = 0, lf = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++crlf;
            ++i;
        } else if (text[i] == '\n') {
            ++lf;
        }
    }
    return lf > crlf ? "\n" : "\r\n";
}

// What the reader is given: the text without a byte-order mark, and with any NUL byte made a
// blank, so that it sees the same lines the writer edits.
std::string readerText(std::string_view text)
{
    std::string out(text.substr(byteOrderMarkLength(text)));
    for (char& c : out) {
        if (c == '\0')
            c = ' ';
    }
    return out;
}

void configure(CSimpleIniA& ini)
{
    ini.SetMultiKey(true); // a repeated key reads as its first value
    ini.SetQuotes(true);
}

// What the reader takes from the line "key=value" (blanks around it dropped, quotes taken off).
std::string readerValue(std::string_view key, std::string_view value)
{
    CSimpleIniA line;
    configure(line);
    line.LoadData("[v]\n" + std::string(key) + "=" + std::string(value) + "\n");
    const char* read = line.GetValue("v", std::string(key).c_str(), "");
    return read ? read : "";
}

// What is known of the file on disk, to tell whether it changed since it was read or written.
struct FileStamp
{
    bool known = false; // false: the file could not be looked at (or is not there)
    std::uint64_t device = 0, inode = 0, size = 0;
    std::int64_t seconds = 0, nanoseconds = 0;
    bool operator==(const FileStamp&) const = default;
};

FileStamp stampOf(const std::string& path)
{
    struct stat st = {};
    if (::stat(path.c_str(), &st) != 0)
        return {};
    return { true, static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
        static_cast<std::uint64_t>(st.st_size), static_cast<std::int64_t>(st.st_mtim.tv_sec),
        static_cast<std::int64_t>(st.st_mtim.tv_nsec) };
}

// A change to the text: `erase` bytes at `at` give way to `insert`.
struct Edit
{
    std::size_t at = 0;
    std::size_t erase = 0;
    std::string insert;
};

// Where "key=value" goes: over the key's line in the section, after the section's last line that
// holds something, or in a new section at the end.
Edit planEdit(std::string_view text, const std::string& newline, std::string_view section,
    std::string_view key, std::string_view value)
{
    const std::string entry = std::string(key) + "=" + std::string(value);
    std::string scratch;
    Lines lines(text, byteOrderMarkLength(text));
    LineSpan line;
    bool inSection = false;
    LineSpan lastContent;
    std::optional<LineSpan> last;
    while (lines.next(line)) {
        last = line;
        const std::string_view seen
            = readerLine(text.substr(line.begin, line.end - line.begin), scratch);
        std::string_view name;
        if (opensSection(seen, name)) {
            if (inSection)
                break;
            if (!name.empty() && equalNoCase(name, section)) {
                inSection = true;
                lastContent = line;
            }
            continue;
        }
        if (!inSection)
            continue;
        if (lineHasKey(seen, key))
            return { line.begin, line.end - line.begin, entry };
        if (!trim(seen).empty())
            lastContent = line;
    }
    if (inSection) {
        // After the section's last line that holds something; a last line of the file without a
        // break gets one first.
        Edit edit { lastContent.next, 0, {} };
        if (!lastContent.hasBreak())
            edit.insert = newline;
        edit.insert += entry + newline;
        return edit;
    }
    Edit edit { text.size(), 0, {} };
    if (last) {
        if (!last->hasBreak())
            edit.insert = newline;
        std::string lastScratch;
        if (!trim(readerLine(text.substr(last->begin, last->end - last->begin), lastScratch))
                 .empty())
            edit.insert += newline; // a blank line before the new section
    }
    edit.insert += "[" + std::string(section) + "]" + newline + entry + newline;
    return edit;
}

} // namespace

struct SettingsFile::Parsed
{
    std::string text; // the file's bytes as they are on disk
    CSimpleIniA ini; // what the reader sees in them
    std::string newline; // for lines the program adds
    FileStamp stamp; // the file as it was when it was read or last written
};

std::unique_ptr<SettingsFile::Parsed> SettingsFile::readFile(const std::string& path)
{
    auto p = std::make_unique<Parsed>();
    // Looked at before it is read: a change in between is then taken for a change after it, and
    // the next write reads the file again.
    p->stamp = stampOf(path);
    int error = 0;
    if (!readWholeFile(path, p->text, &error)) {
        if (error != FileError::kFileNotFound)
            return nullptr;
        p->text.clear();
    }
    configure(p->ini);
    if (p->ini.LoadData(readerText(p->text)) < 0)
        return nullptr;
    p->newline = fileNewline(p->text);
    return p;
}

SettingsFile::SettingsFile(std::string path)
    : m_path(std::move(path))
{ }

SettingsFile::~SettingsFile() = default;
SettingsFile::SettingsFile(SettingsFile&&) noexcept = default;
SettingsFile& SettingsFile::operator=(SettingsFile&&) noexcept = default;

const SettingsFile::Parsed* SettingsFile::parsed() const
{
    // A file that could not be read is tried again at the next call.
    if (!m_parsed)
        m_parsed = readFile(m_path);
    return m_parsed.get();
}

std::string SettingsFile::readString(std::string_view section, std::string_view key,
    std::string_view absent, std::size_t limit) const
{
    const Parsed* p = parsed();
    if (!p)
        return std::string(absent);
    const char* value
        = p->ini.GetValue(std::string(section).c_str(), std::string(key).c_str(), nullptr);
    if (!value)
        return std::string(absent);
    std::string out(value);
    if (limit > 0 && out.size() > limit - 1)
        out.resize(limit - 1);
    return out;
}

int SettingsFile::readInt(std::string_view section, std::string_view key, int absent) const
{
    const Parsed* p = parsed();
    if (!p)
        return absent;
    const char* value
        = p->ini.GetValue(std::string(section).c_str(), std::string(key).c_str(), nullptr);
    if (!value)
        return absent;
    return static_cast<int>(std::strtol(value, nullptr, 10));
}

bool SettingsFile::writeString(
    std::string_view section, std::string_view key, std::string_view value)
{
    if (value.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos)
        return false;
    // The file as it is now: what was kept, unless the file changed since. A file that is there
    // but cannot be read must not be replaced by one that holds nothing but this key.
    if (!m_parsed || !m_parsed->stamp.known || m_parsed->stamp != stampOf(m_path)) {
        auto fresh = readFile(m_path);
        if (!fresh)
            return false;
        m_parsed = std::move(fresh);
    }
    Parsed& p = *m_parsed;
    const Edit edit = planEdit(p.text, p.newline, section, key, value);
    std::string out;
    out.reserve(p.text.size() - edit.erase + edit.insert.size());
    out.append(p.text, 0, edit.at);
    out += edit.insert;
    out.append(p.text, edit.at + edit.erase);

    if (!replaceFile(m_path, out.data(), out.size()).ok())
        return false;
    p.text = std::move(out);
    p.stamp = stampOf(m_path);
    // The writer edits the lines the reader sees, so the file now reads the value back; what is
    // kept reads it the same way.
    const std::string sectionText(section), keyText(key);
    p.ini.SetValue(
        sectionText.c_str(), keyText.c_str(), readerValue(key, value).c_str(), nullptr, true);
    return true;
}

} // namespace quorvel
