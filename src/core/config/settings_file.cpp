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

bool equalNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && ::strncasecmp(a.data(), b.data(), a.size()) == 0;
}

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The text entry by entry, as the reader walks it (SimpleIni's parser): blanks and line breaks
// before an entry are passed over, a NUL byte counts as a blank (see readerText), a comment or a
// line without "=" is passed over to its end, and a "[" followed by nothing but blanks and line
// breaks takes its section name from the next line that holds something. The writer finds its
// section and key with the same walk, so it changes the very line the reader will read.
class Entries
{
public:
    enum class Kind
    {
        Section,
        BadSection, // a "[" without its "]": it ends the section before it and names none
        Key,
        Other, // a comment, or a line the reader passes over
    };
    struct Entry
    {
        Kind kind = Kind::Other;
        std::string name; // of a section or key, blanks around it dropped
        std::size_t begin = 0; // the start of the entry's first line
        std::size_t end = 0; // the end of its last line, before the line break
        std::size_t next = 0; // after that line break
        bool open = false; // a "[" with nothing after it but blanks to the end of the text
    };

    Entries(std::string_view text, std::size_t from)
        : m_text(text)
        , m_at(from)
        , m_lineStart(from)
    { }

    bool next(Entry& e)
    {
        while (m_at < m_text.size() && blank(m_at)) {
            if (lineBreak(m_at))
                m_lineStart = m_at + 1;
            ++m_at;
        }
        if (m_at >= m_text.size())
            return false;
        e = Entry();
        e.begin = m_lineStart;
        const char c = at(m_at);
        std::size_t p = m_at;
        if (c == ';' || c == '#') {
            p = endOfLine(p);
        } else if (c == '[') {
            ++p;
            while (p < m_text.size() && blank(p))
                ++p;
            const std::size_t nameStart = p;
            while (p < m_text.size() && at(p) != ']' && !lineBreak(p))
                ++p;
            if (p < m_text.size() && at(p) == ']') {
                e.kind = Kind::Section;
                e.name = trimmed(nameStart, p);
                p = endOfLine(p);
            } else {
                e.kind = Kind::BadSection;
                e.open = nameStart >= m_text.size();
            }
        } else {
            while (p < m_text.size() && at(p) != '=' && !lineBreak(p))
                ++p;
            if (p < m_text.size() && at(p) == '=' && p > m_at) {
                e.kind = Kind::Key;
                e.name = trimmed(m_at, p);
            }
            p = endOfLine(p);
        }
        e.end = p;
        e.next = p;
        if (p < m_text.size())
            e.next += m_text[p] == '\r' && p + 1 < m_text.size() && m_text[p + 1] == '\n' ? 2 : 1;
        m_at = p;
        return true;
    }

private:
    char at(std::size_t i) const { return m_text[i] == '\0' ? ' ' : m_text[i]; }
    bool lineBreak(std::size_t i) const { return m_text[i] == '\r' || m_text[i] == '\n'; }
    bool blank(std::size_t i) const
    {
        const char c = at(i);
        return c == ' ' || c == '\t' || c == '\r' || c == '\n';
    }
    std::size_t endOfLine(std::size_t i) const
    {
        while (i < m_text.size() && !lineBreak(i))
            ++i;
        return i;
    }
    std::string trimmed(std::size_t from, std::size_t to) const
    {
        while (to > from && blank(to - 1))
            --to;
        std::string out(m_text.substr(from, to - from));
        for (char& ch : out) {
            if (ch == '\0')
                ch = ' ';
        }
        return out;
    }

    std::string_view m_text;
    std::size_t m_at;
    std::size_t m_lineStart;
};

// The byte-order marks the file starts with. The reader is given the text without them all: the
// parser would take off one more itself, and the writer would then see a different first line.
std::size_t byteOrderMarkLength(std::string_view text)
{
    std::size_t length = 0;
    while (text.substr(length, kByteOrderMark.size()) == kByteOrderMark)
        length += kByteOrderMark.size();
    return length;
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

// What the reader is given: the text without its byte-order marks, and with any NUL byte made a
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

// Where "key=value" goes: over the key's line in the section, after the section's last entry, or
// in a new section at the end.
Edit planEdit(std::string_view text, const std::string& newline, std::string_view section,
    std::string_view key, std::string_view value)
{
    using Kind = Entries::Kind;
    const std::string entry = std::string(key) + "=" + std::string(value);
    Entries entries(text, byteOrderMarkLength(text));
    Entries::Entry e;
    bool inSection = false;
    Entries::Entry lastContent;
    std::optional<Entries::Entry> last;
    while (entries.next(e)) {
        last = e;
        if (e.kind == Kind::Section || e.kind == Kind::BadSection) {
            if (inSection)
                break;
            if (e.kind == Kind::Section && !e.name.empty() && equalNoCase(e.name, section)) {
                inSection = true;
                lastContent = e;
            }
            continue;
        }
        if (!inSection)
            continue;
        if (e.kind == Kind::Key && equalNoCase(e.name, key))
            return { e.begin, e.end - e.begin, entry };
        lastContent = e;
    }
    if (inSection) {
        // After the section's last entry; a last line of the file without a break gets one.
        Edit edit { lastContent.next, 0, {} };
        if (lastContent.next == lastContent.end)
            edit.insert = newline;
        edit.insert += entry + newline;
        return edit;
    }
    const std::string newSection = "[" + std::string(section) + "]" + newline + entry + newline;
    // A "[" left open at the end would take the new section's header for its own name: the new
    // section goes before it.
    if (last && last->open)
        return { last->begin, 0, newSection };
    Edit edit { text.size(), 0, {} };
    const std::size_t start = byteOrderMarkLength(text);
    if (text.size() > start) {
        // The file's last line ends with a break, and a blank line parts it from the new section
        // unless it is blank itself.
        std::size_t lineEnd = text.size();
        if (text.back() != '\n' && text.back() != '\r')
            edit.insert = newline;
        else
            lineEnd -= text.size() >= 2 && text.substr(text.size() - 2) == "\r\n" ? 2 : 1;
        std::size_t lineBegin = lineEnd;
        while (lineBegin > start && text[lineBegin - 1] != '\n' && text[lineBegin - 1] != '\r')
            --lineBegin;
        const std::string_view lastLine = text.substr(lineBegin, lineEnd - lineBegin);
        if (lastLine.find_first_not_of(std::string_view(" \t\0", 3)) != std::string_view::npos)
            edit.insert += newline;
    }
    edit.insert += newSection;
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
