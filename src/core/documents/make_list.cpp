#include "documents/make_list.h"

#include "config/startup_info.h"
#include "drill/drill_settings.h"
#include "drill/word_file.h"
#include "strings/document_strings.h"
#include "strings/strings.h"

#include <algorithm>
#include <new>

namespace quorvel {

namespace {

// Letters of any script, and the marks that accent a letter written as two characters.
bool isWordChar(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80)
        return (u | 0x20) >= 'a' && (u | 0x20) <= 'z';
    return c.isLetter() || c.isMark();
}

// A token of plain letters A to Z (either case) as capitals, or empty when it holds anything
// else: an accented letter makes the whole word unusable, it is not cut out.
std::string plainCapitals(const QChar* begin, qsizetype length)
{
    std::string word(static_cast<std::size_t>(length), '\0');
    for (qsizetype i = 0; i < length; ++i) {
        const char16_t u = begin[i].unicode();
        if (u >= 'a' && u <= 'z')
            word[static_cast<std::size_t>(i)] = static_cast<char>(u - 'a' + 'A');
        else if (u >= 'A' && u <= 'Z')
            word[static_cast<std::size_t>(i)] = static_cast<char>(u);
        else
            return {};
    }
    return word;
}

} // namespace

TextListSettings TextListSettings::read(const StartupInfo& info, int user)
{
    const ListSetup setup = ListSetup::read(info, user);
    TextListSettings s;
    if (setup.listSize != 0)
        s.listSize = setup.listSize;
    if (setup.minLetters != 0)
        s.minLetters = setup.minLetters;
    if (setup.maxLetters != 0)
        s.maxLetters = setup.maxLetters;
    return s;
}

std::vector<std::string> extractListWords(
    const QString& text, TextSelection where, const TextListSettings& settings)
{
    std::vector<std::string> words;
    const qsizetype length = text.size();
    if (length == 0)
        return words;

    qsizetype from = 0, to = length;
    if (where.start != where.end) {
        from = std::clamp(std::min(where.start, where.end), qsizetype(0), length);
        to = std::clamp(std::max(where.start, where.end), qsizetype(0), length);
    } else {
        // A caret within the last minimum-length characters takes the whole text, so that a
        // caret left at the end of a freshly typed list still makes a list of it.
        const qsizetype caret = std::clamp(where.start, qsizetype(0), length);
        if (caret <= length - settings.minLetters)
            from = caret;
    }

    // The scan ends at the list size, or at the first word beyond the most a list can hold.
    const long long stopAt = std::min<long long>(settings.listSize, kMaxTextListWords + 1);
    if (stopAt <= 0)
        return words;
    const QChar* chars = text.constData();
    qsizetype i = from;
    while (i < to) {
        if (chars[i].isNull())
            break; // the end of the text an editor holds
        if (!isWordChar(chars[i])) {
            ++i;
            continue;
        }
        const qsizetype start = i;
        while (i < to && isWordChar(chars[i]))
            ++i;
        const qsizetype n = i - start;
        if (n >= kTooLongToken || n < settings.minLetters || n > settings.maxLetters || n < 3)
            continue;
        std::string word = plainCapitals(chars + start, n);
        if (word.empty() || std::find(words.begin(), words.end(), word) != words.end())
            continue;
        words.push_back(std::move(word));
        if (static_cast<long long>(words.size()) >= stopAt)
            break;
    }
    return words;
}

MakeListOutcome MakeListFromText(const QString& text, TextSelection where, ListType source,
    const StartupInfo& info, int user, DocumentState& documents)
{
    MakeListOutcome outcome;
    const int state
        = source == ListType::ScrapPad ? ListState::kFreshScrapPad : ListState::kFreshWindow;
    try {
        const TextListSettings settings = TextListSettings::read(info, user);
        std::vector<std::string> words = extractListWords(text, where, settings);
        // The list is made whole before the word file is touched, so no list leaves the user's
        // last list as it was (a list from the other source stays usable, and Repeat and the
        // reports keep the list that was drilled): only its mark for this source goes.
        if (!words.empty() && words.size() <= std::size_t(kMaxTextListWords)) {
            WordListImage list;
            list.state = state;
            list.listType = static_cast<int>(source);
            list.askedCount = std::clamp(settings.listSize, 0, 0xFFFF);
            for (const std::string& w : words) {
                WordFileRecord r;
                r.word = w;
                list.records.push_back(std::move(r));
            }
            if (saveWordList(info.dataFolder(), user, list)) {
                outcome.result = MakeListResult::kMade;
                outcome.words = std::move(words);
            } else {
                outcome.result = MakeListResult::kWordFileNotWritten;
            }
        }
    } catch (const std::bad_alloc&) {
        outcome = {};
        outcome.result = MakeListResult::kOutOfMemory;
    }
    documents.listMadeFromText(source, outcome.result == MakeListResult::kMade);
    return outcome;
}

MakeListMessage makeListMessage(int result)
{
    switch (result) {
    case MakeListResult::kMade:
        return {};
    case MakeListResult::kWordFileNotWritten:
        return { strings::kNoListProduced, strings::kUnableToWriteWordFile };
    case MakeListResult::kOutOfMemory:
        return { strings::kWarning, strings::kOutOfMemory };
    default:
        return { strings::kNoListProduced, strings::kUnableToProduceList };
    }
}

} // namespace quorvel
