#pragma once

// Fakes of the dialog services: an Asker that answers password, input and file questions from a
// script and records them, and a help service that records the topics asked for.

#include "common/ui_services.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace quorvel::test {

// What the password dialog should do: type a text and press Ok, press Cancel, or press Skip.
struct PasswordAnswer
{
    enum Kind
    {
        Type,
        Cancel,
        Skip
    } kind
        = Cancel;
    std::string typed;
    static PasswordAnswer type(std::string text) { return { Type, std::move(text) }; }
    static PasswordAnswer cancel() { return { Cancel, {} }; }
    static PasswordAnswer skip() { return { Skip, {} }; }
};

struct TextQuestion
{
    std::string caption, prompt;
    int maxLength;
    CharacterSet set;
};

class FakeAsker final : public ui::Asker
{
public:
    bool askPassword(const StartupInfo& info, PasswordRequest& request) override;
    std::optional<std::string> askText(const std::string& caption, const std::string& prompt,
        int maxLength, CharacterSet set, const std::string& initial) override;
    std::optional<std::string> askOpenFile(
        const std::string& caption, const std::string& filter, const std::string& folder) override;
    std::optional<std::string> askSaveFile(const std::string& caption, const std::string& filter,
        const std::string& suggested) override;
    std::optional<std::string> askOpenDocument(ui::DocumentFileQuestion& question) override;
    std::optional<std::string> askSaveDocument(ui::DocumentFileQuestion& question) override;

    // The document dialogs' answers: a path (nothing cancels) and the filter chosen (0 leaves
    // the one shown first).
    struct DocumentAnswer
    {
        std::optional<std::string> path;
        int filter = 0;
    };

    // Scripts; an empty script cancels.
    std::deque<PasswordAnswer> passwords;
    std::deque<std::optional<std::string>> texts;
    std::deque<std::optional<std::string>> files;
    std::deque<std::optional<std::string>> saveFiles;
    std::deque<DocumentAnswer> openDocuments;
    std::deque<DocumentAnswer> saveDocuments;
    // Records.
    std::vector<PasswordRequest> passwordRequests;
    std::vector<TextQuestion> textQuestions;
    int fileQuestions = 0;
    std::vector<std::string> suggestedSaveFiles;
    std::vector<ui::DocumentFileQuestion> documentQuestions;
};

class FakeHelp final : public ui::HelpService
{
public:
    void showContext(int context) override { contexts.push_back(context); }
    void showIndex() override { ++indexShown; }
    void showUsingHelp() override { ++usingHelpShown; }
    std::vector<int> contexts;
    int indexShown = 0;
    int usingHelpShown = 0;
};

} // namespace quorvel::test
