// The drill's response times, on the starter dictionary copied to a scratch folder with every
// display time 0 and no sound:
//   a) from an answer's Enter to the verdict: press(Enter) and the check step it schedules, on a
//      running first pass (the engine and the write of the word file's record);
//   b) from Start to the first word shown for a 50-word Random list: press(Start), which draws
//      the list into the word file, and the steps until the prompt line shows the word.
//   c) from a word's turn to its first sample on the sound device, for words without a recording:
//      the step that presents the word, espeak-ng speaking it and the samples queued on SDL's
//      output (the dummy driver unless SDL_AUDIODRIVER says otherwise), on the large dictionary
//      when one is given. Printed beside its 60 ms target.
// a) and b) are printed beside the 5 ms target.
//
//   quorvel_drill_bench --starter=DICTIONARY [--large=DICTIONARY] [--work-dir=DIR] [flags]
//
// The dictionary may also come from QUORVEL_BENCH_STARTER. It is only read: the drill works on a
// copy, removed at the end.

#include "stepping_clock.h"

#include "audio/sdl_sound_device.h"
#include "config/startup_info.h"
#include "drill/drill_session.h"
#include "speech/espeak_synthesizer.h"
#include "strings/drill_strings.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

using namespace quorvel;
namespace fs = std::filesystem;
using bench::SteppingClock;

constexpr double kTargetMs = 5.0;
constexpr double kSpeechTargetMs = 60.0;
constexpr int kListSize = 50;
constexpr int kUser = 0;

std::string g_folder; // the scratch installation
std::string g_speechFolder; // the one the spoken words are drawn from (the large dictionary's)

// A message box during a measured run means the run did not do what it should.
class CountingPrompter final : public Prompter
{
public:
    MessageAnswer show(
        const std::string& text, const std::string&, MessageIcon, MessageButtons buttons) override
    {
        ++shown;
        last = text;
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
    }
    int shown = 0;
    std::string last;
};

// One drill window on the scratch installation, in Practice mode (a first pass then leaves the
// dictionary and the history alone, so every pass is like the first).
class Drill
{
public:
    // `speech`: sound on, and words without a recording spoken.
    explicit Drill(const std::string& folder = g_folder, bool speech = false)
    {
        if (ReadStartupInfo(m_info, folder) != kStartupRead)
            throw std::runtime_error("cannot read the startup record in " + folder);
        if (speech)
            m_info.setSoundOn(kUser, 1);
        DrillContext context { m_info, m_documents, kUser, folder, m_clock, m_random, speech,
            nullptr };
        context.speechOn = speech;
        m_session = std::make_unique<DrillSession>(context);
        settle(m_session->open());
    }

    DrillSession& session() { return *m_session; }
    CountingPrompter& prompter() { return m_prompter; }

    // Runs the steps the effects ask for until the drill waits for the person. False when a
    // message box was among them.
    bool settle(DrillEffects effects)
    {
        bool quiet = true;
        for (;;) {
            bool again = false;
            for (const DrillEffect& e : effects) {
                if (e.kind == DrillEffect::Kind::Message) {
                    quiet = false;
                    m_prompter.last = e.text;
                }
                again = again || e.kind == DrillEffect::Kind::ScheduleStep;
            }
            if (!again)
                return quiet;
            effects = m_session->step();
        }
    }

    // Start, up to the first answer asked for.
    bool start()
    {
        return settle(m_session->press(DrillButton::Start)) && m_session->passRunning();
    }

private:
    StartupInfo m_info;
    DocumentState m_documents;
    SteppingClock m_clock;
    DefaultRandomSource m_random;
    CountingPrompter m_prompter;
    std::unique_ptr<DrillSession> m_session;
};

bool hasVerdict(const DrillEffects& effects)
{
    for (const DrillEffect& e : effects) {
        if (e.kind == DrillEffect::Kind::ShowPrompt && e.text.rfind(strings::kYouHaveSpelt, 0) == 0)
            return true;
    }
    return false;
}

void a_enter_to_verdict(benchmark::State& state)
{
    Drill drill;
    DrillSession& s = drill.session();
    if (!drill.start()) {
        state.SkipWithError(("Start failed: " + drill.prompter().last).c_str());
        return;
    }
    int answered = 0;
    for (auto _ : state) {
        // The last word's check also ends the pass (the list finished, the level work): that is
        // not an answer's response, so it is answered here unmeasured and a new pass begins.
        while (s.displays().wordNumber >= s.wordsInPass()) {
            drill.settle(s.press(DrillButton::Enter, s.currentWord()));
            if (!drill.start()) {
                state.SkipWithError(("Start failed: " + drill.prompter().last).c_str());
                return;
            }
        }
        // Every other answer is wrong, so both verdicts are measured.
        const std::string answer = answered++ % 2 ? std::string("X") : s.currentWord();
        const auto begin = std::chrono::steady_clock::now();
        DrillEffects pressed = s.press(DrillButton::Enter, answer);
        DrillEffects checked = s.step();
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - begin).count());
        if (!hasVerdict(checked)) {
            state.SkipWithError("the check step showed no verdict");
            return;
        }
        benchmark::DoNotOptimize(pressed);
        // On to the next word (unmeasured).
        drill.settle(std::move(checked));
    }
    state.counters["words_in_pass"] = s.wordsInPass();
}
BENCHMARK(a_enter_to_verdict)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(500)
    ->Repetitions(5);

