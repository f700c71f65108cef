// The dictionary editor's word actions and a word's recording on disk, in a temporary
// installation. After every change the dictionary must still pass the full check.

#include "config/startup_info.h"
#include "dictionary/dictionary_check.h"
#include "dictionary/dictionary_editor.h"
#include "dictionary/dictionary_ops.h"
#include "dictionary/word_sounds.h"
#include "drill/word_file.h"
#include "platform/file_faults.h"
#include "platform/paths.h"
#include "strings/editor_strings.h"
#include "strings/strings.h"
#include "support/dictionary_test_support.h"
#include "support/fakes.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace quorvel::test {
namespace {

// The smallest wave file: a RIFF header, a format chunk and no samples.
Bytes waveBytes()
{
    Bytes b = { 'R', 'I', 'F', 'F', 36, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0,
        0, 1, 0, 1, 0, 0x22, 0x56, 0, 0, 0x22, 0x56, 0, 0, 1, 0, 8, 0, 'd', 'a', 't', 'a', 0, 0, 0,
        0 };
    return b;
}

// A word on read-write media, as words added by the program are.
DictionaryEntry entryRw(
    const std::string& word, int category = 0, int status = 1, int language = 3, int soundIndex = 0)
{
    DictionaryEntry e = entry(word, category, status, language, soundIndex);
    e.media = 1;
    return e;
}

struct EditorFixture : ::testing::Test
{
    TempFolder folder;
    StartupInfo info;
    FakePrompter prompter;
    ScriptedRandom random { { 42 } };

    void SetUp() override
    {
        folder.makeProgdata();
        ASSERT_TRUE(CreateStartupInfo(info, folder.path()));
    }
    void dictionary(const std::vector<DictionaryEntry>& words) const
    {
        writeBytes(paths::dictionaryFile(folder.path()), buildDictionaryImage(words));
    }
    // Writes a file below the installation, making its folders.
    std::string put(const std::string& relative, const Bytes& bytes = waveBytes()) const
    {
        const std::string path = folder.file(relative);
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        writeBytes(path, bytes);
        return path;
    }
    DictionaryHandle open() const
    {
        return openDictionaryFile(paths::dictionaryFile(folder.path()), false);
    }
    CurrentWordInfo find(const std::string& word, FindResult* result = nullptr) const
    {
        CurrentWordInfo found;
        DictionaryHandle file = open();
        const FindResult r = file ? FindWord(*file, word, found) : FindResult::FileError;
        if (result)
            *result = r;
        return found;
    }
    bool sound() const
    {
        DictionaryHandle file = open();
        return file && checkDictionary(*file).ok;
    }
    std::vector<std::string> messages() const
    {
        std::vector<std::string> texts;
        for (const ShownMessage& m : prompter.shown)
            texts.push_back(m.text);
        return texts;
    }
};

// ---- Sound index numbers --------------------------------------------------------------------

TEST_F(EditorFixture, ASoundIndexIsInUseOnlyAmongTheWordsSharingThePrefixInTheirTable)
{
    dictionary({ entryRw("CAT", 0, 1, 3, 9), entryRw("CATS", 0, 1, 3, 5),
        entryRw("CATSUP", 0, 1, 3, 7), entryRw("CATCH", 0, 1, 3, 3), entryRw("CATTLE", 0, 1, 3, 8),
        entryRw("CATSKILL", 2, 1, 3, 11) });
    DictionaryHandle file = open();
    ASSERT_TRUE(file);
    struct Case
    {
        const char* word;
        int category;
        int index;
        SoundIndexCheck expected;
    } cases[] = {
        { "CATSPAW", 0, 7, SoundIndexCheck::InUse }, // CATSUP
        // A four-letter word's own file carries the prefix too (CATS0005.wav).
        { "CATSPAW", 0, 5, SoundIndexCheck::InUse },
        { "CATSPAW", 0, 3, SoundIndexCheck::Free }, // CATCH is CATC
        { "CATSPAW", 0, 8, SoundIndexCheck::Free }, // CATTLE is CATT, after the prefix
        { "CATSPAW", 0, 11, SoundIndexCheck::Free }, // CATSKILL lies in the category table
        { "CATSPAW", 2, 11, SoundIndexCheck::InUse },
        { "CAT", 0, 9, SoundIndexCheck::InUse }, // CATX
        { "CAT", 0, 5, SoundIndexCheck::Free },
        { "IT", 0, 1, SoundIndexCheck::Unsuitable },
        { "CAT-O", 0, 1, SoundIndexCheck::Unsuitable },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.word) + " " + std::to_string(c.index));
        EXPECT_EQ(checkSoundIndex(*file, c.category, c.word, c.index), c.expected);
    }
    FileFaults::failFrom(FileOp::Read, 1);
    file->dropCache();
    EXPECT_EQ(checkSoundIndex(*file, 0, "CATSPAW", 1), SoundIndexCheck::FileError);
}

