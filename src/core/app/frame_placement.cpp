#include "app/frame_placement.h"

#include "config/settings_file.h"

#include <algorithm>
#include <string>

namespace quorvel {

namespace {
constexpr const char* kSize = "Size";
}

FramePlacement restoreFramePlacement(const SettingsFile& settings, const ScreenMetrics& screen)
{
    FramePlacement p;
    int values[5] = {};
    const char* keys[5] = { "X", "Y", "W", "H", "Status" };
    for (int i = 0; i < 5; ++i) {
        values[i] = settings.readInt(kSize, keys[i], 0);
        if (values[i] == 0)
            return p; // maximised
    }
    p.x = values[0];
    p.y = values[1];
    p.w = std::min(values[2], screen.width);
    p.h = std::min(values[3], screen.height - screen.iconHeight - 2 * screen.captionHeight);
    if (p.w <= 0 || p.h <= 0)
        return FramePlacement {};
    // A window saved on a screen that is gone, or moved past the edge by hand in the file, would
    // open where nobody can reach it.
    p.x = std::clamp(p.x, screen.left, std::max(screen.left, screen.left + screen.width - p.w));
    p.y = std::clamp(p.y, screen.top, std::max(screen.top, screen.top + screen.height - p.h));
    switch (values[4]) {
    case 3:
        p.show = FrameShow::Maximized;
        break;
    case 2:
        p.show = FrameShow::SystemPlaced;
        break;
    default:
        p.show = FrameShow::Placed;
        break;
    }
    return p;
}

void saveFramePlacement(
    SettingsFile& settings, bool maximized, bool minimized, int x, int y, int w, int h)
{
    // A window minimised from its maximised state is both: it is minimised.
    if (minimized) {
        settings.writeString(kSize, "Status", "2");
        return;
    }
    if (maximized) {
        settings.writeString(kSize, "Status", "3");
        return;
    }
    settings.writeString(kSize, "X", std::to_string(x));
    settings.writeString(kSize, "Y", std::to_string(y));
    settings.writeString(kSize, "W", std::to_string(w));
    settings.writeString(kSize, "H", std::to_string(h));
    settings.writeString(kSize, "Status", "1");
}

} // namespace quorvel
