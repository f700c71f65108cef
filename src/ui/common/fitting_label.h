#pragma once

// A label whose text grows with the label: it is painted in the largest size of its font at
// which the whole text fits (wrapped at spaces), from the font's own size up, so a word shown to
// a child fills the room the window gives it. When even the font's own size does not fit (a long
// word in a small window) the text is drawn smaller rather than cut. The size hints come from the
// font's own size, so the label never makes its window larger than it was.

#include <QLabel>

namespace quorvel::ui {

class FittingLabel final : public QLabel
{
public:
    explicit FittingLabel(QWidget* parent = nullptr);

    // The font the text is painted in at the label's present size and text.
    QFont fittedFont() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Pixel size of the largest font at which `text` fits `room`; the search is bounded by the
    // room's height, so it takes a handful of measurements.
    int fittingPixelSize(const QString& text, const QRect& room) const;

    mutable QString m_fittedText;
    mutable QSize m_fittedFor;
    mutable int m_fittedPixels = 0;
};

} // namespace quorvel::ui
