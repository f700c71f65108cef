#include "drill/drill_session.h"

#include "config/startup_info.h"
#include "dictionary/dictionary_ops.h"
#include "dictionary/word_sounds.h"
#include "drill/answer_judging.h"
#include "drill/level_adjustment.h"
#include "drill/list_generation.h"
#include "drill/word_picking.h"
#include "help/help_contexts.h"
#include "platform/file_errors.h"
#include "platform/paths.h"
#include "review/review_file.h"
#include "review/review_list.h"
#include "sound/sound_names.h"
#include "strings/drill_strings.h"
#include "strings/review_strings.h"
#include "strings/strings.h"

#include <QFileInfo>

#include <cctype>
#include <optional>
#include <utility>

namespace quorvel {

namespace {

using Kind = DrillEffect::Kind;

constexpr int kStepMs = 10;
constexpr int kInitialTimeLimitMs = 5000;
// Hear only: the pause between the word's two sayings, and after the second.
constexpr int kHearPauseMs = 1500;
// A list of this many words or more tells the front end its progress as it is drawn.
constexpr int kListSizeShowingProgress = 3;
// Four recordings each praise a right answer and console a wrong one.
constexpr unsigned kPraiseVariants = prompt::kSuccessFirst - prompt::kFailedFirst;

bool fileExists(const std::string& path)
{
    return !path.empty() && QFileInfo(QString::fromStdString(path)).isFile();
}

const char* levelName(Level level)
{
    switch (level) {
    case Level::Elementary:
        return strings::kElementary;
    case Level::Intermediate:
        return strings::kIntermediate;
    case Level::Advanced:
        break;
    }
    return strings::kAdvanced;
}

const char* learnModeName(LearnMode mode)
{
    switch (mode) {
    case LearnMode::Flash:
        return strings::kLearnFlash;
    case LearnMode::Ripple:
        return strings::kLearnRipple;
    case LearnMode::Continuous:
        break;
    }
    return strings::kLearnContinuous;
}

int validColourScheme(int scheme)
{
    return scheme >= 0 && scheme < kColourSchemeCount ? scheme : 0;
}

} // namespace

// The machine: its state, and the steps that change it, in the order of a drill. Each call of
// handle collects the effects of one event in m_out.
struct DrillSession::Impl
{
    static constexpr std::size_t kEffectsPerEvent = 12;

    enum class Question
    {
        None,
        Level, // Auto start found no words: move the letters range up or down?
    };

    // What follows once a list has been drawn.
    enum class AfterDraw
    {
        Start, // a pass of the list, or back to idle when there is none
        AutoStart, // a pass of the list, or the level question when there is none
        LevelAnswer, // a pass of the list, or the Auto start's failure when there is none
    };

    // A list being drawn, a word a step.
    struct Drawing
    {
        ListCriteria criteria;
        ListGenerationServices services;
        AfterDraw then;
        std::unique_ptr<DrillListDraw> draw;
    };

    explicit Impl(DrillContext context)
        : ctx(std::move(context))
    { }

    ~Impl()
    {
        m_drawing.reset();
        if (m_wordFile)
            m_wordFile->close();
    }

    // A word answered in the pass running, for the review schedule.
    struct PassAnswer
    {
        std::string word;
        bool right = false;
    };

    DrillContext ctx;
    DrillEffects m_out; // the effects of the event being handled

    DrillSettings m_settings;
    DrillDisplays m_displays;
    DrillAction m_pending = DrillAction::Finish;
    Question m_question = Question::None;
    std::unique_ptr<Drawing> m_drawing;
    bool m_firstPass = false, m_repeatPass = false, m_lastWord = false;
    bool m_soundOn = false, m_learnOn = false, m_failuresToScrapPad = false;
    bool m_repeatAllWords = true, m_closed = false, m_awaitingAnswer = false;
    bool m_scrapPadFailed = false; // reported once in the window's life
    bool m_hearNow = false; // hear only, and the word being presented can be heard
    bool m_hearOnlyExplained = false; // a word shown under hear only was explained once
    bool m_reviewFileFailed = false; // likewise
    // The pass running is the first pass of a "Review due" list: right answers move words up.
    bool m_reviewList = false;
    std::vector<PassAnswer> m_passAnswers;
    ListType m_listType = ListType::Random, m_headerListType = ListType::Random;
    int m_colourScheme = 0, m_light = 0;
    int m_wordsInPass = 0, m_wordsDone = 0, m_correct = 0, m_wordNumber = 0;
    int m_levelPercent = 0, m_lastPercent = 0, m_timeLimit = kInitialTimeLimitMs;
    std::uint32_t m_currentOffset = 0, m_nextOffset = 0;
    std::string m_currentWord, m_answer;
    WordFileRecord m_record;
    std::unique_ptr<WordFile> m_wordFile;
    WordFileHeader m_header; // the header of the list being spelt
    std::vector<MissedWord> m_missed;
    std::vector<WordFileRecord> m_missedRecords; // the same words, as the word file held them
    bool m_summaryReady = false;

    bool passRunning() const { return m_firstPass || m_repeatPass; }

    // --- events --------------------------------------------------------------------------------

    DrillEffects handle(const DrillEvent& event)
    {
        m_out.clear();
        // An event has a handful of effects: room for them at once rather than grown one by one.
        m_out.reserve(kEffectsPerEvent);
        const bool stop
            = event.kind == DrillEvent::Kind::Button && event.button == DrillButton::Stop;
        if (m_drawing) {
            whileDrawing(event);
            return std::exchange(m_out, {});
        }
        // While a question waits for its answer only the answer and Stop count; Stop drops the
        // question.
        if (m_question != Question::None) {
            if (event.kind != DrillEvent::Kind::Answer && !stop)
                return {};
            if (stop)
                m_question = Question::None;
        }
        switch (event.kind) {
        case DrillEvent::Kind::Open:
            open();
            break;
        case DrillEvent::Kind::Step:
            step();
            break;
        case DrillEvent::Kind::Button:
            button(event.button, event.answer);
            break;
        case DrillEvent::Kind::TimeOut:
            timeOut();
            break;
        case DrillEvent::Kind::SoundFailed:
            soundFailed();
            break;
        case DrillEvent::Kind::Answer:
            answered(event.reply);
            break;
        }
        return std::exchange(m_out, {});
    }

