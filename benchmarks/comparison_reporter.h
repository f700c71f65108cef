#pragma once

// Console output of the dictionary benchmarks: one line per benchmark (its median over the
// repetitions), then the comparison table (ours beside SQLite and the in-memory limit, with the
// ratios), the growth from the small to the large dictionary, and which targets were met.
//
// Benchmarks are named "<scenario>/<dictionary>/<implementation>", the scenario starting with its
// letter ("a_open_find_close/starter/ours"); the implementations are ours, sqlite and map.

#include <benchmark/benchmark.h>

#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace quorvel::bench {

struct Scenario
{
    std::string id; // the first part of the benchmark names
    std::string label; // its letter: "a".."h"; targets and growth name scenarios by it
    std::string title; // what the table calls it
    // A second form of the peer for another scenario's work: only its SQLite figure is measured,
    // ours and the map's are that scenario's. Targets and growth go by the scenario itself.
    std::string sameWorkAs;
};

struct DictionarySize
{
    std::string name;
    std::size_t words = 0;
    std::size_t bytes = 0; // the dictionary file's size
};

class ComparisonReporter : public benchmark::ConsoleReporter
{
public:
    // `dictionaries` from the smallest to the largest: growth is the last over the first.
    ComparisonReporter(std::vector<Scenario> scenarios, std::vector<DictionarySize> dictionaries,
        std::string peerNote);

    void ReportRuns(const std::vector<Run>& reports) override;
    void Finalize() override;

private:
    // Median real time per iteration in nanoseconds, or a negative value when it is missing.
    double figure(const std::string& scenario, const std::string& dictionary,
        const std::string& implementation) const;
    void printTable(std::ostream& out) const;
    void printGrowth(std::ostream& out) const;
    void printTargets(std::ostream& out) const;

    std::vector<Scenario> m_scenarios;
    std::vector<DictionarySize> m_dictionaries;
    std::string m_peerNote;
    std::map<std::string, double> m_nanoseconds; // by "scenario/dictionary/implementation"
};

} // namespace quorvel::bench
