#pragma once

// The program's own pictures, drawn with QPainter rather than loaded from files, so they stay
// sharp at any size and follow the light or dark palette in use.

#include <QCursor>
#include <QIcon>
#include <QPixmap>

namespace quorvel::ui::icons {

// The picture of a tool-bar command (by command id); an empty icon for commands without one.
QIcon commandIcon(int commandId);
// Status bar pictures.
QIcon soundIcon(bool on); // loudspeaker, on or off
QIcon listIcon(int image); // 1 dictionary list, 2 bee-file list, 3 scrap-pad list, else empty
// 0 UK flag, 1 US flag, 2 no flag: a transparent picture that keeps the field's size; else empty.
QIcon languageIcon(int image);
QIcon applicationIcon();
// The start-up picture, 440 x 360, with the product title.
QPixmap splashPicture();
// The cursor of context-help mode: an arrow with a question mark, hot spot at the tip (1, 1).
QCursor helpCursor();

} // namespace quorvel::ui::icons
