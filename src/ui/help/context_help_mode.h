#pragma once

// Keyboard help for the whole application: F1 opens the contents; Shift+F1 switches on context
// help, in which the next command chosen opens its help page instead of being carried out;
// Escape switches it off. F1 on a highlighted menu item opens that item's page.
//
// The main window installs one of these on the application (qApp->installEventFilter), gives
// every command's QAction its command id with action->setData(id), and asks intercept(id) before
// it carries out any command.

#include <QObject>

namespace quorvel::ui {

class HelpService;

class ContextHelpMode final : public QObject
{
    Q_OBJECT
public:
    explicit ContextHelpMode(HelpService& help, QObject* parent = nullptr);
    ~ContextHelpMode() override;

    bool isOn() const { return m_on; }
    void switchOn(); // shows the help cursor
    void switchOff(); // restores the cursor

    // True when the command must not be carried out: context help was on, so it is switched off
    // and the command's help page opened instead.
    bool intercept(int commandId);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool helpOnHighlightedMenuItem();

    HelpService& m_help;
    bool m_on = false;
};

} // namespace quorvel::ui