    // While a list is drawn: Step draws the next word, Stop ends the list with the words found
    // so far, any other button returns to the answer box.
    void whileDrawing(const DrillEvent& event)
    {
        switch (event.kind) {
        case DrillEvent::Kind::Step:
            drawNextWord();
            return;
        case DrillEvent::Kind::Button:
            if (event.button == DrillButton::Stop)
                listDrawn();
            else
                focus(DrillFocus::Answer);
            return;
        case DrillEvent::Kind::SoundFailed:
            soundFailed();
            return;
        case DrillEvent::Kind::Open:
        case DrillEvent::Kind::TimeOut:
        case DrillEvent::Kind::Answer:
            return;
        }
    }

    // --- effects -------------------------------------------------------------------------------

    void emit(Kind kind, int value = 0, std::string text = {})
    {
        DrillEffect e { kind };
        e.value = value;
        e.text = std::move(text);
        m_out.push_back(std::move(e));
    }
    void prompt(const std::string& text) { emit(Kind::ShowPrompt, 0, text); }
    void wait(int ms)
    {
        if (ms > 0)
            emit(Kind::Wait, ms);
    }
    void message(const std::string& text, const std::string& caption,
        MessageIcon icon = MessageIcon::Information)
    {
        DrillEffect e { Kind::Message };
        e.text = text;
        e.caption = caption;
        e.icon = icon;
        m_out.push_back(std::move(e));
    }
    // Asks a question; the answer comes back as the Answer event, handled by `answered`.
    void question(
        Question which, const std::string& text, const std::string& caption, MessageButtons buttons)
    {
        DrillEffect e { Kind::Question };
        e.text = text;
        e.caption = caption;
        e.icon = MessageIcon::Question;
        e.buttons = buttons;
        m_out.push_back(std::move(e));
        m_question = which;
    }
    // Messages of the shared file routines (the history file's warnings) become effects in
    // their place among the drill's texts. Those routines only ever tell, never ask.
    struct MessageEffects final : Prompter
    {
        Impl& impl;
        explicit MessageEffects(Impl& i)
            : impl(i)
        { }
        MessageAnswer show(const std::string& text, const std::string& caption, MessageIcon icon,
            MessageButtons) override
        {
            impl.message(text, caption, icon);
            return MessageAnswer::Ok;
        }
    };
    void light(int value)
    {
        m_light = value;
        emit(Kind::SetLight, value);
    }
    void label(DrillButton button, const char* text)
    {
        emit(Kind::SetButtonText, static_cast<int>(button), text);
    }
    void focus(DrillFocus f) { emit(Kind::Focus, static_cast<int>(f)); }
    void schedule() { emit(Kind::ScheduleStep, kStepMs); }
    void idlePrompt() { prompt(strings::kPressStartOrRepeat); }
    // A pass that cannot begin: says why, lets go of the word file and goes back to idle.
    void refuse(const char* text, const char* caption = strings::kInformation,
        MessageIcon icon = MessageIcon::Information)
    {
        message(text, caption, icon);
        closeWordFile();
        idlePrompt();
    }
    void displays()
    {
        DrillDisplays& d = m_displays;
        d.wordNumber = m_wordNumber;
        d.correct = m_correct;
        d.wordsInPass = m_wordsInPass;
        d.levelPercent = m_levelPercent;
        d.levelName = levelName(options().level);
        d.learnModeName = learnModeName(LearnSetup::read(ctx.info, ctx.user).mode);
        DrillEffect e { Kind::UpdateDisplays };
        e.displays = d;
        m_out.push_back(std::move(e));
    }

    // --- sound ---------------------------------------------------------------------------------

    ListOptions options() const { return ListOptions::read(ctx.info, ctx.user); }
    bool uk() const { return options().language == Language::UK; }
    bool soundAllowed() const { return m_soundOn && ctx.soundUsable; }
    // A file that is missing is skipped silently, as a missing recording always has been.
    bool play(const std::string& path, bool background = false)
    {
        if (!soundAllowed() || !fileExists(path))
            return false;
        DrillEffect e { Kind::Play, 0, path };
        e.background = background;
        m_out.push_back(std::move(e));
        return true;
    }
    void voicePrompt(int index, bool background = false)
    {
        if (soundAllowed())
            play(voicePromptPath(ctx.programFolder, index, uk()), background);
    }
    // The path of the word's own recording, when it has one that exists.
    std::optional<std::string> recording() const
    {
        const WordFileRecord& r = m_record;
        if (r.soundFlag == 0 || r.soundIndex == 0)
            return std::nullopt;
        // Recordings copied from elsewhere may differ in the case of their names.
        return findWordRecording(ctx.info.waveformPath(), m_currentWord, r.soundIndex);
    }
    // The word can be heard: sound is on and it has a recording or speech can say it.
    bool audible() const { return soundAllowed() && (ctx.speechOn || recording()); }
    // Says the word: its own recording, which always wins, else speech. False when neither.
    bool sayWord(bool background = false)
    {
        if (!soundAllowed())
            return false;
        if (const auto path = recording())
            return play(*path, background);
        if (!ctx.speechOn)
            return false;
        std::string text = m_currentWord;
        // Capitals would be read out letter by letter as an abbreviation.
        for (char& c : text)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        DrillEffect e { Kind::Speak, static_cast<int>(options().language), std::move(text) };
        e.background = background;
        m_out.push_back(std::move(e));
        return true;
    }
    // The word's own recording or its speech, or prompt 11 when it can have neither. True when
    // the word itself was heard.
    bool wordSound()
    {
        if (!soundAllowed())
            return false;
        const bool said = sayWord();
        if (!said)
            voicePrompt(prompt::kFollowing);
        return said;
    }
    void letterSound(char letter)
    {
        if (soundAllowed())
            play(letterSoundPath(ctx.programFolder, letter, !uk()));
    }
    void soundLabel()
    {
        label(DrillButton::Sound,
            m_soundOn && ctx.soundUsable ? strings::kDrillSoundOn : strings::kDrillSoundOff);
    }
    void soundFailed()
    {
        m_soundOn = false;
        soundLabel();
    }

