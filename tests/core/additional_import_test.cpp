#include "app/session.h"
#include "config/startup_info.h"
#include "dictionary/additional_import.h"
#include "dictionary/dictionary_check.h"
#include "dictionary/dictionary_ops.h"
#include "drill/word_file.h"
#include "platform/paths.h"
#include "strings/category_strings.h"
#include "strings/import_strings.h"
#include "strings/transfer_strings.h"
#include "support/dictionary_test_support.h"
#include "support/fakes.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

// A category file with the given names; every other slot is "Free".
Bytes configBytes(const std::map<int, std::string>& names, std::uint16_t mark = 1)
{
    Bytes bytes(kAdditionalConfigSize, 0);
    for (int slot = 0; slot < kCategorySlots; ++slot) {
        const auto it = names.find(slot);
        const std::string name = it == names.end() ? "Free" : it->second;
        std::copy(name.begin(), name.end(), bytes.begin() + slot * 27);
    }
    bytes[kAdditionalMarkOffset] = static_cast<std::uint8_t>(mark & 0xFF);
    bytes[kAdditionalMarkOffset + 1] = static_cast<std::uint8_t>(mark >> 8);
    return bytes;
}

// The additional dictionary: Birds (1) holds ROBIN with recording 7, WREN with recording 9, CAT,
// which the working dictionary holds already, and EAGLE; Fish (2) holds COD.
Bytes additionalImage()
{
    return buildDictionaryImage({ entry("ROBIN", 1, 3, 1, 7), entry("WREN", 1, 3, 3, 9),
                                    entry("CAT", 1), entry("EAGLE", 1, 2), entry("COD", 2) },
        dict::kAdditionalKind);
}

// The working dictionary: CAT in the main dictionary (user 4 mastered it) and WRENCH in Office
// (12) with recording 9, so WREN's recording number is taken among the words it shares WREN
// with. Slot 4 is free.
struct AdditionalImportFixture : ::testing::Test
{
    TempFolder folder;
    Session session;
    FakePrompter prompter;
    std::string stick;
    std::string dictionaryPath;

    void SetUp() override
    {
        folder.makeProgdata();
        dictionaryPath = paths::dictionaryFile(folder.path());
        Bytes working = buildDictionaryImage({ entry("CAT", 0, 1), entry("WRENCH", 12, 1, 3, 9) });
        writeBytes(dictionaryPath, working);
        stick = folder.file("stick");
        std::filesystem::create_directories(stick);
        writeBytes(additionalFilePath(stick, kAdditionalDictionaryName), additionalImage());
        writeBytes(additionalFilePath(stick, kAdditionalConfigName),
            configBytes({ { 0, "Main Dictionary" }, { 1, "Birds" }, { 2, "Fish" } }));
        FillStartupDefaults(session.info, folder.path());
        session.info.setDataFolder(folder.path());
        session.info.setDictionaryFolder(folder.path());
        session.programFolder = folder.path();
        ASSERT_TRUE(SaveStartupInfo(session.info));
        session.publishChanges();
        // User 4's CAT is mastered: a move must keep it.
        DictionaryHandle file = openDictionaryFile(dictionaryPath, false);
        CurrentWordInfo info;
        std::uint32_t offset = 0;
        ASSERT_TRUE(isFound(FindWord(*file, "CAT", info, &offset)));
        info.setStatus(4, 3);
        ASSERT_TRUE(StoreWordInfo(*file, offset, info));
        ASSERT_TRUE(CloseDictionary(file));
    }

    AdditionalImportValues values(int from, int to, bool force = false) const
    {
        AdditionalImportValues v;
        v.folder = stick;
        v.sourceNames = *readAdditionalConfig(stick).names;
        v.from = from;
        v.to = to;
        v.force = force;
        return v;
    }
    AdditionalImportOutcome run(AdditionalImportAction action, int from, int to, bool force = false)
    {
        prompter.answers = { MessageAnswer::Yes };
        return applyAdditionalImport(
            session, action, values(from, to, force), prompter, soundIndexFreeForPrefix);
    }

