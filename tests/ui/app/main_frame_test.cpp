// The program brought up on a temporary installation with scripted message boxes and dialogs:
// start-up, the first-run dialog, the user and category boxes, the enabling of the locked
// commands, the status bar and the quit.

#include "app/application.h"
#include "app/command_table.h"
#include "app/main_frame.h"
#include "app/session.h"
#include "config/settings_file.h"
#include "platform/paths.h"
#include "strings/app_strings.h"
#include "strings/strings.h"
#include "support/fake_ui.h"
#include "support/fakes.h"
#include "support/modal.h"
#include "support/records.h"
#include "support/temp_folder.h"
#include "users/password_scramble.h"

#include "core/dictionary_test_support.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMdiArea>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

struct Program
{
    TempFolder folder;
    FakePrompter prompter;
    FakeAsker asker;
    FakeHelp help;
    std::unique_ptr<ui::QuorvelRuntime> runtime;

    Program()
    {
        folder.makeProgdata();
        writeBytes(folder.file("progdata/sonddict.dis"),
            buildDictionaryImage({ entry("CAT"), entry("DOG") }));
    }
    // A record made beforehand, so the start is not a first run.
    void prepareRecord(const std::function<void(StartupInfo&)>& change)
    {
        StartupInfo info;
        ASSERT_TRUE(CreateStartupInfo(info, folder.path()));
        change(info);
        ASSERT_TRUE(SaveStartupInfo(info));
    }
    bool start()
    {
        runtime = std::make_unique<ui::QuorvelRuntime>(
            folder.path(), ui::RuntimeServices { &prompter, &asker, &help });
        return runtime->start();
    }
    ui::MainFrame& frame() { return runtime->frame(); }
    Session& session() { return runtime->session(); }
    ~Program()
    {
        if (runtime) {
            runtime->frame().setQuitCheck([] { return true; });
            runtime->frame().close();
        }
    }
};

TEST(Program, FirstStartShowsTheFirstRunDialogAndAppliesItsChoice)
{
    Program p;
    onNextModal([](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QString::fromLatin1(strings::kFirstRunTitle));
        // The dialect texts as they stand, with their two leading blanks.
        EXPECT_EQ(child<QRadioButton>(dialog, "usDialect")->text().remove(QLatin1Char('&')),
            QString::fromLatin1(strings::kFirstRunUsDialect));
        EXPECT_EQ(child<QRadioButton>(dialog, "ukDialect")->text().remove(QLatin1Char('&')),
            QString::fromLatin1(strings::kFirstRunUkDialect));
        child<QRadioButton>(dialog, "ukDialect")->setChecked(true);
        child<QPushButton>(dialog, "doneButton")->click();
    });
    ASSERT_TRUE(p.start());
    EXPECT_TRUE(p.session().firstRun);
    EXPECT_EQ(p.session().info.listOptions(7).languageUK, 1);
    EXPECT_EQ(p.frame().userBox()->count(), kUserSlots);
    EXPECT_EQ(p.frame().categoryBox()->count(), kCategorySlots);
    EXPECT_EQ(
        p.frame().statusText("listSourceField"), QString::fromLatin1(strings::kSourceDictionary));
    EXPECT_EQ(p.frame().statusText("wordFilterField"), QStringLiteral("Word filter: 4 to 10"));
    EXPECT_TRUE(fileExists(p.folder.file("mydata/oldwave")));
}

