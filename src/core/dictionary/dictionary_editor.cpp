#include "dictionary/dictionary_editor.h"

#include "dictionary/dictionary_file.h"
#include "dictionary/dictionary_ops.h"
#include "dictionary/dictionary_walk.h"
#include "dictionary/word_sounds.h"
#include "drill/word_file.h"
#include "platform/paths.h"
#include "sound/sound_names.h"
#include "strings/editor_strings.h"
#include "strings/strings.h"
#include "users/user_rules.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvel {

namespace {

std::string taken(const std::string& word)
{
    return word.substr(0, kEditorWordMax);
}

// The word in capitals when it is suitable for the dictionary.
std::optional<std::string> suitable(const std::string& word)
{
    std::string w = taken(word);
    if (!CheckWord(w))
        return std::nullopt;
    return w;
}

bool hasWavExtension(const std::string& path, bool* hasExtension = nullptr)
{
    const std::size_t slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    const bool any = dot != std::string::npos && dot + 1 < name.size();
    if (hasExtension)
        *hasExtension = any;
    if (!any)
        return false;
    std::string extension = name.substr(dot + 1);
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension == "wav";
}

bool makeFolder(const std::string& folder)
{
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    return std::filesystem::is_directory(folder, ec);
}

std::string withPath(const char* text, const std::string& path)
{
    return std::string(text) + "\r\n" + path;
}

} // namespace

DictionaryEditor::DictionaryEditor(
    const StartupInfo& info, int currentUser, Prompter& prompter, RandomSource& random)
    : m_info(info)
    , m_currentUser(currentUser >= 0 && currentUser < kUserSlots ? currentUser : 0)
    , m_prompter(prompter)
    , m_random(random)
{ }

std::string DictionaryEditor::dictionaryPath() const
{
    return paths::dictionaryFile(m_info.dictionaryFolder());
}

std::string DictionaryEditor::waveformRoot() const
{
    return paths::waveformFolder(m_info.dictionaryFolder());
}

std::string DictionaryEditor::newWaveFolder() const
{
    return paths::myDataFolder(m_info.dictionaryFolder(), "newwave");
}

std::string DictionaryEditor::oldWaveFolder() const
{
    return paths::myDataFolder(m_info.dictionaryFolder(), "oldwave");
}

void DictionaryEditor::inform(const std::string& text, const char* caption)
{
    m_prompter.show(text, caption,
        caption == strings::kInformation ? MessageIcon::Information : MessageIcon::Exclamation);
}

EditorEffects DictionaryEditor::fileError()
{
    m_prompter.show(
        strings::kUnableToOpenDictionary, strings::kInformation, MessageIcon::Information);
    EditorEffects effects;
    effects.close = true;
    return effects;
}

EditorEffects DictionaryEditor::open(bool soundCard)
{
    m_word = CurrentWordInfo();
    m_word.setAddedMarker(0);
    m_word.setLanguage(3);
    m_word.setSoundFlag(0);
    m_word.setMediaFlag(1);
    m_word.setCategory(m_info.workingCategory(m_currentUser));
    m_view = EditorView();
    m_view.category = m_word.category();
    m_view.language = m_word.language();
    m_view.soundFlag = m_word.soundFlag();
    m_view.mediaFlag = m_word.mediaFlag();
    m_view.user = m_currentUser;
    m_view.defaultAction = EditorAction::Search;
    refreshStatusLine();

    m_soundOn = m_info.soundOn(m_currentUser) != 0;
    m_soundDisabled = !soundCard;
    if (m_soundDisabled && m_soundOn)
        inform(strings::kEditorNoSoundCard, strings::kWarningPlain);

    DictionaryHandle file = openDictionaryFile(dictionaryPath(), false);
    if (!file)
        return fileError();
    fillListFrom(*file, "AARDVARK");
    if (!CloseDictionary(file))
        return fileError();
    return {};
}

