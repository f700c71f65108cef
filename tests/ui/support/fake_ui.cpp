#include "fake_ui.h"

#include "users/password_scramble.h"

namespace quorvel::test {

bool FakeAsker::askPassword(const StartupInfo& info, PasswordRequest& request)
{
    request.accepted = false;
    request.skipped = false;
    passwordRequests.push_back(request);
    if (passwords.empty())
        return false;
    const PasswordAnswer answer = passwords.front();
    passwords.pop_front();
    switch (answer.kind) {
    case PasswordAnswer::Type:
        request.accepted = passwordMatches(info, request, answer.typed);
        return true;
    case PasswordAnswer::Skip:
        request.skipped = true;
        return false;
    case PasswordAnswer::Cancel:
        break;
    }
    return false;
}

std::optional<std::string> FakeAsker::askText(const std::string& caption, const std::string& prompt,
    int maxLength, CharacterSet set, const std::string&)
{
    textQuestions.push_back({ caption, prompt, maxLength, set });
    if (texts.empty())
        return std::nullopt;
    auto answer = texts.front();
    texts.pop_front();
    return answer;
}

std::optional<std::string> FakeAsker::askOpenFile(
    const std::string&, const std::string&, const std::string&)
{
    ++fileQuestions;
    if (files.empty())
        return std::nullopt;
    auto answer = files.front();
    files.pop_front();
    return answer;
}

std::optional<std::string> FakeAsker::askSaveFile(
    const std::string&, const std::string&, const std::string& suggested)
{
    suggestedSaveFiles.push_back(suggested);
    if (saveFiles.empty())
        return std::nullopt;
    auto answer = saveFiles.front();
    saveFiles.pop_front();
    return answer;
}

namespace {

std::optional<std::string> answerDocument(
    std::deque<FakeAsker::DocumentAnswer>& script, ui::DocumentFileQuestion& question)
{
    if (script.empty())
        return std::nullopt;
    const FakeAsker::DocumentAnswer answer = script.front();
    script.pop_front();
    if (answer.path && answer.filter > 0)
        question.filter = answer.filter;
    return answer.path;
}

} // namespace

std::optional<std::string> FakeAsker::askOpenDocument(ui::DocumentFileQuestion& question)
{
    documentQuestions.push_back(question);
    return answerDocument(openDocuments, question);
}

std::optional<std::string> FakeAsker::askSaveDocument(ui::DocumentFileQuestion& question)
{
    documentQuestions.push_back(question);
    return answerDocument(saveDocuments, question);
}

} // namespace quorvel::test
