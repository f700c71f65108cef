#include "documents/text_document.h"

#include "platform/file.h"
#include "platform/file_errors.h"
#include "strings/document_strings.h"

#include <QByteArrayView>

#include <array>
#include <cerrno>
#include <filesystem>
#include <system_error>

namespace quorvel {

namespace {

// Windows-1252 bytes 0x80..0x9F. The five bytes the code page leaves undefined stand for the C1
// control with their number, as the system's own conversion does, so that they survive a save.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, //
};

int windows1252Byte(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (std::size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == c)
            return static_cast<int>(0x80 + i);
    return -1;
}

// Bytes no text holds: controls other than tab, line ends, vertical tab, form feed and the old
// end-of-file mark, and DEL.
bool isBinaryByte(unsigned char b)
{
    return (b < 0x20 && !(b >= 0x09 && b <= 0x0D) && b != 0x1A) || b == 0x7F;
}

// How far past a zero byte a file is looked at to tell text from a binary file.
constexpr std::size_t kBinaryLookAhead = 8192;

bool startsWith(std::string_view bytes, std::string_view prefix)
{
    return bytes.substr(0, prefix.size()) == prefix;
}

std::string fillIn(const char* pattern, std::string_view value)
{
    std::string text(pattern);
    if (const auto at = text.find("%s"); at != std::string::npos)
        text.replace(at, 2, value);
    return text;
}

} // namespace

DecodedText decodeText(std::string_view bytes)
{
    DecodedText out;
    // Text stored as UTF-16 or UTF-32 is not a bee list: its zero bytes would cut it to nothing.
    using namespace std::string_view_literals;
    if (startsWith(bytes, "\xFF\xFE"sv) || startsWith(bytes, "\xFE\xFF"sv)
        || startsWith(bytes, "\x00\x00\xFE\xFF"sv)) {
        out.notText = true;
        return out;
    }
    if (const auto zero = bytes.find('\0'); zero != std::string_view::npos) {
        // Text cut short by a zero byte is followed by zeros or leftover text; a picture or a
        // program holds other control bytes right after its first zero too.
        for (const char ch : bytes.substr(zero, kBinaryLookAhead)) {
            const auto b = static_cast<unsigned char>(ch);
            if (b != 0 && isBinaryByte(b)) {
                out.notText = true;
                return out;
            }
        }
        bytes = bytes.substr(0, zero);
        out.cutAtZero = true;
    }

    std::size_t crlf = 0, lf = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b == '\n') {
            if (i > 0 && bytes[i - 1] == '\r')
                ++crlf;
            else
                ++lf;
        } else if (isBinaryByte(b)) {
            out.notText = true;
            return out;
        }
    }
    out.format.lineEnding = crlf > 0 && crlf >= lf ? LineEnding::CrLf : LineEnding::Lf;

    if (QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())).isValidUtf8()) {
        out.format.encoding = TextEncoding::Utf8;
        if (startsWith(bytes, "\xEF\xBB\xBF"sv)) {
            out.format.byteOrderMark = true;
            bytes.remove_prefix(3);
        }
        out.text = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    } else {
        out.format.encoding = TextEncoding::Windows1252;
        out.text.resize(static_cast<qsizetype>(bytes.size()));
        QChar* p = out.text.data();
        for (const char ch : bytes) {
            const auto b = static_cast<unsigned char>(ch);
            *p++ = QChar(b >= 0x80 && b < 0xA0 ? kHighControls[b - 0x80] : char16_t(b));
        }
    }
    if (crlf > 0) {
        // In one pass: replacing each "\r\n" in turn moves the rest of the text every time.
        QChar* const begin = out.text.data();
        const QChar* const end = begin + out.text.size();
        QChar* to = begin;
        for (const QChar* from = begin; from != end; ++from) {
            if (*from == u'\r' && from + 1 != end && from[1] == u'\n')
                continue;
            *to++ = *from;
        }
        out.text.truncate(to - begin);
    }
    return out;
}

bool encodeText(const QString& text, const TextFormat& format, std::string& bytes, QString* badChar,
    qsizetype* badPosition)
{
    bytes.clear();
    const bool crlf = format.lineEnding == LineEnding::CrLf;
    if (format.encoding == TextEncoding::Utf8) {
        if (format.byteOrderMark)
            bytes = "\xEF\xBB\xBF";
        // A lone surrogate cannot be written as UTF-8.
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text[i];
            if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
                ++i;
            } else if (c.isSurrogate()) {
                if (badChar)
                    *badChar = QString(c);
                if (badPosition)
                    *badPosition = i;
                bytes.clear();
                return false;
            }
        }
        const QByteArray utf8 = text.toUtf8();
        if (!crlf) {
            bytes.append(utf8.constData(), static_cast<std::size_t>(utf8.size()));
            return true;
        }
        bytes.reserve(bytes.size() + static_cast<std::size_t>(utf8.size() + utf8.count('\n')));
        for (const char b : utf8) {
            if (b == '\n')
                bytes += '\r';
            bytes += b;
        }
        return true;
    }
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'\n' && crlf) {
            bytes += "\r\n";
            continue;
        }
        const int b = windows1252Byte(c);
        if (b < 0) {
            const bool pair
                = QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate();
            if (badChar)
                *badChar = text.mid(i, pair ? 2 : 1);
            if (badPosition)
                *badPosition = i;
            bytes.clear();
            return false;
        }
        bytes += static_cast<char>(b);
    }
    return true;
}

