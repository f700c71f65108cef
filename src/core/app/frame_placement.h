#pragma once

// Where the main window starts, from the placement saved in the settings file's "Size" section,
// and how it is saved when the window closes.

namespace quorvel {

class SettingsFile;

struct ScreenMetrics
{
    int left = 0, top = 0, width = 0, height = 0; // the available desktop
    int iconHeight = 32;
    int captionHeight = 24;
};

enum class FrameShow
{
    Maximized,
    SystemPlaced, // size and position chosen by the window system
    Placed,
};

struct FramePlacement
{
    FrameShow show = FrameShow::Maximized;
    int x = 0, y = 0, w = 0, h = 0;
};

// Reads "X", "Y", "W", "H" and "Status", stopping at the first that reads 0 (which starts the
// window maximized). The size is limited to the screen, and a window that would lie off the
// screen is moved back onto it.
FramePlacement restoreFramePlacement(const SettingsFile& settings, const ScreenMetrics& screen);

// Maximised: "Status" = 3 only; minimised: "Status" = 2 only; otherwise the four numbers and then
// "Status" = 1.
void saveFramePlacement(
    SettingsFile& settings, bool maximized, bool minimized, int x, int y, int w, int h);

} // namespace quorvel