    // --- settings and level --------------------------------------------------------------------

    void loadSettings()
    {
        resetStrayWorkingCategory(ctx.info, ctx.user);
        m_settings = readDrillSettings(ctx.info, ctx.user, ctx.documents);
        m_listType = m_settings.listType;
    }
    void deriveLevel()
    {
        const LevelBand band = levelBand(m_settings.minLetters, m_settings.maxLetters);
        setUserLevel(ctx.info, ctx.user, band.level);
        m_levelPercent = band.percent;
    }
    void storeLetters()
    {
        setLettersRange(ctx.info, ctx.user, m_settings.minLetters, m_settings.maxLetters);
    }
    bool saveRecord()
    {
        if (SaveStartupInfo(ctx.info))
            return true;
        message(strings::kUnableToSaveConfig, strings::kWarning, MessageIcon::Exclamation);
        return false;
    }

    // --- word file -----------------------------------------------------------------------------

    void closeWordFile()
    {
        if (!m_wordFile)
            return;
        const bool ok = m_wordFile->close();
        m_wordFile.reset();
        if (!ok)
            message(strings::kProblemClosingWordFile, strings::kWarning, MessageIcon::Exclamation);
    }
    // Opens the user's word file for update and reads its header.
    bool openWordFile(WordFileHeader& header)
    {
        closeWordFile();
        m_wordFile = WordFile::open(ctx.info.dataFolder(), ctx.user, OpenMode::ReadWrite);
        if (!m_wordFile || !m_wordFile->readHeader(header)) {
            m_wordFile.reset();
            message(strings::kUnableToOpenYourFile, strings::kWarning, MessageIcon::Exclamation);
            return false;
        }
        if (!ListState::valid(header.state)) {
            message(strings::kListNotValid, strings::kInformation);
            closeWordFile();
            return false;
        }
        return true;
    }

    // --- drawing a list ------------------------------------------------------------------------

    // Begins drawing a list for the current settings; `then` says what follows once it is drawn.
    void drawList(AfterDraw then)
    {
        emit(Kind::SetProgressRange, m_settings.listSize);
        emit(Kind::WaitCursor, 1);
        m_drawing.reset(new Drawing { drillListCriteria(m_settings, ctx.user),
            { ctx.random, ctx.clock, ctx.progress }, then, nullptr });
        m_drawing->draw = std::make_unique<DrillListDraw>(ctx.info, m_drawing->criteria,
            m_drawing->services, m_settings.listSize >= kListSizeShowingProgress);
        drawNextWord();
    }

    void drawNextWord()
    {
        if (m_drawing->draw->drawNext())
            emit(Kind::ScheduleStep, 0);
        else
            listDrawn();
    }

    // The list is complete, or ends here with the words found so far.
    void listDrawn()
    {
        const int count = m_drawing->draw->finish();
        const AfterDraw then = m_drawing->then;
        m_drawing.reset();
        emit(Kind::WaitCursor, 0);
        if (count <= 0) {
            message(strings::kUnableToGenerateList, strings::kInformation);
        } else {
            m_wordsInPass = count;
            emit(Kind::SetProgress, count);
            loadSettings();
            displays();
        }
        switch (then) {
        case AfterDraw::Start:
            if (count <= 0)
                idlePrompt();
            else
                startDictionaryPass();
            return;
        case AfterDraw::AutoStart:
            if (count <= 0)
                question(Question::Level, strings::kLevelQuestion, strings::kWarning,
                    MessageButtons::YesNoCancel);
            else
                startDictionaryPass();
            return;
        case AfterDraw::LevelAnswer:
            if (count <= 0)
                autoStartFailed();
            else
                startDictionaryPass();
            return;
        }
    }

    // --- review schedule -----------------------------------------------------------------------

    // A schedule file that cannot be read or saved is reported once in the window's life.
    void reviewFileFailed(const ReviewFileResult& result, bool always = false)
    {
        if (m_reviewFileFailed && !always)
            return;
        m_reviewFileFailed = true;
        message(reviewFileMessage(result, reviewFilePath(ctx.info.dataFolder(), ctx.user)),
            strings::kWarning, MessageIcon::Exclamation);
    }

    void saveSchedule(const ReviewSchedule& schedule)
    {
        if (const ReviewFileResult saved
            = saveReviewSchedule(ctx.info.dataFolder(), ctx.user, schedule);
            !saved.ok())
            reviewFileFailed(saved);
    }

    // A "Review due" list: the due words, the longest overdue first, then a first pass of them.
    void startReview()
    {
        loadSettings();
        ReviewSchedule schedule;
        if (const ReviewFileResult loaded
            = loadReviewSchedule(ctx.info.dataFolder(), ctx.user, schedule);
            !loaded.ok()) {
            // Asked for by this Start: said every time.
            reviewFileFailed(loaded, true);
            idlePrompt();
            return;
        }
        emit(Kind::WaitCursor, 1);
        const ReviewListResult drawn = generateReviewList(
            ctx.info, ctx.user, schedule, ctx.clock.now(), m_settings.listSize);
        emit(Kind::WaitCursor, 0);
        if (drawn.swept > 0)
            saveSchedule(schedule);
        if (drawn.failed || drawn.words <= 0) {
            message(drawn.failed ? strings::kUnableToGenerateList : strings::kReviewNoneDue,
                strings::kInformation);
            idlePrompt();
            return;
        }
        m_wordsInPass = drawn.words;
        emit(Kind::SetProgressRange, drawn.words);
        emit(Kind::SetProgress, drawn.words);
        displays();
        m_reviewList = true;
        startDictionaryPass();
        if (!m_firstPass)
            m_reviewList = false;
    }

