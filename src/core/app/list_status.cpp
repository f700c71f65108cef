#include "app/list_status.h"

#include "app/session.h"
#include "config/user_settings.h"
#include "drill/word_file.h"
#include "platform/services.h"
#include "review/review_list.h"
#include "strings/app_strings.h"
#include "strings/review_strings.h"

namespace quorvel {

namespace {

struct KindAndCount
{
    int kind = 0;
    int count = 0;
};

KindAndCount readKind(const Session& session)
{
    auto file
        = WordFile::open(session.info.dataFolder(), session.currentUser(), OpenMode::ReadOnly);
    WordFileHeader header;
    if (!file || !file->readHeader(header))
        return {};
    KindAndCount result;
    result.count = header.count;
    if (header.state == ListState::kFreshDictionary || header.state == ListState::kSpeltOnce)
        result.kind = header.state;
    else if (header.state == ListState::kFreshScrapPad
        && listTypeFromNumber(header.listType) == ListType::ScrapPad)
        result.kind = 4;
    else if (header.state == ListState::kFreshWindow
        && listTypeFromNumber(header.listType) == ListType::Window)
        result.kind = 8;
    return result;
}

} // namespace

int currentListKind(const Session& session)
{
    return readKind(session).kind;
}

ListStatusFields computeListStatus(const Session& session)
{
    SystemClock clock;
    return computeListStatus(session, clock.now());
}

ListStatusFields computeListStatus(const Session& session, std::time_t now)
{
    const int user = session.currentUser();
    const StartupInfo& info = session.info;
    // The list size and letters range are shown as their texts are stored.
    const ListSetupRecord setup = info.listSetup(user);
    const ListOptions options = ListOptions::read(info, user);

    ListStatusFields f;
    KindAndCount k = readKind(session);
    if (session.documents.scrapListMade && k.kind == 4) {
        f.listType = strings::kListTypeBlank;
        f.source = strings::kSourceScrapPad;
        f.listIcon = 3;
    } else if (session.documents.beeListMade && k.kind == 8) {
        f.listType = strings::kListTypeBlank;
        f.source = strings::kSourceBeeFile;
        f.listIcon = 2;
    } else {
        if (k.kind == 4 || k.kind == 8)
            k.kind = 0;
        f.source = strings::kSourceDictionary;
        f.listIcon = 1;
        // "Review due" is kept beside the record and stands in for its list type while set.
        if (reviewListChosen(session.programFolder, user)) {
            f.listType = strings::kListTypeReview;
        } else {
            switch (ListSetup::read(info, user).type) {
            case ListType::Failures:
                f.listType = strings::kListTypeFailures;
                break;
            case ListType::Predefined:
                f.listType = strings::kListTypePredefined;
                break;
            case ListType::OneLetter:
                f.listType = strings::kListTypeOneLetter;
                break;
            default:
                f.listType = strings::kListTypeRandom;
                break;
            }
        }
    }
    if (options.showLanguageFlag)
        f.languageImage = options.language == Language::UK ? 0 : 1;
    else
        f.languageImage = 2;
    f.listSize = setup.listSize;
    f.wordFilter = strings::wordFilterText(setup.minLetters, setup.maxLetters);
    f.soundImage = info.soundOn(user) ? 1 : 0;
    f.wordCount = k.kind != 0 ? std::to_string(k.count).substr(0, 3) : "0";
    const std::optional<std::size_t> due = reviewDueCount(info.dataFolder(), user, now);
    f.reviewDue
        = due ? strings::kReviewDueCount + std::to_string(*due) : strings::kReviewDueUnknown;
    return f;
}

} // namespace quorvel
