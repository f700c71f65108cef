#pragma once

// A recessed text field of a status bar that gives way when the bar is narrow: it asks for room
// for its whole text (or the width in characters it was made for), makes do with a few
// characters, and shows what does not fit as "…" rather than running into its neighbour. Its
// text() stays whole, so a screen reader reads the full value.

#include <QLabel>

namespace quorvel::ui {

class StatusField final : public QLabel
{
public:
    StatusField(const QString& text, int widthInCharacters, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // The text as the field shows it at its present width: whole, or cut short with "…".
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_widthInCharacters;
};

} // namespace quorvel::ui
