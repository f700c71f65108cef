#include "comparison_reporter.h"

#include <algorithm>
#include <cstdio>
#include <ostream>

namespace quorvel::bench {

namespace {

constexpr const char* kOurs = "ours";
constexpr const char* kPeer = "sqlite";
constexpr const char* kLimit = "map";

double toNanoseconds(double value, benchmark::TimeUnit unit)
{
    switch (unit) {
    case benchmark::kNanosecond:
        return value;
    case benchmark::kMicrosecond:
        return value * 1e3;
    case benchmark::kMillisecond:
        return value * 1e6;
    case benchmark::kSecond:
        return value * 1e9;
    }
    return value;
}

// Three significant digits in a unit that keeps the number readable.
std::string formatTime(double ns)
{
    if (ns < 0)
        return "-";
    char buffer[32];
    const char* unit = "ns";
    double value = ns;
    if (ns >= 1e9) {
        value = ns / 1e9;
        unit = "s";
    } else if (ns >= 1e6) {
        value = ns / 1e6;
        unit = "ms";
    } else if (ns >= 1e3) {
        value = ns / 1e3;
        unit = "us";
    }
    std::snprintf(buffer, sizeof buffer,
        value >= 100      ? "%.0f %s"
            : value >= 10 ? "%.1f %s"
                          : "%.2f %s",
        value, unit);
    return buffer;
}

std::string formatRatio(double numerator, double denominator)
{
    if (numerator < 0 || denominator <= 0)
        return "-";
    char buffer[32];
    const double ratio = numerator / denominator;
    std::snprintf(buffer, sizeof buffer, ratio >= 100 ? "%.0fx" : "%.2fx", ratio);
    return buffer;
}

std::string padRight(const std::string& text, std::size_t width)
{
    return text.size() >= width ? text + " " : text + std::string(width - text.size(), ' ');
}

std::string padLeft(const std::string& text, std::size_t width)
{
    return text.size() >= width ? " " + text : std::string(width - text.size(), ' ') + text;
}

} // namespace

ComparisonReporter::ComparisonReporter(
    std::vector<Scenario> scenarios, std::vector<DictionarySize> dictionaries, std::string peerNote)
    : benchmark::ConsoleReporter(benchmark::ConsoleReporter::OO_Tabular)
    , m_scenarios(std::move(scenarios))
    , m_dictionaries(std::move(dictionaries))
    , m_peerNote(std::move(peerNote))
{ }

void ComparisonReporter::ReportRuns(const std::vector<Run>& reports)
{
    // The console gets the medians only (the JSON file keeps every repetition); errors always.
    std::vector<Run> shown;
    for (const Run& run : reports) {
        const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
        if (run.error_occurred) {
            shown.push_back(run);
            continue;
        }
        if (!median && !single)
            continue;
        shown.push_back(run);
        m_nanoseconds[run.run_name.function_name]
            = toNanoseconds(run.GetAdjustedRealTime(), run.time_unit);
    }
    if (!shown.empty())
        benchmark::ConsoleReporter::ReportRuns(shown);
}

double ComparisonReporter::figure(const std::string& scenario, const std::string& dictionary,
    const std::string& implementation) const
{
    std::string measured = scenario;
    if (implementation != kPeer) {
        for (const Scenario& s : m_scenarios) {
            if (s.id == scenario && !s.sameWorkAs.empty())
                measured = s.sameWorkAs;
        }
    }
    const auto it = m_nanoseconds.find(measured + "/" + dictionary + "/" + implementation);
    return it == m_nanoseconds.end() ? -1.0 : it->second;
}

void ComparisonReporter::Finalize()
{
    std::ostream& out = GetOutputStream();
    out << "\n";
    printTable(out);
    printGrowth(out);
    printTargets(out);
    out.flush();
    benchmark::ConsoleReporter::Finalize();
}

void ComparisonReporter::printTable(std::ostream& out) const
{
    out << "Dictionary benchmarks: median real time per operation\n";
    out << "SQLite peer: " << m_peerNote << "\n";
    out << "ours: the dictionary file through quorvel_core; map: std::unordered_map + vector in "
           "memory (the limit)\n";
    out << "speed-up = SQLite / ours (above 1: ours is faster); ours/map = how far ours is from "
           "the limit\n\n";
    out << padRight("scenario", 36) << padRight("dictionary", 12) << padLeft("words", 9)
        << padLeft("ours", 11) << padLeft("SQLite", 11) << padLeft("map", 11)
        << padLeft("speed-up", 10) << padLeft("ours/map", 10) << "\n";
    for (const Scenario& s : m_scenarios) {
        for (const DictionarySize& d : m_dictionaries) {
            const double ours = figure(s.id, d.name, kOurs);
            const double peer = figure(s.id, d.name, kPeer);
            const double limit = figure(s.id, d.name, kLimit);
            if (ours < 0 && peer < 0 && limit < 0)
                continue;
            out << padRight(s.title, 36) << padRight(d.name, 12)
                << padLeft(std::to_string(d.words), 9) << padLeft(formatTime(ours), 11)
                << padLeft(formatTime(peer), 11) << padLeft(formatTime(limit), 11)
                << padLeft(formatRatio(peer, ours), 10) << padLeft(formatRatio(ours, limit), 10)
                << "\n";
        }
    }
}

namespace {

// How much larger the large dictionary is, by its words and by its bytes: the work of a pass
// follows the bytes it reads, the work of a search the records it compares.
struct SizeRatios
{
    double words = -1;
    double bytes = -1;
};

SizeRatios sizeRatios(const DictionarySize& small, const DictionarySize& large)
{
    SizeRatios r;
    if (small.words)
        r.words = static_cast<double>(large.words) / static_cast<double>(small.words);
    if (small.bytes)
        r.bytes = static_cast<double>(large.bytes) / static_cast<double>(small.bytes);
    return r;
}

std::string withinText(double growth, const SizeRatios& r)
{
    return std::string("words ") + (growth <= r.words ? "yes" : "NO") + ", bytes "
        + (growth <= r.bytes ? "yes" : "NO");
}

} // namespace

void ComparisonReporter::printGrowth(std::ostream& out) const
{
    if (m_dictionaries.size() < 2)
        return;
    const DictionarySize& small = m_dictionaries.front();
    const DictionarySize& large = m_dictionaries.back();
    const SizeRatios ratios = sizeRatios(small, large);
    out << "\nGrowth " << large.name << "/" << small.name << " (time ratio; size ratio "
        << formatRatio(ratios.words, 1) << " in words, " << formatRatio(ratios.bytes, 1)
        << " in bytes)\n";
    out << padRight("scenario", 36) << padLeft("ours", 9) << padLeft("SQLite", 9)
        << padLeft("map", 9) << "  ours within the size ratio\n";
    for (const Scenario& s : m_scenarios) {
        const double ours = figure(s.id, large.name, kOurs);
        const double oursSmall = figure(s.id, small.name, kOurs);
        if (ours < 0 || oursSmall < 0)
            continue;
        if (!s.sameWorkAs.empty()) {
            // Only the peer's growth is new here.
            out << padRight(s.title, 36) << padLeft("", 9)
                << padLeft(formatRatio(
                               figure(s.id, large.name, kPeer), figure(s.id, small.name, kPeer)),
                       9)
                << "\n";
            continue;
        }
        out << padRight(s.title, 36) << padLeft(formatRatio(ours, oursSmall), 9)
            << padLeft(
                   formatRatio(figure(s.id, large.name, kPeer), figure(s.id, small.name, kPeer)), 9)
            << padLeft(
                   formatRatio(figure(s.id, large.name, kLimit), figure(s.id, small.name, kLimit)),
                   9)
            << "  " << withinText(ours / oursSmall, ratios) << "\n";
    }
}

void ComparisonReporter::printTargets(std::ostream& out) const
{
    out << "\nTargets\n";
    // A target is judged on the first scenario with its letter: the strongest form of the peer.
    auto scenarioWith = [&](const char* label) -> const Scenario* {
        for (const Scenario& s : m_scenarios) {
            if (s.label == label)
                return &s;
        }
        return nullptr;
    };
    auto speedUp = [&](const char* letter, double wanted) {
        const Scenario* s = scenarioWith(letter);
        if (!s)
            return;
        out << padRight(
            "(" + s->label + ") ours at least " + formatRatio(wanted, 1) + " faster than SQLite",
            46);
        for (const DictionarySize& d : m_dictionaries) {
            const double ours = figure(s->id, d.name, kOurs);
            const double peer = figure(s->id, d.name, kPeer);
            if (ours <= 0 || peer < 0) {
                out << "  " << d.name << " -";
                continue;
            }
            out << "  " << d.name << " " << formatRatio(peer, ours)
                << (peer / ours >= wanted ? " met" : " MISSED");
        }
        out << "\n";
    };
    speedUp("a", 2.0);
    speedUp("f", 3.0);
    speedUp("g", 3.0);
    // Against SQLite with its defaults (every commit on the disk): ahead, each command synced.
    for (const char* id : { "a_open_find_close_full", "c_add_remove_synced" }) {
        const auto it = std::find_if(m_scenarios.begin(), m_scenarios.end(),
            [&](const Scenario& sc) { return sc.id == id; });
        if (it == m_scenarios.end())
            continue;
        out << padRight("(" + it->label + ") ours ahead of SQLite, its defaults", 46);
        for (const DictionarySize& d : m_dictionaries) {
            const double ours = figure(it->id, d.name, kOurs);
            const double peer = figure(it->id, d.name, kPeer);
            if (ours <= 0 || peer < 0) {
                out << "  " << d.name << " -";
                continue;
            }
            out << "  " << d.name << " " << formatRatio(peer, ours)
                << (peer > ours ? " met" : " MISSED");
        }
        out << "\n";
    }
    if (const Scenario* s = scenarioWith("d")) {
        out << padRight("(" + s->label + ") ours under 1 ms", 46);
        for (const DictionarySize& d : m_dictionaries) {
            const double ours = figure(s->id, d.name, kOurs);
            out << "  " << d.name << " " << formatTime(ours)
                << (ours < 0            ? ""
                           : ours < 1e6 ? " met"
                                        : " MISSED");
        }
        out << "\n";
    }
    if (const Scenario* s = scenarioWith("h")) {
        out << padRight("(" + s->label + ") ours under 50 ms to the finished text", 46);
        for (const DictionarySize& d : m_dictionaries) {
            const double ours = figure(s->id, d.name, kOurs);
            out << "  " << d.name << " " << formatTime(ours)
                << (ours < 0             ? ""
                           : ours < 50e6 ? " met"
                                         : " MISSED");
        }
        out << "\n";
    }
    if (m_dictionaries.size() >= 2) {
        const DictionarySize& small = m_dictionaries.front();
        const DictionarySize& large = m_dictionaries.back();
        const SizeRatios ratios = sizeRatios(small, large);
        for (const auto& [measure, ratio] :
            { std::pair { "words", ratios.words }, std::pair { "bytes", ratios.bytes } }) {
            std::string met, missed;
            for (const Scenario& s : m_scenarios) {
                const double ours = figure(s.id, large.name, kOurs);
                const double oursSmall = figure(s.id, small.name, kOurs);
                if (ours < 0 || oursSmall <= 0 || !s.sameWorkAs.empty())
                    continue;
                std::string& list = ours / oursSmall <= ratio ? met : missed;
                if (!list.empty())
                    list += ' ';
                list += s.label;
            }
            out << padRight(std::string("ours growing no faster than the ") + measure, 46)
                << "  met: " << (met.empty() ? "-" : met)
                << "; MISSED: " << (missed.empty() ? "none" : missed) << "\n";
        }
    }
}

} // namespace quorvel::bench
