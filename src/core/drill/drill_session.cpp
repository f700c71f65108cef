#include "drill/drill_session.h"

#include "config/startup_info.h"
#include "drill/level_adjustment.h"
#include "drill/list_generation.h"
#include "sound/sound_names.h"
#include "strings/drill_strings.h"
#include "strings/strings.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cctype>

namespace quorvel {

namespace {

using Kind = DrillEffect::Kind;

constexpr int kStepMs = 10;
constexpr std::size_t kMaxAnswer = 36;

std::string toUpper(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string toLower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

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

} // namespace

// The steps of the machine. Kept apart from the header so that the state lives in one place
// (DrillSession) and the logic reads top to bottom in the order of a drill.
struct DrillSession::Impl
{
    DrillSession& s;
    DrillEffects& out;
    DrillContext& ctx;

    // --- effects -------------------------------------------------------------------------------

    void emit(Kind kind, int value = 0, std::string text = {})
    {
        DrillEffect e { kind };
        e.value = value;
        e.text = std::move(text);
        out.push_back(std::move(e));
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
        out.push_back(std::move(e));
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
        out.push_back(std::move(e));
        s.m_question = which;
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
        s.m_light = value;
        emit(Kind::SetLight, value);
    }
    void label(DrillButton button, const char* text)
    {
        emit(Kind::SetButtonText, static_cast<int>(button), text);
    }
    void focus(DrillFocus f) { emit(Kind::Focus, static_cast<int>(f)); }
    void schedule() { emit(Kind::ScheduleStep, kStepMs); }
    void displays()
    {
        DrillDisplays& d = s.m_displays;
        d.wordNumber = s.m_wordNumber;
        d.correct = s.m_correct;
        d.wordsInPass = s.m_wordsInPass;
        d.levelPercent = s.m_levelPercent;
        d.levelName = levelName(options().level);
        d.learnModeName = learnModeName(LearnSetup::read(ctx.info, ctx.user).mode);
        DrillEffect e { Kind::UpdateDisplays };
        e.displays = d;
        out.push_back(std::move(e));
    }

    // --- sound ---------------------------------------------------------------------------------

    ListOptions options() const { return ListOptions::read(ctx.info, ctx.user); }
    bool uk() const { return options().language == Language::UK; }
    bool soundAllowed() const { return s.m_soundOn && ctx.soundUsable; }
    // A file that is missing is skipped silently, as a missing recording always has been.
    bool play(const std::string& path, bool background = false)
    {
        if (!soundAllowed() || !fileExists(path))
            return false;
        DrillEffect e { Kind::Play, 0, path };
        e.background = background;
        out.push_back(std::move(e));
        return true;
    }
    void voicePrompt(int index, bool background = false)
    {
        if (soundAllowed())
            play(voicePromptPath(ctx.programFolder, index, uk()), background);
    }
    // The word's own recording, or prompt 11 when it has none that can be played. True when the
    // recording itself was played.
    bool wordSound()
    {
        if (!soundAllowed())
            return false;
        const WordFileRecord& r = s.m_record;
        bool played = false;
        if (r.soundFlag != 0 && r.soundIndex != 0) {
            const auto path
                = wordRecordingPath(ctx.info.waveformPath(), s.m_currentWord, r.soundIndex);
            played = path && play(*path);
        }
        if (!played)
            voicePrompt(prompt::kFollowing);
        return played;
    }
    void letterSound(char letter)
    {
        if (soundAllowed())
            play(letterSoundPath(ctx.programFolder, letter, !uk()));
    }

    // --- settings and level --------------------------------------------------------------------

    void loadSettings()
    {
        s.m_settings = loadDrillSettings(ctx.info, ctx.user, ctx.documents);
        s.m_listType = s.m_settings.listType;
    }
    void deriveLevel()
    {
        const LevelBand band = levelBand(s.m_settings.minLetters, s.m_settings.maxLetters);
        setUserLevel(ctx.info, ctx.user, band.level);
        s.m_levelPercent = band.percent;
    }
    void storeLetters()
    {
        setLettersRange(ctx.info, ctx.user, s.m_settings.minLetters, s.m_settings.maxLetters);
    }

