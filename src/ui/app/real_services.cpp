#include "app/real_services.h"

#include "app/main_frame.h"
#include "help/context_help_mode.h"
#include "help/help_window.h"
#include "users/dialog_asker.h"

#include <QApplication>

namespace quorvel::ui {

namespace {

struct Real final : RealServices
{
    explicit Real(Prompter& prompter)
        : dialogs(nullptr, prompter, helpWindow)
    { }
    HelpBrowser helpWindow;
    DialogAsker dialogs;
    std::unique_ptr<ContextHelpMode> contextHelp;
    Asker& asker() override { return dialogs; }
    HelpService& help() override { return helpWindow; }
    void attach(MainFrame& frame) override
    {
        dialogs.setParent(&frame);
        helpWindow.setOwner(&frame);
        // Shift+F1, F1 and Escape are watched application-wide, so they work in dialogs too.
        contextHelp = std::make_unique<ContextHelpMode>(helpWindow);
        qApp->installEventFilter(contextHelp.get());
        ContextHelpMode* mode = contextHelp.get();
        frame.setCommandInterceptor([mode](int id) { return mode->intercept(id); });
    }
};

} // namespace

std::unique_ptr<RealServices> makeRealServices(Prompter& prompter)
{
    return std::make_unique<Real>(prompter);
}

} // namespace quorvel::ui
