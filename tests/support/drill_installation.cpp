#include "drill_installation.h"

#include "history/history_file.h"
#include "support/dictionary_test_support.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

namespace quorvel::test {

std::vector<DictionaryEntry> drillWords()
{
    std::vector<DictionaryEntry> out;
    for (const char* w : { "CAT", "DOG", "EMU", "FROG", "GOAT", "HEN", "IBEX", "JAY", "KIWI",
             "LION", "MOLE", "NEWT", "OWL", "PIG", "RAT", "SEAL", "TOAD", "VOLE", "WREN", "YAK" })
        out.push_back(entry(w));
    return out;
}

void layOutDrillInstallation(const TempFolder& folder, StartupInfo& info,
    const std::vector<DictionaryEntry>& words, const std::function<void(StartupInfo&)>& adjust)
{
    folder.makeProgdata();
    writeBytes(folder.file("progdata/sonddict.dis"), buildDictionaryImage(words));
    EXPECT_TRUE(CreateStartupInfo(info, folder.path()));
    ListSetupRecord list = info.listSetup(0);
    list.listSize = "3";
    list.minLetters = "3";
    list.maxLetters = "6";
    info.setListSetup(0, list);
    DisplaySetupRecord display = info.displaySetup(0);
    display.wordShowTime = display.answerDelay = display.betweenWords = "0";
    info.setDisplaySetup(0, display);
    if (adjust)
        adjust(info);
    EXPECT_TRUE(SaveStartupInfo(info));
    FakeClock clock; // the drills are dated at its fixed moment
    EXPECT_TRUE(GenerateHistoryFile(folder.path(), 10, 0, clock));
}

} // namespace quorvel::test