    struct Word
    {
        int category = -1;
        int sound = -1;
        int soundFlag = -1;
        int language = -1;
        int status4 = -1;
    };
    Word word(const std::string& text) const
    {
        DictionaryHandle file = openDictionaryFile(dictionaryPath, false);
        CurrentWordInfo info;
        Word w;
        if (file && isFound(FindWord(*file, text, info))) {
            w.category = info.category();
            w.sound = info.soundIndex();
            w.soundFlag = info.soundFlag();
            w.language = info.language();
            w.status4 = info.status(4);
        }
        return w;
    }
    bool dictionarySound() const
    {
        DictionaryHandle file = openDictionaryFile(dictionaryPath, false);
        return file && checkDictionary(*file).ok;
    }
    StartupInfo saved() const
    {
        StartupInfo info;
        EXPECT_EQ(ReadStartupInfo(info, folder.path()), StartupRead::Read);
        return info;
    }
    std::string lastMessage() const
    {
        return prompter.shown.empty() ? "" : prompter.shown.back().text;
    }
};

TEST_F(AdditionalImportFixture, AddFillsAFreeCategoryNamesItAndLinksOnlyFreeRecordings)
{
    // A list made before the import points at records that may move.
    const std::string list = paths::wordFile(folder.path(), '0');
    writeBytes(list, readBytes(fixturePath("word_list_3.wrd")));
    ASSERT_NE(u16At(readBytes(list), 4), 0);

    const AdditionalImportOutcome out = run(AdditionalImportAction::Add, 1, 4);
    ASSERT_TRUE(out.ran);
    EXPECT_EQ(out.counts.successful, 3); // ROBIN, WREN, EAGLE
    EXPECT_EQ(out.counts.already, 1); // CAT
    EXPECT_EQ(out.counts.unable, 0);
    EXPECT_EQ(lastMessage(), "Successful   = 3   Already Exists  =  1 \r\n Unsuccessful  =  0");
    EXPECT_EQ(prompter.shown.back().caption, "Dictionary Count.");

    EXPECT_EQ(word("ROBIN").category, 4);
    EXPECT_EQ(word("ROBIN").sound, 7);
    EXPECT_EQ(word("ROBIN").language, 1);
    // WRENCH holds recording 9 among the WREN words: WREN comes without a sound at all.
    EXPECT_EQ(word("WREN").category, 4);
    EXPECT_EQ(word("WREN").sound, 0);
    EXPECT_EQ(word("WREN").soundFlag, 0);
    EXPECT_EQ(word("WRENCH").sound, 9);
    // Without the force CAT stays where it was; COD of another category is not imported.
    EXPECT_EQ(word("CAT").category, 0);
    EXPECT_EQ(word("COD").category, -1);

    EXPECT_TRUE(out.named);
    EXPECT_EQ(session.info.categoryName(4), "Birds");
    EXPECT_EQ(saved().categoryName(4), "Birds");
    EXPECT_EQ(u16At(readBytes(list), 4), 0);
    EXPECT_TRUE(dictionarySound());
}

TEST_F(AdditionalImportFixture, ASecondImportFindsEveryWordThereAndTheForceMovesThem)
{
    ASSERT_TRUE(run(AdditionalImportAction::Add, 1, 4).named);

    // The slot is named now: the same words combined into it are all there already.
    const AdditionalImportOutcome again = run(AdditionalImportAction::Combine, 1, 4);
    EXPECT_EQ(again.counts.successful, 0);
    EXPECT_EQ(again.counts.already, 4);
    EXPECT_EQ(again.counts.unable, 0);
    EXPECT_FALSE(again.named);

    // Forced into Music, every word moves, CAT out of the main dictionary with user 4's status;
    // ROBIN keeps its recording, and WREN, which has none, gets none.
    const AdditionalImportOutcome forced = run(AdditionalImportAction::Combine, 1, 1, true);
    EXPECT_EQ(forced.counts.already, 4);
    EXPECT_EQ(forced.counts.moved, 4);
    EXPECT_EQ(word("CAT").category, 1);
    EXPECT_EQ(word("CAT").status4, 3);
    EXPECT_EQ(word("ROBIN").category, 1);
    EXPECT_EQ(word("ROBIN").sound, 7);
    EXPECT_EQ(word("WREN").sound, 0);
    EXPECT_EQ(session.info.categoryName(1), "Music");
    EXPECT_TRUE(dictionarySound());
}

struct ChoiceCase
{
    const char* name;
    AdditionalImportAction action;
    int from, to;
    const char* message;
};

