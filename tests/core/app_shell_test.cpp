// Start-up, quit, the status bar's list fields and the frame placement, on real files in a
// temporary installation folder.

#include "app/frame_placement.h"
#include "app/list_status.h"
#include "app/session.h"
#include "app/startup_sequence.h"
#include "config/settings_file.h"
#include "drill/word_file.h"
#include "history/history_file.h"
#include "platform/file_errors.h"
#include "platform/paths.h"
#include "strings/app_strings.h"
#include "strings/strings.h"
#include "support/dictionary_test_support.h"
#include "support/fakes.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

struct Installation
{
    TempFolder folder;
    SettingsFile settings { folder.file("Fenwa.ini") };
    FakePrompter prompter;

    explicit Installation(bool withProgdata = true, bool withDictionary = true)
    {
        if (withProgdata)
            folder.makeProgdata();
        if (withProgdata && withDictionary)
            writeBytes(folder.file("progdata/sonddict.dis"),
                buildDictionaryImage({ entry("CAT"), entry("DOG") }));
    }
    bool start(Session& session)
    {
        session.programFolder = folder.path();
        return ReadStartupFiles(session, settings, prompter, folder.path());
    }
    std::vector<std::string> texts() const
    {
        std::vector<std::string> out;
        for (const auto& m : prompter.shown)
            out.push_back(m.text);
        return out;
    }
};

// What the session signals, counted per signal.
struct SessionSignals
{
    int users = 0, categories = 0, record = 0, access = 0;
    std::vector<int> currentUser, currentCategory;
    explicit SessionSignals(Session& s)
    {
        QObject::connect(&s, &Session::usersChanged, [this] { ++users; });
        QObject::connect(&s, &Session::categoriesChanged, [this] { ++categories; });
        QObject::connect(&s, &Session::recordChanged, [this] { ++record; });
        QObject::connect(&s, &Session::accessChanged, [this] { ++access; });
        QObject::connect(
            &s, &Session::currentUserChanged, [this](int u) { currentUser.push_back(u); });
        QObject::connect(
            &s, &Session::currentCategoryChanged, [this](int c) { currentCategory.push_back(c); });
    }
};

TEST(SessionChanges, EachChangeIsSignalledOnceAndOnlyWhatChanged)
{
    Session session;
    FillStartupDefaults(session.info, "/tmp/base");
    session.publishChanges();
    SessionSignals seen(session);

    session.publishChanges();
    EXPECT_EQ(seen.record, 0) << "nothing changed since the last publication";

    session.info.setSoundOn(3, session.info.soundOn(3) ? 0 : 1);
    session.publishChanges();
    EXPECT_EQ(seen.record, 1);
    EXPECT_EQ(seen.users, 0);
    EXPECT_EQ(seen.categories, 0);

    session.info.setUserName(1, "Ada");
    session.info.setCategoryName(9, "Maps");
    session.publishChanges();
    EXPECT_EQ(seen.users, 1);
    EXPECT_EQ(seen.categories, 1);
    EXPECT_EQ(seen.record, 2);

    // Setting the current user or category signals a change, not a repeat, and refuses slots
    // out of range.
    EXPECT_TRUE(session.setCurrentUser(4));
    EXPECT_TRUE(session.setCurrentUser(4));
    EXPECT_FALSE(session.setCurrentUser(10));
    EXPECT_EQ(seen.currentUser, std::vector<int> { 4 });
    EXPECT_FALSE(session.setCurrentCategory(64));
    EXPECT_TRUE(seen.currentCategory.empty());

    session.systemPasswordOn = true;
    session.publishChanges();
    session.systemAccessGranted = true;
    session.publishChanges();
    EXPECT_EQ(seen.access, 2);
}