TEST_F(EditorFixture, ChoosingAnIndexSkipsZeroNumbersInUseAndFilesThatExist)
{
    dictionary({ entryRw("CATSUP", 0, 1, 3, 7), entryRw("CATS", 0, 1, 3, 5) });
    DictionaryHandle file = open();
    ASSERT_TRUE(file);
    // 0 is drawn again, 7 and 10005 (5) are taken, 42 is rejected by its file, 43 is free.
    ScriptedRandom draws({ 0, 7, 10005, 42, 20043 });
    const SoundIndexChoice choice
        = chooseSoundIndex(*file, 0, "CATSPAW", draws, [](int index) { return index == 42; });
    EXPECT_EQ(choice.outcome, SoundIndexCheck::Free);
    EXPECT_EQ(choice.index, 43);

    ScriptedRandom alwaysSeven({ 7 });
    EXPECT_EQ(chooseSoundIndex(*file, 0, "CATSPAW", alwaysSeven).outcome, SoundIndexCheck::InUse);
    ScriptedRandom onlyZeros({ 0 });
    const SoundIndexChoice none = chooseSoundIndex(*file, 0, "CATSPAW", onlyZeros);
    EXPECT_EQ(none.outcome, SoundIndexCheck::InUse);
    EXPECT_EQ(none.index, 0);
    EXPECT_EQ(chooseSoundIndex(*file, 0, "IT", draws).outcome, SoundIndexCheck::Unsuitable);
}

// ---- Linking --------------------------------------------------------------------------------

TEST_F(EditorFixture, LinkingMovesTheWaveformUnderTheWordsNameAndStoresItsIndex)
{
    struct Case
    {
        const char* word;
        std::uint32_t draw;
        const char* file;
    } cases[] = {
        { "CAT", 42, "waveform/Cwavefrm/CATX0042.wav" }, // three letters: X appended
        { "zebra", 7, "waveform/Zwavefrm/ZEBR0007.wav" }, // index 7: four digits
    };
    dictionary({ entryRw("CAT"), entryRw("ZEBRA", 3) });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word);
        const std::string recorded = put("mydata/newwave/recorded.wav");
        ScriptedRandom draw({ c.draw });
        DictionaryEditor editor(info, 0, prompter, draw);
        editor.open(true);
        editor.setWaveformField(recorded);
        EXPECT_FALSE(editor.link(c.word).close);
        EXPECT_TRUE(prompter.shown.empty()) << messages().front();
        EXPECT_FALSE(fileExists(recorded));
        EXPECT_EQ(readBytes(folder.file(c.file)), waveBytes());
        EXPECT_EQ(editor.view().waveformField, "");
        EXPECT_EQ(editor.view().soundStatus, std::filesystem::path(c.file).filename().string());
        const CurrentWordInfo stored = find(c.word);
        EXPECT_EQ(stored.soundIndex(), c.draw);
        EXPECT_EQ(CurrentWordInfo(stored).soundFlag(), 1);
        EXPECT_EQ(editor.view().soundFlag, 1);
        EXPECT_TRUE(sound());
    }
}

