#pragma once

// What a command prints: with --json exactly one JSON object on standard output, otherwise the
// same values as readable lines. A command that fails throws a CommandError (or a UsageError);
// the one place that reports it is quorvel::cli::run, which prints its line on standard error
// and, with --json, the error object {"error": ..., plus what the command had to say} on
// standard output. A command therefore cannot end with a failing status and say nothing.

#include <QJsonObject>
#include <string>

namespace quorvel::cli {

namespace Exit {
inline constexpr int kOk = 0;
inline constexpr int kNotSuccess = 1; // ran, but the result is not success
inline constexpr int kUnusable = 2; // usage error, or a file that cannot be used
} // namespace Exit

// Ends a command with an exit status (1 or 2) and one line on standard error. `details` are the
// values the command still has to show (its result code, a report): printed as on success, and
// with --json they are the error object's other members.
class CommandError
{
public:
    CommandError(int exitCode, std::string message, QJsonObject details = {})
        : m_exitCode(exitCode)
        , m_message(std::move(message))
        , m_details(std::move(details))
    { }
    int exitCode() const { return m_exitCode; }
    const std::string& message() const { return m_message; }
    const QJsonObject& details() const { return m_details; }

private:
    int m_exitCode;
    std::string m_message;
    QJsonObject m_details;
};

class Output
{
public:
    explicit Output(bool json)
        : m_json(json)
    { }
    bool json() const { return m_json; }
    // The result of a command that succeeded.
    void print(const QJsonObject& result) const;
    // The report of a command that failed: `details` as a result would be printed (with --json
    // together with "error": message, as one object), and the message as one line on standard
    // error. Only quorvel::cli::run calls it.
    void failure(const std::string& message, const QJsonObject& details) const;
    // A line on standard error that does not end the command (a warning along the way).
    static void note(const std::string& message);

private:
    bool m_json;
};

// A message from the program's string table on one line ("\r\n" and line breaks become spaces).
std::string oneLine(const std::string& text);

} // namespace quorvel::cli
