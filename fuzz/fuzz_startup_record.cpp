// Any bytes as the startup record (progdata/zelinf32.cfg; 6758 bytes when the program wrote it):
// the start-up sequence reads it, and everything the program does next with a record it read must
// end with a result: every field through its accessor and through the field table, the drill
// settings, the list status. What the reader accepted must save and read back byte for byte, and
// each sub-record must encode back to what it decoded (texts cut to their field).
//
// Bytes past the record's 6758 are never read by the program; here they arm the file-failure
// hooks for a read and for a save of the record (three bytes) and set the document windows' flags
// (one byte).

#include "app/list_status.h"
#include "app/session.h"
#include "app/startup_sequence.h"
#include "config/settings_file.h"
#include "config/startup_fields.h"
#include "config/startup_info.h"
#include "dictionary/dictionary_format.h"
#include "drill/drill_settings.h"
#include "drill/word_file.h"
#include "fuzz_support.h"
#include "platform/paths.h"

#include <cstring>

using namespace quorvel;
using namespace quorvel::startup_layout;

namespace {

class SilentPrompter final : public Prompter
{
public:
    MessageAnswer show(
        const std::string&, const std::string&, MessageIcon, MessageButtons buttons) override
    {
        return buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel
            ? MessageAnswer::Yes
            : MessageAnswer::Ok;
    }
};

// A dictionary in the folder (the start needs one) and word files of every kind the list status
// tells apart, for slots 0 to 3; the other slots have none.
bool prepareFolder()
{
    const std::string& folder = fuzz::scratchFolder();
    fuzz::writeInput("progdata/sonddict.dis", fuzz::smallDictionary());
    struct Kind
    {
        int state, type, count;
    };
    const Kind kinds[] = { { ListState::kFreshDictionary, ListType::kRandom, 3 },
        { ListState::kSpeltOnce, ListType::kOneLetter, 2 },
        { ListState::kFreshScrapPad, ListType::kScrapPad, 1 },
        { ListState::kFreshWindow, ListType::kWindow, 250 } };
    for (int slot = 0; slot < 4; ++slot) {
        auto file = WordFile::open(folder, slot, OpenMode::Create);
        if (!file)
            return false;
        const Kind& k = kinds[slot];
        for (int i = 0; i < k.count; ++i) {
            WordFileRecord record;
            record.word = "WORD" + std::string(1, static_cast<char>('A' + i % 26));
            if (!file->appendListRecord(i, record, k.state, 0, k.count, k.type))
                return false;
        }
        if (!file->finishList(k.count, k.type, k.state) || !file->close())
            return false;
    }
    return true;
}

std::string cut(const std::string& text, std::size_t width)
{
    return text.substr(0, width - 1);
}

// The bytes of the record outside [from, from + size) are the same in both.
bool sameOutside(const StartupInfo& a, const StartupInfo& b, std::size_t from, std::size_t size)
{
    return std::memcmp(a.bytes().data(), b.bytes().data(), from) == 0
        && std::memcmp(a.bytes().data() + from + size, b.bytes().data() + from + size,
               kStartupInfoSize - from - size)
        == 0;
}

// Each sub-record of each user decodes, encodes back only into its own bytes, and decodes again to
// the same values with its texts cut to their fields.
void checkSubRecords(const StartupInfo& info)
{
    constexpr std::size_t kNum = kNumberTextWidth;
    for (int user = 0; user < kUserSlots; ++user) {
        const auto at = [user](std::size_t base, std::size_t size) {
            return base + static_cast<std::size_t>(user) * size;
        };
        {
            const ListSetupRecord before = info.listSetup(user);
            StartupInfo copy = info;
            copy.setListSetup(user, before);
            ListSetupRecord expected = before;
            expected.minLetters = cut(before.minLetters, kNum);
            expected.maxLetters = cut(before.maxLetters, kNum);
            expected.listSize = cut(before.listSize, kNum);
            expected.oneLetter = cut(before.oneLetter, kNum);
            expected.predefined = cut(before.predefined, kPredefinedWidth);
            FUZZ_CHECK(
                copy.listSetup(user) == expected, "list setup of user " + std::to_string(user));
            FUZZ_CHECK(sameOutside(info, copy, at(kListSetup, kListSetupSize), kListSetupSize),
                "list setup of user " + std::to_string(user) + " written outside its bytes");
        }
        {
            const DisplaySetupRecord before = info.displaySetup(user);
            StartupInfo copy = info;
            copy.setDisplaySetup(user, before);
            DisplaySetupRecord expected = before;
            expected.wordShowTime = cut(before.wordShowTime, kNum);
            expected.answerDelay = cut(before.answerDelay, kNum);
            expected.spellTime = cut(before.spellTime, kNum);
            expected.betweenWords = cut(before.betweenWords, kNum);
            FUZZ_CHECK(copy.displaySetup(user) == expected,
                "display setup of user " + std::to_string(user));
            FUZZ_CHECK(
                sameOutside(info, copy, at(kDisplaySetup, kDisplaySetupSize), kDisplaySetupSize),
                "display setup of user " + std::to_string(user) + " written outside its bytes");
        }
        {
            const ListOptionsRecord before = info.listOptions(user);
            StartupInfo copy = info;
            copy.setListOptions(user, before);
            FUZZ_CHECK(copy.bytes() == info.bytes(),
                "list options of user " + std::to_string(user) + " changed by a round trip");
        }
        {
            const LearnSetupRecord before = info.learnSetup(user);
            StartupInfo copy = info;
            copy.setLearnSetup(user, before);
            LearnSetupRecord expected = before;
            expected.continuousTime = cut(before.continuousTime, kNum);
            expected.flashDurationText = cut(before.flashDurationText, kNum);
            expected.flashCountText = cut(before.flashCountText, kNum);
            expected.rippleDurationText = cut(before.rippleDurationText, kNum);
            expected.rippleCountText = cut(before.rippleCountText, kNum);
            FUZZ_CHECK(
                copy.learnSetup(user) == expected, "learn setup of user " + std::to_string(user));
            FUZZ_CHECK(sameOutside(info, copy, at(kLearnSetup, kLearnSetupSize), kLearnSetupSize),
                "learn setup of user " + std::to_string(user) + " written outside its bytes");
        }
    }
}

// Every accessor, slots out of range included (they read as empty), and every field of the field
// table with the check the command-line front end makes before it changes one.
std::size_t readEveryField(const StartupInfo& info)
{
    std::size_t seen = 0; // keeps the reads from being dropped
    for (int c = -1; c <= kCategorySlots; ++c)
        seen += info.categoryName(c).size();
    seen += info.startupUser() + info.dictionaryOpened() + info.systemPasswordOn();
    seen += info.additionalDictPath().size() + info.waveformPath().size() + info.dataFolder().size()
        + info.dictionaryFolder().size();
    seen += info.promotionThreshold().size() + info.demotionThreshold().size();
    seen += info.systemPassword()[0];
    for (int u = -1; u <= kUserSlots; ++u) {
        seen += info.soundOn(u) + info.drillWindowLayout(u) + info.passwordOn(u)
            + info.drillLanguage(u) + info.workingCategory(u);
        seen += info.userName(u).size() + info.browseWord(u).size() + info.userPassword(u)[3];
        seen += info.displaySetup(u).wordShowTime.size() + info.listSetup(u).predefined.size()
            + info.listOptions(u).languageUK + info.learnSetup(u).flashCount.position;
    }
    for (const StartupField& field : startupFields()) {
        for (int index = 0; index < field.count; ++index) {
            const std::size_t offset = fieldOffset(field, index);
            std::string value;
            switch (field.kind) {
            case StartupFieldKind::Text:
                value = info.textAt(offset, field.width);
                break;
            case StartupFieldKind::U16:
                value = std::to_string(info.u16At(offset));
                break;
            case StartupFieldKind::Slider:
                value = std::to_string(info.u32At(offset + 8));
                break;
            case StartupFieldKind::Password:
                value = "";
                break;
            }
            seen += startupValueProblem(info, field, index, value).size();
            seen += allowedValues(field).size();
        }
    }
    return seen;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool ready = prepareFolder();
    if (!ready)
        std::abort();
    const std::string& folder = fuzz::scratchFolder();
    fuzz::InputReader trailer(data + std::min(size, kStartupInfoSize),
        size > kStartupInfoSize ? size - kStartupInfoSize : 0);
    const fuzz::FaultPlan plan = fuzz::readFaultPlan(trailer);
    const std::uint8_t flags = trailer.u8();

    fuzz::writeInput("progdata/zelinf32.cfg", data, size);
    const std::vector<std::uint8_t> onDisk = fuzz::readScratchFile("progdata/zelinf32.cfg");

    // The reader alone: what it took is the file's start over what the record held, and a read
    // that fails leaves the record as it was.
    StartupInfo defaults;
    FillStartupDefaults(defaults, folder);
    StartupInfo read = defaults;
    const int result = ReadStartupInfo(read, folder);
    FUZZ_CHECK(result == (size == 0 ? kStartupUnreadable : kStartupRead),
        "read gave " + std::to_string(result));
    if (result == kStartupRead) {
        const std::size_t got = std::min(size, kStartupInfoSize);
        FUZZ_CHECK(std::memcmp(read.bytes().data(), data, got) == 0
                && std::memcmp(read.bytes().data() + got, defaults.bytes().data() + got,
                       kStartupInfoSize - got)
                    == 0,
            "the record read is not the file's start over the record it had");
    }
    {
        StartupInfo again = defaults;
        int faulted;
        {
            fuzz::ArmedFaults armed(plan);
            faulted = ReadStartupInfo(again, folder);
        }
        FUZZ_CHECK(faulted == kStartupUnreadable ? again.bytes() == defaults.bytes()
                                                 : again.bytes() == read.bytes(),
            "read with " + fuzz::describe(plan));
    }

    // Encoding back: what the reader accepted saves and reads back byte for byte; a save that
    // fails says so and leaves the file as it was.
    if (result == kStartupRead) {
        FUZZ_CHECK(WriteStartupInfo(read, true, folder), "a save without failures failed");
        StartupInfo back;
        FUZZ_CHECK(ReadStartupInfo(back, folder) == kStartupRead && back.bytes() == read.bytes(),
            "the record saved does not read back");
        fuzz::writeInput("progdata/zelinf32.cfg", onDisk);
        bool saved;
        {
            fuzz::ArmedFaults armed(plan);
            saved = WriteStartupInfo(read, true, folder);
        }
        const std::vector<std::uint8_t> after = fuzz::readScratchFile("progdata/zelinf32.cfg");
        const std::vector<std::uint8_t> written(read.bytes().begin(), read.bytes().end());
        // A failed save keeps the old file, except when only the folder could not be synced
        // after the new file was put in place: that is reported too, with the new bytes there.
        const bool folderSync = plan.armed && plan.op == FileOp::Sync;
        FUZZ_CHECK(saved ? after == written : after == onDisk || (folderSync && after == written),
            std::string(saved ? "a save that succeeded" : "a failed save") + " with "
                + fuzz::describe(plan));
        checkSubRecords(read);
        fuzz::writeInput("progdata/zelinf32.cfg", onDisk);
    }

    // The start-up sequence, and what follows it.
    if (!(flags & 1))
        fuzz::removeScratchFile("Fenwa.ini");
    Session session;
    session.programFolder = folder;
    session.documents.beeListMade = (flags & 2) != 0;
    session.documents.scrapListMade = (flags & 4) != 0;
    session.documents.scrapPadOpen = (flags & 8) != 0;
    session.documents.beeWindowCount = static_cast<std::int16_t>((flags >> 4) & 3);
    SettingsFile settings(folder + "/Fenwa.ini");
    SilentPrompter prompter;
    const bool started = ReadStartupFiles(session, settings, prompter, folder);
    volatile std::size_t seen = readEveryField(session.info);
    (void)seen;
    if (!started)
        return 0;
    FUZZ_CHECK(session.info.dataFolder() == folder && session.info.dictionaryFolder() == folder,
        "a started record does not name the folder it started in");
    const int user = session.currentUser();
    FUZZ_CHECK(user >= 0 && user < kUserSlots, "current user " + std::to_string(user));

    StartupInfo& info = session.info;
    const DrillSettings drill = loadDrillSettings(info, user, session.documents);
    FUZZ_CHECK(drill.category >= 0 && drill.category < kCategorySlots
            && info.workingCategory(user) == drill.category,
        "working category " + std::to_string(drill.category));
    FUZZ_CHECK(drill.listType >= ListType::kRandom && drill.listType <= ListType::kWindow,
        "list type " + std::to_string(drill.listType));
    FUZZ_CHECK(
        drill.language == 1 || drill.language == 2, "language " + std::to_string(drill.language));
    const ListCriteria criteria = drillListCriteria(drill, user);
    (void)criteria;

    const ListStatusFields status = computeListStatus(session);
    FUZZ_CHECK(status.wordCount.size() <= 3, "word count " + status.wordCount);
    FUZZ_CHECK(status.listIcon >= 1 && status.listIcon <= 3,
        "list icon " + std::to_string(status.listIcon));
    const int kind = currentListKind(session);
    FUZZ_CHECK(kind == 0 || kind == 1 || kind == 2 || kind == 4 || kind == 8,
        "list kind " + std::to_string(kind));
    return 0;
}