TEST(SessionChanges, AWorkingCategoryThatIsFreeOrOutOfRangeFallsBackToTheFirst)
{
    for (const int stored : { 5, 64, 65535 }) {
        Session session;
        FillStartupDefaults(session.info, "/tmp/base");
        session.info.setCategoryName(5, strings::kFreeCategory);
        session.info.setWorkingCategory(0, static_cast<std::uint16_t>(stored));
        session.setCurrentCategory(8);
        SessionSignals seen(session);
        session.publishChanges();
        EXPECT_EQ(session.info.workingCategory(0), 0) << stored;
        EXPECT_EQ(session.currentCategory(), 0) << stored;
        EXPECT_EQ(seen.currentCategory, std::vector<int> { 0 }) << stored;
    }
}

TEST(StartUp, FirstStartCreatesTheRecordAndMarksFirstTime)
{
    Installation inst;
    Session session;
    ASSERT_TRUE(inst.start(session));
    EXPECT_TRUE(session.firstRun);
    EXPECT_TRUE(session.startCompleted);
    EXPECT_TRUE(inst.prompter.shown.empty());
    EXPECT_TRUE(fileExists(inst.folder.file("progdata/zelinf32.cfg")));
    EXPECT_EQ(inst.settings.readString("Startup", "First time", "-", 41), "No");
    EXPECT_EQ(session.info.waveformPath(), paths::waveformFolder(inst.folder.path()));
    EXPECT_EQ(session.info.dataFolder(), inst.folder.path());
    EXPECT_EQ(session.fileTypeOrder, 21257);
    EXPECT_FALSE(session.systemPasswordOn);
}

TEST(StartUp, SecondStartKeepsTheWaveformPathAndIsNoFirstRun)
{
    Installation inst;
    {
        Session first;
        ASSERT_TRUE(inst.start(first));
        first.info.setWaveformPath("/media/cd/waveform/");
        first.info.setStartupUser(3);
        ASSERT_TRUE(SaveStartupInfo(first.info));
    }
    Session second;
    ASSERT_TRUE(inst.start(second));
    EXPECT_FALSE(second.firstRun);
    EXPECT_EQ(second.info.waveformPath(), "/media/cd/waveform/");
    EXPECT_EQ(second.currentUser(), 3);
}

