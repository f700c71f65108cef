// Start-up of the program on a staged installation: from the splash window to the main window
// shown, with the startup record read, the dictionary found and the boxes and status bar filled.
// Each repetition builds the whole run again in-process; the resident memory is read after the
// first start. The installation is copied to a scratch folder first, so the staged one is never
// changed.
//
//   QT_QPA_PLATFORM=offscreen quorvel_startup_bench --install=stage [benchmark flags]

#include "app/application.h"
#include "app/main_frame.h"
#include "app/splash_window.h"
#include "config/startup_info.h"
#include "platform/services.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

namespace {

std::string g_folder;

// Answers every message box with its first button; a start that shows one is a failed run.
class CountingPrompter final : public quorvel::Prompter
{
public:
    quorvel::MessageAnswer show(const std::string& text, const std::string&, quorvel::MessageIcon,
        quorvel::MessageButtons buttons) override
    {
        ++shown;
        last = text;
        return buttons == quorvel::MessageButtons::YesNo ? quorvel::MessageAnswer::Yes
                                                         : quorvel::MessageAnswer::Ok;
    }
    int shown = 0;
    std::string last;
};

long residentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return -1;
}

bool copyTree(const QString& from, const QString& to)
{
    QDir source(from);
    if (!QDir().mkpath(to))
        return false;
    for (const QFileInfo& e : source.entryInfoList(QDir::NoDotAndDotDot | QDir::AllEntries)) {
        const QString target = to + QLatin1Char('/') + e.fileName();
        if (e.isDir()) {
            if (!copyTree(e.filePath(), target))
                return false;
        } else if (!QFile::copy(e.filePath(), target)) {
            return false;
        }
    }
    return true;
}

bool startOnce(CountingPrompter& prompter)
{
    auto* splash = new quorvel::ui::SplashWindow;
    splash->showNow();
    quorvel::ui::QuorvelRuntime runtime(g_folder, { &prompter, nullptr, nullptr });
    const bool started = runtime.start();
    QApplication::processEvents();
    const bool shown = runtime.frame().isVisible();
    runtime.frame().setQuitCheck([] { return true; });
    runtime.frame().close();
    splash->close();
    QApplication::processEvents();
    return started && shown;
}

void startup_to_main_window(benchmark::State& state)
{
    CountingPrompter prompter;
    for (auto _ : state) {
        if (!startOnce(prompter)) {
            state.SkipWithError(("start failed: " + prompter.last).c_str());
            return;
        }
    }
    state.counters["messages"] = prompter.shown;
}
BENCHMARK(startup_to_main_window)->Unit(benchmark::kMillisecond)->Iterations(20)->Repetitions(5);

} // namespace

int main(int argc, char** argv)
{
    std::string install;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--install=", 10) == 0)
            install = argv[i] + 10;
    }
    if (install.empty()) {
        std::fprintf(stderr, "usage: quorvel_startup_bench --install=<staged folder>\n");
        return 2;
    }
    benchmark::Initialize(&argc, argv);
    QApplication app(argc, argv);

    QTemporaryDir scratch;
    g_folder = scratch.path().toStdString() + "/quorvel";
    if (!copyTree(QString::fromStdString(install), QString::fromStdString(g_folder))) {
        std::fprintf(stderr, "cannot copy %s\n", install.c_str());
        return 1;
    }
    // A start after the first: the record exists, so no first-run dialog waits for an answer.
    quorvel::StartupInfo info;
    if (!quorvel::CreateStartupInfo(info, g_folder)) {
        std::fprintf(stderr, "cannot create the startup record in %s\n", g_folder.c_str());
        return 1;
    }

    CountingPrompter first;
    const long before = residentKiB();
    QElapsedTimer cold;
    cold.start();
    const bool ok = startOnce(first);
    const double coldMs = static_cast<double>(cold.nsecsElapsed()) / 1e6;
    const long after = residentKiB();
    std::printf("first start: %s in %.1f ms (cold: fonts, styles and plugins load)\n"
                "resident memory after it: %.1f MiB (%.1f MiB before it); limit 80 MiB\n",
        ok ? "ok" : first.last.c_str(), coldMs, static_cast<double>(after) / 1024.0,
        static_cast<double>(before) / 1024.0);

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("limit: 150 ms from the splash to the main window shown\n");
    return ok ? 0 : 1;
}