    // --- word file -----------------------------------------------------------------------------

    void closeWordFile()
    {
        if (!s.m_wordFile)
            return;
        const bool ok = s.m_wordFile->close();
        s.m_wordFile.reset();
        if (!ok)
            message(strings::kProblemClosingWordFile, strings::kWarning, MessageIcon::Exclamation);
    }
    // Opens the user's word file for update and reads its header.
    bool openWordFile(WordFileHeader& header)
    {
        closeWordFile();
        s.m_wordFile = WordFile::open(ctx.info.dataFolder(), ctx.user, OpenMode::ReadWrite);
        if (!s.m_wordFile || !s.m_wordFile->readHeader(header)) {
            s.m_wordFile.reset();
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

    // --- list generation -----------------------------------------------------------------------

    // Passes the count to the front end (which lets a Stop through) and answers whether to stop.
    struct StopSink final : ProgressSink
    {
        DrillSession& s;
        ProgressSink* outer;
        StopSink(DrillSession& session, ProgressSink* front)
            : s(session)
            , outer(front)
        { }
        bool progress(int count) override
        {
            if (outer)
                outer->progress(count);
            const bool stop = s.m_stopRequested;
            s.m_stopRequested = false;
            return stop;
        }
    };

    int generateList()
    {
        emit(Kind::SetProgressRange, s.m_settings.listSize);
        emit(Kind::WaitCursor, 1);
        ListCriteria criteria = drillListCriteria(s.m_settings, ctx.user);
        StopSink sink(s, ctx.progress);
        ListGenerationServices services { ctx.random, ctx.clock, &sink };
        s.m_busy = true;
        s.m_stopRequested = false;
        const int count
            = GenerateDrillList(ctx.info, criteria, services, s.m_settings.listSize >= 3);
        s.m_busy = false;
        emit(Kind::WaitCursor, 0);
        if (count <= 0) {
            message(strings::kUnableToGenerateList, strings::kInformation);
            return 0;
        }
        s.m_wordsInPass = count;
        emit(Kind::SetProgress, count);
        loadSettings();
        displays();
        return count;
    }

    // --- level adjustment ----------------------------------------------------------------------

    enum class AutoDraw
    {
        Drawn,
        NoWords, // the level question comes next
        NoHistory, // Auto mode cannot start at all
    };

    // Auto start, up to the level question.
    AutoDraw autoStart()
    {
        auto history = HistoryFile::open(ctx.info.dataFolder(), ctx.user, OpenMode::ReadWrite);
        if (!history)
            return AutoDraw::NoHistory;
        HistoryHeader header;
        const bool read = history->readHeader(header);
        history->close();
        if (!read)
            return AutoDraw::NoHistory;
        loadSettings();
        if (header.summary.autoFlag == 1
            && !isDocumentList(listTypeFromNumber(header.summary.listType))) {
            const int lo = header.summary.minLetters, hi = header.summary.maxLetters;
            if (lo >= 1 && lo <= 12 && hi >= lo && hi <= 40) {
                s.m_settings.minLetters = lo;
                s.m_settings.maxLetters = hi;
                storeLetters();
            } else {
                message(strings::kUnableToUsePrevious, strings::kInformation);
            }
        }
        return generateList() > 0 ? AutoDraw::Drawn : AutoDraw::NoWords;
    }

    void autoStartFailed()
    {
        message(std::string(strings::kUnableToSetAuto) + " " + strings::kWordsGenerated + " "
                + std::to_string(s.m_wordsInPass),
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
                s.m_settings.minLetters, s.m_settings.maxLetters, refusal)) {
            message(refusal, strings::kInformation);
            autoStartFailed();
            return;
        }
        storeLetters();
        if (!SaveStartupInfo(ctx.info)) {
            message(strings::kUnableToSaveConfig, strings::kWarning, MessageIcon::Exclamation);
            autoStartFailed();
            return;
        }
        if (generateList() <= 0) {
            autoStartFailed();
            return;
        }
        startDictionaryPass();
    }

    void answered(MessageAnswer a)
    {
        const Question which = s.m_question;
        s.m_question = Question::None;
        if (which == Question::Level)
            levelAnswered(a);
    }

    HistorySummary summary(int autoFlag, ListType listType) const
    {
        HistorySummary h;
        h.autoFlag = static_cast<std::uint16_t>(autoFlag);
        h.words = static_cast<std::uint16_t>(s.m_wordsInPass);
        h.correct = static_cast<std::uint16_t>(s.m_correct);
        h.minLetters = static_cast<std::uint16_t>(s.m_settings.minLetters);
        h.maxLetters = static_cast<std::uint16_t>(s.m_settings.maxLetters);
        h.levelPercent = static_cast<std::uint16_t>(s.m_levelPercent);
        h.listType = static_cast<std::uint16_t>(listTypeNumber(listType));
        h.level = static_cast<std::uint16_t>(levelNumber(options().level));
        return h;
    }

    void endOfFirstPass(ListType listType)
    {
        emit(Kind::SetAnswer);
        prompt({});
        const LevelAdjustment adjustment = options().adjustment;
        const bool practice = adjustment == LevelAdjustment::Practice;
        const bool autoMode = adjustment == LevelAdjustment::Auto;
        const bool window = isDocumentList(listType);
        if (practice && !window)
            return;
        if (!window) {
            const ListApplyResult applied = ApplyListResults(*s.m_wordFile, ctx.info, ctx.user);
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
        if (s.m_wordsInPass != 0) {
            s.m_lastPercent = passPercent(s.m_correct, s.m_wordsInPass);
            const LevelChange change = adjustLetters(s.m_lastPercent, s.m_settings.promotionPercent,
                s.m_settings.demotionPercent, s.m_settings.minLetters, s.m_settings.maxLetters);
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
            if (!SaveStartupInfo(ctx.info))
                message(strings::kUnableToSaveConfig, strings::kWarning, MessageIcon::Exclamation);
        }
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
        const DrillSettings& st = s.m_settings;
        const std::string& word = s.m_currentWord;
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
        if (!s.m_learnOn) {
            prompt(s.m_currentWord);
            wordSound();
            wait(s.m_settings.wordShowSeconds * 1000);
        }
        prompt(strings::kNowMemorise);
        wait(s.m_settings.answerDelaySeconds * 1000);
        prompt(strings::kPutAnswerInBox);
        emit(Kind::SetAnswer);
        // From here on every key typed is the answer's: the light turns green as the box takes
        // the focus, and the spoken request to type plays on while the person types.
        s.m_timeLimit = s.m_settings.spellSeconds * 1000;
        emit(Kind::SetTimeLimit, s.m_timeLimit);
        light(2);
        focus(DrillFocus::Answer);
        s.m_awaitingAnswer = true;
        voicePrompt(prompt::kEnterAnswer, true);
    }

    // The part of presenting shared by both passes, from the word number on.
    void present()
    {
        displays();
        light(1);
        s.m_lastWord = s.m_nextOffset == kWordFileLastRecord;
        if (s.m_learnOn)
            learnAnimation();
        presentAndPrompt();
    }

    void takeRecordWord()
    {
        s.m_currentWord
            = s.m_settings.upperCase ? toUpper(s.m_record.word) : toLower(s.m_record.word);
        s.m_nextOffset = s.m_record.next;
    }

    void presentFirstPass()
    {
        voicePrompt(prompt::kPlease);
        if (!s.m_wordFile || !s.m_wordFile->readRecord(s.m_currentOffset, s.m_record)) {
            s.m_pending = DrillAction::Finish;
            schedule();
            return;
        }
        takeRecordWord();
        emit(Kind::SetProgress, s.m_wordsInPass - s.m_wordsDone);
        ++s.m_wordsDone;
        ++s.m_wordNumber;
        present();
    }

    enum class Found
    {
        Word,
        NoneLeft,
        Error
    };

    // From currentOffset along the chain: the next record to spell in a repeat pass.
    Found findNextWord()
    {
        if (!s.m_wordFile)
            return Found::Error;
        // The chain cannot hold more records than the file has room for: a longer walk is a loop.
        const std::uint64_t size = s.m_wordFile->file().size();
        std::uint64_t budget = size / kWordFileRecordSize + 1;
        std::uint32_t offset = s.m_currentOffset;
        while (budget-- > 0) {
            emit(Kind::SetProgress, s.m_wordsInPass - s.m_wordsDone);
            WordFileRecord r;
            if (!s.m_wordFile->readRecord(offset, r))
                return Found::Error;
            if (s.m_repeatAllWords || r.result == 0) {
                s.m_currentOffset = offset;
                s.m_record = r;
                ++s.m_wordNumber;
                ++s.m_wordsDone;
                takeRecordWord();
                return Found::Word;
            }
            if (r.next == kWordFileLastRecord)
                return Found::NoneLeft;
            offset = r.next;
            s.m_currentOffset = offset;
        }
        return Found::Error;
    }

    void presentRepeatPass()
    {
        voicePrompt(prompt::kPlease);
        switch (findNextWord()) {
        case Found::Error:
            s.m_pending = DrillAction::Finish;
            schedule();
            return;
        case Found::NoneLeft:
            wait(2000);
            s.m_pending = DrillAction::Finish;
            prompt(strings::kNoFailedWords);
            wait(2000);
            schedule();
            return;
        case Found::Word:
            break;
        }
        present();
    }

    // --- checking an answer --------------------------------------------------------------------

    void appendFailureToScrapPad()
    {
        const std::string line = " " + s.m_currentWord + "\r\n";
        if (ctx.documents.scrapPadOpen) {
            emit(Kind::InsertIntoScrapPad, 0, line);
            return;
        }
        // Page 1 of the user's scrap pad, only when it exists: it is never created here.
        QFile pad(QString::fromStdString(
            ctx.info.dataFolder() + "/progdata/spaduse" + std::to_string(ctx.user) + ".pad"));
        if (!pad.exists() || !pad.open(QIODevice::ReadWrite | QIODevice::Append))
            return;
        pad.write(line.data(), static_cast<qint64>(line.size()));
    }

    bool checkAnswer(bool repeat)
    {
        std::string answer = s.m_answer.substr(0, kMaxAnswer);
        std::string word = s.m_currentWord;
        if (!s.m_settings.upperCase) {
            answer = toLower(answer);
            word = toLower(word);
        } else {
            answer = toUpper(answer);
        }
        const bool right = answer == word;
        const std::string verdict = std::string(strings::kYouHaveSpelt) + s.m_currentWord
            + (right ? strings::kCorrectly : strings::kIncorrectly);
        if (right) {
            s.m_record.result = 1;
            ++s.m_correct;
        } else {
            s.m_record.result = 0;
            if (s.m_failuresToScrapPad)
                appendFailureToScrapPad();
        }
        s.m_record.word = toUpper(s.m_currentWord);
        s.m_record.answer = toUpper(answer);
        s.m_record.attempts = repeat
            ? static_cast<std::uint8_t>(std::min(255, s.m_record.attempts + 1))
            : std::uint8_t { 0 };
        prompt(verdict);
        emit(Kind::SetAnswer);
        displays();
        return right;
    }

    void praiseOrConsole(bool right)
    {
        const int pick = static_cast<int>(ctx.random.next() % 4u);
        voicePrompt(pick + (right ? prompt::kSuccessFirst : prompt::kFailedFirst));
    }

    bool writeBack()
    {
        if (s.m_wordFile && s.m_wordFile->writeRecord(s.m_currentOffset, s.m_record) != 0)
            return true;
        if (s.m_wordFile)
            s.m_wordFile->invalidate();
        s.m_pending = DrillAction::Finish;
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
        if (s.m_wordsDone < s.m_wordsInPass && !s.m_lastWord) {
            s.m_currentOffset = s.m_nextOffset;
            wait(s.m_settings.betweenSeconds * 1000);
            prompt({});
            s.m_pending = repeat ? DrillAction::PresentRepeat : DrillAction::Present;
        } else if (repeat) {
            wait(1000);
            emit(Kind::SetProgress, 0);
            prompt(strings::kFinished);
            wait(500);
            s.m_pending = DrillAction::Finish;
        } else {
            wait(500);
            emit(Kind::SetProgress, 0);
            endOfFirstPass(s.m_headerListType);
            // The pass's write phase ends with the list on the disk (the dictionary and the
            // history file were written through by the calls that changed them).
            if (!s.m_wordFile->finishList(
                    s.m_wordsInPass, s.m_headerListType, ListState::kSpeltOnce)
                || !s.m_wordFile->file().sync())
                s.m_wordFile->invalidate();
            wait(s.m_settings.betweenSeconds * 1000);
            prompt({});
            prompt(strings::kFinished);
            wait(500);
            s.m_pending = DrillAction::Finish;
        }
        schedule();
    }

    void finish()
    {
        s.m_awaitingAnswer = false;
        closeWordFile();
        light(0);
        s.m_firstPass = s.m_repeatPass = s.m_lastWord = false;
        prompt(strings::kPressStartOrRepeat);
        label(DrillButton::Enter, strings::kQuitLabel);
        emit(Kind::SetProgress, 0);
    }

    // --- buttons -------------------------------------------------------------------------------

    void start()
    {
        prompt(greeting());
        if (isDocumentList(s.m_listType)) {
            startWindowPass();
            return;
        }
        if (options().adjustment == LevelAdjustment::Auto) {
            switch (autoStart()) {
            case AutoDraw::Drawn:
                startDictionaryPass();
                return;
            case AutoDraw::NoWords:
                question(Question::Level, strings::kLevelQuestion, strings::kWarning,
                    MessageButtons::YesNoCancel);
                return;
            case AutoDraw::NoHistory:
                autoStartFailed();
                return;
            }
            return;
        }
        loadSettings();
        if (generateList() == 0) {
            prompt(strings::kPressStartOrRepeat);
            return;
        }
        startDictionaryPass();
    }

    // A freshly drawn dictionary list: its word file must be in the fresh state.
    void startDictionaryPass()
    {
        WordFileHeader header;
        if (!openWordFile(header)) {
            prompt(strings::kPressStartOrRepeat);
            return;
        }
        if (header.state != ListState::kFreshDictionary) {
            s.m_wordFile->invalidate();
            message(strings::kListNotValid, strings::kWarning, MessageIcon::Exclamation);
            closeWordFile();
            prompt(strings::kPressStartOrRepeat);
            return;
        }
        beginFirstPass(header);
    }

    // A list made from a bee window or the scrap pad is spelt once; after that only Repeat.
    void startWindowPass()
    {
        WordFileHeader header;
        if (!openWordFile(header)) {
            prompt(strings::kPressStartOrRepeat);
            return;
        }
        if (header.state == ListState::kSpeltOnce) {
            message(strings::kAlreadyTested, strings::kInformation);
            closeWordFile();
            prompt(strings::kPressStartOrRepeat);
            return;
        }
        s.m_wordsInPass = header.count;
        emit(Kind::SetProgressRange, s.m_wordsInPass);
        emit(Kind::SetProgress, s.m_wordsInPass);
        loadSettings();
        beginFirstPass(header);
    }

    void beginFirstPass(const WordFileHeader& header)
    {
        s.m_headerListType = listTypeFromNumber(header.listType);
        s.m_pending = DrillAction::Present;
        s.m_wordsDone = s.m_correct = s.m_wordNumber = 0;
        s.m_lastWord = false;
        deriveLevel();
        displays();
        s.m_currentOffset = s.m_nextOffset = header.firstOffset;
        s.m_firstPass = true;
        label(DrillButton::Enter, strings::kEnterLabel);
        emit(Kind::ScheduleStep, 0);
    }

    void repeat()
    {
        prompt(greeting());
        wait(1000);
        loadSettings();
        s.m_pending = DrillAction::PresentRepeat;
        s.m_wordNumber = s.m_correct = s.m_wordsDone = 0;
        s.m_nextOffset = 0;
        s.m_lastWord = false;
        WordFileHeader header;
        if (!openWordFile(header)) {
            prompt(strings::kPressStartOrRepeat);
            return;
        }
        if (header.state != ListState::kSpeltOnce) {
            message(strings::kNoFileToRepeat, strings::kInformation);
            closeWordFile();
            prompt(strings::kPressStartOrRepeat);
            return;
        }
        s.m_wordsInPass = header.count;
        const std::uint32_t first = s.m_wordFile->readFirstOffset();
        if (first == kWordFileLastRecord) {
            message(strings::kListNotValid, strings::kInformation);
            closeWordFile();
            prompt(strings::kPressStartOrRepeat);
            return;
        }
        s.m_currentOffset = s.m_nextOffset = first;
        if (options().repeat == RepeatControl::Failures) {
            std::vector<WordFileEntry> entries;
            if (!s.m_wordFile->readList(entries)) {
                message(strings::kListNotValid, strings::kInformation);
                closeWordFile();
                prompt(strings::kPressStartOrRepeat);
                return;
            }
            const auto failed = std::count_if(entries.begin(), entries.end(),
                [](const WordFileEntry& e) { return e.record.result == 0; });
            if (failed == 0) {
                prompt(strings::kNoFailedWords);
                wait(2000);
                prompt(strings::kPressStartOrRepeat);
                closeWordFile();
                return;
            }
            s.m_repeatAllWords = false;
            s.m_wordsInPass = static_cast<int>(failed);
        } else {
            s.m_repeatAllWords = true;
        }
        s.m_headerListType = listTypeFromNumber(header.listType);
        emit(Kind::SetProgressRange, s.m_wordsInPass);
        emit(Kind::SetProgress, 0);
        loadSettings();
        displays();
        label(DrillButton::Enter, strings::kEnterLabel);
        s.m_repeatPass = true;
        emit(Kind::ScheduleStep, 0);
    }

    void enter(const std::string& answer)
    {
        if (!s.passRunning()) {
            closeWordFile();
            s.m_closed = true;
            emit(Kind::Close);
            return;
        }
        // An Enter that was typed ahead, before the next word was even shown, would judge that
        // word wrong unseen: it only moves the focus back to the answer box.
        if ((s.m_pending == DrillAction::Present || s.m_pending == DrillAction::PresentRepeat)
            && !s.m_awaitingAnswer) {
            focus(DrillFocus::Answer);
            return;
        }
        s.m_awaitingAnswer = false;
        switch (s.m_pending) {
        case DrillAction::Present:
            s.m_answer = answer;
            light(0);
            s.m_pending = DrillAction::Check;
            focus(DrillFocus::Start);
            break;
        case DrillAction::PresentRepeat:
            s.m_answer = answer;
            s.m_pending = DrillAction::CheckRepeat;
            focus(DrillFocus::Repeat);
            break;
        case DrillAction::Check:
            light(0);
            s.m_pending = DrillAction::Finish;
            break;
        default:
            s.m_pending = DrillAction::Finish;
            break;
        }
        schedule();
    }

    void stop()
    {
        prompt(strings::kUserStopped);
        wait(1000);
        s.m_pending = DrillAction::Finish;
        finish();
    }

    void soundLabel()
    {
        label(DrillButton::Sound,
            s.soundOn() && ctx.soundUsable ? strings::kDrillSoundOn : strings::kDrillSoundOff);
    }

    void button(DrillButton b, const std::string& answer)
    {
        const bool idle = !s.passRunning();
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
                emit(Kind::OpenHelp, 3200);
            else
                focus(DrillFocus::Answer);
            return;
        case DrillButton::Sound:
            s.m_soundOn = ctx.soundUsable && !s.m_soundOn;
            soundLabel();
            return;
        case DrillButton::FailuresToScrapPad:
            s.m_failuresToScrapPad = !s.m_failuresToScrapPad;
            label(b, s.m_failuresToScrapPad ? strings::kFailuresOn : strings::kFailuresOff);
            return;
        case DrillButton::Learn:
            s.m_learnOn = !s.m_learnOn;
            label(b, s.m_learnOn ? strings::kLearnOnLabel : strings::kLearnOffLabel);
            return;
        case DrillButton::ChangeColours:
            if (!idle) {
                focus(DrillFocus::Answer);
                return;
            }
            s.m_colourScheme = (s.m_colourScheme + 1) % 6;
            ctx.info.setDrillWindowLayout(ctx.user, static_cast<std::uint16_t>(s.m_colourScheme));
            emit(Kind::SetColourScheme, s.m_colourScheme);
            return;
        }
    }

    void open()
    {
        const int layout = ctx.info.drillWindowLayout(ctx.user);
        s.m_colourScheme = layout >= 0 && layout <= 5 ? layout : 0;
        emit(Kind::SetColourScheme, s.m_colourScheme);
        loadSettings();
        deriveLevel();
        displays();
        s.m_learnOn = false;
        s.m_failuresToScrapPad = false;
        label(DrillButton::Learn, strings::kLearnOffLabel);
        label(DrillButton::FailuresToScrapPad, strings::kFailuresOff);
        s.m_soundOn = ctx.soundUsable && ctx.info.soundOn(ctx.user) == 1;
        soundLabel();
        ctx.random.seed(ctx.clock.ticks());
        s.m_pending = DrillAction::Finish;
        finish();
    }

    void timeOut()
    {
        if (!s.passRunning())
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
        switch (s.m_pending) {
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
        s.m_pending = DrillAction::Finish;
        schedule();
    }
};

DrillSession::DrillSession(DrillContext context)
    : m_ctx(std::move(context))
{ }

DrillSession::~DrillSession()
{
    if (m_wordFile)
        m_wordFile->close();
}

DrillEffects DrillSession::handle(const DrillEvent& event)
{
    // While a list is being generated only Stop (noted for the generation) and Enter (back to
    // the answer box) are heard; this call comes from inside the generation's progress report.
    if (m_busy) {
        if (event.kind == DrillEvent::Kind::Button && event.button == DrillButton::Stop)
            m_stopRequested = true;
        if (event.kind == DrillEvent::Kind::Button && event.button == DrillButton::Enter)
            return { DrillEffect {
                DrillEffect::Kind::Focus, static_cast<int>(DrillFocus::Answer) } };
        return {};
    }
    // While a question waits for its answer only the answer and Stop count; Stop drops the
    // question.
    if (m_question != Question::None) {
        const bool stop
            = event.kind == DrillEvent::Kind::Button && event.button == DrillButton::Stop;
        if (event.kind != DrillEvent::Kind::Answer && !stop)
            return {};
        if (stop)
            m_question = Question::None;
    }
    return run(event);
}

DrillEffects DrillSession::run(const DrillEvent& event)
{
    DrillEffects effects;
    Impl impl { *this, effects, m_ctx };
    switch (event.kind) {
    case DrillEvent::Kind::Open:
        impl.open();
        break;
    case DrillEvent::Kind::Step:
        impl.step();
        break;
    case DrillEvent::Kind::Button:
        impl.button(event.button, event.answer);
        break;
    case DrillEvent::Kind::TimeOut:
        impl.timeOut();
        break;
    case DrillEvent::Kind::SoundFailed:
        m_soundOn = false;
        impl.soundLabel();
        break;
    case DrillEvent::Kind::Answer:
        impl.answered(event.reply);
        break;
    }
    return effects;
}

} // namespace quorvel