TEST(StartUp, StoppingStartsShowTheirMessage)
{
    struct Case
    {
        const char* name;
        bool progdata, dictionary;
        int startupUser; // -1: leave the created record alone
        std::vector<std::string> messages;
        bool startCompleted;
    };
    const std::vector<Case> cases = {
        { "no progdata", false, false, -1, { FileErrorMessage(3), strings::kUnableToWriteConfig },
            false },
        { "no dictionary", true, false, -1, { FileErrorMessage(2) }, false },
        { "start-up user 12", true, true, 12, { strings::kErrorReadingStartup }, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Installation inst(c.progdata, c.dictionary);
        if (c.startupUser >= 0) {
            StartupInfo info;
            ASSERT_TRUE(CreateStartupInfo(info, inst.folder.path()));
            info.setStartupUser(static_cast<std::uint16_t>(c.startupUser));
            ASSERT_TRUE(SaveStartupInfo(info));
        }
        Session session;
        EXPECT_FALSE(inst.start(session));
        EXPECT_EQ(inst.texts(), c.messages);
        for (const auto& m : inst.prompter.shown) {
            EXPECT_EQ(m.caption, strings::kWarning);
            EXPECT_EQ(m.icon, MessageIcon::Exclamation);
        }
        EXPECT_EQ(session.startCompleted, c.startCompleted);
    }
}

TEST(StartUp, EmptyRecordStopsAndTheQuitLeavesItAlone)
{
    // A record file of no bytes cannot be read: the start stops, and the quit must not replace
    // the file with whatever happens to be in memory.
    Installation inst;
    writeBytes(inst.folder.file("progdata/zelinf32.cfg"), {});
    Session session;
    EXPECT_FALSE(inst.start(session));
    EXPECT_EQ(inst.texts(), std::vector<std::string> { strings::kErrorReadingStartup });
    inst.prompter.answers = { MessageAnswer::Yes };
    EXPECT_TRUE(CanQuit(session, inst.settings, inst.prompter, 0));
    EXPECT_TRUE(readBytes(inst.folder.file("progdata/zelinf32.cfg")).empty());
}

TEST(StartUp, BrokenSettingsFileStillStarts)
{
    // Lines without "=", a section never closed, unknown keys and a value outside its words: the
    // start goes on with the defaults and keeps the lines it does not know.
    Installation inst;
    const std::string broken = "garbage line\n[Startup\nFile extension=banana\n[Other]\n"
                               "Key=Value\n=no key\n";
    writeBytes(
        inst.folder.file("Fenwa.ini"), std::vector<std::uint8_t>(broken.begin(), broken.end()));
    Session session;
    ASSERT_TRUE(inst.start(session));
    EXPECT_EQ(session.fileTypeOrder, 21257);
    EXPECT_EQ(inst.settings.readString("Other", "Key", "-", 41), "Value");
    EXPECT_EQ(inst.settings.readString("Startup", "First time", "-", 41), "No");
}

TEST(StartUp, UnreadableCurrentFolderStops)
{
    Installation inst;
    Session session;
    EXPECT_FALSE(ReadStartupFiles(session, inst.settings, inst.prompter, std::nullopt));
    EXPECT_EQ(inst.texts(), std::vector<std::string> { strings::kWrongCurrentDirectory });
}

TEST(StartUp, ShortRecordIsReadAsFarAsItGoes)
{
    // A record cut short on disk still starts: the bytes that are there are used and the rest
    // keeps the defaults of the fresh record in memory.
    Installation inst;
    StartupInfo info;
    ASSERT_TRUE(CreateStartupInfo(info, inst.folder.path()));
    std::vector<std::uint8_t> bytes = readBytes(inst.folder.file("progdata/zelinf32.cfg"));
    bytes.resize(100);
    writeBytes(inst.folder.file("progdata/zelinf32.cfg"), bytes);
    Session session;
    FillStartupDefaults(session.info, inst.folder.path());
    EXPECT_TRUE(inst.start(session));
    EXPECT_EQ(session.info.userName(0), info.userName(0));
}

TEST(StartUp, FirstRunChoiceGoesToAllUsers)
{
    Installation inst;
    Session session;
    ASSERT_TRUE(inst.start(session));
    applyFirstRunChoice(session, inst.prompter, false, false);
    StartupInfo stored;
    ASSERT_EQ(ReadStartupInfo(stored, inst.folder.path()), kStartupRead);
    for (int u = 0; u < kUserSlots; ++u) {
        const ListOptionsRecord o = stored.listOptions(u);
        EXPECT_EQ(o.languageUK, 1);
        EXPECT_EQ(o.languageUS, 0);
        EXPECT_EQ(o.showLanguageFlag, 0);
    }
}

TEST(StartUp, StartFoldersAreMade)
{
    Installation inst;
    Session session;
    ASSERT_TRUE(inst.start(session));
    createStartFolders(session);
    EXPECT_TRUE(fileExists(inst.folder.file("mydata/oldwave")));
    EXPECT_TRUE(fileExists(inst.folder.file("mydata/newwave")));
}

TEST(StartUp, FirstRunGivesEveryUserAHistoryFileAndKeepsExistingOnes)
{
    Installation inst;
    Session session;
    ASSERT_TRUE(inst.start(session));
    FakeClock clock;
    ASSERT_TRUE(GenerateHistoryFile(inst.folder.path(), 5, 3, clock));
    const auto before = readBytes(paths::historyFile(inst.folder.path(), '3'));
    createMissingHistoryFiles(session, clock);
    for (char slot = '0'; slot <= '9'; ++slot) {
        auto file = HistoryFile::open(inst.folder.path(), slot - '0', OpenMode::ReadOnly);
        ASSERT_TRUE(file) << slot;
        EXPECT_EQ(file->count(), slot == '3' ? 5 : kFirstRunHistoryRecords) << slot;
    }
    EXPECT_EQ(readBytes(paths::historyFile(inst.folder.path(), '3')), before);
}

TEST(Quit, NoKeepsRunningAndSavesNothingYesSaves)
{
    Installation inst;
    Session session;
    ASSERT_TRUE(inst.start(session));
    const auto before = readBytes(inst.folder.file("progdata/zelinf32.cfg"));
    session.info.setUserName(0, "Changed");

    inst.prompter.answers = { MessageAnswer::No };
    EXPECT_FALSE(CanQuit(session, inst.settings, inst.prompter, 0));
    EXPECT_EQ(readBytes(inst.folder.file("progdata/zelinf32.cfg")), before);
    ASSERT_FALSE(inst.prompter.shown.empty());
    EXPECT_EQ(inst.prompter.shown.back().text, strings::kQuitQuestion);
    EXPECT_EQ(inst.prompter.shown.back().caption, strings::kProductName);
    EXPECT_EQ(inst.prompter.shown.back().icon, MessageIcon::Question);
    EXPECT_EQ(inst.prompter.shown.back().buttons, MessageButtons::YesNo);

    inst.prompter.answers = { MessageAnswer::Yes };
    EXPECT_TRUE(CanQuit(session, inst.settings, inst.prompter, 2));
    StartupInfo stored;
    ASSERT_EQ(ReadStartupInfo(stored, inst.folder.path()), kStartupRead);
    EXPECT_EQ(stored.userName(0), "Changed");
    // The text files were chosen last in the open dialog: they come first next time.
    EXPECT_EQ(inst.settings.readString("Startup", "File extension", "-", 41), "21262");
}

TEST(Quit, AfterAStopBeforeTheRecordWasReadNothingIsWritten)
{
    Installation inst(false, false);
    Session session;
    EXPECT_FALSE(inst.start(session));
    inst.prompter.shown.clear();
    inst.prompter.answers = { MessageAnswer::Yes };
    EXPECT_TRUE(CanQuit(session, inst.settings, inst.prompter, 0));
    // Only the quit question: no failed save was tried.
    EXPECT_EQ(inst.prompter.shown.size(), 1u);
    EXPECT_FALSE(fileExists(inst.folder.file("progdata/zelinf32.cfg")));
}

TEST(ListStatus, KindAndFieldsFollowTheWordFileAndTheDocumentFlags)
{
    Installation inst;
    Session session;
    ASSERT_TRUE(inst.start(session));
    auto writeHeader = [&](int state, int type, int count) {
        WordFileHeader h;
        h.state = static_cast<std::uint16_t>(state);
        h.listType = static_cast<std::uint16_t>(type);
        h.count = static_cast<std::uint16_t>(count);
        std::vector<std::uint8_t> bytes(kWordFileHeaderSize);
        h.encode(bytes.data());
        writeBytes(paths::wordFile(inst.folder.path(), '0'), bytes);
    };
    struct Case
    {
        int state, type, count;
        bool bee, scrap;
        int kind;
        const char* source;
        const char* count_text;
        int icon;
    };
    const Case cases[] = {
        { 1, 1, 12, false, false, 1, strings::kSourceDictionary, "12", 1 },
        { 2, 4, 7, false, false, 2, strings::kSourceDictionary, "7", 1 },
        { 8, 6, 25, true, false, 8, strings::kSourceBeeFile, "25", 2 },
        // A bee-window list after a change of user (flag cleared) counts as no list.
        { 8, 6, 25, false, false, 8, strings::kSourceDictionary, "0", 1 },
        { 4, 5, 3, false, true, 4, strings::kSourceScrapPad, "3", 3 },
        // State 8 with the scrap pad's list type is not a list of a known kind.
        { 8, 5, 9, true, false, 0, strings::kSourceDictionary, "0", 1 },
        { 5, 1, 9, false, false, 0, strings::kSourceDictionary, "0", 1 },
        { 1, 1, 1234, false, false, 1, strings::kSourceDictionary, "123", 1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.state) + "/" + std::to_string(c.type));
        writeHeader(c.state, c.type, c.count);
        session.documents.beeListMade = c.bee;
        session.documents.scrapListMade = c.scrap;
        EXPECT_EQ(currentListKind(session), c.kind);
        const ListStatusFields f = computeListStatus(session);
        EXPECT_EQ(f.source, c.source);
        EXPECT_EQ(f.wordCount, c.count_text);
        EXPECT_EQ(f.listIcon, c.icon);
    }
}

