#pragma once

// The text fields of a status bar and the strip that holds them side by side. A field asks for
// the width in characters it was made for (or its whole text when that is longer), can do with
// its whole text, and at a pinch with a letter and "…". The strip gives the room away in that
// order: when the bar is narrow the fields first lose their spare width, then the longest texts
// are cut short, and no field ever runs into its neighbour. A field's text() stays whole, so a
// screen reader reads the full value.

#include <QLabel>
#include <vector>

namespace quorvel::ui {

class StatusField final : public QLabel
{
public:
    StatusField(const QString& text, int widthInCharacters, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // The width that shows the whole text, frame included.
    int wholeTextWidth() const;
    // The text as the field shows it at its present width: whole, or cut short with "…".
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_widthInCharacters;
};

class StatusStrip final : public QWidget
{
public:
    explicit StatusStrip(QWidget* parent = nullptr);

    // Adds a field or a picture at the right end.
    void add(QWidget* item);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void arrange();

    std::vector<QWidget*> m_items;
};

} // namespace quorvel::ui