TEST_F(EditorFixture, ALinkThatCannotBeMadeSaysWhyAndChangesNothing)
{
    dictionary({ entryRw("CAT"), entryRw("DOG", 0, 1, 3, 12) });
    put("waveform/Dwavefrm/DOGX0012.wav");
    struct Case
    {
        const char* name;
        const char* word;
        Bytes file;
        int renameError; // the move fails with this, 0: it does not
        std::string message;
    } cases[] = {
        { "not in the dictionary", "COW", waveBytes(), 0, strings::kFirstAddWord },
        { "already linked", "DOG", waveBytes(), 0, strings::kDeleteOldSoundFirst },
        { "not a wave file", "CAT",
            Bytes { 'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '!', '!' }, 0,
            strings::kNotAWaveform },
        { "read-only waveform folder", "CAT", waveBytes(), EACCES, strings::kUnableToMoveWaveform },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string chosen = put("mydata/newwave/chosen.wav", c.file);
        const auto before = folderContents(folder.path());
        prompter.shown.clear();
        DictionaryEditor editor(info, 0, prompter, random);
        editor.open(true);
        editor.setWaveformField(chosen);
        if (c.renameError)
            FileFaults::failNth(FileOp::Rename, 1, 1, c.renameError);
        editor.link(c.word);
        FileFaults::reset();
        ASSERT_EQ(prompter.shown.size(), 1u);
        EXPECT_EQ(prompter.shown[0].text.substr(0, c.message.size()), c.message);
        EXPECT_EQ(folderContents(folder.path()), before);
    }
    DictionaryEditor editor(info, 0, prompter, random);
    editor.open(true);
    prompter.shown.clear();
    editor.link("it");
    EXPECT_EQ(editor.view().result, strings::kWordNotSuitable);
    EXPECT_TRUE(prompter.shown.empty());
}

// A recording moved into the waveform folder whose word could not be amended would lie there
// with nothing pointing at it: it goes back, or its place is named.
TEST_F(EditorFixture, ALinkWhoseAmendFailsPutsTheWaveformBackOrSaysWhereItIs)
{
    dictionary({ entryRw("CAT") });
    const auto dictionaryBefore = readBytes(paths::dictionaryFile(folder.path()));
    for (const bool moveBackFails : { false, true }) {
        SCOPED_TRACE(moveBackFails);
        const std::string chosen = put("mydata/newwave/recorded.wav");
        prompter.shown.clear();
        DictionaryEditor editor(info, 0, prompter, random);
        editor.open(true);
        editor.setWaveformField(chosen);
        FileFaults::failFrom(FileOp::Write, 1);
        if (moveBackFails)
            FileFaults::failNth(FileOp::Rename, 2);
        editor.link("CAT");
        FileFaults::reset();
        const std::string target = folder.file("waveform/Cwavefrm/CATX0042.wav");
        ASSERT_EQ(prompter.shown.size(), 1u);
        if (moveBackFails) {
            EXPECT_EQ(
                prompter.shown[0].text, std::string(strings::kLinkNotUndone) + "\r\n" + target);
            EXPECT_TRUE(fileExists(target));
            std::filesystem::remove(target);
        } else {
            EXPECT_EQ(prompter.shown[0].text, std::string(strings::kLinkUndone) + "\r\n" + chosen);
            EXPECT_EQ(readBytes(chosen), waveBytes());
            EXPECT_FALSE(fileExists(target));
        }
        EXPECT_EQ(find("CAT").soundIndex(), 0);
        EXPECT_EQ(readBytes(paths::dictionaryFile(folder.path())), dictionaryBefore);
        EXPECT_TRUE(sound());
    }
}

// ---- Recordings whatever the case of their names ---------------------------------------------

TEST_F(EditorFixture, RecordingsAreFoundWhateverTheCaseOfTheirFolderAndName)
{
    dictionary({ entryRw("CAT", 0, 1, 3, 42), entryRw("COW", 0, 1, 3, 9) });
    const std::string cat = put("waveform/cwavefrm/catx0042.WAV");
    put("waveform/cwavefrm/cowx0009.wav");
    EXPECT_EQ(findWordRecording(folder.file("waveform/"), "cat", 42), cat);
    EXPECT_EQ(findWordRecording(folder.file("waveform/"), "CAT", 43), std::nullopt);

    DictionaryEditor editor(info, 0, prompter, random);
    editor.open(true);
    EXPECT_EQ(editor.search("cat").play, cat); // sound on for user 0, a sound card, a link

    // Unlink moves it to oldwave under the program's name, beside an older one of that name.
    put("mydata/oldwave/CATX0042.wav", Bytes { 'o', 'l', 'd' });
    prompter.answers = { MessageAnswer::Yes };
    editor.unlink("CAT");
    EXPECT_FALSE(fileExists(cat));
    EXPECT_EQ(readBytes(folder.file("mydata/oldwave/CATX0042_2.wav")), waveBytes());
    EXPECT_EQ(readBytes(folder.file("mydata/oldwave/CATX0042.wav")), (Bytes { 'o', 'l', 'd' }));
    EXPECT_EQ(find("CAT").soundIndex(), 0);
    EXPECT_EQ(editor.view().soundStatus, "");

    prompter.answers = { MessageAnswer::Yes };
    editor.deleteSound("COW");
    EXPECT_FALSE(fileExists(folder.file("waveform/cwavefrm/cowx0009.wav")));
    EXPECT_EQ(find("COW").soundIndex(), 0);
    EXPECT_TRUE(sound());
}

// ---- Unlink and delete on read-only media ------------------------------------------------------

TEST_F(EditorFixture, ReadOnlyMediaRefusesDeleteAndUnlinksDespiteAFailedMove)
{
    DictionaryEntry cd = entryRw("CAT", 0, 1, 3, 42);
    cd.media = 0;
    dictionary({ cd });
    const std::string cat = put("waveform/Cwavefrm/CATX0042.wav");
    DictionaryEditor editor(info, 0, prompter, random);
    editor.open(true);

    editor.deleteSound("CAT");
    EXPECT_EQ(messages(), std::vector<std::string> { strings::kCannotDeleteOnCd });
    EXPECT_TRUE(fileExists(cat));
    EXPECT_EQ(find("CAT").soundIndex(), 42);

    prompter.shown.clear();
    prompter.answers = { MessageAnswer::Ok, MessageAnswer::Yes };
    FileFaults::failNth(FileOp::Rename, 1, 1, EROFS);
    editor.unlink("CAT");
    FileFaults::reset();
    EXPECT_EQ(messages(),
        (std::vector<std::string> {
            strings::kWaveformOnCd, strings::kUnlinkQuestion, strings::kUnableToMoveWaveform }));
    EXPECT_TRUE(fileExists(cat));
    EXPECT_EQ(find("CAT").soundIndex(), 0);
    EXPECT_TRUE(sound());
}

TEST_F(EditorFixture, SoundActionsOnWordsWithoutASoundOrOutsideTheDictionary)
{
    dictionary({ entryRw("CAT"), entryRw("DOG", 0, 1, 3, 12) });
    const std::string dog = put("waveform/Dwavefrm/DOGX0012.wav");
    DictionaryEditor editor(info, 0, prompter, random);
    editor.open(true);
    const auto before = folderContents(folder.path());
    struct Case
    {
        const char* name;
        std::function<void()> act;
        std::vector<std::string> messages;
    } cases[] = {
        { "unlink without a sound", [&] { editor.unlink("CAT"); }, { strings::kNoSoundToUnlink } },
        { "unlink of a word not there", [&] { editor.unlink("COW"); }, { strings::kFirstAddWord } },
        { "delete of a word not there", [&] { editor.deleteSound("COW"); },
            { strings::kNoWordToDeleteSound } },
        { "delete without a sound", [&] { editor.deleteSound("CAT"); }, {} },
        { "delete answered No",
            [&] {
                prompter.answers = { MessageAnswer::No };
                editor.deleteSound("DOG");
            },
            { strings::kDeleteSoundQuestion } },
        { "unlink answered No",
            [&] {
                prompter.answers = { MessageAnswer::No };
                editor.unlink("DOG");
            },
            { strings::kUnlinkQuestion } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        prompter.shown.clear();
        c.act();
        EXPECT_EQ(messages(), c.messages);
        EXPECT_EQ(folderContents(folder.path()), before);
    }
}

TEST_F(EditorFixture, OnlyWaveFilesAreAcceptedAsTheSelectedWaveform)
{
    const std::string wave = put("mydata/newwave/take1.WAV");
    const std::string text = put("mydata/newwave/notes.wav",
        Bytes { 'n', 'o', 't', 'e', 's', '.', '.', '.', '.', '.', '.', '.' });
    struct Case
    {
        std::string path;
        const char* message; // nullptr: accepted
    } cases[] = {
        { folder.file("mydata/newwave/take1"), strings::kMustHaveWavExtension },
        { folder.file("mydata/newwave.d/take1"), strings::kMustHaveWavExtension },
        { folder.file("mydata/newwave/take1.mp3"), strings::kOnlyWaveforms },
        { text, strings::kNotAWaveform },
        { wave, nullptr },
    };
    dictionary({ entryRw("CAT") });
    DictionaryEditor editor(info, 0, prompter, random);
    editor.open(true);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        prompter.shown.clear();
        editor.setWaveformField("");
        EXPECT_EQ(editor.acceptWaveform(c.path), c.message == nullptr);
        if (c.message) {
            ASSERT_EQ(prompter.shown.size(), 1u);
            EXPECT_EQ(prompter.shown[0].text.rfind(c.message, 0), 0u);
            EXPECT_EQ(prompter.shown[0].caption, strings::kInformation);
            EXPECT_EQ(editor.view().waveformField, "");
        } else {
            EXPECT_EQ(editor.view().waveformField, wave);
        }
    }
    EXPECT_EQ(editor.playSelected().play, wave);
    editor.setWaveformField("a.wa");
    EXPECT_TRUE(editor.playSelected().beep);
}

// ---- Word actions ---------------------------------------------------------------------------

struct WordActionFixture : EditorFixture
{
    void SetUp() override
    {
        EditorFixture::SetUp();
        dictionary(
            { entryRw("AARDVARK"), entryRw("APPLE"), entryRw("BANANA"), entryRw("CHERRY", 0, 2),
                entryRw("PIANO", 1, 3), entryRw("VIOLIN", 1), entryRw("DOG", 0, 1, 3, 12) });
    }
};

TEST_F(WordActionFixture, AddingShowsTheNewWordFirstInAListThatWrapsRound)
{
    DictionaryEditor editor(info, 0, prompter, random);
    EXPECT_FALSE(editor.open(true).close);
    EXPECT_EQ(editor.view().list,
        (std::vector<std::string> { "AARDVARK", "APPLE", "BANANA", "CHERRY", "DOG" }));
    EXPECT_EQ(editor.view().defaultAction, EditorAction::Search);
    EXPECT_EQ(editor.view().statusLine, ""); // no word shown yet

    editor.add("zebra");
    EXPECT_EQ(editor.view().result, strings::kInserted);
    EXPECT_EQ(editor.view().list,
        (std::vector<std::string> { "ZEBRA", "AARDVARK", "APPLE", "BANANA", "CHERRY", "DOG" }));
    EXPECT_EQ(editor.view().defaultAction, EditorAction::Add);
    EXPECT_TRUE(editor.changed());
    FindResult r;
    EXPECT_EQ(find("ZEBRA", &r).status(5), 1);
    EXPECT_EQ(r, FindResult::InMain);

    struct Case
    {
        const char* word;
        const char* result;
    } cases[] = {
        { "ZEBRA", strings::kAlreadyInDictionary },
        { "PIANO", strings::kAlreadyInDictionary }, // in the category table
        { "it", strings::kWordNotSuitable },
        { "bric-a-brac", strings::kWordNotSuitable },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word);
        editor.add(c.word);
        EXPECT_EQ(editor.view().result, c.result);
    }
    EXPECT_TRUE(sound());
}