TEST(ListStatus, ListTypeLanguageAndFilterComeFromTheUsersSettings)
{
    Installation inst;
    Session session;
    ASSERT_TRUE(inst.start(session));
    ListStatusFields f = computeListStatus(session);
    EXPECT_EQ(f.wordCount, "0"); // no word file yet
    EXPECT_EQ(f.listType, strings::kListTypeRandom);
    EXPECT_EQ(f.wordFilter, "Word filter: 4 to 10");
    EXPECT_EQ(f.listSize, "10");
    EXPECT_EQ(f.languageImage, 1);
    EXPECT_EQ(f.soundImage, 1);

    ListSetupRecord setup = session.info.listSetup(0);
    setup.typeRandom = 0;
    setup.typeOneLetter = 1;
    session.info.setListSetup(0, setup);
    ListOptionsRecord options = session.info.listOptions(0);
    options.languageUK = 1;
    options.languageUS = 0;
    session.info.setListOptions(0, options);
    f = computeListStatus(session);
    EXPECT_EQ(f.listType, strings::kListTypeOneLetter);
    EXPECT_EQ(f.languageImage, 0);
    options.showLanguageFlag = 0;
    session.info.setListOptions(0, options);
    EXPECT_EQ(computeListStatus(session).languageImage, 2);
}