    // Of the failures of a list made from a document, only words the dictionary holds are
    // scheduled: no other word could be drawn for a review.
    void keepDictionaryWords(std::vector<PassAnswer>& answers)
    {
        DictionaryHandle dictionary = OpenDictionary(ctx.info);
        std::erase_if(answers, [&](const PassAnswer& a) {
            if (a.right || !dictionary)
                return !a.right;
            CurrentWordInfo word;
            return !isFound(FindWord(*dictionary, a.word, word));
        });
        if (dictionary)
            CloseDictionary(dictionary);
    }

    // The end of a pass (or its stop): its answers go into the schedule, saved once.
    void applyReviewAnswers()
    {
        std::vector<PassAnswer> answers = std::exchange(m_passAnswers, {});
        const bool review = std::exchange(m_reviewList, false);
        if (answers.empty() || ctx.info.dataFolder().empty())
            return;
        ReviewSchedule schedule;
        if (const ReviewFileResult loaded
            = loadReviewSchedule(ctx.info.dataFolder(), ctx.user, schedule);
            !loaded.ok()) {
            reviewFileFailed(loaded);
            return;
        }
        if (isDocumentList(m_headerListType))
            keepDictionaryWords(answers);
        const std::time_t now = ctx.clock.now();
        bool changed = false;
        for (const PassAnswer& a : answers) {
            if (!a.right) {
                changed = schedule.wordFailed(a.word, now) || changed;
            } else if (review) {
                const ReviewOutcome o = schedule.reviewAnswered(a.word, true, now);
                changed = o == ReviewOutcome::MovedUp || o == ReviewOutcome::Left || changed;
            }
        }
        if (changed)
            saveSchedule(schedule);
    }

    // --- level adjustment ----------------------------------------------------------------------

    // Auto start: the letters range of the last automatic drill, when the history file has one
    // that can be used, then the list. False when there is no history to start from.
    bool autoStart()
    {
        auto history = HistoryFile::open(ctx.info.dataFolder(), ctx.user, OpenMode::ReadWrite);
        if (!history)
            return false;
        HistoryHeader header;
        const bool read = history->readHeader(header);
        history->close();
        if (!read)
            return false;
        loadSettings();
        if (header.summary.autoFlag == 1
            && !isDocumentList(listTypeFromNumber(header.summary.listType))) {
            const int lo = header.summary.minLetters, hi = header.summary.maxLetters;
            if (usableHistoryRange(lo, hi)) {
                m_settings.minLetters = lo;
                m_settings.maxLetters = hi;
                storeLetters();
            } else {
                message(strings::kUnableToUsePrevious, strings::kInformation);
            }
        }
        drawList(AfterDraw::AutoStart);
        return true;
    }

    void autoStartFailed()
    {
        message(std::string(strings::kUnableToSetAuto) + " " + strings::kWordsGenerated + " "
                + std::to_string(m_wordsInPass),
            strings::kInformation);
    }

    // The answer to the level question: the letters range moves up or down and the list is
    // drawn again; then Start goes on as if the first draw had found words.
    void levelAnswered(MessageAnswer a)
    {
        if (a != MessageAnswer::Yes && a != MessageAnswer::No) {
            autoStartFailed();
            return;
        }
        std::string refusal;
        if (!levelQuestionRange(a == MessageAnswer::Yes ? LevelAnswer::Up : LevelAnswer::Down,
                m_settings.minLetters, m_settings.maxLetters, refusal)) {
            message(refusal, strings::kInformation);
            autoStartFailed();
            return;
        }
        storeLetters();
        if (!saveRecord()) {
            autoStartFailed();
            return;
        }
        drawList(AfterDraw::LevelAnswer);
    }

    void answered(MessageAnswer a)
    {
        const Question which = m_question;
        m_question = Question::None;
        if (which == Question::Level)
            levelAnswered(a);
    }

    HistorySummary summary(int autoFlag, ListType listType) const
    {
        HistorySummary h;
        h.autoFlag = static_cast<std::uint16_t>(autoFlag);
        h.words = static_cast<std::uint16_t>(m_wordsInPass);
        h.correct = static_cast<std::uint16_t>(m_correct);
        h.minLetters = static_cast<std::uint16_t>(m_settings.minLetters);
        h.maxLetters = static_cast<std::uint16_t>(m_settings.maxLetters);
        h.levelPercent = static_cast<std::uint16_t>(m_levelPercent);
        h.listType = static_cast<std::uint16_t>(listTypeNumber(listType));
        h.level = static_cast<std::uint16_t>(levelNumber(options().level));
        return h;
    }

    // An automatic pass's score moves the letters range: said, spoken and saved at once.
    void adjustLevel()
    {
        m_lastPercent = passPercent(m_correct, m_wordsInPass);
        const LevelChange change = adjustLetters(m_lastPercent, m_settings.promotionPercent,
            m_settings.demotionPercent, m_settings.minLetters, m_settings.maxLetters);
        if (change == LevelChange::Promoted) {
            prompt(strings::kPromoted);
            voicePrompt(prompt::kPromoted);
            wait(1500);
        } else if (change == LevelChange::Demoted) {
            prompt(strings::kDemoted);
            voicePrompt(prompt::kDemoted);
            wait(1000);
        }
        storeLetters();
        saveRecord();
    }

