#include "dictionary/category_setup.h"

#include "app/session.h"
#include "dictionary/dictionary_file.h"
#include "dictionary/dictionary_ops.h"
#include "dictionary/dictionary_pass.h"
#include "strings/app_strings.h"
#include "strings/category_strings.h"
#include "strings/settings_strings.h"
#include "strings/strings.h"
#include "strings/users_strings.h"

#include <cstdio>
#include <vector>

namespace quorvel {
namespace {

bool isFree(const std::string& name)
{
    return name == strings::kFreeCategory; // case matters: "free" is a name like any other
}

bool validSlot(int slot)
{
    return slot > 0 && slot < kCategorySlots;
}

// Moves or removes one word; false when the file failed and the transfer must stop.
bool transferWord(
    File& file, const std::string& word, int to, CategoryTransferMode mode, CategoryTransfer& out)
{
    CurrentWordInfo info;
    const FindResult found = FindWord(file, word, info);
    if (found == FindResult::FileError) {
        out.fileError = true;
        return false;
    }
    if (!isFound(found)) {
        ++out.unsuccessful;
        return true;
    }
    if (mode == CategoryTransferMode::Move) {
        info.setCategory(static_cast<std::uint16_t>(to));
        const AmendResult r = AmendWord(file, word, true, info);
        if (r == AmendResult::FileError) {
            out.fileError = true;
            return false;
        }
        ++(r == AmendResult::Amended ? out.successful : out.unsuccessful);
        return true;
    }
    if (info.soundIndex() != 0) {
        // The link goes first; the recording itself stays where it is.
        info.setSoundIndex(0);
        const AmendResult r = AmendWord(file, word, true, info);
        if (r == AmendResult::FileError) {
            out.fileError = true;
            return false;
        }
        if (r != AmendResult::Amended) {
            ++out.unsuccessful;
            return true;
        }
    }
    const RemoveResult r = RemoveWord(file, word);
    if (r == RemoveResult::FileError) {
        out.fileError = true;
        return false;
    }
    ++(r == RemoveResult::Removed ? out.successful : out.unsuccessful);
    return true;
}

void setName(CategorySetupValues& names, Session& session, int slot, const std::string& name)
{
    session.info.setCategoryName(slot, name);
    names.names[static_cast<std::size_t>(slot)] = name;
}

bool confirmed(Prompter& prompter, const char* caption)
{
    return prompter.show(
               strings::kCategoryAreYouSure, caption, MessageIcon::Question, MessageButtons::YesNo)
        == MessageAnswer::Yes;
}

void refuse(Prompter& prompter, const char* text)
{
    prompter.show(text, strings::kInformation, MessageIcon::Information);
}

// The message that refuses a name typed for New or Rename, or nothing when it will do.
const char* nameProblem(const std::string& text)
{
    if (text.empty() || text == strings::defaultCategoryName(0))
        return strings::kCategoryNeedsCharacter;
    if (text.size() > static_cast<std::size_t>(kCategoryNameMaxLength))
        return strings::kCategoryNameLength; // the slot holds no more
    return nullptr;
}

} // namespace

CategoryTransfer transferCategoryWords(
    StartupInfo& info, int from, int to, CategoryTransferMode mode)
{
    CategoryTransfer out;
    if (!validSlot(from) || (mode == CategoryTransferMode::Move && !validSlot(to))) {
        out.fileError = true; // no such category: nothing was done
        return out;
    }
    DictionaryHandle file = OpenDictionary(info);
    if (!file) {
        out.openFailed = true;
        return out;
    }
    // The words are gathered first and then moved one by one: every move changes the chains the
    // walk would be following.
    std::vector<std::string> words;
    const std::uint32_t table = ReadTableOffset(*file, Table::Category);
    bool walked = table != dict::kNoOffset;
    if (walked) {
        walked = forEachRecord(*file, table, true,
            [&](std::uint32_t slot, std::uint32_t, const WordRecordHeader& header,
                std::string_view text) {
                if (header.category() != from)
                    return true;
                char letters[2];
                if (!BucketLetters(slot, letters))
                    return false;
                words.push_back(std::string(letters, 2) + std::string(text));
                return true;
            });
    }
    // Damage met on the way stops the transfer after the words read before it, as a failure.
    if (!walked)
        out.fileError = true;
    for (const std::string& word : words) {
        if (!transferWord(*file, word, to, mode, out))
            break;
    }
    const bool synced = file->sync();
    if (!CloseDictionary(file) || !synced)
        out.fileError = true;
    return out;
}

Notice categoryTransferNotice(const CategoryTransfer& transfer)
{
    char text[200];
    std::snprintf(text, sizeof text, strings::kTransferCountFormat, strings::kTransferSuccessful,
        transfer.successful, strings::kTransferUnsuccessful, transfer.unsuccessful);
    return { text, strings::kDictionaryCount, MessageIcon::Information };
}

CategoryTransfer TransferCategory(StartupInfo& info, int from, int to, CategoryTransferMode mode,
    Prompter& prompter, const BusyHook& busy)
{
    BusyScope scope(busy);
    const CategoryTransfer transfer = transferCategoryWords(info, from, to, mode);
    scope.end();
    if (transfer.openFailed) {
        prompter.show(
            strings::kUnableToOpenDictionaryLower, strings::kInformation, MessageIcon::Information);
        return transfer;
    }
    const Notice notice = categoryTransferNotice(transfer);
    prompter.show(notice.text, notice.caption, notice.icon);
    return transfer;
}

CategorySetupValues categorySetupOpening(const StartupInfo& info)
{
    CategorySetupValues values;
    for (int slot = 0; slot < kCategorySlots; ++slot)
        values.names[static_cast<std::size_t>(slot)] = info.categoryName(slot);
    values.from = 1;
    values.to = 1;
    values.fromText = values.names[1];
    return values;
}

CategoryActionResult applyCategoryAction(Session& session, CategoryAction action,
    const CategorySetupValues& values, Prompter& prompter, const BusyHook& busy)
{
    CategoryActionResult result;
    const int from = values.from;
    const int to = values.to;
    // The main dictionary is never the category an action starts from.
    if (!validSlot(from)) {
        refuse(prompter, strings::kCategorySelectFirst);
        return result;
    }
    CategorySetupValues names = categorySetupOpening(session.info);
    const std::string& fromItem = names.names[static_cast<std::size_t>(from)];
    const std::string& text = values.fromText;

    const auto saveNames = [&] {
        result.namesChanged = true;
        session.saveStartupInfo(prompter, strings::kErrorWritingUserInfo);
    };

    switch (action) {
    case CategoryAction::New:
        if (!isFree(fromItem)) {
            refuse(prompter, strings::kUseRenameForNamed);
            return result;
        }
        if (isFree(text)) {
            refuse(prompter, strings::kCannotNameFree);
            return result;
        }
        if (const char* problem = nameProblem(text)) {
            refuse(prompter, problem);
            return result;
        }
        setName(names, session, from, text);
        saveNames();
        break;

    case CategoryAction::Rename:
        if (isFree(text) || isFree(fromItem)) {
            refuse(prompter, strings::kCannotRenameFree);
            return result;
        }
        if (const char* problem = nameProblem(text)) {
            refuse(prompter, problem);
            return result;
        }
        if (text == fromItem)
            return result; // nothing to change
        setName(names, session, from, text);
        saveNames();
        break;

    case CategoryAction::Move:
    case CategoryAction::Combine: {
        const bool move = action == CategoryAction::Move;
        if (from == to || !validSlot(to)) {
            refuse(prompter, strings::kCategorySelectFirst);
            return result;
        }
        if (!confirmed(prompter,
                move ? strings::kMoveCategoryCaption : strings::kCombineCategoriesCaption))
            return result;
        if (text != fromItem) {
            refuse(prompter, strings::kCategorySelectFirst);
            return result;
        }
        const std::string toItem = names.names[static_cast<std::size_t>(to)];
        if (isFree(text) || isFree(fromItem) || isFree(toItem) != move) {
            refuse(prompter, strings::kCannotMoveFree);
            return result;
        }
        const CategoryTransfer transfer
            = TransferCategory(session.info, from, to, CategoryTransferMode::Move, prompter, busy);
        result.wordsChanged = transfer.successful > 0;
        if (transfer.complete()) {
            const std::string name = fromItem;
            if (move)
                setName(names, session, to, name);
            setName(names, session, from, strings::kFreeCategory);
            // Whoever worked in the category goes on working with its words.
            for (int user = 0; user < kUserSlots; ++user) {
                if (session.info.workingCategory(user) == from)
                    session.info.setWorkingCategory(user, static_cast<std::uint16_t>(to));
            }
            if (session.currentCategory() == from)
                session.setCurrentCategory(to);
            saveNames();
        }
        break;
    }

    case CategoryAction::Delete: {
        if (!confirmed(prompter, strings::kDeleteCategoryCaption))
            return result;
        if (text != fromItem || isFree(text)) {
            refuse(prompter, strings::kCategorySelectFirst);
            return result;
        }
        const CategoryTransfer transfer
            = TransferCategory(session.info, from, 0, CategoryTransferMode::Delete, prompter, busy);
        result.wordsChanged = transfer.successful > 0;
        if (transfer.complete()) {
            setName(names, session, from, strings::kFreeCategory);
            saveNames();
        }
        break;
    }
    }

    if (result.wordsChanged)
        session.noteDictionaryChanged();
    if (result.namesChanged || result.wordsChanged)
        session.publishChanges();
    return result;
}

} // namespace quorvel