void DictionaryEditor::fillListFrom(File& file, const std::string& word)
{
    std::string w = taken(word);
    if (!CheckWord(w))
        return; // the list stays as it is
    ListCriteria criteria;
    criteria.category = m_word.category();
    criteria.filterMode = 2;
    criteria.minText = 1;
    criteria.maxText = 36;
    criteria.skipMismatch = 1;
    const Table table = criteria.category != 0 ? Table::Category : Table::Main;
    WalkLap lap = walkOneLap(file, criteria, table, w, m_currentUser, kEditorListCount);
    m_view.list = std::move(lap.words);
}

void DictionaryEditor::markChanged()
{
    if (m_changed)
        return;
    m_changed = true;
    // The saved last lists point at records that may have moved: each user makes a new one.
    std::string failed;
    if (!invalidateAllWordFiles(m_info.dataFolder(), &failed))
        inform(withPath(strings::kListsNotMarked, failed), strings::kWarning);
}

void DictionaryEditor::refreshStatusLine()
{
    // Nothing to show before a word was found.
    if (m_shownWord.empty()) {
        m_view.statusLine.clear();
        return;
    }
    m_view.statusLine = std::string(strings::kEditorStatusPrefix) + " "
        + strings::wordStatusName(m_word.status(m_view.user));
}

void DictionaryEditor::refreshSoundStatus()
{
    m_view.soundStatus.clear();
    if (m_soundIndex == 0)
        return;
    if (const auto prefix = waveformPrefix(m_shownWord))
        m_view.soundStatus = waveformFileName(*prefix, m_soundIndex).value_or(std::string());
}

void DictionaryEditor::showWord(const std::string& word)
{
    m_shownWord = word;
    refreshStatusLine();
    m_view.category = m_word.category();
    const int language = m_word.language();
    if (language >= 1 && language <= 3)
        m_view.language = language;
    m_soundIndex = m_word.soundIndex() > 10000 ? 0 : m_word.soundIndex();
    if (m_word.soundFlag() < 2)
        m_view.soundFlag = m_word.soundFlag();
    if (m_word.mediaFlag() < 2)
        m_view.mediaFlag = m_word.mediaFlag();
    m_view.addedMarker = m_word.addedMarker();
    refreshSoundStatus();
}

std::optional<std::string> DictionaryEditor::linkedPath() const
{
    return wordRecordingPath(waveformRoot(), m_shownWord, m_soundIndex);
}

std::optional<std::string> DictionaryEditor::playableLinked() const
{
    if (m_soundDisabled || !m_soundOn || m_soundIndex == 0)
        return std::nullopt;
    const auto made = linkedPath();
    if (!made)
        return std::nullopt;
    return findWordRecording(waveformRoot(), m_shownWord, m_soundIndex).value_or(*made);
}

// ---- Word actions ---------------------------------------------------------------------------

EditorEffects DictionaryEditor::add(const std::string& word)
{
    m_view.defaultAction = EditorAction::Add;
    const std::string w = taken(word);
    m_view.word = w;
    DictionaryHandle file = openDictionaryFile(dictionaryPath(), false);
    if (!file)
        return fileError();
    const AddResult r = AddWord(*file, w, m_word);
    switch (r) {
    case AddResult::Added:
        m_view.result = strings::kInserted;
        fillListFrom(*file, w);
        break;
    case AddResult::AlreadyThere:
        m_view.result = strings::kAlreadyInDictionary;
        break;
    case AddResult::NotSuitable:
        m_view.result = strings::kWordNotSuitable;
        break;
    case AddResult::FileError:
        return fileError();
    }
    if (!CloseDictionary(file))
        return fileError();
    if (r == AddResult::Added)
        markChanged();
    return {};
}