    void endOfFirstPass(ListType listType)
    {
        emit(Kind::SetAnswer);
        prompt({});
        const LevelAdjustment adjustment = options().adjustment;
        const bool practice = adjustment == LevelAdjustment::Practice;
        // A review list is not drawn by the letters range, so its score does not move it.
        const bool autoMode = adjustment == LevelAdjustment::Auto && !m_reviewList;
        const bool window = isDocumentList(listType);
        if (practice && !window)
            return;
        if (!window) {
            const ListApplyResult applied = ApplyListResults(*m_wordFile, ctx.info, ctx.user);
            if (applied.outcome == ListApplyResult::Outcome::OutOfDate)
                message(strings::kListOutOfDate, strings::kInformation);
            else if (!applied)
                message(strings::kFailedToUpdateDictionary, strings::kInformation);
        }
        MessageEffects tell(*this);
        appendDrillHistory(
            ctx.info.dataFolder(), ctx.user, summary(autoMode ? 1 : 0, listType), ctx.clock, tell);
        if (ctx.documents.scrapListMade || ctx.documents.beeListMade || window)
            return;
        if (!autoMode)
            return;
        if (m_wordsInPass != 0)
            adjustLevel();
        deriveLevel();
        displays();
        appendDrillHistory(ctx.info.dataFolder(), ctx.user, summary(1, listType), ctx.clock, tell);
    }

    // --- presenting a word ---------------------------------------------------------------------

    std::string greeting() const
    {
        const std::string name = ctx.info.userName(ctx.user);
        const std::string first = name.substr(0, name.find(' '));
        if (first.empty())
            return strings::kGetReady;
        return first + "  " + strings::kGetReady;
    }

    void learnAnimation()
    {
        const LearnMode mode = LearnSetup::read(ctx.info, ctx.user).mode;
        const DrillSettings& st = m_settings;
        const std::string& word = m_currentWord;
        if (mode == LearnMode::Ripple) {
            prompt(" ");
            prompt(word);
            wordSound();
            wait(1000);
            for (int i = 0; i < st.rippleCount; ++i) {
                prompt(" ");
                wait(500);
                for (std::size_t k = 1; k <= word.size(); ++k) {
                    prompt(word.substr(0, k));
                    letterSound(word[k - 1]);
                    wait(st.rippleDuration);
                }
            }
            prompt(word);
            wordSound();
            wait(st.wordShowSeconds * 1000);
        } else if (mode == LearnMode::Flash) {
            // Once a flash found no recording to play, the others stay silent.
            bool tryPlay = true;
            for (int i = 0; i < st.flashCount; ++i) {
                prompt(word);
                if (tryPlay)
                    tryPlay = wordSound();
                wait(st.flashDuration);
                prompt(" ");
                wait(st.flashDuration);
            }
            prompt(word);
            wait(st.wordShowSeconds * 1000);
        } else {
            prompt(word);
            wordSound();
            wait(st.continuousSeconds * 1000);
            wait(st.wordShowSeconds * 1000);
        }
    }

    void presentAndPrompt()
    {
        emit(Kind::SetAnswer);
        if (m_hearNow) {
            // Dictation: the word is said, a pause, said again, and never shown.
            prompt(strings::kListen);
            sayWord();
            wait(kHearPauseMs);
            sayWord();
            wait(kHearPauseMs);
        } else {
            if (!m_learnOn) {
                prompt(m_currentWord);
                wordSound();
                wait(m_settings.wordShowSeconds * 1000);
            }
            prompt(strings::kNowMemorise);
            wait(m_settings.answerDelaySeconds * 1000);
        }
        prompt(strings::kPutAnswerInBox);
        emit(Kind::SetAnswer);
        // From here on every key typed is the answer's: the light turns green as the box takes
        // the focus, and the spoken request to type plays on while the person types.
        m_timeLimit = m_settings.spellSeconds * 1000;
        emit(Kind::SetTimeLimit, m_timeLimit);
        light(2);
        focus(DrillFocus::Answer);
        m_awaitingAnswer = true;
        voicePrompt(prompt::kEnterAnswer, true);
    }

    // The part of presenting shared by both passes, from the word number on.
    void present()
    {
        displays();
        light(1);
        m_lastWord = m_nextOffset == kWordFileLastRecord;
        m_hearNow = ctx.hearOnly && audible();
        if (ctx.hearOnly && !m_hearNow && !m_hearOnlyExplained) {
            // Never a silent drill with a hidden word: this one is shown, and why is said once.
            m_hearOnlyExplained = true;
            message(strings::kHearOnlyShown, strings::kHearOnlyShownCaption);
        }
        if (m_learnOn && !m_hearNow)
            learnAnimation();
        presentAndPrompt();
    }

    void takeRecordWord()
    {
        m_currentWord = shownWord(m_record, m_settings.upperCase);
        m_nextOffset = m_record.next;
    }

    void presentFirstPass()
    {
        voicePrompt(prompt::kPlease);
        if (!m_wordFile || !m_wordFile->readRecord(m_currentOffset, m_record)) {
            m_pending = DrillAction::Finish;
            schedule();
            return;
        }
        takeRecordWord();
        emit(Kind::SetProgress, m_wordsInPass - m_wordsDone);
        ++m_wordsDone;
        ++m_wordNumber;
        present();
    }

    void presentRepeatPass()
    {
        voicePrompt(prompt::kPlease);
        RepeatPick pick;
        if (m_wordFile)
            pick = nextRepeatWord(*m_wordFile, m_currentOffset, !m_repeatAllWords);
        for (int i = 0; i < pick.visited; ++i)
            emit(Kind::SetProgress, m_wordsInPass - m_wordsDone);
        if (m_wordFile)
            m_currentOffset = pick.offset;
        switch (pick.outcome) {
        case RepeatPick::Outcome::Error:
            m_pending = DrillAction::Finish;
            schedule();
            return;
        case RepeatPick::Outcome::NoneLeft:
            wait(2000);
            m_pending = DrillAction::Finish;
            prompt(strings::kNoFailedWords);
            wait(2000);
            schedule();
            return;
        case RepeatPick::Outcome::Word:
            break;
        }
        m_record = pick.record;
        ++m_wordNumber;
        ++m_wordsDone;
        takeRecordWord();
        present();
    }