TEST(FramePlacement, RestoreRules)
{
    const ScreenMetrics screen { 0, 0, 1920, 1080, 32, 24 };
    struct Case
    {
        const char* name;
        std::vector<std::pair<const char*, const char*>> keys;
        FrameShow show;
        int x, y, w, h;
    };
    const std::vector<Case> cases = {
        { "no Size section", {}, FrameShow::Maximized, 0, 0, 0, 0 },
        { "X is 0",
            { { "X", "0" }, { "Y", "10" }, { "W", "800" }, { "H", "600" }, { "Status", "1" } },
            FrameShow::Maximized, 0, 0, 0, 0 },
        { "normal",
            { { "X", "10" }, { "Y", "20" }, { "W", "800" }, { "H", "600" }, { "Status", "1" } },
            FrameShow::Placed, 10, 20, 800, 600 },
        { "too wide and tall",
            { { "X", "10" }, { "Y", "20" }, { "W", "5000" }, { "H", "4000" }, { "Status", "1" } },
            FrameShow::Placed, 0, 20, 1920, 1080 - 32 - 48 },
        { "off the screen",
            { { "X", "3000" }, { "Y", "20" }, { "W", "800" }, { "H", "600" }, { "Status", "1" } },
            FrameShow::Placed, 1120, 20, 800, 600 },
        { "minimised",
            { { "X", "10" }, { "Y", "20" }, { "W", "800" }, { "H", "600" }, { "Status", "2" } },
            FrameShow::SystemPlaced, 10, 20, 800, 600 },
        { "maximised",
            { { "X", "10" }, { "Y", "20" }, { "W", "800" }, { "H", "600" }, { "Status", "3" } },
            FrameShow::Maximized, 10, 20, 800, 600 },
        { "broken number",
            { { "X", "ten" }, { "Y", "20" }, { "W", "800" }, { "H", "600" }, { "Status", "1" } },
            FrameShow::Maximized, 0, 0, 0, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder t;
        SettingsFile settings(t.file("Fenwa.ini"));
        for (const auto& [k, v] : c.keys)
            settings.writeString("Size", k, v);
        const FramePlacement p = restoreFramePlacement(settings, screen);
        EXPECT_EQ(p.show, c.show);
        if (c.show != FrameShow::Maximized || c.w) {
            EXPECT_EQ(p.x, c.x);
            EXPECT_EQ(p.y, c.y);
            EXPECT_EQ(p.w, c.w);
            EXPECT_EQ(p.h, c.h);
        }
    }
}

TEST(FramePlacement, SaveWritesStatusOnlyWhenMaximisedOrMinimised)
{
    TempFolder t;
    SettingsFile settings(t.file("Fenwa.ini"));
    saveFramePlacement(settings, false, false, 11, 22, 640, 480);
    EXPECT_EQ(settings.readInt("Size", "W", 0), 640);
    EXPECT_EQ(settings.readInt("Size", "Status", 0), 1);
    saveFramePlacement(settings, false, true, 99, 99, 99, 99);
    EXPECT_EQ(settings.readInt("Size", "Status", 0), 2);
    EXPECT_EQ(settings.readInt("Size", "X", 0), 11); // the normal placement is kept
    saveFramePlacement(settings, true, false, 99, 99, 99, 99);
    EXPECT_EQ(settings.readInt("Size", "Status", 0), 3);
    EXPECT_EQ(settings.readInt("Size", "W", 0), 640);
    // Minimised after being maximised: the window is minimised.
    saveFramePlacement(settings, true, true, 99, 99, 99, 99);
    EXPECT_EQ(settings.readInt("Size", "Status", 0), 2);
}

// A copy of an installation whose dictionary did not come along: its record still names the
// original folder. The start stops, and the quit writes nothing, neither there nor here.
TEST(StartUp, AStartThatStoppedBeforeItsFolderWasConfirmedWritesNothingAnywhere)
{
    Installation original;
    Session first;
    ASSERT_TRUE(original.start(first));
    Installation copy(true, false);
    for (const char* f : { "progdata/zelinf32.cfg", "Fenwa.ini" })
        writeBytes(copy.folder.file(f), readBytes(original.folder.file(f)));
    // The original household goes on with its own users.
    first.info.setUserName(0, "Original Household");
    ASSERT_TRUE(SaveStartupInfo(first.info));
    const auto originalRecord = readBytes(original.folder.file("progdata/zelinf32.cfg"));
    const auto copyRecord = readBytes(copy.folder.file("progdata/zelinf32.cfg"));
    const auto copySettings = readBytes(copy.folder.file("Fenwa.ini"));

    Session session;
    EXPECT_FALSE(copy.start(session));
    EXPECT_EQ(copy.texts(), std::vector<std::string> { FileErrorMessage(2) });
    EXPECT_EQ(session.info.dataFolder(), original.folder.path());
    copy.prompter.answers = { MessageAnswer::Yes };
    EXPECT_TRUE(CanQuit(session, copy.settings, copy.prompter, 2));
    EXPECT_EQ(readBytes(original.folder.file("progdata/zelinf32.cfg")), originalRecord);
    EXPECT_EQ(readBytes(copy.folder.file("progdata/zelinf32.cfg")), copyRecord);
    EXPECT_EQ(readBytes(copy.folder.file("Fenwa.ini")), copySettings);
}

TEST(Session, CurrentUserAndCategoryRefuseOutOfRange)
{
    Session s;
    EXPECT_TRUE(s.setCurrentUser(9));
    EXPECT_FALSE(s.setCurrentUser(10));
    EXPECT_EQ(s.currentUser(), 9);
    EXPECT_TRUE(s.setCurrentCategory(63));
    EXPECT_FALSE(s.setCurrentCategory(64));
    EXPECT_EQ(s.currentCategory(), 63);
}

} // namespace
} // namespace quorvel::test
