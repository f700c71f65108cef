#pragma once

// Command-line arguments of one command: positional words and --options, each option given as
// "--name value" or "--name=value", or alone for a switch. Unknown options are usage errors.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace quorvel::cli {

class UsageError
{
public:
    explicit UsageError(std::string message)
        : m_message(std::move(message))
    { }
    const std::string& message() const { return m_message; }

private:
    std::string m_message;
};

class Args
{
public:
    // Splits `words`; `withValue` and `switches` name the options this command knows (without --).
    Args(const std::vector<std::string>& words, const std::set<std::string>& withValue,
        const std::set<std::string>& switches);

    const std::vector<std::string>& positional() const { return m_positional; }
    // The n-th positional word; a usage error naming `what` when it is missing.
    const std::string& positional(std::size_t n, const char* what) const;
    // No positional words beyond the first `n`.
    void expectPositionals(std::size_t n) const;

    bool has(const std::string& name) const;
    std::optional<std::string> value(const std::string& name) const;
    std::string required(const std::string& name) const;
    // An integer option within [min, max]; usage errors for text, or values out of range.
    std::optional<long> integer(const std::string& name, long min, long max) const;
    long requiredInteger(const std::string& name, long min, long max) const;

private:
    std::vector<std::string> m_positional;
    std::map<std::string, std::string> m_values;
    std::set<std::string> m_switches;
};

// A decimal integer in [min, max], or a usage error naming `what`.
long parseInteger(const std::string& text, long min, long max, const std::string& what);

} // namespace quorvel::cli