    // --- checking an answer --------------------------------------------------------------------

    // False when the line could not be written to a scrap pad that is there.
    bool appendFailureToScrapPad()
    {
        const std::string line = " " + m_currentWord + "\r\n";
        if (ctx.documents.scrapPadOpen) {
            emit(Kind::InsertIntoScrapPad, 0, line);
            return true;
        }
        // Page 1 of the user's scrap pad, only when it exists: it is never created here.
        const std::string folder = ctx.info.dataFolder();
        if (folder.empty())
            return true;
        int error = 0;
        auto pad
            = File::open(paths::progdataFile(folder, "spaduse" + std::to_string(ctx.user) + ".pad"),
                OpenMode::ReadWrite, &error);
        if (!pad)
            return FileTest { error }.missing();
        const bool written = pad->writeAt(pad->size(), line.data(), line.size());
        return pad->close() && written;
    }

    // A scrap pad that cannot take the failures is reported once in the drill window's life.
    void scrapPadNotWritten()
    {
        if (m_scrapPadFailed)
            return;
        m_scrapPadFailed = true;
        message(strings::kProblemsSavingScrapPad, strings::kWarning, MessageIcon::Exclamation);
    }

    void noteMissed(const std::string& typed)
    {
        for (MissedWord& m : m_missed) {
            if (m.word == m_currentWord) {
                m.typed = typed;
                return;
            }
        }
        m_missed.push_back({ m_currentWord, typed });
        m_missedRecords.push_back(m_record);
    }

    bool checkAnswer(bool repeat)
    {
        const Judgement judged = judgeAnswer(m_answer, m_currentWord, m_settings.upperCase);
        bool padWritten = true;
        if (judged.right) {
            ++m_correct;
        } else if (m_failuresToScrapPad) {
            padWritten = appendFailureToScrapPad();
        }
        recordJudgement(m_record, m_currentWord, judged, repeat);
        if (!judged.right)
            noteMissed(judged.answer);
        m_passAnswers.push_back({ m_currentWord, judged.right });
        prompt(verdictText(m_currentWord, judged.right));
        if (!padWritten)
            scrapPadNotWritten();
        emit(Kind::SetAnswer);
        displays();
        return judged.right;
    }

    void praiseOrConsole(bool right)
    {
        const int pick = static_cast<int>(ctx.random.next() % kPraiseVariants);
        voicePrompt(pick + (right ? prompt::kSuccessFirst : prompt::kFailedFirst));
    }

    bool writeBack()
    {
        if (m_wordFile && m_wordFile->writeRecord(m_currentOffset, m_record) != 0)
            return true;
        if (m_wordFile)
            m_wordFile->invalidate();
        m_pending = DrillAction::Finish;
        return false;
    }

    // Actions 2 and 4: judge and store the answer, then go on to the next word or end the pass.
    // Only a first pass ends with the level adjustment and the list marked as spelt.
    void check(bool repeat)
    {
        praiseOrConsole(checkAnswer(repeat));
        if (!writeBack()) {
            schedule();
            return;
        }
        if (m_wordsDone < m_wordsInPass && !m_lastWord) {
            m_currentOffset = m_nextOffset;
            wait(m_settings.betweenSeconds * 1000);
            prompt({});
            m_pending = repeat ? DrillAction::PresentRepeat : DrillAction::Present;
        } else if (repeat) {
            wait(1000);
            emit(Kind::SetProgress, 0);
            m_summaryReady = true;
            prompt(strings::kFinished);
            wait(500);
            m_pending = DrillAction::Finish;
        } else {
            wait(500);
            emit(Kind::SetProgress, 0);
            endOfFirstPass(m_headerListType);
            // The pass's write phase ends with the list on the disk (the dictionary and the
            // history file were written through by the calls that changed them).
            if (!m_wordFile->finishList(m_wordsInPass, m_headerListType, ListState::kSpeltOnce)
                || !m_wordFile->file().sync())
                m_wordFile->invalidate();
            wait(m_settings.betweenSeconds * 1000);
            prompt({});
            m_summaryReady = true;
            prompt(strings::kFinished);
            wait(500);
            m_pending = DrillAction::Finish;
        }
        schedule();
    }

    void finish()
    {
        m_awaitingAnswer = false;
        applyReviewAnswers();
        closeWordFile();
        light(0);
        m_firstPass = m_repeatPass = m_lastWord = false;
        idlePrompt();
        label(DrillButton::Enter, strings::kQuitLabel);
        emit(Kind::SetProgress, 0);
    }

    // --- buttons -------------------------------------------------------------------------------

    void forgetMissed()
    {
        m_missed.clear();
        m_missedRecords.clear();
        m_summaryReady = false;
    }

    void start()
    {
        forgetMissed();
        prompt(greeting());
        m_reviewList = false;
        if (isDocumentList(m_listType)) {
            startWindowPass();
            return;
        }
        if (ctx.reviewOnly || reviewListChosen(ctx.programFolder, ctx.user)) {
            startReview();
            return;
        }
        if (options().adjustment == LevelAdjustment::Auto) {
            if (!autoStart())
                autoStartFailed();
            return;
        }
        loadSettings();
        drawList(AfterDraw::Start);
    }

    // A freshly drawn dictionary list: its word file must be in the fresh state.
    void startDictionaryPass()
    {
        WordFileHeader header;
        if (!openWordFile(header)) {
            idlePrompt();
            return;
        }
        if (header.state != ListState::kFreshDictionary) {
            m_wordFile->invalidate();
            refuse(strings::kListNotValid, strings::kWarning, MessageIcon::Exclamation);
            return;
        }
        beginFirstPass(header);
    }