TEST_F(WordActionFixture, SearchingShowsTheWordForTheChosenUserAndAnEmptyFieldSearchesAAA)
{
    DictionaryEditor editor(info, 0, prompter, random);
    editor.open(true);
    struct Case
    {
        const char* typed;
        const char* word;
        const char* result;
        int category;
    } cases[] = {
        { "", "AAA", strings::kWordNotFound, 0 },
        { "b", "AAA", strings::kWordNotFound, 0 },
        { "cherry", "cherry", strings::kFoundInMain, 0 },
        { "PIANO", "PIANO", strings::kFoundInCategory, 1 },
        { "x1y", "x1y", strings::kWordNotSuitable, 1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        editor.search(c.typed);
        EXPECT_EQ(editor.view().word, c.word);
        EXPECT_EQ(editor.view().result, c.result);
        EXPECT_EQ(editor.view().category, c.category);
    }
    EXPECT_EQ(editor.view().list, (std::vector<std::string> { "PIANO", "VIOLIN" }));

    // The status line follows the user chosen; nothing else does.
    editor.search("CHERRY");
    EXPECT_EQ(editor.view().statusLine, "Status: Successful");
    editor.chooseUser(7);
    EXPECT_EQ(editor.view().statusLine, "Status: Successful");
    editor.search("PIANO");
    EXPECT_EQ(editor.view().statusLine, "Status: Mastered");
    EXPECT_FALSE(editor.changed());
}

TEST_F(WordActionFixture, AmendingMovesTheWordKeepingStatusesAndItsRecording)
{
    DictionaryEditor editor(info, 0, prompter, random);
    editor.open(true);
    editor.amend("ZEBRA");
    EXPECT_EQ(editor.view().result, strings::kWordNotSuitable);
    EXPECT_FALSE(editor.changed());

    editor.search("DOG");
    EXPECT_TRUE(editor.chooseCategory(2));
    editor.setLanguage(1);
    editor.amend("DOG");
    EXPECT_EQ(editor.view().result, strings::kAmended);
    FindResult r;
    CurrentWordInfo dog = find("DOG", &r);
    EXPECT_EQ(r, FindResult::InCategory);
    EXPECT_EQ(dog.category(), 2);
    EXPECT_EQ(dog.language(), 1);
    EXPECT_EQ(dog.status(3), 1);
    EXPECT_EQ(dog.soundIndex(), 12);
    EXPECT_EQ(editor.view().list, (std::vector<std::string> { "DOG" }));
    EXPECT_TRUE(sound());

    // "Free" is refused and the category stays.
    EXPECT_FALSE(editor.chooseCategory(4));
    EXPECT_EQ(messages(), std::vector<std::string> { strings::kCannotSelectUnnamed });
    EXPECT_EQ(editor.view().category, 2);
}

TEST_F(WordActionFixture, ErasingIsRefusedWhileASoundIsLinkedAndTheWordCanBeAddedBack)
{
    DictionaryEditor editor(info, 0, prompter, random);
    editor.open(true);
    editor.erase("DOG");
    EXPECT_EQ(messages(), std::vector<std::string> { strings::kSoundStillLinked });
    EXPECT_EQ(prompter.shown[0].caption, strings::kWarningPlain);
    FindResult r;
    find("DOG", &r);
    EXPECT_EQ(r, FindResult::InMain);
    EXPECT_FALSE(editor.changed());

    editor.search("BANANA");
    EXPECT_FALSE(editor.view().statusLine.empty());
    editor.erase("BANANA");
    EXPECT_EQ(editor.view().result, strings::kRemoved);
    EXPECT_EQ(editor.view().word, "BANANA");
    EXPECT_EQ(editor.view().statusLine, ""); // the statuses went with the word
    find("BANANA", &r);
    EXPECT_EQ(r, FindResult::NotFound);
    editor.erase("BANANA");
    EXPECT_EQ(editor.view().result, strings::kUnableToRemove);
    EXPECT_EQ(editor.repeatDefault("BANANA").close, false);
    EXPECT_EQ(editor.view().result, strings::kUnableToRemove);
    editor.add("BANANA");
    find("BANANA", &r);
    EXPECT_EQ(r, FindResult::InMain);
    EXPECT_TRUE(sound());
}

TEST_F(WordActionFixture, TheFirstChangeMarksEveryUsersSavedListOutOfDate)
{
    WordListImage list;
    list.state = ListState::kFreshDictionary;
    WordFileRecord record;
    record.word = "APPLE";
    list.records.push_back(record);
    list.askedCount = 1;
    for (int slot : { 0, 6 })
        ASSERT_TRUE(saveWordList(folder.path(), slot, list));
    auto state = [&](int slot) {
        const Bytes bytes = readBytes(paths::wordFile(folder.path(), char('0' + slot)));
        return bytes.size() >= kWordFileHeaderSize ? WordFileHeader::decode(bytes.data()).state
                                                   : -1;
    };
    DictionaryEditor editor(info, 0, prompter, random);
    editor.open(true);
    editor.search("APPLE");
    editor.add("APPLE"); // already there: no change
    EXPECT_EQ(state(6), ListState::kFreshDictionary);
    editor.add("MANGO");
    EXPECT_EQ(state(0), ListState::kNone);
    EXPECT_EQ(state(6), ListState::kNone);
    // Later changes while the editor stays open write nothing more.
    ASSERT_TRUE(saveWordList(folder.path(), 6, list));
    editor.erase("MANGO");
    EXPECT_EQ(state(6), ListState::kFreshDictionary);
}

TEST_F(EditorFixture, AMissingDictionaryClosesTheEditorWithItsMessage)
{
    DictionaryEditor editor(info, 0, prompter, random);
    EXPECT_TRUE(editor.open(true).close);
    EXPECT_EQ(messages(), std::vector<std::string> { strings::kUnableToOpenDictionary });
    EXPECT_EQ(prompter.shown[0].caption, strings::kInformation);
}

TEST_F(WordActionFixture, WithoutASoundCardTheUserIsWarnedOnceAndNothingPlays)
{
    put("waveform/Dwavefrm/DOGX0012.wav");
    DictionaryEditor editor(info, 0, prompter, random);
    editor.open(false);
    EXPECT_EQ(messages(), std::vector<std::string> { strings::kEditorNoSoundCard });
    EXPECT_EQ(editor.search("DOG").play, std::nullopt);
    EXPECT_EQ(editor.view().soundStatus, "DOGX0012.wav");

    prompter.shown.clear();
    DictionaryEditor withCard(info, 0, prompter, random);
    withCard.open(true);
    EXPECT_TRUE(prompter.shown.empty());
    withCard.search("DOG");
    EXPECT_EQ(withCard.playLinked().play, folder.file("waveform/Dwavefrm/DOGX0012.wav"));
    withCard.search("APPLE");
    EXPECT_TRUE(withCard.playLinked().beep);
}

} // namespace
} // namespace quorvel::test
