#include "fakes.h"

namespace quorvel::test {

MessageAnswer FakePrompter::show(
    const std::string& text, const std::string& caption, MessageIcon icon, MessageButtons buttons)
{
    shown.push_back({ text, caption, icon, buttons });
    if (!answers.empty()) {
        const MessageAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    switch (buttons) {
    case MessageButtons::YesNo:
    case MessageButtons::YesNoCancel:
        return MessageAnswer::Yes;
    default:
        return MessageAnswer::Ok;
    }
}

} // namespace quorvel::test