TEST_F(AdditionalImportFixture, AChoiceThatDoesNotFitTheActionIsRefusedBeforeTheQuestion)
{
    const ChoiceCase cases[] = {
        { "add into a named category", AdditionalImportAction::Add, 1, 1,
            strings::kImportAddNeedsFree },
        { "combine into a free category", AdditionalImportAction::Combine, 1, 4,
            strings::kImportCombineNeedsNamed },
        { "add from a category with no name", AdditionalImportAction::Add, 5, 4,
            strings::kImportSourceUnnamed },
        { "add the main dictionary into a free one", AdditionalImportAction::Add, 0, 4,
            strings::kImportSourceUnnamed },
        { "a category beyond the last", AdditionalImportAction::Combine, 1, 64,
            strings::kImportImportant },
    };
    const Bytes before = readBytes(dictionaryPath);
    const Bytes record = readBytes(paths::startupRecordFile(folder.path()));
    for (const ChoiceCase& c : cases) {
        SCOPED_TRACE(c.name);
        prompter.shown.clear();
        const AdditionalImportOutcome out = run(c.action, c.from, c.to);
        EXPECT_FALSE(out.ran);
        ASSERT_EQ(prompter.shown.size(), 1u);
        EXPECT_EQ(prompter.shown[0].text, c.message);
        EXPECT_EQ(readBytes(dictionaryPath), before);
        EXPECT_EQ(readBytes(paths::startupRecordFile(folder.path())), record);
    }
}

TEST_F(AdditionalImportFixture, NoToTheQuestionImportsNothing)
{
    const Bytes before = readBytes(dictionaryPath);
    prompter.answers = { MessageAnswer::No };
    const AdditionalImportOutcome out = applyAdditionalImport(
        session, AdditionalImportAction::Add, values(1, 4), prompter, soundIndexFreeForPrefix);
    EXPECT_FALSE(out.ran);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].caption, "Warning! Adding words to your dictionary.");
    EXPECT_NE(prompter.shown[0].text.find(stick), std::string::npos);
    EXPECT_EQ(readBytes(dictionaryPath), before);
}

// Each file problem of the category file gives the message with its own reason.
TEST_F(AdditionalImportFixture, ACategoryFileThatIsNotOneIsRefusedWithItsReason)
{
    Bytes binary = configBytes({ { 1, "Birds" } });
    binary[27 * 3 + 1] = 0x07; // a control character inside the name of slot 3
    Bytes unterminated = configBytes({ { 1, "Birds" } });
    std::fill(unterminated.begin() + 27 * 2, unterminated.begin() + 27 * 3, 'A');
    Bytes longer = configBytes({ { 1, "Birds" } });
    longer.push_back(0);
    const struct
    {
        const char* name;
        Bytes bytes;
        std::string reason; // a part of the reason
    } cases[] = {
        { "short", Bytes(1729, 0), "holds 1729 bytes" },
        { "long", longer, "holds 1731 bytes" },
        { "empty", Bytes {}, "holds 0 bytes" },
        { "without its mark", configBytes({ { 1, "Birds" } }, 2), "does not end with the mark" },
        { "binary", binary, "category 3 is not a name" },
        { "a name without its end", unterminated, "category 2 is not a name" },
    };
    const std::string path = additionalFilePath(stick, kAdditionalConfigName);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeBytes(path, c.bytes);
        const AdditionalConfigRead read = readAdditionalConfig(stick);
        EXPECT_FALSE(read.names.has_value());
        EXPECT_NE(read.reason.find(c.reason), std::string::npos) << read.reason;
        EXPECT_NE(read.reason.find(path), std::string::npos) << read.reason;
    }
    std::filesystem::remove(path);
    const AdditionalConfigRead missing = readAdditionalConfig(stick);
    EXPECT_FALSE(missing.names.has_value());
    EXPECT_NE(missing.reason.find("was not found"), std::string::npos) << missing.reason;

    writeBytes(path, configBytes({ { 1, "Birds" }, { 9, "Caf\xe9" } }));
    const AdditionalConfigRead good = readAdditionalConfig(stick);
    ASSERT_TRUE(good.names.has_value()) << good.reason;
    EXPECT_EQ((*good.names)[1], "Birds");
    EXPECT_EQ((*good.names)[9], "Caf\xe9"); // the 8-bit letters of a name are text
    EXPECT_EQ((*good.names)[2], "Free");
}