EditorEffects DictionaryEditor::search(const std::string& word)
{
    m_view.defaultAction = EditorAction::Search;
    const std::string w = word.size() < 2 ? std::string("AAA") : taken(word);
    m_view.word = w;
    DictionaryHandle file = openDictionaryFile(dictionaryPath(), false);
    if (!file)
        return fileError();
    EditorEffects effects;
    std::string upper = w;
    CheckWord(upper);
    const FindResult found = FindWord(*file, w, m_word);
    switch (found) {
    case FindResult::InMain:
    case FindResult::InCategory: {
        m_view.result
            = found == FindResult::InMain ? strings::kFoundInMain : strings::kFoundInCategory;
        showWord(upper);
        effects.play = playableLinked();
        fillListFrom(*file, upper);
        break;
    }
    case FindResult::NotSuitable:
        m_view.result = strings::kWordNotSuitable;
        break;
    case FindResult::NotFound:
        m_view.result = strings::kWordNotFound;
        fillListFrom(*file, upper);
        break;
    case FindResult::FileError:
        return fileError();
    }
    if (!CloseDictionary(file))
        return fileError();
    return effects;
}

EditorEffects DictionaryEditor::amend(const std::string& word)
{
    m_view.defaultAction = EditorAction::Amend;
    const std::string w = taken(word);
    m_view.word = w;
    DictionaryHandle file = openDictionaryFile(dictionaryPath(), false);
    if (!file)
        return fileError();
    // A word that moves between the main dictionary and a category keeps its recording: without
    // its index the moved record would leave the file in the waveform folder with nothing
    // pointing at it.
    CurrentWordInfo stored;
    const FindResult before = FindWord(*file, w, stored);
    if (before == FindResult::FileError)
        return fileError();
    if (isFound(before))
        m_word.setSoundIndex(stored.soundIndex());
    ChangeNotes notes;
    const AmendResult r
        = isFound(before) ? AmendWord(*file, w, true, m_word, &notes) : AmendResult::NotFound;
    if (r == AmendResult::FileError) {
        if (notes.unlinked)
            markChanged();
        return fileError();
    }
    if (r == AmendResult::Amended) {
        m_view.result = strings::kAmended;
        std::string upper = w;
        CheckWord(upper);
        if (FindWord(*file, upper, m_word) == FindResult::FileError)
            return fileError();
        showWord(upper);
        fillListFrom(*file, upper);
    } else {
        m_view.result = strings::kWordNotSuitable;
    }
    if (!CloseDictionary(file))
        return fileError();
    if (r == AmendResult::Amended)
        markChanged();
    return {};
}

EditorEffects DictionaryEditor::erase(const std::string& word)
{
    m_view.defaultAction = EditorAction::Erase;
    const std::string w = taken(word);
    m_view.word = w;
    DictionaryHandle file = openDictionaryFile(dictionaryPath(), false);
    if (!file)
        return fileError();
    ChangeNotes notes;
    const RemoveResult r = RemoveWord(*file, w, &notes);
    switch (r) {
    case RemoveResult::Removed: {
        m_view.result = strings::kRemoved;
        // The word's statuses and sound went with it; the word field keeps it for Add.
        m_shownWord.clear();
        m_soundIndex = 0;
        m_view.addedMarker = false;
        refreshStatusLine();
        refreshSoundStatus();
        std::string upper = w;
        CheckWord(upper);
        fillListFrom(*file, upper);
        break;
    }
    case RemoveResult::NotSuitable:
        m_view.result = strings::kWordNotSuitable;
        break;
    case RemoveResult::SoundLinked:
        inform(strings::kSoundStillLinked, strings::kWarningPlain);
        break;
    case RemoveResult::NotFound:
        m_view.result = strings::kUnableToRemove;
        break;
    case RemoveResult::FileError:
        if (notes.unlinked)
            markChanged();
        return fileError();
    }
    if (!CloseDictionary(file))
        return fileError();
    if (r == RemoveResult::Removed)
        markChanged();
    return {};
}

EditorEffects DictionaryEditor::repeatDefault(const std::string& word)
{
    switch (m_view.defaultAction) {
    case EditorAction::Add:
        return add(word);
    case EditorAction::Erase:
        return erase(word);
    case EditorAction::Amend:
        return amend(word);
    case EditorAction::Search:
        break;
    }
    return search(word);
}

