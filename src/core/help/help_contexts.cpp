#include "help/help_contexts.h"

#include <array>

namespace quorvel::help {

namespace {

struct Range
{
    int first;
    int last;
    int context; // 0: the command id itself
};

constexpr std::array kRanges {
    Range { 228, 235, 0 },
    Range { 236, 237, 236 },
    Range { 238, 253, 0 },
    Range { 259, 262, 0 },
    Range { 273, 273, 1620 },
    Range { 274, 275, 275 },
    Range { 280, 280, 0 },
    Range { 281, 281, 1622 },
    Range { 1900, 1903, 1901 },
    Range { 24321, 24328, 1620 },
    Range { 24331, 24334, 1621 },
    Range { 24339, 24339, 1621 },
    Range { 24337, 24337, 1622 },
    Range { 24338, 24338, 1625 },
    Range { 24351, 24353, 1623 },
    Range { 24361, 24365, 1624 },
    Range { 1627, 1627, 1627 },
    Range { kUsingHelpContext, kUsingHelpContext, kUsingHelpContext },
    Range { kAboutContext, kAboutContext, kAboutContext },
};

} // namespace

int helpContextForCommand(int commandId)
{
    for (const Range& range : kRanges) {
        if (commandId >= range.first && commandId <= range.last)
            return range.context == 0 ? commandId : range.context;
    }
    return kContentsContext;
}

} // namespace quorvel::help