    // A list made from a bee window or the scrap pad is spelt once; after that only Repeat.
    void startWindowPass()
    {
        WordFileHeader header;
        if (!openWordFile(header)) {
            idlePrompt();
            return;
        }
        if (header.state == ListState::kSpeltOnce) {
            refuse(strings::kAlreadyTested);
            return;
        }
        m_wordsInPass = header.count;
        emit(Kind::SetProgressRange, m_wordsInPass);
        emit(Kind::SetProgress, m_wordsInPass);
        loadSettings();
        beginFirstPass(header);
    }

    void beginFirstPass(const WordFileHeader& header)
    {
        m_header = header;
        m_summaryReady = false;
        m_passAnswers.clear();
        m_headerListType = listTypeFromNumber(header.listType);
        m_pending = DrillAction::Present;
        m_wordsDone = m_correct = m_wordNumber = 0;
        m_lastWord = false;
        deriveLevel();
        displays();
        m_currentOffset = m_nextOffset = header.firstOffset;
        m_firstPass = true;
        label(DrillButton::Enter, strings::kEnterLabel);
        emit(Kind::ScheduleStep, 0);
    }

    // A list of exactly the missed words, spelt as a failures list is: its results go to the
    // dictionary and the history file like those of any first pass. A list that came from a
    // window keeps its origin (its words are in no dictionary record to update).
    void practiseThese()
    {
        if (m_missedRecords.empty()) {
            focus(DrillFocus::Answer);
            return;
        }
        const ListType origin = listTypeFromNumber(m_header.listType);
        const bool window = isDocumentList(origin);
        WordListImage list;
        list.state = !window               ? ListState::kFreshDictionary
            : origin == ListType::ScrapPad ? ListState::kFreshScrapPad
                                           : ListState::kFreshWindow;
        list.tableOffset = m_header.tableOffset;
        list.askedCount = static_cast<int>(m_missedRecords.size());
        list.listType = listTypeNumber(window ? origin : ListType::Failures);
        for (WordFileRecord r : m_missedRecords) {
            r.answer.clear();
            r.result = 0;
            r.attempts = 0;
            list.records.push_back(std::move(r));
        }
        forgetMissed();
        prompt(greeting());
        closeWordFile();
        if (!saveWordList(ctx.info.dataFolder(), ctx.user, list)) {
            refuse(strings::kUnableToMakePracticeList, strings::kWarning, MessageIcon::Exclamation);
            return;
        }
        WordFileHeader header;
        if (!openWordFile(header)) {
            idlePrompt();
            return;
        }
        loadSettings();
        m_wordsInPass = header.count;
        emit(Kind::SetProgressRange, m_wordsInPass);
        emit(Kind::SetProgress, m_wordsInPass);
        beginFirstPass(header);
    }

    void repeat()
    {
        prompt(greeting());
        wait(1000);
        m_reviewList = false;
        m_passAnswers.clear();
        loadSettings();
        m_pending = DrillAction::PresentRepeat;
        m_wordNumber = m_correct = m_wordsDone = 0;
        m_nextOffset = 0;
        m_lastWord = false;
        WordFileHeader header;
        if (!openWordFile(header)) {
            idlePrompt();
            return;
        }
        if (header.state != ListState::kSpeltOnce) {
            refuse(strings::kNoFileToRepeat);
            return;
        }
        m_wordsInPass = header.count;
        const std::uint32_t first = m_wordFile->readFirstOffset();
        if (first == kWordFileLastRecord) {
            refuse(strings::kListNotValid);
            return;
        }
        m_currentOffset = m_nextOffset = first;
        if (options().repeat == RepeatControl::Failures) {
            std::vector<WordFileEntry> entries;
            if (!m_wordFile->readList(entries)) {
                refuse(strings::kListNotValid);
                return;
            }
            const int failed = failedWords(entries);
            if (failed == 0) {
                prompt(strings::kNoFailedWords);
                wait(2000);
                idlePrompt();
                closeWordFile();
                return;
            }
            m_repeatAllWords = false;
            m_wordsInPass = failed;
        } else {
            m_repeatAllWords = true;
        }
        m_header = header;
        m_summaryReady = false;
        m_headerListType = listTypeFromNumber(header.listType);
        emit(Kind::SetProgressRange, m_wordsInPass);
        emit(Kind::SetProgress, 0);
        loadSettings();
        displays();
        label(DrillButton::Enter, strings::kEnterLabel);
        m_repeatPass = true;
        emit(Kind::ScheduleStep, 0);
    }

    void enter(const std::string& answer)
    {
        if (!passRunning()) {
            closeWordFile();
            m_closed = true;
            emit(Kind::Close);
            return;
        }
        // An Enter that was typed ahead, before the next word was even shown, would judge that
        // word wrong unseen: it only moves the focus back to the answer box.
        if ((m_pending == DrillAction::Present || m_pending == DrillAction::PresentRepeat)
            && !m_awaitingAnswer) {
            focus(DrillFocus::Answer);
            return;
        }
        m_awaitingAnswer = false;
        switch (m_pending) {
        case DrillAction::Present:
            m_answer = answer;
            light(0);
            m_pending = DrillAction::Check;
            focus(DrillFocus::Start);
            break;
        case DrillAction::PresentRepeat:
            m_answer = answer;
            m_pending = DrillAction::CheckRepeat;
            focus(DrillFocus::Repeat);
            break;
        case DrillAction::Check:
            light(0);
            m_pending = DrillAction::Finish;
            break;
        default:
            m_pending = DrillAction::Finish;
            break;
        }
        schedule();
    }

    void stop()
    {
        // A stopped first pass keeps nothing of its answers, so it has nothing to practise.
        if (m_firstPass)
            forgetMissed();
        m_summaryReady = false;
        prompt(strings::kUserStopped);
        wait(1000);
        m_pending = DrillAction::Finish;
        finish();
    }

