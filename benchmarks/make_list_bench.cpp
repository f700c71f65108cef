// Making a drill list from a 20 MB text (target: under 20 ms), beside what a user would otherwise
// run to pull the words out of the same file: `grep -oE '[[:alpha:]]+' FILE | sort -u`.
//
//   a) MakeListFromText over the whole text when the user's letters range (12 to 37) fits only
//      the 50 words at its very end, so every character is scanned; the word file is written;
//   b) the same with a range of 3 to 37 letters: every word of the text is tested, and all but the
//      first twenty and the last thirty are repeats of words already taken;
//   c) reading and decoding the 20 MB file (readTextFile), which a window does once on opening;
//   d) the grep and sort pipeline over the file, run through the shell;
//   e) opening the file in a bee window (target: under 1 s): read, decoded, put in the editor
//      and painted, so the text is shown and can be typed into.
//
//   quorvel_make_list_bench [--work-dir=DIR] [benchmark flags]
//
// The text is generated (the same bytes every run) in a scratch folder, removed at the end.

#include "app/session.h"
#include "common/ui_services.h"
#include "config/startup_info.h"
#include "documents/document_editor.h"
#include "documents/make_list.h"
#include "documents/text_document.h"
#include "documents/text_document_window.h"
#include "drill/drill_settings.h"
#include "platform/services.h"

#include <QAction>
#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <unistd.h>

namespace {

using namespace quorvel;
namespace fs = std::filesystem;

constexpr std::size_t kTextBytes = std::size_t(20) << 20;
constexpr int kListSize = 50;

std::string g_folder; // the scratch folder: progdata/ and the text file
std::string g_textPath;
QString g_text;

// Running prose of short words (3 to 10 letters) with punctuation, capitals and CRLF lines, and
// at the very end fifty words of 12 letters and more.
std::string makeText()
{
    static const char* const kWords[] = { "the", "spelling", "bee", "teacher", "children",
        "because", "believe", "school", "weekly", "knowledge", "animal", "garden", "kite", "river",
        "island", "mountain", "yellow", "orange", "friday", "between" };
    std::mt19937 random(12345);
    std::string text;
    text.reserve(kTextBytes + 4096);
    int onLine = 0;
    while (text.size() < kTextBytes - 2048) {
        std::string word = kWords[random() % std::size(kWords)];
        if (random() % 8 == 0)
            word[0] = static_cast<char>(word[0] - 'a' + 'A');
        text += word;
        const auto r = random() % 16;
        text += r == 0 ? ", " : r == 1 ? ". " : r == 2 ? "'s " : " ";
        if (++onLine == 12) {
            text += "\r\n";
            onLine = 0;
        }
    }
    text += "\r\n";
    for (int i = 0; i < kListSize; ++i) {
        std::string word = "extraordinary";
        word += static_cast<char>('a' + i / 26);
        word += static_cast<char>('a' + i % 26);
        text += word + " ";
    }
    text += "\r\n";
    return text;
}

StartupInfo listSetupInfo(int minLetters, int maxLetters)
{
    StartupInfo info;
    FillStartupDefaults(info, g_folder);
    info.setDataFolder(g_folder);
    ListSetup setup = ListSetup::read(info, 0);
    setup.listSize = kListSize;
    setup.minLetters = minLetters;
    setup.maxLetters = maxLetters;
    setup.write(info, 0);
    return info;
}

void makeList(benchmark::State& state, int minLetters, int maxLetters)
{
    const StartupInfo info = listSetupInfo(minLetters, maxLetters);
    DocumentState documents;
    for (auto _ : state) {
        const MakeListOutcome made = MakeListFromText(
            g_text, TextSelection::caret(0), ListType::Window, info, 0, documents);
        if (made.result != MakeListResult::kMade || made.words.size() != std::size_t(kListSize)) {
            state.SkipWithError("no list of fifty words was made");
            return;
        }
        benchmark::DoNotOptimize(made);
    }
    state.SetBytesProcessed(
        static_cast<std::int64_t>(state.iterations()) * g_text.size() * qsizetype(sizeof(QChar)));
}

void BM_a_MakeListWholeText(benchmark::State& state)
{
    makeList(state, 12, 37);
}

void BM_b_MakeListRepeatedWords(benchmark::State& state)
{
    makeList(state, 3, 37);
}

void BM_c_ReadTextFile(benchmark::State& state)
{
    for (auto _ : state) {
        const TextReadResult read = readTextFile(g_textPath);
        if (!read || read.document.text.size() != g_text.size()) {
            state.SkipWithError("the text was not read back whole");
            return;
        }
        benchmark::DoNotOptimize(read);
    }
}

void BM_d_GrepSortUnique(benchmark::State& state)
{
    const std::string command
        = "LC_ALL=C.UTF-8 grep -oE '[[:alpha:]]+' '" + g_textPath + "' | sort -u > /dev/null";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("grep or sort failed");
            return;
        }
    }
}

