// Any bytes as the startup record (progdata/zelinf32.cfg; 6758 bytes when the program wrote it):
// the start-up sequence reads it, and everything the program does next with a record it read must
// end with a result: every field through its accessor and through the field table, the drill
// settings, the list status. What the reader accepted must save and read back byte for byte, and
// each sub-record and the typed settings must write back what they read without changing a byte.
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
#include "config/user_settings.h"
#include "dictionary/dictionary_format.h"
#include "drill/drill_settings.h"
#include "drill/word_file.h"
#include "fuzz_support.h"
#include "platform/paths.h"

#include <cstring>

using namespace quorvel;

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
        int state;
        ListType type;
        int count;
    };
    const Kind kinds[] = { { ListState::kFreshDictionary, ListType::Random, 3 },
        { ListState::kSpeltOnce, ListType::OneLetter, 2 },
        { ListState::kFreshScrapPad, ListType::ScrapPad, 1 },
        { ListState::kFreshWindow, ListType::Window, 250 } };
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

// Each sub-record of each user, and the user's typed settings, written back as they were read
// leave every byte of the record as it was: texts that fill their field, bytes after a
// terminator, flags other than 0 and 1 and radio groups with no or several flags set included.
void checkSubRecords(const StartupInfo& info)
{
    for (int user = 0; user < kUserSlots; ++user) {
        const std::string who = " of user " + std::to_string(user);
        StartupInfo copy = info;
        auto unchanged = [&](const char* what) {
            FUZZ_CHECK(copy.bytes() == info.bytes(), what + who + " changed by a round trip");
        };
        copy.setListSetup(user, info.listSetup(user));
        unchanged("list setup");
        copy.setDisplaySetup(user, info.displaySetup(user));
        unchanged("display setup");
        copy.setListOptions(user, info.listOptions(user));
        unchanged("list options");
        copy.setLearnSetup(user, info.learnSetup(user));
        unchanged("learn setup");
        const UserSettings settings = UserSettings::read(info, user);
        settings.write(copy, user);
        unchanged("typed settings");
        FUZZ_CHECK(UserSettings::read(copy, user) == settings,
            "typed settings" + who + " read differently after a write");
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
    const StartupRead result = ReadStartupInfo(read, folder);
    FUZZ_CHECK(result == (size == 0 ? kStartupUnreadable : kStartupRead),
        std::string("read gave ") + (result == kStartupRead ? "read" : "unreadable"));
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
        StartupRead faulted;
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
    resetStrayWorkingCategory(info, user);
    const DrillSettings drill = readDrillSettings(info, user, session.documents);
    FUZZ_CHECK(drill.category >= 0 && drill.category < kCategorySlots
            && info.workingCategory(user) == drill.category,
        "working category " + std::to_string(drill.category));
    const int listType = listTypeNumber(drill.listType);
    FUZZ_CHECK(listType >= listTypeNumber(ListType::Random)
            && listType <= listTypeNumber(ListType::Window),
        "list type " + std::to_string(listType));
    FUZZ_CHECK(drill.language == Language::UK || drill.language == Language::US,
        "language " + std::to_string(static_cast<int>(drill.language)));
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
