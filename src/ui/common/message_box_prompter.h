#pragma once

#include "platform/services.h"

#include <QPointer>
#include <QWidget>

namespace quorvel::ui {

// Message boxes owned by a window (normally the main window), with the caption, icon and buttons
// asked for. Texts carry "\r\n" line breaks as the string table writes them.
class MessageBoxPrompter final : public Prompter
{
public:
    explicit MessageBoxPrompter(QWidget* owner = nullptr)
        : m_owner(owner)
    { }
    void setOwner(QWidget* owner) { m_owner = owner; }
    MessageAnswer show(const std::string& text, const std::string& caption, MessageIcon icon,
        MessageButtons buttons = MessageButtons::Ok) override;

private:
    QPointer<QWidget> m_owner;
};

// The string table's "\r\n" becomes a plain line break on screen.
QString displayText(const std::string& text);

} // namespace quorvel::ui
