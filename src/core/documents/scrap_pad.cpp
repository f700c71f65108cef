#include "documents/scrap_pad.h"

#include "platform/paths.h"
#include "strings/browser_strings.h"
#include "strings/document_strings.h"
#include "strings/scrap_pad_strings.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace quorvel {

namespace {

std::string fillIn(const char* pattern, std::string_view value)
{
    std::string text(pattern);
    if (const auto at = text.find("%s"); at != std::string::npos)
        text.replace(at, 2, value);
    return text;
}

// Letters as a word is made of: a..z, A..Z, and beyond ASCII any letter or the mark that accents
// one (such a word is never a dictionary word, but it is one word).
bool isWordChar(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80)
        return (u | 0x20) >= 'a' && (u | 0x20) <= 'z';
    return c.isLetter() || c.isMark();
}

// The length of the line end at `at`, or 0.
qsizetype lineEndAt(const QString& text, qsizetype at)
{
    if (at >= text.size())
        return 0;
    if (text[at] == u'\n')
        return 1;
    if (text[at] == u'\r')
        return at + 1 < text.size() && text[at + 1] == u'\n' ? 2 : 1;
    return 0;
}

qsizetype countLines(QStringView text)
{
    qsizetype lines = 1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n'
            || (text[i] == u'\r' && (i + 1 == text.size() || text[i + 1] != u'\n')))
            ++lines;
    }
    return lines;
}

bool qualifies(MoveKind kind, FindResult result)
{
    switch (kind) {
    case MoveKind::InDictionary:
        return isFound(result);
    case MoveKind::NotInDictionary:
        return result == FindResult::NotFound;
    }
    return false;
}

} // namespace

std::string scrapPadFile(std::string_view dataFolder, int user, int page)
{
    return paths::progdataFile(
        dataFolder, (page == 0 ? "spaduse" : "spadusp") + std::to_string(user) + ".pad");
}

TextFormat newScrapPadFormat()
{
    TextFormat format;
    format.encoding = TextEncoding::Utf8;
    format.lineEnding = LineEnding::CrLf;
    return format;
}

bool ScrapPadLoad::missing() const
{
    return std::any_of(pages.begin(), pages.end(),
        [](const ScrapPadPage& p) { return p.outcome == TextReadResult::Outcome::Missing; });
}

ScrapPadLoad loadScrapPad(const std::string& dataFolder, int user)
{
    ScrapPadLoad load;
    for (int page = 0; page < kScrapPadPages; ++page) {
        const std::string path = scrapPadFile(dataFolder, user, page);
        const TextReadResult read = readTextFile(path);
        ScrapPadPage& p = load.pages[static_cast<std::size_t>(page)];
        p.outcome = read.outcome;
        if (read) {
            p.text = read.document.text;
            p.format = read.document.format;
            p.message = textReadMessage(path, read); // the zero-byte note, if any
        } else if (p.fileKept()) {
            p.message = textReadMessage(path, read) + "\n" + strings::kScrapPageUnreadable;
        }
    }
    return load;
}

ScrapPadSaveResult saveScrapPad(const std::string& dataFolder, int user, ScrapPadPages& pages)
{
    ScrapPadSaveResult result;
    std::array<std::string, kScrapPadPages> paths;
    std::array<TextFormat, kScrapPadPages> formats;
    // Everything that can be known before writing is checked for both pages first, so that a
    // page that cannot be saved leaves both files as they were.
    for (int page = 0; page < kScrapPadPages; ++page) {
        const auto i = static_cast<std::size_t>(page);
        paths[i] = scrapPadFile(dataFolder, user, page);
        const std::string cannotWrite = fillIn(strings::kUnableToWriteFile, paths[i]) + "\n";
        std::error_code ec;
        if (std::filesystem::is_directory(paths[i], ec)) {
            result.message = cannotWrite + strings::kTextFileIsFolder;
            return result;
        }
        if (pages[i].fileKept()) {
            result.message = cannotWrite + strings::kScrapPageFileKept;
            return result;
        }
        formats[i] = pages[i].format;
        std::string bytes;
        if (!encodeText(pages[i].text, formats[i], bytes)
            && formats[i].encoding == TextEncoding::Windows1252) {
            // The page is the program's own file: it takes whatever the person typed.
            formats[i] = newScrapPadFormat();
            formats[i].lineEnding = pages[i].format.lineEnding;
        }
        TextSaveResult check;
        if (!encodeText(pages[i].text, formats[i], bytes, &check.badChar, &check.badPosition)) {
            check.outcome = TextSaveResult::Outcome::Unencodable;
            result.message = textSaveMessage(paths[i], check);
            return result;
        }
    }
    for (int page = 0; page < kScrapPadPages; ++page) {
        const auto i = static_cast<std::size_t>(page);
        const TextSaveResult saved = saveTextFile(paths[i], pages[i].text, formats[i]);
        if (!saved) {
            result.message = textSaveMessage(paths[i], saved);
            return result;
        }
        pages[i].format = formats[i];
    }
    result.saved = true;
    return result;
}

