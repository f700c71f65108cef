#pragma once

// Sending the saved file of a document to the desktop's mail program as an attachment. The hand-
// off itself is a MailSender (the real one runs xdg-email); what the person is told about it is
// decided here.

#include <functional>
#include <string>

namespace quorvel {

struct SendOutcome
{
    enum class Kind
    {
        Handed, // the mail program has the file
        NoSender, // xdg-email was not found when the program started
        FileMissing, // the file is not on the disk (any more)
        FileUnreadable,
        NotStarted, // xdg-email was found but could not be run
        NoMailProgram, // xdg-email found no mail program to hand the file to
        Failed, // xdg-email ended with another error; `exitCode` says which
        Crashed, // xdg-email ended without an exit code
    };
    Kind kind = Kind::Handed;
    int exitCode = 0;
    bool operator==(const SendOutcome&) const = default;
};

class MailSender
{
public:
    virtual ~MailSender() = default;
    // Whether files can be sent at all (decided once, when the program starts).
    virtual bool available() const = 0;
    // Hands `file` to the mail program and calls `done` once the hand-off ended, which may be
    // later (the mail program's own start can take a while); it is called exactly once.
    virtual void send(const std::string& file, std::function<void(SendOutcome)> done) = 0;
};

// The outcome of a mail hand-off from its exit code: xdg-email's 2 and 5 speak of the file, 3 of
// a missing mail program.
SendOutcome sendOutcomeOfExit(int exitCode);

// Checks the file on disk before it is handed on: it must be there and readable. Handed when
// it is.
SendOutcome checkFileToSend(const std::string& file);

// What the person is told when the hand-off did not happen (empty for Handed).
std::string sendFailureText(const SendOutcome& outcome, const std::string& file);

} // namespace quorvel
