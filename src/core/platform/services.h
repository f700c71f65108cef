#pragma once

// The small interfaces through which core reaches a person and the machine. Front ends pass
// real implementations; tests pass fakes.

#include <cstdint>
#include <ctime>
#include <string>

namespace quorvel {

enum class MessageIcon : std::uint8_t
{
    None,
    Information,
    Exclamation,
    Question,
    Error
};
enum class MessageButtons : std::uint8_t
{
    Ok,
    OkCancel,
    YesNo,
    YesNoCancel
};
enum class MessageAnswer : std::uint8_t
{
    Ok,
    Cancel,
    Yes,
    No
};

// Shows a message box (text, caption, icon, buttons) and returns the button pressed.
class Prompter
{
public:
    virtual ~Prompter() = default;
    virtual MessageAnswer show(const std::string& text, const std::string& caption,
        MessageIcon icon, MessageButtons buttons = MessageButtons::Ok)
        = 0;
};

// Progress of a long operation. `progress` returns true when the person asked to stop.
class ProgressSink
{
public:
    virtual ~ProgressSink() = default;
    virtual bool progress(int count) = 0;
};

class Clock
{
public:
    virtual ~Clock() = default;
    // Milliseconds from an arbitrary start, wrapping like a 32-bit tick counter.
    virtual std::uint32_t ticks() = 0;
    // Wall time, seconds since the epoch.
    virtual std::time_t now() = 0;
};

class SystemClock final : public Clock
{
public:
    std::uint32_t ticks() override;
    std::time_t now() override;
};

// Pseudo-random numbers in 0..0x7FFF_FFFF, reseeded where the program's rules say so.
class RandomSource
{
public:
    virtual ~RandomSource() = default;
    virtual void seed(std::uint32_t value) = 0;
    virtual std::uint32_t next() = 0;
};

// A small multiplicative congruential generator: cheap, and the same sequence for the same seed
// on every machine.
class DefaultRandomSource final : public RandomSource
{
public:
    void seed(std::uint32_t value) override
    {
        m_state = value % 2147483647u ? value % 2147483647u : 1u;
    }
    std::uint32_t next() override
    {
        m_state = static_cast<std::uint32_t>(
            (static_cast<std::uint64_t>(m_state) * 48271u) % 2147483647u);
        return m_state;
    }

private:
    std::uint32_t m_state = 1;
};

// Local time in the classic 24-character form "Thu Dec 10 14:03:05 2026" followed by a line feed.
std::string classicDateText(std::time_t when);

} // namespace quorvel
