#pragma once

// Text files of the bee/text windows: read whole, shown as text, written back whole in the
// encoding and with the line ends they were read with.
//
// A file is read as UTF-8 when its bytes are valid UTF-8, else as Windows-1252 (the code page
// older bee lists were written in). In memory lines end in "\n"; the file's own line end ("\r\n"
// or "\n") is remembered and put back on saving. A file that holds a zero byte is shown up to it
// (the bytes after it are not text anyone typed), and a save then writes that text only; control
// bytes before the zero, or right after it, mark a binary file, which is refused. A save
// goes through replaceFile(): a save that fails leaves the old file whole.

#include "platform/replace_file.h"

#include <QString>

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvel {

enum class TextEncoding : std::uint8_t
{
    Utf8,
    Windows1252,
};

enum class LineEnding : std::uint8_t
{
    Lf,
    CrLf,
};

// How a text is written to its file. A new file is UTF-8 with "\n" and no byte-order mark.
struct TextFormat
{
    TextEncoding encoding = TextEncoding::Utf8;
    LineEnding lineEnding = LineEnding::Lf;
    bool byteOrderMark = false; // UTF-8 only: the file began with EF BB BF
    bool operator==(const TextFormat&) const = default;
};

// The largest file a window opens: far beyond any word list, and small enough that the text and
// its editor fit in memory together.
inline constexpr std::uint64_t kMaxTextFileBytes = std::uint64_t(64) << 20;

struct DecodedText
{
    QString text; // lines end in "\n"
    TextFormat format;
    bool cutAtZero = false; // the file holds a zero byte; text holds what lies before it
    bool notText = false; // control bytes or a UTF-16/32 byte-order mark: not a text file
};

// Decodes a file's bytes.
DecodedText decodeText(std::string_view bytes);

// The file bytes of a text in a format. False when a character cannot be written in the
// format's encoding; `badChar` then holds it (a whole character, a surrogate pair included) and
// `badPosition` its index in `text`.
bool encodeText(const QString& text, const TextFormat& format, std::string& bytes,
    QString* badChar = nullptr, qsizetype* badPosition = nullptr);

struct TextReadResult
{
    enum class Outcome : std::uint8_t
    {
        Read,
        Missing, // no file at the path (deleted or moved since it was named)
        IsFolder,
        TooLarge,
        NotText,
        Unreadable, // fileError tells why
    };
    Outcome outcome = Outcome::Unreadable;
    int fileError = 0;
    std::uint64_t size = 0; // the file's size in bytes, when it could be found
    DecodedText document;
    explicit operator bool() const { return outcome == Outcome::Read; }
};

// Reads and decodes a text file. Nothing larger than `limit` is read.
TextReadResult readTextFile(const std::string& path, std::uint64_t limit = kMaxTextFileBytes);

struct TextSaveResult
{
    enum class Outcome : std::uint8_t
    {
        Saved,
        Unencodable, // nothing was written
        Failed, // the replacement failed: `replace` tells where
    };
    Outcome outcome = Outcome::Failed;
    ReplaceResult replace;
    QString badChar;
    qsizetype badPosition = -1;
    explicit operator bool() const { return outcome == Outcome::Saved; }
};

// Writes the text as the whole file at `path`, through a temporary file renamed over the old one.
TextSaveResult saveTextFile(const std::string& path, const QString& text, const TextFormat& format);

// The messages a window shows: "Unable to read file <path> from disk." or "Unable to write file
// <path> to disk.", with the reason on a second line.
std::string textReadMessage(const std::string& path, const TextReadResult& result);
std::string textSaveMessage(const std::string& path, const TextSaveResult& result);

} // namespace quorvel