EditorEffects DictionaryEditor::selectListWord(const std::string& word)
{
    m_view.word = taken(word);
    DictionaryHandle file = openDictionaryFile(dictionaryPath(), false);
    if (!file)
        return fileError();
    EditorEffects effects;
    std::string upper = m_view.word;
    CheckWord(upper);
    const FindResult r = FindWord(*file, upper, m_word);
    if (r == FindResult::FileError)
        return fileError();
    if (isFound(r)) {
        showWord(upper);
        effects.play = playableLinked();
    }
    if (!CloseDictionary(file))
        return fileError();
    return effects;
}

void DictionaryEditor::chooseUser(int user)
{
    if (user < 0 || user >= kUserSlots)
        return;
    m_view.user = user;
    refreshStatusLine();
}

bool DictionaryEditor::chooseCategory(int category)
{
    if (category < 0 || category >= kCategorySlots)
        return false;
    if (isFreeCategory(m_info, category)) {
        inform(strings::kCannotSelectUnnamed, strings::kWarningPlain);
        m_view.category = m_word.category();
        return false;
    }
    m_word.setCategory(static_cast<std::uint16_t>(category));
    m_view.category = category;
    return true;
}

void DictionaryEditor::setLanguage(int language)
{
    if (language < 1 || language > 3)
        return;
    m_word.setLanguage(static_cast<std::uint16_t>(language));
    m_view.language = language;
}

void DictionaryEditor::setSoundFlag(int flag)
{
    if (flag < 0 || flag > 1)
        return;
    m_word.setSoundFlag(static_cast<std::uint16_t>(flag));
    m_view.soundFlag = flag;
}

void DictionaryEditor::setMediaFlag(int flag)
{
    if (flag < 0 || flag > 1)
        return;
    m_word.setMediaFlag(static_cast<std::uint16_t>(flag));
    m_view.mediaFlag = flag;
}

// ---- Sound actions --------------------------------------------------------------------------

bool DictionaryEditor::acceptWaveform(const std::string& path)
{
    bool hasExtension = false;
    const bool wav = hasWavExtension(path, &hasExtension);
    if (!hasExtension) {
        inform(strings::kMustHaveWavExtension, strings::kInformation);
        return false;
    }
    if (!wav) {
        inform(strings::kOnlyWaveforms, strings::kInformation);
        return false;
    }
    if (!isWaveFile(path)) {
        inform(withPath(strings::kNotAWaveform, path), strings::kInformation);
        return false;
    }
    m_view.waveformField = path;
    return true;
}

EditorEffects DictionaryEditor::closeAfter(DictionaryHandle& file)
{
    return CloseDictionary(file) ? EditorEffects() : fileError();
}

DictionaryHandle DictionaryEditor::openForSound(
    const std::string& word, const char* notThere, std::string& upper, EditorEffects& ended)
{
    const auto w = suitable(word);
    if (!w) {
        m_view.result = strings::kWordNotSuitable;
        return nullptr;
    }
    m_view.word = taken(word);
    DictionaryHandle file = openDictionaryFile(dictionaryPath(), false);
    if (!file) {
        ended = fileError();
        return nullptr;
    }
    switch (findForSound(*file, *w, notThere)) {
    case Found::Failed:
        ended = fileError();
        return nullptr;
    case Found::No:
        ended = closeAfter(file);
        return nullptr;
    case Found::Yes:
        break;
    }
    upper = *w;
    return file;
}

DictionaryEditor::Found DictionaryEditor::findForSound(
    File& file, const std::string& word, const char* notThere)
{
    switch (FindWord(file, word, m_word)) {
    case FindResult::InMain:
    case FindResult::InCategory:
        showWord(word);
        return Found::Yes;
    case FindResult::NotSuitable:
        m_view.result = strings::kWordNotSuitable;
        return Found::No;
    case FindResult::NotFound:
        inform(notThere, strings::kInformation);
        return Found::No;
    case FindResult::FileError:
        break;
    }
    return Found::Failed;
}

