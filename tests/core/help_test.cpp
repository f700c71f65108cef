// Help topics of commands, and the lines of the about box built from the version values.

#include "help/about_info.h"
#include "help/help_contexts.h"

#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

using help::helpContextForCommand;

TEST(HelpContexts, CommandsOpenTheirTopics)
{
    struct Case
    {
        int command;
        int context;
    };
    const Case cases[] = {
        // Commands with a topic of their own, at the edges of their ranges.
        { 228, 228 },
        { 235, 235 },
        { 238, 238 },
        { 253, 253 },
        { 259, 259 },
        { 260, 260 },
        { 261, 261 },
        { 262, 262 },
        // Shared topics.
        { 236, 236 },
        { 237, 236 },
        { 273, 1620 },
        { 274, 275 },
        { 275, 275 },
        { 1900, 1901 },
        { 1903, 1901 },
        { 24321, 1620 },
        { 24328, 1620 },
        { 24331, 1621 },
        { 24334, 1621 },
        { 24339, 1621 },
        { 24337, 1622 },
        { 24338, 1625 },
        { 24351, 1623 },
        { 24353, 1623 },
        { 24361, 1624 },
        { 24365, 1624 },
        { 1627, 1627 },
        { 2002, 2002 },
        { 2009, 2009 },
        // Gaps and neighbours of the ranges fall back to the contents.
        { 24310, 2001 },
        { 227, 2001 },
        { 254, 2001 },
        { 258, 2001 },
        { 263, 2001 },
        { 272, 2001 },
        { 276, 2001 },
        { 1899, 2001 },
        { 1904, 2001 },
        { 24320, 2001 },
        { 24329, 2001 },
        { 24330, 2001 },
        { 24335, 2001 },
        { 24336, 2001 },
        { 24340, 2001 },
        { 24350, 2001 },
        { 24354, 2001 },
        { 24360, 2001 },
        { 24366, 2001 },
        { 2001, 2001 },
        { 0, 2001 },
        { -1, 2001 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(helpContextForCommand(c.command), c.context) << "command " << c.command;
}

TEST(AboutBox, VersionLineJoinsNameWordAndVersion)
{
    const help::AboutLines lines
        = help::aboutLines({ "Quorvel", "2.0", "2.0.0.0", "Copyright line", "Classroom edition" });
    EXPECT_EQ(lines.caption, "About Quorvel");
    EXPECT_EQ(lines.fixedLine, "Tamblewick's Quorvel 32bit version");
    EXPECT_EQ(lines.versionLine, "Quorvel Version 2.0");
    EXPECT_EQ(lines.legalLine, "Copyright line");
    EXPECT_EQ(lines.specialBuildLine, "Classroom edition");
}

TEST(AboutBox, MissingValuesLeaveTheLinesTheirOwnTexts)
{
    const help::AboutLines noVersion
        = help::aboutLines({ "Quorvel", std::nullopt, "2.0.0.0", std::nullopt, std::nullopt });
    EXPECT_EQ(noVersion.versionLine, "Version");
    EXPECT_EQ(noVersion.legalLine, "All rights reserved.");
    EXPECT_EQ(noVersion.specialBuildLine, "Standard build");

    const help::AboutLines noName = help::aboutLines({ std::nullopt, "2.0", {}, {}, {} });
    EXPECT_EQ(noName.versionLine, "Version");
}

TEST(AboutBox, ThisBuildIsQuorvelTwoPointNought)
{
    const help::VersionValues values = help::programVersionValues();
    EXPECT_EQ(help::aboutLines(values).versionLine, "Quorvel Version 2.0");
    EXPECT_EQ(values.fileVersion.value_or(""), "2.0.0.0");
    ASSERT_TRUE(values.legalCopyright.has_value());
    EXPECT_FALSE(values.legalCopyright->empty());
}

} // namespace
} // namespace quorvel::test