    void button(DrillButton b, const std::string& answer)
    {
        const bool idle = !passRunning();
        switch (b) {
        case DrillButton::Start:
            if (idle)
                start();
            else
                focus(DrillFocus::Answer);
            return;
        case DrillButton::Repeat:
            if (idle)
                repeat();
            else
                focus(DrillFocus::Answer);
            return;
        case DrillButton::Stop:
            stop();
            return;
        case DrillButton::Enter:
            enter(answer);
            return;
        case DrillButton::Help:
            if (idle)
                emit(Kind::OpenHelp, help::kDrillWindowContext);
            else
                focus(DrillFocus::Answer);
            return;
        case DrillButton::Sound:
            m_soundOn = ctx.soundUsable && !m_soundOn;
            soundLabel();
            return;
        case DrillButton::FailuresToScrapPad:
            m_failuresToScrapPad = !m_failuresToScrapPad;
            label(b, m_failuresToScrapPad ? strings::kFailuresOn : strings::kFailuresOff);
            return;
        case DrillButton::Learn:
            m_learnOn = !m_learnOn;
            label(b, m_learnOn ? strings::kLearnOnLabel : strings::kLearnOffLabel);
            return;
        case DrillButton::SayAgain:
            // Once more in the background: the time limit, the focus and the typed answer stay.
            if (m_awaitingAnswer)
                sayWord(true);
            return;
        case DrillButton::ChangeColours:
            if (!idle) {
                focus(DrillFocus::Answer);
                return;
            }
            m_colourScheme = (m_colourScheme + 1) % kColourSchemeCount;
            ctx.info.setDrillWindowLayout(ctx.user, static_cast<std::uint16_t>(m_colourScheme));
            emit(Kind::SetColourScheme, m_colourScheme);
            return;
        case DrillButton::PractiseThese:
            if (idle)
                practiseThese();
            else
                focus(DrillFocus::Answer);
            return;
        }
    }

    void open()
    {
        m_colourScheme = validColourScheme(ctx.info.drillWindowLayout(ctx.user));
        emit(Kind::SetColourScheme, m_colourScheme);
        loadSettings();
        deriveLevel();
        displays();
        m_learnOn = false;
        m_failuresToScrapPad = false;
        label(DrillButton::Learn, strings::kLearnOffLabel);
        label(DrillButton::FailuresToScrapPad, strings::kFailuresOff);
        m_soundOn = ctx.soundUsable && ctx.info.soundOn(ctx.user) == 1;
        soundLabel();
        ctx.random.seed(ctx.clock.ticks());
        m_pending = DrillAction::Finish;
        finish();
    }

    void timeOut()
    {
        if (!passRunning())
            return;
        emit(Kind::SetAnswer, 0, strings::kOutOfTime);
        voicePrompt(prompt::kOutOfTime);
        wait(500);
        emit(Kind::SetAnswer);
        wait(200);
        enter({});
    }

    void step()
    {
        switch (m_pending) {
        case DrillAction::Present:
            presentFirstPass();
            return;
        case DrillAction::Check:
            check(false);
            return;
        case DrillAction::PresentRepeat:
            presentRepeatPass();
            return;
        case DrillAction::CheckRepeat:
            check(true);
            return;
        case DrillAction::Finish:
            finish();
            return;
        }
        m_pending = DrillAction::Finish;
        schedule();
    }
};

DrillSession::DrillSession(DrillContext context)
    : m_impl(std::make_unique<Impl>(std::move(context)))
{ }

DrillSession::~DrillSession() = default;

DrillEffects DrillSession::handle(const DrillEvent& event)
{
    return m_impl->handle(event);
}

DrillAction DrillSession::pendingAction() const
{
    return m_impl->m_pending;
}

bool DrillSession::passRunning() const
{
    return m_impl->passRunning();
}

bool DrillSession::awaitingAnswer() const
{
    return m_impl->m_awaitingAnswer;
}

bool DrillSession::questionPending() const
{
    return m_impl->m_question != Impl::Question::None;
}

bool DrillSession::firstPassRunning() const
{
    return m_impl->m_firstPass;
}

bool DrillSession::repeatPassRunning() const
{
    return m_impl->m_repeatPass;
}

bool DrillSession::busy() const
{
    return m_impl->m_drawing != nullptr;
}

bool DrillSession::soundOn() const
{
    return m_impl->m_soundOn;
}

bool DrillSession::learnOn() const
{
    return m_impl->m_learnOn;
}

bool DrillSession::failuresToScrapPad() const
{
    return m_impl->m_failuresToScrapPad;
}

int DrillSession::colourScheme() const
{
    return m_impl->m_colourScheme;
}

int DrillSession::light() const
{
    return m_impl->m_light;
}

const DrillDisplays& DrillSession::displays() const
{
    return m_impl->m_displays;
}

const DrillSettings& DrillSession::settings() const
{
    return m_impl->m_settings;
}

const std::string& DrillSession::currentWord() const
{
    return m_impl->m_currentWord;
}

int DrillSession::wordsInPass() const
{
    return m_impl->m_wordsInPass;
}

int DrillSession::correct() const
{
    return m_impl->m_correct;
}

int DrillSession::lastPercent() const
{
    return m_impl->m_lastPercent;
}

int DrillSession::timeLimit() const
{
    return m_impl->m_timeLimit;
}

const std::vector<MissedWord>& DrillSession::missedWords() const
{
    return m_impl->m_missed;
}

bool DrillSession::summaryReady() const
{
    return m_impl->m_summaryReady;
}

std::vector<std::string> missedWordsSummary(const std::vector<MissedWord>& missed)
{
    if (missed.empty())
        return { strings::kNothingMissed };
    std::vector<std::string> lines { strings::kMissedWordsHeading };
    for (const MissedWord& m : missed)
        lines.push_back("  " + (m.typed.empty() ? std::string(strings::kNothingTyped) : m.typed)
            + "  ->  " + m.word);
    return lines;
}

bool DrillSession::closed() const
{
    return m_impl->m_closed;
}

} // namespace quorvel
