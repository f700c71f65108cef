#include "app/list_status.h"

#include "app/session.h"
#include "drill/word_file.h"
#include "strings/app_strings.h"

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
    else if (header.state == ListState::kFreshScrapPad && header.listType == ListType::kScrapPad)
        result.kind = 4;
    else if (header.state == ListState::kFreshWindow && header.listType == ListType::kWindow)
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
    const int user = session.currentUser();
    const StartupInfo& info = session.info;
    const ListSetupRecord setup = info.listSetup(user);
    const ListOptionsRecord options = info.listOptions(user);

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
        if (setup.typeFailures == 1)
            f.listType = strings::kListTypeFailures;
        else if (setup.typePredefined == 1)
            f.listType = strings::kListTypePredefined;
        else if (setup.typeOneLetter == 1)
            f.listType = strings::kListTypeOneLetter;
        else
            f.listType = strings::kListTypeRandom;
    }
    if (options.showLanguageFlag == 1)
        f.languageImage = options.languageUK == 1 ? 0 : 1;
    else
        f.languageImage = 2;
    f.listSize = setup.listSize;
    f.wordFilter = strings::wordFilterText(setup.minLetters, setup.maxLetters);
    f.soundImage = info.soundOn(user) ? 1 : 0;
    f.wordCount = k.kind != 0 ? std::to_string(k.count).substr(0, 3) : "0";
    return f;
}

} // namespace quorvel
