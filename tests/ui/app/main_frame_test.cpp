// The program brought up on a temporary installation with scripted message boxes and dialogs:
// start-up, the first-run dialog, the user and category boxes, the enabling of the locked
// commands, the status bar and the quit.

#include "app/application.h"
#include "app/command_table.h"
#include "app/main_frame.h"
#include "app/session.h"
#include "common/closable_document.h"
#include "common/status_field.h"
#include "config/settings_file.h"
#include "platform/paths.h"
#include "strings/app_strings.h"
#include "strings/strings.h"
#include "support/dictionary_test_support.h"
#include "support/fake_ui.h"
#include "support/fakes.h"
#include "support/modal.h"
#include "support/records.h"
#include "support/temp_folder.h"
#include "users/password_scramble.h"
#include "users/user_rules.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStatusBar>
#include <QTabWidget>
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
            QStringLiteral("  U.S. Dialect"));
        EXPECT_EQ(child<QRadioButton>(dialog, "ukDialect")->text().remove(QLatin1Char('&')),
            QStringLiteral("  U.K. Dialect"));
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

// The category box marks the categories that hold no words; the names stored stay as they are,
// and the words are counted again when the session says the dictionary changed, not on every
// refill of the box.
TEST(Program, CategoryBoxMarksEmptyCategories)
{
    Program p;
    const std::string dictionary = p.folder.file("progdata/sonddict.dis");
    writeBytes(
        dictionary, buildDictionaryImage({ entry("CAT"), entry("ROBIN", 6), entry("PARIS", 9) }));
    p.prepareRecord([](StartupInfo& info) { info.setWorkingCategory(0, 6); });
    ASSERT_TRUE(p.start());
    QComboBox* box = p.frame().categoryBox();
    Session& s = p.session();
    ASSERT_EQ(box->count(), kCategorySlots);
    EXPECT_EQ(box->itemText(0), QStringLiteral("Main Dictionary"));
    EXPECT_EQ(box->itemText(1), QStringLiteral("Music (empty)"));
    EXPECT_EQ(box->itemText(4), QStringLiteral("Free")); // a free slot holds nothing by design
    EXPECT_EQ(box->itemText(6), QStringLiteral("Zoology"));
    EXPECT_EQ(box->itemText(9), QStringLiteral("Countries"));
    EXPECT_EQ(box->itemText(21), QStringLiteral("5 year old (empty)"));
    EXPECT_EQ(box->currentIndex(), 6);
    EXPECT_EQ(s.info.categoryName(1), "Music");

    // Renaming refills the box from the words as counted.
    writeBytes(dictionary, buildDictionaryImage({ entry("CAT"), entry("ANT", 21) }));
    s.info.setCategoryName(1, "Songs");
    s.publishChanges();
    EXPECT_EQ(box->itemText(1), QStringLiteral("Songs (empty)"));
    EXPECT_EQ(box->itemText(6), QStringLiteral("Zoology"));

    s.noteDictionaryChanged();
    EXPECT_EQ(box->itemText(6), QStringLiteral("Zoology (empty)"));
    EXPECT_EQ(box->itemText(9), QStringLiteral("Countries (empty)"));
    EXPECT_EQ(box->itemText(21), QStringLiteral("5 year old"));
    EXPECT_EQ(box->currentIndex(), 6);

    // A dictionary that cannot be read marks nothing rather than everything.
    writeBytes(dictionary, { 1, 2, 3 });
    s.noteDictionaryChanged();
    EXPECT_EQ(box->itemText(1), QStringLiteral("Songs"));
    EXPECT_EQ(box->itemText(21), QStringLiteral("5 year old"));
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

// A document window that records being asked whether it may close.
class AskedDocument final : public QWidget, public ui::ClosableDocument
{
public:
    AskedDocument(std::vector<std::string>& log, bool agree)
        : m_log(log)
        , m_agree(agree)
    { }
    bool mayClose() override
    {
        m_log.push_back("document asked");
        return m_agree;
    }

private:
    std::vector<std::string>& m_log;
    bool m_agree;
};

// Closing the program asks the documents, then the quit question, and closes nothing before both
// agreed: answering No leaves every window open.
TEST(Program, QuitAsksTheDocumentsFirstAndClosesNothingOnNo)
{
    std::vector<std::string> log; // outlives the documents that write to it
    Program p;
    p.prepareRecord([](StartupInfo&) {});
    ASSERT_TRUE(p.start());
    for (int i = 0; i < 2; ++i)
        p.frame().mdiArea()->addSubWindow(new AskedDocument(log, true))->show();
    p.prompter.answers = { MessageAnswer::No };
    EXPECT_FALSE(p.frame().close());
    EXPECT_EQ(log, (std::vector<std::string> { "document asked", "document asked" }));
    ASSERT_EQ(p.prompter.shown.size(), 1u);
    EXPECT_EQ(p.prompter.shown[0].text, strings::kQuitQuestion);
    EXPECT_EQ(p.frame().mdiArea()->subWindowList().size(), 2);
    for (QMdiSubWindow* w : p.frame().mdiArea()->subWindowList())
        EXPECT_TRUE(w->isVisible());

    // A document that refuses keeps the program open without the question.
    log.clear();
    p.frame().mdiArea()->addSubWindow(new AskedDocument(log, false))->show();
    EXPECT_FALSE(p.frame().close());
    EXPECT_EQ(log.size(), 3u);
    EXPECT_EQ(p.prompter.shown.size(), 1u);
    EXPECT_EQ(p.frame().mdiArea()->subWindowList().size(), 3);
}

// The status bar at the widths a 1366 × 768 screen gives at 1x and 2x (and the 800 px the
// hints once needed 1150 for): no field runs into another or out of the bar, each shows its whole
// text or an ellipsis, and a menu hint gets the whole bar.
TEST(Program, StatusFieldsGiveWayAndHintsAreAlwaysReadable)
{
    Program p;
    p.prepareRecord([](StartupInfo&) {});
    ASSERT_TRUE(p.start());
    QStatusBar* bar = p.frame().statusBar();
    QWidget* strip = bar->findChild<QWidget*>(QStringLiteral("statusFields"));
    ASSERT_NE(strip, nullptr);
    for (const int width : { 1366, 800, 683 }) {
        SCOPED_TRACE(width);
        p.frame().showNormal();
        p.frame().resize(width, 500);
        QApplication::processEvents();
        ASSERT_EQ(bar->width(), width);
        std::vector<QRect> taken;
        for (QWidget* w : strip->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!w->isVisible())
                continue;
            const QRect r(w->mapTo(bar, QPoint(0, 0)), w->size());
            EXPECT_TRUE(bar->rect().contains(r)) << w->objectName().toStdString();
            EXPECT_GE(r.width(), w->minimumSizeHint().width()) << w->objectName().toStdString();
            // With the room of a whole 1366-pixel screen every field shows all of its text.
            if (auto* field = dynamic_cast<ui::StatusField*>(w); field && width == 1366) {
                EXPECT_EQ(field->shownText(), field->text()) << w->objectName().toStdString();
            }
            for (const QRect& other : taken)
                EXPECT_FALSE(r.intersects(other)) << w->objectName().toStdString();
            taken.push_back(r);
        }
        EXPECT_EQ(taken.size(), 13u);
        // Spare width goes before any text is cut: while one field holds more than its whole
        // text, no field shows an ellipsis.
        bool spare = false, cut = false;
        // (StatusField has no meta-object of its own, so findChildren would take the pictures,
        // plain labels, for fields too.)
        for (QWidget* w : strip->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            auto* field = dynamic_cast<ui::StatusField*>(w);
            if (!field)
                continue;
            spare = spare || field->width() > field->wholeTextWidth();
            cut = cut || field->shownText() != field->text();
        }
        EXPECT_FALSE(spare && cut);
        // The longest hint of the menu, shown while its item is highlighted.
        QString longest;
        for (const CommandInfo& c : commandTable()) {
            if (QString::fromLatin1(c.hint).size() > longest.size())
                longest = QString::fromLatin1(c.hint);
        }
        bar->showMessage(longest);
        QApplication::processEvents();
        EXPECT_FALSE(strip->isVisible());
        EXPECT_LT(bar->fontMetrics().horizontalAdvance(longest), bar->width() - 24);
        bar->clearMessage();
        QApplication::processEvents();
        EXPECT_TRUE(strip->isVisible());
    }
    EXPECT_EQ(p.frame().statusText("wordFilterField"), QStringLiteral("Word filter: 4 to 10"));
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

// Nothing refreshes the frame by hand: what a command changes in the session reaches the user
// and category boxes, the status bar and the menus on its own.
TEST(Program, BoxesStatusAndMenusFollowWhatACommandChanged)
{
    Program p;
    p.prepareRecord([](StartupInfo& info) { info.setSoundOn(0, 1); });
    ASSERT_TRUE(p.start());
    ui::MainFrame& f = p.frame();
    QLabel* sound = f.findChild<QLabel*>(QStringLiteral("soundIcon"));
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(sound->property("image").toInt(), 1);
    const QString soundOnText = f.action(command::kSound)->text();

    Session& s = p.session();
    f.setHandler(command::kDictionaryEditor, [&s] {
        s.info.setUserName(2, "Rowan");
        s.info.setCategoryName(7, "Birds");
        s.info.setSoundOn(0, 0);
    });
    f.runCommand(command::kDictionaryEditor);
    EXPECT_EQ(f.userBox()->itemText(2), QStringLiteral("Rowan"));
    EXPECT_EQ(f.categoryBox()->itemText(7), QStringLiteral("Birds (empty)"));
    EXPECT_EQ(sound->property("image").toInt(), 0);
    EXPECT_NE(f.action(command::kSound)->text(), soundOnText);

    // A change of user made anywhere (a sheet, the wizard) moves the boxes with it.
    s.info.setWorkingCategory(2, 7);
    ASSERT_TRUE(makeCurrentUser(s, 2));
    EXPECT_EQ(f.userBox()->currentIndex(), 2);
    EXPECT_EQ(f.categoryBox()->currentIndex(), 7);

    // The system password locks the administrative commands as soon as a command sets it.
    EXPECT_TRUE(f.action(command::kSystemSetup)->isEnabled());
    f.setHandler(command::kDictionaryEditor, [&s] { s.systemPasswordOn = true; });
    f.runCommand(command::kDictionaryEditor);
    EXPECT_FALSE(f.action(command::kSystemSetup)->isEnabled());
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
    EXPECT_TRUE(f.action(command::kDictionaryEditor)->isEnabled());
    // Commands without a window to act on stay greyed.
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

TEST(Program, EveryCommandIsFoundByItsWordName)
{
    Program p;
    p.prepareRecord([](StartupInfo&) {});
    ASSERT_TRUE(p.start());
    const QRegularExpression word(QStringLiteral("^[a-z][A-Za-z]+$"));
    for (const CommandInfo& c : commandTable()) {
        const QString name = QString::fromLatin1(commandName(c.id));
        EXPECT_TRUE(word.match(name).hasMatch()) << c.id << " " << name.toStdString();
        const QList<QAction*> found = p.frame().findChildren<QAction*>(name);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        EXPECT_EQ(found.front()->data().toInt(), c.id) << name.toStdString();
    }
    EXPECT_EQ(p.frame().findChild<QAction*>(QStringLiteral("spellingBee")),
        p.frame().action(command::kSpellingBee));
    EXPECT_EQ(commandName(12345), nullptr);
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

// Where Ctrl+Shift+Tab has a use of its own, it keeps it, and the K after it is just a K.
TEST(Program, CtrlShiftTabGoesBackATabPageAndLeavesTheNextKAlone)
{
    Program p;
    p.prepareRecord([](StartupInfo&) {});
    ASSERT_TRUE(p.start());
    bool checked = false;
    onNextModal([&](QWidget* sheet) {
        // The sheet is closed whatever the checks find, so a failure cannot leave it open.
        const auto close = qScopeGuard([sheet] { qobject_cast<QDialog*>(sheet)->reject(); });
        auto* pages = child<QTabWidget>(sheet, "listSetupPages");
        ASSERT_NE(pages, nullptr);
        QLineEdit* box = child<QLineEdit>(pages->widget(0), "predefinedBox");
        ASSERT_NE(box, nullptr);
        // Keys sent to a control of the page climb to the tab widget as typed keys do.
        auto pressOnPage = [&] {
            QWidget* control = pages->currentWidget()->findChild<QRadioButton*>();
            QTest::keyClick(control ? control : pages->currentWidget(), Qt::Key_Backtab,
                Qt::ControlModifier | Qt::ShiftModifier);
        };
        pages->setCurrentIndex(2);
        pressOnPage();
        EXPECT_EQ(pages->currentIndex(), 1);
        pressOnPage();
        EXPECT_EQ(pages->currentIndex(), 0);
        // In a text field on a page, K is typed as a K.
        box->clear();
        QTest::keyClick(box, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QTest::keyClick(box, Qt::Key_K);
        EXPECT_EQ(box->text(), QStringLiteral("K"));
        EXPECT_TRUE(p.prompter.shown.empty());
        checked = true;
    });
    p.frame().runCommand(command::kListProperties);
    EXPECT_TRUE(checked);
    EXPECT_TRUE(p.prompter.shown.empty());
}

} // namespace
} // namespace quorvel::test
