#pragma once

#include <QWidget>

namespace quorvel::ui {

// The start-up picture in a bordered window with a one-line caption; it closes itself after
// four seconds. It is painted as soon as it is made, before anything else loads.
class SplashWindow final : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kShowMilliseconds = 4000;
    explicit SplashWindow(QWidget* parent = nullptr);
    // Shows the window and paints it at once.
    void showNow();
};

} // namespace quorvel::ui
