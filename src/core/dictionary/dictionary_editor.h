#pragma once

// The dictionary editor's logic, without widgets: looking up, adding, amending and erasing one
// word, the twenty-word list from the word on, the status line of a chosen user, and the word's
// recorded sound (link, unlink, delete, play). Each action opens the dictionary, does one thing
// and closes it again. The dialog hands in what was typed and clicked, shows `view()` after every
// call and carries out the returned effects (play a file, beep, close).

#include "config/startup_info.h"
#include "dictionary/current_word_info.h"
#include "dictionary/dict_results.h"
#include "dictionary/dictionary_file.h"
#include "platform/file.h"
#include "platform/services.h"

#include <optional>
#include <string>
#include <vector>

namespace quorvel {

// The word field takes this many characters; the list shows this many words.
inline constexpr int kEditorWordMax = 37;
inline constexpr std::size_t kEditorListCount = 20;

enum class EditorAction
{
    Add = 1,
    Search = 2,
    Erase = 3,
    Amend = 4,
};

// Everything the dialog shows.
struct EditorView
{
    std::string word; // the word field (set when an action or a list choice changes it)
    std::string result; // the result line
    std::vector<std::string> list; // up to 20 words of the category
    int category = 0;
    int language = 3; // 1 UK, 2 USA, 3 both
    int soundFlag = 0;
    int mediaFlag = 1;
    int addedMarker = 0;
    int user = 0; // whose status the status line shows
    std::string statusLine; // "Status: Neutral"
    std::string soundStatus; // the word's waveform file name, or empty
    std::string waveformField; // the selected waveform's path
    EditorAction defaultAction = EditorAction::Search;
};

// What the dialog has to do after an action.
struct EditorEffects
{
    bool close = false; // the dictionary failed: its message was shown, the dialog closes
    std::optional<std::string> play; // a wave file to play
    bool beep = false;
};

class DictionaryEditor
{
public:
    // The model reads the record (folders, names, sound switches) and never changes it.
    DictionaryEditor(
        const StartupInfo& info, int currentUser, Prompter& prompter, RandomSource& random);

    // Opening: the current user's working category, the list from AARDVARK. `soundCard`: an
    // output device answered; without one the sound is disabled, with a warning when the user
    // has sound on.
    EditorEffects open(bool soundCard);

    // Word actions; `word` is the word field as it stands (37 characters are taken).
    EditorEffects add(const std::string& word);
    EditorEffects search(const std::string& word);
    EditorEffects amend(const std::string& word);
    EditorEffects erase(const std::string& word);
    // The Enter key: the default action again.
    EditorEffects repeatDefault(const std::string& word);
    // A word chosen in the list.
    EditorEffects selectListWord(const std::string& word);

    // The user combo: the status line follows; nothing else changes.
    void chooseUser(int user);
    // The category combo: false (after the warning) for a category named "Free", which keeps the
    // previous one.
    bool chooseCategory(int category);
    void setLanguage(int language);
    void setSoundFlag(int flag);
    void setMediaFlag(int flag);

    // Sound actions.
    // A path chosen in the file dialog: accepted into the waveform field when it is a .wav file
    // that holds a wave header. False when refused (the message was shown).
    bool acceptWaveform(const std::string& path);
    void setWaveformField(const std::string& path) { m_view.waveformField = path; }
    EditorEffects link(const std::string& word);
    EditorEffects unlink(const std::string& word);
    EditorEffects deleteSound(const std::string& word);
    // Plays the shown word's recording (a beep when it has none).
    EditorEffects playLinked();
    EditorEffects playSelected() const;

    const EditorView& view() const { return m_view; }
    // A word action or a sound action changed the dictionary while the editor was open.
    bool changed() const { return m_changed; }
    bool soundDisabled() const { return m_soundDisabled; }
    bool soundOnForUser() const { return m_soundOn; }

    // Where recordings are kept and made.
    std::string waveformRoot() const; // dictionary folder/waveform/
    std::string newWaveFolder() const; // mydata/newwave
    std::string oldWaveFolder() const; // mydata/oldwave

private:
    enum class Found
    {
        Yes,
        No,
        Failed, // the message was shown; the dialog closes
    };
    std::string dictionaryPath() const;
    EditorEffects fileError();
    void markChanged();
    // Shows the found word's attributes, status and sound.
    void showWord(const std::string& word);
    void refreshStatusLine();
    void refreshSoundStatus();
    // Refills the list from `word` on (a word not in the dictionary starts it at the next one).
    void fillListFrom(File& file, const std::string& word);
    std::optional<std::string> linkedPath() const;
    // The shown word's recording when it may be played now: sound on, a sound card, a link.
    std::optional<std::string> playableLinked() const;
    // Finds the word for a sound action; `notThere` is the message for a word not in the
    // dictionary.
    Found findForSound(File& file, const std::string& word, const char* notThere);
    // The start of every sound action: the word checked and found in the dictionary, opened for
    // writing. Null when the action ends there, with what it returns in `ended`; else `upper`
    // holds the word as the dictionary keeps it.
    DictionaryHandle openForSound(
        const std::string& word, const char* notThere, std::string& upper, EditorEffects& ended);
    // Closes the dictionary: no effects, or the file error when the close failed.
    EditorEffects closeAfter(DictionaryHandle& file);
    // Writes the word's sound flag and index and shows the word again.
    AmendResult storeSound(File& file, const std::string& word, int flag, int index);
    void inform(const std::string& text, const char* caption);

    const StartupInfo& m_info;
    int m_currentUser;
    Prompter& m_prompter;
    RandomSource& m_random;
    CurrentWordInfo m_word;
    std::string m_shownWord; // the word whose sound index and prefix are held
    int m_soundIndex = 0;
    EditorView m_view;
    bool m_changed = false;
    bool m_soundDisabled = false;
    bool m_soundOn = false;
};

} // namespace quorvel
