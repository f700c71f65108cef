#pragma once

// Fakes of the services core talks through: a clock that stands still until told, a random
// source that plays back chosen numbers, a prompter that records every message and answers from
// a script, and a progress sink that can ask to stop.

#include "platform/services.h"

#include <deque>
#include <string>
#include <vector>

namespace quorvel::test {

class FakeClock final : public Clock
{
public:
    std::uint32_t ticks() override { return m_ticks; }
    std::time_t now() override { return m_now; }
    void advance(std::uint32_t ms) { m_ticks += ms; }
    void setNow(std::time_t t) { m_now = t; }

private:
    std::uint32_t m_ticks = 1000;
    std::time_t m_now = 1765375385; // a fixed moment, so dates in files are predictable
};

// Plays back the given numbers in order, then repeats the last one; records the seeds it got.
class ScriptedRandom final : public RandomSource
{
public:
    explicit ScriptedRandom(std::vector<std::uint32_t> values = {})
        : m_values(std::move(values))
    { }
    void seed(std::uint32_t value) override { seeds.push_back(value); }
    std::uint32_t next() override
    {
        if (m_values.empty())
            return 0;
        const std::uint32_t v = m_values[std::min(m_at, m_values.size() - 1)];
        ++m_at;
        return v;
    }
    std::vector<std::uint32_t> seeds;

private:
    std::vector<std::uint32_t> m_values;
    std::size_t m_at = 0;
};

struct ShownMessage
{
    std::string text;
    std::string caption;
    MessageIcon icon;
    MessageButtons buttons;
};

class FakePrompter final : public Prompter
{
public:
    MessageAnswer show(const std::string& text, const std::string& caption, MessageIcon icon,
        MessageButtons buttons) override;
    // Answers to give, in order; when none is left the first button of the box is pressed.
    std::deque<MessageAnswer> answers;
    std::vector<ShownMessage> shown;
};

class FakeProgress final : public ProgressSink
{
public:
    bool progress(int count) override
    {
        counts.push_back(count);
        return stopAt > 0 && count >= stopAt;
    }
    int stopAt = 0; // ask to stop once this many words were found
    std::vector<int> counts;
};

} // namespace quorvel::test