// A category file made from names reads back as those names; the test's own file of the same
// names has the same bytes.
TEST(AdditionalConfigFile, MadeFromNamesItReadsBackAsThemAndOnlyTextNamesAreTaken)
{
    AdditionalCategoryNames names = defaultAdditionalNames();
    EXPECT_EQ(names[0], "Main Dictionary");
    EXPECT_EQ(names[1], "Free");
    names[1] = "Birds";
    names[63] = std::string(26, 'Z'); // the longest a field holds
    const Bytes bytes = encodeAdditionalConfig(names);
    const AdditionalConfigRead read = decodeAdditionalConfig(bytes, "adddict.cfg");
    ASSERT_TRUE(read.names.has_value()) << read.reason;
    EXPECT_EQ(*read.names, names);
    EXPECT_EQ(
        encodeAdditionalConfig(*decodeAdditionalConfig(configBytes({ { 1, "Birds" } }), "x").names),
        configBytes({ { 1, "Birds" } }));

    const struct
    {
        std::string name;
        bool taken;
    } cases[] = {
        { "Australian animals", true },
        { "Caf\xe9", true },
        { std::string(26, 'a'), true },
        { std::string(27, 'a'), false },
        { "", false },
        { "Tab\there", false },
        { std::string("nul\0inside", 10), false },
    };
    for (const auto& c : cases)
        EXPECT_EQ(isAdditionalCategoryName(c.name), c.taken) << c.name;
}

// A dictionary file that is not an additional one, or is damaged, is refused before a word is
// read: "Unable to open dictionary files." and the reason, and nothing changes.
TEST_F(AdditionalImportFixture, ADictionaryThatIsNotAnAdditionalOneIsRefusedAndNothingChanges)
{
    Bytes damaged = additionalImage();
    putU32(damaged, kCategoryTable + slotOf("ROBIN"), 0x00FFFFFF); // a chain out of the file
    const struct
    {
        const char* name;
        std::optional<Bytes> bytes; // nothing: no file
        const char* reason;
    } cases[] = {
        { "a working dictionary", buildDictionaryImage({ entry("ROBIN", 1) }),
            "is not an additional" },
        { "a damaged one", damaged, "is damaged" },
        { "a foreign file", Bytes(100, 'x'), "is not an additional" },
        { "none", std::nullopt, "was not found" },
    };
    const std::string path = additionalFilePath(stick, kAdditionalDictionaryName);
    const Bytes before = readBytes(dictionaryPath);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.bytes)
            writeBytes(path, *c.bytes);
        else
            std::filesystem::remove(path);
        prompter.shown.clear();
        const AdditionalImportOutcome out = run(AdditionalImportAction::Add, 1, 4);
        EXPECT_FALSE(out.ran);
        ASSERT_EQ(prompter.shown.size(), 2u); // the question, then the refusal
        EXPECT_EQ(prompter.shown[1].text.rfind(strings::kTransferOpenFailed, 0), 0u);
        EXPECT_NE(prompter.shown[1].text.find(c.reason), std::string::npos)
            << prompter.shown[1].text;
        EXPECT_EQ(prompter.shown[1].caption, "Warning!");
        EXPECT_EQ(readBytes(dictionaryPath), before);
        EXPECT_EQ(session.info.categoryName(4), "Free");
    }
}

// A read error in the additional dictionary ends the walk: the words read before it are imported
// and counted, the others are not.
TEST_F(AdditionalImportFixture, AReadErrorEndsTheWalkWithTheCountsSoFar)
{
    Bytes broken = additionalImage();
    // The WR bucket's chain leads out of the file: CAT, EAGLE and ROBIN lie in buckets before it.
    putU32(broken, kCategoryTable + slotOf("WREN"), 0x00FFFFFF);
    writeBytes(additionalFilePath(stick, kAdditionalDictionaryName), broken);
    auto additional
        = File::open(additionalFilePath(stick, kAdditionalDictionaryName), OpenMode::ReadOnly);
    DictionaryHandle working = openDictionaryFile(dictionaryPath, false);
    ASSERT_TRUE(additional && working);
    AdditionalImportRequest request;
    request.from = 1;
    request.to = 4;
    const AdditionalImportCounts counts = importAdditionalCategory(*additional, *working, request);
    EXPECT_TRUE(counts.readError);
    EXPECT_EQ(counts.successful, 2); // EAGLE, ROBIN
    EXPECT_EQ(counts.already, 1); // CAT
    ASSERT_TRUE(CloseDictionary(working));
    EXPECT_EQ(word("ROBIN").category, 4);
    // Without a check nothing says a recording number is free: none is linked.
    EXPECT_EQ(word("ROBIN").sound, 0);
    EXPECT_EQ(word("WREN").category, -1);
    EXPECT_TRUE(dictionarySound());
}

} // namespace
} // namespace quorvel::test
