#pragma once

// What a command prints: with --json exactly one JSON object on standard output, otherwise the
// same values as readable lines. Errors are one line on standard error.

#include <QJsonObject>
#include <string>

namespace quorvel::cli {

namespace Exit {
inline constexpr int kOk = 0;
inline constexpr int kNotSuccess = 1; // ran, but the result is not success
inline constexpr int kUnusable = 2; // usage error, or a file that cannot be used
} // namespace Exit

// Ends a command with an exit status and one line on standard error.
class CommandError
{
public:
    CommandError(int exitCode, std::string message)
        : m_exitCode(exitCode)
        , m_message(std::move(message))
    { }
    int exitCode() const { return m_exitCode; }
    const std::string& message() const { return m_message; }

private:
    int m_exitCode;
    std::string m_message;
};

class Output
{
public:
    explicit Output(bool json)
        : m_json(json)
    { }
    bool json() const { return m_json; }
    void print(const QJsonObject& result) const;
    static void error(const std::string& message);

private:
    bool m_json;
};

// A message from the program's string table on one line ("\r\n" and line breaks become spaces).
std::string oneLine(const std::string& text);

} // namespace quorvel::cli