void b_start_to_first_word(benchmark::State& state)
{
    Drill drill;
    DrillSession& s = drill.session();
    int words = 0;
    for (auto _ : state) {
        const auto begin = std::chrono::steady_clock::now();
        DrillEffects effects = s.press(DrillButton::Start);
        bool shown = false;
        while (!shown) {
            bool again = false;
            for (const DrillEffect& e : effects) {
                shown = shown
                    || (e.kind == DrillEffect::Kind::ShowPrompt && !s.currentWord().empty()
                        && e.text == s.currentWord());
                again = again || e.kind == DrillEffect::Kind::ScheduleStep;
            }
            if (shown || !again)
                break;
            effects = s.step();
        }
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - begin).count());
        if (!shown) {
            state.SkipWithError(("no word shown: " + drill.prompter().last).c_str());
            return;
        }
        words = s.wordsInPass();
        // Back to idle (unmeasured): the rest of the present step, then Stop.
        drill.settle(std::move(effects));
        drill.settle(s.press(DrillButton::Stop));
    }
    state.counters["words_in_list"] = words;
}
BENCHMARK(b_start_to_first_word)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(50)
    ->Repetitions(5);

const DrillEffect* speakEffect(const DrillEffects& effects)
{
    for (const DrillEffect& e : effects) {
        if (e.kind == DrillEffect::Kind::Speak)
            return &e;
    }
    return nullptr;
}

void c_word_turn_to_first_sample(benchmark::State& state)
{
    services::EspeakSynthesizer& speech = services::programSynthesizer();
    if (!speech.available()) {
        state.SkipWithError(("no speech: " + speech.unavailableReason()).c_str());
        return;
    }
    services::SdlSoundDevice device;
    Drill drill(g_speechFolder, true);
    DrillSession& s = drill.session();
    if (!drill.start()) {
        state.SkipWithError(("Start failed: " + drill.prompter().last).c_str());
        return;
    }
    std::string error;
    double spokenMs = 0;
    int spoken = 0;
    for (auto _ : state) {
        // Answer the word asked for and go on (unmeasured) up to the step that presents the
        // next one; a finished pass begins again.
        DrillEffects effects = s.press(DrillButton::Enter, s.currentWord());
        const DrillEffect* speak = nullptr;
        std::chrono::steady_clock::duration turn {};
        for (int guard = 0; !speak && guard < 1000; ++guard) {
            bool again = false;
            for (const DrillEffect& e : effects)
                again = again || e.kind == DrillEffect::Kind::ScheduleStep;
            if (!again) {
                if (!drill.start()) {
                    state.SkipWithError(("Start failed: " + drill.prompter().last).c_str());
                    return;
                }
                effects = s.press(DrillButton::Enter, s.currentWord());
                continue;
            }
            const auto begin = std::chrono::steady_clock::now();
            effects = s.step();
            turn = std::chrono::steady_clock::now() - begin;
            speak = speakEffect(effects);
        }
        if (!speak) {
            state.SkipWithError("no word was spoken");
            return;
        }
        const auto begin = std::chrono::steady_clock::now();
        SpeechSamples samples;
        if (!speech.synthesize(speak->text, static_cast<Language>(speak->value), samples, error)
            || device.playSamples(
                   samples.samples.data(), samples.samples.size(), samples.rate, error)
                != PlayStart::Started) {
            state.SkipWithError(("speaking failed: " + error).c_str());
            return;
        }
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - begin + turn).count());
        spokenMs += 1000.0 * static_cast<double>(samples.samples.size()) / samples.rate;
        ++spoken;
        device.stop();
        // The rest of the present step, up to the answer asked for (unmeasured).
        drill.settle(std::move(effects));
    }
    // How long the spoken words last: a word said in a few milliseconds would be no word.
    state.counters["spoken_ms"] = spoken > 0 ? spokenMs / spoken : 0;
}
BENCHMARK(c_word_turn_to_first_sample)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(30)
    ->Repetitions(5);