AmendResult DictionaryEditor::storeSound(File& file, const std::string& word, int flag, int index)
{
    m_word.setSoundFlag(static_cast<std::uint16_t>(flag));
    m_word.setSoundIndex(static_cast<std::uint16_t>(index));
    const AmendResult r = AmendWord(file, word, true, m_word);
    if (r == AmendResult::Amended) {
        CurrentWordInfo stored;
        if (isFound(FindWord(file, word, stored)))
            m_word = stored;
        showWord(word);
    }
    return r;
}

EditorEffects DictionaryEditor::link(const std::string& word)
{
    std::string w;
    EditorEffects ended;
    DictionaryHandle file = openForSound(word, strings::kFirstAddWord, w, ended);
    if (!file)
        return ended;
    if (m_soundIndex != 0) {
        inform(strings::kDeleteOldSoundFirst, strings::kInformation);
        return closeAfter(file);
    }
    const std::string source = m_view.waveformField;
    struct stat st
    { };
    if (source.empty() || ::stat(source.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        inform(withPath(strings::kUnableToMoveWaveform, source), strings::kInformation);
        return closeAfter(file);
    }
    if (!isWaveFile(source)) {
        inform(withPath(strings::kNotAWaveform, source), strings::kInformation);
        return closeAfter(file);
    }

    const auto prefix = waveformPrefix(w);
    const auto subfolder = waveformSubfolder(w);
    const std::string root = waveformRoot();
    // An existing subfolder is used whatever its case; a new one is named as the program names it.
    std::string folder;
    if (subfolder) {
        folder = findIgnoringCase(root, *subfolder).value_or(paths::join(root, *subfolder));
    }
    auto taken = [&](int index) {
        const auto name = prefix ? waveformFileName(*prefix, index) : std::nullopt;
        return name && !folder.empty() && findIgnoringCase(folder, *name).has_value();
    };
    const SoundIndexChoice choice = chooseSoundIndex(*file, m_word.category(), w, m_random, taken);
    if (choice.outcome == SoundIndexCheck::FileError)
        return fileError();
    if (choice.outcome != SoundIndexCheck::Free) {
        inform(strings::kNoSpareIndex, strings::kInformation);
        return closeAfter(file);
    }
    const auto name = prefix ? waveformFileName(*prefix, choice.index) : std::nullopt;
    if (!name) {
        inform(strings::kNoValidFileName, strings::kInformation);
        return closeAfter(file);
    }
    if (folder.empty() || !makeFolder(folder)) {
        inform(strings::kNoWaveformFolder, strings::kInformation);
        return closeAfter(file);
    }
    const std::string target = paths::join(folder, *name);
    int error = 0;
    if (moveFileNoReplace(source, target, &error) != FileMove::Moved) {
        inform(withPath(strings::kUnableToMoveWaveform, folder) + "\r\n" + std::strerror(error),
            strings::kInformation);
        return closeAfter(file);
    }
    const AmendResult r = storeSound(*file, w, 1, choice.index);
    const bool closed = CloseDictionary(file);
    if (r != AmendResult::Amended) {
        // Nothing points at the recording: it goes back where it came from rather than lie in
        // the waveform folder unknown.
        m_word.setSoundIndex(0);
        m_word.setSoundFlag(0);
        if (moveFileNoReplace(target, source) == FileMove::Moved)
            inform(withPath(strings::kLinkUndone, source), strings::kWarning);
        else
            inform(withPath(strings::kLinkNotUndone, target), strings::kWarning);
        return {};
    }
    m_view.waveformField.clear();
    if (!closed)
        return fileError();
    return {};
}

EditorEffects DictionaryEditor::unlink(const std::string& word)
{
    std::string w;
    EditorEffects ended;
    DictionaryHandle file = openForSound(word, strings::kFirstAddWord, w, ended);
    if (!file)
        return ended;
    const bool readOnlyMedia = m_word.mediaFlag() == 0;
    if (readOnlyMedia)
        inform(strings::kWaveformOnCd, strings::kInformation);
    if (m_soundIndex == 0) {
        inform(strings::kNoSoundToUnlink, strings::kInformation);
        return closeAfter(file);
    }
    if (m_prompter.show(strings::kUnlinkQuestion, strings::kWarningPlain, MessageIcon::Question,
            MessageButtons::YesNo)
        != MessageAnswer::Yes)
        return closeAfter(file);
    const auto made = linkedPath();
    if (!made) {
        inform(strings::kNoValidFileName, strings::kWarningPlain);
        return closeAfter(file);
    }
    // The recording moves to oldwave under its own name, or a numbered one beside an older file
    // of that name. A recording that is not there any more has nothing to move.
    std::optional<std::string> moved;
    std::string from;
    if (const auto existing = findWordRecording(waveformRoot(), w, m_soundIndex)) {
        from = *existing;
        const std::string folder = oldWaveFolder();
        const std::string name = std::filesystem::path(*made).filename().string();
        const std::string target = paths::join(folder, unusedNameIn(folder, name));
        int error = 0;
        if (makeFolder(folder) && moveFileNoReplace(from, target, &error) == FileMove::Moved) {
            moved = target;
        } else {
            inform(strings::kUnableToMoveWaveform, strings::kInformation);
            // A recording on read-only media stays where it is and the word lets go of it; one
            // that should have moved keeps its link rather than be left behind unknown.
            if (!readOnlyMedia)
                return closeAfter(file);
        }
    }
    const int index = m_soundIndex;
    const AmendResult r = storeSound(*file, w, 0, 0);
    const bool closed = CloseDictionary(file);
    if (r != AmendResult::Amended) {
        m_word.setSoundIndex(static_cast<std::uint16_t>(index));
        if (moved && moveFileNoReplace(*moved, from) != FileMove::Moved)
            inform(withPath(strings::kLinkNotUndone, *moved), strings::kWarning);
        else
            inform(strings::kUnableToAmendSound, strings::kInformation);
        return {};
    }
    return closed ? EditorEffects() : fileError();
}

EditorEffects DictionaryEditor::deleteSound(const std::string& word)
{
    std::string w;
    EditorEffects ended;
    DictionaryHandle file = openForSound(word, strings::kNoWordToDeleteSound, w, ended);
    if (!file)
        return ended;
    if (m_word.mediaFlag() == 0) {
        inform(strings::kCannotDeleteOnCd, strings::kInformation);
        return closeAfter(file);
    }
    if (m_soundIndex == 0)
        return closeAfter(file);
    if (m_prompter.show(strings::kDeleteSoundQuestion, strings::kWarningPlain,
            MessageIcon::Question, MessageButtons::YesNo)
        != MessageAnswer::Yes)
        return closeAfter(file);
    if (const auto existing = findWordRecording(waveformRoot(), w, m_soundIndex)) {
        if (::unlink(existing->c_str()) != 0
            && m_prompter.show(strings::kUnableToRemoveWaveform, strings::kWarningPlain,
                   MessageIcon::Question, MessageButtons::YesNo)
                != MessageAnswer::Yes)
            return closeAfter(file);
    }
    const AmendResult r = storeSound(*file, w, 0, 0);
    if (r == AmendResult::FileError)
        inform(strings::kUnableToAmendSound, strings::kInformation);
    else if (r != AmendResult::Amended)
        m_view.result = strings::kWordNotSuitable;
    return closeAfter(file);
}

EditorEffects DictionaryEditor::playLinked()
{
    refreshSoundStatus();
    EditorEffects effects;
    if (m_soundDisabled && !m_soundOn)
        return effects;
    const auto made = m_soundIndex != 0 ? linkedPath() : std::nullopt;
    if (!made) {
        effects.beep = true;
        return effects;
    }
    effects.play = playableLinked();
    return effects;
}

EditorEffects DictionaryEditor::playSelected() const
{
    EditorEffects effects;
    const std::string& path = m_view.waveformField;
    if (!hasWavExtension(path) || path.size() < 5) {
        effects.beep = true;
        return effects;
    }
    if (m_soundOn && !m_soundDisabled)
        effects.play = path;
    return effects;
}

} // namespace quorvel
