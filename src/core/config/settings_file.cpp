#include "settings_file.h"

#include "platform/file_errors.h"
#include "platform/replace_file.h"

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

// The file as lines, each with its own line break, so that lines the program does not touch are
// written back byte for byte.
struct Line
{
    std::string text;
    std::string eol; // "\n", "\r\n", "\r", or "" for a last line without a break
};

struct Document
{
    std::string bom;
    std::vector<Line> lines;
    std::string newline = "\r\n"; // for lines the program adds
};

Document splitLines(std::string text)
{
    Document doc;
    if (text.compare(0, kByteOrderMark.size(), kByteOrderMark) == 0) {
        doc.bom = kByteOrderMark;
        text.erase(0, kByteOrderMark.size());
    }
    std::size_t crlf = 0, lf = 0;
    Line current;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                current.eol = "\r\n";
                ++crlf;
                ++i;
            } else {
                current.eol = std::string(1, c);
                lf += c == '\n';
            }
            doc.lines.push_back(std::move(current));
            current = Line();
        } else {
            current.text.push_back(c);
        }
    }
    if (!current.text.empty())
        doc.lines.push_back(std::move(current));
    if (lf > crlf)
        doc.newline = "\n";
    return doc;
}

// What the reader is given: the text without a byte-order mark, and with any NUL byte made a
// blank, so that it sees the same lines the writer edits.
std::string readerText(std::string text)
{
    if (text.compare(0, kByteOrderMark.size(), kByteOrderMark) == 0)
        text.erase(0, kByteOrderMark.size());
    for (char& c : text) {
        if (c == '\0')
            c = ' ';
    }
    return text;
}

bool loadText(const std::string& text, CSimpleIniA& ini)
{
    ini.SetMultiKey(true); // a repeated key reads as its first value
    ini.SetQuotes(true);
    return ini.LoadData(readerText(text)) >= 0;
}

bool loadIni(const std::string& path, CSimpleIniA& ini)
{
    std::string text;
    return readWholeFile(path, text) && loadText(text, ini);
}

// True when the reader finds `value` under section/key in the text.
bool readsBack(const std::string& text, const std::string& section, const std::string& key,
    std::string_view value)
{
    CSimpleIniA ini;
    if (!loadText(text, ini))
        return false;
    const char* stored = ini.GetValue(section.c_str(), key.c_str(), nullptr);
    return stored && std::string_view(stored) == trim(value);
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
    std::string original;
    int readError = 0;
    // A missing file is an empty one; a file that is there but cannot be read must not be
    // replaced by one that holds nothing but this key.
    if (!readWholeFile(m_path, original, &readError) && readError != FileError::kFileNotFound)
        return false;
    Document doc = splitLines(original);
    const Line entry { std::string(key) + "=" + std::string(value), doc.newline };
    auto add = [&](std::size_t at, Line line) {
        if (at > 0 && doc.lines[at - 1].eol.empty())
            doc.lines[at - 1].eol = doc.newline;
        doc.lines.insert(doc.lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
    };

    std::size_t sectionLine = doc.lines.size();
    for (std::size_t i = 0; i < doc.lines.size(); ++i) {
        std::string_view name;
        if (opensSection(doc.lines[i].text, name) && !name.empty() && equalNoCase(name, section)) {
            sectionLine = i;
            break;
        }
    }
    if (sectionLine == doc.lines.size()) {
        if (!doc.lines.empty() && !trim(doc.lines.back().text).empty())
            add(doc.lines.size(), Line { std::string(), doc.newline });
        add(doc.lines.size(), Line { "[" + std::string(section) + "]", doc.newline });
        add(doc.lines.size(), entry);
    } else {
        std::size_t lastContent = sectionLine;
        bool replaced = false;
        for (std::size_t i = sectionLine + 1; i < doc.lines.size(); ++i) {
            std::string_view name;
            if (opensSection(doc.lines[i].text, name))
                break;
            if (lineHasKey(doc.lines[i].text, key)) {
                doc.lines[i].text = entry.text;
                replaced = true;
                break;
            }
            if (!trim(doc.lines[i].text).empty())
                lastContent = i;
        }
        if (!replaced)
            add(lastContent + 1, entry);
    }

    std::string out = doc.bom;
    for (const Line& line : doc.lines)
        out += line.text + line.eol;

    // A file mangled badly enough (a stray "[" the reader takes as part of the next header, say)
    // can hide the edited line from the reader. Then the reader's own view of the file is written
    // out with the new value: a value just written always reads back.
    const std::string sectionText(section), keyText(key), valueText(value);
    if (!readsBack(out, sectionText, keyText, value)) {
        CSimpleIniA ini;
        loadText(original, ini);
        ini.SetValue(sectionText.c_str(), keyText.c_str(), valueText.c_str());
        out.clear();
        ini.Save(out);
    }
    return replaceFile(m_path, out.data(), out.size()).ok();
}

} // namespace quorvel