// The console as usual, then each figure (the median of the repetitions) beside the target.
class TargetReporter final : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        benchmark::ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
            if (run.error_occurred || (!median && !single))
                continue;
            m_ms[run.run_name.function_name]
                = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e3;
        }
    }

    void Finalize() override
    {
        benchmark::ConsoleReporter::Finalize();
        struct Row
        {
            const char* name;
            const char* title;
            double target;
        };
        const Row rows[] = {
            { "a_enter_to_verdict", "a) Enter to the verdict (engine + word-file write)",
                kTargetMs },
            { "b_start_to_first_word", "b) Start to the first word, 50-word Random list",
                kTargetMs },
            { "c_word_turn_to_first_sample", "c) A word's turn to its first spoken sample",
                kSpeechTargetMs },
        };
        std::printf(
            "\n%-52s %12s %10s %8s\n", "median of the repetitions", "ours (ms)", "target", "ratio");
        for (const auto& [name, title, target] : rows) {
            const auto it = m_ms.find(name);
            if (it == m_ms.end()) {
                std::printf("%-52s %12s %9.0f ms %8s\n", title, "-", target, "-");
                continue;
            }
            std::printf("%-52s %12.4f %9.0f ms %8.4f  %s\n", title, it->second, target,
                it->second / target, it->second <= target ? "met" : "NOT MET");
        }
    }

private:
    std::map<std::string, double> m_ms;
};

// The installation the drills run in: the dictionary copied in, a startup record whose user 0
// draws 50-word Random lists with every display time 0, in Practice mode.
void prepare(const std::string& dictionary, const std::string& folder)
{
    fs::create_directories(fs::path(folder) / "progdata");
    fs::copy_file(dictionary, fs::path(folder) / "progdata" / "sonddict.dis");
    StartupInfo info;
    if (!CreateStartupInfo(info, folder))
        throw std::runtime_error("cannot create the startup record in " + folder);
    ListSetupRecord list = info.listSetup(kUser);
    list.listSize = std::to_string(kListSize);
    list.typeRandom = 1;
    list.typeOneLetter = list.typePredefined = list.typeFailures = 0;
    info.setListSetup(kUser, list);
    DisplaySetupRecord display = info.displaySetup(kUser);
    display.wordShowTime = display.answerDelay = display.betweenWords = "0";
    display.spellTime = "60";
    info.setDisplaySetup(kUser, display);
    ListOptionsRecord options = info.listOptions(kUser);
    options.adjustPractice = 1;
    options.adjustManual = options.adjustAuto = 0;
    info.setListOptions(kUser, options);
    info.setSoundOn(kUser, 0);
    if (!WriteStartupInfo(info, true, folder))
        throw std::runtime_error("cannot write the startup record in " + folder);
}

} // namespace

int main(int argc, char** argv)
{
    std::string starter, large, workDir;
    if (const char* env = std::getenv("QUORVEL_BENCH_STARTER"))
        starter = env;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a.rfind("--starter=", 0) == 0)
            starter = a.substr(10);
        else if (a.rfind("--large=", 0) == 0)
            large = a.substr(8);
        else if (a.rfind("--work-dir=", 0) == 0)
            workDir = a.substr(11);
    }
    if (starter.empty()) {
        std::cerr << "usage: " << argv[0]
                  << " --starter=DICTIONARY [--large=DICTIONARY] [--work-dir=DIR] [flags]\n"
                     "(or QUORVEL_BENCH_STARTER)\n";
        return 2;
    }
    // Our own options are not Google Benchmark's.
    int count = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a.rfind("--starter=", 0) != 0 && a.rfind("--large=", 0) != 0
            && a.rfind("--work-dir=", 0) != 0)
            argv[count++] = argv[i];
    }
    benchmark::Initialize(&count, argv);
    if (benchmark::ReportUnrecognizedArguments(count, argv))
        return 2;

    std::error_code ec;
    const fs::path base = workDir.empty() ? fs::temp_directory_path(ec) : fs::path(workDir);
    const fs::path scratch = base / ("quorvel-bench-drill-" + std::to_string(::getpid()));
    int status = 0;
    try {
        g_folder = (scratch / "install").string();
        prepare(starter, g_folder);
        benchmark::AddCustomContext("starter_dictionary", starter);
        g_speechFolder = g_folder;
        if (!large.empty()) {
            g_speechFolder = (scratch / "large").string();
            prepare(large, g_speechFolder);
            benchmark::AddCustomContext("large_dictionary", large);
        }
        // No loudspeaker is needed to measure: the samples go to SDL's silent driver.
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        TargetReporter reporter;
        benchmark::RunSpecifiedBenchmarks(&reporter);
        benchmark::Shutdown();
    } catch (const std::exception& e) {
        std::cerr << "drill benchmarks: " << e.what() << "\n";
        status = 1;
    }
    fs::remove_all(scratch, ec);
    return status;
}
