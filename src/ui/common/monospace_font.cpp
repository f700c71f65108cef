#include "common/monospace_font.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <cmath>

namespace quorvel::ui {

bool hasEqualAdvances(const QFont& font)
{
    const QFontMetricsF metrics(font);
    const qreal first = metrics.horizontalAdvance(QLatin1Char(' '));
    for (char c = '!'; c <= '~'; ++c) {
        if (std::abs(metrics.horizontalAdvance(QLatin1Char(c)) - first) > 0.01)
            return false;
    }
    return first > 0;
}

QFont monospaceFont(qreal pointSize)
{
    auto sized = [pointSize](QFont f) {
        if (pointSize > 0)
            f.setPointSizeF(pointSize);
        return f;
    };
    const QFont system = sized(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    if (hasEqualAdvances(system))
        return system;
    for (const char* family : { "DejaVu Sans Mono", "Liberation Mono", "Noto Sans Mono",
             "Noto Mono", "Nimbus Mono PS", "FreeMono", "Courier New", "Courier" }) {
        QFont candidate = sized(QFont(QString::fromLatin1(family)));
        candidate.setStyleHint(QFont::TypeWriter);
        if (QFontDatabase::hasFamily(candidate.family()) && hasEqualAdvances(candidate))
            return candidate;
    }
    // Let the font matcher find any fixed-pitch face.
    QFont any = sized(QFont(QStringLiteral("monospace")));
    any.setStyleHint(QFont::TypeWriter);
    any.setFixedPitch(true);
    return any;
}

} // namespace quorvel::ui
