#include "args.h"

#include <cerrno>
#include <cstdlib>

namespace quorvel::cli {

Args::Args(const std::vector<std::string>& words, const std::set<std::string>& withValue,
    const std::set<std::string>& switches)
{
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& w = words[i];
        if (w.size() < 3 || w.compare(0, 2, "--") != 0) {
            m_positional.push_back(w);
            continue;
        }
        std::string name = w.substr(2);
        std::optional<std::string> inlineValue;
        if (const auto eq = name.find('='); eq != std::string::npos) {
            inlineValue = name.substr(eq + 1);
            name.resize(eq);
        }
        if (withValue.count(name)) {
            if (inlineValue) {
                m_values[name] = *inlineValue;
            } else {
                if (i + 1 >= words.size())
                    throw UsageError("--" + name + " needs a value");
                m_values[name] = words[++i];
            }
        } else if (switches.count(name) && !inlineValue) {
            m_switches.insert(name);
        } else {
            throw UsageError("unknown option --" + name);
        }
    }
}

const std::string& Args::positional(std::size_t n, const char* what) const
{
    if (n >= m_positional.size())
        throw UsageError(std::string("missing ") + what);
    return m_positional[n];
}

void Args::expectPositionals(std::size_t n) const
{
    if (m_positional.size() > n)
        throw UsageError("unexpected argument '" + m_positional[n] + "'");
}

bool Args::has(const std::string& name) const
{
    return m_switches.count(name) || m_values.count(name);
}

std::optional<std::string> Args::value(const std::string& name) const
{
    const auto it = m_values.find(name);
    if (it == m_values.end())
        return std::nullopt;
    return it->second;
}

std::string Args::required(const std::string& name) const
{
    auto v = value(name);
    if (!v)
        throw UsageError("--" + name + " is required");
    return *v;
}

long parseInteger(const std::string& text, long min, long max, const std::string& what)
{
    errno = 0;
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno == ERANGE)
        throw UsageError(what + " must be a whole number, not '" + text + "'");
    if (v < min || v > max)
        throw UsageError(
            what + " must be between " + std::to_string(min) + " and " + std::to_string(max));
    return v;
}

std::optional<long> Args::integer(const std::string& name, long min, long max) const
{
    auto v = value(name);
    if (!v)
        return std::nullopt;
    return parseInteger(*v, min, max, "--" + name);
}

long Args::requiredInteger(const std::string& name, long min, long max) const
{
    return parseInteger(required(name), min, max, "--" + name);
}

} // namespace quorvel::cli
