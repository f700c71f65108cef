#pragma once

#include "common/ui_services.h"

#include <QPointer>
#include <QWidget>

namespace quorvel::ui {

// The real Asker: the password entry dialog, the one-line input box and the file-open and
// file-save dialogs, each modal over the parent window.
class DialogAsker final : public Asker
{
public:
    DialogAsker(QWidget* parent, Prompter& prompter, HelpService& help)
        : m_parent(parent)
        , m_prompter(prompter)
        , m_help(help)
    { }
    void setParent(QWidget* parent) { m_parent = parent; }

    bool askPassword(const StartupInfo& info, PasswordRequest& request) override;
    std::optional<std::string> askText(const std::string& caption, const std::string& prompt,
        int maxLength, CharacterSet set, const std::string& initial = {}) override;
    std::optional<std::string> askOpenFile(
        const std::string& caption, const std::string& filter, const std::string& folder) override;
    std::optional<std::string> askSaveFile(const std::string& caption, const std::string& filter,
        const std::string& suggested) override;
    std::optional<std::string> askOpenDocument(DocumentFileQuestion& question) override;
    std::optional<std::string> askSaveDocument(DocumentFileQuestion& question) override;

private:
    QPointer<QWidget> m_parent;
    Prompter& m_prompter;
    HelpService& m_help;
};

} // namespace quorvel::ui
