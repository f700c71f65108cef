#pragma once

// A font whose every character takes the same width, for texts that line up in columns or must
// not jump about as they change (the drill's prompt line, reports). Whether a font is fixed-pitch
// is judged by measuring it, not by the flag the font file carries: some monospaced fonts (Noto
// Sans Mono among them) do not set that flag, and some fonts that set it are not.

#include <QFont>

namespace quorvel::ui {

// True when every printable ASCII character of `font` has the same advance.
bool hasEqualAdvances(const QFont& font);

// The desktop's fixed-pitch font when it measures as one, else the first installed family that
// does; `pointSize` (when above 0) sets its size.
QFont monospaceFont(qreal pointSize = 0);

} // namespace quorvel::ui