ScrapPadSaveResult appendToScrapPadPage1(
    const std::string& dataFolder, int user, std::string_view word)
{
    ScrapPadSaveResult result;
    const std::string path = scrapPadFile(dataFolder, user, 0);
    const TextReadResult read = readTextFile(path);
    std::string bytes;
    if (read.outcome == TextReadResult::Outcome::Read && !read.document.cutAtZero) {
        int error = 0;
        if (!readWholeFile(path, bytes, &error)) {
            TextReadResult failed;
            failed.fileError = error;
            result.message = textReadMessage(path, failed) + "\n" + strings::kBrowsePageNotAdded;
            return result;
        }
    } else if (read.outcome != TextReadResult::Outcome::Missing) {
        result.message = textReadMessage(path, read) + "\n" + strings::kBrowsePageNotAdded;
        return result;
    }
    // The file's own line end: the first one in it decides.
    std::string lineEnd = "\r\n";
    if (const auto lf = bytes.find('\n');
        lf != std::string::npos && (lf == 0 || bytes[lf - 1] != '\r'))
        lineEnd = "\n";
    if (!bytes.empty() && bytes.back() != '\n' && bytes.back() != '\r')
        bytes += lineEnd;
    bytes += ' ';
    bytes += word;
    bytes += lineEnd;
    const ReplaceResult replaced = replaceFile(path, bytes.data(), bytes.size());
    if (!replaced) {
        TextSaveResult failed;
        failed.replace = replaced;
        result.message = textSaveMessage(path, failed);
        return result;
    }
    result.saved = true;
    return result;
}

MoveWordsResult MoveWords(MoveKind kind, const QString& page1, const QString& page2,
    TextSelection page2Where, const WordLookup& lookup)
{
    MoveWordsResult r;
    r.page2Where = page2Where;
    const qsizetype length = page1.size();
    const qsizetype selStart
        = std::clamp(std::min(page2Where.start, page2Where.end), qsizetype(0), page2.size());
    const qsizetype selEnd
        = std::clamp(std::max(page2Where.start, page2Where.end), qsizetype(0), page2.size());
    qsizetype lines = countLines(page2);

    // Page 1 as it becomes is built as the scan goes: everything before the scan position is
    // what stays, so the current text's length is what stays plus what is still to scan.
    QString kept;
    kept.reserve(length);
    QString moved;
    qsizetype i = 0;
    bool more = true;
    while (more) {
        // A line starts at i: it is looked at only while it starts before the last three
        // characters of the current text, that is while more than three are still to scan.
        if (length - i <= 3)
            break;
        for (;;) {
            if (i >= length || page1[i] == QChar(0)) {
                more = false;
                break;
            }
            if (const qsizetype end = lineEndAt(page1, i)) {
                kept.append(QStringView(page1).mid(i, end));
                i += end;
                break;
            }
            if (!isWordChar(page1[i])) {
                kept.append(page1[i++]);
                continue;
            }
            qsizetype j = i;
            bool plain = true;
            while (j < length && isWordChar(page1[j])) {
                plain = plain && page1[j].unicode() < 0x80;
                ++j;
            }
            const QStringView word = QStringView(page1).mid(i, j - i);
            bool move = false;
            if (word.size() < kScrapPadLongWord) {
                // Only plain letters can be dictionary words; anything else is not suitable.
                const FindResult found
                    = plain ? lookup(word.toLatin1().toStdString()) : FindResult::NotSuitable;
                r.lookupFailed = r.lookupFailed || found == FindResult::FileError;
                if (qualifies(kind, found)) {
                    // Page 2 as it stands: before the first word, with its selection.
                    if (lines < kScrapPadMaxLines)
                        move = true;
                    else
                        ++r.leftForFullPage;
                }
            }
            if (!move) {
                kept.append(word);
                i = j;
                continue;
            }
            // The first word replaces page 2's selection, and with it the lines it held.
            if (r.moved == 0)
                lines -= countLines(QStringView(page2).mid(selStart, selEnd - selStart)) - 1;
            moved.append(word);
            moved.append(u'\n');
            ++lines;
            ++r.moved;
            // A word that ends its line takes its line end along; the scan goes on in this line.
            i = j + lineEndAt(page1, j);
        }
    }
    if (r.moved == 0) {
        r.page1 = page1;
        r.page2 = page2;
        return r;
    }
    kept.append(QStringView(page1).mid(i));
    r.page1 = std::move(kept);
    r.page2 = page2.left(selStart) + moved + page2.mid(selEnd);
    r.page2Where = TextSelection::caret(selStart + moved.size());
    return r;
}

} // namespace quorvel
