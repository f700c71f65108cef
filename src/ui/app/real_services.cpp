#include "app/real_services.h"

#include "app/main_frame.h"
#include "users/dialog_asker.h"

namespace quorvel::ui {

namespace {

class NoHelp final : public HelpService
{
public:
    void showContext(int) override { }
    void showIndex() override { }
    void showUsingHelp() override { }
};

struct Real final : RealServices
{
    explicit Real(Prompter& prompter)
        : dialogs(nullptr, prompter, helpWindow)
    { }
    NoHelp helpWindow;
    DialogAsker dialogs;
    Asker& asker() override { return dialogs; }
    HelpService& help() override { return helpWindow; }
    void attach(MainFrame& frame) override { dialogs.setParent(&frame); }
};

} // namespace

std::unique_ptr<RealServices> makeRealServices(Prompter& prompter)
{
    return std::make_unique<Real>(prompter);
}

} // namespace quorvel::ui
