#include "icons/icons.h"

// Placeholder bodies until the drawn pictures land.
namespace quorvel::ui::icons {
QIcon commandIcon(int) { return {}; }
QIcon soundIcon(bool) { return {}; }
QIcon listIcon(int) { return {}; }
QIcon languageIcon(int) { return {}; }
QIcon applicationIcon() { return {}; }
QPixmap splashPicture() { QPixmap p(440, 360); p.fill(Qt::white); return p; }
QCursor helpCursor() { return QCursor(Qt::WhatsThisCursor); }
}