TEST(Program, SecondStartHasNoFirstRunDialog)
{
    Program p;
    p.prepareRecord([](StartupInfo&) {});
    ASSERT_TRUE(p.start());
    EXPECT_FALSE(p.session().firstRun);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(Program, StoppedStartAsksTheQuitQuestion)
{
    Program p;
    QFile::remove(QString::fromStdString(p.folder.file("progdata/sonddict.dis")));
    p.prompter.answers = { MessageAnswer::Ok, MessageAnswer::No };
    EXPECT_FALSE(p.start());
    QTest::qWait(50); // the posted close request
    ASSERT_EQ(p.prompter.shown.size(), 2u);
    EXPECT_EQ(p.prompter.shown[1].text, strings::kQuitQuestion);
    EXPECT_TRUE(p.frame().isVisible()); // No keeps it open
}

TEST(Program, QuitAnsweredNoThenYes)
{
    Program p;
    p.prepareRecord([](StartupInfo&) {});
    ASSERT_TRUE(p.start());
    const auto before = readBytes(p.folder.file("progdata/zelinf32.cfg"));
    p.session().info.setUserName(2, "Edited");
    p.prompter.answers = { MessageAnswer::No };
    EXPECT_FALSE(p.frame().close());
    EXPECT_TRUE(p.frame().isVisible());
    EXPECT_EQ(readBytes(p.folder.file("progdata/zelinf32.cfg")), before);

    p.prompter.answers = { MessageAnswer::Yes };
    EXPECT_TRUE(p.frame().close());
    StartupInfo stored;
    ASSERT_EQ(ReadStartupInfo(stored, p.folder.path()), kStartupRead);
    EXPECT_EQ(stored.userName(2), "Edited");
    SettingsFile settings(p.folder.file("Fenwa.ini"));
    EXPECT_NE(settings.readInt("Size", "Status", 0), 0);
}

TEST(Program, UserChangeRefusedAfterCancelledPasswordKeepsUserAndListFlags)
{
    Program p;
    p.prepareRecord([](StartupInfo& info) { protectSlot(info, 4, "Secret1"); });
    ASSERT_TRUE(p.start());
    p.session().documents.beeListMade = true;
    p.session().documents.scrapListMade = true;

    p.asker.passwords = { PasswordAnswer::cancel() };
    p.frame().userBox()->setCurrentIndex(4);
    Q_EMIT p.frame().userBox()->activated(4);
    EXPECT_EQ(p.session().currentUser(), 0);
    EXPECT_EQ(p.frame().userBox()->currentIndex(), 0);
    EXPECT_TRUE(p.session().documents.beeListMade);
    EXPECT_TRUE(p.session().documents.scrapListMade);

    p.asker.passwords = { PasswordAnswer::type("Secret1") };
    Q_EMIT p.frame().userBox()->activated(4);
    EXPECT_EQ(p.session().currentUser(), 4);
    EXPECT_FALSE(p.session().documents.beeListMade);
    EXPECT_FALSE(p.session().documents.scrapListMade);
    ASSERT_EQ(p.asker.passwordRequests.size(), 2u);
    EXPECT_EQ(p.asker.passwordRequests[1].slot, 4);
}

TEST(Program, FreeCategorySnapsBack)
{
    Program p;
    p.prepareRecord([](StartupInfo& info) { info.setCategoryName(5, "Free"); });
    ASSERT_TRUE(p.start());
    Q_EMIT p.frame().categoryBox()->activated(3);
    EXPECT_EQ(p.session().info.workingCategory(0), 3);
    Q_EMIT p.frame().categoryBox()->activated(5);
    EXPECT_EQ(p.session().info.workingCategory(0), 3);
    EXPECT_EQ(p.frame().categoryBox()->currentIndex(), 3);
}

TEST(Program, ScrapPadOpenKeepsTheUserListShut)
{
    Program p;
    p.prepareRecord([](StartupInfo&) {});
    ASSERT_TRUE(p.start());
    p.session().documents.scrapPadOpen = true;
    p.frame().userBox()->showPopup();
    QTest::qWait(20);
    EXPECT_FALSE(p.frame().userBox()->view()->isVisible());
}

TEST(Program, LockedCommandsFollowTheSystemPasswordAndAccess)
{
    Program p;
    p.prepareRecord([](StartupInfo& info) { info.setSystemPasswordOn(1); });
    ASSERT_TRUE(p.start());
    ui::MainFrame& f = p.frame();
    std::vector<int> lockedWithHandler;
    for (const CommandInfo& c : commandTable()) {
        if (c.locked && f.action(c.id)) {
            f.refreshCommandStates();
            EXPECT_FALSE(f.action(c.id)->isEnabled()) << c.id;
        }
    }
    // The System Menu Access command itself is never locked.
    EXPECT_TRUE(f.action(command::kSystemAccess)->isEnabled());
    p.session().systemAccessGranted = true;
    f.refreshCommandStates();
    EXPECT_TRUE(f.action(command::kPasswordSetup)->isEnabled());
    EXPECT_TRUE(f.action(command::kSystemSetup)->isEnabled());
    // Commands whose windows are not there yet stay greyed.
    EXPECT_FALSE(f.action(command::kDictionaryEditor)->isEnabled());
    EXPECT_FALSE(f.action(command::kSave)->isEnabled());
}

TEST(Program, PlacementIsSavedAndRestored)
{
    Program p;
    p.prepareRecord([](StartupInfo&) {});
    {
        SettingsFile settings(p.folder.file("Fenwa.ini"));
        for (auto [k, v] : { std::pair { "X", "40" }, { "Y", "50" }, { "W", "700" }, { "H", "500" },
                 { "Status", "1" } })
            settings.writeString("Size", k, v);
    }
    ASSERT_TRUE(p.start());
    EXPECT_FALSE(p.frame().isMaximized());
    EXPECT_EQ(p.frame().geometry().size(), QSize(700, 500));
    p.frame().setGeometry(60, 70, 720, 520);
    p.prompter.answers = { MessageAnswer::Yes };
    ASSERT_TRUE(p.frame().close());
    SettingsFile settings(p.folder.file("Fenwa.ini"));
    EXPECT_EQ(settings.readInt("Size", "W", 0), 720);
    EXPECT_EQ(settings.readInt("Size", "H", 0), 520);
    EXPECT_EQ(settings.readInt("Size", "Status", 0), 1);
}

TEST(Program, MenuCarriesEveryCommandWithItsHint)
{
    Program p;
    p.prepareRecord([](StartupInfo&) {});
    ASSERT_TRUE(p.start());
    for (const CommandInfo& c : commandTable()) {
        QAction* a = p.frame().action(c.id);
        ASSERT_NE(a, nullptr) << c.id;
        EXPECT_EQ(a->statusTip(), QString::fromLatin1(c.hint)) << c.id;
        EXPECT_FALSE(a->associatedObjects().isEmpty()) << c.id; // placed in a menu
    }
}

TEST(Program, CtrlShiftTabThenKShowsTheHiddenNote)
{
    Program p;
    p.prepareRecord([](StartupInfo&) {});
    ASSERT_TRUE(p.start());
    p.frame().activateWindow();
    QTest::keyClick(p.frame().mdiArea(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(p.frame().mdiArea(), Qt::Key_K);
    ASSERT_EQ(p.prompter.shown.size(), 1u);
    EXPECT_EQ(p.prompter.shown[0].text, strings::hiddenNoteText());
    EXPECT_EQ(p.prompter.shown[0].caption, strings::kInformation);
    // K alone shows nothing.
    QTest::keyClick(p.frame().mdiArea(), Qt::Key_K);
    EXPECT_EQ(p.prompter.shown.size(), 1u);
}

} // namespace
} // namespace quorvel::test