// What a bee window asks of the main window, answered by nobody: the window alone is timed.
struct QuietHost final : ui::DocumentHost, Prompter, ui::Asker, ui::HelpService
{
    Session session;
    SystemClock systemClock;
    ui::UiContext context() override { return { session, *this, *this, *this }; }
    Clock& clock() override { return systemClock; }
    QAction* commandAction(int) override { return nullptr; }
    void commandStatesChanged() override { }
    void savedAs(const std::string&) override { }
    void listStatusChanged() override { }
    void overwritingChanged(const QWidget*, bool) override { }
    void openFiles(const QStringList&) override { }
    MessageAnswer show(const std::string&, const std::string&, MessageIcon, MessageButtons) override
    {
        return MessageAnswer::Ok;
    }
    bool askPassword(const StartupInfo&, PasswordRequest&) override { return false; }
    std::optional<std::string> askText(
        const std::string&, const std::string&, int, CharacterSet, const std::string&) override
    {
        return std::nullopt;
    }
    std::optional<std::string> askOpenFile(
        const std::string&, const std::string&, const std::string&) override
    {
        return std::nullopt;
    }
    std::optional<std::string> askSaveFile(
        const std::string&, const std::string&, const std::string&) override
    {
        return std::nullopt;
    }
    void showContext(int) override { }
    void showIndex() override { }
    void showUsingHelp() override { }
};

void BM_e_OpenInBeeWindow(benchmark::State& state)
{
    QuietHost host;
    for (auto _ : state) {
        auto window = std::make_unique<ui::TextDocumentWindow>(host, ui::DocumentKind::BeeList);
        const TextReadResult read = readTextFile(g_textPath);
        if (!read) {
            state.SkipWithError("the text was not read");
            return;
        }
        window->startWithFile(g_textPath, read.document);
        window->resize(800, 600);
        window->show();
        window->editor()->setFocus();
        window->editor()->viewport()->repaint();
        QApplication::processEvents();
        if (window->editor()->isReadOnly()
            || window->editor()->document()->characterCount() != g_text.size() + 1) {
            state.SkipWithError("the window does not hold the whole text");
            return;
        }
        // Closing the window is not part of opening it.
        state.PauseTiming();
        window.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

BENCHMARK(BM_a_MakeListWholeText)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_b_MakeListRepeatedWords)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_c_ReadTextFile)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_d_GrepSortUnique)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_e_OpenInBeeWindow)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    // The bee window is drawn off screen: no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::string workDir = fs::temp_directory_path().string();
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--work-dir=", 0) == 0)
            workDir = arg.substr(11);
    }
    g_folder = workDir + "/quorvel-make-list-bench-" + std::to_string(getpid());
    fs::create_directories(g_folder + "/progdata");
    g_textPath = g_folder + "/story.txt";
    {
        const std::string text = makeText();
        std::ofstream(g_textPath, std::ios::binary)
            .write(text.data(), static_cast<std::streamsize>(text.size()));
    }
    const TextReadResult read = readTextFile(g_textPath);
    if (!read) {
        std::cerr << textReadMessage(g_textPath, read) << "\n";
        fs::remove_all(g_folder);
        return 1;
    }
    g_text = read.document.text;
    std::cout << "text: " << fs::file_size(g_textPath) << " bytes, " << g_text.size()
              << " characters; targets: a list under 20 ms, the bee window open under 1 s\n";

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fs::remove_all(g_folder);
    return 0;
}
