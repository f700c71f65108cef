#include "printing/sending.h"

#include "strings/printing_strings.h"

#include <QFileInfo>
#include <QString>

namespace quorvel {

namespace {

// Fills the table text's "%s" with the file and its "%d" with a number.
std::string fill(const char* format, const std::string& file, int number = 0)
{
    std::string text = format;
    if (const std::size_t at = text.find("%d"); at != std::string::npos)
        text.replace(at, 2, std::to_string(number));
    if (const std::size_t at = text.find("%s"); at != std::string::npos)
        text.replace(at, 2, file);
    return text;
}

} // namespace

SendOutcome sendOutcomeOfExit(int exitCode)
{
    using Kind = SendOutcome::Kind;
    switch (exitCode) {
    case 0:
        return { Kind::Handed, 0 };
    case 2:
        return { Kind::FileMissing, exitCode };
    case 3:
        return { Kind::NoMailProgram, exitCode };
    case 5:
        return { Kind::FileUnreadable, exitCode };
    default:
        return { Kind::Failed, exitCode };
    }
}

SendOutcome checkFileToSend(const std::string& file)
{
    const QFileInfo info(QString::fromStdString(file));
    if (file.empty() || !info.exists() || info.isDir())
        return { SendOutcome::Kind::FileMissing, 0 };
    if (!info.isReadable())
        return { SendOutcome::Kind::FileUnreadable, 0 };
    return {};
}

std::string sendFailureText(const SendOutcome& outcome, const std::string& file)
{
    using Kind = SendOutcome::Kind;
    switch (outcome.kind) {
    case Kind::Handed:
        return {};
    case Kind::NoSender:
        return strings::kSendNoXdgEmail;
    case Kind::FileMissing:
        return fill(strings::kSendFileMissing, file);
    case Kind::FileUnreadable:
        return fill(strings::kSendFileUnreadable, file);
    case Kind::NotStarted:
        return fill(strings::kSendNotStarted, file);
    case Kind::NoMailProgram:
        return fill(strings::kSendNoMailProgram, file);
    case Kind::Failed:
        return fill(strings::kSendFailed, file, outcome.exitCode);
    case Kind::Crashed:
        return fill(strings::kSendCrashed, file);
    }
    return {};
}

} // namespace quorvel
