#pragma once

// The "First time help" sheet: five pages of tips for a new user, on pale yellow paper.

#include <QDialog>
#include <QWidget>

namespace quorvel::ui {

// Shows the sheet modally; it is gone when the function returns. (Close the tool-bar boxes'
// drop-down lists before calling.)
void runFirstTimeHelp(QWidget* parent);

// The sheet itself, for tests and for callers that want to show it in their own way.
class FirstTimeHelpSheet final : public QDialog
{
    Q_OBJECT
public:
    explicit FirstTimeHelpSheet(QWidget* parent = nullptr);
};

// A tip figure drawn in code: 1 the three list sources, 2 making a list from a bee window.
class TipFigure final : public QWidget
{
    Q_OBJECT
public:
    explicit TipFigure(int figure, QWidget* parent = nullptr);
    int figure() const { return m_figure; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_figure;
};

} // namespace quorvel::ui