TextReadResult readTextFile(const std::string& path, std::uint64_t limit)
{
    using Outcome = TextReadResult::Outcome;
    TextReadResult result;
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (status.type() == std::filesystem::file_type::not_found) {
        result.outcome = Outcome::Missing;
        result.fileError = FileError::kFileNotFound;
        return result;
    }
    if (status.type() == std::filesystem::file_type::directory) {
        result.outcome = Outcome::IsFolder;
        return result;
    }
    int error = 0;
    auto file = File::open(path, OpenMode::ReadOnly, &error);
    if (!file) {
        result.outcome = error == FileError::kFileNotFound ? Outcome::Missing : Outcome::Unreadable;
        result.fileError = error;
        return result;
    }
    result.size = file->size();
    if (result.size > limit) {
        result.outcome = Outcome::TooLarge;
        return result;
    }
    std::string bytes(static_cast<std::size_t>(result.size), '\0');
    if (!bytes.empty() && !file->readExact(bytes.data(), bytes.size())) {
        result.outcome = Outcome::Unreadable;
        result.fileError = FileError::kReadFault;
        return result;
    }
    file->close();
    result.document = decodeText(bytes);
    if (result.document.notText) {
        result.document = {};
        result.outcome = Outcome::NotText;
        return result;
    }
    result.outcome = Outcome::Read;
    return result;
}

TextSaveResult saveTextFile(const std::string& path, const QString& text, const TextFormat& format)
{
    TextSaveResult result;
    std::string bytes;
    if (!encodeText(text, format, bytes, &result.badChar, &result.badPosition)) {
        result.outcome = TextSaveResult::Outcome::Unencodable;
        return result;
    }
    result.replace = replaceFile(path, bytes.data(), bytes.size());
    result.outcome
        = result.replace ? TextSaveResult::Outcome::Saved : TextSaveResult::Outcome::Failed;
    return result;
}

std::string textReadMessage(const std::string& path, const TextReadResult& result)
{
    using Outcome = TextReadResult::Outcome;
    std::string reason;
    switch (result.outcome) {
    case Outcome::Read:
        return result.document.cutAtZero ? std::string(strings::kTextFileCutAtZero) : std::string();
    case Outcome::Missing:
        reason = strings::kTextFileMissing;
        break;
    case Outcome::IsFolder:
        reason = strings::kTextFileIsFolder;
        break;
    case Outcome::TooLarge:
        reason = std::string(strings::kTextFileTooLarge);
        reason.replace(reason.find("%d"), 2, std::to_string(kMaxTextFileBytes >> 20));
        break;
    case Outcome::NotText:
        reason = strings::kTextFileNotText;
        break;
    case Outcome::Unreadable:
        reason = FileErrorMessage(result.fileError ? result.fileError : FileError::kReadFault);
        break;
    }
    return fillIn(strings::kUnableToReadFile, path) + "\n" + reason;
}

std::string textSaveMessage(const std::string& path, const TextSaveResult& result)
{
    std::string reason;
    switch (result.outcome) {
    case TextSaveResult::Outcome::Saved:
        return {};
    case TextSaveResult::Outcome::Unencodable:
        reason = fillIn(strings::kTextUnencodable, result.badChar.toStdString());
        break;
    case TextSaveResult::Outcome::Failed:
        if (result.replace.diskFull())
            reason = strings::kTextDiskFull;
        else if (result.replace.failedStep == ReplaceStep::Create
            && (result.replace.systemError == EACCES || result.replace.systemError == EPERM
                || result.replace.systemError == EROFS))
            reason = strings::kTextFolderNotWritable;
        else
            reason = FileErrorMessage(
                result.replace.fileError ? result.replace.fileError : FileError::kWriteFault);
        // A failure after the rename has put the new text in place; before it the old file
        // is untouched.
        if (!result.replace.replaced())
            reason += std::string("\n") + strings::kTextOldFileKept;
        break;
    }
    return fillIn(strings::kUnableToWriteFile, path) + "\n" + reason;
}

} // namespace quorvel
